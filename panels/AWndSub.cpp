// SPDX-License-Identifier: GPL-3.0-or-later
#include "panels/AWndSub.h"

#include "app/ui/AppState.h"
#include "app/ui/Textures.h"
#include "gui/TextRenderer.h"
#include "link/LinkState.h"
#include "link/ParamCodes.h"
#include "link/ParamMap.h"
#include "link/ParamTable.h"
#include "panels/Panels.h"

#include <GL/gl.h>

namespace {

const LabelPair Title = {{"Sub", "超低音"}};
const LabelPair ModeText = {{"Sub Mode Select:", "超低模式选择:"}};

// Each slider's caption, place, caption style and parameter; its range and units come from the
// parameter table. The two gains are the selected set's.
struct SliderRow {
    LabelPair label;
    int y;
    uint32_t style;
    uint32_t code;
};
constexpr uint32_t OneDecimal = GPushBar::ValueCaption;
constexpr uint32_t Whole = GPushBar::ValueCaption | GPushBar::SplitCaption;
const SliderRow Sliders[AWndSub::SliderCount] = {
    {{{"Sub Music Gain ( %.1f dB )", "音乐增益 ( %.1f dB )"}}, 106, OneDecimal, Code::SubMusicGain},
    {{{"Sub Mic Gain ( %.1f dB )", "话筒增益 ( %.1f dB )"}}, 148, OneDecimal, Code::SubMicGain},
    {{{"Sub EFF Volume ( %d )", "效果音量 ( %d )"}}, 190, Whole, Code::SubEffectVolume},
    {{{"Sub LPF ( %d Hz )", "低通 ( %d Hz )"}}, 232, Whole, Code::SubLowPass},
    {{{"Sub HPF ( %d Hz )", "高通 ( %d Hz )"}}, 274, Whole, Code::SubHighPass},
};

void OnSlider(uint32_t id) {
    if (SubPanel && id < AWndSub::SliderCount) SubPanel->SliderChanged(static_cast<int>(id));
}
void OnModeButton(uint32_t id) {
    if (SubPanel) SubPanel->ModeChanged(id);
}

} // namespace

void AWndSub::Build() {
    for (int i = 0; i < SliderCount; ++i) {
        const SliderRow& s = Sliders[i];
        const ParamInfo& param = *ParamOfCode(s.code);
        sliders[i].Create(20, s.y, 200, 8, 0, 0, param.limit, s.label[0], FontNormal, s.style, UiTexture,
                          static_cast<uint32_t>(i), OnSlider, this);
        sliders[i].displayScale = param.scale;
        sliders[i].displayOffset = param.base;
        sliders[i].bubbleTexture = WfTexture;
    }
    modeButton.Create(26, 52, 64, 22, "Auto", "Manual", FontNormal, 0, GBaseBtn::JoinRight, UiTexture, 0,
                      OnModeButton, this);
    styleButton.Create(89, 52, 64, 22, "Sing", "Disco", FontNormal, 0, GBaseBtn::JoinLeft, UiTexture, 1,
                       OnModeButton, this);
    eq.Create(this, EqSectionSetup{BandCount, Code::SubBand, 272, 2, "SUB.EQ"}, 2);
    EqGraphBand& lowPass = eq.bands[LowPassBand];
    lowPass.type = EqBandType::LowPass24;
    lowPass.freq = 10.0f;
    lowPass.maxFreq = 300;
    EqGraphBand& highPass = eq.bands[HighPassBand];
    highPass.type = EqBandType::HighPass24;
    highPass.freq = 125.0f;
    highPass.maxFreq = 100;
    Relabel(Language);
}

void AWndSub::Relabel(uint32_t language) {
    title = Title[language];
    modeText = ModeText[language];
    for (int i = 0; i < SliderCount; ++i)
        sliders[i].label = Sliders[i].label[language];
}

void AWndSub::BindTargets(ParamTargets& targets) {
    for (int i = 0; i < 3; ++i)
        targets.subSliders[i] = reinterpret_cast<uint32_t*>(&sliders[2 + i].value);
    targets.subAutoManual = reinterpret_cast<uint32_t*>(&modeButton.value);
    targets.subSingDisco = reinterpret_cast<uint32_t*>(&styleButton.value);
    for (int i = 0; i < 2; ++i) {
        targets.subSing[i] = &gains[0][i];
        targets.subDisco[i] = &gains[1][i];
    }
    for (int b = 0; b < BandCount; ++b)
        targets.subBands[b] = eq.bandCodes[b];
}

void AWndSub::SliderChanged(int id) {
    if (id == LowPassSlider || id == HighPassSlider)
        eq.MoveFilter(id == LowPassSlider ? LowPassBand : HighPassBand, FilterSliderHz(sliders[id].value));
    if (SendEnabled)
        LinkSend(Code::SubMusicGain + static_cast<uint32_t>(id), static_cast<uint32_t>(sliders[id].value));
}

void AWndSub::ModeChanged(uint32_t id) {
    if (id == 0) {
        modeButton.SetState(modeButton.value);
        LinkSend(Code::SubAutoManual, static_cast<uint32_t>(modeButton.value));
        return;
    }
    int to = styleButton.value;
    styleButton.SetState(to);
    for (int i = 0; i < 2; ++i) {
        gains[1 - to][i] = static_cast<uint32_t>(sliders[i].value);
        sliders[i].SetValue(static_cast<int>(gains[to][i]));
    }
    LinkSend(Code::SubSingDisco, static_cast<uint32_t>(to));
}

void AWndSub::FilterDragged(int band) {
    int id = band == LowPassBand ? LowPassSlider : HighPassSlider;
    // The slider holds what the processor was last sent or sent us: only a new step goes out.
    int before = sliders[id].value;
    sliders[id].SetValue(FilterSliderStep(eq.bands[band].freq));
    // The handle sits at the slider's frequency, the one the processor applies.
    eq.SnapFilter(band, FilterSliderHz(sliders[id].value));
    if (sliders[id].value != before)
        LinkSend(Code::SubMusicGain + static_cast<uint32_t>(id), static_cast<uint32_t>(sliders[id].value));
}

void AWndSub::Draw(float alpha) {
    if (!IsActive()) return;
    AWndFrame::Draw(alpha);
    int dragged = eq.Draw();
    if (dragged == LowPassBand || dragged == HighPassBand) FilterDragged(dragged);
    if (!eq.ShowsControls()) return;
    float a = eq.ControlsAlpha();
    modeButton.Draw(a);
    styleButton.Draw(IsAuto() ? a / 2.0f : a);
    glEnable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 0.0f, a);
    FontNormal->DrawText(x + 22, y + 32, "%s", modeText);
    for (int i = 0; i < SliderCount; ++i)
        sliders[i].Draw(i < 2 && IsAuto() ? a / 2.0f : a);
}

// In Auto the two gains are the processor's: they take no input.
bool AWndSub::MoveOwnControls(int px, int py, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) {
    for (int i = IsAuto() ? 2 : 0; i < SliderCount; ++i)
        sliders[i].OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    return true;
}

bool AWndSub::PressOwnControls(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    modeButton.OnMouseDown(px, py, claimed, clickSerial);
    if (!IsAuto()) styleButton.OnMouseDown(px, py, claimed, clickSerial);
    for (int i = IsAuto() ? 2 : 0; i < SliderCount; ++i)
        sliders[i].OnMouseDown(px, py, claimed, clickSerial);
    return true;
}

void AWndSub::RefreshFromValues() {
    SendEnabled = 0;
    modeButton.SetState(modeButton.value ? 1 : 0);
    styleButton.SetState(styleButton.value ? 1 : 0);
    for (GPushBar& s : sliders)
        s.SetValue(s.value);
    for (auto& pair : gains)
        for (int i = 0; i < 2; ++i)
            if (pair[i] > static_cast<uint32_t>(sliders[i].maxValue))
                pair[i] = static_cast<uint32_t>(sliders[i].maxValue);
    for (int i = 0; i < 2; ++i)
        sliders[i].SetValue(static_cast<int>(gains[styleButton.value][i]));
    SliderChanged(LowPassSlider);
    SliderChanged(HighPassSlider);
    eq.RefreshFromCodes();
    SendEnabled = 1;
}

void AWndSub::StoreToValues() {
    for (int i = 0; i < 2; ++i)
        gains[styleButton.value ? 1 : 0][i] = static_cast<uint32_t>(sliders[i].value);
    eq.StoreCodes();
}
