// SPDX-License-Identifier: GPL-3.0-or-later
// A vertical scroller for content taller than its view; one page is 300 content units. It also
// follows the mouse wheel.
//
//   state    | event                                     | next
//   ---------+-------------------------------------------+-------------------------------------------
//   idle     | press on the thumb, flag clear (claims)   | dragging
//   idle     | press on the track beside it (claims)     | active, nothing moves
//   dragging | move while held, this press               | thumb follows, value recomputed
//   any      | move with the button up                   | idle
//   any      | wheel notch                               | thumb steps (towards the user: down)
#pragma once

#include "gui/GUIWnd.h"

class GVScroll : public GUIWnd {
  public:
    static constexpr int PageUnits = 300;

    void Create(int x, int y, int width, int height, int value, int minValue, int maxValue, uint32_t id,
                WidgetCallback callback, GUIWnd* parent);

    void Draw(float alpha) override;
    void OnMouseMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
    void OnWheel(int delta) override;

    int32_t maxValue = 0;
    int32_t minValue = 0;
    uint32_t id = 0;
    WidgetCallback callback = nullptr; // kept for the owner; the scroller never calls it
    int32_t thumbLength = 32;
    int32_t thumbPos = 0;
    int32_t grabOffset = 0;
    uint32_t active = 0;
    uint32_t pressSerial = 0;
    // The press landed on the thumb (grabOffset is 0 on its first row too).
    uint32_t onThumb = 0;

  private:
    void ClampThumb();
    void Position();
};
