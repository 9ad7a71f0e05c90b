// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/Serial.h"

#include "common/Paths.h"
#include "common/Tick.h"
#include "common/Trace.h"
#include "link/NetPort.h"
#include "link/Packet.h"
#include "link/UucpLock.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <glob.h>
#include <grp.h>
#include <linux/serial.h>
#include <mutex>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

std::atomic<uint32_t> PortOpen{0};
std::atomic<uint32_t> SendCount{0};
std::atomic<uint32_t> LastSendTick{0};
std::atomic<uint8_t> LastSent[32];
std::atomic<uint64_t> SerialBytesWritten{0};
std::atomic<uint64_t> SerialBytesRead{0};

namespace {

std::atomic<int> g_fd{-1};
// A network port's kind (None for a device) and, for RFC 2217, its telnet state. Set by the opener while
// it holds the port; read by the transfer that holds it after.
std::atomic<NetKind> g_net{NetKind::None};
TelnetLink g_telnet;
// One transfer at a time: a request and the wait for its reply, or an open, hold it.
std::mutex g_transfer;
// The wake pipe lets SerialWait end early when the program stops (its byte stays: every later wait
// ends at once). The hand-over pipe ends the wait of a transfer whose port the window thread is
// replacing; the opener drains it once it holds the port.
int g_wake[2] = {-1, -1};
int g_handoverPipe[2] = {-1, -1};
std::once_flag g_wakeOnce;
std::atomic<bool> g_stopping{false};
std::atomic<bool> g_handover{false};

void MakeWakePipe() {
    if (pipe2(g_wake, O_CLOEXEC | O_NONBLOCK) != 0) g_wake[0] = g_wake[1] = -1;
    if (pipe2(g_handoverPipe, O_CLOEXEC | O_NONBLOCK) != 0) g_handoverPipe[0] = g_handoverPipe[1] = -1;
}

void Drain(int fd) {
    uint8_t drain[64];
    while (fd >= 0 && read(fd, drain, sizeof drain) > 0) {
    }
}

// The port for the window thread: at once when no transfer runs, otherwise as soon as the transfer
// has seen the hand-over request (its wait ends on the pipe, its write loop on the flag), which is
// microseconds, not the rest of a reply time-out.
std::unique_lock<std::mutex> TakePortFromTransfer() {
    std::call_once(g_wakeOnce, MakeWakePipe);
    std::unique_lock<std::mutex> hold(g_transfer, std::try_to_lock);
    if (hold.owns_lock()) return hold;
    g_handover = true;
    if (g_handoverPipe[1] >= 0) {
        uint8_t b = 1;
        (void)!write(g_handoverPipe[1], &b, 1);
    }
    hold.lock();
    g_handover = false;
    Drain(g_handoverPipe[0]);
    return hold;
}

int TrailingNumber(const std::string& path) {
    size_t i = path.size();
    while (i > 0 && path[i - 1] >= '0' && path[i - 1] <= '9')
        --i;
    return i == path.size() ? -1 : std::atoi(path.c_str() + i);
}

std::vector<std::string> Devices(const char* pattern) {
    std::vector<std::string> found;
    glob_t g;
    if (glob(pattern, 0, nullptr, &g) == 0)
        for (size_t i = 0; i < g.gl_pathc; ++i)
            found.push_back(g.gl_pathv[i]);
    globfree(&g);
    std::sort(found.begin(), found.end(), [](const std::string& a, const std::string& b) {
        return TrailingNumber(a) < TrailingNumber(b);
    });
    return found;
}

// /dev/ttyS* exist whether or not a UART sits behind them. The serial core says which are real in
// sysfs (its `type` is 0 for a placeholder), so nothing is opened to find out: opening a port raises
// DTR and RTS on whatever equipment hangs on it.
bool RealUart(const std::string& path) {
    std::string name = path.substr(path.rfind('/') + 1);
    FILE* f = std::fopen(("/sys/class/tty/" + name + "/type").c_str(), "r");
    if (!f) return false;
    int type = 0;
    bool real = std::fscanf(f, "%d", &type) == 1 && type != PORT_UNKNOWN;
    std::fclose(f);
    return real;
}

void CloseHeld();

bool ParseComNumber(const char* name, int* number) {
    if (strncasecmp(name, "COM", 3) != 0 || !name[3]) return false;
    int n = 0;
    for (const char* p = name + 3; *p; ++p) {
        if (*p < '0' || *p > '9' || n > 1000) return false;
        n = n * 10 + (*p - '0');
    }
    if (n < 1) return false;
    *number = n;
    return true;
}

// The device a pinned link points to (the group that matters is the device's, not the link's).
std::string DeviceBehind(const std::string& path) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved)) return resolved;
    char target[PATH_MAX];
    ssize_t n = readlink(path.c_str(), target, sizeof target - 1);
    return n > 0 ? std::string(target, static_cast<size_t>(n)) : path;
}

// What the last SerialOpen that failed found; the window thread is its only user.
std::string g_openProblem;
PortProblem g_openProblemKind = PortProblem::None;
std::string g_openGroup;
pid_t g_openHolder = 0;

// Keeps the reason a port could not be opened and traces it.
void OpenFailure(std::string text, PortProblem kind) {
    g_openProblem = text;
    g_openProblemKind = kind;
    Trace(7, "Error: open serialport %s\n", text.c_str());
}

void TraceOpenFailure(const char* portName, const std::string& path, int error) {
    if (path.empty()) {
        OpenFailure("'" + std::string(portName) + "' (no such serial port)", PortProblem::NoSuchPort);
        return;
    }
    std::string text = "'" + std::string(portName) + "' (" + path + ": " + std::strerror(error) + ")";
    PortProblem kind = PortProblem::Other;
    if (error == ENOENT || error == ENXIO || error == ENODEV) kind = PortProblem::NoSuchPort;
    if (error == EBUSY) kind = PortProblem::InUse; // another program holds it exclusively
    if (error == EACCES || error == EPERM) {
        kind = PortProblem::PermissionDenied;
        std::string device = DeviceBehind(path);
        struct stat st;
        const group* owner = stat(device.c_str(), &st) == 0 ? getgrgid(st.st_gid) : nullptr;
        g_openGroup = owner && owner->gr_name ? owner->gr_name : "dialout";
        text += "\n       The user must be in the group ";
        if (owner && owner->gr_name) text += "'" + std::string(owner->gr_name) + "' ";
        text += "that owns " + device + " (usually 'dialout').";
    }
    OpenFailure(text, kind);
}

bool Configure(int fd) {
    termios tio;
    if (tcgetattr(fd, &tio) != 0) return false;
    // Raw bytes: no line editing, echo, signals or translation. Software flow control is turned off
    // too: XON/XOFF would swallow 0x11 and 0x13, which are ordinary bytes of this protocol. Parity,
    // stop bits and hardware flow control stay as the port reports them.
    tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag = (tio.c_cflag & ~CSIZE) | CS8 | CREAD | CLOCAL;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, B19200);
    cfsetospeed(&tio, B19200);
    if (tcsetattr(fd, TCSANOW, &tio) != 0) return false;
    tcflush(fd, TCOFLUSH);
    return true;
}

} // namespace

std::string ResolvePortName(const char* portName) {
    if (!portName || !portName[0]) return std::string();
    if (std::strchr(portName, '/')) return portName;
    int n = 0;
    if (!ParseComNumber(portName, &n)) return std::string();
    std::string dir = ConfigDir();
    if (!dir.empty()) {
        std::string pinned = dir + "/ports/COM" + std::to_string(n);
        struct stat st;
        if (lstat(pinned.c_str(), &st) == 0) return pinned;
    }
    std::vector<std::string> present = Devices("/dev/ttyUSB*");
    for (auto& d : Devices("/dev/ttyACM*"))
        present.push_back(d);
    if (static_cast<int>(present.size()) < n)
        for (auto& d : Devices("/dev/ttyS*"))
            if (RealUart(d)) present.push_back(d);
    return n <= static_cast<int>(present.size()) ? present[n - 1] : std::string();
}

std::mutex& SerialTransferLock() {
    return g_transfer;
}

namespace {

// A network port's server may have closed the connection: that must fail the write (the link then
// treats the processor as silent), not raise SIGPIPE, which would end the program.
ssize_t WriteSome(int fd, const uint8_t* bytes, size_t count) {
    if (g_net != NetKind::None) return send(fd, bytes, count, MSG_NOSIGNAL);
    return write(fd, bytes, count);
}

// What the RFC 2217 server sent, its telnet commands taken out (answered where they ask); returns the
// data bytes left in place.
size_t TakeTelnet(int fd, uint8_t* bytes, size_t count) {
    std::vector<uint8_t> replies;
    count = g_telnet.Filter(bytes, count, &replies);
    if (!replies.empty()) (void)!WriteSome(fd, replies.data(), replies.size());
    return count;
}

// A pinned port may be a regular file whose first line names a network port.
std::string PinnedNetworkPort(const char* portName) {
    int n = 0;
    if (!portName || !ParseComNumber(portName, &n)) return std::string();
    // A COM name resolves to its pin when there is one; a device it falls through to is no regular file.
    std::string pinned = ResolvePortName(portName);
    struct stat st;
    if (lstat(pinned.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::string();
    FILE* f = std::fopen(pinned.c_str(), "re");
    if (!f) return std::string();
    char line[512] = {};
    bool read = std::fgets(line, sizeof line, f) != nullptr;
    std::fclose(f);
    std::string url = read ? line : "";
    url.erase(0, url.find_first_not_of(" \t"));
    url.erase(url.find_last_not_of(" \t\r\n") + 1);
    return NetPortKind(url) != NetKind::None ? url : std::string();
}

// Under the transfer lock, the previous port closed.
uint32_t OpenNetworkPort(const char* portName, const std::string& url) {
    std::string why;
    bool hostMissing = false;
    int fd = NetPortOpen(url, &why, &hostMissing);
    if (fd < 0) {
        OpenFailure("'" + std::string(portName) + "' (" + url + ": " + why + ")", PortProblem::Other);
        return 0;
    }
    g_telnet = TelnetLink{};
    g_net = NetPortKind(url);
    g_fd = fd;
    return 1;
}

} // namespace

std::string PortTarget(const char* portName) {
    if (portName && NetPortKind(portName) != NetKind::None) return portName;
    std::string network = PinnedNetworkPort(portName);
    if (!network.empty()) return network;
    std::string path = ResolvePortName(portName);
    return path.empty() ? path : DeviceBehind(path);
}

uint32_t SerialOpen(const char* portName) {
    std::unique_lock<std::mutex> hold = TakePortFromTransfer();
    CloseHeld();
    g_openProblem.clear();
    g_openProblemKind = PortProblem::None;
    g_openGroup.clear();
    g_openHolder = 0;
    std::string network =
        portName && NetPortKind(portName) != NetKind::None ? portName : PinnedNetworkPort(portName);
    if (!network.empty()) return OpenNetworkPort(portName, network);
    std::string path = ResolvePortName(portName);
    if (path.empty()) {
        TraceOpenFailure(portName ? portName : "", path, ENOENT);
        return 0;
    }
    // Another serial program's lock file first (minicom, cu: they hold the port by that alone).
    std::string device = DeviceBehind(path);
    pid_t holder = 0;
    if (!UucpLockTake(device, &holder)) {
        g_openHolder = holder;
        OpenFailure("'" + std::string(portName) + "' (" + path + ": in use by process " +
                        std::to_string(holder) + ", see " + UucpLockPath(device) + ")",
                    PortProblem::InUse);
        return 0;
    }
    auto fail = [&](int fd, int error) {
        TraceOpenFailure(portName, path, error);
        if (fd >= 0) close(fd);
        UucpLockDrop();
        return 0u;
    };
    int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return fail(-1, errno);
    if (ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY) return fail(fd, errno);
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int error = errno;
        if (error != EWOULDBLOCK) return fail(fd, error);
        OpenFailure("'" + std::string(portName) + "' (" + path + ": in use by another program)",
                    PortProblem::InUse);
        close(fd);
        UucpLockDrop();
        return 0;
    }
    if (!Configure(fd)) return fail(fd, errno);
    g_fd = fd;
    return 1;
}

const std::string& SerialOpenProblem() {
    return g_openProblem;
}

PortProblem SerialOpenProblemKind() {
    return g_openProblemKind;
}

const std::string& SerialOpenGroup() {
    return g_openGroup;
}

int SerialOpenHolder() {
    return static_cast<int>(g_openHolder);
}

void SerialClose() {
    std::unique_lock<std::mutex> hold = TakePortFromTransfer();
    CloseHeld();
}

namespace {
void CloseHeld() {
    int fd = g_fd.exchange(-1);
    if (fd >= 0 && g_net != NetKind::None) {
        close(fd);
        fd = -1;
    }
    g_net = NetKind::None;
    if (fd >= 0) {
        // Exclusive mode outlives the descriptor on some drivers; leave the port usable by others.
        ioctl(fd, TIOCNXCL);
        close(fd);
    }
    UucpLockDrop();
}
} // namespace

uint32_t SerialWrite(const uint8_t* bytes, uint32_t count) {
    int fd = g_fd;
    if (!PortOpen || fd < 0) return 0;
    uint32_t now = TickNow();
    TraceSent(bytes, static_cast<int>(count), now - LastSendTick.load());
    ++SendCount;
    LastSendTick = now;
    for (uint32_t i = 0; i < 32; ++i)
        LastSent[i] = i < count ? bytes[i] : 0;
    // Through RFC 2217 a data byte 0xFF goes twice (every frame starts with two).
    std::vector<uint8_t> escaped;
    const uint8_t* out = bytes;
    uint32_t outCount = count;
    if (g_net == NetKind::Rfc2217) {
        escaped = TelnetLink::Escape(bytes, count);
        out = escaped.data();
        outCount = static_cast<uint32_t>(escaped.size());
    }
    uint32_t written = 0;
    uint32_t start = now;
    while (written < outCount) {
        ssize_t n = WriteSome(fd, out + written, outCount - written);
        if (n > 0) {
            written += static_cast<uint32_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN && TickSince(start) < 5000 && !g_handover) {
            pollfd p{fd, POLLOUT, 0};
            poll(&p, 1, 100);
            continue;
        }
        break;
    }
    if (outCount != count) written = written == outCount ? count : std::min(written, count - 1);
    SerialBytesWritten += written;
    return written;
}

uint32_t SerialRead(uint8_t* buffer, uint32_t maxCount) {
    int fd = g_fd;
    if (!PortOpen || fd < 0 || maxCount == 0) return 0;
    int queued = 0;
    if (ioctl(fd, FIONREAD, &queued) != 0 || queued <= 0) return 0;
    uint32_t want = std::min<uint32_t>(maxCount, static_cast<uint32_t>(queued));
    ssize_t n = read(fd, buffer, want);
    if (n <= 0) return 0;
    if (g_net == NetKind::Rfc2217) {
        n = static_cast<ssize_t>(TakeTelnet(fd, buffer, static_cast<size_t>(n)));
        if (n == 0) return 0;
    }
    SerialBytesRead += static_cast<uint64_t>(n);
    TraceReceived(buffer, static_cast<int>(n));
    return static_cast<uint32_t>(n);
}

bool SerialWait(uint32_t timeoutMs) {
    std::call_once(g_wakeOnce, MakeWakePipe);
    if (g_stopping) return false;
    if (g_handover) return false;
    int fd = PortOpen ? g_fd.load() : -1;
    pollfd p[3] = {{g_wake[0], POLLIN, 0}, {g_handoverPipe[0], POLLIN, 0}, {fd, POLLIN, 0}};
    int count = fd >= 0 ? 3 : 2;
    uint32_t start = TickNow();
    for (;;) {
        uint32_t spent = TickSince(start);
        if (spent >= timeoutMs) return false;
        int r = poll(p, count, static_cast<int>(std::min<uint32_t>(timeoutMs - spent, INT_MAX)));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        if (p[0].revents || p[1].revents) return false;
        if (count == 3 && p[2].revents) {
            int queued = 0;
            if (ioctl(fd, FIONREAD, &queued) == 0 && queued > 0) return true;
            // The far end hung up or the port failed (a network port's server closed the connection:
            // readable with nothing queued): nothing will arrive, so wait out the time.
            if ((p[2].revents & (POLLHUP | POLLERR | POLLNVAL)) ||
                (g_net != NetKind::None && (p[2].revents & POLLIN)))
                count = 2;
        }
    }
}

void SerialWake(bool stopping) {
    std::call_once(g_wakeOnce, MakeWakePipe);
    g_stopping = stopping;
    if (!stopping) {
        Drain(g_wake[0]);
        return;
    }
    if (g_wake[1] >= 0) {
        uint8_t b = 1;
        (void)!write(g_wake[1], &b, 1);
    }
}

bool SerialHandoverWanted() {
    return g_handover;
}

void SerialDiscardInput() {
    int fd = g_fd;
    if (!PortOpen || fd < 0) return;
    if (g_net == NetKind::None) {
        tcflush(fd, TCIFLUSH);
        return;
    }
    uint8_t drop[256];
    for (int queued = 0; ioctl(fd, FIONREAD, &queued) == 0 && queued > 0;) {
        ssize_t n = read(fd, drop, sizeof drop);
        if (n <= 0) break;
        if (g_net == NetKind::Rfc2217) TakeTelnet(fd, drop, static_cast<size_t>(n));
    }
}
