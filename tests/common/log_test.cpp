// SPDX-License-Identifier: GPL-3.0-or-later
// The log: the trace and problem reports land in it line by line with their times, a terminal trace
// that is off stays off standard output, and past its limit the log moves to ".1" once.
#include "common/Trace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace

TEST(Log, TraceAndProblemsAreLoggedWithTimesAndTheLogIsBounded) {
    const std::string dir = std::string(TONVEX_TEST_HOME) + "/log-test/state/tonvex";
    std::filesystem::remove_all(std::string(TONVEX_TEST_HOME) + "/log-test");
    const std::string log = dir + "/tonvex.log";
    ASSERT_TRUE(OpenLog(log)) << LogProblem();
    EXPECT_EQ(LogPath(), log);

    OpenTrace(nullptr, false);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Trace(10, "<< SendData: FF FF 08 ");
    Trace(10, "00 01 00 00 00 F6 FC\nsecond line\n");
    ReportProblem("no font for \"%s\"", "Tahoma");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "tonvex: no font for \"Tahoma\"\n");
    const std::string stamp = R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} )";
    EXPECT_TRUE(std::regex_match(ReadAll(log),
                                 std::regex(stamp + "<< SendData: FF FF 08 00 01 00 00 00 F6 FC\n" + stamp +
                                            "second line\n" + stamp + "tonvex: no font for \"Tahoma\"\n")))
        << ReadAll(log);

    // A long run: the log and its one older copy together stay within twice the limit.
    const std::string line(99, 'x');
    for (size_t written = 0; written < 3 * LogLimitBytes; written += 100)
        Trace(7, "%s\n", line.c_str());
    const auto size = std::filesystem::file_size(log);
    const auto older = std::filesystem::file_size(log + ".1");
    EXPECT_LE(size, LogLimitBytes);
    EXPECT_GE(older, LogLimitBytes);
    EXPECT_LE(older, LogLimitBytes + 200);
    EXPECT_FALSE(std::filesystem::exists(log + ".2"));

    // A log that cannot be opened says why, and the program goes on without one.
    CloseLog();
    std::filesystem::create_directories(dir + "/blocked.log");
    EXPECT_FALSE(OpenLog(dir + "/blocked.log"));
    EXPECT_NE(LogProblem().find("blocked.log"), std::string::npos);
    EXPECT_EQ(LogPath(), "");
    Trace(7, "nowhere\n");
    OpenTrace(nullptr, true);
}
