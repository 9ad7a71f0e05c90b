// SPDX-License-Identifier: GPL-3.0-or-later
// Glyphs made from the faces of gui/FontFaces into atlas pages, GBK decoded through common/GbkText,
// and the layout of texts in them.
#include "gui/TextRenderer.h"

#include "common/GbkText.h"
#include "common/Trace.h"
#include "gui/FontFaces.h"
#include "app/ui/Projection.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

TextRenderer* FontNormal;
TextRenderer* FontBold;
TextRenderer* FontLarge;

namespace {

constexpr int CodeCount = 65536;
constexpr int FirstWideCode = 143; // codes from here on are two-byte characters

// The Unicode character of a code, or 0 when it is none.
uint32_t UnicodeOf(uint16_t code) {
    if (code < 128) return code;
    if (code < FirstWideCode) return 0;
    return GbkPairToUnicode(static_cast<uint8_t>(code & 0xFF), static_cast<uint8_t>(code >> 8));
}

// The glyph's RGBA texture from its coverage (n x n, top row first): white ink, or for style 5 white ink
// over a soft black halo moved one unit right and one down (a unit is u texels).
void FillGlyphPixels(const uint8_t* cover, uint8_t* rgba, uint8_t* halo, int n, int style, int u) {
    // D(r, c): coverage of column c in row r counted from the bottom; the texture's row r is the glyph's
    // row r from the bottom.
    auto D = [&](int r, int c) { return int(cover[(n - 1 - r) * n + c]); };
    auto px = [&](int r, int c) { return rgba + (r * n + c) * 4; };
    std::memset(rgba, 0, n * n * 4);
    if (style == 5) {
        // A black halo under the glyph, moved one unit (u texels) right and one down, softened once.
        for (int r = u; r < n; ++r)
            for (int c = 0; c < n; ++c) {
                int d = D(r, c);
                if (d == 0) continue;
                for (int rr = r - 2 * u; rr <= r; ++rr)
                    for (int cc = c; cc <= c + 2 * u; ++cc) {
                        if (rr < 0 || rr >= n || cc >= n) continue;
                        uint8_t* a = px(rr, cc) + 3;
                        *a = static_cast<uint8_t>(std::min(255, *a + d));
                    }
            }
        uint8_t* copy = halo;
        for (int i = 0; i < n * n; ++i)
            copy[i] = rgba[i * 4 + 3];
        std::memset(rgba, 0, n * n * 4);
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c) {
                int sum = 4 * copy[r * n + c];
                if (c >= u) sum += copy[r * n + c - u];
                if (c + u < n) sum += copy[r * n + c + u];
                if (r >= u) sum += copy[(r - u) * n + c];
                if (r + u < n) sum += copy[(r + u) * n + c];
                px(r, c)[3] = static_cast<uint8_t>(sum / 8);
            }
        for (int r = u; r < n; ++r)
            for (int c = 0; c + u < n; ++c) {
                int d = D(r, c);
                uint8_t* p = px(r - u, c + u);
                p[0] = p[1] = p[2] = static_cast<uint8_t>(d);
                p[3] = static_cast<uint8_t>(std::min(255, p[3] + d));
            }
    } else {
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c) {
                uint8_t* p = px(r, c);
                p[0] = p[1] = p[2] = 255;
                p[3] = static_cast<uint8_t>(D(r, c));
            }
    }
}

} // namespace

struct TextRenderer::Impl {
    // The faces drawn from, at the texel size.
    FontFace latin;
    FontFace chinese;
    FontFace fallback;
    // At a scale other than 1, the same faces at the unit size: the advances (and so every text's
    // width, the caret's place and the layout) are the ones of scale 1.
    FontFace unitLatin;
    FontFace unitChinese;
    FontFace unitFallback;
    uint8_t* coverage = nullptr;     // texels x texels, top row first, 0 or 255
    uint8_t* unitCoverage = nullptr; // cell x cell, for the unit faces' advances
    uint8_t* rgba = nullptr;         // texels x texels x 4
    uint8_t* halo = nullptr;         // texels x texels alphas for the blur
    std::vector<uint32_t> pages;     // atlas textures, the last one being filled
    int cellsUsed = 0;               // in the last page

    ~Impl() {
        for (FontFace* f : {&latin, &chinese, &fallback, &unitLatin, &unitChinese, &unitFallback})
            CloseFontFace(*f);
        delete[] coverage;
        delete[] unitCoverage;
        delete[] rgba;
        delete[] halo;
    }
    bool Draw(FontFace& f, uint32_t unicode, int texels, int* advance) {
        return RasteriseGlyph(f, unicode, texels, coverage, advance);
    }
    // The advance of the unit face matching `drawnFrom` (one of the texel faces).
    int UnitAdvance(const FontFace* drawnFrom, uint32_t unicode, int cell, int texelAdvance) {
        FontFace* unit = drawnFrom == &latin     ? &unitLatin
                         : drawnFrom == &chinese ? &unitChinese
                                                 : &unitFallback;
        int advance = texelAdvance;
        if (!unit->face) return advance;
        std::memset(unitCoverage, 0, static_cast<size_t>(cell) * cell);
        RasteriseGlyph(*unit, unicode, cell, unitCoverage, &advance);
        return advance;
    }
};

TextRenderer::TextRenderer() : glyphs(new GlyphEntry[CodeCount]()) {}

TextRenderer::~TextRenderer() {
    delete impl;
    delete[] glyphs;
}

bool TextRenderer::Create(const char* latinFace, const char* chineseFace, int latinWeight, int chineseWeight,
                          int size, int height, int style, int cell) {
    if (cell == 0 && size >= 1) {
        if (size < 15)
            cell = 16;
        else if (size < 31)
            cell = 32;
        else if (size < 63)
            cell = 64;
        else if (size < 128)
            cell = 128;
        else
            return false;
    }
    if (!latinFace) return false;
    // The glyph image is at most 128 texels a side (at scale 1, 128 units).
    if (cell < 1 || cell > 128) return false;
    const float scale = DrawScale;
    const int texels = static_cast<int>(std::lround(cell * scale));
    if (texels < 1 || texels > PageSize) return false;
    auto atScale = [scale](int units) { return static_cast<int>(std::lround(units * scale)); };
    this->size = size;
    this->cell = cell;
    this->texels = texels;
    this->scale = scale;
    this->style = style;
    // Made again (at another scale, say): the glyphs made before are dropped with their pages.
    if (impl && !impl->pages.empty())
        glDeleteTextures(static_cast<GLsizei>(impl->pages.size()), impl->pages.data());
    std::fill(glyphs, glyphs + CodeCount, GlyphEntry{});
    delete impl;
    impl = new Impl;
    impl->coverage = new uint8_t[texels * texels]();
    impl->unitCoverage = new uint8_t[cell * cell]();
    impl->rgba = new uint8_t[texels * texels * 4]();
    impl->halo = new uint8_t[texels * texels]();
    if (!StartFontEngine()) {
        ReportMissingFace(latinFace, "FreeType did not start");
        return false;
    }
    const int latinHeight = height != 0 ? height : size;
    const char* chinese = chineseFace ? chineseFace : "宋体";
    const int chineseWeightUsed = chineseFace ? chineseWeight : latinWeight;
    impl->latin = OpenFontFace(latinFace, latinWeight, atScale(latinHeight));
    if (!impl->latin.face) ReportMissingFace(latinFace, FontFaceProblem().c_str());
    impl->chinese = OpenFontFace(chinese, chineseWeightUsed, atScale(size));
    impl->fallback = OpenFontFace("WenQuanYi Zen Hei", chineseWeight, atScale(size));
    if (!impl->chinese.face && !impl->fallback.face) ReportMissingFace(chinese, FontFaceProblem().c_str());
    if (texels != cell) {
        impl->unitLatin = OpenFontFace(latinFace, latinWeight, latinHeight);
        impl->unitChinese = OpenFontFace(chinese, chineseWeightUsed, size);
        impl->unitFallback = OpenFontFace("WenQuanYi Zen Hei", chineseWeight, size);
    }
    return impl->latin.face || impl->chinese.face || impl->fallback.face;
}

// Once a process: which face was asked for and what fontconfig gave. The texts in it stay blank.
void TextRenderer::ReportMissingFace(const char* family, const char* reason) {
    static bool reported = false;
    if (reported) return;
    reported = true;
    ReportProblem("no font for \"%s\": fontconfig gave %s; texts in that face are not drawn",
                  FamilyName(family).c_str(), reason);
}

uint32_t TextRenderer::Glyph(uint16_t code) {
    GlyphEntry& entry = glyphs[code];
    if (entry.texture != 0 || !impl) return entry.texture;
    const int n = texels;
    uint8_t* cover = impl->coverage;
    uint8_t* rgba = impl->rgba;
    std::memset(cover, 0, n * n);

    int advance = 0;
    uint32_t unicode = UnicodeOf(code);
    bool wide = code >= FirstWideCode;
    const FontFace* from = nullptr;
    for (FontFace* face :
         {wide ? &impl->chinese : &impl->latin, wide ? nullptr : &impl->chinese, &impl->fallback})
        if (face && impl->Draw(*face, unicode, n, &advance)) {
            from = face;
            break;
        }
    if (!from) {
        // A character no face has: an empty glyph as wide as the engine's missing-glyph box.
        const bool unitFaces = texels != cell;
        int missing = MissingGlyphAdvance(wide ? (unitFaces ? impl->unitChinese : impl->chinese)
                                               : (unitFaces ? impl->unitLatin : impl->latin));
        if (missing >= 0) advance = missing;
    } else if (texels != cell) {
        advance = impl->UnitAdvance(from, unicode, cell, advance);
    }

    FillGlyphPixels(cover, rgba, impl->halo, n, style, std::max(1, static_cast<int>(std::lround(scale))));
    int left = n, right = 0, bottom = n, top = 0;
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            if (rgba[(r * n + c) * 4 + 3]) {
                left = std::min(left, c);
                right = std::max(right, c + 1);
                bottom = std::min(bottom, r);
                top = std::max(top, r + 1);
            }
    if (right == 0) left = bottom = 0;
    entry.inkLeft = static_cast<uint8_t>(left);
    entry.inkRight = static_cast<uint8_t>(right);
    entry.inkBottom = static_cast<uint8_t>(bottom);
    entry.inkTop = static_cast<uint8_t>(top);

    glEnable(GL_TEXTURE_2D);
    uint32_t page = NextCell(&entry.column, &entry.row);
    glBindTexture(GL_TEXTURE_2D, page);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, entry.column * n, entry.row * n, n, n, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    entry.texture = page;
    entry.advance = static_cast<uint16_t>(advance < 0 ? 0 : advance);
    entry.kind = wide ? 2 : 1;
    return page;
}

uint32_t TextRenderer::NextCell(uint16_t* column, uint16_t* row) {
    const int perRow = PageSize / texels;
    if (impl->pages.empty() || impl->cellsUsed == perRow * perRow) {
        // A new page starts clear: a cell's texels outside its glyph are read as nothing.
        std::vector<uint8_t> clear(static_cast<size_t>(PageSize) * PageSize * 4, 0);
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, PageSize, PageSize, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     clear.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        impl->pages.push_back(texture);
        impl->cellsUsed = 0;
    }
    int slot = impl->cellsUsed++;
    *column = static_cast<uint16_t>(slot % perRow);
    *row = static_cast<uint16_t>(slot / perRow);
    return impl->pages.back();
}

// The texture's rows count from the glyph's bottom, so the quad's top edge takes the ink's last row.
// With nearest sampling and the quad on whole pixels, each pixel centre falls in the middle of one of
// the cell's texels: the page draws exactly what a texture of the glyph alone would, and the texels
// left out around the ink are those of alpha 0, which blending would leave as they were.
// At a scale of 1.5 a unit may start mid-pixel: the glyph then starts on the pixel its unit starts in,
// so that its texels still fall one to a pixel.
bool TextRenderer::GlyphQuad(const GlyphEntry& g, int x, int y, float (*quad)[5]) const {
    if (g.inkRight <= g.inkLeft || g.inkTop <= g.inkBottom) return false;
    const float unit = 1.0f / PageSize;
    const float cellS = static_cast<float>(g.column * texels), cellT = static_cast<float>(g.row * texels);
    const float s0 = (cellS + g.inkLeft) * unit, s1 = (cellS + g.inkRight) * unit;
    const float t0 = (cellT + g.inkBottom) * unit, t1 = (cellT + g.inkTop) * unit;
    auto onPixel = [this](int units) {
        return std::floor(scale) == scale ? units * scale : std::floor(units * scale);
    };
    // In pixels, then in units.
    const float cellLeft = onPixel(x), cellTop = onPixel(y);
    const float left = (cellLeft + g.inkLeft) / scale, right = (cellLeft + g.inkRight) / scale;
    const float top = (cellTop + texels - g.inkTop) / scale,
                bottom = (cellTop + texels - g.inkBottom) / scale;
    const float corners[4][4] = {
        {s0, t1, left, top}, {s1, t1, right, top}, {s1, t0, right, bottom}, {s0, t0, left, bottom}};
    for (int k = 0; k < 4; ++k) {
        quad[k][0] = corners[k][0];
        quad[k][1] = corners[k][1];
        quad[k][2] = corners[k][2];
        quad[k][3] = corners[k][3];
        quad[k][4] = 1.0f;
    }
    return true;
}

void TextRenderer::ToCodes(uint16_t* codes, const char* text) {
    const auto* p = reinterpret_cast<const uint8_t*>(text);
    unsigned index = 0;
    while (*p) {
        uint16_t code = *p++;
        // A lead byte whose trail would be the terminator stands alone, so the walk never passes the end.
        if (code >= 128 && *p) code = static_cast<uint16_t>(code + 256 * *p++);
        codes[index] = code;
        index = (index + 1) % 256;
    }
    codes[index] = 0;
}

int TextRenderer::CharsToBytes(const uint16_t*, const char* text, int charCount) {
    if (charCount <= 0 || !text) return 0;
    const auto* p = reinterpret_cast<const uint8_t*>(text);
    int bytes = 0, chars = 0;
    while (p[bytes]) {
        bytes += (p[bytes] > 128 && p[bytes + 1]) ? 2 : 1;
        if (++chars == charCount) return bytes;
    }
    return 0;
}

int TextRenderer::BytesToChars(const uint16_t*, const char* text, int byteCount) {
    if (byteCount <= 0 || !text) return 0;
    const auto* p = reinterpret_cast<const uint8_t*>(text);
    int bytes = 0, chars = 0;
    while (p[bytes]) {
        bytes += (p[bytes] > 128 && p[bytes + 1]) ? 2 : 1;
        ++chars;
        if (bytes >= byteCount) return chars;
    }
    return 0;
}

bool TextRenderer::FormatCodes(const char* format, va_list args) {
    if (!format) return false;
    if (std::vsnprintf(text, sizeof text, format, args) < 0) text[0] = '\0';
    ToCodes(codes, text);
    return codes[0] != 0;
}

#define TONVEX_FORMAT_OR(format, result)                                                                     \
    do {                                                                                                     \
        va_list args;                                                                                        \
        va_start(args, format);                                                                              \
        bool any = FormatCodes(format, args);                                                                \
        va_end(args);                                                                                        \
        if (!any) return result;                                                                             \
    } while (0)

void TextRenderer::DrawText(int x, int y, const char* format, ...) {
    TONVEX_FORMAT_OR(format, );
    // Every glyph is made before the first draw (making one binds its page).
    for (const uint16_t* c = codes; *c; ++c)
        Glyph(*c);
    static float quads[256 * 4][5];
    int count = 0;
    uint32_t page = glyphs[codes[0]].texture;
    auto flush = [&] {
        if (count == 0) return;
        glBindTexture(GL_TEXTURE_2D, page);
        glInterleavedArrays(GL_T2F_V3F, 0, quads);
        glDrawArrays(GL_QUADS, 0, count * 4);
        count = 0;
    };
    int pen = x;
    for (const uint16_t* c = codes; *c; ++c) {
        const GlyphEntry& g = glyphs[*c];
        if (g.texture != page) {
            flush();
            page = g.texture;
        }
        if (GlyphQuad(g, pen, g.kind == 2 ? y + 1 : y, &quads[count * 4])) ++count;
        pen += g.advance + (style == 5 ? 1 : 0);
    }
    flush();
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

void TextRenderer::DrawTextSelected(int x, int y, int selectionStart, int selectionEnd, int active,
                                    const float colour[3], const char* format, ...) {
    TONVEX_FORMAT_OR(format, );
    int from = selectionStart < selectionEnd ? selectionStart : selectionEnd;
    int to = selectionStart < selectionEnd ? selectionEnd : selectionStart;
    float quad[4][5] = {};
    int pen = x;
    for (int i = 0; codes[i]; ++i) {
        uint32_t texture = Glyph(codes[i]);
        const GlyphEntry& g = glyphs[codes[i]];
        bool selected = i >= from && i < to;
        if (selected) {
            glDisable(GL_TEXTURE_2D);
            glColor4f(colour[0], colour[1], colour[2], active ? 1.0f : 0.4f);
            glBegin(GL_QUADS);
            glVertex3i(pen, y, 1);
            glVertex3i(pen + g.advance, y, 1);
            glVertex3i(pen + g.advance, y + size + 1, 1);
            glVertex3i(pen, y + size + 1, 1);
            glEnd();
            glEnable(GL_TEXTURE_2D);
            glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        } else {
            glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
        }
        glBindTexture(GL_TEXTURE_2D, texture);
        if (GlyphQuad(g, pen, y, quad)) {
            glInterleavedArrays(GL_T2F_V3F, 0, quad);
            glDrawArrays(GL_QUADS, 0, 4);
        }
        pen += g.advance + (style == 5 ? 1 : 0);
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

int TextRenderer::TextWidth(const char* format, ...) {
    TONVEX_FORMAT_OR(format, 0);
    int width = 0;
    for (const uint16_t* c = codes; *c; ++c) {
        Glyph(*c);
        width += glyphs[*c].advance;
    }
    return width;
}

void TextRenderer::CaretFromX(int startX, int targetX, int* caretX, int* caretByte, int* caretChar,
                              const char* format, ...) {
    *caretX = startX;
    *caretByte = *caretChar = 0;
    TONVEX_FORMAT_OR(format, );
    int pen = startX;
    int passed = 0;
    for (const uint16_t* c = codes; *c; ++c) {
        Glyph(*c);
        int advance = glyphs[*c].advance;
        if (targetX < pen + advance / 2) break;
        pen += advance;
        ++passed;
    }
    *caretX = pen;
    *caretChar = passed;
    *caretByte = CharsToBytes(codes, text, passed);
}

int TextRenderer::TextXAtByte(int byteIndex, const char* format, ...) {
    TONVEX_FORMAT_OR(format, 0);
    int chars = BytesToChars(codes, text, byteIndex);
    int x = 0;
    for (int i = 0; i < chars && codes[i]; ++i) {
        Glyph(codes[i]);
        x += glyphs[codes[i]].advance;
    }
    return x;
}

void TextRenderer::SetFontAliases(const char* text, size_t size) {
    SetFontEngineAliases(text, size);
}
