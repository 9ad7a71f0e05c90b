// SPDX-License-Identifier: GPL-3.0-or-later
// The volume panel's number boxes and limits, through the send tap.
#include "PanelFixture.h"
#include "gui/PanelLists.h"

namespace {

class VolumePanel : public PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        MakePanels();
        OpenPanel(volume.get());
        LinkTapStart();
    }
    // Values as a download leaves them, then the refresh.
    void Download(std::initializer_list<int> values) {
        int i = 0;
        for (int v : values)
            volume->bars[i++].value = v;
        volume->RefreshFromValues();
        LinkTapClear();
    }
    void Type(int i, const char* text) {
        GTextBox& box = volume->boxes[i];
        box.SetText(text);
        box.focused = 1;
        volume->BoxCommitted(i);
    }
};

} // namespace

TEST_F(VolumePanel, NumberBoxesSnapAndStartsStayUnderTheirLimits) {
    Download({20, 30, 20, 40, 5});
    Type(AWndMVol::EffectStart, "70");
    EXPECT_STREQ(volume->boxes[4].text, "62");
    EXPECT_EQ(volume->bars[4].value, 62);
    Type(AWndMVol::EffectStart, "-5");
    EXPECT_STREQ(volume->boxes[4].text, "0");
    // A fraction is rounded once: shown, taken and sent as 4; the focus leaving sends nothing more.
    Type(AWndMVol::EffectStart, "3.7");
    EXPECT_STREQ(volume->boxes[4].text, "4");
    EXPECT_EQ(volume->bars[4].value, 4);
    volume->BoxCommitted(AWndMVol::EffectStart);
    Type(AWndMVol::MusicStart, "40"); // under a Music Limite of 30
    EXPECT_STREQ(volume->boxes[0].text, "30");
    EXPECT_EQ(volume->bars[0].value, 30);
    EXPECT_EQ(LinkTapCodes(), (std::vector<uint32_t>{1796, 1796, 1796, 1792}));
    EXPECT_EQ(LinkTapRequests()[2].value, 4u);
    EXPECT_EQ(LinkTapRequests().back().value, 30u);

    // Mic Limite lowered to 10 under a Mic Start of 20: the start follows and goes out with it, the tab
    // bar's Mic level is held.
    bar->levels[AWndBar::Mic].SetValue(25);
    LinkTapClear();
    Type(AWndMVol::MicLimit, "10");
    EXPECT_EQ(volume->bars[AWndMVol::MicStart].value, 10);
    EXPECT_EQ(volume->bars[AWndMVol::MicStart].limit, 10);
    EXPECT_STREQ(volume->boxes[AWndMVol::MicStart].text, "10");
    EXPECT_EQ(bar->levels[AWndBar::Mic].limit, 10);
    EXPECT_LE(bar->levels[AWndBar::Mic].value, 10);
    EXPECT_EQ(LinkTapCodes(), (std::vector<uint32_t>{1795, 1794}));
    EXPECT_EQ(LinkTapRequests()[1].value, 10u);

    // The same through the bar: dragging Music Limite to 12 pulls Music Start and the Music level down.
    bar->levels[AWndBar::Music].SetValue(50);
    LinkTapClear();
    volume->bars[AWndMVol::MusicLimit].SetValue(12);
    volume->BarMoved(AWndMVol::MusicLimit);
    EXPECT_EQ(volume->bars[AWndMVol::MusicStart].value, 12);
    EXPECT_EQ(volume->bars[AWndMVol::MusicStart].limit, 12);
    EXPECT_EQ(bar->levels[AWndBar::Music].value, 12);
    EXPECT_EQ(LinkTapCodes(), (std::vector<uint32_t>{1793, 1792}));
}

// A download shows what the processor holds: levels above a Limite and a Start above its Limite are
// not lowered (nothing would tell the processor); the limits apply to what the user moves next.
TEST_F(VolumePanel, ADownloadLeavesTheLevelsAsReceived) {
    bar->levels[AWndBar::Mic].value = 30;
    bar->levels[AWndBar::Music].value = 45;
    bar->RefreshFromValues();
    Download({25, 20, 5, 10, 7});
    EXPECT_EQ(bar->levels[AWndBar::Mic].value, 30);
    EXPECT_EQ(bar->levels[AWndBar::Mic].limit, 10);
    EXPECT_EQ(bar->levels[AWndBar::Music].value, 45);
    EXPECT_EQ(volume->bars[AWndMVol::MusicStart].value, 25);
    EXPECT_STREQ(volume->boxes[AWndMVol::MusicStart].text, "25");
    EXPECT_EQ(volume->bars[AWndMVol::MusicStart].limit, 20);
    // The first key step starts from what the processor holds.
    bar->LevelKeyEdge('W', true, TickNow());
    IntroEnded = 1;
    bar->Draw(1.0f);
    bar->LevelKeyEdge('W', false, TickNow());
    EXPECT_EQ(LinkTapCodes(), (std::vector<uint32_t>{18}));
    EXPECT_EQ(LinkTapRequests()[0].value, 31u);
}

// The keyboard: Tab goes round the five sliders (Shift+Tab from none to the last), an arrow steps the
// focused one by one and Page Up or Down by ten, each step sent once; at the end of its range a step
// sends nothing. The Starts stay under their Limites as with the mouse.
TEST_F(VolumePanel, TabMovesTheKeyFocusAndKeyStepsAreSentEachOnce) {
    Download({40, 62, 40, 62, 30});
    volume->MoveKeyFocus(false);
    ASSERT_EQ(volume->keyFocus, &volume->bars[0]);
    EXPECT_TRUE(volume->keyFocus->StepByKey(1));
    EXPECT_TRUE(volume->keyFocus->StepByKey(-10));
    std::vector<std::pair<uint32_t, uint32_t>> sent = Sent();
    EXPECT_EQ(sent, (std::vector<std::pair<uint32_t, uint32_t>>{{1792, 41}, {1792, 31}}));
    volume->MoveKeyFocus(false);
    ASSERT_EQ(volume->keyFocus, &volume->bars[1]);
    EXPECT_FALSE(volume->keyFocus->StepByKey(1)) << "a Limite at the top of its range";
    EXPECT_TRUE(Sent().empty());
    for (int i = 0; i < 4; ++i)
        volume->MoveKeyFocus(false);
    EXPECT_EQ(volume->keyFocus, &volume->bars[0]) << "round again";
    volume->keyFocus = nullptr;
    volume->MoveKeyFocus(true);
    EXPECT_EQ(volume->keyFocus, &volume->bars[4]);
}
