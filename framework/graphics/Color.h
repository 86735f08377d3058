#pragma once
// A colour of four 8-bit channels, kept as ints. White is the neutral tint of image
// drawing: an image drawn with White comes out unchanged.

#include <cstdint>

namespace Zest {

class Color {
public:
    // Opaque black.
    Color() = default;
    // From 0xAARRGGBB; an alpha byte of 0 counts as 255, so 0x00RRGGBB is opaque.
    Color(uint32_t packed);
    Color(int red, int green, int blue) : mRed(red), mGreen(green), mBlue(blue) {}
    Color(int red, int green, int blue, int alpha) : mRed(red), mGreen(green), mBlue(blue), mAlpha(alpha) {}
    // A widget colour table's entry of three ints (red, green, blue); opaque.
    explicit Color(const int* redGreenBlue) : mRed(redGreenBlue[0]), mGreen(redGreenBlue[1]), mBlue(redGreenBlue[2]) {}

    int GetRed() const { return mRed; }
    int GetGreen() const { return mGreen; }
    int GetBlue() const { return mBlue; }
    int GetAlpha() const { return mAlpha; }
    // The same colour at another opacity.
    Color WithAlpha(int alpha) const { return Color(mRed, mGreen, mBlue, alpha); }

    // 0xAARRGGBB, the pixel form of the whole drawing system.
    uint32_t ToInt() const
    {
        return (static_cast<uint32_t>(mAlpha) << 24) | (static_cast<uint32_t>(mRed) << 16) |
               (static_cast<uint32_t>(mGreen) << 8) | static_cast<uint32_t>(mBlue);
    }

    bool operator==(const Color& other) const = default;

    static const Color Black;
    static const Color White;

    int mRed = 0;
    int mGreen = 0;
    int mBlue = 0;
    int mAlpha = 255;
};

// How a source meets the destination. Operations draw nothing for any other value.
constexpr int DRAWMODE_NORMAL = 0;   // blended over the destination by its alpha
constexpr int DRAWMODE_ADDITIVE = 1; // its colour, scaled by its alpha, added with saturation

} // namespace Zest
