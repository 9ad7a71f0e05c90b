// SPDX-License-Identifier: GPL-3.0-or-later
// The picture work of start-up, measured in-process on a hidden GL window: the picture and font steps
// of StartUp (decode buffer, packs, thumbnail cache, stored background, fifteen skin textures, three
// fonts), called as start-up calls them, and
// then one frame that draws the background, finished with glFinish. The 2 s intro wait before the
// background fades in is not part of it.
//   FirstStart: no thumbnail cache, so the eight backgrounds are decoded, scaled and the cache written.
//   WarmStart:  the cache exists and is read.
// The font engine's one-off start (fontconfig reading its configuration) is printed first, since it
// happens once per process and would otherwise be hidden in the first iteration.
// The rest measure single steps.
#include "tests/support/GlTestWindow.h"

#include "app/pictures/Resources.h"
#include "app/pictures/Settings.h"
#include "app/ui/Textures.h"
#include "gui/SkinPieces.h"
#include "app/pictures/Embedded.h"
#include "gui/TextRenderer.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

namespace {

// The skin texture words LoadSkinTextures fills.
uint32_t* const SkinWords[] = {&WfTexture,       &WbTexture,       &UiTexture,       &EqTexture,
                               &DxTexture,       &ExTexture,       &LogoTexture,     &BarTexture,
                               &IconTextures[0], &IconTextures[1], &IconTextures[2], &IconTextures[3],
                               &IconTextures[4], &IconTextures[5], &IconTextures[6]};

void DropEverything() {
    ResetPicturesForTest();
    for (uint32_t* word : SkinWords) {
        if (*word) glDeleteTextures(1, word);
        *word = 0;
    }
    delete FontNormal;
    delete FontBold;
    delete FontLarge;
    FontNormal = FontBold = FontLarge = nullptr;
}

// The picture steps of the console's start-up, as it runs them.
void StartPictures() {
    MakeStatusFont();
    LoadPictures();
    LoadStoredBackground();
    LoadSkinTextures();
    MakeOtherFonts();
}

void DrawBackgroundFrame() {
    BeginTestFrame();
    glColor4f(1, 1, 1, 1);
    constexpr SkinRect whole{0, 1, 1, 0};
    glBindTexture(GL_TEXTURE_2D, BackgroundTextures[1]);
    DrawSkinQuad(whole, 0, 0, 960, 120);
    glBindTexture(GL_TEXTURE_2D, BackgroundTextures[0]);
    DrawSkinQuad(whole, 0, 120, 960, 480);
    glFinish();
}

void FirstStart(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        DropEverything();
        std::remove(ThumbCachePath().c_str());
        state.ResumeTiming();
        StartPictures();
        DrawBackgroundFrame();
    }
    if (BackgroundTextures[0] == 0) state.SkipWithError("no background was drawn");
}

void WarmStart(benchmark::State& state) {
    StartPictures(); // makes the cache
    for (auto _ : state) {
        state.PauseTiming();
        DropEverything();
        state.ResumeTiming();
        StartPictures();
        DrawBackgroundFrame();
    }
}

void DecodeOneBackground(benchmark::State& state) {
    DropEverything();
    LoadPacks();
    uint32_t payload = BackgroundPack[16] | BackgroundPack[17] << 8 | BackgroundPack[18] << 16 |
                       uint32_t(BackgroundPack[19]) << 24;
    int w, h, c;
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeJp2(BackgroundPack + 32, payload, &w, &h, &c));
}

void ScaleToThumbnail(benchmark::State& state) {
    static uint8_t src[1024 * 640 * 3], dst[128 * 80 * 3];
    for (auto _ : state) {
        ScaleImage(dst, 128, 80, src, 1024, 640);
        benchmark::ClobberMemory();
    }
}

void SkinTextures(benchmark::State& state) {
    DropEverything();
    LoadPacks();
    for (auto _ : state) {
        for (int i = 0; i < SkinImageCount; ++i) {
            uint32_t texture = 0;
            LoadSkinTexture(SkinImageOf(SkinImage(i)).name, &texture, GL_LINEAR, GL_LINEAR);
            glDeleteTextures(1, &texture);
        }
        glFinish();
    }
}

} // namespace

BENCHMARK(FirstStart)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(WarmStart)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(DecodeOneBackground)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(ScaleToThumbnail)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(SkinTextures)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    std::string home = TONVEX_BENCH_HOME;
    std::string parent = home.substr(0, home.rfind('/'));
    mkdir(parent.c_str(), 0700);
    mkdir(home.c_str(), 0700);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
    setenv("XDG_CACHE_HOME", (home + "/cache").c_str(), 1);
    if (!TestGlReady()) {
        std::fprintf(stderr, "no GL context: %s\n", GlTestProblem().c_str());
        return 1;
    }
    // Once per process: fontconfig reads the system's configuration and font list. The benchmarks below
    // run after it, so its cost is reported here.
    auto begin = std::chrono::steady_clock::now();
    {
        TextRenderer first;
        first.Create("Tahoma", "宋体", 400, 400, 12, 13, 0, 16);
    }
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
    std::printf("font engine start (once per process): %.1f ms\n", ms);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("packs: backgrounds %u bytes, skins %u bytes\n", BackgroundPackSize, SkinPackSize);
    return 0;
}
