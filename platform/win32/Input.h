#pragma once
// Mouse capture, the cursor position, cursors, and the time of the last user input.

#include "platform/win32/Types.h"

namespace Win32 {

// While a window holds the capture, every mouse message goes to it, even from outside.
HWND SetCapture(HWND window);
BOOL ReleaseCapture();
HWND GetCapture();

// The cursor in screen coordinates, which are the main window's client coordinates. Safe
// from any thread (the cursor thread polls it).
BOOL GetCursorPos(POINT* point);

// GetTickCount value of the last keyboard or mouse input the message queue saw.
DWORD LastInputTick();

// System cursors, named by number as resource names are.
inline const char* MAKEINTRESOURCEA(const int id) { return reinterpret_cast<const char*>(static_cast<uintptr_t>(id)); }
inline const char* const IDC_ARROW = MAKEINTRESOURCEA(32512);
inline const char* const IDC_IBEAM = MAKEINTRESOURCEA(32513);
inline const char* const IDC_WAIT = MAKEINTRESOURCEA(32514);
inline const char* const IDC_SIZENWSE = MAKEINTRESOURCEA(32642);
inline const char* const IDC_SIZENESW = MAKEINTRESOURCEA(32643);
inline const char* const IDC_SIZEWE = MAKEINTRESOURCEA(32644);
inline const char* const IDC_SIZENS = MAKEINTRESOURCEA(32645);
inline const char* const IDC_SIZEALL = MAKEINTRESOURCEA(32646);
inline const char* const IDC_NO = MAKEINTRESOURCEA(32648);
inline const char* const IDC_HAND = MAKEINTRESOURCEA(32649);

// A system cursor (instance null, name IDC_*); null for an unknown name.
HCURSOR LoadCursorA(HINSTANCE instance, const char* name);
// A monochrome cursor from an AND mask and an XOR mask, one bit per pixel, rows of
// width / 8 bytes, most significant bit first: AND 1 XOR 0 is transparent, AND 0 XOR 0
// black, AND 0 XOR 1 white, AND 1 XOR 1 inverts the screen.
HCURSOR CreateCursor(HINSTANCE instance, int hotX, int hotY, int width, int height, const void* andPlane,
                     const void* xorPlane);
BOOL DestroyCursor(HCURSOR cursor);
// Null hides the cursor. Returns the cursor set before.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// The cursor shows while the display count is 0 or more; returns the new count.
int ShowCursor(BOOL show);

} // namespace Win32
