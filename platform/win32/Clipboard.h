#pragma once
// The clipboard, on SDL's (UTF-8) clipboard, and the movable memory blocks it trades in.
// Narrow text is Latin-1.

#include "platform/win32/Types.h"

#include <cstddef>

namespace Win32 {

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_DDESHARE = 0x2000;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// A zero-filled block; null when `bytes` cannot be had.
HGLOBAL GlobalAlloc(UINT flags, size_t bytes);
void* GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
// Null on success, the block itself on failure.
HGLOBAL GlobalFree(HGLOBAL memory);
size_t GlobalSize(HGLOBAL memory);

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_OEMTEXT = 7;
constexpr UINT CF_UNICODETEXT = 13;
constexpr UINT CF_LOCALE = 16;

BOOL OpenClipboard(HWND owner);
// Publishes the text given since opening.
BOOL CloseClipboard();
BOOL EmptyClipboard();
// The clipboard takes the block (it must not be freed afterwards); returns it.
HANDLE SetClipboardData(UINT format, HANDLE memory);
// A block the clipboard keeps (do not free it) with CF_TEXT or CF_UNICODETEXT text and
// its terminator; null when there is no text.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);

constexpr UINT CP_ACP = 0;
constexpr UINT CP_UTF8 = 65001;
constexpr DWORD MB_PRECOMPOSED = 0x0001;
// The system code page is Latin-1: each byte becomes the wide character of its value.
// A length of -1 includes the terminator. Returns the characters written, or needed when
// wideLength is 0.
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* text, int length, wchar_t* wide, int wideLength);

} // namespace Win32
