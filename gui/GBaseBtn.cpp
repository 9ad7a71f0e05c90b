// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GBaseBtn.h"

#include "gui/WidgetSkins.h"
#include "gui/TextRenderer.h"

#include <GL/gl.h>

GBaseBtn::GBaseBtn() {
    for (int i = 0; i < 3; ++i) {
        normalSkin[i] = ButtonNormalSkin[i];
        hoverSkin[i] = ButtonHoverSkin[i];
        pressedSkin[i] = ButtonHoverSkin[i];
    }
}

void GBaseBtn::Create(int left, int top, int w, int h, const char* text, TextRenderer* textFont,
                      uint32_t styleBits, uint32_t skinTexture, uint32_t buttonId, WidgetCallback onFire,
                      GUIWnd* owner) {
    x = left;
    y = top;
    width = w;
    height = h;
    label = text;
    font = textFont;
    style = styleBits;
    texture = skinTexture;
    id = buttonId;
    callback = onFire;
    parent = owner;
}

void GBaseBtn::Draw(float alpha) {
    int left = WindowX(), top = WindowY();
    BeginSkin(texture, 1.0f, 1.0f, 1.0f, alpha);
    const SkinRect* look = normalSkin;
    if (hover) {
        if (!pressed && value != 1) {
            look = hoverSkin;
        } else if (style & TintPress) {
            look = pressedSkin;
            glColor4f(0.9f, 0.9f, 0.9f, alpha);
        } else {
            look = onSkin;
        }
    }
    if ((style & OnePiece) && look != onSkin)
        DrawSkinQuad(look[0], left, top, width, height);
    else
        DrawThreePiece(look, left, top, width, height);

    if (label && font) {
        float shade = hover ? 1.0f : 0.0f;
        glColor4f(shade, shade, shade, alpha);
        int labelWidth = font->TextWidth("%s", label);
        font->DrawText(left + (width - labelWidth) / 2, top + 4, "%s", label);
    }
}

void GBaseBtn::OnMouseMove(int px, int py, uint32_t buttonDown, uint32_t*, uint32_t) {
    hover = 0;
    if (Contains(px, py))
        hover = 1;
    else
        value = 0;
    if (!buttonDown) pressed = 0;
}

void GBaseBtn::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    pressed = 0;
    if (!Contains(px, py) || *claimed) return;
    *claimed = 1;
    pressSerial = clickSerial;
    hover = 1;
    pressed = 1;
    value = 1;
}

void GBaseBtn::OnMouseUp(int px, int py, uint32_t clickSerial) {
    if (Contains(px, py) && pressSerial == clickSerial && callback) callback(id);
    pressed = 0;
}
