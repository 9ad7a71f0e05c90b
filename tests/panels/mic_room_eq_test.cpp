// SPDX-License-Identifier: GPL-3.0-or-later
// The microphone panel and the room equaliser through the send tap: drags, the high-pass band, the
// reset, typed values, a busy link.
#include "PanelFixture.h"
#include "gui/PanelLists.h"

#include <GL/gl.h>

namespace {

using Pair = std::pair<uint32_t, uint32_t>; // code, value

class MicPanelTest : public PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        MakePanelsWithTap();
        OpenPanel(mic.get());
        mic->x = 20;
        mic->y = 40;
    }
};

} // namespace

TEST_F(MicPanelTest, DragsSendOncePerChangeAndOnlyWhatTheButtonMeans) {
    Frame(mic.get());
    int hx, hy;
    HandleAt(mic->eq, 3, &hx, &hy);
    // A press on a handle and its release, off its centre, without a move: nothing changes or goes out.
    const EqGraphBand before = mic->eq.bands[3];
    for (int still = 0; still < 3; ++still) {
        Press(mic.get(), hx + 2, hy - 3);
        Frame(mic.get());
        Frame(mic.get());
        Release();
        Frame(mic.get());
    }
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(mic->eq.bands[3].freq, before.freq);
    EXPECT_EQ(mic->eq.bands[3].gain, before.gain);

    Press(mic.get(), hx, hy);
    Frame(mic.get());
    for (int step = 1; step <= 3; ++step) {
        MouseX = hx + 25 * step;
        MouseY = hy - 10 * step;
        Frame(mic.get());
        Frame(mic.get()); // the same place again: the same codes, nothing new
    }
    MouseX += 1; // less than a code's worth
    Frame(mic.get());
    auto sent = Sent();
    ASSERT_EQ(sent.size(), 6u) << "three pairs: the three moves";
    for (size_t i = 0; i < sent.size(); i += 2) {
        EXPECT_EQ(sent[i].first, 546u);
        EXPECT_EQ(sent[i + 1].first, 547u);
        EXPECT_EQ(sent[i].second >> 8, 3u);
        EXPECT_EQ(sent[i + 1].second >> 8, 3u);
        if (i >= 2) {
            EXPECT_NE(sent[i], sent[i - 2]);
        }
    }
    // Holding still, however long: nothing more.
    TickAdvance(2001);
    Frame(mic.get());
    Release();
    Frame(mic.get());
    EXPECT_TRUE(Sent().empty());

    // A right drag: nothing on a shelf band, Q alone on a peak band.
    mic->eq.bands[2].type = EqBandType::LowShelf;
    Drag(mic.get(), mic->eq, 2, 40, 0, true);
    EXPECT_TRUE(Sent().empty());
    Drag(mic.get(), mic->eq, 4, 40, 0, true);
    for (const Pair& p : Sent())
        EXPECT_EQ(p.first, 548u);

    // A press on empty graph, then the held button passes over a handle: nothing is grabbed.
    Frame(mic.get());
    HandleAt(mic->eq, 5, &hx, &hy);
    Press(mic.get(), hx + 30, hy - 60);
    Frame(mic.get());
    MouseX = hx;
    MouseY = hy;
    Frame(mic.get());
    MouseX = hx + 20;
    Frame(mic.get());
    Release();
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(mic->eq.bands[5].moving, 0);
}

TEST_F(MicPanelTest, TheHighPassBandAndSliderEightFollowEachOther) {
    GPushBar& hpf = mic->sliders[AWndMic::HighPassSlider];
    hpf.SetValue(3);
    mic->SliderChanged(AWndMic::HighPassSlider);
    char caption[64];
    hpf.CaptionText(caption, sizeof caption);
    EXPECT_STREQ(caption, "Mic HPF ( 15 Hz )");
    EXPECT_FLOAT_EQ(mic->eq.bands[AWndMic::HighPassBand].freq, 17.5f);
    EXPECT_EQ(Sent(), (std::vector<Pair>{{513, 3}}));

    mic->eq.recalcPending = 1;
    Drag(mic.get(), mic->eq, AWndMic::HighPassBand, 400); // far past 200 Hz: the band's limit
    EXPECT_FLOAT_EQ(mic->eq.bands[AWndMic::HighPassBand].freq, 200.0f);
    EXPECT_EQ(hpf.value, 40);
    auto sent = Sent();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back(), (Pair{513, 40}));
}

TEST_F(MicPanelTest, ResetsSpreadTheBandsAndSendWhatChanged) {
    Frame(mic.get());
    int gx, gy, gw, gh;
    mic->eq.GraphRect(&gx, &gy, &gw, &gh);
    Press(mic.get(), gx + 50, gy + gh - 8); // the graph's reset button
    Frame(mic.get());
    Release();
    ASSERT_TRUE(msg->IsOpen());
    ASSERT_EQ(MessageCode, MsgAskEqReset);
    OnMessageButton(AWndMsg::YesButton);
    std::vector<uint32_t> freqCodes;
    for (const Pair& p : Sent()) {
        EXPECT_TRUE(p.first == 546 || p.first == 548) << p.first; // types and gains did not change
        if (p.first == 546) freqCodes.push_back(p.second & 0xFF);
    }
    EXPECT_EQ(freqCodes, (std::vector<uint32_t>{0, 42, 85, 127, 170, 212, 255}));

    room->eq.Reset();
    freqCodes.clear();
    for (const Pair& p : Sent())
        if (p.first == 1570) freqCodes.push_back(p.second & 0xFF);
    ASSERT_EQ(freqCodes.size(), 15u);
    for (uint32_t i = 0; i < 15; ++i)
        EXPECT_EQ(freqCodes[i], i * 255 / 14) << i;
}

TEST_F(MicPanelTest, TypedValuesSnapAndABusyLinkTakesNothing) {
    Frame(mic.get());
    auto typeInto = [&](GTextBox& box, const char* text) { TypeInto(mic.get(), box, text); };
    EqSection& eq = mic->eq;
    typeInto(eq.gainBoxes[0], "30");
    EXPECT_STREQ(eq.gainBoxes[0].text, "12.0");
    typeInto(eq.gainBoxes[1], "-6");
    typeInto(eq.freqBoxes[2], "1000");
    EXPECT_STREQ(eq.freqBoxes[2].text, "1000");
    typeInto(eq.gainBoxes[0], "12"); // the same value again: nothing to send
    // Each edit went out once: the focus leaving a box after its Enter sends nothing more.
    EXPECT_EQ(Sent(), (std::vector<Pair>{{547, 0 << 8 | 180}, {547, 1 << 8 | 90}, {546, 2 << 8 | 143}}));
    // A shelf band's Q box takes no press.
    eq.typeButtons[4].value = 1;
    eq.TypeChanged(4);
    Sent();
    Press(mic.get(), eq.qBoxes[4].WindowX() + 10, eq.qBoxes[4].WindowY() + 10);
    Release();
    EXPECT_FALSE(eq.qBoxes[4].focused);

    // While the link is busy a press on the graph grabs nothing, and a callback whose wait runs out
    // sends nothing.
    LinkTapStop();
    LinkIdle = 0;
    float freq = eq.bands[5].freq;
    Drag(mic.get(), eq, 5, 50);
    EXPECT_EQ(eq.bands[5].freq, freq);
    uint32_t sendsBefore = RequestChanged;
    eq.typeButtons[5].value = 1;
    eq.TypeChanged(5);
    EXPECT_EQ(eq.bands[5].type, EqBandType::Peak) << "the change waits for the link, which never came";
    EXPECT_EQ(RequestChanged, sendsBefore);
    LinkIdle = 1;
}

// A fader's track clicked with the pointer left still: one step, one send. Held: the first step at
// once, then steps only after half a second, and none after the release. The release here reaches no
// widget (as when it lands on another panel): the button's state alone ends the repeat.
TEST_F(MicPanelTest, AFaderClickIsOneStepAndAHoldStopsAtTheRelease) {
    Frame(mic.get());
    GScrollBar& fader = mic->eq.gainFaders[2];
    const int below = fader.WindowY() + fader.thumbPos + 40;
    const int px = fader.WindowX() + 3;
    Press(mic.get(), px, below);
    Frame(mic.get());
    Frame(mic.get());
    Frame(mic.get()); // a 50 ms click
    Release();
    for (int f = 0; f < 120; ++f)
        Frame(mic.get());
    EXPECT_EQ(Sent(), (std::vector<Pair>{{547, 2 << 8 | 119}}));
    EXPECT_EQ(fader.value, 119);

    Press(mic.get(), px, below);
    for (int f = 0; f < 30; ++f) // 480 ms: the first step only
        Frame(mic.get());
    EXPECT_EQ(Sent(), (std::vector<Pair>{{547, 2 << 8 | 118}}));
    for (int f = 0; f < 32; ++f) // to about 1 s: a step per 48 ms frame
        Frame(mic.get());
    auto held = Sent();
    EXPECT_GE(held.size(), 9u);
    for (size_t i = 0; i < held.size(); ++i)
        EXPECT_EQ(held[i], (Pair{547, 2u << 8 | (117u - static_cast<uint32_t>(i))})) << i;
    Release();
    for (int f = 0; f < 60; ++f)
        Frame(mic.get());
    EXPECT_TRUE(Sent().empty());
    // A press on the thumb without a move selects the band and sends nothing.
    Press(mic.get(), px, fader.WindowY() + fader.thumbPos + 8);
    Frame(mic.get());
    Release();
    mic->OnMouseUp(px, fader.WindowY() + fader.thumbPos + 8, ClickSerial);
    Frame(mic.get());
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(mic->eq.selectedBand, 2);
}
