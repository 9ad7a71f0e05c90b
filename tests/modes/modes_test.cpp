// SPDX-License-Identifier: GPL-3.0-or-later
// tonvex-modes against simulated processors and mode files: pull and push between two processors,
// the text round trip and its refusals, and a processor that falls silent during a push.
#include "link/LinkState.h"
#include "link/ModeFile.h"
#include "modes/ModeText.h"
#include "modes/ModesTool.h"
#include "tests/modes/ToolRun.h"
#include "tests/support/SimPorts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

using Result = ToolResult;

class Modes : public ::testing::Test, protected SimPorts {
  protected:
    void SetUp() override {
        OpenPorts();
        file_ = dir_ + "/mode.dat";
    }
    void TearDown() override {
        ClosePorts();
        LinkResetForTest();
    }

    // One run of the program, as from a shell.
    static Result Run(std::vector<std::string> args) { return RunTool(std::move(args)); }

    std::vector<uint8_t> FileBytes() {
        std::ifstream in(file_, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }
    void WriteText(const std::string& name, const std::string& text) {
        std::ofstream(dir_ + "/" + name, std::ios::binary) << text;
    }

    // PC mode `slot` of a new mode file: every parameter byte in range and different from its
    // neighbours, Manual + Disco on the music panel and Auto + Disco on the sub-woofer.
    void StoreRandomMode(int slot, unsigned seed, const char* name) {
        LoadModeFile(file_.c_str());
        std::mt19937 random(seed);
        uint8_t* record = ModeBuffer + slot * ModeRecordBytes;
        for (int offset = ModeRecordFirstParam; offset < ModeRecordBytes; ++offset)
            record[offset] = static_cast<uint8_t>(random() % (ModeByteLimit(offset) + 1u));
        record[67] = 1, record[68] = 1, record[129] = 0, record[130] = 1;
        SetModeSlotName(slot, name);
        ASSERT_TRUE(WriteModeFile());
    }

    static constexpr int ModeRecordFirstParam = 26;
    std::string file_;
};

std::vector<uint8_t> Slot(const std::vector<uint8_t>& file, int slot) {
    return std::vector<uint8_t>(file.begin() + slot * ModeRecordBytes,
                                file.begin() + (slot + 1) * ModeRecordBytes);
}

// A UTF-8 text as a shell passes it (the sources' plain literals are GBK).
std::string Utf8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

} // namespace

TEST_F(Modes, PullThenPushGivesTheSecondProcessorTheFirstsSettingWithBothSelectionsKept) {
    Px2950Sim& first = AddSim(1);
    Px2950Sim& second = AddSim(2);
    StoreRandomMode(0, 7, "first");
    StoreRandomMode(1, 8, "second");
    Result r = Run({"push", "--port", "COM1", "1", file_});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "PC mode 1 of " + file_ + " pushed to COM1 (219 writes)\n");
    ASSERT_EQ(Run({"push", "--port=COM2", "2", file_}).status, 0);
    const auto held = first.LiveParams();
    ASSERT_NE(held, second.LiveParams());

    r = Run({"pull", "--port", "COM1", "--name", Utf8(u8"包房12"), "5", file_});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(first.LiveParams(), held) << "the pull put every selection back";
    std::vector<uint8_t> file = FileBytes();
    std::vector<uint8_t> pulled = Slot(file, 4), pushed = Slot(file, 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(&pulled[ModeNameOffset])), "\xB0\xFC\xB7\xBF"
                                                                             "12");
    EXPECT_NE(Run({"list", file_}).out.find(Utf8(u8" 5  \"包房12\"\n")), std::string::npos);
    EXPECT_TRUE(std::equal(pulled.begin() + 26, pulled.begin() + 235, pushed.begin() + 26));

    ASSERT_EQ(Run({"push", "--port", "COM2", "5", file_}).status, 0);
    EXPECT_EQ(second.LiveParams(), held);
    EXPECT_EQ(second.Param(769), 1);
    EXPECT_EQ(second.Param(1024), 0);

    // What cannot be done says so, with its status.
    r = Run({"push", "--port", "COM9", "5", file_});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("'COM9' (no such serial port)"), std::string::npos) << r.err;
    EXPECT_EQ(Run({"push", "--port", "COM1", "9", file_}).status, 1) << "an empty mode is not sent";
    for (const auto& usage : std::vector<std::vector<std::string>>{
             {"push", "5", file_},
             {"pull", "--port", "COM1", "26"},
             {"export"},
             {"frobnicate"},
             {"pull", "--port", "COM1", "--name", "eleven char", "3", file_},
             {"pull", "--port", "COM1", "--name", Utf8(u8"包房一二三四"), "3", file_},
             {"pull", "--port", "COM1", "--name", Utf8(u8"\U0001F600"), "3", file_}})
        EXPECT_EQ(Run(usage).status, 2) << usage[0];
    EXPECT_EQ(Run({"list", dir_ + "/none.dat"}).status, 1);
    r = Run({"push", "--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("usage: tonvex-modes push --port PORT N [FILE]", 0), 0u);
}

TEST_F(Modes, TextRoundTripEditsAndRefusals) {
    StoreRandomMode(3, 11, "Ten chars!");
    // Reserved bytes another program left in the record: carried through the text byte for byte.
    LoadModeFile(file_.c_str());
    for (int i = 0; i < 16; ++i)
        ModeBuffer[3 * ModeRecordBytes + i] = static_cast<uint8_t>(17 * i + 1);
    for (int i = 235; i < ModeRecordBytes; ++i)
        ModeBuffer[3 * ModeRecordBytes + i] = static_cast<uint8_t>(i);
    ASSERT_TRUE(WriteModeFile());
    std::vector<uint8_t> before = FileBytes();
    Result listed = Run({"list", file_});
    ASSERT_EQ(listed.status, 0);
    EXPECT_NE(listed.out.find(" 3  (empty)\n 4  \"Ten chars!\"\n"), std::string::npos) << listed.out;

    Result exported = Run({"export", "4", file_});
    ASSERT_EQ(exported.status, 0) << exported.err;
    const std::string& text = exported.out;
    EXPECT_NE(text.find("\nmusic.disco.eq.6 = "), std::string::npos);
    EXPECT_NE(text.find("\nsub.disco.mic_gain_db = "), std::string::npos);
    WriteText("4.txt", text);
    ASSERT_EQ(Run({"import", "9", dir_ + "/4.txt", file_}).status, 0);
    std::vector<uint8_t> after = FileBytes();
    EXPECT_EQ(Slot(after, 8), Slot(before, 3));

    // An edit changes exactly the edited bytes: the echo delay (offset 32) and room band 14's gain.
    auto replaceLine = [](std::string t, const std::string& key, const std::string& line) {
        size_t at = t.find("\n" + key + " = ") + 1;
        return t.replace(at, t.find('\n', at) - at, line);
    };
    std::string edited = replaceLine(text, "mic.echo_delay_ms", "mic.echo_delay_ms = 124");
    edited = replaceLine(edited, "room.eq.14", "room.eq.14 = highshelf 5000 Hz -3.1 dB Q 0.7");
    WriteText("edited.txt", edited);
    ASSERT_EQ(Run({"import", "4", dir_ + "/edited.txt", file_}).status, 0);
    std::vector<uint8_t> record = Slot(FileBytes(), 3), old = Slot(before, 3);
    for (int i = 0; i < ModeRecordBytes; ++i) {
        if (i != 32 && (i < 226 || i > 229)) {
            ASSERT_EQ(record[i], old[i]) << "offset " << i;
        }
    }
    EXPECT_EQ(record[32], 12);   // 124 ms snaps to 120
    EXPECT_EQ(record[226], 2);   // high shelf
    EXPECT_EQ(record[227], 202); // the nearest table frequency, 5036 Hz
    EXPECT_EQ(record[228], 105); // -3.1 dB rounds towards 0: -3.0
    EXPECT_EQ(record[229], 2);   // Q 0.7 rounds down to 0.6

    // Each kind of bad line is refused with its line number; the file stays as it was.
    before = FileBytes();
    int echoLine = 0;
    for (size_t at = 0, n = 1; at < text.size(); at = text.find('\n', at) + 1, ++n)
        if (text.compare(at, 18, "mic.echo_delay_ms ") == 0) echoLine = static_cast<int>(n);
    ASSERT_GT(echoLine, 0);
    const std::string line = ":" + std::to_string(echoLine) + ": ";
    const std::pair<std::string, std::string> bad[] = {
        {replaceLine(text, "mic.echo_delay_ms", "mic.echo_dly_ms = 120"),
         line + "unknown parameter 'mic.echo_dly_ms'"},
        {replaceLine(text, "mic.echo_delay_ms", "mic.echo_delay_ms = 510"),
         line + "mic.echo_delay_ms: 510 is out of range (0 to 500)"},
        {replaceLine(text, "mic.echo_delay_ms", "mic.pre_delay_ms = 50"),
         line + "'mic.pre_delay_ms' is given again"},
        {replaceLine(text, "mic.echo_delay_ms", "mic.echo_delay_ms = peak"),
         line + "mic.echo_delay_ms: 'peak' is not a number"},
        {replaceLine(text, "mic.echo_delay_ms", "# gone"),
         ": 'mic.echo_delay_ms' is missing (it belongs after 'mic.reverb_hpf_hz'"},
        {replaceLine(text, "room.eq.14", "room.eq.14 = peak 30000 Hz +0.0 dB Q 1.0"),
         "room.eq.14: 30000 Hz is out of range"},
        {replaceLine(text, "room.eq.14", "room.eq.14 = notch 300 Hz +0.0 dB Q 1.0"),
         "'notch' is not a band type"},
        {replaceLine(text, "name", "name = \"Eleven char\""), ":2: name: the name has 11 bytes"},
    };
    for (const auto& [badText, message] : bad) {
        WriteText("bad.txt", badText);
        Result r = Run({"import", "4", dir_ + "/bad.txt", file_});
        EXPECT_EQ(r.status, 1) << message;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_EQ(FileBytes(), before) << message;
    }

    // Each number syntax but the plain decimal, and a line with a zero byte, are refused: the check
    // and the store read one number.
    const char nulLine[] = "room.eq.14 = peak 1000 Hz +0.0 dB Q 1.0\0garbage";
    const std::pair<std::string, std::string> numbers[] = {
        {"room.eq.14 = peak 0x3E8 Hz +0.0 dB Q 1.0", "the frequency '0x3E8' is not a number"},
        {"room.eq.14 = peak 1000 Hz 0x3 dB Q 1.0", "the gain '0x3' is not a number"},
        {"room.eq.14 = peak 1e3 Hz +0.0 dB Q 1.0", "the frequency '1e3' is not a number"},
        {std::string(nulLine, sizeof nulLine - 1), "the control byte 0x00"},
        {"room.eq.14 = codes 0 256 120 4", "'256' is not a code"},
    };
    for (const auto& [badLine, message] : numbers) {
        WriteText("bad.txt", replaceLine(text, "room.eq.14", badLine));
        Result r = Run({"import", "4", dir_ + "/bad.txt", file_});
        EXPECT_EQ(r.status, 1) << message;
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_EQ(FileBytes(), before) << message;
    }
}

TEST(ModeText, AnyRecordComesBackByteForByteWithWhatIsOutOfRangeSaid) {
    std::mt19937 random(2950);
    for (int n = 0; n < 2000; ++n) {
        uint8_t record[ModeRecordBytes], back[ModeRecordBytes];
        for (uint8_t& b : record)
            b = static_cast<uint8_t>(random());
        // Half the records hold only in-range parameters, as the console writes them.
        if (n % 2)
            for (int offset = 26; offset < 235; ++offset)
                record[offset] = static_cast<uint8_t>(record[offset] % (ModeByteLimit(offset) + 1));
        std::vector<std::string> warnings;
        std::string text = ModeRecordToText(record, &warnings);
        ModeTextError error;
        ASSERT_TRUE(ModeRecordFromText(text, back, &error)) << error.line << ": " << error.message << "\n"
                                                            << text;
        ASSERT_EQ(std::memcmp(back, record, sizeof record), 0) << text;
        if (n % 2) {
            ASSERT_TRUE(warnings.empty()) << warnings[0];
        }
    }

    // A gain code of 250 (180 at most) is written as its code and said to be out of range; a name
    // keeps its quotes, backslashes and Chinese characters (as UTF-8), and the bytes after a zero.
    uint8_t rec[ModeRecordBytes] = {};
    std::memcpy(rec + ModeNameOffset, "a\"b\\\xD6\xD0#\0z", 9);
    rec[41] = 250;
    std::vector<std::string> warnings;
    std::string text = ModeRecordToText(rec, &warnings);
    EXPECT_NE(text.find(Utf8(u8"name = \"a\\\"b\\\\中#\\x00z\"\n")), std::string::npos) << text.substr(0, 40);
    EXPECT_NE(text.find("mic.eq.0 = codes 0 0 250 0"), std::string::npos);
    EXPECT_NE(text.find("# out of range: gain 250 (largest 180); loaded as the largest"), std::string::npos);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(QuotedModeName(rec + ModeNameOffset), Utf8(u8"\"a\\\"b\\\\中#\""));

    // A name typed in UTF-8 is stored in GBK; one GBK cannot hold, or too long in GBK, is refused.
    auto withName = [&](const std::string& name) {
        size_t at = text.find("name = ");
        return std::string(text).replace(at, text.find('\n', at) - at, "name = \"" + name + "\"");
    };
    uint8_t back[ModeRecordBytes];
    ModeTextError error;
    ASSERT_TRUE(ModeRecordFromText(withName(Utf8(u8"包房4")), back, &error)) << error.message;
    EXPECT_EQ(std::string(reinterpret_cast<char*>(back + ModeNameOffset), 5), "\xB0\xFC\xB7\xBF"
                                                                              "4");
    EXPECT_FALSE(ModeRecordFromText(withName(Utf8(u8"caf\u00E9 \U0001F600")), back, &error));
    EXPECT_NE(error.message.find("has no GBK form"), std::string::npos) << error.message;
    EXPECT_FALSE(ModeRecordFromText(withName(Utf8(u8"一二三四五六")), back, &error));
    EXPECT_NE(error.message.find("12 bytes in GBK"), std::string::npos) << error.message;
    EXPECT_FALSE(ModeRecordFromText(withName("\xB0\xFC"), back, &error)) << "GBK bytes are not UTF-8";
}

TEST_F(Modes, APushToAProcessorThatFallsSilentSaysWhereItStopped) {
    Px2950Sim& sim = AddSim(1);
    StoreRandomMode(0, 3, "silent");
    sim.SilentAfter(1 + 100); // the ping, then 100 writes
    Result r = Run({"push", "--port", "COM1", "1", file_});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("push on COM1: the processor stopped answering after 100 of 219 writes"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(r.out, "");
}

// diff: a mode against the processor it was pushed to says nothing; a parameter changed on the
// processor is shown as the two lines export writes, and an operand that is neither says so.
TEST_F(Modes, DiffShowsWhatDiffersBetweenModesAndProcessors) {
    Px2950Sim& sim = AddSim(1);
    StoreRandomMode(0, 21, "room");
    ASSERT_EQ(Run({"push", "--port", "COM1", "1", file_}).status, 0);
    Result r = Run({"diff", file_ + ":1", "--port", "COM1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");

    sim.SetParam(257, 0, -1, sim.Param(257) == 0 ? 1 : 0); // one of the microphone panel's values
    r = Run({"diff", file_ + ":1", "--port=COM1"});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2) << r.out;
    EXPECT_EQ(r.out.rfind("- mic.", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\n+ mic."), std::string::npos) << r.out;
    EXPECT_EQ(Run({"diff", file_ + ":1", file_ + ":1"}).out, "");

    r = Run({"diff", file_ + ":26", "1"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("is not a PC mode"), std::string::npos) << r.err;
}

// EQ filters into a PC mode's sections and back: the example a room tuning gives into the room EQ
// (the bands left over flat) and into the sub-woofer's three bands; four filters ON refused by a
// three-band section, changing nothing; a section exported and imported into another mode is the same.
TEST_F(Modes, EqFiltersImportedAndExportedExactly) {
    StoreRandomMode(0, 21, "Tuned");
    WriteText("room.txt", "Preamp: -4.2 dB\n"
                          "Filter 1: ON PK Fc 63.0 Hz Gain -5.0 dB Q 4.00\n"
                          "Filter 2: ON LSC Fc 105 Hz Gain 3.0 dB Q 0.71\n"
                          "Filter 3: ON HSC Fc 8000 Hz Gain -2.5 dB Q 0.71\n"
                          "Filter 4: OFF PK Fc 1000 Hz Gain 0 dB Q 1\n");
    std::vector<uint8_t> before = FileBytes();
    Result r = Run({"eq-import", "1", "room", dir_ + "/room.txt", file_});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("band 2: LSC    105.0 Hz  +3.0 dB Q  0.71  ->     106.0 Hz  +3.0 dB Q  0.60"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("3 filters taken"), std::string::npos) << r.out;
    std::vector<uint8_t> after = FileBytes();
    const uint8_t taken[12] = {0, 42, 95, 19, 1, 61, 135, 2, 2, 219, 108, 2};
    EXPECT_TRUE(std::equal(taken, taken + 12, after.begin() + 170));
    for (int b = 3; b < 15; ++b) {
        EXPECT_EQ(after[170 + 4 * b + 2], 120) << "band " << b + 1 << " is flat";
        EXPECT_EQ(after[170 + 4 * b + 1], before[170 + 4 * b + 1]) << "and keeps its frequency";
    }
    for (size_t i = 0; i < after.size(); ++i) {
        if (i >= 170 && i < 230) continue;
        ASSERT_EQ(after[i], before[i]) << "byte " << i << " is not the room EQ's";
    }
    ASSERT_EQ(Run({"eq-import", "1", "sub", dir_ + "/room.txt", file_}).status, 0);
    EXPECT_TRUE(std::equal(taken, taken + 12, FileBytes().begin() + 138));

    WriteText("four.txt",
              "Filter 1: ON PK Fc 63 Hz Gain -5 dB Q 4\nFilter 2: ON PK Fc 90 Hz Gain 1 dB Q 1\n"
              "Filter 3: ON PK Fc 200 Hz Gain 1 dB Q 1\nFilter 4: ON PK Fc 900 Hz Gain 1 dB Q 1\n");
    before = FileBytes();
    r = Run({"eq-import", "1", "sc", dir_ + "/four.txt", file_});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("four.txt:4: more filters are ON than the 3 bands here; nothing was stored"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(FileBytes(), before);

    r = Run({"eq-export", "1", "music.disco", file_});
    ASSERT_EQ(r.status, 0);
    WriteText("disco.txt", r.out);
    ASSERT_EQ(Run({"eq-import", "2", "music.disco", dir_ + "/disco.txt", file_}).status, 0);
    after = FileBytes();
    EXPECT_TRUE(std::equal(after.begin() + 101, after.begin() + 129, after.begin() + ModeRecordBytes + 101));
    EXPECT_EQ(Run({"eq-import", "1", "bass", dir_ + "/room.txt", file_}).status, 2);
}
