// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing helpers of the art tool: a cairo canvas, and regions that map a skin piece's texel rectangle
// onto a drawing space laid out as the piece appears on screen.
#pragma once

#include "gui/SkinPieces.h"

#include <cairo.h>
#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    double r, g, b;
};

constexpr Rgb Accent{0.0, 0.34, 0.82};
constexpr Rgb AccentLight{0.32, 0.62, 1.0};
constexpr Rgb AccentDark{0.0, 0.22, 0.58};
// The flat client area is drawn at 241/256, which the framebuffer stores as 240.
constexpr Rgb PanelGrey{240 / 255.0, 240 / 255.0, 240 / 255.0};

// The pixels a texel of the picture being drawn on this thread takes (1, or 2 for the pictures of
// the larger scales); set by the Canvas drawn into.
extern thread_local double ArtScale;

class Canvas {
  public:
    // A picture of width x height texels, drawn at `scale` pixels a texel: every drawing call keeps its
    // texel coordinates.
    Canvas(int width, int height, double scale = 1.0);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return context; }
    int Width() const { return width; }
    int Height() const { return height; }
    // Top-down, interleaved, not premultiplied: RGB (3) or RGBA (4).
    std::vector<uint8_t> Pixels(int components) const;
    bool SavePng(const std::string& path) const;
    // Adds grain of the given strength (0..1) to every opaque pixel; deterministic.
    void AddGrain(double strength, uint32_t seed);

  private:
    int width, height;
    cairo_surface_t* surface;
    cairo_t* context;
};

// Size of a piece at one screen pixel per image pixel.
double NaturalWidth(const SkinPiece& piece);
double NaturalHeight(const SkinPiece& piece);

// Saves the state, clips to the image rectangle of texels (s0, t0)..(s1, t1) and maps a local space
// of w x h, laid out as on screen ((0, 0) at the quad's top-left), onto it. EndRegion restores.
void BeginRegion(cairo_t* cr, SkinImage image, int unit, double s0, double t0, double s1, double t1, double w,
                 double h);
void BeginPiece(cairo_t* cr, Piece piece); // at the piece's natural size
void EndRegion(cairo_t* cr);

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r);
void SetRgb(cairo_t* cr, Rgb c, double alpha = 1.0);
Rgb Mix(Rgb a, Rgb b, double t);
// A vertical linear gradient from `top` (at y0) to `bottom` (at y1), set as the source.
void VerticalGradient(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha = 1.0);
// A soft shadow of a rounded rectangle, `spread` pixels wide.
void SoftShadow(cairo_t* cr, double x, double y, double w, double h, double r, double spread,
                double strength);
void Text(cairo_t* cr, const char* text, double x, double baseline, double size, bool bold, Rgb colour,
          double alpha = 1.0);
double TextAdvance(cairo_t* cr, const char* text, double size, bool bold);

// The pictures.
void DrawSkinImage(Canvas& canvas, SkinImage image);
// The desktop icon, 256 x 256 on transparent: the logo's emblem of sound waves in a ring.
// The desktop icon, drawn into a size x size square at the origin (on any cairo surface).
void DrawAppIcon(cairo_t* cr, double size);
// Background `index` (0..7) of BackgroundNames.
void DrawBackground(Canvas& canvas, int index);
extern const char* const BackgroundNames[8];
