// SPDX-License-Identifier: GPL-3.0-or-later
// Font faces through fontconfig and FreeType: the text renderer's platform layer (no other file of the
// toolkit uses these libraries). Window thread only.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstddef>
#include <cstdint>
#include <string>

struct FontFace {
    FT_Face face = nullptr;
    bool embolden = false;
    int ascent = 0; // pixels from the top of the text cell to the baseline
};

// The fontconfig alias rules ("Tahoma" -> a face this machine has, ...), given before the engine
// starts; it loads them with its configuration.
void SetFontEngineAliases(const char* text, size_t size);
// FreeType and fontconfig with the alias rules: started once a process. False when FreeType failed.
bool StartFontEngine();

// The face fontconfig picks for a family (GBK, as every text of the console) and weight, sized so that
// its cell (ascent plus descent, as the Windows metrics give it) is `cellHeight` pixels. No face on
// failure, and FontFaceProblem() says what fontconfig gave.
FontFace OpenFontFace(const char* family, int weight, int cellHeight);
const std::string& FontFaceProblem();
void CloseFontFace(FontFace& face);

// Rasterises one character of `face` into `coverage` (cell x cell, top row first, 255 where inked)
// with the pen at the left of a cell whose top is the text's top. False when the face has no such
// character.
bool RasteriseGlyph(FontFace& face, uint32_t unicode, int cell, uint8_t* coverage, int* advance);
// The advance of the face's missing-glyph box, or -1 when it has none.
int MissingGlyphAdvance(const FontFace& face);

// A face name for messages, in UTF-8.
std::string FamilyName(const char* family);
