#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and starts the console. With a processor attached (a USB serial device) the console runs
# alone and finds it by its scan. Without one, the simulated processor starts beside the console and
# is linked as the console's COM1 through a settings folder inside the build tree, so the user's own
# settings are not touched.
set -euo pipefail
cd "$(dirname "$0")/.."

# Only what the console and the simulator need: no tests, no benchmarks.
bash scripts/deps.sh run
cmake -S . -B build -G Ninja -DTONVEX_TESTS=OFF -DTONVEX_BENCH=OFF
cmake --build build --target tonvex px2950-sim tonvex-modes

console() {
  if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display: running the console under Xvfb."
    xvfb-run -a -s "-screen 0 1280x800x24" ./build/app/tonvex --trace
  else
    ./build/app/tonvex --trace
  fi
}

if compgen -G "/dev/ttyUSB*" >/dev/null || compgen -G "/dev/ttyACM*" >/dev/null; then
  console
  exit $?
fi

demo=$PWD/build/demo-config
mkdir -p "$demo/tonvex/ports"
rm -f "$demo/tonvex/ports/COM1"
./build/sim/px2950-sim --link "$demo/tonvex/ports/COM1" &
sim=$!
trap 'kill $sim 2>/dev/null || true; wait $sim 2>/dev/null || true' EXIT
for _ in $(seq 50); do [[ -e "$demo/tonvex/ports/COM1" ]] && break; sleep 0.1; done
echo "Simulated PX2950 on $(readlink "$demo/tonvex/ports/COM1"), linked as COM1."
XDG_CONFIG_HOME=$demo console
