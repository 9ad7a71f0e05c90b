// SPDX-License-Identifier: GPL-3.0-or-later
#include "panels/AWndImg.h"

#include "app/ui/AppState.h"
#include "app/pictures/Resources.h"
#include "app/ui/Textures.h"
#include "common/Tick.h"
#include "gui/SkinPieces.h"
#include "gui/TextRenderer.h"
#include "panels/AWndHelp.h"

#include <GL/gl.h>

namespace {

constexpr const char* WaitText = "Please wait, loading ...";

int PreviewHeight(int width) {
    return static_cast<int>(width * 0.625f + 0.5f);
}

void OnSetBackground(uint32_t) {
    if (!(PreviewState & 1) || ChosenBackground < 0 || ChosenBackground >= BackgroundCount) return;
    if (BackgroundNames[ChosenBackground]) LoadBackground(BackgroundNames[ChosenBackground]);
}

const LabelPair SetBackgroundLabel = {{"Set as background", "设置为背景"}};

} // namespace

// Only the button follows the language: the panel's title is the picture's name.
void AWndImg::Relabel(uint32_t language) {
    setBackground.label = SetBackgroundLabel[language];
}

void AWndImg::Build() {
    setBackground.Create(0, 0, 120, 24, SetBackgroundLabel[Language], FontNormal, GBaseBtn::TintPress,
                         UiTexture, 0, OnSetBackground, this);
}

void AWndImg::Draw(float alpha) {
    if (!IsActive()) return;
    AWndFrame::Draw(alpha);
    if (!(PreviewState & 1)) return;
    setBackground.x = (width - setBackground.width) / 2;
    setBackground.y = height - 26;
    setBackground.Draw(opacity);

    if (ShownBackground != ChosenBackground) {
        LookKeepsChanging();
        if (PreviewWaitStart == 0) PreviewWaitStart = TickNow();
        if (TickSince(PreviewWaitStart) < 200) {
            if (FontNormal) {
                glEnable(GL_TEXTURE_2D);
                glColor4f(0.0f, 0.0f, 0.0f, opacity);
                FontNormal->DrawText(x + (512 - FontNormal->TextWidth("%s", WaitText)) / 2, y + 160, "%s",
                                     WaitText);
            }
            return;
        }
        PreviewWaitStart = 0;
        if (PreviewTexture) glDeleteTextures(1, &PreviewTexture);
        PreviewTexture = 0;
        ShownBackground = ChosenBackground;
        if (ChosenBackground >= 0 && ChosenBackground < BackgroundCount && BackgroundNames[ChosenBackground])
            PreviewTexture = MakeBackgroundPreview(BackgroundNames[ChosenBackground]);
    }
    if (!PreviewTexture) return;
    BeginSkin(PreviewTexture, 1.0f, 1.0f, 1.0f, opacity);
    DrawSkinQuad(BackgroundThumbnail, x + 1, y + 22, width - 2, PreviewHeight(width));
}

void AWndImg::OnMouseMove(int px, int py, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    height = PreviewHeight(width) + 50;
    setBackground.OnMouseMove(px, py, buttonDown, claimed, clickSerial);
}

void AWndImg::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseDown(px, py, claimed, clickSerial);
    setBackground.OnMouseDown(px, py, claimed, clickSerial);
}

void AWndImg::OnMouseUp(int px, int py, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseUp(px, py, clickSerial);
    setBackground.OnMouseUp(px, py, clickSerial);
}
