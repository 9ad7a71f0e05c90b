// SPDX-License-Identifier: GPL-3.0-or-later
// The piece table's rules: every piece inside its image, pieces of different pictures never sharing
// texels, and the column two touching pictures share left clear in the built-in pack. The pieces are
// seen drawn on the gallery's skin sheets (bench/gui). The raw skins the toolkit's tests draw with are
// the pack's pixels.
#include "tests/support/GlTestWindow.h"
#include "tests/support/RawSkin.h"

#include "app/pictures/Embedded.h"
#include "app/pictures/Resources.h"
#include "app/ui/Projection.h"
#include "app/ui/Textures.h"
#include "gui/SkinPieces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>

namespace {

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
        ASSERT_TRUE(TestGlReady());
        EmbeddedFile bg = EmbeddedBackgroundPack(), skin = EmbeddedSkinPack();
        SetPacksForTest(bg.data, bg.size, skin.data, skin.size);
        for (int i = 0; i < SkinImageCount; ++i)
            LoadSkinTexture(SkinImageOf(SkinImage(i)).name, &textures[i], GL_LINEAR, GL_LINEAR);
    }
    static uint32_t textures[SkinImageCount];
};
uint32_t SkinTextures::textures[SkinImageCount];

} // namespace

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

TEST_F(SkinTextures, TheRawSkinsAreThePacksPixels) {
    for (int i = 0; i < SkinImageCount; ++i) {
        const SkinImageInfo& info = SkinImageOf(SkinImage(i));
        RawSkin raw;
        ASSERT_TRUE(ReadRawSkin(info.name, &raw)) << info.name;
        ASSERT_EQ(raw.components, info.components) << info.name;
        int width = 0, height = 0;
        std::vector<uint8_t> texels = ReadTexture(textures[i], 0, &width, &height);
        ASSERT_EQ(width, raw.width) << info.name;
        ASSERT_EQ(height, raw.height) << info.name;
        size_t differing = 0;
        for (size_t k = 0; k < size_t(width) * height; ++k)
            for (int c = 0; c < raw.components; ++c)
                differing += texels[k * 4 + c] != raw.pixels[k * raw.components + c];
        EXPECT_EQ(differing, 0u) << info.name;
    }
}

// From scale 1.5 on the skins are the pictures drawn at twice the size: each piece where it is at
// scale 1 (the 2x picture, each 2 x 2 block averaged, is the 1x one within a few levels; a piece drawn
// elsewhere would differ by far more).
TEST_F(SkinTextures, AtScaleTwoEachPictureIsDrawnAtTwiceItsTexels) {
    struct Restore {
        ~Restore() { SetDrawScale(1.0f, 0); }
    } restore;
    SetDrawScale(2.0f, 0);
    for (int i = 0; i < SkinImageCount; ++i) {
        const SkinImageInfo& info = SkinImageOf(SkinImage(i));
        uint32_t large = 0;
        LoadSkinTexture(info.name, &large, GL_LINEAR, GL_LINEAR);
        ASSERT_NE(large, 0u) << info.name;
        int w = 0, h = 0, w1 = 0, h1 = 0;
        std::vector<uint8_t> two = ReadTexture(large, 0, &w, &h);
        std::vector<uint8_t> one = ReadTexture(textures[i], 0, &w1, &h1);
        ASSERT_EQ(w, 2 * info.width) << info.name;
        ASSERT_EQ(h, 2 * info.height) << info.name;
        double difference = 0;
        for (int y = 0; y < h1; ++y)
            for (int x = 0; x < w1; ++x)
                for (int c = 0; c < 4; ++c) {
                    auto at = [&](int dx, int dy) {
                        return two[((size_t(2 * y + dy)) * w + 2 * x + dx) * 4 + c];
                    };
                    double average = (at(0, 0) + at(1, 0) + at(0, 1) + at(1, 1)) / 4.0;
                    difference += std::fabs(average - one[(size_t(y) * w1 + x) * 4 + c]);
                }
        difference /= double(w1) * h1 * 4;
        std::printf("[ skins    ] %s at 2x: %.2f levels from the 1x picture on average\n", info.name,
                    difference);
        EXPECT_LT(difference, 6.0) << info.name;
        glDeleteTextures(1, &large);
    }
}

TEST_F(SkinTextures, TouchingPicturesLeaveTheirSharedColumnClear) {
    int w = 0, h = 0;
    std::vector<uint8_t> ui = ReadTexture(textures[int(SkinImage::Ui)], 0, &w, &h);
    ASSERT_EQ(w, 128);
    for (auto [a, b] : Touching) {
        Box common;
        ASSERT_TRUE(Overlap(PixelBox(PieceOf(a)), PixelBox(PieceOf(b)), &common));
        for (int y = int(common.y0); y < int(std::ceil(common.y1)); ++y)
            for (int x = int(common.x0); x < int(std::ceil(common.x1)); ++x)
                EXPECT_EQ(ui[(size_t(y) * w + x) * 4 + 3], 0) << PieceOf(a).name << " at " << x << "," << y;
    }
}
