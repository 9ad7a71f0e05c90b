// The panel frame: title buttons, fades, dragging, resizing, the double-click enlarge and the size toggle,
// and the application finishing a close on real frames.
#include "GuiTestSupport.h"

#include "app/TonvexCore.h"
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
    // Dims to 80 % while dragging, back to full 200 ms after the release.
    DrawAfter(200);
    EXPECT_NEAR(frame.opacity, 0.8f, Tolerance);
    in.Release(5000, 5000);
    DrawAfter(100);
    EXPECT_NEAR(frame.opacity, 0.9f, Tolerance);
    DrawAfter(101);
    EXPECT_NEAR(frame.opacity, 1.0f, Tolerance);
}

TEST_F(Frame, SizeToggleAnimatesTo460By320AndBack) {
    Pointer in{&frame};
    in.Click(Right() - 56, frame.y + 10);
    EXPECT_TRUE(frame.IsCompact());
    DrawAfter(100);
    EXPECT_EQ(frame.width, 550); // halfway from 640 to 460
    EXPECT_EQ(frame.height, 420);
    DrawAfter(101);
    EXPECT_EQ(frame.width, 460);
    EXPECT_EQ(frame.height, 320);
    EXPECT_EQ(frame.sizeAnimStart(), 0);
    in.Click(Right() - 56, frame.y + 10);
    EXPECT_FALSE(frame.IsCompact());
    DrawAfter(201);
    EXPECT_EQ(frame.width, 640);
    EXPECT_EQ(frame.height, 520);
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

// Two panels through the application: the lower one is drawn at 60 %, a click raises it to 100 % within
// 200 ms; the close button of the top one fades it out and the application finishes the close.
struct TwoPanels : ::testing::Test {
    TestPanel lower, upper;
    TonvexCore& core = TonvexCore::Instance();
    void SetUp() override {
        EnsureGlContext();
        ResetAppState();
        core.ResetForTest();
        TickSet(300000);
        core.state = GlReady | Running | Started;
        core.OnSize(800, 600);
        BgFadeStart = 1; // the intro is over
        FirstBgFrameTick = 0;
        ConnectAutoOpen = 0;
        lower.Create(0, 0, 300, 200, 200, 200, "Lower");
        upper.Create(0, 0, 300, 200, 200, 200, "Upper");
        lower.frameFlags = upper.frameFlags = FrameHasClose | FrameHasMinimise;
        TopPanel = &lower;
        lower.zNext = &upper;
        upper.zPrev = &lower;
        OpenPanel(&lower);
        Frames(250); // shown at full opacity once
        OpenPanel(&upper);
        upper.x = 450; // side by side
        lower.x = 50;
        Frames(250);
    }
    void Frames(int ms) {
        for (int i = 0; i < ms; i += 10) {
            TickAdvance(10);
            core.RenderFrame();
        }
    }
};

TEST_F(TwoPanels, UnfocusedPanelDrawsAt60PercentAndAClickBringsItTo100) {
    ASSERT_EQ(TopPanel, &upper);
    EXPECT_NEAR(upper.opacity, 1.0f, Tolerance);
    EXPECT_NEAR(lower.opacity, 0.6f, Tolerance);
    core.OnLButtonDown(lower.x + 150, lower.y + 100);
    core.OnLButtonUp(lower.x + 150, lower.y + 100);
    EXPECT_EQ(TopPanel, &lower);
    Frames(100);
    EXPECT_GT(lower.opacity, 0.7f);
    EXPECT_LT(lower.opacity, 0.9f);
    Frames(110);
    EXPECT_NEAR(lower.opacity, 1.0f, Tolerance);
    EXPECT_NEAR(upper.opacity, 0.6f, Tolerance);
}

TEST_F(TwoPanels, CloseButtonFadesOutAndTheApplicationFinishesTheClose) {
    int closeX = upper.x + upper.width - 16, closeY = upper.y + 10;
    core.OnMouseMove(closeX, closeY);
    core.OnLButtonDown(closeX, closeY);
    core.OnLButtonUp(closeX, closeY);
    ASSERT_TRUE(upper.frameFlags & FrameClosing);
    Frames(100);
    EXPECT_TRUE(upper.IsOpen());
    Frames(120);
    EXPECT_FALSE(upper.IsOpen());
    EXPECT_FALSE(upper.frameFlags & (FrameClosing | FrameToMinimise | FrameShown));
    EXPECT_EQ(TopPanel, &lower);
    EXPECT_TRUE(lower.HasFocus());
    Frames(250);
    EXPECT_NEAR(lower.opacity, 1.0f, Tolerance);
}

TEST_F(TwoPanels, MinimiseButtonHidesThePanelAndOpeningBringsItBack) {
    int minX = upper.x + upper.width - 36, minY = upper.y + 10;
    core.OnLButtonDown(minX, minY);
    core.OnLButtonUp(minX, minY);
    Frames(250);
    EXPECT_TRUE(upper.IsOpen());
    EXPECT_TRUE(upper.IsMinimised());
    EXPECT_EQ(TopPanel, &lower);
    int savedX = upper.x;
    OpenPanel(&upper);
    EXPECT_FALSE(upper.IsMinimised());
    EXPECT_EQ(TopPanel, &upper);
    EXPECT_EQ(upper.x, savedX);
}

} // namespace

namespace {

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
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    box.DrawBox(1.0f, 800, 600, 0, 0, 0, &PressClaimed, ClickSerial);
    EnsureGlContext();
    // The box's text row holds dark glyph pixels of the literal text.
    int dark = 0;
    unsigned char rgba[4];
    for (int px = box.WindowX() + 8; px < box.WindowX() + 80; ++px) {
        for (int py = box.WindowY() + 6; py < box.WindowY() + 20; ++py) {
            ReadPixel(px, py, 600, rgba);
            dark += rgba[0] < 100;
        }
    }
    EXPECT_GT(dark, 20);
    // As wide as the text drawn through "%s".
    EXPECT_EQ(FontNormal->TextWidth("%s", box.text), FontNormal->TextWidth("%s", "%s%n%d%%"));
    frame.Draw(1.0f);
    button.Draw(1.0f);
}

} // namespace
