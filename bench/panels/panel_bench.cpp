// SPDX-License-Identifier: GPL-3.0-or-later
// One drawn frame of the microphone panel and of the room EQ panel while a band is dragged (the graph
// recomputes every frame), beside the widget gallery's 42-widget panel, to glFinish, in one run. Run
// with SDL_VIDEODRIVER=offscreen; compare the three times.
#include "DemoPanel.h"
#include "GuiTestSupport.h"

#include "app/ui/AppState.h"
#include "app/ui/Projection.h"
#include "common/Tick.h"
#include "gui/PanelLists.h"
#include "link/LinkWait.h"
#include "link/ParamMap.h"
#include "panels/AWndMic.h"
#include "panels/AWndREQ.h"
#include "panels/Panels.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

namespace {

void Setup() {
    static bool done = [] {
        KeepRendererMemory(); // as the console does
        EnsureGlContext(1280, 800);
        LoadSkinsAndFonts();
        EnsureGlContext(1280, 800);
        ResetAppState();
        ResetPanelPointers();
        ClientWidth = 1280;
        ClientHeight = 800;
        TickSet(1000000);
        BuildParamMap(ParamTargets{});
        LinkTapStart();
        return true;
    }();
    (void)done;
}

template <class Panel> Panel& MakePanel(Panel** global, int width, int height, const char* title) {
    Setup();
    auto* p = new Panel;
    *global = p;
    p->Create(20, 40, width, height, 460, 480, title);
    p->Build();
    OpenPanel(p);
    p->x = 20;
    p->y = 40;
    return *p;
}

// Grabs band 3 and moves it a little every frame, so that every frame edits and recomputes the graph.
template <class Panel> void DragFrames(benchmark::State& state, Panel& panel) {
    glClear(GL_COLOR_BUFFER_BIT);
    panel.Draw(1.0f);
    int gx, gy, gw, gh;
    panel.eq.GraphRect(&gx, &gy, &gw, &gh);
    int hx = gx + EqGraphLeft + panel.eq.bands[3].handleX, hy = gy + EqGraphTop + panel.eq.bands[3].handleY;
    ClickSerial += 1;
    PressClaimed = 0;
    LeftDown = 1;
    MouseX = hx;
    MouseY = hy;
    int step = 0;
    for (auto _ : state) {
        TickAdvance(8);
        MouseX = hx + (step++ % 2 ? 12 : -12);
        glClear(GL_COLOR_BUFFER_BIT);
        panel.Draw(1.0f);
        glFinish();
        LinkTapClear();
    }
    LeftDown = 0;
    panel.Draw(1.0f);
}

void BM_GalleryPanelFrame(benchmark::State& state) {
    Setup();
    static DemoPanel* panel = [] {
        auto* p = new DemoPanel;
        p->Build(40, 60);
        p->frameFlags |= FrameOpen | FrameShown;
        FocusSerial += 1;
        p->focusSerial = FocusSerial;
        return p;
    }();
    for (auto _ : state) {
        TickAdvance(8);
        glClear(GL_COLOR_BUFFER_BIT);
        panel->Draw(1.0f);
        glFinish();
    }
}
BENCHMARK(BM_GalleryPanelFrame)->Unit(benchmark::kMicrosecond);

void BM_MicPanelDragFrame(benchmark::State& state) {
    static AWndMic& panel = MakePanel(&MicPanel, 840, 520, "Mic");
    FocusPanel(&panel);
    DragFrames(state, panel);
}
BENCHMARK(BM_MicPanelDragFrame)->Unit(benchmark::kMicrosecond);

void BM_RoomEqPanelDragFrame(benchmark::State& state) {
    static AWndREQ& panel = MakePanel(&REQPanel, 800, 560, "R.EQ");
    FocusPanel(&panel);
    DragFrames(state, panel);
}
BENCHMARK(BM_RoomEqPanelDragFrame)->Unit(benchmark::kMicrosecond);

} // namespace
