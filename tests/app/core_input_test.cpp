// SPDX-License-Identifier: GPL-3.0-or-later
#include "StandInPanels.h"

#include "app/TonvexCore.h"
#include "common/Tick.h"
#include "gui/PanelLists.h"
#include "link/LinkState.h"
#include "panels/AWndBar.h"
#include "panels/AWndCon.h"
#include "panels/AWndHelp.h"
#include "panels/AWndMVol.h"
#include "panels/AWndMic.h"
#include "panels/AWndMsg.h"
#include "panels/AWndSys.h"
#include "panels/Panels.h"

#include <cstring>
#include <gtest/gtest.h>

using Names = std::vector<std::string>;

class CoreInput : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetAppState();
        ResetPanelPointers();
        core.ResetForTest();
        core.state = IntroDone | LogoDone;
        TickSet(100000);
        core.OnSize(960, 600);
        for (auto* p : {static_cast<AWndFrame*>(&top), static_cast<AWndFrame*>(&lower),
                        static_cast<AWndFrame*>(&msg), static_cast<AWndFrame*>(&con)})
            p->frameFlags &= ~FrameOpen;
        top.Place(0, 0, 300, 200);
        lower.Place(0, 0, 300, 200);
        msg.Place(300, 150, 380, 320);
        con.Place(300, 150, 310, 200);
        LinkZOrder(&con, &msg, &top, &lower);
        MsgPanel = &msg;
        ConPanel = &con;
        MicPanel = &top;
        MVolPanel = &volume;
        HelpPanel = &help;
        BarPanel = &bar;
        SysPanel = &sys;
        OpenPanel(&lower);
        OpenPanel(&top);
        top.Place(100, 100, 300, 200);
        lower.Place(500, 300, 300, 200);
        log.events.clear();
    }
    void TearDown() override {
        ResetAppState();
        ResetPanelPointers();
        TickUseClock();
    }

    // One pass of the keyboard snapshot: the keys listed are down, every other key up.
    void Keys(std::initializer_list<uint8_t> down) {
        std::memcpy(PrevKeyState, KeyState, sizeof KeyState);
        std::memset(KeyState, 0, sizeof KeyState);
        for (uint8_t vk : down)
            KeyState[vk] = 0x80;
        core.PollKeys();
    }

    TonvexCore& core = TonvexCore::Instance();
    InputLog log;
    StandIn<AWndMic> top{"top", &log};
    StandIn<AWndFrame> lower{"lower", &log};
    StandIn<AWndMsg> msg{"msg", &log};
    StandIn<AWndCon> con{"con", &log};
    StandIn<AWndMVol> volume{"volume", &log};
    StandIn<AWndHelp> help{"help", &log};
    StandIn<AWndBar> bar{"bar", &log};
    StandIn<AWndSys> sys{"sys", &log};
};

TEST_F(CoreInput, APressOnALowerPanelRaisesItBeforeItGetsThePress) {
    core.OnLButtonDown(600, 400);
    EXPECT_EQ(TopPanel, &lower);
    EXPECT_EQ(log.events, (Names{"lower:down(top)", "bar:down"}));
    EXPECT_EQ(bar.focusSerial, 0u);
    EXPECT_EQ(ClickSerial, 2u);
    EXPECT_EQ(LeftDown, 1u);
    EXPECT_EQ(RightClaimed, 1u);

    log.events.clear();
    core.OnLButtonUp(600, 400);
    // The tab bar gets every release too: its comparison button fires on one.
    EXPECT_EQ(log.events, (Names{"lower:up", "bar:up"}));
    EXPECT_EQ(PressClaimed, 1u);
    EXPECT_EQ(LeftReleased, 1u);
}

TEST_F(CoreInput, AnOpenMessageOrConnectingPanelTakesAllMouseInput) {
    msg.frameFlags |= FrameOpen;
    core.OnMouseMove(600, 400);
    core.OnLButtonDown(600, 400);
    core.OnLButtonUp(600, 400);
    EXPECT_EQ(log.events, (Names{"msg:move", "msg:down", "msg:up"}));
    EXPECT_EQ(TopPanel, &top); // nothing was raised

    msg.frameFlags &= ~FrameOpen;
    con.frameFlags |= FrameOpen;
    log.events.clear();
    core.OnMouseMove(1, 1);
    core.OnLButtonDown(1, 1);
    EXPECT_EQ(PressClaimed, 1u);
    EXPECT_EQ(log.events, (Names{"con:move", "con:down"}));
}

TEST_F(CoreInput, MovesReachEveryOpenPanelThenTheTabBarTheWheelOnlyTheTopAndAFocusedBarPressesFirst) {
    core.OnMouseMove(7, 9);
    EXPECT_EQ(MouseX, 7);
    EXPECT_EQ(MouseY, 9);
    EXPECT_EQ(log.events, (Names{"top:move", "lower:move", "bar:move"}));
    log.events.clear();
    TickAdvance(5000);
    core.OnMouseWheel(-120);
    EXPECT_EQ(log.events, (Names{"top:wheel"}));
    EXPECT_EQ(LastInputTick, TickNow());
    log.events.clear();
    bar.focusSerial = FocusSerial;
    uint32_t editing = 1;
    ActiveTextEdit = &editing;
    core.OnLButtonDown(5, 5); // on no panel
    EXPECT_EQ(log.events, (Names{"bar:down", "top:down(top)"}));
    EXPECT_EQ(ActiveTextEdit, nullptr) << "a left press ends the text edit";
}

TEST_F(CoreInput, ResizingClampsTheClientSizeAndPullsPanelsBack) {
    core.OnSize(300, 200);
    EXPECT_EQ(ClientWidth, 620);
    EXPECT_EQ(ClientHeight, 400);
    EXPECT_EQ(bar.width, 620);
    core.OnSize(0, 500); // ignored
    EXPECT_EQ(ClientHeight, 400);

    core.OnSize(960, 600);
    lower.x = 2000;
    lower.y = 900;
    core.OnSize(800, 500);
    EXPECT_EQ(lower.x, 800 - 24);
    EXPECT_EQ(lower.y, 500 - 24);
    EXPECT_EQ(top.x, 100); // already inside: untouched
}

TEST_F(CoreInput, AHeldF4SwitchesTheLanguageOnceAndPanelHotKeysAreOffWhileEditingOrBehindAModalPanel) {
    Keys({VkF4});
    EXPECT_EQ(Language, 1u);
    Keys({VkF4});
    Keys({VkF4});
    EXPECT_EQ(Language, 1u);
    Keys({});
    Keys({VkF4});
    EXPECT_EQ(Language, 0u);
    Keys({});
    uint32_t editing = 1;
    ActiveTextEdit = &editing;
    Keys({'6'});
    EXPECT_FALSE(volume.IsOpen());
    editing = 0; // the word is watched, not the pointer
    Keys({});
    Keys({'6'});
    EXPECT_TRUE(volume.IsOpen());
    EXPECT_EQ(TopPanel, &volume);
    ActiveTextEdit = nullptr;

    msg.frameFlags |= FrameOpen;
    Keys({});
    Keys({VkF1});
    EXPECT_FALSE(help.IsOpen());
    Keys({VkF4}); // still works
    EXPECT_EQ(Language, 1u);
    msg.frameFlags &= ~FrameOpen;

    con.frameFlags |= FrameOpen;
    Keys({});
    Keys({VkF1});
    EXPECT_FALSE(help.IsOpen());
    con.frameFlags &= ~FrameOpen;
    Keys({});
    Keys({VkF1});
    EXPECT_TRUE(help.IsOpen());

    ClosePanel(&help);
    core.state &= ~IntroDone;
    Keys({});
    Keys({VkF1});
    EXPECT_FALSE(help.IsOpen());
}

// Escape closes the panel that takes the keys as its close button does: a message first (without
// answering it), the connecting panel, else the top panel; Enter presses a message's default button.
// Neither fires while a text box is edited.
TEST_F(CoreInput, EscapeClosesAsTheCloseButtonDoesAndEnterAnswersAMessage) {
    for (AWndFrame* p :
         {static_cast<AWndFrame*>(&top), static_cast<AWndFrame*>(&msg), static_cast<AWndFrame*>(&con)})
        p->frameFlags |= FrameHasClose;
    static int confirmed;
    confirmed = 0;
    uint32_t editing = 1;
    ActiveTextEdit = &editing;
    core.OnShortcut(VkEscape, 0, false);
    EXPECT_FALSE(top.frameFlags & FrameClosing) << "a text box is being edited";
    ActiveTextEdit = nullptr;

    AskYesNo(MsgAskEqReset, [](uint32_t answer) { confirmed = static_cast<int>(answer); });
    ASSERT_TRUE(msg.IsOpen());
    core.OnShortcut(VkEscape, 0, false);
    EXPECT_TRUE(msg.frameFlags & FrameClosing);
    EXPECT_FALSE(top.frameFlags & FrameClosing);
    EXPECT_EQ(confirmed, 0) << "closed, not answered";

    msg.frameFlags &= ~(FrameOpen | FrameClosing);
    AskYesNo(MsgAskEqReset, [](uint32_t answer) { confirmed = static_cast<int>(answer); });
    core.OnShortcut(VkReturn, 0, false);
    EXPECT_EQ(confirmed, 1) << "Enter is the question's Yes";
    msg.frameFlags &= ~(FrameOpen | FrameClosing);

    con.frameFlags |= FrameOpen;
    core.OnShortcut(VkEscape, 0, false);
    EXPECT_TRUE(con.frameFlags & FrameClosing);
    EXPECT_FALSE(top.frameFlags & FrameClosing);
    con.frameFlags &= ~(FrameOpen | FrameClosing);

    core.OnShortcut(VkReturn, 0, false);
    EXPECT_FALSE(top.frameFlags & FrameClosing) << "Enter closes nothing but a message";
    core.OnShortcut(VkEscape, 0, true);
    EXPECT_FALSE(top.frameFlags & FrameClosing) << "a held Escape's repeats do nothing";
    core.OnShortcut(VkEscape, 0, false);
    EXPECT_TRUE(top.frameFlags & FrameClosing);
}

// Leaving full screen brings every panel wholly back inside the window (a panel larger than the window
// made as small as it may be); other resizes keep the usual 24-pixel corner.
TEST_F(CoreInput, LeavingFullScreenBringsEveryPanelBackInside) {
    core.OnSize(1920, 1080);
    lower.Place(1500, 800, 300, 200);
    top.Place(100, 100, 1200, 700);
    top.minWidth = 400;
    top.minHeight = 300;
    core.panelsInsideOnNextSize = true;
    core.OnSize(960, 600);
    EXPECT_EQ(lower.x, 960 - 300);
    EXPECT_EQ(lower.y, 600 - 200);
    EXPECT_EQ(top.x, 0);
    EXPECT_EQ(top.y, 0);
    EXPECT_EQ(top.width, 960);
    EXPECT_EQ(top.height, 600);
    lower.Place(1500, 800, 300, 200);
    core.OnSize(960, 600);
    EXPECT_EQ(lower.x, 960 - 24) << "once only";
}

// Tab, the arrows and the page keys reach the top panel's keyboard focus (none of them while a text
// box is edited, or with Ctrl held); a mouse press hides the focus.
TEST_F(CoreInput, KeysMoveTheTopPanelsFocusAndStepItsControl) {
    struct Stepper : GUIWnd {
        int steps = 0;
        bool TakesKeyFocus() const override { return true; }
        bool StepByKey(int s) override {
            steps += s;
            return true;
        }
    } a, b;
    a.width = b.width = 20;
    a.height = b.height = 10;
    a.x = 10, a.y = 40, b.x = 10, b.y = 80;
    a.AttachTo(&top);
    b.AttachTo(&top);
    core.OnShortcut(9, 0, false);
    EXPECT_EQ(top.keyFocus, &a);
    core.OnShortcut(9, 0, false);
    EXPECT_EQ(top.keyFocus, &b);
    core.OnShortcut(38, 0, false);
    core.OnShortcut(34, 0, false);
    EXPECT_EQ(b.steps, 1 - 10);
    core.OnShortcut(9, GWindowMessage::ShortcutShift, false);
    EXPECT_EQ(top.keyFocus, &a);
    core.OnShortcut(37, GWindowMessage::ShortcutCtrl, false);
    uint32_t editing = 1;
    ActiveTextEdit = &editing;
    core.OnShortcut(40, 0, false);
    ActiveTextEdit = nullptr;
    EXPECT_EQ(a.steps, 0);
    core.OnLButtonDown(600, 400);
    EXPECT_EQ(top.keyFocus, nullptr);
    top.firstChild = nullptr;
}
