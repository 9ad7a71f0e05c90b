// SPDX-License-Identifier: GPL-3.0-or-later
// The volume panel: the processor's five volume presets, each a push bar with a number box. "Start"
// is never above its "Limite", and the two limits cap the tab bar's Music and Mic levels.
#pragma once

#include "gui/AWndFrame.h"
#include "gui/GPushBar.h"
#include "gui/GTextBox.h"

struct ParamTargets;

class AWndMVol : public AWndFrame {
  public:
    enum Preset { MusicStart = 0, MusicLimit = 1, MicStart = 2, MicLimit = 3, EffectStart = 4 };
    static constexpr int PresetCount = 5;

    void Build();
    void Draw(float alpha) override;
    void OnMouseMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseUp(int x, int y, uint32_t clickSerial) override;
    void OnChar(uint32_t ch) override;
    void OnKeyDown(uint32_t key) override;
    void RefreshFromValues() override;
    void Relabel(uint32_t language) override;
    void BindTargets(ParamTargets& targets);

    void BarMoved(int i);
    void BoxCommitted(int i);

    GPushBar bars[PresetCount];
    GTextBox boxes[PresetCount];

  private:
    void ShowValue(int i, int value);
    // The tab bar's level that preset `limit` (Music or Mic Limite) caps takes it as its limit and, when
    // `lower` (the user moved the Limite), comes down to it.
    void CapBarLevel(int limit, bool lower);
    void SendPreset(int i, bool startLowered);
};
