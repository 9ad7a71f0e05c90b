// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: any bytes as the thumbnail cache file, against a pack of three small backgrounds. The
// cache is taken or rebuilt, never overrun, and the list always names the pack's backgrounds in order.
// No GL context is current: the texture calls do nothing.
#include "app/pictures/Embedded.h"
#include "app/pictures/Resources.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// The program's own packs are not built into this target.
EmbeddedFile EmbeddedBackgroundPack() {
    return {nullptr, 0};
}
EmbeddedFile EmbeddedSkinPack() {
    return {nullptr, 0};
}

namespace {

const char* const Names[3] = {"Stage", "Hall", "Neon"};

// Records of a 16-byte name field, payload size, components, width and height, then a payload that
// is no picture (it fails to decode, as a damaged one would).
std::vector<uint8_t> Pack() {
    std::vector<uint8_t> pack;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            pack.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    for (const char* name : Names) {
        uint8_t field[16] = {};
        std::snprintf(reinterpret_cast<char*>(field), sizeof field, "bg_%s", name);
        pack.insert(pack.end(), field, field + 16);
        u32(8), u32(3), u32(1024), u32(640);
        for (int i = 0; i < 8; ++i)
            pack.push_back(static_cast<uint8_t>(i * 37));
    }
    return pack;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string cacheFile = [] {
        char pattern[] = "/tmp/tonvex-fuzz-cache-XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        setenv("XDG_CACHE_HOME", pattern, 1);
        setenv("XDG_CONFIG_HOME", pattern, 1);
        std::string dir = std::string(pattern) + "/tonvex";
        mkdir(dir.c_str(), 0700);
        AllocateDecodeBuffer();
        return dir + "/tonvex_res.dat";
    }();
    static const std::vector<uint8_t> pack = Pack();
    FILE* f = std::fopen(cacheFile.c_str(), "wb");
    if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) std::abort();
    SetPacksForTest(pack.data(), pack.size(), nullptr, 0);
    if (BuildBackgroundCache(0) != 0) std::abort();
    if (BackgroundCount != 3) std::abort();
    for (int i = 0; i < 3; ++i)
        if (std::strcmp(BackgroundNames[i], Names[i]) != 0) std::abort();
    ResetPicturesForTest();
    return 0;
}
