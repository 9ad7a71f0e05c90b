// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Trace.h"

#include "common/Paths.h"

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<bool> g_open{false};
std::atomic<bool> g_terminal{true};
std::atomic<bool> g_colour{false};

// The log: its file, path, size so far, and whether the next byte starts a line (which gets the time).
std::mutex g_logLock;
FILE* g_log = nullptr;
std::string g_logPath;
std::string g_logProblem;
size_t g_logSize = 0;
bool g_lineStart = true;

const char* AnsiFor(int colour) {
    switch (colour & 0xF) {
    case 7:
        return "\033[0;37m";
    case 8:
        return "\033[1;30m";
    case 9:
        return "\033[1;34m";
    case 10:
        return "\033[1;32m";
    case 11:
        return "\033[1;36m";
    case 12:
        return "\033[1;31m";
    case 13:
        return "\033[1;35m";
    case 14:
        return "\033[1;33m";
    case 15:
        return "\033[1;37m";
    default:
        return "\033[0m";
    }
}

// Under g_logLock. The log past its limit moves aside and a new one starts.
void RotateIfFull() {
    if (!g_log || g_logSize < LogLimitBytes) return;
    std::fclose(g_log);
    std::rename(g_logPath.c_str(), (g_logPath + ".1").c_str());
    g_log = std::fopen(g_logPath.c_str(), "ae");
    g_logSize = 0;
    g_lineStart = true;
}

void AppendToLog(const char* text) {
    std::lock_guard<std::mutex> hold(g_logLock);
    if (!g_log) return;
    for (const char* p = text; *p;) {
        if (g_lineStart) {
            timespec now;
            clock_gettime(CLOCK_REALTIME, &now);
            tm local;
            localtime_r(&now.tv_sec, &local);
            char stamp[40];
            size_t n = std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
            n += static_cast<size_t>(std::snprintf(stamp + n, sizeof stamp - n, ".%03ld ",
                                                   static_cast<long>(now.tv_nsec / 1000000)));
            g_logSize += std::fwrite(stamp, 1, n, g_log);
            g_lineStart = false;
        }
        const char* end = std::strchr(p, '\n');
        size_t length = end ? static_cast<size_t>(end - p) + 1 : std::strlen(p);
        g_logSize += std::fwrite(p, 1, length, g_log);
        p += length;
        if (end) {
            g_lineStart = true;
            RotateIfFull();
            if (!g_log) return;
        }
    }
    std::fflush(g_log);
}

} // namespace

int OpenTrace(const char* title, bool terminal) {
    g_terminal = terminal;
    g_colour = terminal && isatty(STDOUT_FILENO) == 1;
    if (g_colour && title) std::printf("\033]0;%s\007", title);
    g_open = true;
    return 0;
}

void Trace(int colour, const char* format, ...) {
    if (!format || !g_open) return;
    char buffer[8096];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (g_terminal) {
        if (g_colour)
            std::printf("%s%s\033[0m", AnsiFor(colour), buffer);
        else
            std::fputs(buffer, stdout);
        std::fflush(stdout);
    }
    AppendToLog(buffer);
}

void ClearTrace() {
    if (!g_open || !g_colour) return;
    std::fputs("\033[2J\033[H", stdout);
    std::fflush(stdout);
}

void ReportProblem(const char* format, ...) {
    char buffer[2048] = "tonvex: ";
    const size_t prefix = std::strlen(buffer);
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer + prefix, sizeof buffer - prefix, format, args);
    va_end(args);
    std::fprintf(stderr, "%s\n", buffer);
    AppendToLog(buffer);
    AppendToLog("\n");
}

bool OpenLog(const std::string& path) {
    CloseLog();
    std::lock_guard<std::mutex> hold(g_logLock);
    g_logProblem.clear();
    size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !MakeDirs(path.substr(0, slash))) {
        g_logProblem = path.substr(0, slash) + ": " + std::strerror(errno);
        return false;
    }
    g_log = std::fopen(path.c_str(), "ae");
    if (!g_log) {
        g_logProblem = path + ": " + std::strerror(errno);
        return false;
    }
    struct stat st;
    g_logSize = fstat(fileno(g_log), &st) == 0 ? static_cast<size_t>(st.st_size) : 0;
    g_logPath = path;
    g_lineStart = true;
    RotateIfFull();
    return g_log != nullptr;
}

void CloseLog() {
    std::lock_guard<std::mutex> hold(g_logLock);
    if (g_log) std::fclose(g_log);
    g_log = nullptr;
    g_logPath.clear();
}

const std::string& LogPath() {
    return g_logPath;
}

const std::string& LogProblem() {
    return g_logProblem;
}

std::string DefaultLogPath() {
    std::string dir = StateDir();
    return dir.empty() ? std::string() : dir + "/tonvex.log";
}
