// SPDX-License-Identifier: GPL-3.0-or-later
// One band's curve on the graph's axis. Sample positions are worked out by hand from the reshaping
// constants: a shape sample i lands on curve sample i - s, with s = 255 - P.
#include "eq/EqGraph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int PlotW = 554; // a 600-pixel graph

using Curve = std::array<float, EqCurveCapacity>;

Curve Draw(EqBandType type, float freqHz, float q, float gainDb) {
    Curve sum{};
    Curve lit{};
    EqBandCurve(PlotW, 276, sum.data(), type, freqHz, q, gainDb, 1, lit.data());
    for (int j = 0; j < EqCurveSamples; ++j)
        EXPECT_EQ(sum[j], lit[j]) << j;
    return sum;
}

int CountAbove(const Curve& c, float level) {
    return static_cast<int>(
        std::count_if(c.begin(), c.begin() + EqCurveSamples, [&](float v) { return v > level; }));
}

} // namespace

TEST(EqBandCurve, LowShelfAtOneKilohertz) {
    // Full gain while the shape is still at its flat start (i <= ceil(558 / 4) = 140, so j <= 186);
    // the transition ends E = 197 samples later (i = 336, j = 382); then 0 dB.
    Curve c = Draw(EqBandType::LowShelf, 1000.0f, 1.0f, 6.0f);
    for (int j = 0; j <= 186; ++j)
        ASSERT_EQ(c[j], 6.0f) << j;
    EXPECT_GT(c[382], 0.0f);
    for (int j = 383; j < EqCurveSamples; ++j)
        ASSERT_NEAR(c[j], 0.0f, 1e-12f) << j;
    for (int j = 1; j < EqCurveSamples; ++j)
        ASSERT_LE(c[j], c[j - 1]) << j;
    // The design's corner (shape sample 255, compressed to 98, refilled at 238) lies just below the
    // band's own sample 301; half the gain is reached at the band's frequency.
    auto first = [&](float level) {
        return std::find_if(c.begin(), c.end(), [&](float v) { return v < level; }) - c.begin();
    };
    EXPECT_NEAR(first(6.0f * 0.7071f), 284, 2);
    EXPECT_NEAR(first(3.0f), 301, 2);
}

TEST(EqBandCurve, HighShelfCutAtOneKilohertz) {
    // 0 dB up to i = ceil(688 / 4) = 172 (j = 218), then the transition down to the full cut.
    Curve c = Draw(EqBandType::HighShelf, 1000.0f, 1.0f, -6.0f);
    for (int j = 0; j <= 218; ++j)
        ASSERT_EQ(c[j], 0.0f) << j;
    EXPECT_LT(c[219], 0.0f);
    for (int j = 416; j < EqCurveSamples; ++j)
        ASSERT_FLOAT_EQ(c[j], -6.0f) << j;
    for (int j = 1; j < EqCurveSamples; ++j)
        ASSERT_LE(c[j], c[j - 1]) << j;
}

TEST(EqBandCurve, PeakCentredOnItsFrequency) {
    Curve c = Draw(EqBandType::Peak, 1000.0f, 3.0f, 9.0f);
    EXPECT_FLOAT_EQ(*std::max_element(c.begin(), c.begin() + EqCurveSamples), 9.0f);
    EXPECT_FLOAT_EQ(c[301], 9.0f);
    EXPECT_NEAR(c[0], 0.0f, 0.05f);
    EXPECT_NEAR(c[511], 0.0f, 0.05f);
    // The cookbook peak is symmetric about a quarter of the sample rate.
    for (int d = 1; d < 100; ++d)
        ASSERT_NEAR(c[301 - d], c[302 + d], 1e-5f) << d;

    Curve cut = Draw(EqBandType::Peak, 1000.0f, 3.0f, -9.0f);
    for (int j = 0; j < EqCurveSamples; ++j)
        ASSERT_EQ(cut[j], -c[j]) << j;

    Curve narrow = Draw(EqBandType::Peak, 1000.0f, 8.0f, 9.0f);
    Curve wide = Draw(EqBandType::Peak, 1000.0f, 0.8f, 9.0f);
    EXPECT_LT(CountAbove(narrow, 4.5f), CountAbove(c, 4.5f));
    EXPECT_LT(CountAbove(c, 4.5f), CountAbove(wide, 4.5f));
}

TEST(EqBandCurve, FlatBandAddsNothing) {
    Curve sum;
    sum.fill(1.5f);
    Curve lit;
    lit.fill(7.0f);
    EqBandCurve(PlotW, 276, sum.data(), EqBandType::Peak, 1000.0f, 3.0f, 0.0f, 1, lit.data());
    for (int j = 0; j < EqCurveCapacity; ++j)
        ASSERT_EQ(sum[j], 1.5f) << j;
    for (int j = 0; j < EqCurveSamples; ++j)
        ASSERT_EQ(lit[j], 0.0f) << j;
}

TEST(EqBandCurve, FilterBandsAreTwelveOrTwentyFourDeep) {
    Curve hp = Draw(EqBandType::HighPass12, 100.0f, 1.0f, 0.0f);
    Curve hp24 = Draw(EqBandType::HighPass24, 100.0f, 1.0f, 0.0f);
    EXPECT_NEAR(hp[511], 0.0f, 1e-3f);
    for (int j = 1; j < EqCurveSamples; ++j)
        ASSERT_GE(hp[j], hp[j - 1]) << j;
    for (int j = 0; j < EqCurveSamples; ++j)
        ASSERT_NEAR(hp24[j], 2 * hp[j], 1e-4f) << j;
    // The corner (|H| = 0.707 of the design) lands by the band's own sample, 150.
    auto corner = std::find_if(hp.begin(), hp.end(), [](float v) { return v > -3.5f; }) - hp.begin();
    EXPECT_NEAR(corner, 150, 4);
    // Left of the corner the skirt goes on as a straight line, below the 12 dB floor.
    EXPECT_LT(hp[40], -12.0f);
    EXPECT_NEAR(hp[30] - hp[31], hp[31] - hp[32], 1e-4f);

    Curve lp = Draw(EqBandType::LowPass12, 1000.0f, 1.0f, 0.0f);
    Curve lp24 = Draw(EqBandType::LowPass24, 1000.0f, 1.0f, 0.0f);
    EXPECT_NEAR(lp[0], 0.0f, 1e-3f);
    for (int j = 1; j < EqCurveSamples; ++j)
        ASSERT_LE(lp[j], lp[j - 1] + 1e-6f) << j;
    for (int j = 0; j < EqCurveSamples; ++j)
        ASSERT_NEAR(lp24[j], 2 * lp[j], 1e-4f) << j;
    corner = std::find_if(lp.begin(), lp.end(), [](float v) { return v < -3.5f; }) - lp.begin();
    EXPECT_NEAR(corner, 301, 6);
    EXPECT_LT(lp[480], -12.0f);
}

TEST(EqBandCurve, FrequenciesOffTheAxisStayFinite) {
    for (float f : {0.0f, -5.0f, 1e-30f, 1e9f}) {
        for (EqBandType type :
             {EqBandType::Peak, EqBandType::LowShelf, EqBandType::HighPass12, EqBandType::LowPass24}) {
            Curve c = Draw(type, f, 1.0f, 6.0f);
            for (int j = 0; j < EqCurveSamples; ++j)
                ASSERT_FALSE(std::isnan(c[j])) << f << " " << j;
        }
    }
}
