// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: any bytes as a PC-mode text for import. What is taken is written out again and read
// back to the same record: the import stores what its own export says.
#include "modes/ModeText.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    uint8_t record[ModeRecordBytes], untouched[ModeRecordBytes], back[ModeRecordBytes];
    std::memset(record, 0xA5, sizeof record);
    std::memcpy(untouched, record, sizeof record);
    ModeTextError error;
    if (!ModeRecordFromText(text, record, &error)) {
        if (std::memcmp(record, untouched, sizeof record) != 0) std::abort(); // refused: nothing stored
        if (error.message.empty() || error.line < 0) std::abort();
        return 0;
    }
    const std::string again = ModeRecordToText(record, nullptr);
    if (!ModeRecordFromText(again, back, &error)) {
        std::fprintf(stderr, "line %d: %s\n", error.line, error.message.c_str());
        std::abort();
    }
    if (std::memcmp(back, record, sizeof record) != 0) std::abort();
    return 0;
}
