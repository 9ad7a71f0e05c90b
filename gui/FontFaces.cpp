// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/FontFaces.h"

#include "common/GbkText.h"

#include <fontconfig/fontconfig.h>
#include FT_BITMAP_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>

namespace {

FT_Library Library;
FcConfig* FontConfig;
bool EngineTried;
std::string FontAliases; // fontconfig rules given by the program, loaded with the engine
std::string g_problem;   // what fontconfig gave for the last face that could not be opened

} // namespace

void SetFontEngineAliases(const char* text, size_t size) {
    FontAliases.assign(text ? text : "", text ? size : 0);
}

bool StartFontEngine() {
    if (EngineTried) return Library != nullptr;
    EngineTried = true;
    if (FT_Init_FreeType(&Library) != 0) {
        Library = nullptr;
        return false;
    }
    FontConfig = FcInitLoadConfigAndFonts();
    if (FontConfig && !FontAliases.empty())
        FcConfigParseAndLoadFromMemory(FontConfig, reinterpret_cast<const FcChar8*>(FontAliases.c_str()),
                                       FcFalse);
    return true;
}

FontFace OpenFontFace(const char* family, int weight, int cellHeight) {
    FontFace result;
    g_problem = "no font configuration";
    if (!FontConfig || !family || cellHeight < 1) return result;
    FcPattern* pattern = FcPatternCreate();
    std::string familyUtf8 = GbkToUtf8(family);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(familyUtf8.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, cellHeight);
    FcConfigSubstitute(FontConfig, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult matched = FcResultNoMatch;
    FcPattern* font = FcFontMatch(FontConfig, pattern, &matched);
    FcPatternDestroy(pattern);
    g_problem = "no font at all";
    if (!font) return result;
    FcChar8* file = nullptr;
    int index = 0;
    FcBool embolden = FcFalse;
    if (FcPatternGetString(font, FC_FILE, 0, &file) == FcResultMatch) {
        FcPatternGetInteger(font, FC_INDEX, 0, &index);
        FcPatternGetBool(font, FC_EMBOLDEN, 0, &embolden);
        if (FT_New_Face(Library, reinterpret_cast<const char*>(file), index, &result.face) != 0) {
            result.face = nullptr;
            g_problem = std::string(reinterpret_cast<const char*>(file)) + ", which FreeType cannot open";
        }
    }
    FcPatternDestroy(font);
    if (!result.face) return result;
    result.embolden = embolden;

    FT_Face face = result.face;
    double ascender = face->ascender, descender = -face->descender;
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)); os2 && os2->usWinAscent) {
        ascender = os2->usWinAscent;
        descender = os2->usWinDescent;
    }
    double units = face->units_per_EM ? face->units_per_EM : 1000;
    int em = cellHeight;
    if (ascender + descender > 0)
        em = static_cast<int>(std::lround(cellHeight * units / (ascender + descender)));
    // A face with a bitmap strike of the cell height (the Song faces) uses it: crisp small Chinese.
    if (FT_HAS_FIXED_SIZES(face)) {
        for (int i = 0; i < face->num_fixed_sizes; ++i)
            if (face->available_sizes[i].height == cellHeight ||
                face->available_sizes[i].y_ppem >> 6 == cellHeight)
                em = cellHeight;
    }
    if (em < 1) em = 1;
    FT_Set_Pixel_Sizes(face, 0, em);
    result.ascent = static_cast<int>(std::lround(ascender * em / units));
    if (result.ascent > cellHeight) result.ascent = cellHeight;
    return result;
}

const std::string& FontFaceProblem() {
    return g_problem;
}

void CloseFontFace(FontFace& face) {
    if (face.face) FT_Done_Face(face.face);
    face.face = nullptr;
}

bool RasteriseGlyph(FontFace& f, uint32_t unicode, int cell, uint8_t* coverage, int* advance) {
    if (!f.face || unicode == 0) return false;
    FT_UInt index = FT_Get_Char_Index(f.face, unicode);
    if (index == 0) return false;
    if (FT_Load_Glyph(f.face, index, FT_LOAD_TARGET_MONO) != 0) return false;
    FT_GlyphSlot slot = f.face->glyph;
    FT_Pos extra = 0;
    if (f.embolden && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_Outline_EmboldenXY(&slot->outline, 64, 0);
        extra = 64;
    }
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0)
        return false;
    if (f.embolden && extra == 0 && slot->bitmap.rows > 0) {
        FT_Bitmap_Embolden(Library, &slot->bitmap, 64, 0);
        extra = 64;
    }
    *advance = static_cast<int>((slot->advance.x + extra + 32) >> 6);
    const FT_Bitmap& bitmap = slot->bitmap;
    // Emboldening turns a one-bit strike into bytes of 0 and 1 (two grey levels): half the levels
    // is the threshold whatever the scale.
    const int levels = bitmap.num_grays > 1 ? bitmap.num_grays : 256;
    int left = slot->bitmap_left;
    int top = f.ascent - slot->bitmap_top;
    for (int row = 0; row < static_cast<int>(bitmap.rows); ++row) {
        int y = top + row;
        if (y < 0 || y >= cell) continue;
        const uint8_t* src = bitmap.buffer + row * bitmap.pitch;
        for (int col = 0; col < static_cast<int>(bitmap.width); ++col) {
            int x = left + col;
            if (x < 0 || x >= cell) continue;
            bool on = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (src[col >> 3] >> (7 - (col & 7))) & 1
                                                              : src[col] * 2 >= levels;
            if (on) coverage[y * cell + x] = 255;
        }
    }
    return true;
}

int MissingGlyphAdvance(const FontFace& face) {
    if (!face.face || FT_Load_Glyph(face.face, 0, FT_LOAD_TARGET_MONO) != 0) return -1;
    return static_cast<int>((face.face->glyph->advance.x + 32) >> 6);
}

std::string FamilyName(const char* family) {
    return GbkToUtf8(family);
}
