#pragma once
// The virtual desktop: the size that GetSystemMetrics(SM_CXSCREEN, SM_CYSCREEN) reports.
// It is SDL's desktop display mode unless a size was set: the display stand-in sets the
// size of a full-screen display mode while that mode is on, and tests set a desktop of
// their own (a widescreen one, say) to see how the program lays itself out on it.

namespace Win32 {

// False when no size is set and there is no video system to ask.
bool GetDesktopSize(int* width, int* height);
// False when no size is set (the desktop is SDL's).
bool GetSetDesktopSize(int* width, int* height);
// Sizes below 1 pixel are refused (false).
bool SetDesktopSize(int width, int height);
void ResetDesktopSize();

} // namespace Win32
