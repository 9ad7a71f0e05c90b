// SPDX-License-Identifier: GPL-3.0-or-later
// The skin images as the art tool writes them beside the packs (tonvex-art --raw): the pixels the pack
// decodes to, so that the toolkit's tests draw with the real skins without linking the JPEG 2000
// decoder. The pictures' tests check that the two agree.
#pragma once

#include "app/ui/Textures.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct RawSkin {
    int width = 0, height = 0, components = 0;
    std::vector<uint8_t> pixels; // top row first
};

// The skin image `name` (its pack name, "ui.png") from TONVEX_RAW_SKIN_DIR. False when the file is
// missing or its size does not match its header.
inline bool ReadRawSkin(const std::string& name, RawSkin* skin) {
    std::ifstream in(std::string(TONVEX_RAW_SKIN_DIR) + "/" + name + ".rgba", std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12) return false;
    auto word = [&](int at) {
        return int(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24);
    };
    skin->width = word(0);
    skin->height = word(4);
    skin->components = word(8);
    if (bytes.size() - 12 != size_t(skin->width) * skin->height * skin->components) return false;
    skin->pixels.assign(bytes.begin() + 12, bytes.end());
    return true;
}

// What the program's LoadSkinTexture makes of the same image.
inline bool LoadRawSkinTexture(const std::string& name, uint32_t* texture, int minFilter, int magFilter) {
    RawSkin skin;
    if (!ReadRawSkin(name, &skin)) return false;
    *texture =
        MakeSkinTexture(skin.pixels.data(), skin.width, skin.height, skin.components, minFilter, magFilter);
    return true;
}
