#pragma once
// Pixel formats of surfaces: RGB formats of 8 to 32 bits with contiguous channel masks
// (optionally with alpha), and 8-bit palettised pixels. Converts pixels to and from
// 0xAARRGGBB words and reads and writes them in memory.

#include "platform/ddraw/DDraw.h"

#include <cstdint>
#include <cstring>
#include <optional>

namespace DDraw {

class PixelFormat {
public:
    // An RGB format; none when a mask is empty (alpha may be), not contiguous, overlaps
    // another or does not fit in the bit count, or the bit count is not 8, 16, 24 or 32.
    static std::optional<PixelFormat> Rgb(int bits, uint32_t redMask, uint32_t greenMask, uint32_t blueMask,
                                          uint32_t alphaMask);
    static PixelFormat Palettised8();
    // The format a surface description asks for; none for what this layer cannot make.
    static std::optional<PixelFormat> FromDescription(const DDPIXELFORMAT& description);

    DDPIXELFORMAT Describe() const;

    int BitsPerPixel() const { return mBits; }
    int BytesPerPixel() const { return mBits / 8; }
    bool IsPalettised() const { return mPalettised; }
    // 32 bits with 8-bit red, green and blue at bits 16, 8 and 0: the pixel is its colour.
    bool IsXrgb8888() const
    {
        return mBits == 32 && !mPalettised && mRed.mask == 0x00FF0000 && mGreen.mask == 0x0000FF00 &&
               mBlue.mask == 0x000000FF;
    }
    // The value with every bit a pixel uses set.
    uint32_t PixelMask() const { return mBits == 32 ? 0xFFFFFFFFu : (1u << mBits) - 1; }

    // A pixel as 0xAARRGGBB: channels of fewer than 8 bits are widened by repeating their
    // bits (5-bit 31 becomes 255); without alpha the alpha is 255. A palettised pixel is its
    // palette entry; without a palette, a grey of its index.
    uint32_t ToArgb(uint32_t pixel, const PALETTEENTRY* palette) const;
    // The top bits of each 8-bit channel; bits without a channel are 0. Not for palettised
    // formats.
    uint32_t FromArgb(uint32_t argb) const;

    bool operator==(const PixelFormat& other) const = default;

private:
    struct Channel {
        uint32_t mask = 0;
        int shift = 0;
        int bits = 0;

        bool operator==(const Channel& other) const = default;
    };

    static std::optional<Channel> MakeChannel(uint32_t mask, int formatBits);
    static uint32_t Widen(const Channel& channel, uint32_t pixel);
    static uint32_t Narrow(const Channel& channel, uint32_t value);

    int mBits = 0;
    bool mPalettised = false;
    Channel mRed;
    Channel mGreen;
    Channel mBlue;
    Channel mAlpha;
};

// Pixels of 1 to 4 bytes, lowest byte first.
inline uint32_t ReadPixel(const uint8_t* at, const int bytes)
{
    uint32_t pixel = 0;
    std::memcpy(&pixel, at, static_cast<size_t>(bytes));
    return pixel;
}

inline void WritePixel(uint8_t* at, const int bytes, const uint32_t pixel)
{
    std::memcpy(at, &pixel, static_cast<size_t>(bytes));
}

} // namespace DDraw
