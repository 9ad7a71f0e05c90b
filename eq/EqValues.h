// SPDX-License-Identifier: GPL-3.0-or-later
// The values an equaliser band takes on the processor, and the parsers that turn a band's typed
// texts into them. Codes: frequency = index into EqFreqTable (0 .. 255), gain = (dB + 24) * 5
// (0 .. 180, 120 is 0 dB), Q = Q * 5 - 1 (0 .. 179, Q 0.2 .. 36.0).
#pragma once

#include <cstdint>

constexpr int EqFreqCount = 256;
// The frequencies in Hz that the frequency codes stand for, 19.8 .. 21513.
extern const float EqFreqTable[EqFreqCount];

// The parsers read the number in a text box's text (no number reads as 0), limit and round it, write
// the rounded value back into the text as "%.1f" (a frequency from 1000 Hz up, always whole, without
// the decimal, so that it fits its box), store the code and return the value. The text must
// have room for EqTextMinCapacity bytes (a text box holds 1024).
constexpr int EqTextMinCapacity = 8;

// dB, -24 .. +12 on the 0.2 dB grid, rounded towards 0.
float ParseGainText(char* text, int32_t* code);
// Hz, the nearest table frequency (ties keep the lower one).
float ParseFreqText(char* text, int32_t* code);
// Q, 0.2 .. 36.0; the code rounds down to an even tenth first.
float ParseQText(char* text, int32_t* code);

// The base-10 logarithm in double precision, as a float.
float Log10f(float x);
