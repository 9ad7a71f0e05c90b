#include "app/Embedded.h"

#include "gui/TextRenderer.h"

// The build passes the paths of the files to embed (TONVEX_BACKGROUND_PACK, TONVEX_SKIN_PACK,
// TONVEX_FONT_ALIASES) and makes this file depend on them.
#define TONVEX_EMBED(symbol, path)                                                                           \
    asm(".section .rodata." #symbol ",\"a\"\n"                                                               \
        ".balign 16\n"                                                                                       \
        ".globl " #symbol "_start\n" #symbol "_start:\n"                                                     \
        ".incbin \"" path "\"\n"                                                                             \
        ".globl " #symbol "_end\n" #symbol "_end:\n"                                                         \
        ".byte 0\n"                                                                                          \
        ".previous\n")

TONVEX_EMBED(tonvex_background_pack, TONVEX_BACKGROUND_PACK);
TONVEX_EMBED(tonvex_skin_pack, TONVEX_SKIN_PACK);
TONVEX_EMBED(tonvex_font_aliases, TONVEX_FONT_ALIASES);

extern "C" {
extern const uint8_t tonvex_background_pack_start[], tonvex_background_pack_end[];
extern const uint8_t tonvex_skin_pack_start[], tonvex_skin_pack_end[];
extern const uint8_t tonvex_font_aliases_start[], tonvex_font_aliases_end[];
}

EmbeddedFile EmbeddedBackgroundPack() {
    return {tonvex_background_pack_start, size_t(tonvex_background_pack_end - tonvex_background_pack_start)};
}

EmbeddedFile EmbeddedSkinPack() {
    return {tonvex_skin_pack_start, size_t(tonvex_skin_pack_end - tonvex_skin_pack_start)};
}

EmbeddedFile EmbeddedFontAliases() {
    return {tonvex_font_aliases_start, size_t(tonvex_font_aliases_end - tonvex_font_aliases_start)};
}

void UseEmbeddedFontAliases() {
    EmbeddedFile aliases = EmbeddedFontAliases();
    TextRenderer::SetFontAliases(reinterpret_cast<const char*>(aliases.data), aliases.size);
}
