// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GEQCheck.h"

#include "gui/WidgetSkins.h"

#include <GL/gl.h>

GEQCheck::GEQCheck() {
    for (int i = 0; i < 3; ++i) {
        normalSkin[i] = hoverSkin[i] = pressedSkin[i] = EqCheckBackSkin;
        iconSkin[i] = EqCheckIconSkin[i];
    }
}

void GEQCheck::Create(int left, int top, int w, int h, uint32_t styleBits, uint32_t extraStyle,
                      uint32_t skinTexture, uint32_t buttonId, WidgetCallback onFire, GUIWnd* owner) {
    GBaseBtn::Create(left, top, w, h, nullptr, nullptr, styleBits, skinTexture, buttonId, onFire, owner);
    style |= extraStyle | OnePiece | TintPress;
}

void GEQCheck::Draw(float alpha) {
    // The square behind the icon is fainter than the icon itself.
    GBaseBtn::Draw(alpha * alpha);
    int state = value >= 0 && value < 3 ? value : 0;
    BeginSkin(texture, 1.0f, 1.0f, 1.0f, alpha);
    DrawSkinQuad(iconSkin[state], WindowX() + 2, WindowY() + 2, 22, 22);
}

void GEQCheck::OnMouseMove(int, int, uint32_t buttonDown, uint32_t*, uint32_t) {
    if (!buttonDown) pressed = 0;
}

void GEQCheck::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t) {
    pressed = 0;
    if (!Contains(px, py) || *claimed) return;
    *claimed = 1;
    pressed = 1;
    value = (value + 1) % 3;
    if (callback) callback(id);
}
