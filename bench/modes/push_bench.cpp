// SPDX-License-Identifier: GPL-3.0-or-later
// One `tonvex-modes push` of a whole PC mode to the simulated processor in its own process, paced as a
// 19200-baud 8N1 wire and answering at once. Prints wall / wire: the push's wall time (from opening
// the port to the processor's answer to the Effect level) over the wire time of the bytes it
// exchanged, three runs and their median (goal <= 1.02), and beside it what the pseudo-terminal's own
// round trips add to the wire time over a push, measured in the same run.
#include "bench/support/PtyRoundTrip.h"
#include "bench/support/SimProcess.h"
#include "link/LinkState.h"
#include "link/ModeFile.h"
#include "link/Serial.h"
#include "modes/ModeLink.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

int main() {
    SimProcess sim;
    if (!sim.Start(SIM_PROGRAM)) {
        std::fprintf(stderr, "the simulated processor did not start\n");
        return 1;
    }

    // A mode with every byte in range; the file is never written.
    LoadModeFile((sim.Dir() + "/mode.dat").c_str());
    for (int offset = 26; offset < ModeRecordBytes; ++offset)
        ModeBuffer[offset] = static_cast<uint8_t>((offset * 37) % (ModeByteLimit(offset) + 1));

    std::vector<double> ratios;
    double wire = 0;
    uint32_t writes = 0;
    bool ok = true;
    for (int run = 0; run < 3 && ok; ++run) {
        LinkResetForTest();
        uint64_t before = SerialBytesWritten + SerialBytesRead;
        auto start = std::chrono::steady_clock::now();
        LinkOutcome result = PushMode("COM1", 0, nullptr);
        double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        uint64_t bytes = SerialBytesWritten + SerialBytesRead - before;
        wire = bytes * 10.0 / 19200.0;
        writes = result.done;
        ok = result.ok;
        std::printf("push %s: %u writes, %llu bytes, wire %.3f s, wall %.3f s, wall / wire %.3f\n",
                    ok ? "complete" : result.message.c_str(), result.done,
                    static_cast<unsigned long long>(bytes), wire, wall, wall / wire);
        ratios.push_back(wall / wire);
    }
    sim.Stop();
    if (!ok) return 1;
    std::sort(ratios.begin(), ratios.end());
    std::printf("wall / wire = %.3f, the median of three (goal <= 1.02)\n", ratios[1]);
    double trip = PtyRoundTripSeconds();
    std::printf("the pseudo-terminal alone: %.0f us a round trip, %.3f x the wire over a push\n", trip * 1e6,
                1 + trip * writes / wire);
    return 0;
}
