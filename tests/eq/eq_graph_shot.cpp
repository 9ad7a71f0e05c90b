// Draws the EQ graph as the microphone panel shows it (seven bands and the high-pass filter, band 4
// being dragged) on the offscreen GL context and writes it to a PNG, to be looked at.
//
//   SDL_VIDEODRIVER=offscreen eq_graph_shot [out.png]
#include <cstdio>
#include <cstring>
#include <vector>

#include "GraphWindow.h"
#include "app/Embedded.h"
#include "app/Resources.h"
#include "app/Textures.h"
#include "eq/EqGraph.h"
#include "gui/TextRenderer.h"
#include "tests/support/PngWrite.h"

namespace {

constexpr int WindowW = 900;
constexpr int WindowH = 420;

} // namespace

int main(int argc, char** argv) {
    const char* out = argc > 1 ? argv[1] : "eq_graph.png";
    ResetAppState();
    GraphWindow window;
    if (!window.Open(WindowW, WindowH)) {
        std::fprintf(stderr, "no GL context: %s\n", SDL_GetError());
        return 1;
    }
    UseEmbeddedFontAliases();
    TextRenderer font;
    font.Create("Tahoma", "宋体", 400, 400, 12, 13, 0, 16);
    FontNormal = &font;
    AllocateDecodeBuffer();
    LoadPacks();
    LoadSkinTexture("eq.png", &EqTexture, GL_LINEAR, GL_NEAREST);
    LoadSkinTexture("ui.png", &UiTexture, GL_LINEAR, GL_LINEAR);

    struct Band {
        EqBandType type;
        float freq, gain, q;
    };
    const Band shape[8] = {
        {EqBandType::LowShelf, 80.0f, 4.0f, 3.0f},      {EqBandType::Peak, 178.0f, -5.0f, 2.0f},
        {EqBandType::Peak, 452.0f, 3.0f, 1.4f},         {EqBandType::Peak, 1000.0f, 8.0f, 3.0f},
        {EqBandType::Peak, 2538.0f, -7.0f, 5.0f},       {EqBandType::Peak, 6100.0f, 2.0f, 0.8f},
        {EqBandType::HighShelf, 12101.0f, -4.0f, 3.0f}, {EqBandType::HighPass12, 40.0f, 0.0f, 3.0f},
    };
    EqGraphBand bands[8];
    std::memset(bands, 0, sizeof bands);
    for (int i = 0; i < 8; ++i) {
        bands[i].type = shape[i].type;
        bands[i].freq = shape[i].freq;
        bands[i].gain = shape[i].gain;
        bands[i].q = shape[i].q;
    }
    bands[7].maxFreq = 200;
    bands[3].changed = 1; // lit, as while it is dragged

    static float sum[EqCurveCapacity];
    static float lit[EqCurveCapacity];
    glClearColor(0.78f, 0.80f, 0.84f, 1.0f); // a panel's client area
    glClear(GL_COLOR_BUFFER_BIT);
    uint32_t leftClaim = 0, rightClaim = 0;
    int32_t dragged = -1, reset = 0;
    EqGraphRun(0, 0, 0, &leftClaim, 0, &rightClaim, 1.0f, 0, 21, 40, WindowW - 42, WindowH - 64, 8, bands,
               sum, lit, 1, &dragged, &reset);

    bool ok = WritePng(out, window.Read(), WindowW, WindowH);
    window.Close();
    if (!ok) {
        std::fprintf(stderr, "could not write %s\n", out);
        return 1;
    }
    std::printf("%s\n", out);
    return 0;
}
