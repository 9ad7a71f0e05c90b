#pragma once

#include "gui/AWndFrame.h"

class AWndSys : public AWndFrame {
  public:
    // The list whose drop-down is unfolded (equipment modes or PC modes), or null. While one is, it alone
    // gets the presses.
    virtual GUIWnd* OpenDropDown() { return nullptr; }
};
