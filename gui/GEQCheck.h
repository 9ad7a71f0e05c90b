// SPDX-License-Identifier: GPL-3.0-or-later
// A square button that cycles through three icon states, firing at each press.
//
//   state | event                                | next
//   ------+--------------------------------------+-------------------------------
//   n     | press inside, flag clear (claims)    | (n + 1) mod 3, fires at once
//   held  | move with the button up              | pressed look off
#pragma once

#include "gui/GBaseBtn.h"

class GEQCheck : public GBaseBtn {
  public:
    GEQCheck();

    void Create(int x, int y, int width, int height, uint32_t style, uint32_t extraStyle, uint32_t texture,
                uint32_t id, WidgetCallback callback, GUIWnd* parent);

    void Draw(float alpha) override;
    void OnMouseMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;

    SkinRect iconSkin[3] = {};
};
