// SPDX-License-Identifier: GPL-3.0-or-later
// A simulated PX2950 on a pseudo-terminal: the peer of the link's tests, of the benchmark and of the
// demo. It answers requests as the processor does (a reply of type 1 for a read, 3 for every write,
// the code echoed, the value from byte 6 on, the request's checksum as the last two bytes), paces its
// bytes as a 19200-baud 8N1 wire would, and misbehaves on request.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class Px2950Sim {
  public:
    struct Frame {
        uint32_t atMs;              // milliseconds since Start, when the frame was complete on the wire
        std::vector<uint8_t> bytes; // as received
        bool checksumOk;
    };

    Px2950Sim();
    ~Px2950Sim();
    Px2950Sim(const Px2950Sim&) = delete;
    Px2950Sim& operator=(const Px2950Sim&) = delete;

    // Opens the pty and starts answering. False when no pty could be made.
    bool Start();
    void Stop();
    // The device path the console opens (/dev/pts/N).
    const std::string& DevicePath() const { return devicePath_; }
    // Makes `linkPath` a symlink to the device (replacing an older link); removed again by Stop.
    bool LinkAs(const std::string& linkPath);

    // Timing: paced bytes (about 0.52 ms each in both directions) and a delay before every answer.
    void SetPaced(bool paced) { paced_ = paced; }
    void SetLatencyMs(uint32_t ms) { latencyMs_ = ms; }
    // An extra delay before answering one code (a processor slow on that request).
    void SetCodeLatencyMs(uint16_t code, uint32_t ms);

    // Misbehaviour.
    void DropEvery(uint32_t n) { dropEvery_ = n; }    // no answer to every n-th request; 0 = off
    void SetSilent(bool silent) { silent_ = silent; } // no answers at all
    void SilentAfter(uint32_t requests) { silentAfter_ = requests; } // answers the first n only
    void WrongTagNext(uint32_t n) { wrongTag_ = n; }
    void WrongCodeNext(uint32_t n) { wrongCode_ = n; }
    void GarbageNext(uint32_t n) { garbage_ = n; } // junk instead of the next n answers
    void SetNoiseBefore(bool on) { noise_ = on; }  // junk ahead of every answer
    // Every answer carries this type byte instead of 1 or 3 (0 and 2 are what a confused device sends);
    // -1 = off.
    void SetForcedReplyType(int type) { forcedType_ = type; }
    void SetZeroReads(bool on) { zeroReads_ = on; }                  // every read answered with zeros
    void VanishAfter(uint32_t requests) { vanishAfter_ = requests; } // closes its side after n requests
    bool Vanished() const { return vanished_; }
    // Once: the first request of `code` with `value` in byte 6 is answered `ms` late (the copies the
    // console sends meanwhile queue up and are answered after it, as the processor does).
    void LateReplyTo(uint16_t code, uint8_t value, uint32_t ms);
    // Once: the first request of `code` with `value` in byte 6 is answered twice, the second answer
    // `gapMs` after the first.
    void DoubleReplyTo(uint16_t code, uint8_t value, uint32_t gapMs = 0);
    // After answering `requests` more requests, stops for `ms`; what arrives meanwhile is answered
    // when it resumes.
    void PauseAfter(uint32_t requests, uint32_t ms);

    // The processor's values. `set` picks Sing (0) or Disco (1) for the two-set codes (1026, 1027,
    // 770, 771, 801-804); -1 = the set currently selected.
    uint8_t Param(uint16_t code, int band = 0, int set = -1);
    void SetParam(uint16_t code, int band, int set, uint8_t value);
    uint8_t ControlMode();
    uint8_t CurrentMode();
    uint8_t UploadBracket();        // last value of code 35
    std::string ModeName(int mode); // as characters
    // Every live value, keyed code | band << 16 | set << 24: two processors hold the same setting when
    // these are equal.
    std::map<uint32_t, uint8_t> LiveParams();
    std::string SystemPassword();
    std::string KeypadPassword();

    std::vector<Frame> Log();
    size_t LogSize();
    void ClearLog();
    uint64_t BytesReceived() const { return bytesIn_; }
    uint64_t BytesSent() const { return bytesOut_; }

  private:
    using Params = std::map<uint32_t, uint8_t>;
    static uint32_t Key(uint16_t code, int band, int set) { return code | band << 16 | set << 24; }
    static bool TwoSet(uint16_t code);
    static int BandsOf(uint16_t code); // 0 = not a band code
    int SetFor(uint16_t code);         // under lock_
    void Defaults();
    void Run();
    void Handle(const uint8_t* frame, int count, uint64_t wireEndNs);
    bool Respond(const uint8_t* frame, std::vector<uint8_t>* data);
    void SpoilReply(const uint8_t* frame, std::vector<uint8_t>* reply);
    void Reply(std::vector<uint8_t> reply, uint64_t startNs);
    bool SleepUntil(uint64_t ns);
    void WriteAll(const uint8_t* bytes, size_t count);
    void Vanish();
    uint64_t NowNs() const;

    int master_ = -1;
    int slave_ = -1;
    int stopPipe_[2] = {-1, -1};
    std::string devicePath_;
    std::string linkPath_;
    std::thread thread_;
    uint64_t startNs_ = 0;

    std::atomic<bool> paced_{true};
    std::atomic<bool> stopping_{false}; // Stop was called: no more answers, whatever is queued
    std::atomic<uint32_t> latencyMs_{0};
    std::atomic<uint32_t> dropEvery_{0};
    std::atomic<bool> silent_{false};
    std::atomic<uint32_t> silentAfter_{0};
    std::atomic<uint32_t> wrongTag_{0};
    std::atomic<uint32_t> wrongCode_{0};
    std::atomic<uint32_t> garbage_{0};
    std::atomic<bool> noise_{false};
    std::atomic<int> forcedType_{-1};
    std::atomic<bool> zeroReads_{false};
    std::atomic<uint32_t> vanishAfter_{0};
    std::atomic<bool> vanished_{false};
    std::atomic<uint64_t> bytesIn_{0};
    std::atomic<uint64_t> bytesOut_{0};

    std::mutex lock_;
    Params live_;
    Params modes_[20];
    uint8_t names_[20][10] = {}; // characters minus 32, as code 34 carries them
    uint8_t pendingName_[10] = {};
    bool namePending_ = false;
    uint8_t systemPassword_[6] = {1, 2, 3, 4, 5, 6};
    uint8_t keypadPassword_[4] = {1, 2, 3, 4};
    uint8_t controlMode_ = 0;
    uint8_t currentMode_ = 0;
    uint8_t musicKey_ = 0;
    uint8_t uploadBracket_ = 0;
    std::map<uint16_t, uint32_t> codeLatency_;
    struct OneRequest {
        bool armed = false;
        uint16_t code = 0;
        uint8_t value = 0;
        uint32_t ms = 0;
        // True once, for the first request it names.
        bool Take(uint16_t c, uint8_t v) {
            if (!armed || c != code || v != value) return false;
            armed = false;
            return true;
        }
    };
    OneRequest late_, doubled_;
    uint32_t pauseAt_ = 0, pauseMs_ = 0;
    std::vector<Frame> log_;
    uint32_t requests_ = 0;
    uint32_t garbageSeed_ = 12345;
};
