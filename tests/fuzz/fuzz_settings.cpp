// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: any bytes as the settings file. Reads never fail on them; a write of one key reads
// back, leaves the other key as it read before, and keeps every line that is not the written key's.
#include "app/pictures/Settings.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Body(const std::string& path) {
    std::string bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    for (int c; (c = std::fgetc(f)) != EOF;)
        bytes += static_cast<char>(c);
    std::fclose(f);
    return bytes;
}

// The lines that are not `name`'s, each ended by a newline.
std::string OthersOf(const std::string& body, const std::string& name) {
    std::string kept;
    for (size_t at = 0; at < body.size();) {
        size_t end = body.find('\n', at);
        std::string line = body.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? body.size() : end + 1;
        std::string bare = line;
        if (!bare.empty() && bare.back() == '\r') bare.pop_back();
        if (bare.compare(0, name.size() + 1, name + "=") != 0) kept += line + "\n";
    }
    return kept;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string folder = [] {
        char pattern[] = "/tmp/tonvex-fuzz-settings-XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        setenv("XDG_CONFIG_HOME", pattern, 1);
        return std::string(pattern);
    }();
    const std::string path = SettingsPath();
    if (path.empty()) std::abort();
    std::string dir = folder + "/tonvex";
    mkdir(dir.c_str(), 0700);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) std::abort();
    const std::string before = Body(path);

    std::string background, language, otherBefore, otherAfter;
    uint32_t number;
    bool hadBackground = SettingsRead("tonvex_bg", &background);
    SettingsRead("tonvex_lang", &language);
    SettingsReadU32("tonvex_lang", &number);

    if (!SettingsWrite("tonvex_lang", "1")) std::abort();
    std::string after = Body(path);
    if (!SettingsRead("tonvex_lang", &language) || language != "1") std::abort();
    if (SettingsRead("tonvex_bg", &otherAfter) != hadBackground ||
        (hadBackground && otherAfter != background))
        std::abort();
    if (OthersOf(after, "tonvex_lang") != OthersOf(before, "tonvex_lang")) std::abort();
    return 0;
}
