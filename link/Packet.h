// SPDX-License-Identifier: GPL-3.0-or-later
// The frames exchanged with the processor: the checksum, the two request forms, the receive framing and
// the rule that matches a reply to its request.
//
// Request, short form (10 bytes): FF FF 08 type code-lo code-hi value-lo value-hi sum-lo sum-hi.
// Request, long form (codes 5, 7, 33): FF FF 6+N 02 code-lo 00 payload[N] sum-lo sum-hi.
// Reply: FF FF length type code-lo code-hi data... tag-lo tag-hi, length + 2 bytes in all, the tag
// being the checksum bytes of the request it answers.
#pragma once

#include <cstdint>

// Longest request we build (code 33: 6 + 10 payload + 2 checksum bytes).
constexpr int MaxRequestBytes = 18;
// Longest packet the receiver can complete: the fill count wraps at 30.
constexpr int MaxPacketBytes = 29;

// XOR of `wordCount` little-endian words, masked with 0xFEFE so that neither byte can be 0xFF and a
// checksum never looks like the sync pair.
uint16_t PacketChecksum(const uint8_t* bytes, int wordCount);

// Both return the frame length (10, or 8 + N).
int BuildShortRequest(uint8_t* frame, uint32_t code, uint32_t value, uint8_t type);
int BuildLongRequest(uint8_t* frame, uint32_t code, const uint8_t* payload, int payloadBytes);

// Payload size of a long-form code (6, 4, 10), or 0 for a short-form code.
int PayloadBytesFor(uint32_t code);
// Reply time-out of a request sent for `code`.
uint32_t ReplyTimeoutMs(uint32_t code);

// Bit 16 of a code asks for the current value of code 3 instead of setting it.
constexpr uint32_t ReadCurrentBit = 0x10000;

// Builds the request a LinkSend pair stands for: the type byte and form follow the code. `payload`
// is used for the long-form codes. Returns the frame length.
int BuildLinkRequest(uint8_t* frame, uint32_t code, uint32_t value, const uint8_t* payload);

// Cuts packets out of the received byte stream. A packet starts at a 0xFF 0xFF pair; it is complete
// when its fill count equals its length byte + 2 (length at least 8) and, unless `anyType`, its type
// byte is 1 or 3. The decision whether an 0xFF starts a packet waits for the byte after it, so the
// result does not depend on how the stream was cut into reads.
class FrameAssembler {
  public:
    explicit FrameAssembler(bool anyType = false) : anyType_(anyType) {}

    // Feeds one byte. Returns true when a packet is complete; it is then in packet() until the next
    // Feed.
    bool Feed(uint8_t b);
    void Reset();

    const uint8_t* packet() const { return buffer_; }
    // Length of the completed packet (length byte + 2).
    int packetBytes() const { return buffer_[2] + 2; }

  private:
    bool Store(uint8_t b);

    uint8_t buffer_[32] = {};
    int fill_ = 0;
    bool pendingFF_ = false;
    bool complete_ = false;
    bool anyType_;
};

// True when a complete packet answers the request: it echoes the request's code bytes and carries the
// request's checksum bytes as its last two bytes.
bool PacketMatches(const uint8_t* request, int requestBytes, const uint8_t* packet, int packetBytes);

// Trace of a written frame and of received bytes and packets.
void TraceSent(const uint8_t* frame, int count, uint32_t msSincePrevious);
void TraceReceived(const uint8_t* bytes, int count);
void TracePacket(const uint8_t* packet, int count, uint32_t ms);
