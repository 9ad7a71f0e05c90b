// SPDX-License-Identifier: GPL-3.0-or-later
// A panel holding one or more of every widget kind, wired the way the real panels wire theirs. The
// gallery draws it in every look and the benchmarks measure it.
#pragma once

#include "gui/AWndFrame.h"
#include "gui/GBCheck.h"
#include "gui/GBaseBtn.h"
#include "gui/GCheck.h"
#include "gui/GEQCheck.h"
#include "gui/GListBox.h"
#include "gui/GPushBar.h"
#include "gui/GScrollBar.h"
#include "gui/GTextBox.h"
#include "gui/GVScroll.h"

class DemoPanel : public AWndFrame {
  public:
    static constexpr int Buttons = 8, Checks = 6, EqChecks = 4, Ticks = 4, Lists = 2, Bars = 8, Faders = 6,
                         Boxes = 3;

    // Creates the frame at (x, y) and lays the widgets out inside it.
    void Build(int x, int y);
    int WidgetCount() const;
    bool Shows(const GUIWnd& widget) const;

    void Draw(float alpha) override;
    void OnMouseMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseUp(int x, int y, uint32_t clickSerial) override;
    void OnWheel(int delta) override;
    void OnChar(uint32_t ch) override;
    void OnKeyDown(uint32_t key) override;

    GBaseBtn buttons[Buttons];
    GBCheck checks[Checks];
    GEQCheck eqChecks[EqChecks];
    GCheck ticks[Ticks];
    GListBox lists[Lists];
    GPushBar bars[Bars];
    GScrollBar faders[Faders];
    GVScroll scroller;
    GTextBox boxes[Boxes];
    // Which button a widget drawn "disabled-looking" is: drawn at 40 % of the panel's opacity.
    int dimButton = -1;
};
