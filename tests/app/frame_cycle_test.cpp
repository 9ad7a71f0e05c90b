// SPDX-License-Identifier: GPL-3.0-or-later
// The frame cycle on a real (offscreen) GL window: the intro timeline, the connecting panel's
// automatic opening and the end of a close or minimise fade.
#include "StandInPanels.h"

#include "app/PlatformWindow.h"
#include "app/TonvexCore.h"
#include "app/ui/Textures.h"
#include "common/Tick.h"
#include "gui/GScrollBar.h"
#include "gui/PanelLists.h"
#include "link/LinkState.h"
#include "panels/AWndBar.h"
#include "panels/AWndCon.h"
#include "panels/Panels.h"

#include <gtest/gtest.h>

class FrameCycle : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_EQ(TonvexCore::Instance().CreateMainWindow(), 0); }

    void SetUp() override {
        ResetAppState();
        ResetPanelPointers();
        TickSet(500000);
        core.state = GlReady | Started | Running;
        core.OnSize(960, 600); // draws a frame too
        ResetAppState();
        ResetPanelPointers();
        ClientWidth = 960;
        ClientHeight = 600;
        BarPanel = &bar;
        bar.width = 960;
        ConPanel = &con;
        con.Create(100, 100, 310, 200, 200, 200, "Device Connecting");
        LinkZOrder(&con, &mic);
        con.focusSerial = FocusSerial;
        ConnectPanelActive = 1;
    }
    void TearDown() override {
        LogoTexture = 0;
        ResetAppState();
        ResetPanelPointers();
        TickUseClock();
    }
    // Frames every `step` ms for `ms` ms.
    void Run(uint32_t ms, uint32_t step = 10) {
        for (uint32_t t = 0; t < ms; t += step) {
            core.RenderFrame();
            TickAdvance(step);
        }
    }

    TonvexCore& core = TonvexCore::Instance();
    InputLog log;
    StandIn<AWndBar> bar{"bar", &log};
    StandIn<AWndCon> con{"con", &log};
    StandIn<AWndFrame> mic{"mic", &log};
};

TEST_F(FrameCycle, TheBackgroundWaitsThenFadesAndTheConnectingPanelOpensOnce) {
    core.RenderFrame();
    Run(2000, 1);
    EXPECT_EQ(BgFadeStart, 0u); // still waiting: more than 2000 ms must pass
    Run(2, 1);
    EXPECT_GT(BgFadeStart, 1u);
    Run(2010);
    EXPECT_EQ(BgFadeStart, 1u);
    EXPECT_FALSE(con.IsOpen());
    TickSet(FirstBgFrameTick + 4001);
    core.RenderFrame();
    EXPECT_TRUE(con.IsOpen());
    EXPECT_TRUE(con.frameFlags & FrameFixedSize);
    EXPECT_FALSE(con.frameFlags & FrameHasMinimise);
    EXPECT_EQ(con.x, (960 - 310) / 2 - 20);
    EXPECT_EQ(con.y, (600 - 200) / 2);
    EXPECT_EQ(ConnectAutoOpen, 0u);
}

TEST_F(FrameCycle, AClosedPanelLeavesOnceItsFadeHasEnded) {
    OpenPanel(&mic);
    con.frameFlags |= FrameOpen;
    OpenPanel(&con); // con on top, mic below and open
    uint32_t editing = 1;
    ActiveTextEdit = &editing;
    con.frameFlags |= FrameClosing | FrameShown;
    con.opacity = 0.5f;
    core.FinishCloseOrMinimise();
    EXPECT_TRUE(con.IsOpen()); // still fading
    con.opacity = 0.005f;
    core.FinishCloseOrMinimise();
    EXPECT_FALSE(con.IsOpen());
    EXPECT_EQ(TopPanel, &mic);
    EXPECT_TRUE(mic.HasFocus());
    EXPECT_EQ(con.frameFlags & (FrameClosing | FrameShown), 0u);
    EXPECT_EQ(ActiveTextEdit, nullptr);
    EXPECT_EQ(ConnectPanelActive.load(), 0u);

    mic.frameFlags |= FrameClosing | FrameToMinimise;
    mic.opacity = 0.0f;
    core.FinishCloseOrMinimise();
    EXPECT_TRUE(mic.IsOpen());
    EXPECT_TRUE(mic.IsMinimised());
    EXPECT_EQ(mic.frameFlags & (FrameClosing | FrameToMinimise), 0u);
}

namespace {

// A panel on which a drag goes on and changes `part`: its graph and a column, say.
class DraggedPanel : public StandIn<AWndFrame> {
  public:
    using StandIn::StandIn;
    bool FollowsDrag(PartialFrame* frame) const override {
        if (!dragging) return false;
        frame->panel = this;
        frame->part = part;
        frame->scene = UnitRect{x, y + 200, width, 100};
        frame->own = UnitRect{x + 100, y + 60, 52, 120};
        return true;
    }
    bool dragging = true;
    int part = 3;
};

} // namespace

// Once a drag is under way a frame is drawn only where it changes things; anything else that may have
// changed the screen brings a whole frame: a look still changing, a panel moved, a new size, another
// band, the keyboard's frame over the column, a key held or any input besides the pointer's moves.
TEST_F(FrameCycle, ADragIsDrawnInPartOnlyWhileNothingElseChanges) {
    DraggedPanel panel{"eq", &log};
    panel.Create(100, 60, 700, 400, 460, 320, "EQ");
    OpenPanel(&panel);
    BgFadeStart = 1; // the start-up's fades over, the connecting panel opened and closed
    ConnectAutoOpen = 0;
    core.state |= LogoDone | IntroDone;
    core.keepsBackBuffer = true;
    auto frame = [&] {
        const uint32_t partial = core.partialFrames;
        core.RenderFrame();
        TakeLookChanging(); // as the loop does after each frame
        TickAdvance(8);
        return core.partialFrames > partial;
    };
    for (int i = 0; i < 30; ++i) // the panel's fade in
        frame();
    EXPECT_TRUE(frame());
    EXPECT_TRUE(frame());

    LookKeepsChanging(); // said while the frame draws: the next one is whole
    core.RenderFrame();
    TakeLookChanging();
    EXPECT_FALSE(frame());
    EXPECT_TRUE(frame());

    panel.x += 1;
    EXPECT_FALSE(frame());
    EXPECT_TRUE(frame());
    core.OnSize(960, 600);
    EXPECT_FALSE(frame());
    EXPECT_TRUE(frame());
    panel.part = 4;
    EXPECT_FALSE(frame());
    EXPECT_TRUE(frame());

    GScrollBar key; // a control in the column framed by the keyboard
    key.parent = &panel;
    key.x = 110;
    key.y = 70;
    key.width = key.height = 20;
    panel.keyFocus = &key;
    EXPECT_FALSE(frame());
    EXPECT_FALSE(frame());
    panel.keyFocus = nullptr;
    EXPECT_FALSE(frame());
    EXPECT_TRUE(frame());

    KeyState['Q'] = 0x80; // a level key held (it repeats), then its event
    EXPECT_FALSE(frame());
    KeyState['Q'] = 0;
    PlatformWindow::Instance().eventsBesidesMotion += 1;
    EXPECT_FALSE(frame());
    EXPECT_TRUE(frame());

    panel.dragging = false;
    EXPECT_FALSE(frame());
    panel.dragging = true;
    EXPECT_FALSE(frame());
    EXPECT_TRUE(frame());

    core.keepsBackBuffer = false;
    EXPECT_FALSE(frame());
    EXPECT_FALSE(frame());
    ClosePanel(&panel);
}
