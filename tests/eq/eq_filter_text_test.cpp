// SPDX-License-Identifier: GPL-3.0-or-later
// Filters from a measurement program's text: the example a room tuning gives, snapped to codes worked
// out by hand; what is refused, with its line; every code written and read back the same.
#include "eq/EqFilterText.h"

#include <gtest/gtest.h>

namespace {

const char* const Example = "Preamp: -4.2 dB\n"
                            "Filter 1: ON PK Fc 63.0 Hz Gain -5.0 dB Q 4.00\n"
                            "Filter 2: ON LSC Fc 105 Hz Gain 3.0 dB Q 0.71\n"
                            "Filter 3: ON HSC Fc 8000 Hz Gain -2.5 dB Q 0.71\n"
                            "Filter 4: OFF PK Fc 1000 Hz Gain 0 dB Q 1\n";

bool operator==(const EqBandCodes& a, const EqBandCodes& b) {
    return a.type == b.type && a.freq == b.freq && a.gain == b.gain && a.q == b.q;
}

} // namespace

TEST(EqFilterText, TheExampleSnapsToTheCodesWorkedOutByHand) {
    EqFilterImport in = ReadEqFilters(Example, 15);
    ASSERT_EQ(in.problem, "");
    ASSERT_EQ(in.bands.size(), 3u) << "the OFF filter is passed over";
    // 63 Hz: the nearest table frequency is 62.8 (code 42); -5.0 dB is (-5 + 24) * 5 = 95; Q 4 is
    // 4 * 5 - 1 = 19.
    EXPECT_TRUE((in.bands[0] == EqBandCodes{0, 42, 95, 19}));
    // 105 Hz: 106.0 (61); +3.0 dB: 135; Q 0.71 goes down to the even tenth 0.6: code 2.
    EXPECT_TRUE((in.bands[1] == EqBandCodes{1, 61, 135, 2}));
    // 8000 Hz: 8023 (219); -2.5 dB goes towards 0 on the 0.2 dB grid, -2.4: 108.
    EXPECT_TRUE((in.bands[2] == EqBandCodes{2, 219, 108, 2}));
    EXPECT_TRUE(in.preampIgnored);
    EXPECT_NEAR(in.worstHzPercent, 100.0 / 105.0, 1e-3); // 105 Hz became 106
    EXPECT_NEAR(in.worstDb, 0.1, 1e-6);
    EXPECT_NEAR(in.worstQ, 0.11, 1e-6);
    EXPECT_EQ(ReadEqFilters(Example, 3).bands.size(), 3u) << "three filters ON fit three bands";
}

TEST(EqFilterText, WhatCannotBeTakenIsRefusedWithItsLine) {
    struct Case {
        const char* text;
        int line;
        const char* says;
    } cases[] = {
        {"Filter 1: ON PK Fc 63 Hz Gain -5 dB Q 4\nFilter 2: ON PK Fc 90 Hz Gain 1 dB Q 1\n"
         "Filter 3: ON PK Fc 200 Hz Gain 1 dB Q 1\nFilter 4: ON PK Fc 900 Hz Gain 1 dB Q 1\n",
         4, "more filters are ON than the 3 bands"},
        {"# from a measurement\n\nFilter 1: ON LP Fc 80 Hz\n", 3, "'LP' filters cannot be taken"},
        {"Filter 1: ON PK Fc 63 Hz Gain 15 dB Q 4\n", 1, "15 dB is beyond"},
        {"Filter 1: ON PK Fc 10 Hz Gain 1 dB Q 4\n", 1, "10 Hz is beyond"},
        {"Filter 1: ON PK Fc 63 Hz Gain 1 dB Q 40\n", 1, "Q 40 is beyond"},
        {"Filter 1: ON PK Fc 63 Hz Gain 1 dB\n", 1, "needs Fc, Gain and Q"},
        {"Filter 1: ON PK Fc 63 Hz Gain 1 dB BW Oct 1\n", 1, "'BW' cannot be taken"},
        {"Filter 1: ON PK Fc sixty Hz Gain 1 dB Q 1\n", 1, "is not a number"},
        {"Channel: L\n", 1, "not a filter line"},
        {"Filter 1: OFF PK Fc 63 Hz Gain 1 dB Q 1\n", 0, "no filter is ON"},
    };
    for (const Case& c : cases) {
        EqFilterImport in = ReadEqFilters(c.text, 3);
        EXPECT_NE(in.problem.find(c.says), std::string::npos) << c.text << " said: " << in.problem;
        EXPECT_EQ(in.problemLine, c.line) << c.text;
        EXPECT_TRUE(in.bands.empty()) << c.text;
    }
    // A shelf may leave its Q out; CRLF line ends are read as well.
    EqFilterImport shelf = ReadEqFilters("Filter 1: ON LS Fc 100 Hz Gain 2 dB\r\n", 3);
    ASSERT_EQ(shelf.bands.size(), 1u) << shelf.problem;
    EXPECT_EQ(shelf.bands[0].q, 2);
}

TEST(EqFilterText, EveryCodeWrittenIsReadBackTheSame) {
    std::vector<EqBandCodes> bands;
    for (int i = 0; i < 256; ++i)
        bands.push_back({static_cast<uint8_t>(i % 3), static_cast<uint8_t>(i), static_cast<uint8_t>(i % 181),
                         static_cast<uint8_t>(i % 180)});
    for (size_t first = 0; first < bands.size(); first += 15) {
        std::vector<EqBandCodes> run(bands.begin() + static_cast<long>(first),
                                     bands.begin() + static_cast<long>(std::min(first + 15, bands.size())));
        std::string text = WriteEqFilters(run);
        EqFilterImport back = ReadEqFilters(text, 15);
        ASSERT_EQ(back.problem, "") << text;
        ASSERT_EQ(back.bands.size(), run.size());
        for (size_t i = 0; i < run.size(); ++i)
            EXPECT_TRUE(back.bands[i] == run[i]) << text;
    }
    EXPECT_EQ(WriteEqFilters({{0, 42, 95, 19}, {1, 61, 135, 2}}),
              "Filter 1: ON PK Fc 62.8 Hz Gain -5.0 dB Q 4.00\n"
              "Filter 2: ON LSC Fc 106.0 Hz Gain 3.0 dB Q 0.60\n");
}
