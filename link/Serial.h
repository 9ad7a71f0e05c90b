// SPDX-License-Identifier: GPL-3.0-or-later
// The one serial port of the link: a tty opened exclusively, raw, 19200 baud, 8 data bits, read and
// written without blocking. It knows nothing of frames; the link threads are its only users apart
// from the port scan, which opens ports.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

// Result of the last SerialOpen as the scan stored it; every transfer reads it.
extern std::atomic<uint32_t> PortOpen;
// Frames written since start, the tick of the last write, and a copy of the last frame.
extern std::atomic<uint32_t> SendCount;
extern std::atomic<uint32_t> LastSendTick;
extern std::atomic<uint8_t> LastSent[32];
// Bytes moved in each direction since start (the benchmark's wire time).
extern std::atomic<uint64_t> SerialBytesWritten;
extern std::atomic<uint64_t> SerialBytesRead;

// "COM1".."COMn": $XDG_CONFIG_HOME/tonvex/ports/COMn when that link exists (even dangling: a pinned
// port that is gone must not fall through to another device), else the n-th serial device present,
// /dev/ttyUSB*, /dev/ttyACM*, then /dev/ttyS* with a real UART. A name with '/' is a path as it
// stands. Returns an empty string when nothing matches.
std::string ResolvePortName(const char* portName);
// What a port name reaches, for a person to read: the network port a name or a pinned file gives, the
// device behind a pinned link or a path, or the device a COM name falls to; empty when nothing.
std::string PortTarget(const char* portName);

// 1 = ready, 0 = failed (with a trace line naming the port and the reason). Closes the previous port
// first. A port is refused when another program holds it: by a live UUCP lock file (link/UucpLock.h,
// which this process then keeps for itself while it holds the port), by exclusive mode or by flock.
uint32_t SerialOpen(const char* portName);
// Why the last SerialOpen failed ("'COM3' (/dev/ttyUSB0: Permission denied)" and the group to join);
// empty after one that succeeded. Window thread only.
const std::string& SerialOpenProblem();
// The same failure as a kind, for what the window tells the user.
enum class PortProblem : uint32_t { None, NoSuchPort, PermissionDenied, InUse, Other };
PortProblem SerialOpenProblemKind();
// With PermissionDenied: the group that owns the device ("dialout" when it cannot be told).
const std::string& SerialOpenGroup();
// With InUse from another program's lock file: that program's process id (0 when not known).
int SerialOpenHolder();
uint32_t SerialWrite(const uint8_t* bytes, uint32_t count);
// Delivers what has arrived, at most maxCount bytes; 0 at once when nothing is queued.
uint32_t SerialRead(uint8_t* buffer, uint32_t maxCount);
// Waits until bytes are queued or `timeoutMs` passed or SerialWake was called or the window thread
// wants the port (SerialHandoverWanted). Returns true when bytes are queued. Without an open port (or
// on a port whose other end is gone) it simply waits.
bool SerialWait(uint32_t timeoutMs);
// Ends every SerialWait at once and makes later ones return at once (program exit).
void SerialWake(bool stopping);
// Closes the port (program exit and tests).
void SerialClose();

// Held by a link thread for one request and the wait for its reply, and by SerialOpen, so that two
// threads never interleave on the port. SerialOpen and SerialClose do not wait out a transfer: they
// ask for the port, and the transfer holding it ends at once when SerialHandoverWanted says so.
std::mutex& SerialTransferLock();
bool SerialHandoverWanted();
// Drops whatever has arrived and not been read (the processor never speaks unasked, so before a new
// request it can only be a late answer to an earlier one).
void SerialDiscardInput();
