// SPDX-License-Identifier: GPL-3.0-or-later
#include "StandInPanels.h"

#include "common/Tick.h"
#include "gui/PanelLists.h"

#include <gtest/gtest.h>

using Names = std::vector<std::string>;

class PanelLists : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetAppState();
        TickSet(50000);
        ClientWidth = 960;
        ClientHeight = 600;
        for (auto* p : {&a, &b, &c, &d})
            p->Place(10, 40, 300, 200);
        LinkZOrder(&a, &b, &c, &d);
        a.focusSerial = FocusSerial;
    }
    void TearDown() override { TickUseClock(); }

    InputLog log;
    StandIn<AWndFrame> a{"a", &log}, b{"b", &log}, c{"c", &log}, d{"d", &log};
};

TEST_F(PanelLists, OpeningPutsThePanelOnTopFocusedAndCentred) {
    OpenPanel(&c);
    EXPECT_EQ(ZNames(), (Names{"c", "a", "b", "d"}));
    EXPECT_EQ(c.zPrev, nullptr);
    EXPECT_EQ(a.zPrev, &c);
    EXPECT_EQ(d.zPrev, &b);
    EXPECT_TRUE(c.IsOpen());
    EXPECT_EQ(c.focusSerial, 10001u);
    EXPECT_TRUE(c.HasFocus());
    EXPECT_EQ(a.fadeStart, 50000u); // the old top starts fading to its unfocused look
    EXPECT_EQ(c.x, 330);
    EXPECT_EQ(c.y, 200);
    EXPECT_EQ(OpenNames(), (Names{"c"}));

    OpenPanel(&b);
    OpenPanel(&c); // already open: only refocused, and the open order stays
    EXPECT_EQ(ZNames(), (Names{"c", "b", "a", "d"}));
    EXPECT_EQ(OpenNames(), (Names{"c", "b"}));
}

TEST_F(PanelLists, ReopeningAMinimisedPanelRestoresItWithoutCentring) {
    OpenPanel(&b);
    OpenPanel(&c);
    MinimizePanel(&c);
    EXPECT_EQ(ZNames(), (Names{"b", "a", "d", "c"}));
    EXPECT_TRUE(b.HasFocus());
    c.x = 17;
    c.y = 99;
    OpenPanel(&c);
    EXPECT_FALSE(c.IsMinimised());
    EXPECT_EQ(TopPanel, &c);
    EXPECT_TRUE(c.HasFocus());
    EXPECT_EQ(c.x, 17);
    EXPECT_EQ(c.y, 99);
}

TEST_F(PanelLists, ClosingTheTopPanelFocusesTheNextOpenOne) {
    OpenPanel(&d);
    OpenPanel(&c); // c, d, a, b: a and b closed
    uint32_t serial = FocusSerial;
    ClosePanel(&c);
    EXPECT_FALSE(c.IsOpen());
    EXPECT_EQ(TopPanel, &d);
    EXPECT_EQ(d.zPrev, nullptr);
    EXPECT_EQ(FocusSerial, serial + 1);
    EXPECT_TRUE(d.HasFocus());
    EXPECT_EQ(ZNames().back(), "c");
}

TEST_F(PanelLists, ClosedPanelsBetweenTopAndNextOpenDropOutUntilReopened) {
    OpenPanel(&d);
    OpenPanel(&a); // a, d, b, c
    TopPanel = &a;
    LinkZOrder(&a, &b, &c, &d); // b and c closed between a and d
    ClosePanel(&a);
    EXPECT_EQ(ZNames(), (Names{"d", "a"}));
    OpenPanel(&b);
    EXPECT_EQ(ZNames(), (Names{"b", "d", "a"}));
}

TEST_F(PanelLists, ClosingALowerPanelSendsItToTheBottom) {
    OpenPanel(&b);
    OpenPanel(&a); // a, b, c, d
    ClosePanel(&b);
    EXPECT_EQ(ZNames(), (Names{"a", "c", "d", "b"}));
    EXPECT_TRUE(a.HasFocus());
    ClosePanel(&b); // the bottom panel: nothing moves
    EXPECT_EQ(ZNames(), (Names{"a", "c", "d", "b"}));
}

// Opening the closed top panel fades the old head; centring keeps the title below the top strip;
// closing the last open panel moves nothing; a panel from outside the list goes on top.
TEST_F(PanelLists, TheEndsOfTheList) {
    OpenPanel(&a);
    EXPECT_EQ(ZNames(), (Names{"a", "b", "c", "d"}));
    EXPECT_EQ(b.fadeStart, 50000u);
    EXPECT_TRUE(a.HasFocus());
    ClosePanel(&a);
    EXPECT_EQ(ZNames(), (Names{"a", "b", "c", "d"}));
    EXPECT_FALSE(a.IsOpen());
    c.Place(0, 0, 300, 590);
    OpenPanel(&c);
    EXPECT_EQ(c.y, 24);

    StandIn<AWndFrame> volume{"volume", &log};
    volume.Place(0, 0, 340, 196);
    OpenPanel(&volume);
    EXPECT_EQ(ZNames(), (Names{"volume", "c", "a", "b", "d"}));
}
