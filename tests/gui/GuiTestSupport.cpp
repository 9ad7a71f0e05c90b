#include "GuiTestSupport.h"

#include "app/ui/Projection.h"
#include "app/pictures/Resources.h"
#include "app/ui/Textures.h"
#include "app/pictures/Embedded.h"
#include "gui/TextRenderer.h"
#include "tests/support/GlTestWindow.h"

#include <GL/gl.h>
#include <SDL.h>
#include <cstdio>
#include <cstdlib>

int Fired::count[16];

void EnsureGlContext(int width, int height) {
    if (!TestGlReady()) {
        std::fprintf(stderr, "no GL context: %s\n", SDL_GetError());
        std::abort();
    }
    SetDefaultGLState();
    SetPixelProjection(width, height, 0, 1.0f);
}

bool LoadSkinsAndFonts() {
    EnsureGlContext();
    if (!UiTexture) {
        AllocateDecodeBuffer();
        LoadPacks();
        LoadSkinTexture("wf.png", &WfTexture, GL_LINEAR, GL_LINEAR);
        LoadSkinTexture("ui.png", &UiTexture, GL_LINEAR, GL_LINEAR);
        LoadSkinTexture("dx.tga", &DxTexture, GL_LINEAR, GL_LINEAR);
        LoadSkinTexture("ex.png", &ExTexture, GL_LINEAR, GL_NEAREST);
    }
    if (!FontNormal) {
        FontNormal = new TextRenderer;
        UseEmbeddedFontAliases();
        FontNormal->Create("Tahoma", "宋体", 400, 400, 12, 13, 0, 16);
    }
    if (!FontBold) {
        FontBold = new TextRenderer;
        FontBold->Create("Tahoma", "宋体", 700, 400, 12, 13, 0, 16);
    }
    return WfTexture && UiTexture && DxTexture && ExTexture && FontNormal->TextWidth("%s", "A") > 0;
}
