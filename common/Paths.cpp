// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Paths.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string XdgDir(const char* variable, const char* fallback) {
    const char* base = std::getenv(variable);
    if (base && base[0] == '/') return std::string(base) + "/tonvex";
    const char* home = std::getenv("HOME");
    if (!home || !home[0]) return std::string();
    return std::string(home) + "/" + fallback + "/tonvex";
}

} // namespace

std::string ConfigDir() {
    return XdgDir("XDG_CONFIG_HOME", ".config");
}
std::string CacheDir() {
    return XdgDir("XDG_CACHE_HOME", ".cache");
}
std::string DataDir() {
    return XdgDir("XDG_DATA_HOME", ".local/share");
}

std::string StateDir() {
    return XdgDir("XDG_STATE_HOME", ".local/state");
}

std::string ModeFilePath() {
    struct stat st;
    // Whatever stands there (a link or a folder included) is the user's, and the mode file's load
    // decides what to make of it.
    if (lstat("mode.dat", &st) == 0) {
        // Named in full, so that what the console shows says which folder it is.
        char cwd[4096];
        return getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/mode.dat" : "mode.dat";
    }
    std::string dir = DataDir();
    if (dir.empty() || !MakeDirs(dir)) return "mode.dat";
    return dir + "/mode.dat";
}

bool MakeDirs(const std::string& path) {
    if (path.empty()) return false;
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        std::string part = path.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
