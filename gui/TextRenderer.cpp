#include "gui/TextRenderer.h"

// Placeholder until the glyph renderer lands: no fonts, every text is empty.
TextRenderer* FontNormal;
TextRenderer* FontBold;
TextRenderer* FontLarge;

TextRenderer::TextRenderer() = default;
TextRenderer::~TextRenderer() = default;
bool TextRenderer::Create(const char*, const char*, int, int, int, int, int, int) { return false; }
void TextRenderer::DrawText(int, int, const char*, ...) {}
void TextRenderer::DrawTextSelected(int, int, int, int, int, const float*, const char*, ...) {}
int TextRenderer::TextWidth(const char*, ...) { return 0; }
void TextRenderer::CaretFromX(int startX, int, int* caretX, int* caretByte, int* caretChar, const char*, ...) {
    *caretX = startX;
    *caretByte = *caretChar = 0;
}
int TextRenderer::TextXAtByte(int, const char*, ...) { return 0; }
uint32_t TextRenderer::Glyph(uint16_t) { return 0; }
void TextRenderer::ToCodes(uint16_t* codes, const char*) { codes[0] = 0; }
int TextRenderer::CharsToBytes(const uint16_t*, const char*, int) { return 0; }
int TextRenderer::BytesToChars(const uint16_t*, const char*, int) { return 0; }
