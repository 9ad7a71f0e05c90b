// SPDX-License-Identifier: GPL-3.0-or-later
// The text box: focus, typing rules, GBK double-byte characters and focus loss.
#include "GuiTestSupport.h"

#include "gui/GTextBox.h"

#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct TextBox : ::testing::Test {
    TestPanel panel;
    GTextBox box;
    void SetUp() override {
        ResetAppState();
        ClientWidth = 800;
        ClientHeight = 600;
        Fired::Reset();
        TickSet(50000);
        // Window rectangle (120, 120) .. (240, 146).
        box.Create(0, nullptr, 20, 20, 120, 26, 0, nullptr, 1, Fired::Callback, &panel);
    }
    void Focus() {
        ClickSerial += 1;
        PressClaimed = 0;
        box.Track(130, 130, 1, &PressClaimed, ClickSerial);
    }
    void Type(const char* text) {
        for (const char* p = text; *p; ++p) {
            char one[2] = {*p, 0};
            if (*p == '\b')
                box.Backspace();
            else
                box.InsertChar(one);
        }
    }
};

TEST_F(TextBox, TypingNeedsFocusAndAPressFocusesWithOneCallback) {
    Type("ab");
    EXPECT_STREQ(box.text, "");
    Focus();
    EXPECT_EQ(box.focused, 1u);
    EXPECT_EQ(PressClaimed, 1u);
    EXPECT_EQ(Fired::count[1], 1); // focus gained
    Focus();
    EXPECT_EQ(Fired::count[1], 1); // already focused
    Type("ab");
    EXPECT_STREQ(box.text, "ab");
}

// What each style and length lets through of the same keys; Enter fires and inserts nothing, and keys
// typed with Ctrl held are shortcuts, not text.
TEST_F(TextBox, TypingRulesOfEachStyle) {
    struct Rule {
        uint32_t style;
        int maxLength;
        const char* typed;
        const char* kept;
    };
    for (const Rule& rule : {Rule{GTextBox::DigitsOnly | GTextBox::NoPoint, 20, "1.5x", "15"},
                             Rule{GTextBox::DigitsOnly, 20, "1.5x\r", "1.5"},
                             Rule{GTextBox::DigitsOnly | GTextBox::Signed, 20, "-3-", "-3"},
                             Rule{GTextBox::DigitsOnly, 20, "-4", "4"}, Rule{0, 4, "a%b%cdef", "abcd"},
                             Rule{0, 5, "abcd\xD6\xD0", "abcd"}, // one byte short of a whole character
                             Rule{0, 20,
                                  "a\x80"
                                  "b\xD6"
                                  "1",
                                  "ab1"}}) { // 0x80 starts nothing; a lone lead byte goes
        box.SetText("");
        box.style = rule.style;
        box.maxLength = rule.maxLength;
        Focus();
        int fired = Fired::count[1];
        Type(rule.typed);
        EXPECT_STREQ(box.text, rule.kept) << rule.typed;
        EXPECT_EQ(Fired::count[1], fired + (std::strchr(rule.typed, '\r') ? 1 : 0)) << rule.typed;
    }
    EXPECT_EQ(box.focused, 1u);
    KeyState[VkControl] = 0x80;
    Type("x");
    EXPECT_STREQ(box.text, "ab1");
    KeyState[VkControl] = 0;
}

// A GBK character is inserted, stepped over and deleted as one; a trail byte of 128 or more must not
// swallow the character after it; a selection is replaced by the typed character; an owner shortening
// the text cannot leave the caret past its end.
TEST_F(TextBox, DoubleByteCharactersSelectionsAndShortenedTextsKeepTheCaretRight) {
    Focus();
    Type("a\xD6\xD0"); // "a" and one GBK character
    EXPECT_STREQ(box.text, "a\xD6\xD0");
    EXPECT_EQ(box.caretChar, 2);
    auto left = [&] { return box.CaretLeft(0), box.caretByte; };
    auto right = [&] { return box.CaretRight(0), box.caretByte; };
    EXPECT_EQ((std::vector<int>{box.caretByte, left(), left(), left(), right(), right(), right()}),
              (std::vector<int>{3, 1, 0, 0, 1, 3, 3}));
    Type("\b");
    EXPECT_STREQ(box.text, "a");
    EXPECT_EQ(box.caretByte, 1);
    box.SetText("");
    Type("\xD6\xD0"
         "a");
    Type("\b");
    EXPECT_STREQ(box.text, "\xD6\xD0");
    Type("b");
    EXPECT_EQ(left(), 2);
    box.SetText("");
    Type("hello");
    box.anchorByte = 1;
    box.anchorChar = 1; // "ello" selected, caret at the end
    Type("i");
    EXPECT_STREQ(box.text, "hi");
    EXPECT_FALSE(box.HasSelection());
    // A full ten-byte box: a two-byte character typed over its last letter would make eleven, so the
    // text and the selection stay; over its last two letters it fits.
    box.maxLength = 10;
    box.SetText("");
    Type("Ten chars!");
    box.anchorByte = box.anchorChar = 9;
    Type("\xD6\xD0");
    EXPECT_STREQ(box.text, "Ten chars!");
    EXPECT_TRUE(box.HasSelection());
    box.anchorByte = box.anchorChar = 8;
    Type("\xD6\xD0");
    EXPECT_STREQ(box.text, "Ten char\xD6\xD0");
    box.maxLength = 1020;
    box.SetText("");
    Focus();
    Type("abcdef");
    box.text[2] = 0; // the owner shortened it
    Type("\b");
    EXPECT_STREQ(box.text, "a");
}

TEST_F(TextBox, PressElsewhereDropsTheFocusAndFiresOnce) {
    EnsureGlContext();
    Focus();
    Type("12");
    ClickSerial += 1;
    PressClaimed = 0;
    for (int frame = 0; frame < 3; ++frame) {
        box.DrawBox(1.0f, 800, 600, 400, 400, 1, &PressClaimed, ClickSerial);
        TickAdvance(8);
    }
    EXPECT_EQ(box.focused, 0u);
    EXPECT_EQ(Fired::count[1], 2); // gained, lost
    Type("3");
    EXPECT_STREQ(box.text, "12");

    // Without the focus callback neither edge fires.
    box.style = GTextBox::NoFocusCallback;
    Focus();
    ClickSerial += 1;
    box.DrawBox(1.0f, 800, 600, 400, 400, 1, &PressClaimed, ClickSerial);
    EXPECT_EQ(Fired::count[1], 2);
}

} // namespace

// Setting the text from the owner shows it from its start, with nothing selected.
TEST_F(TextBox, SetTextShowsTheTextFromItsStart) {
    box.maxLength = 5;
    Focus();
    Type("12000");
    box.scrollX = -40; // as a long text left it
    box.SetText("100.0");
    EXPECT_STREQ(box.text, "100.0");
    EXPECT_EQ(box.scrollX, 0);
    EXPECT_EQ(box.caretByte, 0);
    EXPECT_FALSE(box.HasSelection());
    box.SetText(nullptr);
    EXPECT_STREQ(box.text, "");
}
