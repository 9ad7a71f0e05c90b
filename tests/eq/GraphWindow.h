// A hidden SDL window with a GL 2.1 compatibility context, for drawing the graph headless (SDL's
// offscreen driver) and reading the pixels back.
#pragma once

#include <SDL.h>
#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/AppState.h"
#include "app/Projection.h"

class GraphWindow {
  public:
    bool Open(int width, int height) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        window = SDL_CreateWindow("eq", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (!window) return false;
        context = SDL_GL_CreateContext(window);
        if (!context) return false;
        SDL_GL_MakeCurrent(window, context);
        ClientWidth = width;
        ClientHeight = height;
        SetDefaultGLState();
        SetPixelProjection(width, height, 0, 1.0f);
        return true;
    }

    void Close() {
        if (context) SDL_GL_DeleteContext(context);
        if (window) SDL_DestroyWindow(window);
        context = nullptr;
        window = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // RGBA rows from the top of the window down.
    std::vector<uint8_t> Read() const {
        std::vector<uint8_t> rows(static_cast<size_t>(ClientWidth) * ClientHeight * 4);
        std::vector<uint8_t> flipped(rows.size());
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, ClientWidth, ClientHeight, GL_RGBA, GL_UNSIGNED_BYTE, flipped.data());
        const size_t stride = static_cast<size_t>(ClientWidth) * 4;
        for (int y = 0; y < ClientHeight; ++y)
            std::copy_n(flipped.data() + (ClientHeight - 1 - y) * stride, stride, rows.data() + y * stride);
        return rows;
    }

  private:
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};
