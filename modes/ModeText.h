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

// The text of one record. A byte beyond its parameter's range is written as the largest value the
// parameter takes (as the console would load it), and `warnings` says which.
std::string ModeRecordToText(const uint8_t record[ModeRecordBytes], std::vector<std::string>* warnings);

// A name field as it appears in the text: in double quotes, with \", \\ and \xNN for the bytes that
// are not printable ASCII (GBK characters among them).
std::string QuotedModeName(const uint8_t name[ModeNameBytes]);

struct ModeTextError {
    int line = 0; // 1-based; 0 for what no one line holds (a missing parameter)
    std::string message;
};

// Reads a text back into a record. Every parameter must be given once, in range; values snap to the
// processor's codes as the panels' text boxes snap them. On an error `record` is left untouched.
bool ModeRecordFromText(const std::string& text, uint8_t record[ModeRecordBytes], ModeTextError* error);
