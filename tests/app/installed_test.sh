#!/usr/bin/env bash
# `cmake --install` of the build into a prefix of its own: the programs, a menu entry that validates
# without a hint and names an installed program and icon; then the installed console, started from an
# empty folder far from the build, opens its window and closes with status 0.
#   installed_test.sh BUILD_DIR WHOLE_PROGRAM_TEST
set -u
build=$1 whole=$(realpath "$2")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=$root/usr
if ! cmake --install "$build" --prefix "$prefix" >"$root/install.log" 2>&1; then
    cat "$root/install.log"
    exit 1
fi
apps=$prefix/share/applications icons=$prefix/share/icons/hicolor/256x256/apps
for f in bin/tonvex bin/px2950-sim bin/tonvex-modes share/applications/tonvex.desktop; do
    [ -s "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$apps/tonvex.desktop")
icon=$(sed -n 's/^Icon=//p' "$apps/tonvex.desktop")
[ -x "$prefix/bin/$program" ] || { echo "the menu entry starts '$program', which is not installed"; exit 1; }
[ -s "$icons/$icon.png" ] || { echo "the menu entry's icon '$icon' is not installed"; exit 1; }
if command -v desktop-file-validate >/dev/null; then
    said=$(desktop-file-validate "$apps/tonvex.desktop" 2>&1)
    [ -z "$said" ] || { echo "$said"; exit 1; }
fi
mkdir "$root/elsewhere"
cd "$root/elsewhere" && bash "$whole" "$prefix/bin/tonvex"
