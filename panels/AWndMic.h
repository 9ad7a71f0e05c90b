// SPDX-License-Identifier: GPL-3.0-or-later
// The microphone and effect panel: eleven sliders for echo, reverb, the microphone high-pass and the
// exciter, two check boxes, and the microphone equaliser of seven bands plus the high-pass filter
// (band 7), which follows slider 8.
#pragma once

#include "gui/GCheck.h"
#include "gui/GPushBar.h"
#include "panels/AWndEq.h"

struct ParamTargets;

class AWndMic : public AWndEq {
  public:
    static constexpr int SliderCount = 11;
    static constexpr int HighPassSlider = 8;
    static constexpr int HighPassBand = 7;

    void Build();
    void Draw(float alpha) override;
    void RefreshFromValues() override;
    void StoreToValues() override;
    void Relabel(uint32_t language) override;
    void BindTargets(ParamTargets& targets);

    // Slider `id` changed: the high-pass band follows slider 8; sent unless sending is off.
    void SliderChanged(int id);
    void CheckChanged(int id);
    // The high-pass handle was dragged: slider 8 follows it and goes out when it changed.
    void HighPassDragged();

    GPushBar sliders[SliderCount];
    GCheck checks[2];

  protected:
    bool MoveOwnControls(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    bool PressOwnControls(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
    void PressControlsAfterEq(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
};
