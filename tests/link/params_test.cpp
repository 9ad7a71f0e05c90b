// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter map's shape where the processor depends on it: the selection steps around the two
// Sing/Disco sets, the restoring writes, a word of its own for every value; and the upload's bracket.
#include "link/ParamMap.h"
#include "link/ParamTable.h"

#include <gtest/gtest.h>
#include <set>

TEST(ParamTables, SelectionStepsRestoringWritesAndTheUploadBracket) {
    uint32_t singBands[7][4], discoBands[7][4];
    ParamTargets t{};
    for (int b = 0; b < 7; ++b) {
        t.musicSingBands[b] = singBands[b];
        t.musicDiscoBands[b] = discoBands[b];
    }
    BuildParamMap(t);
    ASSERT_EQ(ParamMapCount, 248u);
    EXPECT_EQ(ParamMap[248].code, 0u);
    // Manual + Sing, then Manual + Disco, before each channel's two-set reads.
    const struct {
        int entry;
        uint32_t code, value;
    } selections[] = {{126, 1024, 1}, {127, 1025, 0}, {130, 1024, 1}, {131, 1025, 1},
                      {150, 768, 1},  {151, 769, 0},  {182, 768, 1},  {183, 769, 1}};
    for (auto s : selections) {
        EXPECT_EQ(ParamMap[s.entry].code, s.code) << s.entry;
        EXPECT_EQ(ParamMap[s.entry].flags, SelectionWrite | s.value) << s.entry;
    }
    // The processor's own selection is put back from the words its first reads filled.
    for (auto [restore, read] : {std::pair{134, 124}, {135, 125}, {214, 148}, {215, 149}}) {
        EXPECT_EQ(ParamMap[restore].flags, RestoringWrite) << restore;
        EXPECT_EQ(ParamMap[restore].target, ParamMap[read].target) << restore;
    }
    // The Disco set arrives in the second group of 28 band entries, with the Sing set's codes.
    EXPECT_EQ(ParamMap[154].target, &singBands[0][0]);
    EXPECT_EQ(ParamMap[186].target, &discoBands[0][0]);
    EXPECT_EQ(ParamMap[186].code, ParamMap[154].code);
    EXPECT_EQ(ParamMap[246].target, &DeviceModeIndex);
    EXPECT_EQ(ParamMap[247].target, &SystemControlMode);
    std::set<void*> targets;
    for (int i = 0; i < 226; ++i)
        if (ParamMap[i].target && !(ParamMap[i].flags & RestoringWrite)) {
            EXPECT_TRUE(targets.insert(ParamMap[i].target).second) << "entry " << i << " shares a word";
        }

    uint8_t slot[256] = {};
    ASSERT_EQ(BuildUploadList(slot), 219);
    EXPECT_EQ(UploadList[0].code, 35u);
    EXPECT_EQ(UploadValue(UploadList[0]), 1);
    EXPECT_EQ(UploadList[218].code, 35u);
    EXPECT_EQ(UploadValue(UploadList[218]), 0);
    EXPECT_EQ(UploadList[219].code, 0u);
}

// Every parameter of the table is read by the download and written by the upload from its own record
// bytes, with its own code: the table, the map and the upload list say the same thing. The two
// selections of each channel go last, as the values their bytes hold (the upload selects each set
// first with literals).
TEST(ParamTables, EveryTableRowIsReadByTheMapAndWrittenFromItsBytesByTheUpload) {
    BuildParamMap(ParamTargets{});
    uint8_t record[256] = {};
    record[67] = record[130] = 1;
    const int uploads = BuildUploadList(record);
    int written = 0;
    for (int i = 0; i < ParamRowCount; ++i) {
        const ParamInfo& row = ParamRows[i];
        bool read = false;
        for (uint32_t e = 0; e < ParamMapCount; ++e)
            read |= ParamMap[e].code == row.code && !(ParamMap[e].flags & SelectionWrite);
        EXPECT_TRUE(read) << row.key;
        for (int offset = row.recordOffset; offset < row.recordOffset + row.bytes; ++offset, ++written) {
            uint32_t code =
                row.kind == ParamKind::Bands ? row.code + (offset - row.recordOffset) % 4 : row.code;
            const UploadEntry* last = nullptr;
            for (int u = 0; u < uploads; ++u)
                if (UploadList[u].code == code &&
                    (UploadList[u].value == record + offset || (UploadList[u].flags & UploadLiteral)))
                    last = &UploadList[u];
            ASSERT_NE(last, nullptr) << row.key << " at offset " << offset << " is not uploaded";
            if (last->flags & UploadLiteral) {
                EXPECT_EQ(last->flags & 0xFF, record[offset]) << row.key;
            } else {
                bool fromItsByte = false;
                for (int u = 0; u < uploads; ++u)
                    fromItsByte |= UploadList[u].code == code && UploadList[u].value == record + offset;
                EXPECT_TRUE(fromItsByte) << row.key << " at offset " << offset;
            }
        }
    }
    EXPECT_EQ(written, 209) << "the table covers every parameter byte of the record";
}
