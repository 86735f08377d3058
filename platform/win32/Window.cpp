#include "platform/win32/Window.h"

#include "platform/win32/Desktop.h"
#include "platform/win32/Input.h"
#include "platform/win32/Kernel.h"
#include "platform/win32/Messages.h"
#include "platform/win32/Text.h"
#include "platform/win32/WindowSystem.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <mutex>
#include <cstring>
#include <strings.h>
#include <thread>

namespace Win32 {
namespace {


struct WindowClass {
    std::string name;
    UINT style;
    WNDPROC proc;
};

// Windows are created, changed and destroyed on the video thread only; the lock guards
// the list so that other threads can check a handle before posting to it.
std::mutex gWindowsLock;
std::vector<std::unique_ptr<Window>> gWindows;
std::vector<WindowClass> gClasses;

std::once_flag gVideoOnce;
bool gVideoReady = false;
std::thread::id gVideoThread;

HWND gFocus = nullptr;
HWND gActive = nullptr;

HWND Handle(Window* window) { return window; }

Window* FindLocked(HWND handle)
{
    for (const std::unique_ptr<Window>& window : gWindows) {
        if (window.get() == handle)
            return window.get();
    }
    return nullptr;
}

Window* Require(HWND handle)
{
    Window* window = WindowSystem::Find(handle);
    if (window == nullptr)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return window;
}

int Width(const Window& window) { return window.rect.right - window.rect.left; }

int Height(const Window& window) { return window.rect.bottom - window.rect.top; }

// Without a window manager (the dummy and offscreen video drivers) nothing hands out the
// keyboard focus, so showing a window activates it, as a desktop would.
bool WithoutWindowManager()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

void Activate(HWND handle)
{
    if (gActive == handle)
        return;
    gActive = handle;
    for (HWND window : WindowSystem::AllWindows())
        WindowSystem::Send(window, WM_ACTIVATEAPP, handle != nullptr ? 1 : 0, 0);
}

bool FillsScreen(const DWORD style, const DWORD exStyle)
{
    return (style & WS_POPUP) != 0 && (exStyle & WS_EX_TOPMOST) != 0 && (style & WS_CAPTION) == 0;
}

} // namespace

namespace WindowSystem {

bool CoverScreen(SDL_Window* const window)
{
    SDL_Rect bounds{};
    if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(window), &bounds) == 0) {
        SDL_SetWindowPosition(window, bounds.x, bounds.y);
        SDL_SetWindowSize(window, bounds.w, bounds.h);
    }
    return SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

bool EnsureVideo()
{
    std::call_once(gVideoOnce, [] {
        // Only a signal asks the program to end; closing a window arrives as WM_CLOSE.
        SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
        // A click that activates the window also reaches it, as on the desktop the game
        // was made for.
        SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
            std::fprintf(stderr, "No video system: %s\n", SDL_GetError());
            return;
        }
        gVideoThread = std::this_thread::get_id();
        gVideoReady = true;
    });
    return gVideoReady;
}

bool IsVideoThread() { return gVideoReady && std::this_thread::get_id() == gVideoThread; }

Window* Find(HWND window)
{
    if (window == nullptr)
        return nullptr;
    const std::lock_guard lock(gWindowsLock);
    return FindLocked(window);
}

Window* FindBySdlId(const Uint32 windowId)
{
    SDL_Window* sdlWindow = SDL_GetWindowFromID(windowId);
    if (sdlWindow == nullptr)
        return nullptr;
    const std::lock_guard lock(gWindowsLock);
    for (const std::unique_ptr<Window>& window : gWindows) {
        if (window->sdlWindow == sdlWindow)
            return window.get();
    }
    return nullptr;
}

HWND ActiveWindow() { return Find(gActive) != nullptr ? gActive : nullptr; }

void SetActiveWindow(HWND window) { gActive = window; }

std::vector<HWND> AllWindows()
{
    const std::lock_guard lock(gWindowsLock);
    std::vector<HWND> handles;
    for (const std::unique_ptr<Window>& window : gWindows)
        handles.push_back(window.get());
    return handles;
}

LRESULT Send(HWND handle, const UINT message, const WPARAM wParam, const LPARAM lParam)
{
    const Window* window = Find(handle);
    if (window == nullptr || window->proc == nullptr)
        return 0;
    return window->proc(handle, message, wParam, lParam);
}

} // namespace WindowSystem

ATOM RegisterClassA(const WNDCLASSA* windowClass)
{
    if (windowClass == nullptr || windowClass->lpszClassName == nullptr || windowClass->lpfnWndProc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::lock_guard lock(gWindowsLock);
    for (const WindowClass& existing : gClasses) {
        if (strcasecmp(existing.name.c_str(), windowClass->lpszClassName) == 0) {
            SetLastError(ERROR_CLASS_ALREADY_EXISTS);
            return 0;
        }
    }
    gClasses.push_back({windowClass->lpszClassName, windowClass->style, windowClass->lpfnWndProc});
    return static_cast<ATOM>(0xC000 + gClasses.size());
}

BOOL UnregisterClassA(const char* className, HINSTANCE instance)
{
    const std::lock_guard lock(gWindowsLock);
    const auto found = std::find_if(gClasses.begin(), gClasses.end(), [&](const WindowClass& windowClass) {
        return className != nullptr && strcasecmp(windowClass.name.c_str(), className) == 0;
    });
    if (found == gClasses.end()) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return 0;
    }
    gClasses.erase(found);
    return 1;
}

HWND CreateWindowExA(const DWORD exStyle, const char* className, const char* windowName, const DWORD style, int x,
                     int y, const int width, const int height, HWND parent, void* menu, HINSTANCE instance,
                     void* param)
{
    auto window = std::make_unique<Window>();
    {
        const std::lock_guard lock(gWindowsLock);
        const auto found = std::find_if(gClasses.begin(), gClasses.end(), [&](const WindowClass& windowClass) {
            return className != nullptr && strcasecmp(windowClass.name.c_str(), className) == 0;
        });
        if (found == gClasses.end()) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        window->className = found->name;
        window->classStyle = found->style;
        window->proc = found->proc;
    }
    if (x == CW_USEDEFAULT)
        x = y = 64;
    window->style = style;
    window->exStyle = exStyle;
    window->title = windowName != nullptr ? windowName : "";
    window->rect = {x, y, x + std::max(width, 0), y + std::max(height, 0)};
    window->enabled = (style & WS_DISABLED) == 0;

    if (width > 0 && height > 0) {
        if (!WindowSystem::EnsureVideo()) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        window->sdlWindow =
            SDL_CreateWindow(Latin1ToUtf8(window->title).c_str(), x, y, width, height, SDL_WINDOW_HIDDEN);
        if (window->sdlWindow == nullptr) {
            std::fprintf(stderr, "Cannot create a window: %s\n", SDL_GetError());
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        // Created plain and then made to cover the screen: a window created with the
        // full-screen flag keeps its own size where no window manager acts on the flag.
        if (FillsScreen(style, exStyle))
            WindowSystem::CoverScreen(window->sdlWindow);
    }

    HWND handle = Handle(window.get());
    {
        const std::lock_guard lock(gWindowsLock);
        gWindows.push_back(std::move(window));
    }
    if (WindowSystem::Send(handle, WM_CREATE, 0, 0) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    if ((style & WS_VISIBLE) != 0)
        ShowWindow(handle, SW_SHOW);
    return handle;
}

BOOL DestroyWindow(HWND handle)
{
    if (Require(handle) == nullptr)
        return 0;
    if (GetCapture() == handle)
        ReleaseCapture();
    WindowSystem::Send(handle, WM_DESTROY, 0, 0);
    WindowSystem::ForgetWindow(handle);
    if (gFocus == handle)
        gFocus = nullptr;
    if (gActive == handle)
        gActive = nullptr;

    std::unique_ptr<Window> owned;
    {
        const std::lock_guard lock(gWindowsLock);
        const auto found = std::find_if(gWindows.begin(), gWindows.end(),
                                        [&](const std::unique_ptr<Window>& window) { return window.get() == handle; });
        if (found == gWindows.end())
            return 0; // destroyed from inside its own WM_DESTROY
        owned = std::move(*found);
        gWindows.erase(found);
    }
    if (owned->sdlWindow != nullptr) {
        // A renderer does not go with its window: one left behind would point at it.
        if (SDL_Renderer* renderer = SDL_GetRenderer(owned->sdlWindow))
            SDL_DestroyRenderer(renderer);
        SDL_DestroyWindow(owned->sdlWindow);
    }
    return 1;
}

BOOL IsWindow(HWND handle) { return WindowSystem::Find(handle) != nullptr ? 1 : 0; }

LONG_PTR SetWindowLongPtrA(HWND handle, const int index, const LONG_PTR value)
{
    Window* window = Require(handle);
    if (window == nullptr || index != GWLP_USERDATA)
        return 0;
    const LONG_PTR previous = window->userData;
    window->userData = value;
    return previous;
}

LONG_PTR GetWindowLongPtrA(HWND handle, const int index)
{
    const Window* window = Require(handle);
    if (window == nullptr || index != GWLP_USERDATA)
        return 0;
    return window->userData;
}

BOOL ShowWindow(HWND handle, const int command)
{
    Window* window = Require(handle);
    if (window == nullptr)
        return 0;
    const BOOL wasVisible = window->visible ? 1 : 0;
    SDL_Window* sdlWindow = window->sdlWindow;
    switch (command) {
    case SW_HIDE:
        window->visible = false;
        if (sdlWindow != nullptr)
            SDL_HideWindow(sdlWindow);
        if (sdlWindow != nullptr && gActive == handle && WithoutWindowManager())
            Activate(nullptr);
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        window->visible = true;
        if (sdlWindow != nullptr) {
            SDL_ShowWindow(sdlWindow);
            SDL_MinimizeWindow(sdlWindow);
        }
        break;
    case SW_SHOWMAXIMIZED:
        window->visible = true;
        if (sdlWindow != nullptr) {
            SDL_ShowWindow(sdlWindow);
            SDL_MaximizeWindow(sdlWindow);
        }
        break;
    default:
        window->visible = true;
        window->needsPaint = true;
        if (sdlWindow != nullptr) {
            SDL_ShowWindow(sdlWindow);
            if (command == SW_RESTORE || command == SW_SHOWNORMAL)
                SDL_RestoreWindow(sdlWindow);
            if (command != SW_SHOWNOACTIVATE && command != SW_SHOWNA && WithoutWindowManager())
                Activate(handle);
        }
        break;
    }
    return wasVisible;
}

BOOL IsWindowVisible(HWND handle)
{
    const Window* window = WindowSystem::Find(handle);
    return window != nullptr && window->visible ? 1 : 0;
}

BOOL IsIconic(HWND handle)
{
    const Window* window = WindowSystem::Find(handle);
    return window != nullptr && window->minimized ? 1 : 0;
}

BOOL IsZoomed(HWND handle)
{
    const Window* window = WindowSystem::Find(handle);
    return window != nullptr && window->maximized ? 1 : 0;
}

HWND SetFocus(HWND handle)
{
    HWND previous = gFocus;
    if (handle != nullptr && Require(handle) == nullptr)
        return nullptr;
    gFocus = handle;
    return previous;
}

HWND GetFocus() { return gFocus; }

BOOL SetForegroundWindow(HWND handle)
{
    const Window* window = Require(handle);
    if (window == nullptr)
        return 0;
    if (window->sdlWindow != nullptr)
        SDL_RaiseWindow(window->sdlWindow);
    return 1;
}

HWND GetForegroundWindow() { return WindowSystem::ActiveWindow(); }

HWND GetActiveWindow() { return GetForegroundWindow(); }

BOOL EnableWindow(HWND handle, const BOOL enable)
{
    Window* window = Require(handle);
    if (window == nullptr)
        return 0;
    const BOOL wasDisabled = window->enabled ? 0 : 1;
    if (window->enabled != (enable != 0)) {
        window->enabled = enable != 0;
        WindowSystem::Send(handle, WM_ENABLE, enable != 0 ? 1 : 0, 0);
    }
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND handle)
{
    const Window* window = WindowSystem::Find(handle);
    return window != nullptr && window->enabled ? 1 : 0;
}

BOOL SetWindowTextA(HWND handle, const char* text)
{
    Window* window = Require(handle);
    if (window == nullptr)
        return 0;
    window->title = text != nullptr ? text : "";
    if (window->sdlWindow != nullptr)
        SDL_SetWindowTitle(window->sdlWindow, Latin1ToUtf8(window->title).c_str());
    return 1;
}

BOOL GetWindowPlacement(HWND handle, WINDOWPLACEMENT* placement)
{
    const Window* window = Require(handle);
    if (window == nullptr || placement == nullptr)
        return 0;
    placement->flags = 0;
    placement->showCmd = window->minimized   ? SW_SHOWMINIMIZED
                         : window->maximized ? SW_SHOWMAXIMIZED
                         : window->visible   ? SW_SHOWNORMAL
                                             : SW_HIDE;
    placement->ptMinPosition = {-1, -1};
    placement->ptMaxPosition = {-1, -1};
    placement->rcNormalPosition = window->rect;
    return 1;
}

BOOL MoveWindow(HWND handle, const int x, const int y, const int width, const int height, BOOL repaint)
{
    Window* window = Require(handle);
    if (window == nullptr)
        return 0;
    const bool moved = window->rect.left != x || window->rect.top != y;
    window->rect = {x, y, x + std::max(width, 0), y + std::max(height, 0)};
    if (window->sdlWindow != nullptr) {
        SDL_SetWindowSize(window->sdlWindow, std::max(width, 1), std::max(height, 1));
        SDL_SetWindowPosition(window->sdlWindow, x, y);
    }
    if (repaint != 0)
        window->needsPaint = true;
    // The window hears of its new place at once, whatever the desktop reports later.
    if (moved)
        WindowSystem::Send(handle, WM_MOVE, 0, MAKELPARAM(x, y));
    return 1;
}

BOOL GetClientRect(HWND handle, RECT* rect)
{
    const Window* window = Require(handle);
    if (window == nullptr || rect == nullptr)
        return 0;
    *rect = {0, 0, Width(*window), Height(*window)};
    return 1;
}

BOOL GetWindowRect(HWND handle, RECT* rect)
{
    const Window* window = Require(handle);
    if (window == nullptr || rect == nullptr)
        return 0;
    *rect = window->rect;
    return 1;
}

BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu) { return rect != nullptr ? 1 : 0; }

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle) { return rect != nullptr ? 1 : 0; }

BOOL ClientToScreen(HWND handle, POINT* point) { return Require(handle) != nullptr && point != nullptr ? 1 : 0; }

BOOL ScreenToClient(HWND handle, POINT* point) { return Require(handle) != nullptr && point != nullptr ? 1 : 0; }

HWND WindowFromPoint(const POINT point)
{
    const Window* window = WindowSystem::Find(WindowSystem::MouseWindow());
    if (window == nullptr)
        return nullptr;
    const bool inside = point.x >= 0 && point.y >= 0 && point.x < Width(*window) && point.y < Height(*window);
    return inside ? WindowSystem::MouseWindow() : nullptr;
}

void* BeginPaint(HWND handle, PAINTSTRUCT* paint)
{
    Window* window = Require(handle);
    if (window == nullptr || paint == nullptr)
        return nullptr;
    window->needsPaint = false;
    paint->hdc = window;
    paint->fErase = 0;
    paint->rcPaint = {0, 0, Width(*window), Height(*window)};
    return paint->hdc;
}

BOOL EndPaint(HWND handle, const PAINTSTRUCT* paint) { return Require(handle) != nullptr ? 1 : 0; }

BOOL InvalidateRect(HWND handle, const RECT* rect, BOOL erase)
{
    if (handle == nullptr) {
        for (HWND each : WindowSystem::AllWindows())
            InvalidateRect(each, rect, erase);
        return 1;
    }
    Window* window = Require(handle);
    if (window == nullptr)
        return 0;
    window->needsPaint = true;
    return 1;
}

HICON LoadIconA(HINSTANCE instance, const char* name) { return nullptr; }

int GetSystemMetrics(const int index)
{
    if (index != SM_CXSCREEN && index != SM_CYSCREEN)
        return 0;
    int width = 0;
    int height = 0;
    if (!GetDesktopSize(&width, &height))
        return 0;
    return index == SM_CXSCREEN ? width : height;
}

BOOL SystemParametersInfoA(const UINT action, UINT param, void* value, UINT winIni)
{
    switch (action) {
    case SPI_GETWORKAREA: {
        SDL_Rect usable{};
        if (value == nullptr || !WindowSystem::EnsureVideo() || SDL_GetDisplayUsableBounds(0, &usable) != 0)
            return 0;
        *static_cast<RECT*>(value) = {usable.x, usable.y, usable.x + usable.w, usable.y + usable.h};
        return 1;
    }
    case SPI_GETSCREENSAVEACTIVE:
    case SPI_GETSCREENSAVERRUNNING:
        if (value == nullptr)
            return 0;
        *static_cast<BOOL*>(value) = 0;
        return 1;
    case SPI_GETSCREENSAVETIMEOUT:
        if (value == nullptr)
            return 0;
        *static_cast<int*>(value) = 0;
        return 1;
    case SPI_SETSCREENSAVERRUNNING:
        return 1;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
}

} // namespace Win32
