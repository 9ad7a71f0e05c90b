// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GBCheck.h"

#include "gui/WidgetSkins.h"

GBCheck::GBCheck() {
    for (int i = 0; i < 3; ++i) {
        normalSkin[i] = CheckOffSkin[i];
        hoverSkin[i] = CheckOffSkin[i];
        pressedSkin[i] = CheckOnSkin[i];
        onSkin[i] = CheckOnSkin[i];
    }
}

void GBCheck::Create(int left, int top, int w, int h, const char* off, const char* on, TextRenderer* textFont,
                     uint32_t styleBits, uint32_t extraStyle, uint32_t skinTexture, uint32_t buttonId,
                     WidgetCallback onFire, GUIWnd* owner) {
    GBaseBtn::Create(left, top, w, h, off, textFont, styleBits, skinTexture, buttonId, onFire, owner);
    labelOff = off;
    labelOn = on;
    style |= extraStyle;
    if (style & JoinRight) {
        normalSkin[2] = CheckJoinRightCapOff;
        hoverSkin[2] = CheckJoinRightCapOff;
        onSkin[2] = CheckJoinRightCapOn;
    }
    if (style & JoinLeft) {
        normalSkin[0] = CheckJoinLeftCapOff;
        hoverSkin[0] = CheckJoinLeftCapOff;
        onSkin[0] = CheckJoinLeftCapOn;
    }
}

void GBCheck::SetState(int32_t on) {
    value = on ? 1 : 0;
    label = value ? labelOn : labelOff;
    pressed = hover = static_cast<uint32_t>(value);
}

void GBCheck::Draw(float alpha) {
    if ((style & LatchOn) && value == 1) pressed = 1;
    GBaseBtn::Draw(alpha);
}

void GBCheck::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t) {
    pressed = 0;
    if (!Contains(px, py) || *claimed) return;
    *claimed = 1;
    hover = 1;
    pressed = 1;
    value = (style & LatchOn) ? 1 : 1 - value;
    label = value == 1 ? labelOn : labelOff;
    if (callback) callback(id);
}

void GBCheck::OnMouseUp(int px, int py, uint32_t clickSerial) {
    GBaseBtn::OnMouseUp(px, py, clickSerial);
    hover = 0;
}
