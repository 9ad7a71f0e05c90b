// SPDX-License-Identifier: GPL-3.0-or-later
// The equaliser graph shown by every EQ panel: a logarithmic frequency axis from 10 Hz over 3.4
// decades, a dB axis of +-24 dB, the summed response of all bands, the band being edited as a lit
// area, and one handle per band that the mouse drags.
//
// The curves are pictures of the bands, not measurements: each band is designed once at a quarter of
// the sample rate, sampled linearly, then bent and shifted onto the logarithmic axis and scaled so that
// its extreme reaches the band's gain.
//
// Dragging, per band (the band records hold all of it; the graph keeps nothing between calls):
//
//   state       | event                                                  | next
//   ------------+--------------------------------------------------------+-------------
//   idle        | left down within 6 px of the handle, left claim clear  | moving (claims left)
//   idle        | right down within 6 px, Peak band, right claim clear   | qDragging (claims right)
//   moving      | left still down (anywhere)                             | moving: frequency and gain follow
//               |                                                        | (an axis the pointer has not left
//               |                                                        | keeps its value)
//   qDragging   | right still down (anywhere)                            | qDragging: Q follows x
//   moving      | left up                                                | idle
//   qDragging   | right up                                               | idle
//
// Shift held during a move keeps the axis the mouse moved less along.
#pragma once

#include <cstdint>

#include "eq/EqValues.h"

enum class EqBandType : int32_t {
    Peak = 0,
    LowShelf = 1,
    HighShelf = 2,
    HighPass12 = 3, // filter bands: gain always 0, their own frequency limits, drawn 12 or 24 dB deep
    LowPass12 = 4,
    HighPass24 = 5,
    LowPass24 = 6,
};

inline bool IsFilterBand(EqBandType type) {
    return type >= EqBandType::HighPass12 && type <= EqBandType::LowPass24;
}

// One handle of the graph, owned by the panel.
struct EqGraphBand {
    float freq;                      // Hz
    float gain;                      // dB, -24 .. +12 (0 for filter bands)
    float q;                         // 0.2 .. 36 in steps of 0.2
    float dragFreq, dragGain, dragQ; // the values when the current drag began
    EqBandType type;
    int32_t moving;           // the left button drags this band
    int32_t qDragging;        // the right button drags this band's Q
    int32_t handleX, handleY; // handle centre in plot pixels
    int32_t grabDX, grabDY;   // mouse minus handle centre when the drag began
    int32_t startX, startY;   // handle centre when the drag began
    int32_t changed;          // set by the panel when a control changed the band: lit for one recompute
    int32_t lit;              // moving, qDragging or changed at the last recompute
    int32_t minFreq, maxFreq; // filter bands only, Hz
};
static_assert(sizeof(EqGraphBand) == 19 * 4, "nineteen 32-bit fields");

// Graph geometry: margins around the plot, and the curve's sample count.
constexpr int EqGraphLeft = 38;
constexpr int EqGraphTop = 8;
constexpr int EqGraphRight = 8;
constexpr int EqGraphBottom = 16;
constexpr int EqCurveSamples = 512;
// The panel's curve arrays (dB): only the first EqCurveSamples values are used.
constexpr int EqCurveCapacity = 1024;

// A band's share of the sum curve as last computed, and what it was computed from. With one a band,
// a recompute computes again only the bands whose parameters changed (a drag moves one band of up to
// seventeen) and adds the shares up in band order: the same float sums, to the bit, as computing them
// all. Owned by the panel beside its bands; nothing need be set before the first use.
struct EqBandShare {
    float values[EqCurveSamples];
    EqBandType type;
    float freq, q, gain;
    int32_t width;
    int32_t valid; // computed from the fields above
    int32_t shown; // the band has a curve (the lit curve takes its values)
};

// Draws the graph in the rectangle (x, y, width, height) of the window and applies the mouse to the
// bands. leftClaim and rightClaim are the panel's "press already taken" flags: a drag starts only
// while its flag is clear and sets it. fadeFlags non-zero fades the black background with alpha.
// forceRecalc non-zero recomputes the curves and edits nothing. draggedBand gets the band edited in
// this call or -1; resetClicked gets 1 when the reset button was pressed, else 0. `shares`, one a
// band, keeps the bands' curves between calls.
void EqGraphRun(int mouseX, int mouseY, uint32_t leftDown, uint32_t* leftClaim, uint32_t rightDown,
                uint32_t* rightClaim, float alpha, uint32_t fadeFlags, int x, int y, int width, int height,
                int bandCount, EqGraphBand* bands, float* sumCurve, float* litCurve, int forceRecalc,
                int32_t* draggedBand, int32_t* resetClicked, EqBandShare* shares = nullptr);

// How a band's sampled shape is compressed and widened back, in samples of the curve.
struct EqReshape {
    double factor; // compression factor (0 for Peak bands, which are not reshaped)
    int32_t end;   // E: the first compressed sample that runs past the shape's end
    int32_t width; // P0: the shape's width after compression
    int32_t start; // D: where the compressed transition begins, in quarter samples
};
EqReshape EqReshapeFor(EqBandType type);
// P: the sample where a band's design centre (sample 255 of the shape) lands.
int EqCentreSample(int plotW, float freqHz);

// Adds one band's curve (dB per sample) into sumCurve and, when lit, writes it into litCurve.
// plotH is not used.
void EqBandCurve(int plotW, int plotH, float* sumCurve, EqBandType type, float freqHz, float q, float gainDb,
                 int lit, float* litCurve);
