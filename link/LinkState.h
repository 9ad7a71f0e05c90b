// SPDX-License-Identifier: GPL-3.0-or-later
// The device link's state words, LinkSend, the connection state machine and the link threads.
//
// Threads: the window thread (LinkSend, ConnectStep, LinkApplyPending), the SenderThread (for the whole
// run; created gated shut, the first scan step opens the gate), one DownloadThread per connection and
// one UploadThread per PC-mode load. Words shared between them are atomic 32-bit words. The link
// threads never touch panel memory: the download fills a mirror the link owns, and the window thread
// copies it into the ParamMap targets in LinkApplyPending, which it calls once per frame.
#pragma once

#include "link/ParamMap.h"

#include <atomic>
#include <cstdint>
#include <vector>

// 1 while the connecting panel is drawn: the main loop keeps its full pace then.
extern std::atomic<uint32_t> ConnectPanelActive;

extern std::atomic<uint32_t> RequestCodes[2]; // NoPair = no request
extern std::atomic<uint32_t> RequestValues[2];
extern std::atomic<uint32_t> RequestIndex;   // which of the pair is being sent
extern std::atomic<uint32_t> RequestChanged; // the pair was replaced while it was being sent
extern std::atomic<uint32_t> LinkIdle;       // the sender has nothing to do
extern std::atomic<uint32_t> LinkLost;       // there is no usable connection
extern std::atomic<uint32_t> LinkBroken;     // the sender gave up on a request
// What became of the pair handed over last (one of RequestOutcomes). A flow step reads it after its own
// bounded wait, so that it judges its own request, never a flag an earlier one left.
extern std::atomic<uint32_t> RequestOutcome;
enum RequestOutcomes : uint32_t {
    RequestPending = 0,  // handed over, the sender is at it
    RequestAnswered = 1, // every request of the pair was answered
    RequestGaveUp = 2,   // the sender gave up after seven sends, or the port was opened anew under it
    RequestRefused = 3,  // LinkSend took nothing: the link is lost, or no download has been made
};
extern std::atomic<uint32_t> ReplyReceived; // a reply was accepted since the scan began
extern std::atomic<uint32_t> DownloadIndex; // ParamMap entries done
extern std::atomic<uint32_t> DownloadAbort;
extern std::atomic<uint32_t> UploadIndex;
extern std::atomic<uint32_t> UploadCount;
extern std::atomic<uint32_t> UploadAbort;
extern std::atomic<uint32_t> ConnectState;
// 0-5 = "COM1"-"COM6" being scanned, then one of these.
constexpr int32_t ScanPortCount = 6;
constexpr int32_t ScanExhausted = 6;   // every port tried, none answered
constexpr int32_t ScanStopped = 64;    // a typed port, a download or an upload gave up; or an upload runs
constexpr int32_t ScanAfterLoss = 100; // the panel opened from the tab bar's lamp after a loss
extern std::atomic<int32_t> ScanPortIndex;
extern std::atomic<int32_t> ScanAttempts;
extern std::atomic<uint32_t> ScanTimer;
// Why the connecting panel shows its failure: what the scan (or the typed port) found at the port that
// tells the most, or how far a transfer got before it stopped. Window thread only.
enum class ConnectFailureKind : uint32_t {
    None,
    NoSuchPort,       // no port to open (a scan that found none names no port)
    OpenError,        // the port would not open for another reason (detail: the system's words)
    NoAnswer,         // the port opened; the processor did not answer
    PortInUse,        // another program holds the port
    PermissionDenied, // the user may not open it (group: the group to join)
    DownloadPartWay,  // the download stopped at `done` of `total`
    UploadPartWay,    // a PC mode reached the processor only in part: `done` of `total`
    LinkLost,         // the processor on `port` answered, then stopped answering
};
struct ConnectFailureInfo {
    ConnectFailureKind kind = ConnectFailureKind::None;
    char port[64] = {};
    char group[32] = {};
    char detail[96] = {};
    int holder = 0; // PortInUse by another program's lock file: its process id
    uint32_t done = 0, total = 0;
};
const ConnectFailureInfo& ConnectFailure();

// The last reply the sender accepted (passwords, control mode and status bytes are read from it).
extern std::atomic<uint8_t> LastReply[32];

enum ConnectStateBits : uint32_t {
    ConnectStarted = 0x001,
    ConnectDownloading = 0x002,
    ConnectDownloaded = 0x004,
    ConnectClosing = 0x080,
    ConnectManualPort = 0x100,
    ConnectUploading = 0x1000,
};

extern const char* const PortTable[8];

// The code and value of an absent second pair (and of no request at all).
constexpr uint32_t NoPair = 0xFFFFFFFF;

// The one way a panel sends a change: NoPair for an absent second pair; band parameters pass
// band << 8 | value. Never blocks; a caller that needs the answer waits for LinkIdle.
void LinkSend(uint32_t code0, uint32_t value0, uint32_t code1 = NoPair, uint32_t value1 = NoPair);
// A list of changes sent one after the other, each as LinkSend's would be (a later call's go after
// these); for what takes more than a pair (undo, a comparison). False, sending nothing, when LinkSend
// would refuse or no download has completed on the open port.
bool LinkSendChanges(const std::vector<LinkChange>& changes);
// How many of the changes queued are not answered yet (0: all went out, or the link gave up on one).
extern std::atomic<uint32_t> ChangesLeft;
// When the last of them was answered (or given up), set before ChangesLeft reaches 0.
extern std::atomic<uint32_t> ChangesEndTick;
// Codes 5, 7 and 33 carry 6, 4 or 10 payload bytes; the link copies them.
void LinkSendPayload(uint32_t code, const uint8_t* payload);

// One step of the connection state machine; the connecting panel runs it on every frame.
void ConnectStep();

// The moves the panels make on the connection (window thread); the connecting panel then runs them.
void LinkScanAgain();                        // "Scan again": every port from COM1, after the usual wait
void LinkConnectTo(const char* port);        // "Connect": the typed port only
void LinkReopenAfterLoss();                  // the tab bar's lamp after a loss: the panel shows the loss
void LinkDownloadAgain();                    // every parameter read again on the open port (no scan)
void LinkBeginUpload(const uint8_t* record); // a PC mode's upload on the open port
// The port "Connect" opens (the connecting panel's text box); "COM1" at start.
void SetManualPortName(const char* name);

// The sender thread: created with its gate shut, opened by the first scan step.
void CreateSenderThread();
void ResumeSenderThread();
// Starts the upload of one 256-byte PC mode record (the link keeps its own copy).
void StartUpload(const uint8_t* slot);

// Carries out on the window thread what the link threads posted: a finished download's values go
// into the ParamMap targets (then the DownloadApplied hook runs: the panels re-read their controls and
// the language is set again); a download that gave up leaves the values read so far and refreshes
// nothing; a finished upload sets the tab bar's Effect level from "Effect Start", runs the
// UploadFinished hook and sends the level.
// Returns whether it carried out anything (values may have reached any panel).
bool LinkApplyPending();
// Whether the link threads posted something LinkApplyPending has not carried out yet.
bool LinkHasPosts();

enum LinkHookKind { HookDownloadApplied, HookUploadFinished, HookCloseConnectPanel, LinkHookCount };
// The application's part of those steps (window thread). HookCloseConnectPanel starts the connecting
// panel's closing.
void LinkSetHook(LinkHookKind kind, void (*hook)());

// Stops and joins every link thread and closes the port (program exit, test fixtures).
void LinkShutdown();
// Every link word back to its initial value, hooks cleared (tests; after LinkShutdown).
void LinkResetForTest();
