#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# clang-format over every C++ source of the project (the committed .clang-format). With --check, lists
# the files that differ from their formatted selves and fails if there are any, and fails on a source
# (C++, shell, CMake) without its SPDX licence line among its first two lines.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [[ "${1:-}" == --check ]]; then
  bad=()
  for f in "${files[@]}"; do
    clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
  done
  if ((${#bad[@]})); then
    printf 'not clang-format clean: %s\n' "${bad[@]}"
    echo "run: bash scripts/format.sh"
    exit 1
  fi
  echo "clang-format: ${#files[@]} files clean"
  unlicensed=()
  while IFS= read -r f; do
    head -n 2 "$f" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' || unlicensed+=("$f")
  done < <(git ls-files '*.cpp' '*.h' '*.sh' '*CMakeLists.txt' .ci/run)
  if ((${#unlicensed[@]})); then
    printf 'no SPDX-License-Identifier line: %s\n' "${unlicensed[@]}"
    exit 1
  fi
else
  clang-format -i "${files[@]}"
fi
