// SPDX-License-Identifier: GPL-3.0-or-later
// The two picture packs the art tool makes, built into the executable.
#pragma once

#include <cstddef>
#include <cstdint>

struct EmbeddedFile {
    const uint8_t* data;
    size_t size;
};

EmbeddedFile EmbeddedBackgroundPack();
EmbeddedFile EmbeddedSkinPack();
