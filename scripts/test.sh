#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs the whole test suite. With --asan: a separate build with AddressSanitizer and
# UndefinedBehaviorSanitizer; with --tsan: the link's threaded tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-plain}
bash scripts/deps.sh

case "$mode" in
  plain)  dir=build;      flags=(-DTONVEX_TESTS=ON -DTONVEX_BENCH=ON) ;;
  --asan) dir=build-asan; flags=(-DTONVEX_SANITIZE=address,undefined -DTONVEX_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug) ;;
  --tsan) dir=build-tsan; flags=(-DTONVEX_SANITIZE=thread -DTONVEX_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug) ;;
  *) echo "usage: $0 [--asan|--tsan]" >&2; exit 2 ;;
esac

# Set before the build too: the art tool runs during the build, built like everything else.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}

cmake -S . -B "$dir" -G Ninja "${flags[@]}"
cmake --build "$dir"

if [[ "$mode" == --tsan ]]; then
  if ! ctest --test-dir "$dir" -N -L threaded | grep -q 'Total Tests: [1-9]'; then
    echo "No threaded tests."
    exit 0
  fi
  ctest --test-dir "$dir" --output-on-failure -L threaded
else
  ctest --test-dir "$dir" --output-on-failure -j2
fi
