// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Tick.h"

#include <atomic>
#include <ctime>

namespace {
std::atomic<bool> g_manual{false};
std::atomic<uint32_t> g_manualNow{0};
} // namespace

uint32_t TickNow() {
    if (g_manual.load(std::memory_order_relaxed)) return g_manualNow.load(std::memory_order_relaxed);
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    uint64_t ms = static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
}

void TickSet(uint32_t ms) {
    g_manualNow = ms;
    g_manual = true;
}

void TickAdvance(uint32_t ms) {
    g_manualNow += ms;
}

void TickUseClock() {
    g_manual = false;
}
