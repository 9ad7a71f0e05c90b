// SPDX-License-Identifier: GPL-3.0-or-later
// The connecting panel against the simulated processor: what it shows in each state, the typed port,
// "Scan again", and the buttons that are dead while a download runs.
#include "PanelFixture.h"
#include "gui/PanelLists.h"
#include "link/ParamCodes.h"
#include "tests/support/Ser2Net.h"
#include "panels/Panels.h"

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

int Closings;

class ConnectPanel : public PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        con = Make(&ConPanel, 100, 100, 310, 200, "Device Connecting");
        OpenPanel(con.get());
        Closings = 0;
        LinkSetHook(HookCloseConnectPanel, [] { ++Closings; });
        BuildParamMap(ParamTargets{});
        CreateSenderThread();
    }

    std::string Message() const {
        char text[256];
        con->MessageText(text, sizeof text);
        return text;
    }
    // Draws until `done`, keeping every message line shown, each once in the order it first showed.
    std::vector<std::string> MessagesUntil(const std::function<bool()>& done, uint32_t timeoutMs) {
        std::vector<std::string> seen;
        bool ok = DrawUntil(
            con.get(),
            [&] {
                std::string m = Message();
                if (seen.empty() || seen.back() != m) seen.push_back(m);
                return done();
            },
            timeoutMs);
        EXPECT_TRUE(ok) << "ConnectState " << ConnectState << " ScanPortIndex " << ScanPortIndex;
        return seen;
    }
    void Click(const GUIWnd& control) {
        ClickOn(con.get(), control.WindowX() + control.width / 2, control.WindowY() + control.height / 2);
    }
};

} // namespace

TEST_F(ConnectPanel, ScansDownloadsAndClosesWithTheTextsOfEachState) {
    AddDeadPort(1);
    AddSim(2);
    for (int n = 3; n <= 6; ++n)
        AddDeadPort(n);
    auto seen = MessagesUntil([] { return Closings > 0; }, 8000);
    EXPECT_EQ(seen, (std::vector<std::string>{"Auto to scan device: Port COM1 ...",
                                              "Auto to scan device: Port COM2 ...",
                                              "Connect succeed：Downloading data to computer...",
                                              "All data download succeed ..."}));
    EXPECT_EQ(DownloadIndex, ParamMapCount);
    EXPECT_EQ(LinkLost, 0u);
}

TEST_F(ConnectPanel, TypedPortScanAgainAndDeadButtonsDuringTheDownload) {
    for (int n = 1; n <= 6; ++n)
        AddDeadPort(n);
    Px2950Sim& com5 = AddSim(5);
    com5.SetPaced(true); // a download long enough to press buttons during it
    // The failure display after a scan found nothing.
    ConnectState = ConnectStarted;
    ScanPortIndex = 6;
    con->Draw(1.0f);
    EXPECT_EQ(Message(), "Connect failed：Nothing device...");

    Click(con->portName);
    ASSERT_TRUE(con->portName.focused);
    for (int i = 0; i < 4; ++i)
        con->OnKeyDown(39);
    con->OnChar(8);
    con->OnChar('5');
    EXPECT_STREQ(con->portName.text, "COM5");
    uint32_t pressed = TickNow();
    Click(con->connect);
    EXPECT_EQ(ConnectState, ConnectManualPort);
    auto seen = MessagesUntil([] { return (ConnectState & ConnectDownloading) != 0; }, 4000);
    EXPECT_EQ(seen.front(), "Auto to scan device: Port COM5 ...");
    EXPECT_EQ(seen.size(), 2u);
    auto log = com5.Log();
    ASSERT_FALSE(log.empty());
    EXPECT_GE(TickSince(pressed), 1000u);

    // While the download runs, the places of "Connect" and "Scan again" do nothing.
    uint32_t state = ConnectState;
    Click(con->scanAgain);
    Click(con->connect);
    EXPECT_EQ(ConnectState, state);
    EXPECT_EQ(ScanPortIndex, 0);

    // The frame's close button stops the download.
    con->OnClose();
    EXPECT_EQ(ConnectPanelActive, 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    uint32_t stoppedAt = DownloadIndex;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(DownloadIndex, stoppedAt);
    EXPECT_LT(stoppedAt, ParamMapCount);

    // "Scan again" from the failure display starts over at COM1 after a second.
    ConnectState = ConnectStarted;
    ScanPortIndex = ScanStopped;
    con->Draw(1.0f);
    Click(con->scanAgain);
    EXPECT_EQ(ConnectState, 0u);
    EXPECT_EQ(ScanPortIndex, 0);
    seen = MessagesUntil([] { return ScanPortIndex == 1; }, 3000);
    EXPECT_EQ(seen.front(), "Auto to scan device: Port COM5 ..."); // the box's text while waiting
    EXPECT_EQ(seen.back(), "Auto to scan device: Port COM2 ...");
}

// The failure display says why, beside the Part's text: no port at all, a port another program holds
// (which tells more than the absent ones), and a download that stopped part way.
TEST_F(ConnectPanel, TheFailureDisplaySaysWhy) {
    auto failed = [] { return ScanPortIndex >= 6 && !(ConnectState & ConnectDownloading); };
    auto reason = [this] {
        char text[160];
        con->FailureReason(text, sizeof text);
        return std::string(text);
    };
    for (int n = 1; n <= 6; ++n)
        AddDeadPort(n);
    MessagesUntil(failed, 20000); // six ports of two pings: about 7 s
    EXPECT_EQ(Message(), "Connect failed：Nothing device...");
    EXPECT_EQ(reason(), "No serial port was found");

    // COM4 held by another program (its own exclusive open and lock).
    Px2950Sim& held = AddSim(4);
    int other = open(held.DevicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
    Click(con->scanAgain);
    MessagesUntil(failed, 20000);
    EXPECT_EQ(reason(), "COM4: in use by another program");
    Language = 1;
    EXPECT_EQ(reason(), "COM4：已被其他程序占用");
    Language = 0;
    close(other);

    // The processor stops answering during the download.
    held.SetPaced(true);
    Click(con->scanAgain);
    ASSERT_TRUE(DrawUntil(
        con.get(), [] { return DownloadIndex > 20; }, 8000));
    held.PauseAfter(0, 4000);
    MessagesUntil(failed, 20000);
    std::string stopped = reason();
    EXPECT_EQ(stopped.rfind("Download stopped at ", 0), 0u) << stopped;
    EXPECT_NE(stopped.find(" of 248"), std::string::npos) << stopped;
}

// After a loss the lamp opens the panel on the port that was lost, not on what the scan before found
// (here a silent COM1); "Scan again" finds the processor once it is back.
TEST_F(ConnectPanel, ALossIsSaidWithItsPortAndScanAgainReconnects) {
    AddDeadPort(1);
    AddDeadPort(2);
    Px2950Sim& com3 = AddSim(3);
    MessagesUntil([] { return Closings > 0; }, 12000);
    ASSERT_EQ(DownloadIndex, ParamMapCount);

    // The panel has closed; a level sent to a processor that went quiet gives up after its tries.
    ConnectPanelActive = 0;
    com3.SetSilent(true);
    LinkSend(Code::EffectLevel, 5);
    for (int waited = 0; !LinkLost && waited < 8000; waited += 10)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_NE(LinkLost, 0u);
    LinkReopenAfterLoss();
    con->Draw(1.0f);
    char reason[160];
    con->FailureReason(reason, sizeof reason);
    EXPECT_EQ(Message(), "Connect failed：Nothing device...");
    EXPECT_STREQ(reason, "COM3: the link was lost");
    Language = 1;
    con->FailureReason(reason, sizeof reason);
    EXPECT_STREQ(reason, "COM3：连接已中断");
    Language = 0;

    com3.SetSilent(false);
    int closings = Closings;
    Click(con->scanAgain);
    MessagesUntil([&] { return Closings > closings; }, 12000);
    EXPECT_EQ(LinkLost, 0u);
}

// Processors behind ser2net: the scan reaches one through a pinned port file that names it, and
// "Connect" reaches another typed into the port box; a server that goes away mid-download is a
// transfer stopped part way, and "Scan again" recovers once it is back.
TEST_F(ConnectPanel, NetworkPortsPinnedAndTypedReachTheProcessor) {
    if (!Ser2Net::Installed()) GTEST_SKIP() << "ser2net is not installed (scripts/deps.sh installs it)";
    for (int n = 1; n <= 6; ++n)
        AddDeadPort(n);
    Px2950Sim& pinned = AddSim(2);
    Px2950Sim& typed = AddSim(3);
    Ser2Net server;
    ASSERT_TRUE(server.Start({{pinned.DevicePath(), true}, {typed.DevicePath(), false}}, dir_));
    for (int n : {2, 3})
        AddDeadPort(n); // the simulators are reached through ser2net only
    unlink(PortPath(2).c_str());
    std::ofstream(PortPath(2)) << server.Url(0, true) << "\n";
    MessagesUntil([] { return Closings > 0; }, 12000);
    EXPECT_EQ(DownloadIndex, ParamMapCount);
    EXPECT_GE(pinned.Log().size(), 249u);

    int closings = Closings;
    std::snprintf(con->portName.text, sizeof con->portName.text, "%s", server.Url(1, false).c_str());
    LinkConnectTo(con->portName.text);
    MessagesUntil([&] { return Closings > closings; }, 12000);
    EXPECT_EQ(DownloadIndex, ParamMapCount);
    EXPECT_GE(typed.Log().size(), 249u);

    // The server goes away in the middle of a download: the panel says how far it got, and "Scan
    // again" reaches the processor once a server is back behind the pinned port.
    pinned.SetPaced(true);
    pinned.ClearLog();
    std::thread dropper([&] {
        for (int waited = 0; pinned.Log().size() < 40 && waited < 10000; waited += 5)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        server.Stop();
    });
    LinkScanAgain();
    MessagesUntil([] { return ScanPortIndex >= 6 && !(ConnectState & ConnectDownloading); }, 20000);
    dropper.join();
    char reason[160];
    con->FailureReason(reason, sizeof reason);
    EXPECT_EQ(std::string(reason).rfind("Download stopped at ", 0), 0u) << reason;
    EXPECT_LT(DownloadIndex, ParamMapCount);

    pinned.SetPaced(false);
    Ser2Net again;
    ASSERT_TRUE(again.Start({{pinned.DevicePath(), true}}, dir_));
    std::ofstream(PortPath(2)) << again.Url(0, true) << "\n";
    closings = Closings;
    Click(con->scanAgain);
    MessagesUntil([&] { return Closings > closings; }, 20000);
    EXPECT_EQ(DownloadIndex, ParamMapCount);
    EXPECT_EQ(LinkLost, 0u);
}
