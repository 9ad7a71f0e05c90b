#include "link/ParamCodes.h"
#include "link/ParamTable.h"
#include "link/ParamMap.h"

#include <cassert>
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
    assert(g_unboundUsed + words <= static_cast<int>(sizeof g_unbound / sizeof g_unbound[0]) &&
           "more unbound parameter words than the map keeps");
    uint32_t* w = &g_unbound[g_unboundUsed];
    g_unboundUsed += words;
    return w;
}

void Add(uint32_t code, void* target, uint32_t flags) {
    assert(ParamMapCount < ParamMapCapacity && "the parameter map is full");
    ParamMapEntry& e = ParamMap[ParamMapCount];
    e.code = code;
    e.target = target;
    e.flags = flags;
    e.mirror = -1;
    if (target && code != Code::ModeName) {
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

    for (int i = 0; i < 11; ++i)
        Add(ParamAtOffset(26 + i)->code, t.micSliders[i], 0);
    Add(Code::MicFeedback, t.micFeedback, 0);
    Add(Code::MicMainChannel, t.micMainChannel, 0);
    AddBands(Code::MicBand, t.micBands, 7);
    AddBands(Code::RoomBand, t.roomBands, 15);

    for (int i = 0; i < 6; ++i)
        Add(ParamAtOffset(150 + i)->code, t.scSliders[i], 0);
    Add(Code::CenterSlope, t.scSlope, 0);
    Add(Code::RoomEqPath, t.scRoomEqPath, 0);
    AddBands(Code::CenterBand, t.scBands, 3);

    // Each channel with a Sing and a Disco set: read the processor's own selection, select Manual +
    // Sing and read that set, select Manual + Disco and read the other, then put the selection back.
    for (int i = 0; i < 3; ++i)
        Add(Code::SubEffectVolume + i, t.subSliders[i], 0);
    Add(Code::SubAutoManual, t.subAutoManual, 0);
    Add(Code::SubSingDisco, t.subSingDisco, 0);
    Add(Code::SubAutoManual, nullptr, SelectionWrite | 1);
    Add(Code::SubSingDisco, nullptr, SelectionWrite | 0);
    Add(Code::SubMusicGain, t.subSing[0], 0);
    Add(Code::SubMicGain, t.subSing[1], 0);
    Add(Code::SubAutoManual, nullptr, SelectionWrite | 1);
    Add(Code::SubSingDisco, nullptr, SelectionWrite | 1);
    Add(Code::SubMusicGain, t.subDisco[0], 0);
    Add(Code::SubMicGain, t.subDisco[1], 0);
    Add(Code::SubAutoManual, t.subAutoManual, RestoringWrite);
    Add(Code::SubSingDisco, t.subSingDisco, RestoringWrite);
    AddBands(Code::SubBand, t.subBands, 3);

    Add(Code::MusicAutoManual, t.musicAutoManual, 0);
    Add(Code::MusicSingDisco, t.musicSingDisco, 0);
    Add(Code::MusicAutoManual, nullptr, SelectionWrite | 1);
    Add(Code::MusicSingDisco, nullptr, SelectionWrite | 0);
    Add(Code::MusicSlope, t.musicSing[0], 0);
    Add(Code::MusicHighPass, t.musicSing[1], 0);
    AddBands(Code::MusicBand, t.musicSingBands, 7);
    Add(Code::MusicAutoManual, nullptr, SelectionWrite | 1);
    Add(Code::MusicSingDisco, nullptr, SelectionWrite | 1);
    Add(Code::MusicSlope, t.musicDisco[0], 0);
    Add(Code::MusicHighPass, t.musicDisco[1], 0);
    AddBands(Code::MusicBand, t.musicDiscoBands, 7);
    Add(Code::MusicAutoManual, t.musicAutoManual, RestoringWrite);
    Add(Code::MusicSingDisco, t.musicSingDisco, RestoringWrite);

    for (int i = 0; i < 5; ++i)
        Add(Code::MusicStart + i, t.volume[i], 0);
    for (int i = 0; i < 3; ++i)
        Add(Code::EffectLevel + i, t.barLevels[i], 0);
    Add(Code::MusicInputPort, t.musicInputPort, 0);
    Add(Code::KeysetLock, t.keysetLock, 0);
    for (int mode = 0; mode < 20; ++mode)
        Add(Code::ModeName, ModeNames[mode], IndexedRead | mode);
    Add(Code::DeviceMode, &DeviceModeIndex, 0);
    Add(Code::ControlMode, &SystemControlMode, 0);
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

// The record bytes `first` to `last`, each written with its parameter's code.
void UpOffsets(const uint8_t* slot, int first, int last) {
    for (int offset = first; offset <= last; ++offset)
        Up(ParamAtOffset(offset)->code, slot + offset, 0);
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

    UpLiteral(Code::UploadBracket, 1);
    UpOffsets(slot, 26, 38);
    UpBands(Code::MicBand, slot + 39, 7);

    UpLiteral(Code::MusicAutoManual, 1);
    UpLiteral(Code::MusicSingDisco, 0);
    Up(Code::MusicSlope, slot + 69, 0);
    Up(Code::MusicHighPass, slot + 70, 0);
    UpBands(Code::MusicBand, slot + 71, 7);
    UpLiteral(Code::MusicAutoManual, 1);
    UpLiteral(Code::MusicSingDisco, 1);
    Up(Code::MusicSlope, slot + 99, 0);
    Up(Code::MusicHighPass, slot + 100, 0);
    UpBands(Code::MusicBand, slot + 101, 7);
    UpLiteral(Code::MusicAutoManual, slot[67]);
    UpLiteral(Code::MusicSingDisco, slot[68]);

    UpLiteral(Code::SubAutoManual, 1);
    UpLiteral(Code::SubSingDisco, 0);
    Up(Code::SubMusicGain, slot + 131, 0);
    Up(Code::SubMicGain, slot + 132, 0);
    UpLiteral(Code::SubAutoManual, 1);
    UpLiteral(Code::SubSingDisco, 1);
    Up(Code::SubMusicGain, slot + 133, 0);
    Up(Code::SubMicGain, slot + 134, 0);
    UpLiteral(Code::SubAutoManual, slot[129]);
    UpLiteral(Code::SubSingDisco, slot[130]);
    UpOffsets(slot, 135, 137);
    UpBands(Code::SubBand, slot + 138, 3);

    UpOffsets(slot, 150, 157);
    UpBands(Code::CenterBand, slot + 158, 3);
    UpBands(Code::RoomBand, slot + 170, 15);
    UpOffsets(slot, 230, 234);
    UpLiteral(Code::UploadBracket, 0);
    return g_uploadCount;
}
