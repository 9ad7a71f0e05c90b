// SPDX-License-Identifier: GPL-3.0-or-later
#include "panels/History.h"

#include "common/Tick.h"
#include "link/LinkState.h"
#include "link/ParamCodes.h"
#include "link/ParamMap.h"
#include "panels/AWndBar.h"
#include "panels/Panels.h"
#include "panels/PcModes.h"

#include <cstring>
#include <deque>
#include <utility>
#include <vector>

namespace {

Setting g_noted;             // what the processor holds, as far as the steps know
std::deque<Setting> g_undo;  // the settings before each step, oldest first
std::vector<Setting> g_redo; // the settings after each step taken back, last taken back at the end
Compare g_compare = Compare::Off;
// The setting not live in the comparison, with its own steps: each side is undone on its own.
Setting g_other;
std::deque<Setting> g_otherUndo;
std::vector<Setting> g_otherRedo;
CompareReport g_report;

bool Same(const Setting& a, const Setting& b) {
    return std::memcmp(a.record, b.record, sizeof a.record) == 0 &&
           std::memcmp(a.levels, b.levels, sizeof a.levels) == 0;
}

// Sends what takes the processor from `from` to `to` and puts `to` into the panels. False, changing
// nothing, when the link refuses.
bool Apply(const Setting& to, const Setting& from, int* sent) {
    std::vector<LinkChange> changes = BuildChangeList(from.record, to.record);
    for (int i = 0; i < 3; ++i)
        if (from.levels[i] != to.levels[i]) changes.push_back({Code::EffectLevel + i, to.levels[i]});
    if (sent) *sent = static_cast<int>(changes.size());
    if (!changes.empty() && !LinkSendChanges(changes)) return false;
    FieldsFromRecord(to.record);
    if (BarPanel)
        for (int i = 0; i < 3; ++i)
            BarPanel->levels[i].value = to.levels[i];
    RefreshValuePanels();
    return true;
}

} // namespace

Setting CurrentSetting() {
    Setting s;
    StoreValuePanels();
    RecordFromFields(s.record);
    if (BarPanel)
        for (int i = 0; i < 3; ++i)
            s.levels[i] = static_cast<uint8_t>(BarPanel->levels[i].value);
    return s;
}

void HistoryRestart() {
    g_noted = CurrentSetting();
    g_undo.clear();
    g_redo.clear();
    g_compare = Compare::Off;
    g_otherUndo.clear();
    g_otherRedo.clear();
    g_report = CompareReport{};
}

void HistoryNoteSettled() {
    if (ParamMapCount == 0) return; // the panels are not bound to the parameters (yet)
    Setting now = CurrentSetting();
    if (Same(now, g_noted)) return;
    g_undo.push_back(g_noted);
    if (static_cast<int>(g_undo.size()) > HistoryDepth) g_undo.pop_front();
    g_redo.clear();
    g_noted = now;
}

bool HistoryUndo() {
    HistoryNoteSettled();
    if (g_undo.empty() || !Apply(g_undo.back(), g_noted, nullptr)) return false;
    g_redo.push_back(g_noted);
    g_noted = g_undo.back();
    g_undo.pop_back();
    return true;
}

bool HistoryRedo() {
    HistoryNoteSettled();
    if (g_redo.empty() || !Apply(g_redo.back(), g_noted, nullptr)) return false;
    g_undo.push_back(g_noted);
    g_noted = g_redo.back();
    g_redo.pop_back();
    return true;
}

int HistoryUndoCount() {
    return static_cast<int>(g_undo.size());
}

int HistoryRedoCount() {
    return static_cast<int>(g_redo.size());
}

Compare CompareLive() {
    return g_compare;
}

bool CompareSwitch() {
    if (ParamMapCount == 0) return false;
    HistoryNoteSettled();
    if (g_compare == Compare::Off) {
        g_other = g_noted;
        g_otherUndo = g_undo;
        g_otherRedo = g_redo;
        g_compare = Compare::B;
        return true;
    }
    // The listening levels stay as they are.
    Setting to = g_other;
    std::memcpy(to.levels, g_noted.levels, sizeof to.levels);
    int sent = 0;
    uint32_t start = TickNow();
    if (!Apply(to, g_noted, &sent)) return false;
    g_report = CompareReport{sent, start, sent == 0 ? start : 0};
    std::swap(g_undo, g_otherUndo);
    std::swap(g_redo, g_otherRedo);
    g_other = g_noted;
    g_noted = to;
    g_compare = g_compare == Compare::A ? Compare::B : Compare::A;
    return true;
}

const CompareReport& LastCompareReport() {
    return g_report;
}

void CompareTrack() {
    if (g_report.changes == 0 || g_report.endTick != 0) return;
    if (ChangesLeft == 0) g_report.endTick = ChangesEndTick;
}
