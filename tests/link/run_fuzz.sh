#!/usr/bin/env bash
# Builds the framing fuzz target with clang (libFuzzer + AddressSanitizer) and runs it for a few
# seconds. Exit 77 (skipped) when clang or its fuzzer runtime is missing.
set -uo pipefail
src=$1
out=$2
seconds=${TONVEX_FUZZ_SECONDS:-10}
if ! command -v clang++ >/dev/null 2>&1; then
  echo "clang++ not found: fuzz run skipped"
  exit 77
fi
mkdir -p "$out/corpus"
if ! clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address -I"$src" \
    "$src/tests/link/fuzz_frames.cpp" "$src/link/Packet.cpp" "$src/common/Trace.cpp" \
    -o "$out/fuzz_frames" 2>"$out/build.log"; then
  if grep -q "fuzzer" "$out/build.log"; then
    echo "clang has no libFuzzer runtime (libclang-rt-dev): fuzz run skipped"
    cat "$out/build.log"
    exit 77
  fi
  cat "$out/build.log"
  exit 1
fi
# Seeds: a good reply, a name reply, three FFs, an oversize packet.
printf '\x11\x00\x05\xff\xff\x08\x03\x11\x00\x05\x00\xe2\xfc' >"$out/corpus/reply"
printf '\x22\x00\x03\xff\xff\xff\x10\x01\x22\x00\x2d\x2f\x24\x25\x00\x10\x14\x00\x00\x00\xd6\xfe' >"$out/corpus/name"
printf '\x01\x00\x00\xff\xff\xf0\x03\x01\x00' >"$out/corpus/oversize"
ASAN_OPTIONS=detect_leaks=0 "$out/fuzz_frames" -max_total_time="$seconds" -max_len=256 -print_final_stats=1 \
  "$out/corpus" 2>&1 | tail -n 20
exit "${PIPESTATUS[0]}"
