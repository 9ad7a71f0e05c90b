#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real console started in unusual but real conditions, one case a run:
#   shell_failures_test.sh CASE EXE
# Each case checks the exit status and what the console said on standard error.
#   no_display     no DISPLAY, no WAYLAND_DISPLAY, no driver asked for: says so, exits non-zero
#   no_gl          a video driver without GL: "error HDC" and SDL's reason on standard error, exits
#                  non-zero
#   no_fonts       an empty font configuration: the missing face is named once, the console runs
#   cache_symlink  a symlink planted as the cache: the file it points to is untouched
#   cache_fifo     a FIFO planted as the cache: start-up does not hang and SIGTERM ends it
#   cache_folder   a cache folder others may write into: refused with a message, the console runs
#   no_home        HOME and the XDG folders unset: says where settings would go, the console runs
set -u
case_name=$1
exe=$2
home=$(mktemp -d)
trap 'chmod -R u+w "$home" 2>/dev/null; rm -rf "$home"' EXIT
err=$home/stderr
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_CACHE_HOME=$home/cache
unset SDL_VIDEODRIVER

fail() {
    echo "FAIL ($case_name): $*"
    echo "--- standard error:"
    cat "$err"
    exit 1
}
said() { grep -q -- "$1" "$err" || fail "standard error does not say \"$1\""; }

# Starts the console under Xvfb, waits for its window, lets it run for two seconds, asks it to close
# (SIGTERM) and gives it ten seconds to end. Prints the exit status; 90 = no window, 91 = did not end.
run_and_close() {
    xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
      "$0" 2>"$1" >/dev/null & pid=$!
      id=$(timeout 30 xdotool search --sync --onlyvisible --name "^Tonvex 1.0.3 : PX2950$" | head -1)
      if [ -z "$id" ]; then kill -9 $pid; echo 90; exit 0; fi
      sleep 2
      kill -TERM $pid
      for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
      if kill -0 $pid 2>/dev/null; then kill -9 $pid; echo 91; exit 0; fi
      wait $pid; echo $?
    ' "$exe" "$err"
}

expect_runs() {
    local status
    status=$(run_and_close)
    [ "$status" = 90 ] && fail "the window did not appear"
    [ "$status" = 91 ] && fail "SIGTERM did not end the console"
    [ "$status" = 0 ] || fail "exit status $status"
}

case $case_name in
no_display)
    env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$exe" 2>"$err"
    status=$?
    [ $status -ne 0 ] && [ $status -ne 124 ] || fail "exit status $status"
    said "no display"
    said "DISPLAY"
    said "xvfb-run"
    ;;
no_gl)
    SDL_VIDEODRIVER=dummy timeout 20 "$exe" 2>"$err"
    status=$?
    [ $status -ne 0 ] && [ $status -ne 124 ] || fail "exit status $status"
    said "error HDC"
    said "OpenGL" # and the windowing system's reason beside it
    ;;
no_fonts)
    printf '<?xml version="1.0"?>\n<fontconfig></fontconfig>\n' >"$home/empty.conf"
    export FONTCONFIG_FILE=$home/empty.conf
    expect_runs
    said 'no font for "Tahoma"'
    [ "$(grep -c "no font for" "$err")" = 1 ] || fail "the missing fonts are reported more than once"
    ;;
cache_symlink)
    mkdir -p -m 700 "$home/cache/tonvex"
    echo "precious" >"$home/precious"
    ln -s "$home/precious" "$home/cache/tonvex/tonvex_res.dat"
    expect_runs
    [ "$(cat "$home/precious")" = precious ] || fail "the file behind the symlink was written"
    [ -f "$home/cache/tonvex/tonvex_res.dat" ] && [ ! -L "$home/cache/tonvex/tonvex_res.dat" ] ||
        fail "the cache was not put in the symlink's place"
    ;;
cache_fifo)
    mkdir -p -m 700 "$home/cache/tonvex"
    mkfifo "$home/cache/tonvex/tonvex_res.dat"
    expect_runs
    [ -f "$home/cache/tonvex/tonvex_res.dat" ] || fail "the cache was not put in the FIFO's place"
    ;;
cache_folder)
    mkdir -p "$home/cache/tonvex"
    chmod 777 "$home/cache/tonvex"
    expect_runs
    said "others may write into the folder"
    [ -e "$home/cache/tonvex/tonvex_res.dat" ] && fail "the cache was written into the open folder"
    ;;
no_home)
    unset HOME XDG_CONFIG_HOME XDG_CACHE_HOME
    expect_runs
    said "HOME is not set"
    ;;
*)
    fail "no such case"
    ;;
esac
echo "ok ($case_name)"
