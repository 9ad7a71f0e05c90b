// SPDX-License-Identifier: GPL-3.0-or-later
#include "DemoPanel.h"

#include "app/ui/AppState.h"
#include "app/ui/Textures.h"
#include "gui/TextRenderer.h"

namespace {

void OnDemoWidget(uint32_t) {}

// Every widget id carries its panel's number times 1000, so the shared callbacks find their panel.
constexpr int MaxPanels = 4;
DemoPanel* Panels[MaxPanels];
int PanelCount;
DemoPanel& PanelOf(uint32_t id) {
    return *Panels[id / 1000 % MaxPanels];
}

// The radio group of check buttons 2 and 3: the chosen member keeps the on look.
void OnRadio(uint32_t id) {
    DemoPanel& panel = PanelOf(id);
    for (int i = 2; i <= 3; ++i) {
        GBCheck& member = panel.checks[i];
        uint32_t chosen = member.id == id;
        member.value = static_cast<int32_t>(chosen);
        member.pressed = member.hover = chosen;
    }
}

void OnList(uint32_t id) {
    PanelOf(id).lists[id & 1].open = 0;
}

const char* ButtonLabels[DemoPanel::Buttons] = {"Normal", "Hover",  "Pressed", "Disabled",
                                                "Store",  "Recall", "Reset",   "Apply"};

} // namespace

void DemoPanel::Build(int left, int top) {
    Create(left, top, 900, 560, 460, 480, "Widget gallery");
    frameFlags |= FrameHasSizeToggle;
    uint32_t base = static_cast<uint32_t>(PanelCount % MaxPanels) * 1000;
    Panels[PanelCount++ % MaxPanels] = this;
    for (int i = 0; i < Buttons; ++i)
        buttons[i].Create(60 + (i % 4) * 100, 60 + (i / 4) * 34, 90, 24, ButtonLabels[i], FontNormal,
                          GBaseBtn::TintPress, UiTexture, base + i, OnDemoWidget, this);
    checks[0].Create(60, 140, 80, 22, "Off", "On", FontNormal, 0, 0, UiTexture, base + 10, OnDemoWidget,
                     this);
    checks[1].Create(150, 140, 80, 22, "Off", "On", FontNormal, 0, 0, UiTexture, base + 11, OnDemoWidget,
                     this);
    checks[2].Create(260, 140, 70, 22, "Left", "Left", FontNormal, 0, GBaseBtn::LatchOn | GBaseBtn::JoinRight,
                     UiTexture, base + 12, OnRadio, this);
    checks[3].Create(330, 140, 70, 22, "Right", "Right", FontNormal, 0,
                     GBaseBtn::LatchOn | GBaseBtn::JoinLeft, UiTexture, base + 13, OnRadio, this);
    checks[4].Create(430, 140, 80, 22, "Mute", "Muted", FontNormal, GBaseBtn::TintPress, 0, UiTexture,
                     base + 14, OnDemoWidget, this);
    checks[5].Create(520, 140, 80, 22, "Bypass", "Active", FontNormal, 0, 0, UiTexture, base + 15,
                     OnDemoWidget, this);
    for (int i = 0; i < EqChecks; ++i)
        eqChecks[i].Create(640 + i * 34, 60, 26, 26, 0, 0, UiTexture, base + 20 + i, OnDemoWidget, this);
    const char* tickLabels[Ticks] = {"Ticked", "Unticked", "Link", "Lock"};
    for (int i = 0; i < Ticks; ++i)
        ticks[i].Create(640 + (i % 2) * 100, 104 + (i / 2) * 22, 13, 14, tickLabels[i], FontNormal, WfTexture,
                        base + 30 + i, OnDemoWidget, this);
    for (int i = 0; i < Lists; ++i) {
        lists[i].x = 640 + i * 90;
        lists[i].y = 150;
        lists[i].itemCount = 10;
        lists[i].listId = base + static_cast<uint32_t>(i);
        lists[i].listCallback = OnList;
        lists[i].parent = this;
    }
    const char* barLabels[Bars] = {"Level",      "Gain %.1f dB", "L %d : R %d", "%.1f ms %.0f",
                                   "Delay %.0f", "Treble",       "Bass",        "Limited"};
    const uint32_t barStyles[Bars] = {0,
                                      GPushBar::ValueCaption,
                                      GPushBar::ValueCaption | GPushBar::SplitCaption,
                                      GPushBar::TwoFloatCaption,
                                      GPushBar::ValueCaption | GPushBar::AltFill,
                                      GPushBar::AltFill,
                                      GPushBar::SlowRise,
                                      0};
    for (int i = 0; i < Bars; ++i) {
        int column = i % 2, row = i / 2;
        bool captionAbove = barStyles[i] & (GPushBar::ValueCaption | GPushBar::TwoFloatCaption);
        bars[i].Create(captionAbove ? 60 + column * 300 : 120 + column * 300, 220 + row * 50,
                       captionAbove ? 250 : 190, 8, 20 + i * 20, 0, 180, barLabels[i], FontNormal,
                       barStyles[i], UiTexture, base + 40 + i, OnDemoWidget, this);
    }
    bars[1].displayScale = 0.2f;
    bars[1].displayOffset = -24.0f;
    bars[7].limit = 120;
    bars[0].bubbleTexture = WfTexture;
    for (int i = 0; i < Faders; ++i)
        faders[i].Create(660 + i * 34, 330, 7, 160, 30 + i * 25, 0, 180, UiTexture, base + 50 + i,
                         OnDemoWidget, this);
    scroller.Create(860, 60, 7, 330, 0, 0, 1200, base + 60, OnDemoWidget, this);
    boxes[0].Create(DxTexture, "Plain text box", 60, 440, 160, 24, 0, FontNormal, base + 70, OnDemoWidget,
                    this);
    boxes[1].Create(DxTexture, "Selected words here", 240, 440, 160, 24, 0, FontNormal, base + 71,
                    OnDemoWidget, this);
    boxes[2].Create(DxTexture, "1.5", 420, 440, 100, 24, GTextBox::DigitsOnly, FontNormal, base + 72,
                    OnDemoWidget, this);
    boxes[2].maxLength = 6;
}

int DemoPanel::WidgetCount() const {
    return Buttons + Checks + EqChecks + Ticks + Lists + Bars + Faders + 1 + Boxes;
}

// While compact (or shrinking towards it) the panel shows only what its smaller frame holds, as a real
// panel lays its content out anew.
bool DemoPanel::Shows(const GUIWnd& w) const {
    if (!IsCompact() && value == 0) return true;
    int w0 = w.width > 0 ? w.width : 60, h0 = w.height > 0 ? w.height : 24;
    return w.x + w0 <= width - 40 && w.y + h0 <= height - 40;
}

void DemoPanel::Draw(float alpha) {
    if (!IsActive()) return;
    AWndFrame::Draw(alpha);
    float a = opacity;
    for (int i = 0; i < Buttons; ++i)
        if (Shows(buttons[i])) buttons[i].Draw(i == dimButton ? a * 0.4f : a);
    for (GBCheck& c : checks)
        if (Shows(c)) c.Draw(a);
    for (GEQCheck& e : eqChecks)
        if (Shows(e)) e.Draw(a);
    for (GCheck& t : ticks)
        if (Shows(t)) t.Draw(a);
    for (GListBox& l : lists)
        if (Shows(l)) l.Draw(a);
    for (GPushBar& b : bars)
        if (Shows(b)) b.Draw(a);
    for (GScrollBar& f : faders)
        if (Shows(f)) f.Draw(a);
    if (Shows(scroller)) scroller.Draw(a);
    for (GTextBox& b : boxes)
        if (Shows(b))
            b.DrawBox(a, ClientWidth, ClientHeight, MouseX, MouseY, LeftDown, &PressClaimed, ClickSerial);
    // Unfolded lists lie over everything else.
    for (GListBox& l : lists)
        l.DrawList();
}

void DemoPanel::OnMouseMove(int px, int py, uint32_t down, uint32_t* claimed, uint32_t serial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseMove(px, py, down, claimed, serial);
    for (GBaseBtn& b : buttons)
        b.OnMouseMove(px, py, down, claimed, serial);
    for (GEQCheck& e : eqChecks)
        e.OnMouseMove(px, py, down, claimed, serial);
    for (GListBox& l : lists)
        l.OnMouseMove(px, py, down, claimed, serial);
    for (GPushBar& b : bars)
        b.OnMouseMove(px, py, down, claimed, serial);
    for (GScrollBar& f : faders)
        f.OnMouseMove(px, py, down, claimed, serial);
    scroller.OnMouseMove(px, py, down, claimed, serial);
    for (GTextBox& b : boxes)
        b.Track(px, py, down, claimed, serial);
}

void DemoPanel::OnMouseDown(int px, int py, uint32_t* claimed, uint32_t serial) {
    if (!IsActive()) return;
    // An unfolded list lies on top, so it is offered the press first.
    for (GListBox& l : lists)
        if (l.open) l.OnMouseDown(px, py, claimed, serial);
    AWndFrame::OnMouseDown(px, py, claimed, serial);
    for (GCheck& t : ticks)
        t.OnMouseDown(px, py, claimed, serial);
    for (GBaseBtn& b : buttons)
        b.OnMouseDown(px, py, claimed, serial);
    for (GBCheck& c : checks)
        c.OnMouseDown(px, py, claimed, serial);
    for (GEQCheck& e : eqChecks)
        e.OnMouseDown(px, py, claimed, serial);
    for (GListBox& l : lists)
        if (!l.open) l.OnMouseDown(px, py, claimed, serial);
    for (GPushBar& b : bars)
        b.OnMouseDown(px, py, claimed, serial);
    for (GScrollBar& f : faders)
        f.OnMouseDown(px, py, claimed, serial);
    scroller.OnMouseDown(px, py, claimed, serial);
    for (GTextBox& b : boxes)
        b.Track(px, py, 1, claimed, serial);
}

void DemoPanel::OnMouseUp(int px, int py, uint32_t serial) {
    if (!IsActive()) return;
    AWndFrame::OnMouseUp(px, py, serial);
    for (GBaseBtn& b : buttons)
        b.OnMouseUp(px, py, serial);
    // The radio pair gets no releases, so the chosen member keeps its on look.
    for (int i = 0; i < Checks; ++i)
        if (i != 2 && i != 3) checks[i].OnMouseUp(px, py, serial);
    for (GScrollBar& f : faders)
        f.OnMouseUp(px, py, serial);
}

void DemoPanel::OnWheel(int delta) {
    scroller.OnWheel(delta);
}

void DemoPanel::OnChar(uint32_t ch) {
    for (GTextBox& b : boxes) {
        if (ch == 8)
            b.Backspace();
        else
            b.InsertChar(TypedChar);
    }
}

void DemoPanel::OnKeyDown(uint32_t key) {
    for (GTextBox& b : boxes) {
        if (key == VkLeft) b.CaretLeft(0);
        if (key == VkRight) b.CaretRight(0);
    }
}
