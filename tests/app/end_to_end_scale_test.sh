#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The console at scale 2 under Xvfb (a 2560 x 1600 screen): the window is 1920 x 1200, a press on a
# fader's track at twice its place at scale 1 is the same one step on the wire, a held drag drawn in
# part is its whole frame, Escape and the keys still work, and the panels are drawn in both languages
# (screenshots in SHOTS).
#   end_to_end_scale_test.sh CONSOLE SIMULATOR SHOTS
set -u
export E2E_SCREEN=2560x1600x24 E2E_CONSOLE_ARGS="--scale 2"
. "$(dirname "$0")/end_to_end_lib.sh"
e2e_begin "$@"

frames() { simlog | grep '^frame '; }
mark() { marked=$(frames | wc -l); }
since() { frames | tail -n +$((marked + 1)) | awk '{ print $3, $4, $5 }'; }

wait_log "^frame 0 3 " "the download did not reach its last entry"
wait_said "drawn at scale 2 (--scale)" "the console did not say its scale"
geometry=$(xdotool getwindowgeometry "$id" | awk '/Geometry/ { print $2 }')
[ "$geometry" = 1920x1200 ] || fail "the window is $geometry, not 1920x1200"
sleep 2.5

# The microphone panel opens at (60, 40) units; band 3's fader is at x 648, its track below the
# thumb at y 270: in pixels (1296, 540).
xdotool key 1
sleep 1.2
shot 01-mic-en-scale2
mark
xdotool mousemove --window "$id" 1296 540 mousedown 1
sleep 0.05
xdotool mouseup 1
sleep 1.5
since | awk 'NR > 1 || $1 != 547 || $3 != 2 { bad = 1 } END { exit bad || NR != 1 }' ||
    fail "a click on a fader's track at scale 2 sent '$(since | tr '\n' ' ')', not one step of 547"

# The same panel in Chinese, then the room EQ in both; Escape closes each.
xdotool key F4
sleep 1
shot 02-mic-zh-scale2
# Band 3's handle (383 Hz, about +0.6 dB) led and held: drawn in part at scale 2, as its whole frame.
read -r hx hy < <(awk 'BEGIN {
    gx = 61; gy = 340; pw = 838 - 38 - 8; ph = 196 - 8 - 16
    x = pw / 3.4 * (log(383.0) / log(10) - 1); y = ph / 2 - 0.6 * (ph / 2) / 24
    printf "%d %d\n", 2 * (gx + 38 + int(x)), 2 * (gy + 8 + int(y)) }')
held_drag_is_whole "$hx" "$hy" 80 30 02b-held-scale2
xdotool key Escape
sleep 0.8
xdotool key 5
sleep 1.2
shot 03-room-eq-zh-scale2
xdotool key F4
sleep 1
shot 04-room-eq-en-scale2
xdotool key Escape
sleep 0.8
e2e_end
grep -qE "frames: [0-9]+ whole, [1-9][0-9]* drawn only where a drag changed them" "$out" ||
    fail "no frame was drawn only where the drag changed it: $(grep 'frames:' "$out")"
