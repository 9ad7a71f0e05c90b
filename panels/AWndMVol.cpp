// SPDX-License-Identifier: GPL-3.0-or-later
#include "panels/AWndMVol.h"

#include "app/ui/AppState.h"
#include "app/ui/Textures.h"
#include "gui/TextRenderer.h"
#include "link/LinkState.h"
#include "link/ParamCodes.h"
#include "link/ParamMap.h"
#include "link/ParamTable.h"
#include "panels/AWndBar.h"
#include "panels/Panels.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

const LabelPair Title = {{"Volume", "音量设定"}};
const LabelPair Labels[AWndMVol::PresetCount] = {
    {{"Music Start", "音乐起始音量"}}, {{"Music Limite", "音乐音量锁定"}}, {{"Mic Start", "话筒起始音量"}},
    {{"Mic Limite", "话筒音量锁定"}},  {{"Effect Start", "效果起始音量"}},
};

void OnBar(uint32_t id) {
    if (MVolPanel && id < AWndMVol::PresetCount) MVolPanel->BarMoved(static_cast<int>(id));
}
void OnBox(uint32_t id) {
    if (MVolPanel && id < AWndMVol::PresetCount) MVolPanel->BoxCommitted(static_cast<int>(id));
}

bool IsLimit(int i) {
    return i == AWndMVol::MusicLimit || i == AWndMVol::MicLimit;
}
bool IsStart(int i) {
    return i == AWndMVol::MusicStart || i == AWndMVol::MicStart;
}

} // namespace

void AWndMVol::Build() {
    for (int i = 0; i < PresetCount; ++i) {
        bars[i].Create(96, 48 + 28 * i, 160, 8, 0, 0, ParamOfCode(Code::MusicStart + i)->limit, Labels[i][0],
                       FontNormal, GPushBar::SplitCaption, UiTexture, static_cast<uint32_t>(i), OnBar, this);
        bars[i].bubbleTexture = WfTexture;
        boxes[i].Create(DxTexture, "0", 264, 38 + 28 * i, 50, 24, GTextBox::DigitsOnly, FontNormal,
                        static_cast<uint32_t>(i), OnBox, this);
        boxes[i].maxLength = 6;
    }
    Relabel(Language);
}

void AWndMVol::Relabel(uint32_t language) {
    title = Title[language];
    for (int i = 0; i < PresetCount; ++i)
        bars[i].label = Labels[i][language];
}

void AWndMVol::BindTargets(ParamTargets& targets) {
    for (int i = 0; i < PresetCount; ++i)
        targets.volume[i] = reinterpret_cast<uint32_t*>(&bars[i].value);
}

void AWndMVol::ShowValue(int i, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    uint32_t focused = boxes[i].focused;
    boxes[i].SetText(text);
    boxes[i].focused = focused;
}

void AWndMVol::CapBarLevel(int limit, bool lower) {
    if (!BarPanel) return;
    GPushBar& level = BarPanel->levels[limit == MusicLimit ? AWndBar::Music : AWndBar::Mic];
    level.limit = bars[limit].value;
    if (lower && level.value > level.limit) level.SetValue(level.limit);
}

// A Start lowered with its Limite goes out with it, as one pair: the processor keeps no Start above
// its Limite.
void AWndMVol::SendPreset(int i, bool startLowered) {
    uint32_t v = static_cast<uint32_t>(bars[i].value);
    LinkSend(Code::MusicStart + static_cast<uint32_t>(i), v,
             startLowered ? Code::MusicStart + static_cast<uint32_t>(i - 1) : 0xFFFFFFFF,
             startLowered ? static_cast<uint32_t>(bars[i - 1].value) : 0xFFFFFFFF);
}

void AWndMVol::BarMoved(int i) {
    int v = bars[i].value;
    ShowValue(i, v);
    bool startLowered = false;
    if (IsLimit(i)) {
        GPushBar& start = bars[i - 1];
        start.limit = v;
        if (start.value > v) {
            start.SetValue(v);
            ShowValue(i - 1, v);
            startLowered = true;
        }
        CapBarLevel(i, true);
    }
    SendPreset(i, startLowered);
}

// The box's callback also comes as it gains the focus; a commit that changes nothing sends nothing. A
// typed fraction is rounded once, half up: the box shows, the bar takes and the processor gets the
// same whole number.
void AWndMVol::BoxCommitted(int i) {
    double f = std::strtod(boxes[i].text, nullptr);
    const int limit = bars[i].maxValue;
    int v = 0;
    if (std::isnan(f) || f < 0.01)
        v = 0;
    else if (f >= limit)
        v = limit;
    else
        v = static_cast<int>(f + 0.5);
    if (IsStart(i) && v > bars[i + 1].value) v = bars[i + 1].value;
    ShowValue(i, v);
    bool startLowered = false;
    if (IsLimit(i) && v < bars[i - 1].value) {
        bars[i - 1].SetValue(v);
        ShowValue(i - 1, v);
        startLowered = true;
    }
    bool changed = v != bars[i].value;
    bars[i].SetValue(v);
    if (IsLimit(i)) {
        bars[i - 1].limit = v;
        CapBarLevel(i, true);
    }
    if (changed || startLowered) SendPreset(i, startLowered);
}

// The values as the processor sent them: a Start above its Limite, or a tab-bar level above a Limite,
// is shown as it is, not lowered behind the processor's back. The limits hold for what the user moves.
void AWndMVol::RefreshFromValues() {
    for (GPushBar& bar : bars)
        bar.SetValue(bar.value);
    for (int start : {MusicStart, MicStart})
        bars[start].limit = bars[start + 1].value;
    for (int i = 0; i < PresetCount; ++i)
        ShowValue(i, bars[i].value);
    CapBarLevel(MusicLimit, false);
    CapBarLevel(MicLimit, false);
}

void AWndMVol::Draw(float alpha) {
    if (!IsActive()) return;
    AWndFrame::Draw(alpha);
    for (GPushBar& bar : bars)
        bar.Draw(opacity);
    for (GTextBox& box : boxes)
        box.DrawBox(opacity, ClientWidth, ClientHeight, MouseX, MouseY, LeftDown, &PressClaimed, ClickSerial);
}

void AWndMVol::OnMouseMove(int px, int py, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    for (GPushBar& bar : bars)
        bar.OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    for (GTextBox& box : boxes)
        box.OnMouseMove(px, py, buttonDown, claimed, clickSerial);
}

void AWndMVol::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseDown(px, py, claimed, clickSerial);
    for (GPushBar& bar : bars)
        bar.OnMouseDown(px, py, claimed, clickSerial);
    for (GTextBox& box : boxes) {
        box.OnMouseDown(px, py, claimed, clickSerial);
        if (box.focused) ActiveTextEdit = &box.focused;
    }
}

void AWndMVol::OnMouseUp(int px, int py, uint32_t clickSerial) {
    if (IsActive()) AWndFrame::OnMouseUp(px, py, clickSerial);
}

void AWndMVol::OnChar(uint32_t ch) {
    if (!IsActive()) return;
    char typed[2] = {static_cast<char>(ch), 0};
    for (GTextBox& box : boxes) {
        if (!box.focused) continue;
        if (ch == 8)
            box.Backspace();
        else
            box.InsertChar(typed);
    }
}

void AWndMVol::OnKeyDown(uint32_t key) {
    if (!IsActive()) return;
    for (GTextBox& box : boxes) {
        if (key == 37) box.CaretLeft(0);
        if (key == 39) box.CaretRight(0);
    }
}
