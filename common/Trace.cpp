#include "common/Trace.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <unistd.h>

namespace {

std::atomic<bool> g_open{false};
std::atomic<bool> g_colour{false};

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

} // namespace

int OpenTrace(const char* title) {
    g_colour = isatty(STDOUT_FILENO) == 1;
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
    if (g_colour)
        std::printf("%s%s\033[0m", AnsiFor(colour), buffer);
    else
        std::fputs(buffer, stdout);
    std::fflush(stdout);
}

void ClearTrace() {
    if (!g_open || !g_colour) return;
    std::fputs("\033[2J\033[H", stdout);
    std::fflush(stdout);
}
