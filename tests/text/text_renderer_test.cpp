// SPDX-License-Identifier: GPL-3.0-or-later
// The text renderer on a real GL context: glyph cells and atlas pages, widths, selections, caret search and
// the character-code helpers. GBK texts are written as bytes.
#include "tests/support/GlTestWindow.h"

#include "app/ui/Projection.h"
#include "gui/TextRenderer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// "中" and "文" in GBK.
constexpr const char* Zhong = "\xD6\xD0";
constexpr const char* ZhongWen = "\xD6\xD0\xCE\xC4";

class Text : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(TestGlReady());
        UseEmbeddedFontAliases();
        normal = new TextRenderer;
        ASSERT_TRUE(normal->Create("Tahoma", "宋体", 400, 400, 12, 13, 0, 16));
    }
    static void TearDownTestSuite() { delete normal; }
    static TextRenderer* normal;
};
TextRenderer* Text::normal;

} // namespace

TEST_F(Text, CreateChoosesTheCellAndRefusesWhatItCannotDraw) {
    TextRenderer r;
    EXPECT_FALSE(r.Create(nullptr, "宋体", 400, 400, 12, 13, 0, 16));
    EXPECT_FALSE(r.Create("Tahoma", nullptr, 400, 400, 128, 0, 0, 0));
    for (auto [size, cell] :
         {std::pair{12, 16}, {14, 16}, {15, 32}, {30, 32}, {31, 64}, {62, 64}, {63, 128}}) {
        TextRenderer sized;
        ASSERT_TRUE(sized.Create("Tahoma", nullptr, 400, 400, size, 0, 0, 0)) << size;
        EXPECT_EQ(sized.Cell(), cell) << size;
    }
}

TEST_F(Text, LetterAIsAWhiteCellWhoseAlphaIsItsHardEdgedCoverage) {
    uint32_t texture = normal->Glyph('A');
    ASSERT_NE(texture, 0u);
    int w = 0, h = 0;
    std::vector<uint8_t> page = ReadTexture(texture, 0, &w, &h);
    ASSERT_EQ(w, TextRenderer::PageSize);
    ASSERT_EQ(h, TextRenderer::PageSize);
    // The glyph's cell, cut out of its page.
    std::vector<uint8_t> pixels(16 * 16 * 4);
    const TextRenderer::GlyphEntry& entry = normal->Entry('A');
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c)
            for (int k = 0; k < 4; ++k)
                pixels[(r * 16 + c) * 4 + k] =
                    page[((entry.row * 16 + r) * size_t(w) + entry.column * 16 + c) * 4 + k];
    // Rows of the texture count from the glyph's bottom: find the ink rows.
    int lowest = -1, highest = -1, covered = 0;
    for (int r = 0; r < 16; ++r)
        for (int c = 0; c < 16; ++c) {
            const uint8_t* p = &pixels[(r * 16 + c) * 4];
            ASSERT_EQ(p[0], 255);
            ASSERT_EQ(p[1], 255);
            ASSERT_EQ(p[2], 255);
            ASSERT_TRUE(p[3] == 0 || p[3] == 255) << "grey edge at " << r << "," << c;
            if (p[3]) {
                if (lowest < 0) lowest = r;
                highest = r;
                ++covered;
            }
        }
    ASSERT_GT(covered, 10);
    auto runs = [&](int r) {
        int count = 0;
        for (int c = 0; c < 16; ++c)
            if (pixels[(r * 16 + c) * 4 + 3] && (c == 0 || !pixels[(r * 16 + c - 1) * 4 + 3])) ++count;
        return count;
    };
    EXPECT_EQ(runs(lowest), 2) << "the legs of the A are at its bottom";
    EXPECT_EQ(runs(highest), 1) << "the apex is at its top";
    EXPECT_GE(highest - lowest, 6);
    EXPECT_EQ(normal->Entry('A').kind, 1);
    EXPECT_GT(normal->Entry('A').advance, 4);
    EXPECT_EQ(normal->Glyph('A'), texture) << "a glyph is made once";
}

TEST_F(Text, WidthOfATextNeverDrawnIsTheSumOfItsAdvances) {
    TextRenderer fresh;
    ASSERT_TRUE(fresh.Create("Tahoma", "宋体", 400, 400, 12, 13, 0, 16));
    EXPECT_EQ(fresh.Entry('W').texture, 0u);
    int width = fresh.TextWidth("W%d%s", 42, ZhongWen);
    int sum = fresh.Entry('W').advance + fresh.Entry('4').advance + fresh.Entry('2').advance +
              fresh.Entry(0xD0D6).advance + fresh.Entry(0xC4CE).advance;
    EXPECT_EQ(width, sum);
    EXPECT_GE(fresh.Entry(0xD0D6).advance, 11) << "a Chinese character is about one em wide";
    EXPECT_NE(fresh.Entry('W').texture, 0u);
    EXPECT_EQ(fresh.TextWidth(nullptr), 0);
    EXPECT_EQ(fresh.TextWidth("%s", ""), 0);
    EXPECT_NE(fresh.Glyph('W'), normal->Glyph('W')) << "each renderer keeps its own glyphs";
}

TEST_F(Text, CaretLandsOnTheNearestCharacterBoundary) {
    int x = -1, byte = -1, ch = -1;
    int a = normal->Entry('a').advance ? normal->Entry('a').advance : normal->TextWidth("a");
    normal->CaretFromX(100, 100 + a / 2 - 1, &x, &byte, &ch, "ab%s", Zhong);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(byte, 0);
    EXPECT_EQ(ch, 0);
    normal->CaretFromX(100, 100 + a / 2, &x, &byte, &ch, "ab%s", Zhong);
    EXPECT_EQ(x, 100 + a);
    EXPECT_EQ(ch, 1);
    normal->CaretFromX(100, 1000, &x, &byte, &ch, "ab%s", Zhong);
    EXPECT_EQ(ch, 3);
    EXPECT_EQ(byte, 4);
    EXPECT_EQ(x, 100 + normal->TextWidth("ab%s", Zhong));
    EXPECT_EQ(normal->TextXAtByte(3, "ab%s", Zhong), normal->TextWidth("ab%s", Zhong));
    EXPECT_EQ(normal->TextXAtByte(1, "ab%s", Zhong), a);
    EXPECT_EQ(normal->TextXAtByte(0, "ab"), 0);
}

// A large face fills a page with 16 glyphs: a text whose glyphs lie on two pages draws each of them
// where it drew alone, and each glyph keeps its cell.
TEST_F(Text, ATextAcrossTwoAtlasPagesDrawsEveryGlyphAsItDrawsAlone) {
    TextRenderer large;
    ASSERT_TRUE(large.Create("Tahoma", "宋体", 700, 400, 64, 0, 0, 0));
    ASSERT_EQ(large.Cell(), 128);
    const char* text = "ABCDEFGHIJKLMNOPQRST"; // 20 glyphs, 16 a page
    for (const char* c = text; *c; ++c)
        large.Glyph(static_cast<uint8_t>(*c));
    EXPECT_NE(large.Entry('A').texture, large.Entry('T').texture);
    EXPECT_EQ(large.Entry('A').texture, large.Entry('P').texture);
    EXPECT_EQ(large.Entry('Q').column, 0);
    EXPECT_EQ(large.Entry('Q').row, 0);
    EXPECT_EQ(large.Entry('P').column, 3);
    EXPECT_EQ(large.Entry('P').row, 3);

    // "OPQR" straddles the pages; drawn whole and glyph by glyph, the pictures are the same.
    BeginTestFrame();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    large.DrawText(10, 100, "OPQR");
    std::vector<uint8_t> whole = ReadRgbaTopDown(TestGlWidth, TestGlHeight);
    BeginTestFrame();
    int pen = 10;
    for (const char* c = "OPQR"; *c; ++c) {
        large.DrawText(pen, 100, "%c", *c);
        pen += large.Entry(static_cast<uint8_t>(*c)).advance;
    }
    std::vector<uint8_t> alone = ReadRgbaTopDown(TestGlWidth, TestGlHeight);
    EXPECT_TRUE(whole == alone);
    size_t inked = 0;
    for (size_t i = 0; i < whole.size(); i += 4)
        inked += whole[i] > 200;
    EXPECT_GT(inked, 400u) << "four large letters were drawn";
}

// At scale 2 the glyphs are rasterised at twice the size, not stretched: about twice as tall, every
// pixel ink or background (hard edges, no blur), finer than the scale-1 glyphs doubled; and the texts
// keep the widths of scale 1, so the layout does not move.
TEST_F(Text, AtScaleTwoGlyphsAreRasterisedLargerWithTheLayoutOfScaleOne) {
    struct Restore {
        ~Restore() { SetDrawScale(1.0f, 0); }
    } restore;
    const char* text = "A\xD6\xD0"; // "A中"
    auto draw = [&](TextRenderer& r, int unitsWide, int unitsHigh) {
        SetPixelProjection(unitsWide, unitsHigh, 0, 1.0f);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_TEXTURE_2D);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        r.DrawText(10, 10, "%s", text);
        return ReadRgbaTopDown(TestGlWidth, TestGlHeight);
    };
    auto red = [](const std::vector<uint8_t>& px, int x, int y) {
        return px[(size_t(y) * TestGlWidth + x) * 4];
    };
    // The rows with ink in the box of `side` pixels from (side * 10 / 16, ...).
    auto inkRows = [&](const std::vector<uint8_t>& px, int from, int side) {
        int first = -1, last = -1;
        for (int y = from; y < from + side; ++y)
            for (int x = from; x < from + 2 * side; ++x)
                if (red(px, x, y)) {
                    if (first < 0) first = y;
                    last = y;
                }
        return last - first + 1;
    };

    std::vector<uint8_t> one = draw(*normal, TestGlWidth, TestGlHeight);
    SetDrawScale(2.0f, TestGlHeight);
    TextRenderer large;
    ASSERT_TRUE(large.Create("Tahoma", "宋体", 400, 400, 12, 13, 0, 16));
    EXPECT_EQ(large.Cell(), 16);
    EXPECT_EQ(large.Texels(), 32);
    std::vector<uint8_t> two = draw(large, TestGlWidth / 2, TestGlHeight / 2);

    int rowsOne = inkRows(one, 10, 16), rowsTwo = inkRows(two, 20, 32);
    ASSERT_GT(rowsOne, 6);
    EXPECT_NEAR(rowsTwo, 2 * rowsOne, 2);
    int grey = 0, unlikeDoubled = 0;
    for (int y = 20; y < 52; ++y)
        for (int x = 20; x < 84; ++x) {
            uint8_t v = red(two, x, y);
            if (v != 0 && v != 255) ++grey;
            if (v != red(one, x / 2, y / 2)) ++unlikeDoubled;
        }
    EXPECT_EQ(grey, 0) << "pixels between ink and background";
    EXPECT_GT(unlikeDoubled, 8) << "the scale-2 glyphs are the scale-1 ones doubled";
    EXPECT_EQ(large.TextWidth("Scale %s", text), normal->TextWidth("Scale %s", text));
    EXPECT_EQ(large.Entry('A').advance, normal->Entry('A').advance);
}

TEST_F(Text, SelectionGivenBackwardsHighlightsTheCharactersBetween) {
    BeginTestFrame(1.0f);
    const float red[3] = {1, 0, 0};
    normal->DrawTextSelected(30, 100, 5, 2, 1, red, "aaaaaaa");
    std::vector<uint8_t> screen = ReadRgbaTopDown(TestGlWidth, TestGlHeight);
    int a = normal->Entry('a').advance;
    for (int i = 0; i < 7; ++i) {
        // The top-left pixel of each character's box, above the ink of an "a".
        const uint8_t* p = &screen[(size_t(100) * TestGlWidth + 30 + i * a) * 4];
        bool highlighted = p[0] > 200 && p[1] < 50 && p[2] < 50;
        EXPECT_EQ(highlighted, i >= 2 && i <= 4) << "character " << i;
    }
    // The highlight is size + 1 rows high.
    const uint8_t* below = &screen[(size_t(100 + 13) * TestGlWidth + 30 + 2 * a) * 4];
    EXPECT_GT(below[1], 200);
}

TEST(TextCodes, BytesBecomeCodesAndCountsTurnBothWays) {
    uint16_t codes[257];
    TextRenderer::ToCodes(codes, "a\xD6\xD0z");
    EXPECT_EQ(codes[0], 'a');
    EXPECT_EQ(codes[1], 0xD6 + 256 * 0xD0);
    EXPECT_EQ(codes[2], 'z');
    EXPECT_EQ(codes[3], 0);

    // A lead byte at the very end stands alone; the walk stops at the terminator.
    TextRenderer::ToCodes(codes, "x\xD6");
    EXPECT_EQ(codes[1], 0xD6);
    EXPECT_EQ(codes[2], 0);

    // More than 255 characters wrap round the code buffer and stay inside it.
    std::string longText(300, 'q');
    codes[256] = 0x7777;
    TextRenderer::ToCodes(codes, longText.c_str());
    EXPECT_EQ(codes[300 % 256], 0);
    EXPECT_EQ(codes[256], 0x7777);

    const char* text = "a\xD6\xD0"
                       "b\x80"
                       "c";
    EXPECT_EQ(TextRenderer::CharsToBytes(codes, text, 0), 0);
    EXPECT_EQ(TextRenderer::CharsToBytes(codes, text, 1), 1);
    EXPECT_EQ(TextRenderer::CharsToBytes(codes, text, 2), 3);
    EXPECT_EQ(TextRenderer::CharsToBytes(codes, text, 4), 5) << "a byte of exactly 128 is one character";
    EXPECT_EQ(TextRenderer::CharsToBytes(codes, text, 9), 0);
    EXPECT_EQ(TextRenderer::BytesToChars(codes, text, 0), 0);
    EXPECT_EQ(TextRenderer::BytesToChars(codes, text, 2), 2) << "half a character counts whole";
    EXPECT_EQ(TextRenderer::BytesToChars(codes, text, 3), 2);
    EXPECT_EQ(TextRenderer::BytesToChars(codes, text, 6), 5);
    EXPECT_EQ(TextRenderer::BytesToChars(codes, text, 7), 0);
}
