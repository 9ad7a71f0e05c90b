// Files built into the executable: the two picture packs the art tool makes, and the font alias file.
#pragma once

#include <cstddef>
#include <cstdint>

struct EmbeddedFile {
    const uint8_t* data;
    size_t size;
};

EmbeddedFile EmbeddedBackgroundPack();
EmbeddedFile EmbeddedSkinPack();
// The fontconfig rules that map the console's face names to installed faces (not NUL-terminated).
EmbeddedFile EmbeddedFontAliases();
// Hands the alias rules to the text renderer; called before the first font is made.
void UseEmbeddedFontAliases();
