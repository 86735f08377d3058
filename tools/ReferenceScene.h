#pragma once
// A scene that exercises every kind of drawing the game does, drawn through the drawing
// context: alpha fills, opaque, alpha and keyed blits, grey and colour tints, additive
// blits, filtered and fast stretches, quarter-turn rotations, mirrored blits, coverage
// spans and a rotated and scaled sprite. The same scene drawn on
// different destinations must look the same.

#include "framework/graphics/Geometry.h"
#include "framework/graphics/MemoryImage.h"

#include <vector>

namespace Zest {
class AppInterface;
class Graphics;
} // namespace Zest

namespace Tools {

class ReferenceScene {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;

    explicit ReferenceScene(Zest::AppInterface* app);

    // Draws the whole scene over whatever g's destination holds.
    void Draw(Zest::Graphics& g);

    // The borders of the rotated blits, where sampling at the edge may differ between
    // drawing paths.
    const std::vector<Zest::Rect>& Rims() const { return mRims; }

private:
    Zest::MemoryImage mOpaque;
    Zest::MemoryImage mAlpha;
    Zest::MemoryImage mKeyed;
    std::vector<Zest::Rect> mRims;
};

} // namespace Tools
