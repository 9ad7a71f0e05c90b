#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What a person's mouse and keys put on the wire, read from the simulated processor's frame log with
# the console driven by xdotool under Xvfb at real timing: a fader's track clicked (one step) and held
# (steps only after half a second, none after the release); a band's handle pressed without a move
# (nothing) and dragged (no pair twice, the last one once); the level keys (a short press is one step,
# a held key about thirty in 1.5 s); a download that leaves the levels above their Limites as they
# are; a Limite lowered below its Start (both sent); a typed fraction (rounded once, sent once). The
# screenshots stay in SHOTS: the microphone and sub-woofer panels in both languages.
#   [KEEP_GOING=1] end_to_end_controls_test.sh CONSOLE SIMULATOR SHOTS
set -u
. "$(dirname "$0")/end_to_end_lib.sh"
# The processor holds Mic and Music levels above their Limites, and its Mic Start at 15.
e2e_begin "$@" --set 18=40 --set 1795=20 --set 19=50 --set 1793=30 --set 1794=15

frames() { simlog | grep '^frame '; }
# The frames received since the last mark, one "CODE VALUE BAND" a line.
mark() { marked=$(frames | wc -l); }
since() { frames | tail -n +$((marked + 1)) | awk '{ print $3, $4, $5 }'; }
param() { simlog | awk -v c="$1" '$1 == "param" && $2 == c { print $3 }'; }
expect_since() { # EXPECTED WHAT
    local got
    got=$(since | tr '\n' ' ')
    [ "$got" = "$1" ] || fail "$2: the processor received '$got', not '$1'"
}
type_into() { # X Y TEXT: a volume box emptied and typed into, then Enter
    xdotool mousemove --window "$id" "$1" "$2" click 1
    sleep 0.3
    for _ in 1 2 3 4 5 6; do xdotool key Right; done
    for _ in 1 2 3 4 5 6; do xdotool key BackSpace; done
    xdotool type --delay 60 "$3"
    xdotool key Return
    sleep 0.6
}

wait_log "^frame 0 3 " "the download did not reach its last entry"
sleep 2.5

# 1. The download left the Mic level at 40 above its Limite of 20: one W sends 41.
mark
xdotool keydown w
sleep 0.08
xdotool keyup w
sleep 1
expect_since "18 41 0 " "a short W after the download"

# 2. Level keys: after a pause a short press is one step; a 1.5 s hold gives one step, nothing for
# 321 ms, then one about every 40 ms.
sleep 1.5
mark
xdotool keydown q
sleep 0.1
xdotool keyup q
sleep 0.8
expect_since "17 31 0 " "a short Q after a pause"
mark
xdotool keydown q
sleep 1.5
xdotool keyup q
sleep 0.6
steps=$(since | grep -c '^17 ')
echo "a 1.5 s hold of Q: $steps steps"
[ "$steps" -ge 26 ] && [ "$steps" -le 35 ] || fail "a 1.5 s hold of Q gave $steps steps, not about 30"
mark
sleep 1
expect_since "" "a released key"

# 3. The microphone panel (840 x 520 at 60, 40). Band 3's fader (index 2, x 648, 128 to 282): a 50 ms
# click below its thumb is one step down; a 1.2 s hold steps once, then after half a second one step
# per 40 ms, and nothing after the release.
xdotool key 1
sleep 1.2
shot 01-mic-en
mark
xdotool mousemove --window "$id" 648 270 mousedown 1
sleep 0.05
xdotool mouseup 1
sleep 1.5
since | awk 'NR > 1 || $1 != 547 || $3 != 2 { bad = 1 } END { exit bad || NR != 1 }' ||
    fail "a click on a fader's track sent '$(since | tr '\n' ' ')', not one step of 547"
first=$(since | awk 'NR == 1 { print $2 }')
mark
xdotool mousemove --window "$id" 648 275 mousedown 1
sleep 0.3
early=$(since | wc -l)
sleep 0.9
xdotool mouseup 1
sleep 0.3
held=$(since | wc -l)
echo "a 1.2 s hold on a fader: $early step(s) in the first 300 ms, $held in all"
[ "$early" = 1 ] || fail "a held fader sent $early steps in its first 300 ms, not 1"
[ "$held" -ge 8 ] && [ "$held" -le 30 ] || fail "a 1.2 s hold on a fader sent $held steps"
since | awk -v v="$first" '$1 != 547 || $3 != 2 || $2 != v - NR { bad = 1 } END { exit bad }' ||
    fail "a held fader's steps were not one down each: $(since | tr '\n' ' ')"
mark
sleep 1.5
expect_since "" "a fader after its release"

# 4. Band 5 (1000 Hz at the simulator's +0.8 dB): its handle pressed and released without a move
# sends nothing; dragged, it sends each new pair once and the last one once.
read -r hx hy < <(awk 'BEGIN {
    gx = 61; gy = 340; pw = 838 - 38 - 8; ph = 196 - 8 - 16
    x = pw / 3.4 * (log(1000.0) / log(10) - 1); y = ph / 2 - 0.8 * (ph / 2) / 24
    printf "%d %d\n", gx + 38 + int(x), gy + 8 + int(y) }')
mark
for dx in 0 2 -2; do
    xdotool mousemove --window "$id" $((hx + dx)) $((hy - 1)) mousedown 1
    sleep 0.25
    xdotool mouseup 1
    sleep 0.25
done
sleep 0.5
expect_since "" "a handle pressed and released without a move"
mark
xdotool mousemove --window "$id" "$hx" "$hy" mousedown 1
for step in 1 2 3 4 5 6 7 8 9 10 11 12; do
    xdotool mousemove --window "$id" $((hx + 3 * step)) $((hy - step))
    sleep 0.03
done
sleep 0.3
xdotool mouseup 1
sleep 1
since >"$home/drag"
[ -s "$home/drag" ] || fail "a drag sent nothing"
echo "a drag of twelve moves: $(($(wc -l <"$home/drag") / 2)) pairs"
awk 'NR % 2 == 1 && $1 != 546 { bad = 1 } NR % 2 == 0 && $1 != 547 { bad = 1 } $3 != 4 { bad = 1 }
     { line[NR] = $0 } NR > 2 && line[NR] == line[NR - 2] { bad = 1 } END { exit bad }' "$home/drag" ||
    fail "a drag's pairs: $(tr '\n' ' ' <"$home/drag")"
shot 02-mic-dragged

# 5. Chinese, the sub-woofer panel in both languages.
xdotool key F4
sleep 0.8
shot 03-mic-zh
xdotool key 3
sleep 1.2
shot 04-sub-zh
xdotool key F4
sleep 0.8
shot 05-sub-en

# 6. The volume panel (340 x 196 at 310, 202; boxes at x 599, Mic Start y 308, Mic Limite 336,
# Effect Start 364). Mic Limite typed down to 10 under the Mic Start of 15: both go out.
xdotool key 6
sleep 1.2
mark
type_into 610 336 10
holds 1795 10 && holds 1794 10 ||
    fail "Mic Limite lowered to 10: the processor holds Limite $(param 1795), Start $(param 1794) after '$(since | tr '\n' ' ')'"
# "3.7" in Effect Start: 4 shown, sent once, and nothing more when the box loses the focus.
mark
type_into 610 364 3.7
holds 1796 4 || fail "3.7 typed into Effect Start: the processor holds $(param 1796)"
xdotool mousemove --window "$id" 400 230 click 1
sleep 0.8
expect_since "1796 4 0 " "3.7 typed into Effect Start"
shot 06-volume

e2e_end
