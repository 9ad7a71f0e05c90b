// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GPushBar.h"

#include "app/ui/AppState.h"
#include "common/Tick.h"
#include "gui/AWndFrame.h"
#include "gui/TextRenderer.h"
#include "gui/WidgetSkins.h"

#include <GL/gl.h>
#include <cstdio>

GPushBar::GPushBar() {}

void GPushBar::Create(int left, int top, int w, int, int v, int lowest, int highest, const char* caption,
                      TextRenderer* captionFont, uint32_t styleBits, uint32_t skinTexture, uint32_t barId,
                      WidgetCallback onChange, GUIWnd* owner) {
    x = left;
    y = top;
    width = w;
    height = 8;
    minValue = lowest;
    maxValue = highest;
    label = caption;
    font = captionFont;
    style = styleBits;
    texture = skinTexture;
    id = barId;
    callback = onChange;
    AttachTo(owner);
    SetValue(v);
}

void GPushBar::SetValue(int v) {
    PlaceValue(v);
    // A value set from outside (a download, a key, another control) raises no bubble, and counts as
    // reported: the bar fires again only when it moves away from it.
    bubbleValue = value;
    lastReported = value;
}

void GPushBar::PlaceValue(int v) {
    if (v < minValue) v = minValue;
    if (v > maxValue) v = maxValue;
    value = v;
    int range = maxValue - minValue;
    thumbPos = range > 0 ? static_cast<int>(static_cast<double>(Travel()) * (value - minValue) / range) : 0;
}

void GPushBar::ClampThumb() {
    if (thumbPos > Travel()) thumbPos = Travel();
    if (thumbPos < 0) thumbPos = 0;
}

void GPushBar::HoldBelowLimit() {
    int range = maxValue - minValue;
    if (limit <= minValue || range <= 0) return;
    int limitPos = static_cast<int>(static_cast<double>(Travel()) * (limit - minValue) / range);
    if (thumbPos > limitPos) thumbPos = limitPos;
}

void GPushBar::ValueFromThumb() {
    int travel = Travel();
    value = travel > 0
                ? static_cast<int>(minValue + static_cast<double>(maxValue - minValue) * thumbPos / travel)
                : minValue;
    // The limit's pixel is rounded down, and the value read back from it would fall one short: a thumb
    // held at the limit stands for the limit itself.
    int range = maxValue - minValue;
    if (limit > minValue && limit <= maxValue && range > 0 &&
        thumbPos >= static_cast<int>(static_cast<double>(travel) * (limit - minValue) / range))
        value = limit;
}

bool GPushBar::StepByKey(int steps) {
    int before = value;
    PlaceValue(value + steps);
    if (value == before) return false;
    Report();
    return true;
}

void GPushBar::Report() {
    if (!callback || value == lastReported) return;
    lastReported = value;
    callback(id);
}

void GPushBar::CaptionText(char* out, int size) const {
    out[0] = '\0';
    if (!label) return;
        // The label is the program's own caption, a format that takes the caption form's arguments.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    if (style & TwoFloatCaption)
        std::snprintf(out, size, label, value * 0.3, value * displayScale + displayOffset);
    else if ((style & ValueCaption) && (style & SplitCaption))
        std::snprintf(out, size, label, static_cast<int>(value * displayScale + displayOffset),
                      static_cast<int>((maxValue - value) * displayScale));
    else if (style & ValueCaption)
        std::snprintf(out, size, label, static_cast<double>(value * displayScale + displayOffset));
    else
        std::snprintf(out, size, "%s", label);
#pragma GCC diagnostic pop
}

// A frame of the bar: its painting, then the two movements the time drives while the button is held
// (the repeat after a press beside the thumb, the slow rise of a dragged thumb).
void GPushBar::Draw(float alpha) {
    int left = WindowX(), top = WindowY();
    uint32_t now = TickNow();
    // The release reaches only the top panel and sends no move, so the button state is read here: a
    // click beside the thumb is one step, not a walk to wherever the pointer rests.
    if (!LeftDown) active = 0;

    PaintBar(left, top, alpha);
    PaintCaption(left, top, alpha);
    PaintBubble(left, top, alpha, now);
    if (active && !onThumb && now - repeatStart > 500 && now - repeatTick > 40) RepeatStep(left, now);
    if (active && onThumb && (style & SlowRise)) RiseStep(left, now);
    bubbleValue = value;
}

void GPushBar::PaintBar(int left, int top, float alpha) {
    BeginSkin(texture, 1.0f, 1.0f, 1.0f, alpha);
    DrawThreePiece(PushBarTrackSkin, left, top, width, 8);

    float share = maxValue > minValue ? static_cast<float>(value - minValue) / (maxValue - minValue) : 1.0f;
    glColor4f(1.0f, 1.0f, 1.0f, alpha * (0.5f + 0.5f * share));
    DrawSkinQuad((style & AltFill) ? PushBarAltFillSkin : PushBarFillSkin, left + 2, top + 2, width - 3, 5);

    float tint = active ? 0.8f : 1.0f;
    glColor4f(tint, tint, tint, alpha);
    DrawSkinQuad(PushBarThumbSkin, left + thumbPos, top - 4, 12, 14);
}

void GPushBar::PaintCaption(int left, int top, float alpha) {
    if (!label || !font) return;
    char caption[256];
    CaptionText(caption, sizeof caption);
    glColor4f(0.0f, 0.0f, 0.0f, alpha);
    if (style & (TwoFloatCaption | ValueCaption))
        font->DrawText(left, top - 20, "%s", caption);
    else
        font->DrawText(left - 4 - font->TextWidth("%s", caption), top - 4, "%s", caption);
}

// The value bubble: placed under the thumb while it is held (or once the value settles after a change
// from outside), and faded out over a second.
void GPushBar::PaintBubble(int left, int top, float alpha, uint32_t now) {
    if (active || (bubbleValue != value && now - bubbleTick > 300)) {
        bubbleX = left + thumbPos + 6;
        bubbleY = top + 12;
    }
    if (active) bubbleTick = now;
    if (now - bubbleTick < 1000) {
        LookKeepsChanging(); // the bubble fades
        float panelOpacity = parent ? static_cast<AWndFrame*>(parent)->opacity : alpha;
        float fade = (1.0f - static_cast<float>(now - bubbleTick) / 1000.0f) * panelOpacity;
        if (bubbleTexture)
            BeginSkin(bubbleTexture, 1.0f, 1.0f, 1.0f, fade);
        else
            BeginFlat(1.0f, 1.0f, 1.0f, fade);
        DrawSkinQuad(PushBarBubbleSkin, bubbleX, bubbleY, 36, 22);
        if (font) {
            glEnable(GL_TEXTURE_2D);
            glColor4f(0.0f, 0.0f, 0.0f, fade);
            font->DrawText(bubbleX + 11, bubbleY + 3, "%d", value);
        }
    }
    if (bubbleValue != value) {
        bubbleTick = now;
        LookKeepsChanging(); // lit from the next frame
    }
}

// Auto-repeat after a press beside the thumb: one step of the thumb towards the pointer.
void GPushBar::RepeatStep(int left, uint32_t now) {
    if (pointerX >= left + thumbPos + 6) {
        PlaceValue(value + 1);
        if (left + thumbPos + 7 > pointerX) active = 0;
    } else {
        PlaceValue(value - 1);
        if (left + thumbPos + 5 < pointerX) active = 0;
    }
    ClampThumb();
    if (limit > minValue && value > limit) PlaceValue(limit);
    repeatTick = now;
    Report();
}

// Slow rise: the thumb climbs towards the pointer one pixel per 40 ms and drops to it at once.
void GPushBar::RiseStep(int left, uint32_t now) {
    int target = pointerX - left - grabOffset;
    if (target > thumbPos && now - lastDragTick > 40)
        thumbPos += 1;
    else if (target < thumbPos)
        thumbPos = target;
    else
        return;
    ClampThumb();
    HoldBelowLimit();
    ValueFromThumb();
    lastDragTick = now;
    Report();
}

void GPushBar::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    active = 0;
    int left = WindowX(), top = WindowY();
    if (!(px > left && px < left + width && py > top - 4 && py < top + 10) || *claimed) return;
    *claimed = 1;
    pressSerial = clickSerial;
    pointerX = px;
    if (px < left + thumbPos || px > left + thumbPos + 12) {
        onThumb = 0;
        grabOffset = 0;
        PlaceValue(px < left + thumbPos ? value - 1 : value + 1);
        ClampThumb();
        HoldBelowLimit();
        if (limit > minValue && value > limit) PlaceValue(limit);
        repeatStart = repeatTick = TickNow();
        Report();
    } else {
        // A press on the thumb holds it where it is: the value changes only when the pointer moves.
        onThumb = 1;
        grabOffset = px - (left + thumbPos);
        lastReported = value;
        lastDragTick = TickNow();
    }
    active = 1;
}

void GPushBar::OnMouseMove(int px, int, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) {
    if (!buttonDown) {
        active = 0;
        return;
    }
    if (*claimed != 1 || pressSerial != clickSerial) return;
    pointerX = px;
    if (onThumb && !(style & SlowRise)) {
        int before = thumbPos;
        thumbPos = px - WindowX() - grabOffset;
        ClampThumb();
        HoldBelowLimit();
        // The value is read from the thumb only once it has moved (its pixel is rounded).
        if (thumbPos != before) ValueFromThumb();
        lastDragTick = TickNow();
    }
    Report();
}
