// SPDX-License-Identifier: GPL-3.0-or-later
// The trace of the device link and the program's problem reports.
//
// The trace: every frame sent and received, printed on standard output when the terminal trace is on
// (in colour when that is a terminal; colours are the 4-bit console codes the link uses: 7 grey,
// 10 green, 12 red, 13 magenta, 14 yellow, 15 white). A problem report goes to standard error. Both
// also go to the log file once one is open, each line with its time, so that a run started from a
// menu leaves something to send. The log is bounded: past LogLimitBytes it moves to "<log>.1"
// (replacing the one before) and starts afresh.
#pragma once

#include <cstddef>
#include <string>

constexpr size_t LogLimitBytes = 1 << 20;

// Opens the trace; `terminal` false keeps it off standard output (the log still gets it). Returns 0.
int OpenTrace(const char* title, bool terminal = true);
void Trace(int colour, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Clears the terminal (F5).
void ClearTrace();

// "tonvex: <text>" on standard error and in the log.
void ReportProblem(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Appends to the log at `path` from now on, its folder made. False (with the reason in
// LogProblem()) when it cannot be opened: the program runs on without a log.
bool OpenLog(const std::string& path);
void CloseLog();
// The log's path ("" when none is open), and why the last OpenLog failed.
const std::string& LogPath();
const std::string& LogProblem();
// Where the console keeps its log: StateDir()/tonvex.log ("" without a per-user folder).
std::string DefaultLogPath();
