// Writes the probe application's content: a few pictures and the resource manifest that
// names them together with a system font and an image font (made beside them by
// make_image_font). The build runs it; the probe loads the group "Probe" while it starts.
// Usage: probe_content OUTPUT_FOLDER
//
// The pictures exercise what a manifest can say about one: a leaf with soft alpha edges, a
// 2 x 2 grid of tiles drawn as cells, and a badge whose alpha comes from a separate mask.

#include "framework/resources/ImageLib.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

uint32_t Argb(const int a, const int r, const int g, const int b)
{
    return static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 |
           static_cast<uint32_t>(b);
}

// A leaf: an ellipse tilted by 45 degrees with a darker midrib, its edge faded over a pixel.
std::unique_ptr<ImageLib::Image> DrawLeaf(const int size)
{
    auto image = ImageLib::CreateImage(size, size);
    const double centre = (size - 1) / 2.0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double u = ((x - centre) + (y - centre)) / std::sqrt(2.0);
            const double v = ((x - centre) - (y - centre)) / std::sqrt(2.0);
            const double d = std::sqrt(u * u / (0.46 * size * 0.46 * size) + v * v / (0.22 * size * 0.22 * size));
            const double coverage = std::clamp((1.0 - d) * size * 0.2, 0.0, 1.0);
            const bool rib = std::fabs(v) < 1.2 && std::fabs(u) < 0.4 * size;
            const int shade = static_cast<int>(40 * (u / size));
            image->mBits[y * size + x] = Argb(static_cast<int>(coverage * 255), rib ? 40 : 70 + shade,
                                              rib ? 110 : 170 + shade, rib ? 40 : 60);
        }
    }
    return image;
}

// Four tiles of 64 x 64 in a 2 x 2 sheet, each a colour of a habitat with a light border.
std::unique_ptr<ImageLib::Image> DrawTiles()
{
    constexpr int kCell = 64;
    const uint32_t colours[4] = {Argb(255, 46, 125, 50), Argb(255, 196, 120, 60), Argb(255, 70, 130, 180),
                                 Argb(255, 220, 230, 240)};
    auto image = ImageLib::CreateImage(2 * kCell, 2 * kCell);
    for (int y = 0; y < 2 * kCell; ++y) {
        for (int x = 0; x < 2 * kCell; ++x) {
            const int cx = x % kCell;
            const int cy = y % kCell;
            const bool border = cx < 3 || cy < 3 || cx >= kCell - 3 || cy >= kCell - 3;
            image->mBits[y * 2 * kCell + x] =
                border ? Argb(255, 250, 250, 235) : colours[(y / kCell) * 2 + x / kCell];
        }
    }
    return image;
}

// A round badge: an opaque orange square whose shape comes from the mask's blue channel.
void DrawBadge(const int size, std::unique_ptr<ImageLib::Image>* badge, std::unique_ptr<ImageLib::Image>* mask)
{
    *badge = ImageLib::CreateImage(size, size);
    *mask = ImageLib::CreateImage(size, size);
    const double centre = (size - 1) / 2.0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double d = std::hypot(x - centre, y - centre) / (size / 2.0);
            const int ring = d > 0.8 ? 200 : 240;
            (*badge)->mBits[y * size + x] = Argb(255, ring, 150 - static_cast<int>(60 * d), 40);
            const int alpha = static_cast<int>(std::clamp((1.0 - d) * size * 0.25, 0.0, 1.0) * 255);
            (*mask)->mBits[y * size + x] = Argb(255, alpha, alpha, alpha);
        }
    }
}

const char* const kManifest = R"(<?xml version="1.0"?>
<ResourceManifest>
  <Resources id="Probe">
    <SetDefaults path="probe_files/images" idprefix="IMAGE_"/>
    <Image id="LEAF" path="leaf.png"/>
    <Image id="TILES" path="tiles.png" rows="2" cols="2" nopal="true"/>
    <Image id="BADGE" path="badge.png" alphaimage="badge_mask.png"/>
    <SetDefaults path="probe_files/fonts" idprefix="FONT_"/>
    <Font id="LABEL" path="!sys:DejaVu Sans" size="16" bold="true"/>
    <Font id="TITLE" path="title.txt"/>
  </Resources>
</ResourceManifest>
)";

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: probe_content OUTPUT_FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder / "images");
    std::filesystem::create_directories(folder / "fonts");

    std::unique_ptr<ImageLib::Image> badge;
    std::unique_ptr<ImageLib::Image> mask;
    DrawBadge(96, &badge, &mask);
    const bool written = ImageLib::WritePNGImage((folder / "images/leaf.png").string(), DrawLeaf(96).get()) &&
                         ImageLib::WritePNGImage((folder / "images/tiles.png").string(), DrawTiles().get()) &&
                         ImageLib::WritePNGImage((folder / "images/badge.png").string(), badge.get()) &&
                         ImageLib::WritePNGImage((folder / "images/badge_mask.png").string(), mask.get());
    std::ofstream manifest(folder / "probe.xml", std::ios::binary);
    manifest << kManifest;
    if (!written || !manifest.flush()) {
        std::fprintf(stderr, "probe_content: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
