// SPDX-License-Identifier: GPL-3.0-or-later
// Every piece of every skin image: where it lies in its image (texel ranges, as the widgets address
// them) and how large it is drawn. The art tool paints the pictures from this table and the widgets cut
// them with it, so the two can never disagree.
//
// Texel ranges are in units of 1/256 (or 1/512 where `unit` says so) of the texture, whatever the
// image's real size: "ui.png" is 128 x 128, so its texel 114 is pixel 57. (s0, t0) lands on the quad's
// top-left corner and (s1, t1) on its bottom-right one. Skins are uploaded top row first, so a piece
// whose t runs from a larger to a smaller value is stored upside down: its top is at the larger row.
//
// Pieces with the same non-zero `strip` are cut from one continuous picture and may share texels (a
// button's caps and its stretched middle); pieces of different strips never overlap, except where an
// image leaves a transparent column between two small pictures that the layout makes touch.
#pragma once

#include "gui/GUIWnd.h"

#include <cstdint>

enum class SkinImage : uint8_t {
    Wf,   // "wf.png"   256 x 256: panel frame, tick boxes, bubbles, message icon, progress bar
    Wb,   // "wb.png"   128 x 64:  tab bar background
    Ui,   // "ui.png"   128 x 128: buttons, check buttons, push bars, faders, lamps, graph reset button
    Eq,   // "eq.png"   32 x 32:   EQ graph handle
    Dx,   // "dx.tga"   256 x 256: text box
    Ex,   // "ex.png"   512 x 256: list box, content scroller, strips and bands
    Logo, // "logo.png" 256 x 256
    Bar,  // "bar.png"  256 x 256: icon dock plate
    Icon1,
    Icon2,
    Icon3,
    Icon4,
    Icon5,
    Icon6,
    Icon7, // "icon1.png" .. "icon7.png", 128 x 128
};
constexpr int SkinImageCount = 15;

// The pack name, pixel size and component count of each skin image, in load order.
struct SkinImageInfo {
    const char* name;
    int width;
    int height;
    int components;
};
const SkinImageInfo& SkinImageOf(SkinImage image);

// How a piece is drawn: at a fixed size, or stretched along one or both axes (then drawWidth and
// drawHeight are a typical size, the one the skin sheet uses).
enum SkinStretch : uint8_t { StretchNone = 0, StretchX = 1, StretchY = 2, StretchXY = 3 };

struct SkinPiece {
    const char* name;
    SkinImage image;
    int16_t s0, t0, s1, t1; // texels, in units of 1/unit of the texture
    int16_t unit;           // 256 or 512
    int16_t drawWidth, drawHeight;
    uint8_t stretch;
    uint8_t strip; // 0: a picture of its own
    constexpr SkinRect Rect() const { return SkinTexels(s0, t0, s1, t1, unit); }
};

// Continuous pictures cut into several pieces.
enum SkinStrip : uint8_t {
    StripNone = 0,
    StripFrame,
    StripButtonNormal,
    StripButtonHover,
    StripCheckNormal,
    StripCheckOn,
    StripCheckJoinNormal,
    StripCheckJoinOn,
    StripPushTrack,
    StripFaderTrack,
    StripVScrollTrack,
    StripVScrollThumb,
    StripTextBox,
    StripBar,
    StripDock,
    StripHeaderBand,
    StripProgress,
};

enum class Piece : uint16_t {
    // "wf.png": the panel frame: eight pieces round a flat client area.
    FrameTopLeft,
    FrameTop,
    FrameTopRight,
    FrameLeft,
    FrameRight,
    FrameBottomLeft,
    FrameBottom,
    FrameBottomRight,
    FrameBottomRightGrip,
    FrameButtonNoFocus,
    FrameCloseNormal,
    FrameCloseHover,
    FrameClosePressed,
    FrameMinimiseNormal,
    FrameMinimiseHover,
    FrameMinimisePressed,
    FrameSizeNormal,
    FrameSizeHover,
    FrameSizePressed,
    // "wf.png": tick box, push-bar value bubble, message icon, progress bar of the connecting panel.
    CheckTicked,
    CheckUnticked,
    PushBubble,
    MessageIcon,
    ProgressLeftCap,
    ProgressFill,
    ProgressTrack,
    ProgressRightCap,
    // "ui.png": push buttons (GBaseBtn).
    ButtonLeft,
    ButtonMiddle,
    ButtonRight,
    ButtonHoverLeft,
    ButtonHoverMiddle,
    ButtonHoverRight,
    // "ui.png": check buttons (GBCheck), normal/hover and pressed/on, and the square caps of joined pairs.
    CheckButtonLeft,
    CheckButtonMiddle,
    CheckButtonRight,
    CheckButtonOnLeft,
    CheckButtonOnMiddle,
    CheckButtonOnRight,
    CheckButtonJoinLeft,
    CheckButtonJoinRight,
    CheckButtonOnJoinLeft,
    CheckButtonOnJoinRight,
    // "ui.png": EQ band-type button (GEQCheck) and its three icons (Peak, LowShelf, HighShelf).
    EqCheckBody,
    EqCheckIconPeak,
    EqCheckIconLowShelf,
    EqCheckIconHighShelf,
    // "ui.png": push bar (GPushBar).
    PushTrackLeft,
    PushTrackMiddle,
    PushTrackRight,
    PushFill,
    PushFillAlt,
    PushThumb,
    // "ui.png": fader (GScrollBar).
    FaderTrackTop,
    FaderTrackMiddle,
    FaderTrackBottom,
    FaderThumb,
    // "ui.png": the tab bar's link lamp and the EQ graph's reset button.
    LampLinkLost,
    LampLinkPresent,
    EqResetButton,
    // "dx.tga": text box (GTextBox), nine pieces.
    TextBoxTopLeft,
    TextBoxTop,
    TextBoxTopRight,
    TextBoxLeft,
    TextBoxCentre,
    TextBoxRight,
    TextBoxBottomLeft,
    TextBoxBottom,
    TextBoxBottomRight,
    // "ex.png" (512ths): strips and bands, list box header, content scroller.
    TitleStrip,
    ConnectBand,
    GalleryHeader,
    SysBand,
    SysTabHighlight,
    ListHeaderFolded,
    ListHeaderUnfolded,
    VScrollTrackTop,
    VScrollTrackMiddle,
    VScrollTrackBottom,
    VScrollThumbTop,
    VScrollThumbMiddle,
    VScrollThumbBottom,
    // "wb.png": tab bar background.
    BarLeft,
    BarMiddle,
    BarRight,
    // "bar.png": icon dock plate. Its bottom t depends on the dock height h: 238 - h (here h = 57).
    DockLeft,
    DockMiddle,
    DockRight,
    // Whole pictures.
    Logo,
    EqHandle,
    Icon1,
    Icon2,
    Icon3,
    Icon4,
    Icon5,
    Icon6,
    Icon7,
    Count
};
constexpr int SkinPieceCount = static_cast<int>(Piece::Count);

namespace skin_detail {
using enum SkinImage;
constexpr uint8_t N = StretchNone, X = StretchX, Y = StretchY, XY = StretchXY;
constexpr SkinPiece P(const char* name, SkinImage image, int s0, int t0, int s1, int t1, int w, int h,
                      uint8_t stretch = N, uint8_t strip = StripNone, int unit = 256) {
    return SkinPiece{name,          image,      int16_t(s0), int16_t(t0), int16_t(s1), int16_t(t1),
                     int16_t(unit), int16_t(w), int16_t(h),  stretch,     strip};
}
constexpr SkinPiece E(const char* name, SkinImage image, int s0, int t0, int s1, int t1, int w, int h,
                      uint8_t stretch = N, uint8_t strip = StripNone) {
    return P(name, image, s0, t0, s1, t1, w, h, stretch, strip, 512);
}

inline constexpr SkinPiece Table[SkinPieceCount] = {
    // clang-format off
    P("FrameTopLeft",          Wf,   0, 256,  64, 192,  64,  64, N,  StripFrame),
    P("FrameTop",              Wf,  64, 256, 192, 192, 220,  64, X,  StripFrame),
    P("FrameTopRight",         Wf, 192, 256, 256, 192,  64,  64, N,  StripFrame),
    P("FrameLeft",             Wf,   0, 192,  64,  64,  64, 100, Y,  StripFrame),
    P("FrameRight",            Wf, 192, 192, 256,  64,  64, 100, Y,  StripFrame),
    P("FrameBottomLeft",       Wf,   0,  64,  64,   0,  64,  64, N,  StripFrame),
    P("FrameBottom",           Wf,  64,  64, 192,   0, 220,  64, X,  StripFrame),
    P("FrameBottomRight",      Wf, 192,  64, 256,   0,  64,  64, N,  StripFrame),
    P("FrameBottomRightGrip",  Wf,  65, 192, 129, 128,  64,  64),
    P("FrameButtonNoFocus",    Wf, 120, 126, 136, 110,  16,  16),
    P("FrameCloseNormal",      Wf,  83,  91,  99,  75,  16,  16),
    P("FrameCloseHover",       Wf,  83, 109,  99,  93,  16,  16),
    P("FrameClosePressed",     Wf,  83, 126,  99, 110,  16,  16),
    P("FrameMinimiseNormal",   Wf,  65,  91,  81,  75,  16,  16),
    P("FrameMinimiseHover",    Wf,  65, 109,  81,  93,  16,  16),
    P("FrameMinimisePressed",  Wf,  65, 126,  81, 110,  16,  16),
    P("FrameSizeNormal",       Wf, 102,  91, 118,  75,  16,  16),
    P("FrameSizeHover",        Wf, 102, 109, 118,  93,  16,  16),
    P("FrameSizePressed",      Wf, 102, 126, 118, 110,  16,  16),

    P("CheckTicked",           Wf, 162, 107, 175,  93,  13,  14),
    P("CheckUnticked",         Wf, 162,  92, 175,  78,  13,  14),
    P("PushBubble",            Wf, 141, 133, 177, 111,  36,  22),
    P("MessageIcon",           Wf, 120, 107, 152,  78,  31,  29),
    P("ProgressLeftCap",       Wf, 128,  76, 130,  65,   2,  11, N,  StripProgress),
    P("ProgressFill",          Wf, 132,  76, 158,  65, 130,  11, X,  StripProgress),
    P("ProgressTrack",         Wf, 162,  76, 184,  65, 260,  11, X,  StripProgress),
    P("ProgressRightCap",      Wf, 187,  76, 189,  65,   2,  11, N,  StripProgress),

    P("ButtonLeft",            Ui, 114, 184, 146, 136,  16,  24, Y,  StripButtonNormal),
    P("ButtonMiddle",          Ui, 144, 184, 200, 136,  32,  24, XY, StripButtonNormal),
    P("ButtonRight",           Ui, 210, 184, 242, 136,  16,  24, Y,  StripButtonNormal),
    P("ButtonHoverLeft",       Ui, 114, 136, 146,  88,  16,  24, Y,  StripButtonHover),
    P("ButtonHoverMiddle",     Ui, 144, 136, 200,  88,  32,  24, XY, StripButtonHover),
    P("ButtonHoverRight",      Ui, 210, 136, 242,  88,  16,  24, Y,  StripButtonHover),

    P("CheckButtonLeft",       Ui,  58, 228,  90, 184,  16,  22, Y,  StripCheckNormal),
    P("CheckButtonMiddle",     Ui,  72, 228, 104, 184,  32,  22, XY, StripCheckNormal),
    P("CheckButtonRight",      Ui,  80, 228, 112, 184,  16,  22, Y,  StripCheckNormal),
    P("CheckButtonOnLeft",     Ui,  58, 182,  90, 138,  16,  22, Y,  StripCheckOn),
    P("CheckButtonOnMiddle",   Ui,  72, 182, 104, 138,  32,  22, XY, StripCheckOn),
    P("CheckButtonOnRight",    Ui,  80, 182, 112, 138,  16,  22, Y,  StripCheckOn),
    P("CheckButtonJoinLeft",   Ui,   2, 228,  34, 184,  16,  22, Y,  StripCheckJoinNormal),
    P("CheckButtonJoinRight",  Ui,  24, 228,  56, 184,  16,  22, Y,  StripCheckJoinNormal),
    P("CheckButtonOnJoinLeft", Ui,   2, 182,  34, 138,  16,  22, Y,  StripCheckJoinOn),
    P("CheckButtonOnJoinRight",Ui,  24, 182,  56, 138,  16,  22, Y,  StripCheckJoinOn),

    P("EqCheckBody",           Ui,   2,  90,  54,  38,  26,  26, XY),
    P("EqCheckIconPeak",       Ui, 116, 230, 160, 186,  22,  22),
    P("EqCheckIconLowShelf",   Ui, 200, 230, 244, 186,  22,  22),
    P("EqCheckIconHighShelf",  Ui, 158, 230, 202, 186,  22,  22),

    P("PushTrackLeft",         Ui,   0, 256,  32, 240,  16,   8, N,  StripPushTrack),
    P("PushTrackMiddle",       Ui,  32, 256, 240, 240,  92,   8, X,  StripPushTrack),
    P("PushTrackRight",        Ui, 224, 256, 256, 240,  16,   8, N,  StripPushTrack),
    P("PushFill",              Ui,   0, 240, 256, 230, 121,   5, X),
    P("PushFillAlt",           Ui,  42,  12, 242,   2, 121,   5, X),
    P("PushThumb",             Ui,  58,  90,  82,  62,  12,  14),

    P("FaderTrackTop",         Ui, 242, 230, 256, 198,   7,  16, N,  StripFaderTrack),
    P("FaderTrackMiddle",      Ui, 242, 198, 256,  16,   7, 120, Y,  StripFaderTrack),
    P("FaderTrackBottom",      Ui, 242,  24, 256,   0,   7,  12, N,  StripFaderTrack),
    P("FaderThumb",            Ui,   2,  36,  42,   2,  20,  17),

    P("LampLinkLost",          Ui,  98,  48, 130,  16,  16,  16),
    P("LampLinkPresent",       Ui,  60,  48,  92,  16,  16,  16),
    P("EqResetButton",         Ui, 134,  62, 184,  40,  25,  11),

    P("TextBoxTopLeft",        Dx,   7,  42,  14,  33,   5,   4, N,  StripTextBox),
    P("TextBoxTop",            Dx,  14,  42, 240,  33, 110,   4, X,  StripTextBox),
    P("TextBoxTopRight",       Dx, 240,  42, 246,  33,   5,   4, N,  StripTextBox),
    P("TextBoxLeft",           Dx,   7,  33,  14,  10,   5,  18, Y,  StripTextBox),
    P("TextBoxCentre",         Dx,  14,  33, 240,  10, 110,  18, XY, StripTextBox),
    P("TextBoxRight",          Dx, 240,  33, 246,  10,   5,  18, Y,  StripTextBox),
    P("TextBoxBottomLeft",     Dx,   7,  10,  14,   0,   5,   4, N,  StripTextBox),
    P("TextBoxBottom",         Dx,  14,  10, 240,   0, 110,   4, X,  StripTextBox),
    P("TextBoxBottomRight",    Dx, 240,  10, 246,   0,   5,   4, N,  StripTextBox),

    E("TitleStrip",            Ex,   1, 510, 241, 466, 240,  22),
    E("ConnectBand",           Ex,   1, 464, 309, 368, 308,  48),
    E("GalleryHeader",         Ex,   2, 366,  64, 312, 298,  27, X,  StripHeaderBand),
    E("SysBand",               Ex,   2, 366,  64, 312, 298,  27, X,  StripHeaderBand),
    E("SysTabHighlight",       Ex,  80, 304, 142, 260,  62,  22),
    E("ListHeaderFolded",      Ex,  19, 304,  73, 264,  54,  20),
    E("ListHeaderUnfolded",    Ex,  19, 260,  73, 220,  54,  20),
    E("VScrollTrackTop",       Ex,   1, 310,   8, 278,   7,  16, N,  StripVScrollTrack),
    E("VScrollTrackMiddle",    Ex,   1, 304,   8, 132,   7, 120, Y,  StripVScrollTrack),
    E("VScrollTrackBottom",    Ex,   1, 138,   8, 106,   7,  16, N,  StripVScrollTrack),
    E("VScrollThumbTop",       Ex,   9, 310,  14, 278,   5,  16, N,  StripVScrollThumb),
    E("VScrollThumbMiddle",    Ex,   9, 304,  14, 132,   5,  48, Y,  StripVScrollThumb),
    E("VScrollThumbBottom",    Ex,   9, 138,  14, 106,   5,  16, N,  StripVScrollThumb),

    P("BarLeft",               Wb,   4, 256,  33,   0, 120,  64, X,  StripBar),
    P("BarMiddle",             Wb,  72, 256, 180,   0,  54,  64, N,  StripBar),
    P("BarRight",              Wb, 180, 256, 252,   0, 506,  64, X,  StripBar),

    P("DockLeft",              Bar, 14, 238,  78, 181,  64,  75, Y,  StripDock),
    P("DockMiddle",            Bar, 34, 238, 200, 181, 240,  75, XY, StripDock),
    P("DockRight",             Bar,175, 238, 239, 181,  64,  75, Y,  StripDock),

    P("Logo",                  Logo,  0, 256, 256, 0, 256, 256),
    P("EqHandle",              Eq,    0, 256, 256, 0,  32,  32),
    P("Icon1",                 Icon1, 0, 256, 256, 0,  64,  64),
    P("Icon2",                 Icon2, 0, 256, 256, 0,  64,  64),
    P("Icon3",                 Icon3, 0, 256, 256, 0,  64,  64),
    P("Icon4",                 Icon4, 0, 256, 256, 0,  64,  64),
    P("Icon5",                 Icon5, 0, 256, 256, 0,  64,  64),
    P("Icon6",                 Icon6, 0, 256, 256, 0,  64,  64),
    P("Icon7",                 Icon7, 0, 256, 256, 0,  64,  64),
    // clang-format on
};
} // namespace skin_detail

// Indexed by Piece.
inline constexpr auto& SkinPieces = skin_detail::Table;

constexpr const SkinPiece& PieceOf(Piece piece) {
    return SkinPieces[static_cast<int>(piece)];
}
// The texture coordinates of a piece, for DrawSkinQuad.
constexpr SkinRect Rect(Piece piece) {
    return PieceOf(piece).Rect();
}

// Pictures that are not skin pieces: a whole texture (the texture's last row, t = 1, at the top of the
// quad), and the picture part of a background's thumbnail or preview (its rows 0 .. 80 of 128, the
// background's 16:10 in a square texture).
constexpr SkinRect WholePicture = SkinTexels(0, 256, 256, 0);
constexpr SkinRect BackgroundThumbnail = SkinTexels(0, 160, 256, 0);
