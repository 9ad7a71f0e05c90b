// SPDX-License-Identifier: GPL-3.0-or-later
// The widget gallery: lays out a framed panel holding every widget kind, drives it with scripted input
// through the application's routing, and writes PNG screenshots of each look into the build tree
// (gallery_*.png in the working directory, or in the folder given as the first argument).
#include "DemoPanel.h"
#include "GuiTestSupport.h"

#include "app/ui/AppState.h"
#include "app/ui/Projection.h"
#include "app/pictures/Resources.h"
#include "app/ui/Textures.h"
#include "app/TonvexCore.h"
#include "common/Tick.h"
#include "gui/PanelLists.h"
#include "gui/SkinPieces.h"
#include "gui/TextRenderer.h"
#include "tests/support/GlTestWindow.h"
#include "tests/support/PngWrite.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int Width = 1280, Height = 800;

std::string OutDir = ".";

void Frame(int ms = 16) {
    TickAdvance(static_cast<uint32_t>(ms));
    TonvexCore::Instance().RenderFrame();
}

void Frames(int ms) {
    for (int i = 0; i < ms; i += 16)
        Frame();
}

bool Shoot(const char* name) {
    std::string path = OutDir + "/gallery_" + name + ".png";
    bool ok = WritePng(path, ReadRgbaTopDown(Width, Height), Width, Height);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.c_str());
    return ok;
}

struct Mouse {
    TonvexCore& core = TonvexCore::Instance();
    void Move(int x, int y) {
        core.OnMouseMove(x, y);
        Frame();
    }
    void Press(int x, int y) {
        core.OnMouseMove(x, y);
        core.OnLButtonDown(x, y);
        Frame();
    }
    void Release(int x, int y) {
        core.OnLButtonUp(x, y);
        Frame();
    }
    void Click(int x, int y) {
        Press(x, y);
        Release(x, y);
    }
    void Drag(int fromX, int fromY, int toX, int toY, int steps) {
        Press(fromX, fromY);
        for (int i = 1; i <= steps; ++i)
            Move(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
    }
};

// The skin sheets: every piece at its drawn size with its name on grey, page after page, and the
// fonts in Latin and Chinese (GBK) on the last. A piece that shows (nearly) nothing is named on stdout.
void SkinSheets() {
    uint32_t textures[SkinImageCount] = {};
    for (int i = 0; i < SkinImageCount; ++i)
        LoadSkinTexture(SkinImageOf(SkinImage(i)).name, &textures[i], GL_LINEAR, GL_LINEAR);
    int page = 1, x = 8, y = 8, rowHeight = 0;
    struct Placed {
        int x, y, w, h;
        const char* name;
    };
    std::vector<Placed> placed;
    auto finishPage = [&] {
        std::vector<uint8_t> screen = ReadRgbaTopDown(Width, Height);
        for (const Placed& q : placed) {
            int differing = 0;
            for (int py = q.y; py < q.y + q.h && py < Height; ++py)
                for (int px = q.x; px < q.x + q.w && px < Width; ++px) {
                    const uint8_t* c = &screen[(size_t(py) * Width + px) * 4];
                    differing +=
                        std::abs(c[0] - 128) > 12 || std::abs(c[1] - 128) > 12 || std::abs(c[2] - 128) > 12;
                }
            if (differing <= q.w * q.h / 20) std::printf("piece %s is (nearly) blank\n", q.name);
        }
        placed.clear();
        Shoot(("7_skin_sheet_" + std::to_string(page++)).c_str());
    };
    auto startPage = [] {
        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    };
    startPage();
    for (const SkinPiece& p : SkinPieces) {
        int cellWidth = std::max<int>(p.drawWidth, FontNormal->TextWidth("%s", p.name)) + 12;
        if (x + cellWidth > Width) x = 8, y += rowHeight + 22, rowHeight = 0;
        if (y + p.drawHeight + 16 > Height) finishPage(), startPage(), x = 8, y = 8, rowHeight = 0;
        glEnable(GL_TEXTURE_2D);
        glColor4f(1, 1, 1, 1);
        glBindTexture(GL_TEXTURE_2D, textures[int(p.image)]);
        DrawSkinQuad(p.Rect(), x, y + 16, p.drawWidth, p.drawHeight);
        FontNormal->DrawText(x, y, "%s", p.name);
        placed.push_back({x, y + 16, p.drawWidth, p.drawHeight, p.name});
        x += cellWidth;
        rowHeight = std::max(rowHeight, p.drawHeight + 16);
    }
    const char* chinese = "\xB5\xDA\xD2\xBB\xB4\xCE\xB3\xCC\xD0\xF2\xC6\xF4\xB6\xAF"; // first start
    glColor4f(0, 0, 0, 1);
    FontNormal->DrawText(8, Height - 60, "FontNormal: Device Connecting  Mic EQ 0.0dB  %s", chinese);
    FontBold->DrawText(8, Height - 40, "FontBold: Room EQ  System  %s", chinese);
    finishPage();
}

// The middle of a widget in window pixels.
int MidX(const GUIWnd& w) {
    return w.WindowX() + w.width / 2;
}
int MidY(const GUIWnd& w) {
    return w.WindowY() + w.height / 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1) OutDir = argv[1];
    EnsureGlContext(Width, Height);
    ResetAppState();
    TickSet(1000000);
    if (!LoadSkinsAndFonts()) std::printf("pictures or fonts missing: drawing without them\n");
    EnsureGlContext(Width, Height);
    // The skin sheets draw from the program's own packs.
    AllocateDecodeBuffer();
    LoadPacks();

    TonvexCore& core = TonvexCore::Instance();
    core.ResetForTest();
    core.state = GlReady | Started | Running | LogoDone | IntroDone;
    core.OnSize(Width, Height);
    BgFadeStart = 1;
    FirstBgFrameTick = 0;
    ConnectAutoOpen = 0;

    static DemoPanel panel, behind;
    panel.Build(40, 60);
    behind.Build(300, 200);
    behind.title = "Unfocused panel";
    TopPanel = &panel;
    panel.zNext = &behind;
    behind.zPrev = &panel;
    OpenPanel(&behind);
    Frames(300);
    OpenPanel(&panel);
    panel.x = 40;
    panel.y = 60;
    // The unfocused panel: compact, so that all of it, title buttons included, is in the picture.
    behind.layoutFlags() |= LayoutCompact;
    behind.width = 560;
    behind.height = 420;
    behind.x = 700;
    behind.y = 340;
    panel.dimButton = 3;
    // A push bar's bubble shows a value that changed since the bar's last draw, so every bubble lights
    // at the panel's first frames; let them fade before the pictures.
    Frames(1100);

    Mouse mouse;
    // Check buttons: a toggle switched on, the right member of the radio pair chosen.
    mouse.Click(MidX(panel.checks[0]), MidY(panel.checks[0]));
    mouse.Click(MidX(panel.checks[3]), MidY(panel.checks[3]));
    mouse.Click(MidX(panel.checks[4]), MidY(panel.checks[4]));
    // EQ check buttons in states 0, 1, 2 and 0 again.
    for (int i = 0; i < DemoPanel::EqChecks; ++i)
        for (int n = 0; n < i; ++n)
            mouse.Click(MidX(panel.eqChecks[i]), MidY(panel.eqChecks[i]));
    mouse.Click(panel.ticks[1].WindowX() + 4, panel.ticks[1].WindowY() + 4);
    // A fader taken by a press (tinted).
    mouse.Click(panel.faders[2].WindowX() + 3, panel.faders[2].WindowY() + panel.faders[2].thumbPos + 8);
    // The scroller one notch down.
    core.OnMouseWheel(-120);
    // The second list unfolded, the pointer over its fourth row.
    GListBox& list = panel.lists[1];
    mouse.Click(list.WindowX() + 20, list.WindowY() + 10);
    mouse.Move(list.WindowX() + 20, list.WindowY() + 21 + 14 * 3 + 7);
    Frames(200);
    Shoot("1_list_open");

    // A press elsewhere folds the list. Then the second text box focused with a selection made by
    // dragging across it, and the pointer resting on the "Hover" button.
    mouse.Click(panel.x + 500, panel.y + 520);
    GTextBox& box = panel.boxes[1];
    mouse.Drag(box.WindowX() + 30, MidY(box), box.WindowX() + 110, MidY(box), 6);
    mouse.Release(box.WindowX() + 110, MidY(box));
    mouse.Move(MidX(panel.buttons[1]), MidY(panel.buttons[1]));
    Frames(100);
    Shoot("2_hover_and_selection");

    // Hold the press on the "Pressed" button.
    mouse.Press(MidX(panel.buttons[2]), MidY(panel.buttons[2]));
    Frames(100);
    Shoot("3_pressed");
    mouse.Release(MidX(panel.buttons[2]), MidY(panel.buttons[2]));

    // Drag a push bar's thumb: tinted thumb and its value bubble.
    GPushBar& bar = panel.bars[0];
    mouse.Drag(bar.WindowX() + bar.thumbPos + 6, bar.WindowY() + 3, bar.WindowX() + 150, bar.WindowY() + 3,
               8);
    Frames(100);
    Shoot("4_pushbar_drag");
    mouse.Release(bar.WindowX() + 150, bar.WindowY() + 3);
    Frames(1200);

    // Drag the panel by its title: it dims to 80 %.
    mouse.Drag(panel.x + 300, panel.y + 10, panel.x + 340, panel.y + 30, 4);
    Frames(250);
    Shoot("5_panel_drag");
    mouse.Release(panel.x + 300, panel.y + 10);
    Frames(250);

    // The size toggle: the panel animates to its compact size.
    mouse.Click(panel.x + panel.width - 56, panel.y + 10);
    Frames(300);
    Shoot("6_compact");

    SetPixelProjection(Width, Height, 0, 1.0f);
    SkinSheets();
    return 0;
}
