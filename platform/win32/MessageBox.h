#pragma once
// Message boxes: an SDL message box where a display exists, a line on stderr otherwise.
// A box asked for on another thread is shown by the video thread while it reads its
// message queue. Texts are Latin-1.

#include "platform/win32/Types.h"

#include <functional>
#include <string>

namespace Win32 {

constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x0002;
constexpr UINT MB_YESNOCANCEL = 0x0003;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_RETRYCANCEL = 0x0005;
constexpr UINT MB_ICONHAND = 0x0010;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x0020;
constexpr UINT MB_ICONEXCLAMATION = 0x0030;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x0040;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_DEFBUTTON1 = 0x0000;
constexpr UINT MB_DEFBUTTON2 = 0x0100;
constexpr UINT MB_DEFBUTTON3 = 0x0200;
constexpr UINT MB_TASKMODAL = 0x2000;
constexpr UINT MB_SETFOREGROUND = 0x00010000;
constexpr UINT MB_TOPMOST = 0x00040000;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Returns the id of the button chosen; without a display, the default button's.
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);
// Wide characters above 255 show as '?'.
int MessageBoxW(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

struct MessageBoxRequest {
    std::string text;
    std::string caption;
    UINT type;
};
// Takes every message box instead of showing it, and answers for the user; tests use it.
// An empty sink shows boxes again.
using MessageBoxSink = std::function<int(const MessageBoxRequest& request)>;
void SetMessageBoxSink(MessageBoxSink sink);

} // namespace Win32
