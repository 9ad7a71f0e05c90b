// The piece table against the texel rectangles the widgets, panels and graph cut, and the rule that
// pieces of different pictures never share texels. Then the skin sheet: every piece drawn through GL
// from the built-in pack at its drawn size with its name, into skin-sheet.png in the build folder.
#include "GlContext.h"

#include "app/Embedded.h"
#include "app/Resources.h"
#include "app/Textures.h"
#include "gui/SkinPieces.h"
#include "gui/TextRenderer.h"

#include "tests/support/PngWrite.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

namespace {

struct Expected {
    Piece piece;
    float s0, t0, s1, t1; // texture coordinates, 0..1
};

constexpr float T(int texels) {
    return texels / 256.0f;
}
constexpr float E(int texels) {
    return texels / 512.0f;
}

// As the layouts give them: texel ranges in 256ths (512ths for "ex.png"), or fractions where a layout
// gives fractions.
const Expected Layout[] = {
    {Piece::FrameTopLeft, T(0), T(256), T(64), T(192)},
    {Piece::FrameTop, T(64), T(256), T(192), T(192)},
    {Piece::FrameTopRight, T(192), T(256), T(256), T(192)},
    {Piece::FrameLeft, T(0), T(192), T(64), T(64)},
    {Piece::FrameRight, T(192), T(192), T(256), T(64)},
    {Piece::FrameBottomLeft, T(0), T(64), T(64), T(0)},
    {Piece::FrameBottom, T(64), T(64), T(192), T(0)},
    {Piece::FrameBottomRight, T(192), T(64), T(256), T(0)},
    {Piece::FrameBottomRightGrip, T(65), T(192), T(129), T(128)},
    {Piece::FrameButtonNoFocus, T(120), T(126), T(136), T(110)},
    {Piece::FrameCloseNormal, T(83), T(91), T(99), T(75)},
    {Piece::FrameCloseHover, T(83), T(109), T(99), T(93)},
    {Piece::FrameClosePressed, T(83), T(126), T(99), T(110)},
    {Piece::FrameMinimiseNormal, T(65), T(91), T(81), T(75)},
    {Piece::FrameMinimisePressed, T(65), T(126), T(81), T(110)},
    {Piece::FrameSizeHover, T(102), T(109), T(118), T(93)},
    {Piece::CheckTicked, T(162), T(107), T(175), T(93)},
    {Piece::CheckUnticked, T(162), T(92), T(175), T(78)},
    {Piece::PushBubble, T(141), T(133), T(177), T(111)},
    {Piece::MessageIcon, T(120), T(107), T(152), T(78)},
    {Piece::ProgressLeftCap, 0.5f, 0.296875f, 0.5078125f, 0.25390625f},
    {Piece::ProgressFill, 0.515625f, 0.296875f, 0.6171875f, 0.25390625f},
    {Piece::ProgressTrack, 0.6328125f, 0.296875f, 0.71875f, 0.25390625f},
    {Piece::ProgressRightCap, 0.73046875f, 0.296875f, 0.73828125f, 0.25390625f},
    {Piece::ButtonLeft, T(114), T(184), T(146), T(136)},
    {Piece::ButtonMiddle, T(144), T(184), T(200), T(136)},
    {Piece::ButtonRight, T(210), T(184), T(242), T(136)},
    {Piece::ButtonHoverMiddle, T(144), T(136), T(200), T(88)},
    {Piece::CheckButtonLeft, T(58), T(228), T(90), T(184)},
    {Piece::CheckButtonMiddle, T(72), T(228), T(104), T(184)},
    {Piece::CheckButtonRight, T(80), T(228), T(112), T(184)},
    {Piece::CheckButtonOnMiddle, T(72), T(182), T(104), T(138)},
    {Piece::CheckButtonJoinLeft, T(2), T(228), T(34), T(184)},
    {Piece::CheckButtonOnJoinRight, T(24), T(182), T(56), T(138)},
    {Piece::EqCheckBody, T(2), T(90), T(54), T(38)},
    {Piece::EqCheckIconPeak, T(116), T(230), T(160), T(186)},
    {Piece::EqCheckIconLowShelf, T(200), T(230), T(244), T(186)},
    {Piece::EqCheckIconHighShelf, T(158), T(230), T(202), T(186)},
    {Piece::PushTrackLeft, T(0), T(256), T(32), T(240)},
    {Piece::PushTrackMiddle, T(32), T(256), T(240), T(240)},
    {Piece::PushTrackRight, T(224), T(256), T(256), T(240)},
    {Piece::PushFill, T(0), T(240), T(256), T(230)},
    {Piece::PushFillAlt, T(42), T(12), T(242), T(2)},
    {Piece::PushThumb, T(58), T(90), T(82), T(62)},
    {Piece::FaderTrackTop, T(242), T(230), T(256), T(198)},
    {Piece::FaderTrackMiddle, T(242), T(198), T(256), T(16)},
    {Piece::FaderTrackBottom, T(242), T(24), T(256), T(0)},
    {Piece::FaderThumb, T(2), T(36), T(42), T(2)},
    {Piece::LampLinkLost, T(98), T(48), T(130), T(16)},
    {Piece::LampLinkPresent, T(60), T(48), T(92), T(16)},
    {Piece::EqResetButton, 0.5234375f, 0.2421875f, 0.71875f, 0.15625f},
    {Piece::TextBoxTopLeft, T(7), T(42), T(14), T(33)},
    {Piece::TextBoxTopRight, T(240), T(42), T(246), T(33)},
    {Piece::TextBoxBottomRight, T(240), T(10), T(246), T(0)},
    {Piece::TextBoxTop, T(14), T(42), T(240), T(33)},
    {Piece::TextBoxLeft, T(7), T(33), T(14), T(10)},
    {Piece::TextBoxCentre, T(14), T(33), T(240), T(10)},
    {Piece::TitleStrip, 0.001953125f, 0.99609375f, 0.470703125f, 0.91015625f},
    {Piece::ConnectBand, 0.001953125f, 0.90625f, 0.6035156f, 0.71875f},
    {Piece::GalleryHeader, E(2), E(366), E(64), E(312)},
    {Piece::ListHeaderFolded, E(19), E(304), E(73), E(264)},
    {Piece::ListHeaderUnfolded, E(19), E(260), E(73), E(220)},
    {Piece::VScrollTrackTop, E(1), E(310), E(8), E(278)},
    {Piece::VScrollTrackMiddle, E(1), E(304), E(8), E(132)},
    {Piece::VScrollTrackBottom, E(1), E(138), E(8), E(106)},
    {Piece::VScrollThumbMiddle, E(9), E(304), E(14), E(132)},
    {Piece::BarLeft, T(4), T(256), T(33), T(0)},
    {Piece::BarMiddle, T(72), T(256), T(180), T(0)},
    {Piece::BarRight, T(180), T(256), T(252), T(0)},
    {Piece::DockLeft, T(14), T(238), T(78), T(181)},
    {Piece::DockMiddle, T(34), T(238), T(200), T(181)},
    {Piece::DockRight, T(175), T(238), T(239), T(181)},
    {Piece::Logo, 0, 1, 1, 0},
    {Piece::EqHandle, 0, 1, 1, 0},
    {Piece::Icon4, 0, 1, 1, 0},
};

// A piece's rectangle in image pixels.
struct Box {
    double x0, y0, x1, y1;
};

Box PixelBox(const SkinPiece& p) {
    const SkinImageInfo& info = SkinImageOf(p.image);
    double x0 = double(p.s0) * info.width / p.unit, x1 = double(p.s1) * info.width / p.unit;
    double y0 = double(p.t0) * info.height / p.unit, y1 = double(p.t1) * info.height / p.unit;
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

bool Overlap(const Box& a, const Box& b, Box* common) {
    *common = {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
    return common->x0 < common->x1 && common->y0 < common->y1;
}

// Pairs of small pictures that the layout makes touch: their shared column must stay transparent.
const std::pair<Piece, Piece> Touching[] = {
    {Piece::EqCheckIconPeak, Piece::EqCheckIconHighShelf},
    {Piece::EqCheckIconHighShelf, Piece::EqCheckIconLowShelf},
    {Piece::EqCheckIconLowShelf, Piece::FaderTrackTop},
    {Piece::EqCheckIconLowShelf, Piece::FaderTrackMiddle},
};

bool IsTouchingPair(Piece a, Piece b) {
    for (auto [x, y] : Touching)
        if ((x == a && y == b) || (x == b && y == a)) return true;
    return false;
}

class SkinTextures : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        UseEmbeddedFontAliases();
        ASSERT_TRUE(GlContext::Ready());
        EmbeddedFile bg = EmbeddedBackgroundPack(), skin = EmbeddedSkinPack();
        SetPacksForTest(bg.data, bg.size, skin.data, skin.size);
        for (int i = 0; i < SkinImageCount; ++i)
            LoadSkinTexture(SkinImageOf(SkinImage(i)).name, &textures[i], GL_LINEAR, GL_LINEAR);
    }
    static uint32_t textures[SkinImageCount];
};
uint32_t SkinTextures::textures[SkinImageCount];

void Quad(Piece piece, const uint32_t* textures, int x, int y, int w, int h) {
    glBindTexture(GL_TEXTURE_2D, textures[int(PieceOf(piece).image)]);
    DrawSkinQuad(Rect(piece), x, y, w, h);
}

// A panel put together from the pieces as the widgets put them together, to see the strips join.
void DrawSamplePanel(const uint32_t* textures, int X, int Y) {
    const int W = 340, H = 220, R = X + W, B = Y + H;
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    Quad(Piece::FrameTopLeft, textures, X - 13, Y - 10, 64, 64);
    Quad(Piece::FrameTop, textures, X + 51, Y - 10, W - 100, 64);
    Quad(Piece::FrameTopRight, textures, R - 49, Y - 10, 64, 64);
    Quad(Piece::FrameLeft, textures, X - 13, Y + 54, 64, H - 100);
    Quad(Piece::FrameRight, textures, R - 49, Y + 54, 64, H - 100);
    Quad(Piece::FrameBottomLeft, textures, X - 13, B - 46, 64, 64);
    Quad(Piece::FrameBottomRightGrip, textures, R - 49, B - 46, 64, 64);
    Quad(Piece::FrameBottom, textures, X + 51, B - 46, W - 100, 64);
    Quad(Piece::FrameCloseNormal, textures, R - 24, Y + 4, 16, 16);
    Quad(Piece::FrameMinimiseHover, textures, R - 44, Y + 4, 16, 16);
    Quad(Piece::FrameSizeNormal, textures, R - 64, Y + 4, 16, 16);
    glDisable(GL_TEXTURE_2D);
    glColor4f(241 / 256.0f, 241 / 256.0f, 241 / 256.0f, 1);
    glBegin(GL_QUADS);
    glVertex2i(X + 51, Y + 54);
    glVertex2i(R - 49, Y + 54);
    glVertex2i(R - 49, B - 46);
    glVertex2i(X + 51, B - 46);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    Quad(Piece::GalleryHeader, textures, X + 1, Y + 22, W - 2, 27);
    Quad(Piece::SysTabHighlight, textures, X + 12, Y + 24, 62, 22);
    auto three = [&](Piece l, Piece m, Piece r, int x, int y, int w, int h) {
        Quad(l, textures, x, y, 16, h);
        Quad(m, textures, x + 16, y, w - 32, h);
        Quad(r, textures, x + w - 16, y, 16, h);
    };
    three(Piece::ButtonLeft, Piece::ButtonMiddle, Piece::ButtonRight, X + 20, Y + 60, 80, 24);
    three(Piece::ButtonHoverLeft, Piece::ButtonHoverMiddle, Piece::ButtonHoverRight, X + 110, Y + 60, 80, 24);
    three(Piece::CheckButtonLeft, Piece::CheckButtonMiddle, Piece::CheckButtonJoinRight, X + 200, Y + 60, 64,
          22);
    three(Piece::CheckButtonOnJoinLeft, Piece::CheckButtonOnMiddle, Piece::CheckButtonOnRight, X + 264,
          Y + 60, 64, 22);
    three(Piece::PushTrackLeft, Piece::PushTrackMiddle, Piece::PushTrackRight, X + 20, Y + 110, 200, 8);
    Quad(Piece::PushFill, textures, X + 22, Y + 112, 197, 5);
    Quad(Piece::PushThumb, textures, X + 120, Y + 106, 12, 14);
    Quad(Piece::PushBubble, textures, X + 126, Y + 122, 36, 22);
    three(Piece::PushTrackLeft, Piece::PushTrackMiddle, Piece::PushTrackRight, X + 20, Y + 160, 200, 8);
    Quad(Piece::PushFillAlt, textures, X + 22, Y + 162, 197, 5);
    Quad(Piece::FaderTrackTop, textures, X + 250, Y + 95, 7, 16);
    Quad(Piece::FaderTrackMiddle, textures, X + 250, Y + 111, 7, 68);
    Quad(Piece::FaderTrackBottom, textures, X + 250, Y + 179, 7, 12);
    Quad(Piece::FaderThumb, textures, X + 246, Y + 130, 20, 17);
    glColor4f(1, 1, 1, 0.6f);
    Quad(Piece::EqCheckBody, textures, X + 290, Y + 100, 26, 26);
    glColor4f(1, 1, 1, 1);
    Quad(Piece::EqCheckIconLowShelf, textures, X + 292, Y + 102, 22, 22);
    // Text box, 120 x 26: border rows 4 high, corners 5 wide.
    int tx = X + 20, ty = Y + 180, tw = 120, th = 26, bh = 4, iw = tw - 10, ih = th - 2 * bh;
    Quad(Piece::TextBoxTopLeft, textures, tx, ty, 5, bh);
    Quad(Piece::TextBoxTop, textures, tx + 5, ty, iw, bh);
    Quad(Piece::TextBoxTopRight, textures, tx + 5 + iw, ty, 5, bh);
    Quad(Piece::TextBoxLeft, textures, tx, ty + bh, 5, ih);
    Quad(Piece::TextBoxCentre, textures, tx + 5, ty + bh, iw, ih);
    Quad(Piece::TextBoxRight, textures, tx + 5 + iw, ty + bh, 5, ih);
    Quad(Piece::TextBoxBottomLeft, textures, tx, ty + bh + ih, 5, bh);
    Quad(Piece::TextBoxBottom, textures, tx + 5, ty + bh + ih, iw, bh);
    Quad(Piece::TextBoxBottomRight, textures, tx + 5 + iw, ty + bh + ih, 5, bh);
    Quad(Piece::ListHeaderFolded, textures, X + 160, Y + 183, 54, 20);
    Quad(Piece::CheckTicked, textures, X + 230, Y + 186, 13, 14);
    Quad(Piece::LampLinkPresent, textures, R - 90, Y + 4, 16, 16);
}

} // namespace

TEST(SkinPieceTable, MatchesTheLayouts) {
    std::set<int> seen;
    for (const Expected& e : Layout) {
        const SkinPiece& p = PieceOf(e.piece);
        SkinRect r = p.Rect();
        SCOPED_TRACE(p.name);
        EXPECT_NEAR(r.s0, e.s0, 1e-6);
        EXPECT_NEAR(r.t0, e.t0, 1e-6);
        EXPECT_NEAR(r.s1, e.s1, 1e-6);
        EXPECT_NEAR(r.t1, e.t1, 1e-6);
        seen.insert(int(e.piece));
    }
    EXPECT_GE(seen.size(), 70u);
    // Rect(Piece) is what the widgets use.
    SkinRect close = Rect(Piece::FrameCloseNormal);
    EXPECT_FLOAT_EQ(close.s0, 83 / 256.0f);
    EXPECT_FLOAT_EQ(close.t1, 75 / 256.0f);
}

TEST(SkinPieceTable, EveryPieceLiesInsideItsImageAndHasAName) {
    std::set<std::string> names;
    for (const SkinPiece& p : SkinPieces) {
        SCOPED_TRACE(p.name);
        Box b = PixelBox(p);
        const SkinImageInfo& info = SkinImageOf(p.image);
        EXPECT_GE(b.x0, 0);
        EXPECT_GE(b.y0, 0);
        EXPECT_LE(b.x1, info.width);
        EXPECT_LE(b.y1, info.height);
        EXPECT_GT(b.x1 - b.x0, 0);
        EXPECT_GT(p.drawWidth, 0);
        EXPECT_GT(p.drawHeight, 0);
        EXPECT_TRUE(names.insert(p.name).second) << "two pieces share a name";
    }
}

TEST(SkinPieceTable, PiecesOfDifferentPicturesDoNotOverlap) {
    for (int i = 0; i < SkinPieceCount; ++i)
        for (int j = i + 1; j < SkinPieceCount; ++j) {
            const SkinPiece& a = SkinPieces[i];
            const SkinPiece& b = SkinPieces[j];
            if (a.image != b.image) continue;
            Box common;
            if (!Overlap(PixelBox(a), PixelBox(b), &common)) continue;
            if (a.strip != StripNone && a.strip == b.strip) continue;
            if (IsTouchingPair(Piece(i), Piece(j))) {
                EXPECT_LE(common.x1 - common.x0, 1.0) << a.name << " / " << b.name;
                continue;
            }
            ADD_FAILURE() << a.name << " overlaps " << b.name;
        }
}

TEST_F(SkinTextures, TouchingPicturesLeaveTheirSharedColumnClear) {
    int w = 0, h = 0;
    std::vector<uint8_t> ui = GlContext::ReadTexture(textures[int(SkinImage::Ui)], 0, &w, &h);
    ASSERT_EQ(w, 128);
    for (auto [a, b] : Touching) {
        Box common;
        ASSERT_TRUE(Overlap(PixelBox(PieceOf(a)), PixelBox(PieceOf(b)), &common));
        for (int y = int(common.y0); y < int(std::ceil(common.y1)); ++y)
            for (int x = int(common.x0); x < int(std::ceil(common.x1)); ++x)
                EXPECT_EQ(ui[(size_t(y) * w + x) * 4 + 3], 0) << PieceOf(a).name << " at " << x << "," << y;
    }
}

TEST_F(SkinTextures, SkinSheetShowsEveryPiece) {
    TextRenderer font;
    ASSERT_TRUE(font.Create("Tahoma", "宋体", 400, 400, 12, 13, 0, 16));
    const float grey = 0.5f;
    GlContext::BeginFrame(grey);
    int x = 8, y = 8, rowHeight = 0;
    struct Placed {
        int x, y, w, h;
    };
    std::vector<Placed> placed;
    for (const SkinPiece& p : SkinPieces) {
        int w = p.drawWidth, h = p.drawHeight;
        int cellWidth = std::max(w, font.TextWidth("%s", p.name)) + 12;
        if (x + cellWidth > GlContext::Width) {
            x = 8;
            y += rowHeight + 22;
            rowHeight = 0;
        }
        glEnable(GL_TEXTURE_2D);
        glColor4f(1, 1, 1, 1);
        glBindTexture(GL_TEXTURE_2D, textures[int(p.image)]);
        DrawSkinQuad(p.Rect(), x, y + 16, w, h);
        glColor4f(1, 1, 1, 1);
        font.DrawText(x, y, "%s", p.name);
        placed.push_back({x, y + 16, w, h});
        x += cellWidth;
        rowHeight = std::max(rowHeight, h + 16);
    }
    EXPECT_LE(y + rowHeight, GlContext::Height) << "the sheet does not fit the window";
    DrawSamplePanel(textures, 600, 1000);
    // The three fonts, Latin and Chinese (GBK), as the console uses them.
    TextRenderer bold, large;
    ASSERT_TRUE(bold.Create("Tahoma", "宋体", 700, 400, 12, 13, 0, 16));
    ASSERT_TRUE(large.Create("Arial", "宋体", 700, 700, 16, 20, 5, 32));
    const char* chinese = "\xB5\xDA\xD2\xBB\xB4\xCE\xB3\xCC\xD0\xF2\xC6\xF4\xB6\xAF"; // first start
    glColor4f(0, 0, 0, 1);
    font.DrawText(8, 1244, "FontNormal: Device Connecting  Mic EQ 0.0dB  %s", chinese);
    bold.DrawText(8, 1264, "FontBold: Room EQ  System  %s", chinese);
    glColor4f(1, 1, 1, 1);
    large.DrawText(8, 1284, "FontLarge: Music EQ %s", chinese);
    std::vector<uint8_t> screen = GlContext::ReadScreen();
    WritePng(TONVEX_SHEET_PATH, screen, GlContext::Width, GlContext::Height);

    // Every piece shows something: a blank piece sits where its picture is not.
    for (size_t i = 0; i < placed.size(); ++i) {
        const Placed& q = placed[i];
        int differing = 0;
        for (int py = q.y; py < q.y + q.h && py < GlContext::Height; ++py)
            for (int px = q.x; px < q.x + q.w && px < GlContext::Width; ++px) {
                const uint8_t* c = &screen[(size_t(py) * GlContext::Width + px) * 4];
                if (std::abs(c[0] - 128) > 12 || std::abs(c[1] - 128) > 12 || std::abs(c[2] - 128) > 12)
                    ++differing;
            }
        EXPECT_GT(differing, q.w * q.h / 20) << SkinPieces[i].name << " is (nearly) blank";
    }
}

TEST_F(SkinTextures, SceneShowsTheConsoleAsItIsPutTogether) {
    // The console at 960 x 600 as the frame cycle, tab bar and icon menu draw it: background, title
    // strip, tab bar with its lamp, a panel, the dock and its icons; written to skin-scene.png.
    LoadBackground("blue.bmp");
    ASSERT_NE(BackgroundTextures[0], 0u);
    const int W = 960, H = 600;
    GlContext::BeginFrame(0.0f);
    glColor4f(1, 1, 1, 1);
    const SkinRect whole{0, 1, 1, 0};
    glBindTexture(GL_TEXTURE_2D, BackgroundTextures[1]);
    DrawSkinQuad(whole, 0, 0, W, H / 5);
    glBindTexture(GL_TEXTURE_2D, BackgroundTextures[0]);
    DrawSkinQuad(whole, 0, H / 5, W, H - H / 5);
    Quad(Piece::TitleStrip, textures, 8, 30, 240, 22);
    Quad(Piece::BarLeft, textures, 0, 0, W - 560, 64);
    Quad(Piece::BarMiddle, textures, W - 560, 0, 54, 64);
    Quad(Piece::BarRight, textures, W - 506, 0, 506, 64);
    Quad(Piece::LampLinkPresent, textures, W - 24, 3, 16, 16);
    for (int i = 0; i < 3; ++i) {
        int x = W + 168 * i - 476, y = 32;
        Quad(Piece::PushTrackLeft, textures, x, y, 16, 8);
        Quad(Piece::PushTrackMiddle, textures, x + 16, y, 124 - 32, 8);
        Quad(Piece::PushTrackRight, textures, x + 124 - 16, y, 16, 8);
        glColor4f(1, 1, 1, 0.75f);
        Quad(Piece::PushFillAlt, textures, x + 2, y + 2, 121, 5);
        glColor4f(1, 1, 1, 1);
        Quad(Piece::PushThumb, textures, x + 40 + 20 * i, y - 4, 12, 14);
    }
    DrawSamplePanel(textures, 300, 170);
    const float s = 42, m = 1.8f * s;
    float x0 = (W - 7 * s) / 2;
    float X0 = x0 - 0.4f * s, w = 7 * s + 0.8f * s, h = 1.36f * s, T = H - h;
    glColor4f(1, 1, 1, 0.1f);
    glBindTexture(GL_TEXTURE_2D, textures[int(SkinImage::Bar)]);
    SkinRect left = Rect(Piece::DockLeft), middle = Rect(Piece::DockMiddle), right = Rect(Piece::DockRight);
    left.t1 = middle.t1 = right.t1 = 1 - (h + 18) / 256;
    DrawSkinQuadF(left, X0 - 18, T - 18, 64, h + 18);
    DrawSkinQuadF(middle, X0 + 46, T - 18, w + 36 - 128, h + 18);
    DrawSkinQuadF(right, X0 + 46 + w + 36 - 128, T - 18, 64, h + 18);
    for (int i = 0; i < 7; ++i) {
        float size = i == 3 ? m : s, x = x0 + i * s - (i > 3 ? 0 : 0) + (i == 3 ? -(m - s) / 2 : 0);
        glColor4f(1, 1, 1, i == 3 ? 1.0f : 0.5f);
        glBindTexture(GL_TEXTURE_2D, textures[int(SkinImage::Icon1) + i]);
        DrawSkinQuadF(Rect(Piece::Icon1), x, H - 1.1f * size, size, size);
    }
    std::vector<uint8_t> screen = GlContext::ReadScreen();
    std::vector<uint8_t> cut(size_t(W) * H * 4);
    for (int y = 0; y < H; ++y)
        std::copy_n(&screen[size_t(y) * GlContext::Width * 4], W * 4, &cut[size_t(y) * W * 4]);
    WritePng(TONVEX_SCENE_PATH, cut, W, H);
    // The title strip's text is light on the dark strip: its middle row has both.
    int light = 0;
    for (int x = 20; x < 200; ++x)
        if (cut[(size_t(41) * W + x) * 4] > 200) ++light;
    EXPECT_GT(light, 10);
}
