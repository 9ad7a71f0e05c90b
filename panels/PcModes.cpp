// SPDX-License-Identifier: GPL-3.0-or-later
#include "panels/PcModes.h"

#include "app/ui/AppState.h"
#include "gui/AWndFrame.h"
#include "link/ModeFile.h"
#include "link/ParamMap.h"
#include "panels/AWndBar.h"
#include "panels/AWndMVol.h"
#include "panels/AWndMic.h"
#include "panels/AWndMusic.h"
#include "panels/AWndREQ.h"
#include "panels/AWndSC.h"
#include "panels/AWndSub.h"
#include "panels/AWndSys.h"
#include "panels/History.h"
#include "panels/Panels.h"

#include <cstring>

namespace {

template <class Action> void EachValuePanel(Action action) {
    AWndFrame* panels[] = {MicPanel, REQPanel, SCPanel, SubPanel, MusicPanel, MVolPanel, BarPanel, SysPanel};
    for (AWndFrame* panel : panels)
        if (panel) action(panel);
}

} // namespace

void StoreValuePanels() {
    EachValuePanel([](AWndFrame* panel) { panel->StoreToValues(); });
}

void RefreshValuePanels() {
    EachValuePanel([](AWndFrame* panel) { panel->RefreshFromValues(); });
}

bool SavePcMode(int slot, const char* name) {
    if (slot < 0 || slot >= ModeSlotCount) return false;
    uint8_t* record = ModeBuffer + slot * ModeRecordBytes;
    uint8_t before[ModeRecordBytes];
    std::memcpy(before, record, sizeof before);
    StoreValuePanels();
    RecordFromFields(record);
    SetModeSlotName(slot, name);
    if (WriteModeFile()) return true;
    std::memcpy(record, before, sizeof before);
    return false;
}

void LoadPcMode(int slot) {
    if (slot < 0 || slot >= ModeSlotCount) return;
    uint8_t record[ModeRecordBytes];
    ClampedModeRecord(slot, record);
    FieldsFromRecord(record);
    RefreshValuePanels();
    if (SystemLanguageSwitch) SystemLanguageSwitch(Language);
    HistoryRestart();
}
