// Runs the console's main loop in-process on a real window: first at the active pace (as while the
// user moves the mouse) to count frames per second, then with no input for ten seconds after the
// intro, measuring the CPU time the process uses over the wall time that passes.
#include "app/AppState.h"
#include "app/TonvexCore.h"
#include "common/Tick.h"
#include "link/LinkState.h"

#include <cstdio>
#include <sys/resource.h>

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    unsigned idleSeconds = argc > 1 ? static_cast<unsigned>(std::atoi(argv[1])) : 10;
    TonvexCore& core = TonvexCore::Instance();
    if (core.CreateMainWindow() != 0) return 1;
    core.StartUp();
    core.state |= Started | Running;
    // Skip the intro and the connecting panel: what is measured is the console at rest.
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

    LastInputTick = TickNow() - 1000;
    start = TickNow();
    double cpuStart = CpuSeconds();
    frames = core.frameRequests;
    while (TickSince(start) < idleSeconds * 1000u && !(core.state & QuitRequested)) core.LoopPass();
    double wall = TickSince(start) / 1000.0;
    double cpu = CpuSeconds() - cpuStart;
    std::printf("active pace: %.1f frames/s\n", fps);
    std::printf("idle: %.3f s CPU over %.1f s wall = %.4f of one core (%u frames)\n", cpu, wall, cpu / wall,
                core.frameRequests - frames);
    return 0;
}
