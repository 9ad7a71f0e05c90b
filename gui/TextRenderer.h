// SPDX-License-Identifier: GPL-3.0-or-later
// Text drawn from glyph cells packed into atlas textures, each cell made on first use; a text is one
// draw a page it touches. Texts are GBK byte strings given as a format and its arguments. Window thread
// only (glyphs upload into the current GL context).
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

class TextRenderer {
  public:
    struct GlyphEntry {
        uint32_t texture; // the atlas page holding the glyph; 0 = not made yet
        uint16_t advance;
        uint16_t kind;        // 1 = single-byte character, 2 = two-byte character
        uint16_t column, row; // its cell in the page, counted in cells from the page's first texel
        // The texels with ink (any alpha) in the cell: columns inkLeft to inkRight - 1 and rows
        // inkBottom to inkTop - 1, rows counted from the bottom; all 0 for a glyph with none.
        uint8_t inkLeft, inkRight, inkBottom, inkTop;
    };

    // An atlas page's side in texels; it holds (PageSize / Texels()) squared glyphs.
    static constexpr int PageSize = 512;

    // The fontconfig alias rules ("Tahoma" -> a face this machine has, ...), given before the first
    // Create; the engine loads them once with its configuration.
    static void SetFontAliases(const char* text, size_t size);

    TextRenderer();
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    // False when the cell cannot be drawn, or when no face at all could be opened (the renderer then
    // draws nothing). A face that is missing is reported on standard error, once a process.
    bool Create(const char* latinFace, const char* chineseFace, int latinWeight, int chineseWeight, int size,
                int height, int style, int cell);

    void DrawText(int x, int y, const char* format, ...) __attribute__((format(printf, 4, 5)));
    void DrawTextSelected(int x, int y, int selectionStart, int selectionEnd, int active,
                          const float colour[3], const char* format, ...)
        __attribute__((format(printf, 8, 9)));
    int TextWidth(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void CaretFromX(int startX, int targetX, int* caretX, int* caretByte, int* caretChar, const char* format,
                    ...) __attribute__((format(printf, 7, 8)));
    int TextXAtByte(int byteIndex, const char* format, ...) __attribute__((format(printf, 3, 4)));
    // Makes the glyph if need be; returns its page.
    uint32_t Glyph(uint16_t code);

    // Character codes: a byte below 128 is a code of its own; a lead byte of 128 or more and the byte
    // after it make one code (lead + 256 * trail). `codes` ends with a 0 code.
    static void ToCodes(uint16_t* codes, const char* text);
    static int CharsToBytes(const uint16_t* codes, const char* text, int charCount);
    static int BytesToChars(const uint16_t* codes, const char* text, int byteCount);

    const GlyphEntry& Entry(uint16_t code) const { return glyphs[code]; }
    int Style() const { return style; }
    int Cell() const { return cell; }
    // The glyph cell's side in texels: the cell in units times the scale the renderer was made at.
    int Texels() const { return texels; }
    int Size() const { return size; }

  private:
    struct Impl;
    // Formats into `text` and converts it into `codes`; false when there is no character to show.
    bool FormatCodes(const char* format, va_list args);
    // A free cell for the next glyph: its page (made when the last one is full), column and row.
    uint32_t NextCell(uint16_t* column, uint16_t* row);
    // The corners of the quad over the ink of glyph `g`, its cell's top-left at (x, y), as T2F_V3F
    // vertices; false (nothing to draw) for a glyph without ink.
    bool GlyphQuad(const GlyphEntry& g, int x, int y, float (*quad)[5]) const;

    GlyphEntry* glyphs = nullptr; // 65536 entries
    int style = 0;
    int cell = 0;   // units
    int texels = 0; // the cell at DrawScale when made
    float scale = 1.0f;
    int size = 0;
    Impl* impl = nullptr; // font engine state and atlas pages
    char text[1024] = {};
    uint16_t codes[257] = {};

    static void ReportMissingFace(const char* family, const char* reason);
};

extern TextRenderer* FontNormal;
extern TextRenderer* FontBold;
extern TextRenderer* FontLarge;

// Hands the console's own alias rules (gui/fonts.conf, built into the executable) to SetFontAliases.
void UseEmbeddedFontAliases();

// The console's three fonts, made once: FontNormal first (the start-up's status texts are drawn with
// it; MakeStatusFont also hands over the alias rules), FontBold and FontLarge after the textures.
void MakeStatusFont();
void MakeOtherFonts();
