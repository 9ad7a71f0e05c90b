#!/usr/bin/env bash
# Starts the real console under Xvfb with its own settings folders, waits for its window, toggles full
# screen with F2 and back, asks it to close (SIGTERM arrives as the same quit request as the window's
# close button) and expects status 0.
set -u
exe=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_CACHE_HOME=$home/cache
unset SDL_VIDEODRIVER

xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  "$0" & pid=$!
  id=$(timeout 30 xdotool search --sync --name "^Tonvex 1.0.3 : PX2950$" | head -1)
  if [ -z "$id" ]; then echo "the window did not appear"; kill -9 $pid; exit 1; fi
  geometry() { xdotool getwindowgeometry $id | sed -n "s/ *Geometry: //p"; }
  sleep 1
  [ "$(geometry)" = 960x600 ] || { echo "client area $(geometry), not 960x600"; kill -9 $pid; exit 1; }
  xdotool mousemove 5 5 windowfocus --sync $id key F2; sleep 1
  [ "$(geometry)" = 1280x800 ] || { echo "F2 gave $(geometry), not the whole screen"; kill -9 $pid; exit 1; }
  xdotool key F2; sleep 1
  [ "$(geometry)" = 960x600 ] || { echo "the second F2 gave $(geometry), not 960x600"; kill -9 $pid; exit 1; }
  kill -TERM $pid
  wait $pid; status=$?
  echo "exit status $status"
  exit $status
' "$exe"
