// SPDX-License-Identifier: GPL-3.0-or-later
#include "panels/AWndMic.h"

#include "app/ui/AppState.h"
#include "app/ui/Textures.h"
#include "gui/TextRenderer.h"
#include "link/LinkState.h"
#include "link/LinkWait.h"
#include "link/ParamCodes.h"
#include "link/ParamMap.h"
#include "link/ParamTable.h"
#include "panels/Panels.h"

namespace {

const LabelPair Title = {{"Mic", "话筒"}};

// Each slider's caption, place and parameter; its range and units come from the parameter table.
struct SliderRow {
    LabelPair label;
    int x, y;
    uint32_t code;
};
const SliderRow Sliders[AWndMic::SliderCount] = {
    {{{"Echo ( %d %% ), Reverb ( %d %% )", "回声比例 ( %d %% )，混响比例 ( %d %% )"}},
     20,
     64,
     Code::MicEchoPercent},
    {{{"Echo LPF ( %d KHz )", "回声低通 ( %d KHz )"}}, 20, 106, Code::MicEchoLowPass},
    {{{"Reverb Time ( %d ms )", "混响时间 ( %d ms )"}}, 20, 148, Code::MicReverbTime},
    {{{"Pre_Delay ( %d ms )", "混响预延时 ( %d ms )"}}, 20, 190, Code::MicPreDelay},
    {{{"Reverb LPF ( %d KHz )", "混响低通 ( %d KHz )"}}, 20, 232, Code::MicReverbLowPass},
    {{{"Reverb HPF ( %d Hz )", "混响高通 ( %d Hz )"}}, 20, 274, Code::MicReverbHighPass},
    {{{"Echo Delay ( %d ms )", "回声延时时间 ( %d ms )"}}, 240, 64, Code::MicEchoDelay},
    {{{"Repeat ( %d %% )", "重复 ( %d %% )"}}, 240, 106, Code::MicRepeat},
    {{{"Mic HPF ( %d Hz )", "话筒高通 ( %d Hz )"}}, 240, 190, Code::MicHighPass},
    {{{"Exciter Intensity ( Value %d )", "激励 ( Value %d )"}}, 240, 232, Code::MicExciterIntensity},
    {{{"Exciter Harmonic ( Value %d %% )", "激励谐波比例 ( Value %d %% )"}},
     240,
     274,
     Code::MicExciterHarmonic},
};
constexpr uint32_t CheckCodes[2] = {Code::MicFeedback, Code::MicMainChannel};

void OnSlider(uint32_t id) {
    if (MicPanel && id < AWndMic::SliderCount) MicPanel->SliderChanged(static_cast<int>(id));
}
void OnCheck(uint32_t id) {
    if (MicPanel && id < 2) MicPanel->CheckChanged(static_cast<int>(id));
}

} // namespace

void AWndMic::Build() {
    for (int i = 0; i < SliderCount; ++i) {
        const SliderRow& s = Sliders[i];
        const ParamInfo& param = *ParamOfCode(s.code);
        sliders[i].Create(s.x, s.y, 200, 8, 0, 0, param.limit, s.label[0], FontNormal,
                          GPushBar::ValueCaption | GPushBar::SplitCaption, UiTexture,
                          static_cast<uint32_t>(i), OnSlider, this);
        sliders[i].displayScale = param.scale;
        sliders[i].displayOffset = param.base;
        sliders[i].bubbleTexture = WfTexture;
    }
    checks[0].Create(236, 146, 14, 14, "MIC Feedback", FontNormal, WfTexture, 0, OnCheck, this);
    checks[1].Create(330, 146, 14, 14, "MIC for main CH", FontNormal, WfTexture, 1, OnCheck, this);
    eq.Create(this, EqSectionSetup{7, Code::MicBand, 472, 1, "MI.EQ"}, 0);
    EqGraphBand& hpf = eq.bands[HighPassBand];
    hpf.type = EqBandType::HighPass12;
    hpf.freq = 10.0f;
    hpf.minFreq = 0;
    hpf.maxFreq = 200;
    Relabel(Language);
}

void AWndMic::Relabel(uint32_t language) {
    title = Title[language];
    for (int i = 0; i < SliderCount; ++i)
        sliders[i].label = Sliders[i].label[language];
}

void AWndMic::BindTargets(ParamTargets& targets) {
    for (int i = 0; i < SliderCount; ++i)
        targets.micSliders[i] = reinterpret_cast<uint32_t*>(&sliders[i].value);
    targets.micFeedback = reinterpret_cast<uint32_t*>(&checks[0].value);
    targets.micMainChannel = reinterpret_cast<uint32_t*>(&checks[1].value);
    for (int b = 0; b < 7; ++b)
        targets.micBands[b] = eq.bandCodes[b];
}

void AWndMic::SliderChanged(int id) {
    if (id == HighPassSlider) eq.MoveFilter(HighPassBand, FilterSliderHz(sliders[id].value));
    if (SendEnabled) LinkSend(Sliders[id].code, static_cast<uint32_t>(sliders[id].value));
}

void AWndMic::CheckChanged(int id) {
    if (LinkWaitIdle() != 0) return;
    LinkSend(CheckCodes[id], static_cast<uint32_t>(checks[id].value));
}

void AWndMic::HighPassDragged() {
    // The slider holds what the processor was last sent or sent us: only a new step goes out.
    GPushBar& slider = sliders[HighPassSlider];
    int before = slider.value;
    slider.SetValue(FilterSliderStep(eq.bands[HighPassBand].freq));
    // The handle sits at the slider's frequency, the one the processor applies.
    eq.SnapFilter(HighPassBand, FilterSliderHz(slider.value));
    if (slider.value != before) LinkSend(Code::MicHighPass, static_cast<uint32_t>(slider.value));
}

void AWndMic::Draw(float alpha) {
    if (!IsActive()) return;
    AWndFrame::Draw(alpha);
    if (eq.Draw() == HighPassBand) HighPassDragged();
    if (!eq.ShowsControls()) return;
    float a = eq.ControlsAlpha();
    for (GPushBar& s : sliders)
        s.Draw(a);
    for (GCheck& c : checks)
        c.Draw(a);
}

bool AWndMic::MoveOwnControls(int px, int py, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) {
    for (GPushBar& s : sliders)
        s.OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    return true;
}

bool AWndMic::PressOwnControls(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    for (GPushBar& s : sliders)
        s.OnMouseDown(px, py, claimed, clickSerial);
    return true;
}

void AWndMic::PressControlsAfterEq(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    for (GCheck& c : checks)
        c.OnMouseDown(px, py, claimed, clickSerial);
}

void AWndMic::RefreshFromValues() {
    SendEnabled = 0;
    for (GPushBar& s : sliders)
        s.SetValue(s.value);
    eq.RefreshFromCodes();
    SliderChanged(HighPassSlider);
    SendEnabled = 1;
}

void AWndMic::StoreToValues() {
    eq.StoreCodes();
}
