// SPDX-License-Identifier: GPL-3.0-or-later
// The fontconfig rules that map the console's face names to installed faces, built into the
// executable (the build passes TONVEX_FONT_ALIASES, the path of gui/fonts.conf), and the console's
// fonts made with them.
#include "gui/TextRenderer.h"

#include "common/Embed.h"

#include <cstdint>

TONVEX_EMBED(tonvex_font_aliases, TONVEX_FONT_ALIASES);

extern "C" {
extern const uint8_t tonvex_font_aliases_start[], tonvex_font_aliases_end[];
}

void UseEmbeddedFontAliases() {
    TextRenderer::SetFontAliases(reinterpret_cast<const char*>(tonvex_font_aliases_start),
                                 size_t(tonvex_font_aliases_end - tonvex_font_aliases_start));
}

void MakeStatusFont() {
    if (FontNormal) return;
    UseEmbeddedFontAliases();
    FontNormal = new TextRenderer;
    FontNormal->Create("Tahoma", "宋体", 400, 400, 12, 13, 0, 16);
}

void MakeOtherFonts() {
    if (!FontBold) {
        FontBold = new TextRenderer;
        FontBold->Create("Tahoma", "宋体", 700, 400, 12, 13, 0, 16);
    }
    if (!FontLarge) {
        FontLarge = new TextRenderer;
        FontLarge->Create("Arial", "宋体", 700, 700, 16, 20, 5, 32);
    }
}
