// SPDX-License-Identifier: GPL-3.0-or-later
// The processor's parameters and where their values live: the ParamMap walked by every download, and
// the UploadList that writes a stored PC mode back. Values are single bytes held in 32-bit words; the
// link never converts them.
#pragma once

#include <cstdint>
#include <vector>

// Flags of a ParamMap entry (low byte: band index, mode index or literal value).
constexpr uint32_t SelectionWrite = 0x10000;
constexpr uint32_t RestoringWrite = 0x20000;
constexpr uint32_t IndexedRead = 0x40000;

struct ParamMapEntry {
    uint32_t code;
    // The word that receives the reply; for code 34 a 12-byte name slot of ModeNames; none for
    // selection writes.
    void* target;
    uint32_t flags;
    // Index of the target's word in the download mirror, -1 for none. Entries that share a target
    // share the word, so a restoring write sends what the earlier read of the same target received.
    int32_t mirror;
};

constexpr int ParamMapCapacity = 512;
constexpr uint32_t ParamMapEntries = 248;
extern ParamMapEntry ParamMap[ParamMapCapacity];
extern uint32_t ParamMapCount;

// The processor's 20 stored modes: ten characters, a zero, one spare byte.
extern char ModeNames[20][12];
// Value of code 3 (0 "User", 1 "Project") and of code 32 (the processor's current mode, 0-19).
extern uint32_t SystemControlMode;
extern uint32_t DeviceModeIndex;

// The value words the download fills, in the panels' terms. A band record is four consecutive words
// (type, frequency, gain, Q codes). A member left null is bound to a word the link keeps, so the map
// is always whole.
struct ParamTargets {
    uint32_t* micSliders[11];    // codes 256, 258, 260, 261, 262, 263, 257, 259, 513, 514, 515
    uint32_t* micFeedback;       // 512
    uint32_t* micMainChannel;    // 516
    uint32_t* micBands[7];       // 545-548
    uint32_t* roomBands[15];     // 1569-1572
    uint32_t* scSliders[6];      // 1280, 1281, 1282, 1283, 1285, 1286
    uint32_t* scSlope;           // 1284
    uint32_t* scRoomEqPath;      // 1287
    uint32_t* scBands[3];        // 1313-1316
    uint32_t* subSliders[3];     // 1028, 1029, 1030
    uint32_t* subAutoManual;     // 1024
    uint32_t* subSingDisco;      // 1025
    uint32_t* subSing[2];        // 1026, 1027 of the Sing set
    uint32_t* subDisco[2];       // the same of the Disco set
    uint32_t* subBands[3];       // 1057-1060
    uint32_t* musicAutoManual;   // 768
    uint32_t* musicSingDisco;    // 769
    uint32_t* musicSing[2];      // 770, 771 of the Sing set
    uint32_t* musicSingBands[7]; // 801-804 of the Sing set
    uint32_t* musicDisco[2];     // the same of the Disco set
    uint32_t* musicDiscoBands[7];
    uint32_t* volume[5];      // 1792-1796
    uint32_t* barLevels[3];   // 17, 18, 19 ("Effect", "Mic", "Music")
    uint32_t* musicInputPort; // 16
    uint32_t* keysetLock;     // 8
};

// Fills the ParamMap (248 entries after clearing all 512). Start-up only: the download threads read it.
void BuildParamMap(const ParamTargets& targets);

// The value words behind a PC mode record's parameter bytes (offsets 26 to 234), in record order, as
// the last BuildParamMap bound them: a save reads them, a load writes them.
constexpr int ModeRecordFirstField = 26;
constexpr int ModeRecordFieldCount = 209;
void ModeRecordFields(uint32_t* fields[ModeRecordFieldCount]);
// A 256-byte record's parameter bytes from those words (a save), and the words from them (a load).
void RecordFromFields(uint8_t* record);
void FieldsFromRecord(const uint8_t* record);

// UploadList flags (low byte: literal value or band index).
constexpr uint32_t UploadBandParam = 0x10000;
constexpr uint32_t UploadLiteral = 0x20000;

struct UploadEntry {
    uint32_t code;
    const uint8_t* value; // the byte sent, unless UploadLiteral
    uint32_t flags;
};

constexpr int UploadListCapacity = 512;
extern UploadEntry UploadList[UploadListCapacity];

// Builds the UploadList from one 256-byte PC mode record and returns its length (219). The entries
// point into `slot`, which must outlive the upload.
int BuildUploadList(const uint8_t* slot);

// One write as LinkSend takes it: a band parameter's value is band << 8 | value.
struct LinkChange {
    uint32_t code, value;
};

// The writes that take the processor from record `from` to record `to` (256 bytes each), in the
// upload's order: the parameters whose bytes differ, each Sing or Disco set's selection before its
// values and the selection put back after them. Empty when the parameters are the same.
std::vector<LinkChange> BuildChangeList(const uint8_t* from, const uint8_t* to);

// Byte 6 of the write an UploadList entry stands for, and byte 7.
inline uint8_t UploadValue(const UploadEntry& e) {
    return (e.flags & UploadLiteral) ? static_cast<uint8_t>(e.flags & 0xFF) : *e.value;
}
inline uint8_t UploadBand(const UploadEntry& e) {
    return (e.flags & UploadBandParam) ? static_cast<uint8_t>(e.flags & 0xFF) : 0;
}
