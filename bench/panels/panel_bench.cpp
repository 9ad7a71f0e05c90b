// SPDX-License-Identifier: GPL-3.0-or-later
// One drawn frame of the microphone panel and of the room EQ panel while a band is dragged (the graph
// recomputes every frame), beside the widget gallery's 42-widget panel standing still, to glFinish, at
// scales 1 and 2, in one run. Each scale draws into a framebuffer of its own, the pixels of a 1280 x 800
// unit window, cleared whole before each frame as the console clears its window; the fonts are made
// again at each scale, as the console makes them at its own. Run with SDL_VIDEODRIVER=offscreen;
// compare the times of one scale, and the scales.
#define GL_GLEXT_PROTOTYPES
#include "DemoPanel.h"
#include "GuiTestSupport.h"

#include "app/ui/AppState.h"
#include "app/ui/Projection.h"
#include "common/Tick.h"
#include "gui/PanelLists.h"
#include "gui/PartialFrame.h"
#include "gui/TextRenderer.h"
#include "link/LinkWait.h"
#include "link/ParamMap.h"
#include "panels/AWndMic.h"
#include "panels/AWndREQ.h"
#include "panels/Panels.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int UnitsWide = 1280, UnitsHigh = 800;

void Setup() {
    static bool done = [] {
        KeepRendererMemory(); // as the console does
        EnsureGlContext(UnitsWide, UnitsHigh);
        LoadSkinsAndFonts();
        ResetAppState();
        ResetPanelPointers();
        ClientWidth = UnitsWide;
        ClientHeight = UnitsHigh;
        TickSet(1000000);
        BuildParamMap(ParamTargets{});
        LinkTapStart();
        return true;
    }();
    (void)done;
}

// Binds a framebuffer of the unit window's pixels at `scale`, made on first use.
void BindFramebufferFor(float scale) {
    static GLuint framebuffers[4] = {};
    const int index = static_cast<int>(scale);
    if (framebuffers[index] == 0) {
        const int wide = static_cast<int>(UnitsWide * scale), high = static_cast<int>(UnitsHigh * scale);
        GLuint colour = 0;
        glGenRenderbuffers(1, &colour);
        glBindRenderbuffer(GL_RENDERBUFFER, colour);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, wide, high);
        glGenFramebuffers(1, &framebuffers[index]);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffers[index]);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
        if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
            std::fprintf(stderr, "panel_bench: no %d x %d framebuffer\n", wide, high);
            std::abort();
        }
    }
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffers[index]);
}

// The console's fonts made again at `scale` (the panels keep pointers to these renderers).
void UseScale(float scale) {
    Setup();
    static float current = 0.0f;
    if (current == scale) return;
    current = scale;
    BindFramebufferFor(scale);
    SetDrawScale(scale, static_cast<int>(UnitsHigh * scale));
    FontNormal->Create("Tahoma", "宋体", 400, 400, 12, 13, 0, 16);
    FontBold->Create("Tahoma", "宋体", 700, 400, 12, 13, 0, 16);
    SetDefaultGLState();
    SetPixelProjection(UnitsWide, UnitsHigh, 0, 1.0f);
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
// `whole`: every frame is drawn whole; otherwise as the console draws on the software renderer, once a
// drag is under way only the parts it changes (into the same framebuffer, which keeps the rest).
template <class Panel> void DragFrames(benchmark::State& state, Panel& panel, bool whole) {
    // The panel opened and faded in, then a press on the handle grabs it.
    for (int i = 0; i < 30; ++i) {
        TickAdvance(10);
        glClear(GL_COLOR_BUFFER_BIT);
        panel.Draw(1.0f);
    }
    int gx, gy, gw, gh;
    panel.eq.GraphRect(&gx, &gy, &gw, &gh);
    int hx = gx + EqGraphLeft + panel.eq.bands[3].handleX, hy = gy + EqGraphTop + panel.eq.bands[3].handleY;
    ClickSerial += 1;
    PressClaimed = 0;
    LeftDown = 1;
    MouseX = hx;
    MouseY = hy;
    TickAdvance(8);
    glClear(GL_COLOR_BUFFER_BIT);
    panel.Draw(1.0f);
    if (!panel.eq.bands[3].moving) {
        state.SkipWithError("the press did not grab band 4's handle");
        LeftDown = 0;
        return;
    }
    int step = 0;
    PartialFrame last;
    int64_t partial = 0;
    for (auto _ : state) {
        TickAdvance(8);
        MouseX = hx + (step++ % 2 ? 12 : -12);
        PartialFrame now;
        const bool follows = !whole && panel.FollowsDrag(&now);
        if (follows && now == last) {
            BeginPartialFrame(now);
            ++partial;
        } else {
            glClear(GL_COLOR_BUFFER_BIT);
        }
        last = follows ? now : PartialFrame{};
        panel.Draw(1.0f);
        EndPartialFrame();
        glFinish();
        LinkTapClear();
    }
    state.counters["partial"] = benchmark::Counter(static_cast<double>(partial) / state.iterations());
    // The band led back where it was grabbed and let go, so that every run drags the same band.
    MouseX = hx;
    MouseY = hy;
    panel.Draw(1.0f);
    LeftDown = 0;
    panel.Draw(1.0f);
}

void BM_GalleryPanelFrame(benchmark::State& state, float scale) {
    UseScale(scale);
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

void BM_MicPanelDragFrame(benchmark::State& state, float scale, bool whole) {
    UseScale(scale);
    static AWndMic& panel = MakePanel(&MicPanel, 840, 520, "Mic");
    FocusPanel(&panel);
    DragFrames(state, panel, whole);
}

void BM_RoomEqPanelDragFrame(benchmark::State& state, float scale, bool whole) {
    UseScale(scale);
    static AWndREQ& panel = MakePanel(&REQPanel, 800, 560, "R.EQ");
    FocusPanel(&panel);
    DragFrames(state, panel, whole);
}

BENCHMARK_CAPTURE(BM_GalleryPanelFrame, scale_1, 1.0f)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MicPanelDragFrame, scale_1, 1.0f, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MicPanelDragFrame, scale_1_whole, 1.0f, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RoomEqPanelDragFrame, scale_1, 1.0f, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RoomEqPanelDragFrame, scale_1_whole, 1.0f, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GalleryPanelFrame, scale_2, 2.0f)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MicPanelDragFrame, scale_2, 2.0f, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MicPanelDragFrame, scale_2_whole, 2.0f, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RoomEqPanelDragFrame, scale_2, 2.0f, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RoomEqPanelDragFrame, scale_2_whole, 2.0f, true)->Unit(benchmark::kMicrosecond);

} // namespace
