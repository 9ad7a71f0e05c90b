// SPDX-License-Identifier: GPL-3.0-or-later
// tonvex-modes: the PC modes of a mode file as text, and a PC mode pulled from or pushed to a processor.
// Exit status: 0 done, 1 a processor or file error, 2 a usage error.
#pragma once

#include <cstdio>
#include <string>

int RunModesTool(int argc, char** argv, FILE* out, FILE* err);

// The program that runs one port's transfer when several ports are given (this one, by default; tests
// that run the tool inside another program name the built tonvex-modes).
std::string ModesToolProgram();
void SetModesToolProgram(const std::string& path);
