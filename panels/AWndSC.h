// SPDX-License-Identifier: GPL-3.0-or-later
// The center and surround panel: the center channel's music, mic and effect levels, the surround gain
// and delay, the center high-pass with its slope, the surround path, and a three-band center
// equaliser. The center high-pass is band 3 of the graph and follows slider 4 both ways.
#pragma once

#include "gui/GBCheck.h"
#include "gui/GPushBar.h"
#include "panels/AWndEq.h"

struct ParamTargets;

class AWndSC : public AWndEq {
  public:
    static constexpr int SliderCount = 6;
    static constexpr int BandCount = 3;
    static constexpr int HighPassSlider = 4;
    static constexpr int HighPassBand = 3;

    void Build();
    void Draw(float alpha) override;
    void RefreshFromValues() override;
    void StoreToValues() override;
    void Relabel(uint32_t language) override;
    void BindTargets(ParamTargets& targets);

    void SliderChanged(int id);
    // The slope (id 0) or the surround path (id 1) was pressed.
    void ButtonChanged(uint32_t id);
    void HighPassDragged();

    GPushBar sliders[SliderCount];
    GBCheck slopeButton, pathButton;
    const char* texts[2] = {};

  private:
    void PlaceHighPass();

  protected:
    bool MoveOwnControls(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    bool PressOwnControls(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
    void PressControlsAfterEq(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
};
