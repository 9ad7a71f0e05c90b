// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestSupport.h"

#include "app/ui/Projection.h"
#include "app/ui/Textures.h"
#include "gui/TextRenderer.h"
#include "tests/support/GlTestWindow.h"
#include "tests/support/RawSkin.h"

#include <GL/gl.h>
#include <cstdio>
#include <cstdlib>

int Fired::count[16];

void EnsureGlContext(int width, int height) {
    if (!TestGlReady()) {
        std::fprintf(stderr, "no GL context: %s\n", GlTestProblem().c_str());
        std::abort();
    }
    SetDefaultGLState();
    SetPixelProjection(width, height, 0, 1.0f);
}

bool LoadSkinsAndFonts() {
    EnsureGlContext();
    if (!UiTexture) {
        LoadRawSkinTexture("wf.png", &WfTexture, GL_LINEAR, GL_LINEAR);
        LoadRawSkinTexture("ui.png", &UiTexture, GL_LINEAR, GL_LINEAR);
        LoadRawSkinTexture("dx.tga", &DxTexture, GL_LINEAR, GL_LINEAR);
        LoadRawSkinTexture("ex.png", &ExTexture, GL_LINEAR, GL_NEAREST);
        LoadRawSkinTexture("eq.png", &EqTexture, GL_LINEAR, GL_NEAREST);
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
    return WfTexture && UiTexture && DxTexture && ExTexture && EqTexture &&
           FontNormal->TextWidth("%s", "A") > 0;
}
