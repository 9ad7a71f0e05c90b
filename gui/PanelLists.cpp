// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/PanelLists.h"

#include "app/ui/AppState.h"
#include "common/Tick.h"
#include "gui/AWndFrame.h"

namespace {

AWndFrame* Below(AWndFrame* panel) {
    return static_cast<AWndFrame*>(panel->zNext);
}

bool InZList(const AWndFrame* panel) {
    for (AWndFrame* p = TopPanel; p; p = Below(p))
        if (p == panel) return true;
    return false;
}

// The list is walked through zNext; zPrev is derived from it after every change.
void RebuildPrevLinks() {
    AWndFrame* above = nullptr;
    for (AWndFrame* p = TopPanel; p; p = Below(p)) {
        p->zPrev = above;
        above = p;
    }
}

void UnlinkZ(AWndFrame* panel) {
    if (TopPanel == panel) {
        TopPanel = Below(panel);
    } else {
        for (AWndFrame* p = TopPanel; p; p = Below(p)) {
            if (p->zNext == panel) {
                p->zNext = panel->zNext;
                break;
            }
        }
    }
    panel->zNext = nullptr;
    panel->zPrev = nullptr;
}

void AppendBottom(AWndFrame* panel) {
    panel->zNext = nullptr;
    if (!TopPanel) {
        TopPanel = panel;
    } else {
        AWndFrame* last = TopPanel;
        while (last->zNext)
            last = Below(last);
        last->zNext = panel;
    }
    RebuildPrevLinks();
}

void GiveFocus(AWndFrame* panel) {
    FocusSerial += 1;
    panel->focusSerial = FocusSerial;
    panel->fadeStart = TickNow();
}

// The top panel leaves the top: the first open panel below it takes its place and the focus, and the
// old top goes to the bottom. Closed panels between the two drop out of the list; opening one again
// always puts it back at the top.
void HandTopToNextOpen(AWndFrame* top) {
    AWndFrame* next = Below(top);
    while (next && !next->IsOpen())
        next = Below(next);
    if (!next) return;
    TopPanel = next;
    next->zPrev = nullptr;
    GiveFocus(next);
    top->zNext = nullptr;
    AppendBottom(top);
}

} // namespace

void FocusPanel(AWndFrame* panel) {
    if (!panel) return;
    if (panel != TopPanel) {
        if (TopPanel) TopPanel->fadeStart = TickNow();
        if (InZList(panel)) UnlinkZ(panel);
        panel->zNext = TopPanel;
        TopPanel = panel;
        RebuildPrevLinks();
        TopPanel->zPrev = nullptr;
    } else if (!panel->IsMinimised()) {
        return;
    }
    GiveFocus(panel);
}

void OpenPanel(AWndFrame* panel) {
    if (!panel) return;
    if (InZList(panel) && panel->IsOpen()) {
        // A panel still fading out is opened again: what asked for it (a message raised while the
        // previous one is answered) stays on screen, fading in anew.
        if (panel->frameFlags & FrameClosing) {
            panel->frameFlags &= ~(FrameClosing | FrameToMinimise | FrameShown);
            panel->fadeStart = TickNow();
        }
        panel->frameFlags &= ~FrameMinimised;
        FocusPanel(panel);
        return;
    }
    if (panel == TopPanel && panel->zNext) {
        AWndFrame* below = Below(panel);
        panel->zNext = below->zNext;
        below->zNext = panel;
        TopPanel = below;
        RebuildPrevLinks();
    }
    // Move to the end of the open-order list.
    if (OpenPanels == panel) {
        OpenPanels = static_cast<AWndFrame*>(panel->openNext);
    } else {
        for (GUIWnd* p = OpenPanels; p; p = p->openNext) {
            if (p->openNext == panel) {
                p->openNext = panel->openNext;
                break;
            }
        }
    }
    panel->openNext = nullptr;
    if (!OpenPanels) {
        OpenPanels = panel;
    } else {
        GUIWnd* last = OpenPanels;
        while (last->openNext)
            last = last->openNext;
        last->openNext = panel;
    }
    panel->frameFlags |= FrameOpen;
    FocusPanel(panel);
    panel->x = (panel->frameFlags & FrameOpensAtRight) ? ClientWidth - panel->width - 20
                                                       : (ClientWidth - panel->width) / 2;
    panel->y = (ClientHeight - panel->height) / 2;
    if (panel->y < 24) panel->y = 24;
}

void ClosePanel(AWndFrame* panel) {
    if (!panel) return;
    panel->frameFlags &= ~FrameOpen;
    if (!panel->zNext) return;
    if (panel != TopPanel) {
        UnlinkZ(panel);
        AppendBottom(panel);
        return;
    }
    HandTopToNextOpen(panel);
}

void MinimizePanel(AWndFrame* panel) {
    if (!panel) return;
    panel->frameFlags |= FrameMinimised;
    if (panel == TopPanel) HandTopToNextOpen(panel);
}
