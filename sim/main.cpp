// px2950-sim: a simulated PX2950 on a pseudo-terminal. Prints the device path; with --link PATH it also
// makes PATH a symlink to it (for example $XDG_CONFIG_HOME/tonvex/ports/COM1, where the console looks
// for its ports). Runs until SIGINT or SIGTERM and removes the link on the way out.
#include "sim/Px2950Sim.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pthread.h>

int main(int argc, char** argv) {
    const char* linkPath = nullptr;
    int latencyMs = 2;
    bool paced = true;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--link") && i + 1 < argc) {
            linkPath = argv[++i];
        } else if (!std::strcmp(argv[i], "--latency") && i + 1 < argc) {
            latencyMs = std::atoi(argv[++i]);
        } else if (!std::strcmp(argv[i], "--unpaced")) {
            paced = false;
        } else {
            std::fprintf(stderr, "usage: %s [--link PATH] [--latency MS] [--unpaced]\n", argv[0]);
            return 2;
        }
    }
    // The signals are taken by sigwait below, never by a handler, so the answering thread runs
    // undisturbed.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    Px2950Sim sim;
    sim.SetPaced(paced);
    sim.SetLatencyMs(latencyMs < 0 ? 0 : static_cast<uint32_t>(latencyMs));
    if (!sim.Start()) {
        std::fprintf(stderr, "px2950-sim: no pseudo-terminal\n");
        return 1;
    }
    if (linkPath && !sim.LinkAs(linkPath)) {
        std::fprintf(stderr, "px2950-sim: cannot link %s: %s\n", linkPath, std::strerror(errno));
        return 1;
    }
    std::printf("%s\n", sim.DevicePath().c_str());
    std::fflush(stdout);
    int received = 0;
    sigwait(&signals, &received);
    sim.Stop();
    return 0;
}
