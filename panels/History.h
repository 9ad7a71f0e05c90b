// SPDX-License-Identifier: GPL-3.0-or-later
// What the user changed, step by step, for undo and redo; and the A/B comparison of two whole
// settings. A step is whatever changed between two moments with no button or key held: a whole drag,
// a typed value, a click, a reset. Going back or forth sends only the parameters that differ from
// what the processor holds, and the panels show the result. A download or a PC mode loaded into the
// processor starts afresh.
#pragma once

#include "link/ModeFile.h"

#include <cstdint>

// What the panels hold: a PC mode record's parameter bytes (both Sing and Disco sets), and the tab
// bar's three levels.
struct Setting {
    uint8_t record[ModeRecordBytes] = {};
    uint8_t levels[3] = {};
};
Setting CurrentSetting();

// Forgets every step and the comparison; what the panels show now is where the next step starts.
void HistoryRestart();
// Called when input has settled (no button or key held): a change since the last call becomes a step.
void HistoryNoteSettled();
// Takes back the last step (sending the earlier values), or does again the last step taken back.
// False when there is none, or when the link takes nothing (no connection): nothing changes then.
bool HistoryUndo();
bool HistoryRedo();
int HistoryUndoCount();
int HistoryRedoCount();
// At least this many steps are kept; older ones are forgotten.
constexpr int HistoryDepth = 200;

// The comparison: off until first used. The first use keeps the current setting as A and goes on
// editing B; each later use switches the processor to the other one (only the parameters that differ
// go out) and the panels show it. Each side keeps its own steps to undo; the switch is not one. The
// tab bar's levels are the listening volume, not part of either.
enum class Compare { Off, A, B };
Compare CompareLive();
// False when the link takes nothing; the comparison then stays as it was.
bool CompareSwitch();
// The last switch: how many changes it sent, when it started, and whether they have all gone out.
struct CompareReport {
    int changes = 0;
    uint32_t startTick = 0, endTick = 0; // endTick 0 while they are going out
};
const CompareReport& LastCompareReport();
// Once a frame: notes when the switch's changes have all been answered.
void CompareTrack();
