// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ModeFile.h"

#include "common/GbkText.h"
#include "link/ParamTable.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

uint8_t ModeBuffer[ModeSlotCount * ModeRecordBytes];

namespace {

std::string g_path = "mode.dat";
std::string g_problem;
// Only a file that was read (or did not exist) is written: one that could not be read is not replaced.
bool g_writable = false;
bool g_stopBeforeRename = false;
// What the file held beyond the records it was read into: its length within the records (a save
// writes at least as much) and every byte past them, written back as they were.
size_t g_loadedBytes = 0;
std::string g_tail;

bool AnyExtraSlotUsed() {
    for (size_t i = ModeFileRecords * ModeRecordBytes; i < sizeof ModeBuffer; ++i)
        if (ModeBuffer[i]) return true;
    return false;
}

bool WriteAll(int fd, const uint8_t* bytes, size_t count) {
    while (count > 0) {
        ssize_t n = write(fd, bytes, count);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes += n;
        count -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

ModeFileStatus LoadModeFile(const char* path) {
    std::memset(ModeBuffer, 0, sizeof ModeBuffer);
    g_path = path ? path : "mode.dat";
    g_problem.clear();
    g_writable = false;
    g_loadedBytes = 0;
    g_tail.clear();
    // O_NOFOLLOW and O_NONBLOCK: a planted symlink is not followed and a FIFO does not hold start-up.
    int fd = open(g_path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            g_writable = true;
            return ModeFileStatus::Created;
        }
        g_problem =
            "\"" + g_path + "\" " +
            (errno == ELOOP ? std::string("is a link; PC modes are kept in memory and not saved over it")
                            : std::string("cannot be read: ") + std::strerror(errno));
        return errno == ELOOP ? ModeFileStatus::Refused : ModeFileStatus::Unreadable;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        g_problem =
            "\"" + g_path + "\" is not a regular file; PC modes are kept in memory and not saved over it";
        return ModeFileStatus::Refused;
    }
    size_t got = 0;
    bool failed = false;
    while (got < sizeof ModeBuffer) {
        ssize_t n = read(fd, ModeBuffer + got, sizeof ModeBuffer - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) failed = true;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    char chunk[4096];
    while (!failed && got == sizeof ModeBuffer) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) failed = true;
        if (n <= 0) break;
        g_tail.append(chunk, static_cast<size_t>(n));
    }
    int readErrno = errno;
    close(fd);
    if (failed) {
        // Half a file is not saved over the whole of it.
        std::memset(ModeBuffer, 0, sizeof ModeBuffer);
        g_tail.clear();
        g_problem = "\"" + g_path + "\" cannot be read: " + std::strerror(readErrno);
        return ModeFileStatus::Unreadable;
    }
    g_loadedBytes = got;
    g_writable = true;
    return ModeFileStatus::Loaded;
}

const std::string& ModeFileInUse() {
    return g_path;
}

const std::string& ModeFileProblem() {
    return g_problem;
}

bool WriteModeFile() {
    auto refuse = [](const std::string& why) {
        g_problem = "\"" + g_path + "\" " + why + "; it is as it was";
        return false;
    };
    struct stat st;
    bool exists = lstat(g_path.c_str(), &st) == 0;
    // What the load refused stays refused, and so does whatever took the file's place since.
    if (!g_writable) return refuse("was not read, so it is not saved over");
    if (exists && !S_ISREG(st.st_mode)) return refuse("is no longer a regular file");
    std::string temp = g_path + ".tmp";
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, exists ? 0600 : 0644);
    if (fd < 0) return refuse("could not be written (\"" + temp + "\": " + std::strerror(errno) + ")");
    // The new file is the old one's: its permission bits, and its owner and group where that may be
    // set (a failure there leaves the writer's, as any editor would).
    bool ok = true;
    if (exists) {
        ok = fchmod(fd, st.st_mode & 07777) == 0;
        if (fchown(fd, st.st_uid, st.st_gid) != 0) {
            int groupOnly = fchown(fd, static_cast<uid_t>(-1), st.st_gid);
            (void)groupOnly;
        }
    }
    size_t bytes = (AnyExtraSlotUsed() ? ModeSlotCount : ModeFileRecords) * ModeRecordBytes;
    if (g_loadedBytes > bytes || !g_tail.empty()) bytes = g_tail.empty() ? g_loadedBytes : sizeof ModeBuffer;
    ok = ok && WriteAll(fd, ModeBuffer, bytes) &&
         WriteAll(fd, reinterpret_cast<const uint8_t*>(g_tail.data()), g_tail.size()) && fsync(fd) == 0;
    int writeErrno = errno;
    ok = close(fd) == 0 && ok;
    if (!ok) {
        unlink(temp.c_str());
        return refuse(std::string("could not be written: ") + std::strerror(writeErrno));
    }
    if (g_stopBeforeRename) return refuse("was not renamed into place (held back by a test)");
    if (rename(temp.c_str(), g_path.c_str()) != 0) {
        int renameErrno = errno;
        unlink(temp.c_str());
        return refuse(std::string("could not be replaced: ") + std::strerror(renameErrno));
    }
    g_problem.clear();
    g_loadedBytes = bytes;
    return true;
}

void ModeSlotName(int slot, char out[ModeNameBytes + 1]) {
    out[0] = 0;
    if (slot < 0 || slot >= ModeSlotCount) return;
    std::memcpy(out, ModeBuffer + slot * ModeRecordBytes + ModeNameOffset, ModeNameBytes);
    out[ModeNameBytes] = 0;
}

void SetModeSlotName(int slot, const char* name) {
    if (slot < 0 || slot >= ModeSlotCount) return;
    uint8_t* field = ModeBuffer + slot * ModeRecordBytes + ModeNameOffset;
    std::memset(field, 0, ModeNameBytes);
    if (name) std::memcpy(field, name, GbkWholeLength(name, ModeNameBytes));
}

uint8_t ModeByteLimit(int offset) {
    return ParamByteLimit(offset);
}

void ClampedModeRecord(int slot, uint8_t out[ModeRecordBytes]) {
    std::memset(out, 0, ModeRecordBytes);
    if (slot < 0 || slot >= ModeSlotCount) return;
    const uint8_t* record = ModeBuffer + slot * ModeRecordBytes;
    std::memcpy(out + ModeNameOffset, record + ModeNameOffset, ModeNameBytes);
    for (int offset = ModeNameOffset + ModeNameBytes; offset < ModeRecordBytes; ++offset) {
        uint8_t limit = ModeByteLimit(offset);
        out[offset] = record[offset] > limit ? limit : record[offset];
    }
}

void ModeFileStopBeforeRenameForTest(bool stop) {
    g_stopBeforeRename = stop;
}
