#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The simulator stopped by SIGTERM or SIGINT while it has answers to write that nobody reads (160 KB of
# pings fed at once, more answers than the terminal holds) ends at once and removes its link.
#   sim_stop_test.sh PX2950_SIM
set -u
sim=$1
dir=$(mktemp -d)
pids=()
trap 'kill -9 "${pids[@]}" 2>/dev/null; rm -rf "$dir"' EXIT
for i in $(seq 16384); do printf '\xFF\xFF\x08\x02\x01\x00\x00\x00\xF6\xFC'; done > "$dir/pings"
for signal in TERM INT; do
    "$sim" --unpaced --link "$dir/COM1" > "$dir/device" &
    pid=$!
    pids+=($pid)
    for i in $(seq 100); do [ -s "$dir/device" ] && break; sleep 0.05; done
    [ -L "$dir/COM1" ] || { echo "no link made"; exit 1; }
    timeout 30 cat "$dir/pings" > "$(cat "$dir/device")" &
    pids+=($!)
    sleep 2
    kill -$signal $pid
    # Well over the 200 ms it may take, so that a loaded machine does not fail it; before, it never ended.
    for i in $(seq 40); do kill -0 $pid 2>/dev/null || break; sleep 0.05; done
    if kill -0 $pid 2>/dev/null; then
        echo "SIG$signal: still running 2 s later"
        exit 1
    fi
    wait $pid
    status=$?
    [ $status -eq 0 ] || { echo "SIG$signal: exit status $status"; exit 1; }
    [ ! -e "$dir/COM1" ] && [ ! -L "$dir/COM1" ] || { echo "SIG$signal: the link was left behind"; exit 1; }
    : > "$dir/device"
done
echo "the simulator ends at once on SIGTERM and SIGINT, link removed"
