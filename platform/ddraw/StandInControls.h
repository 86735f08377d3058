#pragma once
// The stand-in's own controls, which no real display has: what tests and probes set to
// reproduce a display (its pixel format, refresh rate, video memory) and its failures, and
// the picture the presenter last put in the window. The desktop's size is the Win32
// layer's (GetSystemMetrics), which a full-screen display mode changes. The library exports them under the name
// "DDrawStandInControls".

#include "platform/ddraw/DDraw.h"

#include <cstdint>
#include <string>
#include <vector>

namespace DDraw {

struct StandInControls {
    // The desktop's pixel format: 32 bits (X8R8G8B8) by default; 16 bits with 5-6-5 or
    // 5-5-5 masks, or any other bit count (24 is refused by the display back end), for tests.
    DWORD desktopBits = 32;
    DWORD redMask = 0x00FF0000;
    DWORD greenMask = 0x0000FF00;
    DWORD blueMask = 0x000000FF;

    // What GetMonitorFrequency reports: 0 asks SDL for the real display's rate (and fails
    // when it has none, as headless); a negative value makes the call fail.
    int monitorFrequency = 0;

    // Video memory in bytes, as GetAvailableVidMem reports it; surfaces in video memory
    // use up the free part and fail with DDERR_OUTOFVIDEOMEMORY when it runs out.
    DWORD totalVideoMemory = 64u << 20;

    // The next calls of a method fail: "IDirectDraw7::CreateSurface" and so on, with the
    // interface's name as the program calls it. `skip` calls succeed before the failure.
    struct Failure {
        std::string method;
        int skip = 0;
        HRESULT result = E_FAIL;
    };
    std::vector<Failure> failures;

    // Counts the objects alive (DirectDraw objects, surfaces, clippers and palettes), so
    // that tests can see every reference returned.
    int liveObjects = 0;

    // The presenter's last picture: the window's client area as 0x00RRGGBB words, row by row
    // (the windowed primary as is; full screen scaled to the desktop with black bars). Empty
    // before anything was presented.
    std::vector<uint32_t> presented;
    int presentedWidth = 0;
    int presentedHeight = 0;
    // How many times the presenter put a picture on the screen.
    int presentCount = 0;

    // Back to the defaults, with no failures pending.
    void Reset() { *this = StandInControls{liveObjects}; }

    StandInControls() = default;

private:
    explicit StandInControls(const int live) : liveObjects(live) {}
};

using StandInControlsFunc = StandInControls* (*)();

} // namespace DDraw

extern "C" DDraw::StandInControls* DDrawStandInControls();
