// SPDX-License-Identifier: GPL-3.0-or-later
// The image panel: the preview of the background picked in the gallery, its height following its
// width, and "Set as background", which makes that background current and stored.
#pragma once

#include "gui/AWndFrame.h"
#include "gui/GBaseBtn.h"

class AWndImg : public AWndFrame {
  public:
    void Build();
    void Draw(float alpha) override;
    void OnMouseMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseUp(int x, int y, uint32_t clickSerial) override;
    void Relabel(uint32_t language) override;

    GBaseBtn setBackground;
};
