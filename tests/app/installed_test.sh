#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install` of the build into a prefix of its own: the programs, which answer --help and
# --version without a display; their manual pages, which render; a menu entry and AppStream metainfo
# that validate, the icon at every size; the completion of tonvex-modes; the package's verdict from
# lintian (no error, no warning); then the installed console, started from an empty folder far from
# the build, opens its window and closes with status 0.
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
for size in 48x48 64x64 128x128 256x256; do
    [ -s "$prefix/share/icons/hicolor/$size/apps/$icon.png" ] || { echo "no $size icon"; exit 1; }
done
[ -s "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || { echo "no scalable icon"; exit 1; }

for program in tonvex tonvex-modes px2950-sim; do
    for option in --help --version; do
        said=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/$program" $option 2>&1) ||
            { echo "$program $option: exit status $?: $said"; exit 1; }
        case "$option:$said" in
        --version:"$program 1.0.3") ;;
        --help:*usage:*) ;;
        *) echo "$program $option said: $said"; exit 1 ;;
        esac
    done
    page=$prefix/share/man/man1/$program.1.gz
    [ -s "$page" ] || { echo "no manual page for $program"; exit 1; }
    if command -v man >/dev/null; then
        rendered=$(MANWIDTH=80 man -l "$page" 2>&1)
        grep -q "^NAME" <<<"$rendered" && grep -q "$program" <<<"$rendered" ||
            { echo "the manual page of $program does not render: $rendered"; exit 1; }
    fi
done

if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/tonvex.metainfo.xml" >"$root/appstream.log" 2>&1 ||
        { cat "$root/appstream.log"; exit 1; }
fi

completion=$(cd "$root" && bash -c 'source "$1"; COMP_WORDS=(tonvex-modes pu); COMP_CWORD=1; _tonvex_modes
    echo "${COMPREPLY[*]}"' bash "$prefix/share/bash-completion/completions/tonvex-modes")
[ "$completion" = "pull push" ] || { echo "tonvex-modes completes 'pu' as '$completion'"; exit 1; }

if command -v lintian >/dev/null && command -v cpack >/dev/null; then
    (cd "$build" && cpack -G DEB -B "$root/package" >"$root/cpack.log" 2>&1) || { cat "$root/cpack.log"; exit 1; }
    lintian --fail-on error,warning "$root"/package/*.deb >"$root/lintian.log" 2>&1 ||
        { echo "lintian:"; cat "$root/lintian.log"; exit 1; }
fi

mkdir "$root/elsewhere"
cd "$root/elsewhere" && bash "$whole" "$prefix/bin/tonvex"
