#include "platform/win32/Desktop.h"

#include "platform/win32/WindowSystem.h"

#include <mutex>

namespace Win32 {
namespace {

// Set from the main thread, read from any (the display stand-in's threads among them).
std::mutex gDesktopLock;
bool gSizeSet = false;
int gWidth = 0;
int gHeight = 0;

} // namespace

bool GetSetDesktopSize(int* width, int* height)
{
    const std::lock_guard lock(gDesktopLock);
    if (!gSizeSet)
        return false;
    if (width != nullptr)
        *width = gWidth;
    if (height != nullptr)
        *height = gHeight;
    return true;
}

bool GetDesktopSize(int* width, int* height)
{
    if (GetSetDesktopSize(width, height))
        return true;
    SDL_DisplayMode mode{};
    if (!WindowSystem::EnsureVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return false;
    if (width != nullptr)
        *width = mode.w;
    if (height != nullptr)
        *height = mode.h;
    return true;
}

bool SetDesktopSize(const int width, const int height)
{
    if (width < 1 || height < 1)
        return false;
    const std::lock_guard lock(gDesktopLock);
    gSizeSet = true;
    gWidth = width;
    gHeight = height;
    return true;
}

void ResetDesktopSize()
{
    const std::lock_guard lock(gDesktopLock);
    gSizeSet = false;
}

} // namespace Win32
