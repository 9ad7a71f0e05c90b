// SPDX-License-Identifier: GPL-3.0-or-later
// Frames, framing and matching, checked against hand-computed bytes.
#include "link/Packet.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<std::vector<uint8_t>> Packets(FrameAssembler& fa, const std::vector<uint8_t>& stream,
                                          const std::vector<size_t>& cuts) {
    // Feeds the stream in pieces ending at each cut; every completed packet is collected.
    std::vector<std::vector<uint8_t>> out;
    size_t from = 0;
    std::vector<size_t> ends = cuts;
    ends.push_back(stream.size());
    for (size_t end : ends) {
        for (size_t i = from; i < end; ++i)
            if (fa.Feed(stream[i])) out.emplace_back(fa.packet(), fa.packet() + fa.packetBytes());
        from = end;
    }
    return out;
}

} // namespace

TEST(Frames, ChecksumAndRequestBytes) {
    // (0xFFFF ^ 0x0208 ^ 0x0011 ^ 0x0005) & 0xFEFE = 0xFCE2, low byte first.
    uint8_t frame[MaxRequestBytes];
    ASSERT_EQ(BuildShortRequest(frame, 17, 5, 2), 10);
    const uint8_t expected[10] = {0xFF, 0xFF, 0x08, 0x02, 0x11, 0x00, 0x05, 0x00, 0xE2, 0xFC};
    EXPECT_EQ(std::vector<uint8_t>(frame, frame + 10), std::vector<uint8_t>(expected, expected + 10));

    // A raw XOR of 0xFFFF is sent as FE FE: neither byte can look like a sync byte.
    const uint8_t words[4] = {0xFF, 0x00, 0x00, 0xFF};
    EXPECT_EQ(PacketChecksum(words, 2), 0xFEFE);

    // Band parameter: band in byte 7. 546 = 0x0222, value 3 << 8 | 40.
    BuildLinkRequest(frame, 546, 3 << 8 | 40, nullptr);
    const uint8_t band[8] = {0xFF, 0xFF, 8, 2, 0x22, 0x02, 40, 3};
    EXPECT_EQ(std::vector<uint8_t>(frame, frame + 8), std::vector<uint8_t>(band, band + 8));

    // Reads, the read of code 3 and the two kinds of code 32.
    BuildLinkRequest(frame, 4, 0, nullptr);
    EXPECT_EQ(frame[3], 0);
    BuildLinkRequest(frame, 3 | ReadCurrentBit, 1, nullptr);
    EXPECT_EQ((std::vector<uint8_t>{frame[3], frame[4], frame[5], frame[6]}),
              (std::vector<uint8_t>{0, 3, 0, 1}));
    BuildLinkRequest(frame, 32, 7 | 0x400, nullptr);
    EXPECT_EQ((std::vector<uint8_t>{frame[3], frame[6], frame[7]}), (std::vector<uint8_t>{4, 7, 4}));
    BuildLinkRequest(frame, 32, 7 | 0x200, nullptr);
    EXPECT_EQ(frame[3], 2);
    BuildLinkRequest(frame, 16, 1, nullptr);
    EXPECT_EQ(frame[3], 2);

    // Long form: code 7 with four digits is 12 bytes, checksum over six words.
    const uint8_t digits[4] = {1, 2, 3, 4};
    ASSERT_EQ(BuildLinkRequest(frame, 7, 0, digits), 12);
    // FFFF ^ 020A ^ 0007 ^ 0201 ^ 0403 = FFFF^020A=FDF5, ^0007=FDF2, ^0201=FFF3, ^0403=FBF0; & FEFE = FAF0.
    const uint8_t long7[12] = {0xFF, 0xFF, 10, 2, 7, 0, 1, 2, 3, 4, 0xF0, 0xFA};
    EXPECT_EQ(std::vector<uint8_t>(frame, frame + 12), std::vector<uint8_t>(long7, long7 + 12));
    const uint8_t name[10] = {};
    EXPECT_EQ(BuildLinkRequest(frame, 33, 0, name), 18);
    EXPECT_EQ(frame[2], 16);

    EXPECT_EQ(ReplyTimeoutMs(1), 120u);
    EXPECT_EQ(ReplyTimeoutMs(32), 1200u);
    EXPECT_EQ(ReplyTimeoutMs(5), 2000u);
    EXPECT_EQ(ReplyTimeoutMs(33), 2000u);
    EXPECT_EQ(ReplyTimeoutMs(35), 6000u);
}

TEST(Frames, AssemblerGivesTheSamePacketsHowEverTheStreamIsCut) {
    const std::vector<uint8_t> reply = {0xFF, 0xFF, 0x08, 0x03, 0x11, 0x00, 0x05, 0x00, 0xE2, 0xFC};
    const std::vector<uint8_t> name = {0xFF, 0xFF, 0x10, 0x01, 0x22, 0x00, 45, 47,   36,
                                       37,   0,    16,   20,   0,    0,    0,  0xD6, 0xFE};
    std::vector<uint8_t> stream = {0x12, 0x34}; // noise before the first sync pair
    stream.insert(stream.end(), reply.begin(), reply.end());
    stream.push_back(0xFF); // three FFs: the packet starts at the second
    stream.insert(stream.end(), name.begin(), name.end());
    const std::vector<uint8_t> read = {0xFF, 0xFF, 0x08, 0x01, 0x00, 0x01, 0x32, 0x00, 0x10, 0x20};
    stream.insert(stream.end(), read.begin(), read.end());
    const std::vector<std::vector<uint8_t>> expected = {reply, name, read};

    {
        FrameAssembler fa;
        EXPECT_EQ(Packets(fa, stream, {}), expected) << "whole";
    }
    {
        std::vector<size_t> everyByte;
        for (size_t i = 1; i < stream.size(); ++i)
            everyByte.push_back(i);
        FrameAssembler fa;
        EXPECT_EQ(Packets(fa, stream, everyByte), expected) << "one byte at a time";
    }
    for (size_t cut = 1; cut < stream.size(); ++cut) {
        FrameAssembler fa;
        EXPECT_EQ(Packets(fa, stream, {cut}), expected) << "split at " << cut;
    }
}

TEST(Frames, AssemblerTypeRuleAndOversizePackets) {
    const std::vector<uint8_t> typeZero = {0xFF, 0xFF, 0x08, 0x00, 0x11, 0x00, 0x05, 0x00, 0xE2, 0xFC};
    const std::vector<uint8_t> typeTwo = {0xFF, 0xFF, 0x08, 0x02, 0x11, 0x00, 0x05, 0x00, 0xE2, 0xFC};
    FrameAssembler strict;
    EXPECT_TRUE(Packets(strict, typeZero, {}).empty());
    EXPECT_TRUE(Packets(strict, typeTwo, {}).empty());
    FrameAssembler upload(true);
    EXPECT_EQ(Packets(upload, typeZero, {}).size(), 1u);
    EXPECT_EQ(Packets(upload, typeTwo, {}).size(), 1u);

    // Too short a length never completes; an oversize one wraps inside the buffer and a following
    // sync pair starts over cleanly.
    FrameAssembler fa;
    std::vector<uint8_t> junk = {0xFF, 0xFF, 0x05, 0x01, 0x00, 0x00, 0x00};
    std::vector<uint8_t> big = {0xFF, 0xFF, 0x40, 0x01};
    for (int i = 0; i < 100; ++i)
        big.push_back(static_cast<uint8_t>(i * 3 % 0xF0));
    junk.insert(junk.end(), big.begin(), big.end());
    size_t before = Packets(fa, junk, {}).size();
    const std::vector<uint8_t> good = {0xFF, 0xFF, 0x08, 0x03, 0x11, 0x00, 0x05, 0x00, 0xE2, 0xFC};
    auto after = Packets(fa, good, {});
    ASSERT_EQ(after.size(), 1u) << "packets completed by the junk: " << before;
    EXPECT_EQ(after[0], good);
}

TEST(Frames, MatchingNeedsTheCodeAndTheRequestsChecksum) {
    uint8_t request[MaxRequestBytes];
    int n = BuildShortRequest(request, 17, 5, 2);
    uint8_t reply[10] = {0xFF, 0xFF, 0x08, 0x03, 0x11, 0x00, 0x05, 0x00, 0xE2, 0xFC};
    EXPECT_TRUE(PacketMatches(request, n, reply, 10));
    reply[8] = 0xE0; // another tag
    EXPECT_FALSE(PacketMatches(request, n, reply, 10));
    reply[8] = 0xE2;
    reply[4] = 0x12; // another code
    EXPECT_FALSE(PacketMatches(request, n, reply, 10));
    reply[4] = 0x11;
    // A longer reply carries the tag at its own end (a password read of code 4).
    int m = BuildShortRequest(request, 4, 0, 0);
    uint8_t password[14] = {0xFF, 0xFF, 12, 1, 4, 0, 1, 2, 3, 4, 5, 6, request[m - 2], request[m - 1]};
    EXPECT_TRUE(PacketMatches(request, m, password, 14));
    EXPECT_FALSE(PacketMatches(request, m, password, 12));
}
