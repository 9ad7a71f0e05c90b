// The text box: focus, typing rules, GBK double-byte characters and focus loss.
#include "GuiTestSupport.h"

#include "gui/GTextBox.h"

#include "gui/TextRenderer.h"

#include <gtest/gtest.h>
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

TEST_F(TextBox, TypingRulesDigitsLengthPercentAndControl) {
    box.style = GTextBox::DigitsOnly | GTextBox::NoPoint;
    Focus();
    Type("1.5x");
    EXPECT_STREQ(box.text, "15");
    box.text[0] = 0;
    box.style = GTextBox::DigitsOnly;
    Type("1.5x");
    EXPECT_STREQ(box.text, "1.5");
    int before = Fired::count[1];
    Type("\r");
    EXPECT_EQ(Fired::count[1], before + 1); // Enter fires and inserts nothing
    EXPECT_STREQ(box.text, "1.5");
    EXPECT_EQ(box.focused, 1u);
    box.SetText("");
    box.style = 0;
    box.maxLength = 4;
    Type("a%b%cdef");
    EXPECT_STREQ(box.text, "abcd");
    box.maxLength = 20;
    KeyState[VkControl] = 0x80;
    Type("x");
    EXPECT_STREQ(box.text, "abcd");
    KeyState[VkControl] = 0;
    Type("x");
    EXPECT_STREQ(box.text, "abcdx");
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

namespace {

// With the real glyph renderer: the caret lands on the nearest character boundary, a drag selects, and
// dragging past the left edge scrolls the text back one character per 20 ms.
TEST_F(TextBox, MouseSelectionFollowsThePointerAndScrollsAtTheEdge) {
    ASSERT_TRUE(LoadSkinsAndFonts());
    box.font = FontNormal;
    Focus();
    Type("abcdefghijklmnopqrstuvwxyz0123456789");
    ASSERT_LT(box.scrollX, 0); // the caret at the end pushed the text left
    EXPECT_EQ(box.caretX, static_cast<int>(box.innerWidth) - 8);

    // A press one pixel past the boundary 3 characters into the visible text (glyph widths summed here
    // from the renderer's own advances).
    int textLeft = box.WindowX() + 8;
    ClickSerial += 1;
    PressClaimed = 0;
    LeftDown = 1;
    int firstVisible = 0, pen = box.scrollX;
    char one[2] = {0, 0};
    while (pen < 0) {
        one[0] = box.text[firstVisible++];
        pen += FontNormal->TextWidth("%s", one);
    }
    int boundaryX = pen;
    for (int i = 0; i < 3; ++i) {
        one[0] = box.text[firstVisible + i];
        boundaryX += FontNormal->TextWidth("%s", one);
    }
    box.Track(textLeft + boundaryX + 1, 130, 1, &PressClaimed, ClickSerial);
    EXPECT_EQ(box.caretByte, firstVisible + 3);
    EXPECT_FALSE(box.HasSelection());

    // Drag two characters further: the anchor stays, the caret follows.
    int twoMore = FontNormal->TextWidth("%.2s", box.text + firstVisible + 3);
    box.DrawBox(1.0f, 800, 600, textLeft + boundaryX + twoMore + 1, 130, 1, &PressClaimed, ClickSerial);
    EXPECT_EQ(box.caretByte, firstVisible + 5);
    EXPECT_EQ(box.anchorByte, firstVisible + 3);
    EXPECT_TRUE(box.HasSelection());

    // Beyond the left edge the text scrolls back until its start shows.
    for (int ms = 0; ms < 2000; ms += 10) {
        TickAdvance(10);
        box.DrawBox(1.0f, 800, 600, textLeft - 30, 130, 1, &PressClaimed, ClickSerial);
    }
    EXPECT_EQ(box.scrollX, 0);
    EXPECT_EQ(box.caretByte, 0);
    EXPECT_EQ(box.anchorByte, firstVisible + 3);
    LeftDown = 0;
}

} // namespace

// Setting the text from the owner shows it from its start; a signed number box takes one leading '-';
// a two-byte character goes in whole or not at all, and bytes that start no GBK character are refused.
TEST_F(TextBox, SetTextSignedBoxesAndWholeCharacters) {
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

    box.style = GTextBox::DigitsOnly | GTextBox::Signed;
    Type("-3-");
    EXPECT_STREQ(box.text, "-3");
    box.style = GTextBox::DigitsOnly;
    box.SetText("");
    Type("-4");
    EXPECT_STREQ(box.text, "4");

    box.style = 0;
    box.SetText("");
    Type("abcd\xD6\xD0"); // four letters and a two-byte character: one byte short of room
    EXPECT_STREQ(box.text, "abcd");
    box.SetText("");
    Type("a\x80"
         "b\xD6"
         "1"); // 0x80 starts nothing; a lead byte without a trail byte goes
    EXPECT_STREQ(box.text, "ab1");
}
