// SPDX-License-Identifier: GPL-3.0-or-later
// The PC-mode file: records in place, whole names, the five extra modes, clamped bytes, and saves
// that never leave a damaged file.
#include "link/ModeFile.h"

#include "common/Paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

class ModeFile : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/tonvex-modes-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        path = dir + "/mode.dat";
    }
    void TearDown() override {
        ModeFileStopBeforeRenameForTest(false);
        for (const char* name : {"/mode.dat", "/mode.dat.tmp", "/elsewhere"})
            unlink((dir + name).c_str());
        rmdir(dir.c_str());
    }
    std::vector<uint8_t> FileBytes() const {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    void WriteFile(const std::vector<uint8_t>& bytes) const {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::string dir, path;
};

} // namespace

TEST_F(ModeFile, SavingOneRecordKeepsTheOthersAndWholeNames) {
    std::vector<uint8_t> old(5120);
    for (size_t i = 0; i < old.size(); ++i)
        old[i] = static_cast<uint8_t>(i * 7);
    WriteFile(old);
    ASSERT_EQ(LoadModeFile(path.c_str()), ModeFileStatus::Loaded);
    SetModeSlotName(2, "Party Hall"); // ten characters: no room for a zero
    std::memset(ModeBuffer + 2 * 256 + 26, 9, 230);
    ASSERT_TRUE(WriteModeFile());
    auto saved = FileBytes();
    ASSERT_EQ(saved.size(), 5120u);
    for (size_t i = 0; i < saved.size(); ++i) {
        if (i >= 512 && i < 768) continue;
        ASSERT_EQ(saved[i], old[i]) << i;
    }
    EXPECT_EQ(std::memcmp(saved.data() + 512 + 16, "Party Hall", 10), 0);
    ASSERT_EQ(LoadModeFile(path.c_str()), ModeFileStatus::Loaded);
    char name[11];
    ModeSlotName(2, name);
    EXPECT_STREQ(name, "Party Hall");
    // A name that does not fit is cut before the character that would be split, not through it.
    SetModeSlotName(3, "Nine char\xD6\xD0");
    ModeSlotName(3, name);
    EXPECT_STREQ(name, "Nine char");

    // PC mode 22 lives on: the file grows to 25 records, which loads back.
    SetModeSlotName(21, "Extra");
    ASSERT_TRUE(WriteModeFile());
    EXPECT_EQ(FileBytes().size(), 6400u);
    std::memset(ModeBuffer, 0, sizeof ModeBuffer);
    ASSERT_EQ(LoadModeFile(path.c_str()), ModeFileStatus::Loaded);
    ModeSlotName(21, name);
    EXPECT_STREQ(name, "Extra");
}

TEST_F(ModeFile, ShortLongAndOutOfRangeFilesLoadAsFarAsTheyAreValid) {
    std::vector<uint8_t> bytes(300, 0xFF); // record 0 whole and 44 bytes of record 1
    WriteFile(bytes);
    ASSERT_EQ(LoadModeFile(path.c_str()), ModeFileStatus::Loaded);
    EXPECT_EQ(ModeBuffer[299], 0xFF);
    EXPECT_EQ(ModeBuffer[300], 0);
    uint8_t record[256];
    ClampedModeRecord(0, record);
    EXPECT_EQ(record[26], 100);      // Echo / Reverb share
    EXPECT_EQ(record[37], 1);        // a check box
    EXPECT_EQ(record[39 + 1], 255);  // a band's frequency code
    EXPECT_EQ(record[39 + 2], 180);  // its gain code
    EXPECT_EQ(record[39 + 3], 179);  // its Q code
    EXPECT_EQ(record[39], 2);        // its type
    EXPECT_EQ(record[150 + 5], 167); // the surround delay
    EXPECT_EQ(record[240], 0);       // reserved
    WriteFile(std::vector<uint8_t>(7000, 1));
    ASSERT_EQ(LoadModeFile(path.c_str()), ModeFileStatus::Loaded);
    EXPECT_EQ(ModeBuffer[6399], 1);
}

TEST_F(ModeFile, ACrashBeforeTheRenameAndAPlantedLinkLeaveFilesWhole) {
    std::vector<uint8_t> old(5120, 3);
    WriteFile(old);
    ASSERT_EQ(LoadModeFile(path.c_str()), ModeFileStatus::Loaded);
    ModeBuffer[600] = 77;
    ModeFileStopBeforeRenameForTest(true);
    EXPECT_FALSE(WriteModeFile());
    EXPECT_EQ(FileBytes(), old);
    ModeFileStopBeforeRenameForTest(false);

    // A symlink planted as "mode.dat" is neither followed nor written through.
    std::string target = dir + "/elsewhere";
    WriteFile(old);
    ASSERT_EQ(rename(path.c_str(), target.c_str()), 0);
    ASSERT_EQ(symlink(target.c_str(), path.c_str()), 0);
    EXPECT_EQ(LoadModeFile(path.c_str()), ModeFileStatus::Refused);
    EXPECT_NE(ModeFileProblem().find("link"), std::string::npos) << ModeFileProblem();
    EXPECT_FALSE(WriteModeFile());
    struct stat st;
    ASSERT_EQ(lstat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    unlink(path.c_str());

    // A FIFO does not hold the load.
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(LoadModeFile(path.c_str()), ModeFileStatus::Refused);
    unlink(path.c_str());
    EXPECT_EQ(LoadModeFile(path.c_str()), ModeFileStatus::Created);
}

TEST_F(ModeFile, ASaveKeepsPermissionsTheLengthAndBytesPastTheRecordsAndSaysWhyItFailed) {
    // A private file longer than 25 records: each save keeps it private and keeps what lies past them.
    std::vector<uint8_t> old(7000);
    for (size_t i = 0; i < old.size(); ++i)
        old[i] = static_cast<uint8_t>(i * 13);
    WriteFile(old);
    ASSERT_EQ(chmod(path.c_str(), 0600), 0);
    ASSERT_EQ(LoadModeFile(path.c_str()), ModeFileStatus::Loaded);
    SetModeSlotName(0, "Saved");
    ASSERT_TRUE(WriteModeFile());
    ASSERT_TRUE(WriteModeFile());
    std::vector<uint8_t> saved = FileBytes();
    ASSERT_EQ(saved.size(), old.size());
    EXPECT_TRUE(std::equal(saved.begin() + 256, saved.end(), old.begin() + 256));
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);

    // A file of 22 records whose extra ones hold nothing keeps its length.
    WriteFile(std::vector<uint8_t>(22 * 256, 0));
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_EQ(LoadModeFile(path.c_str()), ModeFileStatus::Loaded);
    ASSERT_TRUE(WriteModeFile());
    EXPECT_EQ(FileBytes().size(), 22u * 256);
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    // A save that cannot write says why, and the file stays as it was: a folder this user may not
    // write in, and (as root writes anywhere) a folder where the temporary file would go.
    std::vector<uint8_t> before = FileBytes();
    SetModeSlotName(1, "Lost?");
    if (geteuid() != 0) {
        ASSERT_EQ(chmod(dir.c_str(), 0500), 0);
        EXPECT_FALSE(WriteModeFile());
        chmod(dir.c_str(), 0700);
        EXPECT_NE(ModeFileProblem().find("mode.dat.tmp\": Permission denied)"), std::string::npos)
            << ModeFileProblem();
    }
    ASSERT_EQ(mkdir((path + ".tmp").c_str(), 0700), 0);
    EXPECT_FALSE(WriteModeFile());
    rmdir((path + ".tmp").c_str());
    EXPECT_NE(ModeFileProblem().find("could not be written (\"" + path + ".tmp\": Is a directory)"),
              std::string::npos)
        << ModeFileProblem();
    EXPECT_EQ(FileBytes(), before);
}

TEST_F(ModeFile, TheModesLiveInTheWorkingFoldersFileElseInThePerUserOne) {
    char old[4096];
    ASSERT_NE(getcwd(old, sizeof old), nullptr);
    const char* oldData = std::getenv("XDG_DATA_HOME");
    std::string keptData = oldData ? oldData : "";
    ASSERT_EQ(chdir(dir.c_str()), 0);
    setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
    std::string perUser = ModeFilePath();
    bool made = access((dir + "/data/tonvex").c_str(), W_OK) == 0;
    WriteFile({1, 2, 3});
    std::string here = ModeFilePath();
    ASSERT_EQ(chdir(old), 0);
    oldData ? setenv("XDG_DATA_HOME", keptData.c_str(), 1) : unsetenv("XDG_DATA_HOME");
    rmdir((dir + "/data/tonvex").c_str());
    rmdir((dir + "/data").c_str());
    EXPECT_EQ(perUser, dir + "/data/tonvex/mode.dat");
    EXPECT_TRUE(made) << "the per-user folder is made";
    EXPECT_EQ(here, path);
}
