// SPDX-License-Identifier: GPL-3.0-or-later
#include "eq/EqGraph.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/ui/AppState.h"
#include "app/ui/Projection.h"
#include "app/ui/Textures.h"
#include "gui/SkinPieces.h"
#include "gui/TextRenderer.h"

namespace {

constexpr float MinGainDb = -24.0f;
constexpr float MaxGainDb = 12.0f;
constexpr float MinFreqHz = 19.8f;
constexpr float MaxFreqHz = 21513.0f;
constexpr float MinQ = 0.2f;
constexpr float MaxQ = 36.0f;
constexpr float AxisDecades = 3.4f;
constexpr float AxisDb = 24.0f;
// Within this many pixels of a handle (both axes) a press grabs it.
constexpr int GrabReach = 6;
// Pixels of horizontal movement per unit of Q.
constexpr float QDragPixels = 20.0f;

// A float truncated to a pixel; values far off the graph (or not numbers) are pinned far off it.
int TruncPixel(float v) {
    if (!(v > -100000.0f)) return -100000;
    if (v > 100000.0f) return 100000;
    return static_cast<int>(v);
}

// The plot's two axes, in plot pixels (y down).
struct PlotAxes {
    float width;
    float height;

    float X(float freqHz) const { return (width / AxisDecades) * (Log10f(freqHz) - 1.0f); }
    float Y(float gainDb) const { return height / 2 - gainDb * (height / 2) / AxisDb; }
    float FreqAt(int x) const { return 10.0f * std::pow(10.0f, AxisDecades * x / width); }
    float GainAt(int y) const { return -(y - height / 2) / ((height / 2) / AxisDb); }
};

void PlaceHandles(const PlotAxes& axes, int bandCount, EqGraphBand* bands) {
    for (int i = 0; i < bandCount; ++i) {
        bands[i].handleX = TruncPixel(axes.X(bands[i].freq));
        bands[i].handleY = TruncPixel(axes.Y(bands[i].gain));
    }
}

void StartDrag(EqGraphBand& band, int mx, int my) {
    band.dragFreq = band.freq;
    band.dragGain = band.gain;
    band.dragQ = band.q;
    band.grabDX = mx - band.handleX;
    band.grabDY = my - band.handleY;
    band.startX = band.handleX;
    band.startY = band.handleY;
}

// The mouse applied to the bands, in index order. Returns the band edited last, or -1.
int EditBands(const PlotAxes& axes, int mx, int my, uint32_t leftDown, uint32_t* leftClaim,
              uint32_t rightDown, uint32_t* rightClaim, int bandCount, EqGraphBand* bands) {
    int edited = -1;
    for (int i = 0; i < bandCount; ++i) {
        EqGraphBand& band = bands[i];
        const bool near =
            std::abs(mx - band.handleX) <= GrabReach && std::abs(my - band.handleY) <= GrabReach;
        if (!near && !band.moving && !band.qDragging) {
            band.moving = 0;
            band.qDragging = 0;
            continue;
        }

        // The grab offsets, once subtracted, stay subtracted for the rest of the call.
        if (rightDown && band.type == EqBandType::Peak && (band.qDragging || (*rightClaim == 0 && near))) {
            if (!band.qDragging) StartDrag(band, mx, my);
            mx -= band.grabDX;
            my -= band.grabDY;
            // Until the pointer moves off the handle's column the band keeps its Q.
            if (mx != band.startX) {
                float q = band.dragQ + (mx - band.startX) / QDragPixels;
                if (q < MinQ) q = MinQ;
                if (q > MaxQ) q = MaxQ;
                band.q = std::trunc(q * 5.0f) / 5.0f;
            } else {
                band.q = band.dragQ;
            }
            edited = i;
            *rightClaim = 1;
            band.qDragging = 1;
        } else {
            band.qDragging = 0;
        }

        if (leftDown && (band.moving || (*leftClaim == 0 && near))) {
            if (!band.moving) StartDrag(band, mx, my);
            mx -= band.grabDX;
            my -= band.grabDY;
            float f = axes.FreqAt(mx);
            if (!IsFilterBand(band.type)) {
                if (f < MinFreqHz) f = MinFreqHz;
                if (f > MaxFreqHz) f = MaxFreqHz;
            } else {
                if (f < band.minFreq) f = static_cast<float>(band.minFreq);
                if (f < 10.0f) f = 10.0f;
                if (f > band.maxFreq) f = static_cast<float>(band.maxFreq);
            }
            float g = axes.GainAt(my);
            if (g < MinGainDb) g = MinGainDb;
            if (g > MaxGainDb) g = MaxGainDb;
            if (KeyDown(VkShift)) {
                // Only the axis the mouse moved further along changes.
                int nx = TruncPixel(axes.X(f));
                int ny = TruncPixel(axes.Y(g));
                if (std::abs(nx - band.startX) <= std::abs(ny - band.startY))
                    f = band.dragFreq;
                else
                    g = band.dragGain;
            }
            // The handle's pixel is the band's value truncated: an axis the pointer has not moved
            // along keeps the value the drag began with, so a press without a move changes nothing.
            if (mx == band.startX) f = band.dragFreq;
            if (my == band.startY) g = band.dragGain;
            band.freq = f;
            band.gain = IsFilterBand(band.type) ? 0.0f : g;
            edited = i;
            *leftClaim = 1;
            band.moving = 1;
        } else {
            band.moving = 0;
        }
    }
    return edited;
}

// Band `band`'s share computed again unless it was computed from the same parameters.
void UpdateShare(EqBandShare& share, const EqGraphBand& band, float q, int width, int height) {
    if (share.valid && share.type == band.type && share.freq == band.freq && share.q == q &&
        share.gain == band.gain && share.width == width)
        return;
    // The band's values are what it would give the lit curve: exactly what it adds to the sum, zeros
    // for a flat band (adding them changes no sum: one that starts at +0 never becomes -0), and for a
    // type the curve does not know, untouched -0s, which add nothing to any sum.
    static float unusedSum[EqCurveCapacity];
    for (float& v : share.values)
        v = -0.0f;
    EqBandCurve(width, height, unusedSum, band.type, band.freq, q, band.gain, 1, share.values);
    for (float& v : unusedSum)
        v = 0.0f;
    // The types the curve knows; a band of another leaves the lit curve as it is.
    share.shown = band.type == EqBandType::Peak || band.type == EqBandType::LowShelf ||
                  band.type == EqBandType::HighShelf || IsFilterBand(band.type);
    share.type = band.type;
    share.freq = band.freq;
    share.q = q;
    share.gain = band.gain;
    share.width = width;
    share.valid = 1;
}

void Recompute(const PlotAxes& axes, int bandCount, EqGraphBand* bands, float* sumCurve, float* litCurve,
               EqBandShare* shares) {
    for (int j = 0; j < EqCurveCapacity; ++j)
        sumCurve[j] = 0.0f;
    const int width = static_cast<int>(axes.width), height = static_cast<int>(axes.height);
    for (int i = 0; i < bandCount; ++i) {
        EqGraphBand& band = bands[i];
        // A Q below 1 is drawn a little narrower than it is.
        float q = band.q >= 1.0f ? band.q : 1.0f - (1.0f - band.q) * 0.7f;
        int lit = band.moving || band.changed || band.qDragging;
        if (shares) {
            EqBandShare& share = shares[i];
            UpdateShare(share, band, q, width, height);
            for (int j = 0; j < EqCurveSamples; ++j)
                sumCurve[j] += share.values[j];
            if (lit && share.shown)
                for (int j = 0; j < EqCurveSamples; ++j)
                    litCurve[j] = share.values[j];
        } else {
            EqBandCurve(width, height, sumCurve, band.type, band.freq, q, band.gain, lit, litCurve);
        }
        band.lit = lit;
        band.changed = 0;
    }
}

void DrawLine(float x0, float y0, float x1, float y1) {
    glBegin(GL_LINES);
    glVertex2f(x0, y0);
    glVertex2f(x1, y1);
    glEnd();
}

// Grid lines and their labels, in graph pixels.
void DrawGrid(const PlotAxes& axes, float a, TextRenderer* font) {
    const float half = axes.height / 2;
    const float bright[3] = {0.1f, 0.8f, 0.1f};
    const float dim[3] = {0.1f, 0.32f, 0.1f};

    for (int i = 0; i <= 16; ++i) {
        float y = EqGraphTop + half + (i - 8) * 3 * half / AxisDb;
        const float* c = (i == 0 || i == 16) ? bright : dim;
        glColor4f(c[0], c[1], c[2], a * a * 0.8f);
        DrawLine(EqGraphLeft, y, EqGraphLeft + axes.width, y);
    }

    static const int Decades[] = {10, 100, 1000, 10000};
    for (int decade : Decades)
        for (int step = 1; step <= 9; ++step) {
            int freq = decade * step;
            if (freq > 20000) break;
            float x = EqGraphLeft + axes.X(static_cast<float>(freq));
            if (step == 1)
                glColor4f(bright[0], bright[1], bright[2], a * 0.8f * a * 0.8f);
            else
                glColor4f(dim[0], dim[1], dim[2], a * a * 0.8f);
            DrawLine(x, EqGraphTop + 1.0f, x, EqGraphTop + axes.height - 1.0f);
        }

    glColor4f(bright[0], bright[1], bright[2], a * 0.5f);
    DrawLine(EqGraphLeft, EqGraphTop + half, EqGraphLeft + axes.width, EqGraphTop + half);

    if (!font) return;
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 0.2f, a * 0.8f);
    for (int i = 0; i <= 16; i += 2) {
        int db = 24 - 3 * i;
        int y = static_cast<int>(EqGraphTop + half + (i - 8) * 3 * half / AxisDb) - 8;
        if (db == 0)
            font->DrawText(36 - font->TextWidth("%ddB", db), y, "%ddB", db);
        else
            font->DrawText(36 - font->TextWidth("%+ddB", db), y, "%+ddB", db);
    }
    // On a narrow graph a label that would run into one already drawn is left out. The decades come
    // first, then the 2s, then the 5s, so what is left out is the least telling.
    static const int Labelled[] = {100, 1000, 10000, 20, 200, 2000, 20000, 50, 500, 5000};
    const int labelY = EqGraphTop + static_cast<int>(axes.height);
    constexpr int LabelGap = 5;
    bool drawn[10] = {};
    int left[10] = {}, right[10] = {};
    for (int i = 0; i < 10; ++i) {
        int freq = Labelled[i];
        char text[16];
        std::snprintf(text, sizeof text, freq < 1000 ? "%dHz" : "%dkHz", freq < 1000 ? freq : freq / 1000);
        left[i] = EqGraphLeft + static_cast<int>(axes.X(static_cast<float>(freq))) - 10;
        right[i] = left[i] + font->TextWidth("%s", text);
        bool clear = true;
        for (int j = 0; j < i; ++j)
            if (drawn[j] && left[i] < right[j] + LabelGap && left[j] < right[i] + LabelGap) clear = false;
        if (!clear) continue;
        drawn[i] = true;
        font->DrawText(left[i], labelY, "%s", text);
    }
    glDisable(GL_TEXTURE_2D);
}

// The lit band as a translucent area down to 0 dB, in fans of three samples.
void DrawLitArea(const PlotAxes& axes, float a, const float* litCurve) {
    const float zeroY = EqGraphTop + axes.Y(0.0f);
    glColor4f(1.0f, 1.0f, 1.0f, a * 0.3f);
    bool open = false;
    for (int i = 0; i < EqCurveSamples; ++i) {
        float x = EqGraphLeft + axes.width * i / EqCurveSamples;
        float y = EqGraphTop + axes.Y(litCurve[i]);
        if (i % 3 == 0) {
            if (open) {
                glVertex2f(x, y);
                glVertex2f(x, zeroY);
                glEnd();
            }
            glBegin(GL_POLYGON);
            glVertex2f(x, zeroY);
            open = true;
        }
        glVertex2f(x, y);
    }
    if (open) {
        glVertex2f(EqGraphLeft + axes.width, zeroY);
        glEnd();
    }
}

void DrawSumLine(const PlotAxes& axes, float a, const float* sumCurve) {
    glShadeModel(GL_SMOOTH);
    glEnable(GL_LINE_SMOOTH);
    glColor4f(0.1f, 0.6745098f, 1.0f, a);
    SetLineWidth(2.0f);
    glBegin(GL_LINE_STRIP);
    for (int i = 0; i < EqCurveSamples; ++i)
        glVertex2f(EqGraphLeft + axes.width * i / EqCurveSamples, EqGraphTop + axes.Y(sumCurve[i]));
    glEnd();
    SetLineWidth(1.0f);
    glDisable(GL_LINE_SMOOTH);
    glShadeModel(GL_FLAT);
}

void DrawHandles(float a, int bandCount, const EqGraphBand* bands) {
    if (!EqTexture) return;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, EqTexture);
    glColor4f(1.0f, 1.0f, 1.0f, a);
    const SkinRect handle = Rect(Piece::EqHandle);
    for (int i = 0; i < bandCount; ++i)
        DrawSkinQuad(handle, EqGraphLeft + bands[i].handleX - 16, EqGraphTop + bands[i].handleY - 16, 32, 32);
    glDisable(GL_TEXTURE_2D);
}

void DrawHandleLabels(const PlotAxes& axes, float a, int bandCount, const EqGraphBand* bands,
                      TextRenderer* font) {
    if (!font) return;
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, a);
    for (int i = 0; i < bandCount; ++i) {
        const EqGraphBand& band = bands[i];
        const bool above = band.handleY <= axes.height / 2 + 4;
        const int y = EqGraphTop + band.handleY + (above ? -18 : 5);
        const int x = EqGraphLeft + band.handleX;
        switch (band.type) {
        case EqBandType::HighPass12:
        case EqBandType::HighPass24:
            font->DrawText(x - (above ? 10 : 3), y, "HPF");
            break;
        case EqBandType::LowPass12:
        case EqBandType::LowPass24:
            font->DrawText(x - (above ? 8 : 3), y, "LPF");
            break;
        default:
            font->DrawText(x - (i + 1 >= 10 ? 7 : 3), y, "%d", i + 1); // two digits sit 4 px further left
            break;
        }
    }
    glDisable(GL_TEXTURE_2D);
}

// The reset button sits in the bottom margin, under the left end of the plot.
constexpr int ResetX = 38;
constexpr int ResetWidth = 25;
constexpr int ResetHeight = 11;

} // namespace

void EqGraphRun(int mouseX, int mouseY, uint32_t leftDown, uint32_t* leftClaim, uint32_t rightDown,
                uint32_t* rightClaim, float alpha, uint32_t fadeFlags, int x, int y, int width, int height,
                int bandCount, EqGraphBand* bands, float* sumCurve, float* litCurve, int forceRecalc,
                int32_t* draggedBand, int32_t* resetClicked, EqBandShare* shares) {
    *draggedBand = -1;
    *resetClicked = 0;
    const float a = alpha;
    const PlotAxes axes{static_cast<float>(width - EqGraphLeft - EqGraphRight),
                        static_cast<float>(height - EqGraphTop - EqGraphBottom)};

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_TEXTURE_2D);
    SetViewportProjection(width, height, x, ClientHeight - (y + height));

    // At full strength the plot's black replaces what is under it: blended or not, the same pixels,
    // and unblended the software renderer need not read them first.
    const float baseAlpha = fadeFlags ? a : 1.0f;
    if (baseAlpha >= 1.0f) glDisable(GL_BLEND);
    glColor4f(0.0f, 0.0f, 0.0f, baseAlpha);
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(width, 0);
    glVertex2i(width, height);
    glVertex2i(0, height);
    glEnd();
    glEnable(GL_BLEND);

    TextRenderer* font = FontNormal;
    DrawGrid(axes, a, font);
    PlaceHandles(axes, bandCount, bands);

    // A graph smaller than its margins has no plot to edit on.
    const bool plotUsable = axes.width >= 1.0f && axes.height >= 1.0f;
    int edited = -1;
    if (!forceRecalc && plotUsable)
        edited = EditBands(axes, mouseX - x - EqGraphLeft, mouseY - y - EqGraphTop, leftDown, leftClaim,
                           rightDown, rightClaim, bandCount, bands);
    *draggedBand = edited;
    if (edited >= 0 || forceRecalc) Recompute(axes, bandCount, bands, sumCurve, litCurve, shares);

    DrawLitArea(axes, a, litCurve);
    DrawSumLine(axes, a, sumCurve);
    DrawHandles(a, bandCount, bands);
    // The labels follow this call's edits; the handles above were placed before them.
    PlaceHandles(axes, bandCount, bands);
    DrawHandleLabels(axes, a, bandCount, bands, font);

    if (UiTexture) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, UiTexture);
        glColor4f(1.0f, 1.0f, 1.0f, a);
        DrawSkinQuad(Rect(Piece::EqResetButton), ResetX, height - 14, ResetWidth, ResetHeight);
        glDisable(GL_TEXTURE_2D);
    }
    const int rx = mouseX - x;
    const int ry = mouseY - y;
    if (leftDown && *leftClaim == 0 && rx > 37 && rx < 64 && ry >= height - 14 && ry <= height - 1) {
        *leftClaim = 1;
        *resetClicked = 1;
    }

    SetPixelProjection(ClientWidth, ClientHeight, 0, 1.0f);
}
