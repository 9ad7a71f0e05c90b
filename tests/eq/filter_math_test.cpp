// SPDX-License-Identifier: GPL-3.0-or-later
// The filter mathematics against closed forms: the bilinear Butterworth magnitude
// 1 / (1 + (tan(pi f) / tan(pi fc))^(2n)) and the cookbook peaking biquad's |H|^2.
#include "eq/FilterMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;

double ButterworthLowSquared(double f, double fc, int order) {
    return 1.0 / (1.0 + std::pow(std::tan(Pi * f) / std::tan(Pi * fc), 2 * order));
}

double ButterworthHighSquared(double f, double fc, int order) {
    return 1.0 / (1.0 + std::pow(std::tan(Pi * fc) / std::tan(Pi * f), 2 * order));
}

// |H|^2 of a real biquad b / a at normalised f, from cosines only.
double BiquadSquared(const double b[3], const double a[3], double f) {
    double w = 2 * Pi * f;
    auto power = [&](const double* c) {
        return c[0] * c[0] + c[1] * c[1] + c[2] * c[2] + 2 * (c[0] * c[1] + c[1] * c[2]) * std::cos(w) +
               2 * c[0] * c[2] * std::cos(2 * w);
    };
    return power(b) / power(a);
}

const double SamplePoints[] = {0.0, 0.01, 0.05, 0.1, 0.2, 0.2499, 0.25, 0.3, 0.4, 0.47, 0.5};

} // namespace

TEST(Butterworth, MagnitudeMatchesTheClosedFormAtEveryOrder) {
    for (double fc : {0.25, 0.1, 0.4}) {
        for (double f : SamplePoints) {
            SCOPED_TRACE(testing::Message() << "fc " << fc << " f " << f);
            double low = FilterMagnitude(DesignButterworthLowPass(fc, 2), f);
            EXPECT_NEAR(low * low, ButterworthLowSquared(f, fc, 2), 1e-12);
            if (f > 0.0) {
                double high = FilterMagnitude(DesignButterworthHighPass(fc, 2), f);
                EXPECT_NEAR(high * high, ButterworthHighSquared(f, fc, 2), 1e-12);
            }
        }
    }
    EXPECT_NEAR(FilterMagnitude(DesignButterworthLowPass(0.25, 2), 0.5), 0.0, 1e-12);
    EXPECT_NEAR(FilterMagnitude(DesignButterworthHighPass(0.25, 2), 0.0), 0.0, 1e-12);
    EXPECT_NEAR(FilterMagnitude(DesignButterworthHighPass(0.25, 2), 0.5), 1.0, 1e-12);
    // Odd and high orders, up to the workspace's capacity.
    for (int order : {1, 3, 5, 8, 64}) {
        for (double f : {0.05, 0.2, 0.25, 0.3}) {
            SCOPED_TRACE(testing::Message() << "order " << order << " f " << f);
            double low = FilterMagnitude(DesignButterworthLowPass(0.25, order), f);
            EXPECT_NEAR(low * low, ButterworthLowSquared(f, 0.25, order), 1e-9);
            double high = FilterMagnitude(DesignButterworthHighPass(0.25, order), f);
            EXPECT_NEAR(high * high, ButterworthHighSquared(f, 0.25, order), 1e-9);
        }
    }
}

TEST(Butterworth, OrdersBeyondTheWorkspaceAreRefused) {
    EXPECT_EQ(ButterworthPrototype(65), -1);
    EXPECT_EQ(DesignWorkspace().poleCount, 0);
    EXPECT_EQ(DesignButterworthHighPass(0.25, 1000), nullptr);
    EXPECT_EQ(DesignPeaking(0.25, 1.0, 6.0, 65), nullptr);
    // The refusal leaves later designs intact.
    double low = FilterMagnitude(DesignButterworthLowPass(0.25, 2), 0.25);
    EXPECT_NEAR(low * low, 0.5, 1e-12);
}

TEST(Peaking, MatchesTheCookbookBiquad) {
    for (double gainDb : {-12.0, -3.0, 3.0, 12.0}) {
        for (double q : {0.5, 1.4, 3.0, 10.0}) {
            double w = 2 * Pi * 0.25;
            double alpha = std::sin(w) / (2 * q);
            double A = std::pow(10.0, gainDb / 40);
            const double b[3] = {1 + alpha * A, -2 * std::cos(w), 1 - alpha * A};
            const double a[3] = {1 + alpha / A, -2 * std::cos(w), 1 - alpha / A};
            for (double f : SamplePoints) {
                SCOPED_TRACE(testing::Message() << "G " << gainDb << " q " << q << " f " << f);
                double single = FilterMagnitude(DesignPeaking(0.25, q, gainDb, 1), f);
                EXPECT_NEAR(single * single, BiquadSquared(b, a, f), 1e-12);
                // Stacked twice the response is the biquad's squared.
                double stacked = FilterMagnitude(DesignPeaking(0.25, q, gainDb, 2), f);
                EXPECT_NEAR(stacked, single * single, 1e-12);
            }
            EXPECT_NEAR(FilterMagnitude(DesignPeaking(0.25, q, gainDb, 1), 0.25), std::pow(10.0, gainDb / 20),
                        1e-12);
            EXPECT_NEAR(FilterMagnitude(DesignPeaking(0.25, q, gainDb, 1), 0.0), 1.0, 1e-12);
            EXPECT_NEAR(FilterMagnitude(DesignPeaking(0.25, q, gainDb, 1), 0.5), 1.0, 1e-12);
        }
    }
}

// A stack that would not fit the buffer is refused rather than written past it.
TEST(Peaking, AStackTooBigForTheBufferIsRefused) {
    const double coefs[3] = {1.0, 0.0, 0.0};
    const FilterStageDesc big[1] = {{'F', 0, 3, coefs}};
    EXPECT_NE(StackStages(128, 1, 3, big), nullptr);
    EXPECT_EQ(StackStages(200, 1, 3, big), nullptr);
}

TEST(SampleMagnitude, TableOfLowerMagnitudes) {
    double max = -1.0, min = -1.0;
    // A zero-gain peak is flat: every magnitude is 1.
    const MagnitudeRecord* flat =
        SampleMagnitude(DesignPeaking(0.25, 3.0, 0.0, 2), 0.0, 0.5, 512, &max, &min);
    ASSERT_NE(flat, nullptr);
    EXPECT_EQ(max, min);
    EXPECT_NEAR(flat[100].lower, 1.0, 1e-15);

    // |1 + z| = 2 cos(pi f) falls, so each record holds the new value; |1 / (1 + z)| rises, so each
    // holds the previous one.
    FilterWord list[4];
    list[0].stage = FilterStage{'F', 0, 2};
    list[1].coef = 1.0;
    list[2].coef = 1.0;
    list[3].stage = FilterStage{0, 0, 0};
    const MagnitudeRecord* table = SampleMagnitude(list, 0.0, 0.25, 4, &max, &min);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(table[i].lower, 2 * std::cos(Pi * 0.0625 * (i + 1)), 1e-12);
    EXPECT_NEAR(max, 2 * std::cos(Pi * 0.0625), 1e-12);
    EXPECT_NEAR(min, 2 * std::cos(Pi * 0.25), 1e-12);

    list[0].stage.kind = 'I';
    table = SampleMagnitude(list, 0.0, 0.25, 4, &max, &min);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(table[i].lower, 0.5 / std::cos(Pi * 0.0625 * i), 1e-12);
    EXPECT_NEAR(min, 0.5, 1e-12);

    EXPECT_EQ(SampleMagnitude(list, 0.0, 0.5, 2503, &max, &min), nullptr);
    EXPECT_NE(SampleMagnitude(list, 0.0, 0.5, 2502, &max, &min), nullptr);
}
