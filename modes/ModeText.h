// SPDX-License-Identifier: GPL-3.0-or-later
// A PC mode record as text: one line a parameter, `panel.label = value`, in the units the panels show,
// with the processor's codes in a comment where the units round. Lines starting with '#' and the rest
// of a line after a '#' outside quotes are comments.
//
//   name = "Room 4"
//   mic.echo_delay_ms = 120
//   music.sing.eq.3 = peak 1000.0 Hz +3.0 dB Q 2.0   # codes 0 143 135 9
#pragma once

#include "link/ModeFile.h"

#include <cstdint>
#include <string>
#include <vector>

// The text of one record, from which ModeRecordFromText gives back the same 256 bytes whatever they
// are. A byte beyond its parameter's range is written as its code ("code 60", "codes 0 143 200 9" for
// a band) with a comment that says so, and `warnings` says which.
std::string ModeRecordToText(const uint8_t record[ModeRecordBytes], std::vector<std::string>* warnings);

// A name as a shell shows it: in double quotes and UTF-8 (GBK characters converted), escaping a
// quote and a backslash with a backslash, and writing \xNN for each byte that is no character; up to
// the name's first zero byte.
std::string QuotedModeName(const uint8_t name[ModeNameBytes]);

struct ModeTextError {
    int line = 0; // 1-based; 0 for what no one line holds (a missing parameter)
    std::string message;
};

// Reads a text back into a record. Every parameter must be given once, in range (or as a code);
// numbers are plain decimals, which snap to the processor's codes as the panels' text boxes snap
// them; the name is UTF-8 and is stored as GBK. On an error `record` is left untouched.
bool ModeRecordFromText(const std::string& text, uint8_t record[ModeRecordBytes], ModeTextError* error);
