#pragma once
// The picture the window shows, composed whenever the primary surface changes: in a
// window the primary as it is; in full screen the primary scaled to the desktop's size
// keeping its aspect, centred between black bars (the desktop normally has the display
// mode's size, and then nothing is scaled). The picture goes to the controls (for tests and
// probes) at once, and to the window through a presenter on the video thread: at once
// when the change happens there, else at the video thread's next pump of its messages.

#include "platform/ddraw/Blit.h"

namespace DDraw {

struct PresentTarget {
    // The window that shows the primary; null for none.
    HWND window = nullptr;
    bool fullScreen = false;
    // The desktop's size in full screen, which the primary is scaled into.
    int screenWidth = 0;
    int screenHeight = 0;
};

namespace Screen {

// Safe from any thread.
void PrimaryChanged(const PresentTarget& target, const PixelView& primary, const RECT& changed);

} // namespace Screen
} // namespace DDraw
