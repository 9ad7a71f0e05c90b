// SPDX-License-Identifier: GPL-3.0-or-later
// The skin pieces each widget draws, grouped the way the widgets draw them (three-piece sets, nine-piece
// boxes), all cut from the one piece table.
#pragma once

#include "gui/SkinPieces.h"

inline constexpr SkinRect ButtonNormalSkin[3] = {Rect(Piece::ButtonLeft), Rect(Piece::ButtonMiddle),
                                                 Rect(Piece::ButtonRight)};
inline constexpr SkinRect ButtonHoverSkin[3] = {Rect(Piece::ButtonHoverLeft), Rect(Piece::ButtonHoverMiddle),
                                                Rect(Piece::ButtonHoverRight)};
inline constexpr SkinRect CheckOffSkin[3] = {Rect(Piece::CheckButtonLeft), Rect(Piece::CheckButtonMiddle),
                                             Rect(Piece::CheckButtonRight)};
inline constexpr SkinRect CheckOnSkin[3] = {Rect(Piece::CheckButtonOnLeft), Rect(Piece::CheckButtonOnMiddle),
                                            Rect(Piece::CheckButtonOnRight)};
inline constexpr SkinRect CheckJoinRightCapOff = Rect(Piece::CheckButtonJoinRight);
inline constexpr SkinRect CheckJoinRightCapOn = Rect(Piece::CheckButtonOnJoinRight);
inline constexpr SkinRect CheckJoinLeftCapOff = Rect(Piece::CheckButtonJoinLeft);
inline constexpr SkinRect CheckJoinLeftCapOn = Rect(Piece::CheckButtonOnJoinLeft);
inline constexpr SkinRect EqCheckBackSkin = Rect(Piece::EqCheckBody);
// Indexed by the button's state: 0, 1, 2.
inline constexpr SkinRect EqCheckIconSkin[3] = {
    Rect(Piece::EqCheckIconPeak), Rect(Piece::EqCheckIconLowShelf), Rect(Piece::EqCheckIconHighShelf)};
inline constexpr SkinRect TickBoxOnSkin = Rect(Piece::CheckTicked);
inline constexpr SkinRect TickBoxOffSkin = Rect(Piece::CheckUnticked);
inline constexpr SkinRect ListFoldedSkin = Rect(Piece::ListHeaderFolded);
inline constexpr SkinRect ListUnfoldedSkin = Rect(Piece::ListHeaderUnfolded);
inline constexpr SkinRect PushBarTrackSkin[3] = {Rect(Piece::PushTrackLeft), Rect(Piece::PushTrackMiddle),
                                                 Rect(Piece::PushTrackRight)};
inline constexpr SkinRect PushBarFillSkin = Rect(Piece::PushFill);
inline constexpr SkinRect PushBarAltFillSkin = Rect(Piece::PushFillAlt);
inline constexpr SkinRect PushBarThumbSkin = Rect(Piece::PushThumb);
inline constexpr SkinRect PushBarBubbleSkin = Rect(Piece::PushBubble);
inline constexpr SkinRect FaderTrackSkin[3] = {Rect(Piece::FaderTrackTop), Rect(Piece::FaderTrackMiddle),
                                               Rect(Piece::FaderTrackBottom)};
inline constexpr SkinRect FaderThumbSkin = Rect(Piece::FaderThumb);
inline constexpr SkinRect ScrollTrackSkin[3] = {Rect(Piece::VScrollTrackTop), Rect(Piece::VScrollTrackMiddle),
                                                Rect(Piece::VScrollTrackBottom)};
inline constexpr SkinRect ScrollThumbSkin[3] = {Rect(Piece::VScrollThumbTop), Rect(Piece::VScrollThumbMiddle),
                                                Rect(Piece::VScrollThumbBottom)};
// Top-left, top, top-right, left, centre, right, bottom-left, bottom, bottom-right.
inline constexpr SkinRect TextBoxSkin[9] = {
    Rect(Piece::TextBoxTopLeft),    Rect(Piece::TextBoxTop),    Rect(Piece::TextBoxTopRight),
    Rect(Piece::TextBoxLeft),       Rect(Piece::TextBoxCentre), Rect(Piece::TextBoxRight),
    Rect(Piece::TextBoxBottomLeft), Rect(Piece::TextBoxBottom), Rect(Piece::TextBoxBottomRight)};
// Title buttons [close, minimise, size toggle][normal, hover, pressed].
inline constexpr SkinRect TitleButtonSkin[3][3] = {
    {Rect(Piece::FrameCloseNormal), Rect(Piece::FrameCloseHover), Rect(Piece::FrameClosePressed)},
    {Rect(Piece::FrameMinimiseNormal), Rect(Piece::FrameMinimiseHover), Rect(Piece::FrameMinimisePressed)},
    {Rect(Piece::FrameSizeNormal), Rect(Piece::FrameSizeHover), Rect(Piece::FrameSizePressed)}};
