#include "LinkFixture.h"

#include "common/Paths.h"
#include "common/Tick.h"
#include "link/LinkState.h"
#include "link/ParamMap.h"

#include <chrono>
#include <cstdlib>
#include <thread>
#include <unistd.h>

int g_downloadApplied = 0;
int g_uploadFinished = 0;
int g_closeRequests = 0;

void LinkFixture::SetUp() {
    LinkResetForTest();
    TickUseClock();
    char pattern[] = "/tmp/tonvex-link-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    ASSERT_TRUE(MakeDirs(dir_ + "/tonvex/ports"));

    ParamTargets t{};
    for (int i = 0; i < 3; ++i)
        t.barLevels[i] = &bar_[i];
    t.musicInputPort = &inputPort_;
    t.keysetLock = &keyLock_;
    BuildParamMap(t);
    ModeRecordFields(fields_);

    g_downloadApplied = g_uploadFinished = g_closeRequests = 0;
    LinkSetHook(HookDownloadApplied, [] { ++g_downloadApplied; });
    LinkSetHook(HookUploadFinished, [] { ++g_uploadFinished; });
    LinkSetHook(HookCloseConnectPanel, [] { ++g_closeRequests; });
    CreateSenderThread();
}

void LinkFixture::TearDown() {
    LinkShutdown();
    for (auto& sim : sims_)
        sim->Stop();
    sims_.clear();
    for (int n = 1; n <= 8; ++n)
        unlink((dir_ + "/tonvex/ports/COM" + std::to_string(n)).c_str());
    rmdir((dir_ + "/tonvex/ports").c_str());
    rmdir((dir_ + "/tonvex").c_str());
    rmdir(dir_.c_str());
    LinkResetForTest();
}

Px2950Sim& LinkFixture::AddSim(int com) {
    sims_.push_back(std::make_unique<Px2950Sim>());
    Px2950Sim& sim = *sims_.back();
    sim.SetPaced(false);
    sim.SetLatencyMs(0);
    EXPECT_TRUE(sim.Start());
    EXPECT_TRUE(sim.LinkAs(dir_ + "/tonvex/ports/COM" + std::to_string(com)));
    return sim;
}

void LinkFixture::AddDeadPort(int com) {
    std::string path = dir_ + "/tonvex/ports/COM" + std::to_string(com);
    unlink(path.c_str());
    EXPECT_EQ(symlink("/dev/null-no-such-device", path.c_str()), 0);
}

bool LinkFixture::StepUntil(const std::function<bool()>& done, uint32_t timeoutMs) {
    uint32_t start = TickNow();
    while (!done()) {
        if (TickSince(start) > timeoutMs) return false;
        ConnectStep();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

bool LinkFixture::WaitFor(const std::function<bool()>& done, uint32_t timeoutMs) {
    uint32_t start = TickNow();
    while (!done()) {
        if (TickSince(start) > timeoutMs) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

bool LinkFixture::Connect(uint32_t timeoutMs) {
    ConnectState = ConnectStarted;
    return StepUntil([] { return (ConnectState & ConnectDownloaded) != 0; }, timeoutMs);
}
