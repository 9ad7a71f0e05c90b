// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/LinkState.h"

#include "common/Tick.h"
#include "link/LinkInternal.h"
#include "link/Packet.h"
#include "link/ParamCodes.h"
#include "link/Serial.h"

#include <cassert>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

std::atomic<uint32_t> ConnectPanelActive{1};

std::atomic<uint32_t> RequestCodes[2];
std::atomic<uint32_t> RequestValues[2];
std::atomic<uint32_t> RequestIndex{0};
std::atomic<uint32_t> RequestChanged{0};
std::atomic<uint32_t> LinkIdle{1};
std::atomic<uint32_t> LinkLost{1};
std::atomic<uint32_t> LinkBroken{0};
std::atomic<uint32_t> RequestOutcome{RequestAnswered};
std::atomic<uint32_t> ReplyReceived{0};
std::atomic<uint32_t> DownloadIndex{0};
std::atomic<uint32_t> DownloadAbort{0};
std::atomic<uint32_t> UploadIndex{0};
std::atomic<uint32_t> UploadCount{0};
std::atomic<uint32_t> UploadAbort{0};
std::atomic<uint32_t> ChangesLeft{0};
std::atomic<uint32_t> ChangesEndTick{0};
std::atomic<uint32_t> ConnectState{0};
std::atomic<int32_t> ScanPortIndex{0};
std::atomic<int32_t> ScanAttempts{0};
std::atomic<uint32_t> ScanTimer{0};
std::atomic<uint8_t> LastReply[32];

const char* const PortTable[8] = {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"};

namespace link_detail {
std::mutex Handover;
uint8_t RequestPayload[2][10];
uint32_t Mirror[ParamMapCapacity];
uint8_t MirrorFilled[ParamMapCapacity];
char NameMirror[20][12];
uint8_t NameFilled[20];
std::atomic<uint32_t> Pending{0};
std::atomic<bool> Stopping{false};
} // namespace link_detail

using namespace link_detail;

namespace {

void (*g_hooks[LinkHookCount])() = {};
char g_manualPort[64] = "COM1";
// Set when the scan's own first step (after its 1000 ms wait) marks the state Started: the next
// scanning step is a fresh scan and forgets earlier replies. A re-download request of the System
// panel sets Started itself, with ReplyReceived already 1, and must go straight to the download.
bool g_freshScan = false;

void RunHook(LinkHookKind kind) {
    if (g_hooks[kind]) g_hooks[kind]();
}

bool Accepting() {
    if (DownloadIndex != ParamMapCount && !ConnectPanelActive) return false;
    if (LinkLost && !ConnectPanelActive) return false;
    return true;
}

// Stores one request of the pair; `payload` for the long-form codes. Under Handover.
bool StoreRequest(int index, uint32_t code, uint32_t value, const uint8_t* payload) {
    bool changed = RequestCodes[index] != code || RequestValues[index] != value;
    if (payload) {
        int n = PayloadBytesFor(code);
        changed = changed || std::memcmp(RequestPayload[index], payload, n) != 0;
        std::memcpy(RequestPayload[index], payload, n);
    }
    RequestCodes[index] = code;
    RequestValues[index] = value;
    return changed;
}

// Gives the sender a new pair (the first request may carry a payload) and wakes it.
void HandOver(uint32_t code0, uint32_t value0, const uint8_t* payload0, uint32_t code1, uint32_t value1) {
    {
        std::lock_guard<std::mutex> hold(Handover);
        bool busy = !LinkIdle;
        LinkIdle = 0;
        bool changed = StoreRequest(0, code0, value0, payload0);
        changed = StoreRequest(1, code1, value1, nullptr) || changed;
        // The pair being sent, handed over again, goes on as it is: it goes out once. A new pair (or
        // any pair to an idle sender) is sent from its first request.
        if (changed || !busy) {
            RequestChanged = 1;
            RequestIndex = 0;
        }
        RequestOutcome = RequestPending;
    }
    WakeSender();
}

void Pause10ms() {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

} // namespace

void LinkSetHook(LinkHookKind kind, void (*hook)()) {
    if (kind >= 0 && kind < LinkHookCount) g_hooks[kind] = hook;
}

void SetManualPortName(const char* name) {
    std::snprintf(g_manualPort, sizeof g_manualPort, "%s", name ? name : "");
}

void LinkSend(uint32_t code0, uint32_t value0, uint32_t code1, uint32_t value1) {
    if (!Accepting()) {
        RequestOutcome = RequestRefused;
        LinkIdle = 1;
        return;
    }
    if (LinkTapOn()) {
        RequestOutcome = RequestAnswered;
        if (code0 != NoPair) LinkTapRecord(code0, value0, nullptr, 0);
        if (code1 != NoPair) LinkTapRecord(code1, value1, nullptr, 0);
        return;
    }
    HandOver(code0, value0, nullptr, code1, value1);
}

bool LinkSendChanges(const std::vector<LinkChange>& changes) {
    if (!Accepting()) return false;
    // Only to a processor whose parameters were read: never to a port the scan is trying.
    if (!LinkTapOn() && (DownloadIndex != ParamMapCount || LinkLost)) return false;
    if (LinkTapOn()) {
        for (const LinkChange& c : changes)
            LinkTapRecord(c.code, c.value, nullptr, 0);
        ChangesEndTick = TickNow();
        return true;
    }
    QueueChanges(changes);
    return true;
}

void LinkSendPayload(uint32_t code, const uint8_t* payload) {
    // Only three requests carry bytes, and the panels name them: anything else is a mistake in the
    // calling code (refused all the same where asserts are off).
    assert(payload && PayloadBytesFor(code) != 0 &&
           "LinkSendPayload takes codes 5, 7 and 33 with their bytes");
    if (!payload || PayloadBytesFor(code) == 0) {
        RequestOutcome = RequestRefused;
        return;
    }
    if (!Accepting()) {
        RequestOutcome = RequestRefused;
        LinkIdle = 1;
        return;
    }
    if (LinkTapOn()) {
        RequestOutcome = RequestAnswered;
        LinkTapRecord(code, 0, payload, PayloadBytesFor(code));
        return;
    }
    HandOver(code, 0, payload, NoPair, NoPair);
}

namespace {

ConnectFailureInfo g_failure;
// The port the scan opened last, and the one whose processor answered (the link's port since).
char g_openedPort[64];
char g_answeredPort[64];

// How much a finding tells the user: a port they may not open or that another program holds says
// more than one that stayed silent, and that more than a port that is not there.
int Weight(ConnectFailureKind kind) {
    switch (kind) {
    case ConnectFailureKind::PermissionDenied:
        return 5;
    case ConnectFailureKind::PortInUse:
        return 4;
    case ConnectFailureKind::NoAnswer:
        return 3;
    case ConnectFailureKind::OpenError:
        return 2;
    case ConnectFailureKind::NoSuchPort:
        return 1;
    default:
        return 0;
    }
}

// What opening `port` found (`opened`: it opened, so only silence can follow), kept when it tells more
// than what the scan found so far.
void NoteOpen(const char* port, bool opened) {
    std::snprintf(g_openedPort, sizeof g_openedPort, "%s", port ? port : "");
    ConnectFailureInfo found;
    if (opened) {
        found.kind = ConnectFailureKind::NoAnswer;
    } else {
        switch (SerialOpenProblemKind()) {
        case PortProblem::NoSuchPort:
            found.kind = ConnectFailureKind::NoSuchPort;
            break;
        case PortProblem::PermissionDenied:
            found.kind = ConnectFailureKind::PermissionDenied;
            break;
        case PortProblem::InUse:
            found.kind = ConnectFailureKind::PortInUse;
            break;
        default:
            found.kind = ConnectFailureKind::OpenError;
            break;
        }
    }
    if (Weight(found.kind) <= Weight(g_failure.kind)) return;
    std::snprintf(found.port, sizeof found.port, "%s", port ? port : "");
    std::snprintf(found.group, sizeof found.group, "%s", SerialOpenGroup().c_str());
    found.holder = SerialOpenHolder();
    // The system's words, after the port's path: "'COM3' (/dev/ttyS2: Input/output error)".
    const std::string& problem = SerialOpenProblem();
    size_t colon = problem.find(": ");
    std::string words = colon == std::string::npos ? problem : problem.substr(colon + 2);
    size_t end = words.find(')');
    if (end != std::string::npos) words.resize(end);
    std::snprintf(found.detail, sizeof found.detail, "%s", words.c_str());
    g_failure = found;
}

// A loss is said with the port it happened on, not with what the scan before it found; a transfer that
// stopped part way already says more.
void NoteLinkLost() {
    if (g_failure.kind == ConnectFailureKind::DownloadPartWay ||
        g_failure.kind == ConnectFailureKind::UploadPartWay)
        return;
    g_failure = ConnectFailureInfo{};
    g_failure.kind = ConnectFailureKind::LinkLost;
    std::snprintf(g_failure.port, sizeof g_failure.port, "%s", g_answeredPort);
}

void NoteTransferStopped(ConnectFailureKind kind, uint32_t done, uint32_t total) {
    g_failure = ConnectFailureInfo{};
    g_failure.kind = kind;
    g_failure.done = done;
    g_failure.total = total;
}

} // namespace

const ConnectFailureInfo& ConnectFailure() {
    return g_failure;
}

// The connection state machine, one step per frame of the connecting panel:
//
//   state                          | step                                | moves to
//   -------------------------------+-------------------------------------+-------------------------------
//   waiting (Started clear)        | 1000 ms after the first step        | scanning (Started)
//   scanning (ScanPortIndex < 6)   | two pings 501 ms apart per port     | downloading on a reply;
//                                  | (a typed port: one LinkSend)        | failed at ScanExhausted, or
//                                  |                                     | ScanStopped for a typed port
//                                  |                                     | the sender gave up on
//   downloading                    | waits for DownloadIndex             | downloaded (LinkLost cleared),
//                                  |                                     | failed (ScanStopped) on
//                                  |                                     | DownloadAbort
//   downloaded                     | 1000 ms, then closes the panel      | (Closing)
//   uploading                      | waits for UploadIndex == UploadCount| Downloading, panel closing;
//                                  |                                     | failed (ScanStopped) on
//                                  |                                     | UploadAbort
//   failed                         | nothing: "Connect" / "Scan again"   | waiting (the word reset)
//
// One function a row; ConnectStep picks the row.
namespace {

void StepWaiting() {
    if (ScanTimer == 0) ScanTimer = TickNow();
    if (TickSince(ScanTimer) > 1000) {
        ConnectState |= ConnectStarted;
        ScanTimer = 0;
        DownloadIndex = 0;
        g_freshScan = true;
    }
}

void StepScanning(uint32_t state) {
    if (ScanPortIndex == 0 && ScanAttempts == 0) {
        if (g_freshScan) ReplyReceived = 0;
        g_freshScan = false;
        g_failure = ConnectFailureInfo{};
        ResumeSenderThread();
    }
    if (ReplyReceived) {
        std::snprintf(g_answeredPort, sizeof g_answeredPort, "%s", g_openedPort);
        DownloadAbort = 0;
        ScanTimer = 0;
        DownloadIndex = 0;
        ConnectState |= ConnectDownloading;
        StartDownloadThread();
        return;
    }
    if (state & ConnectManualPort) {
        if (ScanAttempts == 0) {
            PortOpen = SerialOpen(g_manualPort);
            NoteOpen(g_manualPort, PortOpen != 0);
            LinkBroken = 0;
            LinkSend(Code::Ping, 0);
            ++ScanAttempts;
        }
        if (LinkBroken) ScanPortIndex = ScanStopped;
        return;
    }
    if (ScanTimer != 0 && TickSince(ScanTimer) <= 500) return;
    ScanTimer = TickNow();
    if (ScanAttempts == 0) {
        PortOpen = SerialOpen(PortTable[ScanPortIndex]);
        NoteOpen(PortTable[ScanPortIndex], PortOpen != 0);
    }
    LinkSend(Code::Ping, 0);
    if (++ScanAttempts >= 2) {
        ScanAttempts = 0;
        ++ScanPortIndex;
    }
}

void StepDownloading() {
    if (DownloadIndex == ParamMapCount) {
        // The values arrive in the targets before anything treats the link as connected.
        LinkApplyPending();
        ConnectState = (ConnectState | ConnectDownloaded) & ~ConnectDownloading;
        ScanTimer = 0;
        LinkLost = 0;
    }
    Pause10ms();
    if (DownloadAbort) {
        ConnectState &= ~ConnectDownloading;
        ScanPortIndex = ScanStopped;
        NoteTransferStopped(ConnectFailureKind::DownloadPartWay, DownloadIndex, ParamMapCount);
    }
}

void StepDownloaded(uint32_t state) {
    if (state & ConnectClosing) return;
    if (ScanTimer == 0) ScanTimer = TickNow();
    if (TickSince(ScanTimer) > 1000) {
        ConnectState |= ConnectClosing;
        RunHook(HookCloseConnectPanel);
    }
}

void StepUploading() {
    Pause10ms();
    // An upload that gave up is a failed connection, not one still going: the panel offers
    // "Scan again" instead of a progress bar that never moves.
    if (UploadAbort) {
        ConnectState &= ~ConnectUploading;
        ScanPortIndex = ScanStopped;
        NoteTransferStopped(ConnectFailureKind::UploadPartWay, UploadIndex, UploadCount);
        return;
    }
    if (UploadIndex == UploadCount) {
        ConnectState = (ConnectState & ~ConnectUploading) | ConnectDownloading;
        RunHook(HookCloseConnectPanel);
    }
}

} // namespace

void ConnectStep() {
    ConnectPanelActive = 1;
    uint32_t state = ConnectState;
    if (!(state & ConnectStarted))
        StepWaiting();
    else if (!(state & (ConnectDownloading | ConnectDownloaded)) && ScanPortIndex < ScanPortCount)
        StepScanning(state);
    else if (state & ConnectDownloading)
        StepDownloading();
    else if (state & ConnectDownloaded)
        StepDownloaded(state);
    else if (state & ConnectUploading)
        StepUploading();
    // Otherwise the connection failed: the panel offers the typed port and "Scan again".
}

void LinkScanAgain() {
    ConnectState = 0;
    ScanPortIndex = 0;
    ScanAttempts = 0;
    ScanTimer = 0;
}

void LinkConnectTo(const char* port) {
    SetManualPortName(port);
    LinkScanAgain();
    ConnectState = ConnectManualPort;
}

void LinkReopenAfterLoss() {
    NoteLinkLost();
    ConnectState = ConnectStarted;
    ScanPortIndex = ScanAfterLoss;
}

void LinkDownloadAgain() {
    ConnectState = ConnectStarted;
    ReplyReceived = 1;
    ScanPortIndex = 0;
}

void LinkBeginUpload(const uint8_t* record) {
    StartUpload(record);
    ConnectState = ConnectStarted | ConnectUploading;
    ReplyReceived = 1;
    ScanPortIndex = ScanStopped;
}

bool LinkHasPosts() {
    return Pending.load() != 0;
}

bool LinkApplyPending() {
    uint32_t posted = Pending.exchange(0);
    if (posted & (PostDownloadDone | PostDownloadGaveUp)) {
        for (uint32_t i = 0; i < ParamMapCount; ++i) {
            const ParamMapEntry& e = ParamMap[i];
            if (!e.target) continue;
            if (e.code == Code::ModeName) {
                int mode = e.flags & 0xFF;
                if (mode < 20 && NameFilled[mode]) std::memcpy(e.target, NameMirror[mode], 12);
            } else if (e.mirror >= 0 && MirrorFilled[e.mirror]) {
                *static_cast<uint32_t*>(e.target) = Mirror[e.mirror];
            }
        }
        if (posted & PostDownloadDone) RunHook(HookDownloadApplied);
    }
    if (posted & PostUploadDone) {
        // Entries 220 ("Effect Start") and 221 (the tab bar's "Effect" level).
        uint32_t level = 0;
        if (ParamMapCount > 221 && ParamMap[220].target && ParamMap[221].target) {
            level = *static_cast<uint32_t*>(ParamMap[220].target);
            *static_cast<uint32_t*>(ParamMap[221].target) = level;
        }
        RunHook(HookUploadFinished);
        LinkSend(Code::EffectLevel, level);
    }
    return posted != 0;
}

void LinkShutdown() {
    Stopping = true;
    SerialWake(true);
    JoinWorkers();
    SerialClose();
    PortOpen = 0;
}

void LinkResetForTest() {
    LinkShutdown();
    Stopping = false;
    SerialWake(false);
    for (int i = 0; i < 2; ++i) {
        RequestCodes[i] = 0;
        RequestValues[i] = 0;
    }
    RequestIndex = 0;
    RequestChanged = 0;
    LinkIdle = 1;
    LinkLost = 1;
    LinkBroken = 0;
    RequestOutcome = RequestAnswered;
    ReplyReceived = 0;
    DownloadIndex = 0;
    DownloadAbort = 0;
    UploadIndex = 0;
    UploadCount = 0;
    UploadAbort = 0;
    ConnectState = 0;
    ScanPortIndex = 0;
    ScanAttempts = 0;
    ScanTimer = 0;
    ConnectPanelActive = 1;
    for (auto& b : LastReply)
        b = 0;
    std::memset(RequestPayload, 0, sizeof RequestPayload);
    Pending = 0;
    for (auto& h : g_hooks)
        h = nullptr;
    std::snprintf(g_manualPort, sizeof g_manualPort, "COM1");
    g_freshScan = false;
    g_failure = ConnectFailureInfo{};
    g_openedPort[0] = g_answeredPort[0] = 0;
}
