// SPDX-License-Identifier: GPL-3.0-or-later
// The filter mathematics behind the EQ graph: one band turned into a digital filter (a peaking biquad
// or a second-order Butterworth low- or high-pass) and its magnitude sampled across 0 .. 0.5.
//
// Frequencies are normalised (a fraction of the sample rate). Everything is double precision. The
// design workspace, the two list buffers and the sampled table are module-wide and reused by every
// call: the module is for the window thread only, and a list stays valid until the next design of
// the same family (Butterworth or peaking).
#pragma once

#include <cstdint>

struct Complex {
    double re = 0.0;
    double im = 0.0;

    void Mul(const Complex& b);
    // Multiplies by the conjugate of b, then divides by |b|^2.
    void Div(const Complex& b);
    void Recip();
    void Add(double addRe, double addIm);
    void Set(const Complex& b);
    void SetPolar(double theta);
};

// One polynomial of a cascade: a header word followed by `count` coefficient words (z^0 first).
// A list is stages one after another, ended by a stage of kind 0 and count 0. Its response is the
// product of the 'F' polynomials over the product of the 'I' polynomials.
enum FilterStageKind : int16_t {
    FilterStageEnd = 0,
    FilterStageNumerator = 'F',
    FilterStageDenominator = 'I',
};

struct FilterStage {
    int16_t kind;
    int16_t constFlags; // the design's flag on numerator stages; carried, never interpreted
    int32_t count;
};

// One 8-byte word of a list: a stage header or a coefficient.
union FilterWord {
    FilterStage stage;
    double coef;
};
static_assert(sizeof(FilterWord) == 8, "a stage takes 8 + 8 * count bytes");

// The word after `stage` and its coefficients.
inline const FilterWord* NextStage(const FilterWord* stage) {
    return stage + 1 + stage->stage.count;
}

constexpr int FilterWorkspaceCapacity = 64;
constexpr double FilterZeroAtInfinity = -99999999.0;

enum FilterValueType : uint8_t {
    FilterValueImagPart = 0, // the imaginary part of the complex value in the slot before
    FilterValueReal = 1,
    FilterValueComplex = 2, // the real part; the imaginary part follows
};

// Poles and zeros of the design in progress. A complex value stands for itself and its conjugate.
struct FilterWorkspace {
    double poles[FilterWorkspaceCapacity];
    uint8_t poleTypes[FilterWorkspaceCapacity];
    int32_t poleCount;
    double zeros[FilterWorkspaceCapacity];
    uint8_t zeroTypes[FilterWorkspaceCapacity];
    int32_t zeroCount;
};

const FilterWorkspace& DesignWorkspace();

double Prewarp(double f);
// Fills the workspace with the analogue Butterworth prototype. Returns 0, or -1 (and leaves the
// workspace empty) for an order outside 1 .. 64.
int ButterworthPrototype(int order);
// Move the prototype to the (pre-warped) corner f and place the zeros.
void ToLowPass(double f);
void ToHighPass(double f);
// s-plane to z-plane for every pole and zero.
void BilinearZ();
// A list built from the workspace, in the Butterworth buffer (valid until the next Butterworth design).
const FilterWord* ZToStages(double gain, int constFlag);

// Normalised to unity gain at 0 (low-pass) or 0.5 (high-pass); null for an order outside 1 .. 64.
const FilterWord* DesignButterworthLowPass(double f, int order);
const FilterWord* DesignButterworthHighPass(double f, int order);

// One stage handed to StackStages.
struct FilterStageDesc {
    int16_t kind;
    int16_t constFlags;
    int32_t count;
    const double* coefs;
};
// Lays the stages down once and repeats the whole run `order` times, in the peaking buffer (valid
// until the next peaking design). Null when the result would not fit the buffer.
const FilterWord* StackStages(int order, int stageCount, int coefficientCount, const FilterStageDesc* stages);
// The Audio EQ Cookbook peaking biquad, repeated `order` times. Null for an order outside 1 .. 64.
const FilterWord* DesignPeaking(double f, double q, double gainDb, int order);

// |H| at f, linear. A null list is the empty cascade (1).
double FilterMagnitude(const FilterWord* list, double f);

constexpr int MagnitudeTableCapacity = 2502;

struct MagnitudeRecord {
    double lower; // the lower magnitude of the step that ends at this record
};

// Samples steps magnitudes from lo + (hi - lo) / steps to hi into the shared table (valid until the
// next call) and reports the largest and smallest `lower`. Null, with max = min = 0, when steps is
// outside 1 .. 2502.
const MagnitudeRecord* SampleMagnitude(const FilterWord* list, double lo, double hi, int steps, double* max,
                                       double* min);
