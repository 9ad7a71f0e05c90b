// SPDX-License-Identifier: GPL-3.0-or-later
// The frequency table and the three text parsers, with texts as a user types them.
#include "eq/EqValues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

using Parser = float (*)(char*, int32_t*);

// Parses `typed` and checks the text written back and the code.
void ExpectParse(Parser parse, const char* typed, const char* text, int32_t code) {
    char buffer[1024];
    std::strcpy(buffer, typed);
    int32_t got = -999;
    parse(buffer, &got);
    EXPECT_STREQ(buffer, text) << "typed \"" << typed << "\"";
    EXPECT_EQ(got, code) << "typed \"" << typed << "\"";
}

float ValueOf(Parser parse, const char* typed) {
    char buffer[1024];
    std::strcpy(buffer, typed);
    int32_t code;
    return parse(buffer, &code);
}

// Every code's own "%.1f" text reads back as that code.
void ExpectCodesRoundTrip(Parser parse, int last, double step, double first) {
    for (int code = 0; code <= last; ++code) {
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", code * step + first);
        int32_t back = -1;
        parse(text, &back);
        EXPECT_EQ(back, code) << text;
    }
}

} // namespace

TEST(EqFreqTable, EndsAndSpacing) {
    EXPECT_FLOAT_EQ(EqFreqTable[0], 19.8f);
    EXPECT_FLOAT_EQ(EqFreqTable[59], 100.0f);
    EXPECT_FLOAT_EQ(EqFreqTable[143], 1000.0f);
    EXPECT_FLOAT_EQ(EqFreqTable[255], 21513.0f);
    for (int i = 1; i < EqFreqCount; ++i) {
        EXPECT_GT(EqFreqTable[i] / EqFreqTable[i - 1], 1.02f) << i;
        EXPECT_LT(EqFreqTable[i] / EqFreqTable[i - 1], 1.034f) << i;
    }
}

TEST(ParseFreqText, NearestTableEntry) {
    ExpectParse(ParseFreqText, "1000", "1000", 143);
    ExpectParse(ParseFreqText, "5", "19.8", 0);
    ExpectParse(ParseFreqText, "30000", "21513", 255);
    EXPECT_FLOAT_EQ(ValueOf(ParseFreqText, "30000"), 21513.0f);
    ExpectParse(ParseFreqText, "1010", "1000", 143);
    ExpectParse(ParseFreqText, "1015", "1028", 144);
    ExpectParse(ParseFreqText, "980", "973.0", 142); // below 1000 Hz one decimal stays
    ExpectParse(ParseFreqText, "53.3", "53.3", 36);
    // Half way between 100 and 103 (both exact in binary): the lower entry wins.
    ExpectParse(ParseFreqText, "101.5", "100.0", 59);
    ExpectParse(ParseFreqText, "", "19.8", 0);
    ExpectParse(ParseFreqText, "hello", "19.8", 0);
    ExpectParse(ParseFreqText, "-500", "19.8", 0);
    ExpectParse(ParseFreqText, "1e30", "21513", 255);
}

TEST(ParseGainText, TheGridOfFifthsTowardsZero) {
    ExpectParse(ParseGainText, "3.5", "3.4", 137);
    ExpectParse(ParseGainText, "3.3", "3.2", 136);
    ExpectParse(ParseGainText, "-3.3", "-3.2", 104);
    ExpectParse(ParseGainText, "0.005", "0.0", 120);
    ExpectParse(ParseGainText, "13", "12.0", 180);
    ExpectParse(ParseGainText, "-30", "-24.0", 0);
    ExpectParse(ParseGainText, "6", "6.0", 150);
    ExpectParse(ParseGainText, "loud", "0.0", 120);
    // A small cut rounds to zero and reads as zero, never as "-0.0".
    ExpectParse(ParseGainText, "-0.05", "0.0", 120);
    EXPECT_NEAR(ValueOf(ParseGainText, "-3.3"), -3.2f, 0.002f);
    EXPECT_EQ(ValueOf(ParseGainText, "0.005"), 0.0f);
    ExpectCodesRoundTrip(ParseGainText, 180, 0.2, -24.0);
}

TEST(ParseQText, CodeAndTextAgree) {
    ExpectParse(ParseQText, "2.5", "2.4", 11);
    EXPECT_NEAR(ValueOf(ParseQText, "2.5"), 2.4f, 0.003f);
    ExpectParse(ParseQText, "0.1", "0.2", 0);
    ExpectParse(ParseQText, "-7", "0.2", 0);
    ExpectParse(ParseQText, "none", "0.2", 0);
    ExpectParse(ParseQText, "40", "36.0", 179);
    ExpectParse(ParseQText, "36.2", "36.0", 179);
    ExpectParse(ParseQText, "1e30", "36.0", 179);
    ExpectParse(ParseQText, "3", "3.0", 14);
    EXPECT_FLOAT_EQ(ValueOf(ParseQText, "40"), 36.0f);
    ExpectCodesRoundTrip(ParseQText, 179, 0.2, 0.2);
}

// A number too large for a float takes the box's limit, whichever way it is written.
TEST(Parsers, HugeNumbersTakeTheUpperLimit) {
    for (const char* huge : {"1e50", "inf", "+INF", "99e99"}) {
        ExpectParse(ParseGainText, huge, "12.0", 180);
        ExpectParse(ParseFreqText, huge, "21513", 255);
        ExpectParse(ParseQText, huge, "36.0", 179);
    }
    ExpectParse(ParseGainText, "-1e50", "-24.0", 0);
    ExpectParse(ParseGainText, "1e-50", "0.0", 120);
    ExpectParse(ParseGainText, "nan", "0.0", 120);
}
