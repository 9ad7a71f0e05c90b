// What the window thread uses to wait for the link, and the send tap that panel tests read.
#pragma once

#include <cstdint>
#include <vector>

// The longest the sender can take for one pair: seven sends of its 120 ms time-out for each of the
// two requests, plus a margin for the thread's 10 ms polling.
constexpr uint32_t LinkWaitBoundMs = 2 * 7 * 120 + 200;

// Waits in 1 ms pauses until LinkIdle is set. 0 when it is, -1 when the bound ran out (the caller
// then sends nothing more and shows a failure). With the send tap on it returns at once.
int LinkWaitIdle(uint32_t boundMs = LinkWaitBoundMs);

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
