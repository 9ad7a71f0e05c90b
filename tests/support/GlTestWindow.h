// Drawing headless in tests and picture programs: a hidden SDL window with a GL 2.1 compatibility
// context (SDL's offscreen driver gives one with no X server), and the pixels read back top row first.
#pragma once

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
