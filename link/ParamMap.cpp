// SPDX-License-Identifier: GPL-3.0-or-later
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

namespace {

// Gives every member the caller left null a word of the link's own, in the order of the struct.
void BindUnbound(ParamTargets& t) {
    auto one = [](uint32_t*& p) { p = Bind(p, 1); };
    auto each = [](auto& words, int size) {
        for (auto& p : words)
            p = Bind(p, size);
    };
    each(t.micSliders, 1);
    one(t.micFeedback);
    one(t.micMainChannel);
    each(t.micBands, 4);
    each(t.roomBands, 4);
    each(t.scSliders, 1);
    one(t.scSlope);
    one(t.scRoomEqPath);
    each(t.scBands, 4);
    each(t.subSliders, 1);
    one(t.subAutoManual);
    one(t.subSingDisco);
    each(t.subSing, 1);
    each(t.subDisco, 1);
    each(t.subBands, 4);
    one(t.musicAutoManual);
    one(t.musicSingDisco);
    each(t.musicSing, 1);
    each(t.musicSingBands, 4);
    each(t.musicDisco, 1);
    each(t.musicDiscoBands, 4);
    each(t.volume, 1);
    each(t.barLevels, 1);
    one(t.musicInputPort);
    one(t.keysetLock);
}

// A channel with a Sing and a Disco set: read the processor's own selection, select Manual + Sing and
// read that set, select Manual + Disco and read the other, then put the selection back.
template <typename ReadSing, typename ReadDisco>
void AddTwoSets(uint32_t autoManual, uint32_t singDisco, uint32_t* autoWord, uint32_t* styleWord,
                ReadSing readSing, ReadDisco readDisco) {
    Add(autoManual, autoWord, 0);
    Add(singDisco, styleWord, 0);
    Add(autoManual, nullptr, SelectionWrite | 1);
    Add(singDisco, nullptr, SelectionWrite | 0);
    readSing();
    Add(autoManual, nullptr, SelectionWrite | 1);
    Add(singDisco, nullptr, SelectionWrite | 1);
    readDisco();
    Add(autoManual, autoWord, RestoringWrite);
    Add(singDisco, styleWord, RestoringWrite);
}

} // namespace

void BuildParamMap(const ParamTargets& given) {
    std::memset(ParamMap, 0, sizeof ParamMap);
    std::memset(g_unbound, 0, sizeof g_unbound);
    ParamMapCount = 0;
    g_unboundUsed = 0;
    g_mirrorWords = 0;
    ParamTargets t = given;
    BindUnbound(t);

    // The microphone's sliders and the center/surround's are the table's rows in record order.
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

    for (int i = 0; i < 3; ++i)
        Add(Code::SubEffectVolume + i, t.subSliders[i], 0);
    auto subSet = [](uint32_t* const* gains) {
        return [gains] {
            Add(Code::SubMusicGain, gains[0], 0);
            Add(Code::SubMicGain, gains[1], 0);
        };
    };
    AddTwoSets(Code::SubAutoManual, Code::SubSingDisco, t.subAutoManual, t.subSingDisco, subSet(t.subSing),
               subSet(t.subDisco));
    AddBands(Code::SubBand, t.subBands, 3);

    auto musicSet = [](uint32_t* const* slopeAndHpf, uint32_t* const* bands) {
        return [slopeAndHpf, bands] {
            Add(Code::MusicSlope, slopeAndHpf[0], 0);
            Add(Code::MusicHighPass, slopeAndHpf[1], 0);
            AddBands(Code::MusicBand, bands, 7);
        };
    };
    AddTwoSets(Code::MusicAutoManual, Code::MusicSingDisco, t.musicAutoManual, t.musicSingDisco,
               musicSet(t.musicSing, t.musicSingBands), musicSet(t.musicDisco, t.musicDiscoBands));

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
