// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GScrollBar.h"

#include "app/ui/AppState.h"
#include "app/ui/Projection.h"
#include "common/Tick.h"
#include "gui/WidgetSkins.h"

#include <GL/gl.h>

void GScrollBar::Create(int left, int top, int w, int h, int v, int lowest, int highest, uint32_t skinTexture,
                        uint32_t faderId, WidgetCallback onChange, GUIWnd* owner) {
    x = left;
    y = top;
    width = w;
    height = h;
    minValue = lowest;
    maxValue = highest;
    texture = skinTexture;
    id = faderId;
    callback = onChange;
    AttachTo(owner);
    SetValue(v);
}

void GScrollBar::SetValue(int v) {
    PlaceValue(v);
    lastReported = value;
}

void GScrollBar::PlaceValue(int v) {
    if (v < minValue) v = minValue;
    if (v > maxValue) v = maxValue;
    value = v;
    int range = maxValue - minValue;
    thumbPos = range > 0
                   ? static_cast<int>(Travel() - static_cast<double>(Travel()) * (value - minValue) / range)
                   : 0;
    if (thumbPos > Travel()) thumbPos = Travel();
    if (thumbPos < 0) thumbPos = 0;
}

bool GScrollBar::StepByKey(int steps) {
    int before = value;
    PlaceValue(value + steps);
    if (value == before) return false;
    Report();
    return true;
}

void GScrollBar::Report() {
    if (!callback || value == lastReported) return;
    lastReported = value;
    callback(id);
}

void GScrollBar::Draw(float alpha) {
    int left = WindowX(), top = WindowY();
    uint32_t now = TickNow();
    // The release may reach another panel, or come with no move at all: a press beside the thumb is
    // one step, and the repeat never outlives the button.
    if (!LeftDown) repeating = 0;

    // The engraved scale: marks at +12 .. -24 in steps of 3, a dot at 0.
    glDisable(GL_TEXTURE_2D);
    for (int k = 12; k >= -24; k -= 3) {
        int row = static_cast<int>(top + 11 + static_cast<double>(height - 24) * (12 - k) / 36);
        if (k != 0) {
            glBegin(GL_LINES);
            glColor4f(0.0f, 0.0f, 0.0f, alpha);
            glVertex2i(left + 14, row);
            glVertex2i(left + 20, row);
            glColor4f(1.0f, 1.0f, 1.0f, alpha);
            glVertex2i(left + 14, row + 1);
            glVertex2i(left + 20, row + 1);
            glEnd();
        } else {
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glEnable(GL_POINT_SMOOTH);
            glPointSize(4.4f * DrawScale);
            glBegin(GL_POINTS);
            glColor4f(0.0f, 0.0f, 0.0f, alpha * 0.6f);
            glVertex2i(left + 17, row);
            glEnd();
            glDisable(GL_POINT_SMOOTH);
        }
    }

    BeginSkin(texture, 1.0f, 1.0f, 1.0f, alpha * alpha);
    DrawSkinQuad(FaderTrackSkin[0], left, top, 7, 16);
    DrawSkinQuad(FaderTrackSkin[1], left, top + 16, 7, height - 32);
    DrawSkinQuad(FaderTrackSkin[2], left, top + height - 16, 7, 12);

    float tint = touched ? 0.8f : 1.0f;
    glColor4f(tint, tint, tint, alpha);
    DrawSkinQuad(FaderThumbSkin, left - 4, top + thumbPos + 2, 20, 17);

    if (repeating && !onThumb) {
        LookKeepsChanging();
        if (now - repeatStart > 500 && now - repeatTick > 40) {
            if (pointerY >= top + thumbPos + 10) {
                PlaceValue(value - 1);
                if (top + thumbPos + 11 > pointerY) repeating = 0;
            } else {
                PlaceValue(value + 1);
                if (top + thumbPos + 9 < pointerY) repeating = 0;
            }
            repeatTick = now;
            Report();
        }
    }
}

void GScrollBar::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    touched = 0;
    repeating = 0;
    int left = WindowX(), top = WindowY();
    if (!(px > left - 4 && px < left + width + 8 && py > top && py < top + height) || *claimed) return;
    *claimed = 1;
    pressSerial = clickSerial;
    if (py >= top + thumbPos && py <= top + thumbPos + 18) {
        onThumb = 1;
        grabOffset = py - (top + thumbPos);
    } else {
        onThumb = 0;
        grabOffset = 0;
        pointerY = py;
        PlaceValue(py < top + thumbPos ? value + 1 : value - 1);
        repeatStart = repeatTick = TickNow();
        repeating = 1;
    }
    lastReported = value;
    if (callback) callback(id);
    touched = 1;
}

void GScrollBar::OnMouseMove(int, int py, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) {
    if (!buttonDown) {
        repeating = 0;
        return;
    }
    if (*claimed != 1 || pressSerial != clickSerial) return;
    pointerY = py;
    if (onThumb) {
        int pos = py - WindowY() - grabOffset;
        if (pos > Travel()) pos = Travel();
        if (pos < 0) pos = 0;
        // A value is read from the thumb only once it has moved: its pixel is rounded, and reading it
        // back would change a value the thumb was merely held at.
        if (pos != thumbPos) {
            thumbPos = pos;
            value = Travel() > 0 ? static_cast<int>(maxValue - static_cast<double>(maxValue - minValue) *
                                                                   thumbPos / Travel())
                                 : maxValue;
        }
    }
    Report();
}

void GScrollBar::OnMouseUp(int, int, uint32_t) {
    repeating = 0;
}
