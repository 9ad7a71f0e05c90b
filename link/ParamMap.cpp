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

// The writes that put a record into the processor, in the upload's order. Each is passed to `emit` as
// (code, record offset of its byte or -1, literal byte when the offset is -1, band or -1, group). The
// groups say which writes only make sense together: the selection of a Sing or Disco set before the
// set's values, and the selection put back after them.
enum WriteGroup { Plain, Bracket, MusicSing, MusicDisco, MusicBack, SubSing, SubDisco, SubBack, GroupCount };

template <class Emit> void WalkRecordWrites(Emit emit) {
    auto offsets = [&](int first, int last, int group) {
        for (int offset = first; offset <= last; ++offset)
            emit(ParamAtOffset(offset)->code, offset, 0, -1, group);
    };
    auto bands = [&](uint32_t firstCode, int firstOffset, int count, int group) {
        for (int band = 0; band < count; ++band)
            for (int k = 0; k < 4; ++k)
                emit(firstCode + k, firstOffset + 4 * band + k, 0, band, group);
    };
    auto literal = [&](uint32_t code, uint8_t value, int group) { emit(code, -1, value, -1, group); };

    literal(Code::UploadBracket, 1, Bracket);
    offsets(26, 38, Plain);
    bands(Code::MicBand, 39, 7, Plain);

    literal(Code::MusicAutoManual, 1, MusicSing);
    literal(Code::MusicSingDisco, 0, MusicSing);
    emit(Code::MusicSlope, 69, 0, -1, MusicSing);
    emit(Code::MusicHighPass, 70, 0, -1, MusicSing);
    bands(Code::MusicBand, 71, 7, MusicSing);
    literal(Code::MusicAutoManual, 1, MusicDisco);
    literal(Code::MusicSingDisco, 1, MusicDisco);
    emit(Code::MusicSlope, 99, 0, -1, MusicDisco);
    emit(Code::MusicHighPass, 100, 0, -1, MusicDisco);
    bands(Code::MusicBand, 101, 7, MusicDisco);
    emit(Code::MusicAutoManual, 67, 0, -1, MusicBack);
    emit(Code::MusicSingDisco, 68, 0, -1, MusicBack);

    literal(Code::SubAutoManual, 1, SubSing);
    literal(Code::SubSingDisco, 0, SubSing);
    emit(Code::SubMusicGain, 131, 0, -1, SubSing);
    emit(Code::SubMicGain, 132, 0, -1, SubSing);
    literal(Code::SubAutoManual, 1, SubDisco);
    literal(Code::SubSingDisco, 1, SubDisco);
    emit(Code::SubMusicGain, 133, 0, -1, SubDisco);
    emit(Code::SubMicGain, 134, 0, -1, SubDisco);
    emit(Code::SubAutoManual, 129, 0, -1, SubBack);
    emit(Code::SubSingDisco, 130, 0, -1, SubBack);
    offsets(135, 137, Plain);
    bands(Code::SubBand, 138, 3, Plain);

    offsets(150, 157, Plain);
    bands(Code::CenterBand, 158, 3, Plain);
    bands(Code::RoomBand, 170, 15, Plain);
    offsets(230, 234, Plain);
    literal(Code::UploadBracket, 0, Bracket);
}

} // namespace

int BuildUploadList(const uint8_t* slot) {
    std::memset(UploadList, 0, sizeof UploadList);
    int count = 0;
    WalkRecordWrites([&](uint32_t code, int offset, uint8_t literal, int band, int) {
        uint32_t flags = band >= 0 ? UploadBandParam | static_cast<uint32_t>(band) : 0;
        if (offset < 0) flags = UploadLiteral | literal;
        UploadList[count++] = UploadEntry{code, offset >= 0 ? slot + offset : nullptr, flags};
    });
    return count;
}

std::vector<LinkChange> BuildChangeList(const uint8_t* from, const uint8_t* to) {
    // A set's selection goes out when one of its values does; the selection is put back when a set
    // was written or when the selection itself changed.
    bool used[GroupCount] = {};
    WalkRecordWrites([&](uint32_t, int offset, uint8_t, int, int group) {
        if (offset >= 0 && from[offset] != to[offset]) used[group] = true;
    });
    used[MusicBack] = used[MusicBack] || used[MusicSing] || used[MusicDisco];
    used[SubBack] = used[SubBack] || used[SubSing] || used[SubDisco];
    used[Bracket] = false;
    std::vector<LinkChange> changes;
    WalkRecordWrites([&](uint32_t code, int offset, uint8_t literal, int band, int group) {
        bool selection = offset < 0 || group == MusicBack || group == SubBack;
        if (selection ? !used[group] : from[offset] == to[offset]) return;
        uint32_t value = offset >= 0 ? to[offset] : literal;
        if (band >= 0) value |= static_cast<uint32_t>(band) << 8;
        changes.push_back({code, value});
    });
    return changes;
}
