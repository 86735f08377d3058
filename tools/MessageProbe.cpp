// Opens a window and prints every message its window procedure receives, one per line,
// until the window is closed. Used to check by hand, and under a virtual display in the
// tests, that desktop input reaches the program as the messages it expects.

#include "platform/win32/Input.h"
#include "platform/win32/MessageQueue.h"
#include "platform/win32/Messages.h"
#include "platform/win32/Window.h"

#include <cstdio>

namespace {

using namespace Win32;

const char* MessageName(const UINT message)
{
    switch (message) {
    case WM_CREATE: return "WM_CREATE";
    case WM_DESTROY: return "WM_DESTROY";
    case WM_MOVE: return "WM_MOVE";
    case WM_SIZE: return "WM_SIZE";
    case WM_PAINT: return "WM_PAINT";
    case WM_CLOSE: return "WM_CLOSE";
    case WM_ACTIVATEAPP: return "WM_ACTIVATEAPP";
    case WM_SETCURSOR: return "WM_SETCURSOR";
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_KEYUP: return "WM_KEYUP";
    case WM_CHAR: return "WM_CHAR";
    case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
    case WM_SYSKEYUP: return "WM_SYSKEYUP";
    case WM_SYSCHAR: return "WM_SYSCHAR";
    case WM_SYSCOMMAND: return "WM_SYSCOMMAND";
    case WM_TIMER: return "WM_TIMER";
    case WM_MOUSEMOVE: return "WM_MOUSEMOVE";
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP: return "WM_LBUTTONUP";
    case WM_LBUTTONDBLCLK: return "WM_LBUTTONDBLCLK";
    case WM_RBUTTONDOWN: return "WM_RBUTTONDOWN";
    case WM_RBUTTONUP: return "WM_RBUTTONUP";
    case WM_RBUTTONDBLCLK: return "WM_RBUTTONDBLCLK";
    case WM_MBUTTONDOWN: return "WM_MBUTTONDOWN";
    case WM_MBUTTONUP: return "WM_MBUTTONUP";
    case WM_MBUTTONDBLCLK: return "WM_MBUTTONDBLCLK";
    case WM_MOUSEWHEEL: return "WM_MOUSEWHEEL";
    default: return nullptr;
    }
}

void Print(const UINT message, const WPARAM wParam, const LPARAM lParam)
{
    const char* name = MessageName(message);
    if (name == nullptr)
        std::printf("0x%04X 0x%lX 0x%lX\n", message, static_cast<unsigned long>(wParam), static_cast<unsigned long>(lParam));
    else if (message >= WM_MOUSEMOVE && message <= WM_MOUSEWHEEL)
        std::printf("%s %d,%d 0x%lX\n", name, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), static_cast<unsigned long>(wParam));
    else
        std::printf("%s 0x%lX 0x%lX\n", name, static_cast<unsigned long>(wParam), static_cast<unsigned long>(lParam));
    std::fflush(stdout);
}

LRESULT ProbeProc(HWND window, const UINT message, const WPARAM wParam, const LPARAM lParam)
{
    Print(message, wParam, lParam);
    if (message == WM_SETCURSOR) {
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        return 1;
    }
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int main()
{
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &ProbeProc;
    windowClass.lpszClassName = "MessageProbe";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "MessageProbe", "Message Probe", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 320,
                                  240, nullptr, nullptr, nullptr, nullptr);
    if (window == nullptr) {
        std::fprintf(stderr, "The probe could not open its window.\n");
        return 1;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DestroyWindow(window);
    return 0;
}
