#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds one fuzz target with clang (libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer) and
# runs it for a bounded time (TONVEX_FUZZ_SECONDS, 10 by default) from its seeds in corpus/TARGET.
# Exit 77 (skipped) when clang or its fuzzer runtime is missing.
#   run_fuzz.sh SOURCE_DIR OUT_DIR TARGET
set -uo pipefail
src=$1
out=$2/$3
target=$3
seconds=${TONVEX_FUZZ_SECONDS:-10}
libs=()
case "$target" in
  frames)        sources=(link/Packet.cpp common/Trace.cpp common/Paths.cpp); max_len=256 ;;
  mode_file)     sources=(link/ModeFile.cpp link/ParamTable.cpp modes/ModeText.cpp common/GbkText.cpp eq/EqValues.cpp); max_len=7000 ;;
  mode_text)     sources=(modes/ModeText.cpp link/ModeFile.cpp link/ParamTable.cpp common/GbkText.cpp eq/EqValues.cpp); max_len=16384 ;;
  settings)      sources=(app/pictures/Settings.cpp common/Paths.cpp); max_len=8192 ;;
  picture_cache) sources=(app/pictures/Resources.cpp app/pictures/Settings.cpp app/ui/Textures.cpp app/ui/Projection.cpp
                          app/ui/AppState.cpp common/Paths.cpp
                          common/vorcore_memory.cpp common/vorcore_string.cpp common/Trace.cpp)
                 libs=(-lGLU -lGL $(pkg-config --cflags --libs libopenjp2)); max_len=200000 ;;
  *) echo "unknown fuzz target '$target'" >&2; exit 2 ;;
esac
if ! command -v clang++ >/dev/null 2>&1; then
  echo "clang++ not found: fuzz run skipped"
  exit 77
fi
mkdir -p "$out/corpus"
if ! clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I"$src" \
    "$src/tests/fuzz/fuzz_$target.cpp" "${sources[@]/#/$src/}" "${libs[@]}" \
    -o "$out/fuzz_$target" 2>"$out/build.log"; then
  if grep -q "fuzzer" "$out/build.log"; then
    echo "clang has no libFuzzer runtime (libclang-rt-dev): fuzz run skipped"
    cat "$out/build.log"
    exit 77
  fi
  cat "$out/build.log"
  exit 1
fi
# libFuzzer adds what it finds to the first folder: the seeds in the source tree stay as they are.
cp "$src/tests/fuzz/corpus/$target"/* "$out/corpus/"
ASAN_OPTIONS=detect_leaks=0 "$out/fuzz_$target" -max_total_time="$seconds" -max_len="$max_len" \
  -print_final_stats=1 -artifact_prefix="$out/" "$out/corpus" 2>&1 | tail -n 20
exit "${PIPESTATUS[0]}"
