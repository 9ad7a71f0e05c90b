#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Idle cost of the console on a real X server (Xvfb), measured two ways in one run:
#  1. the real executable with no processor: the CPU time over 10 s of wall time (from /proc) while
#     the connecting panel shows its failure display, then after the panel is closed with a click;
#  2. the main loop in-process (idle_bench): frames per second at the active pace, then (a) idle,
#     (b) the failure display at the loop's pace and (c) the same screen at the old full pace.
# Usage: bash bench/app/idle_cost.sh [build-dir]
set -euo pipefail
build=$(realpath "${1:-build}")
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_CACHE_HOME=$home/cache
export SDL_VIDEODRIVER=x11

xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  exe=$0
  "$exe" >/dev/null & pid=$!
  id=$(timeout 30 xdotool search --sync --name "^Tonvex 1.0.3 : PX2950$" | head -1)
  ticks() { awk "{print \$14 + \$15}" /proc/$pid/stat; }
  hz=$(getconf CLK_TCK)
  measure() {
    local before after start end
    before=$(ticks); start=$(date +%s.%N)
    sleep 10
    after=$(ticks); end=$(date +%s.%N)
    awk -v c=$((after - before)) -v hz=$hz -v s=$start -v e=$end -v what="$1" \
      "BEGIN { w = e - s; printf \"console executable, %s: %.2f s CPU over %.1f s wall = %.4f of one core\n\", what, c / hz, w, c / hz / w }"
  }
  sleep 25                                    # start-up, intro, and the scan of six ports running out
  measure "connecting panel on its failure display"
  xdotool mousemove --window $id 599 212 click 1   # its close button
  sleep 2                                     # the fade and the 1000 ms of active pace after input
  measure "idle, connecting panel closed"
  kill -TERM $pid; wait $pid
' "$build/app/tonvex"

xvfb-run -a -s "-screen 0 1280x800x24" "$build/bench/app/idle_bench" 10
