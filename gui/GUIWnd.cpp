// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GUIWnd.h"

#include "app/ui/Projection.h"
#include "common/Tick.h"

#include <GL/gl.h>

void GUIWnd::AttachTo(GUIWnd* owner) {
    parent = owner;
    if (!owner) return;
    GUIWnd** link = &owner->firstChild;
    for (; *link; link = &(*link)->nextSibling)
        if (*link == this) return;
    *link = this;
}

GUIWnd* GUIWnd::ActivateAt(int, int) {
    return nullptr;
}
void GUIWnd::Draw(float) {}
void GUIWnd::OnMouseMove(int, int, uint32_t, uint32_t*, uint32_t) {}
void GUIWnd::OnMouseDown(int, int, uint32_t*, uint32_t) {}
void GUIWnd::OnMouseUp(int, int, uint32_t) {}
void GUIWnd::OnWheel(int) {}
void GUIWnd::OnChar(uint32_t) {}
void GUIWnd::OnKeyDown(uint32_t) {}

SkinRect ScaledSkinRect(const SkinRect& rect) {
    if (DrawScale == 1.0f) return rect;
    // Drawn larger than its texels, a piece's edge pixels would blend in half a texel of whatever lies
    // next to it in the skin image (a seam across the panel): the piece is cut half a texel inside.
    GLint texture = 0, width = 0, height = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    if (texture == 0) return rect;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    if (width <= 0 || height <= 0) return rect;
    auto inset = [](float& from, float& to, float half) {
        float d = to >= from ? half : -half;
        if ((to - from) * (to >= from ? 1 : -1) <= 2 * half) {
            from = to = (from + to) / 2;
            return;
        }
        from += d;
        to -= d;
    };
    SkinRect r = rect;
    inset(r.s0, r.s1, 0.5f / width);
    inset(r.t0, r.t1, 0.5f / height);
    return r;
}

void DrawSkinQuad(const SkinRect& piece, int x, int y, int w, int h) {
    const SkinRect rect = ScaledSkinRect(piece);
    glBegin(GL_QUADS);
    glTexCoord2f(rect.s0, rect.t0);
    glVertex2i(x, y);
    glTexCoord2f(rect.s1, rect.t0);
    glVertex2i(x + w, y);
    glTexCoord2f(rect.s1, rect.t1);
    glVertex2i(x + w, y + h);
    glTexCoord2f(rect.s0, rect.t1);
    glVertex2i(x, y + h);
    glEnd();
}

void DrawSkinQuadF(const SkinRect& piece, float x, float y, float w, float h) {
    const SkinRect rect = ScaledSkinRect(piece);
    glBegin(GL_QUADS);
    glTexCoord2f(rect.s0, rect.t0);
    glVertex2f(x, y);
    glTexCoord2f(rect.s1, rect.t0);
    glVertex2f(x + w, y);
    glTexCoord2f(rect.s1, rect.t1);
    glVertex2f(x + w, y + h);
    glTexCoord2f(rect.s0, rect.t1);
    glVertex2f(x, y + h);
    glEnd();
}

void BeginSkin(uint32_t texture, float r, float g, float b, float a) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_TEXTURE_2D);
    glColor4f(r, g, b, a);
}

void BeginFlat(float r, float g, float b, float a) {
    glDisable(GL_TEXTURE_2D);
    glColor4f(r, g, b, a);
}

void DrawThreePiece(const SkinRect pieces[3], int x, int y, int w, int h) {
    DrawSkinQuad(pieces[0], x, y, 16, h);
    DrawSkinQuad(pieces[1], x + 16, y, w - 32, h);
    DrawSkinQuad(pieces[2], x + w - 16, y, 16, h);
}

namespace {
bool LookChanging = false;
} // namespace

void LookKeepsChanging() {
    LookChanging = true;
}

bool TakeLookChanging() {
    bool changing = LookChanging;
    LookChanging = false;
    return changing;
}

bool LookChangingSoFar() {
    return LookChanging;
}

float TickProgress(uint32_t start, uint32_t durationMs) {
    return static_cast<float>(TickSince(start)) / static_cast<float>(durationMs);
}
