// SPDX-License-Identifier: GPL-3.0-or-later
// What an A/B switch (or an undo) puts on the wire and how long it takes, against the simulated
// processor in its own process paced as a 19200-baud line: a difference in the room EQ alone (every
// band's frequency, gain and Q) and a difference in every parameter of the setting. Prints the number
// of frames, the time from the first to the last answer, and that time over the frames' wire time.
#include "bench/support/SimProcess.h"
#include "link/LinkState.h"
#include "link/ModeFile.h"
#include "link/ParamMap.h"
#include "link/ParamTable.h"
#include "link/Serial.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

namespace {

bool Downloaded() {
    CreateSenderThread();
    ConnectState = ConnectStarted;
    auto start = std::chrono::steady_clock::now();
    while (!(ConnectState & ConnectDownloaded)) {
        ConnectStep();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        if (ScanPortIndex >= ScanExhausted ||
            std::chrono::steady_clock::now() - start > std::chrono::seconds(20))
            return false;
    }
    LinkApplyPending();
    ConnectPanelActive = 0;
    return true;
}

// Sends what takes the processor from `from` to `to` and reports it; false when it did not finish.
bool Switch(const char* what, const uint8_t* from, const uint8_t* to) {
    std::vector<LinkChange> changes = BuildChangeList(from, to);
    uint64_t bytes = SerialBytesWritten + SerialBytesRead;
    auto start = std::chrono::steady_clock::now();
    if (!LinkSendChanges(changes)) return false;
    while (ChangesLeft != 0)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    double wire = (SerialBytesWritten + SerialBytesRead - bytes) * 10.0 / 19200.0 * 1000.0;
    std::printf("%-28s %3zu frames  %7.1f ms  (wire %7.1f ms, %.3f x)\n", what, changes.size(), ms, wire,
                ms / wire);
    return !LinkLost;
}

} // namespace

int main() {
    SimProcess sim;
    if (!sim.Start(SIM_PROGRAM)) {
        std::fprintf(stderr, "the simulated processor did not start\n");
        return 1;
    }
    BuildParamMap(ParamTargets{});
    if (!Downloaded()) {
        std::fprintf(stderr, "no download from the simulated processor\n");
        sim.Stop();
        return 1;
    }
    uint8_t a[ModeRecordBytes] = {}, room[ModeRecordBytes], whole[ModeRecordBytes];
    RecordFromFields(a);
    std::memcpy(room, a, sizeof room);
    for (int offset = 170; offset < 230; ++offset)
        room[offset] = static_cast<uint8_t>((a[offset] + 1) % (ParamByteLimit(offset) + 1));
    std::memcpy(whole, a, sizeof whole);
    for (int offset = ModeRecordFirstField; offset < ModeRecordFirstField + ModeRecordFieldCount; ++offset)
        whole[offset] = static_cast<uint8_t>((a[offset] + 1) % (ParamByteLimit(offset) + 1));

    bool ok = Switch("room EQ only, A to B", a, room) && Switch("room EQ only, B to A", room, a) &&
              Switch("whole setting, A to B", a, whole) && Switch("whole setting, B to A", whole, a);
    LinkShutdown();
    sim.Stop();
    return ok ? 0 : 1;
}
