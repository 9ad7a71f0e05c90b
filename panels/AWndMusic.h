// SPDX-License-Identifier: GPL-3.0-or-later
// The music panel: Auto/Manual and Sing/Disco, the music key (fifteen buttons, one radio group), the
// music high-pass with its slope, and the music equaliser of seven bands plus the high-pass band 7.
// The panel holds a complete equaliser set for Sing and one for Disco and swaps them with the style;
// in "Auto" the equaliser, the filter and the style are locked while the key still works.
#pragma once

#include "gui/GBCheck.h"
#include "gui/GPushBar.h"
#include "panels/AWndEq.h"

struct ParamTargets;

class AWndMusic : public AWndEq {
  public:
    static constexpr int BandCount = 7;
    static constexpr int HighPassBand = 7;
    static constexpr int KeyCount = 15;
    enum Style { Sing = 0, Disco = 1 };

    // Everything of one style: the equaliser, the slope (0 -12, 1 -24 dB/oct) and the high-pass step.
    // `slope` and `hpf` are where a download puts the style's 770 and 771.
    struct StyleSet {
        EqSection::LiveSet eq;
        uint32_t slope = 0;
        uint32_t hpf = 0;
    };

    void Build();
    void Draw(float alpha) override;
    void RefreshFromValues() override;
    void StoreToValues() override;
    void Relabel(uint32_t language) override;
    void BindTargets(ParamTargets& targets);

    bool IsAuto() const { return modeButton.value == 0; }
    // Callbacks: the mode, style and slope buttons (ids 0, 1, 2), key button k, the high-pass slider.
    void ModeChanged(uint32_t id);
    void KeyPressed(int k);
    void SliderChanged();
    // The high-pass handle was dragged: the slider follows and goes out when it changed.
    void HighPassDragged();

    // The live controls of style `style` put away, or brought back whole.
    void StoreSet(StyleSet& set) const;
    void LoadSet(const StyleSet& set);

    GBCheck modeButton, styleButton, slopeButton;
    GPushBar hpfSlider;
    GBCheck keyButtons[KeyCount];
    // The style not shown waits here; the shown one is refreshed into it only at a switch.
    StyleSet sets[2];
    // The band records a download fills: the Sing group, then the Disco group.
    uint32_t bandCodes[2][BandCount][4] = {};
    const char* texts[3] = {};

  private:
    // Band 7 as the slider and the slope say.
    void PlaceHighPass();

  protected:
    bool MoveOwnControls(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    bool PressOwnControls(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
    bool EqTakesKeys() const override;
};
