// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the console's pictures and writes the two picture packs:
//   tonvex-art --packs DIR [--png DIR] [--raw DIR] [--icons DIR]
// DIR/backgrounds.pack holds the eight backgrounds ("bg_" records, RGB, lossy), DIR/skins.pack the
// fifteen skin images ("ui_" records, RGBA, lossless) and the same drawn at twice the size for the
// larger scales ("u2_" records). With --png every picture is also saved as a PNG,
// as stored (skins top row first, which shows upside-down pieces upside down). With --raw every skin
// image is also written as NAME.rgba, the pixels the pack gives back when decoded (see ReadRawSkin), so
// that the toolkit's tests draw with the real skins without the JPEG 2000 decoder. With --icons the
// desktop icon is written as DIR/SIZExSIZE/tonvex.png at 48, 64, 128 and 256 pixels and as
// DIR/scalable/tonvex.svg, and the window's icon as DIR/window-icon.rgba (64 x 64, RGBA, top row first).
#include "tools/ArtCanvas.h"
#include "tools/ArtPack.h"

#include <algorithm>
#include <cairo-svg.h>
#include <cerrno>
#include <sys/stat.h>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Job {
    bool background;
    int index; // background index, or SkinImage
    std::string name;
    int width, height, components; // in texels
    int scale;                     // pixels a texel
    std::vector<uint8_t> pixels;
    std::vector<uint8_t> jp2;
};

// About 100 KB per background: 1024 x 640 x 3 bytes at this ratio.
constexpr float BackgroundRatio = 19.5f;

void Run(Job& job, const std::string& pngDir) {
    Canvas canvas(job.width, job.height, job.scale);
    if (job.background)
        DrawBackground(canvas, job.index);
    else
        DrawSkinImage(canvas, static_cast<SkinImage>(job.index));
    if (!pngDir.empty()) canvas.SavePng(pngDir + "/" + job.name + (job.scale > 1 ? "@2x" : "") + ".png");
    job.pixels = canvas.Pixels(job.components);
    job.jp2 = EncodeJp2(job.pixels.data(), canvas.Width(), canvas.Height(), job.components,
                        job.background ? BackgroundRatio : 0);
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string temp = path + ".tmp";
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fclose(f) == 0 && ok;
    return ok && std::rename(temp.c_str(), path.c_str()) == 0;
}

// The icon theme's sizes, the scalable one and the window's own.
bool WriteIcons(const std::string& dir) {
    for (int size : {48, 64, 128, 256}) {
        std::string folder = dir + "/" + std::to_string(size) + "x" + std::to_string(size);
        if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return false;
        Canvas icon(size, size);
        DrawAppIcon(icon.cr(), size);
        if (!icon.SavePng(folder + "/tonvex.png")) return false;
        if (size == 64) {
            std::vector<uint8_t> pixels = icon.Pixels(4);
            if (!WriteFile(dir + "/window-icon.rgba", pixels)) return false;
        }
    }
    std::string folder = dir + "/scalable";
    if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return false;
    cairo_surface_t* svg = cairo_svg_surface_create((folder + "/tonvex.svg").c_str(), 256, 256);
    cairo_t* cr = cairo_create(svg);
    DrawAppIcon(cr, 256);
    cairo_destroy(cr);
    cairo_surface_finish(svg);
    bool ok = cairo_surface_status(svg) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(svg);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    std::string packDir, pngDir, rawDir, iconDir;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--packs")) packDir = argv[i + 1];
        if (!std::strcmp(argv[i], "--png")) pngDir = argv[i + 1];
        if (!std::strcmp(argv[i], "--raw")) rawDir = argv[i + 1];
        if (!std::strcmp(argv[i], "--icons")) iconDir = argv[i + 1];
    }
    if (!iconDir.empty() && !WriteIcons(iconDir)) {
        std::fprintf(stderr, "tonvex-art: could not write the icons in %s\n", iconDir.c_str());
        return 1;
    }
    if (packDir.empty()) {
        std::fprintf(stderr, "usage: %s --packs DIR [--png DIR] [--raw DIR] [--icons DIR]\n", argv[0]);
        return 2;
    }

    std::vector<Job> jobs;
    for (int i = 0; i < 8; ++i)
        jobs.push_back({true, i, BackgroundNames[i], 1024, 640, 3, 1, {}, {}});
    for (int scale : {1, 2})
        for (int i = 0; i < SkinImageCount; ++i) {
            const SkinImageInfo& info = SkinImageOf(static_cast<SkinImage>(i));
            jobs.push_back({false, i, info.name, info.width, info.height, info.components, scale, {}, {}});
        }
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t k; (k = next++) < jobs.size();)
            Run(jobs[k], pngDir);
    };
    unsigned count = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < count; ++i)
        workers.emplace_back(worker);
    for (auto& t : workers)
        t.join();

    std::vector<uint8_t> backgrounds, skins;
    for (const Job& job : jobs) {
        std::vector<uint8_t>* pack = job.background ? &backgrounds : &skins;
        const char* prefix = job.background ? "bg_" : job.scale > 1 ? "u2_" : "ui_";
        if (!AppendRecord(pack, prefix, job.name, job.components, job.width * job.scale,
                          job.height * job.scale, job.jp2)) {
            std::fprintf(stderr, "tonvex-art: could not encode %s\n", job.name.c_str());
            return 1;
        }
    }
    if (!WriteFile(packDir + "/backgrounds.pack", backgrounds) ||
        !WriteFile(packDir + "/skins.pack", skins)) {
        std::fprintf(stderr, "tonvex-art: could not write the packs in %s\n", packDir.c_str());
        return 1;
    }
    for (const Job& job : jobs) {
        if (job.background || job.scale > 1 || rawDir.empty()) continue;
        if (!WriteFile(rawDir + "/" + job.name + ".rgba",
                       RawSkinBytes(job.pixels, job.width, job.height, job.components))) {
            std::fprintf(stderr, "tonvex-art: could not write %s/%s.rgba\n", rawDir.c_str(),
                         job.name.c_str());
            return 1;
        }
    }
    std::printf("tonvex-art: backgrounds.pack %zu bytes, skins.pack %zu bytes\n", backgrounds.size(),
                skins.size());
    return 0;
}
