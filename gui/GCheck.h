// SPDX-License-Identifier: GPL-3.0-or-later
// A small tick box with its label at the right. It reacts to a press without claiming it, so a widget
// under it may take the same press.
#pragma once

#include "gui/GUIWnd.h"

class TextRenderer;

class GCheck : public GUIWnd {
  public:
    GCheck();

    void Create(int x, int y, int width, int height, const char* label, TextRenderer* font, uint32_t texture,
                uint32_t id, WidgetCallback callback, GUIWnd* parent);

    void Draw(float alpha) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;

    SkinRect checkedSkin = {};
    SkinRect uncheckedSkin = {};
    const char* label = nullptr;
    TextRenderer* font = nullptr;
    uint32_t id = 0;
    WidgetCallback callback = nullptr;
};
