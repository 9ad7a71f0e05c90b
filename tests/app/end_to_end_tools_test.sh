#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The sound engineer's tools at real timing, read from the simulated processor's frame log with the
# console driven by xdotool under Xvfb: F6 keeps A and edits B, two handle drags on the microphone EQ,
# F6 back to A sends just those two bands' gains (and back to B the same); Ctrl+Z on B takes the last
# drag back and Ctrl+Y does it again, one band each; EQ filters pasted into the room EQ go out, with
# their message, and one Ctrl+Z takes them all back; Tab, the arrows and Page Down step the volume
# panel's sliders, and Escape closes it. Screenshots stay in SHOTS, in both languages.
#   end_to_end_tools_test.sh CONSOLE SIMULATOR SHOTS
set -u
. "$(dirname "$0")/end_to_end_lib.sh"
e2e_begin "$@"

frames() { simlog | grep '^frame '; }
mark() { marked=$(frames | wc -l); }
# The frames received since the last mark, "CODE VALUE BAND" each, on one line.
since() { frames | tail -n +$((marked + 1)) | awk '{ printf "%s %s %s ", $3, $4, $5 }'; }
drag() { # X Y DY: a handle pressed, moved in eight steps, released
    xdotool mousemove --window "$id" "$1" "$2" mousedown 1
    for _ in 1 2 3 4 5 6 7 8; do
        xdotool mousemove_relative -- 0 "$3"
        sleep 0.03
    done
    xdotool mouseup 1
    sleep 0.5
}
key() {
    xdotool key "$1"
    sleep 0.8
}

wait_log "^frame 0 3 " "the download did not reach its last entry"
sleep 2.5

# 1. A/B on the microphone EQ: bands 3 and 5 (band codes 2 and 4) dragged on B.
key F6
key 1
drag 368 431 -5
drag 564 430 5
mark
key F6
to_a=$(since)
echo "$to_a" | grep -qE '^547 [0-9]+ 2 547 [0-9]+ 4 $' || fail "F6 back to A sent '$to_a', not the two gains"
shot 01-compare-a
mark
key ctrl+z
[ -z "$(since)" ] || fail "Ctrl+Z on A, which has no step, sent '$(since)'"
key F4
mark
key F6
to_b=$(since)
echo "$to_b" | grep -qE '^547 [0-9]+ 2 547 [0-9]+ 4 $' || fail "F6 back to B sent '$to_b'"
shot 02-compare-b-zh
key F4

# 2. Undo and redo on B: the last drag (band 5) alone, back to A's gain, then B's again.
a5=$(echo "$to_a" | awk '{ print $5 }') b5=$(echo "$to_b" | awk '{ print $5 }')
mark
key ctrl+z
[ "$(since)" = "547 $a5 4 " ] || fail "Ctrl+Z sent '$(since)', not band 5's earlier gain $a5"
mark
key ctrl+y
[ "$(since)" = "547 $b5 4 " ] || fail "Ctrl+Y sent '$(since)', not band 5's gain $b5"

# 3. Filters pasted into the room EQ: the three ON filters' codes go out first, the other bands flat.
printf 'Preamp: -4.2 dB\nFilter 1: ON PK Fc 63.0 Hz Gain -5.0 dB Q 4.00\nFilter 2: ON LSC Fc 105 Hz Gain 3.0 dB Q 0.71\nFilter 3: ON HSC Fc 8000 Hz Gain -2.5 dB Q 0.71\nFilter 4: OFF PK Fc 1000 Hz Gain 0 dB Q 1\n' |
    xclip -selection clipboard
key 5
mark
key ctrl+v
pasted=$(since)
case "$pasted" in
"1570 42 0 1571 95 0 1572 19 0 1569 1 1 1570 61 1 1571 135 1 1572 2 1 1569 2 2 1570 219 2 1571 108 2 1572 2 2 "*) ;;
*) fail "the pasted filters sent '$pasted'" ;;
esac
shot 03-filters-taken
click 480 334 # OK
mark
key ctrl+z
back=$(since)
[ "$(echo "$back" | wc -w)" = "$(echo "$pasted" | wc -w)" ] || fail "Ctrl+Z after the paste sent '$back'"
shot 04-filters-undone

# 4. The keys on a panel: the volume panel's first slider framed by Tab and stepped by Up (one frame),
# Page Down on the third (one frame, ten lower), Escape closes it.
key 6
mark
key Tab
key Up
xdotool key Tab Tab
sleep 0.3
key Next
keyed=$(since)
echo "$keyed" | grep -qE '^1792 [0-9]+ 0 1794 [0-9]+ 0 $' || fail "Tab, Up, Tab, Tab, Page Down sent '$keyed'"
shot 05-volume-keys
key Escape
shot 06-volume-closed

e2e_end
