// SPDX-License-Identifier: GPL-3.0-or-later
// A horizontal slider 8 pixels high with a caption above it and a value bubble that follows the thumb
// and fades out.
//
//   state      | event                                      | next
//   -----------+--------------------------------------------+-------------------------------------------
//   idle       | press on the thumb, flag clear (claims)    | dragging (grabOffset kept)
//   idle       | press beside the thumb (claims)            | repeating: one step towards the pointer
//   repeating  | draw, > 500 ms after the press and > 40 ms | one more step; idle once the thumb has
//              | after the last step                        | reached the pointer
//   dragging   | move while held, this press                | thumb follows the pointer (slowRise:
//              |                                            | the draw walks it up 1 pixel per 40 ms,
//              |                                            | down at once)
//   any active | button up (seen by a move or the next draw)   | idle
//
// The bubble jumps to the thumb once the value has stood changed for 300 ms, and fades over 1000 ms
// after the last change (it stays lit while the bar is active). Callbacks fire only when the value
// differs from the one last reported or set from outside.
#pragma once

#include "gui/GUIWnd.h"

class TextRenderer;

class GPushBar : public GUIWnd {
  public:
    enum Style : uint32_t {
        SlowRise = 0x10,
        AltFill = 0x40,
        ValueCaption = 0x100,
        SplitCaption = 0x400,
        TwoFloatCaption = 0x800,
    };

    GPushBar();

    void Create(int x, int y, int width, int height, int value, int minValue, int maxValue, const char* label,
                TextRenderer* font, uint32_t style, uint32_t texture, uint32_t id, WidgetCallback callback,
                GUIWnd* parent);
    // Clamps into the range and places the thumb. No callback and no bubble.
    void SetValue(int v);
    bool TakesKeyFocus() const override { return true; }
    bool StepByKey(int steps) override;

    void Draw(float alpha) override;
    void OnMouseMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;

    // The caption as drawn (the label filled in with the caption form's arguments); empty without a label.
    void CaptionText(char* out, int size) const;

    int32_t thumbPos = 0;
    int32_t grabOffset = 0;
    uint32_t lastDragTick = 0;
    int32_t maxValue = 0;
    int32_t minValue = 0;
    int32_t limit = -10000;
    TextRenderer* font = nullptr;
    uint32_t style = 0;
    const char* label = nullptr;
    uint32_t id = 0;
    WidgetCallback callback = nullptr;
    int32_t lastReported = 2147483647;
    uint32_t active = 0;
    uint32_t pressSerial = 0;
    int32_t pointerX = 0;
    uint32_t repeatTick = 0;
    uint32_t repeatStart = 0;
    float displayOffset = 0.0f;
    float displayScale = 1.0f;
    uint32_t bubbleTick = 0;
    uint32_t bubbleTexture = 0;
    int32_t bubbleValue = 0;
    int32_t bubbleX = 0;
    int32_t bubbleY = 0;
    // The press landed on the thumb. Kept apart from grabOffset, which is 0 for a press on the thumb's
    // first column as well as for a press beside it.
    uint32_t onThumb = 0;

  private:
    int Travel() const { return width - 12; }
    // SetValue for the bar's own steps: the bubble shows them.
    void PaintBar(int left, int top, float alpha);
    void PaintCaption(int left, int top, float alpha);
    void PaintBubble(int left, int top, float alpha, uint32_t now);
    void RepeatStep(int left, uint32_t now);
    void RiseStep(int left, uint32_t now);
    void PlaceValue(int v);
    void ClampThumb();
    void HoldBelowLimit();
    void ValueFromThumb();
    void Report();
};
