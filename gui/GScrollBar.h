// SPDX-License-Identifier: GPL-3.0-or-later
// A vertical fader (top = maxValue) with an engraved scale of 13 marks.
//
//   state     | event                                       | next
//   ----------+---------------------------------------------+------------------------------------------
//   idle      | press on the thumb, flag clear (claims)     | dragging, touched, fires (the owner learns
//             |                                             | which fader was taken; the value is kept)
//   idle      | press beside the thumb (claims)             | repeating: one step, touched, fires
//   dragging  | move while held, this press                 | thumb follows; fires when the value changed
//   repeating | draw, > 500 ms after the press and > 40 ms  | one more step until the thumb reaches the
//             | after the last step                         | pointer; fires when the value changed
//   any       | release, a move with the button up, or a    | idle (touched stays until the next press)
//             | draw that finds the button up               |
//
// A value set from outside (SetValue) counts as reported: the fader fires again only when it moves
// away from it.
#pragma once

#include "gui/GUIWnd.h"

class GScrollBar : public GUIWnd {
  public:
    void Create(int x, int y, int width, int height, int value, int minValue, int maxValue, uint32_t texture,
                uint32_t id, WidgetCallback callback, GUIWnd* parent);
    // Clamps into the range and places the thumb. No callback.
    void SetValue(int v);
    bool TakesKeyFocus() const override { return true; }
    bool StepByKey(int steps) override;

    void Draw(float alpha) override;
    void OnMouseMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseUp(int x, int y, uint32_t clickSerial) override;

    int32_t maxValue = 0;
    int32_t minValue = 0;
    int32_t thumbPos = 0;
    int32_t grabOffset = 0;
    uint32_t touched = 0;
    uint32_t pressSerial = 0;
    uint32_t repeating = 0;
    int32_t pointerY = 0;
    uint32_t repeatTick = 0;
    uint32_t repeatStart = 0;
    uint32_t id = 0;
    WidgetCallback callback = nullptr;
    // The press landed on the thumb (grabOffset is 0 on its first row too).
    uint32_t onThumb = 0;
    // The value last passed on through the callback or set from outside.
    int32_t lastReported = 0;

  private:
    int Travel() const { return height - 24; }
    // SetValue for the fader's own steps, which are reported.
    void PlaceValue(int v);
    void Report();
};
