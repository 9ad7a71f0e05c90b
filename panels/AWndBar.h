// The tab bar across the top of the window. It is never in the z-order list and draws no frame.
#pragma once

#include "gui/AWndFrame.h"

class AWndBar : public AWndFrame {
public:
    AWndBar() {
        x = y = 0;
        frameFlags |= FrameOpen;
    }
    void Draw(float alpha) override { opacity = alpha; }
    void OnMouseMove(int, int, uint32_t, uint32_t*, uint32_t) override {}
    void OnMouseDown(int, int, uint32_t*, uint32_t) override {}
    void OnMouseUp(int, int, uint32_t) override {}
};
