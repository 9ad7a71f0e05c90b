// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/GbkText.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace {

// One conversion of a whole input through iconv; false when any byte does not convert.
bool Convert(const char* to, const char* from, const std::string& in, std::string* out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    char buffer[16];
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    bool ok = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1) && srcLeft == 0 &&
              iconv(cd, nullptr, nullptr, &dst, &dstLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    if (ok) out->assign(buffer, sizeof buffer - dstLeft);
    return ok;
}

// The length of the UTF-8 sequence that starts at `s[i]`, or 0 when none does (overlong forms,
// surrogates and code points past U+10FFFF included).
size_t Utf8Length(const std::string& s, size_t i) {
    auto at = [&](size_t k) { return k < s.size() ? static_cast<uint8_t>(s[k]) : 0; };
    uint8_t c = at(i);
    auto cont = [&](size_t k) { return (at(k) & 0xC0) == 0x80; };
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) return cont(i + 1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        uint8_t c1 = at(i + 1);
        if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 >= 0xA0)) return 0;
        return cont(i + 1) && cont(i + 2) ? 3 : 0;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        uint8_t c1 = at(i + 1);
        if ((c == 0xF0 && c1 < 0x90) || (c == 0xF4 && c1 >= 0x90)) return 0;
        return cont(i + 1) && cont(i + 2) && cont(i + 3) ? 4 : 0;
    }
    return 0;
}

} // namespace

bool IsGbkPair(uint8_t lead, uint8_t trail) {
    return lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
}

size_t GbkWholeLength(const char* text, size_t maxBytes) {
    size_t whole = 0;
    while (whole < maxBytes && text[whole]) {
        size_t n = text[whole + 1] &&
                           IsGbkPair(static_cast<uint8_t>(text[whole]), static_cast<uint8_t>(text[whole + 1]))
                       ? 2
                       : 1;
        if (whole + n > maxBytes) break;
        whole += n;
    }
    return whole;
}

std::string GbkPairToUtf8(uint8_t lead, uint8_t trail) {
    if (!IsGbkPair(lead, trail)) return "";
    const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
    std::string utf8, back;
    if (!Convert("UTF-8", "GBK", pair, &utf8) || !Convert("GBK", "UTF-8", utf8, &back) || back != pair)
        return "";
    return utf8;
}

bool Utf8ToGbkText(const std::string& utf8, std::string* gbk, std::string* problem) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        size_t n = Utf8Length(utf8, i);
        if (n == 0) {
            if (problem) *problem = "the text is not UTF-8";
            return false;
        }
        std::string character = utf8.substr(i, n), bytes;
        i += n;
        if (n == 1) {
            out += character;
            continue;
        }
        // A character GBK holds is one valid pair (the converter's one-byte 0x80 for the euro sign
        // is no GBK character).
        if (!Convert("GBK", "UTF-8", character, &bytes) || bytes.size() != 2 ||
            !IsGbkPair(static_cast<uint8_t>(bytes[0]), static_cast<uint8_t>(bytes[1]))) {
            if (problem) *problem = "'" + character + "' has no GBK form";
            return false;
        }
        out += bytes;
    }
    *gbk = out;
    return true;
}

uint32_t GbkPairToUnicode(uint8_t lead, uint8_t trail) {
    static iconv_t gbkToUtf32 = iconv_open("UTF-32LE", "GBK");
    if (gbkToUtf32 == reinterpret_cast<iconv_t>(-1)) return 0;
    char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    unsigned char out[8] = {};
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    size_t inLeft = 2, outLeft = sizeof out;
    iconv(gbkToUtf32, nullptr, nullptr, nullptr, nullptr);
    if (iconv(gbkToUtf32, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0 ||
        outLeft != 4)
        return 0;
    return out[0] | out[1] << 8 | out[2] << 16 | uint32_t(out[3]) << 24;
}

std::string GbkToUtf8(const char* gbk) {
    iconv_t cd = iconv_open("UTF-8", "GBK");
    if (cd == reinterpret_cast<iconv_t>(-1)) return gbk;
    char buffer[256];
    char* in = const_cast<char*>(gbk);
    size_t inLeft = std::strlen(gbk);
    char* dst = buffer;
    size_t outLeft = sizeof buffer - 1;
    bool ok = iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1) && inLeft == 0;
    iconv_close(cd);
    if (!ok) return gbk;
    return std::string(buffer, dst);
}

size_t Utf8ToGbkDropping(const char* utf8, char* out, size_t outSize) {
    static iconv_t cd = iconv_open("GBK//IGNORE", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return 0;
    char* in = const_cast<char*>(utf8);
    size_t inLeft = std::strlen(utf8);
    char* dst = out;
    size_t outLeft = outSize;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1)) break;
        if (errno == EILSEQ && inLeft > 0) {
            ++in; // skip a byte that starts no character
            --inLeft;
        } else {
            break;
        }
    }
    // Keep whole GBK characters only: the converter gives 0x80 for the euro sign, which GBK proper
    // lacks and which a text box would take for a lead byte.
    size_t n = outSize - outLeft, kept = 0;
    for (size_t i = 0; i < n; ++i) {
        unsigned char b = static_cast<unsigned char>(out[i]);
        if (b < 0x80) {
            out[kept++] = out[i];
            continue;
        }
        unsigned char trail = i + 1 < n ? static_cast<unsigned char>(out[i + 1]) : 0;
        if (IsGbkPair(b, trail)) {
            out[kept++] = out[i];
            out[kept++] = out[i + 1];
            ++i;
        }
    }
    return kept;
}
