// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: any bytes as "mode.dat". The load takes them as they are; every record, whatever it
// holds, comes back byte for byte through its text; a save writes back the same bytes (zero-padded to
// whole records), longer files and bytes past the records included.
#include "link/ModeFile.h"
#include "modes/ModeText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::string Folder() {
    static std::string dir = [] {
        char pattern[] = "/tmp/tonvex-fuzz-modes-XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        return std::string(pattern);
    }();
    return dir;
}

void Put(const std::string& path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) std::abort();
}

std::vector<uint8_t> Get(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) std::abort();
    for (int c; (c = std::fgetc(f)) != EOF;)
        bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(f);
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Folder() + "/mode.dat";
    Put(path, data, size);
    if (LoadModeFile(path.c_str()) != ModeFileStatus::Loaded) std::abort();
    // The records the bytes reach (the rest are zero, as an empty mode).
    const int reached =
        static_cast<int>(std::min<size_t>((size + ModeRecordBytes - 1) / ModeRecordBytes + 1, ModeSlotCount));
    for (int slot = 0; slot < reached; ++slot) {
        const uint8_t* record = ModeBuffer + slot * ModeRecordBytes;
        uint8_t back[ModeRecordBytes];
        ModeTextError error;
        if (!ModeRecordFromText(ModeRecordToText(record, nullptr), back, &error)) {
            std::fprintf(stderr, "record %d: line %d: %s\n", slot + 1, error.line, error.message.c_str());
            std::abort();
        }
        if (std::memcmp(back, record, ModeRecordBytes) != 0) std::abort();
        uint8_t clamped[ModeRecordBytes];
        ClampedModeRecord(slot, clamped);
        for (int offset = 0; offset < ModeRecordBytes; ++offset)
            if (clamped[offset] > ModeByteLimit(offset) && offset >= ModeNameOffset + ModeNameBytes)
                std::abort();
    }
    if (!WriteModeFile()) std::abort();
    std::vector<uint8_t> saved = Get(path);
    if (saved.size() < size || std::memcmp(saved.data(), data, size) != 0) std::abort();
    for (size_t i = size; i < saved.size(); ++i)
        if (saved[i]) std::abort();
    return 0;
}
