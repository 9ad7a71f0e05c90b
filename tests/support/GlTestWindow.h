// Drawing headless in tests and picture programs: a hidden SDL window with a GL 2.1 compatibility
// context (SDL's offscreen driver gives one with no X server), one such window for a whole program,
// and the pixels of the back buffer and of textures read back.
#pragma once

#include "app/ui/Projection.h"

#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <vector>

// Makes a hidden window of width x height whose context (RGBA8, 24-bit depth, double buffer) is current.
// Returns the window, or null with SDL_GetError() saying why.
inline SDL_Window* OpenHiddenGlWindow(const char* title, int width, int height, SDL_GLContext* context) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* window = SDL_CreateWindow(title, 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window) return nullptr;
    *context = SDL_GL_CreateContext(window);
    if (!*context) {
        SDL_DestroyWindow(window);
        return nullptr;
    }
    SDL_GL_MakeCurrent(window, *context);
    return window;
}

// The RGBA bytes of the back buffer's lower-left width x height region, top row first.
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

// The program's one hidden window (TestGlWidth x TestGlHeight), made at the first call; its context is
// made current. False when no context could be made (SDL_GetError() says why).
constexpr int TestGlWidth = 1280, TestGlHeight = 1330;
inline bool TestGlReady() {
    static SDL_GLContext context = nullptr;
    static SDL_Window* window = OpenHiddenGlWindow("tests", TestGlWidth, TestGlHeight, &context);
    if (window) SDL_GL_MakeCurrent(window, context);
    return window != nullptr;
}

// Pixel projection over the whole window with y down, blending and textures on, the colour buffer
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
