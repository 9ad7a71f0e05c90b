// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GCheck.h"

#include "gui/TextRenderer.h"
#include "gui/WidgetSkins.h"

#include <GL/gl.h>

GCheck::GCheck() : checkedSkin(TickBoxOnSkin), uncheckedSkin(TickBoxOffSkin) {
    value = 1;
}

void GCheck::Create(int left, int top, int w, int h, const char* text, TextRenderer* textFont,
                    uint32_t skinTexture, uint32_t boxId, WidgetCallback onToggle, GUIWnd* owner) {
    x = left;
    y = top;
    width = w;
    height = h;
    label = text;
    font = textFont;
    texture = skinTexture;
    id = boxId;
    callback = onToggle;
    parent = owner;
}

void GCheck::Draw(float alpha) {
    int left = WindowX(), top = WindowY();
    BeginSkin(texture, 1.0f, 1.0f, 1.0f, alpha);
    DrawSkinQuad(value ? checkedSkin : uncheckedSkin, left, top, 13, 14);
    if (label && font) {
        glColor4f(0.0f, 0.0f, 0.0f, alpha);
        font->DrawText(left + width + 2, top, "%s", label);
    }
}

void GCheck::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t) {
    if (*claimed) return;
    int left = WindowX(), top = WindowY();
    int labelWidth = label && font ? font->TextWidth("%s", label) : 0;
    if (px < left || px >= left + width + labelWidth || py < top || py >= top + height) return;
    value = 1 - value;
    if (callback) callback(id);
}
