// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: arbitrary bytes through the receive framing and the matcher, as the link threads
// use them. AddressSanitizer catches any access outside a buffer.
#include "link/Packet.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    // The first bytes choose the request the packets are matched against.
    uint8_t request[MaxRequestBytes];
    uint32_t code = data[0] | data[1] << 8;
    uint8_t payload[10] = {};
    int requestBytes = BuildLinkRequest(request, code, data[2], payload);
    FrameAssembler strict;
    FrameAssembler any(true);
    uint8_t copy[32];
    for (size_t i = 3; i < size; ++i) {
        for (FrameAssembler* fa : {&strict, &any}) {
            if (!fa->Feed(data[i])) continue;
            int n = fa->packetBytes();
            if (n < 10 || n > MaxPacketBytes) std::abort();
            std::memcpy(copy, fa->packet(), 32);
            PacketMatches(request, requestBytes, copy, n);
        }
    }
    return 0;
}
