# SPDX-License-Identifier: GPL-3.0-or-later
# The harness the end-to-end tests share, sourced by them: a home of their own and a fresh Xvfb, the
# simulated processor as COM1 with its frame log, the console started in a work folder, and the helpers
# that read the log, take screenshots and fail with what the console said.
#
#   e2e_begin "$@" [SIMULATOR OPTIONS...]   (the first call re-runs the script inside xvfb-run)
# The script's arguments are CONSOLE SIMULATOR SHOTS. Afterwards: $exe $sim $shots $home $out, $pid (the
# console), $simpid (the simulator) and $id (the console's window). E2E_SCREEN sets Xvfb's screen
# (1280x800x24), E2E_CONSOLE_ARGS more options for the console.

e2e_begin() {
    if [ "${1:-}" != inside ]; then
        local exe sim shots home
        exe=$(realpath "$1") sim=$(realpath "$2") shots=$3
        mkdir -p "$shots"
        shots=$(realpath "$shots")
        home=$(mktemp -d)
        trap 'rm -rf "$home"' EXIT
        export HOME=$home XDG_CONFIG_HOME=$home/config XDG_CACHE_HOME=$home/cache XDG_DATA_HOME=$home/data
        unset SDL_VIDEODRIVER
        xvfb-run -a -s "-screen 0 ${E2E_SCREEN:-1280x800x24}" bash "$0" inside "$exe" "$sim" "$shots" "$home"
        exit $?
    fi
    exe=$2 sim=$3 shots=$4 home=$5
    shift 5
    out=$home/console.out
    mkdir -p "$XDG_CONFIG_HOME/tonvex/ports" "$home/work"
    rm -f "$shots"/*.png
    "$sim" --unpaced --link "$XDG_CONFIG_HOME/tonvex/ports/COM1" --log "$home/sim.log" "$@" >/dev/null &
    simpid=$!
    for _ in $(seq 50); do [ -e "$XDG_CONFIG_HOME/tonvex/ports/COM1" ] && break; sleep 0.1; done
    cd "$home/work" || exit 1 # no mode.dat here: the PC modes are kept in $XDG_DATA_HOME/tonvex
    # shellcheck disable=SC2086 # the options are words
    "$exe" --trace ${E2E_CONSOLE_ARGS:-} >"$out" 2>"$home/console.err" &
    pid=$!
    id=$(timeout 30 xdotool search --sync --onlyvisible --name "^Tonvex 1.0.3 : PX2950$" | head -1)
    [ -n "$id" ] || fail "the window did not appear"
}

# With KEEP_GOING set, a failed check is reported and the run goes on (to measure an older build).
fail() {
    echo "FAIL: $*"
    [ -n "${KEEP_GOING:-}" ] && return 0
    import -window root "$shots/failed.png" 2>/dev/null
    echo "--- console, last lines:"
    tail -5 "$out"
    cat "$home/console.err"
    kill -9 "$pid" "$simpid" 2>/dev/null
    exit 1
}
shot() { import -window root "$shots/$1.png"; }
click() {
    xdotool mousemove --window "$id" "$1" "$2" click 1
    sleep 0.4
}
# The simulator's log, written anew.
simlog() {
    kill -USR1 "$simpid" 2>/dev/null
    sleep 0.2
    cat "$home/sim.log" 2>/dev/null
}
wait_log() { # PATTERN WHAT
    for _ in $(seq 60); do simlog | grep -qE "$1" && return 0; sleep 0.3; done
    fail "$2"
}
wait_said() { # TEXT WHAT: a line of the console's trace
    for _ in $(seq 100); do grep -q "$1" "$out" && return 0; sleep 0.2; done
    fail "$2"
}
param() { simlog | awk -v c="$1" '$1 == "param" && $2 == c { print $3 }'; }
# True once the processor holds VALUE for CODE (a loaded machine may take a few seconds).
holds() { # CODE VALUE
    for _ in $(seq 25); do [ "$(param "$1")" = "$2" ] && return 0; sleep 0.2; done
    return 1
}

# A drag of the EQ handle at (X, Y), led by (DX, DY) in five steps and held, must look as a whole frame
# draws it (on the software renderer a drag draws again only what it changes): the handle grabbed once
# more where it was left, without a move, is drawn whole first. NAME names the picture of a difference.
held_drag_is_whole() { # X Y DX DY NAME
    local x=$1 y=$2 dx=$3 dy=$4 step differ
    xdotool mousemove --window "$id" "$x" "$y" mousedown 1
    sleep 0.2
    for step in 1 2 3 4 5; do
        xdotool mousemove --window "$id" $((x + dx * step / 5)) $((y + dy * step / 5))
        sleep 0.05
    done
    sleep 0.4
    import -window root "$home/held.png"
    xdotool mouseup 1
    sleep 0.4
    xdotool mousemove --window "$id" $((x + dx)) $((y + dy)) mousedown 1
    sleep 0.6
    import -window root "$home/grabbed.png"
    xdotool mouseup 1
    sleep 0.3
    differ=$(compare -metric AE "$home/held.png" "$home/grabbed.png" "$shots/$5-differs.png" 2>&1)
    [ "$differ" = 0 ] || fail "the held drag differs from its whole frame in $differ pixels ($5-differs.png)"
    rm -f "$shots/$5-differs.png"
}

# The console closed (status 0 wanted) and the simulator stopped; the run's log holds the trace with
# times (the frames the terminal showed) and stays within its bound.
e2e_end() {
    kill -TERM "$pid"
    wait "$pid"
    local status=$?
    kill -TERM "$simpid" 2>/dev/null
    wait "$simpid" 2>/dev/null
    [ $status = 0 ] || fail "exit status $status"
    local log=$home/.local/state/tonvex/tonvex.log
    grep -qE '^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9:.]{12} << SendData: FF FF 08 02 01 00' "$log" ||
        fail "the log $log does not hold the trace with times"
    [ "$(grep -c 'SendData' "$log")" = "$(grep -c 'SendData' "$out")" ] ||
        fail "the log and the terminal trace differ in their frames"
    [ "$(stat -c %s "$log")" -le $((1 << 20)) ] || fail "the log is over its bound"
    echo "ok: screenshots in $shots"
}
