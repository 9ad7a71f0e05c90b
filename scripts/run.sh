#!/usr/bin/env bash
# Builds and starts the console. When no processor is attached, the simulated one is started beside it
# and linked as the console's COM1 through a settings folder inside the build tree, so the user's own
# settings are not touched. Set TONVEX_PORT=/dev/ttyUSB0 (or any device) to use a real processor.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
cmake -S . -B build -G Ninja
cmake --build build

run_console() {
  if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display: running the console under Xvfb."
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$@"
  fi
  exec "$@"
}

if [[ -n "${TONVEX_PORT:-}" ]]; then
  run_console ./build/app/tonvex
fi

if [[ -x build/sim/px2950-sim ]]; then
  demo=$PWD/build/demo-config
  mkdir -p "$demo/tonvex/ports"
  ./build/sim/px2950-sim --link "$demo/tonvex/ports/COM1" &
  sim=$!
  trap 'kill $sim 2>/dev/null || true' EXIT
  for _ in $(seq 50); do [[ -e "$demo/tonvex/ports/COM1" ]] && break; sleep 0.1; done
  export XDG_CONFIG_HOME=$demo
  if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    xvfb-run -a -s "-screen 0 1280x800x24" ./build/app/tonvex
  else
    ./build/app/tonvex
  fi
  exit $?
fi
run_console ./build/app/tonvex
