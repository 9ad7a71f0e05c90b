// SPDX-License-Identifier: GPL-3.0-or-later
#include "modes/ModeLink.h"

#include "common/Tick.h"
#include "link/LinkState.h"
#include "link/LinkWait.h"
#include "link/ParamMap.h"
#include "link/Serial.h"

#include <chrono>
#include <thread>

namespace {

// A transfer whose progress has not moved for this long has failed in a way the link does not report
// (a request takes 7 tries of at most 2000 ms before the link gives up on it by itself).
constexpr uint32_t StallMs = 20000;

void Pause2ms() {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

// The link words bound to the link's own value words (no panels), the sender started, and the typed
// port pinged: as "Connect" on the connecting panel with `port` in its box. Returns false with the
// reason when nothing answered.
bool Ping(const char* port, LinkOutcome* outcome) {
    BuildParamMap(ParamTargets{});
    CreateSenderThread();
    SetManualPortName(port);
    ConnectState = ConnectStarted | ConnectManualPort;
    // The step after the answer would start the download: the caller takes over from here.
    while (!ReplyReceived && ScanPortIndex != ScanStopped) {
        ConnectStep();
        Pause2ms();
    }
    if (ReplyReceived) return true;
    const std::string& problem = SerialOpenProblem();
    outcome->message = problem.empty() ? "no processor answered on " + std::string(port)
                                       : "the port could not be opened: " + problem;
    return false;
}

// Steps the connection until `done`, reporting progress; false when `failed` or when the transfer
// stopped moving.
template <typename Done, typename Failed>
bool Run(Done done, Failed failed, const std::atomic<uint32_t>& index, uint32_t total,
         const LinkProgress& progress) {
    uint32_t lastMove = TickNow(), lastReport = 0, seen = 0xFFFFFFFF;
    while (!done()) {
        if (failed()) return false;
        ConnectStep();
        uint32_t now = TickNow();
        if (index != seen) {
            seen = index;
            lastMove = now;
        } else if (TickSince(lastMove) > StallMs) {
            return false;
        }
        if (progress && now - lastReport >= 50) {
            lastReport = now;
            progress(seen, total);
        }
        Pause2ms();
    }
    if (progress) progress(total, total);
    return true;
}

} // namespace

LinkOutcome PingPort(const char* port) {
    LinkOutcome outcome;
    outcome.ok = Ping(port, &outcome);
    LinkShutdown();
    return outcome;
}

LinkOutcome PullMode(const char* port, int slot, const LinkProgress& progress) {
    LinkOutcome outcome;
    outcome.total = ParamMapEntries;
    if (slot < 0 || slot >= ModeSlotCount) {
        outcome.message = "no such PC mode";
        return outcome;
    }
    if (Ping(port, &outcome)) {
        bool finished =
            Run([] { return (ConnectState & ConnectDownloaded) != 0; },
                [] { return ScanPortIndex == ScanStopped; }, DownloadIndex, ParamMapCount, progress);
        outcome.done = DownloadIndex;
        if (finished) {
            // The finished download put every value into the link's words; the record takes them.
            RecordFromFields(ModeBuffer + slot * ModeRecordBytes);
            outcome.ok = true;
        } else {
            outcome.message = "the processor stopped answering after " + std::to_string(outcome.done) +
                              " of " + std::to_string(outcome.total) + " parameters; nothing was stored";
        }
    }
    LinkShutdown();
    return outcome;
}

LinkOutcome PushMode(const char* port, int slot, const LinkProgress& progress) {
    LinkOutcome outcome;
    if (slot < 0 || slot >= ModeSlotCount) {
        outcome.message = "no such PC mode";
        return outcome;
    }
    uint8_t record[ModeRecordBytes];
    ClampedModeRecord(slot, record);
    if (Ping(port, &outcome)) {
        // As a PC mode load: the values go into the words first, so that the upload's closing step
        // sets the Effect level from this mode's "Effect Start".
        FieldsFromRecord(record);
        StartUpload(record);
        outcome.total = UploadCount;
        ConnectState = ConnectStarted | ConnectUploading;
        ScanPortIndex = ScanStopped;
        bool finished = Run([] { return !(ConnectState & ConnectUploading) && !UploadAbort; },
                            [] { return UploadAbort != 0; }, UploadIndex, outcome.total, progress);
        outcome.done = UploadIndex;
        if (finished) {
            LinkApplyPending();
            if (LinkWaitIdle(LinkWaitBoundFor(17)) == 0 && !LinkBroken) {
                outcome.ok = true;
            } else {
                outcome.message = "the mode was written, but the processor did not answer the Effect level";
            }
        } else {
            outcome.message = "the processor stopped answering after " + std::to_string(outcome.done) +
                              " of " + std::to_string(outcome.total) +
                              " writes; it now holds part of this mode and part of what it had";
        }
    }
    LinkShutdown();
    return outcome;
}
