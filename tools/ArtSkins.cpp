// SPDX-License-Identifier: GPL-3.0-or-later
// The fifteen skin images. Every piece is drawn through its entry of the piece table (BeginPiece /
// BeginRegion), in a space laid out as the piece appears on screen, so the pictures land upright at
// exactly the texels the widgets cut.
//
// In this file, in order: the panel frame ("wf.png"), buttons and controls ("ui.png"), the text box
// ("dx.tga"), strips and bands ("ex.png"), the tab bar ("wb.png") and dock ("bar.png"), the whole
// pictures (handle, logo, the seven icons), then DrawSkinImage and DrawAppIcon.
#include "tools/ArtCanvas.h"

#include <cmath>

namespace {

constexpr Rgb White{1, 1, 1};
constexpr Rgb Black{0, 0, 0};
constexpr Rgb Ink{0.16, 0.18, 0.22};
constexpr Rgb Border{0.52, 0.55, 0.60};
constexpr Rgb Red{0.86, 0.20, 0.18};
constexpr Rgb Green{0.18, 0.72, 0.30};
constexpr Rgb Teal{0.05, 0.62, 0.55};

void Line(cairo_t* cr, double x0, double y0, double x1, double y1, double width, Rgb c, double a = 1) {
    cairo_set_line_width(cr, width);
    SetRgb(cr, c, a);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
}

// ---------------------------------------------------------------- panel frame ("wf.png")

// A panel of w x h with its top-left at (x, y), as drawn on screen: soft shadow, blue top accent,
// light title bar, grey client area, crisp border and highlight.
void PanelPicture(cairo_t* cr, double x, double y, double w, double h) {
    SoftShadow(cr, x + 1, y + 4, w, h, 6, 12, 0.55);
    RoundRect(cr, x, y, w, h, 5);
    SetRgb(cr, PanelGrey);
    cairo_fill(cr);
    // Title bar.
    cairo_save(cr);
    RoundRect(cr, x, y, w, h, 5);
    cairo_clip(cr);
    VerticalGradient(cr, y, y + 22, {0.99, 0.995, 1.0}, {0.885, 0.905, 0.935});
    cairo_rectangle(cr, x, y, w, 22);
    cairo_fill(cr);
    VerticalGradient(cr, y, y + 3, AccentLight, Accent);
    cairo_rectangle(cr, x, y, w, 3);
    cairo_fill(cr);
    cairo_restore(cr);
    Line(cr, x + 1, y + 22.5, x + w - 1, y + 22.5, 1, {0.74, 0.77, 0.82});
    Line(cr, x + 1, y + 23.5, x + w - 1, y + 23.5, 1, White, 0.9);
    // Highlight inside the border, then the border.
    cairo_set_line_width(cr, 1);
    SetRgb(cr, White, 0.85);
    RoundRect(cr, x + 1.5, y + 3.5, w - 3, h - 5, 4);
    cairo_stroke(cr);
    SetRgb(cr, {0.30, 0.33, 0.40}, 0.9);
    RoundRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 5);
    cairo_stroke(cr);
}

// The frame's eight pieces tile the whole image: a panel of 228 x 228 drawn at (13, 10) of a 256 x 256
// screen area fills them; the middle of the image is then free for the small pieces.
void FrameImage(cairo_t* cr) {
    BeginRegion(cr, SkinImage::Wf, 256, 0, 256, 256, 0, 256, 256);
    PanelPicture(cr, 13, 10, 228, 228);
    EndRegion(cr);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(cr, 64, 64, 128, 128);
    cairo_fill(cr);
    cairo_restore(cr);

    // The resizable panel's bottom-right corner: the same corner with a grip.
    BeginPiece(cr, Piece::FrameBottomRightGrip);
    PanelPicture(cr, 13 - 192, 10 - 192, 228, 228);
    for (int i = 0; i < 3; ++i) {
        double d = 4 + 4 * i;
        Line(cr, 49 - d, 45, 48, 46 - d, 1, White, 0.95);
        Line(cr, 49 - d - 1, 45, 48, 46 - d - 1, 1, {0.45, 0.48, 0.55});
    }
    EndRegion(cr);
}

enum class Glyph { Close, Minimise, Size };

void TitleButton(Piece piece, cairo_t* cr, Glyph glyph, int look) {
    BeginPiece(cr, piece);
    Rgb face = look == 0 ? Rgb{0.95, 0.96, 0.98} : glyph == Glyph::Close ? Red : Accent;
    if (look == 2) face = Mix(face, Black, 0.25);
    VerticalGradient(cr, 1, 15, Mix(face, White, look == 0 ? 0.5 : 0.18), face);
    RoundRect(cr, 1, 1, 14, 14, 3);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1);
    SetRgb(cr, look == 0 ? Border : Mix(face, Black, 0.35));
    RoundRect(cr, 0.5, 0.5, 15, 15, 3.5);
    cairo_stroke(cr);
    Rgb ink = look == 0 ? Ink : White;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    switch (glyph) {
    case Glyph::Close:
        Line(cr, 5, 5, 11, 11, 1.8, ink);
        Line(cr, 11, 5, 5, 11, 1.8, ink);
        break;
    case Glyph::Minimise:
        Line(cr, 4.5, 10.5, 11.5, 10.5, 2, ink);
        break;
    case Glyph::Size:
        cairo_set_line_width(cr, 1.5);
        SetRgb(cr, ink);
        cairo_rectangle(cr, 4.5, 4.5, 7, 7);
        cairo_stroke(cr);
        Line(cr, 4.5, 5.5, 11.5, 5.5, 1.5, ink);
        break;
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    EndRegion(cr);
}

void TickBox(cairo_t* cr, Piece piece, bool ticked) {
    BeginPiece(cr, piece);
    if (ticked)
        VerticalGradient(cr, 1, 13, AccentLight, Accent);
    else
        VerticalGradient(cr, 1, 13, {0.90, 0.91, 0.93}, White);
    RoundRect(cr, 0.5, 1.5, 12, 12, 2.5);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1);
    SetRgb(cr, ticked ? AccentDark : Border);
    cairo_stroke(cr);
    if (ticked) {
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, 2);
        SetRgb(cr, White);
        cairo_move_to(cr, 3.3, 7.6);
        cairo_line_to(cr, 5.6, 10);
        cairo_line_to(cr, 9.8, 4.4);
        cairo_stroke(cr);
    }
    EndRegion(cr);
}

void WfImage(cairo_t* cr) {
    FrameImage(cr);
    const Glyph glyphs[3] = {Glyph::Close, Glyph::Minimise, Glyph::Size};
    const Piece pieces[3][3] = {
        {Piece::FrameCloseNormal, Piece::FrameCloseHover, Piece::FrameClosePressed},
        {Piece::FrameMinimiseNormal, Piece::FrameMinimiseHover, Piece::FrameMinimisePressed},
        {Piece::FrameSizeNormal, Piece::FrameSizeHover, Piece::FrameSizePressed}};
    for (int g = 0; g < 3; ++g)
        for (int look = 0; look < 3; ++look)
            TitleButton(pieces[g][look], cr, glyphs[g], look);

    BeginPiece(cr, Piece::FrameButtonNoFocus);
    VerticalGradient(cr, 1, 15, {0.93, 0.93, 0.94}, {0.84, 0.85, 0.87});
    RoundRect(cr, 1, 1, 14, 14, 3);
    cairo_fill_preserve(cr);
    SetRgb(cr, {0.66, 0.68, 0.72});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_arc(cr, 8, 8, 2, 0, 2 * M_PI);
    SetRgb(cr, {0.62, 0.64, 0.68});
    cairo_fill(cr);
    EndRegion(cr);

    TickBox(cr, Piece::CheckTicked, true);
    TickBox(cr, Piece::CheckUnticked, false);

    // Value bubble: a light call-out whose tip points up at the thumb.
    BeginPiece(cr, Piece::PushBubble);
    cairo_new_path(cr);
    RoundRect(cr, 0.5, 3.5, 35, 18, 4);
    cairo_move_to(cr, 1.5, 4);
    cairo_line_to(cr, 1.5, 0.5);
    cairo_line_to(cr, 7, 4);
    cairo_close_path(cr);
    VerticalGradient(cr, 0, 22, White, {0.90, 0.93, 0.98});
    cairo_fill_preserve(cr);
    SetRgb(cr, Accent, 0.9);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    EndRegion(cr);

    BeginPiece(cr, Piece::MessageIcon);
    cairo_arc(cr, 15.5, 14.5, 13, 0, 2 * M_PI);
    VerticalGradient(cr, 1, 28, AccentLight, AccentDark);
    cairo_fill_preserve(cr);
    SetRgb(cr, AccentDark);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_arc(cr, 15.5, 8.5, 2.2, 0, 2 * M_PI);
    SetRgb(cr, White);
    cairo_fill(cr);
    RoundRect(cr, 13.6, 12.5, 3.8, 10.5, 1.5);
    cairo_fill(cr);
    EndRegion(cr);

    // Progress bar: 11 rows, border rows 0 and 10 shared by the track and the fill.
    auto bar = [&](Piece piece, bool fill) {
        BeginPiece(cr, piece);
        double w = NaturalWidth(PieceOf(piece));
        if (fill)
            VerticalGradient(cr, 1, 10, AccentLight, Accent);
        else
            VerticalGradient(cr, 1, 10, {0.82, 0.84, 0.87}, {0.97, 0.97, 0.98});
        cairo_rectangle(cr, 0, 1, w, 9);
        cairo_fill(cr);
        SetRgb(cr, fill ? AccentDark : Border);
        cairo_rectangle(cr, 0, 0, w, 1);
        cairo_rectangle(cr, 0, 10, w, 1);
        cairo_fill(cr);
        EndRegion(cr);
    };
    bar(Piece::ProgressFill, true);
    bar(Piece::ProgressTrack, false);
    for (Piece cap : {Piece::ProgressLeftCap, Piece::ProgressRightCap}) {
        BeginPiece(cr, cap);
        bool left = cap == Piece::ProgressLeftCap;
        SetRgb(cr, Border);
        cairo_rectangle(cr, left ? 0 : 1, 1, 1, 9);
        cairo_fill(cr);
        SetRgb(cr, Border, 0.5);
        cairo_rectangle(cr, left ? 1 : 0, 0, 1, 1);
        cairo_rectangle(cr, left ? 1 : 0, 10, 1, 1);
        cairo_fill(cr);
        SetRgb(cr, {0.90, 0.91, 0.93});
        cairo_rectangle(cr, left ? 1 : 0, 1, 1, 9);
        cairo_fill(cr);
        EndRegion(cr);
    }
}

// ---------------------------------------------------------------- buttons and controls ("ui.png")

// A button body of w x h as on screen. `look`: 0 light, 1 blue accent. Rounded ends can be turned off
// for the joined pairs, which show a separator on their left instead.
void ButtonBody(cairo_t* cr, double w, double h, int look, double radius, bool roundLeft, bool roundRight,
                bool separatorLeft) {
    double left = roundLeft ? 0.5 : -radius - 2;
    double right = roundRight ? w - 0.5 : w + radius + 2;
    Rgb top = look == 0 ? Rgb{1.0, 1.0, 1.0} : AccentLight;
    Rgb bottom = look == 0 ? Rgb{0.86, 0.88, 0.91} : Accent;
    RoundRect(cr, left, 0.5, right - left, h - 1, radius);
    VerticalGradient(cr, 0, h, top, bottom);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1);
    SetRgb(cr, look == 0 ? Rgb{0.55, 0.58, 0.64} : AccentDark);
    cairo_stroke(cr);
    // Crisp highlight along the top.
    Line(cr, roundLeft ? radius : 0, 1.5, roundRight ? w - radius : w, 1.5, 1, White, look == 0 ? 1.0 : 0.45);
    if (separatorLeft) {
        SetRgb(cr, look == 0 ? Rgb{0.55, 0.58, 0.64} : AccentDark);
        cairo_rectangle(cr, 0, 0.5, 1, h - 1);
        cairo_fill(cr);
    }
}

void UiButtons(cairo_t* cr) {
    // GBaseBtn: one 64 x 24 button (texels 114..242) cut into caps and a stretched middle, light and blue.
    BeginRegion(cr, SkinImage::Ui, 256, 114, 184, 242, 136, 64, 24);
    ButtonBody(cr, 64, 24, 0, 4, true, true, false);
    EndRegion(cr);
    BeginRegion(cr, SkinImage::Ui, 256, 114, 136, 242, 88, 64, 24);
    ButtonBody(cr, 64, 24, 1, 4, true, true, false);
    EndRegion(cr);
    // GBCheck: texels 58..112 (27 x 22), and the square-ended caps of joined pairs at texels 2..56.
    for (int look = 0; look < 2; ++look) {
        double t0 = look == 0 ? 228 : 182, t1 = look == 0 ? 184 : 138;
        BeginRegion(cr, SkinImage::Ui, 256, 58, t0, 112, t1, 27, 22);
        ButtonBody(cr, 27, 22, look, 4, true, true, false);
        EndRegion(cr);
        BeginRegion(cr, SkinImage::Ui, 256, 2, t0, 56, t1, 27, 22);
        ButtonBody(cr, 27, 22, look, 4, false, false, true);
        EndRegion(cr);
    }

    // GEQCheck body: a light rounded square, drawn fainter than its icon.
    BeginPiece(cr, Piece::EqCheckBody);
    ButtonBody(cr, 26, 26, 0, 5, true, true, false);
    EndRegion(cr);

    // The three band-type icons, 22 x 22, each leaving its outer column clear (the layout makes them touch).
    auto curve = [&](Piece piece, auto f) {
        BeginPiece(cr, piece);
        SetRgb(cr, {0.70, 0.74, 0.80});
        cairo_set_line_width(cr, 1);
        cairo_move_to(cr, 3, 14.5);
        cairo_line_to(cr, 19, 14.5);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 2.2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        SetRgb(cr, Accent);
        for (int i = 0; i <= 32; ++i) {
            double u = i / 32.0;
            double x = 3 + 16 * u, y = 14.5 - 9 * f(u);
            if (i == 0)
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
        }
        cairo_stroke(cr);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
        EndRegion(cr);
    };
    curve(Piece::EqCheckIconPeak, [](double u) { return std::exp(-std::pow((u - 0.5) / 0.16, 2)); });
    curve(Piece::EqCheckIconLowShelf, [](double u) { return 1.0 / (1.0 + std::exp((u - 0.45) * 14)); });
    curve(Piece::EqCheckIconHighShelf, [](double u) { return 1.0 / (1.0 + std::exp(-(u - 0.55) * 14)); });

    // Push bar track: one 128 x 8 groove (texels 0..256), caps and a stretched middle.
    BeginRegion(cr, SkinImage::Ui, 256, 0, 256, 256, 240, 128, 8);
    RoundRect(cr, 0.5, 0.5, 127, 7, 3.5);
    VerticalGradient(cr, 0, 8, {0.62, 0.65, 0.70}, {0.93, 0.94, 0.96});
    cairo_fill_preserve(cr);
    SetRgb(cr, {0.42, 0.45, 0.52});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    EndRegion(cr);
    // Fills: horizontal gradients, always stretched over the whole track.
    auto fill = [&](Piece piece, Rgb from, Rgb to) {
        BeginPiece(cr, piece);
        double w = NaturalWidth(PieceOf(piece));
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, w, 0);
        cairo_pattern_add_color_stop_rgb(g, 0, from.r, from.g, from.b);
        cairo_pattern_add_color_stop_rgb(g, 1, to.r, to.g, to.b);
        cairo_set_source(cr, g);
        cairo_rectangle(cr, 0, 0, w, 5);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        SetRgb(cr, White, 0.35);
        cairo_rectangle(cr, 0, 0, w, 1);
        cairo_fill(cr);
        EndRegion(cr);
    };
    fill(Piece::PushFill, AccentLight, Accent);
    fill(Piece::PushFillAlt, {0.35, 0.85, 0.70}, Teal);

    BeginPiece(cr, Piece::PushThumb);
    RoundRect(cr, 0.5, 0.5, 11, 13, 3);
    VerticalGradient(cr, 0, 14, White, {0.84, 0.87, 0.92});
    cairo_fill_preserve(cr);
    SetRgb(cr, AccentDark);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    Line(cr, 6, 4, 6, 10, 2, Accent);
    EndRegion(cr);

    // Fader track: texels 242..256, rows 230 down to 0; the left column stays clear.
    BeginRegion(cr, SkinImage::Ui, 256, 242, 230, 256, 0, 7, 115);
    RoundRect(cr, 1.5, 0.5, 5, 114, 2.5);
    cairo_pattern_t* g = cairo_pattern_create_linear(1, 0, 7, 0);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.50, 0.53, 0.60);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.90, 0.92, 0.95);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetRgb(cr, {0.38, 0.41, 0.48});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    EndRegion(cr);

    BeginPiece(cr, Piece::FaderThumb);
    RoundRect(cr, 0.5, 1.5, 19, 14, 3);
    VerticalGradient(cr, 1, 16, {0.98, 0.98, 0.99}, {0.74, 0.77, 0.82});
    cairo_fill_preserve(cr);
    SetRgb(cr, {0.32, 0.35, 0.42});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    Line(cr, 2, 8.5, 18, 8.5, 2, Accent);
    Line(cr, 3, 4.5, 17, 4.5, 1, {0.55, 0.58, 0.64}, 0.7);
    Line(cr, 3, 12.5, 17, 12.5, 1, {0.55, 0.58, 0.64}, 0.7);
    EndRegion(cr);

    auto lamp = [&](Piece piece, Rgb c) {
        BeginPiece(cr, piece);
        cairo_pattern_t* glow = cairo_pattern_create_radial(8, 8, 0, 8, 8, 8);
        cairo_pattern_add_color_stop_rgba(glow, 0, c.r, c.g, c.b, 0.55);
        cairo_pattern_add_color_stop_rgba(glow, 1, c.r, c.g, c.b, 0);
        cairo_set_source(cr, glow);
        cairo_paint(cr);
        cairo_pattern_destroy(glow);
        cairo_arc(cr, 8, 8, 5, 0, 2 * M_PI);
        cairo_pattern_t* ball = cairo_pattern_create_radial(6.5, 6.5, 0.5, 8, 8, 5);
        Rgb light = Mix(c, White, 0.7);
        cairo_pattern_add_color_stop_rgb(ball, 0, light.r, light.g, light.b);
        cairo_pattern_add_color_stop_rgb(ball, 1, c.r, c.g, c.b);
        cairo_set_source(cr, ball);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(ball);
        SetRgb(cr, Mix(c, Black, 0.45));
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        EndRegion(cr);
    };
    lamp(Piece::LampLinkLost, Red);
    lamp(Piece::LampLinkPresent, Green);

    // The graph's reset button: a small pill with a circular arrow.
    BeginPiece(cr, Piece::EqResetButton);
    RoundRect(cr, 0.5, 0.5, 24, 10, 5);
    VerticalGradient(cr, 0, 11, White, {0.84, 0.87, 0.92});
    cairo_fill_preserve(cr);
    SetRgb(cr, Accent);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.4);
    cairo_arc(cr, 12.5, 5.5, 3, -0.2 * M_PI, 1.45 * M_PI);
    cairo_stroke(cr);
    cairo_move_to(cr, 14.2, 1.2);
    cairo_line_to(cr, 16.8, 3.6);
    cairo_line_to(cr, 13.6, 4.6);
    cairo_close_path(cr);
    cairo_fill(cr);
    EndRegion(cr);
}

// ---------------------------------------------------------------- text box ("dx.tga")

void DxImage(cairo_t* cr) {
    // One 239 x 42 box (texels 7..246, rows 42 down to 0), drawn small: corners become 5 pixels wide and
    // the border rows 4 pixels high, so the lines are two texels thick.
    BeginRegion(cr, SkinImage::Dx, 256, 7, 42, 246, 0, 239, 42);
    RoundRect(cr, 1, 1, 237, 40, 5);
    SetRgb(cr, White);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 2);
    SetRgb(cr, {0.52, 0.56, 0.62});
    cairo_stroke(cr);
    VerticalGradient(cr, 2, 9, {0.80, 0.83, 0.88}, White);
    cairo_rectangle(cr, 3, 2, 233, 7);
    cairo_fill(cr);
    EndRegion(cr);
}

// ---------------------------------------------------------------- strips and bands ("ex.png")

void ExImage(cairo_t* cr) {
    // Title strip drawn on the background under the tab bar.
    BeginPiece(cr, Piece::TitleStrip);
    RoundRect(cr, 0.5, 0.5, 239, 21, 6);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 240, 0);
    cairo_pattern_add_color_stop_rgba(g, 0, 0.0, 0.20, 0.55, 0.78);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.0, 0.20, 0.55, 0.0);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    SetRgb(cr, AccentLight);
    cairo_rectangle(cr, 6, 5, 3, 12);
    cairo_fill(cr);
    Text(cr, "TONVEX", 15, 16, 13, true, White);
    Text(cr, "PX2950 sound console", 83, 16, 10, false, {0.85, 0.91, 1.0});
    EndRegion(cr);

    // Connecting panel's picture band: a cable running into the processor.
    BeginPiece(cr, Piece::ConnectBand);
    VerticalGradient(cr, 0, 48, {0.90, 0.94, 1.0}, {0.78, 0.86, 0.98});
    cairo_rectangle(cr, 0, 0, 308, 48);
    cairo_fill(cr);
    for (int i = 0; i < 6; ++i) {
        cairo_set_line_width(cr, 1);
        SetRgb(cr, Accent, 0.08 + 0.03 * i);
        cairo_arc(cr, 240, 24, 18 + 12 * i, M_PI * 0.62, M_PI * 1.38);
        cairo_stroke(cr);
    }
    RoundRect(cr, 200, 10, 92, 28, 4);
    VerticalGradient(cr, 10, 38, {0.30, 0.33, 0.38}, {0.12, 0.14, 0.18});
    cairo_fill(cr);
    Text(cr, "PX2950", 210, 29, 12, true, White);
    cairo_arc(cr, 281, 24, 3, 0, 2 * M_PI);
    SetRgb(cr, Green);
    cairo_fill(cr);
    SetRgb(cr, Accent);
    cairo_set_line_width(cr, 3);
    cairo_move_to(cr, 10, 34);
    cairo_curve_to(cr, 70, 34, 90, 14, 150, 24);
    cairo_line_to(cr, 178, 24);
    cairo_stroke(cr);
    RoundRect(cr, 176, 17, 24, 14, 3);
    VerticalGradient(cr, 17, 31, {0.70, 0.73, 0.78}, {0.45, 0.48, 0.54});
    cairo_fill(cr);
    Line(cr, 0, 47.5, 308, 47.5, 1, {0.60, 0.68, 0.80});
    EndRegion(cr);

    // Header band of the gallery and the system panel: stretched sideways, so only vertical shading.
    BeginPiece(cr, Piece::GalleryHeader);
    VerticalGradient(cr, 0, 27, {0.97, 0.98, 1.0}, {0.86, 0.90, 0.96});
    cairo_rectangle(cr, 0, 0, 62, 27);
    cairo_fill(cr);
    Line(cr, 0, 26.5, 62, 26.5, 1, {0.66, 0.72, 0.82});
    Line(cr, 0, 0.5, 62, 0.5, 1, White);
    EndRegion(cr);

    BeginPiece(cr, Piece::SysTabHighlight);
    RoundRect(cr, 0.5, 0.5, 61, 23, 4);
    VerticalGradient(cr, 0, 22, AccentLight, Accent);
    cairo_fill_preserve(cr);
    SetRgb(cr, AccentDark);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    Line(cr, 4, 1.5, 58, 1.5, 1, White, 0.45);
    EndRegion(cr);

    // List box header: a drop-down field with an arrow button, folded and unfolded.
    for (int unfolded = 0; unfolded < 2; ++unfolded) {
        BeginPiece(cr, unfolded ? Piece::ListHeaderUnfolded : Piece::ListHeaderFolded);
        RoundRect(cr, 0.5, 0.5, 53, 19, 3);
        SetRgb(cr, White);
        cairo_fill_preserve(cr);
        SetRgb(cr, unfolded ? Accent : Rgb{0.52, 0.56, 0.62});
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        RoundRect(cr, 36.5, 2.5, 15, 15, 2);
        VerticalGradient(cr, 2, 17, unfolded ? AccentLight : Rgb{0.97, 0.98, 1.0},
                         unfolded ? Accent : Rgb{0.82, 0.85, 0.90});
        cairo_fill(cr);
        SetRgb(cr, unfolded ? White : Ink);
        if (unfolded) {
            cairo_move_to(cr, 40, 12);
            cairo_line_to(cr, 48, 12);
            cairo_line_to(cr, 44, 7);
        } else {
            cairo_move_to(cr, 40, 8);
            cairo_line_to(cr, 48, 8);
            cairo_line_to(cr, 44, 13);
        }
        cairo_close_path(cr);
        cairo_fill(cr);
        EndRegion(cr);
    }

    // Content scroller: track (texels 1..8) and thumb (9..14), rows 310 down to 106, one picture each.
    BeginRegion(cr, SkinImage::Ex, 512, 1, 310, 8, 106, 7, 102);
    RoundRect(cr, 1, 0.5, 5, 101, 2.5);
    SetRgb(cr, {0.55, 0.58, 0.64});
    cairo_fill(cr);
    EndRegion(cr);
    BeginRegion(cr, SkinImage::Ex, 512, 9, 310, 14, 106, 5, 102);
    RoundRect(cr, 0.5, 0.5, 4, 101, 2);
    VerticalGradient(cr, 0, 102, AccentLight, Accent);
    cairo_fill(cr);
    EndRegion(cr);
}

// ---------------------------------------------------------------- tab bar ("wb.png") and dock ("bar.png")

void WbImage(cairo_t* cr) {
    // The tab bar as a profile across its width: a 24-pixel strip of tabs on the left that steps down,
    // through the middle piece, to a 50-pixel area that holds the sliders and the lamp. Image texels
    // 4..252 as one 124 x 64 picture: the left piece (texels 4..33) and the right one (180..252) are
    // stretched sideways, so they only shade vertically.
    BeginRegion(cr, SkinImage::Wb, 256, 0, 256, 256, 0, 128, 64);
    auto depth = [](double x) {
        if (x <= 36) return 24.0;
        if (x >= 90) return 50.0;
        double u = (x - 36) / 54.0;
        return 24.0 + 26.0 * (u * u * (3 - 2 * u));
    };
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 0);
    for (double x = 0; x <= 128; x += 0.5)
        cairo_line_to(cr, x, depth(x));
    cairo_line_to(cr, 128, 0);
    cairo_close_path(cr);
    cairo_path_t* shape = cairo_copy_path(cr);
    // Shadow below the edge.
    for (int i = 5; i >= 1; --i) {
        cairo_save(cr);
        cairo_translate(cr, 0, i);
        cairo_append_path(cr, shape);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.07);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    cairo_append_path(cr, shape);
    VerticalGradient(cr, 0, 50, {0.985, 0.99, 1.0}, {0.86, 0.89, 0.93}, 0.96);
    cairo_fill(cr);
    cairo_new_path(cr);
    for (double x = 0; x <= 128; x += 0.5)
        cairo_line_to(cr, x, depth(x) - 0.5);
    SetRgb(cr, {0.45, 0.50, 0.58});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    VerticalGradient(cr, 0, 2, AccentLight, Accent);
    cairo_rectangle(cr, 0, 0, 128, 2);
    cairo_fill(cr);
    cairo_path_destroy(shape);
    EndRegion(cr);
}

void BarImage(cairo_t* cr) {
    // Dock plate: texels 14..239, its top at row 238 and reaching down well past any dock height.
    BeginRegion(cr, SkinImage::Bar, 256, 14, 238, 239, 100, 225, 138);
    RoundRect(cr, 0.5, 0.5, 224, 150, 16);
    VerticalGradient(cr, 0, 90, {1, 1, 1}, {0.80, 0.86, 0.96}, 0.95);
    cairo_fill_preserve(cr);
    SetRgb(cr, White);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    EndRegion(cr);
}

// ---------------------------------------------------------------- whole pictures

void HandleImage(cairo_t* cr) {
    BeginPiece(cr, Piece::EqHandle);
    cairo_pattern_t* glow = cairo_pattern_create_radial(16, 16, 4, 16, 16, 15);
    cairo_pattern_add_color_stop_rgba(glow, 0, Accent.r, Accent.g, Accent.b, 0.35);
    cairo_pattern_add_color_stop_rgba(glow, 1, Accent.r, Accent.g, Accent.b, 0.0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, 16, 16, 15, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    cairo_arc(cr, 16, 16, 6.5, 0, 2 * M_PI);
    SetRgb(cr, White);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 2.2);
    SetRgb(cr, Accent);
    cairo_stroke(cr);
    cairo_arc(cr, 16, 16, 2.2, 0, 2 * M_PI);
    SetRgb(cr, Accent);
    cairo_fill(cr);
    EndRegion(cr);
}

// The emblem of the logo and the desktop icon: equaliser bars in a ring, centred at (128, 100),
// radius 62.
void Emblem(cairo_t* cr) {
    cairo_arc(cr, 128, 100, 62, 0, 2 * M_PI);
    VerticalGradient(cr, 38, 162, AccentLight, AccentDark);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 3);
    SetRgb(cr, White, 0.9);
    cairo_stroke(cr);
    // Equaliser bars.
    const double heights[9] = {18, 34, 56, 44, 70, 48, 30, 52, 22};
    for (int i = 0; i < 9; ++i) {
        double x = 128 - 4 * 11 + i * 11 - 3.5, h = heights[i];
        RoundRect(cr, x, 100 - h / 2, 7, h, 3.5);
        SetRgb(cr, White, 0.95);
        cairo_fill(cr);
    }
}

void LogoImage(cairo_t* cr) {
    BeginPiece(cr, Piece::Logo);
    // An emblem of sound waves in a ring, with the word mark below.
    cairo_pattern_t* glow = cairo_pattern_create_radial(128, 100, 10, 128, 100, 100);
    cairo_pattern_add_color_stop_rgba(glow, 0, 0.2, 0.5, 1.0, 0.45);
    cairo_pattern_add_color_stop_rgba(glow, 1, 0.2, 0.5, 1.0, 0.0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, 128, 100, 100, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    Emblem(cr);
    double w = TextAdvance(cr, "TONVEX", 38, true);
    Text(cr, "TONVEX", 128 - w / 2 + 1.5, 213.5, 38, true, Black, 0.5);
    Text(cr, "TONVEX", 128 - w / 2, 212, 38, true, White);
    w = TextAdvance(cr, "PX2950  SOUND  CONSOLE", 12, false);
    Text(cr, "PX2950  SOUND  CONSOLE", 128 - w / 2, 236, 12, false, {0.70, 0.82, 1.0});
    EndRegion(cr);
}

// App icons: a rounded tile with a gradient and a white symbol, 128 x 128.
void IconTile(cairo_t* cr, Rgb top, Rgb bottom) {
    SoftShadow(cr, 10, 12, 108, 108, 24, 8, 0.5);
    RoundRect(cr, 10, 8, 108, 108, 24);
    VerticalGradient(cr, 8, 116, top, bottom);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 2);
    SetRgb(cr, Mix(bottom, Black, 0.3));
    cairo_stroke(cr);
    // Gloss on the upper half.
    cairo_save(cr);
    RoundRect(cr, 10, 8, 108, 108, 24);
    cairo_clip(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 8, 0, 64);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0.35);
    cairo_pattern_add_color_stop_rgba(g, 1, 1, 1, 1, 0.0);
    cairo_set_source(cr, g);
    cairo_rectangle(cr, 10, 8, 108, 56);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
    SetRgb(cr, White);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
}

void Speaker(cairo_t* cr, double cx, double cy, double w, double h) {
    RoundRect(cr, cx - w / 2, cy - h / 2, w, h, w * 0.14);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy + h * 0.14, w * 0.28, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy - h * 0.28, w * 0.1, 0, 2 * M_PI);
    cairo_fill(cr);
}

void IconImage(cairo_t* cr, int index) {
    BeginPiece(cr, static_cast<Piece>(static_cast<int>(Piece::Icon1) + index));
    switch (index) {
    case 0: // microphone
        IconTile(cr, {0.36, 0.64, 1.0}, {0.0, 0.30, 0.78});
        RoundRect(cr, 50, 26, 28, 46, 14);
        cairo_fill(cr);
        cairo_set_line_width(cr, 6);
        cairo_arc(cr, 64, 56, 24, 0, M_PI);
        cairo_stroke(cr);
        cairo_move_to(cr, 64, 80);
        cairo_line_to(cr, 64, 94);
        cairo_move_to(cr, 50, 96);
        cairo_line_to(cr, 78, 96);
        cairo_stroke(cr);
        break;
    case 1: // music
        IconTile(cr, {0.98, 0.45, 0.62}, {0.78, 0.10, 0.38});
        cairo_set_line_width(cr, 7);
        cairo_move_to(cr, 52, 84);
        cairo_line_to(cr, 52, 34);
        cairo_line_to(cr, 90, 26);
        cairo_line_to(cr, 90, 76);
        cairo_stroke(cr);
        cairo_move_to(cr, 52, 46);
        cairo_line_to(cr, 90, 38);
        cairo_stroke(cr);
        cairo_save(cr);
        cairo_translate(cr, 43, 86);
        cairo_scale(cr, 1.25, 1);
        cairo_arc(cr, 0, 0, 10, 0, 2 * M_PI);
        cairo_restore(cr);
        cairo_fill(cr);
        cairo_save(cr);
        cairo_translate(cr, 81, 78);
        cairo_scale(cr, 1.25, 1);
        cairo_arc(cr, 0, 0, 10, 0, 2 * M_PI);
        cairo_restore(cr);
        cairo_fill(cr);
        break;
    case 2: // sub-woofer: one large cone
        IconTile(cr, {0.55, 0.45, 0.95}, {0.30, 0.16, 0.70});
        cairo_set_line_width(cr, 5);
        RoundRect(cr, 32, 24, 64, 80, 10);
        cairo_stroke(cr);
        cairo_arc(cr, 64, 70, 23, 0, 2 * M_PI);
        cairo_stroke(cr);
        cairo_arc(cr, 64, 70, 11, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_arc(cr, 64, 37, 5, 0, 2 * M_PI);
        cairo_fill(cr);
        break;
    case 3: // center and surround: a center speaker flanked by two rear ones
        IconTile(cr, {0.25, 0.80, 0.78}, {0.0, 0.50, 0.52});
        Speaker(cr, 64, 62, 28, 46);
        cairo_set_line_width(cr, 4);
        Speaker(cr, 30, 76, 18, 30);
        Speaker(cr, 98, 76, 18, 30);
        cairo_set_line_width(cr, 4);
        cairo_arc(cr, 64, 62, 40, -M_PI * 0.85, -M_PI * 0.15);
        cairo_stroke(cr);
        break;
    case 4: { // room EQ: sliders of a graphic equaliser
        IconTile(cr, {1.0, 0.66, 0.28}, {0.90, 0.36, 0.0});
        const double knobs[5] = {70, 48, 80, 40, 60};
        for (int i = 0; i < 5; ++i) {
            double x = 34 + i * 15;
            cairo_set_line_width(cr, 4);
            cairo_move_to(cr, x, 30);
            cairo_line_to(cr, x, 96);
            cairo_stroke(cr);
            RoundRect(cr, x - 7, knobs[i] - 5, 14, 10, 3);
            cairo_fill(cr);
        }
        break;
    }
    case 5: // volume: speaker with sound waves
        IconTile(cr, {0.40, 0.82, 0.40}, {0.05, 0.55, 0.18});
        cairo_move_to(cr, 28, 50);
        cairo_line_to(cr, 44, 50);
        cairo_line_to(cr, 64, 32);
        cairo_line_to(cr, 64, 92);
        cairo_line_to(cr, 44, 74);
        cairo_line_to(cr, 28, 74);
        cairo_close_path(cr);
        cairo_fill(cr);
        cairo_set_line_width(cr, 6);
        for (int i = 0; i < 3; ++i) {
            cairo_new_sub_path(cr);
            cairo_arc(cr, 64, 62, 14 + 12 * i, -M_PI / 4, M_PI / 4);
        }
        cairo_stroke(cr);
        break;
    case 6: { // system: a gear
        IconTile(cr, {0.62, 0.66, 0.74}, {0.30, 0.34, 0.42});
        cairo_new_path(cr);
        const int teeth = 8;
        for (int i = 0; i < teeth * 4; ++i) {
            double a = (i / (teeth * 4.0)) * 2 * M_PI - M_PI / 2;
            double r = (i % 4 == 0 || i % 4 == 1) ? 40 : 30;
            double x = 64 + r * std::cos(a), y = 62 + r * std::sin(a);
            if (i == 0)
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
        }
        cairo_close_path(cr);
        cairo_new_sub_path(cr);
        cairo_arc_negative(cr, 64, 62, 13, 2 * M_PI, 0);
        cairo_fill(cr);
        break;
    }
    }
    EndRegion(cr);
}

} // namespace

void DrawSkinImage(Canvas& canvas, SkinImage image) {
    cairo_t* cr = canvas.cr();
    switch (image) {
    case SkinImage::Wf:
        WfImage(cr);
        break;
    case SkinImage::Wb:
        WbImage(cr);
        break;
    case SkinImage::Ui:
        UiButtons(cr);
        break;
    case SkinImage::Eq:
        HandleImage(cr);
        break;
    case SkinImage::Dx:
        DxImage(cr);
        break;
    case SkinImage::Ex:
        ExImage(cr);
        break;
    case SkinImage::Logo:
        LogoImage(cr);
        break;
    case SkinImage::Bar:
        BarImage(cr);
        break;
    default:
        IconImage(cr, static_cast<int>(image) - static_cast<int>(SkinImage::Icon1));
        break;
    }
}

void DrawAppIcon(cairo_t* cr, double size) {
    cairo_save(cr);
    cairo_scale(cr, size / 256, size / 256);
    // The logo's emblem, 1.9 times as large and centred.
    cairo_translate(cr, 128, 128);
    cairo_scale(cr, 1.9, 1.9);
    cairo_translate(cr, -128, -100);
    Emblem(cr);
    cairo_restore(cr);
}
