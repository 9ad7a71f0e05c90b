#include "app/ui/Textures.h"

uint32_t WfTexture;
uint32_t WbTexture;
uint32_t UiTexture;
uint32_t EqTexture;
uint32_t DxTexture;
uint32_t ExTexture;
uint32_t LogoTexture;
uint32_t BarTexture;
uint32_t IconTextures[7];
uint32_t BackgroundTextures[2];
