// SPDX-License-Identifier: GPL-3.0-or-later
// Processors behind ser2net, the serial device server, as a venue reaches them: a push and a pull over
// raw TCP and over RFC 2217 leave the same parameters as over the pseudo-terminal directly, a pinned
// port file names a network port, and a server that is not there is said as a port would be.
#include "link/LinkState.h"
#include "link/ModeFile.h"
#include "modes/ModesTool.h"
#include "tests/support/Ser2Net.h"
#include "tests/support/SimPorts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

class NetworkPorts : public ::testing::Test, protected SimPorts {
  protected:
    void SetUp() override {
        if (!Ser2Net::Installed()) GTEST_SKIP() << "ser2net is not installed (scripts/deps.sh installs it)";
        OpenPorts();
        file_ = dir_ + "/mode.dat";
    }
    void TearDown() override {
        server_.Stop();
        ClosePorts();
        LinkResetForTest();
    }
    int Run(std::vector<std::string> args, std::string* err = nullptr) {
        LinkResetForTest();
        args.insert(args.begin(), "tonvex-modes");
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        char *said = nullptr, *text = nullptr;
        size_t saidSize = 0, size = 0;
        FILE* o = open_memstream(&said, &saidSize);
        FILE* e = open_memstream(&text, &size);
        int status = RunModesTool(static_cast<int>(argv.size()), argv.data(), o, e);
        std::fclose(o);
        std::fclose(e);
        if (err) *err = text;
        std::free(said);
        std::free(text);
        return status;
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
