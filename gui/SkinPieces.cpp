// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/SkinPieces.h"

namespace {

constexpr SkinImageInfo Images[SkinImageCount] = {
    {"wf.png", 256, 256, 4},    {"wb.png", 128, 64, 4},     {"ui.png", 128, 128, 4},
    {"eq.png", 32, 32, 4},      {"dx.tga", 256, 256, 4},    {"ex.png", 512, 256, 4},
    {"logo.png", 256, 256, 4},  {"bar.png", 256, 256, 4},   {"icon1.png", 128, 128, 4},
    {"icon2.png", 128, 128, 4}, {"icon3.png", 128, 128, 4}, {"icon4.png", 128, 128, 4},
    {"icon5.png", 128, 128, 4}, {"icon6.png", 128, 128, 4}, {"icon7.png", 128, 128, 4},
};

// The enum and the table must stay in step; a piece's name is its enumerator's.
constexpr bool NamesInOrder() {
    return SkinPieces[static_cast<int>(Piece::FrameTopLeft)].s1 == 64 &&
           SkinPieces[static_cast<int>(Piece::EqResetButton)].s0 == 134 &&
           SkinPieces[static_cast<int>(Piece::TitleStrip)].unit == 512 &&
           SkinPieces[static_cast<int>(Piece::Icon7)].image == SkinImage::Icon7;
}
static_assert(NamesInOrder(), "the piece table is out of step with enum Piece");

} // namespace

const SkinImageInfo& SkinImageOf(SkinImage image) {
    return Images[static_cast<int>(image)];
}
