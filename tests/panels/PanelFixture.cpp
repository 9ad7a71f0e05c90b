#include "PanelFixture.h"

#include "common/Paths.h"
#include "common/Tick.h"
#include "link/LinkState.h"
#include "link/LinkWait.h"
#include "panels/EqSection.h"

#include <GL/gl.h>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <unistd.h>

void PanelFixture::SetUp() {
    ResetAppState();
    LinkResetForTest();
    TickUseClock();
    EnsureGlContext(960, 600);
    ASSERT_TRUE(LoadSkinsAndFonts());
    ClientWidth = 960;
    ClientHeight = 600;
    char pattern[] = "/tmp/tonvex-panels-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    ASSERT_TRUE(MakeDirs(dir_ + "/tonvex/ports"));
}

void PanelFixture::TearDown() {
    for (auto& clear : clears_)
        clear();
    clears_.clear();
    LinkTapStop();
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
    TickUseClock();
    ResetAppState();
}

Px2950Sim& PanelFixture::AddSim(int com) {
    sims_.push_back(std::make_unique<Px2950Sim>());
    Px2950Sim& sim = *sims_.back();
    sim.SetPaced(false);
    EXPECT_TRUE(sim.Start());
    EXPECT_TRUE(sim.LinkAs(dir_ + "/tonvex/ports/COM" + std::to_string(com)));
    return sim;
}

void PanelFixture::AddDeadPort(int com) {
    std::string path = dir_ + "/tonvex/ports/COM" + std::to_string(com);
    unlink(path.c_str());
    EXPECT_EQ(symlink("/dev/null-no-such-device", path.c_str()), 0);
}

bool PanelFixture::DrawUntil(AWndFrame* panel, const std::function<bool()>& done, uint32_t timeoutMs) {
    uint32_t start = TickNow();
    while (!done()) {
        if (TickSince(start) > timeoutMs) return false;
        glClear(GL_COLOR_BUFFER_BIT);
        panel->Draw(1.0f);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void PanelFixture::ClickOn(AWndFrame* panel, int x, int y) {
    Pointer pointer({panel});
    pointer.Move(x, y);
    pointer.Press(x, y);
    pointer.Release(x, y);
}

void PanelFixture::Frame(AWndFrame* panel) {
    glClear(GL_COLOR_BUFFER_BIT);
    panel->Draw(1.0f);
    TickAdvance(16);
}

void PanelFixture::HandleAt(const EqSection& eq, int band, int* hx, int* hy) {
    int gx, gy, gw, gh;
    eq.GraphRect(&gx, &gy, &gw, &gh);
    *hx = gx + EqGraphLeft + eq.bands[band].handleX;
    *hy = gy + EqGraphTop + eq.bands[band].handleY;
}

void PanelFixture::Press(AWndFrame* panel, int px, int py, bool right) {
    MouseX = px;
    MouseY = py;
    if (right) {
        RightDown = 1;
        RightClaimed = 0;
        return;
    }
    ClickSerial += 1;
    LeftDown = 1;
    PressClaimed = 0;
    panel->OnMouseDown(px, py, &PressClaimed, ClickSerial);
}

void PanelFixture::Release() {
    LeftDown = RightDown = 0;
}

std::vector<std::pair<uint32_t, uint32_t>> PanelFixture::Sent() {
    std::vector<std::pair<uint32_t, uint32_t>> pairs;
    for (const LinkTapRequest& r : LinkTapRequests())
        pairs.push_back({r.code, r.value});
    LinkTapClear();
    return pairs;
}

bool PanelFixture::Download(uint32_t timeoutMs) {
    TickUseClock();
    CreateSenderThread();
    ConnectState = ConnectStarted;
    uint32_t start = TickNow();
    while (!(ConnectState & ConnectDownloaded) && TickSince(start) < timeoutMs) {
        ConnectStep();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return ConnectState & ConnectDownloaded;
}
