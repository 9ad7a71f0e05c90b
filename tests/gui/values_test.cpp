// SPDX-License-Identifier: GPL-3.0-or-later
// Push bar and fader: time through the test tick source, input through the slots.
#include "GuiTestSupport.h"

#include "gui/GPushBar.h"
#include "gui/GScrollBar.h"

#include <gtest/gtest.h>

namespace {

// A 100-pixel bar over 0..88 at window (150, 150): 88 pixels of travel, so thumbPos equals the value.
struct PushBar : ::testing::Test {
    TestPanel panel;
    GPushBar bar;
    void SetUp() override {
        EnsureGlContext();
        Fired::Reset();
        TickSet(100000);
        bar.Create(50, 50, 100, 0, 10, 0, 88, nullptr, nullptr, 0, 0, 1, Fired::Callback, &panel);
    }
    // One draw per millisecond for `ms` milliseconds.
    void Run(int ms) {
        for (int i = 0; i < ms; ++i) {
            TickAdvance(1);
            bar.Draw(1.0f);
        }
    }
};

TEST_F(PushBar, HoldBesideTheThumbStepsThenRepeatsUntilTheThumbReachesThePointerAndAClickIsOneStep) {
    ASSERT_EQ(bar.thumbPos, 10);
    Pointer in{&bar};
    in.Press(200, 152); // right of the thumb (160 .. 172)
    EXPECT_EQ(bar.value, 11);
    EXPECT_EQ(Fired::count[1], 1);
    Run(500);
    EXPECT_EQ(bar.value, 11); // nothing before 500 ms
    Run(1);
    EXPECT_EQ(bar.value, 12);
    Run(40);
    EXPECT_EQ(bar.value, 12); // a step needs more than 40 ms
    Run(1);
    EXPECT_EQ(bar.value, 13);
    Run(3000);
    // Stops once the thumb's middle has passed the pointer: 150 + thumbPos + 7 > 200.
    EXPECT_EQ(bar.value, 44);
    EXPECT_EQ(bar.active, 0u);
    EXPECT_EQ(Fired::count[1], 44 - 10); // once per change, never for an unchanged value
    in.Release(200, 152);
    bar.SetValue(10);
    in.Click(200, 152);
    Run(2000);
    EXPECT_EQ(bar.value, 11);
    EXPECT_EQ(bar.active, 0u);
}

TEST_F(PushBar, SlowRiseClimbsOnePixelPer40MsAndFallsAtOnce) {
    bar.style = GPushBar::SlowRise;
    Pointer in{&bar};
    in.Press(165, 152); // on the thumb, 5 pixels into it
    EXPECT_EQ(bar.grabOffset, 5);
    in.Move(265, 152);
    EXPECT_EQ(bar.thumbPos, 10); // the move alone does not carry it
    Run(41);
    EXPECT_EQ(bar.thumbPos, 11);
    Run(41 * 9);
    EXPECT_EQ(bar.thumbPos, 20);
    EXPECT_EQ(bar.value, 20);
    in.Move(160, 152); // target thumbPos 5
    Run(1);
    EXPECT_EQ(bar.thumbPos, 5);
    EXPECT_EQ(bar.value, 5);
}

TEST_F(PushBar, PressOnTheThumbsFirstColumnGrabsItAndTheLimitStopsADragAndARepeat) {
    Pointer in{&bar};
    in.Press(160, 152); // thumb left edge: grabOffset 0, still a grab
    in.Move(190, 152);
    EXPECT_EQ(bar.thumbPos, 40);
    Run(1000);
    EXPECT_EQ(bar.thumbPos, 40); // no repeat walks it anywhere
    in.Release(190, 152);
    bar.SetValue(10);
    bar.limit = 30;
    in.Press(165, 152);
    in.Move(400, 152);
    EXPECT_EQ(bar.thumbPos, 30);
    EXPECT_EQ(bar.value, 30);
    in.Release(400, 152);
    in.Move(400, 152);
    bar.SetValue(29);
    in.Press(230, 152); // beside, right: one step, not beyond the limit
    Run(2000);
    EXPECT_EQ(bar.value, 30);
}

// A press on the thumb keeps the value; a drag to the end reaches the limit though its pixel rounds
// down; the bubble rides on the thumb during a drag and never lights at the first draw.
TEST(PushBarMends, PressKeepsDragReachesTheLimitBubbleFollows) {
    EnsureGlContext();
    TickSet(200000);
    Fired::Reset();
    TestPanel panel;
    GPushBar bar; // 0..180 over 238 pixels, as the panels' EQ-range sliders
    bar.Create(50, 50, 250, 8, 101, 0, 180, nullptr, nullptr, 0, 0, 2, Fired::Callback, &panel);
    bar.Draw(1.0f);
    EXPECT_GE(TickNow() - bar.bubbleTick, 1000u) << "no bubble at the first draw";
    Pointer in{&bar};
    int thumb = 150 + bar.thumbPos + 6;
    in.Press(thumb, 152);
    bar.Draw(1.0f);
    in.Release(thumb, 152);
    EXPECT_EQ(bar.value, 101);
    EXPECT_EQ(Fired::count[2], 0);

    bar.limit = 120;
    in.Press(150 + bar.thumbPos + 6, 152);
    for (int px = 150 + bar.thumbPos + 6; px < 420; px += 20) {
        in.Move(px, 152);
        TickAdvance(16);
        bar.Draw(1.0f);
        EXPECT_EQ(bar.bubbleX, 150 + bar.thumbPos + 6) << "at " << px;
    }
    EXPECT_EQ(bar.value, 120);
    in.Release(420, 152);
    bar.limit = -10000;
    in.Press(150 + bar.thumbPos + 6, 152);
    in.Move(600, 152);
    EXPECT_EQ(bar.value, 180);
}

// Press, move, repeat and release of a fader: the value follows the thumb only once it moved, the
// callback fires at the press (the owner learns which fader) and then only for a changed value, and
// the repeat stops at the release wherever the pointer is, even when no move or release reaches it.
TEST(Fader, DragRepeatAndReleaseFireOnlyForChanges) {
    EnsureGlContext();
    TickSet(300000);
    TestPanel panel;
    GScrollBar fader;
    // Height 124: 100 pixels of travel, window top 150.
    fader.Create(50, 50, 7, 124, 91, 0, 180, 0, 1, Fired::Callback, &panel);
    Fired::Reset();
    EXPECT_EQ(fader.thumbPos, 49);
    Pointer in{&fader};
    in.Press(152, 205); // on the thumb (199 .. 217)
    EXPECT_EQ(fader.touched, 1u);
    EXPECT_EQ(Fired::count[1], 1);
    in.Move(153, 205); // sideways: the thumb stays, so does 91 (its pixel reads 91.8 -> 91 or 92)
    EXPECT_EQ(fader.value, 91);
    EXPECT_EQ(Fired::count[1], 1);
    in.Move(152, 0);
    EXPECT_EQ(fader.thumbPos, 0);
    EXPECT_EQ(fader.value, 180);
    in.Move(152, 10); // still at the top: no change, no callback
    EXPECT_EQ(Fired::count[1], 2);
    in.Move(152, 156 + 100);
    EXPECT_EQ(fader.thumbPos, 100);
    EXPECT_EQ(fader.value, 0);
    EXPECT_EQ(Fired::count[1], 3);
    in.Release(152, 255);
    EXPECT_EQ(fader.repeating, 0u);

    // A click below the thumb: one step, whatever the pointer does after the release.
    fader.SetValue(90);
    Fired::Reset();
    in.Press(152, 260);
    EXPECT_EQ(fader.value, 89);
    EXPECT_EQ(fader.repeating, 1u);
    EXPECT_EQ(Fired::count[1], 1);
    for (int ms = 0; ms < 50; ++ms) {
        TickAdvance(1);
        fader.Draw(1.0f);
    }
    LeftDown = 0; // the release went to the panel: no move, no OnMouseUp reached the fader
    for (int ms = 0; ms < 2000; ++ms) {
        TickAdvance(1);
        fader.Draw(1.0f);
    }
    EXPECT_EQ(fader.value, 89);
    EXPECT_EQ(Fired::count[1], 1);

    // Held: after 500 ms one step per 40 ms until the thumb reaches the pointer, each fired once.
    in.Press(152, 260);
    int fired = Fired::count[1];
    for (int ms = 0; ms < 500; ++ms) {
        TickAdvance(1);
        fader.Draw(1.0f);
    }
    EXPECT_EQ(fader.value, 88);
    for (int ms = 0; ms < 205; ++ms) {
        TickAdvance(1);
        fader.Draw(1.0f);
    }
    EXPECT_EQ(fader.value, 83);
    EXPECT_EQ(Fired::count[1] - fired, 5);
    in.Release(152, 260);
}

} // namespace
