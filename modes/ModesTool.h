// SPDX-License-Identifier: GPL-3.0-or-later
// tonvex-modes: the PC modes of a mode file as text, and a PC mode pulled from or pushed to a processor.
// Exit status: 0 done, 1 a processor or file error, 2 a usage error.
#pragma once

#include <cstdio>

int RunModesTool(int argc, char** argv, FILE* out, FILE* err);
