#include "platform/ddraw/Display.h"

#include "platform/ddraw/Objects.h"
#include "platform/ddraw/Screen.h"
#include "platform/win32/Desktop.h"
#include "platform/win32/Window.h"
#include "platform/win32/WindowSystem.h"

#include <SDL.h>

namespace DDraw {
namespace {

// The largest display mode this layer sets, in pixels a side.
constexpr int kLargestMode = 16384;

} // namespace

int SurfacePitch(const int width, const int bytesPerPixel) { return (width * bytesPerPixel + 15) / 16 * 16 + 16; }

HRESULT Display::SetCooperativeLevel(HWND window, const DWORD flags)
{
    const bool normal = flags == DDSCL_NORMAL;
    const bool exclusive = flags == (DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    if (!normal && !exclusive)
        return DDERR_INVALIDPARAMS;
    if (exclusive && Win32::WindowSystem::Find(window) == nullptr)
        return DDERR_INVALIDPARAMS;
    if (normal)
        RestoreDisplayMode();
    mWindow = window;
    mLevel = flags;
    return DD_OK;
}

HRESULT Display::SetDisplayMode(const int width, const int height, const int bitsPerPixel)
{
    if (!IsExclusive())
        return DDERR_NOEXCLUSIVEMODE;
    if (width < 1 || height < 1 || width > kLargestMode || height > kLargestMode ||
        (bitsPerPixel != 16 && bitsPerPixel != 32))
        return DDERR_INVALIDMODE;
    if (!mMode) {
        int setWidth = 0;
        int setHeight = 0;
        if (Win32::GetSetDesktopSize(&setWidth, &setHeight))
            mDesktopSizeBefore = std::pair(setWidth, setHeight);
        else
            mDesktopSizeBefore.reset();
        int screenWidth = 0;
        int screenHeight = 0;
        if (Win32::GetDesktopSize(&screenWidth, &screenHeight))
            mScreenSize = {screenWidth, screenHeight};
        else
            mScreenSize = {width, height};
    }
    mMode = Mode{width, height, bitsPerPixel};
    Win32::SetDesktopSize(width, height);
    return DD_OK;
}

void Display::RestoreDisplayMode()
{
    if (!mMode)
        return;
    int width = 0;
    int height = 0;
    const bool desktopIsTheMode =
        Win32::GetSetDesktopSize(&width, &height) && width == mMode->width && height == mMode->height;
    mMode.reset();
    if (!desktopIsTheMode)
        return;
    if (mDesktopSizeBefore)
        Win32::SetDesktopSize(mDesktopSizeBefore->first, mDesktopSizeBefore->second);
    else
        Win32::ResetDesktopSize();
}

void Display::Close()
{
    RestoreDisplayMode();
    mLevel = 0;
    mWindow = nullptr;
}

std::optional<PixelFormat> Display::SurfaceFormat() const
{
    const StandInControls& controls = Controls();
    const int desktopBits = static_cast<int>(controls.desktopBits);
    const int bits = mMode ? mMode->bits : desktopBits;
    if (bits == 8)
        return PixelFormat::Palettised8();
    if (bits == desktopBits)
        return PixelFormat::Rgb(bits, controls.redMask, controls.greenMask, controls.blueMask, 0);
    if (bits == 16)
        return PixelFormat::Rgb(16, 0xF800, 0x07E0, 0x001F, 0);
    return PixelFormat::Rgb(bits, 0xFF0000, 0x00FF00, 0x0000FF, 0);
}

HRESULT Display::PrimarySize(int* width, int* height) const
{
    if (IsFullScreen()) {
        *width = mMode->width;
        *height = mMode->height;
        return DD_OK;
    }
    RECT client{};
    if (!IsExclusive() && Win32::GetClientRect(mWindow, &client) != 0 && !IsEmpty(client)) {
        *width = client.right;
        *height = client.bottom;
        return DD_OK;
    }
    return Win32::GetDesktopSize(width, height) ? DD_OK : DDERR_NOHWND;
}

HRESULT Display::DescribeMode(DDSURFACEDESC2* description) const
{
    if (description == nullptr)
        return DDERR_INVALIDPARAMS;
    const std::optional<PixelFormat> format = SurfaceFormat();
    if (!format)
        return DDERR_INVALIDPIXELFORMAT;
    int width = 0;
    int height = 0;
    if (mMode) {
        width = mMode->width;
        height = mMode->height;
    } else if (!Win32::GetDesktopSize(&width, &height)) {
        return DDERR_NODIRECTDRAWHW;
    }
    DWORD refreshRate = 0;
    if (FAILED(MonitorFrequency(&refreshRate)))
        refreshRate = 0;
    *description = DDSURFACEDESC2{};
    description->dwSize = sizeof(DDSURFACEDESC2);
    description->dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_REFRESHRATE;
    description->dwWidth = static_cast<DWORD>(width);
    description->dwHeight = static_cast<DWORD>(height);
    description->lPitch = SurfacePitch(width, format->BytesPerPixel());
    description->dwRefreshRate = refreshRate;
    description->ddpfPixelFormat = format->Describe();
    return DD_OK;
}

HRESULT Display::MonitorFrequency(DWORD* frequency) const
{
    if (frequency == nullptr)
        return DDERR_INVALIDPARAMS;
    const int set = Controls().monitorFrequency;
    if (set < 0)
        return DDERR_UNSUPPORTED;
    if (set > 0) {
        *frequency = static_cast<DWORD>(set);
        return DD_OK;
    }
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0)
        return DDERR_UNSUPPORTED;
    const Win32::Window* window = Win32::WindowSystem::Find(mWindow);
    const int displayIndex = window != nullptr && window->sdlWindow != nullptr
                                 ? SDL_GetWindowDisplayIndex(window->sdlWindow)
                                 : 0;
    SDL_DisplayMode mode{};
    if (SDL_GetCurrentDisplayMode(displayIndex < 0 ? 0 : displayIndex, &mode) != 0 || mode.refresh_rate <= 0)
        return DDERR_UNSUPPORTED;
    *frequency = static_cast<DWORD>(mode.refresh_rate);
    return DD_OK;
}

bool Display::ReserveVideoMemory(const uint64_t bytes)
{
    if (mVideoMemoryUsed + bytes > Controls().totalVideoMemory)
        return false;
    mVideoMemoryUsed += bytes;
    return true;
}

void Display::ReleaseVideoMemory(const uint64_t bytes) { mVideoMemoryUsed -= std::min(bytes, mVideoMemoryUsed); }

void Display::PresentPrimary(const PixelView& primary, const RECT& changed, HWND clipperWindow) const
{
    PresentTarget target;
    target.window = Win32::WindowSystem::Find(mWindow) != nullptr ? mWindow : clipperWindow;
    target.fullScreen = IsFullScreen();
    target.screenWidth = primary.width;
    target.screenHeight = primary.height;
    if (target.fullScreen) {
        target.screenWidth = mScreenSize.first;
        target.screenHeight = mScreenSize.second;
    }
    Screen::PrimaryChanged(target, primary, changed);
}

} // namespace DDraw
