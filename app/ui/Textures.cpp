// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/Textures.h"

#include <GL/gl.h>
#include <GL/glu.h>

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

uint32_t MakeSkinTexture(const uint8_t* pixels, int width, int height, int components, int minFilter,
                         int magFilter) {
    glEnable(GL_TEXTURE_2D);
    GLuint made = 0;
    glGenTextures(1, &made);
    glBindTexture(GL_TEXTURE_2D, made);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (components != 4)
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    else
        gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
    return made;
}
