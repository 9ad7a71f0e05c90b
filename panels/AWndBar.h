// The tab bar across the top of the window. It is never in the z-order list.
#pragma once

#include "gui/AWndFrame.h"

class AWndBar : public AWndFrame {
public:
    AWndBar() {
        x = y = 0;
        frameFlags |= FrameOpen;
    }
};
