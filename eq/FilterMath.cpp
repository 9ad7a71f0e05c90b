// SPDX-License-Identifier: GPL-3.0-or-later
#include "eq/FilterMath.h"

#include <cmath>
#include <numbers>

namespace {

FilterWorkspace Workspace;

// Worst case of ZToStages: three words per pole, per zero and for the gain stage.
constexpr int ButterworthListWords = 3 * (2 * FilterWorkspaceCapacity + 1);
FilterWord ButterworthList[ButterworthListWords];

// Two stages of three coefficients, stacked up to the workspace's order limit.
constexpr int PeakingListWords = FilterWorkspaceCapacity * (6 + 2) + 1;
FilterWord PeakingList[PeakingListWords];

MagnitudeRecord MagnitudeTable[MagnitudeTableCapacity];

// Writes one stage at `pos` and returns the position after it.
int PutStage(FilterWord* list, int pos, int16_t kind, int16_t constFlags, int32_t count,
             const double* coefs) {
    list[pos].stage = FilterStage{kind, constFlags, count};
    for (int k = 0; k < count; ++k)
        list[pos + 1 + k].coef = coefs[k];
    return pos + 1 + count;
}

void ClearWords(FilterWord* list, int words) {
    for (int k = 0; k < words; ++k)
        list[k].stage = FilterStage{0, 0, 0};
}

// Maps one run of workspace values through z = (2 + s) / (2 - s).
void BilinearValues(double* values, const uint8_t* types, int count) {
    for (int a = 0; a < count;) {
        if (types[a] == FilterValueComplex && a + 1 < count) {
            Complex top{2.0 + values[a], values[a + 1]};
            Complex bottom{2.0 - values[a], -values[a + 1]};
            top.Div(bottom);
            values[a] = top.re;
            values[a + 1] = top.im;
            a += 2;
        } else {
            double v = values[a];
            values[a] = v == FilterZeroAtInfinity ? -1.0 : (2.0 + v) / (2.0 - v);
            a += 1;
        }
    }
}

// The quadratic [1, -(v0 + v1), v0 v1] of a real pair, or [1, -2r, r^2 + i^2] of a complex pair.
void PairPolynomial(const double* values, const uint8_t* types, int a, double coefs[3]) {
    double v0 = values[a];
    double v1 = values[a + 1];
    coefs[0] = 1.0;
    if (types[a] == FilterValueComplex) {
        coefs[1] = -2.0 * v0;
        coefs[2] = v0 * v0 + v1 * v1;
    } else {
        coefs[1] = -(v0 + v1);
        coefs[2] = v0 * v1;
    }
}

const FilterWord* DesignButterworth(double f, int order, bool highPass) {
    if (ButterworthPrototype(order) != 0) return nullptr;
    if (highPass)
        ToHighPass(Prewarp(f));
    else
        ToLowPass(Prewarp(f));
    BilinearZ();
    // ZToStages always begins with the one-coefficient gain stage; its word 1 is that coefficient.
    FilterWord* list = ButterworthList;
    ZToStages(1.0, -1);
    list[1].coef = 1.0 / FilterMagnitude(list, highPass ? 0.5 : 0.0);
    return list;
}

} // namespace

void Complex::Mul(const Complex& b) {
    double r = re * b.re - im * b.im;
    double i = re * b.im + im * b.re;
    re = r;
    im = i;
}

void Complex::Div(const Complex& b) {
    double r = re * b.re + im * b.im;
    double i = im * b.re - re * b.im;
    // Dividing (rather than scaling by the reciprocal) keeps x / x exactly 1, so a flat response
    // samples as exactly flat.
    double norm = b.re * b.re + b.im * b.im;
    re = r / norm;
    im = i / norm;
}

void Complex::Recip() {
    double scale = 1.0 / (re * re + im * im);
    re *= scale;
    im = -im * scale;
}

void Complex::Add(double addRe, double addIm) {
    re += addRe;
    im += addIm;
}

void Complex::Set(const Complex& b) {
    *this = b;
}

void Complex::SetPolar(double theta) {
    re = std::cos(theta);
    im = std::sin(theta);
}

const FilterWorkspace& DesignWorkspace() {
    return Workspace;
}

double Prewarp(double f) {
    return std::tan(std::numbers::pi * f) / std::numbers::pi;
}

int ButterworthPrototype(int order) {
    Workspace.poleCount = 0;
    Workspace.zeroCount = 0;
    if (order < 1 || order > FilterWorkspaceCapacity) return -1;
    int n = order;
    Workspace.poleCount = n;
    int a = 0;
    for (; a < n - 1; a += 2) {
        double theta = std::numbers::pi - (n - a - 1) * 0.5 * std::numbers::pi / n;
        Workspace.poleTypes[a] = FilterValueComplex;
        Workspace.poleTypes[a + 1] = FilterValueImagPart;
        Workspace.poles[a] = std::cos(theta);
        Workspace.poles[a + 1] = std::sin(theta);
    }
    if (a < n) {
        Workspace.poleTypes[a] = FilterValueReal;
        Workspace.poles[a] = -1.0;
    }
    return 0;
}

void ToLowPass(double f) {
    double w = 2.0 * std::numbers::pi * f;
    for (int a = 0; a < Workspace.poleCount; ++a)
        Workspace.poles[a] *= w;
    Workspace.zeroCount = Workspace.poleCount;
    for (int a = 0; a < Workspace.zeroCount; ++a) {
        Workspace.zeros[a] = FilterZeroAtInfinity;
        Workspace.zeroTypes[a] = FilterValueReal;
    }
}

void ToHighPass(double f) {
    double w = 2.0 * std::numbers::pi * f;
    for (int a = 0; a < Workspace.poleCount;) {
        if (Workspace.poleTypes[a] == FilterValueComplex && a + 1 < Workspace.poleCount) {
            Complex p{Workspace.poles[a], Workspace.poles[a + 1]};
            p.Recip();
            Workspace.poles[a] = p.re * w;
            Workspace.poles[a + 1] = p.im * w;
            a += 2;
        } else {
            Workspace.poles[a] = w / Workspace.poles[a];
            a += 1;
        }
    }
    Workspace.zeroCount = Workspace.poleCount;
    for (int a = 0; a < Workspace.zeroCount; ++a) {
        Workspace.zeros[a] = 0.0;
        Workspace.zeroTypes[a] = FilterValueReal;
    }
}

void BilinearZ() {
    BilinearValues(Workspace.poles, Workspace.poleTypes, Workspace.poleCount);
    BilinearValues(Workspace.zeros, Workspace.zeroTypes, Workspace.zeroCount);
}

const FilterWord* ZToStages(double gain, int constFlag) {
    FilterWord* list = ButterworthList;
    const int poles = Workspace.poleCount;
    const int zeros = Workspace.zeroCount;
    ClearWords(list, 3 * (poles + zeros + 1));
    const int16_t zeroFlags = static_cast<int16_t>(constFlag & 0xFFFF);

    int pos = PutStage(list, 0, FilterStageNumerator, 0, 1, &gain);
    int a = 0;
    for (; a <= poles - 2 && a <= zeros - 2; a += 2) {
        double coefs[3];
        PairPolynomial(Workspace.poles, Workspace.poleTypes, a, coefs);
        pos = PutStage(list, pos, FilterStageDenominator, 0, 3, coefs);
        // A design that marks its zeros as constant leaves out numerators that are exactly z^2.
        if (constFlag != 0 && Workspace.zeros[a] == 0.0 && Workspace.zeros[a + 1] == 0.0) continue;
        PairPolynomial(Workspace.zeros, Workspace.zeroTypes, a, coefs);
        pos = PutStage(list, pos, FilterStageNumerator, zeroFlags, 3, coefs);
    }
    if (poles - a == 1 && zeros - a == 1) {
        double pole[2] = {1.0, -Workspace.poles[a]};
        pos = PutStage(list, pos, FilterStageDenominator, 0, 2, pole);
        if (!(constFlag != 0 && Workspace.zeros[a] == 0.0)) {
            double zero[2] = {1.0, -Workspace.zeros[a]};
            pos = PutStage(list, pos, FilterStageNumerator, zeroFlags, 2, zero);
        }
    }
    list[pos].stage = FilterStage{FilterStageEnd, 0, 0};
    return list;
}

const FilterWord* DesignButterworthLowPass(double f, int order) {
    return DesignButterworth(f, order, false);
}

const FilterWord* DesignButterworthHighPass(double f, int order) {
    return DesignButterworth(f, order, true);
}

const FilterWord* StackStages(int order, int stageCount, int coefficientCount,
                              const FilterStageDesc* stages) {
    if (order < 1 || stageCount < 0 || coefficientCount < 0) return nullptr;
    const long words = static_cast<long>(order) * (coefficientCount + stageCount) + 1;
    if (words > PeakingListWords) return nullptr;
    int given = 0;
    for (int k = 0; k < stageCount; ++k)
        given += stages[k].count < 0 ? 0 : stages[k].count;
    if (given > coefficientCount) return nullptr;

    FilterWord* list = PeakingList;
    ClearWords(list, static_cast<int>(words));
    int pos = 0;
    for (int run = 0; run < order; ++run)
        for (int k = 0; k < stageCount; ++k) {
            const FilterStageDesc& s = stages[k];
            if (s.count <= 0) continue; // a stage of count 0 would end the list early
            pos = PutStage(list, pos, s.kind, s.constFlags, s.count, s.coefs);
        }
    list[pos].stage = FilterStage{FilterStageEnd, 0, 0};
    return list;
}

const FilterWord* DesignPeaking(double f, double q, double gainDb, int order) {
    if (order < 1 || order > FilterWorkspaceCapacity) return nullptr;
    double w = 2.0 * std::numbers::pi * f;
    double c = std::cos(w);
    double s = std::sin(w);
    double alpha = s / (2.0 * q);
    double A = std::pow(10.0, gainDb / 40.0);
    const double bottom[3] = {1.0 + alpha / A, -2.0 * c, 1.0 - alpha / A};
    const double top[3] = {1.0 + alpha * A, -2.0 * c, 1.0 - alpha * A};
    const FilterStageDesc pair[2] = {
        {FilterStageDenominator, 0, 3, bottom},
        {FilterStageNumerator, 0, 3, top},
    };
    return StackStages(order, 2, 6, pair);
}

double FilterMagnitude(const FilterWord* list, double f) {
    Complex z;
    z.SetPolar(2.0 * std::numbers::pi * f);
    Complex top{1.0, 0.0};
    Complex bottom{1.0, 0.0};
    for (const FilterWord* stage = list; stage && stage->stage.count > 0; stage = NextStage(stage)) {
        const FilterWord* coefs = stage + 1;
        Complex r{coefs[0].coef, 0.0};
        Complex power = z;
        for (int k = 1; k < stage->stage.count; ++k) {
            r.Add(coefs[k].coef * power.re, coefs[k].coef * power.im);
            power.Mul(z);
        }
        if (stage->stage.kind == FilterStageDenominator)
            bottom.Mul(r);
        else if (stage->stage.kind == FilterStageNumerator)
            top.Mul(r);
    }
    top.Div(bottom);
    return std::sqrt(top.re * top.re + top.im * top.im);
}

const MagnitudeRecord* SampleMagnitude(const FilterWord* list, double lo, double hi, int steps, double* max,
                                       double* min) {
    if (steps < 1 || steps > MagnitudeTableCapacity) {
        *max = 0.0;
        *min = 0.0;
        return nullptr;
    }
    const double step = (hi - lo) / steps;
    *max = 0.0;
    *min = 9999999.0;
    double prev = FilterMagnitude(list, lo);
    for (int i = 0; i < steps; ++i) {
        double m = FilterMagnitude(list, lo + (i + 1) * step);
        bool rising = std::fabs(m - prev) >= 1e-8 * m && m > prev;
        double lower = rising ? prev : m;
        MagnitudeTable[i].lower = lower;
        if (lower > *max) *max = lower;
        if (lower < *min) *min = lower;
        prev = m;
    }
    return MagnitudeTable;
}
