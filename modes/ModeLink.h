// SPDX-License-Identifier: GPL-3.0-or-later
// A PC mode to and from a processor without the console: the link's own download and upload, driven
// from a terminal. One connection a call; the link threads are stopped before it returns.
#pragma once

#include "link/ModeFile.h"

#include <cstdint>
#include <functional>
#include <string>

// Called about every 50 ms while requests go out: done of total.
using LinkProgress = std::function<void(uint32_t done, uint32_t total)>;

struct LinkOutcome {
    bool ok = false;
    std::string message; // what went wrong, in a sentence
    uint32_t done = 0;   // requests answered
    uint32_t total = 0;  // requests the transfer has
};

// Opens `port` and pings it as the console's "Connect" does; ok when a processor answered.
LinkOutcome PingPort(const char* port);

// Connects on `port` (a name the console takes: "COM3", or a device path), downloads every parameter
// as the console does (the Sing/Disco selections put back as they were) and puts them into the
// parameter bytes (offsets 26-234) of PC mode `slot` (0-based) in ModeBuffer; its name is left as it is.
LinkOutcome PullMode(const char* port, int slot, const LinkProgress& progress);

// Connects on `port` and writes PC mode `slot` of ModeBuffer (each byte held to its parameter's range)
// with the console's upload, bracketed by 35 = 1 and 35 = 0, then sets the tab bar's Effect level to
// the mode's "Effect Start" as the console does.
LinkOutcome PushMode(const char* port, int slot, const LinkProgress& progress);
