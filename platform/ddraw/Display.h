#pragma once
// The display as one DirectDraw object sees it, shared with the surfaces it made: the
// cooperative level and its window, the display mode, the pixel format of new surfaces,
// the video memory they take, and the primary surface, whose changes it hands to the
// screen to present.

#include "platform/ddraw/Blit.h"
#include "platform/ddraw/PixelFormat.h"

#include <optional>
#include <utility>

namespace DDraw {

class Display {
public:
    Display() = default;
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // DDSCL_NORMAL, or DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN with a live window. Leaving the
    // exclusive level restores the display mode.
    HRESULT SetCooperativeLevel(HWND window, DWORD flags);
    bool HasCooperativeLevel() const { return mLevel != 0; }
    bool IsExclusive() const { return mLevel != 0 && mLevel != DDSCL_NORMAL; }
    // A display mode is set, so the primary surface fills the screen.
    bool IsFullScreen() const { return IsExclusive() && mMode.has_value(); }

    // Only under the exclusive level; 16 or 32 bits per pixel. The desktop takes the
    // mode's size until the mode is restored, which puts back the desktop size set before
    // unless the desktop was given another size in between.
    HRESULT SetDisplayMode(int width, int height, int bitsPerPixel);
    void RestoreDisplayMode();
    HRESULT DescribeMode(DDSURFACEDESC2* description) const;
    HRESULT MonitorFrequency(DWORD* frequency) const;

    // The format of new surfaces that ask for none: the display mode's bits, else the
    // desktop's (from the controls), with the controls' masks when their bit counts agree.
    // None when the desktop's format is not one this layer can make.
    std::optional<PixelFormat> SurfaceFormat() const;
    // The size of a new primary surface: the window's client area in a window (the
    // desktop when there is none), the display mode's or the desktop's in full screen.
    HRESULT PrimarySize(int* width, int* height) const;

    // Video memory, in bytes, within the controls' total.
    bool ReserveVideoMemory(uint64_t bytes);
    void ReleaseVideoMemory(uint64_t bytes);
    uint64_t VideoMemoryUsed() const { return mVideoMemoryUsed; }

    bool HasPrimary() const { return mHasPrimary; }
    void SetHasPrimary(const bool hasPrimary) { mHasPrimary = hasPrimary; }
    // The primary surface changed within `changed`: the screen composes and shows it in
    // the cooperative-level window, or else in the window of the primary's clipper; in
    // full screen scaled to the desktop's size.
    void PresentPrimary(const PixelView& primary, const RECT& changed, HWND clipperWindow) const;

    // The DirectDraw object is going away: its display mode and exclusive level go too.
    void Close();

private:
    struct Mode {
        int width;
        int height;
        int bits;
    };

    HWND mWindow = nullptr;
    DWORD mLevel = 0;
    std::optional<Mode> mMode;
    // The desktop size that was set before the display mode took the desktop over, if
    // any: restoring the mode puts it back.
    std::optional<std::pair<int, int>> mDesktopSizeBefore;
    // The screen a full-screen mode is shown on: the desktop as it was before the mode. The
    // mode does not change the real screen; the picture is scaled to it.
    std::pair<int, int> mScreenSize{0, 0};
    uint64_t mVideoMemoryUsed = 0;
    bool mHasPrimary = false;
};

// Bytes from one row of a surface to the next: rounded up to 16 and 16 more, so that code
// that assumes rows of width x bytes per pixel shows up at once.
int SurfacePitch(int width, int bytesPerPixel);

} // namespace DDraw
