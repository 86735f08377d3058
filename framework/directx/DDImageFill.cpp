// Fills, lines and coverage spans drawn straight into a display image's locked surface.
//
// The drawing context has clipped every rectangle and end point to the image already; the
// routines still cut what they are handed to the surface, so that no caller can make them
// write past a row or past the last row.

#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "framework/directx/SurfacePixels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace Zest {

using namespace SurfacePixels;

namespace {

// Σ over the channels of ((c × M) >> 8) & M: the colour in the surface's layout, each
// component truncated.
uint32_t SurfaceColor(const Color& color, const Masks& masks)
{
    const Weights components = Components(color);
    uint32_t value = 0;
    for (size_t c = 0; c < masks.size(); ++c)
        value += ((components[c] * masks[c]) >> 8) & masks[c];
    return value;
}

Rect ClipToSurface(const Rect& rect, const Surface& surface)
{
    return rect.Intersection(Rect(0, 0, surface.mWidth, surface.mHeight));
}

// Replaces every pixel of the area by op(pixel).
template <typename Pixel, typename Op>
void ForEachPixel(const Surface& surface, const Rect& area, const Op& op)
{
    for (int y = area.mY; y < area.mY + area.mHeight; ++y) {
        Pixel* const row = surface.Row<Pixel>(y);
        for (int x = area.mX; x < area.mX + area.mWidth; ++x)
            row[x] = static_cast<Pixel>(op(row[x]));
    }
}

// Whether every end point truncates to a pixel of the surface; the line routines convert
// the end points to whole pixels and walk between them.
bool EndPointsInside(const Surface& surface, const double x1, const double y1, const double x2, const double y2)
{
    const auto inside = [](const double value, const int size) { return value > -1.0 && value < size; };
    return inside(x1, surface.mWidth) && inside(x2, surface.mWidth) && inside(y1, surface.mHeight) &&
           inside(y2, surface.mHeight);
}

int Trunc(const double value) { return static_cast<int>(value); }

// The plain line along its major axis a, with the minor axis b following by the midpoint
// rule: plot(a, b) for each pixel. The start pixel is the truncated start point; the line
// ends with the last whole a that does not pass the end, or early when a step of b would
// leave the end points' bounding box.
template <typename Plot>
void WalkMajorAxis(double a1, double b1, double a2, double b2, const Plot& plot)
{
    const double minA = std::min(a1, a2);
    const double maxA = std::max(a1, a2);
    const double minB = std::min(b1, b2);
    const double maxB = std::max(b1, b2);
    double da = a2 - a1;
    double db = b2 - b1;
    if (da < 0) {
        std::swap(a1, a2);
        std::swap(b1, b2);
        da = -da;
        db = -db;
    }
    int bStep = 1;
    if (db < 0) {
        bStep = -1;
        db = -db;
    }
    plot(Trunc(a1), Trunc(b1));
    const int incE = Trunc(2.0 * db);
    const int incNE = Trunc(2.0 * (db - da));
    int err = Trunc((b1 - Trunc(b1)) * incE + Trunc(2.0 * db - da));
    int b = Trunc(b1);
    for (int a = Trunc(a1 + 1.0); a <= a2; ++a) {
        if (err > 0) {
            b += bStep;
            err += incNE;
            if (a < minA || b < minB || a > maxA || b > maxB)
                return;
        } else {
            err += incE;
        }
        plot(a, b);
    }
}

// The plain line: x-major when |dx| > |dy|, otherwise y-major.
template <typename Plot>
void WalkLine(const double x1, const double y1, const double x2, const double y2, const Plot& plot)
{
    if (std::abs(x2 - x1) > std::abs(y2 - y1))
        WalkMajorAxis(x1, y1, x2, y2, [&](const int x, const int y) { plot(x, y); });
    else
        WalkMajorAxis(y1, x1, y2, x2, [&](const int y, const int x) { plot(x, y); });
}

template <typename Pixel, typename Op>
void DrawPlainLine(const Surface& surface, const double x1, const double y1, const double x2, const double y2,
                   const Op& op)
{
    if (!EndPointsInside(surface, x1, y1, x2, y2))
        return;
    WalkLine(x1, y1, x2, y2, [&](const int x, const int y) {
        Pixel& pixel = surface.Row<Pixel>(y)[x];
        pixel = static_cast<Pixel>(op(pixel));
    });
}

// How a normal fill or plain line rounds. A colour component v becomes the field
// ((v + add) × M + part(M)) >> 8, v being c for an opaque colour and (c × a + alphaRounding)
// >> 8 for a blended one; the destination keeps (((d & M) × (256 − a) + part(M)) >> 8).
// Each routine has its own rounding, and it shows in the pixels.
struct Rounding {
    // What part of the mask is added to a product before the shift.
    enum class MaskPart { None, Half, Whole };

    uint32_t opaqueAdd;
    uint32_t blendAdd;
    uint32_t alphaRounding;
    MaskPart scalePart;
    MaskPart keptPart;

    static uint32_t Part(const uint32_t mask, const MaskPart part)
    {
        return part == MaskPart::Whole ? mask : part == MaskPart::Half ? mask >> 1 : 0;
    }
};

// The 16-bit fill adds 1 to each component, so that 255 fills the field; the 32-bit one
// gives c - 1 for an opaque component.
constexpr Rounding kFillRounding16{1, 1, 128, Rounding::MaskPart::None, Rounding::MaskPart::Whole};
constexpr Rounding kFillRounding32{0, 1, 127, Rounding::MaskPart::None, Rounding::MaskPart::None};
constexpr Rounding kLineRounding{0, 0, 128, Rounding::MaskPart::Half, Rounding::MaskPart::Half};

// The colour over the destination with the routine's rounding: draw(op) applies op(d) to
// every pixel that the routine covers. The colour parts are worked out once.
template <typename Draw>
void DrawNormalColor(const Surface& surface, const Color& color, const Rounding& rounding, const Draw& draw)
{
    const Masks& masks = surface.mMasks;
    const Weights components = Components(color);
    const auto alpha = static_cast<uint32_t>(color.mAlpha);
    const auto field = [&](const uint32_t value, const uint32_t mask) {
        return ((value * mask + Rounding::Part(mask, rounding.scalePart)) >> 8) & mask;
    };
    if (alpha == 255) {
        uint32_t value = 0;
        for (size_t c = 0; c < masks.size(); ++c)
            value += field(components[c] + rounding.opaqueAdd, masks[c]);
        draw([value](uint32_t) { return value; });
        return;
    }
    uint32_t added = 0;
    for (size_t c = 0; c < masks.size(); ++c)
        added += field(((components[c] * alpha + rounding.alphaRounding) >> 8) + rounding.blendAdd, masks[c]);
    draw([&](const uint32_t d) {
        uint32_t kept = 0;
        for (const uint32_t mask : masks)
            kept += (((d & mask) * (256 - alpha) + Rounding::Part(mask, rounding.keptPart)) >> 8) & mask;
        return kept + added;
    });
}

// Per channel k = trunc(c × a / 255) cut to the channel's width: what additive drawing adds.
Weights AdditiveAddends(const Surface& surface, const Color& color)
{
    const Weights components = Components(color);
    const auto alpha = static_cast<uint32_t>(color.mAlpha);
    Weights addends{};
    for (size_t c = 0; c < addends.size(); ++c)
        addends[c] = ((components[c] * alpha) / 255) >> (8 - surface.mChannels[c].mBitCount);
    return addends;
}

// The step of the 16.16 accumulator along the major axis: the minor difference over the
// major one. A fractional end point can make the minor difference negative although the
// whole end points do not differ along it; the accumulator then stays put, since a negative
// step would wrap it round and move the line a whole pixel at every step.
uint32_t Gradient(const double minor, const double major)
{
    return static_cast<uint32_t>(std::max(0, Trunc(65536.0 * (minor / major))));
}

// The antialiased line in the manner of Wu, down the surface: each step draws the pixel on
// the line with the accumulator's weight and its companion (below for an x-major line, one
// column on for a y-major one) with the rest. blend(d, a) mixes the colour into d with a
// out of 256. Pixels outside the surface, companions included, are not drawn.
template <typename Pixel, typename Blend>
void DrawWuLine(const Surface& surface, double x1, double y1, double x2, double y2, const uint32_t alpha,
                const Blend& blend)
{
    const auto plot = [&](const int x, const int y, const uint32_t weight) {
        if (!surface.Contains(x, y))
            return;
        Pixel& pixel = surface.Row<Pixel>(y)[x];
        pixel = static_cast<Pixel>(blend(pixel, (weight * (alpha + 1)) >> 8));
    };
    if (Trunc(y1) > Trunc(y2)) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const int startX = Trunc(x1);
    const int startY = Trunc(y1);
    const int endX = Trunc(x2);
    const int endY = Trunc(y2);
    int columns = endX - startX;
    const int rows = endY - startY;
    double dx = x2 - x1;
    const double dy = y2 - y1;
    int xStep = 1;
    if (columns < 0) {
        xStep = -1;
        columns = -columns;
        dx = -dx;
    }
    auto err = static_cast<uint32_t>(std::abs(x1 - startX) * std::abs(y1 - startY) * 65536.0);
    const auto weight = [&err] { return 255 - ((err >> 8) & 255); };
    plot(startX, startY, weight());
    int x = startX;
    int y = startY;
    if (columns >= rows) {
        const uint32_t gradient = columns > 1 ? Gradient(dy, dx) : 0;
        for (int i = 1; i < columns; ++i) {
            err += gradient;
            if (err >= 65536) {
                err &= 65535;
                ++y;
            }
            x += xStep;
            const uint32_t w = weight();
            plot(x, y, w);
            plot(x, y + 1, 255 - w);
        }
    } else {
        const uint32_t gradient = rows > 1 ? Gradient(dx, dy) : 0;
        for (int i = 1; i < rows; ++i) {
            err += gradient;
            if (err >= 65536) {
                err &= 65535;
                x += xStep;
            }
            ++y;
            const uint32_t w = weight();
            plot(x, y, w);
            plot(x + xStep, y, 255 - w);
        }
    }
    plot(endX, endY, weight());
}

} // namespace

void DDImage::NormalFillRect(const Rect& rect, const Color& color)
{
    if (mLockDisabled)
        return;
    DrawLocked(*this, [&](const Surface& surface, const auto tag) {
        using Pixel = typename decltype(tag)::Pixel;
        const Rect area = ClipToSurface(rect, surface);
        DrawNormalColor(surface, color, sizeof(Pixel) == 2 ? kFillRounding16 : kFillRounding32,
                        [&](const auto& op) { ForEachPixel<Pixel>(surface, area, op); });
    });
}

void DDImage::AdditiveFillRect(const Rect& rect, const Color& color)
{
    if (mLockDisabled)
        return;
    DrawLocked(*this, [&](const Surface& surface, const auto tag) {
        using Pixel = typename decltype(tag)::Pixel;
        const Weights addends = AdditiveAddends(surface, color);
        ForEachPixel<Pixel>(surface, ClipToSurface(rect, surface),
                            [&](const uint32_t d) { return AddChannels(surface, d, addends); });
    });
}

void DDImage::NormalDrawLine(const double x1, const double y1, const double x2, const double y2, const Color& color)
{
    if (mLockDisabled)
        return;
    DrawLocked(*this, [&](const Surface& surface, const auto tag) {
        using Pixel = typename decltype(tag)::Pixel;
        DrawNormalColor(surface, color, kLineRounding,
                        [&](const auto& op) { DrawPlainLine<Pixel>(surface, x1, y1, x2, y2, op); });
    });
}

void DDImage::AdditiveDrawLine(const double x1, const double y1, const double x2, const double y2,
                               const Color& color)
{
    if (mLockDisabled)
        return;
    DrawLocked(*this, [&](const Surface& surface, const auto tag) {
        using Pixel = typename decltype(tag)::Pixel;
        const Weights addends = AdditiveAddends(surface, color);
        DrawPlainLine<Pixel>(surface, x1, y1, x2, y2,
                             [&](const uint32_t d) { return AddChannels(surface, d, addends); });
    });
}

void DDImage::NormalDrawLineAA(const double x1, const double y1, const double x2, const double y2,
                               const Color& color)
{
    DrawLocked(*this, [&](const Surface& surface, const auto tag) {
        using Pixel = typename decltype(tag)::Pixel;
        if (!EndPointsInside(surface, x1, y1, x2, y2))
            return;
        const uint32_t value = SurfaceColor(color, surface.mMasks);
        const auto alpha = static_cast<uint32_t>(color.mAlpha);
        if constexpr (sizeof(Pixel) == 4) {
            DrawWuLine<Pixel>(surface, x1, y1, x2, y2, alpha, [value](const uint32_t d, const uint32_t a) {
                return MixChannels(d, value, a, kMasks888);
            });
        } else if (const uint32_t packed = PackedFields(surface.mMasks[1]); packed != 0) {
            // Two multiplications for the three fields, at 5-bit weight precision.
            const uint32_t spreadValue = Spread(value, packed);
            DrawWuLine<Pixel>(surface, x1, y1, x2, y2, alpha, [=](const uint32_t d, const uint32_t a) {
                const uint32_t colorPart = ((spreadValue * (a >> 3)) >> 5) & packed;
                const uint32_t kept = ((Spread(d, packed) * ((256 - a) >> 3)) >> 5) & packed;
                return Fold(colorPart) + Fold(kept);
            });
        } else {
            const Masks& masks = surface.mMasks;
            DrawWuLine<Pixel>(surface, x1, y1, x2, y2, alpha,
                              [&](const uint32_t d, const uint32_t a) { return MixChannels(d, value, a, masks); });
        }
    });
}

void DDImage::AdditiveDrawLineAA(double, double, double, double, const Color&) {}

void DDImage::SurfaceFillScanLinesWithCoverage(Span* spans, const int count, const Color& color, int,
                                               const uint8_t* coverage, const int coverX, const int coverY,
                                               const int coverWidth, const int coverHeight)
{
    if (spans == nullptr || coverage == nullptr || count <= 0 || coverWidth <= 0)
        return;
    DrawLocked(*this, [&](const Surface& surface, const auto tag) {
        using Pixel = typename decltype(tag)::Pixel;
        const Masks& masks = surface.mMasks;
        const uint32_t value = SurfaceColor(color, masks);
        const auto alpha = static_cast<uint32_t>(color.mAlpha);
        // Only pixels inside both the surface and the coverage map are drawn.
        const Rect covered =
            Rect(0, 0, surface.mWidth, surface.mHeight).Intersection(Rect(coverX, coverY, coverWidth, coverHeight));
        for (int i = 0; i < count; ++i) {
            const Span& span = spans[i];
            const Rect area = Rect(span.mX, span.mY, span.mWidth, 1).Intersection(covered);
            if (area.mHeight == 0)
                continue;
            Pixel* const row = surface.Row<Pixel>(area.mY);
            const uint8_t* cover =
                coverage + static_cast<ptrdiff_t>(area.mY - coverY) * coverWidth + (area.mX - coverX);
            for (int x = area.mX; x < area.mX + area.mWidth; ++x, ++cover) {
                const uint32_t a = ((*cover + 1u) * alpha) >> 8;
                row[x] = static_cast<Pixel>(MixChannels(row[x], value, a, masks));
            }
        }
    });
}

} // namespace Zest
