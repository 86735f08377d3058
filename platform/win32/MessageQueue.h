#pragma once
// The message queue of the video thread: posted messages, the input read from SDL,
// paints and timers, handed out in that order as the desktop the program was written
// for does. Sent messages (activation, moves, sizes, WM_SETCURSOR) reach the window
// procedure while the queue is read.

#include "platform/win32/Types.h"

namespace Win32 {

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

constexpr UINT WM_QUIT = 0x0012;

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// Posting to HWND_BROADCAST reaches every window of this process and the running copies
// that hold the named single-instance locks this process found taken.
inline const HWND HWND_BROADCAST = reinterpret_cast<HWND>(static_cast<uintptr_t>(0xFFFF));

// filterMin and filterMax 0 take every message; a window filter takes its messages only.
BOOL PeekMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
// Waits for the next message; 0 for WM_QUIT.
BOOL GetMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax);
// Posts the character message that a key-down makes: WM_CHAR for Enter, Backspace, Tab,
// Escape and Ctrl+letter (control codes 1 to 26), WM_SYSCHAR for a key pressed with Alt.
// Printable characters typed without Ctrl or Alt arrive as WM_CHAR from text input.
BOOL TranslateMessage(const MSG* message);
LRESULT DispatchMessageA(const MSG* message);

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
// The default answers: WM_CLOSE destroys the window, Alt+F4 closes it through
// SC_CLOSE, WM_PAINT validates the window, everything else does nothing.
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The same name gives the same id (0xC000 to 0xFFFF) in every process.
UINT RegisterWindowMessageA(const char* name);

using TIMERPROC = void (*)(HWND window, UINT message, uintptr_t id, DWORD time);
// WM_TIMER every `milliseconds` (at least 10) while nothing else is waiting; one is
// pending at a time. Returns the timer id (a new one for a null window).
uintptr_t SetTimer(HWND window, uintptr_t id, UINT milliseconds, TIMERPROC callback);
BOOL KillTimer(HWND window, uintptr_t id);

} // namespace Win32
