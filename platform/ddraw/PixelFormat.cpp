#include "platform/ddraw/PixelFormat.h"

#include <bit>

namespace DDraw {

std::optional<PixelFormat::Channel> PixelFormat::MakeChannel(const uint32_t mask, const int formatBits)
{
    if (mask == 0)
        return Channel{};
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    const bool contiguous = ((mask >> shift) & ((mask >> shift) + 1)) == 0;
    const bool fits = formatBits == 32 || mask < (1u << formatBits);
    if (!contiguous || !fits)
        return std::nullopt;
    return Channel{mask, shift, bits};
}

std::optional<PixelFormat> PixelFormat::Rgb(const int bits, const uint32_t redMask, const uint32_t greenMask,
                                            const uint32_t blueMask, const uint32_t alphaMask)
{
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return std::nullopt;
    if (redMask == 0 || greenMask == 0 || blueMask == 0)
        return std::nullopt;
    const uint64_t total = uint64_t{redMask} + greenMask + blueMask + alphaMask;
    if (total != (redMask | greenMask | blueMask | alphaMask))
        return std::nullopt; // masks overlap
    const std::optional<Channel> red = MakeChannel(redMask, bits);
    const std::optional<Channel> green = MakeChannel(greenMask, bits);
    const std::optional<Channel> blue = MakeChannel(blueMask, bits);
    const std::optional<Channel> alpha = MakeChannel(alphaMask, bits);
    if (!red || !green || !blue || !alpha)
        return std::nullopt;
    PixelFormat format;
    format.mBits = bits;
    format.mRed = *red;
    format.mGreen = *green;
    format.mBlue = *blue;
    format.mAlpha = *alpha;
    return format;
}

PixelFormat PixelFormat::Palettised8()
{
    PixelFormat format;
    format.mBits = 8;
    format.mPalettised = true;
    return format;
}

std::optional<PixelFormat> PixelFormat::FromDescription(const DDPIXELFORMAT& description)
{
    const DWORD flags = description.dwFlags;
    if (flags == DDPF_PALETTEINDEXED8 || flags == (DDPF_PALETTEINDEXED8 | DDPF_RGB))
        return description.dwRGBBitCount == 8 ? std::optional(Palettised8()) : std::nullopt;
    if (flags != DDPF_RGB && flags != (DDPF_RGB | DDPF_ALPHAPIXELS))
        return std::nullopt;
    const bool hasAlpha = (flags & DDPF_ALPHAPIXELS) != 0;
    if (hasAlpha && description.dwRGBAlphaBitMask == 0)
        return std::nullopt;
    if (description.dwRGBBitCount > 32)
        return std::nullopt;
    return Rgb(static_cast<int>(description.dwRGBBitCount), description.dwRBitMask, description.dwGBitMask,
               description.dwBBitMask, hasAlpha ? description.dwRGBAlphaBitMask : 0);
}

DDPIXELFORMAT PixelFormat::Describe() const
{
    DDPIXELFORMAT description{};
    description.dwSize = sizeof(description);
    description.dwRGBBitCount = static_cast<DWORD>(mBits);
    if (mPalettised) {
        description.dwFlags = DDPF_PALETTEINDEXED8 | DDPF_RGB;
        return description;
    }
    description.dwFlags = DDPF_RGB | (mAlpha.mask != 0 ? DDPF_ALPHAPIXELS : 0);
    description.dwRBitMask = mRed.mask;
    description.dwGBitMask = mGreen.mask;
    description.dwBBitMask = mBlue.mask;
    description.dwRGBAlphaBitMask = mAlpha.mask;
    return description;
}

uint32_t PixelFormat::Widen(const Channel& channel, const uint32_t pixel)
{
    const uint32_t value = (pixel & channel.mask) >> channel.shift;
    if (channel.bits >= 8)
        return value >> (channel.bits - 8);
    uint32_t widened = value << (8 - channel.bits);
    for (int filled = channel.bits; filled < 8; filled += channel.bits)
        widened |= widened >> channel.bits;
    return widened;
}

uint32_t PixelFormat::Narrow(const Channel& channel, const uint32_t value)
{
    const uint32_t narrowed = channel.bits >= 8 ? value << (channel.bits - 8) : value >> (8 - channel.bits);
    return (narrowed << channel.shift) & channel.mask;
}

uint32_t PixelFormat::ToArgb(const uint32_t pixel, const PALETTEENTRY* palette) const
{
    if (mPalettised) {
        const uint32_t index = pixel & 0xFF;
        if (palette == nullptr)
            return 0xFF000000u | index * 0x010101u;
        const PALETTEENTRY& entry = palette[index];
        return 0xFF000000u | (uint32_t{entry.peRed} << 16) | (uint32_t{entry.peGreen} << 8) | entry.peBlue;
    }
    const uint32_t alpha = mAlpha.mask != 0 ? Widen(mAlpha, pixel) : 0xFF;
    return (alpha << 24) | (Widen(mRed, pixel) << 16) | (Widen(mGreen, pixel) << 8) | Widen(mBlue, pixel);
}

uint32_t PixelFormat::FromArgb(const uint32_t argb) const
{
    uint32_t pixel =
        Narrow(mRed, (argb >> 16) & 0xFF) | Narrow(mGreen, (argb >> 8) & 0xFF) | Narrow(mBlue, argb & 0xFF);
    if (mAlpha.mask != 0)
        pixel |= Narrow(mAlpha, argb >> 24);
    return pixel;
}

} // namespace DDraw
