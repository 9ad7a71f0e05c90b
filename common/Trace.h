// The coloured trace of the device link: every frame sent and received is printed on standard output,
// in colour when that is a terminal. Colours are the 4-bit console codes the link uses (7 grey,
// 10 green, 12 red, 13 magenta, 14 yellow, 15 white).
#pragma once

// Opens the trace. Returns 0, or -1 when there is nowhere to write (the trace is then silent).
int OpenTrace(const char* title);
void Trace(int colour, const char* format, ...) __attribute__((format(printf, 2, 3)));
// Clears the terminal (F5).
void ClearTrace();
