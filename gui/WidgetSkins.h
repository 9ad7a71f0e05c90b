// The skin pieces each widget draws, by the widget's own names.
#pragma once

#include "gui/GUIWnd.h"

inline constexpr SkinRect ButtonNormalSkin[3] = {};
inline constexpr SkinRect ButtonHoverSkin[3] = {};
inline constexpr SkinRect CheckOffSkin[3] = {};
inline constexpr SkinRect CheckOnSkin[3] = {};
inline constexpr SkinRect CheckJoinRightCapOff = {};
inline constexpr SkinRect CheckJoinRightCapOn = {};
inline constexpr SkinRect CheckJoinLeftCapOff = {};
inline constexpr SkinRect CheckJoinLeftCapOn = {};
inline constexpr SkinRect EqCheckBackSkin = {};
inline constexpr SkinRect EqCheckIconSkin[3] = {};
inline constexpr SkinRect TickBoxOnSkin = {};
inline constexpr SkinRect TickBoxOffSkin = {};
inline constexpr SkinRect ListFoldedSkin = {};
inline constexpr SkinRect ListUnfoldedSkin = {};
inline constexpr SkinRect PushBarTrackSkin[3] = {};
inline constexpr SkinRect PushBarFillSkin = {};
inline constexpr SkinRect PushBarAltFillSkin = {};
inline constexpr SkinRect PushBarThumbSkin = {};
inline constexpr SkinRect PushBarBubbleSkin = {};
inline constexpr SkinRect FaderTrackSkin[3] = {};
inline constexpr SkinRect FaderThumbSkin = {};
inline constexpr SkinRect ScrollTrackSkin[3] = {};
inline constexpr SkinRect ScrollThumbSkin[3] = {};
// Top-left, top, top-right, left, centre, right, bottom-left, bottom, bottom-right.
inline constexpr SkinRect TextBoxSkin[9] = {};
// Frame: top-left, top, top-right, left, right, bottom-left, bottom, bottom-right, bottom-right with grip.
inline constexpr SkinRect FrameSkin[9] = {};
// Title buttons [close, minimise, size toggle][normal, hover, pressed], and the look without focus.
inline constexpr SkinRect TitleButtonSkin[3][3] = {};
inline constexpr SkinRect TitleButtonUnfocusedSkin = {};
