#pragma once
// Window classes and windows. A window with a size is a desktop window (an SDL window);
// one without, such as the hidden window that only receives messages, never shows.
// Screen coordinates are the main window's client coordinates: its client origin is
// (0, 0) on the "screen". Only the placement of windows uses desktop coordinates.

#include "platform/win32/Types.h"

namespace Win32 {

using WNDPROC = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
using LONG_PTR = intptr_t;

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    const char* lpszMenuName;
    const char* lpszClassName;
};

// Class style: a second click soon after the first arrives as a double click.
constexpr UINT CS_DBLCLKS = 0x0008;

// Window styles.
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_MINIMIZE = 0x20000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_MAXIMIZE = 0x01000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
// A popup window that is topmost and has no caption fills the screen.
constexpr DWORD WS_EX_TOPMOST = 0x00000008;

constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

ATOM RegisterClassA(const WNDCLASSA* windowClass);
BOOL UnregisterClassA(const char* className, HINSTANCE instance);

// Sends WM_CREATE before it returns; a window proc that answers -1 refuses the window.
HWND CreateWindowExA(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, void* menu, HINSTANCE instance, void* param);
// Sends WM_DESTROY, then frees the window; its timers and capture go with it.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);

constexpr int GWLP_USERDATA = -21;
constexpr int GWL_USERDATA = GWLP_USERDATA;
LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value);
LONG_PTR GetWindowLongPtrA(HWND window, int index);

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;
// Returns whether the window was visible before.
BOOL ShowWindow(HWND window, int command);
BOOL IsWindowVisible(HWND window);
BOOL IsIconic(HWND window);
BOOL IsZoomed(HWND window);

HWND SetFocus(HWND window);
HWND GetFocus();
BOOL SetForegroundWindow(HWND window);
HWND GetForegroundWindow();
HWND GetActiveWindow();
// Disabling sends WM_ENABLE(0), enabling WM_ENABLE(1); returns whether it was disabled.
BOOL EnableWindow(HWND window, BOOL enable);
BOOL IsWindowEnabled(HWND window);
BOOL SetWindowTextA(HWND window, const char* text);

struct WINDOWPLACEMENT {
    UINT length;
    UINT flags;
    UINT showCmd;
    POINT ptMinPosition;
    POINT ptMaxPosition;
    RECT rcNormalPosition;
};
BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement);
// Position and size in desktop coordinates (the window has no frame of its own). A new
// position is sent to the window as WM_MOVE.
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL GetClientRect(HWND window, RECT* rect);
BOOL GetWindowRect(HWND window, RECT* rect);
// Frames are drawn by the desktop around the client area, so a window's outer rectangle
// is its client rectangle.
BOOL AdjustWindowRect(RECT* rect, DWORD style, BOOL menu);
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);
BOOL ClientToScreen(HWND window, POINT* point);
BOOL ScreenToClient(HWND window, POINT* point);
// The desktop window under the cursor when the point lies in its client area, else null.
HWND WindowFromPoint(POINT point);

struct PAINTSTRUCT {
    void* hdc;
    BOOL fErase;
    RECT rcPaint;
};
void* BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);

// Windows have no icons of their own here: the answer is always null.
HICON LoadIconA(HINSTANCE instance, const char* name);

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_TABLETPC = 86;
// SM_CXSCREEN and SM_CYSCREEN are the desktop's size (Desktop.h); other indexes give 0.
int GetSystemMetrics(int index);

constexpr UINT SPI_GETSCREENSAVETIMEOUT = 0x000E;
constexpr UINT SPI_GETSCREENSAVEACTIVE = 0x0010;
constexpr UINT SPI_GETWORKAREA = 0x0030;
constexpr UINT SPI_SETSCREENSAVERRUNNING = 0x0061;
constexpr UINT SPI_GETSCREENSAVERRUNNING = 0x0072;
// The desktop's screen saver stays off while the game runs, so it reads as disabled and
// not running; the work area is the desktop's usable area.
BOOL SystemParametersInfoA(UINT action, UINT param, void* value, UINT winIni);

} // namespace Win32
