// SPDX-License-Identifier: GPL-3.0-or-later
// A PC mode record as text and back. In this file, in order:
//   - the fields: every parameter of the record, its offset, units and comment
//   - writing: names (UTF-8 from GBK), numbers, choices, bands, reserved bytes, out-of-range codes
//   - reading: the one number syntax, codes, names (GBK from UTF-8), bands, reserved bytes
//   - ModeRecordToText and ModeRecordFromText
#include "modes/ModeText.h"

#include "common/GbkText.h"
#include "eq/EqValues.h"
#include "link/ParamTable.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string_view>

namespace {

enum class Kind { Name, Number, Choice, Band, Reserved };

// What follows a number in its comment, for the two sliders whose caption shows a second figure.
enum class Note { None, ReverbShare, DelayDistance };

// One line's parameter: its key, offset and how the panel shows it (shown = code * scale + base, from
// the parameter table), and for a two-way button the two words. The largest code comes from the
// table too (ModeByteLimit).
struct Field {
    const char* key;
    int offset;
    Kind kind;
    float scale = 1.0f;
    float base = 0.0f;
    int decimals = 0;
    const char* choices[2] = {nullptr, nullptr};
    Note note = Note::None;
};

constexpr const char* OffOn[2] = {"off", "on"};
constexpr const char* AutoManual[2] = {"auto", "manual"};
constexpr const char* SingDisco[2] = {"sing", "disco"};
constexpr const char* Slope[2] = {"-12dB/oct", "-24dB/oct"};
constexpr const char* FrontBehind[2] = {"front", "behind"};

// The words of a two-way button's code.
const char* const* ChoiceWords(uint32_t code) {
    switch (code) {
    case Code::MusicAutoManual:
    case Code::SubAutoManual:
        return AutoManual;
    case Code::MusicSingDisco:
    case Code::SubSingDisco:
        return SingDisco;
    case Code::MusicSlope:
    case Code::CenterSlope:
        return Slope;
    case Code::RoomEqPath:
        return FrontBehind;
    default:
        return OffOn;
    }
}

Field FieldOf(const ParamInfo& row) {
    Field f{row.key, row.recordOffset, Kind::Number, row.scale, row.base, row.decimals};
    if (row.kind == ParamKind::Bands) f.kind = Kind::Band;
    if (row.kind == ParamKind::Choice) {
        f.kind = Kind::Choice;
        f.choices[0] = ChoiceWords(row.code)[0];
        f.choices[1] = ChoiceWords(row.code)[1];
    }
    if (row.code == Code::MicEchoPercent) f.note = Note::ReverbShare;
    if (row.code == Code::SurroundDelay) f.note = Note::DelayDistance;
    return f;
}

// In record order: the name, every row of the parameter table (a band field stands for all the bands
// of its run, four bytes each), then the reserved bytes.
const std::vector<Field>& Fields() {
    static const std::vector<Field> fields = [] {
        std::vector<Field> out{{"name", ModeNameOffset, Kind::Name}};
        for (int i = 0; i < ParamRowCount; ++i)
            out.push_back(FieldOf(ParamRows[i]));
        out.push_back({"reserved", 0, Kind::Reserved});
        return out;
    }();
    return fields;
}

// The bytes that hold no parameter: before the name and after the volume presets.
constexpr int ReservedHead = ModeNameOffset;
constexpr int ReservedTail = 235;
constexpr int ReservedCount = ReservedHead + (ModeRecordBytes - ReservedTail);

int ReservedOffset(int i) {
    return i < ReservedHead ? i : ReservedTail + (i - ReservedHead);
}

// Bands of each band run: where the next field starts, four bytes a band.
int BandCount(const Field& f) {
    const std::vector<Field>& all = Fields();
    for (size_t i = 0; i + 1 < all.size(); ++i)
        if (&all[i] == &f) return all[i + 1].offset - f.offset;
    return 0;
}

// One line of the text: the parameter's key and what it covers.
struct Key {
    std::string name;
    const Field* field;
    int offset;
};

const std::vector<Key>& Keys() {
    static const std::vector<Key> keys = [] {
        std::vector<Key> out;
        for (const Field& f : Fields()) {
            if (f.kind == Kind::Band) {
                for (int b = 0; b < BandCount(f) / 4; ++b)
                    out.push_back({std::string(f.key) + "." + std::to_string(b), &f, f.offset + 4 * b});
            } else {
                out.push_back({f.key, &f, f.offset});
            }
        }
        return out;
    }();
    return keys;
}

constexpr const char* BandTypes[3] = {"peak", "lowshelf", "highshelf"};

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// A name field in double quotes, in UTF-8: printable ASCII as it is (with \" and \\), each GBK
// character that converts both ways as its UTF-8, every other byte as \xNN. With `whole`, every byte
// up to the last that is not zero is written (a zero among them as \x00), so that the text gives
// back the field byte for byte; without, the name ends at its first zero byte, as the console shows it.
std::string Quoted(const uint8_t* bytes, int count, bool whole) {
    int end = 0;
    while (end < count && (whole || bytes[end]))
        ++end;
    if (whole)
        while (end > 0 && !bytes[end - 1])
            --end;
    std::string out = "\"";
    for (int i = 0; i < end; ++i) {
        uint8_t c = bytes[i];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
            continue;
        }
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
            continue;
        }
        std::string utf8 = i + 1 < end ? GbkPairToUtf8(c, bytes[i + 1]) : "";
        if (!utf8.empty()) {
            out += utf8;
            ++i;
            continue;
        }
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += hex;
    }
    return out + "\"";
}

std::string NumberText(const Field& f, int code) {
    double shown = code * static_cast<double>(f.scale) + f.base;
    return Format(f.decimals ? "%.1f" : "%.0f", shown);
}

// What an out-of-range code is said to be in its comment.
std::string Beyond(const std::string& what, int code, int limit) {
    return what + " " + std::to_string(code) + " (largest " + std::to_string(limit) + ")";
}

// The value part of a key's line, and its comment (empty for none). A byte beyond its parameter's
// range is written as its code ("code N", or "codes A B C D" for a band) so that it comes back as it
// is, and the comment and `warnings` say so.
void ValueText(const Key& k, const uint8_t* record, std::string* value, std::string* comment,
               std::vector<std::string>* warnings) {
    const Field& f = *k.field;
    auto outOfRange = [&](const std::string& what) {
        *comment = "out of range: " + what + "; loaded as the largest";
        if (warnings) warnings->push_back(k.name + ": out of range, " + what + "; written as its code");
    };
    switch (f.kind) {
    case Kind::Name:
        *value = Quoted(record + ModeNameOffset, ModeNameBytes, true);
        break;
    case Kind::Number:
    case Kind::Choice: {
        int code = record[k.offset], limit = ModeByteLimit(k.offset);
        if (code > limit) {
            *value = "code " + std::to_string(code);
            outOfRange(Beyond("code", code, limit));
        } else if (f.kind == Kind::Choice) {
            *value = f.choices[code];
        } else {
            *value = NumberText(f, code);
            if (f.note == Note::ReverbShare)
                *comment = "reverb " + std::to_string(limit - code) + " %";
            else if (f.note == Note::DelayDistance)
                *comment = Format("%.1f m", code * 0.1);
        }
        break;
    }
    case Kind::Band: {
        const uint8_t* c = record + k.offset;
        std::string codes = std::to_string(c[0]) + " " + std::to_string(c[1]) + " " + std::to_string(c[2]) +
                            " " + std::to_string(c[3]);
        static const char* const parts[4] = {"type", "frequency", "gain", "Q"};
        std::string beyond;
        for (int i = 0; i < 4; ++i)
            if (c[i] > BandCodeLimits[i])
                beyond += (beyond.empty() ? "" : ", ") + Beyond(parts[i], c[i], BandCodeLimits[i]);
        if (!beyond.empty()) {
            *value = "codes " + codes;
            outOfRange(beyond);
            break;
        }
        *value = std::string(BandTypes[c[0]]) + " " + Format("%.1f", EqFreqTable[c[1]]) + " Hz " +
                 Format("%+.1f", c[2] * 0.2 - 24.0) + " dB Q " + Format("%.1f", (c[3] + 1) / 5.0);
        *comment = "codes " + codes;
        break;
    }
    case Kind::Reserved:
        // Bytes, printed as the unsigned numbers they are (not through Format's double).
        for (int i = 0; i < ReservedCount; ++i) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>(record[ReservedOffset(i)]));
            *value += (i ? " " : "") + std::string(hex);
        }
        break;
    }
}

bool AnyReserved(const uint8_t* record) {
    for (int i = 0; i < ReservedCount; ++i)
        if (record[ReservedOffset(i)]) return true;
    return false;
}

// --- reading ---

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

// A number as the text writes it, and the only syntax read: an optional sign, digits, and a point
// with digits after it (no exponent, no hexadecimal, nothing after it). What the range check sees is
// what is stored: the panels' parsers read such a token as the same number.
bool ReadNumber(const std::string& token, double* out) {
    size_t i = token.empty() || (token[0] != '+' && token[0] != '-') ? 0 : 1;
    size_t digits = 0, points = 0, digitsAfterPoint = 0;
    for (; i < token.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(token[i]))) {
            ++digits;
            if (points) ++digitsAfterPoint;
        } else if (token[i] == '.' && !points) {
            ++points;
        } else {
            return false;
        }
    }
    if (!digits || (points && !digitsAfterPoint) || digits > 12) return false;
    *out = std::strtod(token.c_str(), nullptr);
    return true;
}

// A code as "code N" writes it: decimal digits, 0 to 255.
bool ReadCode(const std::string& token, uint8_t* out) {
    if (token.empty() || token.size() > 3) return false;
    for (char c : token)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    int v = std::atoi(token.c_str());
    if (v > 255) return false;
    *out = static_cast<uint8_t>(v);
    return true;
}

std::vector<std::string> Tokens(const std::string& s) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
            ++i;
        size_t start = i;
        while (i < s.size() && !std::isspace(static_cast<unsigned char>(s[i])))
            ++i;
        if (i > start) out.push_back(s.substr(start, i - start));
    }
    return out;
}

bool SameWord(const std::string& a, const char* b) {
    return strcasecmp(a.c_str(), b) == 0;
}

// The quoted name and what follows it. Returns an empty string on success, else the problem.
std::string ReadName(const std::string& value, uint8_t out[ModeNameBytes]) {
    std::memset(out, 0, ModeNameBytes);
    if (value.empty() || value[0] != '"') return "the name must be in double quotes";
    // Text between escapes is UTF-8 and is stored as GBK; an escape is one byte as it stands.
    std::string bytes, run, problem;
    auto flush = [&] {
        std::string gbk;
        if (!Utf8ToGbkText(run, &gbk, &problem)) return false;
        bytes += gbk;
        run.clear();
        return true;
    };
    size_t i = 1;
    for (; i < value.size() && value[i] != '"'; ++i) {
        char c = value[i];
        if (c != '\\') {
            run += c;
            continue;
        }
        if (++i >= value.size()) break;
        if (value[i] == '"' || value[i] == '\\') {
            run += value[i];
        } else if (value[i] == 'x' && i + 2 < value.size() &&
                   std::isxdigit(static_cast<unsigned char>(value[i + 1])) &&
                   std::isxdigit(static_cast<unsigned char>(value[i + 2]))) {
            if (!flush()) return "the name: " + problem;
            bytes += static_cast<char>(std::strtol(value.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            return "unknown escape in the name (use \\\", \\\\ or \\xNN)";
        }
    }
    if (i >= value.size()) return "the name's closing quote is missing";
    if (!flush()) return "the name: " + problem;
    std::string rest = Trim(value.substr(i + 1));
    if (!rest.empty() && rest[0] != '#') return "unexpected text after the name";
    if (bytes.size() > ModeNameBytes)
        return "the name has " + std::to_string(bytes.size()) +
               " bytes in GBK; a PC mode name holds at most 10";
    std::memcpy(out, bytes.data(), bytes.size());
    return "";
}

std::string RangeText(const Field& f, int limit) {
    return NumberText(f, 0) + " to " + NumberText(f, limit);
}

// A band's line: its type, frequency, gain and Q in the panels' units, or its four codes.
std::string ReadBand(const Key& k, const std::string& value, uint8_t* record) {
    std::vector<std::string> t = Tokens(value);
    if (t.size() == 5 && t[0] == "codes") {
        for (int i = 0; i < 4; ++i)
            if (!ReadCode(t[static_cast<size_t>(i) + 1], &record[k.offset + i]))
                return "'" + t[static_cast<size_t>(i) + 1] + "' is not a code (0 to 255)";
        return "";
    }
    if (t.size() != 7 || !SameWord(t[2], "Hz") || !SameWord(t[4], "dB") || !SameWord(t[5], "Q"))
        return "a band reads 'TYPE FREQ Hz GAIN dB Q Q', for example 'peak 1000.0 Hz +3.0 dB Q 2.0', "
               "or 'codes TYPE FREQ GAIN Q'";
    int type = -1;
    for (int i = 0; i < 3; ++i)
        if (SameWord(t[0], BandTypes[i])) type = i;
    if (type < 0) return "'" + t[0] + "' is not a band type (peak, lowshelf or highshelf)";
    double hz, db, q;
    if (!ReadNumber(t[1], &hz)) return "the frequency '" + t[1] + "' is not a number";
    if (!ReadNumber(t[3], &db)) return "the gain '" + t[3] + "' is not a number";
    if (!ReadNumber(t[6], &q)) return "the Q '" + t[6] + "' is not a number";
    if (hz < EqFreqTable[0] - 0.05 || hz > EqFreqTable[EqFreqCount - 1] + 0.05)
        return t[1] + " Hz is out of range (19.8 to 21513.0 Hz)";
    if (db < -24.0 || db > 12.0) return t[3] + " dB is out of range (-24.0 to +12.0 dB)";
    if (q < 0.2 || q > 36.0) return "Q " + t[6] + " is out of range (0.2 to 36.0)";
    // The codes the band's text boxes would give for what was typed.
    char text[64];
    int32_t codes[3];
    std::snprintf(text, sizeof text, "%s", t[1].c_str());
    ParseFreqText(text, &codes[0]);
    std::snprintf(text, sizeof text, "%s", t[3].c_str());
    ParseGainText(text, &codes[1]);
    std::snprintf(text, sizeof text, "%s", t[6].c_str());
    ParseQText(text, &codes[2]);
    record[k.offset] = static_cast<uint8_t>(type);
    for (int i = 0; i < 3; ++i)
        record[k.offset + 1 + i] = static_cast<uint8_t>(codes[i]);
    return "";
}

// Reads `value` into the record bytes of `k`. Returns an empty string, or what is wrong.
std::string ReadValue(const Key& k, const std::string& value, uint8_t* record) {
    const Field& f = *k.field;
    switch (f.kind) {
    case Kind::Name:
        return ReadName(value, record + ModeNameOffset);
    case Kind::Number: {
        if (std::string_view(value).starts_with("code ")) {
            if (!ReadCode(Trim(value.substr(5)), &record[k.offset]))
                return "'" + value + "' is not a code (0 to 255)";
            return "";
        }
        double v;
        if (!ReadNumber(value, &v)) return "'" + value + "' is not a number";
        int limit = ModeByteLimit(k.offset);
        double step = (v - f.base) / f.scale;
        if (step < -1e-3 || step > limit + 1e-3)
            return value + " is out of range (" + RangeText(f, limit) + ")";
        record[k.offset] = static_cast<uint8_t>(std::lround(step));
        return "";
    }
    case Kind::Choice:
        if (std::string_view(value).starts_with("code ")) {
            if (!ReadCode(Trim(value.substr(5)), &record[k.offset]))
                return "'" + value + "' is not a code (0 to 255)";
            return "";
        }
        for (int i = 0; i < 2; ++i)
            if (SameWord(value, f.choices[i])) {
                record[k.offset] = static_cast<uint8_t>(i);
                return "";
            }
        return "'" + value + "' is neither " + f.choices[0] + " nor " + f.choices[1];
    case Kind::Band:
        return ReadBand(k, value, record);
    case Kind::Reserved: {
        std::vector<std::string> t = Tokens(value);
        if (t.size() != ReservedCount)
            return "'reserved' holds " + std::to_string(ReservedCount) + " bytes in hexadecimal";
        for (int i = 0; i < ReservedCount; ++i) {
            const std::string& byte = t[static_cast<size_t>(i)];
            if (byte.size() != 2 || !std::isxdigit(static_cast<unsigned char>(byte[0])) ||
                !std::isxdigit(static_cast<unsigned char>(byte[1])))
                return "'" + byte + "' is not a byte in hexadecimal (two digits)";
            long b = std::strtol(byte.c_str(), nullptr, 16);
            record[ReservedOffset(i)] = static_cast<uint8_t>(b);
        }
        return "";
    }
    }
    return "";
}

} // namespace

std::string QuotedModeName(const uint8_t name[ModeNameBytes]) {
    return Quoted(name, ModeNameBytes, false);
}

std::string ModeRecordToText(const uint8_t record[ModeRecordBytes], std::vector<std::string>* warnings) {
    std::string out;
    for (const Key& k : Keys()) {
        if (k.field->kind == Kind::Reserved && !AnyReserved(record)) continue;
        std::string value, comment;
        ValueText(k, record, &value, &comment, warnings);
        std::string line = k.name + " = " + value;
        if (!comment.empty()) {
            if (line.size() < 48) line.append(48 - line.size(), ' ');
            line += "   # " + comment;
        }
        out += line + "\n";
    }
    return out;
}

bool ModeRecordFromText(const std::string& text, uint8_t record[ModeRecordBytes], ModeTextError* error) {
    std::map<std::string, size_t> index;
    const std::vector<Key>& keys = Keys();
    for (size_t i = 0; i < keys.size(); ++i)
        index[keys[i].name] = i;

    uint8_t out[ModeRecordBytes] = {};
    std::vector<int> lineOf(keys.size(), 0);
    auto fail = [&](int line, std::string message) {
        if (error) *error = ModeTextError{line, std::move(message)};
        return false;
    };

    int lineNumber = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        for (char c : line)
            if ((static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r') || c == 0x7F) {
                char what[8];
                std::snprintf(what, sizeof what, "0x%02X", static_cast<unsigned char>(c));
                return fail(lineNumber, std::string("the line holds the control byte ") + what);
            }
        std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#') continue;
        size_t eq = trimmed.find('=');
        if (eq == std::string::npos) return fail(lineNumber, "expected 'parameter = value'");
        std::string key = Trim(trimmed.substr(0, eq));
        std::string value = Trim(trimmed.substr(eq + 1));
        auto found = index.find(key);
        if (found == index.end()) return fail(lineNumber, "unknown parameter '" + key + "'");
        const Key& k = keys[found->second];
        if (lineOf[found->second])
            return fail(lineNumber, "'" + key + "' is given again (first on line " +
                                        std::to_string(lineOf[found->second]) + ")");
        lineOf[found->second] = lineNumber;
        // The name keeps its '#' characters inside the quotes; elsewhere a '#' starts a comment.
        if (k.field->kind != Kind::Name) value = Trim(value.substr(0, value.find('#')));
        std::string problem = ReadValue(k, value, out);
        if (!problem.empty()) return fail(lineNumber, key + ": " + problem);
    }

    for (size_t i = 0; i < keys.size(); ++i) {
        if (lineOf[i] || keys[i].field->kind == Kind::Reserved) continue;
        std::string message = "'" + keys[i].name + "' is missing";
        for (size_t j = i; j-- > 0;)
            if (lineOf[j]) {
                message +=
                    " (it belongs after '" + keys[j].name + "' on line " + std::to_string(lineOf[j]) + ")";
                break;
            }
        return fail(0, message);
    }

    std::memcpy(record, out, ModeRecordBytes);
    return true;
}
