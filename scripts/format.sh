#!/usr/bin/env bash
# clang-format over every C++ source of the project (the committed .clang-format). With --check, lists
# the files that differ from their formatted selves and fails if there are any.
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
else
  clang-format -i "${files[@]}"
fi
