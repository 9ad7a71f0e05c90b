// SPDX-License-Identifier: GPL-3.0-or-later
#include "eq/EqFilterText.h"

#include "eq/EqValues.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <strings.h>

namespace {

constexpr double ShelfQ = 0.71;

struct Type {
    const char* name;
    uint8_t code;
};
constexpr Type Types[] = {{"PK", 0}, {"LSC", 1}, {"LS", 1}, {"HSC", 2}, {"HS", 2}};

bool Same(const std::string& a, const char* b) {
    return strcasecmp(a.c_str(), b) == 0;
}

bool Number(const std::string& text, double* value) {
    if (text.empty()) return false;
    char* end = nullptr;
    *value = std::strtod(text.c_str(), &end);
    return end && *end == 0 && std::isfinite(*value);
}

// The code a band's text box would store for `value` ("%.4f" keeps what was asked to well below a
// step).
template <class Parse> int32_t Snap(double value, Parse parse) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", value);
    int32_t code = 0;
    parse(text, &code);
    return code;
}

// One "Filter N: ON TYPE Fc F Hz Gain G dB [Q Q]" line after its "Filter N:"; false with *problem.
bool ReadFilter(std::vector<std::string> t, EqFilterImport* out, std::string* problem) {
    if (t.empty()) {
        *problem = "the filter line is empty";
        return false;
    }
    if (Same(t[0], "OFF")) return true;
    if (!Same(t[0], "ON")) {
        *problem = "a filter is ON or OFF, not '" + t[0] + "'";
        return false;
    }
    if (t.size() < 2) {
        *problem = "the filter has no type";
        return false;
    }
    const Type* type = nullptr;
    for (const Type& candidate : Types)
        if (Same(t[1], candidate.name)) type = &candidate;
    if (!type) {
        *problem = "'" + t[1] + "' filters cannot be taken (PK, LSC/LS and HSC/HS can)";
        return false;
    }
    double hz = 0, db = 0, q = type->code == 0 ? -1 : ShelfQ;
    bool haveHz = false, haveDb = false;
    for (size_t i = 2; i < t.size(); i += 2) {
        std::string value = i + 1 < t.size() ? t[i + 1] : "";
        bool ok;
        if (Same(t[i], "Fc")) {
            ok = Number(value, &hz) && i + 2 < t.size() && Same(t[i + 2], "Hz");
            haveHz = ok;
            ++i;
        } else if (Same(t[i], "Gain")) {
            ok = Number(value, &db) && i + 2 < t.size() && Same(t[i + 2], "dB");
            haveDb = ok;
            ++i;
        } else if (Same(t[i], "Q")) {
            ok = Number(value, &q);
        } else {
            *problem = "'" + t[i] + "' cannot be taken (Fc, Gain and Q can)";
            return false;
        }
        if (!ok) {
            *problem = "'" + t[i] + " " + value + "' is not a number with its unit";
            return false;
        }
    }
    if (!haveHz || !haveDb || q < 0) {
        *problem = std::string("the filter needs Fc, Gain") + (type->code == 0 ? " and Q" : "");
        return false;
    }
    char range[96];
    if (hz < EqFreqTable[0] - 0.05 || hz > EqFreqTable[EqFreqCount - 1] + 0.05) {
        std::snprintf(range, sizeof range, "%g Hz is beyond the band's range (19.8 to 21513 Hz)", hz);
    } else if (db < -24.0 || db > 12.0) {
        std::snprintf(range, sizeof range, "%g dB is beyond the band's range (-24.0 to +12.0 dB)", db);
    } else if (q < 0.2 || q > 36.0) {
        std::snprintf(range, sizeof range, "Q %g is beyond the band's range (0.2 to 36.0)", q);
    } else {
        range[0] = 0;
    }
    if (range[0]) {
        *problem = range;
        return false;
    }
    EqBandCodes codes;
    codes.type = type->code;
    codes.freq = static_cast<uint8_t>(Snap(hz, ParseFreqText));
    codes.gain = static_cast<uint8_t>(Snap(db, ParseGainText));
    codes.q = static_cast<uint8_t>(Snap(q, ParseQText));
    out->bands.push_back(codes);
    out->askedHz.push_back(hz);
    out->askedDb.push_back(db);
    out->askedQ.push_back(q);
    out->worstHzPercent = std::max(out->worstHzPercent, std::fabs(EqFreqHz(codes.freq) - hz) / hz * 100.0);
    out->worstDb = std::max(out->worstDb, std::fabs(EqGainDb(codes.gain) - db));
    out->worstQ = std::max(out->worstQ, std::fabs(EqQ(codes.q) - q));
    return true;
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

} // namespace

double EqFreqHz(int code) {
    return EqFreqTable[std::clamp(code, 0, EqFreqCount - 1)];
}

double EqGainDb(int code) {
    return code / 5.0 - 24.0;
}

double EqQ(int code) {
    return (code + 1) / 5.0;
}

EqFilterImport ReadEqFilters(const std::string& text, int bandCount) {
    EqFilterImport out;
    std::istringstream in(text);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') continue;
        size_t colon = line.find(':');
        std::string head = colon == std::string::npos ? "" : line.substr(start, colon - start);
        std::vector<std::string> words = Words(head);
        std::string problem;
        if (!words.empty() && Same(words[0], "Preamp")) {
            out.preampIgnored = true;
            continue;
        }
        if (words.empty() || !Same(words[0], "Filter") || words.size() > 2) {
            problem = "not a filter line (Filter N: ON PK Fc ... Hz Gain ... dB Q ...)";
        } else if (ReadFilter(Words(line.substr(colon + 1)), &out, &problem) &&
                   static_cast<int>(out.bands.size()) > bandCount) {
            problem = "more filters are ON than the " + std::to_string(bandCount) + " bands here";
        }
        if (!problem.empty()) {
            out.problem = problem;
            out.problemLine = number;
            out.bands.clear();
            return out;
        }
    }
    if (out.bands.empty()) out.problem = "no filter is ON";
    return out;
}

std::string WriteEqFilters(const std::vector<EqBandCodes>& bands) {
    static const char* const Names[3] = {"PK", "LSC", "HSC"};
    std::string text;
    for (size_t i = 0; i < bands.size(); ++i) {
        const EqBandCodes& b = bands[i];
        char line[128];
        std::snprintf(line, sizeof line, "Filter %zu: ON %s Fc %.1f Hz Gain %.1f dB Q %.2f\n", i + 1,
                      Names[b.type > 2 ? 0 : b.type], EqFreqHz(b.freq), EqGainDb(b.gain), EqQ(b.q));
        text += line;
    }
    return text;
}
