#pragma once
// Puts the composed picture of the primary surface into a window. The SDL presenter shows
// it with an SDL renderer and a streaming texture where the display renders in hardware (or
// the user names a render driver other than "software"); elsewhere it copies the changed
// rows into the window's own surface, which needs no GL at all. The null presenter, for a
// window that has no SDL window (or no window at all, or no video system), shows nothing.
// Presenters are made, used and destroyed on the video thread only.

#include "platform/ddraw/DDraw.h"

#include <cstdint>
#include <memory>

namespace DDraw {

// The primary surface as 0x00RRGGBB words, row by row.
struct Frame {
    const uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
};

class Presenter {
public:
    virtual ~Presenter() = default;

    // Whether it shows in this window (and can still do so).
    virtual bool Serves(HWND window) const = 0;
    // Shows the frame, of which `changed` changed since the last call. In full screen the
    // window fills the screen and the frame is scaled into it keeping its aspect, between
    // black bars; mouse positions then arrive in the frame's coordinates.
    virtual void Show(const Frame& frame, const RECT& changed, bool fullScreen) = 0;
};

std::unique_ptr<Presenter> MakePresenter(HWND window);

// Where a picture of width x height lands on a screen when scaled to fit it, keeping its
// aspect (rounded down) and centred, as SDL places a renderer's logical size.
RECT FitRect(int width, int height, int screenWidth, int screenHeight);

} // namespace DDraw
