#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real console again and again, each time under a fresh Xvfb, as a person would start it
# from the menu: every start must get its window and its OpenGL context, draw, and close with status 0.
# A start that fails says why on standard error (the windowing system's reason), which is printed here.
#   repeated_starts_test.sh CONSOLE [STARTS]
set -u
exe=$1 starts=${2:-12}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_CACHE_HOME=$home/cache
unset SDL_VIDEODRIVER

failed=0
for i in $(seq "$starts"); do
    xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
      "$0" >"$1/out" 2>"$1/err" & pid=$!
      id=$(timeout 30 xdotool search --sync --onlyvisible --name "^Tonvex 1.0.3 : PX2950$" | head -1)
      if [ -z "$id" ]; then kill -9 $pid 2>/dev/null; exit 1; fi
      sleep 1.5 # the start-up draws its status and its first frames
      kill -TERM $pid
      wait $pid
    ' "$exe" "$home"
    status=$?
    if [ $status != 0 ] || grep -q "OpenGL\|error HDC" "$home/err"; then
        failed=$((failed + 1))
        echo "start $i: status $status: $(head -3 "$home/err")"
    fi
done
echo "$failed of $starts starts failed"
[ $failed = 0 ]
