// SPDX-License-Identifier: GPL-3.0-or-later
// The EQ panels drawn mid-drag, in English and in Chinese, held against digests of their pixels: how the
// toolkit draws may change (batches, atlases, scale), what it draws at scale 1 may not. A picture that
// differs is written out as a PPM beside the failure, with the count of pixels that changed.
#include "PanelFixture.h"
#include "gui/PanelLists.h"
#include "gui/PartialFrame.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int WindowWidth = 1280;
constexpr int WindowHeight = 800;

std::vector<uint8_t> ReadWindow() {
    std::vector<uint8_t> pixels(WindowWidth * WindowHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, WindowWidth, WindowHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

uint64_t Digest(const std::vector<uint8_t>& pixels) {
    uint64_t h = 14695981039346656037ull;
    for (uint8_t b : pixels) {
        h ^= b;
        h *= 1099511628211ull;
    }
    return h;
}

std::string SavePpm(const std::vector<uint8_t>& pixels, const char* name) {
    const char* dir = std::getenv("TMPDIR");
    std::string path = std::string(dir ? dir : "/tmp") + "/" + name + ".ppm";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return "(not written)";
    std::fprintf(f, "P6\n%d %d\n255\n", WindowWidth, WindowHeight);
    for (int row = WindowHeight - 1; row >= 0; --row)
        for (int col = 0; col < WindowWidth; ++col)
            std::fwrite(&pixels[(row * WindowWidth + col) * 4], 1, 3, f);
    std::fclose(f);
    return path;
}

class DrawnPanels : public PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        MakePanelsWithTap();
    }

    // The panel opened at (20, 40), its fade run out, band 3 grabbed and moved 12 px right and 30 up: the
    // window as the frame during the drag leaves it.
    std::vector<uint8_t> MidDrag(AWndFrame* panel, const EqSection& eq, uint32_t language) {
        Language = language;
        panel->Relabel(language);
        OpenPanel(panel);
        panel->x = 20;
        panel->y = 40;
        for (int i = 0; i < 40; ++i)
            Frame(panel);
        int hx, hy;
        HandleAt(eq, 3, &hx, &hy);
        Press(panel, hx, hy);
        Frame(panel);
        MouseX = hx + 12;
        MouseY = hy - 30;
        Frame(panel);
        Frame(panel);
        std::vector<uint8_t> pixels = ReadWindow();
        Release();
        Frame(panel);
        return pixels;
    }

    // Band `band` grabbed and led along a path over the graph (and off it, and back), a picture read
    // after each frame. `partial`: each frame drawn as the console draws it on the software renderer,
    // once the drag is under way only the parts it changes, over the last frame's pixels; otherwise
    // whole. The bands are put back as they were afterwards. Counts the partial frames in `partials`.
    std::vector<std::vector<uint8_t>> DragPictures(AWndFrame* panel, EqSection& eq, int band, bool partial,
                                                   int* partials) {
        EqSection::LiveSet before;
        eq.Store(before);
        OpenPanel(panel);
        panel->x = 20;
        panel->y = 40;
        for (int i = 0; i < 15; ++i) // the fade in
            Frame(panel);
        int hx, hy;
        HandleAt(eq, band, &hx, &hy);
        Press(panel, hx, hy);
        Frame(panel);
        int gx, gy, gw, gh;
        eq.GraphRect(&gx, &gy, &gw, &gh);
        const int path[][2] = {{3, 0},    {9, -14}, {30, -40}, {-40, 60},         {0, 1},
                               {60, -70}, {0, 0},   {0, 0},    {gx - hx - 30, 0}, {-10, -10},
                               {2, 2},    {20, 80}, {21, 81},  {-70, 12}};
        std::vector<std::vector<uint8_t>> pictures;
        PartialFrame last;
        for (const auto& step : path) {
            MouseX = hx + step[0];
            MouseY = hy + step[1];
            PartialFrame now;
            const bool follows = partial && panel->FollowsDrag(&now);
            if (follows && now == last) {
                BeginPartialFrame(now);
                ++*partials;
            } else {
                glClear(GL_COLOR_BUFFER_BIT);
            }
            last = follows ? now : PartialFrame{};
            panel->Draw(1.0f);
            EndPartialFrame();
            pictures.push_back(ReadWindow());
            TickAdvance(8);
        }
        Release();
        Frame(panel);
        eq.Load(before);
        Frame(panel);
        return pictures;
    }

    // The drag drawn whole, then again drawn as the console draws it: every frame the same.
    int PartialFramesMatchWholeOnes(AWndFrame* panel, EqSection& eq, int band, const std::string& name) {
        int partials = 0;
        const auto whole = DragPictures(panel, eq, band, false, &partials);
        const auto kept = DragPictures(panel, eq, band, true, &partials);
        for (size_t f = 0; f < whole.size(); ++f) {
            if (kept[f] == whole[f]) continue;
            int differ = 0;
            for (size_t i = 0; i < kept[f].size(); i += 4)
                differ += kept[f][i] != whole[f][i] || kept[f][i + 1] != whole[f][i + 1] ||
                          kept[f][i + 2] != whole[f][i + 2];
            const std::string at = name + "_frame" + std::to_string(f + 1);
            ADD_FAILURE() << at << ": " << differ << " pixels differ from the whole frame; drawn "
                          << SavePpm(kept[f], at.c_str()) << ", whole "
                          << SavePpm(whole[f], (at + "_whole").c_str());
            break;
        }
        return partials;
    }

    void Expect(const std::vector<uint8_t>& pixels, uint64_t expected, const char* name) {
        uint64_t got = Digest(pixels);
        if (got == expected) return;
        ADD_FAILURE() << name << ": digest 0x" << std::hex << got << ", expected 0x" << expected
                      << "; the picture is in " << SavePpm(pixels, name);
    }
};

} // namespace

TEST_F(DrawnPanels, EqPanelsMidDragKeepEveryPixelInBothLanguages) {
    Expect(MidDrag(mic.get(), mic->eq, 0), 0x358ef93231087861ull, "mic_drag_en");
    Expect(MidDrag(mic.get(), mic->eq, 1), 0xe3cbbc9fbe619f86ull, "mic_drag_zh");
    Expect(MidDrag(room.get(), room->eq, 0), 0xd461ea6a2a314e8aull, "room_eq_drag_en");
    Expect(MidDrag(room.get(), room->eq, 1), 0xb66bf1a214b8c589ull, "room_eq_drag_zh");
}

TEST_F(DrawnPanels, AFrameDrawnOnlyWhereADragChangesItEqualsTheWholeFrame) {
    // The first and last bands of each equaliser, and one between, in both languages on two panels.
    struct Case {
        AWndFrame* panel;
        EqSection* eq;
        const char* name;
    };
    const Case cases[] = {{mic.get(), &mic->eq, "mic"},
                          {room.get(), &room->eq, "room_eq"},
                          {music.get(), &music->eq, "music"},
                          {sub.get(), &sub->eq, "sub"},
                          {sc.get(), &sc->eq, "sc"}};
    int partial = 0;
    for (const Case& c : cases)
        for (uint32_t language : {0u, 1u}) {
            if (language == 1 && c.panel != mic.get() && c.panel != room.get()) continue;
            Language = language;
            c.panel->Relabel(language);
            const int bands = c.eq->setup.bandCount;
            for (int band : {0, bands / 2, bands - 1}) {
                const std::string name =
                    std::string(c.name) + "_band" + std::to_string(band + 1) + (language ? "_zh" : "_en");
                partial += PartialFramesMatchWholeOnes(c.panel, *c.eq, band, name);
            }
            ClosePanel(c.panel);
        }
    EXPECT_GT(partial, 100) << "the drags above were nearly all drawn whole";
}
