// SPDX-License-Identifier: GPL-3.0-or-later
// Shared by the toolkit's tests: a hidden offscreen GL window for the whole program, a plain panel to
// own widgets, and input that goes through the widgets' slots the way the application routes it.
#pragma once

#include "app/ui/AppState.h"
#include "common/Tick.h"
#include "gui/AWndFrame.h"

#include <initializer_list>
#include <vector>

// Creates the GL context once per test program (an off-screen buffer) and keeps it current.
void EnsureGlContext(int width = 800, int height = 600);
// Loads the five skin textures the toolkit draws with and makes FontNormal and FontBold, as the
// application's start-up does. False when any of them is missing.
bool LoadSkinsAndFonts();

// A panel that holds whatever widgets a test gives it.
class TestPanel : public AWndFrame {
  public:
    TestPanel() {
        x = 100;
        y = 100;
        width = 400;
        height = 300;
        frameFlags |= FrameOpen;
        opacity = 1.0f;
    }
};

// Press, move and release through the slots, keeping the application's words as it does.
struct Pointer {
    std::vector<GUIWnd*> widgets;

    explicit Pointer(std::initializer_list<GUIWnd*> list) : widgets(list) {
        ClientWidth = 800;
        ClientHeight = 600;
    }
    void Press(int x, int y) {
        ClickSerial += 1;
        LeftDown = 1;
        LeftReleased = 0;
        PressClaimed = 0;
        MouseX = x;
        MouseY = y;
        for (GUIWnd* w : widgets)
            w->OnMouseDown(x, y, &PressClaimed, ClickSerial);
    }
    void Move(int x, int y) {
        MouseX = x;
        MouseY = y;
        for (GUIWnd* w : widgets)
            w->OnMouseMove(x, y, LeftDown, &PressClaimed, ClickSerial);
    }
    void Release(int x, int y) {
        LeftDown = 0;
        LeftReleased = 1;
        PressClaimed = 1;
        for (GUIWnd* w : widgets)
            w->OnMouseUp(x, y, ClickSerial);
    }
    void Click(int x, int y) {
        Press(x, y);
        Release(x, y);
    }
};

// Counts callback calls per id (ids 0 to 15).
struct Fired {
    static int count[16];
    static void Reset() {
        for (int& c : count)
            c = 0;
    }
    static void Callback(uint32_t id) { count[id & 15] += 1; }
};
