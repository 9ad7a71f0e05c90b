// SPDX-License-Identifier: GPL-3.0-or-later
// The main of every test program: each test process runs headless on SDL's offscreen video driver and
// keeps its settings and cache in a folder of its own inside the build tree (ctest runs test cases in
// parallel processes), so a test never touches the user's files or another test's. The folder is named
// after the program (one main is compiled for all of them).
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    std::string base =
        std::string(TONVEX_TEST_HOMES) + "/" + std::filesystem::path(argv[0]).filename().string();
    std::filesystem::create_directories(base);
    std::string pattern = base + "/run-XXXXXX";
    std::string home = mkdtemp(pattern.data()) ? pattern : base;
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
    setenv("XDG_CACHE_HOME", (home + "/cache").c_str(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    if (home != base) {
        std::error_code ignored;
        std::filesystem::remove_all(home, ignored);
    }
    return result;
}
