// SPDX-License-Identifier: GPL-3.0-or-later
// The panel frame: title buttons, fades, dragging, resizing, the double-click enlarge and the size
// toggle.
#include "GuiTestSupport.h"

#include "gui/GBaseBtn.h"
#include "gui/GTextBox.h"
#include "gui/TextRenderer.h"

#include <GL/gl.h>

#include <gtest/gtest.h>

namespace {

constexpr float Tolerance = 0.02f;

// A resizable 640 x 520 panel (minimum 460 x 480) at (100, 60), focused, shown, with all three buttons.
struct Frame : ::testing::Test {
    AWndFrame frame;
    void SetUp() override {
        EnsureGlContext();
        ResetAppState();
        ClientWidth = 800;
        ClientHeight = 600;
        TickSet(200000);
        frame.Create(100, 60, 640, 520, 460, 480, "Frame");
        frame.frameFlags |= FrameOpen | FrameShown | FrameHasSizeToggle;
        FocusSerial += 1;
        frame.focusSerial = FocusSerial;
    }
    int Right() const { return frame.x + frame.width; }
    void DrawAfter(uint32_t ms) {
        TickAdvance(ms);
        frame.Draw(1.0f);
    }
};

TEST_F(Frame, ReleaseOverCloseAfterPressingMinimiseDoesNothingAndFadesRunAcrossTheTickWrap) {
    Pointer in{&frame};
    int titleY = frame.y + 10;
    in.Press(Right() - 36, titleY); // minimise
    EXPECT_EQ(frame.pressedButton, uint32_t(FrameHasMinimise));
    in.Release(Right() - 16, titleY); // close
    EXPECT_FALSE(frame.frameFlags & (FrameClosing | FrameToMinimise));
    EXPECT_EQ(frame.pressedButton, 0u);

    in.Press(Right() - 36, titleY);
    in.Release(Right() - 36, titleY);
    EXPECT_TRUE(frame.frameFlags & FrameClosing);
    EXPECT_TRUE(frame.frameFlags & FrameToMinimise);
    DrawAfter(100);
    EXPECT_NEAR(frame.opacity, 0.5f, Tolerance);
    DrawAfter(101);
    EXPECT_LT(frame.opacity, 0.01f);
    frame.opacity = 1.0f;
    TickSet(0xFFFFFFFFu - 99); // 100 ms before the wrap
    frame.fadeStart = TickNow();
    frame.frameFlags |= FrameClosing;
    DrawAfter(150);
    EXPECT_LT(TickNow(), 100u);
    EXPECT_NEAR(frame.opacity, 0.25f, Tolerance);
}

TEST_F(Frame, DoubleClickEnlargesAndAQuickThirdPressDoesNotToggleBackExceptOnAFixedSizePanel) {
    Pointer in{&frame};
    in.Click(frame.x + 100, frame.y + 10);
    TickAdvance(100);
    in.Click(frame.x + 200, frame.y + 200); // inside the client area still counts
    EXPECT_EQ(frame.filled, 1u);
    EXPECT_EQ(frame.width, 768);  // window 800 - 32
    EXPECT_EQ(frame.height, 518); // window 600 - 82
    EXPECT_EQ(frame.x, 16);
    EXPECT_EQ(frame.y, 32);
    TickAdvance(100);
    in.Click(frame.x + 100, frame.y + 10);
    EXPECT_EQ(frame.filled, 1u);
    EXPECT_EQ(frame.width, 768);
    // A later double-click brings the old rectangle back.
    TickAdvance(100);
    in.Click(frame.x + 100, frame.y + 10);
    EXPECT_EQ(frame.filled, 0u);
    EXPECT_EQ(frame.width, 640);
    EXPECT_EQ(frame.x, 100);
    TickAdvance(1000);
    frame.frameFlags |= FrameFixedSize;
    in.Click(frame.x + 100, frame.y + 10);
    TickAdvance(100);
    in.Click(frame.x + 100, frame.y + 10);
    EXPECT_EQ(frame.filled, 0u);
    EXPECT_EQ(frame.width, 640);
    in.Press(Right() - 5, frame.y + frame.height - 5);
    EXPECT_EQ(PressClaimed, 0u);
}

TEST_F(Frame, DragKeeps24PixelsInReachAndTheTitleBelowTheTopStrip) {
    Pointer in{&frame};
    in.Press(frame.x + 100, frame.y + 10);
    in.Move(-2000, -2000);
    EXPECT_EQ(frame.x + frame.width, 24);
    EXPECT_EQ(frame.y, 23);
    in.Move(5000, 5000);
    EXPECT_EQ(frame.x, 800 - 24);
    EXPECT_EQ(frame.y, 600 - 24);
}

TEST_F(Frame, CompactPanelResizesDownTo420By240) {
    Pointer in{&frame};
    in.Press(Right() - 5, frame.y + frame.height - 5);
    in.Move(0, 0);
    EXPECT_EQ(frame.width, 460); // its own minimum
    EXPECT_EQ(frame.height, 480);
    in.Release(0, 0);
    frame.layoutFlags() |= LayoutCompact;
    in.Press(Right() - 5, frame.y + frame.height - 5);
    in.Move(0, 0);
    EXPECT_EQ(frame.width, 420);
    EXPECT_EQ(frame.height, 240);
    // The grip keeps the frame's edges 2 pixels inside the window.
    in.Move(5000, 5000);
    EXPECT_EQ(frame.x + frame.width, 798);
    EXPECT_EQ(frame.y + frame.height, 598);
}

// Titles, labels and typed texts are drawn as they stand: conversions in them are not expanded (and a
// "%n" writes nothing anywhere).
TEST_F(Frame, TextsFromOutsideAreDrawnAsText) {
    ASSERT_TRUE(LoadSkinsAndFonts());
    EnsureGlContext();
    frame.title = "%s%n%s%n";
    GTextBox box;
    box.Create(0, "%s%n%d%%", 20, 80, 160, 26, 0, FontNormal, 1, nullptr, &frame);
    GBaseBtn button;
    button.Create(20, 120, 90, 24, "%n%s", FontNormal, GBaseBtn::TintPress, 0, 2, nullptr, &frame);
    box.DrawBox(1.0f, 800, 600, 0, 0, 0, &PressClaimed, ClickSerial);
    frame.Draw(1.0f);
    button.Draw(1.0f);
    // As wide as the text drawn through "%s".
    EXPECT_EQ(FontNormal->TextWidth("%s", box.text), FontNormal->TextWidth("%s", "%s%n%d%%"));
}

} // namespace
