// SPDX-License-Identifier: GPL-3.0-or-later
// Strings in tracked blocks (see vorcore_memory.h). Results are owned by the caller.
#pragma once

#include <cstddef>

// Longest text the formatting operations produce; longer output is cut.
constexpr size_t VOR_FORMAT_CAPACITY = 1028;

char* vor_strfmt(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Formats into one process-wide buffer, valid until the next call.
char* vor_strfmt_static(const char* format, ...) __attribute__((format(printf, 1, 2)));
char* vor_strdup(const char* text);
