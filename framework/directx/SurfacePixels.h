#pragma once
// What the surface routines of the display image share: the locked surface as rows of 16-
// or 32-bit pixels with the display's channels, the per-channel blends and saturated adds,
// and the packed arithmetic that blends the three fields of a 5-6-5 or 5-5-5 pixel at once
// by moving green into the upper half of a 32-bit word.
//
// Arithmetic is unsigned 32-bit throughout; per channel, a part that is masked to its field
// cannot reach the next field, so adding the parts equals OR-ing them.

#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "framework/graphics/Color.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace Zest::SurfacePixels {

// Per channel, in the order red, green, blue.
using Masks = std::array<uint32_t, 3>;
using Weights = std::array<uint32_t, 3>;

// 8-bit channels at bits 16..23, 8..15 and 0..7: the 32-bit routines that work on fixed fields
// assume this layout (the only 32-bit one the display makes).
inline constexpr Masks kMasks888{0x00FF0000, 0x0000FF00, 0x000000FF};

// A channel as the display describes it: position, width and the table of saturated sums
// of two channel values (entry i is min(i, channel maximum)).
struct Channel {
    int32_t mShift;
    int32_t mBitCount;
    const int32_t* mAddTable;
    // Index of the table's last entry: sums are cut to it, so that a surface field wider
    // than the display's channel cannot read past the table.
    uint32_t mAddLast;
};

// The locked surface of a display image.
struct Surface {
    uint8_t* mBits;
    // Bytes from one row to the next; rows may be padded beyond the width.
    int32_t mPitch;
    int32_t mWidth;
    int32_t mHeight;
    Masks mMasks;
    std::array<Channel, 3> mChannels;

    template <typename Pixel>
    Pixel* Row(const int y) const
    {
        return reinterpret_cast<Pixel*>(mBits + static_cast<ptrdiff_t>(y) * mPitch);
    }
    bool Contains(const int x, const int y) const { return x >= 0 && y >= 0 && x < mWidth && y < mHeight; }
};

inline Channel MakeChannel(const int32_t shift, const int32_t bitCount, const std::vector<int32_t>& addTable)
{
    return {shift, bitCount, addTable.data(), addTable.empty() ? 0u : static_cast<uint32_t>(addTable.size() - 1)};
}

inline Weights Components(const Color& color)
{
    return {static_cast<uint32_t>(color.mRed), static_cast<uint32_t>(color.mGreen),
            static_cast<uint32_t>(color.mBlue)};
}

// Names the pixel type of a surface for a generic lambda: typename decltype(tag)::Pixel.
template <typename T>
struct PixelTag {
    using Pixel = T;
};

// Locks the image's surface (made from its pixels when missing) and calls
// draw(surface, PixelTag<Pixel>{}) with Pixel uint16_t or uint32_t, so that each routine is
// compiled once per pixel size; then unlocks. A failed lock draws nothing; a surface of
// another depth is unlocked again untouched.
template <typename Draw>
void DrawLocked(DDImage& image, const Draw& draw)
{
    if (!image.LockSurface())
        return;
    const DDraw::DDSURFACEDESC& desc = image.mLockedDesc;
    const DDraw::DDPIXELFORMAT& format = desc.ddpfPixelFormat;
    const DDInterface& display = *image.mDDInterface;
    const Surface surface{static_cast<uint8_t*>(desc.lpSurface),
                          desc.lPitch,
                          static_cast<int32_t>(desc.dwWidth),
                          static_cast<int32_t>(desc.dwHeight),
                          {format.dwRBitMask, format.dwGBitMask, format.dwBBitMask},
                          {{MakeChannel(display.mRedShift, display.mRedBits, display.mRedAddTable),
                            MakeChannel(display.mGreenShift, display.mGreenBits, display.mGreenAddTable),
                            MakeChannel(display.mBlueShift, display.mBlueBits, display.mBlueAddTable)}}};
    // The saturation tables come with the display's pixel format; without them nothing is
    // drawn.
    if (surface.mBits != nullptr && !display.mRedAddTable.empty() && !display.mGreenAddTable.empty() &&
        !display.mBlueAddTable.empty()) {
        if (format.dwRGBBitCount == 16)
            draw(surface, PixelTag<uint16_t>{});
        else if (format.dwRGBBitCount == 32)
            draw(surface, PixelTag<uint32_t>{});
    }
    image.UnlockSurface();
}

// Σ over the channels of (((d & M) × dWeight + (s & M) × sWeight) >> 8) & M.
inline uint32_t MixChannels(const uint32_t d, const uint32_t dWeight, const uint32_t s, const Masks& masks,
                            const Weights& sWeights)
{
    uint32_t result = 0;
    for (size_t c = 0; c < masks.size(); ++c)
        result += (((d & masks[c]) * dWeight + (s & masks[c]) * sWeights[c]) >> 8) & masks[c];
    return result;
}

// d and v mixed with v weighed a out of 256.
inline uint32_t MixChannels(const uint32_t d, const uint32_t v, const uint32_t a, const Masks& masks)
{
    return MixChannels(d, 256 - a, v, masks, {a, a, a});
}

// Each channel of d plus the channel's addend (0 to the channel maximum), saturated through
// the display's tables; bits outside the channels become 0.
inline uint32_t AddChannels(const Surface& surface, const uint32_t d, const Weights& addends)
{
    uint32_t result = 0;
    for (size_t c = 0; c < addends.size(); ++c) {
        const Channel& channel = surface.mChannels[c];
        const uint32_t field = (d & surface.mMasks[c]) >> channel.mShift;
        const uint32_t sum = std::min(field + addends[c], channel.mAddLast);
        result |= static_cast<uint32_t>(channel.mAddTable[sum]) << channel.mShift;
    }
    return result;
}

// The packed field mask of a 16-bit surface by its green mask: green moved up by 16 bits,
// red and blue in place, a gap above each field for the carries of a product. 0 for layouts
// without a packed form.
inline uint32_t PackedFields(const uint32_t greenMask)
{
    if (greenMask == 0x07E0)
        return 0x07E0F81F;
    if (greenMask == 0x03E0)
        return 0x03E07C1F;
    return 0;
}

inline uint32_t Spread(const uint32_t pixel, const uint32_t packed) { return (pixel | (pixel << 16)) & packed; }

inline uint32_t Fold(const uint32_t spread) { return ((spread >> 16) | spread) & 0xFFFF; }

} // namespace Zest::SurfacePixels
