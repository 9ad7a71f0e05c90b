#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole console against the simulated processor, driven as a person would (xdotool) under Xvfb:
# the scan and the download; the microphone panel opened with "1" and band 3 dragged on its graph (the
# simulator must receive 546 and 547 for band 3), and a held drag, drawn in part, as its whole frame;
# Chinese with F4; a PC mode saved, a value changed, the PC mode uploaded (the simulator must hold the
# saved value again); the simulator killed, and the next change must bring the link-loss message. The screenshots stay in SHOTS for a person to look at.
#   end_to_end_test.sh CONSOLE SIMULATOR SHOTS
set -u
. "$(dirname "$0")/end_to_end_lib.sh"
e2e_begin "$@"

# 1. The scan finds the simulator and the download runs to its last entry (code 3).
wait_log "^frame 0 3 " "the download did not reach its last entry"
sleep 2.5 # the connecting panel closes a second after the download, then fades
shot 01-downloaded

# 2. The microphone panel (840 x 520, centred in the 960 x 600 window at 60, 40). Band 3 stands at
# the simulator's 383 Hz and +0.6 dB: its handle is where the graph's axes put it.
xdotool key 1
sleep 1
read -r hx hy < <(awk 'BEGIN {
    gx = 61; gy = 340; pw = 838 - 38 - 8; ph = 196 - 8 - 16
    x = pw / 3.4 * (log(383.0) / log(10) - 1); y = ph / 2 - 0.6 * (ph / 2) / 24
    printf "%d %d\n", gx + 38 + int(x), gy + 8 + int(y) }')
xdotool mousemove --window "$id" "$hx" "$hy" mousedown 1
sleep 0.3
xdotool mousemove --window "$id" $((hx + 40)) $((hy - 20))
sleep 0.3
xdotool mousemove --window "$id" $((hx + 60)) $((hy - 30))
sleep 0.3
xdotool mouseup 1
wait_log "^frame 2 546 [0-9]+ 3$" "no frequency of band 3 (546) reached the simulator"
wait_log "^frame 2 547 [0-9]+ 3$" "no gain of band 3 (547) reached the simulator"
shot 02-band3-dragged

# 2b. Band 3 led on from where it was left and held: drawn in part, as its whole frame.
held_drag_is_whole $((hx + 60)) $((hy - 30)) 30 15 02b-held

# 3. Chinese.
xdotool key F4
sleep 0.8
shot 03-chinese

# 4. PC mode 1 saved from the System panel's Mode page (300 x 340 at 330, 130).
xdotool key 7
sleep 1
click 372 164 # the Mode tab
click 552 283 # the PC mode's name box
xdotool type --delay 50 "E2E"
click 582 314 # Save
wait_said "Message 0x800" "the PC mode was not saved"
[ -s "$home/data/tonvex/mode.dat" ] || fail "no mode.dat in the per-user data folder"
[ ! -e "$home/work/mode.dat" ] || fail "a mode.dat was made in the working folder"
grep -q "PC modes: $home/data/tonvex/mode.dat" "$out" || fail "the trace does not say where the PC modes are"
shot 04-pc-mode-saved
click 480 336 # the message's button
sleep 0.5
saved=$(param 1796)

# 5. A value changed: "Effect Start" typed in the volume panel (340 x 196 at 310, 202).
xdotool key 6
sleep 1
click 599 364
xdotool key End BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 50 "5"
xdotool key Return
sleep 1
[ "$(param 1796)" = 5 ] || fail "Effect Start did not reach the simulator ($(param 1796))"
shot 05-value-changed

# 6. The PC mode written back: the System panel from the dock's last icon (the volume box keeps the
# keys while it has the focus), "Download", then the question's "是".
click 606 574
sleep 1
click 512 314
wait_said "Message 0x400" "no question before the upload"
click 420 336
wait_log "^frame 2 35 0 0$" "the upload did not end"
sleep 1
[ "$(param 1796)" = "$saved" ] || fail "after the upload the simulator holds $(param 1796), not the saved $saved"
shot 06-uploaded

# 7. The simulator gone: the next change (a step of the tab bar's Music level) brings the loss message.
kill -TERM $simpid
wait $simpid 2>/dev/null
sleep 2
click 850 35
wait_said "Message 0x1$" "no link-loss message after the simulator went away"
sleep 0.5
shot 07-link-lost

e2e_end
grep -qE "frames: [0-9]+ whole, [1-9][0-9]* drawn only where a drag changed them" "$out" ||
    fail "no frame was drawn only where the drags changed it: $(grep 'frames:' "$out")"
