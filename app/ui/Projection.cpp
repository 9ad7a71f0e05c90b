// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/Projection.h"

#include <GL/gl.h>

#include <malloc.h>

void SetPixelProjection(int width, int height, int centred, float scale) {
    glViewport(0, 0, width, height);
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
    glViewport(x, y, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, height, 0.0, -100.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
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
