// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo through the panels and the send tap: a drag, a typed value and a reset each taken back
// and done again with only their own parameters; the A/B comparison against the simulated processor,
// which ends holding exactly the setting that is live; a download starting afresh.
#include "PanelFixture.h"
#include "gui/PanelLists.h"
#include "link/LinkState.h"
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
