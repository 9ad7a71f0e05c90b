// SPDX-License-Identifier: GPL-3.0-or-later
// One full download (248 requests) from the simulated processor in its own process, paced as a
// 19200-baud 8N1 wire, answering at once. Prints
//   wall / wire: the download's wall time over the wire time of the bytes it exchanged (goal <= 1.10);
//   cpu / wall:  the CPU time of the link threads over the wall time (goal <= 0.05).
// The link threads' CPU is the process's CPU less this (main) thread's: the simulator runs elsewhere.
#include "bench/support/SimProcess.h"
#include "link/LinkState.h"
#include "link/ParamMap.h"
#include "link/Serial.h"

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

} // namespace

int main() {
    SimProcess sim;
    if (!sim.Start(SIM_PROGRAM)) {
        std::fprintf(stderr, "the simulated processor did not start\n");
        return 1;
    }

    BuildParamMap(ParamTargets{});
    CreateSenderThread();
    ConnectState = ConnectStarted;
    while (!(ConnectState & ConnectDownloading)) {
        ConnectStep();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        if (ScanPortIndex >= 6) {
            std::fprintf(stderr, "no simulated processor answered\n");
            sim.Stop();
            return 1;
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

    LinkShutdown();
    sim.Stop();

    double wire = bytes * 10.0 / 19200.0;
    std::printf("download %s: %u entries, %llu bytes, wire %.3f s, wall %.3f s, link cpu %.4f s\n",
                complete ? "complete" : "INCOMPLETE", DownloadIndex.load(),
                static_cast<unsigned long long>(bytes), wire, wall, linkCpu);
    std::printf("wall / wire = %.3f (goal <= 1.10)\n", wall / wire);
    std::printf("cpu / wall  = %.4f (goal <= 0.05)\n", linkCpu / wall);
    return complete ? 0 : 1;
}
