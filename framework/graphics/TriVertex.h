#pragma once

#include <cstdint>

namespace Zest {

// A corner of a textured triangle.
struct TriVertex {
    // Position in destination pixels.
    float mX = 0.0f;
    float mY = 0.0f;
    // Texture coordinates, 0..1 across the texture image.
    float mU = 0.0f;
    float mV = 0.0f;
    // 0xAARRGGBB vertex colour; 0 means none.
    uint32_t mColor = 0;
};

} // namespace Zest
