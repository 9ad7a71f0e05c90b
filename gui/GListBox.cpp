// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/GListBox.h"

#include "app/ui/AppState.h"
#include "app/ui/Textures.h"
#include "gui/TextRenderer.h"
#include "gui/WidgetSkins.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstdio>

GListBox::GListBox() {
    normalSkin[0] = ListFoldedSkin;
    onSkin[0] = ListUnfoldedSkin;
}

void GListBox::HeaderText(char* out, int size) const {
    std::snprintf(out, size, "%d", value + 1);
}

void GListBox::Draw(float alpha) {
    int left = WindowX(), top = WindowY();
    BeginSkin(ExTexture, 1.0f, 1.0f, 1.0f, alpha);
    DrawSkinQuad(open ? onSkin[0] : normalSkin[0], left + 2, top + 2, 54, 20);
    if (FontNormal) {
        char text[16];
        HeaderText(text, sizeof text);
        glColor4f(0.0f, 0.0f, 0.0f, alpha);
        FontNormal->DrawText(left + 8, top + 5, "%s", text);
    }
}

int GListBox::RowsTop() const {
    int below = WindowY() + 21;
    int height = RowHeight * itemCount;
    // Rows that would run into the icon dock at the window's bottom (drawn over everything, at most
    // 80 pixels high) are lifted until they clear it, over their own header if need be, never above
    // the tab bar.
    constexpr int DockClearance = 80;
    if (ClientHeight > 0 && below + height > ClientHeight - DockClearance) {
        below = ClientHeight - DockClearance - height;
        if (below < 24) below = 24;
    }
    return below;
}

void GListBox::DrawList() {
    if (!open) return;
    int left = WindowX(), rows = RowsTop();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    BeginFlat(0.96f, 0.96f, 0.9f, 1.0f);
    glRecti(left + 1, rows, left + 53, rows + RowHeight * itemCount);
    char text[16];
    for (int i = 0; i < itemCount; ++i) {
        int rowTop = rows + RowHeight * i;
        bool lit = i == hoverItem;
        if (lit) {
            BeginFlat(0.5f, 0.5f, 1.0f, 1.0f);
            glRecti(left + 1, rowTop, left + 53, rowTop + RowHeight);
        }
        if (!FontNormal) continue;
        glEnable(GL_TEXTURE_2D);
        float shade = lit ? 1.0f : 0.0f;
        glColor4f(shade, shade, shade, 1.0f);
        std::snprintf(text, sizeof text, "%d", i + 1);
        FontNormal->DrawText(left + 8, rowTop, "%s", text);
    }
}

bool GListBox::StepByKey(int steps) {
    open = 0;
    hoverItem = -1;
    int next = std::clamp(value + steps, 0, itemCount > 0 ? itemCount - 1 : 0);
    if (next == value) return false;
    value = next;
    if (listCallback) listCallback(listId);
    return true;
}

// The first row whose inside (borders excluded) holds the point, or -1.
int GListBox::RowAt(int px, int py) const {
    int left = WindowX(), rows = RowsTop();
    if (!(px > left + 2 && px < left + 52)) return -1;
    for (int i = 0; i < itemCount; ++i)
        if (py > rows + RowHeight * i && py < rows + 14 + RowHeight * i) return i;
    return -1;
}

void GListBox::OnMouseMove(int px, int py, uint32_t, uint32_t*, uint32_t) {
    if (!open) return;
    int row = RowAt(px, py);
    if (row >= 0) hoverItem = row;
}

void GListBox::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t clickSerial) {
    int left = WindowX(), top = WindowY(), rows = RowsTop();
    // The rows are drawn over everything, the header included when they were lifted: they come first.
    bool onRows = open && px > left + 1 && px < left + 53 && py > rows && py < rows + RowHeight * itemCount;
    if (!*claimed && !onRows && px > left && px < left + 54 && py > top && py < top + 20) {
        open = !open;
        hoverItem = -1;
        *claimed = 1;
        if (open) openSerial = clickSerial;
        return;
    }
    if (onRows && !*claimed) {
        // The press itself names the row, so a press that no move announced still picks what it hits.
        int row = RowAt(px, py);
        if (row >= 0) hoverItem = row;
        if (hoverItem >= 0 && hoverItem < itemCount) {
            value = hoverItem;
            *claimed = 1;
            if (listCallback) listCallback(listId);
            return;
        }
    }
    open = 0;
}
