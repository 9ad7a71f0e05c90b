// SPDX-License-Identifier: GPL-3.0-or-later
// tonvex: the console. Options are read before anything touches the display, so --help and
// --version work anywhere.
#include "app/TonvexCore.h"
#include "app/ui/Projection.h"
#include "common/Paths.h"
#include "common/Trace.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void PrintHelp(FILE* out) {
    std::string log = DefaultLogPath();
    auto orNone = [](const std::string& dir, const char* what) {
        return dir.empty() ? std::string("(none: HOME is not set)") : dir + what;
    };
    std::fprintf(out,
                 "usage: tonvex [--scale N] [--trace] [--help] [--version]\n"
                 "\n"
                 "The desktop console for the PX2950 sound processor: finds it on a serial port (COM1 to\n"
                 "COM6, 19200 baud), shows all of its parameters in panels, sends every change at once, and\n"
                 "keeps twenty PC modes in mode.dat.\n"
                 "\n"
                 "  --scale N   draw N pixels a point: 1, 1.5, 2 or 3 (without it: tonvex_scale in the\n"
                 "              settings, else what the screen asks for, GDK_SCALE or Xft.dpi)\n"
                 "  --trace     also print the link's frame trace on standard output\n"
                 "  --help      print this help and exit\n"
                 "  --version   print the version and exit\n"
                 "\n"
                 "Files:\n"
                 "  settings      %s\n"
                 "  port links    %s\n"
                 "  picture cache %s\n"
                 "  PC modes      ./mode.dat when there is one, else %s\n"
                 "  log           %s (the trace and every problem, with times)\n"
                 "\n"
                 "'man tonvex' tells more.\n",
                 orNone(ConfigDir(), "/settings").c_str(), orNone(ConfigDir(), "/ports/COMn").c_str(),
                 orNone(CacheDir(), "/tonvex_res.dat").c_str(), orNone(DataDir(), "/mode.dat").c_str(),
                 log.empty() ? "(none: HOME is not set)" : log.c_str());
}

} // namespace

int main(int argc, char** argv) {
    bool trace = false;
    float scale = 0.0f;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            PrintHelp(stdout);
            return 0;
        }
        if (!std::strcmp(argv[i], "--version")) {
            std::printf("tonvex %s\n", TONVEX_VERSION);
            return 0;
        }
        if (!std::strcmp(argv[i], "--trace")) {
            trace = true;
            continue;
        }
        if (!std::strcmp(argv[i], "--scale") || !std::strncmp(argv[i], "--scale=", 8)) {
            const char* given = argv[i][7] == '=' ? argv[i] + 8 : (i + 1 < argc ? argv[++i] : "");
            char* end = nullptr;
            double value = std::strtod(given, &end);
            if (end == given || *end || (value != 1.0 && value != 1.5 && value != 2.0 && value != 3.0)) {
                std::fprintf(stderr, "tonvex: --scale takes 1, 1.5, 2 or 3, not '%s'\n", given);
                return 2;
            }
            scale = static_cast<float>(value);
            continue;
        }
        std::fprintf(
            stderr, "tonvex: unknown option '%s'\nusage: tonvex [--scale N] [--trace] [--help] [--version]\n",
            argv[i]);
        return 2;
    }
    std::string log = DefaultLogPath();
    if (!log.empty() && !OpenLog(log)) std::fprintf(stderr, "tonvex: no log: %s\n", LogProblem().c_str());
    KeepRendererMemory();
    TonvexCore& core = TonvexCore::Instance();
    core.traceOnTerminal = trace;
    core.requestedScale = scale;
    return core.Run();
}
