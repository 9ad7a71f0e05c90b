// SPDX-License-Identifier: GPL-3.0-or-later
// The receiver of window events. Every operation of the base does nothing; the application object
// overrides the ones it needs. Positions are client pixels; the wheel delta is 120 per notch, positive
// away from the user.
#pragma once

#include <cstdint>

class GWindowMessage {
  public:
    virtual void PollKeys() {}
    virtual void OnClose() {}
    virtual void OnSetFocus() {}
    virtual void OnKillFocus() {}
    virtual void OnPaint(uint32_t /*sizeMoveFlags*/) {}
    // Minimum tracking size of the window.
    virtual void OnGetMinMaxInfo(int* /*minWidth*/, int* /*minHeight*/) {}
    virtual void OnSizingStart() {}
    virtual void OnSize(uint32_t /*width*/, uint32_t /*height*/) {}
    virtual void OnSizeDone() {}
    virtual void OnMinimize() {}
    virtual void OnRestore() {}
    virtual int OnChar(uint32_t /*code*/, uint32_t /*flags*/) { return 0; }
    virtual int OnKeyDown(uint32_t /*virtualKey*/) { return 0; }
    // A key went down (not an auto-repeat of it) or up: the edges, in the order they happened.
    virtual void OnKeyEdge(uint32_t /*virtualKey*/, bool /*down*/) {}
    // A key went down (or repeats), with the modifiers held at that moment: for shortcuts, which the
    // polled key state may show already released. Letters come as the layout names them ('Z').
    enum ShortcutModifier : uint32_t { ShortcutCtrl = 1, ShortcutShift = 2 };
    virtual void OnShortcut(uint32_t /*key*/, uint32_t /*modifiers*/, bool /*repeat*/) {}
    // A file dropped on the window.
    virtual void OnDropFile(const char* /*path*/) {}
    virtual void OnMouseMove(int /*x*/, int /*y*/) {}
    virtual void OnLButtonDblClk(int /*x*/, int /*y*/) {}
    virtual void OnLButtonDown(int /*x*/, int /*y*/) {}
    virtual void OnLButtonUp(int /*x*/, int /*y*/) {}
    virtual void OnRButtonDown(int /*x*/, int /*y*/) {}
    virtual void OnRButtonUp(int /*x*/, int /*y*/) {}
    virtual void OnMButtonDown(int /*x*/, int /*y*/) {}
    virtual void OnMButtonUp(int /*x*/, int /*y*/) {}
    virtual void OnMouseWheel(int /*delta*/) {}

  protected:
    ~GWindowMessage() = default;
};

// Bit 1: a resize drag runs; bit 2: a move drag runs. X11 brackets neither, so it stays 0 on Linux.
extern uint32_t SizeMoveFlags;
