#pragma once
// Inside the platform layer only: the window objects, the message queue's posting side and
// the video system they live on. The framework never includes this header.

#include "platform/win32/Window.h"

#include <SDL.h>

#include <string>
#include <vector>

namespace Win32 {

struct Window {
    std::string className;
    UINT classStyle = 0;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string title;
    // Client rectangle in desktop coordinates.
    RECT rect{};
    LONG_PTR userData = 0;
    bool visible = false;
    bool minimized = false;
    bool maximized = false;
    bool enabled = true;
    bool needsPaint = false;
    // Null for a window without a size, which only receives messages.
    SDL_Window* sdlWindow = nullptr;
};

namespace WindowSystem {

// Starts SDL video and events on first use; false when there is no video system.
bool EnsureVideo();
// The thread that started the video system: the only one that may touch windows.
bool IsVideoThread();

// Null unless the handle names a live window (safe from any thread).
Window* Find(HWND window);
Window* FindBySdlId(Uint32 windowId);
// Every live window, oldest first.
std::vector<HWND> AllWindows();

// Calls the window's procedure at once, as a sent message; 0 for a dead window.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Appends to the posted-message queue (safe from any thread).
bool Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Drops every queued message and timer of a window that is going away.
void ForgetWindow(HWND window);

// The window that has the keyboard focus of the desktop; the event pump keeps it current.
HWND ActiveWindow();
void SetActiveWindow(HWND window);

// The window the mouse is over (or captured by), as the event pump last saw it.
HWND MouseWindow();
void SetMouseWindow(HWND window);
// Records where the mouse is, in screen (main client) coordinates, and that the user
// gave input now.
void SetCursorPosition(int x, int y);
void NoteUserInput();

// Makes the window cover its display, full screen on the desktop. Without a window manager
// (a bare X server) nothing acts on the full-screen flag alone, so the window is first moved
// and sized to the display's bounds. False when SDL refuses full screen.
bool CoverScreen(SDL_Window* window);

// Runs the message boxes that other threads asked the video thread to show.
void ShowPendingMessageBoxes();

// Work that only the video thread may do for other threads, such as putting on the screen
// what they drew: every pump of the message queue on the video thread (PeekMessageA, and
// so GetMessageA) calls each hook with its context. A hook may add or remove hooks, itself
// included; once RemovePumpHook returns, the hook is not called again.
using PumpHook = void (*)(void* context);
void AddPumpHook(PumpHook hook, void* context);
void RemovePumpHook(PumpHook hook, void* context);
void RunPumpHooks();

} // namespace WindowSystem
} // namespace Win32
