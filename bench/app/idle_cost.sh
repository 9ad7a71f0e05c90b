#!/usr/bin/env bash
# Idle cost of the console on a real X server (Xvfb): bash bench/app/idle_cost.sh [build-dir]
set -euo pipefail
build=${1:-build}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_CACHE_HOME=$home/cache
SDL_VIDEODRIVER=x11 xvfb-run -a -s "-screen 0 1280x800x24" "$build/bench/app/idle_bench" 10
