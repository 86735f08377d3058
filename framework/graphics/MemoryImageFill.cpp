// Untextured software drawing of a MemoryImage: filled and cleared rectangles, scan-line
// fills under a coverage mask, and lines in three rasterisers (plain, additive and
// antialiased). The drawing context normally clips before calling these, but every
// operation clips again to the image so that no call can reach outside the pixels.

#include "framework/graphics/MemoryImage.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

namespace Zest {
namespace {

// Line ends further out than this draw nothing: the drawing context clips lines long before
// this, and the bound keeps every integer of the rasterisers (coordinates, doubled error
// terms, walk counts) well inside 32 bits.
constexpr double kMaxLineCoordinate = 16777216.0;

bool IsUsableLine(const double x1, const double y1, const double x2, const double y2)
{
    // Also false for NaN.
    const auto usable = [](const double value) { return std::abs(value) <= kMaxLineCoordinate; };
    return usable(x1) && usable(y1) && usable(x2) && usable(y2);
}

int Channel(const uint32_t pixel, const int shift)
{
    return static_cast<int>((pixel >> shift) & 0xFF);
}

uint32_t PackPixel(const int alpha, const int red, const int green, const int blue)
{
    return (static_cast<uint32_t>(alpha & 0xFF) << 24) | (static_cast<uint32_t>(red & 0xFF) << 16) |
           (static_cast<uint32_t>(green & 0xFF) << 8) | static_cast<uint32_t>(blue & 0xFF);
}

// Blends the colour over a destination pixel with an effective alpha of 1..255, keeping the
// destination's own transparency: the result alpha is the union of both coverages, and the
// colour's weight is its share of that union (255 over a transparent pixel).
uint32_t OverBlend(const uint32_t dest, const Color& color, const int alpha)
{
    const int destAlpha = Channel(dest, 24);
    const int outAlpha = destAlpha + ((255 - destAlpha) * alpha) / 255;
    const int weight = (alpha * 255) / outAlpha;
    const auto mix = [&](const int shift, const int colorChannel) {
        return (Channel(dest, shift) * (256 - weight) + colorChannel * weight) >> 8;
    };
    return PackPixel(outAlpha, mix(16, color.mRed), mix(8, color.mGreen), mix(0, color.mBlue));
}

struct Pixels {
    uint32_t* mBits;
    int mWidth;
    int mHeight;

    bool Contains(const int x, const int y) const { return x >= 0 && x < mWidth && y >= 0 && y < mHeight; }
    uint32_t& At(const int x, const int y) const
    {
        return mBits[static_cast<size_t>(y) * static_cast<size_t>(mWidth) + static_cast<size_t>(x)];
    }
};

// Half-open range [mBegin, mEnd) of one axis.
struct Range {
    int mBegin;
    int mEnd;
};

// The part of [start, start + length) that also lies in [low, high); empty when they miss.
// Computed in 64 bits so that rectangles near the int limits do not overflow.
Range ClipRange(const int start, const int length, const int64_t low, const int64_t high)
{
    const int64_t begin = std::max<int64_t>(start, low);
    const int64_t end = std::min<int64_t>(static_cast<int64_t>(start) + length, high);
    if (end <= begin)
        return Range{0, 0};
    return Range{static_cast<int>(begin), static_cast<int>(end)};
}

// Calls write(pixel) for every pixel of rect that lies inside the image.
template <typename Write>
void ForEachPixel(const Pixels& pixels, const Rect& rect, const Write& write)
{
    const Range columns = ClipRange(rect.mX, rect.mWidth, 0, pixels.mWidth);
    const Range rows = ClipRange(rect.mY, rect.mHeight, 0, pixels.mHeight);
    for (int y = rows.mBegin; y < rows.mEnd; ++y) {
        for (int x = columns.mBegin; x < columns.mEnd; ++x)
            write(pixels.At(x, y));
    }
}

// A line with equal y or equal x ends is a one-pixel-thick rectangle covering both ends.
// Returns false for every other line.
bool FillAxisLine(MemoryImage& image, const double x1, const double y1, const double x2, const double y2,
                  const Color& color, const int drawMode)
{
    if (y1 == y2) {
        const int left = static_cast<int>(std::min(x1, x2));
        const int right = static_cast<int>(std::max(x1, x2));
        image.FillRect(Rect(left, static_cast<int>(y1), right - left + 1, 1), color, drawMode);
        return true;
    }
    if (x1 == x2) {
        const int top = static_cast<int>(std::min(y1, y2));
        const int bottom = static_cast<int>(std::max(y1, y2));
        image.FillRect(Rect(static_cast<int>(x1), top, 1, bottom - top + 1), color, drawMode);
        return true;
    }
    return false;
}

// Integer error stepping of a sloped line, calling plot(pixel) for each pixel of the line
// inside the image. The walk runs along the major axis from the end with the smaller major
// coordinate, so the major step is always +1 and only the minor step has a sign.
template <typename Plot>
void WalkLine(const Pixels& pixels, const double x1, const double y1, const double x2, const double y2,
              const Plot& plot)
{
    const bool yMajor = std::abs(x2 - x1) <= std::abs(y2 - y1);
    double majorStart = yMajor ? y1 : x1;
    double minorStart = yMajor ? x1 : y1;
    double majorEnd = yMajor ? y2 : x2;
    double minorEnd = yMajor ? x2 : y2;
    if (majorStart > majorEnd) {
        std::swap(majorStart, majorEnd);
        std::swap(minorStart, minorEnd);
    }
    const int minorStep = minorEnd < minorStart ? -1 : 1;
    const double minorLength = std::abs(minorEnd - minorStart);
    const double majorLength = majorEnd - majorStart;
    const double minorLow = std::min(minorStart, minorEnd);
    const double minorHigh = std::max(minorStart, minorEnd);
    const int majorExtent = yMajor ? pixels.mHeight : pixels.mWidth;
    const int minorExtent = yMajor ? pixels.mWidth : pixels.mHeight;

    const auto put = [&](const int major, const int minor) {
        const int x = yMajor ? minor : major;
        const int y = yMajor ? major : minor;
        if (pixels.Contains(x, y))
            plot(pixels.At(x, y));
    };

    int major = static_cast<int>(majorStart);
    int minor = static_cast<int>(minorStart);
    put(major, minor);
    int error = static_cast<int>(2.0 * minorLength - majorLength);
    const int straightIncrement = static_cast<int>(2.0 * minorLength);
    const int diagonalIncrement = static_cast<int>(2.0 * (minorLength - majorLength));
    for (int counter = static_cast<int>(majorStart + 1.0); counter <= majorEnd; ++counter) {
        ++major;
        if (error > 0) {
            minor += minorStep;
            if (minor < minorLow || minor > minorHigh)
                return;
            error += diagonalIncrement;
        } else {
            error += straightIncrement;
        }
        // Both coordinates only move one way, so once past the image's far side on either
        // axis no later pixel can land in it.
        if (major >= majorExtent || (minorStep > 0 ? minor >= minorExtent : minor < 0))
            return;
        put(major, minor);
    }
}

// Opaque result over anything: the colour weighted by its alpha plus the destination
// weighted by the rest, with the colour scaled by 255/256 as in the premultiplied path.
void NormalDrawLine(const Pixels& pixels, const double x1, const double y1, const double x2, const double y2,
                    const Color& color)
{
    const int alpha = color.mAlpha;
    if (alpha == 255) {
        const auto scale = [](const int channel) { return (channel * 255 + 127) >> 8; };
        const uint32_t value = PackPixel(255, scale(color.mRed), scale(color.mGreen), scale(color.mBlue));
        WalkLine(pixels, x1, y1, x2, y2, [value](uint32_t& pixel) { pixel = value; });
        return;
    }
    const auto premultiply = [alpha](const int channel) {
        const int premultiplied = (channel * alpha + 128) >> 8;
        return (premultiplied * 255 + 127) >> 8;
    };
    const int red = premultiply(color.mRed);
    const int green = premultiply(color.mGreen);
    const int blue = premultiply(color.mBlue);
    const auto blend = [alpha](const uint32_t dest, const int shift, const int channel) {
        return ((Channel(dest, shift) * (256 - alpha) + 127) >> 8) + channel;
    };
    WalkLine(pixels, x1, y1, x2, y2, [&](uint32_t& pixel) {
        pixel = PackPixel(255, blend(pixel, 16, red), blend(pixel, 8, green), blend(pixel, 0, blue));
    });
}

void AdditiveDrawLine(const Pixels& pixels, const uint8_t* saturation, const double x1, const double y1,
                      const double x2, const double y2, const Color& color)
{
    // Clamped so that a destination channel plus the addition stays inside the 512-entry
    // saturation table whatever the colour holds.
    const int alpha = std::clamp(color.mAlpha, 0, 255);
    const auto addition = [alpha](const int channel) { return std::clamp(channel, 0, 255) * alpha / 255; };
    const int red = addition(color.mRed);
    const int green = addition(color.mGreen);
    const int blue = addition(color.mBlue);
    WalkLine(pixels, x1, y1, x2, y2, [&](uint32_t& pixel) {
        pixel = PackPixel(255, saturation[Channel(pixel, 16) + red], saturation[Channel(pixel, 8) + green],
                          saturation[Channel(pixel, 0) + blue]);
    });
}

// Wu-style line: a 16-bit fraction tracks how far the line has drifted across the minor
// axis; each step splits one pixel's worth of coverage between the pixel on the line and
// its neighbour on the minor side.
void NormalDrawLineAA(const Pixels& pixels, double x1, double y1, double x2, double y2, const Color& color)
{
    int ix1 = static_cast<int>(x1);
    int iy1 = static_cast<int>(y1);
    int ix2 = static_cast<int>(x2);
    int iy2 = static_cast<int>(y2);
    if (iy1 > iy2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
        std::swap(ix1, ix2);
        std::swap(iy1, iy2);
    }
    int xLength = ix2 - ix1;
    const int yLength = iy2 - iy1;
    double xDiff = x2 - x1;
    const double yDiff = y2 - y1;
    int xStep = 1;
    if (xLength < 0) {
        xLength = -xLength;
        xDiff = -xDiff;
        xStep = -1;
    }

    const auto cover = [&](const int x, const int y, const int coverage) {
        if (!pixels.Contains(x, y))
            return;
        // A start fraction that rounds up to 1, or a step against the walk when both ends
        // share a row or column, can push the coverage just outside a byte.
        const int clamped = std::clamp(coverage, 0, 255);
        // For an opaque colour this is the coverage itself.
        const int alpha = (clamped * (color.mAlpha + 1)) >> 8;
        if (alpha > 0) {
            uint32_t& pixel = pixels.At(x, y);
            pixel = OverBlend(pixel, color, alpha);
        }
    };

    int fraction = static_cast<int>(std::lround(std::abs(x1 - ix1) * std::abs(y1 - iy1) * 65536.0));
    int x = ix1;
    int y = iy1;
    cover(x, y, 255 - (fraction >> 8));
    // A step is computed only when the walk takes one, that is when the major length is 2
    // or more, which keeps the ratio of the differences below 2.
    if (xLength < yLength) {
        if (yLength > 1) {
            const int step = static_cast<int>(std::lround(65536.0 * (xDiff / yDiff)));
            for (int i = 1; i < yLength; ++i) {
                fraction += step;
                if (fraction > 0xFFFF) {
                    fraction &= 0xFFFF;
                    x += xStep;
                }
                ++y;
                cover(x, y, 255 - (fraction >> 8));
                cover(x + xStep, y, fraction >> 8);
            }
        }
    } else if (xLength > 1) {
        const int step = static_cast<int>(std::lround(65536.0 * (yDiff / xDiff)));
        for (int i = 1; i < xLength; ++i) {
            fraction += step;
            if (fraction > 0xFFFF) {
                fraction &= 0xFFFF;
                ++y;
            }
            x += xStep;
            cover(x, y, 255 - (fraction >> 8));
            cover(x, y + 1, fraction >> 8);
        }
    }
    cover(ix2, iy2, 255 - (fraction >> 8));
}

} // namespace

void MemoryImage::FillRect(const Rect& rect, const Color& color, const int drawMode)
{
    // A MemoryImage fills in normal mode whatever the draw mode says.
    uint32_t* const bits = GetBits();
    if (bits != nullptr) {
        const Pixels pixels{bits, mWidth, mHeight};
        if (color.mAlpha == 255) {
            const uint32_t value = color.ToInt();
            ForEachPixel(pixels, rect, [value](uint32_t& pixel) { pixel = value; });
        } else if (color.mAlpha > 0) {
            ForEachPixel(pixels, rect,
                         [&color](uint32_t& pixel) { pixel = OverBlend(pixel, color, color.mAlpha); });
        }
    }
    BitsChanged();
}

void MemoryImage::ClearRect(const Rect& rect)
{
    uint32_t* const bits = GetBits();
    if (bits != nullptr)
        ForEachPixel(Pixels{bits, mWidth, mHeight}, rect, [](uint32_t& pixel) { pixel = 0; });
    BitsChanged();
}

void MemoryImage::FillScanLinesWithCoverage(Span* spans, const int count, const Color& color, const int drawMode,
                                            const uint8_t* coverage, const int coverX, const int coverY,
                                            const int coverWidth, const int coverHeight)
{
    uint32_t* const bits = GetBits();
    if (bits != nullptr && coverage != nullptr && coverWidth > 0) {
        const Pixels pixels{bits, mWidth, mHeight};
        for (int i = 0; i < count; ++i) {
            const Span& span = spans[i];
            // Only the pixels inside both the image and the coverage map are drawn.
            const int64_t row = static_cast<int64_t>(span.mY) - coverY;
            if (span.mY < 0 || span.mY >= mHeight || row < 0 || row >= coverHeight)
                continue;
            const Range columns = ClipRange(span.mX, span.mWidth, std::max<int64_t>(0, coverX),
                                            std::min<int64_t>(mWidth, static_cast<int64_t>(coverX) + coverWidth));
            const int64_t rowStart = row * coverWidth - coverX;
            for (int x = columns.mBegin; x < columns.mEnd; ++x) {
                const int alpha = (color.mAlpha * (coverage[rowStart + x] + 1)) >> 8;
                if (alpha > 0) {
                    uint32_t& pixel = pixels.At(x, span.mY);
                    pixel = OverBlend(pixel, color, alpha);
                }
            }
        }
    }
    BitsChanged();
}

void MemoryImage::DrawLine(const double x1, const double y1, const double x2, const double y2, const Color& color,
                           const int drawMode)
{
    const bool usable = IsUsableLine(x1, y1, x2, y2);
    if (usable && FillAxisLine(*this, x1, y1, x2, y2, color, drawMode))
        return;
    uint32_t* const bits = GetBits();
    if (usable && bits != nullptr) {
        const Pixels pixels{bits, mWidth, mHeight};
        if (drawMode == DRAWMODE_NORMAL) {
            NormalDrawLine(pixels, x1, y1, x2, y2, color);
        } else if (drawMode == DRAWMODE_ADDITIVE) {
            const uint8_t* const saturation =
                mApp != nullptr ? mApp->GetSaturationTable() : DefaultSaturationTable();
            AdditiveDrawLine(pixels, saturation, x1, y1, x2, y2, color);
        }
    }
    BitsChanged();
}

void MemoryImage::DrawLineAA(const double x1, const double y1, const double x2, const double y2,
                             const Color& color, const int drawMode)
{
    const bool usable = IsUsableLine(x1, y1, x2, y2);
    if (usable && FillAxisLine(*this, x1, y1, x2, y2, color, drawMode))
        return;
    uint32_t* const bits = GetBits();
    if (usable && bits != nullptr && drawMode == DRAWMODE_NORMAL)
        NormalDrawLineAA(Pixels{bits, mWidth, mHeight}, x1, y1, x2, y2, color);
    BitsChanged();
}

} // namespace Zest
