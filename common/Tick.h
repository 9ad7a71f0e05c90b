// SPDX-License-Identifier: GPL-3.0-or-later
// The one millisecond tick source of the program: 32 bits, wrapping. Every time in the console is read
// here and compared by unsigned difference, so an interval that spans the wrap still comes out right.
#pragma once

#include <cstdint>

uint32_t TickNow();

// Milliseconds from `start` to now, correct across the wrap.
inline uint32_t TickSince(uint32_t start) {
    return TickNow() - start;
}

// Tests drive time by hand: TickSet freezes the source at a value, TickAdvance moves it on, TickUseClock
// goes back to the monotonic clock.
void TickSet(uint32_t ms);
void TickAdvance(uint32_t ms);
void TickUseClock();
