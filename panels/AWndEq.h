// SPDX-License-Identifier: GPL-3.0-or-later
// What the five equaliser panels share as panels: the equaliser section and the routing of input to
// it. Input reaches a panel's controls only while the panel is open and not minimised (and a press
// only while the link is idle); each panel names its own controls through the two hooks, which run in
// the order the controls claim a press: the panel's controls before the section, the section, then
// those after it.
#pragma once

#include "gui/AWndFrame.h"
#include "panels/EqSection.h"

class AWndEq : public AWndFrame {
  public:
    void OnMouseMove(int x, int y, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseDown(int x, int y, uint32_t* claimed, uint32_t clickSerial) override;
    void OnMouseUp(int x, int y, uint32_t clickSerial) override;
    void OnChar(uint32_t ch) override;
    void OnKeyDown(uint32_t key) override;

    bool FollowsDrag(PartialFrame* frame) const override { return eq.FollowsDrag(frame); }

    EqSection eq;
    // Whether the section's bands may be changed now (not on the panel's Auto mode).
    bool EqTakesChanges() const { return EqTakesKeys(); }

  protected:
    // The graph, drawn right after the frame, paints its plot black at full strength unless the panel
    // is closing or being minimised.
    bool OpaqueOverInside(int* ox, int* oy, int* ow, int* oh) const override {
        if (frameFlags & (FrameClosing | FrameToMinimise)) return false;
        eq.GraphRect(ox, oy, ow, oh);
        return true;
    }
    // The panel's own controls before the section. False when the section takes nothing (the
    // panel's Auto mode): then the press is not noted either.
    virtual bool MoveOwnControls(int, int, uint32_t, uint32_t*, uint32_t) { return true; }
    virtual bool PressOwnControls(int, int, uint32_t*, uint32_t) { return true; }
    // The panel's controls that a press reaches after the section.
    virtual void PressControlsAfterEq(int, int, uint32_t*, uint32_t) {}
    // Whether the section's text boxes take typing and caret keys now.
    virtual bool EqTakesKeys() const { return true; }
};
