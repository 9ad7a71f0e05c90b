// SPDX-License-Identifier: GPL-3.0-or-later
// The sub-woofer panel: Auto/Manual and Sing/Disco, the music and mic gains fed to the sub-woofer (one
// pair for Sing and one for Disco), its effect volume, its low-pass and high-pass, and a three-band
// equaliser. The graph shows the low-pass as band 3 and the high-pass as band 4, each moving with its
// slider and moving it.
#pragma once

#include "gui/GBCheck.h"
#include "gui/GPushBar.h"
#include "panels/AWndEq.h"

struct ParamTargets;

class AWndSub : public AWndEq {
  public:
    static constexpr int SliderCount = 5;
    static constexpr int BandCount = 3;
    static constexpr int LowPassSlider = 3, HighPassSlider = 4;
    static constexpr int LowPassBand = 3, HighPassBand = 4;

    void Build();
    void Draw(float alpha) override;
    void RefreshFromValues() override;
    void StoreToValues() override;
    void Relabel(uint32_t language) override;
    void BindTargets(ParamTargets& targets);

    bool IsAuto() const { return modeButton.value == 0; }
    void SliderChanged(int id);
    void ModeChanged(uint32_t id);
    // Filter band 3 or 4 was dragged: its slider follows and goes out when it changed.
    void FilterDragged(int band);

    GPushBar sliders[SliderCount];
    GBCheck modeButton, styleButton;
    // Sliders 0 and 1 of Sing (set 0) and Disco (set 1); the shown style's pair is stored at a switch.
    uint32_t gains[2][2] = {};
    const char* modeText = nullptr;

  protected:
    bool MoveOwnControls(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    bool PressOwnControls(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
};
