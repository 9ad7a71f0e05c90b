// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/vorcore_memory.h"
#include "common/vorcore_string.h"

#include <gtest/gtest.h>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> g_reports;

int RecordReport(const char* text, const char* caption) {
    g_reports.push_back(std::string(caption) + "|" + text);
    return 1;
}

class VorcoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_reports.clear();
        previous = vor_set_reporter(RecordReport);
    }
    void TearDown() override { vor_set_reporter(previous); }
    VorReporter previous = nullptr;
};

// An address that is certainly not mapped: a page that was mapped and given back.
void* UnmappedAddress() {
    long page = sysconf(_SC_PAGESIZE);
    void* p = mmap(nullptr, page * 2, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    munmap(p, page * 2);
    return static_cast<char*>(p) + page;
}

} // namespace

// Null arguments change nothing and report nothing; a formatted text is cut at its buffer's end.
TEST_F(VorcoreTest, NullsAreHarmlessAndLongTextsAreCut) {
    uint32_t before = vor_g_nMem;
    vor_free(nullptr);
    EXPECT_EQ(vor_strdup(nullptr), nullptr);
    EXPECT_EQ(vor_strfmt(nullptr), nullptr);
    EXPECT_EQ(vor_strfmt_static(nullptr), nullptr);
    EXPECT_TRUE(g_reports.empty());
    std::string longText(1100, 'x');
    char* text = vor_strfmt("%s", longText.c_str());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text), std::string(1027, 'x'));
    // n = 1028 bytes copied plus the extra terminator, plus the size word.
    EXPECT_EQ(vor_g_nMem - before, 1029u + 4u);
    vor_free(text);
    EXPECT_STREQ(vor_strfmt_static("%s", longText.c_str()), std::string(1027, 'x').c_str());
}

// Unreadable pointers and a counter that does not add up are reported, with the condition, file and
// line, and nothing crashes.
TEST_F(VorcoreTest, BadPointersAndCountsAreReportedNotCrashedOn) {
    void* gone = UnmappedAddress();
    uint32_t before = vor_g_nMem;
    vor_free(static_cast<char*>(gone) + 4);
    EXPECT_EQ(vor_strdup(static_cast<const char*>(gone)), nullptr);
    ASSERT_EQ(g_reports.size(), 2u);
    EXPECT_NE(g_reports[0].find("The pointer is a dangling pointer."), std::string::npos);
    EXPECT_NE(g_reports[1].find("String pointer is a dangling pointer."), std::string::npos);
    EXPECT_EQ(vor_g_nMem, before);

    g_reports.clear();
    vor_error("Memory Full", "vorcore_memory.cpp", 42);
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_EQ(g_reports[0],
              "An error has occured!|ERROR: ( Memory Full )\n\nLook at: vorcore_memory.cpp (line 42)");

    g_reports.clear();
    void* block = vor_alloc(100);
    uint32_t saved = vor_g_nMem;
    vor_g_nMem = 10; // fewer bytes counted than the block holds
    vor_free(block);
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_NE(g_reports[0].find("vor_g_nMem >= size"), std::string::npos);
    vor_g_nMem = saved - 104;
}
