#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real console under Xvfb with its own settings folders, waits for its window to be shown
# (a window found before it is mapped refuses the focus, and xdotool ends on that error), toggles full
# screen with F2 and back, makes the window too small, asks it to close (SIGTERM arrives as the same
# quit request as the window's close button) and expects status 0.
set -u
exe=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_CACHE_HOME=$home/cache
unset SDL_VIDEODRIVER

xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  "$0" & pid=$!
  id=$(timeout 30 xdotool search --sync --onlyvisible --name "^Tonvex 1.0.3 : PX2950$" | head -1)
  if [ -z "$id" ]; then echo "the window did not appear"; kill -9 $pid; exit 1; fi
  geometry() { xdotool getwindowgeometry $id | sed -n "s/ *Geometry: //p"; }
  # Waits up to 15 s (a loaded machine) for the window to take a size.
  expect_size() {
    for _ in $(seq 150); do [ "$(geometry)" = "$1" ] && return 0; sleep 0.1; done
    echo "$2: $(geometry), not $1"; kill -9 $pid; exit 1
  }
  expect_size 960x600 "client area"
  xdotool mousemove 5 5 windowfocus --sync $id key F2
  expect_size 1280x800 "F2"
  xdotool key F2
  expect_size 960x600 "the second F2"
  # With no window manager to hold the minimum size, the console puts the window back to it.
  xdotool windowsize $id 300 200
  expect_size 620x400 "below the minimum"
  kill -TERM $pid
  wait $pid; status=$?
  echo "exit status $status"
  exit $status
' "$exe"
