// A hidden SDL window with a GL 2.1 compatibility context, made once per test program, and helpers to
// read back what was drawn.
#pragma once

#include <GL/gl.h>
#include <SDL.h>
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

class GlContext {
public:
    static constexpr int Width = 1280;
    static constexpr int Height = 1280;

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
    static std::vector<uint8_t> ReadScreen() {
        std::vector<uint8_t> rows(size_t(Width) * Height * 4), flipped(rows.size());
        glFinish();
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, Width, Height, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
        for (int y = 0; y < Height; ++y)
            std::copy_n(&rows[size_t(Height - 1 - y) * Width * 4], Width * 4, &flipped[size_t(y) * Width * 4]);
        return flipped;
    }

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
    GlContext() {
        if (SDL_Init(SDL_INIT_VIDEO) != 0) return;
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        window = SDL_CreateWindow("tests", 0, 0, Width, Height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (window) gl = SDL_GL_CreateContext(window);
    }
    SDL_Window* window = nullptr;
    SDL_GLContext gl = nullptr;
};
