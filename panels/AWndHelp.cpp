// SPDX-License-Identifier: GPL-3.0-or-later
#include "panels/AWndHelp.h"

#include "app/ui/AppState.h"
#include "app/ui/Projection.h"
#include "app/pictures/Resources.h"
#include "app/ui/Textures.h"
#include "gui/PanelLists.h"
#include "gui/SkinPieces.h"
#include "gui/TextRenderer.h"
#include "panels/AWndImg.h"
#include "panels/Panels.h"

#include <GL/gl.h>

uint32_t PreviewState = 0;
int32_t ChosenBackground = -1;
int32_t ShownBackground = -1;
uint32_t PreviewTexture = 0;
uint32_t PreviewWaitStart = 0;

namespace {

// The clipped area the thumbnails scroll in, relative to the panel.
constexpr int ViewLeft = 2, ViewTop = 53, ViewWidth = 300, ViewHeight = 320;

int ColumnOf(int i) {
    return i % 2 == 0 ? 8 : 156;
}

} // namespace

void AWndHelp::Build() {
    scroller.Create(310, 52, 7, 320, 0, 0, (BackgroundCount / 2) * 120, 0, nullptr, this);
}

int AWndHelp::ItemAt(int px, int py) const {
    if (py < y + 52 || py > y + 372) return -1;
    int lx = px - (x + ViewLeft), ly = py - (y + ViewTop);
    for (int i = 0; i < BackgroundCount; ++i) {
        int c = ColumnOf(i), r = 10 - scroller.value + 128 * (i / 2);
        if (lx >= c + 9 && lx <= c + 134 && ly >= r - 2 && ly <= r + 83) return i;
    }
    return -1;
}

void AWndHelp::Draw(float alpha) {
    if (!IsActive()) return;
    AWndFrame::Draw(alpha);
    // The list may have grown since Build (a cache rebuilt after start-up).
    scroller.maxValue = (BackgroundCount / 2) * 120;
    BeginSkin(ExTexture, 1.0f, 1.0f, 1.0f, opacity);
    DrawSkinQuad(Rect(Piece::GalleryHeader), x + 1, y + 22, width - 2, 27);

    SetViewportProjection(ViewWidth, ViewHeight, x + ViewLeft, ClientHeight - (y + ViewTop + ViewHeight));
    for (int i = 0; i < BackgroundCount; ++i) {
        int c = ColumnOf(i), r = 10 - scroller.value + 128 * (i / 2);
        if (r + 100 < 0 || r - 2 > ViewHeight) continue;
        BeginFlat(0.0f, 0.0f, 0.0f, opacity * 0.4f);
        glBegin(GL_LINE_LOOP);
        glVertex2f(c + 9.5f, r - 1.5f);
        glVertex2f(c + 134.5f, r - 1.5f);
        glVertex2f(c + 134.5f, r + 83.5f);
        glVertex2f(c + 9.5f, r + 83.5f);
        glEnd();
        if (BackgroundThumbs[i]) {
            BeginSkin(BackgroundThumbs[i], 1.0f, 1.0f, 1.0f, opacity);
            DrawSkinQuad(BackgroundThumbnail, c + 12, r, 120, 80);
        }
        if (FontNormal && BackgroundNames[i]) {
            glEnable(GL_TEXTURE_2D);
            glColor4f(0.0f, 0.0f, 0.0f, opacity);
            FontNormal->DrawText(c + 12, r + 86, "%s", BackgroundNames[i]);
        }
    }
    SetPixelProjection(ClientWidth, ClientHeight, 0, 1.0f);
    scroller.Draw(opacity);
}

void AWndHelp::OnMouseMove(int px, int py, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseMove(px, py, buttonDown, claimed, clickSerial);
    scroller.OnMouseMove(px, py, buttonDown, claimed, clickSerial);
}

void AWndHelp::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseDown(px, py, claimed, clickSerial);
    scroller.OnMouseDown(px, py, claimed, clickSerial);
    pickedItem = -1;
    if (*claimed) return;
    pickedItem = ItemAt(px, py);
    if (pickedItem >= 0) pressSerial = clickSerial;
}

void AWndHelp::OnMouseUp(int px, int py, uint32_t clickSerial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseUp(px, py, clickSerial);
    if (clickSerial != pressSerial || pickedItem < 0 || !ImgPanel) return;
    PreviewState |= 1;
    ChosenBackground = pickedItem;
    pickedItem = -1;
    ImgPanel->width = 514;
    ImgPanel->height = 376;
    OpenPanel(ImgPanel);
}

void AWndHelp::OnWheel(int delta) {
    if (!IsActive()) return;
    scroller.OnWheel(delta);
}
