// The icon dock at the bottom of the window. It is never in the z-order list and draws no frame; the
// application feeds it moves, presses and releases before the panels.
#pragma once

#include "gui/AWndFrame.h"

class AWndIcon : public AWndFrame {
public:
    void Draw(float alpha) override { opacity = alpha; }
    void OnMouseMove(int, int, uint32_t, uint32_t*, uint32_t) override {}
    void OnMouseDown(int, int, uint32_t*, uint32_t) override {}
    void OnMouseUp(int, int, uint32_t) override {}
    virtual void UpdateHover(int, int) {}
    virtual void PressAt() {}
    virtual void ReleaseAt() {}
};
