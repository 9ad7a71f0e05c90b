// SPDX-License-Identifier: GPL-3.0-or-later
// What the window thread uses to wait for the link, and the send tap that panel tests read.
#pragma once

#include <cstdint>
#include <vector>

// The longest the sender can take for a pair: seven sends of each request's time-out, plus a margin
// for the thread's 10 ms polling and a hand-over. -1 for an absent second code.
uint32_t LinkWaitBoundFor(uint32_t code0, uint32_t code1 = 0xFFFFFFFF);
// The bound for a pair of ordinary (120 ms) requests.
constexpr uint32_t LinkWaitBoundMs = 2 * 7 * 120 + 200;

// Waits in 1 ms pauses until LinkIdle is set. 0 when it is, -1 when the bound ran out (the caller
// then sends nothing more and shows a failure): before the first scan, for one, the sender's gate is
// shut and LinkIdle would never come. The bound is real time, whatever the tick source says. With
// the send tap on it returns at once.
int LinkWaitIdle(uint32_t boundMs = LinkWaitBoundMs);
// LinkWaitIdle for the pair just handed over: 0 only when the processor answered all of it; -1 when
// the wait ran out, the sender gave up, or LinkSend refused the pair.
int LinkWaitAnswered(uint32_t boundMs);

// The send tap: while it is on, LinkSend and LinkSendPayload record every request they accept, in
// order, instead of handing it to the sender, and the link stays idle and connected. For tests of
// what a panel sends, without threads or a processor.
struct LinkTapRequest {
    uint32_t code;
    uint32_t value;      // band << 8 | value for band parameters; 0 for payload codes
    uint8_t payload[10]; // codes 5, 7 and 33
    int payloadSize;
};
void LinkTapStart();
void LinkTapStop();
bool LinkTapOn();
const std::vector<LinkTapRequest>& LinkTapRequests();
void LinkTapClear();
// Only the codes of the tap's requests, in order.
std::vector<uint32_t> LinkTapCodes();
