// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/LinkWait.h"

#include "link/LinkInternal.h"
#include "link/LinkState.h"
#include "link/Packet.h"

#include <chrono>
#include <thread>

namespace {
bool g_tapOn = false;
std::vector<LinkTapRequest> g_tapRequests;
} // namespace

uint32_t LinkWaitBoundFor(uint32_t code0, uint32_t code1) {
    uint32_t bound = 200;
    for (uint32_t code : {code0, code1})
        if (code != NoPair) bound += 7 * ReplyTimeoutMs(code & 0xFFFF);
    return bound;
}

int LinkWaitIdle(uint32_t boundMs) {
    if (g_tapOn) return 0;
    auto start = std::chrono::steady_clock::now();
    while (!LinkIdle) {
        if (std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(boundMs))
            return LinkIdle ? 0 : -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return 0;
}

int LinkWaitAnswered(uint32_t boundMs) {
    if (LinkWaitIdle(boundMs) != 0) return -1;
    return RequestOutcome == RequestAnswered ? 0 : -1;
}

void LinkTapStart() {
    g_tapOn = true;
    g_tapRequests.clear();
    LinkLost = 0;
    LinkIdle = 1;
    DownloadIndex = ParamMapCount;
}

void LinkTapStop() {
    g_tapOn = false;
    g_tapRequests.clear();
}

bool LinkTapOn() {
    return g_tapOn;
}

const std::vector<LinkTapRequest>& LinkTapRequests() {
    return g_tapRequests;
}

void LinkTapClear() {
    g_tapRequests.clear();
}

std::vector<uint32_t> LinkTapCodes() {
    std::vector<uint32_t> codes;
    for (const LinkTapRequest& r : g_tapRequests)
        codes.push_back(r.code);
    return codes;
}

void LinkTapRecord(uint32_t code, uint32_t value, const uint8_t* payload, int payloadSize) {
    LinkTapRequest r{code, value, {}, payloadSize};
    for (int i = 0; i < payloadSize && i < 10; ++i)
        r.payload[i] = payload[i];
    g_tapRequests.push_back(r);
}
