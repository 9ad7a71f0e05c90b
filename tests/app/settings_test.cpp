// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pictures/Settings.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/stat.h>

class SettingsFile : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string dir = std::string(std::getenv("XDG_CONFIG_HOME")) + "/tonvex";
        mkdir(std::getenv("XDG_CONFIG_HOME"), 0700);
        mkdir(dir.c_str(), 0700);
        std::remove(SettingsPath().c_str());
    }
    void Write(const std::string& body) { std::ofstream(SettingsPath(), std::ios::binary) << body; }
};

TEST_F(SettingsFile, ValuesRoundTripAndOtherLinesSurvive) {
    ASSERT_TRUE(SettingsWrite("tonvex_bg", "conch"));
    ASSERT_TRUE(SettingsWrite("tonvex_lang", "1"));
    ASSERT_TRUE(SettingsWrite("tonvex_bg", "paddy"));
    std::string bg;
    uint32_t lang = 0;
    EXPECT_TRUE(SettingsRead("tonvex_bg", &bg));
    EXPECT_EQ(bg, "paddy");
    EXPECT_TRUE(SettingsReadU32("tonvex_lang", &lang));
    EXPECT_EQ(lang, 1u);
    struct stat st;
    ASSERT_EQ(stat(SettingsPath().c_str(), &st), 0);
    EXPECT_LT(st.st_size, 40);

    // Lines the console does not own stay as they were; its own key is written once, in its place.
    {
        std::ofstream edit(SettingsPath(), std::ios::binary);
        edit
            << "# set up by the venue\n\ntonvex_lang=1\nother_tool=keep me\ntonvex_bg=paddy\nno equals sign\n"
               "tonvex_bg=old\n";
    }
    ASSERT_TRUE(SettingsWrite("tonvex_bg", "night"));
    std::ifstream back(SettingsPath(), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(back)), {});
    EXPECT_EQ(
        text,
        "# set up by the venue\n\ntonvex_lang=1\nother_tool=keep me\ntonvex_bg=night\nno equals sign\n");
}

TEST_F(SettingsFile, GarbageLinesCountAsMissing) {
    Write(std::string("garbage without equals\n=novalue\n\x01\x02=3\ntonvex_lang=abc\ntonvex_bg=blue\n") +
          std::string(10000, 'x') + "\n");
    std::string bg;
    uint32_t lang = 7;
    EXPECT_TRUE(SettingsRead("tonvex_bg", &bg));
    EXPECT_EQ(bg, "blue");
    EXPECT_FALSE(SettingsReadU32("tonvex_lang", &lang));
    EXPECT_EQ(lang, 7u);
    EXPECT_FALSE(SettingsRead("missing", &bg));
}

TEST_F(SettingsFile, AWriteThatCannotReachTheDiskIsNotReportedAsDone) {
    // The settings folder's place is taken by a file: nothing can be written there, even by root.
    std::string base = std::getenv("XDG_CONFIG_HOME");
    setenv("XDG_CONFIG_HOME", (base + "/blocked").c_str(), 1);
    mkdir((base + "/blocked").c_str(), 0700);
    std::ofstream(base + "/blocked/tonvex") << "not a folder";
    bool wrote = SettingsWrite("tonvex_bg", "blue");
    setenv("XDG_CONFIG_HOME", base.c_str(), 1);
    EXPECT_FALSE(wrote);
    EXPECT_NE(SettingsProblem().find("blocked/tonvex cannot be made"), std::string::npos)
        << SettingsProblem();
}
