// The download order and the upload order written out from the protocol's tables, as the tests'
// reference: (code, type byte, byte 6, byte 7) of every request.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

using Request = std::array<uint32_t, 4>;

inline std::vector<Request> ExpectedDownload() {
    std::vector<Request> r;
    auto read = [&](uint32_t code) { r.push_back({code, 0, 0, 0}); };
    auto bands = [&](uint32_t first, uint32_t count) {
        for (uint32_t b = 0; b < count; ++b)
            for (uint32_t k = 0; k < 4; ++k)
                r.push_back({first + k, 0, 0, b});
    };
    auto select = [&](uint32_t code, uint32_t value) { r.push_back({code, 4, value, 0}); };
    for (uint32_t c : {256, 258, 260, 261, 262, 263, 257, 259, 513, 514, 515, 512, 516})
        read(c);
    bands(545, 7);
    bands(1569, 15);
    for (uint32_t c : {1280, 1281, 1282, 1283, 1285, 1286, 1284, 1287})
        read(c);
    bands(1313, 3);
    for (uint32_t c : {1028, 1029, 1030, 1024, 1025})
        read(c);
    select(1024, 1), select(1025, 0), read(1026), read(1027);
    select(1024, 1), select(1025, 1), read(1026), read(1027);
    r.push_back({1024, 4, 0xFFFF, 0}); // restoring writes: byte 6 is what entry 124 / 125 read
    r.push_back({1025, 4, 0xFFFF, 0});
    bands(1057, 3);
    read(768), read(769);
    select(768, 1), select(769, 0), read(770), read(771);
    bands(801, 7);
    select(768, 1), select(769, 1), read(770), read(771);
    bands(801, 7);
    r.push_back({768, 4, 0xFFFF, 0});
    r.push_back({769, 4, 0xFFFF, 0});
    for (uint32_t c : {1792, 1793, 1794, 1795, 1796, 17, 18, 19, 16, 8})
        read(c);
    for (uint32_t m = 0; m < 20; ++m)
        r.push_back({34, 0, m, 0});
    read(32), read(3);
    return r;
}

// Upload of a PC mode record: (code, byte 6, byte 7); byte 6 from `slot` unless a literal.
inline std::vector<std::array<uint32_t, 3>> ExpectedUpload(const uint8_t* slot) {
    std::vector<std::array<uint32_t, 3>> r;
    auto at = [&](uint32_t code, int offset) { r.push_back({code, slot[offset], 0}); };
    auto lit = [&](uint32_t code, uint32_t v) { r.push_back({code, v, 0}); };
    auto bands = [&](uint32_t first, int offset, uint32_t count) {
        for (uint32_t b = 0; b < count; ++b)
            for (uint32_t k = 0; k < 4; ++k)
                r.push_back({first + k, slot[offset + 4 * b + k], b});
    };
    lit(35, 1);
    const uint32_t mic[13] = {256, 258, 260, 261, 262, 263, 257, 259, 513, 514, 515, 512, 516};
    for (int i = 0; i < 13; ++i)
        at(mic[i], 26 + i);
    bands(545, 39, 7);
    lit(768, 1), lit(769, 0), at(770, 69), at(771, 70);
    bands(801, 71, 7);
    lit(768, 1), lit(769, 1), at(770, 99), at(771, 100);
    bands(801, 101, 7);
    lit(768, slot[67]), lit(769, slot[68]);
    lit(1024, 1), lit(1025, 0), at(1026, 131), at(1027, 132);
    lit(1024, 1), lit(1025, 1), at(1026, 133), at(1027, 134);
    lit(1024, slot[129]), lit(1025, slot[130]);
    at(1028, 135), at(1029, 136), at(1030, 137);
    bands(1057, 138, 3);
    const uint32_t sc[8] = {1280, 1281, 1282, 1283, 1285, 1286, 1284, 1287};
    for (int i = 0; i < 8; ++i)
        at(sc[i], 150 + i);
    bands(1313, 158, 3);
    bands(1569, 170, 15);
    for (int i = 0; i < 5; ++i)
        at(1792 + i, 230 + i);
    lit(35, 0);
    return r;
}
