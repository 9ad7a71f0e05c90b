// The parameter map and the upload list against the order written out in ParamReference.h.
#include "ParamReference.h"
#include "link/ParamMap.h"

#include <gtest/gtest.h>
#include <set>

TEST(ParamTables, MapHas248EntriesInOrderWithTheirKinds) {
    BuildParamMap(ParamTargets{});
    std::vector<Request> expected = ExpectedDownload();
    ASSERT_EQ(expected.size(), 248u);
    ASSERT_EQ(ParamMapCount, 248u);
    for (size_t i = 0; i < expected.size(); ++i) {
        const ParamMapEntry& e = ParamMap[i];
        const Request& want = expected[i];
        EXPECT_EQ(e.code, want[0]) << "entry " << i;
        if (want[1] == 4 && want[2] != 0xFFFF) {
            EXPECT_EQ(e.flags, SelectionWrite | want[2]) << "selection write " << i;
            EXPECT_EQ(e.target, nullptr);
        } else if (want[1] == 4) {
            EXPECT_EQ(e.flags, RestoringWrite) << "restoring write " << i;
        } else if (want[0] == 34) {
            EXPECT_EQ(e.flags, IndexedRead | want[2]) << "indexed read " << i;
            EXPECT_EQ(e.target, ModeNames[want[2]]);
        } else {
            EXPECT_EQ(e.flags, want[3]) << "plain read " << i;
        }
    }
    for (size_t i = 248; i < 512; ++i)
        ASSERT_EQ(ParamMap[i].code, 0u);
    // Restoring writes put back into the words the selection reads filled.
    EXPECT_EQ(ParamMap[134].target, ParamMap[124].target);
    EXPECT_EQ(ParamMap[135].target, ParamMap[125].target);
    EXPECT_EQ(ParamMap[214].target, ParamMap[148].target);
    EXPECT_EQ(ParamMap[215].target, ParamMap[149].target);
    EXPECT_EQ(ParamMap[246].target, &DeviceModeIndex);
    EXPECT_EQ(ParamMap[247].target, &SystemControlMode);
    // Every other target is a word of its own: the Sing and Disco sets do not overlap.
    std::set<void*> targets;
    for (int i = 0; i < 226; ++i)
        if (ParamMap[i].target && !(ParamMap[i].flags & RestoringWrite)) {
            EXPECT_TRUE(targets.insert(ParamMap[i].target).second) << i;
        }
    EXPECT_EQ(targets.size(), 214u);
    EXPECT_EQ(ParamMirrorWords(), 216);
}

TEST(ParamTables, MapTargetsAreTheCallersWords) {
    uint32_t mic[11], bands[7][4], singBands[7][4], discoBands[7][4], sing[2], disco[2], bar[3];
    ParamTargets t{};
    for (int i = 0; i < 11; ++i)
        t.micSliders[i] = &mic[i];
    for (int b = 0; b < 7; ++b) {
        t.micBands[b] = bands[b];
        t.musicSingBands[b] = singBands[b];
        t.musicDiscoBands[b] = discoBands[b];
    }
    t.musicSing[0] = &sing[0], t.musicSing[1] = &sing[1];
    t.musicDisco[0] = &disco[0], t.musicDisco[1] = &disco[1];
    for (int i = 0; i < 3; ++i)
        t.barLevels[i] = &bar[i];
    BuildParamMap(t);
    EXPECT_EQ(ParamMap[0].target, &mic[0]);
    EXPECT_EQ(ParamMap[6].target, &mic[6]); // 257, "Echo Delay"
    EXPECT_EQ(ParamMap[13].target, &bands[0][0]);
    EXPECT_EQ(ParamMap[40].target, &bands[6][3]);
    EXPECT_EQ(ParamMap[152].target, &sing[0]);
    EXPECT_EQ(ParamMap[154].target, &singBands[0][0]);
    EXPECT_EQ(ParamMap[181].target, &singBands[6][3]);
    EXPECT_EQ(ParamMap[185].target, &disco[1]);
    EXPECT_EQ(ParamMap[186].target, &discoBands[0][0]);
    EXPECT_EQ(ParamMap[186].code, ParamMap[154].code); // the Disco set has the same codes
    EXPECT_EQ(ParamMap[223].target, &bar[2]);
}

TEST(ParamTables, UploadListOf219FromAPcModeRecord) {
    uint8_t slot[256];
    for (int i = 0; i < 256; ++i)
        slot[i] = static_cast<uint8_t>(i * 7 + 3);
    slot[67] = 0, slot[68] = 1, slot[129] = 1, slot[130] = 0;
    auto expected = ExpectedUpload(slot);
    ASSERT_EQ(expected.size(), 219u);
    ASSERT_EQ(BuildUploadList(slot), 219);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(UploadList[i].code, expected[i][0]) << "entry " << i;
        EXPECT_EQ(UploadValue(UploadList[i]), expected[i][1]) << "entry " << i;
        EXPECT_EQ(UploadBand(UploadList[i]), expected[i][2]) << "entry " << i;
    }
    EXPECT_EQ(UploadList[219].code, 0u);
}
