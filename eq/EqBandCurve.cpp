// SPDX-License-Identifier: GPL-3.0-or-later
// One band's curve on the graph's axis. The shape is designed at a quarter of the sample rate, so its
// centre sits at sample 255 of the linear sampling. Shelves and filters are then compressed (their
// Butterworth skirts are far too wide on a logarithmic axis), widened back with a flat part and, for
// the filters, given straight skirts; finally the shape is shifted so that its centre lands on the
// band's frequency, and scaled so that its extreme reaches the band's gain.
#include "eq/EqGraph.h"

#include <cmath>

#include "eq/FilterMath.h"

namespace {

constexpr int N = EqCurveSamples;

// Shared scratch: the sampled shape (S) and its reshaped copy (T), with room for the shift.
double Shape[N];
double Scratch[N + 8];

// The compression factors are single-precision constants; their float values are what the arithmetic
// sees (2.5999999 and 4.1999998).
constexpr double ShelfFactor = static_cast<double>(2.6f);
constexpr double FilterFactor = static_cast<double>(4.2f);

// How far the transition starts before (shelves) or after (filters) the compressed width, in 300ths
// of the axis.
constexpr double LowShelfOffset = 33.0;
constexpr double HighShelfOffset = 14.0;
constexpr double HighPassOffset = 41.2;
constexpr double LowPassOffset = 44.4;

// The straight skirts start from the slope found at these fractions of a third of the axis.
constexpr int HighPassSlopeAt = static_cast<int>(N / 3.0 * 0.3);  // 51
constexpr int LowPassSlopeAt = static_cast<int>(N / 3.0 * 0.393); // 67

int FloorDiv4(int v) {
    return v >= 0 ? v / 4 : -((-v + 3) / 4);
}

// The shape's sample shown at compressed sample j: F j, in quarter samples rounded up.
int CompressedIndex(int j, double factor) {
    int k = static_cast<int>(std::ceil(std::trunc(4.0 * j * factor) / 4.0));
    return k < 0 ? 0 : k;
}

// T[j] = S[F j]; past the shape's end T holds its last sample.
void Compress(double factor) {
    for (int j = 0; j < N; ++j) {
        int k = CompressedIndex(j, factor);
        Scratch[j] = k < N ? Shape[k] : Shape[N - 1];
    }
}

// S = T[0] up to the quarter sample D, then the compressed shape for E + 1 samples, then S's old end.
void Refill(const EqReshape& r) {
    int m = 0;
    for (int j = 0; j < N; ++j) {
        if (4 * j < r.start)
            Shape[j] = Scratch[0];
        else if (4 * j <= r.start + 4 * r.end)
            Shape[j] = Scratch[m++];
        else
            Shape[j] = Shape[N - 1];
    }
}

} // namespace

EqReshape EqReshapeFor(EqBandType type) {
    double factor;
    double offset;
    switch (type) {
    case EqBandType::LowShelf:
        factor = ShelfFactor, offset = -LowShelfOffset;
        break;
    case EqBandType::HighShelf:
        factor = ShelfFactor, offset = -HighShelfOffset;
        break;
    case EqBandType::HighPass12:
    case EqBandType::HighPass24:
        factor = FilterFactor, offset = HighPassOffset;
        break;
    case EqBandType::LowPass12:
    case EqBandType::LowPass24:
        factor = FilterFactor, offset = LowPassOffset;
        break;
    default:
        return EqReshape{0.0, 0, N, 0};
    }
    EqReshape r{factor, 0, 0, 0};
    for (int j = 0; j < N && r.end == 0; ++j)
        if (CompressedIndex(j, factor) >= N) r.end = j;
    r.width = static_cast<int>(N / factor);
    r.start = static_cast<int>(4.0 * r.width + 4.0 * N * offset / 300.0);
    return r;
}

int EqCentreSample(int plotW, float freqHz) {
    double width = plotW > 0 ? plotW : 1;
    double p = (Log10f(freqHz) - 1.0) * (width / 3.4) / width * N;
    // Far off the axis the result is the same (a flat end); this keeps the indices in range.
    if (!(p > -2.0 * N)) p = -2.0 * N;
    if (p > 1.5 * N) p = 1.5 * N;
    return static_cast<int>(p);
}

void EqBandCurve(int plotW, int /*plotH*/, float* sumCurve, EqBandType type, float freqHz, float q,
                 float gainDb, int lit, float* litCurve) {
    const bool filter = IsFilterBand(type);
    const bool highPass = type == EqBandType::HighPass12 || type == EqBandType::HighPass24;
    const bool lowPass = type == EqBandType::LowPass12 || type == EqBandType::LowPass24;
    const bool shelf = type == EqBandType::LowShelf || type == EqBandType::HighShelf;
    if (!filter && !shelf && type != EqBandType::Peak) return;

    double g = filter ? 12.0 : gainDb;
    const bool positive = g >= 0.0;
    if (g < 0.0) g = -g;
    const bool deep = type == EqBandType::HighPass24 || type == EqBandType::LowPass24;

    const FilterWord* list;
    if (type == EqBandType::Peak)
        list = DesignPeaking(0.25, q, g, 2);
    else if (type == EqBandType::LowShelf || lowPass)
        list = DesignButterworthLowPass(0.25, 2);
    else
        list = DesignButterworthHighPass(0.25, 2);
    double max = 0.0, min = 0.0;
    const MagnitudeRecord* table = SampleMagnitude(list, 0.0, 0.5, N, &max, &min);
    // A flat band (a Peak at 0 dB) has nothing to scale; it adds nothing.
    if (!table || !(max - min > 1e-12 * max)) {
        if (lit)
            for (int j = 0; j < N; ++j)
                litCurve[j] = 0.0f;
        return;
    }
    for (int j = 0; j < N; ++j)
        Shape[j] = table[j].lower;

    const EqReshape reshape = EqReshapeFor(type);
    if (shelf) {
        Compress(reshape.factor);
        Refill(reshape);
    } else if (highPass) {
        Compress(reshape.factor);
        const float slope = static_cast<float>(Scratch[HighPassSlopeAt + 2] - Scratch[HighPassSlopeAt + 1]);
        for (int k = HighPassSlopeAt; k >= 1; --k)
            Scratch[k] = Scratch[k + 1] - slope;
        Refill(reshape);
        for (int k = FloorDiv4(reshape.start - 3) + 8; k >= 1; --k)
            Shape[k] = Shape[k + 1] - slope;
    } else if (lowPass) {
        Compress(reshape.factor);
        const float slope = static_cast<float>(Scratch[LowPassSlopeAt - 1] - Scratch[LowPassSlopeAt - 2]);
        for (int k = LowPassSlopeAt; k < N; ++k)
            Scratch[k] = Scratch[k - 1] + slope;
        Refill(reshape);
        for (int k = FloorDiv4(reshape.start + 4 * reshape.end - 3) - 8; k < N; ++k)
            Shape[k] = Shape[k - 1] + slope;
    }

    // Shift the design centre (sample 255) onto the band's own sample P.
    const int centre = EqCentreSample(plotW, freqHz);
    const int shift = N / 2 - centre - 1;
    for (int j = 0; j < N + 8; ++j) {
        int from = j + shift;
        Scratch[j] = from < 1 ? Shape[0] : from >= N ? Shape[N - 1] : Shape[from];
    }

    // A high-pass placed right of the middle would show the flat start of the shape at the left edge;
    // its skirt is continued there instead, and the curve falls away at the very edge.
    if (highPass && centre >= N / 2) {
        const int k0 = centre - N / 2 + 5;
        const double slope = Scratch[k0 + 2] - Scratch[k0 + 1];
        for (int k = k0; k >= 1; --k)
            Scratch[k] = Scratch[k + 1] - slope;
        Scratch[0] = -60.0;
    }

    const double range = max - min;
    for (int j = 0; j < N; ++j) {
        double v;
        if (!filter) {
            v = (Scratch[j] - min) / range * g;
        } else {
            if (deep) Scratch[j] = 2.0 * Scratch[j];
            v = (Scratch[j] - min) / range * 12.0 - (deep ? 24.0 : 12.0);
        }
        if (!positive) v = -v;
        sumCurve[j] += static_cast<float>(v);
        if (lit) litCurve[j] = static_cast<float>(v);
    }
}
