// The display's two costs per frame: drawing a scene with every kind of drawing onto the
// 32-bit screen surface, and presenting the 800x600 frame.

#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "framework/graphics/Graphics.h"
#include "platform/win32/MessageQueue.h"
#include "platform/win32/Window.h"
#include "tools/PictureApp.h"
#include "tools/ReferenceScene.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

// A window with a windowed display on it.
class BenchDisplay {
public:
    BenchDisplay()
    {
        Win32::WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Win32::DefWindowProcA;
        windowClass.lpszClassName = "DisplayBench";
        Win32::RegisterClassA(&windowClass);
        mWindow = Win32::CreateWindowExA(0, "DisplayBench", "Display Bench", Win32::WS_POPUP, 0, 0,
                                         Tools::ReferenceScene::kWidth, Tools::ReferenceScene::kHeight, nullptr,
                                         nullptr, nullptr, nullptr);
        mDisplay = std::make_unique<Zest::DDInterface>(&mApp);
        if (mWindow == nullptr || mDisplay->Init(mWindow, true) != Zest::DDInterface::RESULT_OK)
            std::abort();
    }
    ~BenchDisplay()
    {
        mDisplay.reset();
        Win32::DestroyWindow(mWindow);
    }
    BenchDisplay(const BenchDisplay&) = delete;
    BenchDisplay& operator=(const BenchDisplay&) = delete;

    Tools::PictureApp mApp;
    Win32::HWND mWindow = nullptr;
    std::unique_ptr<Zest::DDInterface> mDisplay;
};

void BM_DrawSceneOnScreenSurface(benchmark::State& state)
{
    BenchDisplay bench;
    Tools::ReferenceScene scene(&bench.mApp);
    for (auto _ : state) {
        Zest::Graphics g(bench.mDisplay->GetScreenImage());
        scene.Draw(g);
    }
}
BENCHMARK(BM_DrawSceneOnScreenSurface)->Unit(benchmark::kMillisecond);

void BM_PresentFrame(benchmark::State& state)
{
    BenchDisplay bench;
    for (auto _ : state)
        bench.mDisplay->Redraw();
}
BENCHMARK(BM_PresentFrame)->Unit(benchmark::kMillisecond);

} // namespace
