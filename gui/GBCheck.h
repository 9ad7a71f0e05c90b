// SPDX-License-Identifier: GPL-3.0-or-later
// A check button: toggles between two labels (or, with latchOn, latches to 1 as one member of a radio
// group) and fires at the press.
//
//   state        | event                                 | next
//   -------------+---------------------------------------+------------------------------------------
//   off / on     | press inside, flag clear (claims)     | value flipped (latchOn: set to 1), label
//                |                                       | follows, fires at once; on look while held
//   held         | release                               | hover cleared; never fires again
//   latchOn, 1   | any draw                              | pressed forced to 1
//
// Panels pass no mouse moves to check buttons: the inherited move would clear value outside. A radio
// group's owner sets value, pressed and hover on the chosen member in its callback and passes the group
// no releases, so the chosen member keeps the on look.
#pragma once

#include "gui/GBaseBtn.h"

class GBCheck : public GBaseBtn {
  public:
    GBCheck();

    void Create(int x, int y, int width, int height, const char* labelOff, const char* labelOn,
                TextRenderer* font, uint32_t style, uint32_t extraStyle, uint32_t texture, uint32_t id,
                WidgetCallback callback, GUIWnd* parent);

    // Sets the state without firing: value 0 or 1, the label that goes with it, and the on look for 1
    // (a radio member chosen by its owner, a state read back from the processor).
    void SetState(int32_t on);
    void Draw(float alpha) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseUp(int x, int y, uint32_t clickSerial) override;

    const char* labelOff = nullptr;
    const char* labelOn = nullptr;
};
