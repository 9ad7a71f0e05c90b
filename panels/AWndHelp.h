// SPDX-License-Identifier: GPL-3.0-or-later
// The background gallery (F1): the backgrounds' thumbnails two per row with their names, a scroller
// and the wheel; a press on a thumbnail and its release open the image panel on it.
#pragma once

#include "gui/AWndFrame.h"
#include "gui/GVScroll.h"

class AWndHelp : public AWndFrame {
  public:
    void Build();
    void Draw(float alpha) override;
    void OnMouseMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseUp(int x, int y, uint32_t clickSerial) override;
    void OnWheel(int delta) override;

    // The background whose outline box holds (x, y) in window pixels, or -1.
    int ItemAt(int px, int py) const;

    int32_t pickedItem = -1;
    GVScroll scroller;
};

// The image panel: a large preview of the background picked in the gallery and "设置为背景", which makes
// it the window's background.
extern uint32_t PreviewState;    // bit 0: a background has been picked
extern int32_t ChosenBackground; // picked in the gallery
extern int32_t ShownBackground;  // whose preview the image panel holds
extern uint32_t PreviewTexture;
extern uint32_t PreviewWaitStart;
