// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pictures/Settings.h"

#include "common/Paths.h"

#include <cassert>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t MaxLine = 4096;
std::string g_problem;

bool Fail(const std::string& why) {
    g_problem = why;
    return false;
}

bool ValidName(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name)
        if (!(c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

// The well-formed lines of the file, in order.
std::vector<std::pair<std::string, std::string>> ReadAll() {
    std::vector<std::pair<std::string, std::string>> entries;
    std::ifstream in(SettingsPath(), std::ios::binary);
    std::string line;
    while (in && std::getline(in, line)) {
        if (line.size() > MaxLine) continue;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string name = line.substr(0, eq);
        if (!ValidName(name) || line.find('\0') != std::string::npos) continue;
        entries.emplace_back(name, line.substr(eq + 1));
    }
    return entries;
}

} // namespace

std::string SettingsPath() {
    std::string dir = ConfigDir();
    return dir.empty() ? std::string() : dir + "/settings";
}

bool SettingsRead(const char* name, std::string* value) {
    bool found = false;
    for (auto& [key, text] : ReadAll()) {
        if (key == name) {
            *value = text;
            found = true;
        }
    }
    return found;
}

bool SettingsReadU32(const char* name, uint32_t* value) {
    std::string text;
    if (!SettingsRead(name, &text) || text.empty()) return false;
    char* end = nullptr;
    unsigned long long parsed = std::strtoull(text.c_str(), &end, 10);
    if (*end != '\0' || parsed > 0xFFFFFFFFull || text[0] == '-') return false;
    *value = static_cast<uint32_t>(parsed);
    return true;
}

const std::string& SettingsProblem() {
    return g_problem;
}

bool SettingsWrite(const char* name, const std::string& value) {
    assert(ValidName(name) && value.find('\n') == std::string::npos && "a setting is a name and one line");
    if (!ValidName(name) || value.find('\n') != std::string::npos) return false;
    std::string dir = ConfigDir();
    if (dir.empty()) return Fail("neither XDG_CONFIG_HOME nor HOME is set");
    if (!MakeDirs(dir)) return Fail("the folder " + dir + " cannot be made");
    // Every line the write does not own (comments, blank lines, other keys, lines it cannot read) is
    // kept as it stands; the first line of this key takes the value and later ones of it go.
    std::ostringstream out;
    bool replaced = false;
    {
        std::ifstream in(SettingsPath(), std::ios::binary);
        std::string line;
        while (in && std::getline(in, line)) {
            std::string bare = line;
            if (!bare.empty() && bare.back() == '\r') bare.pop_back();
            size_t eq = bare.find('=');
            bool ours = eq != std::string::npos && bare.compare(0, eq, name) == 0 && eq == std::strlen(name);
            if (!ours) {
                out << line << '\n';
            } else if (!replaced) {
                out << name << '=' << value << '\n';
                replaced = true;
            }
        }
    }
    if (!replaced) out << name << '=' << value << '\n';
    std::string body = out.str();

    std::string path = SettingsPath();
    std::string temp = path + ".XXXXXX";
    std::vector<char> templ(temp.begin(), temp.end());
    templ.push_back('\0');
    int fd = mkstemp(templ.data());
    if (fd < 0) return Fail(path + " cannot be written: " + std::strerror(errno));
    bool ok = write(fd, body.data(), body.size()) == static_cast<ssize_t>(body.size()) && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    if (ok) ok = std::rename(templ.data(), path.c_str()) == 0;
    if (!ok) {
        int why = errno;
        unlink(templ.data());
        return Fail(path + " cannot be written: " + std::strerror(why));
    }
    g_problem.clear();
    return true;
}
