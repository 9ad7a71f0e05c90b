// SPDX-License-Identifier: GPL-3.0-or-later
// The three link threads. Each request goes out, then the thread waits on the port with poll() until
// a complete packet or the request's time-out: the same time-outs and tries as a busy loop would
// give, without spending a core.
#include "common/Tick.h"
#include "link/LinkInternal.h"
#include "link/LinkState.h"
#include "link/Packet.h"
#include "link/ParamCodes.h"
#include "link/Serial.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <thread>
#include <vector>

using namespace link_detail;

namespace {

enum class Outcome { Matched, TimedOut, HandedOver };

std::thread g_sender;
std::thread g_download;
std::thread g_upload;
std::thread g_changes;
// The changes LinkSendChanges queued: the thread sends them from g_changeNext on, and ends when it has
// caught up (g_changesRunning false). Under g_changesLock.
std::mutex g_changesLock;
std::vector<LinkChange> g_changeQueue;
size_t g_changeNext = 0;
bool g_changesRunning = false;
std::mutex g_gateLock;
std::condition_variable g_gate;
bool g_gateOpen = false;
uint8_t g_uploadSlot[256];

// A program that ends without LinkShutdown (a test, an early return) still stops its threads before
// their objects go away.
struct StopAtExit {
    ~StopAtExit() { LinkShutdown(); }
} g_stopAtExit;

// One request on the wire, sent until it is answered or given up, for one link thread.
//
// The processor answers every copy of a request it receives, one after the other, and never speaks
// unasked. So a request that went out k times draws up to k answers, and they all come before any
// answer to the next request. These rules keep the link from running one reply behind (the tag is
// the checksum AND 0xFEFE, so neighbouring requests, mode 2k and 2k + 1 for one, carry the same tag
// and a stale answer would match):
//   - before the first copy of a new request, whatever is queued is discarded;
//   - once a copy is answered, the answers to the other copies are absorbed before the next request;
//   - when the one just answered went out more than once and the next request carries the same code
//     and tag (so that a late answer to one of its copies would pass for the next one's), the line
//     must first be quiet for SettleMs. One copy sent and answered leaves nothing to come, and the
//     next request goes out at once;
//   - a complete packet that does not match is ignored: the copy waits out its time-out.
//
//   state        | on                               | next
//   idle         | Begin(request)                   | fresh (0 copies)
//   fresh        | Send: input discarded, copy 1    | waiting
//   waiting      | matching packet                  | answered (Matched)
//                | other packet                     | waiting (ignored)
//                | time-out / port handed over      | caller sends again (Send) or gives up
//   answered     | Absorb: k - 1 further answers or | idle
//                | a time-out without one           |
class Exchanger {
  public:
    explicit Exchanger(bool anyType) : assembler_(anyType) {}

    // The request to send from now on. Returns true when it differs from the one being sent, which
    // then starts afresh (no copies out).
    bool Begin(const uint8_t* frame, int frameBytes) {
        if (frameBytes == frameBytes_ && std::memcmp(frame, frame_, static_cast<size_t>(frameBytes)) == 0)
            return false;
        std::memcpy(frame_, frame, static_cast<size_t>(frameBytes));
        frameBytes_ = frameBytes;
        copies_ = 0;
        return true;
    }

    // Sends one copy and waits up to `timeoutMs` for its answer. With `wait` false the copy only goes
    // out (a last try nobody waits for).
    Outcome Send(uint32_t timeoutMs, bool wait, uint8_t* packetOut) {
        std::lock_guard<std::mutex> hold(SerialTransferLock());
        if (copies_ == 0) {
            carried_ = carriedAt_ = 0;
            if (answeredCopies_ > 1 && SameTagAsAnswered()) Settle();
            SerialDiscardInput();
            assembler_.Reset();
        }
        SerialWrite(frame_, static_cast<uint32_t>(frameBytes_));
        ++copies_;
        uint32_t sent = TickNow();
        if (!wait) return Outcome::TimedOut;
        return Await(sent, timeoutMs, packetOut);
    }

    // After an answer: takes in the answers to the other copies, each within `timeoutMs` of the one
    // before, so that none of them is read as the answer to the next request.
    void Absorb(uint32_t timeoutMs) {
        std::lock_guard<std::mutex> hold(SerialTransferLock());
        uint8_t packet[32];
        answeredCopies_ = copies_;
        while (copies_ > 1) {
            if (Await(TickNow(), timeoutMs, packet) != Outcome::Matched) break;
            --copies_;
        }
        std::memcpy(answered_, frame_, sizeof answered_);
        answeredBytes_ = frameBytes_;
        End();
    }

    // Forgets the request (after giving up on it): the next one starts afresh even if it is the same.
    void End() {
        copies_ = 0;
        frameBytes_ = 0;
    }

  private:
    // Three byte times at 19200 baud and more: a second answer streaming right behind the first has
    // begun within this.
    // Well above the gaps inside a stream of answers, with room for a loaded machine that is slow to
    // run either side (a stray answer arriving 3 ms late passed for the next one). Paid only after a
    // request that had to be sent again.
    static constexpr uint32_t SettleMs = 10;

    bool SameTagAsAnswered() const {
        return answeredBytes_ >= 10 && frameBytes_ >= 10 && answered_[4] == frame_[4] &&
               answered_[5] == frame_[5] && answered_[answeredBytes_ - 2] == frame_[frameBytes_ - 2] &&
               answered_[answeredBytes_ - 1] == frame_[frameBytes_ - 1];
    }

    // Reads and drops bytes until none has come for SettleMs.
    void Settle() {
        uint32_t quietSince = TickNow();
        for (;;) {
            uint32_t quiet = TickSince(quietSince);
            if (quiet >= SettleMs || Stopping || SerialHandoverWanted()) return;
            if (SerialRead(bytes_, sizeof bytes_) > 0) {
                quietSince = TickNow();
                continue;
            }
            SerialWait(SettleMs - quiet);
        }
    }

    Outcome Await(uint32_t since, uint32_t timeoutMs, uint8_t* packetOut) {
        for (;;) {
            if (carriedAt_ == carried_) {
                carried_ = SerialRead(bytes_, sizeof bytes_);
                carriedAt_ = 0;
            }
            // Bytes after a complete packet stay for the next wait: they may be the next answer.
            while (carriedAt_ < carried_) {
                if (!assembler_.Feed(bytes_[carriedAt_++])) continue;
                int length = assembler_.packetBytes();
                std::memcpy(packetOut, assembler_.packet(), 32);
                TracePacket(packetOut, length, TickSince(since));
                if (PacketMatches(frame_, frameBytes_, packetOut, length)) return Outcome::Matched;
            }
            // Checked while bytes keep streaming too, not only when the line goes quiet.
            uint32_t spent = TickSince(since);
            if (spent >= timeoutMs || Stopping) return Outcome::TimedOut;
            if (SerialHandoverWanted()) return Outcome::HandedOver;
            if (carried_ > 0) continue;
            SerialWait(timeoutMs - spent);
        }
    }

    FrameAssembler assembler_;
    uint8_t frame_[MaxRequestBytes] = {};
    int frameBytes_ = 0;
    int copies_ = 0;
    uint8_t answered_[MaxRequestBytes] = {}; // the request answered last
    int answeredBytes_ = 0;
    int answeredCopies_ = 0; // how many copies of it went out
    uint8_t bytes_[1024];
    uint32_t carried_ = 0, carriedAt_ = 0;
};

// Waits until a request is handed over (LinkIdle cleared), `ms` at most, or the program stops; false
// when it stops. An idle link costs no wake-ups but this bound's.
bool AwaitRequest(uint32_t ms) {
    std::unique_lock<std::mutex> lock(g_gateLock);
    g_gate.wait_for(lock, std::chrono::milliseconds(ms), [] { return Stopping.load() || !LinkIdle; });
    return !Stopping;
}

struct Snapshot {
    bool present;
    uint32_t index, code, value;
    uint8_t payload[10];
};

// The request to send next. Taking a pair's first request takes the pair as it now stands: whatever
// replaced the pair before this is being sent.
Snapshot TakeRequest() {
    std::lock_guard<std::mutex> hold(Handover);
    Snapshot s{};
    s.index = RequestIndex;
    if (s.index == 0) RequestChanged = 0;
    if (s.index >= 2) return s;
    s.code = RequestCodes[s.index];
    if (s.code == NoPair) return s;
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
    Exchanger exchanger(false);
    uint8_t frame[MaxRequestBytes];
    uint8_t packet[32];
    while (AwaitRequest(500)) {
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
                // The tries belong to one request: a pair replaced meanwhile starts its own count.
                if (exchanger.Begin(frame, length)) tries = 0;
                if (++tries > 6) {
                    exchanger.Send(timeout, false, packet);
                    exchanger.End();
                    // The outcome is set before LinkIdle, so a waiter that sees idle finds it.
                    RequestOutcome = RequestGaveUp;
                    if (!ConnectPanelActive) LinkLost = 1;
                    LinkBroken = 1;
                    LinkIdle = 1;
                    break;
                }
                Outcome outcome = exchanger.Send(timeout, true, packet);
                if (outcome == Outcome::HandedOver) {
                    // The port was closed or opened anew under the request. It was meant for what was
                    // there before and is not sent to whatever answers now: it is given up, unless a
                    // pair handed over meanwhile replaced it (that one goes out next).
                    exchanger.End();
                    std::lock_guard<std::mutex> hold(Handover);
                    if (!RequestChanged) RequestOutcome = RequestGaveUp;
                    break;
                }
                if (outcome != Outcome::Matched) continue;
                exchanger.Absorb(timeout);
                for (int i = 0; i < 32; ++i)
                    LastReply[i].store(packet[i]);
                {
                    // A pair handed over meanwhile is sent from its start (the index is back at 0),
                    // and this answer moves nothing on.
                    std::lock_guard<std::mutex> hold(Handover);
                    if (!RequestChanged) RequestIndex = request.index + 1;
                }
                ReplyReceived = 1;
                tries = 0;
            }
            std::lock_guard<std::mutex> hold(Handover);
            again = RequestChanged != 0;
            if (!again) {
                if (RequestOutcome == RequestPending) RequestOutcome = RequestAnswered;
                LinkIdle = 1;
            }
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
    if (e.code == Code::ModeName && (e.flags & IndexedRead)) {
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
    Exchanger exchanger(false);
    uint8_t frame[MaxRequestBytes];
    uint8_t packet[32];
    int tries = 0;
    while (DownloadIndex < ParamMapCount && !DownloadAbort && !Stopping) {
        uint32_t index = DownloadIndex;
        const ParamMapEntry& e = ParamMap[index];
        int length = BuildDownloadRequest(frame, e);
        exchanger.Begin(frame, length);
        if (++tries >= 6) {
            exchanger.Send(120, false, packet);
            exchanger.End();
            LinkLost = 1;
            DownloadAbort = 1;
            break;
        }
        if (exchanger.Send(120, true, packet) != Outcome::Matched) continue;
        exchanger.Absorb(120);
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
    Exchanger exchanger(true);
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
        uint32_t timeout = e.code == Code::UploadBracket ? 6000 : 120;
        exchanger.Begin(frame, length);
        if (++tries >= 6) {
            exchanger.Send(timeout, false, packet);
            exchanger.End();
            LinkLost = 1;
            UploadAbort = 1;
            break;
        }
        if (exchanger.Send(timeout, true, packet) != Outcome::Matched) continue;
        exchanger.Absorb(timeout);
        tries = 0;
        UploadIndex = index + 1;
    }
    Pending |= PostUploadDone;
}

// Sends the queued changes one by one, each until it is answered or given up as the sender does; a
// change given up drops the rest, and the link is then lost as after any request given up.
void ChangesThread() {
    Exchanger exchanger(false);
    uint8_t frame[MaxRequestBytes];
    uint8_t packet[32];
    int tries = 0;
    for (;;) {
        LinkChange change;
        {
            std::lock_guard<std::mutex> hold(g_changesLock);
            if (g_changeNext >= g_changeQueue.size() || Stopping) {
                g_changeQueue.clear();
                g_changeNext = 0;
                ChangesEndTick = TickNow();
                ChangesLeft = 0;
                g_changesRunning = false;
                return;
            }
            change = g_changeQueue[g_changeNext];
        }
        int length = BuildLinkRequest(frame, change.code, change.value, nullptr);
        uint32_t timeout = ReplyTimeoutMs(change.code & 0xFFFF);
        exchanger.Begin(frame, length);
        if (++tries > 6) {
            exchanger.Send(timeout, false, packet);
            exchanger.End();
            std::lock_guard<std::mutex> hold(g_changesLock);
            g_changeNext = g_changeQueue.size();
            if (!ConnectPanelActive) LinkLost = 1;
            LinkBroken = 1;
            continue;
        }
        if (exchanger.Send(timeout, true, packet) != Outcome::Matched) continue;
        exchanger.Absorb(timeout);
        tries = 0;
        std::lock_guard<std::mutex> hold(g_changesLock);
        ++g_changeNext;
        --ChangesLeft;
    }
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

void QueueChanges(const std::vector<LinkChange>& changes) {
    if (changes.empty()) return;
    std::lock_guard<std::mutex> hold(g_changesLock);
    g_changeQueue.insert(g_changeQueue.end(), changes.begin(), changes.end());
    ChangesLeft += static_cast<uint32_t>(changes.size());
    if (g_changesRunning) return;
    // The thread that ran the last queue has ended (or is about to return).
    if (g_changes.joinable()) g_changes.join();
    g_changesRunning = true;
    g_changes = std::thread(ChangesThread);
}

void WakeSender() {
    // Taking the lock orders this after a sender that has just found LinkIdle set and is about to wait.
    { std::lock_guard<std::mutex> lock(g_gateLock); }
    g_gate.notify_all();
}

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
    if (g_changes.joinable()) g_changes.join();
    std::lock_guard<std::mutex> lock(g_gateLock);
    g_gateOpen = false;
}

} // namespace link_detail
