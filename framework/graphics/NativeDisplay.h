#pragma once
// The pixel layout of the display: bits per pixel and, per colour channel, its mask, the
// width of the mask and the position of its lowest bit. Premultiplied image caches are
// made in this layout.

#include <cstdint>

namespace Zest {

class NativeDisplay {
public:
    virtual ~NativeDisplay() = default;

    int32_t mRGBBits = 0;
    uint32_t mRedMask = 0;
    uint32_t mGreenMask = 0;
    uint32_t mBlueMask = 0;
    int32_t mRedBits = 0;
    int32_t mGreenBits = 0;
    int32_t mBlueBits = 0;
    int32_t mRedShift = 0;
    int32_t mGreenShift = 0;
    int32_t mBlueShift = 0;
};

} // namespace Zest
