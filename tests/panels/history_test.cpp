// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo through the panels and the send tap: a drag, a typed value and a reset each taken back
// and done again with only their own parameters; the A/B comparison against the simulated processor,
// which ends holding exactly the setting that is live; a download starting afresh.
#include "PanelFixture.h"
#include "gui/PanelLists.h"
#include "link/LinkState.h"
#include "panels/EqImport.h"
#include "panels/History.h"
#include "panels/PcModes.h"
#include "tests/support/ProcessorRecord.h"

#include <cstring>

namespace {

using Pair = std::pair<uint32_t, uint32_t>; // code, value

class HistoryTest : public PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        MakePanelsWithTap();
        OpenPanel(mic.get());
        mic->x = 20;
        mic->y = 40;
    }
    static bool Same(const Setting& a, const Setting& b) {
        return std::memcmp(a.record, b.record, sizeof a.record) == 0 &&
               std::memcmp(a.levels, b.levels, sizeof a.levels) == 0;
    }
    // Band `band` of the equaliser whose first band byte is `first` and first code `code`: the
    // parameters that differ between two settings, each with `wanted`'s value, as a step sends them.
    static std::vector<Pair> BandDifferences(const Setting& now, const Setting& wanted, int first,
                                             uint32_t code, int bands) {
        std::vector<Pair> pairs;
        for (int b = 0; b < bands; ++b)
            for (int k = 0; k < 4; ++k) {
                int at = first + 4 * b + k;
                if (now.record[at] != wanted.record[at])
                    pairs.push_back(
                        {code + static_cast<uint32_t>(k), static_cast<uint32_t>(b) << 8 | wanted.record[at]});
            }
        return pairs;
    }
};

constexpr int MicBands = 39, RoomBands = 170;

} // namespace

TEST_F(HistoryTest, UndoAndRedoSendTheEarlierValuesOfADragATypedValueAndAReset) {
    Frame(mic.get());
    HistoryRestart();
    const Setting start = CurrentSetting();
    Drag(mic.get(), mic->eq, 2, 40, -30);
    HistoryNoteSettled();
    ASSERT_FALSE(Sent().empty());
    const Setting dragged = CurrentSetting();
    TypeInto(mic.get(), mic->eq.gainBoxes[4], "-6");
    HistoryNoteSettled();
    Sent();
    const Setting typed = CurrentSetting();
    room->eq.Reset();
    HistoryNoteSettled();
    Sent();
    const Setting reset = CurrentSetting();
    ASSERT_EQ(HistoryUndoCount(), 3);

    // Back, step by step: each sends only its own parameters, with the values from before it.
    ASSERT_TRUE(HistoryUndo());
    EXPECT_EQ(Sent(), BandDifferences(reset, typed, RoomBands, 1569, 15));
    EXPECT_TRUE(Same(CurrentSetting(), typed));
    ASSERT_TRUE(HistoryUndo());
    EXPECT_EQ(Sent(), (std::vector<Pair>{{547, 4u << 8 | dragged.record[MicBands + 4 * 4 + 2]}}));
    ASSERT_TRUE(HistoryUndo());
    std::vector<Pair> back = Sent();
    EXPECT_EQ(back, BandDifferences(dragged, start, MicBands, 545, 7));
    ASSERT_FALSE(back.empty());
    for (const Pair& p : back)
        EXPECT_EQ(p.second >> 8, 2u) << "only the dragged band";
    EXPECT_TRUE(Same(CurrentSetting(), start));
    EXPECT_FALSE(HistoryUndo());
    EXPECT_TRUE(Sent().empty());

    // And forth: the drag's end values (not its path), the typed value, the reset.
    ASSERT_TRUE(HistoryRedo());
    EXPECT_EQ(Sent(), BandDifferences(start, dragged, MicBands, 545, 7));
    ASSERT_TRUE(HistoryRedo());
    ASSERT_TRUE(HistoryRedo());
    EXPECT_TRUE(Same(CurrentSetting(), reset));
    EXPECT_FALSE(HistoryRedo());

    // A change made and taken back by hand between two looks is no step; a new change after an undo
    // drops what could have been done again.
    Sent();
    mic->eq.gainFaders[0].SetValue(mic->eq.gainFaders[0].value + 10);
    mic->eq.FaderChanged(0);
    mic->eq.gainFaders[0].SetValue(mic->eq.gainFaders[0].value - 10);
    mic->eq.FaderChanged(0);
    HistoryNoteSettled();
    EXPECT_EQ(HistoryUndoCount(), 3);
    ASSERT_TRUE(HistoryUndo());
    mic->eq.gainFaders[0].SetValue(mic->eq.gainFaders[0].value + 10);
    mic->eq.FaderChanged(0);
    HistoryNoteSettled();
    EXPECT_EQ(HistoryRedoCount(), 0);
    EXPECT_EQ(HistoryUndoCount(), 3);

    // Without a connection nothing is taken back and nothing changes.
    Sent();
    const Setting now = CurrentSetting();
    ConnectPanelActive = 0;
    LinkLost = 1;
    EXPECT_FALSE(HistoryUndo());
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(Same(CurrentSetting(), now));
}

// A/B against the processor: the first use keeps A, and each switch after it sends only what differs
// between the two, both ways; the processor then holds the live setting, and each side keeps its own
// steps. A download starts afresh.
TEST_F(HistoryTest, CompareSwitchesOnlyWhatDiffersAndADownloadStartsAfresh) {
    LinkTapStop();
    Px2950Sim& sim = AddSim(1);
    LinkSetHook(HookDownloadApplied, [] {
        RefreshValuePanels();
        HistoryRestart();
    });
    ASSERT_TRUE(Download());
    LinkApplyPending();
    ConnectPanelActive = 0;
    auto settled = [] { return WaitFor([] { return LinkIdle == 1 && ChangesLeft == 0; }, 3000); };
    auto held = [&] {
        std::vector<uint32_t> words = ProcessorRecord(sim);
        return std::vector<uint8_t>(words.begin(), words.end());
    };
    auto live = [] {
        Setting s = CurrentSetting();
        return std::vector<uint8_t>(s.record + 26, s.record + 235);
    };

    EXPECT_EQ(CompareLive(), Compare::Off);
    ASSERT_TRUE(CompareSwitch());
    EXPECT_EQ(CompareLive(), Compare::B);
    const std::vector<uint8_t> a = live();
    room->eq.gainFaders[3].SetValue(room->eq.gainFaders[3].value + 20);
    room->eq.FaderChanged(3);
    ASSERT_TRUE(settled());
    mic->eq.gainFaders[1].SetValue(mic->eq.gainFaders[1].value - 20);
    mic->eq.FaderChanged(1);
    ASSERT_TRUE(settled());
    const std::vector<uint8_t> b = live();
    EXPECT_EQ(held(), b);

    sim.ClearLog();
    ASSERT_TRUE(CompareSwitch());
    EXPECT_EQ(CompareLive(), Compare::A);
    EXPECT_EQ(LastCompareReport().changes, 2);
    ASSERT_TRUE(settled());
    EXPECT_EQ(sim.Log().size(), 2u);
    EXPECT_EQ(held(), a);
    EXPECT_EQ(live(), a);
    EXPECT_EQ(HistoryUndoCount(), 0) << "A was not changed since the comparison began";

    sim.ClearLog();
    ASSERT_TRUE(CompareSwitch());
    EXPECT_EQ(CompareLive(), Compare::B);
    ASSERT_TRUE(settled());
    EXPECT_EQ(sim.Log().size(), 2u);
    EXPECT_EQ(held(), b);
    EXPECT_EQ(live(), b);
    CompareTrack();
    EXPECT_NE(LastCompareReport().endTick, 0u);

    // B keeps its own step (the two faders, moved between two looks at the input); a download forgets
    // the steps and the comparison.
    EXPECT_EQ(HistoryUndoCount(), 1);
    LinkDownloadAgain();
    ASSERT_TRUE(StepUntil([] { return (ConnectState & ConnectDownloaded) != 0; }, 8000));
    LinkApplyPending();
    EXPECT_EQ(HistoryUndoCount(), 0);
    EXPECT_EQ(CompareLive(), Compare::Off);
}

// Filters pasted into the room EQ: the bands that change go out as one step, which Ctrl+Z takes back;
// four filters ON into the center/surround's three bands, and any filter into the music EQ on Auto,
// are refused with a message and change nothing.
TEST_F(HistoryTest, PastedFiltersAreOneUndoableStepOrRefusedWhole) {
    HistoryRestart();
    const Setting before = CurrentSetting();
    const char* example = "Preamp: -4.2 dB\n"
                          "Filter 1: ON PK Fc 63.0 Hz Gain -5.0 dB Q 4.00\n"
                          "Filter 2: ON LSC Fc 105 Hz Gain 3.0 dB Q 0.71\n"
                          "Filter 3: ON HSC Fc 8000 Hz Gain -2.5 dB Q 0.71\n"
                          "Filter 4: OFF PK Fc 1000 Hz Gain 0 dB Q 1\n";
    ASSERT_TRUE(ImportEqFilters(room.get(), example));
    EXPECT_EQ(MessageCode, MsgEqFiltersTaken);
    const Setting taken = CurrentSetting();
    const uint8_t codes[12] = {0, 42, 95, 19, 1, 61, 135, 2, 2, 219, 108, 2};
    EXPECT_TRUE(std::equal(codes, codes + 12, taken.record + RoomBands));
    for (int b = 3; b < 15; ++b)
        EXPECT_EQ(taken.record[RoomBands + 4 * b + 2], 120) << "band " << b + 1 << " is flat";
    EXPECT_EQ(Sent(), BandDifferences(before, taken, RoomBands, 1569, 15));
    HistoryNoteSettled();
    ASSERT_TRUE(HistoryUndo());
    EXPECT_EQ(Sent(), BandDifferences(taken, before, RoomBands, 1569, 15));
    EXPECT_TRUE(Same(CurrentSetting(), before));

    ClosePanel(msg.get());
    const char* four = "Filter 1: ON PK Fc 63 Hz Gain -5 dB Q 4\nFilter 2: ON PK Fc 90 Hz Gain 1 dB Q 1\n"
                       "Filter 3: ON PK Fc 200 Hz Gain 1 dB Q 1\nFilter 4: ON PK Fc 900 Hz Gain 1 dB Q 1\n";
    EXPECT_FALSE(ImportEqFilters(sc.get(), four));
    EXPECT_EQ(MessageCode, MsgEqFiltersRefused);
    music->modeButton.value = 0; // Auto
    music->ModeChanged(0);
    Sent();
    EXPECT_FALSE(ImportEqFilters(music.get(), example));
    EXPECT_TRUE(Sent().empty());
    EXPECT_TRUE(Same(CurrentSetting(), before));
    EXPECT_FALSE(TakesEqFilters(volume.get()));
}
