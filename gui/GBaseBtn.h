// SPDX-License-Identifier: GPL-3.0-or-later
// A push button with a text label that fires when released over itself.
//
//   state    | event                                | next
//   ---------+--------------------------------------+----------------------------------------------
//   idle     | pointer moves inside                 | hover
//   hover    | press inside, flag clear (claims)    | pressed (value latched to 1, pressSerial kept)
//   pressed  | move out while held                  | pressed look off (value 0), still the owner
//   pressed  | move back in while held              | pressed look again
//   pressed  | release inside, serial matches       | fires; hover with the latch still set
//   any      | release elsewhere                    | does not fire; pressed cleared
//   hover    | pointer moves outside                | idle (latch cleared)
#pragma once

#include "gui/GUIWnd.h"

class TextRenderer;

class GBaseBtn : public GUIWnd {
  public:
    enum Style : uint32_t {
        TintPress = 0x1,     // pressed look = pressedSkin tinted 0.9; otherwise onSkin
        OnePiece = 0x2,      // first rectangle of a set stretched over the whole button
        JoinRight = 0x20000, // GBCheck: left button of a joined pair (its right cap joins)
        JoinLeft = 0x80000,  // GBCheck: right button of a joined pair (its left cap joins)
        LatchOn = 0x100000,  // GBCheck: a press always sets value 1; pressed follows value
    };

    GBaseBtn();

    void Create(int x, int y, int width, int height, const char* label, TextRenderer* font, uint32_t style,
                uint32_t texture, uint32_t id, WidgetCallback callback, GUIWnd* parent);

    void Draw(float alpha) override;
    void OnMouseMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseUp(int x, int y, uint32_t clickSerial) override;

    SkinRect normalSkin[3] = {};
    SkinRect hoverSkin[3] = {};
    SkinRect pressedSkin[3] = {};
    SkinRect onSkin[3] = {};
    uint32_t style = 0;
    uint32_t pressed = 0;
    uint32_t hover = 0;
    // 0 matches no click: the application's serial starts at 1 and only grows.
    uint32_t pressSerial = 0;
    uint32_t id = 0;
    WidgetCallback callback = nullptr;
    const char* label = nullptr;
    TextRenderer* font = nullptr;
};
