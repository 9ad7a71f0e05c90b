// The tab bar: the level keys, the loss message and the task list's tabs.
#include "PanelFixture.h"

#include <cstring>

namespace {

class TabBar : public PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        MakePanels();
        IntroEnded = 1;
        LinkTapStart();
        TickSet(100000);
    }
    // One pass of the main loop: the key snapshot moves on, the bar is drawn, time passes.
    void Pass(uint32_t ms) {
        bar->Draw(1.0f);
        std::memcpy(PrevKeyState, KeyState, sizeof KeyState);
        TickAdvance(ms);
    }
};

} // namespace

TEST_F(TabBar, HeldKeysStepOnceThenRepeatAndSendOncePerPass) {
    KeyState['Q'] = 0x80;
    std::vector<int> valueAt; // the Effect level after each 10 ms pass
    for (int pass = 0; pass < 400; ++pass) {
        Pass(10);
        valueAt.push_back(bar->levels[AWndBar::Effect].value);
    }
    EXPECT_EQ(valueAt[0], 1);
    EXPECT_EQ(valueAt[31], 1) << "no repeat before 321 ms";
    EXPECT_EQ(valueAt[33], 2);
    // Then a step about every 40 ms (the pass that finds more than 40 ms gone: every 50 ms here).
    EXPECT_EQ(valueAt[37], 2);
    EXPECT_EQ(valueAt[38], 3);
    EXPECT_EQ(valueAt[83], 12);
    EXPECT_EQ(valueAt.back(), 62) << "the range's end holds";
    // Every step went out once, in order.
    const auto& sent = LinkTapRequests();
    ASSERT_EQ(sent.size(), 62u);
    for (size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(sent[i].code, 17u);
        EXPECT_EQ(sent[i].value, i + 1);
    }

    // Two keys in one pass: both levels step, one send, for the later one in the table.
    KeyState['Q'] = 0;
    Pass(10);
    LinkTapClear();
    KeyState['A'] = KeyState['W'] = 0x80;
    Pass(10);
    EXPECT_EQ(bar->levels[AWndBar::Effect].value, 61);
    EXPECT_EQ(bar->levels[AWndBar::Mic].value, 1);
    EXPECT_EQ(LinkTapCodes(), (std::vector<uint32_t>{18}));
}

TEST_F(TabBar, TheLossMessageOpensOncePerLoss) {
    LinkLost = 0;
    Pass(10);
    LinkLost = 1;
    Pass(10);
    EXPECT_TRUE(msg->IsOpen());
    EXPECT_EQ(MessageCode, MsgLinkLost);
    ClosePanel(msg.get());
    Pass(10);
    Pass(10);
    EXPECT_FALSE(msg->IsOpen()) << "the same loss does not open it again";
    LinkLost = 0;
    Pass(10);
    LinkLost = 1;
    Pass(10);
    EXPECT_TRUE(msg->IsOpen());
}

TEST_F(TabBar, TabsMinimiseAndRestoreAndNarrowToSixtyFour) {
    std::vector<std::unique_ptr<AWndFrame>> panels;
    for (int i = 0; i < 11; ++i) {
        panels.push_back(std::make_unique<AWndFrame>());
        panels.back()->Create(100, 100, 300, 200, 200, 200, "Panel");
    }
    AWndFrame* first = panels[0].get();
    AWndFrame* second = panels[1].get();
    OpenPanel(first);
    OpenPanel(second);
    EXPECT_EQ(bar->TabWidth(bar->OpenCount()), 120);
    // The second tab (46 + 120 ... 286): the focused panel goes to minimised; a second click restores it.
    ClickOn(bar.get(), 200, 10);
    EXPECT_TRUE(second->frameFlags & FrameClosing);
    EXPECT_TRUE(second->frameFlags & FrameToMinimise);
    MinimizePanel(second);
    second->frameFlags &= ~(FrameClosing | FrameToMinimise);
    ClickOn(bar.get(), 200, 10);
    EXPECT_FALSE(second->IsMinimised());
    EXPECT_TRUE(second->HasFocus());
    EXPECT_EQ(TopPanel, second);

    // Eleven panels in a 620-pixel window: 64-pixel tabs, and a press picks the panel drawn there.
    for (auto& p : panels)
        OpenPanel(p.get());
    bar->width = 620;
    EXPECT_EQ(bar->TabWidth(bar->OpenCount()), 64);
    std::vector<AWndFrame*> order;
    for (GUIWnd* p = OpenPanels; p; p = p->openNext)
        order.push_back(static_cast<AWndFrame*>(p));
    ClickOn(bar.get(), 46 + 7 * 64 + 10, 10);
    EXPECT_EQ(TopPanel, order[7]);
}

