// SPDX-License-Identifier: GPL-3.0-or-later
#include "PanelFixture.h"

#include "gui/PanelLists.h"
#include "panels/EqSection.h"
#include "panels/Panels.h"

#include <GL/gl.h>

void PanelFixture::SetUp() {
    ResetAppState();
    ResetPanelPointers();
    LinkResetForTest();
    TickUseClock();
    EnsureGlContext(960, 600);
    ASSERT_TRUE(LoadSkinsAndFonts());
    ClientWidth = 960;
    ClientHeight = 600;
    OpenPorts();
}

void PanelFixture::TearDown() {
    for (auto& clear : clears_)
        clear();
    clears_.clear();
    LinkTapStop();
    LinkShutdown();
    ClosePorts();
    LinkResetForTest();
    TickUseClock();
    ResetAppState();
    ResetPanelPointers();
}

bool PanelFixture::DrawUntil(AWndFrame* panel, const std::function<bool()>& done, uint32_t timeoutMs) {
    return WaitFor(done, timeoutMs, [panel] {
        glClear(GL_COLOR_BUFFER_BIT);
        panel->Draw(1.0f);
    });
}

void PanelFixture::ClickOn(AWndFrame* panel, int x, int y) {
    Pointer pointer({panel});
    pointer.Move(x, y);
    pointer.Press(x, y);
    pointer.Release(x, y);
}

void PanelFixture::MakePanels() {
    bar = std::make_unique<AWndBar>();
    BarPanel = bar.get();
    clears_.push_back([] { BarPanel = nullptr; });
    bar->width = ClientWidth;
    bar->Build();
    msg = Make(&MsgPanel, 400, 100, 380, 320, "Message");
    con = Make(&ConPanel, 100, 100, 310, 200, "Device Connecting");
    mic = Make(&MicPanel, 300, 300, 840, 520, "Mic", 460, 480);
    music = Make(&MusicPanel, 400, 200, 640, 520, "Music", 460, 480);
    volume = Make(&MVolPanel, 400, 300, 340, 196, "Volume");
    room = Make(&REQPanel, 500, 200, 800, 560, "R.EQ", 460, 480);
    sc = Make(&SCPanel, 500, 300, 640, 520, "SC.Set", 460, 480);
    sub = Make(&SubPanel, 500, 100, 460, 520, "Sub", 460, 480);
    sys = Make(&SysPanel, 600, 200, 300, 340, "System");
    ParamTargets targets{};
    mic->BindTargets(targets);
    room->BindTargets(targets);
    sc->BindTargets(targets);
    sub->BindTargets(targets);
    music->BindTargets(targets);
    volume->BindTargets(targets);
    sys->BindTargets(targets);
    BuildParamMap(targets);
}

void PanelFixture::Frame(AWndFrame* panel) {
    glClear(GL_COLOR_BUFFER_BIT);
    panel->Draw(1.0f);
    TickAdvance(16);
}

void PanelFixture::HandleAt(const EqSection& eq, int band, int* hx, int* hy) {
    int gx, gy, gw, gh;
    eq.GraphRect(&gx, &gy, &gw, &gh);
    *hx = gx + EqGraphLeft + eq.bands[band].handleX;
    *hy = gy + EqGraphTop + eq.bands[band].handleY;
}

void PanelFixture::Press(AWndFrame* panel, int px, int py, bool right) {
    MouseX = px;
    MouseY = py;
    if (right) {
        RightDown = 1;
        RightClaimed = 0;
        return;
    }
    ClickSerial += 1;
    LeftDown = 1;
    PressClaimed = 0;
    panel->OnMouseDown(px, py, &PressClaimed, ClickSerial);
}

void PanelFixture::MakePanelsWithTap() {
    ClientWidth = 1280;
    ClientHeight = 800;
    EnsureGlContext(1280, 800);
    MakePanels();
    LinkTapStart();
    TickSet(500000);
}

void PanelFixture::TypeInto(AWndFrame* panel, GTextBox& box, const char* text) {
    Press(panel, box.WindowX() + box.width - 3, box.WindowY() + box.height / 2);
    Release();
    ASSERT_TRUE(box.focused);
    for (int i = 0; i < 10; ++i)
        panel->OnKeyDown(39);
    for (int i = 0; i < 10; ++i)
        panel->OnChar(8);
    for (const char* c = text; *c; ++c)
        panel->OnChar(static_cast<uint8_t>(*c));
    panel->OnChar(13);
}

void PanelFixture::Release() {
    LeftDown = RightDown = 0;
}

void PanelFixture::Click(AWndFrame* panel, const GUIWnd& w) {
    OpenPanel(panel);
    Press(panel, w.WindowX() + w.width / 2, w.WindowY() + w.height / 2);
    Frame(panel);
    Release();
    Frame(panel);
}

void PanelFixture::Drag(AWndFrame* panel, const EqSection& eq, int band, int dx, int dy, bool right) {
    OpenPanel(panel);
    Frame(panel);
    int hx, hy;
    HandleAt(eq, band, &hx, &hy);
    Press(panel, hx, hy, right);
    Frame(panel);
    MouseX = hx + dx;
    MouseY = hy + dy;
    Frame(panel);
    Release();
    Frame(panel);
}

std::vector<std::pair<uint32_t, uint32_t>> PanelFixture::Sent() {
    std::vector<std::pair<uint32_t, uint32_t>> pairs;
    for (const LinkTapRequest& r : LinkTapRequests())
        pairs.push_back({r.code, r.value});
    LinkTapClear();
    return pairs;
}

bool PanelFixture::Download(uint32_t timeoutMs) {
    TickUseClock();
    CreateSenderThread();
    ConnectState = ConnectStarted;
    return StepUntil([] { return (ConnectState & ConnectDownloaded) != 0; }, timeoutMs);
}
