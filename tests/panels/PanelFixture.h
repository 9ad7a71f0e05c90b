// SPDX-License-Identifier: GPL-3.0-or-later
// The panels' tests: a hidden GL window with the skins and fonts, the application's words reset, the
// panels a test needs made as start-up makes them, and the link's words put back after each test.
#pragma once

#include "GuiTestSupport.h"
#include "link/LinkWait.h"
#include "link/ParamMap.h"
#include "panels/AWndBar.h"
#include "panels/AWndCon.h"
#include "panels/AWndMVol.h"
#include "panels/AWndMic.h"
#include "panels/AWndMsg.h"
#include "panels/AWndMusic.h"
#include "panels/AWndREQ.h"
#include "panels/AWndSC.h"
#include "panels/AWndSub.h"
#include "panels/AWndSys.h"
#include "tests/support/SimPorts.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class EqSection;

class PanelFixture : public ::testing::Test, protected SimPorts {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Draws `panel` once per 2 ms (the connecting panel runs its step in its draw) until `done`.
    bool DrawUntil(AWndFrame* panel, const std::function<bool()>& done, uint32_t timeoutMs);
    // A press and release at (x, y) through the application's routing of the message and connecting
    // panels: the panel alone gets them.
    void ClickOn(AWndFrame* panel, int x, int y);

    // A panel made as start-up makes it (Create, then Build), known to the application as `*global`
    // until the test ends.
    template <class Panel>
    std::unique_ptr<Panel> Make(Panel** global, int x, int y, int width, int height, const char* title,
                                int minWidth = 200, int minHeight = 200) {
        auto panel = std::make_unique<Panel>();
        *global = panel.get();
        clears_.push_back([global] { *global = nullptr; });
        panel->Create(x, y, width, height, minWidth, minHeight, title);
        panel->Build();
        return panel;
    }

    // The tab bar and every panel that shows or sends values, made anew as start-up makes them (at its
    // places and sizes), and the ParamMap bound to them.
    void MakePanels();

    // Every value panel made in a 1280 x 800 window, the send tap on and the test clock set: how the
    // panels' own tests begin.
    void MakePanelsWithTap();
    // Text typed into `box` of `panel` as a person does: a press at its right end, the old text
    // erased, the new text and Enter.
    void TypeInto(AWndFrame* panel, GTextBox& box, const char* text);

    // One draw of `panel`, then 16 ms on the test clock.
    void Frame(AWndFrame* panel);
    // Where band `band`'s handle is in the window (as of the last draw).
    static void HandleAt(const EqSection& eq, int band, int* hx, int* hy);
    // A press as the application gives it: a left press reaches the panel's OnMouseDown, a right one
    // only the button state the graph reads.
    void Press(AWndFrame* panel, int x, int y, bool right = false);
    void Release();
    // A click on widget `w` of `panel` (opened first), with a frame after the press and the release.
    void Click(AWndFrame* panel, const GUIWnd& w);
    // Band `band`'s handle dragged by (dx, dy) with the left (or right) button, a frame at each step.
    void Drag(AWndFrame* panel, const EqSection& eq, int band, int dx, int dy = 0, bool right = false);
    // The (code, value) pairs the send tap saw since the last call.
    std::vector<std::pair<uint32_t, uint32_t>> Sent();
    // Scans and downloads over the ports as they are, on the real clock; true once downloaded.
    bool Download(uint32_t timeoutMs = 8000);

    std::vector<std::function<void()>> clears_;
    std::unique_ptr<AWndBar> bar;
    std::unique_ptr<AWndMsg> msg;
    std::unique_ptr<AWndCon> con;
    std::unique_ptr<AWndMic> mic;
    std::unique_ptr<AWndREQ> room;
    std::unique_ptr<AWndSC> sc;
    std::unique_ptr<AWndSub> sub;
    std::unique_ptr<AWndMusic> music;
    std::unique_ptr<AWndMVol> volume;
    std::unique_ptr<AWndSys> sys;
};
