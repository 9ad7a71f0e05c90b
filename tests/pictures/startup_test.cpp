// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up sequence of the real application object with broken files beside it: the pictures are
// loaded all the same, the cache is rebuilt and the program gets to its main loop.
#include "app/ui/AppState.h"
#include "app/pictures/Resources.h"
#include "app/pictures/Settings.h"
#include "app/ui/Textures.h"
#include "app/TonvexCore.h"
#include "common/Paths.h"
#include "gui/TextRenderer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace {

class StartUp : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string home = std::string(TONVEX_TEST_HOME) + "/" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name();
        setenv("XDG_CACHE_HOME", (home + "/cache").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
        ASSERT_TRUE(MakeDirs(CacheDir()));
        ASSERT_TRUE(MakeDirs(ConfigDir()));
    }
    static off_t SizeOf(const std::string& path) {
        struct stat st;
        return stat(path.c_str(), &st) == 0 ? st.st_size : -1;
    }
    TonvexCore& core = TonvexCore::Instance();
};

} // namespace

TEST_F(StartUp, BrokenCacheAndSettingsStillGiveEveryPicture) {
    {
        std::ofstream cache(ThumbCachePath(), std::ios::binary);
        cache << "bg_blue.bmp" << std::string(60000, '\x17');
        std::ofstream settings(SettingsPath(), std::ios::binary);
        settings << "\x01\x02 garbage\n=\ntonvex_bg=" << std::string(200, 'b') << "\ntonvex_lang=zz\n";
    }
    ASSERT_EQ(core.CreateMainWindow(), 0);
    core.StartUp();

    EXPECT_EQ(SizeOf(ThumbCachePath()), 393344);
    EXPECT_EQ(BackgroundCount, 8);
    EXPECT_NE(BackgroundTextures[0], 0u);
    EXPECT_NE(BackgroundTextures[1], 0u);
    std::string stored;
    EXPECT_TRUE(SettingsRead("tonvex_bg", &stored));
    EXPECT_EQ(stored, "blue.bmp");
    for (uint32_t texture : {WfTexture, WbTexture, UiTexture, EqTexture, DxTexture, ExTexture, LogoTexture,
                             BarTexture, IconTextures[0], IconTextures[6]})
        EXPECT_NE(texture, 0u);
    ASSERT_NE(FontNormal, nullptr);
    ASSERT_NE(FontBold, nullptr);
    ASSERT_NE(FontLarge, nullptr);
    EXPECT_EQ(FontNormal->Cell(), 16);
    EXPECT_EQ(FontLarge->Cell(), 32);
    EXPECT_EQ(FontLarge->Style(), 5);
    EXPECT_GT(FontBold->TextWidth("Mic"), 0);
}
