#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A venue's push: one PC mode to 8 simulated processors (paced at 19200 baud) behind ser2net, all at
# once, against the same push to one of them alone, in one run. Prints both times and their ratio
# (goal <= 1.15), the median of three runs each.
#   bash bench/modes/venue_push_bench.sh [BUILD]
set -euo pipefail
build=$(realpath "${1:-build}")
modes=$build/modes/tonvex-modes sim=$build/sim/px2950-sim
command -v ser2net >/dev/null || [ -x /usr/sbin/ser2net ] || { echo "ser2net is not installed"; exit 1; }
dir=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; wait 2>/dev/null; rm -rf "$dir"' EXIT

printf '%%YAML 1.1\n---\n' > "$dir/ser2net.yaml"
ports=()
for i in $(seq 8); do
    "$sim" --latency 0 > "$dir/device$i" &
    pids+=($!)
    for _ in $(seq 50); do [ -s "$dir/device$i" ] && break; sleep 0.05; done
    port=$((47300 + i))
    printf 'connection: &room%d\n  accepter: tcp,127.0.0.1,%d\n  connector: serialdev,%s,19200n81,local\n' \
        "$i" "$port" "$(cat "$dir/device$i")" >> "$dir/ser2net.yaml"
    ports+=(--port "tcp://127.0.0.1:$port")
done
/usr/sbin/ser2net -n -u -c "$dir/ser2net.yaml" > "$dir/ser2net.log" 2>&1 &
pids+=($!)
sleep 1

# A mode with every parameter set, pulled from the first processor.
"$modes" pull --port tcp://127.0.0.1:47301 1 "$dir/mode.dat" > /dev/null
seconds() { local s e; s=$(date +%s.%N); "$@" > /dev/null; e=$(date +%s.%N); echo "$e - $s" | bc; }
median() { printf '%s\n' "$@" | sort -n | sed -n 2p; }
one=() all=()
for run in 1 2 3; do
    one+=("$(seconds "$modes" push --port tcp://127.0.0.1:47301 1 "$dir/mode.dat")")
    all+=("$(seconds "$modes" push "${ports[@]}" 1 "$dir/mode.dat")")
done
t1=$(median "${one[@]}") t8=$(median "${all[@]}")
echo "one room: ${t1} s   eight rooms at once: ${t8} s   ratio: $(echo "scale=3; $t8 / $t1" | bc)"
