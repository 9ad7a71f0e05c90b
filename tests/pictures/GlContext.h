// A hidden SDL window with a GL 2.1 compatibility context, made once per test program, and helpers to
// read back what was drawn.
#pragma once

#include "tests/support/GlTestWindow.h"

#include <cstdint>
#include <string>
#include <vector>

class GlContext {
  public:
    static constexpr int Width = 1280;
    static constexpr int Height = 1330;

    // True when a context is current (made on first use).
    static bool Ready() {
        static GlContext context;
        return context.gl != nullptr;
    }

    // Pixel projection with y down, blending on, the colour buffer cleared to `grey`.
    static void BeginFrame(float grey = 0.0f) {
        glViewport(0, 0, Width, Height);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, Width, Height, 0, -100, 100);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(grey, grey, grey, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_TEXTURE_2D);
    }

    // The RGBA bytes of the back buffer, top row first.
    static std::vector<uint8_t> ReadScreen() { return ReadRgbaTopDown(Width, Height); }

    // A level of a texture as RGBA bytes, first row (t = 0) first.
    static std::vector<uint8_t> ReadTexture(uint32_t texture, int level, int* width, int* height) {
        glBindTexture(GL_TEXTURE_2D, texture);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, height);
        std::vector<uint8_t> pixels(size_t(*width) * *height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

  private:
    GlContext() { window = OpenHiddenGlWindow("tests", Width, Height, &gl); }
    SDL_Window* window = nullptr;
    SDL_GLContext gl = nullptr;
};
