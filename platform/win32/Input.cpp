#include "platform/win32/Input.h"

#include "platform/win32/Clock.h"
#include "platform/win32/Kernel.h"
#include "platform/win32/WindowSystem.h"

#include <atomic>
#include <cstring>
#include <map>
#include <vector>

namespace Win32 {

struct Cursor {
    SDL_Cursor* sdlCursor = nullptr;
    bool system = false;
};

namespace {

std::atomic<DWORD> gLastInputTick{0};
// x in the high half, y in the low half, so that a reader never sees half a move.
std::atomic<uint64_t> gCursorPosition{0};

HWND gCapture = nullptr;
HWND gMouseWindow = nullptr;

std::map<uintptr_t, Cursor> gSystemCursors;
HCURSOR gCurrentCursor = nullptr;
int gShowCount = 0;

SDL_SystemCursor SdlCursorFor(const uintptr_t id)
{
    switch (id) {
    case 32513: return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514: return SDL_SYSTEM_CURSOR_WAIT;
    case 32642: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 32643: return SDL_SYSTEM_CURSOR_SIZENESW;
    case 32644: return SDL_SYSTEM_CURSOR_SIZEWE;
    case 32645: return SDL_SYSTEM_CURSOR_SIZENS;
    case 32646: return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32648: return SDL_SYSTEM_CURSOR_NO;
    case 32649: return SDL_SYSTEM_CURSOR_HAND;
    default: return SDL_SYSTEM_CURSOR_ARROW;
    }
}

bool IsKnownSystemCursor(const uintptr_t id)
{
    return id == 32512 || id == 32513 || id == 32514 || (id >= 32642 && id <= 32646) || id == 32648 || id == 32649;
}

void ApplyCursor()
{
    if (!WindowSystem::EnsureVideo())
        return;
    const bool show = gCurrentCursor != nullptr && gShowCount >= 0;
    if (show && gCurrentCursor->sdlCursor != nullptr)
        SDL_SetCursor(gCurrentCursor->sdlCursor);
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

} // namespace

namespace WindowSystem {

HWND MouseWindow() { return gMouseWindow; }

void SetMouseWindow(HWND window) { gMouseWindow = window; }

void SetCursorPosition(const int x, const int y)
{
    gCursorPosition.store((static_cast<uint64_t>(static_cast<uint32_t>(x)) << 32) | static_cast<uint32_t>(y));
}

void NoteUserInput() { gLastInputTick.store(GetTickCount()); }

} // namespace WindowSystem

HWND SetCapture(HWND window)
{
    HWND previous = gCapture;
    if (WindowSystem::Find(window) == nullptr)
        return previous;
    gCapture = window;
    if (WindowSystem::EnsureVideo())
        SDL_CaptureMouse(SDL_TRUE);
    return previous;
}

BOOL ReleaseCapture()
{
    if (gCapture != nullptr && WindowSystem::EnsureVideo())
        SDL_CaptureMouse(SDL_FALSE);
    gCapture = nullptr;
    return 1;
}

HWND GetCapture()
{
    if (gCapture != nullptr && WindowSystem::Find(gCapture) == nullptr)
        gCapture = nullptr;
    return gCapture;
}

BOOL GetCursorPos(POINT* point)
{
    if (point == nullptr)
        return 0;
    const uint64_t packed = gCursorPosition.load();
    point->x = static_cast<int32_t>(static_cast<uint32_t>(packed >> 32));
    point->y = static_cast<int32_t>(static_cast<uint32_t>(packed));
    return 1;
}

DWORD LastInputTick() { return gLastInputTick.load(); }

HCURSOR LoadCursorA(HINSTANCE instance, const char* name)
{
    const auto id = reinterpret_cast<uintptr_t>(name);
    if (instance != nullptr || !IsKnownSystemCursor(id)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Cursor& cursor = gSystemCursors[id];
    if (!cursor.system) {
        cursor.system = true;
        if (WindowSystem::EnsureVideo())
            cursor.sdlCursor = SDL_CreateSystemCursor(SdlCursorFor(id));
    }
    return &cursor;
}

HCURSOR CreateCursor(HINSTANCE instance, const int hotX, const int hotY, const int width, const int height,
                     const void* andPlane, const void* xorPlane)
{
    if (width <= 0 || height <= 0 || width % 8 != 0 || andPlane == nullptr || xorPlane == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const size_t bytes = static_cast<size_t>(width / 8) * static_cast<size_t>(height);
    const auto* andBits = static_cast<const uint8_t*>(andPlane);
    const auto* xorBits = static_cast<const uint8_t*>(xorPlane);
    // SDL's bits: mask 0 data 0 transparent, mask 1 data 1 black, mask 1 data 0 white,
    // mask 0 data 1 inverted.
    std::vector<uint8_t> data(bytes);
    std::vector<uint8_t> mask(bytes);
    for (size_t i = 0; i < bytes; ++i) {
        data[i] = static_cast<uint8_t>(~(andBits[i] ^ xorBits[i]));
        mask[i] = static_cast<uint8_t>(~andBits[i]);
    }
    auto* cursor = new Cursor;
    if (WindowSystem::EnsureVideo())
        cursor->sdlCursor = SDL_CreateCursor(data.data(), mask.data(), width, height, hotX, hotY);
    return cursor;
}

BOOL DestroyCursor(HCURSOR cursor)
{
    if (cursor == nullptr || cursor->system)
        return cursor != nullptr ? 1 : 0;
    if (gCurrentCursor == cursor)
        SetCursor(nullptr);
    if (cursor->sdlCursor != nullptr)
        SDL_FreeCursor(cursor->sdlCursor);
    delete cursor;
    return 1;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    HCURSOR previous = gCurrentCursor;
    gCurrentCursor = cursor;
    if (cursor != previous)
        ApplyCursor();
    return previous;
}

HCURSOR GetCursor() { return gCurrentCursor; }

int ShowCursor(const BOOL show)
{
    gShowCount += show != 0 ? 1 : -1;
    ApplyCursor();
    return gShowCount;
}

} // namespace Win32
