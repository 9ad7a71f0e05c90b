// SPDX-License-Identifier: GPL-3.0-or-later
// The eight window backgrounds, 1024 x 640. Each is a scene of its own; all keep the top band calm
// (the tab bar and title strip lie over it) and the bottom centre open for the icon dock.
#include "tools/ArtCanvas.h"

#include <cmath>
#include <cstdint>

const char* const BackgroundNames[8] = {"blue.bmp",   "bluelig.bmp", "board.bmp",  "conch.bmp",
                                        "flower.bmp", "paddy.bmp",   "paddy2.bmp", "widefw.bmp"};

namespace {

constexpr double W = 1024, H = 640;

// Deterministic pseudo-random numbers, so every build makes the same pictures.
struct Random {
    uint32_t state;
    explicit Random(uint32_t seed) : state(seed * 747796405u + 2891336453u) {}
    double Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return (state & 0xFFFFFF) / double(0x1000000);
    }
    double Range(double a, double b) { return a + (b - a) * Next(); }
};

void Fill(cairo_t* cr, cairo_pattern_t* p) {
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
}

cairo_pattern_t* Linear(double x0, double y0, double x1, double y1,
                        std::initializer_list<std::pair<double, Rgb>> stops) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    for (auto& [at, c] : stops)
        cairo_pattern_add_color_stop_rgb(p, at, c.r, c.g, c.b);
    return p;
}

void Glow(cairo_t* cr, double x, double y, double r, Rgb c, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, r);
    cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void Vignette(cairo_t* cr, double strength) {
    cairo_pattern_t* p = cairo_pattern_create_radial(W / 2, H / 2, H * 0.35, W / 2, H / 2, W * 0.72);
    cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, strength);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
}

// Deep blue with light streaks and soft out-of-focus discs.
void Blue(cairo_t* cr) {
    Fill(cr, Linear(0, 0, W * 0.3, H,
                    {{0, {0.01, 0.05, 0.18}}, {0.55, {0.02, 0.18, 0.50}}, {1, {0.0, 0.30, 0.72}}}));
    for (int i = 0; i < 7; ++i) {
        cairo_save(cr);
        cairo_translate(cr, W * 0.5, H * 1.1);
        cairo_rotate(cr, -0.9 + i * 0.28);
        cairo_pattern_t* p = cairo_pattern_create_linear(-60, 0, 60, 0);
        cairo_pattern_add_color_stop_rgba(p, 0, 0.4, 0.7, 1, 0);
        cairo_pattern_add_color_stop_rgba(p, 0.5, 0.5, 0.8, 1, 0.10);
        cairo_pattern_add_color_stop_rgba(p, 1, 0.4, 0.7, 1, 0);
        cairo_set_source(cr, p);
        cairo_rectangle(cr, -60, -900, 120, 900);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        cairo_restore(cr);
    }
    Random rnd(1);
    for (int i = 0; i < 46; ++i) {
        double x = rnd.Range(0, W), y = rnd.Range(120, H), r = rnd.Range(10, 60);
        Glow(cr, x, y, r, {0.45, 0.75, 1.0}, rnd.Range(0.05, 0.22));
        cairo_arc(cr, x, y, r * 0.55, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0.6, 0.85, 1.0, rnd.Range(0.02, 0.07));
        cairo_fill(cr);
    }
    Vignette(cr, 0.45);
}

// Light sky blue with flowing ribbons of light.
void BlueLight(cairo_t* cr) {
    Fill(cr,
         Linear(0, 0, 0, H, {{0, {0.50, 0.74, 0.97}}, {0.45, {0.80, 0.91, 1.0}}, {1, {0.46, 0.68, 0.93}}}));
    for (int band = 0; band < 6; ++band) {
        double base = 250 + band * 55, amp = 40 + band * 8, phase = band * 0.9;
        cairo_new_path(cr);
        for (int x = 0; x <= 1024; x += 8) {
            double y = base + amp * std::sin(x / 180.0 + phase) + 20 * std::sin(x / 61.0 + phase * 2);
            if (x == 0)
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
        }
        for (int x = 1024; x >= 0; x -= 8) {
            double y = base + 30 + amp * std::sin(x / 170.0 + phase + 0.4) + 16 * std::sin(x / 57.0 + phase);
            cairo_line_to(cr, x, y);
        }
        cairo_close_path(cr);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.14 + 0.03 * band);
        cairo_fill(cr);
    }
    Glow(cr, 820, 130, 260, {1, 1, 1}, 0.55);
    Random rnd(2);
    for (int i = 0; i < 30; ++i)
        Glow(cr, rnd.Range(0, W), rnd.Range(140, H), rnd.Range(6, 26), {1, 1, 1}, 0.35);
}

// A circuit board: dark green solder mask, copper traces, pads and a chip.
void Board(cairo_t* cr) {
    Fill(cr, Linear(0, 0, W, H, {{0, {0.02, 0.20, 0.14}}, {1, {0.01, 0.10, 0.08}}}));
    Random rnd(3);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int i = 0; i < 150; ++i) {
        double x = std::floor(rnd.Range(0, W) / 16) * 16, y = std::floor(rnd.Range(100, H) / 16) * 16;
        cairo_move_to(cr, x, y);
        int legs = 2 + static_cast<int>(rnd.Range(0, 3));
        for (int k = 0; k < legs; ++k) {
            double len = std::floor(rnd.Range(2, 10)) * 16;
            int dir = static_cast<int>(rnd.Range(0, 4));
            double dx = dir == 0 ? 1 : dir == 1 ? -1 : dir == 2 ? 0.7 : -0.7;
            double dy = dir < 2 ? 0 : 0.7;
            x += dx * len;
            y += dy * len;
            cairo_line_to(cr, x, y);
        }
        cairo_set_line_width(cr, i % 5 == 0 ? 5 : 2.5);
        cairo_set_source_rgba(cr, 0.75, 0.62, 0.30, 0.55);
        cairo_stroke_preserve(cr);
        cairo_set_line_width(cr, 1);
        cairo_set_source_rgba(cr, 1, 0.9, 0.6, 0.25);
        cairo_stroke(cr);
        cairo_arc(cr, x, y, 5, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0.85, 0.75, 0.45, 0.8);
        cairo_fill(cr);
        cairo_arc(cr, x, y, 2, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 0.02, 0.12, 0.09);
        cairo_fill(cr);
    }
    // The chip.
    double cx = 700, cy = 360;
    for (int i = 0; i < 12; ++i) {
        for (int side = 0; side < 4; ++side) {
            double o = -88 + i * 16;
            double x = side < 2 ? cx + o : cx + (side == 2 ? -110 : 100);
            double y = side < 2 ? cy + (side == 0 ? -110 : 100) : cy + o;
            cairo_rectangle(cr, x, y, side < 2 ? 8 : 10, side < 2 ? 10 : 8);
        }
    }
    cairo_set_source_rgb(cr, 0.80, 0.78, 0.70);
    cairo_fill(cr);
    RoundRect(cr, cx - 100, cy - 100, 200, 200, 10);
    cairo_pattern_t* body =
        Linear(0, cy - 100, 0, cy + 100, {{0, {0.16, 0.17, 0.19}}, {1, {0.05, 0.05, 0.06}}});
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    Text(cr, "PX2950", cx - 62, cy + 8, 30, true, {0.75, 0.78, 0.82}, 0.8);
    Text(cr, "DSP", cx - 22, cy + 40, 18, false, {0.60, 0.63, 0.68}, 0.8);
    Glow(cr, cx, cy, 320, {0.2, 0.9, 0.6}, 0.12);
    Vignette(cr, 0.5);
}

// A conch shell on sand by the sea at dusk.
void Conch(cairo_t* cr) {
    Fill(cr, Linear(0, 0, 0, H,
                    {{0, {0.16, 0.20, 0.38}},
                     {0.42, {0.93, 0.60, 0.45}},
                     {0.55, {0.98, 0.80, 0.58}},
                     {0.56, {0.30, 0.50, 0.62}},
                     {0.68, {0.60, 0.72, 0.74}},
                     {0.70, {0.90, 0.80, 0.62}},
                     {1, {0.78, 0.64, 0.46}}}));
    Glow(cr, 260, 330, 180, {1.0, 0.85, 0.6}, 0.6);
    // Sun glitter on the water.
    Random rnd(4);
    for (int i = 0; i < 90; ++i) {
        double y = rnd.Range(362, 436), x = 260 + rnd.Range(-1, 1) * (y - 340) * 2.2;
        cairo_rectangle(cr, x, y, rnd.Range(6, 22), 1.5);
        cairo_set_source_rgba(cr, 1, 0.92, 0.75, rnd.Range(0.2, 0.7));
        cairo_fill(cr);
    }
    // The shell: a logarithmic spiral, three turns, its whorls cut into chambers with tiger stripes.
    const double cx = 690, cy = 440, a = 6.2, b = std::log(3.0) / (2 * M_PI);
    auto radius = [&](double t) { return t < 0 ? 0.0 : a * std::exp(b * t); };
    auto point = [&](double t, double r, double* x, double* y) {
        *x = cx + r * std::cos(t) * 1.1;
        *y = cy - r * std::sin(t) * 0.8;
    };
    cairo_save(cr);
    cairo_translate(cr, cx + 20, cy + 128);
    cairo_scale(cr, 1.0, 0.2);
    cairo_arc(cr, 0, 0, 200, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 0.25, 0.15, 0.08, 0.35);
    cairo_fill(cr);
    const double end = 6 * M_PI, step = M_PI / 16;
    for (double t0 = 0; t0 < end - 1e-9; t0 += step) {
        double t1 = t0 + step;
        cairo_new_path(cr);
        double x, y;
        for (double t = t0; t <= t1 + 1e-9; t += step / 8) {
            point(t, radius(t), &x, &y);
            cairo_line_to(cr, x, y);
        }
        for (double t = t1; t >= t0 - 1e-9; t -= step / 8) {
            point(t, radius(t - 2 * M_PI), &x, &y);
            cairo_line_to(cr, x, y);
        }
        cairo_close_path(cr);
        double turn = t0 / (2 * M_PI);
        // Flame-like bands that fade out towards the opening.
        bool stripe = turn > 0.8 && turn < 2.75 && std::sin(t0 * 2.1 + std::sin(t0 * 0.7) * 2) > 0.35;
        Rgb base = Mix(Rgb{1.0, 0.93, 0.82}, Rgb{0.98, 0.84, 0.68}, turn / 3);
        Rgb c = stripe ? Rgb{0.62, 0.30, 0.16} : base;
        double mx, my;
        point(t0 + step / 2, (radius(t0) + radius(t0 - 2 * M_PI)) / 2, &mx, &my);
        cairo_pattern_t* p = cairo_pattern_create_radial(mx - 10, my - 14, 2, mx, my, radius(t0) * 0.7 + 8);
        Rgb light = Mix(c, Rgb{1, 1, 1}, 0.35), dark = Mix(c, Rgb{0.35, 0.18, 0.1}, 0.35);
        cairo_pattern_add_color_stop_rgb(p, 0, light.r, light.g, light.b);
        cairo_pattern_add_color_stop_rgb(p, 1, dark.r, dark.g, dark.b);
        cairo_set_source(cr, p);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(p);
        cairo_set_line_width(cr, 1.2);
        cairo_set_source_rgba(cr, 0.45, 0.24, 0.14, 0.6);
        cairo_stroke(cr);
    }
    Glow(cr, cx - 40, cy - 70, 110, {1, 0.97, 0.9}, 0.25);
    Vignette(cr, 0.35);
}

// A flower: rings of petals in pink over soft green.
void Flower(cairo_t* cr) {
    Fill(cr, Linear(0, 0, W, H, {{0, {0.10, 0.30, 0.16}}, {1, {0.28, 0.52, 0.22}}}));
    Random rnd(5);
    for (int i = 0; i < 40; ++i)
        Glow(cr, rnd.Range(0, W), rnd.Range(0, H), rnd.Range(30, 110), {0.75, 0.95, 0.55},
             rnd.Range(0.05, 0.2));
    auto bloom = [&](double cx, double cy, double size, Rgb outer, Rgb inner, int petals) {
        for (int ring = 0; ring < 3; ++ring) {
            double len = size * (1.0 - ring * 0.26);
            for (int k = 0; k < petals; ++k) {
                double a = (k + ring * 0.5) * 2 * M_PI / petals;
                cairo_save(cr);
                cairo_translate(cr, cx, cy);
                cairo_rotate(cr, a);
                cairo_move_to(cr, 0, 0);
                cairo_curve_to(cr, len * 0.35, -len * 0.32, len * 0.85, -len * 0.22, len, 0);
                cairo_curve_to(cr, len * 0.85, len * 0.22, len * 0.35, len * 0.32, 0, 0);
                cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, len, 0);
                Rgb in = Mix(inner, outer, ring * 0.2);
                cairo_pattern_add_color_stop_rgb(p, 0, in.r, in.g, in.b);
                cairo_pattern_add_color_stop_rgb(p, 1, outer.r, outer.g, outer.b);
                cairo_set_source(cr, p);
                cairo_fill_preserve(cr);
                cairo_pattern_destroy(p);
                cairo_set_source_rgba(cr, 0.5, 0.05, 0.2, 0.25);
                cairo_set_line_width(cr, 1);
                cairo_stroke(cr);
                cairo_restore(cr);
            }
        }
        Glow(cr, cx, cy, size * 0.3, {1.0, 0.9, 0.3}, 0.9);
        Random dots(static_cast<uint32_t>(cx));
        for (int i = 0; i < 40; ++i) {
            double a = dots.Range(0, 2 * M_PI), r = dots.Range(0, size * 0.16);
            cairo_arc(cr, cx + r * std::cos(a), cy + r * std::sin(a), 2.2, 0, 2 * M_PI);
            cairo_set_source_rgb(cr, 0.95, 0.70, 0.10);
            cairo_fill(cr);
        }
    };
    bloom(700, 360, 230, {0.98, 0.55, 0.75}, {0.85, 0.15, 0.45}, 12);
    bloom(250, 470, 120, {1.0, 0.85, 0.92}, {0.95, 0.45, 0.65}, 10);
    bloom(960, 150, 90, {0.98, 0.70, 0.85}, {0.80, 0.25, 0.50}, 9);
    Vignette(cr, 0.35);
}

// Terraced paddy fields under a sky; `golden` turns them to harvest time at sunset.
void Paddy(cairo_t* cr, bool golden) {
    if (golden)
        Fill(cr, Linear(0, 0, 0, H * 0.5,
                        {{0, {0.35, 0.30, 0.55}}, {0.6, {0.98, 0.62, 0.35}}, {1, {1.0, 0.86, 0.55}}}));
    else
        Fill(cr, Linear(0, 0, 0, H * 0.5, {{0, {0.35, 0.62, 0.92}}, {1, {0.82, 0.92, 0.98}}}));
    if (golden) Glow(cr, 300, 300, 220, {1.0, 0.9, 0.6}, 0.8);
    // Soft clouds.
    Random rnd(golden ? 7 : 6);
    for (int k = 0; k < 5; ++k) {
        double cx = rnd.Range(80, 960), cy = rnd.Range(90, 200), size = rnd.Range(40, 80);
        for (int j = 0; j < 6; ++j)
            Glow(cr, cx + rnd.Range(-1.5, 1.5) * size, cy + rnd.Range(-0.3, 0.3) * size,
                 size * rnd.Range(0.6, 1.0), golden ? Rgb{1.0, 0.85, 0.75} : Rgb{1, 1, 1}, 0.35);
    }
    // Distant hills.
    for (int layer = 0; layer < 3; ++layer) {
        cairo_new_path(cr);
        cairo_move_to(cr, 0, H);
        for (int x = 0; x <= 1024; x += 8) {
            double y =
                250 + layer * 28 - 50 * std::sin(x / 240.0 + layer * 1.7) - 25 * std::sin(x / 97.0 + layer);
            cairo_line_to(cr, x, y);
        }
        cairo_line_to(cr, W, H);
        cairo_close_path(cr);
        Rgb far = golden ? Rgb{0.55, 0.42, 0.50} : Rgb{0.45, 0.62, 0.72};
        Rgb near = golden ? Rgb{0.40, 0.30, 0.22} : Rgb{0.20, 0.45, 0.30};
        SetRgb(cr, Mix(far, near, layer / 2.0));
        cairo_fill(cr);
    }
    // Terraces: curved bands, each with a bright water line at its lip.
    for (int i = 0; i < 12; ++i) {
        double top = 330 + i * 26 + i * i * 1.6;
        double bend = 40 + i * 6;
        cairo_new_path(cr);
        auto edge = [&](double x, double offset) {
            return top + offset + bend * std::sin(x / 300.0 + i * 0.45) * 0.5 + 12 * std::sin(x / 90.0 + i);
        };
        for (int x = 0; x <= 1024; x += 8)
            cairo_line_to(cr, x, edge(x, 0));
        cairo_line_to(cr, W, H);
        cairo_line_to(cr, 0, H);
        cairo_close_path(cr);
        double t = i / 11.0;
        Rgb c = golden ? Mix(Rgb{0.90, 0.72, 0.25}, Rgb{0.62, 0.45, 0.10}, t)
                       : Mix(Rgb{0.55, 0.80, 0.30}, Rgb{0.16, 0.50, 0.14}, t);
        SetRgb(cr, c);
        cairo_fill(cr);
        // Rows of seedlings below the lip, larger towards the viewer.
        double tuft = 2 + i * 0.5, gap = 9 + i * 1.5;
        Rgb blade = golden ? Mix(c, Rgb{0.45, 0.30, 0.05}, 0.35) : Mix(c, Rgb{0.05, 0.30, 0.05}, 0.35);
        cairo_set_line_width(cr, 1 + i * 0.12);
        SetRgb(cr, blade, 0.8);
        for (double row = 8; row < 20 + i * 3; row += 7 + i) {
            for (double x = std::fmod(row * 3.7, gap); x < W; x += gap) {
                double y = edge(x, row);
                cairo_move_to(cr, x, y);
                cairo_line_to(cr, x - tuft * 0.4, y - tuft);
                cairo_move_to(cr, x, y);
                cairo_line_to(cr, x + tuft * 0.4, y - tuft);
            }
        }
        cairo_stroke(cr);
        cairo_new_path(cr);
        for (int x = 0; x <= 1024; x += 8)
            cairo_line_to(cr, x, edge(x, 0));
        cairo_set_line_width(cr, 2.5);
        if (golden)
            cairo_set_source_rgba(cr, 1.0, 0.92, 0.70, 0.7);
        else
            cairo_set_source_rgba(cr, 0.85, 0.95, 1.0, 0.7);
        cairo_stroke(cr);
    }
    Vignette(cr, 0.3);
}

// Wide fireworks over a night skyline.
void WideFireworks(cairo_t* cr) {
    Fill(cr,
         Linear(0, 0, 0, H, {{0, {0.01, 0.01, 0.06}}, {0.8, {0.06, 0.04, 0.20}}, {1, {0.15, 0.08, 0.25}}}));
    Random rnd(8);
    for (int i = 0; i < 160; ++i) {
        cairo_arc(cr, rnd.Range(0, W), rnd.Range(0, H * 0.8), rnd.Range(0.5, 1.4), 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 1, 1, 1, rnd.Range(0.2, 0.8));
        cairo_fill(cr);
    }
    struct Burst {
        double x, y, r;
        Rgb c;
    };
    const Burst bursts[] = {{180, 260, 150, {1.0, 0.35, 0.45}},
                            {460, 200, 120, {1.0, 0.85, 0.35}},
                            {720, 280, 170, {0.35, 0.75, 1.0}},
                            {930, 180, 110, {0.55, 1.0, 0.55}},
                            {600, 420, 80, {0.95, 0.55, 1.0}}};
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (const Burst& b : bursts) {
        Glow(cr, b.x, b.y, b.r * 1.3, b.c, 0.22);
        int rays = 48;
        for (int k = 0; k < rays; ++k) {
            double a = k * 2 * M_PI / rays + rnd.Range(-0.03, 0.03);
            double len = b.r * rnd.Range(0.75, 1.0);
            double droop = len * 0.12;
            cairo_move_to(cr, b.x + 0.18 * len * std::cos(a), b.y + 0.18 * len * std::sin(a));
            cairo_curve_to(cr, b.x + 0.6 * len * std::cos(a), b.y + 0.6 * len * std::sin(a),
                           b.x + 0.9 * len * std::cos(a), b.y + 0.9 * len * std::sin(a) + droop * 0.5,
                           b.x + len * std::cos(a), b.y + len * std::sin(a) + droop);
            cairo_pattern_t* p = cairo_pattern_create_radial(b.x, b.y, 0, b.x, b.y, len);
            cairo_pattern_add_color_stop_rgba(p, 0, b.c.r, b.c.g, b.c.b, 0.0);
            cairo_pattern_add_color_stop_rgba(p, 0.7, b.c.r, b.c.g, b.c.b, 0.6);
            cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0.9);
            cairo_set_source(cr, p);
            cairo_set_line_width(cr, 2.2);
            cairo_stroke(cr);
            cairo_pattern_destroy(p);
            cairo_arc(cr, b.x + len * std::cos(a), b.y + len * std::sin(a) + droop, 2.2, 0, 2 * M_PI);
            cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
            cairo_fill(cr);
        }
    }
    // Skyline.
    cairo_new_path(cr);
    cairo_move_to(cr, 0, H);
    double x = 0;
    while (x < W) {
        double w = rnd.Range(30, 80), h = rnd.Range(40, 150);
        cairo_line_to(cr, x, H - h);
        cairo_line_to(cr, x + w, H - h);
        x += w;
    }
    cairo_line_to(cr, W, H);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 0.02, 0.02, 0.05);
    cairo_fill(cr);
    for (int i = 0; i < 140; ++i) {
        cairo_rectangle(cr, rnd.Range(0, W), rnd.Range(H - 140, H - 8), 3, 4);
        cairo_set_source_rgba(cr, 1.0, 0.85, 0.45, rnd.Range(0.2, 0.8));
        cairo_fill(cr);
    }
}

} // namespace

void DrawBackground(Canvas& canvas, int index) {
    cairo_t* cr = canvas.cr();
    switch (index) {
    case 0:
        Blue(cr);
        break;
    case 1:
        BlueLight(cr);
        break;
    case 2:
        Board(cr);
        break;
    case 3:
        Conch(cr);
        break;
    case 4:
        Flower(cr);
        break;
    case 5:
        Paddy(cr, false);
        break;
    case 6:
        Paddy(cr, true);
        break;
    default:
        WideFireworks(cr);
        break;
    }
    canvas.AddGrain(0.035, static_cast<uint32_t>(index) + 11);
}
