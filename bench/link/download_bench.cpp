// SPDX-License-Identifier: GPL-3.0-or-later
// Three full downloads (248 requests each) from the simulated processor in its own process, paced as
// a 19200-baud 8N1 wire, answering at once. Prints the medians of
//   wall / wire: the download's wall time over the wire time of the bytes it exchanged (goal <= 1.02);
//   cpu / wall:  the CPU time of the link threads over the wall time (goal <= 0.05);
// and, measured in the same run, what the pseudo-terminal's own round trips add to the wire time
// over a download: the part of wall / wire that is this machine's, not the console's.
// The link threads' CPU is the process's CPU less this (main) thread's: the simulator runs elsewhere.
#include "bench/support/PtyRoundTrip.h"
#include "bench/support/SimProcess.h"
#include "link/LinkState.h"
#include "link/ParamMap.h"
#include "link/Serial.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <signal.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

double Seconds(clockid_t clock) {
    timespec ts;
    clock_gettime(clock, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

double ProcessCpu() {
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
           usage.ru_stime.tv_usec / 1e6;
}

// One download from the first ping's answer to the last entry; false when it did not complete.
bool OneDownload(double* ratio, double* cpuShare, double* wireSeconds) {
    LinkResetForTest();
    CreateSenderThread();
    ConnectState = ConnectStarted;
    while (!(ConnectState & ConnectDownloading)) {
        ConnectStep();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        if (ScanPortIndex >= 6) {
            std::fprintf(stderr, "no simulated processor answered\n");
            return false;
        }
    }
    uint64_t bytesBefore = SerialBytesWritten + SerialBytesRead;
    double wall0 = Seconds(CLOCK_MONOTONIC);
    double cpu0 = ProcessCpu();
    double main0 = Seconds(CLOCK_THREAD_CPUTIME_ID);
    while (DownloadIndex < ParamMapCount && !DownloadAbort)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    double wall = Seconds(CLOCK_MONOTONIC) - wall0;
    double linkCpu = (ProcessCpu() - cpu0) - (Seconds(CLOCK_THREAD_CPUTIME_ID) - main0);
    uint64_t bytes = SerialBytesWritten + SerialBytesRead - bytesBefore;
    bool complete = DownloadIndex == ParamMapCount;
    double wire = bytes * 10.0 / 19200.0;
    std::printf("download %s: %u entries, %llu bytes, wire %.3f s, wall %.3f s, wall / wire %.3f, "
                "link cpu %.4f s\n",
                complete ? "complete" : "INCOMPLETE", DownloadIndex.load(),
                static_cast<unsigned long long>(bytes), wire, wall, wall / wire, linkCpu);
    *ratio = wall / wire;
    *wireSeconds = wire;
    *cpuShare = linkCpu / wall;
    return complete;
}

} // namespace

int main() {
    SimProcess sim;
    if (!sim.Start(SIM_PROGRAM)) {
        std::fprintf(stderr, "the simulated processor did not start\n");
        return 1;
    }
    BuildParamMap(ParamTargets{});

    std::vector<double> ratios, cpu;
    double wire = 0;
    bool ok = true;
    for (int run = 0; run < 3 && ok; ++run) {
        double ratio = 0, share = 0;
        ok = OneDownload(&ratio, &share, &wire);
        ratios.push_back(ratio);
        cpu.push_back(share);
    }
    LinkShutdown();
    sim.Stop();
    if (!ok) return 1;

    std::sort(ratios.begin(), ratios.end());
    std::sort(cpu.begin(), cpu.end());
    double trip = PtyRoundTripSeconds();
    double floor = 1 + trip * ParamMapCount / wire;
    std::printf("wall / wire = %.3f, the median of three (goal <= 1.02)\n", ratios[1]);
    std::printf("cpu / wall  = %.4f, the median of three (goal <= 0.05)\n", cpu[1]);
    std::printf("the pseudo-terminal alone: %.0f us a round trip, %.3f x the wire over a download\n",
                trip * 1e6, floor);
    return 0;
}
