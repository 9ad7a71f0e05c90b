// The icon dock at the bottom of the window. It is never in the z-order list; the application feeds it
// moves, presses and releases before the panels.
#pragma once

#include "gui/AWndFrame.h"

class AWndIcon : public AWndFrame {
public:
    virtual void UpdateHover(int, int) {}
    virtual void PressAt() {}
    virtual void ReleaseAt() {}
};
