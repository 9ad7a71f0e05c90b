#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The layers of the product, lowest first, and a check that nothing reaches upward:
#
#   common                      tracked memory, strings, paths, GBK text, the trace
#   link        app/ui          the device link and mode file; the process-wide input words
#   app/pictures  gui           the picture packs and settings; the widget toolkit
#   eq                          the filter maths and the EQ graph
#   panels                      the thirteen panels
#   app         modes           the application (the only SDL user); the PC-mode tool
#
#   scripts/layers.sh [BUILD]           checks every #include and every library link (fails on one
#                                       that runs upward), that the widget, graph and text tests link
#                                       neither SDL, the picture decoder nor the application, and
#                                       prints the library graph
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

# What each folder's sources may include, besides themselves and the system's headers.
declare -A may_include=(
  [common]=""
  [link]="common"
  [app/ui]="common"
  [app/pictures]="common app/ui"
  [gui]="common app/ui"
  [eq]="common app/ui gui"
  [panels]="common app/ui app/pictures gui eq link"
  [modes]="common link eq"
  [sim]=""
)
# What each library may link, besides the system's.
declare -A may_link=(
  [tonvex_common]=""
  [tonvex_link]="tonvex_common"
  [tonvex_ui]="tonvex_common"
  [tonvex_eq_values]=""
  [tonvex_pictures]="tonvex_ui tonvex_common"
  [tonvex_gui]="tonvex_ui tonvex_common"
  [tonvex_eq]="tonvex_eq_values tonvex_gui tonvex_ui tonvex_common"
  [tonvex_panels]="tonvex_gui tonvex_eq tonvex_eq_values tonvex_link tonvex_pictures tonvex_ui tonvex_common"
  [tonvex_modes]="tonvex_link tonvex_eq_values tonvex_common"
  [tonvex_sim]=""
)

problems=0
folder_of() { # a source's layer folder
  case "$1" in app/ui/*) echo app/ui ;; app/pictures/*) echo app/pictures ;; *) echo "${1%%/*}" ;; esac
}
for dir in "${!may_include[@]}"; do
  for file in $(ls "$dir"/*.cpp "$dir"/*.h 2>/dev/null); do
    while IFS= read -r included; do
      target=$(folder_of "$included")
      [[ "$target" == "$dir" ]] && continue
      if [[ " ${may_include[$dir]} " != *" $target "* ]]; then
        echo "upward include: $file includes \"$included\" ($dir may include: ${may_include[$dir]:-nothing else})"
        problems=$((problems + 1))
      fi
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
  done
done
# The platform behind one thin layer each.
for pair in "SDL:app/PlatformWindow" "termios:link/Serial"; do
  header=${pair%%:*} home=${pair#*:}
  while IFS= read -r file; do
    [[ "$file" == "$home".* ]] && continue
    echo "platform header outside its layer: $file includes <$header...> (only $home may)"
    problems=$((problems + 1))
  done < <(grep -l "#include <$header" common/* link/* app/*.* app/ui/* app/pictures/* gui/* eq/* panels/* modes/* 2>/dev/null || true)
done

# The library graph, from CMake's own view of the targets.
graph=$build/layers
mkdir -p "$graph"
cmake -S . -B "$build" --graphviz="$graph/tonvex.dot" >/dev/null
declare -A name
while IFS= read -r line; do
  if [[ "$line" =~ \"(node[0-9]+)\"\ \[\ label\ =\ \"([^\"]+)\" ]]; then name[${BASH_REMATCH[1]}]=${BASH_REMATCH[2]}; fi
done < "$graph/tonvex.dot"
declare -A edges all_edges
while IFS= read -r line; do
  if [[ "$line" =~ \"(node[0-9]+)\"\ -\>\ \"(node[0-9]+)\" ]]; then
    from=${name[${BASH_REMATCH[1]}]} to=${name[${BASH_REMATCH[2]}]}
    all_edges[$from]+="$to "
    [[ "$from" == tonvex_* && "$to" == tonvex_* ]] || continue
    edges[$from]+="$to "
  fi
done < "$graph/tonvex.dot"
echo "library graph (each library: what it links):"
for lib in tonvex_common tonvex_link tonvex_ui tonvex_eq_values tonvex_pictures tonvex_gui tonvex_eq tonvex_panels tonvex_modes tonvex_sim tonvex_app; do
  echo "  $lib: ${edges[$lib]:-}"
  [[ -v may_link[$lib] ]] || continue
  for to in ${edges[$lib]:-}; do
    if [[ " ${may_link[$lib]} " != *" $to "* ]]; then
      echo "upward link: $lib links $to"
      problems=$((problems + 1))
    fi
  done
done
# The toolkit's, the graph's and the text renderer's tests draw off-screen with the toolkit alone: no
# window system, no picture decoder, no application.
reaches() { # everything a target links, directly or not
  local -A seen=()
  local todo=("$1") t
  while ((${#todo[@]})); do
    t=${todo[-1]}
    unset 'todo[-1]'
    for to in ${all_edges[$t]:-}; do
      [[ -v seen[$to] ]] && continue
      seen[$to]=1
      todo+=("$to")
    done
  done
  echo "${!seen[@]}"
}
for program in gui_tests eq_tests text_tests; do
  linked=" $(reaches "$program") "
  for banned in tonvex_app tonvex_panels tonvex_pictures PkgConfig::SDL2 PkgConfig::OPENJP2; do
    if [[ "$linked" == *" $banned "* ]]; then
      echo "test link: $program reaches $banned"
      problems=$((problems + 1))
    fi
  done
done

if ((problems)); then
  echo "$problems layering problem(s)"
  exit 1
fi
echo "layers: nothing reaches upward"
