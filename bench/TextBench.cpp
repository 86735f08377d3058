// Drawing one 60-character line of text, as dialogs and overlays do every frame, in a
// system font and in an image font with a shadow layer.

#include "framework/graphics/Graphics.h"
#include "framework/graphics/ImageFont.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SysFont.h"
#include "tests/support/TemporaryFolder.h"
#include "tools/PictureApp.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

const std::string kLine = "The heron eats the frog, the frog eats the fly: a food chain";
const Zest::Rect kClip(0, 0, 800, 600);

void BM_SystemFontLine(benchmark::State& state)
{
    Zest::MemoryImage screen(nullptr);
    screen.Create(800, 600);
    Zest::Graphics g(&screen);
    Zest::SysFont font(nullptr, "DejaVu Sans", 12);
    for (auto _ : state)
        font.DrawString(&g, 10, 300, kLine, Zest::Color(255, 255, 255), kClip);
}
BENCHMARK(BM_SystemFontLine)->Unit(benchmark::kMicrosecond);

// A 14-point image font with a shadow layer, made by the font tool in a folder of its own.
class MadeImageFont {
public:
    MadeImageFont()
    {
        const std::string command = std::string(MAKE_IMAGE_FONT) +
                                    " /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf 14 '" +
                                    mFolder.File("sans14").string() + "' --shadow";
        if (std::system(command.c_str()) != 0)
            std::abort();
    }

    std::string Description() const { return mFolder.File("sans14.txt").string(); }

private:
    const Tests::TemporaryFolder mFolder;
};

void BM_ImageFontLine(benchmark::State& state)
{
    static const MadeImageFont made;
    Tools::PictureApp app;
    Zest::ImageFont font(&app, made.Description());
    Zest::MemoryImage screen(&app);
    screen.Create(800, 600);
    Zest::Graphics g(&screen);
    for (auto _ : state)
        font.DrawString(&g, 10, 300, kLine, Zest::Color(255, 255, 255), kClip);
}
BENCHMARK(BM_ImageFontLine)->Unit(benchmark::kMicrosecond);

} // namespace
