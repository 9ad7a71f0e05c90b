// SPDX-License-Identifier: GPL-3.0-or-later
// px2950-sim: a simulated PX2950 on a pseudo-terminal. Prints the device path; with --link PATH it also
// makes PATH a symlink to it (for example $XDG_CONFIG_HOME/tonvex/ports/COM1, where the console looks
// for its ports). Runs until SIGINT or SIGTERM and removes the link on the way out. With --log FILE,
// each SIGUSR1 writes FILE anew: every frame received so far ("frame TYPE CODE BYTE6 BYTE7", in
// order), then the processor's values of the single-value parameters ("param CODE VALUE"). Each
// --set CODE=VALUE starts a single-value parameter at VALUE instead of its default.
#include "sim/Px2950Sim.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pthread.h>
#include <string>

namespace {

bool WriteLog(Px2950Sim& sim, const char* path) {
    std::string temp = std::string(path) + ".tmp";
    FILE* out = std::fopen(temp.c_str(), "w");
    if (!out) return false;
    for (const Px2950Sim::Frame& f : sim.Log()) {
        if (!f.checksumOk || f.bytes.size() < 8) continue;
        std::fprintf(out, "frame %d %d %d %d\n", f.bytes[3], f.bytes[4] | f.bytes[5] << 8, f.bytes[6],
                     f.bytes[7]);
    }
    const int codes[] = {3,    8,    16,   17,   18,   19,   32,   256,  257,  258,  259,  260,  261,  262,
                         263,  512,  513,  514,  515,  516,  768,  769,  1024, 1025, 1028, 1029, 1030, 1280,
                         1281, 1282, 1283, 1284, 1285, 1286, 1287, 1792, 1793, 1794, 1795, 1796};
    for (int code : codes)
        std::fprintf(out, "param %d %d\n", code, sim.Param(static_cast<uint16_t>(code)));
    bool ok = std::fclose(out) == 0;
    return ok && std::rename(temp.c_str(), path) == 0;
}

} // namespace

int main(int argc, char** argv) {
    const char* linkPath = nullptr;
    const char* logPath = nullptr;
    int latencyMs = 2;
    bool paced = true;
    struct Preset {
        int code, value;
    } presets[64];
    int presetCount = 0;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--link") && i + 1 < argc) {
            linkPath = argv[++i];
        } else if (!std::strcmp(argv[i], "--latency") && i + 1 < argc) {
            latencyMs = std::atoi(argv[++i]);
        } else if (!std::strcmp(argv[i], "--log") && i + 1 < argc) {
            logPath = argv[++i];
        } else if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::printf(
                "usage: %s [--link PATH] [--latency MS] [--unpaced] [--log FILE] [--set CODE=VALUE]...\n"
                "\n"
                "A simulated PX2950 on a pseudo-terminal, answering as the processor does at 19200 baud.\n"
                "Prints the device path and runs until SIGINT or SIGTERM.\n"
                "\n"
                "  --link PATH      also make PATH a symlink to the device (removed on the way out),\n"
                "                   e.g. ~/.config/tonvex/ports/COM1 for the console\n"
                "  --latency MS     wait MS milliseconds before each answer (default 2)\n"
                "  --unpaced        answer at once instead of at the wire's pace\n"
                "  --log FILE       on each SIGUSR1, write every frame received and the values held\n"
                "  --set CODE=VALUE start a single-value parameter at VALUE (0 to 255)\n"
                "  --help, --version\n",
                argv[0]);
            return 0;
        } else if (!std::strcmp(argv[i], "--version")) {
            std::printf("px2950-sim %s\n", TONVEX_VERSION);
            return 0;
        } else if (!std::strcmp(argv[i], "--unpaced")) {
            paced = false;
        } else if (!std::strcmp(argv[i], "--set") && i + 1 < argc && presetCount < 64) {
            int code = 0, value = 0;
            char end = 0;
            if (std::sscanf(argv[++i], "%d=%d%c", &code, &value, &end) != 2 || code < 0 || code > 0xFFFF ||
                value < 0 || value > 255) {
                std::fprintf(stderr, "px2950-sim: --set takes CODE=VALUE (a value 0 to 255), not '%s'\n",
                             argv[i]);
                return 2;
            }
            presets[presetCount++] = {code, value};
        } else {
            std::fprintf(
                stderr,
                "usage: %s [--link PATH] [--latency MS] [--unpaced] [--log FILE] [--set CODE=VALUE]...\n",
                argv[0]);
            return 2;
        }
    }
    // The signals are taken by sigwait below, never by a handler, so the answering thread runs
    // undisturbed.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    Px2950Sim sim;
    sim.SetPaced(paced);
    sim.SetLatencyMs(latencyMs < 0 ? 0 : static_cast<uint32_t>(latencyMs));
    for (int k = 0; k < presetCount; ++k)
        sim.SetParam(static_cast<uint16_t>(presets[k].code), 0, -1, static_cast<uint8_t>(presets[k].value));
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
    while (sigwait(&signals, &received) == 0 && received == SIGUSR1)
        if (logPath && !WriteLog(sim, logPath))
            std::fprintf(stderr, "px2950-sim: cannot write %s: %s\n", logPath, std::strerror(errno));
    sim.Stop();
    return 0;
}
