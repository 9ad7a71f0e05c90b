// SPDX-License-Identifier: GPL-3.0-or-later
// The music, sub-woofer and center/surround panels through the send tap: what "Auto" locks, the key
// buttons, the Sing/Disco swap, the filter handles and their sliders; and a download of both sets.
#include "PanelFixture.h"
#include "gui/PanelLists.h"
#include "panels/Panels.h"

#include <cstring>

namespace {

using Pair = std::pair<uint32_t, uint32_t>;
using Pairs = std::vector<Pair>;

class MusicPanelsTest : public PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        MakePanelsWithTap();
    }
    void TearDown() override {
        Release();
        PanelFixture::TearDown();
    }
};

} // namespace

TEST_F(MusicPanelsTest, MusicAutoLocksAllButTheKeyAndTheKeysSendTheirSteps) {
    ASSERT_TRUE(music->IsAuto());
    EqSection& eq = music->eq;
    Click(music.get(), eq.typeButtons[2]);
    Click(music.get(), music->hpfSlider);
    Click(music.get(), music->slopeButton);
    Click(music.get(), music->styleButton);
    Drag(music.get(), eq, 3, 60);
    Click(music.get(), eq.gainBoxes[1]);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(eq.typeButtons[2].value, 0);
    EXPECT_FALSE(eq.gainBoxes[1].focused);

    Click(music.get(), music->keyButtons[2]);
    Click(music.get(), music->keyButtons[7]);
    Click(music.get(), music->keyButtons[9]);
    Click(music.get(), music->keyButtons[0]);
    Click(music.get(), music->keyButtons[14]);
    EXPECT_EQ(Sent(), (Pairs{{772, 4}, {772, 7}, {772, 9}, {772, 6}, {772, 14}}));
    for (int k = 0; k < AWndMusic::KeyCount; ++k)
        EXPECT_EQ(music->keyButtons[k].value, k == 14) << k;

    // "Manual" opens the rest; the slope redraws the high-pass band as a 24 dB curve at once.
    Click(music.get(), music->modeButton);
    EXPECT_EQ(Sent(), (Pairs{{768, 1}}));
    float before[EqCurveSamples];
    std::memcpy(before, eq.sumCurve, sizeof before);
    Click(music.get(), music->slopeButton);
    EXPECT_EQ(Sent(), (Pairs{{770, 1}}));
    EXPECT_EQ(eq.bands[AWndMusic::HighPassBand].type, EqBandType::HighPass24);
    EXPECT_NE(std::memcmp(before, eq.sumCurve, sizeof before), 0);
    Drag(music.get(), eq, AWndMusic::HighPassBand, 400);
    EXPECT_EQ(music->hpfSlider.value, 40);
    Pairs sent = Sent();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back(), (Pair{771, 40}));
}

TEST_F(MusicPanelsTest, SingToDiscoAndBackRestoresTheSingSetExactly) {
    music->modeButton.SetState(1);
    OpenPanel(music.get());
    Frame(music.get());
    EqSection& eq = music->eq;
    // Make the Sing set its own: a shelf band, a gain, a slope and a high-pass step.
    eq.typeButtons[1].value = 1;
    eq.TypeChanged(1);
    eq.gainFaders[4].SetValue(150);
    eq.FaderChanged(4);
    Click(music.get(), music->slopeButton);
    music->hpfSlider.SetValue(22);
    music->SliderChanged();
    Frame(music.get());
    AWndMusic::StyleSet sing{};
    music->StoreSet(sing);
    Sent();

    Click(music.get(), music->styleButton); // to Disco: the panel's first Disco set is its start
    EXPECT_EQ(Sent(), (Pairs{{769, 1}}));
    EXPECT_EQ(eq.typeButtons[1].value, 0);
    EXPECT_EQ(music->hpfSlider.value, 0);
    EXPECT_EQ(eq.bands[AWndMusic::HighPassBand].type, EqBandType::HighPass12);
    eq.gainFaders[0].SetValue(10);
    eq.FaderChanged(0);
    Sent();

    Click(music.get(), music->styleButton); // back to Sing
    EXPECT_EQ(Sent(), (Pairs{{769, 0}}));
    AWndMusic::StyleSet back{};
    music->StoreSet(back);
    EXPECT_EQ(back.slope, 1u);
    EXPECT_EQ(back.hpf, 22u);
    EXPECT_EQ(std::memcmp(back.eq.typeValues, sing.eq.typeValues, sizeof sing.eq.typeValues), 0);
    EXPECT_EQ(std::memcmp(back.eq.faderValues, sing.eq.faderValues, sizeof sing.eq.faderValues), 0);
    EXPECT_EQ(std::memcmp(back.eq.texts, sing.eq.texts, sizeof sing.eq.texts), 0);
    for (int b = 0; b <= AWndMusic::HighPassBand; ++b) {
        EXPECT_EQ(eq.bands[b].type, sing.eq.bands[b].type) << b;
        EXPECT_EQ(eq.bands[b].freq, sing.eq.bands[b].freq) << b;
        EXPECT_EQ(eq.bands[b].gain, sing.eq.bands[b].gain) << b;
        EXPECT_EQ(eq.bands[b].q, sing.eq.bands[b].q) << b;
    }

    // Each set remembers what the processor holds for it: Sing's band 5 at 150 goes out when it
    // changes, and so does Disco's (at its start value) when it takes the 150 Sing sent.
    eq.gainFaders[4].SetValue(150);
    eq.FaderChanged(4);
    EXPECT_TRUE(Sent().empty());
    Click(music.get(), music->styleButton);
    Sent();
    eq.gainFaders[4].SetValue(150);
    eq.FaderChanged(4);
    EXPECT_EQ(Sent(), (Pairs{{803, 4 << 8 | 150}}));
}

TEST_F(MusicPanelsTest, SubFilterHandlesFollowTheirSlidersAndAutoDimsTheGains) {
    GPushBar& lowPass = sub->sliders[AWndSub::LowPassSlider];
    // The handles sit exactly at their sliders' frequencies, both ways.
    for (auto [step, hz] : {std::pair{20, 100.0f}, {2, 15.0f}, {40, 200.0f}, {22, 110.0f}}) {
        lowPass.SetValue(step);
        sub->SliderChanged(AWndSub::LowPassSlider);
        EXPECT_FLOAT_EQ(sub->eq.bands[AWndSub::LowPassBand].freq, hz) << step;
    }
    EXPECT_EQ(Sent(), (Pairs{{1029, 20}, {1029, 2}, {1029, 40}, {1029, 22}}));
    sub->eq.bands[AWndSub::HighPassBand].freq = 12.0f;
    sub->FilterDragged(AWndSub::HighPassBand);
    EXPECT_EQ(sub->sliders[AWndSub::HighPassSlider].value, 1);
    EXPECT_FLOAT_EQ(sub->eq.bands[AWndSub::HighPassBand].freq, 12.5f);
    sub->eq.bands[AWndSub::LowPassBand].freq = 107.0f;
    sub->FilterDragged(AWndSub::LowPassBand);
    EXPECT_EQ(lowPass.value, 21);
    EXPECT_FLOAT_EQ(sub->eq.bands[AWndSub::LowPassBand].freq, 105.0f);
    OpenPanel(sub.get());
    Frame(sub.get()); // the curves follow the snapped bands
    // Dragged on the graph, the high-pass stops at its 100 Hz limit and slider 4 follows.
    Drag(sub.get(), sub->eq, AWndSub::HighPassBand, 600);
    EXPECT_EQ(sub->sliders[AWndSub::HighPassSlider].value, 20);
    Pairs sent = Sent();
    EXPECT_EQ(sent.front(), (Pair{1030, 1}));
    EXPECT_EQ(sent[1], (Pair{1029, 21}));
    EXPECT_EQ(sent.back(), (Pair{1030, 20}));
    for (size_t i = 1; i < sent.size(); ++i)
        EXPECT_NE(sent[i], sent[i - 1]) << "each step once";

    // "Auto": the gains take no press, the equaliser still sends.
    ASSERT_TRUE(sub->IsAuto());
    Click(sub.get(), sub->sliders[0]);
    Click(sub.get(), sub->sliders[1]);
    Click(sub.get(), sub->styleButton);
    EXPECT_TRUE(Sent().empty());
    Click(sub.get(), sub->eq.typeButtons[1]);
    EXPECT_EQ(Sent(), (Pairs{{1057, 1 << 8 | 1}}));
    // "Manual" and Disco: the Sing gains wait and come back.
    Click(sub.get(), sub->modeButton);
    sub->sliders[0].SetValue(70);
    Click(sub.get(), sub->styleButton);
    sub->sliders[0].SetValue(30);
    Click(sub.get(), sub->styleButton);
    EXPECT_EQ(sub->sliders[0].value, 70);
    EXPECT_EQ(Sent(), (Pairs{{1024, 1}, {1025, 1}, {1025, 0}}));
}

TEST_F(MusicPanelsTest, CenterSurroundDelayCaptionAndHighPassHandle) {
    GPushBar& delay = sc->sliders[5];
    delay.SetValue(167);
    char caption[96];
    delay.CaptionText(caption, sizeof caption);
    EXPECT_STREQ(caption, "Surround Delay: Time 50.1 ms ( 16.7 M )");
    sc->sliders[0].SetValue(25);
    sc->sliders[0].CaptionText(caption, sizeof caption);
    EXPECT_STREQ(caption, "Center Music Gain ( -37.5 dB )");

    // The slope turns the high-pass into a 24 dB curve where it stands.
    float hz = sc->eq.bands[AWndSC::HighPassBand].freq;
    Click(sc.get(), sc->slopeButton);
    EXPECT_EQ(sc->eq.bands[AWndSC::HighPassBand].type, EqBandType::HighPass24);
    EXPECT_EQ(sc->eq.bands[AWndSC::HighPassBand].freq, hz);
    EXPECT_EQ(Sent(), (Pairs{{1284, 1}}));
    sc->eq.bands[AWndSC::HighPassBand].freq = 60.0f;
    sc->HighPassDragged();
    EXPECT_EQ(sc->sliders[AWndSC::HighPassSlider].value, 12);
    EXPECT_EQ(Sent(), (Pairs{{1285, 12}}));
}

TEST_F(MusicPanelsTest, ADownloadShowsBothSetsAndLeavesTheProcessorsSelection) {
    LinkTapStop();
    for (int n = 2; n <= 6; ++n)
        AddDeadPort(n);
    Px2950Sim& sim = AddSim(1);
    sim.SetParam(768, 0, 0, 1); // Manual, Disco selected on the music channel
    sim.SetParam(769, 0, 0, 1);
    sim.SetParam(1024, 0, 0, 1); // Manual, Sing on the sub-woofer
    sim.SetParam(1025, 0, 0, 0);
    sim.SetParam(801, 2, 0, 2);  // a Sing high shelf
    sim.SetParam(1313, 1, 0, 1); // a center low shelf
    LinkSetHook(HookDownloadApplied, [] {
        MusicPanel->RefreshFromValues();
        SubPanel->RefreshFromValues();
        SCPanel->RefreshFromValues();
    });
    ASSERT_TRUE(Download());
    EXPECT_EQ(sim.Param(768), 1);
    EXPECT_EQ(sim.Param(769), 1);
    EXPECT_EQ(sim.Param(1024), 1);
    EXPECT_EQ(sim.Param(1025), 0);

    auto expectMusicSet = [&](int set) {
        SCOPED_TRACE(set);
        EqSection& eq = music->eq;
        EXPECT_EQ(music->slopeButton.value, sim.Param(770, 0, set));
        EXPECT_EQ(music->hpfSlider.value, sim.Param(771, 0, set));
        EXPECT_EQ(eq.bands[AWndMusic::HighPassBand].type,
                  sim.Param(770, 0, set) ? EqBandType::HighPass24 : EqBandType::HighPass12);
        for (int b = 0; b < AWndMusic::BandCount; ++b) {
            EXPECT_EQ(eq.typeButtons[b].value, sim.Param(801, b, set)) << b;
            EXPECT_FLOAT_EQ(eq.bands[b].freq, EqFreqTable[sim.Param(802, b, set)]) << b;
            EXPECT_EQ(eq.gainFaders[b].value, sim.Param(803, b, set)) << b;
        }
    };
    EXPECT_EQ(music->styleButton.value, 1);
    EXPECT_FALSE(music->IsAuto());
    expectMusicSet(1);
    OpenPanel(music.get());
    Click(music.get(), music->styleButton);
    expectMusicSet(0);

    // The sub-woofer shows Sing; its Disco gains wait behind the style button.
    EXPECT_EQ(sub->styleButton.value, 0);
    Click(sub.get(), sub->styleButton);
    EXPECT_EQ(sub->sliders[0].value, sim.Param(1026, 0, 1));
    EXPECT_EQ(sub->sliders[AWndSub::LowPassSlider].value, sim.Param(1029));
    EXPECT_EQ(sc->eq.typeButtons[1].value, 1);
    EXPECT_EQ(sc->sliders[AWndSC::HighPassSlider].value, sim.Param(1285));
    EXPECT_FLOAT_EQ(sc->eq.bands[AWndSC::HighPassBand].freq, 5.0f * sim.Param(1285));
}
