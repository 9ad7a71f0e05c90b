// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/Px2950Sim.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace {

// One byte of 8N1 at 19200 baud: ten bits.
constexpr uint64_t ByteNs = 10ull * 1000000000ull / 19200ull;

uint16_t Checksum(const uint8_t* bytes, int words) {
    uint16_t sum = 0;
    for (int i = 0; i < words; ++i)
        sum ^= static_cast<uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    return sum & 0xFEFE;
}

bool PlainParam(uint16_t code) {
    return (code >= 256 && code <= 263) || (code >= 512 && code <= 516) || (code >= 768 && code <= 771) ||
           (code >= 1024 && code <= 1030) || (code >= 1280 && code <= 1287) ||
           (code >= 1792 && code <= 1796) || code == 8 || code == 16 || code == 17 || code == 18 ||
           code == 19;
}

} // namespace

Px2950Sim::Px2950Sim() {
    Defaults();
}

Px2950Sim::~Px2950Sim() {
    Stop();
}

uint64_t Px2950Sim::NowNs() const {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint64_t>(ts.tv_sec) * 1000000000ull + static_cast<uint64_t>(ts.tv_nsec);
}

bool Px2950Sim::TwoSet(uint16_t code) {
    return code == 1026 || code == 1027 || code == 770 || code == 771 || (code >= 801 && code <= 804);
}

int Px2950Sim::BandsOf(uint16_t code) {
    if (code >= 545 && code <= 548) return 7;
    if (code >= 801 && code <= 804) return 7;
    if (code >= 1057 && code <= 1060) return 3;
    if (code >= 1313 && code <= 1316) return 3;
    if (code >= 1569 && code <= 1572) return 15;
    return 0;
}

int Px2950Sim::SetFor(uint16_t code) {
    if (!TwoSet(code)) return 0;
    uint16_t selector = (code == 1026 || code == 1027) ? 1025 : 769;
    return live_[Key(selector, 0, 0)] ? 1 : 0;
}

void Px2950Sim::Defaults() {
    // In-range values a processor might hold after a factory reset.
    const std::pair<uint16_t, uint8_t> plain[] = {
        {256, 50},  {257, 20},  {258, 4},   {259, 30}, {260, 25},   {261, 5},    {262, 4},   {263, 2},
        {512, 0},   {513, 10},  {514, 6},   {515, 40}, {516, 1},    {768, 0},    {769, 0},   {1024, 0},
        {1025, 1},  {1028, 31}, {1029, 24}, {1030, 4}, {1280, 100}, {1281, 100}, {1282, 31}, {1283, 100},
        {1284, 0},  {1285, 16}, {1286, 30}, {1287, 0}, {1792, 40},  {1793, 62},  {1794, 40}, {1795, 62},
        {1796, 30}, {8, 0},     {16, 0},    {17, 30},  {18, 40},    {19, 50}};
    for (auto [code, value] : plain)
        live_[Key(code, 0, 0)] = value;
    for (int set = 0; set < 2; ++set) {
        live_[Key(1026, 0, set)] = set ? 90 : 100;
        live_[Key(1027, 0, set)] = set ? 86 : 96;
        live_[Key(770, 0, set)] = static_cast<uint8_t>(set);
        live_[Key(771, 0, set)] = set ? 20 : 10;
    }
    const uint16_t bandCodes[] = {545, 801, 1057, 1313, 1569};
    for (uint16_t first : bandCodes) {
        int bands = BandsOf(first);
        for (int set = 0; set < (first == 801 ? 2 : 1); ++set)
            for (int b = 0; b < bands; ++b) {
                live_[Key(first, b, set)] = 0;                                              // Peak
                live_[Key(first + 1, b, set)] = static_cast<uint8_t>(b * 250 / bands + 1);  // frequency
                live_[Key(first + 2, b, set)] = static_cast<uint8_t>(120 + (set ? -b : b)); // gain
                live_[Key(first + 3, b, set)] = 14;                                         // Q 3.0
            }
    }
    for (int m = 0; m < 20; ++m) {
        modes_[m] = live_;
        char name[11];
        std::snprintf(name, sizeof name, "MODE %02d   ", m + 1);
        for (int i = 0; i < 10; ++i)
            names_[m][i] = static_cast<uint8_t>(name[i] - 32);
    }
}

bool Px2950Sim::Start() {
    if (master_ >= 0) return true;
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) return false;
    char name[128];
    if (grantpt(master_) != 0 || unlockpt(master_) != 0 || ptsname_r(master_, name, sizeof name) != 0) {
        close(master_);
        master_ = -1;
        return false;
    }
    devicePath_ = name;
    // Writes never block: an answer waiting for room gives way to Stop.
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    // Holding the other end open keeps the master from seeing a hang-up whenever the console closes
    // and reopens the port; it also sets raw mode before the console opens it.
    slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ >= 0) {
        termios tio;
        if (tcgetattr(slave_, &tio) == 0) {
            cfmakeraw(&tio);
            cfsetispeed(&tio, B19200);
            cfsetospeed(&tio, B19200);
            tcsetattr(slave_, TCSANOW, &tio);
        }
    }
    if (pipe2(stopPipe_, O_CLOEXEC) != 0) stopPipe_[0] = stopPipe_[1] = -1;
    startNs_ = NowNs();
    vanished_ = false;
    stopping_ = false;
    thread_ = std::thread(&Px2950Sim::Run, this);
    return true;
}

void Px2950Sim::Stop() {
    if (thread_.joinable()) {
        stopping_ = true;
        if (stopPipe_[1] >= 0) (void)!write(stopPipe_[1], "x", 1);
        thread_.join();
    }
    for (int* fd : {&master_, &slave_, &stopPipe_[0], &stopPipe_[1]}) {
        if (*fd >= 0) close(*fd);
        *fd = -1;
    }
    if (!linkPath_.empty()) {
        char target[256];
        ssize_t n = readlink(linkPath_.c_str(), target, sizeof target - 1);
        if (n > 0 && devicePath_ == std::string(target, static_cast<size_t>(n))) unlink(linkPath_.c_str());
        linkPath_.clear();
    }
}

bool Px2950Sim::LinkAs(const std::string& linkPath) {
    if (devicePath_.empty()) return false;
    unlink(linkPath.c_str());
    if (symlink(devicePath_.c_str(), linkPath.c_str()) != 0) return false;
    linkPath_ = linkPath;
    return true;
}

void Px2950Sim::SetCodeLatencyMs(uint16_t code, uint32_t ms) {
    std::lock_guard<std::mutex> hold(lock_);
    codeLatency_[code] = ms;
}

void Px2950Sim::LateReplyTo(uint16_t code, uint8_t value, uint32_t ms) {
    std::lock_guard<std::mutex> hold(lock_);
    late_ = OneRequest{true, code, value, ms};
}

void Px2950Sim::DoubleReplyTo(uint16_t code, uint8_t value, uint32_t gapMs) {
    std::lock_guard<std::mutex> hold(lock_);
    doubled_ = OneRequest{true, code, value, gapMs};
}

void Px2950Sim::PauseAfter(uint32_t requests, uint32_t ms) {
    std::lock_guard<std::mutex> hold(lock_);
    pauseAt_ = requests_ + requests + 1;
    pauseMs_ = ms;
}

uint8_t Px2950Sim::Param(uint16_t code, int band, int set) {
    std::lock_guard<std::mutex> hold(lock_);
    if (!TwoSet(code))
        set = 0;
    else if (set < 0)
        set = SetFor(code);
    return live_[Key(code, band, set)];
}

void Px2950Sim::SetParam(uint16_t code, int band, int set, uint8_t value) {
    std::lock_guard<std::mutex> hold(lock_);
    if (!TwoSet(code))
        set = 0;
    else if (set < 0)
        set = SetFor(code);
    live_[Key(code, band, set)] = value;
}

uint8_t Px2950Sim::ControlMode() {
    std::lock_guard<std::mutex> hold(lock_);
    return controlMode_;
}
uint8_t Px2950Sim::CurrentMode() {
    std::lock_guard<std::mutex> hold(lock_);
    return currentMode_;
}
uint8_t Px2950Sim::UploadBracket() {
    std::lock_guard<std::mutex> hold(lock_);
    return uploadBracket_;
}
std::string Px2950Sim::ModeName(int mode) {
    std::lock_guard<std::mutex> hold(lock_);
    std::string name;
    if (mode >= 0 && mode < 20)
        for (uint8_t c : names_[mode])
            name += static_cast<char>(c + 32);
    return name;
}
std::map<uint32_t, uint8_t> Px2950Sim::LiveParams() {
    std::lock_guard<std::mutex> hold(lock_);
    return live_;
}
std::string Px2950Sim::SystemPassword() {
    std::lock_guard<std::mutex> hold(lock_);
    std::string s;
    for (uint8_t d : systemPassword_)
        s += static_cast<char>('0' + d);
    return s;
}
std::string Px2950Sim::KeypadPassword() {
    std::lock_guard<std::mutex> hold(lock_);
    std::string s;
    for (uint8_t d : keypadPassword_)
        s += static_cast<char>('0' + d);
    return s;
}

std::vector<Px2950Sim::Frame> Px2950Sim::Log() {
    std::lock_guard<std::mutex> hold(lock_);
    return log_;
}
size_t Px2950Sim::LogSize() {
    std::lock_guard<std::mutex> hold(lock_);
    return log_.size();
}
void Px2950Sim::ClearLog() {
    std::lock_guard<std::mutex> hold(lock_);
    log_.clear();
}

void Px2950Sim::Vanish() {
    vanished_ = true;
    if (slave_ >= 0) close(slave_);
    if (master_ >= 0) close(master_);
    slave_ = master_ = -1;
}

void Px2950Sim::WriteAll(const uint8_t* bytes, size_t count) {
    size_t done = 0;
    while (done < count && master_ >= 0) {
        ssize_t n = write(master_, bytes + done, count - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            // Nobody reads the other end for now: wait for room, or for Stop.
            pollfd p[2] = {{master_, POLLOUT, 0}, {stopPipe_[0], POLLIN, 0}};
            if (poll(p, 2, -1) < 0 && errno != EINTR) break;
            if (p[1].revents || stopping_) break;
        } else {
            break;
        }
    }
    bytesOut_ += done;
}

void Px2950Sim::Reply(std::vector<uint8_t> reply, uint64_t startNs) {
    if (noise_) {
        // An oversize packet start followed by bytes that never complete it; the reply's own sync
        // pair then starts afresh.
        std::vector<uint8_t> junk = {0xFF, 0xFF, 0x40, 0x01};
        for (int i = 0; i < 18; ++i)
            junk.push_back(static_cast<uint8_t>(0x20 + i * 7));
        reply.insert(reply.begin(), junk.begin(), junk.end());
    }
    if (!paced_) {
        if (SleepUntil(startNs)) WriteAll(reply.data(), reply.size());
        return;
    }
    // The last byte, the one that completes the answer, goes out on time: the timer's default slack
    // (up to 50 us on a sleep) would make this wire slower than a real one and hide the console's own
    // delays behind it. The bytes before it keep the slack, which lets many simulated processors on
    // one machine share their wake-ups.
    for (size_t i = 0; i < reply.size(); ++i) {
        bool last = i + 1 == reply.size();
        if (last) prctl(PR_SET_TIMERSLACK, 1);
        bool awake = SleepUntil(startNs + (i + 1) * ByteNs);
        if (last) prctl(PR_SET_TIMERSLACK, 0); // back to the thread's default
        if (!awake) return;
        WriteAll(&reply[i], 1);
    }
}

// Waits until the monotonic time `ns`; false at once when Stop is called meanwhile (however long the
// queue of answers still to pace out: a stopped processor ends within a poll's wake-up).
bool Px2950Sim::SleepUntil(uint64_t ns) {
    for (;;) {
        if (stopping_) return false;
        uint64_t now = NowNs();
        if (now >= ns) return true;
        uint64_t left = ns - now;
        timespec wait{static_cast<time_t>(left / 1000000000ull), static_cast<long>(left % 1000000000ull)};
        pollfd stop = {stopPipe_[0], POLLIN, 0};
        if (ppoll(&stop, stopPipe_[0] >= 0 ? 1 : 0, &wait, nullptr) > 0) return false;
    }
}

// What the processor does with a request (checksum good, not a reply) and the bytes of its answer;
// false when it gives none. Called with lock_ held.
bool Px2950Sim::Respond(const uint8_t* frame, std::vector<uint8_t>* answerData) {
    std::vector<uint8_t>& data = *answerData;
    uint8_t length = frame[2];
    uint8_t type = frame[3];
    uint16_t code = static_cast<uint16_t>(frame[4] | frame[5] << 8);
    uint8_t v6 = frame[6], v7 = frame[7];
    bool read = type == 0;
    bool answer = true;
    int bands = BandsOf(code);
    if (code == 1) {
        data = {0, 0};
    } else if (code == 3) {
        if (!read) controlMode_ = v6 ? 1 : 0;
        data = {controlMode_, 0};
    } else if (code == 4 && read) {
        data.assign(systemPassword_, systemPassword_ + 6);
    } else if (code == 5 && length == 12) {
        for (int i = 0; i < 6; ++i)
            systemPassword_[i] = frame[6 + i] % 10;
        data = {0, 0};
    } else if (code == 6 && read) {
        data.assign(keypadPassword_, keypadPassword_ + 4);
    } else if (code == 7 && length == 10) {
        for (int i = 0; i < 4; ++i)
            keypadPassword_[i] = frame[6 + i] % 10;
        data = {0, 0};
    } else if (code == 32) {
        if (read) {
            data = {currentMode_, 0};
        } else if (v6 < 20) {
            if (type == 4) {
                modes_[v6] = live_;
                if (namePending_) std::memcpy(names_[v6], pendingName_, 10);
                namePending_ = false;
            } else {
                live_ = modes_[v6];
            }
            currentMode_ = v6;
            data = {v6, v7};
        } else {
            answer = false;
        }
    } else if (code == 33 && length == 16) {
        std::memcpy(pendingName_, frame + 6, 10);
        namePending_ = true;
        data = {0, 0};
    } else if (code == 34 && read && v6 < 20) {
        data.assign(names_[v6], names_[v6] + 10);
    } else if (code == 35 && !read) {
        uploadBracket_ = v6;
        data = {v6, 0};
    } else if (code == 772 && !read) {
        musicKey_ = v6;
        data = {v6, 0};
    } else if (bands > 0 && v7 < bands) {
        int set = SetFor(code);
        if (!read) live_[Key(code, v7, set)] = v6;
        data = {live_[Key(code, v7, set)], v7};
    } else if (bands == 0 && PlainParam(code)) {
        int set = SetFor(code);
        if (!read) live_[Key(code, 0, set)] = v6;
        data = {live_[Key(code, 0, set)], 0};
    } else {
        // A code this processor does not know goes unanswered.
        answer = false;
    }
    if (answer && read && zeroReads_) std::fill(data.begin(), data.end(), 0);
    return answer;
}

// The faults a test asked for, put into a reply: a wrong type, tag or code, or noise instead.
void Px2950Sim::SpoilReply(const uint8_t* frame, std::vector<uint8_t>* spoilt) {
    std::vector<uint8_t>& reply = *spoilt;
    if (forcedType_ >= 0) reply[3] = static_cast<uint8_t>(forcedType_);
    if (wrongTag_ && wrongTag_.fetch_sub(1) > 0) reply[reply.size() - 2] ^= 0x02;
    if (wrongCode_ && wrongCode_.fetch_sub(1) > 0) reply[4] ^= 0x01;
    if (garbage_ && garbage_.fetch_sub(1) > 0) {
        // Noise of every kind: random bytes, sync pairs, an oversize length, a packet with a wrong tag.
        reply.clear();
        uint32_t& s = garbageSeed_;
        int n = 1 + static_cast<int>((s = s * 1103515245u + 12345u) >> 16) % 60;
        for (int i = 0; i < n; ++i)
            reply.push_back(static_cast<uint8_t>((s = s * 1103515245u + 12345u) >> 16));
        const uint8_t oversize[] = {0xFF, 0xFF, 0xF0, 0x03, frame[4], frame[5]};
        reply.insert(reply.end(), oversize, oversize + sizeof oversize);
        for (int i = 0; i < 40; ++i)
            reply.push_back(static_cast<uint8_t>(i));
    }
}

void Px2950Sim::Handle(const uint8_t* frame, int count, uint64_t wireEndNs) {
    uint8_t length = frame[2];
    bool checksumOk = Checksum(frame, length / 2) == (frame[length] | frame[length + 1] << 8);
    uint8_t type = frame[3];
    uint16_t code = static_cast<uint16_t>(frame[4] | frame[5] << 8);
    uint8_t v6 = frame[6];
    bool read = type == 0;

    std::vector<uint8_t> data;
    // A reply-type frame (another device answering, or our own echo) is no request.
    bool answer = checksumOk && type != 1 && type != 3;
    uint32_t extraMs = 0;
    uint32_t request = 0;
    bool twice = false;
    uint32_t twiceGapMs = 0;
    {
        std::lock_guard<std::mutex> hold(lock_);
        log_.push_back(Frame{
            static_cast<uint32_t>((wireEndNs - startNs_) / 1000000), {frame, frame + count}, checksumOk});
        request = ++requests_;
        if (auto it = codeLatency_.find(code); it != codeLatency_.end()) extraMs = it->second;
        if (late_.Take(code, v6)) extraMs += late_.ms;
        if (request == pauseAt_) extraMs += pauseMs_;
        twice = doubled_.Take(code, v6);
        twiceGapMs = doubled_.ms;
        if (answer) answer = Respond(frame, &data);
    }

    if (vanishAfter_ && request >= vanishAfter_) {
        Vanish();
        return;
    }
    if (!answer || silent_) return;
    if (silentAfter_ && request > silentAfter_) return;
    if (dropEvery_ && request % dropEvery_ == 0) return;

    std::vector<uint8_t> reply = {
        0xFF,     0xFF,    static_cast<uint8_t>(6 + data.size()), static_cast<uint8_t>(read ? 1 : 3),
        frame[4], frame[5]};
    reply.insert(reply.end(), data.begin(), data.end());
    reply.push_back(frame[length]);
    reply.push_back(frame[length + 1]);
    SpoilReply(frame, &reply);
    uint64_t start = wireEndNs + (static_cast<uint64_t>(latencyMs_) + extraMs) * 1000000ull;
    if (twice) {
        Reply(reply, start);
        start = NowNs() + twiceGapMs * 1000000ull;
    }
    Reply(std::move(reply), start);
}

void Px2950Sim::Run() {
    std::vector<uint8_t> pending;
    uint64_t wireFree = 0; // when the wire from the console is next free
    uint64_t frameEnd = 0;
    while (master_ >= 0) {
        pollfd p[2] = {{master_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        int r = poll(p, 2, -1);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0 || p[1].revents) break;
        if (!(p[0].revents & POLLIN)) {
            if (p[0].revents & (POLLERR | POLLNVAL)) break;
            continue;
        }
        uint8_t bytes[512];
        ssize_t n = read(master_, bytes, sizeof bytes);
        if (n <= 0) {
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            // EIO: nobody holds the other end; our own copy of it keeps this from happening.
            struct timespec pause {
                0, 5000000
            };
            nanosleep(&pause, nullptr);
            continue;
        }
        bytesIn_ += static_cast<uint64_t>(n);
        uint64_t arrived = NowNs();
        for (ssize_t i = 0; i < n; ++i) {
            // Each byte takes its wire time after the one before it.
            if (paced_) {
                wireFree = (arrived > wireFree ? arrived : wireFree) + ByteNs;
                frameEnd = wireFree;
            } else {
                frameEnd = arrived;
            }
            pending.push_back(bytes[i]);
        }
        // Cut frames: FF FF, a length of 8 to 26, length + 2 bytes in all.
        size_t at = 0;
        while (pending.size() - at >= 3) {
            if (pending[at] != 0xFF || pending[at + 1] != 0xFF || pending[at + 2] == 0xFF) {
                ++at;
                continue;
            }
            uint8_t length = pending[at + 2];
            if (length < 8 || length > 26) {
                at += 2;
                continue;
            }
            if (pending.size() - at < static_cast<size_t>(length) + 2) break;
            // A frame cut short on the wire runs into the next one: when the checksum fails and a sync
            // pair lies inside, the frame starts there.
            if (Checksum(&pending[at], length / 2) !=
                (pending[at + length] | pending[at + length + 1] << 8)) {
                size_t inner = at + 2;
                while (inner + 1 < at + length + 2 && !(pending[inner] == 0xFF && pending[inner + 1] == 0xFF))
                    ++inner;
                if (inner + 1 < at + length + 2) {
                    at = inner;
                    continue;
                }
            }
            Handle(&pending[at], length + 2, frameEnd);
            at += length + 2;
            if (master_ < 0 || stopping_) return;
        }
        pending.erase(pending.begin(), pending.begin() + static_cast<long>(at));
    }
}
