// SPDX-License-Identifier: GPL-3.0-or-later
// The icon dock at the bottom of the window: seven icons that open the settings panels, magnified
// under the pointer. It is never in the z-order list and draws no frame; the application feeds it
// moves, presses and releases before the panels.
#pragma once

#include "gui/AWndFrame.h"

class AWndIcon : public AWndFrame {
  public:
    static constexpr int IconCount = 7;

    void Build();
    void Draw(float alpha) override;
    void OnMouseMove(int, int, uint32_t, uint32_t*, uint32_t) override {}
    void OnMouseDown(int, int, uint32_t*, uint32_t) override {}
    void OnMouseUp(int, int, uint32_t) override {}
    void Relabel(uint32_t language) override;
    virtual void UpdateHover(int x, int y);
    virtual void PressAt();
    virtual void ReleaseAt();

    // Base and magnified icon sizes for the current width.
    float BaseSize() const;
    float MagnifiedSize() const { return 1.8f * BaseSize(); }
    // The highest row the dock draws on: its plate, a magnified icon and the label above it.
    int TopReached() const { return height - static_cast<int>(MagnifiedSize() * 1.5f) - 32; }
    float RestingLeft(int icon) const;
    // Moves every icon towards its target: the same share of the way per unit of time at any frame
    // rate (a tenth of the distance left per 10 ms, as it were), from the time since the last step.
    void Ease(uint32_t elapsedMs);

    float iconX[IconCount] = {};
    float iconSize[IconCount] = {};
    float drawnX[IconCount] = {};
    int32_t hoverIcon = -1;
    int32_t lastLabelIcon = -1;
    uint32_t lastLabelTick = 0;
    const char* labels[IconCount] = {};
    uint32_t lastDrawTick = 0;

  private:
    void Targets(float* targetX, float* targetSize) const;
};
