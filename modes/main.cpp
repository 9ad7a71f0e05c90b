// SPDX-License-Identifier: GPL-3.0-or-later
// tonvex-modes: see ModesTool.h, or run it with --help.
#include "modes/ModesTool.h"

int main(int argc, char** argv) {
    return RunModesTool(argc, argv, stdout, stderr);
}
