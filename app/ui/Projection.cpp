// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/Projection.h"

#include <GL/gl.h>

#include "app/ui/AppState.h"

#include <cmath>
#include <malloc.h>

float DrawScale = 1.0f;

namespace {

int g_pixelHeight = 0; // the drawable's height in pixels; 0 = as many as the units take

int Pixels(int units) {
    return static_cast<int>(std::lround(units * DrawScale));
}

// The viewport of units (x, y) to (x + width, y + height), y counted up from the bottom of a window
// `windowHeight` units high whose top row is the drawable's top row.
void UnitViewport(int x, int y, int width, int height, int windowHeight) {
    int bottom = g_pixelHeight > 0 ? g_pixelHeight - Pixels(windowHeight) : 0;
    glViewport(Pixels(x), bottom + Pixels(y), Pixels(x + width) - Pixels(x), Pixels(y + height) - Pixels(y));
}

} // namespace

void SetDrawScale(float scale, int pixelHeight) {
    DrawScale = scale > 0.0f ? scale : 1.0f;
    g_pixelHeight = pixelHeight;
}

void SetPixelProjection(int width, int height, int centred, float scale) {
    UnitViewport(0, 0, width, height, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (centred) {
        double hw = width / 2.0 * scale;
        double hh = height / 2.0 * scale;
        glOrtho(-hw, hw, -hh, hh, -10000.0, 10000.0);
    } else {
        glOrtho(0.0, width, height, 0.0, -100.0, 100.0);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void SetViewportProjection(int width, int height, int x, int y) {
    UnitViewport(x, y, width, height, ClientHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, height, 0.0, -100.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void SetScissorUnits(int x, int y, int width, int height) {
    const int top = g_pixelHeight > 0 ? g_pixelHeight : Pixels(ClientHeight);
    const int left = static_cast<int>(std::floor(x * DrawScale));
    const int right = static_cast<int>(std::ceil((x + width) * DrawScale));
    const int bottom = top - static_cast<int>(std::ceil((y + height) * DrawScale));
    const int upper = top - static_cast<int>(std::floor(y * DrawScale));
    glScissor(left, bottom, right - left, upper - bottom);
}

void SetLineWidth(float units) {
    glLineWidth(units * DrawScale);
}

void SetDefaultGLState() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glShadeModel(GL_FLAT);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    SetLineWidth(1.0f);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
}

// Mesa's software renderer allocates and frees a few megabytes of scene data every frame. Given back to
// the system each time, they cost hundreds of page faults a frame, more than a millisecond of a drag
// frame on one core. Blocks under 16 MB now come from the heap, and up to 64 MB freed at its top stay.
void KeepRendererMemory() {
    mallopt(M_MMAP_THRESHOLD, 16 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
}
