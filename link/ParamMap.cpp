#include "link/ParamMap.h"

#include <cstring>

ParamMapEntry ParamMap[ParamMapCapacity];
uint32_t ParamMapCount = 0;
char ModeNames[20][12];
uint32_t SystemControlMode = 0;
uint32_t DeviceModeIndex = 0;
UploadEntry UploadList[UploadListCapacity];

namespace {

// Words for targets the caller left unbound: 216 distinct words are the most the map can use.
uint32_t g_unbound[256];
int g_unboundUsed = 0;
int g_mirrorWords = 0;
ParamTargets g_bound{};

uint32_t* Bind(uint32_t* given, int words) {
    if (given) return given;
    uint32_t* w = &g_unbound[g_unboundUsed];
    g_unboundUsed += words;
    return w;
}

void Add(uint32_t code, void* target, uint32_t flags) {
    ParamMapEntry& e = ParamMap[ParamMapCount];
    e.code = code;
    e.target = target;
    e.flags = flags;
    e.mirror = -1;
    if (target && code != 34) {
        for (uint32_t i = 0; i < ParamMapCount; ++i)
            if (ParamMap[i].target == target) e.mirror = ParamMap[i].mirror;
        if (e.mirror < 0) e.mirror = g_mirrorWords++;
    }
    ++ParamMapCount;
}

void AddBands(uint32_t firstCode, uint32_t* const* bands, int count) {
    for (int band = 0; band < count; ++band)
        for (int k = 0; k < 4; ++k)
            Add(firstCode + k, bands[band] + k, static_cast<uint32_t>(band));
}

} // namespace

int ParamMirrorWords() {
    return g_mirrorWords;
}

void BuildParamMap(const ParamTargets& given) {
    std::memset(ParamMap, 0, sizeof ParamMap);
    std::memset(g_unbound, 0, sizeof g_unbound);
    ParamMapCount = 0;
    g_unboundUsed = 0;
    g_mirrorWords = 0;

    ParamTargets t = given;
    for (auto& p : t.micSliders)
        p = Bind(p, 1);
    t.micFeedback = Bind(t.micFeedback, 1);
    t.micMainChannel = Bind(t.micMainChannel, 1);
    for (auto& p : t.micBands)
        p = Bind(p, 4);
    for (auto& p : t.roomBands)
        p = Bind(p, 4);
    for (auto& p : t.scSliders)
        p = Bind(p, 1);
    t.scSlope = Bind(t.scSlope, 1);
    t.scRoomEqPath = Bind(t.scRoomEqPath, 1);
    for (auto& p : t.scBands)
        p = Bind(p, 4);
    for (auto& p : t.subSliders)
        p = Bind(p, 1);
    t.subAutoManual = Bind(t.subAutoManual, 1);
    t.subSingDisco = Bind(t.subSingDisco, 1);
    for (auto& p : t.subSing)
        p = Bind(p, 1);
    for (auto& p : t.subDisco)
        p = Bind(p, 1);
    for (auto& p : t.subBands)
        p = Bind(p, 4);
    t.musicAutoManual = Bind(t.musicAutoManual, 1);
    t.musicSingDisco = Bind(t.musicSingDisco, 1);
    for (auto& p : t.musicSing)
        p = Bind(p, 1);
    for (auto& p : t.musicSingBands)
        p = Bind(p, 4);
    for (auto& p : t.musicDisco)
        p = Bind(p, 1);
    for (auto& p : t.musicDiscoBands)
        p = Bind(p, 4);
    for (auto& p : t.volume)
        p = Bind(p, 1);
    for (auto& p : t.barLevels)
        p = Bind(p, 1);
    t.musicInputPort = Bind(t.musicInputPort, 1);
    t.keysetLock = Bind(t.keysetLock, 1);

    const uint32_t micCodes[11] = {256, 258, 260, 261, 262, 263, 257, 259, 513, 514, 515};
    for (int i = 0; i < 11; ++i)
        Add(micCodes[i], t.micSliders[i], 0);
    Add(512, t.micFeedback, 0);
    Add(516, t.micMainChannel, 0);
    AddBands(545, t.micBands, 7);
    AddBands(1569, t.roomBands, 15);

    const uint32_t scCodes[6] = {1280, 1281, 1282, 1283, 1285, 1286};
    for (int i = 0; i < 6; ++i)
        Add(scCodes[i], t.scSliders[i], 0);
    Add(1284, t.scSlope, 0);
    Add(1287, t.scRoomEqPath, 0);
    AddBands(1313, t.scBands, 3);

    // Each channel with a Sing and a Disco set: read the processor's own selection, select Manual +
    // Sing and read that set, select Manual + Disco and read the other, then put the selection back.
    for (int i = 0; i < 3; ++i)
        Add(1028 + i, t.subSliders[i], 0);
    Add(1024, t.subAutoManual, 0);
    Add(1025, t.subSingDisco, 0);
    Add(1024, nullptr, SelectionWrite | 1);
    Add(1025, nullptr, SelectionWrite | 0);
    Add(1026, t.subSing[0], 0);
    Add(1027, t.subSing[1], 0);
    Add(1024, nullptr, SelectionWrite | 1);
    Add(1025, nullptr, SelectionWrite | 1);
    Add(1026, t.subDisco[0], 0);
    Add(1027, t.subDisco[1], 0);
    Add(1024, t.subAutoManual, RestoringWrite);
    Add(1025, t.subSingDisco, RestoringWrite);
    AddBands(1057, t.subBands, 3);

    Add(768, t.musicAutoManual, 0);
    Add(769, t.musicSingDisco, 0);
    Add(768, nullptr, SelectionWrite | 1);
    Add(769, nullptr, SelectionWrite | 0);
    Add(770, t.musicSing[0], 0);
    Add(771, t.musicSing[1], 0);
    AddBands(801, t.musicSingBands, 7);
    Add(768, nullptr, SelectionWrite | 1);
    Add(769, nullptr, SelectionWrite | 1);
    Add(770, t.musicDisco[0], 0);
    Add(771, t.musicDisco[1], 0);
    AddBands(801, t.musicDiscoBands, 7);
    Add(768, t.musicAutoManual, RestoringWrite);
    Add(769, t.musicSingDisco, RestoringWrite);

    for (int i = 0; i < 5; ++i)
        Add(1792 + i, t.volume[i], 0);
    for (int i = 0; i < 3; ++i)
        Add(17 + i, t.barLevels[i], 0);
    Add(16, t.musicInputPort, 0);
    Add(8, t.keysetLock, 0);
    for (int mode = 0; mode < 20; ++mode)
        Add(34, ModeNames[mode], IndexedRead | mode);
    Add(32, &DeviceModeIndex, 0);
    Add(3, &SystemControlMode, 0);
    g_bound = t;
}

void ModeRecordFields(uint32_t* fields[ModeRecordFieldCount]) {
    const ParamTargets& t = g_bound;
    int n = 0;
    auto one = [&](uint32_t* word) { fields[n++] = word; };
    auto bands = [&](uint32_t* const* records, int count) {
        for (int b = 0; b < count; ++b)
            for (int k = 0; k < 4; ++k)
                one(records[b] + k);
    };
    for (uint32_t* w : t.micSliders)
        one(w);
    one(t.micFeedback);
    one(t.micMainChannel);
    bands(t.micBands, 7);
    one(t.musicAutoManual);
    one(t.musicSingDisco);
    one(t.musicSing[0]);
    one(t.musicSing[1]);
    bands(t.musicSingBands, 7);
    one(t.musicDisco[0]);
    one(t.musicDisco[1]);
    bands(t.musicDiscoBands, 7);
    one(t.subAutoManual);
    one(t.subSingDisco);
    one(t.subSing[0]);
    one(t.subSing[1]);
    one(t.subDisco[0]);
    one(t.subDisco[1]);
    for (uint32_t* w : t.subSliders)
        one(w);
    bands(t.subBands, 3);
    for (uint32_t* w : t.scSliders)
        one(w);
    one(t.scSlope);
    one(t.scRoomEqPath);
    bands(t.scBands, 3);
    bands(t.roomBands, 15);
    for (uint32_t* w : t.volume)
        one(w);
}

void RecordFromFields(uint8_t* record) {
    uint32_t* fields[ModeRecordFieldCount];
    ModeRecordFields(fields);
    for (int i = 0; i < ModeRecordFieldCount; ++i)
        record[ModeRecordFirstField + i] = static_cast<uint8_t>(*fields[i]);
}

void FieldsFromRecord(const uint8_t* record) {
    uint32_t* fields[ModeRecordFieldCount];
    ModeRecordFields(fields);
    for (int i = 0; i < ModeRecordFieldCount; ++i)
        *fields[i] = record[ModeRecordFirstField + i];
}

namespace {

int g_uploadCount = 0;

void Up(uint32_t code, const uint8_t* value, uint32_t flags) {
    UploadList[g_uploadCount++] = UploadEntry{code, value, flags};
}

void UpLiteral(uint32_t code, uint8_t literal) {
    Up(code, nullptr, UploadLiteral | literal);
}

void UpBands(uint32_t firstCode, const uint8_t* first, int bands) {
    for (int band = 0; band < bands; ++band)
        for (int k = 0; k < 4; ++k)
            Up(firstCode + k, first + 4 * band + k, UploadBandParam | band);
}

} // namespace

int BuildUploadList(const uint8_t* slot) {
    std::memset(UploadList, 0, sizeof UploadList);
    g_uploadCount = 0;

    UpLiteral(35, 1);
    const uint32_t micCodes[13] = {256, 258, 260, 261, 262, 263, 257, 259, 513, 514, 515, 512, 516};
    for (int i = 0; i < 13; ++i)
        Up(micCodes[i], slot + 26 + i, 0);
    UpBands(545, slot + 39, 7);

    UpLiteral(768, 1);
    UpLiteral(769, 0);
    Up(770, slot + 69, 0);
    Up(771, slot + 70, 0);
    UpBands(801, slot + 71, 7);
    UpLiteral(768, 1);
    UpLiteral(769, 1);
    Up(770, slot + 99, 0);
    Up(771, slot + 100, 0);
    UpBands(801, slot + 101, 7);
    UpLiteral(768, slot[67]);
    UpLiteral(769, slot[68]);

    UpLiteral(1024, 1);
    UpLiteral(1025, 0);
    Up(1026, slot + 131, 0);
    Up(1027, slot + 132, 0);
    UpLiteral(1024, 1);
    UpLiteral(1025, 1);
    Up(1026, slot + 133, 0);
    Up(1027, slot + 134, 0);
    UpLiteral(1024, slot[129]);
    UpLiteral(1025, slot[130]);
    for (int i = 0; i < 3; ++i)
        Up(1028 + i, slot + 135 + i, 0);
    UpBands(1057, slot + 138, 3);

    const uint32_t scCodes[8] = {1280, 1281, 1282, 1283, 1285, 1286, 1284, 1287};
    for (int i = 0; i < 8; ++i)
        Up(scCodes[i], slot + 150 + i, 0);
    UpBands(1313, slot + 158, 3);
    UpBands(1569, slot + 170, 15);
    for (int i = 0; i < 5; ++i)
        Up(1792 + i, slot + 230 + i, 0);
    UpLiteral(35, 0);
    return g_uploadCount;
}
