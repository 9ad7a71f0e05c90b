// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/ArtCanvas.h"

#include <cmath>

thread_local double ArtScale = 1.0;

Canvas::Canvas(int texelsWide, int texelsHigh, double scale)
    : width(static_cast<int>(std::lround(texelsWide * scale))),
      height(static_cast<int>(std::lround(texelsHigh * scale))) {
    surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    context = cairo_create(surface);
    cairo_scale(context, scale, scale);
    ArtScale = scale;
}

Canvas::~Canvas() {
    cairo_destroy(context);
    cairo_surface_destroy(surface);
}

std::vector<uint8_t> Canvas::Pixels(int components) const {
    cairo_surface_flush(surface);
    const uint8_t* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    std::vector<uint8_t> out(static_cast<size_t>(width) * height * components);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x) {
            uint32_t p = row[x];
            int a = p >> 24, r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (a > 0 && a < 255) {
                r = (r * 255 + a / 2) / a;
                g = (g * 255 + a / 2) / a;
                b = (b * 255 + a / 2) / a;
            }
            uint8_t* o = &out[(static_cast<size_t>(y) * width + x) * components];
            o[0] = static_cast<uint8_t>(r > 255 ? 255 : r);
            o[1] = static_cast<uint8_t>(g > 255 ? 255 : g);
            o[2] = static_cast<uint8_t>(b > 255 ? 255 : b);
            if (components == 4) o[3] = static_cast<uint8_t>(a);
        }
    }
    return out;
}

bool Canvas::SavePng(const std::string& path) const {
    return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

void Canvas::AddGrain(double strength, uint32_t seed) {
    cairo_surface_flush(surface);
    uint8_t* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    uint32_t state = seed * 2654435761u + 1;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            uint32_t p = row[x];
            int a = p >> 24;
            if (a != 255) continue;
            int n = static_cast<int>((static_cast<int>(state & 0xFF) - 128) * strength);
            auto ch = [&](int shift) {
                int v = static_cast<int>((p >> shift) & 0xFF) + n;
                return static_cast<uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v) << shift;
            };
            row[x] = 0xFF000000u | ch(16) | ch(8) | ch(0);
        }
    }
    cairo_surface_mark_dirty(surface);
}

double NaturalWidth(const SkinPiece& piece) {
    return std::fabs(piece.s1 - piece.s0) * SkinImageOf(piece.image).width / piece.unit;
}

double NaturalHeight(const SkinPiece& piece) {
    return std::fabs(piece.t1 - piece.t0) * SkinImageOf(piece.image).height / piece.unit;
}

void BeginRegion(cairo_t* cr, SkinImage image, int unit, double s0, double t0, double s1, double t1, double w,
                 double h) {
    const SkinImageInfo& info = SkinImageOf(image);
    double x0 = s0 * info.width / unit, x1 = s1 * info.width / unit;
    double y0 = t0 * info.height / unit, y1 = t1 * info.height / unit;
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_scale(cr, ArtScale, ArtScale);
    cairo_rectangle(cr, std::fmin(x0, x1), std::fmin(y0, y1), std::fabs(x1 - x0), std::fabs(y1 - y0));
    cairo_clip(cr);
    cairo_translate(cr, x0, y0);
    cairo_scale(cr, (x1 - x0) / w, (y1 - y0) / h);
}

void BeginPiece(cairo_t* cr, Piece piece) {
    const SkinPiece& p = PieceOf(piece);
    BeginRegion(cr, p.image, p.unit, p.s0, p.t0, p.s1, p.t1, NaturalWidth(p), NaturalHeight(p));
}

void EndRegion(cairo_t* cr) {
    cairo_restore(cr);
}

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    if (r > w / 2) r = w / 2;
    if (r > h / 2) r = h / 2;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void SetRgb(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void VerticalGradient(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(g, 0, top.r, top.g, top.b, alpha);
    cairo_pattern_add_color_stop_rgba(g, 1, bottom.r, bottom.g, bottom.b, alpha);
    cairo_set_source(cr, g);
    cairo_pattern_destroy(g);
}

void SoftShadow(cairo_t* cr, double x, double y, double w, double h, double r, double spread,
                double strength) {
    int steps = static_cast<int>(spread);
    for (int i = steps; i >= 1; --i) {
        double t = 1.0 - double(i) / (steps + 1);
        cairo_set_source_rgba(cr, 0, 0, 0, strength * t * t / steps * 2.2);
        RoundRect(cr, x - i, y - i, w + 2 * i, h + 2 * i, r + i);
        cairo_fill(cr);
    }
}

void Text(cairo_t* cr, const char* text, double x, double baseline, double size, bool bold, Rgb colour,
          double alpha) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    SetRgb(cr, colour, alpha);
    cairo_move_to(cr, x, baseline);
    cairo_show_text(cr, text);
}

double TextAdvance(cairo_t* cr, const char* text, double size, bool bold) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text, &e);
    return e.x_advance;
}
