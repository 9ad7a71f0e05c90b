// The volume panel's number boxes and limits, through the send tap.
#include "PanelFixture.h"

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
    Type(AWndMVol::EffectStart, "3.7");
    EXPECT_STREQ(volume->boxes[4].text, "4");
    EXPECT_EQ(volume->bars[4].value, 3);
    Type(AWndMVol::MusicStart, "40"); // under a Music Limite of 30
    EXPECT_STREQ(volume->boxes[0].text, "30");
    EXPECT_EQ(volume->bars[0].value, 30);
    EXPECT_EQ(LinkTapCodes(), (std::vector<uint32_t>{1796, 1796, 1796, 1792}));
    EXPECT_EQ(LinkTapRequests().back().value, 30u);

    // Mic Limite lowered to 10 under a Mic Start of 20: the start follows, the tab bar's Mic level is held.
    bar->levels[AWndBar::Mic].SetValue(25);
    LinkTapClear();
    Type(AWndMVol::MicLimit, "10");
    EXPECT_EQ(volume->bars[AWndMVol::MicStart].value, 10);
    EXPECT_STREQ(volume->boxes[AWndMVol::MicStart].text, "10");
    EXPECT_EQ(bar->levels[AWndBar::Mic].limit, 10);
    EXPECT_LE(bar->levels[AWndBar::Mic].value, 10);
    EXPECT_EQ(LinkTapCodes(), (std::vector<uint32_t>{1795}));

    // The same through the bar: dragging Music Limite to 12 pulls Music Start and the Music level down.
    bar->levels[AWndBar::Music].SetValue(50);
    volume->bars[AWndMVol::MusicLimit].SetValue(12);
    volume->BarMoved(AWndMVol::MusicLimit);
    EXPECT_EQ(volume->bars[AWndMVol::MusicStart].value, 12);
    EXPECT_EQ(volume->bars[AWndMVol::MusicStart].limit, 12);
    EXPECT_EQ(bar->levels[AWndBar::Music].value, 12);
}
