// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's per-frame costs on the offscreen GL context: drawing one frame of a panel holding about
// 40 widgets, and routing one mouse move through it. Run with SDL_VIDEODRIVER=offscreen.
#include "DemoPanel.h"
#include "GuiTestSupport.h"

#include "app/ui/AppState.h"
#include "common/Tick.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

namespace {

DemoPanel& Panel() {
    static DemoPanel* panel = [] {
        EnsureGlContext(1280, 800);
        LoadSkinsAndFonts();
        EnsureGlContext(1280, 800);
        ResetAppState();
        ClientWidth = 1280;
        ClientHeight = 800;
        TickSet(1000000);
        auto* p = new DemoPanel;
        p->Build(40, 60);
        p->frameFlags |= FrameOpen | FrameShown;
        FocusSerial += 1;
        p->focusSerial = FocusSerial;
        return p;
    }();
    return *panel;
}

// Submission of every quad and text of the panel, then glFinish so that the rasteriser's work counts.
void BM_DrawPanelFrame(benchmark::State& state) {
    DemoPanel& panel = Panel();
    for (auto _ : state) {
        TickAdvance(8);
        glClear(GL_COLOR_BUFFER_BIT);
        panel.Draw(1.0f);
        glFinish();
    }
    state.counters["widgets"] = panel.WidgetCount();
}
BENCHMARK(BM_DrawPanelFrame)->Unit(benchmark::kMicrosecond);

// The submission alone, as the window thread spends it.
void BM_DrawPanelSubmit(benchmark::State& state) {
    DemoPanel& panel = Panel();
    for (auto _ : state) {
        TickAdvance(8);
        panel.Draw(1.0f);
    }
    glFinish();
}
BENCHMARK(BM_DrawPanelSubmit)->Unit(benchmark::kMicrosecond);

// One pointer move with the button up, offered to the frame and every widget.
void BM_RouteMouseMove(benchmark::State& state) {
    DemoPanel& panel = Panel();
    int step = 0;
    for (auto _ : state) {
        int x = 60 + (step * 7) % 800, y = 80 + (step * 3) % 480;
        ++step;
        panel.OnMouseMove(x, y, 0, &PressClaimed, ClickSerial);
    }
}
BENCHMARK(BM_RouteMouseMove);

} // namespace
