// SPDX-License-Identifier: GPL-3.0-or-later
// Parametric filters as measurement programs write them, one a line, in the text format that
// system-wide PC equalisers read:
//   Preamp: -4.2 dB
//   Filter 1: ON PK Fc 63.0 Hz Gain -5.0 dB Q 4.00
//   Filter 2: ON LSC Fc 105 Hz Gain 3.0 dB Q 0.71
// read into a band run's codes, and a band run written back the same way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One band's four codes: type (0 peak, 1 low shelf, 2 high shelf), frequency, gain, Q.
struct EqBandCodes {
    uint8_t type = 0, freq = 0, gain = 120, q = 0;
};

struct EqFilterImport {
    // The filters that are ON, in order, snapped to the processor's codes.
    std::vector<EqBandCodes> bands;
    // What each asked for: frequency in Hz, gain in dB, Q.
    std::vector<double> askedHz, askedDb, askedQ;
    // The largest difference snapping made: of a frequency (in per cent of it), a gain (dB), a Q.
    double worstHzPercent = 0, worstDb = 0, worstQ = 0;
    bool preampIgnored = false; // a preamp line was there; the bands cannot carry it
    // Why nothing can be taken, with the line it is on (0: the text as a whole); empty when all is well.
    std::string problem;
    int problemLine = 0;
};

// Reads the filters of `text` for a run of `bandCount` bands. PK is a peak band, LSC or LS a low shelf,
// HSC or HS a high shelf (a shelf without Q takes 0.71); OFF lines, comments (#) and blank lines are
// passed over. Refused, with the line: any other filter type or line, a value out of a band's range,
// more filters ON than bands, none at all.
EqFilterImport ReadEqFilters(const std::string& text, int bandCount);

// A band run's codes as such text, one "Filter N: ON ..." line a band, numbered from 1; the values as
// the codes stand for them, so that reading the text back gives the same codes.
std::string WriteEqFilters(const std::vector<EqBandCodes>& bands);

// What a band's codes stand for.
double EqFreqHz(int code);
double EqGainDb(int code);
double EqQ(int code);
