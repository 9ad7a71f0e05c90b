// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/UucpLock.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {

std::string g_dir = "/var/lock";
std::string g_held; // the lock file this process wrote

// The process id a lock file names: ASCII digits (leading blanks allowed), or the four binary bytes
// that old programs wrote. 0 when the file is gone or names nobody.
pid_t LockOwner(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return 0;
    char text[32] = {};
    ssize_t n = read(fd, text, sizeof text - 1);
    close(fd);
    if (n == 4) {
        int32_t binary;
        __builtin_memcpy(&binary, text, 4);
        return binary > 0 ? binary : 0;
    }
    if (n <= 0) return 0;
    char* end = nullptr;
    long pid = std::strtol(text, &end, 10);
    return pid > 0 && pid <= 0x7FFFFFFF && end != text ? static_cast<pid_t>(pid) : 0;
}

bool Alive(pid_t pid) {
    return kill(pid, 0) == 0 || errno == EPERM;
}

} // namespace

void SetUucpLockDir(const std::string& dir) {
    g_dir = dir;
}

std::string UucpLockPath(const std::string& device) {
    std::string name =
        device.rfind("/dev/", 0) == 0 ? device.substr(5) : device.substr(device.rfind('/') + 1);
    for (char& c : name)
        if (c == '/') c = '_';
    return g_dir + "/LCK.." + name;
}

bool UucpLockTake(const std::string& device, pid_t* holder) {
    *holder = 0;
    const std::string lock = UucpLockPath(device);
    const pid_t self = getpid();
    // Written whole under a name of our own, then linked into place: nobody ever reads half a lock,
    // and of two programs taking it at once only one link succeeds.
    const std::string temp = g_dir + "/LTMP." + std::to_string(self);
    for (int attempt = 0; attempt < 3; ++attempt) {
        int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd < 0) return true; // a folder we may not write: the other checks still hold the port
        char text[16];
        int length = std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(self));
        bool written = write(fd, text, static_cast<size_t>(length)) == length;
        close(fd);
        int linked = written ? link(temp.c_str(), lock.c_str()) : -1;
        int error = errno;
        unlink(temp.c_str());
        if (linked == 0) {
            g_held = lock;
            return true;
        }
        if (!written || error != EEXIST) return true;
        pid_t owner = LockOwner(lock);
        if (owner == self) {
            g_held = lock;
            return true;
        }
        if (owner > 0 && Alive(owner)) {
            *holder = owner;
            return false;
        }
        // Left by a process that has ended (or naming nobody): stale, taken over.
        unlink(lock.c_str());
    }
    return true;
}

void UucpLockDrop() {
    if (g_held.empty()) return;
    if (LockOwner(g_held) == getpid()) unlink(g_held.c_str());
    g_held.clear();
}
