// SPDX-License-Identifier: GPL-3.0-or-later
// Press claiming and the clickable widgets: push buttons, tick boxes and the list box (the check
// buttons are driven by the panels' tests).
#include "GuiTestSupport.h"

#include "gui/GBaseBtn.h"
#include "gui/GCheck.h"
#include "gui/GListBox.h"

#include <gtest/gtest.h>

namespace {

struct Claims : ::testing::Test {
    TestPanel panel;
    GBaseBtn first, second;
    void SetUp() override {
        Fired::Reset();
        // Overlapping in x 60..80 of the panel; window x = 100 + panel x.
        first.Create(20, 20, 60, 24, "A", nullptr, GBaseBtn::TintPress, 0, 1, Fired::Callback, &panel);
        second.Create(60, 20, 60, 24, "B", nullptr, GBaseBtn::TintPress, 0, 2, Fired::Callback, &panel);
    }
};

TEST_F(Claims, OfTwoOverlappingButtonsOnlyTheFirstTakesThePressAndAReleaseOverTheOtherFiresNeither) {
    Pointer in{&first, &second};
    in.Press(170, 130); // inside both
    EXPECT_EQ(first.pressed, 1u);
    EXPECT_EQ(second.pressed, 0u);
    in.Release(170, 130);
    EXPECT_EQ(Fired::count[1], 1);
    EXPECT_EQ(Fired::count[2], 0);
    Fired::Reset();
    in.Press(130, 130); // first only
    in.Move(210, 130);  // second only
    in.Release(210, 130);
    EXPECT_EQ(Fired::count[1], 0);
    EXPECT_EQ(Fired::count[2], 0);
}

TEST_F(Claims, ButtonWalksHoverPressOutBackAndFiresAndFollowsItsPanel) {
    Pointer in{&first};
    in.Move(130, 130);
    EXPECT_EQ(first.hover, 1u);
    in.Press(130, 130);
    EXPECT_EQ(PressClaimed, 1u);
    EXPECT_EQ(first.pressed, 1u);
    EXPECT_EQ(first.value, 1);
    in.Move(300, 300); // out while held: latch off, still the owner
    EXPECT_EQ(first.hover, 0u);
    EXPECT_EQ(first.value, 0);
    EXPECT_EQ(first.pressed, 1u);
    in.Move(130, 130);
    in.Release(130, 130);
    EXPECT_EQ(Fired::count[1], 1);
    EXPECT_EQ(first.pressed, 0u);
    // A release with no press of its own (a press that began on nothing) never fires.
    in.Press(50, 50);
    in.Release(130, 130);
    EXPECT_EQ(Fired::count[1], 1);
    Fired::Reset();
    panel.x += 300;
    in.Click(130, 130); // the old place
    EXPECT_EQ(Fired::count[1], 0);
    in.Click(430, 130);
    EXPECT_EQ(Fired::count[1], 1);
}

TEST_F(Claims, TickBoxOverAWidgetTogglesAndLetsTheWidgetTakeThePress) {
    GCheck tick;
    tick.Create(20, 20, 13, 14, "t", nullptr, 0, 3, Fired::Callback, &panel);
    Pointer in{&tick, &first};
    EXPECT_EQ(tick.value, 1); // ticked from construction
    in.Press(125, 125);
    EXPECT_EQ(tick.value, 0);
    EXPECT_EQ(Fired::count[3], 1);
    EXPECT_EQ(first.pressed, 1u); // the button under it still took the press
    in.Release(125, 125);
    EXPECT_EQ(Fired::count[1], 1);
    // A claimed press leaves the tick box alone.
    Pointer after{&first, &tick};
    after.Press(125, 125);
    EXPECT_EQ(tick.value, 0);
}

TEST(ListBox, TwentyFiveItemsUnfoldAndPickRowTwelve) {
    TestPanel panel;
    GListBox list;
    list.x = 20;
    list.y = 20; // window 120, 120
    list.itemCount = 25;
    list.listId = 7;
    list.listCallback = Fired::Callback;
    list.parent = &panel;
    Fired::Reset();
    Pointer in{&list};

    in.Click(130, 130); // the header
    ASSERT_EQ(list.open, 1u);
    EXPECT_EQ(list.hoverItem, -1);

    int rowTwelveY = 141 + 14 * 11 + 7;
    in.Move(140, rowTwelveY);
    EXPECT_EQ(list.hoverItem, 11);
    in.Click(140, rowTwelveY);
    EXPECT_EQ(list.value, 11);
    EXPECT_EQ(Fired::count[7], 1);
    char header[16];
    list.HeaderText(header, sizeof header);
    EXPECT_STREQ(header, "12");

    // Any other press folds it, without choosing.
    in.Click(400, 400);
    EXPECT_EQ(list.open, 0u);
    EXPECT_EQ(list.value, 11);
    EXPECT_EQ(Fired::count[7], 1);
}

} // namespace
