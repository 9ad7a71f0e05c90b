// SPDX-License-Identifier: GPL-3.0-or-later
#include "panels/AWndMusic.h"

#include "app/ui/AppState.h"
#include "app/ui/Textures.h"
#include "gui/TextRenderer.h"
#include "link/LinkState.h"
#include "link/ParamCodes.h"
#include "link/ParamMap.h"
#include "link/ParamTable.h"
#include "panels/Panels.h"

#include <GL/gl.h>
#include <cstring>

namespace {

const LabelPair Title = {{"Music", "音乐"}};
const LabelPair HpfLabel = {{"HPF FREQ (%d Hz)", "音乐高通 (%d Hz)"}};
const LabelPair Texts[3] = {
    {{"Music Mode Select:", "音乐模式选择:"}}, {{"Music HPF:", "音乐高通:"}}, {{"Music Key", "变调"}}};
const char* const KeyLabels[AWndMusic::KeyCount] = {"b1", "b2", "b3", "b4", "b5", "b6", "b7", "#",
                                                    "#1", "#2", "#3", "#4", "#5", "#6", "#7"};

void OnModeButton(uint32_t id) {
    if (MusicPanel) MusicPanel->ModeChanged(id);
}
void OnKey(uint32_t id) {
    if (MusicPanel && id < AWndMusic::KeyCount) MusicPanel->KeyPressed(static_cast<int>(id));
}
void OnSlider(uint32_t) {
    if (MusicPanel) MusicPanel->SliderChanged();
}

} // namespace

void AWndMusic::Build() {
    modeButton.Create(26, 52, 64, 22, "Auto", "Manual", FontNormal, 0, GBaseBtn::JoinRight, UiTexture, 0,
                      OnModeButton, this);
    styleButton.Create(89, 52, 64, 22, "Sing", "Disco", FontNormal, 0, GBaseBtn::JoinLeft, UiTexture, 1,
                       OnModeButton, this);
    slopeButton.Create(106, 96, 64, 22, "-12dB/oct", "-24dB/oct", FontNormal, 0, 0, UiTexture, 2,
                       OnModeButton, this);
    const ParamInfo& hpfParam = *ParamOfCode(Code::MusicHighPass);
    hpfSlider.Create(20, 152, 200, 8, 0, 0, hpfParam.limit, HpfLabel[0], FontNormal,
                     GPushBar::ValueCaption | GPushBar::SplitCaption, UiTexture, 0, OnSlider, this);
    hpfSlider.displayScale = hpfParam.scale;
    hpfSlider.bubbleTexture = WfTexture;
    for (int k = 0; k < KeyCount; ++k) {
        int kx = k < 7 ? 26 + 31 * k : k == 7 ? 26 : 26 + 31 * (k - 8);
        int ky = k < 7 ? 196 : k == 7 ? 216 : 236;
        keyButtons[k].Create(kx, ky, k == 7 ? 32 : 35, 22, KeyLabels[k], KeyLabels[k], FontNormal, 0,
                             GBaseBtn::LatchOn | GBaseBtn::JoinLeft, UiTexture, static_cast<uint32_t>(k),
                             OnKey, this);
    }
    eq.Create(this, EqSectionSetup{BandCount, Code::MusicBand, 272, 1, "MU.EQ"}, 1);
    EqGraphBand& hpf = eq.bands[HighPassBand];
    hpf.type = EqBandType::HighPass12;
    hpf.freq = 10.0f;
    hpf.minFreq = 0;
    hpf.maxFreq = 200;
    for (StyleSet& set : sets)
        StoreSet(set);
    Relabel(Language);
}

void AWndMusic::Relabel(uint32_t language) {
    title = Title[language];
    hpfSlider.label = HpfLabel[language];
    for (int i = 0; i < 3; ++i)
        texts[i] = Texts[i][language];
}

void AWndMusic::BindTargets(ParamTargets& targets) {
    targets.musicAutoManual = reinterpret_cast<uint32_t*>(&modeButton.value);
    targets.musicSingDisco = reinterpret_cast<uint32_t*>(&styleButton.value);
    targets.musicSing[0] = &sets[Sing].slope;
    targets.musicSing[1] = &sets[Sing].hpf;
    targets.musicDisco[0] = &sets[Disco].slope;
    targets.musicDisco[1] = &sets[Disco].hpf;
    for (int b = 0; b < BandCount; ++b) {
        targets.musicSingBands[b] = bandCodes[Sing][b];
        targets.musicDiscoBands[b] = bandCodes[Disco][b];
    }
}

void AWndMusic::StoreSet(StyleSet& set) const {
    eq.Store(set.eq);
    set.slope = static_cast<uint32_t>(slopeButton.value);
    set.hpf = static_cast<uint32_t>(hpfSlider.value);
}

void AWndMusic::LoadSet(const StyleSet& set) {
    eq.Load(set.eq);
    slopeButton.SetState(set.slope ? 1 : 0);
    hpfSlider.SetValue(static_cast<int>(set.hpf));
}

void AWndMusic::PlaceHighPass() {
    eq.MoveHighPass(HighPassBand, hpfSlider.value, slopeButton.value != 0);
}

void AWndMusic::ModeChanged(uint32_t id) {
    if (id == 0) {
        modeButton.SetState(modeButton.value);
        LinkSend(Code::MusicAutoManual, static_cast<uint32_t>(modeButton.value));
    } else if (id == 2) {
        slopeButton.SetState(slopeButton.value);
        LinkSend(Code::MusicSlope, static_cast<uint32_t>(slopeButton.value));
        PlaceHighPass();
    } else if (id == 1) {
        int to = styleButton.value;
        styleButton.SetState(to);
        StoreSet(sets[1 - to]);
        LoadSet(sets[to]);
        PlaceHighPass();
        LinkSend(Code::MusicSingDisco, static_cast<uint32_t>(to));
    }
}

void AWndMusic::KeyPressed(int k) {
    for (int i = 0; i < KeyCount; ++i)
        keyButtons[i].SetState(i == k);
    LinkSend(Code::MusicKey, static_cast<uint32_t>(k < 7 ? 6 - k : k));
}

void AWndMusic::SliderChanged() {
    PlaceHighPass();
    if (SendEnabled) LinkSend(Code::MusicHighPass, static_cast<uint32_t>(hpfSlider.value));
}

void AWndMusic::HighPassDragged() {
    // The slider holds what the processor was last sent or sent us: only a new step goes out.
    int before = hpfSlider.value;
    hpfSlider.SetValue(FilterSliderStep(eq.bands[HighPassBand].freq));
    // The handle sits at the slider's frequency, the one the processor applies.
    eq.SnapFilter(HighPassBand, FilterSliderHz(hpfSlider.value));
    if (hpfSlider.value != before) LinkSend(Code::MusicHighPass, static_cast<uint32_t>(hpfSlider.value));
}

void AWndMusic::Draw(float alpha) {
    if (!IsActive()) return;
    AWndFrame::Draw(alpha);
    eq.locked = IsAuto();
    if (eq.Draw() == HighPassBand) HighPassDragged();
    if (!eq.ShowsControls()) return;
    float a = eq.ControlsAlpha();
    float locked = IsAuto() ? a / 2.0f : a;
    glEnable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 0.0f, a);
    FontNormal->DrawText(x + 22, y + 32, "%s", texts[0]);
    FontNormal->DrawText(x + 22, y + 176, "%s", texts[2]);
    modeButton.Draw(a);
    for (GBCheck& key : keyButtons)
        key.Draw(a);
    glEnable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 0.0f, locked);
    FontNormal->DrawText(x + 22, y + 100, "%s", texts[1]);
    styleButton.Draw(locked);
    slopeButton.Draw(locked);
    hpfSlider.Draw(locked);
}

// In Auto the processor sets the music equaliser: only the mode button and the key buttons take input.
bool AWndMusic::MoveOwnControls(int px, int py, uint32_t buttonDown, uint32_t* claimed,
                                uint32_t clickSerial) {
    if (IsAuto()) return false;
    hpfSlider.OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    return true;
}

bool AWndMusic::PressOwnControls(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    modeButton.OnMouseDown(px, py, claimed, clickSerial);
    for (GBCheck& key : keyButtons)
        key.OnMouseDown(px, py, claimed, clickSerial);
    if (IsAuto()) return false;
    styleButton.OnMouseDown(px, py, claimed, clickSerial);
    slopeButton.OnMouseDown(px, py, claimed, clickSerial);
    hpfSlider.OnMouseDown(px, py, claimed, clickSerial);
    return true;
}

bool AWndMusic::EqTakesKeys() const {
    return !IsAuto();
}

void AWndMusic::RefreshFromValues() {
    SendEnabled = 0;
    modeButton.SetState(modeButton.value ? 1 : 0);
    styleButton.SetState(styleButton.value ? 1 : 0);
    // Each stored set is filled as the live equaliser fills itself, through the live controls.
    for (int s = 0; s < 2; ++s) {
        std::memcpy(eq.bandCodes, bandCodes[s], sizeof bandCodes[s]);
        eq.RefreshFromCodes();
        slopeButton.SetState(sets[s].slope ? 1 : 0);
        hpfSlider.SetValue(static_cast<int>(sets[s].hpf));
        PlaceHighPass();
        StoreSet(sets[s]);
    }
    LoadSet(sets[styleButton.value]);
    SliderChanged();
    SendEnabled = 1;
}

void AWndMusic::StoreToValues() {
    StoreSet(sets[styleButton.value ? Disco : Sing]);
    for (int s = 0; s < 2; ++s)
        eq.CodesFromSet(sets[s].eq, bandCodes[s]);
}
