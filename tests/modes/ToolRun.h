// SPDX-License-Identifier: GPL-3.0-or-later
// tonvex-modes run inside a test as from a shell: its status and what it wrote on each output.
#pragma once

#include "link/LinkState.h"
#include "modes/ModesTool.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

struct ToolResult {
    int status;
    std::string out, err;
};

inline ToolResult RunTool(std::vector<std::string> args) {
    LinkResetForTest();
    args.insert(args.begin(), "tonvex-modes");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    char *out = nullptr, *err = nullptr;
    size_t outSize = 0, errSize = 0;
    FILE* o = open_memstream(&out, &outSize);
    FILE* e = open_memstream(&err, &errSize);
    int status = RunModesTool(static_cast<int>(argv.size()), argv.data(), o, e);
    std::fclose(o);
    std::fclose(e);
    ToolResult r{status, out, err};
    std::free(out);
    std::free(err);
    return r;
}
