// SPDX-License-Identifier: GPL-3.0-or-later
#include "panels/AWndIcon.h"

#include "app/ui/AppState.h"
#include "app/ui/Textures.h"
#include "common/Tick.h"
#include "gui/PanelLists.h"
#include "gui/SkinPieces.h"
#include "gui/TextRenderer.h"
#include "panels/AWndMVol.h"
#include "panels/AWndMic.h"
#include "panels/AWndMusic.h"
#include "panels/AWndREQ.h"
#include "panels/AWndSC.h"
#include "panels/AWndSub.h"
#include "panels/AWndSys.h"
#include "panels/Panels.h"

#include <GL/gl.h>
#include <cmath>

namespace {

const LabelPair Labels[AWndIcon::IconCount] = {
    {{"Mic EQ", "话筒"}},   {{"Music EQ", "音乐"}},   {{"Sub", "超低音"}},      {{"SC.Set", "中置后置"}},
    {{"R.EQ", "房间均衡"}}, {{"Volume", "音量设定"}}, {{"System", "系统模式"}},
};

constexpr float LabelFadeMs = 220.0f;
// Continuous rate of the easing, per second: a tenth of the way per frame at a hundred frames.
constexpr float EaseRatePerSecond = 10.0f;

AWndFrame* PanelOfIcon(int icon) {
    AWndFrame* panels[AWndIcon::IconCount] = {MicPanel, MusicPanel, SubPanel, SCPanel,
                                              REQPanel, MVolPanel,  SysPanel};
    return icon >= 0 && icon < AWndIcon::IconCount ? panels[icon] : nullptr;
}

} // namespace

void AWndIcon::Build() {
    Relabel(Language);
}

void AWndIcon::Relabel(uint32_t language) {
    for (int i = 0; i < IconCount; ++i)
        labels[i] = Labels[i][language];
}

float AWndIcon::BaseSize() const {
    float s = width / 20.0f;
    return s > 42.0f ? 42.0f : s;
}

float AWndIcon::RestingLeft(int icon) const {
    float s = BaseSize();
    return icon * s + (width - 7.0f * s) / 2.0f;
}

void AWndIcon::Targets(float* targetX, float* targetSize) const {
    float s = BaseSize(), m = MagnifiedSize();
    for (int i = 0; i < IconCount; ++i) {
        targetSize[i] = s;
        targetX[i] = RestingLeft(i);
    }
    int h = hoverIcon;
    if (h < 0) return;
    float px = static_cast<float>(MouseX);
    for (int i = 0; i < IconCount; ++i) {
        float z = s + (m - s) * (1.0f - std::fabs(px - (RestingLeft(i) + s / 2.0f)) / (3.0f * s));
        targetSize[i] = z < s ? s : z;
    }
    targetX[h] -= (targetSize[h] - s) * (px - RestingLeft(h)) / s;
    for (int i = h - 1; i >= 0; --i)
        targetX[i] = targetX[i + 1] - targetSize[i];
    for (int i = 0; i < IconCount; ++i)
        if (std::abs(i - h) > 3 && std::fabs(iconX[i] - targetX[i]) <= 1.4f) targetX[i] = iconX[i];
}

void AWndIcon::Ease(uint32_t elapsedMs) {
    float targetX[IconCount], targetSize[IconCount];
    Targets(targetX, targetSize);
    float k = 1.0f - std::exp(-EaseRatePerSecond * static_cast<float>(elapsedMs) / 1000.0f);
    for (int i = 0; i < IconCount; ++i) {
        iconX[i] += k * (targetX[i] - iconX[i]);
        iconSize[i] += k * (targetSize[i] - iconSize[i]);
        // Still on its way: more than a hundredth of a pixel from where it is going.
        if (std::fabs(targetX[i] - iconX[i]) > 0.01f || std::fabs(targetSize[i] - iconSize[i]) > 0.01f)
            LookKeepsChanging();
    }
}

void AWndIcon::Draw(float) {
    float s = BaseSize(), m = MagnifiedSize();
    int px = MouseX, py = MouseY;
    hoverIcon = -1;
    for (int i = 0; i < IconCount; ++i) {
        float left = RestingLeft(i), top = height - 1.1f * s;
        if (px >= left && px <= left + s && py >= top && py <= top + s) hoverIcon = i;
    }

    uint32_t now = TickNow();
    // A long pause (the first frame, a window that was hidden) counts as one frame at 30 per second.
    uint32_t elapsed = lastDrawTick == 0 || now - lastDrawTick > 100 ? 33 : now - lastDrawTick;
    lastDrawTick = now;
    Ease(elapsed);

    float x0 = iconX[0] - 0.4f * s;
    float right = iconX[0];
    for (float z : iconSize)
        right += z;
    float w = right - x0 + 0.8f * s;
    float h = 1.36f * s;
    float top = height - h;
    // The plate's pieces reach down the picture as far as the dock is tall.
    const float t1 = 1.0f - (h + 18.0f) / 256.0f;
    SkinRect plateLeft = Rect(Piece::DockLeft), plateMiddle = Rect(Piece::DockMiddle),
             plateRight = Rect(Piece::DockRight);
    plateLeft.t1 = plateMiddle.t1 = plateRight.t1 = t1;
    BeginSkin(BarTexture, 1.0f, 1.0f, 1.0f, 0.1f);
    DrawSkinQuadF(plateLeft, x0 - 18.0f, top - 18.0f, 64.0f, h + 18.0f);
    DrawSkinQuadF(plateMiddle, x0 + 46.0f, top - 18.0f, w + 36.0f - 128.0f, h + 18.0f);
    DrawSkinQuadF(plateRight, x0 + 46.0f + w + 36.0f - 128.0f, top - 18.0f, 64.0f, h + 18.0f);

    float left = iconX[0];
    for (int i = 0; i < IconCount; ++i) {
        float z = iconSize[i];
        float fade = m > s ? 0.5f + 0.5f * (z - s) / (m - s) : 1.0f;
        float tint = (i == hoverIcon && LeftDown) ? 0.8f : 1.0f;
        BeginSkin(IconTextures[i], tint, tint, tint, fade);
        if (IconTextures[i]) DrawSkinQuadF(WholePicture, left, height - 1.1f * z, z, z);
        drawnX[i] = left;
        left += z;
    }

    if (!FontLarge) return;
    int labelY = static_cast<int>(height - m - m / 2.0f);
    int icon = hoverIcon;
    float labelAlpha = 1.0f;
    if (icon >= 0) {
        lastLabelIcon = icon;
        lastLabelTick = now;
    } else if (lastLabelIcon >= 0 && now - lastLabelTick < 1000) {
        LookKeepsChanging();
        icon = lastLabelIcon;
        labelAlpha = 1.0f - (now - lastLabelTick) / LabelFadeMs;
    }
    if (icon < 0 || labelAlpha <= 0.0f || !labels[icon]) return;
    int textWidth = FontLarge->TextWidth("%s", labels[icon]);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, labelAlpha);
    FontLarge->DrawText(static_cast<int>(drawnX[icon] + (m - textWidth) / 2.0f), labelY, "%s", labels[icon]);
}

void AWndIcon::UpdateHover(int px, int py) {
    hoverIcon = -1;
    float s = BaseSize();
    for (int i = 0; i < IconCount; ++i) {
        float left = RestingLeft(i), top = height - 1.1f * s;
        if (px >= left && px <= left + s && py >= top && py <= top + s) {
            LastInputTick = TickNow();
            break;
        }
    }
}

void AWndIcon::PressAt() {
    if (hoverIcon >= 0) PressClaimed = 1;
}

void AWndIcon::ReleaseAt() {
    if (AWndFrame* panel = PanelOfIcon(hoverIcon)) OpenPanel(panel);
}
