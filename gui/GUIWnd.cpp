#include "gui/GUIWnd.h"

#include <GL/gl.h>

GUIWnd* GUIWnd::ActivateAt(int, int) { return nullptr; }
void GUIWnd::Draw(float) {}
void GUIWnd::OnMouseMove(int, int, uint32_t, uint32_t*, uint32_t) {}
void GUIWnd::OnMouseDown(int, int, uint32_t*, uint32_t) {}
void GUIWnd::OnMouseUp(int, int, uint32_t) {}
void GUIWnd::OnWheel(int) {}
void GUIWnd::OnChar(uint32_t) {}
void GUIWnd::OnKeyDown(uint32_t) {}

void DrawSkinQuad(const SkinRect& rect, int x, int y, int w, int h) {
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

void DrawSkinQuadF(const SkinRect& rect, float x, float y, float w, float h) {
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
