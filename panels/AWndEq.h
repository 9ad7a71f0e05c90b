// What the five equaliser panels share as panels: the equaliser section, and the mouse release, the
// typing and the caret keys, which reach the section only while the panel is open and not minimised.
#pragma once

#include "gui/AWndFrame.h"
#include "panels/EqSection.h"

class AWndEq : public AWndFrame {
  public:
    void OnMouseUp(int x, int y, uint32_t clickSerial) override {
        if (!IsActive()) return;
        AWndFrame::OnMouseUp(x, y, clickSerial);
        eq.RouteUp(x, y, clickSerial);
    }
    void OnChar(uint32_t ch) override {
        if (IsActive()) eq.OnChar(ch);
    }
    void OnKeyDown(uint32_t key) override {
        if (IsActive()) eq.OnKeyDown(key);
    }

    EqSection eq;
};
