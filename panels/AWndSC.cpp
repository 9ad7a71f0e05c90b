// SPDX-License-Identifier: GPL-3.0-or-later
#include "panels/AWndSC.h"

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

const LabelPair Title = {{"SC.Set", "中置/后置"}};
const LabelPair Texts[2] = {{{"Center HPF:", "中置高通:"}}, {{"Surround Path:", "后置路径:"}}};

// Each slider's caption, place, caption style and parameter; its range and units come from the
// parameter table.
struct SliderRow {
    LabelPair label;
    int x, y;
    uint32_t style;
    uint32_t code;
};
constexpr uint32_t OneDecimal = GPushBar::ValueCaption;
constexpr uint32_t Whole = GPushBar::ValueCaption | GPushBar::SplitCaption;
// The delay's caption: its time in ms (the table's units), then the distance sound travels in it.
constexpr uint32_t TimeAndDistance = GPushBar::ValueCaption | GPushBar::TwoFloatCaption;
constexpr float MetresPerDelayCode = 0.1f;
const SliderRow Sliders[AWndSC::SliderCount] = {
    {{{"Center Music Gain ( %.1f dB )", "中置音乐增益 ( %.1f dB )"}},
     20,
     64,
     OneDecimal,
     Code::CenterMusicGain},
    {{{"Center Mic Gain ( %.1f dB )", "中置话筒增益 ( %.1f dB )"}}, 20, 106, OneDecimal, Code::CenterMicGain},
    {{{"Center EFF Volume ( %d )", "中置效果音量 ( %d )"}}, 20, 148, Whole, Code::CenterEffectVolume},
    {{{"Surround Gain ( %.1f dB)", "后置增益 ( %.1f dB)"}}, 20, 190, OneDecimal, Code::SurroundGain},
    {{{"HPF FREQ ( %d Hz )", "高通 ( %d Hz )"}}, 20, 274, Whole, Code::CenterHighPass},
    {{{"Surround Delay: Time %.1f ms ( %.1f M )", "后置延时: %.1f ms ( %.1f M )"}},
     240,
     64,
     TimeAndDistance,
     Code::SurroundDelay},
};

void OnSlider(uint32_t id) {
    if (SCPanel && id < AWndSC::SliderCount) SCPanel->SliderChanged(static_cast<int>(id));
}
void OnButton(uint32_t id) {
    if (SCPanel) SCPanel->ButtonChanged(id);
}

} // namespace

void AWndSC::Build() {
    for (int i = 0; i < SliderCount; ++i) {
        const SliderRow& s = Sliders[i];
        const ParamInfo& param = *ParamOfCode(s.code);
        sliders[i].Create(s.x, s.y, 200, 8, 0, 0, param.limit, s.label[0], FontNormal, s.style, UiTexture,
                          static_cast<uint32_t>(i), OnSlider, this);
        sliders[i].displayScale = s.style == TimeAndDistance ? MetresPerDelayCode : param.scale;
        sliders[i].displayOffset = param.base;
        sliders[i].bubbleTexture = WfTexture;
    }
    slopeButton.Create(112, 220, 64, 22, "-12dB/oct", "-24dB/oct", FontNormal, 0, 0, UiTexture, 0, OnButton,
                       this);
    pathButton.Create(330, 94, 82, 22, "Front R.EQ", "Behind R.EQ", FontNormal, 0, 0, UiTexture, 1, OnButton,
                      this);
    eq.Create(this, EqSectionSetup{BandCount, Code::CenterBand, 472, 1, "SC.EQ"}, 3);
    EqGraphBand& hpf = eq.bands[HighPassBand];
    hpf.type = EqBandType::HighPass12;
    hpf.freq = 10.0f;
    hpf.maxFreq = 200;
    Relabel(Language);
}

void AWndSC::Relabel(uint32_t language) {
    title = Title[language];
    for (int i = 0; i < 2; ++i)
        texts[i] = Texts[i][language];
    for (int i = 0; i < SliderCount; ++i)
        sliders[i].label = Sliders[i].label[language];
}

void AWndSC::BindTargets(ParamTargets& targets) {
    for (int i = 0; i < SliderCount; ++i)
        targets.scSliders[i] = reinterpret_cast<uint32_t*>(&sliders[i].value);
    targets.scSlope = reinterpret_cast<uint32_t*>(&slopeButton.value);
    targets.scRoomEqPath = reinterpret_cast<uint32_t*>(&pathButton.value);
    for (int b = 0; b < BandCount; ++b)
        targets.scBands[b] = eq.bandCodes[b];
}

void AWndSC::PlaceHighPass() {
    eq.MoveHighPass(HighPassBand, sliders[HighPassSlider].value, slopeButton.value != 0);
}

void AWndSC::SliderChanged(int id) {
    if (id == HighPassSlider) PlaceHighPass();
    if (SendEnabled) LinkSend(Sliders[id].code, static_cast<uint32_t>(sliders[id].value));
}

void AWndSC::ButtonChanged(uint32_t id) {
    GBCheck& button = id == 0 ? slopeButton : pathButton;
    button.SetState(button.value);
    LinkSend(id == 0 ? Code::CenterSlope : Code::RoomEqPath, static_cast<uint32_t>(button.value));
    if (id == 0) PlaceHighPass();
}

void AWndSC::HighPassDragged() {
    // The slider holds what the processor was last sent or sent us: only a new step goes out.
    GPushBar& slider = sliders[HighPassSlider];
    int before = slider.value;
    slider.SetValue(FilterSliderStep(eq.bands[HighPassBand].freq));
    // The handle sits at the slider's frequency, the one the processor applies.
    eq.SnapFilter(HighPassBand, FilterSliderHz(slider.value));
    if (slider.value != before) LinkSend(Code::CenterHighPass, static_cast<uint32_t>(slider.value));
}

void AWndSC::Draw(float alpha) {
    if (!IsActive()) return;
    AWndFrame::Draw(alpha);
    if (eq.Draw() == HighPassBand) HighPassDragged();
    if (!eq.ShowsControls()) return;
    float a = eq.ControlsAlpha();
    glEnable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 0.0f, a);
    FontNormal->DrawText(x + 26, y + 224, "%s", texts[0]);
    FontNormal->DrawText(x + 242, y + 98, "%s", texts[1]);
    for (GPushBar& s : sliders)
        s.Draw(a);
    slopeButton.Draw(a);
    pathButton.Draw(a);
}

bool AWndSC::MoveOwnControls(int px, int py, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) {
    for (GPushBar& s : sliders)
        s.OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    return true;
}

bool AWndSC::PressOwnControls(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    for (GPushBar& s : sliders)
        s.OnMouseDown(px, py, claimed, clickSerial);
    return true;
}

void AWndSC::PressControlsAfterEq(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    slopeButton.OnMouseDown(px, py, claimed, clickSerial);
    pathButton.OnMouseDown(px, py, claimed, clickSerial);
}

void AWndSC::RefreshFromValues() {
    SendEnabled = 0;
    for (GPushBar& s : sliders)
        s.SetValue(s.value);
    slopeButton.SetState(slopeButton.value ? 1 : 0);
    pathButton.SetState(pathButton.value ? 1 : 0);
    eq.RefreshFromCodes();
    SliderChanged(HighPassSlider);
    SendEnabled = 1;
}

void AWndSC::StoreToValues() {
    eq.StoreCodes();
}
