// SPDX-License-Identifier: GPL-3.0-or-later
#include "panels/Panels.h"

#include "app/ui/AppState.h"
#include "link/ParamMap.h"
#include "panels/AWndBar.h"
#include "panels/AWndCon.h"
#include "panels/AWndHelp.h"
#include "panels/AWndIcon.h"
#include "panels/AWndImg.h"
#include "panels/AWndMVol.h"
#include "panels/AWndMic.h"
#include "panels/AWndMsg.h"
#include "panels/AWndMusic.h"
#include "panels/AWndREQ.h"
#include "panels/AWndSC.h"
#include "panels/AWndSub.h"
#include "panels/AWndSys.h"

AWndBar* BarPanel;
AWndIcon* IconPanel;
AWndCon* ConPanel;
AWndHelp* HelpPanel;
AWndMic* MicPanel;
AWndMsg* MsgPanel;
AWndImg* ImgPanel;
AWndMusic* MusicPanel;
AWndMVol* MVolPanel;
AWndREQ* REQPanel;
AWndSC* SCPanel;
AWndSub* SubPanel;
AWndSys* SysPanel;

void ResetPanelPointers() {
    BarPanel = nullptr;
    IconPanel = nullptr;
    ConPanel = nullptr;
    HelpPanel = nullptr;
    MicPanel = nullptr;
    MsgPanel = nullptr;
    ImgPanel = nullptr;
    MusicPanel = nullptr;
    MVolPanel = nullptr;
    REQPanel = nullptr;
    SCPanel = nullptr;
    SubPanel = nullptr;
    SysPanel = nullptr;
}

namespace {

// The framed panels: where each first opens, its size and least size, its title, and the frame
// flags it adds (or, with `clearFlags`, takes away); `make` makes the panel, `panel` is the panel
// made, `build` builds its widgets.
struct FramedPanel {
    int x, y, width, height, minWidth, minHeight;
    const char* title;
    uint32_t addFlags, clearFlags;
    void (*make)();
    AWndFrame* (*panel)();
    void (*build)();
};

template <typename Panel, Panel** pointer>
constexpr FramedPanel Framed(int x, int y, int width, int height, int minWidth, int minHeight,
                             const char* title, uint32_t addFlags, uint32_t clearFlags = 0) {
    return {x,
            y,
            width,
            height,
            minWidth,
            minHeight,
            title,
            addFlags,
            clearFlags,
            [] { *pointer = new Panel; },
            []() -> AWndFrame* { return *pointer; },
            [] { (*pointer)->Build(); }};
}

const FramedPanel FramedPanels[] = {
    Framed<AWndCon, &ConPanel>(100, 100, 310, 200, 200, 200, "Device Connecting", 0),
    Framed<AWndHelp, &HelpPanel>(200, 200, 320, 400, 200, 200, "Help", FrameFixedSize | FrameOpensAtRight),
    Framed<AWndMic, &MicPanel>(300, 300, 840, 520, 460, 480, "Mic", FrameHasSizeToggle),
    Framed<AWndMsg, &MsgPanel>(400, 100, 380, 320, 200, 200, "Message", FrameFixedSize, FrameHasMinimise),
    Framed<AWndImg, &ImgPanel>(400, 100, 380, 320, 200, 200, "Image", FrameNoDragFade),
    Framed<AWndMusic, &MusicPanel>(400, 200, 640, 520, 460, 480, "Music", FrameHasSizeToggle),
    Framed<AWndMVol, &MVolPanel>(400, 300, 340, 196, 200, 200, "Volume", FrameFixedSize),
    Framed<AWndREQ, &REQPanel>(500, 200, 800, 560, 460, 480, "R.EQ", FrameHasSizeToggle),
    Framed<AWndSC, &SCPanel>(500, 300, 640, 520, 460, 480, "SC.Set", FrameHasSizeToggle),
    Framed<AWndSub, &SubPanel>(500, 100, 460, 520, 460, 480, "Sub", FrameHasSizeToggle),
    Framed<AWndSys, &SysPanel>(600, 200, 300, 340, 200, 200, "System", FrameFixedSize),
};

} // namespace

void MakePanels() {
    BarPanel = new AWndBar;
    IconPanel = new AWndIcon;
    for (const FramedPanel& entry : FramedPanels)
        entry.make();
}

void BuildPanels() {
    if (ClientWidth < 620) ClientWidth = 620;
    if (ClientWidth > 20000) ClientWidth = 20000;
    if (ClientHeight < 400) ClientHeight = 400;
    BarPanel->width = ClientWidth;
    BarPanel->Build();
    IconPanel->width = ClientWidth;
    IconPanel->height = ClientHeight;
    IconPanel->Build();
    for (const FramedPanel& entry : FramedPanels) {
        AWndFrame* panel = entry.panel();
        panel->Create(entry.x, entry.y, entry.width, entry.height, entry.minWidth, entry.minHeight,
                      entry.title);
        panel->frameFlags = (panel->frameFlags & ~entry.clearFlags) | entry.addFlags;
        entry.build();
    }
}

void StackPanels() {
    AWndFrame* order[] = {ConPanel,   HelpPanel, MicPanel, MsgPanel, ImgPanel,
                          MusicPanel, REQPanel,  SCPanel,  SubPanel, SysPanel};
    constexpr int count = sizeof order / sizeof order[0];
    for (int i = 0; i < count; ++i) {
        order[i]->zPrev = i > 0 ? order[i - 1] : nullptr;
        order[i]->zNext = i + 1 < count ? order[i + 1] : nullptr;
    }
    TopPanel = ConPanel;
    ConPanel->focusSerial = FocusSerial;
}

void BindPanelParameters() {
    ParamTargets targets{};
    BarPanel->BindTargets(targets);
    MicPanel->BindTargets(targets);
    REQPanel->BindTargets(targets);
    MusicPanel->BindTargets(targets);
    SubPanel->BindTargets(targets);
    SCPanel->BindTargets(targets);
    MVolPanel->BindTargets(targets);
    SysPanel->BindTargets(targets);
    BuildParamMap(targets);
}
