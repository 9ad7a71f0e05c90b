// SPDX-License-Identifier: GPL-3.0-or-later
// The tab bar: the level keys, the loss message and the task list's tabs.
#include "PanelFixture.h"
#include "gui/PanelLists.h"

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

// The level keys step on key events, whatever the frames and the key state do: a short press is one
// step, even when it begins and ends between two frames or the state shows the key longer; a held key
// steps once at once, then nothing for 321 ms, then one step per 40 ms; every step is sent.
TEST_F(TabBar, LevelKeysStepOncePerPressThenRepeatAfterTheWait) {
    GPushBar& effect = bar->levels[AWndBar::Effect];
    // A short press after a pause, with the key state running ahead of the events.
    TickAdvance(5000);
    KeyState['Q'] = 0x80;
    Pass(8);
    Pass(8);
    bar->LevelKeyEdge('Q', true, TickNow());
    for (int f = 0; f < 10; ++f) // 80 ms held
        Pass(8);
    bar->LevelKeyEdge('Q', false, TickNow());
    Pass(8);
    Pass(8);
    KeyState['Q'] = 0;
    EXPECT_EQ(effect.value, 1);
    // Pressed and released between two frames: still one step.
    bar->LevelKeyEdge('Q', true, TickNow());
    bar->LevelKeyEdge('Q', false, TickNow());
    Pass(8);
    Pass(8);
    EXPECT_EQ(effect.value, 2);
    EXPECT_EQ(LinkTapCodes(), (std::vector<uint32_t>{17, 17}));
    LinkTapClear();

    // Held for 1.5 s, drawn every 8 ms: 1, then nothing before 321 ms, then one per 40 ms.
    effect.SetValue(0);
    uint32_t pressed = TickNow();
    bar->LevelKeyEdge('Q', true, pressed);
    std::vector<uint32_t> stepAt;
    for (int value = effect.value; TickNow() - pressed < 1500;) {
        Pass(8);
        if (effect.value != value) stepAt.push_back(TickNow() - 8 - pressed);
        value = effect.value;
    }
    bar->LevelKeyEdge('Q', false, TickNow());
    for (int f = 0; f < 20; ++f)
        Pass(8);
    ASSERT_GE(stepAt.size(), 2u);
    EXPECT_EQ(stepAt[0], 0u);
    EXPECT_GE(stepAt[1], 321u);
    EXPECT_LE(stepAt[1], 330u);
    for (size_t i = 2; i < stepAt.size(); ++i)
        EXPECT_EQ(stepAt[i] - stepAt[i - 1], 40u) << i;
    EXPECT_EQ(stepAt.size(), 31u); // at 0, 328, then every 40 ms up to 1488
    EXPECT_EQ(effect.value, 31);
    const auto& sent = LinkTapRequests();
    ASSERT_EQ(sent.size(), 31u) << "every step went out once, none after the release";
    for (size_t i = 0; i < sent.size(); ++i)
        EXPECT_EQ(sent[i].value, i + 1);
    LinkTapClear();

    // Frames that fall unevenly (13 and 29 ms apart) keep the same beat: as many steps in 1.5 s.
    effect.SetValue(0);
    pressed = TickNow();
    bar->LevelKeyEdge('Q', true, pressed);
    for (int f = 0; TickNow() - pressed < 1500; ++f)
        Pass(f % 2 ? 13 : 29);
    bar->LevelKeyEdge('Q', false, TickNow());
    EXPECT_EQ(effect.value, 31);
    LinkTapClear();

    // Two levels in one frame go out as one pair; a key pressed while a box is edited does nothing.
    bar->LevelKeyEdge('A', true, TickNow());
    bar->LevelKeyEdge('W', true, TickNow());
    Pass(8);
    EXPECT_EQ(effect.value, 30);
    EXPECT_EQ(bar->levels[AWndBar::Mic].value, 1);
    const auto& pair = LinkTapRequests();
    ASSERT_EQ(pair.size(), 2u);
    EXPECT_EQ(pair[0].code, 17u);
    EXPECT_EQ(pair[0].value, 30u);
    EXPECT_EQ(pair[1].code, 18u);
    EXPECT_EQ(pair[1].value, 1u);
    bar->LevelKeyEdge('A', false, TickNow());
    bar->LevelKeyEdge('W', false, TickNow());
    uint32_t editing = 1;
    ActiveTextEdit = &editing;
    bar->LevelKeyEdge('E', true, TickNow());
    Pass(8);
    ActiveTextEdit = nullptr;
    Pass(8);
    EXPECT_EQ(bar->levels[AWndBar::Music].value, 0);
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
