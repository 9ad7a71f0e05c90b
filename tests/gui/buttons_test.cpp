// Press claiming and the clickable widgets: push buttons, check buttons, EQ check buttons, tick boxes
// and the list box.
#include "GuiTestSupport.h"

#include "gui/GBCheck.h"
#include "gui/GBaseBtn.h"
#include "gui/GCheck.h"
#include "gui/GEQCheck.h"
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

TEST(CheckButtons, EqCheckCyclesThroughThreeStatesFiringAtEachPress) {
    TestPanel panel;
    GEQCheck eq;
    eq.Create(10, 10, 26, 26, 0, 0, 0, 4, Fired::Callback, &panel);
    Fired::Reset();
    Pointer in{&eq};
    int seen[3];
    for (int i = 0; i < 3; ++i) {
        in.Click(115, 115);
        seen[i] = eq.value;
    }
    EXPECT_EQ(seen[0], 1);
    EXPECT_EQ(seen[1], 2);
    EXPECT_EQ(seen[2], 0);
    EXPECT_EQ(Fired::count[4], 3); // at the presses; releases add nothing
    EXPECT_TRUE(eq.style & GBaseBtn::OnePiece);
}

TEST(CheckButtons, ToggleSwapsLabelsAndLatchOnStaysOn) {
    TestPanel panel;
    GBCheck toggle, radio;
    toggle.Create(10, 10, 60, 22, "Off", "On", nullptr, 0, 0, 0, 5, Fired::Callback, &panel);
    radio.Create(10, 40, 60, 22, "R", "R", nullptr, 0, GBaseBtn::LatchOn | GBaseBtn::JoinRight, 0, 6,
                 Fired::Callback, &panel);
    Fired::Reset();
    Pointer in{&toggle, &radio};
    in.Click(120, 120);
    EXPECT_EQ(toggle.value, 1);
    EXPECT_STREQ(toggle.label, "On");
    EXPECT_EQ(toggle.hover, 0u); // cleared by the release
    in.Click(120, 120);
    EXPECT_EQ(toggle.value, 0);
    EXPECT_STREQ(toggle.label, "Off");
    EXPECT_EQ(Fired::count[5], 2);
    in.Click(120, 150);
    in.Click(120, 150);
    EXPECT_EQ(radio.value, 1);
    EXPECT_EQ(Fired::count[6], 2);
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
