// SPDX-License-Identifier: GPL-3.0-or-later
// What LinkState.cpp and LinkThreads.cpp share and nobody else uses.
#pragma once

#include "link/ParamMap.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

namespace link_detail {

// Held by LinkSend while it replaces the pair and by the sender while it takes a request or decides
// to go idle, so that a pair handed over just as the sender finishes is never lost. Never held across
// a transfer.
extern std::mutex Handover;
// Payload bytes of codes 5, 7 and 33, one buffer per request of the pair (under Handover).
extern uint8_t RequestPayload[2][10];

// The download's mirror: one word per target, and which words a reply filled. Written by the download
// thread, read by the window thread only after the download posted its end.
extern uint32_t Mirror[ParamMapCapacity];
extern uint8_t MirrorFilled[ParamMapCapacity];
extern char NameMirror[20][12];
extern uint8_t NameFilled[20];

// Posted by the link threads, carried out by LinkApplyPending.
enum Posted : uint32_t { PostDownloadDone = 1, PostDownloadGaveUp = 2, PostUploadDone = 4 };
extern std::atomic<uint32_t> Pending;

extern std::atomic<bool> Stopping;

// Wakes the sender after LinkIdle was cleared for a request handed over.
void WakeSender();
void StartDownloadThread();
void JoinWorkers();
// Appends to the changes being sent, starting their thread when it is not running.
void QueueChanges(const std::vector<LinkChange>& changes);

} // namespace link_detail

// The send tap's recorder (link/LinkWait.cpp): true when the tap took the request.
bool LinkTapOn();
void LinkTapRecord(uint32_t code, uint32_t value, const uint8_t* payload, int payloadSize);
