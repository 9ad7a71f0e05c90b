// SPDX-License-Identifier: GPL-3.0-or-later
#include "eq/EqValues.h"

#include <charconv>
#include <cfloat>
#include <cmath>
#include <cstring>

// Rises by about 1.028 per step; stored rounded to 0.1 Hz below 100 Hz and to 1 Hz above.
const float EqFreqTable[EqFreqCount] = {
    // clang-format off
    19.8f, 20.4f, 21.0f, 21.6f, 22.2f, 22.8f, 23.4f, 24.1f,
    24.8f, 25.4f, 26.1f, 26.9f, 27.6f, 28.4f, 29.2f, 30.0f,
    30.8f, 31.7f, 32.6f, 33.5f, 34.4f, 35.3f, 36.3f, 37.3f,
    38.4f, 39.4f, 40.5f, 41.7f, 42.8f, 44.0f, 45.2f, 46.5f,
    47.8f, 49.1f, 50.5f, 51.9f, 53.3f, 54.8f, 56.3f, 57.9f,
    59.5f, 61.1f, 62.8f, 64.6f, 66.4f, 68.2f, 70.1f, 72.0f,
    74.0f, 76.1f, 78.2f, 80.4f, 82.6f, 84.9f, 87.3f, 89.7f,
    92.2f, 94.8f, 97.4f, 100.0f, 103.0f, 106.0f, 109.0f, 112.0f,
    115.0f, 118.0f, 121.0f, 125.0f, 128.0f, 132.0f, 135.0f, 139.0f,
    143.0f, 147.0f, 151.0f, 155.0f, 159.0f, 164.0f, 168.0f, 173.0f,
    178.0f, 183.0f, 188.0f, 193.0f, 199.0f, 204.0f, 210.0f, 216.0f,
    222.0f, 228.0f, 234.0f, 241.0f, 247.0f, 254.0f, 261.0f, 268.0f,
    276.0f, 284.0f, 291.0f, 300.0f, 308.0f, 316.0f, 325.0f, 334.0f,
    344.0f, 353.0f, 363.0f, 373.0f, 383.0f, 394.0f, 405.0f, 416.0f,
    428.0f, 440.0f, 452.0f, 464.0f, 477.0f, 490.0f, 504.0f, 518.0f,
    532.0f, 547.0f, 562.0f, 578.0f, 594.0f, 611.0f, 628.0f, 645.0f,
    663.0f, 681.0f, 700.0f, 720.0f, 740.0f, 760.0f, 781.0f, 803.0f,
    825.0f, 848.0f, 872.0f, 896.0f, 921.0f, 947.0f, 973.0f, 1000.0f,
    1028.0f, 1056.0f, 1086.0f, 1116.0f, 1147.0f, 1179.0f, 1211.0f, 1245.0f,
    1280.0f, 1315.0f, 1352.0f, 1389.0f, 1428.0f, 1468.0f, 1508.0f, 1550.0f,
    1593.0f, 1638.0f, 1683.0f, 1730.0f, 1778.0f, 1827.0f, 1878.0f, 1930.0f,
    1984.0f, 2039.0f, 2095.0f, 2154.0f, 2213.0f, 2275.0f, 2338.0f, 2403.0f,
    2470.0f, 2538.0f, 2609.0f, 2681.0f, 2756.0f, 2833.0f, 2911.0f, 2992.0f,
    3075.0f, 3160.0f, 3248.0f, 3339.0f, 3431.0f, 3527.0f, 3625.0f, 3725.0f,
    3829.0f, 3935.0f, 4044.0f, 4157.0f, 4272.0f, 4391.0f, 4513.0f, 4638.0f,
    4767.0f, 4900.0f, 5036.0f, 5176.0f, 5319.0f, 5467.0f, 5619.0f, 5775.0f,
    5935.0f, 6100.0f, 6270.0f, 6444.0f, 6623.0f, 6807.0f, 6996.0f, 7190.0f,
    7390.0f, 7595.0f, 7806.0f, 8023.0f, 8246.0f, 8475.0f, 8710.0f, 8952.0f,
    9201.0f, 9457.0f, 9719.0f, 9989.0f, 10267.0f, 10552.0f, 10845.0f, 11146.0f,
    11456.0f, 11774.0f, 12101.0f, 12437.0f, 12783.0f, 13138.0f, 13503.0f, 13878.0f,
    14263.0f, 14660.0f, 15067.0f, 15485.0f, 15916.0f, 16358.0f, 16812.0f, 17279.0f,
    17759.0f, 18252.0f, 18759.0f, 19280.0f, 19816.0f, 20366.0f, 20932.0f, 21513.0f,
    // clang-format on
};

namespace {

// The leading number of a text; 0 when there is none. A number too large for a float ("1e50", "inf")
// reads as the largest float of its sign, so that the parser's limit takes it. Independent of the C
// locale.
float ReadNumber(const char* text) {
    const char* p = text;
    while (*p == ' ' || *p == '\t')
        ++p;
    if (*p == '+') ++p;
    bool negative = *p == '-';
    float v = 0.0f;
    auto [end, error] = std::from_chars(p, p + std::strlen(p), v, std::chars_format::general);
    if (error == std::errc::result_out_of_range && end != p) {
        // Out of range one way or the other: a huge number keeps its sign, a tiny one is 0.
        const char* e = p;
        while (e < end && *e != 'e' && *e != 'E')
            ++e;
        bool tiny = e < end && e[1] == '-';
        return tiny ? 0.0f : negative ? -FLT_MAX : FLT_MAX;
    }
    if (error != std::errc() || std::isnan(v)) return 0.0f;
    if (std::isinf(v)) return v < 0 ? -FLT_MAX : FLT_MAX;
    return v;
}

// "%.1f" of the value (or "%.0f" with `decimals` 0), independent of the C locale.
void WriteOneDecimal(char* text, float value, int decimals = 1) {
    char digits[48];
    auto [end, error] =
        std::to_chars(digits, digits + sizeof digits - 1, value, std::chars_format::fixed, decimals);
    if (error != std::errc()) end = digits;
    *end = '\0';
    // Every value written here is limited first, so it fits the documented capacity.
    size_t length = static_cast<size_t>(end - digits);
    if (length >= EqTextMinCapacity) length = EqTextMinCapacity - 1;
    std::memcpy(text, digits, length);
    text[length] = '\0';
}

} // namespace

float ParseGainText(char* text, int32_t* code) {
    float v = ReadNumber(text);
    float value;
    if (v >= -0.01f && v < 0.01f) {
        value = 0.0f;
        std::strcpy(text, "0.0");
    } else if (v >= 12.0f) {
        value = 12.0f;
        std::strcpy(text, "12.0");
    } else if (v < -24.0f) {
        value = -24.0f;
        std::strcpy(text, "-24.0");
    } else {
        // Steps of 0.2 dB towards 0: the tenths are rounded, then halved with truncation. The small
        // offset away from the grid keeps the code's truncation below on the right side.
        if (v >= 0.0f) {
            int tenths = static_cast<int>(v * 10.0f + 0.5);
            value = static_cast<float>((tenths / 2) / 5.0 + 0.001);
        } else {
            int tenths = static_cast<int>(v * 10.0f - 0.5);
            value = static_cast<float>((tenths / 2) / 5.0 - 0.001);
        }
        WriteOneDecimal(text, value);
        // -0.01 .. -0.2 lands just below zero; the box shows it as the 0 dB it stands for.
        if (std::strcmp(text, "-0.0") == 0) std::strcpy(text, "0.0");
    }
    *code = static_cast<int32_t>((value + 24.0 + 0.002) * 10.0) / 2;
    return value;
}

float ParseFreqText(char* text, int32_t* code) {
    float v = ReadNumber(text);
    if (v < EqFreqTable[0]) {
        *code = 0;
        std::strcpy(text, "19.8");
        return EqFreqTable[0];
    }
    if (v >= EqFreqTable[EqFreqCount - 1]) {
        *code = EqFreqCount - 1;
        std::strcpy(text, "21513");
        return EqFreqTable[EqFreqCount - 1];
    }
    int best = 0;
    double bestDistance = std::fabs(static_cast<double>(v) - EqFreqTable[0]);
    for (int i = 1; i < EqFreqCount; ++i) {
        double distance = std::fabs(static_cast<double>(v) - EqFreqTable[i]);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    *code = best;
    WriteOneDecimal(text, EqFreqTable[best], EqFreqTable[best] >= 1000.0f ? 0 : 1);
    return EqFreqTable[best];
}

float ParseQText(char* text, int32_t* code) {
    float v = ReadNumber(text);
    // Far outside the range the outcome is the same; this keeps the conversion below defined.
    if (v > 1000.0f) v = 1000.0f;
    if (v < -1000.0f) v = -1000.0f;
    int32_t q = static_cast<int32_t>((v + 0.002) * 10.0) / 2 - 1;
    float value = static_cast<float>(q * 0.2 + 0.2 + 0.002);
    if (value < 0.2f || std::fabs(value) <= 0.01f) {
        *code = 0;
        std::strcpy(text, "0.2");
        return 0.2f;
    }
    if (value >= 36.0f) {
        *code = 179;
        std::strcpy(text, "36.0");
        return 36.0f;
    }
    *code = q;
    WriteOneDecimal(text, value);
    return value;
}

float Log10f(float x) {
    return static_cast<float>(std::log10(static_cast<double>(x)));
}
