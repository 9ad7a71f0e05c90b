// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing headless in tests and picture programs: a GL 2.1 compatibility context on an off-screen
// pixel buffer (EGL on Mesa's surfaceless platform: no window system, no X server, no SDL), one for a
// whole program, and the pixels of the colour buffer and of textures read back.
#pragma once

#include "app/ui/Projection.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Why the last context could not be made (empty when it was).
inline std::string& GlTestProblem() {
    static std::string problem;
    return problem;
}

// Makes a width x height pixel buffer (RGBA8, 24-bit depth) and a context on it, and makes them current.
// False with GlTestProblem() saying why.
inline bool OpenOffscreenGl(int width, int height) {
    auto fail = [](const char* step) {
        char text[96];
        std::snprintf(text, sizeof text, "%s failed (EGL error 0x%04X)", step, eglGetError());
        GlTestProblem() = text;
        return false;
    };
    auto platformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!platformDisplay) return fail("eglGetPlatformDisplayEXT");
    EGLDisplay display = platformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    EGLint major = 0, minor = 0;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) return fail("eglInitialize");
    const EGLint wanted[] = {EGL_SURFACE_TYPE,
                             EGL_PBUFFER_BIT,
                             EGL_RENDERABLE_TYPE,
                             EGL_OPENGL_BIT,
                             EGL_RED_SIZE,
                             8,
                             EGL_GREEN_SIZE,
                             8,
                             EGL_BLUE_SIZE,
                             8,
                             EGL_ALPHA_SIZE,
                             8,
                             EGL_DEPTH_SIZE,
                             24,
                             EGL_NONE};
    EGLConfig config;
    EGLint count = 0;
    if (!eglChooseConfig(display, wanted, &config, 1, &count) || count == 0) return fail("eglChooseConfig");
    const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    EGLSurface surface = eglCreatePbufferSurface(display, config, size);
    if (surface == EGL_NO_SURFACE) return fail("eglCreatePbufferSurface");
    if (!eglBindAPI(EGL_OPENGL_API)) return fail("eglBindAPI");
    const EGLint version[] = {EGL_CONTEXT_MAJOR_VERSION, 2, EGL_CONTEXT_MINOR_VERSION, 1, EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, version);
    if (context == EGL_NO_CONTEXT) return fail("eglCreateContext");
    if (!eglMakeCurrent(display, surface, surface, context)) return fail("eglMakeCurrent");
    GlTestProblem().clear();
    return true;
}

// The RGBA bytes of the colour buffer's lower-left width x height region, top row first.
inline std::vector<uint8_t> ReadRgbaTopDown(int width, int height) {
    const size_t stride = static_cast<size_t>(width) * 4;
    std::vector<uint8_t> bottomUp(stride * height), topDown(stride * height);
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    for (int y = 0; y < height; ++y)
        std::copy_n(bottomUp.data() + (height - 1 - y) * stride, stride, topDown.data() + y * stride);
    return topDown;
}

// The program's one context (TestGlWidth x TestGlHeight), made at the first call. False when none could
// be made (GlTestProblem() says why).
constexpr int TestGlWidth = 1280, TestGlHeight = 1330;
inline bool TestGlReady() {
    static const bool ready = OpenOffscreenGl(TestGlWidth, TestGlHeight);
    return ready;
}

// Pixel projection over the whole buffer with y down, blending and textures on, the colour buffer
// cleared to `grey`.
inline void BeginTestFrame(float grey = 0.0f) {
    SetPixelProjection(TestGlWidth, TestGlHeight, 0, 1.0f);
    glClearColor(grey, grey, grey, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
}

// A level of a texture as RGBA bytes, first row (t = 0) first.
inline std::vector<uint8_t> ReadTexture(uint32_t texture, int level, int* width, int* height) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, height);
    std::vector<uint8_t> pixels(size_t(*width) * *height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}
