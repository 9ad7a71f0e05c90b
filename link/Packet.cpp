// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/Packet.h"

#include "common/Trace.h"
#include "link/ParamCodes.h"

#include <cstdio>
#include <cstring>

uint16_t PacketChecksum(const uint8_t* bytes, int wordCount) {
    uint16_t sum = 0;
    for (int i = 0; i < wordCount; ++i)
        sum ^= static_cast<uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return sum & 0xFEFE;
}

int BuildShortRequest(uint8_t* frame, uint32_t code, uint32_t value, uint8_t type) {
    frame[0] = 0xFF;
    frame[1] = 0xFF;
    frame[2] = 8;
    frame[3] = type;
    frame[4] = code & 0xFF;
    frame[5] = (code >> 8) & 0xFF;
    frame[6] = value & 0xFF;
    frame[7] = (value >> 8) & 0xFF;
    uint16_t sum = PacketChecksum(frame, 4);
    frame[8] = sum & 0xFF;
    frame[9] = sum >> 8;
    return 10;
}

int BuildLongRequest(uint8_t* frame, uint32_t code, const uint8_t* payload, int payloadBytes) {
    frame[0] = 0xFF;
    frame[1] = 0xFF;
    frame[2] = static_cast<uint8_t>(6 + payloadBytes);
    frame[3] = 2;
    frame[4] = code & 0xFF;
    frame[5] = (code >> 8) & 0xFF;
    std::memcpy(frame + 6, payload, payloadBytes);
    uint16_t sum = PacketChecksum(frame, (6 + payloadBytes) / 2);
    frame[6 + payloadBytes] = sum & 0xFF;
    frame[7 + payloadBytes] = sum >> 8;
    return 8 + payloadBytes;
}

int PayloadBytesFor(uint32_t code) {
    switch (code) {
    case Code::NewSystemPassword:
        return 6;
    case Code::NewKeypadPassword:
        return 4;
    case Code::DeviceModeName:
        return 10;
    default:
        return 0;
    }
}

uint32_t ReplyTimeoutMs(uint32_t code) {
    if (PayloadBytesFor(code)) return 2000;
    if (code == Code::DeviceMode) return 1200;
    if (code == Code::UploadBracket) return 6000;
    return 120;
}

int BuildLinkRequest(uint8_t* frame, uint32_t code, uint32_t value, const uint8_t* payload) {
    if (int n = PayloadBytesFor(code)) return BuildLongRequest(frame, code, payload, n);
    if (code == (Code::ControlMode | ReadCurrentBit))
        return BuildShortRequest(frame, Code::ControlMode, value, 0);
    // Reads of the unit's own words go as type 0.
    if (code == 2 || code == Code::SystemPassword || code == Code::KeypadPassword)
        return BuildShortRequest(frame, code, value, 0);
    if (code == Code::DeviceMode) {
        // The high byte says recall (2) or store (4); it is the type and also goes in byte 7.
        uint8_t high = (value >> 8) & 0xFF;
        return BuildShortRequest(frame, code, (value & 0xFF) | high << 8, high);
    }
    return BuildShortRequest(frame, code, value, 2);
}

void FrameAssembler::Reset() {
    std::memset(buffer_, 0, sizeof buffer_);
    fill_ = 0;
    pendingFF_ = false;
    complete_ = false;
}

bool FrameAssembler::Store(uint8_t b) {
    buffer_[fill_] = b;
    if (++fill_ == 30) fill_ = 0;
    uint8_t length = buffer_[2];
    if (length < 8 || fill_ != length + 2) return false;
    if (!anyType_ && buffer_[3] != 1 && buffer_[3] != 3) return false;
    complete_ = true;
    return true;
}

bool FrameAssembler::Feed(uint8_t b) {
    if (complete_) {
        // The last packet has been taken; what follows is a new stream.
        std::memset(buffer_, 0, sizeof buffer_);
        fill_ = 0;
        complete_ = false;
    }
    if (pendingFF_) {
        pendingFF_ = false;
        if (b == 0xFF) {
            // The held 0xFF is followed by another: it opens a packet. This byte may open one too.
            std::memset(buffer_, 0, sizeof buffer_);
            fill_ = 0;
            Store(0xFF);
            pendingFF_ = true;
            return false;
        }
        if (Store(0xFF)) {
            // The packet ended on the held byte; this one belongs to the dropped rest.
            return true;
        }
    }
    if (b == 0xFF) {
        pendingFF_ = true;
        return false;
    }
    return Store(b);
}

bool PacketMatches(const uint8_t* request, int requestBytes, const uint8_t* packet, int packetBytes) {
    if (packetBytes < 10 || packetBytes > MaxPacketBytes || requestBytes < 10) return false;
    return packet[4] == request[4] && packet[5] == request[5] &&
           packet[packetBytes - 2] == request[requestBytes - 2] &&
           packet[packetBytes - 1] == request[requestBytes - 1];
}

void TraceSent(const uint8_t* frame, int count, uint32_t msSincePrevious) {
    Trace(12, "\n<< SendData: ");
    for (int i = 0; i < count; ++i) {
        int colour = i < 2 ? 12 : i < 4 ? 13 : i < 6 ? 10 : i < 8 ? 15 : 12;
        Trace(colour, "%02X ", frame[i]);
    }
    Trace(7, " ( len:%-3d  dat:%-3d  time:%u\n", count, count > 6 ? frame[6] : 0, msSincePrevious);
}

void TraceReceived(const uint8_t* bytes, int count) {
    Trace(7, ">> ReadData: %d     ", count);
    char line[3 * 1024 + 2];
    int n = 0;
    for (int i = 0; i < count && i < 1024; ++i)
        n += std::snprintf(line + n, sizeof line - n, "%02X ", bytes[i]);
    Trace(7, "%s\n", line);
}

void TracePacket(const uint8_t* packet, int count, uint32_t ms) {
    Trace(14, ">> ReadPack: ");
    char line[3 * 32 + 1];
    int n = 0;
    for (int i = 0; i < count && i < 32; ++i)
        n += std::snprintf(line + n, sizeof line - n, "%02X ", packet[i]);
    Trace(7, "%s ( len:%-3d  time: %-3u\n", line, count, ms);
}
