// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/AWndFrame.h"

#include "app/ui/AppState.h"
#include "app/ui/Textures.h"
#include "common/Tick.h"
#include "common/vorcore_string.h"
#include "gui/PanelLists.h"
#include "gui/TextRenderer.h"
#include "gui/WidgetSkins.h"

#include <GL/gl.h>
#include <vector>

namespace {

// The inside's grey.
constexpr float InsideGrey = 241.0f / 256.0f;

constexpr uint32_t FadeMs = 200;
constexpr uint32_t DoubleClickMs = 320;

// Title-bar buttons, right to left: close, minimise, size toggle.
struct TitleButton {
    uint32_t flag;
    int rightOffset; // left edge = right edge of the frame - rightOffset
};
constexpr TitleButton TitleButtons[3] = {
    {FrameHasClose, 24}, {FrameHasMinimise, 44}, {FrameHasSizeToggle, 64}};

} // namespace

AWndFrame::AWndFrame() {
    frameFlags = FrameHasClose | FrameHasMinimise | FrameFixedSize;
    texture = 0;
    value = 0;
}

void AWndFrame::Create(int left, int top, int w, int h, int minW, int minH, const char* text) {
    x = left;
    y = top;
    width = w;
    height = h;
    if (minW != 0) {
        frameFlags &= ~FrameFixedSize;
        minWidth = minW;
        minHeight = minH;
    }
    title = vor_strdup(text);
}

bool AWndFrame::HasFocus() const {
    return focusSerial == FocusSerial;
}

GUIWnd* AWndFrame::ActivateAt(int px, int py) {
    if (px > x && px < x + width && py > y && py < y + height && !PressClaimed) {
        FocusPanel(this);
        return this;
    }
    return nullptr;
}

// Title button k is hit when the point is strictly inside its 16-pixel column and below the top edge.
static bool OnTitleButton(const AWndFrame& frame, int k, int px, int py) {
    int right = frame.x + frame.width;
    int left = right - TitleButtons[k].rightOffset;
    return px > left && px < left + 16 && py > frame.y + 3 && py < frame.y + 22;
}

void AWndFrame::Draw(float alpha) {
    if (!IsActive()) return;

    // The size toggle's animation.
    if (value != 0) {
        float p = TickProgress(static_cast<uint32_t>(value), FadeMs);
        if (p >= 1.0f) {
            toggleProgress = 1.0f;
            value = 0;
            width = toggleToWidth;
            height = toggleToHeight;
            toggleToWidth = toggleFromWidth;
            toggleToHeight = toggleFromHeight;
        } else {
            toggleProgress = p;
            width = static_cast<int>(toggleToWidth + (toggleFromWidth - toggleToWidth) * (1.0f - p));
            height = static_cast<int>(toggleToHeight + (toggleFromHeight - toggleToHeight) * (1.0f - p));
        }
    }

    float shade = alpha;
    if (dragFadeStart != 0 && (frameFlags & FrameMoving)) {
        float d = TickProgress(dragFadeStart, FadeMs);
        if (d > 1.0f) d = 1.0f;
        shade *= 1.0f - 0.2f * d;
    } else if (dragFadeStart != 0) {
        float d = TickProgress(dragFadeStart, FadeMs);
        if (d >= 1.0f) {
            d = 1.0f;
            dragFadeStart = 0;
        }
        shade *= 0.8f + 0.2f * d;
    }

    float q = 0.0f;
    if (fadeStart != 0) {
        q = TickProgress(fadeStart, FadeMs);
        if (q >= 1.0f) fadeStart = 0;
    }
    float f;
    if (frameFlags & FrameClosing) {
        f = fadeStart != 0 ? 1.0f - q : 0.0f;
    } else if (!HasFocus()) {
        f = fadeStart != 0 ? 1.0f - 0.4f * q : 0.6f;
    } else if (fadeStart != 0) {
        f = (frameFlags & FrameShown) ? 0.6f + 0.4f * q : q;
    } else {
        frameFlags |= FrameShown;
        f = 1.0f;
    }
    // The application's start-up fade enters twice, once through `shade` and once here.
    opacity = shade * f * alpha;
    if (value != 0 || dragFadeStart != 0 || fadeStart != 0 || (frameFlags & FrameClosing))
        LookKeepsChanging();

    DrawFrameSkin();
    DrawTitleButtons();

    if (title && FontBold) {
        int offset = (width - FontBold->TextWidth("%s", title)) / 2;
        glColor4f(1.0f, 1.0f, 1.0f, opacity);
        FontBold->DrawText(x + offset + 1, y + 5, "%s", title);
        glColor4f(0.0f, 0.0f, 0.0f, opacity);
        FontBold->DrawText(x + offset, y + 4, "%s", title);
    }

    BeginFlat(InsideGrey, InsideGrey, InsideGrey, opacity);
    const UnitRect inside = InsideRect();
    FillInside(inside.x, inside.y, inside.x + inside.width, inside.y + inside.height);
}

void AWndFrame::FillInsideAgain(const UnitRect& r) const {
    BeginFlat(InsideGrey, InsideGrey, InsideGrey, opacity);
    if (opacity >= 1.0f) glDisable(GL_BLEND);
    glRecti(r.x, r.y, r.x + r.width, r.y + r.height);
    glEnable(GL_BLEND);
}

// Rows that an opaque rectangle will cover from side to side are left out: blending a colour of full
// alpha keeps nothing of what is under it, so the picture is the same and the software renderer has
// fewer pixels to blend (on an EQ panel, the graph's quarter of the inside). For the same reason a
// panel at full opacity fills unblended, and the renderer need not read the pixels it replaces.
void AWndFrame::FillInside(int left, int top, int right, int bottom) {
    if (opacity >= 1.0f) glDisable(GL_BLEND);
    struct BlendBack {
        ~BlendBack() { glEnable(GL_BLEND); }
    } blendBack;
    int ox, oy, ow, oh;
    if (OpaqueOverInside(&ox, &oy, &ow, &oh) && ow > 0 && oh > 0 && ox <= left && ox + ow >= right &&
        oy < bottom && oy + oh > top) {
        if (oy > top) glRecti(left, top, right, oy);
        if (oy + oh < bottom) glRecti(left, oy + oh, right, bottom);
        return;
    }
    glRecti(left, top, right, bottom);
}

void AWndFrame::DrawFrameSkin() {
    int right = x + width, bottom = y + height;
    BeginSkin(WfTexture, 1.0f, 1.0f, 1.0f, opacity);
    DrawSkinQuad(Rect(Piece::FrameTopLeft), x - 13, y - 10, 64, 64);
    DrawSkinQuad(Rect(Piece::FrameTop), x + 51, y - 10, width - 100, 64);
    DrawSkinQuad(Rect(Piece::FrameTopRight), right - 49, y - 10, 64, 64);
    DrawSkinQuad(Rect(Piece::FrameLeft), x - 13, y + 54, 64, height - 100);
    DrawSkinQuad(Rect(Piece::FrameRight), right - 49, y + 54, 64, height - 100);
    DrawSkinQuad(Rect(Piece::FrameBottomLeft), x - 13, bottom - 46, 64, 64);
    DrawSkinQuad(Rect((frameFlags & FrameFixedSize) ? Piece::FrameBottomRight : Piece::FrameBottomRightGrip),
                 right - 49, bottom - 46, 64, 64);
    DrawSkinQuad(Rect(Piece::FrameBottom), x + 51, bottom - 46, width - 100, 64);
}

void AWndFrame::DrawTitleButtons() {
    bool focused = HasFocus();
    int right = x + width;
    for (int k = 0; k < 3; ++k) {
        if (!(frameFlags & TitleButtons[k].flag)) continue;
        SkinRect look = Rect(Piece::FrameButtonNoFocus);
        if (focused) {
            int state = 0;
            if (OnTitleButton(*this, k, MouseX, MouseY)) state = LeftDown ? 2 : 1;
            look = TitleButtonSkin[k][state];
        }
        DrawSkinQuad(look, right - TitleButtons[k].rightOffset, y + 4, 16, 16);
    }
}

void AWndFrame::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    if (!IsActive()) return;
    uint32_t now = TickNow();

    // Double-click enlarge: a second press soon after a press on the plain title bar, wherever it lands.
    if (!(frameFlags & FrameFixedSize) && LeftDown && !*claimed && lastTitlePress != 0 &&
        now - lastTitlePress < DoubleClickMs) {
        dragFadeStart = 0;
        if (filled) {
            x = savedX;
            y = savedY;
            width = savedWidth;
            height = savedHeight;
        } else {
            savedX = x;
            savedY = y;
            savedWidth = width;
            savedHeight = height;
            width = ClientWidth - 32;
            height = ClientHeight - 82;
            x = (ClientWidth - width) / 2;
            y = 32;
            if (width < minWidth) width = minWidth;
            if (width > 1024) width = 1024;
            if (height < minHeight) height = minHeight;
            if (height > 760) height = 760;
        }
        filled = !filled;
        lastTitlePress = 0;
        fadeStart = now;
        return;
    }

    frameFlags &= ~(FrameMoving | FrameResizing);
    pressedButton = 0;

    int right = x + width, bottom = y + height;
    if (px > x && px < right && py > y && py < y + 22 && !*claimed) {
        *claimed = 1;
        pressSerial = clickSerial;
        if ((frameFlags & FrameHasClose) && OnTitleButton(*this, 0, px, py)) {
            pressedButton = FrameHasClose;
            return;
        }
        if ((frameFlags & FrameHasMinimise) && OnTitleButton(*this, 1, px, py)) {
            pressedButton = FrameHasMinimise;
            return;
        }
        if ((frameFlags & FrameHasSizeToggle) && OnTitleButton(*this, 2, px, py)) {
            if (value == 0) {
                value = static_cast<int32_t>(now);
                texture ^= LayoutCompact;
                toggleFromWidth = width;
                toggleFromHeight = height;
            }
            return;
        }
        pressX = px;
        pressY = py;
        pressLeft = x;
        pressTop = y;
        frameFlags |= FrameMoving;
        if (!(frameFlags & FrameNoDragFade)) dragFadeStart = now;
        lastTitlePress = now;
    }

    if (frameFlags & FrameFixedSize) return;

    if (px > right - 18 && px < right && py > bottom - 18 && py < bottom && !*claimed) {
        *claimed = 1;
        pressSerial = clickSerial;
        pressX = px;
        pressY = py;
        pressWidth = width;
        pressHeight = height;
        gripRight = right - px;
        gripBottom = bottom - py;
        frameFlags |= FrameResizing;
    }
}

void AWndFrame::OnMouseMove(int px, int py, uint32_t buttonDown, uint32_t* claimed, uint32_t clickSerial) {
    if (!IsActive()) return;
    if (!buttonDown || *claimed != 1 || pressSerial != clickSerial) return;
    if (frameFlags & FrameMoving) {
        x = px - pressX + pressLeft;
        y = py - pressY + pressTop;
        if (y < 23) y = 23;
        if (x + width < 24) x = 24 - width;
        if (y > ClientHeight - 24) y = ClientHeight - 24;
        if (x > ClientWidth - 24) x = ClientWidth - 24;
    }
    if (frameFlags & FrameResizing) {
        if (px + gripRight > ClientWidth - 2) px = ClientWidth - 2 - gripRight;
        if (py + gripBottom > ClientHeight - 2) py = ClientHeight - 2 - gripBottom;
        width = px - pressX + pressWidth;
        height = py - pressY + pressHeight;
        int leastWidth = IsCompact() ? 420 : minWidth;
        int leastHeight = IsCompact() ? 240 : minHeight;
        if (width < leastWidth) width = leastWidth;
        if (height < leastHeight) height = leastHeight;
    }
}

void AWndFrame::OnMouseUp(int px, int py, uint32_t clickSerial) {
    if (!IsActive()) return;
    if ((frameFlags & FrameMoving) && dragFadeStart != 0) dragFadeStart = TickNow();
    frameFlags &= ~FrameMoving;
    bool ours = LeftReleased && pressSerial == clickSerial;
    if (ours && pressedButton == FrameHasClose && (frameFlags & FrameHasClose) &&
        OnTitleButton(*this, 0, px, py)) {
        CloseAsTitleButtonDoes();
    } else if (ours && pressedButton == FrameHasMinimise && (frameFlags & FrameHasMinimise) &&
               OnTitleButton(*this, 1, px, py)) {
        fadeStart = TickNow();
        frameFlags |= FrameClosing | FrameToMinimise;
    } else {
        pressedButton = 0;
    }
}

void AWndFrame::OnClose() {}

void AWndFrame::MoveKeyFocus(bool back) {
    std::vector<GUIWnd*> order;
    for (GUIWnd* w = firstChild; w; w = w->nextSibling) {
        int left = w->WindowX(), top = w->WindowY();
        bool inside = left >= x && top >= y && left + w->width <= x + width && top + w->height <= y + height;
        if (w->TakesKeyFocus() && inside && ShowsControl(w)) order.push_back(w);
    }
    if (order.empty()) {
        keyFocus = nullptr;
        return;
    }
    size_t at = 0;
    while (at < order.size() && order[at] != keyFocus)
        ++at;
    if (at == order.size()) {
        keyFocus = back ? order.back() : order.front();
    } else {
        keyFocus = order[(at + (back ? order.size() - 1 : 1)) % order.size()];
    }
}

void AWndFrame::DrawKeyFocus(float alpha) const {
    if (!keyFocus || !IsActive() || !ShowsControl(keyFocus)) return;
    float left = keyFocus->WindowX() - 2.5f, top = keyFocus->WindowY() - 2.5f;
    float right = left + keyFocus->width + 4.0f, bottom = top + keyFocus->height + 4.0f;
    BeginFlat(0.0f, 0.34f, 0.82f, alpha * opacity);
    glBegin(GL_LINE_LOOP);
    glVertex2f(left, top);
    glVertex2f(right, top);
    glVertex2f(right, bottom);
    glVertex2f(left, bottom);
    glEnd();
    glEnable(GL_TEXTURE_2D);
}

bool AWndFrame::CloseAsTitleButtonDoes() {
    if (!(frameFlags & FrameHasClose) || !IsOpen() || (frameFlags & FrameClosing)) return false;
    fadeStart = TickNow();
    frameFlags |= FrameClosing;
    OnClose();
    return true;
}
