#pragma once
// Puts the composed picture of the primary surface into a window. The SDL presenter shows
// it with an SDL renderer and a streaming texture; the null presenter, for a window that
// has no SDL window (or no window at all, or no video system), shows nothing. Presenters
// are made, used and destroyed on the video thread only.

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

} // namespace DDraw
