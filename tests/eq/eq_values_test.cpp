// The frequency table and the three text parsers, with texts as a user types them.
#include "eq/EqValues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

struct Parsed {
    std::string text;
    int32_t code;
    float value;
};

Parsed ParseText(float (*parse)(char*, int32_t*), const char* typed) {
    char text[1024];
    std::strcpy(text, typed);
    int32_t code = -999;
    float value = parse(text, &code);
    return Parsed{text, code, value};
}

} // namespace

TEST(EqFreqTable, EndsAndSpacing) {
    EXPECT_FLOAT_EQ(EqFreqTable[0], 19.8f);
    EXPECT_FLOAT_EQ(EqFreqTable[59], 100.0f);
    EXPECT_FLOAT_EQ(EqFreqTable[143], 1000.0f);
    EXPECT_FLOAT_EQ(EqFreqTable[255], 21513.0f);
    for (int i = 1; i < EqFreqCount; ++i) {
        double ratio = EqFreqTable[i] / EqFreqTable[i - 1];
        EXPECT_GT(ratio, 1.02) << i;
        EXPECT_LT(ratio, 1.034) << i;
    }
    // About 1.028 per step over 255 steps spans the table.
    EXPECT_NEAR(std::exp(std::log(EqFreqTable[255] / EqFreqTable[0]) / 255), 1.028, 0.001);
}

TEST(ParseFreqText, NearestTableEntry) {
    Parsed p = ParseText(ParseFreqText, "1000");
    EXPECT_EQ(p.code, 143);
    EXPECT_EQ(p.text, "1000.0");
    EXPECT_FLOAT_EQ(p.value, 1000.0f);

    p = ParseText(ParseFreqText, "5");
    EXPECT_EQ(p.text, "19.8");
    EXPECT_EQ(p.code, 0);
    p = ParseText(ParseFreqText, "30000");
    EXPECT_EQ(p.text, "21513.0");
    EXPECT_EQ(p.code, 255);
    EXPECT_FLOAT_EQ(p.value, 21513.0f);

    EXPECT_EQ(ParseText(ParseFreqText, "1010").code, 143);
    EXPECT_EQ(ParseText(ParseFreqText, "1015").code, 144);
    EXPECT_EQ(ParseText(ParseFreqText, "53.3").text, "53.3");
    EXPECT_EQ(ParseText(ParseFreqText, "21512").code, 255);
    // Half way between 100 and 103 (both exact in binary): the lower entry wins.
    EXPECT_EQ(ParseText(ParseFreqText, "101.5").code, 59);
    EXPECT_EQ(ParseText(ParseFreqText, "101.5").text, "100.0");
    EXPECT_EQ(ParseText(ParseFreqText, "1014").code, 143);

    EXPECT_EQ(ParseText(ParseFreqText, "").text, "19.8");
    EXPECT_EQ(ParseText(ParseFreqText, "hello").text, "19.8");
    EXPECT_EQ(ParseText(ParseFreqText, "-500").code, 0);
    EXPECT_EQ(ParseText(ParseFreqText, "1e30").code, 255);
}

TEST(ParseGainText, TheGridOfFifthsTowardsZero) {
    Parsed p = ParseText(ParseGainText, "3.5");
    EXPECT_EQ(p.text, "3.4");
    EXPECT_EQ(p.code, 137);
    p = ParseText(ParseGainText, "3.3");
    EXPECT_EQ(p.text, "3.2");
    EXPECT_EQ(p.code, 136);
    p = ParseText(ParseGainText, "-3.3");
    EXPECT_EQ(p.text, "-3.2");
    EXPECT_EQ(p.code, 104);
    EXPECT_NEAR(p.value, -3.2f, 0.002f);
    p = ParseText(ParseGainText, "0.005");
    EXPECT_EQ(p.text, "0.0");
    EXPECT_EQ(p.code, 120);
    EXPECT_EQ(p.value, 0.0f);
    p = ParseText(ParseGainText, "13");
    EXPECT_EQ(p.text, "12.0");
    EXPECT_EQ(p.code, 180);
    p = ParseText(ParseGainText, "-30");
    EXPECT_EQ(p.text, "-24.0");
    EXPECT_EQ(p.code, 0);
    EXPECT_EQ(ParseText(ParseGainText, "-24").code, 0);
    EXPECT_EQ(ParseText(ParseGainText, "-23.8").code, 1);
    EXPECT_EQ(ParseText(ParseGainText, "11.8").code, 179);
    EXPECT_EQ(ParseText(ParseGainText, "6").text, "6.0");
    EXPECT_EQ(ParseText(ParseGainText, "6").code, 150);

    // Every code's own text reads back as that code.
    for (int code = 0; code <= 180; ++code) {
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", code * 0.2 - 24);
        int32_t back = -1;
        ParseGainText(text, &back);
        EXPECT_EQ(back, code) << text;
    }

    p = ParseText(ParseGainText, "loud");
    EXPECT_EQ(p.text, "0.0");
    EXPECT_EQ(p.code, 120);
    // A small cut rounds to zero and reads as zero, never as "-0.0".
    p = ParseText(ParseGainText, "-0.05");
    EXPECT_EQ(p.text, "0.0");
    EXPECT_EQ(p.code, 120);
}

TEST(ParseQText, CodeAndTextAgree) {
    Parsed p = ParseText(ParseQText, "2.5");
    EXPECT_EQ(p.code, 11);
    EXPECT_EQ(p.text, "2.4");
    EXPECT_NEAR(p.value, 2.4f, 0.003f);
    p = ParseText(ParseQText, "0.1");
    EXPECT_EQ(p.text, "0.2");
    EXPECT_EQ(p.code, 0);
    EXPECT_FLOAT_EQ(p.value, 0.2f);
    p = ParseText(ParseQText, "-7");
    EXPECT_EQ(p.text, "0.2");
    EXPECT_EQ(p.code, 0);
    p = ParseText(ParseQText, "40");
    EXPECT_EQ(p.text, "36.0");
    EXPECT_EQ(p.code, 179);
    EXPECT_FLOAT_EQ(p.value, 36.0f);
    EXPECT_EQ(ParseText(ParseQText, "36.2").code, 179);
    EXPECT_EQ(ParseText(ParseQText, "1e30").code, 179);
    EXPECT_EQ(ParseText(ParseQText, "35.8").code, 178);
    EXPECT_EQ(ParseText(ParseQText, "3").code, 14);
    EXPECT_EQ(ParseText(ParseQText, "3").text, "3.0");
    EXPECT_EQ(ParseText(ParseQText, "none").text, "0.2");

    for (int code = 0; code <= 179; ++code) {
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", code * 0.2 + 0.2);
        int32_t back = -1;
        ParseQText(text, &back);
        EXPECT_EQ(back, code) << text;
    }
}

TEST(Log10f, FloatOfTheDoubleLogarithm) {
    EXPECT_EQ(Log10f(1000.0f), 3.0f);
    EXPECT_EQ(Log10f(10.0f), 1.0f);
    EXPECT_FLOAT_EQ(Log10f(2.0f), 0.30103f);
}
