// SPDX-License-Identifier: GPL-3.0-or-later
// The GL texture names of the pictures. 0 means not loaded: whatever would use it is not drawn.
#pragma once

#include <cstdint>

extern uint32_t WfTexture;
extern uint32_t WbTexture;
extern uint32_t UiTexture;
extern uint32_t EqTexture;
extern uint32_t DxTexture;
extern uint32_t ExTexture;
extern uint32_t LogoTexture;
extern uint32_t BarTexture;
extern uint32_t IconTextures[7];
// The current background: [0] its lower 512 rows (1024 x 512), [1] its top 128 rows (1024 x 128).
extern uint32_t BackgroundTextures[2];

// A new texture of a decoded skin image (3 components: RGB; 4: RGBA with its mipmaps), filtered with
// minFilter and magFilter. Returns its name.
uint32_t MakeSkinTexture(const uint8_t* pixels, int width, int height, int components, int minFilter,
                         int magFilter);
