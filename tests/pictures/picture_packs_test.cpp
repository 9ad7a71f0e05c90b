// SPDX-License-Identifier: GPL-3.0-or-later
// The packs, the thumbnail cache, backgrounds and skin textures on a real GL context, including packs,
// cache files and settings that are broken.
#include "tests/support/GlTestWindow.h"

#include "app/ui/AppState.h"
#include "app/pictures/Embedded.h"
#include "app/pictures/Resources.h"
#include "app/pictures/Settings.h"
#include "app/ui/Textures.h"
#include "common/Paths.h"
#include "tools/ArtPack.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr const char* FirstStart = "第一次程序启动：数据配置，这里可能需要等待一分钟 ...";

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<uint8_t> Uniform(int width, int height, int components, uint8_t value) {
    return std::vector<uint8_t>(size_t(width) * height * components, value);
}

void Append(std::vector<uint8_t>* pack, const char* tag, const char* name,
            const std::vector<uint8_t>& picture, int width, int height, int components) {
    ASSERT_TRUE(AppendRecord(pack, tag, name, components, width, height,
                             EncodeJp2(picture.data(), width, height, components, 0)));
}

class Pictures : public ::testing::Test {
  protected:
    void SetUp() override {
        // ctest runs the tests of this program side by side: each keeps its cache and settings apart.
        std::string home = std::string(TONVEX_TEST_HOME) + "/" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name();
        setenv("XDG_CACHE_HOME", (home + "/cache").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
        ASSERT_TRUE(TestGlReady());
        ResetPicturesForTest();
        std::remove(ThumbCachePath().c_str());
        std::remove(SettingsPath().c_str());
        StatusText = "";
        SetPictureStatusReporter([](const char* text) { StatusText = text; });
    }
    void TearDown() override { ResetPicturesForTest(); }

    void UseBuiltInPacks() {
        EmbeddedFile bg = EmbeddedBackgroundPack(), skin = EmbeddedSkinPack();
        SetPacksForTest(bg.data, bg.size, skin.data, skin.size);
    }
};

} // namespace

TEST_F(Pictures, FirstStartWritesTheWholeCacheAndLaterStartsReadIt) {
    UseBuiltInPacks();
    ASSERT_EQ(BuildBackgroundCache(0), 0);
    EXPECT_STREQ(StatusText, FirstStart);
    std::vector<uint8_t> cache = ReadFile(ThumbCachePath());
    EXPECT_EQ(cache.size(), 393344u);
    EXPECT_EQ(BackgroundCount, 8);
    EXPECT_STREQ(BackgroundNames[7], "widefw.bmp");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(cache.data())), "bg_blue.bmp");
    struct stat st;
    ASSERT_EQ(stat(CacheDir().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    StatusText = "";
    ASSERT_EQ(BuildBackgroundCache(0), 0);
    EXPECT_STREQ(StatusText, "") << "a good cache is not rebuilt";
    EXPECT_EQ(BackgroundCount, 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_NE(BackgroundThumbs[i], 0u);
}

TEST_F(Pictures, ACacheThatCannotBeWrittenStillGivesEveryThumbnail) {
    UseBuiltInPacks();
    // A file where the cache folder should be: nothing can be written, the list is whole all the same.
    std::string blocked = std::string(TONVEX_TEST_HOME) + "/cache-blocked";
    WriteFile(blocked, {1, 2, 3});
    setenv("XDG_CACHE_HOME", blocked.c_str(), 1);
    EXPECT_EQ(BuildBackgroundCache(0), -1);
    EXPECT_EQ(BackgroundCount, 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_NE(BackgroundThumbs[i], 0u) << i;
    std::remove(blocked.c_str());
}

TEST_F(Pictures, StaleOrBrokenCachesAreRebuilt) {
    UseBuiltInPacks();
    ASSERT_EQ(BuildBackgroundCache(0), 0);
    const std::vector<uint8_t> good = ReadFile(ThumbCachePath());
    ASSERT_EQ(good.size(), 393344u);

    std::vector<uint8_t> renamed = good;
    renamed[3] = 'x';
    std::vector<uint8_t> shortFile(good.begin(), good.begin() + 15);
    std::vector<uint8_t> midRecord(good.begin(), good.begin() + 3 * ThumbRecordSize + 1000);
    std::vector<uint8_t> garbage(good.size());
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<uint8_t>(i * 131 + 7);
    std::vector<uint8_t> noNul = good;
    std::fill_n(noNul.begin() + ThumbRecordSize, 16, 'A');

    for (auto& [what, bytes] : {std::pair{"first name differs", renamed}, std::pair{"15 bytes", shortFile},
                                std::pair{"ends mid-record", midRecord}, std::pair{"garbage", garbage},
                                std::pair{"name without NUL", noNul}}) {
        WriteFile(ThumbCachePath(), bytes);
        StatusText = "";
        EXPECT_EQ(BuildBackgroundCache(0), 0) << what;
        EXPECT_STREQ(StatusText, FirstStart) << what;
        EXPECT_EQ(ReadFile(ThumbCachePath()), good) << what;
        EXPECT_EQ(BackgroundCount, 8) << what;
    }
}

TEST_F(Pictures, BrokenPackRecordsAreRefusedAndTheRestStillWorks) {
    std::vector<uint8_t> pack;
    Append(&pack, "bg_", "good.bmp", Uniform(1024, 640, 3, 90), 1024, 640, 3);
    // A record whose picture does not decode.
    std::vector<uint8_t> noise(500, 0x33);
    ASSERT_TRUE(AppendRecord(&pack, "bg_", "noise.bmp", 3, 1024, 640, noise));
    // A record that claims more bytes than the pack has left.
    std::vector<uint8_t> tail;
    Append(&tail, "bg_", "long.bmp", Uniform(1024, 640, 3, 40), 1024, 640, 3);
    tail[16] = 0xFF;
    tail[17] = 0xFF;
    tail[18] = 0xFF;
    pack.insert(pack.end(), tail.begin(), tail.end());

    std::vector<uint8_t> skins;
    Append(&skins, "ui_", "wf.png", Uniform(8, 8, 4, 200), 8, 8, 4);
    ASSERT_TRUE(AppendRecord(&skins, "ui_", "ui.png", 4, 8, 8, noise));
    std::vector<uint8_t> cut;
    Append(&cut, "ui_", "eq.png", Uniform(8, 8, 4, 200), 8, 8, 4);
    skins.insert(skins.end(), cut.begin(), cut.end() - 10);
    SetPacksForTest(pack.data(), pack.size(), skins.data(), skins.size());

    LoadBackground("long.bmp");
    EXPECT_EQ(BackgroundTextures[0], 0u);
    LoadBackground("noise.bmp");
    EXPECT_EQ(BackgroundTextures[0], 0u);
    LoadBackground("good.bmp");
    EXPECT_NE(BackgroundTextures[0], 0u);
    EXPECT_NE(BackgroundTextures[1], 0u);

    ASSERT_EQ(BuildBackgroundCache(0), 0);
    EXPECT_EQ(BackgroundCount, 2) << "the record past the end is not listed";
    EXPECT_EQ(ReadFile(ThumbCachePath()).size(), 2 * size_t(ThumbRecordSize));

    uint32_t wf = 0, ui = 0, eq = 0;
    LoadSkinTexture("wf.png", &wf, GL_LINEAR, GL_LINEAR);
    LoadSkinTexture("ui.png", &ui, GL_LINEAR, GL_LINEAR);
    LoadSkinTexture("eq.png", &eq, GL_LINEAR, GL_LINEAR);
    EXPECT_NE(wf, 0u);
    EXPECT_EQ(ui, 0u);
    EXPECT_EQ(eq, 0u);
    EXPECT_EQ(MakeBackgroundPreview("long.bmp"), 0u);
}

TEST_F(Pictures, BackgroundTexturesSplitThePictureAndTheChoiceIsStored) {
    // Top 128 rows of the picture 200, the rest 50: texture [1] holds the top, [0] the lower rows.
    std::vector<uint8_t> picture = Uniform(1024, 640, 3, 50);
    std::fill(picture.begin(), picture.begin() + 1024 * 128 * 3, 200);
    std::vector<uint8_t> pack;
    Append(&pack, "bg_", "split.bmp", picture, 1024, 640, 3);
    SetPacksForTest(pack.data(), pack.size(), nullptr, 0);

    LoadBackground("split.bmp");
    int w = 0, h = 0;
    std::vector<uint8_t> top = ReadTexture(BackgroundTextures[1], 0, &w, &h);
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 128);
    EXPECT_EQ(top[0], 200);
    EXPECT_EQ(top[(127 * 1024 + 5) * 4], 200);
    std::vector<uint8_t> lower = ReadTexture(BackgroundTextures[0], 0, &w, &h);
    EXPECT_EQ(h, 512);
    EXPECT_EQ(lower[0], 50);
    EXPECT_EQ(lower[(511 * 1024) * 4], 50);
    std::string stored;
    EXPECT_TRUE(SettingsRead("tonvex_bg", &stored));
    EXPECT_EQ(stored, "split.bmp");

    uint32_t preview = MakeBackgroundPreview("split.bmp");
    ASSERT_NE(preview, 0u);
    std::vector<uint8_t> pixels = ReadTexture(preview, 0, &w, &h);
    EXPECT_EQ(w, 512);
    EXPECT_EQ(h, 512);
    EXPECT_EQ(pixels[(10 * 512 + 100) * 4], 50);   // low rows: the picture's bottom
    EXPECT_EQ(pixels[(315 * 512 + 100) * 4], 200); // row 315 of 320: its top
    EXPECT_EQ(pixels[(400 * 512 + 100) * 4], 0);   // above the picture: black
}

// A thumbnail holds the picture scaled below black rows; the pack may hold more pictures than the list
// keeps, and a cache of the listed ones is accepted.
TEST_F(Pictures, ThumbnailsOfTheListedPicturesOnly) {
    std::vector<uint8_t> pack;
    Append(&pack, "bg_", "grey.bmp", Uniform(1024, 640, 3, 180), 1024, 640, 3);
    for (int i = 1; i < MaxBackgrounds + 3; ++i)
        Append(&pack, "bg_", ("p" + std::to_string(i) + ".bmp").c_str(), Uniform(8, 8, 3, uint8_t(i)), 8, 8,
               3);
    SetPacksForTest(pack.data(), pack.size(), nullptr, 0);
    ASSERT_EQ(BuildBackgroundCache(0), 0);
    EXPECT_EQ(BackgroundCount, MaxBackgrounds);
    std::vector<uint8_t> cache = ReadFile(ThumbCachePath());
    ASSERT_EQ(cache.size(), size_t(MaxBackgrounds) * ThumbRecordSize);
    const uint8_t* thumb = cache.data() + 16;
    for (int row = 0; row < 128; ++row)
        ASSERT_EQ(thumb[(row * 128 + 64) * 3], row < 80 ? 180 : 0) << "row " << row;
    StatusText = "";
    ASSERT_EQ(BuildBackgroundCache(0), 0);
    EXPECT_STREQ(StatusText, "") << "the cache of the listed pictures is accepted";
    EXPECT_STREQ(BackgroundNames[MaxBackgrounds - 1], "p31.bmp");
}
