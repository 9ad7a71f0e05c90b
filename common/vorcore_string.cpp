// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/vorcore_string.h"

#include "common/vorcore_memory.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

char g_staticBuffer[VOR_FORMAT_CAPACITY];

// A string that cannot be read is reported and then left alone: going on would read it and crash.
bool ProbeString(const char* text) {
    if (vor_readable(text, 1)) return true;
    VOR_REPORT("String pointer is a dangling pointer.");
    return false;
}

} // namespace

char* vor_strfmt(const char* format, ...) {
    if (!format) return nullptr;
    if (!ProbeString(format)) return nullptr;
    char local[VOR_FORMAT_CAPACITY];
    va_list args;
    va_start(args, format);
    int written = std::vsnprintf(local, sizeof local, format, args);
    va_end(args);
    if (written < 0) local[0] = '\0';
    size_t n = std::strlen(local) + 1;
    auto* block = static_cast<char*>(vor_alloc(n + 1));
    if (!block) return nullptr;
    std::memcpy(block, local, n);
    block[n] = '\0';
    return block;
}

char* vor_strfmt_static(const char* format, ...) {
    if (!format) return nullptr;
    if (!ProbeString(format)) return nullptr;
    va_list args;
    va_start(args, format);
    int written = std::vsnprintf(g_staticBuffer, sizeof g_staticBuffer, format, args);
    va_end(args);
    if (written < 0) g_staticBuffer[0] = '\0';
    return g_staticBuffer;
}

char* vor_strdup(const char* text) {
    if (!text) return nullptr;
    if (!ProbeString(text)) return nullptr;
    size_t n = std::strlen(text) + 1;
    auto* block = static_cast<char*>(vor_alloc(n));
    if (!block) return nullptr;
    std::memcpy(block, text, n);
    return block;
}
