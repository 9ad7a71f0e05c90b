// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GVScroll.h"

#include "app/ui/Textures.h"
#include "gui/WidgetSkins.h"

#include <GL/gl.h>

void GVScroll::Create(int left, int top, int w, int h, int v, int lowest, int highest, uint32_t scrollId,
                      WidgetCallback onScroll, GUIWnd* owner) {
    x = left;
    y = top;
    width = w;
    height = h;
    value = v;
    minValue = lowest;
    maxValue = highest;
    id = scrollId;
    callback = onScroll;
    parent = owner;
    int range = maxValue - minValue;
    thumbLength = range > 0 ? static_cast<int>(h * (static_cast<float>(h) / range)) : h;
    if (thumbLength < 32) thumbLength = 32;
}

void GVScroll::ClampThumb() {
    int lowest = height - thumbLength - 3;
    if (thumbPos > lowest) thumbPos = lowest;
    if (thumbPos < 0) thumbPos = 0;
}

void GVScroll::Position() {
    int travel = height - thumbLength;
    value = travel > 0 ? static_cast<int>(static_cast<float>(thumbPos) / travel * (maxValue - minValue)) : 0;
    if (value > maxValue - PageUnits) value = maxValue - PageUnits;
    // Content shorter than a page has nothing to scroll: never scroll above its top.
    if (value < minValue) value = minValue;
}

void GVScroll::Draw(float alpha) {
    int left = WindowX(), top = WindowY();
    BeginSkin(ExTexture, 1.0f, 1.0f, 1.0f, alpha * 0.6f);
    DrawSkinQuad(ScrollTrackSkin[0], left, top, 7, 16);
    DrawSkinQuad(ScrollTrackSkin[1], left, top + 16, 7, height - 32);
    DrawSkinQuad(ScrollTrackSkin[2], left, top + height - 16, 7, 16);

    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    int thumbTop = top + 1 + thumbPos;
    DrawSkinQuad(ScrollThumbSkin[0], left + 1, thumbTop, 5, 16);
    DrawSkinQuad(ScrollThumbSkin[1], left + 1, thumbTop + 16, 5, thumbLength - 32);
    DrawSkinQuad(ScrollThumbSkin[2], left + 1, thumbTop + thumbLength - 16, 5, 16);
}

void GVScroll::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    active = 0;
    int left = WindowX(), top = WindowY();
    if (!(px > left && px < left + width && py > top && py < top + height) || *claimed) return;
    *claimed = 1;
    pressSerial = clickSerial;
    onThumb = 0;
    grabOffset = 0;
    if (py >= top + thumbPos && py <= top + thumbPos + thumbLength) {
        onThumb = 1;
        grabOffset = py - (top + thumbPos);
        Position();
    }
    active = 1;
}

void GVScroll::OnMouseMove(int, int py, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) {
    if (!buttonDown) {
        active = 0;
        return;
    }
    if (*claimed != 1 || pressSerial != clickSerial || !onThumb) return;
    thumbPos = py - WindowY() - grabOffset;
    ClampThumb();
    Position();
}

void GVScroll::OnWheel(int delta) {
    int step = thumbLength > 0 ? height / thumbLength * 4 : 0;
    thumbPos += delta < 0 ? step : -step;
    ClampThumb();
    Position();
}
