// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/AppState.h"
#include "app/TonvexCore.h"
#include "common/Tick.h"
#include "gui/GUIWnd.h"
#include "link/LinkState.h"
#include "panels/AWndCon.h"
#include "panels/Panels.h"

#include <gtest/gtest.h>

namespace {

uint32_t g_slept;

// Time passes only when the loop sleeps or waits.
void FakeSleep(uint32_t ms) {
    g_slept += ms;
    TickAdvance(ms);
}

bool FakeWait(uint32_t ms) {
    FakeSleep(ms);
    return false;
}

} // namespace

class MainLoop : public ::testing::Test {
  protected:
    using Pass = TonvexCore::Pass;

    void SetUp() override {
        ResetAppState();
        ResetPanelPointers();
        core.ResetForTest();
        core.sleepMs = FakeSleep;
        core.waitEvent = FakeWait;
        core.state = Started | Running | IntroDone | LogoDone;
        ConnectPanelActive = 0;
        g_slept = 0;
        TickSet(1000000);
    }
    void TearDown() override {
        ConnectPanelActive = 1;
        core.ResetForTest();
        TickUseClock();
    }

    TonvexCore& core = TonvexCore::Instance();
};

// Idle frames come every 401 ms while something on the screen changes with time alone; a still screen
// is drawn again only every two seconds, and what the link or a key changes shows at the next look.
TEST_F(MainLoop, IdleFramesFollowTheLookAndAStillScreenWaits) {
    core.SlowFrameTick = TickNow() - 400;
    EXPECT_EQ(core.LoopPass(), Pass::IdleSlowWait);
    EXPECT_EQ(core.frameRequests, 0u);
    core.SlowFrameTick = TickNow() - 401;
    EXPECT_EQ(core.LoopPass(), Pass::IdleSlowFrame);
    EXPECT_EQ(core.frameRequests, 1u);
    EXPECT_EQ(core.SlowFrameTick, TickNow());

    // Frames drawn in `ms` of idle passes; the loop waits between them rather than spins.
    auto framesIn = [&](uint32_t ms, bool lookChanging) {
        uint32_t passes = 0, start = TickNow(), before = core.frameRequests;
        while (TickSince(start) < ms) {
            if (lookChanging) LookKeepsChanging(); // a caret blinking, say
            core.LoopPass();
            ++passes;
        }
        EXPECT_LT(passes, ms / 100);
        return core.frameRequests - before;
    };
    EXPECT_EQ(framesIn(10000, true), 10000u / 401u);
    framesIn(401, false); // the frame after the caret stopped
    uint32_t still = framesIn(10000, false);
    EXPECT_GE(still, 4u);
    EXPECT_LE(still, 5u);

    for (auto change :
         {+[] { LinkLost = !LinkLost; }, +[] { KeyState['Q'] = 0x80; }, +[] { Language = 1; }}) {
        framesIn(2500, false);
        change();
        EXPECT_GE(framesIn(802, false), 1u); // the next look is at most 401 ms away
        KeyState['Q'] = 0;
    }
}

// Input keeps the active pace (8 ms) for 1000 ms, a held button for as long as it is held; the intro
// and the connecting panel keep the full pace (3 ms).
TEST_F(MainLoop, InputAHeldButtonTheIntroAndTheConnectingPanelKeepTheirPace) {
    LastInputTick = TickNow();
    EXPECT_EQ(core.LoopPass(), Pass::Active);
    EXPECT_EQ(g_slept, 8u);
    TickSet(LastInputTick + 999);
    EXPECT_EQ(core.LoopPass(), Pass::Active);
    TickSet(LastInputTick + 1000);
    EXPECT_NE(core.LoopPass(), Pass::Active);

    LastInputTick = TickNow() - 50000;
    LeftDown = 1;
    for (int i = 0; i < 2000; ++i)
        ASSERT_EQ(core.LoopPass(), Pass::Active);
    LeftDown = 0;
    RightDown = 1;
    EXPECT_EQ(core.LoopPass(), Pass::Active);
    RightDown = 0;

    g_slept = 0;
    ConnectPanelActive = 1;
    EXPECT_EQ(core.LoopPass(), Pass::IdleFull);
    EXPECT_EQ(g_slept, 3u);
    ConnectPanelActive = 0;
    core.state &= ~IntroDone;
    EXPECT_EQ(core.LoopPass(), Pass::IdleFull);
}

TEST_F(MainLoop, TheConnectingPanelsStillFailureIsDrawnAtTheIdlePace) {
    AWndCon con;
    ConPanel = &con;
    LastInputTick = TickNow() - 50000;
    ConnectPanelActive = 1;
    ConnectState = ConnectStarted;
    ScanPortIndex = 6;
    con.fadeStart = con.dragFadeStart = TickNow() - 5000;
    EXPECT_NE(core.LoopPass(), Pass::IdleFull);
    con.fadeStart = TickNow() - 100; // still fading in
    EXPECT_EQ(core.LoopPass(), Pass::IdleFull);
    con.fadeStart = TickNow() - 5000;
    ScanPortIndex = 3; // scanning again
    EXPECT_EQ(core.LoopPass(), Pass::IdleFull);
    ConnectState = ConnectStarted | ConnectDownloading;
    EXPECT_EQ(core.LoopPass(), Pass::IdleFull);
    ConnectState = 0;
    ScanPortIndex = 0;
    ConPanel = nullptr;
}

TEST_F(MainLoop, NothingIsDrawnOrPolledWhileMinimisedOrJustRestored) {
    LastInputTick = TickNow();
    core.OnMinimize();
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(core.LoopPass(), Pass::Minimized);
    EXPECT_EQ(core.frameRequests, 0u);

    core.OnRestore();
    uint32_t restored = TickNow();
    KeyState[VkF4] = 0x80; // would switch the language if keys were polled
    while (TickSince(restored) < 60) {
        EXPECT_EQ(core.LoopPass(), Pass::AfterRestore);
        TickAdvance(7);
    }
    EXPECT_EQ(core.frameRequests, 0u);
    EXPECT_EQ(PrevKeyState[VkF4], 0);

    // Afterwards the restore counts as fresh input.
    LastInputTick = 0;
    EXPECT_EQ(core.LoopPass(), Pass::Active);
    EXPECT_EQ(RestoreTick, 0u);
}
