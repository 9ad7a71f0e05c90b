#!/usr/bin/env bash
# Starts the real console under Xvfb with its own settings folders, waits for its window, asks it to
# close (SIGTERM arrives as the same quit request as the window's close button) and expects status 0.
set -u
exe=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_CACHE_HOME=$home/cache
unset SDL_VIDEODRIVER

xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  "$0" & pid=$!
  if ! timeout 30 xdotool search --sync --name "^Tonvex 1.0.3 : PX2950$" >/dev/null; then
    echo "the window did not appear"; kill -9 $pid; exit 1
  fi
  sleep 1
  kill -TERM $pid
  wait $pid; status=$?
  echo "exit status $status"
  exit $status
' "$exe"
