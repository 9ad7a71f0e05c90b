// The three link threads. Each request goes out, then the thread waits on the port with poll() until
// a complete packet or the request's time-out: the same time-outs and tries as a busy loop would
// give, without spending a core.
#include "common/Tick.h"
#include "link/LinkInternal.h"
#include "link/LinkState.h"
#include "link/Packet.h"
#include "link/Serial.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <thread>

using namespace link_detail;

namespace {

enum class Outcome { Matched, Mismatched, TimedOut };

std::thread g_sender;
std::thread g_download;
std::thread g_upload;
std::mutex g_gateLock;
std::condition_variable g_gate;
bool g_gateOpen = false;
uint8_t g_uploadSlot[256];

// A program that ends without LinkShutdown (a test, an early return) still stops its threads before
// their objects go away.
struct StopAtExit {
    ~StopAtExit() { LinkShutdown(); }
} g_stopAtExit;

// Sends one request and waits up to `timeoutMs` for a complete packet. The rest of a read after a
// complete packet is dropped. With `wait` false the frame only goes out (a last try nobody waits for).
Outcome Exchange(FrameAssembler& assembler, const uint8_t* frame, int frameBytes, uint32_t timeoutMs,
                 bool wait, uint8_t* packetOut) {
    std::lock_guard<std::mutex> hold(SerialTransferLock());
    SerialWrite(frame, static_cast<uint32_t>(frameBytes));
    uint32_t sent = TickNow();
    if (!wait) return Outcome::TimedOut;
    uint8_t bytes[1024];
    for (;;) {
        uint32_t n = SerialRead(bytes, sizeof bytes);
        for (uint32_t i = 0; i < n; ++i) {
            if (!assembler.Feed(bytes[i])) continue;
            int length = assembler.packetBytes();
            std::memcpy(packetOut, assembler.packet(), 32);
            TracePacket(packetOut, length, TickSince(sent));
            return PacketMatches(frame, frameBytes, packetOut, length) ? Outcome::Matched
                                                                       : Outcome::Mismatched;
        }
        if (n > 0) continue;
        uint32_t spent = TickSince(sent);
        if (spent >= timeoutMs || Stopping) return Outcome::TimedOut;
        if (!SerialWait(timeoutMs - spent)) return Outcome::TimedOut;
    }
}

// Waits `ms` or until the program stops; false when it stops.
bool PauseMs(uint32_t ms) {
    std::unique_lock<std::mutex> lock(g_gateLock);
    g_gate.wait_for(lock, std::chrono::milliseconds(ms), [] { return Stopping.load(); });
    return !Stopping;
}

struct Snapshot {
    bool present;
    uint32_t index, code, value;
    uint8_t payload[10];
};

Snapshot TakeRequest() {
    std::lock_guard<std::mutex> hold(Handover);
    Snapshot s{};
    s.index = RequestIndex;
    if (s.index >= 2) return s;
    s.code = RequestCodes[s.index];
    if (s.code == 0xFFFFFFFF) return s;
    s.present = true;
    s.value = RequestValues[s.index];
    std::memcpy(s.payload, RequestPayload[s.index], sizeof s.payload);
    return s;
}

void SenderThread() {
    {
        std::unique_lock<std::mutex> lock(g_gateLock);
        g_gate.wait(lock, [] { return g_gateOpen || Stopping.load(); });
    }
    FrameAssembler assembler;
    uint8_t frame[MaxRequestBytes];
    uint8_t packet[32];
    while (PauseMs(10)) {
        if (LinkIdle) continue;
        bool again = true;
        while (again && !Stopping) {
            {
                std::lock_guard<std::mutex> hold(Handover);
                RequestChanged = 0;
                RequestIndex = 0;
            }
            int tries = 0;
            for (;;) {
                Snapshot request = TakeRequest();
                if (!request.present || Stopping) break;
                int length = BuildLinkRequest(frame, request.code, request.value, request.payload);
                uint32_t timeout = ReplyTimeoutMs(request.code & 0xFFFF);
                if (++tries > 6) {
                    Exchange(assembler, frame, length, timeout, false, packet);
                    LinkIdle = 1;
                    if (!ConnectPanelActive) LinkLost = 1;
                    LinkBroken = 1;
                    break;
                }
                if (Exchange(assembler, frame, length, timeout, true, packet) != Outcome::Matched) continue;
                for (int i = 0; i < 32; ++i)
                    LastReply[i].store(packet[i]);
                // A LinkSend meanwhile put the index back to 0; that restart wins.
                uint32_t expected = request.index;
                RequestIndex.compare_exchange_strong(expected, request.index + 1);
                ReplyReceived = 1;
                tries = 0;
            }
            std::lock_guard<std::mutex> hold(Handover);
            again = RequestChanged != 0;
            if (!again) LinkIdle = 1;
        }
    }
}

// The request a ParamMap entry stands for, and what its reply is stored as.
int BuildDownloadRequest(uint8_t* frame, const ParamMapEntry& e) {
    uint8_t low = e.flags & 0xFF;
    if (e.flags & SelectionWrite) return BuildShortRequest(frame, e.code, low, 4);
    if (e.flags & RestoringWrite) return BuildShortRequest(frame, e.code, Mirror[e.mirror] & 0xFF, 4);
    if (e.flags & IndexedRead) return BuildShortRequest(frame, e.code, low, 0);
    return BuildShortRequest(frame, e.code, static_cast<uint32_t>(low) << 8, 0);
}

void StoreDownloadReply(const ParamMapEntry& e, const uint8_t* packet, int packetBytes) {
    if (e.flags & SelectionWrite) return;
    if (e.code == 34 && (e.flags & IndexedRead)) {
        int mode = e.flags & 0xFF;
        if (mode >= 20) return;
        // Name bytes are taken only from the reply's data; a short reply leaves blanks.
        int dataEnd = packetBytes - 2;
        for (int i = 0; i < 10; ++i) {
            int8_t c = static_cast<int8_t>(6 + i < dataEnd ? packet[6 + i] + 32 : 32);
            NameMirror[mode][i] = c < 32 ? ' ' : static_cast<char>(c);
        }
        NameMirror[mode][10] = 0;
        NameMirror[mode][11] = 0;
        NameFilled[mode] = 1;
        return;
    }
    if (e.mirror < 0) return;
    Mirror[e.mirror] = packet[6];
    MirrorFilled[e.mirror] = 1;
}

void DownloadThread() {
    FrameAssembler assembler;
    uint8_t frame[MaxRequestBytes];
    uint8_t packet[32];
    int tries = 0;
    while (DownloadIndex < ParamMapCount && !DownloadAbort && !Stopping) {
        uint32_t index = DownloadIndex;
        const ParamMapEntry& e = ParamMap[index];
        int length = BuildDownloadRequest(frame, e);
        if (++tries >= 6) {
            Exchange(assembler, frame, length, 120, false, packet);
            LinkLost = 1;
            DownloadAbort = 1;
            break;
        }
        if (Exchange(assembler, frame, length, 120, true, packet) != Outcome::Matched) continue;
        StoreDownloadReply(e, packet, packet[2] + 2);
        tries = 0;
        // The mirror is posted before the index says "complete", so whoever sees the last index
        // finds the values waiting.
        if (index + 1 == ParamMapCount) Pending |= PostDownloadDone;
        DownloadIndex = index + 1;
    }
    if (DownloadIndex != ParamMapCount) Pending |= PostDownloadGaveUp;
}

void UploadThread() {
    FrameAssembler assembler(true);
    uint8_t frame[MaxRequestBytes];
    uint8_t packet[32];
    int tries = 0;
    while (UploadIndex < UploadCount && !UploadAbort && !Stopping) {
        uint32_t index = UploadIndex;
        if (index >= UploadListCapacity || UploadList[index].code == 0) {
            UploadIndex = UploadCount.load();
            break;
        }
        const UploadEntry& e = UploadList[index];
        int length = BuildShortRequest(frame, e.code, UploadValue(e) | UploadBand(e) << 8, 2);
        uint32_t timeout = e.code == 35 ? 6000 : 120;
        if (++tries >= 6) {
            Exchange(assembler, frame, length, timeout, false, packet);
            LinkLost = 1;
            UploadAbort = 1;
            break;
        }
        if (Exchange(assembler, frame, length, timeout, true, packet) != Outcome::Matched) continue;
        tries = 0;
        UploadIndex = index + 1;
    }
    Pending |= PostUploadDone;
}

} // namespace

void CreateSenderThread() {
    if (g_sender.joinable()) return;
    Stopping = false;
    g_sender = std::thread(SenderThread);
}

void ResumeSenderThread() {
    if (!g_sender.joinable()) CreateSenderThread();
    {
        std::lock_guard<std::mutex> lock(g_gateLock);
        g_gateOpen = true;
    }
    g_gate.notify_all();
}

void StartUpload(const uint8_t* slot) {
    if (!slot) return;
    if (g_upload.joinable()) g_upload.join();
    std::memcpy(g_uploadSlot, slot, sizeof g_uploadSlot);
    // The list and the progress words are set before the thread exists: a connecting panel that looks
    // at once must not find the previous upload's UploadIndex == UploadCount and call this one done.
    UploadCount = static_cast<uint32_t>(BuildUploadList(g_uploadSlot));
    UploadIndex = 0;
    UploadAbort = 0;
    g_upload = std::thread(UploadThread);
}

namespace link_detail {

void StartDownloadThread() {
    if (g_download.joinable()) g_download.join();
    // Whatever the previous run left is carried out before its mirror is reused.
    LinkApplyPending();
    std::memset(MirrorFilled, 0, sizeof MirrorFilled);
    std::memset(NameFilled, 0, sizeof NameFilled);
    g_download = std::thread(DownloadThread);
}

void JoinWorkers() {
    {
        std::lock_guard<std::mutex> lock(g_gateLock);
        Stopping = true;
    }
    g_gate.notify_all();
    if (g_sender.joinable()) g_sender.join();
    if (g_download.joinable()) g_download.join();
    if (g_upload.joinable()) g_upload.join();
    std::lock_guard<std::mutex> lock(g_gateLock);
    g_gateOpen = false;
}

} // namespace link_detail
