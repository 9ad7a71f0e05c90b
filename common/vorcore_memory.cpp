// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/vorcore_memory.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

std::atomic<uint32_t> vor_g_nMem{0};

namespace {

char g_reportBuffer[1028];

int DefaultReporter(const char* text, const char* caption) {
    std::fprintf(stderr, "%s\n%s\n", caption, text);
    return 1; // IDOK
}

std::atomic<VorReporter> g_reporter{DefaultReporter};

// A pipe the readability probe writes into: the kernel copies the bytes and answers EFAULT for an
// address that is not mapped, where a plain read would crash the process.
int g_probePipe[2] = {-1, -1};
std::mutex g_probeLock;

} // namespace

VorReporter vor_set_reporter(VorReporter reporter) {
    return g_reporter.exchange(reporter ? reporter : DefaultReporter);
}

int vor_error(const char* message, const char* file, int line) {
    std::snprintf(g_reportBuffer, sizeof g_reportBuffer, "ERROR: ( %s )\n\nLook at: %s (line %d)",
                  message ? message : "", file ? file : "", line);
    return g_reporter.load()(g_reportBuffer, "An error has occured!");
}

bool vor_readable(const void* p, size_t size) {
    if (!p) return false;
    std::lock_guard<std::mutex> lock(g_probeLock);
    if (g_probePipe[0] < 0 && pipe2(g_probePipe, O_CLOEXEC | O_NONBLOCK) != 0) return true;
    const char* bytes = static_cast<const char*>(p);
    char sink[64];
    while (size > 0) {
        size_t part = size < sizeof sink ? size : sizeof sink;
        ssize_t written = write(g_probePipe[1], bytes, part);
        if (written < 0) return errno != EFAULT;
        while (read(g_probePipe[0], sink, sizeof sink) > 0) {
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

void* vor_alloc(size_t size) {
    if (size > UINT32_MAX - 4) {
        VOR_REPORT("Memory Full");
        return nullptr;
    }
    uint32_t total = static_cast<uint32_t>(size) + 4;
    vor_g_nMem += total;
    auto* block = static_cast<uint32_t*>(std::malloc(total));
    if (!block) {
        VOR_REPORT("Memory Full");
        return nullptr;
    }
    *block = total;
    return block + 1;
}

void vor_free(void* p) {
    if (!p) return;
    uint32_t* block = static_cast<uint32_t*>(p) - 1;
    // The size word is probed rather than the caller's first word: a block of 0 caller bytes has no
    // first word, and the size word is what is read next anyway.
    if (!vor_readable(block, sizeof *block)) {
        VOR_REPORT("The pointer is a dangling pointer.");
        return; // a block that failed the probe is not touched further
    }
    uint32_t size = *block;
    if (vor_g_nMem < size) VOR_REPORT("vor_g_nMem >= size");
    if (vor_g_nMem > VOR_INT32_MAX) VOR_REPORT("vor_g_nMem <= VOR_INT32_MAX");
    vor_g_nMem -= size;
    std::free(block);
}
