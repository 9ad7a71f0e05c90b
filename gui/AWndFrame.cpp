#include "gui/AWndFrame.h"

#include "app/AppState.h"
#include "common/Tick.h"
#include "common/vorcore_string.h"

AWndFrame::AWndFrame() {
    frameFlags = FrameHasClose | FrameHasMinimise | FrameFixedSize;
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

bool AWndFrame::HasFocus() const { return focusSerial == FocusSerial; }

GUIWnd* AWndFrame::ActivateAt(int px, int py) {
    if (px > x && px < x + width && py > y && py < y + height && !PressClaimed) {
        FocusPanel(this);
        return this;
    }
    return nullptr;
}

void AWndFrame::Draw(float alpha) {
    if (!IsActive()) return;
    opacity = alpha;
}

void AWndFrame::OnMouseMove(int, int, uint32_t, uint32_t*, uint32_t) {}
void AWndFrame::OnMouseDown(int, int, uint32_t*, uint32_t) {}
void AWndFrame::OnMouseUp(int, int, uint32_t) {}
void AWndFrame::OnClose() {}
