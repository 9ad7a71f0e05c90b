#include "panels/PcModes.h"

#include "app/AppState.h"
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
    uint32_t* fields[ModeRecordFieldCount];
    ModeRecordFields(fields);
    for (int i = 0; i < ModeRecordFieldCount; ++i)
        record[ModeRecordFirstField + i] = static_cast<uint8_t>(*fields[i]);
    SetModeSlotName(slot, name);
    if (WriteModeFile()) return true;
    std::memcpy(record, before, sizeof before);
    return false;
}

void LoadPcMode(int slot) {
    if (slot < 0 || slot >= ModeSlotCount) return;
    uint8_t record[ModeRecordBytes];
    ClampedModeRecord(slot, record);
    uint32_t* fields[ModeRecordFieldCount];
    ModeRecordFields(fields);
    for (int i = 0; i < ModeRecordFieldCount; ++i)
        *fields[i] = record[ModeRecordFirstField + i];
    RefreshValuePanels();
    if (SystemLanguageSwitch) SystemLanguageSwitch(Language);
}
