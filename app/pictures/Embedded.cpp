// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pictures/Embedded.h"

#include "common/Embed.h"

// The build passes the paths of the packs (TONVEX_BACKGROUND_PACK, TONVEX_SKIN_PACK) and makes this
// file depend on them.
TONVEX_EMBED(tonvex_background_pack, TONVEX_BACKGROUND_PACK);
TONVEX_EMBED(tonvex_skin_pack, TONVEX_SKIN_PACK);

extern "C" {
extern const uint8_t tonvex_background_pack_start[], tonvex_background_pack_end[];
extern const uint8_t tonvex_skin_pack_start[], tonvex_skin_pack_end[];
}

EmbeddedFile EmbeddedBackgroundPack() {
    return {tonvex_background_pack_start, size_t(tonvex_background_pack_end - tonvex_background_pack_start)};
}

EmbeddedFile EmbeddedSkinPack() {
    return {tonvex_skin_pack_start, size_t(tonvex_skin_pack_end - tonvex_skin_pack_start)};
}
