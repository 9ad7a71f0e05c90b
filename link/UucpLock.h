// SPDX-License-Identifier: GPL-3.0-or-later
// UUCP lock files, as minicom, cu and other serial programs keep them: LCK..<device> in /var/lock,
// holding the owner's process id as ten ASCII digits and a newline. The console honours another
// program's lock and keeps its own while it holds a port, where the folder lets it write.
#pragma once

#include <string>
#include <sys/types.h>

// The folder the locks live in ("/var/lock"; tests point it elsewhere).
void SetUucpLockDir(const std::string& dir);
// The lock file's path for a device ("/dev/ttyUSB0" gives /var/lock/LCK..ttyUSB0, "/dev/pts/3"
// LCK..pts_3).
std::string UucpLockPath(const std::string& device);
// Takes the lock for `device`. True when this process holds it now, or when the folder does not let
// anyone write a lock (then none is kept). False when a live process holds it: *holder says which. A
// lock left by a process that has ended is taken over.
bool UucpLockTake(const std::string& device, pid_t* holder);
// Drops the lock this process holds, if any.
void UucpLockDrop();
