// SPDX-License-Identifier: GPL-3.0-or-later
// Tracked memory blocks and the error report.
//
// Every block handed out carries its own size in a 32-bit word just in front of the caller's bytes;
// vor_g_nMem holds the sum of the sizes of all blocks that are out. A failed check shows one report
// ("ERROR: ( condition )  Look at: file (line n)") through the current reporter and the program goes on.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

constexpr uint32_t VOR_INT32_MAX = 0x7FFFFFFF;

// Bytes out in tracked blocks, headers included. Atomic so that a second thread may allocate safely.
extern std::atomic<uint32_t> vor_g_nMem;

void* vor_alloc(size_t size);
void vor_free(void* p);

// Shows "ERROR: ( message )\n\nLook at: file (line n)" captioned "An error has occured!" and returns
// what the reporter returned.
int vor_error(const char* message, const char* file, int line);

// The reporter receives the finished text and the caption. The application installs one that shows a
// message box; tests install one that records. Returns the previous reporter.
using VorReporter = int (*)(const char* text, const char* caption);
VorReporter vor_set_reporter(VorReporter reporter);

// True when `size` bytes at `p` can be read without faulting. Never faults itself.
bool vor_readable(const void* p, size_t size);

#define VOR_REPORT(message) vor_error((message), __FILE_NAME__, __LINE__)
