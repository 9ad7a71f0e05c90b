// SPDX-License-Identifier: GPL-3.0-or-later
// Processors behind ser2net, the serial device server, as a venue reaches them: a push and a pull over
// raw TCP and over RFC 2217 leave the same parameters as over the pseudo-terminal directly, a pinned
// port file names a network port, and a server that is not there is said as a port would be.
#include "link/LinkState.h"
#include "link/ModeFile.h"
#include "modes/ModesTool.h"
#include "tests/modes/ToolRun.h"
#include "tests/support/Ser2Net.h"
#include "tests/support/SimPorts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

class NetworkPorts : public ::testing::Test, protected SimPorts {
  protected:
    void SetUp() override {
        if (!Ser2Net::Installed()) GTEST_SKIP() << "ser2net is not installed (scripts/deps.sh installs it)";
        OpenPorts();
        file_ = dir_ + "/mode.dat";
        SetModesToolProgram(TONVEX_MODES_PROGRAM);
    }
    void TearDown() override {
        server_.Stop();
        ClosePorts();
        LinkResetForTest();
    }
    static int Run(std::vector<std::string> args, std::string* err = nullptr, std::string* out = nullptr) {
        ToolResult r = RunTool(std::move(args));
        if (err) *err = r.err;
        if (out) *out = r.out;
        return r.status;
    }
    // PC mode 1 of a new mode file, every parameter byte in range.
    void StoreRandomMode(unsigned seed) {
        LoadModeFile(file_.c_str());
        std::mt19937 random(seed);
        for (int offset = 26; offset < ModeRecordBytes; ++offset)
            ModeBuffer[offset] = static_cast<uint8_t>(random() % (ModeByteLimit(offset) + 1u));
        ASSERT_TRUE(WriteModeFile());
    }

    Ser2Net server_;
    std::string file_;
};

} // namespace

TEST_F(NetworkPorts, PushAndPullThroughSer2NetRawAndRfc2217MatchTheDirectLine) {
    Px2950Sim& direct = AddSim(1);
    Px2950Sim& raw = AddSim(2);
    Px2950Sim& telnet = AddSim(3);
    ASSERT_TRUE(server_.Start({{raw.DevicePath(), false}, {telnet.DevicePath(), true}}, dir_));
    StoreRandomMode(11);
    std::string err;
    ASSERT_EQ(Run({"push", "--port", "COM1", "1", file_}, &err), 0) << err;
    ASSERT_EQ(Run({"push", "--port", server_.Url(0, false), "1", file_}, &err), 0) << err;
    ASSERT_EQ(Run({"push", "--port", server_.Url(1, true), "1", file_}, &err), 0) << err;
    EXPECT_EQ(raw.LiveParams(), direct.LiveParams());
    EXPECT_EQ(telnet.LiveParams(), direct.LiveParams());

    // A pinned port may be a file naming a network port: COM4 is the RFC 2217 line.
    std::ofstream(dir_ + "/tonvex/ports/COM4") << server_.Url(1, true) << "\n";
    ASSERT_EQ(Run({"pull", "--port", "COM4", "2", file_}, &err), 0) << err;
    LoadModeFile(file_.c_str());
    EXPECT_TRUE(std::equal(ModeBuffer + 26, ModeBuffer + 235, ModeBuffer + ModeRecordBytes + 26));
}

TEST_F(NetworkPorts, AServerThatIsNotThereIsSaidWithTheReason) {
    StoreRandomMode(12);
    std::string err;
    std::string closed = "tcp://127.0.0.1:" + std::to_string(Ser2Net::FreePort());
    EXPECT_EQ(Run({"push", "--port", closed, "1", file_}, &err), 1);
    EXPECT_NE(err.find("Connection refused"), std::string::npos) << err;
    EXPECT_EQ(Run({"push", "--port", "rfc2217://no-such-host.invalid:2001", "1", file_}, &err), 1);
    EXPECT_NE(err.find("host not found"), std::string::npos) << err;
}

// The server goes away in the middle of a download: the pull fails with how far it got (the program
// is not ended by the closed connection), and the processor is reached again once a server is back.
TEST_F(NetworkPorts, ADroppedConnectionFailsThePullAndALaterOneRecovers) {
    Px2950Sim& sim = AddSim(1);
    sim.SetPaced(true);
    ASSERT_TRUE(server_.Start({{sim.DevicePath(), false}}, dir_));
    StoreRandomMode(13);
    std::thread dropper([&] {
        for (int waited = 0; sim.Log().size() < 40 && waited < 10000; waited += 5)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        server_.Stop();
    });
    std::string err;
    int status = Run({"pull", "--port", server_.Url(0, false), "1", file_}, &err);
    dropper.join();
    EXPECT_EQ(status, 1);
    EXPECT_NE(err.find("of 248"), std::string::npos) << err;

    Ser2Net again;
    ASSERT_TRUE(again.Start({{sim.DevicePath(), false}}, dir_));
    EXPECT_EQ(Run({"pull", "--port", again.Url(0, false), "1", file_}, &err), 0) << err;
}

// A venue's push: four rooms behind ser2net named in a ports file, one processor switched off. The
// other three get the mode, the fourth says why, and the status says not every room was written; a
// pull from the three lands in modes 2 to 4 under the rooms' names.
TEST_F(NetworkPorts, EveryRoomAtOnceAndAFailingRoomDoesNotStopTheOthers) {
    std::vector<Px2950Sim*> sims;
    std::vector<Ser2Net::Line> lines;
    for (int n = 1; n <= 4; ++n) {
        sims.push_back(&AddSim(n));
        lines.push_back({sims.back()->DevicePath(), n % 2 == 0});
    }
    ASSERT_TRUE(server_.Start(lines, dir_));
    sims[2]->Stop();
    std::ofstream(dir_ + "/rooms") << "# the first floor\n"
                                   << server_.Url(0, false) << "  Room 1\n"
                                   << server_.Url(1, true) << "\tRoom 2   # by the bar\n\n"
                                   << server_.Url(2, false) << " Room 3\n"
                                   << server_.Url(3, true) << "\n";
    StoreRandomMode(14);
    std::string out, err;
    EXPECT_EQ(Run({"push", "--ports", dir_ + "/rooms", "1", file_}, &err, &out), 1) << err;
    std::istringstream said(out);
    std::vector<std::string> said_lines;
    for (std::string line; std::getline(said, line);)
        said_lines.push_back(line);
    ASSERT_EQ(said_lines.size(), 4u) << out;
    EXPECT_EQ(said_lines[0], "Room 1 (" + server_.Url(0, false) + "): PC mode 1 pushed (219 writes)");
    EXPECT_EQ(said_lines[1], "Room 2 (" + server_.Url(1, true) + "): PC mode 1 pushed (219 writes)");
    EXPECT_EQ(said_lines[2].rfind("Room 3 (" + server_.Url(2, false) + "): not pushed: ", 0), 0u) << out;
    EXPECT_EQ(said_lines[3], server_.Url(3, true) + ": PC mode 1 pushed (219 writes)");
    EXPECT_EQ(sims[1]->LiveParams(), sims[0]->LiveParams());
    EXPECT_EQ(sims[3]->LiveParams(), sims[0]->LiveParams());

    ASSERT_EQ(Run({"pull", "--port", server_.Url(0, false), "--port", server_.Url(1, true), "--port",
                   server_.Url(3, true), "2", file_},
                  &err, &out),
              0)
        << err << out;
    LoadModeFile(file_.c_str());
    for (int slot = 1; slot <= 3; ++slot)
        EXPECT_TRUE(std::equal(ModeBuffer + 26, ModeBuffer + 235, ModeBuffer + slot * ModeRecordBytes + 26))
            << "mode " << slot + 1;
}

// What a venue's desk sees before a push: COM1 answers, COM2 is pinned to a device that is gone, the
// rest find nothing; of the given rooms, the one behind ser2net answers and a server that is not there
// is said with its reason, and the status says not every room answered. The same place reached by
// two names is pinged once.
TEST_F(NetworkPorts, PortsSaysWhatEachNameReachesAndWhoAnswers) {
    Px2950Sim& direct = AddSim(1);
    Px2950Sim& behind = AddSim(3);
    AddDeadPort(2);
    ASSERT_TRUE(server_.Start({{behind.DevicePath(), true}}, dir_));
    for (int n = 3; n <= 6; ++n) {
        // Pinned to an empty file: nothing a port can be opened on.
        std::string pin = dir_ + "/tonvex/ports/COM" + std::to_string(n);
        unlink(pin.c_str());
        std::ofstream{pin};
    }
    std::string closed = "tcp://127.0.0.1:" + std::to_string(Ser2Net::FreePort());
    std::ofstream(dir_ + "/rooms") << server_.Url(0, true) << " Room 3\n" << closed << " Room 4\n";
    direct.ClearLog();

    std::string out, err;
    EXPECT_EQ(Run({"ports", "--ports", dir_ + "/rooms", "--port", "COM1"}, &err, &out), 1) << err;
    std::istringstream said(out);
    std::vector<std::string> rows;
    for (std::string line; std::getline(said, line);)
        rows.push_back(line);
    ASSERT_EQ(rows.size(), 9u) << out;
    auto has = [&](size_t row, const std::string& what) { return rows[row].find(what) != std::string::npos; };
    EXPECT_TRUE(has(0, "COM1") && has(0, direct.DevicePath() + " (pinned)") && has(0, "a processor answers"))
        << rows[0];
    EXPECT_TRUE(has(1, "COM2") && has(1, "(pinned)") && has(1, "no answer: the port could not be opened"))
        << rows[1];
    EXPECT_TRUE(has(2, "COM3") && has(2, "no answer")) << rows[2];
    EXPECT_TRUE(has(6, "Room 3") && has(6, server_.Url(0, true)) && has(6, "a processor answers")) << rows[6];
    EXPECT_TRUE(has(7, "Room 4") && has(7, "Connection refused")) << rows[7];
    EXPECT_TRUE(has(8, "COM1") && has(8, "a processor answers")) << rows[8];
    EXPECT_EQ(direct.Log().size(), 1u) << "COM1 is pinged once for both of its lines";

    EXPECT_EQ(Run({"ping", "--port", server_.Url(0, true)}, &err, &out), 0) << err;
    EXPECT_EQ(Run({"ping", "--port", closed}, &err, &out), 1);
    EXPECT_NE(err.find("Connection refused"), std::string::npos) << err;
}
