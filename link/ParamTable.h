// SPDX-License-Identifier: GPL-3.0-or-later
// Every sound parameter of the processor as the console knows it, in PC mode record order: its code,
// the record bytes that keep it, the largest code it takes, and how the panels show it (shown = code *
// scale + base, with `decimals` places, in `unit`). A band run is one row: four bytes a band (type,
// frequency, gain and Q codes, whose limits are BandCodeLimits). The parameter map, the upload list,
// the mode storage, the panels' sliders and `tonvex-modes` all read it.
#pragma once

#include "link/ParamCodes.h"

#include <cstdint>

enum class ParamKind : uint8_t {
    Number, // a slider or number box
    Choice, // a two-way button: 0 or 1
    Bands,  // a run of equaliser bands
};

struct ParamInfo {
    uint32_t code;    // the code (a band run: its first code, the type)
    int recordOffset; // first byte in a PC mode record
    int bytes;        // 1, or four a band
    ParamKind kind;
    uint8_t limit; // the largest code (a band run: see BandCodeLimits)
    float scale = 1.0f, base = 0.0f;
    int decimals = 0;
    const char* unit = "";
    const char* key = ""; // the parameter's name in `tonvex-modes` texts
};

// The largest type, frequency, gain and Q codes of a band.
constexpr uint8_t BandCodeLimits[4] = {2, 255, 180, 179};

// The rows, and how many.
extern const ParamInfo ParamRows[];
extern const int ParamRowCount;

// The row that keeps a record byte, or null for the name and the reserved bytes.
const ParamInfo* ParamAtOffset(int recordOffset);
// The row of a code: a parameter's, or a band run's by its first code. Null for none (a selection
// word of a set the row list keeps twice gives the first, the Sing set's).
const ParamInfo* ParamOfCode(uint32_t code);
// The largest value a record byte may hold (0 for the name and reserved bytes).
uint8_t ParamByteLimit(int recordOffset);
