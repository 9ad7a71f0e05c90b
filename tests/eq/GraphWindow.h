// A hidden SDL window with a GL 2.1 compatibility context, for drawing the graph headless (SDL's
// offscreen driver) and reading the pixels back.
#pragma once

#include <cstdint>
#include <vector>

#include "app/AppState.h"
#include "app/Projection.h"
#include "tests/support/GlTestWindow.h"

class GraphWindow {
  public:
    bool Open(int width, int height) {
        window = OpenHiddenGlWindow("eq", width, height, &context);
        if (!window) return false;
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
    std::vector<uint8_t> Read() const { return ReadRgbaTopDown(ClientWidth, ClientHeight); }

  private:
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
};
