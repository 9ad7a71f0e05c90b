// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the console's main loop in-process on a real window and measures, in one run:
//   the active pace (as while the user moves the mouse), in frames per second;
//   (a) the console idle, the connecting panel closed;
//   (b) the connecting panel open on its failure display (no processor), at the loop's pace;
//   (c) the same screen at the old pace: a frame each pass with 1 ms and 2 ms pauses;
// each as CPU time over wall time, with the ratios (b)/(a) and (c)/(a). A still screen is drawn again
// only every two seconds, so (a) and (b) draw as many frames; what one frame of each screen costs is
// printed beside them.
#include "app/ui/AppState.h"
#include "app/PlatformWindow.h"
#include "app/TonvexCore.h"
#include "common/Tick.h"
#include "gui/PanelLists.h"
#include "link/LinkState.h"
#include "panels/AWndCon.h"
#include "panels/Panels.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <thread>

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Cost {
    double cpu, wall;
    uint32_t frames;
    double Share() const { return cpu / wall; }
};

template <class Pass> Cost Measure(TonvexCore& core, unsigned seconds, Pass pass) {
    LastInputTick = TickNow() - 1000;
    uint32_t start = TickNow(), frames = core.frameRequests;
    double cpuStart = CpuSeconds();
    while (TickSince(start) < seconds * 1000u && !(core.state & QuitRequested))
        pass();
    return {CpuSeconds() - cpuStart, TickSince(start) / 1000.0, core.frameRequests - frames};
}

// CPU milliseconds of one frame of the screen as it stands, over twenty frames.
double FrameCpuMs(TonvexCore& core) {
    double cpuStart = CpuSeconds();
    for (int i = 0; i < 20; ++i)
        core.RenderFrame();
    return (CpuSeconds() - cpuStart) * 1000.0 / 20;
}

void Print(const char* what, const Cost& c) {
    std::printf("%-44s %.3f s CPU over %.1f s wall = %.4f of one core (%u frames)\n", what, c.cpu, c.wall,
                c.Share(), c.frames);
}

} // namespace

int main(int argc, char** argv) {
    unsigned seconds = argc > 1 ? static_cast<unsigned>(std::atoi(argv[1])) : 10;
    TonvexCore& core = TonvexCore::Instance();
    if (core.CreateMainWindow() != 0) return 1;
    core.StartUp();
    core.state |= Started | Running;
    // Skip the intro: what is measured is the console at rest.
    core.state |= LogoDone | IntroDone;
    BgFadeStart = 1;
    ConnectAutoOpen = 0;
    ConnectPanelActive = 0;

    uint32_t start = TickNow();
    uint32_t frames = core.frameRequests;
    while (TickSince(start) < 3000) {
        LastInputTick = TickNow();
        core.LoopPass();
    }
    double fps = (core.frameRequests - frames) * 1000.0 / TickSince(start);
    std::printf("active pace: %.1f frames/s\n", fps);

    Cost idle = Measure(core, seconds, [&] { core.LoopPass(); });
    double idleFrameMs = FrameCpuMs(core);

    // The connecting panel, its scan run out on a machine with no processor: the failure display.
    ConnectState = 0;
    ScanPortIndex = 0;
    OpenPanel(ConPanel);
    start = TickNow();
    while (ConPanel->Showing() != AWndCon::Display::Failed && TickSince(start) < 30000) {
        LastInputTick = TickNow();
        core.LoopPass();
    }
    if (ConPanel->Showing() != AWndCon::Display::Failed) {
        std::printf("the connecting panel did not reach its failure display\n");
        return 1;
    }
    while (TickSince(start) < 30000 && !ConPanel->IsStill())
        core.LoopPass();
    Cost failure = Measure(core, seconds, [&] { core.LoopPass(); });
    double failureFrameMs = FrameCpuMs(core);
    Cost oldPace = Measure(core, seconds, [&] {
        if (core.window) core.window->PumpOne();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ++core.frameRequests;
        core.RenderFrame();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    });

    Print("(a) idle, connecting panel closed:", idle);
    Print("(b) failure display, the loop's pace:", failure);
    Print("(c) failure display, the old full pace:", oldPace);
    std::printf("ratio (b)/(a) = %.2f, (c)/(a) = %.2f\n", failure.Share() / idle.Share(),
                oldPace.Share() / idle.Share());
    std::printf("one frame: %.1f ms CPU idle, %.1f ms on the failure display (ratio %.2f)\n", idleFrameMs,
                failureFrameMs, failureFrameMs / idleFrameMs);
    return 0;
}
