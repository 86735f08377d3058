// Opens the display in a window or in full screen, draws a test picture on the screen
// image, and presents it for a while, so that a screenshot shows what the display puts on
// the screen.
// Usage: display_probe windowed|fullscreen|scene SECONDS
//
// The picture: a frame, colour bars, a grey ramp and a caption. "scene" instead draws the
// reference scene and a line of system-font text through the drawing context in a window,
// with the software cursor circling over it, moved by a thread of its own as the mouse
// would be. It prints "presented" once the first frame is on the screen.

#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SysFont.h"
#include "platform/win32/Clock.h"
#include "platform/win32/MessageQueue.h"
#include "platform/win32/Threads.h"
#include "platform/win32/Window.h"
#include "tools/PictureApp.h"
#include "tools/ReferenceScene.h"

#include <atomic>
#include <cmath>
#include <cstdio>
#include <thread>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace Zest;

constexpr int kWidth = 800;
constexpr int kHeight = 600;

void DrawTestPicture(MemoryImage& picture, const std::string& caption)
{
    picture.Create(kWidth, kHeight);
    Graphics g(&picture);
    g.SetColor(Color(20, 40, 60));
    g.FillRect(0, 0, kWidth, kHeight);
    const Color bars[] = {Color(255, 255, 255), Color(255, 255, 0), Color(0, 255, 255), Color(0, 255, 0),
                          Color(255, 0, 255), Color(255, 0, 0),     Color(0, 0, 255)};
    const int barWidth = (kWidth - 80) / 7;
    for (int i = 0; i < 7; ++i) {
        g.SetColor(bars[i]);
        g.FillRect(40 + i * barWidth, 120, barWidth, 240);
    }
    for (int x = 0; x < kWidth - 80; ++x) {
        const int level = x * 255 / (kWidth - 81);
        g.SetColor(Color(level, level, level));
        g.FillRect(40 + x, 380, 1, 80);
    }
    g.SetColor(Color(255, 140, 0));
    g.DrawRect(0, 0, kWidth - 1, kHeight - 1);
    g.DrawRect(8, 8, kWidth - 17, kHeight - 17);
    SysFont font("DejaVu Sans", 24, true);
    g.SetFont(&font);
    g.SetColor(Color::White);
    g.DrawString(caption, 40, 80);
}

// Keeps the window's messages flowing and presents a frame every 50 ms for a while.
void PresentFor(DDInterface& display, const int seconds)
{
    const Win32::DWORD end = Win32::GetTickCount() + static_cast<Win32::DWORD>(seconds) * 1000;
    Win32::MSG message{};
    while (Win32::GetTickCount() < end) {
        while (Win32::PeekMessageA(&message, nullptr, 0, 0, Win32::PM_REMOVE))
            Win32::DispatchMessageA(&message);
        display.Redraw();
        Win32::Sleep(50);
    }
}

// A white arrow with a black outline, pointing up and left.
void DrawCursorPicture(MemoryImage& cursor)
{
    constexpr int kSize = 24;
    std::vector<uint32_t> bits(kSize * kSize, 0);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x <= y / 2 + 2 && x < kSize; ++x) {
            const bool edge = x == 0 || x == y / 2 + 2 || y == kSize - 1;
            bits[static_cast<size_t>(y) * kSize + x] = edge ? 0xFF000000 : 0xFFFFFFFF;
        }
    }
    cursor.SetBits(bits.data(), kSize, kSize, true);
}

// Draws the scene and a caption on the screen image, then moves the software cursor in a
// circle from a thread of its own while the main thread keeps presenting.
void ShowScene(DDInterface& display, AppInterface& app, const int seconds)
{
    Tools::ReferenceScene scene(&app);
    {
        Graphics g(display.GetScreenImage());
        scene.Draw(g);
        SysFont font("DejaVu Sans", 20, true);
        font.mDrawShadow = true;
        g.SetFont(&font);
        g.SetColor(Color(255, 230, 120));
        g.DrawString("Reference scene on the display surface", 40, 560);
    }
    MemoryImage cursor(&app);
    DrawCursorPicture(cursor);
    display.SetCursorImage(&cursor);
    display.SetCursorPos(400, 300);
    if (!display.Redraw())
        return;
    std::printf("presented\n");
    std::fflush(stdout);

    std::atomic<bool> running = true;
    std::thread mouse([&display, &running] {
        for (int step = 0; running; ++step) {
            const double angle = step * 0.05;
            display.SetCursorPos(400 + static_cast<int>(150 * std::cos(angle)),
                                 300 + static_cast<int>(150 * std::sin(angle)));
            Win32::Sleep(10);
        }
    });
    PresentFor(display, seconds);
    running = false;
    mouse.join();
    display.SetCursorImage(nullptr);
}

} // namespace

int main(int argc, char** argv)
{
    const bool scene = argc == 3 && std::strcmp(argv[1], "scene") == 0;
    const bool windowed = scene || (argc == 3 && std::strcmp(argv[1], "windowed") == 0);
    if (argc != 3 || (!windowed && std::strcmp(argv[1], "fullscreen") != 0)) {
        std::fprintf(stderr, "usage: display_probe windowed|fullscreen|scene SECONDS\n");
        return 2;
    }
    const int seconds = std::atoi(argv[2]);

    Win32::WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Win32::DefWindowProcA;
    windowClass.lpszClassName = "DisplayProbe";
    Win32::RegisterClassA(&windowClass);
    const Win32::HWND window = Win32::CreateWindowExA(0, "DisplayProbe", "Display Probe", Win32::WS_POPUP, 0, 0,
                                                      kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
    if (window == nullptr) {
        std::fprintf(stderr, "display_probe: the window could not be opened\n");
        return 1;
    }
    Win32::ShowWindow(window, Win32::SW_SHOWNORMAL);

    Tools::PictureApp app;
    SetAppInterface(&app);
    int status = 0;
    {
        DDInterface display(&app);
        const int result = display.Init(window, windowed);
        if (result != DDInterface::RESULT_OK) {
            std::fprintf(stderr, "display_probe: Failed to initialize DirectDraw: %s %s\n",
                         DDInterface::ResultToString(result).c_str(), display.mErrorString.c_str());
            status = 1;
        } else if (scene) {
            ShowScene(display, app, seconds);
        } else {
            MemoryImage picture(&app);
            DrawTestPicture(picture, std::string(windowed ? "Windowed" : "Full screen") + ", " +
                                         std::to_string(display.mRGBBits) + "-bit, " +
                                         std::to_string(display.mRefreshRate) + " Hz");
            Graphics g(display.GetScreenImage());
            g.DrawImage(&picture, 0, 0);
            if (!display.Redraw()) {
                std::fprintf(stderr, "display_probe: the picture could not be presented: %s\n",
                             display.mErrorString.c_str());
                status = 1;
            } else {
                std::printf("presented\n");
                std::fflush(stdout);
                PresentFor(display, seconds);
            }
        }
    }
    SetAppInterface(nullptr);
    Win32::DestroyWindow(window);
    return status;
}
