// SPDX-License-Identifier: GPL-3.0-or-later
// The EQ panels drawn mid-drag, in English and in Chinese, held against digests of their pixels: how the
// toolkit draws may change (batches, atlases, scale), what it draws at scale 1 may not. A picture that
// differs is written out as a PPM beside the failure, with the count of pixels that changed.
#include "PanelFixture.h"
#include "gui/PanelLists.h"

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
