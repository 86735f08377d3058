// Drawing one 60-character line of text, as dialogs and overlays do every frame.

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SysFont.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

const std::string kLine = "The heron eats the frog, the frog eats the fly: a food chain";

void BM_SystemFontLine(benchmark::State& state)
{
    Zest::MemoryImage screen(nullptr);
    screen.Create(800, 600);
    Zest::Graphics g(&screen);
    Zest::SysFont font(nullptr, "DejaVu Sans", 12);
    const Zest::Rect clip(0, 0, 800, 600);
    for (auto _ : state)
        font.DrawString(&g, 10, 300, kLine, Zest::Color(255, 255, 255), clip);
}
BENCHMARK(BM_SystemFontLine)->Unit(benchmark::kMicrosecond);

} // namespace
