// SPDX-License-Identifier: GPL-3.0-or-later
// The link threads and the connection state machine against the simulated processor. Every wait has
// a time-out and says what it saw.
#include "LinkFixture.h"
#include "link/LinkWait.h"
#include "link/ParamMap.h"
#include "link/ParamTable.h"
#include "link/Serial.h"
#include "tests/support/ProcessorRecord.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

uint16_t FrameCode(const Px2950Sim::Frame& f) {
    return static_cast<uint16_t>(f.bytes[4] | f.bytes[5] << 8);
}

std::string Describe(const std::vector<Px2950Sim::Frame>& log) {
    std::string s;
    for (const auto& f : log)
        s += std::to_string(FrameCode(f)) + "/" + std::to_string(f.bytes[6]) + " ";
    return s;
}

// Distinct values everywhere but in the four selections, so that a value stored in the wrong place
// shows.
void FillDistinct(Px2950Sim& sim) {
    uint8_t next = 3;
    for (auto [key, value] : sim.LiveParams())
        if (uint16_t code = key & 0xFFFF; code != 768 && code != 769 && code != 1024 && code != 1025)
            sim.SetParam(code, key >> 16 & 0xFF, key >> 24, next++);
}

} // namespace

// Every value word, mode name, the mode index and the control mode hold what the processor holds.
class LinkTest : public LinkFixture {
  protected:
    void ExpectWordsHold(Px2950Sim& sim) {
        std::vector<uint32_t> held = ProcessorRecord(sim);
        for (int i = 0; i < 209; ++i)
            EXPECT_EQ(*fields_[i], held[i]) << "record byte " << 26 + i;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(bar_[i], sim.Param(17 + i));
        EXPECT_EQ(inputPort_, sim.Param(16));
        EXPECT_EQ(keyLock_, sim.Param(8));
        for (int m = 0; m < 20; ++m)
            EXPECT_EQ(std::string(ModeNames[m]), sim.ModeName(m)) << m;
        EXPECT_EQ(DeviceModeIndex, sim.CurrentMode());
        EXPECT_EQ(SystemControlMode, sim.ControlMode());
    }
    void FillWords(uint32_t value) {
        for (uint32_t* w : fields_)
            *w = value;
    }
};

namespace {

// The connecting panel's "Scan again": the four scan words reset together.
void ScanAgain() {
    ConnectState = 0;
    ScanPortIndex = 0;
    ScanAttempts = 0;
    ScanTimer = 0;
}

} // namespace

using Sender = LinkTest;
using Scan = LinkTest;
using Download = LinkTest;
using Upload = LinkTest;
using BadBytes = LinkTest;
using LateReplies = LinkTest;
using Changes = LinkTest;

TEST_F(Sender, NothingGoesOutBeforeADownload) {
    Px2950Sim& sim = AddSim(1);
    PortOpen = SerialOpen("COM1");
    ASSERT_EQ(PortOpen, 1u);
    ResumeSenderThread();
    ConnectPanelActive = 0;
    LinkSend(17, 5, 0xFFFFFFFF, 0xFFFFFFFF);
    EXPECT_EQ(LinkIdle, 1u);
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(sim.LogSize(), 0u) << "frames: " << Describe(sim.Log());
    EXPECT_EQ(LinkIdle, 1u);
}

TEST_F(Sender, WrongTagIsSentAgainAndTheReplyIsKept) {
    Px2950Sim& sim = AddSim(1);
    ASSERT_TRUE(Connect()) << "DownloadIndex " << DownloadIndex << " ConnectState " << ConnectState;
    ConnectPanelActive = 0; // the panel closed after the download
    sim.ClearLog();
    sim.WrongTagNext(1);
    LinkSend(17, 9, 0xFFFFFFFF, 0xFFFFFFFF);
    ASSERT_TRUE(WaitFor([] { return LinkIdle == 1; }, 2000));
    auto log = sim.Log();
    ASSERT_EQ(log.size(), 2u) << "frames: " << Describe(log);
    EXPECT_EQ(log[0].bytes, log[1].bytes);
    EXPECT_EQ(FrameCode(log[1]), 17);
    EXPECT_EQ(LinkBroken, 0u);
    EXPECT_EQ(LastReply[4], 17);
    EXPECT_EQ(LastReply[6], 9);
    EXPECT_EQ(sim.Param(17), 9);

    // A pair: both go out in order, the band in byte 7.
    sim.ClearLog();
    LinkSend(546, 3 << 8 | 77, 547, 3 << 8 | 130);
    ASSERT_TRUE(WaitFor([] { return LinkIdle == 1; }, 2000));
    EXPECT_EQ(Describe(sim.Log()), "546/77 547/130 ");
    EXPECT_EQ(sim.Param(546, 3), 77);
    EXPECT_EQ(sim.Param(547, 3), 130);

    // Long forms: a new keypad password, then read back.
    const uint8_t digits[4] = {9, 8, 7, 6};
    LinkSendPayload(7, digits);
    ASSERT_TRUE(WaitFor([] { return LinkIdle == 1; }, 3000));
    EXPECT_EQ(sim.KeypadPassword(), "9876");
    EXPECT_EQ(LastReply[4], 7);
    LinkSend(6, 0, 0xFFFFFFFF, 0xFFFFFFFF);
    ASSERT_TRUE(WaitFor([] { return LinkIdle == 1; }, 2000));
    EXPECT_EQ((std::vector<int>{LastReply[6], LastReply[7], LastReply[8], LastReply[9]}),
              (std::vector<int>{9, 8, 7, 6}));

    // An idle sender sleeps until a change is handed over, and wakes for it at once, whatever the
    // phase of its own half-second bound.
    for (int idleMs : {600, 750, 900}) {
        std::this_thread::sleep_for(std::chrono::milliseconds(idleMs));
        sim.ClearLog();
        LinkSend(17, static_cast<uint32_t>(idleMs / 150), 0xFFFFFFFF, 0xFFFFFFFF);
        EXPECT_TRUE(WaitFor([&] { return sim.LogSize() == 1; }, 200)) << "after " << idleMs << " ms idle";
    }
}

TEST_F(Sender, TheSamePairAgainDoesNotCountAsAChange) {
    Px2950Sim& sim = AddSim(1);
    ASSERT_TRUE(Connect());
    ConnectPanelActive = 0;
    sim.ClearLog();
    sim.SetLatencyMs(80);
    LinkSend(17, 5, 0xFFFFFFFF, 0xFFFFFFFF);
    ASSERT_TRUE(WaitFor([&] { return sim.LogSize() == 1; }, 1000));
    LinkSend(17, 5, 0xFFFFFFFF, 0xFFFFFFFF);
    EXPECT_EQ(RequestChanged, 0u);
    EXPECT_EQ(RequestIndex, 0u);
    EXPECT_EQ(LinkIdle, 0u);
    LinkSend(17, 6, 0xFFFFFFFF, 0xFFFFFFFF);
    EXPECT_EQ(RequestChanged, 1u);
    ASSERT_TRUE(WaitFor([] { return LinkIdle == 1; }, 2000));
    EXPECT_EQ(sim.Param(17), 6);
    EXPECT_EQ(LinkBroken, 0u);

    // A drag hands over pair after pair while the sender is busy, at every phase of its exchange:
    // each pair that goes out goes out from its first request, and the last one exactly once.
    sim.SetLatencyMs(15);
    for (int phaseMs : {3, 9, 17, 26}) {
        sim.ClearLog();
        uint32_t last = 0;
        for (uint32_t k = 0; k < 12; ++k) {
            last = 40 + k + static_cast<uint32_t>(phaseMs);
            LinkSend(546, 3 << 8 | last, 547, 3 << 8 | (100 + last));
            std::this_thread::sleep_for(std::chrono::milliseconds(phaseMs));
        }
        ASSERT_TRUE(WaitFor([] { return LinkIdle == 1; }, 3000));
        auto log = sim.Log();
        std::string all = Describe(log);
        std::string tail = "546/" + std::to_string(last) + " 547/" + std::to_string(100 + last) + " ";
        EXPECT_EQ(all.substr(all.size() - std::min(all.size(), tail.size())), tail) << all;
        EXPECT_EQ(all.find(tail), all.size() - tail.size()) << "the last pair went out twice: " << all;
        for (size_t i = 0; i < log.size(); ++i) {
            if (FrameCode(log[i]) != 547) continue;
            ASSERT_GT(i, 0u) << all;
            EXPECT_EQ(FrameCode(log[i - 1]), 546) << "a gain without its frequency: " << all;
            if (i >= 2) {
                EXPECT_NE(log[i].bytes, log[i - 2].bytes) << "a pair sent twice: " << all;
            }
        }
        EXPECT_EQ(sim.Param(546, 3), last);
        EXPECT_EQ(sim.Param(547, 3), 100 + last);
    }
}

TEST_F(Scan, ProcessorOnCom3AfterTwoPingsToCom1AndCom2) {
    Px2950Sim& com1 = AddSim(1);
    Px2950Sim& com2 = AddSim(2);
    Px2950Sim& com3 = AddSim(3);
    com1.SetSilent(true);
    com2.SetSilent(true);
    std::vector<int> pings; // the port each ping went to
    bool downloadOnNextStep = false;
    bool sawReply = false;
    uint32_t start = TickNow();
    uint32_t startedAt = 0;
    while (!(ConnectState & ConnectDownloading) && TickSince(start) < 8000) {
        bool replied = ReplyReceived != 0;
        int32_t port = ScanPortIndex;
        uint32_t timer = ScanTimer;
        bool started = (ConnectState & ConnectStarted) != 0;
        ConnectStep();
        if (!startedAt && (ConnectState & ConnectStarted)) startedAt = TickSince(start);
        if (started && ScanTimer != timer && ScanTimer != 0 && !(ConnectState & ConnectDownloading))
            pings.push_back(port);
        if (replied && !sawReply) {
            sawReply = true;
            downloadOnNextStep = (ConnectState & ConnectDownloading) != 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_TRUE(downloadOnNextStep) << "ConnectState " << ConnectState;
    EXPECT_GE(startedAt, 1000u);
    EXPECT_EQ(pings, (std::vector<int>{0, 0, 1, 1, 2}));
    for (Px2950Sim* silent : {&com1, &com2}) {
        auto log = silent->Log();
        ASSERT_FALSE(log.empty());
        for (auto& f : log)
            EXPECT_EQ(FrameCode(f), 1);
    }
    ASSERT_TRUE(StepUntil([] { return (ConnectState & ConnectDownloaded) != 0; }, 5000));
    auto log = com3.Log();
    ASSERT_EQ(log.size(), 249u) << Describe(log);
    EXPECT_EQ(FrameCode(log[0]), 1);
    EXPECT_EQ(FrameCode(log[1]), 256);
    EXPECT_EQ(LinkLost, 0u);
}

TEST_F(Scan, NoProcessorEndsAfterTwelvePings) {
    for (int n = 1; n <= 6; ++n)
        AddDeadPort(n);
    ConnectState = ConnectStarted;
    int pings = 0;
    uint32_t start = TickNow();
    while (ScanPortIndex < 6 && TickSince(start) < 9000) {
        uint32_t timer = ScanTimer;
        ConnectStep();
        if (ScanTimer != timer) ++pings;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    uint32_t took = TickSince(start);
    EXPECT_EQ(ScanPortIndex, 6);
    EXPECT_EQ(pings, 12);
    EXPECT_GE(took, 11u * 500u);
    EXPECT_LE(took, 11u * 501u + 1500u);
    // The scan is over: nothing more is pinged.
    uint32_t timer = ScanTimer;
    for (int i = 0; i < 50; ++i)
        ConnectStep();
    EXPECT_EQ(ScanTimer, timer);
    EXPECT_EQ(ScanPortIndex, 6);
    EXPECT_EQ(PortOpen, 0u);
}

TEST_F(Scan, TypedPortThatNeverAnswersStopsTheScan) {
    Px2950Sim& sim = AddSim(7);
    sim.SetSilent(true);
    SetManualPortName(sim.DevicePath().c_str()); // a name with '/' is a path
    ConnectState = ConnectManualPort;
    ASSERT_TRUE(StepUntil([] { return ScanPortIndex == ScanStopped; }, 4000))
        << "ScanPortIndex " << ScanPortIndex << " frames " << sim.LogSize();
    EXPECT_EQ(LinkBroken, 1u);
    WaitFor([&] { return sim.LogSize() >= 7; }, 500);
    EXPECT_EQ(sim.LogSize(), 7u) << Describe(sim.Log());
    EXPECT_EQ(LinkLost, 1u);
}

TEST_F(Scan, ProcessorThatVanishesMakesTheNextChangeGoOutSevenTimes) {
    Px2950Sim& sim = AddSim(1);
    ASSERT_TRUE(Connect());
    ConnectPanelActive = 0;
    EXPECT_EQ(LinkLost, 0u);
    sim.VanishAfter(static_cast<uint32_t>(sim.LogSize()) + 1);
    uint32_t before = SendCount;
    LinkSend(19, 12, 0xFFFFFFFF, 0xFFFFFFFF);
    ASSERT_TRUE(WaitFor([] { return LinkLost == 1; }, 3000)) << "sent " << SendCount - before;
    EXPECT_TRUE(sim.Vanished());
    EXPECT_EQ(SendCount - before, 7u);
    EXPECT_EQ(LinkBroken, 1u);
    EXPECT_EQ(LinkIdle, 1u);
    // From now on changes are refused until a new download.
    LinkSend(19, 13, 0xFFFFFFFF, 0xFFFFFFFF);
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    EXPECT_EQ(SendCount - before, 7u);
}

TEST_F(Download, All248EntriesInOrderAndTheSelectionsPutBack) {
    Px2950Sim& sim = AddSim(1);
    FillDistinct(sim);
    // Auto + Disco on the sub-woofer, Auto + Sing on the music channel: neither is a selection the
    // download writes itself.
    sim.SetParam(1024, 0, 0, 0), sim.SetParam(1025, 0, 0, 1);
    sim.SetParam(768, 0, 0, 0), sim.SetParam(769, 0, 0, 0);

    ASSERT_TRUE(Connect());
    EXPECT_EQ(g_downloadApplied, 1);
    EXPECT_EQ(LinkLost, 0u);
    EXPECT_EQ(DownloadIndex, 248u);

    auto log = sim.Log();
    ASSERT_EQ(log.size(), 249u); // the ping, then one request an entry
    // The restoring writes send what the selection reads received.
    for (auto [entry, value] : {std::pair{134, 0}, {135, 1}, {214, 0}, {215, 0}}) {
        EXPECT_EQ(log[entry + 1].bytes[3], 4) << entry;
        EXPECT_EQ(log[entry + 1].bytes[6], value) << entry;
    }
    EXPECT_EQ(sim.Param(1024), 0);
    EXPECT_EQ(sim.Param(1025), 1);
    EXPECT_EQ(sim.Param(768), 0);
    EXPECT_EQ(sim.Param(769), 0);

    ExpectWordsHold(sim);

    // The panel closes itself a second later.
    ASSERT_TRUE(StepUntil([] { return g_closeRequests == 1; }, 2000));
}

TEST_F(Download, ZeroAnswersGiveBlankModeNames) {
    Px2950Sim& sim = AddSim(1);
    sim.SetZeroReads(true);
    FillWords(0x55555555);
    ASSERT_TRUE(Connect());
    for (int m = 0; m < 20; ++m)
        EXPECT_STREQ(ModeNames[m], "          ") << m;
    for (int i = 0; i < 209; ++i)
        EXPECT_EQ(*fields_[i], 0u) << "record byte " << 26 + i;
}

TEST_F(Download, GivingUpKeepsWhatWasReadAndRefreshesNothing) {
    Px2950Sim& sim = AddSim(1);
    sim.SilentAfter(1 + 50); // the ping, then 50 entries
    FillWords(0x55555555);
    ConnectState = ConnectStarted;
    ASSERT_TRUE(StepUntil([] { return ScanPortIndex == ScanStopped; }, 5000))
        << "DownloadIndex " << DownloadIndex;
    EXPECT_EQ(DownloadIndex, 50u);
    EXPECT_EQ(LinkLost, 1u);
    EXPECT_FALSE(ConnectState & ConnectDownloaded);
    LinkApplyPending();
    EXPECT_EQ(g_downloadApplied, 0);
    // Entries 0-49 are the microphone panel (record bytes 26-66) and the first nine room EQ words
    // (170-178); the rest is untouched.
    std::vector<uint32_t> held = ProcessorRecord(sim);
    for (int i = 0; i < 209; ++i)
        EXPECT_EQ(*fields_[i], i < 41 || (i >= 144 && i < 153) ? held[i] : 0x55555555u) << 26 + i;
    WaitFor([&] { return sim.LogSize() >= 57; }, 500);
    auto log = sim.Log();
    ASSERT_EQ(log.size(), 1u + 50u + 6u) << Describe(log);
    for (size_t i = 51; i < log.size(); ++i)
        EXPECT_EQ(log[i].bytes, log[51].bytes);
}

TEST_F(Upload, BracketedBy35AndPatientWithIt) {
    Px2950Sim& sim = AddSim(1);
    ASSERT_TRUE(Connect());
    sim.ClearLog();
    sim.SetCodeLatencyMs(35, 2100); // longer than any other time-out
    uint8_t slot[256];
    for (int i = 0; i < 256; ++i)
        slot[i] = static_cast<uint8_t>((i * 5 + 1) % 120);
    slot[67] = 1, slot[68] = 0, slot[129] = 0, slot[130] = 1;
    *fields_[208] = 33; // "Effect Start" as the PC-mode load put it into the panel

    StartUpload(slot);
    UploadCount = 230;
    ConnectState = ConnectStarted | ConnectUploading;
    ReplyReceived = 1;
    ScanPortIndex = ScanStopped;
    ASSERT_TRUE(StepUntil([] { return !(ConnectState & ConnectUploading); }, 12000))
        << "UploadIndex " << UploadIndex << " of " << UploadCount;
    EXPECT_EQ(g_closeRequests, 1);
    auto log = sim.Log();
    ASSERT_EQ(log.size(), 219u) << Describe(log);
    EXPECT_EQ(FrameCode(log.front()), 35u);
    EXPECT_EQ(log.front().bytes[6], 1);
    for (const auto& f : log)
        EXPECT_EQ(f.bytes[3], 2);
    EXPECT_EQ(sim.UploadBracket(), 0);
    EXPECT_EQ(sim.Param(1026, 0, 1), slot[133]);
    EXPECT_EQ(sim.Param(803, 6, 0), slot[71 + 24 + 2]);
    EXPECT_EQ(sim.Param(769), slot[68]);
    EXPECT_EQ(sim.Param(1025), slot[130]);

    // The closing step on the window thread: the tab bar's Effect level follows "Effect Start".
    sim.ClearLog();
    LinkApplyPending();
    EXPECT_EQ(g_uploadFinished, 1);
    EXPECT_EQ(bar_[0], 33u);
    ASSERT_TRUE(WaitFor([&] { return sim.Param(17) == 33; }, 2000)) << Describe(sim.Log());
}

TEST_F(Upload, RepliesOfAnyTypeCompleteTheUploadButNotTheDownload) {
    Px2950Sim& sim = AddSim(1);
    ASSERT_TRUE(Connect());
    sim.SetForcedReplyType(0);
    uint8_t slot[256] = {};
    StartUpload(slot);
    ConnectState = ConnectStarted | ConnectUploading;
    ScanPortIndex = ScanStopped;
    ASSERT_TRUE(StepUntil([] { return !(ConnectState & ConnectUploading); }, 5000)) << UploadIndex;
    EXPECT_EQ(UploadIndex, 219u);
    EXPECT_EQ(UploadAbort, 0u);

    // The frame carries out the upload's closing step (its level goes out, unanswered as well).
    LinkApplyPending();
    ASSERT_TRUE(WaitFor([] { return LinkIdle == 1; }, 3000));

    // The download that follows stops at its first entry after six sends.
    sim.ClearLog();
    ConnectState = ConnectStarted;
    ReplyReceived = 1;
    ScanPortIndex = 0;
    ASSERT_TRUE(StepUntil([] { return ScanPortIndex == ScanStopped; }, 3000));
    EXPECT_EQ(DownloadIndex, 0u);
    auto log = sim.Log();
    // The level's last try may still reach the simulator after the log was cleared.
    size_t firstEntry =
        std::count_if(log.begin(), log.end(), [](const auto& f) { return FrameCode(f) == 256; });
    EXPECT_EQ(firstEntry, 6u) << Describe(log);
}

TEST_F(BadBytes, GarbageOversizePacketsAndWrongCodesAreSurvived) {
    Px2950Sim& sim = AddSim(1);
    sim.SetNoiseBefore(true); // an oversize packet start ahead of every answer
    sim.DropEvery(17);
    ASSERT_TRUE(Connect(20000)) << "DownloadIndex " << DownloadIndex;
    ConnectPanelActive = 0;
    sim.SetNoiseBefore(false);
    sim.DropEvery(0);
    sim.GarbageNext(4);
    LinkSend(17, 21, 0xFFFFFFFF, 0xFFFFFFFF);
    ASSERT_TRUE(WaitFor([] { return LinkIdle == 1; }, 3000));
    EXPECT_EQ(LinkBroken, 0u);
    EXPECT_EQ(sim.Param(17), 21);
    sim.WrongCodeNext(3);
    LinkSend(18, 22, 0xFFFFFFFF, 0xFFFFFFFF);
    ASSERT_TRUE(WaitFor([] { return LinkIdle == 1; }, 3000));
    EXPECT_EQ(LinkBroken, 0u);
    EXPECT_EQ(LastReply[4], 18);
    // Nothing but garbage: the sender gives up cleanly.
    sim.GarbageNext(100);
    LinkSend(19, 23, 0xFFFFFFFF, 0xFFFFFFFF);
    ASSERT_TRUE(WaitFor([] { return LinkIdle == 1; }, 3000));
    EXPECT_EQ(LinkBroken, 1u);
    EXPECT_EQ(LinkLost, 1u);
}

// The download's entries 226-245 read the twenty mode names; mode 2k and 2k + 1 carry the same tag.
constexpr uint32_t FirstNameEntry = 226;

TEST_F(LateReplies, ALateAndADoubledAnswerLeaveEveryValueAndNameRight) {
    Px2950Sim& sim = AddSim(1);
    FillDistinct(sim);
    sim.LateReplyTo(34, 4, 200); // mode 4 is answered after the console sent it again
    // Mode 11 is answered twice, the second 1 ms after the first: the stray answer comes while mode
    // 12 (another tag) is read, and is passed over without sending mode 12 again.
    sim.DoubleReplyTo(34, 11, 1);
    ASSERT_TRUE(Connect()) << "DownloadIndex " << DownloadIndex;
    ExpectWordsHold(sim);
    // The ping and 248 entries, and the one copy of mode 4 that went out while its answer was late.
    auto log = sim.Log();
    std::printf("[ sends    ] late and doubled answers: %zu sends for 249 requests\n", log.size());
    EXPECT_EQ(log.size(), 250u) << Describe(log);

    // The same in the sender: a late answer to a level, then the neighbouring value (same tag).
    ConnectPanelActive = 0;
    sim.ClearLog();
    sim.LateReplyTo(17, 4, 200);
    LinkSend(17, 4, 0xFFFFFFFF, 0xFFFFFFFF);
    ASSERT_TRUE(WaitFor([] { return LinkIdle == 1; }, 3000));
    LinkSend(17, 5, 0xFFFFFFFF, 0xFFFFFFFF);
    ASSERT_TRUE(WaitFor([] { return LinkIdle == 1; }, 3000));
    EXPECT_EQ(LinkBroken, 0u);
    EXPECT_EQ(LastReply[6], 5);
    EXPECT_EQ(sim.Param(17), 5);
    EXPECT_EQ(Describe(sim.Log()), "17/4 17/4 17/5 ");
}

TEST_F(LateReplies, APauseMidDownloadThenANewScanStoresEverythingRight) {
    Px2950Sim& sim = AddSim(1);
    FillDistinct(sim);
    // Mode 4's read: the download sends it six times and gives up while the processor is paused; the
    // processor then answers all six, and the new scan's pings, in a row.
    sim.PauseAfter(1 + FirstNameEntry + 4, 2000);
    ConnectState = ConnectStarted;
    ASSERT_TRUE(StepUntil([] { return ScanPortIndex == ScanStopped; }, 5000))
        << "DownloadIndex " << DownloadIndex;
    EXPECT_EQ(DownloadIndex, FirstNameEntry + 4);
    size_t gaveUpAt = sim.LogSize();

    // "Scan again" at once: its first ping goes out while the processor is still paused.
    ScanAgain();
    ASSERT_TRUE(StepUntil([] { return (ConnectState & ConnectDownloaded) != 0; }, 10000))
        << "DownloadIndex " << DownloadIndex;
    ExpectWordsHold(sim);
    // The log shows each frame when the processor takes it: the copies sent during the pause come
    // first, then the new scan's pings.
    auto log = sim.Log();
    auto firstPing = std::find_if(log.begin() + static_cast<long>(gaveUpAt), log.end(),
                                  [](const auto& f) { return FrameCode(f) == 1; });
    size_t pings = std::count_if(firstPing, log.end(), [](const auto& f) { return FrameCode(f) == 1; });
    size_t sent = static_cast<size_t>(log.end() - firstPing);
    std::printf("[ sends    ] pause then a new scan: %zu pings and %zu sends for 248 entries\n", pings,
                sent - pings);
    // Each entry once: the stale answers were taken in with the pings.
    EXPECT_EQ(sent - pings, 248u) << Describe(log);
}

TEST_F(LateReplies, AReopenNeverWaitsForATransferAndThePingsKeepTheirPace) {
    Px2950Sim& sim = AddSim(1);
    for (int n = 2; n <= 6; ++n)
        AddDeadPort(n);
    ASSERT_TRUE(Connect());
    ConnectPanelActive = 0;
    sim.SetSilent(true);
    const uint8_t digits[6] = {1, 1, 2, 2, 3, 3};
    LinkSendPayload(5, digits); // 2000 ms a try, seven tries
    ASSERT_TRUE(WaitFor([&] { return sim.LogSize() > 249; }, 1000));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    size_t beforeRescan = sim.LogSize();

    ScanAgain();
    uint32_t longestUs = 0;
    std::vector<uint32_t> pingTicks;
    uint32_t start = TickNow();
    while (ScanPortIndex < 2 && TickSince(start) < 4000) {
        uint32_t timer = ScanTimer;
        bool started = (ConnectState & ConnectStarted) != 0;
        auto before = std::chrono::steady_clock::now();
        ConnectStep();
        auto took = std::chrono::steady_clock::now() - before;
        longestUs = std::max<uint32_t>(
            longestUs,
            static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::microseconds>(took).count()));
        if (started && ScanTimer != timer) pingTicks.push_back(ScanTimer);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    std::printf("[ steps    ] longest ConnectStep during the rescan: %u us\n", longestUs);
    EXPECT_LT(longestUs, 30000u);
    ASSERT_EQ(pingTicks.size(), 4u);
    for (size_t i = 1; i < pingTicks.size(); ++i) {
        EXPECT_GE(pingTicks[i] - pingTicks[i - 1], 501u);
        EXPECT_LE(pingTicks[i] - pingTicks[i - 1], 540u);
    }
    // The ping went out on the reopened port at once, not after the password's time-out.
    auto log = sim.Log();
    ASSERT_GT(log.size(), 251u) << Describe(log);
    EXPECT_EQ(FrameCode(log.back()), 1);
    // The request in flight was meant for the port as it was: given up, never sent on the reopened one.
    for (size_t i = beforeRescan; i < log.size(); ++i)
        EXPECT_EQ(FrameCode(log[i]), 1) << "frame " << i << "\n" << Describe(log);
}

TEST_F(Sender, TheWindowThreadsWaitForTheLinkIsBounded) {
    // Before the first scan the sender's gate is shut: the wait gives up instead of freezing.
    Px2950Sim& sim = AddSim(1);
    PortOpen = SerialOpen("COM1");
    LinkSend(17, 3, 0xFFFFFFFF, 0xFFFFFFFF); // accepted: the connecting panel is open
    ASSERT_EQ(LinkIdle, 0u);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(LinkWaitIdle(100), -1);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    // Once the sender runs, the same wait ends with the answer.
    ResumeSenderThread();
    EXPECT_EQ(LinkWaitIdle(LinkWaitBoundFor(17)), 0);
    EXPECT_EQ(sim.Param(17), 3);
}

// A list of changes: only the parameters that differ go out, a Sing or Disco set's value with the set
// selected before it and the selection put back after; the processor then holds the target record.
// A processor that stops answering loses the link, and the rest of the list is dropped.
TEST_F(Changes, OnlyWhatDiffersGoesOutWithItsSetSelectedAndPutBack) {
    Px2950Sim& sim = AddSim(1);
    FillDistinct(sim);
    ASSERT_TRUE(Connect()) << "DownloadIndex " << DownloadIndex;
    ConnectPanelActive = 0;
    uint8_t from[256] = {}, to[256];
    RecordFromFields(from);
    std::memcpy(to, from, sizeof to);
    EXPECT_TRUE(BuildChangeList(from, to).empty());
    auto change = [&](int offset) { to[offset] = static_cast<uint8_t>(from[offset] == 90 ? 91 : 90); };
    change(26);               // a microphone slider
    change(101 + 4 * 2 + 2);  // the Disco set's band 3 gain
    change(170 + 4 * 14 + 1); // room band 15's frequency
    std::vector<LinkChange> changes = BuildChangeList(from, to);
    std::vector<std::pair<uint32_t, uint32_t>> said,
        wanted = {
            {ParamAtOffset(26)->code, to[26]}, {768, 1},        {769, 1},
            {803, 2u << 8 | to[111]},          {768, from[67]}, {769, from[68]},
            {1570, 14u << 8 | to[227]},
        };
    for (const LinkChange& c : changes)
        said.push_back({c.code, c.value});
    EXPECT_EQ(said, wanted);

    sim.ClearLog();
    ASSERT_TRUE(LinkSendChanges(changes));
    ASSERT_TRUE(WaitFor([] { return ChangesLeft == 0; }, 3000));
    EXPECT_EQ(sim.Log().size(), wanted.size()) << Describe(sim.Log());
    std::vector<uint32_t> held = ProcessorRecord(sim);
    for (int i = 0; i < 209; ++i)
        EXPECT_EQ(held[i], to[26 + i]) << "record byte " << 26 + i;

    sim.SetSilent(true);
    ASSERT_TRUE(LinkSendChanges(BuildChangeList(to, from)));
    ASSERT_TRUE(WaitFor([] { return ChangesLeft == 0; }, 3000));
    EXPECT_EQ(LinkLost, 1u);
    EXPECT_FALSE(LinkSendChanges(changes));
}
