// SPDX-License-Identifier: GPL-3.0-or-later
#include "panels/AWndEq.h"

#include "link/LinkState.h"

void AWndEq::OnMouseMove(int px, int py, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    if (!eq.PanelTakesInput()) return;
    if (MoveOwnControls(px, py, buttonDown, claimed, clickSerial))
        eq.RouteMove(px, py, buttonDown, claimed, clickSerial);
}

void AWndEq::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseDown(px, py, claimed, clickSerial);
    if (!eq.PanelTakesInput() || !LinkIdle) return;
    if (!PressOwnControls(px, py, claimed, clickSerial)) return;
    eq.RouteDown(px, py, claimed, clickSerial);
    PressControlsAfterEq(px, py, claimed, clickSerial);
    eq.NotePress();
}

void AWndEq::OnMouseUp(int px, int py, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseUp(px, py, clickSerial);
    eq.RouteUp(px, py, clickSerial);
}

void AWndEq::OnChar(uint32_t ch) {
    if (IsActive() && EqTakesKeys()) eq.OnChar(ch);
}

void AWndEq::OnKeyDown(uint32_t key) {
    if (IsActive() && EqTakesKeys()) eq.OnKeyDown(key);
}
