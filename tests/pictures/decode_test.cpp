// SPDX-License-Identifier: GPL-3.0-or-later
// Picture decoding and scaling: the stored layouts, the forced alpha, signed samples, and pictures that
// must be refused.
#include "app/pictures/Resources.h"
#include "tools/ArtPack.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A small picture whose every pixel tells its own row and column.
std::vector<uint8_t> Numbered(int width, int height, int components) {
    std::vector<uint8_t> pixels(size_t(width) * height * components);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &pixels[(size_t(y) * width + x) * components];
            p[0] = static_cast<uint8_t>(10 * y);
            p[1] = static_cast<uint8_t>(10 * x);
            p[2] = static_cast<uint8_t>(200 + y);
            if (components == 4) p[3] = static_cast<uint8_t>(100 + 10 * x + y);
        }
    return pixels;
}

const uint8_t* StoredPixel(int row, int x, int width, int components) {
    return DecodeBuffer + (size_t(row) * width + x) * components;
}

} // namespace

// RGB pictures are stored bottom row first, RGBA ones top row first with the bottom-left alpha cleared;
// signed samples are shifted by half their range.
TEST(DecodeJp2, StoredLayoutsAndSamples) {
    for (int components : {3, 4}) {
        const int w = 5, h = 4;
        std::vector<uint8_t> picture = Numbered(w, h, components);
        std::vector<uint8_t> jp2 = EncodeJp2(picture.data(), w, h, components, 0);
        int width = 0, height = 0, stored = 0;
        ASSERT_EQ(DecodeJp2(jp2.data(), uint32_t(jp2.size()), &width, &height, &stored), 0);
        EXPECT_EQ(width, w);
        EXPECT_EQ(height, h);
        EXPECT_EQ(stored, components);
        for (int row = 0; row < h; ++row)
            for (int x = 0; x < w; ++x) {
                int pictureRow = components == 3 ? h - 1 - row : row;
                const uint8_t* p = StoredPixel(row, x, w, components);
                EXPECT_EQ(p[0], 10 * pictureRow) << components << " row " << row << " x " << x;
                EXPECT_EQ(p[1], 10 * x);
                int last = components == 3            ? 200 + pictureRow
                           : (row == h - 1 && x == 0) ? 0
                                                      : 100 + 10 * x + row;
                EXPECT_EQ(p[components - 1], last); // blue, or the alpha
            }
    }
    std::vector<uint8_t> picture = Numbered(3, 2, 3);
    std::vector<uint8_t> jp2 = EncodeJp2(picture.data(), 3, 2, 3, 0, true);
    int width = 0, height = 0;
    ASSERT_EQ(DecodeJp2(jp2.data(), uint32_t(jp2.size()), &width, &height, nullptr), 0);
    EXPECT_EQ(StoredPixel(0, 2, 3, 3)[0], 10); // bottom row is picture row 1
    EXPECT_EQ(StoredPixel(0, 2, 3, 3)[2], 201);
    EXPECT_EQ(StoredPixel(1, 1, 3, 3)[1], 10);
}

TEST(DecodeJp2, RefusesWhatDoesNotDecodeOrWouldNotFit) {
    AllocateDecodeBuffer();
    std::fill_n(DecodeBuffer, 64, 0xA5);
    int width = -1, height = -1, components = -1;

    std::vector<uint8_t> garbage(300, 0x5A);
    EXPECT_EQ(DecodeJp2(garbage.data(), uint32_t(garbage.size()), &width, &height, &components), -1);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(components, 0);

    // A real file cut short.
    std::vector<uint8_t> picture = Numbered(16, 16, 3);
    std::vector<uint8_t> jp2 = EncodeJp2(picture.data(), 16, 16, 3, 0);
    EXPECT_EQ(DecodeJp2(jp2.data(), uint32_t(jp2.size() / 2), &width, &height, &components), -1);
    EXPECT_EQ(DecodeJp2(jp2.data(), 12, &width, &height, &components), -1);

    // One row more than the buffer holds at 1024 pixels of RGBA.
    std::vector<uint8_t> big(size_t(1024) * 769 * 4, 77);
    std::vector<uint8_t> bigJp2 = EncodeJp2(big.data(), 1024, 769, 4, 0);
    ASSERT_FALSE(bigJp2.empty());
    EXPECT_EQ(DecodeJp2(bigJp2.data(), uint32_t(bigJp2.size()), &width, &height, &components), -1);
    EXPECT_EQ(height, 0);

    for (int i = 0; i < 64; ++i)
        ASSERT_EQ(DecodeBuffer[i], 0xA5) << "the buffer was written at " << i;
}

TEST(ScaleImage, AveragesWithinTheRatioOfEachSpot) {
    // Left half black, right half white, ratio 8: a destination pixel sees source pixels up to 8.2
    // pixels away, so columns whose spot lies more than that from the edge keep a pure value and the
    // ones between rise steadily.
    const int sw = 1024, sh = 640;
    std::vector<uint8_t> src(size_t(sw) * sh * 3);
    for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw; ++x)
            for (int c = 0; c < 3; ++c)
                src[(size_t(y) * sw + x) * 3 + c] = x < 512 ? 0 : 255;
    std::vector<uint8_t> dst(size_t(128) * 80 * 3);
    ScaleImage(dst.data(), 128, 80, src.data(), sw, sh);
    auto at = [&](int x, int y) { return dst[(size_t(y) * 128 + x) * 3]; };
    for (int y : {0, 40, 79}) {
        EXPECT_EQ(at(0, y), 0);
        EXPECT_EQ(at(62, y), 0);   // spot at 496.5: 15.5 from the edge
        EXPECT_EQ(at(65, y), 255); // spot at 520.5: 8.5 from the edge
        EXPECT_EQ(at(127, y), 255);
        EXPECT_GT(at(64, y), 128); // spot at 512.5, half a pixel into the white
        EXPECT_LT(at(64, y), 255);
        EXPECT_LT(at(63, y), 128);
        EXPECT_LE(at(63, y), at(64, y));
    }
}
