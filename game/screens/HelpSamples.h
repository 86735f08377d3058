#pragma once
// The small animations that the tip pages and the how-to-play pages share: a chain being
// dragged across a row of tiles, and the red pulse of an infected tile.

#include "framework/graphics/Color.h"

#include <cstdint>

namespace Zest {
class Graphics;
}

// A chain being drawn across a row of tiles: at step s the lines from the first tile up to
// tile s and the pointer (with the mouse button) on tile s; past mLastStep the tiles alone.
// Positions are top-left corners in the caller's coordinates.
struct ChainDemo {
    int32_t mLastStep;
    // From one tile to the next.
    int32_t mSpacing;
    // The first line segment, and how many segments join two tiles.
    int32_t mLineX;
    int32_t mLineY;
    int32_t mSegments;
    // The pointer and the mouse button at step 0.
    int32_t mPointerX;
    int32_t mPointerY;
    bool mMouse;
    int32_t mMouseX;
    int32_t mMouseY;
};

// In the graphics' current colour.
void DrawChainDemo(Zest::Graphics* g, const ChainDemo& demo, int32_t step);

// The infected tile's pulse, -1 to 1: one period every 360 smooth updates.
float InfectionPulse(int32_t updateCount);
// The tint at that pulse: white at -1, (255, 127, 127) at 0, red at 1. Green and blue are
// kept within 0 to 255, as the peak would otherwise reach -1, which packs into white.
Zest::Color InfectionTint(float pulse, int32_t alpha);
