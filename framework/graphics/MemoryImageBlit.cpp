// Blits of one image into a MemoryImage's pixels: plain, mirrored, rotated (filtered) and
// stretched (nearest pixel or filtered), in normal or additive mode, tinted or not. Sources
// are read as ARGB pixels or through their palettised form, never past the source rectangle
// or the source image; writes stay inside the destination and the clip.

#include "framework/graphics/Blend.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/RowSteps.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

namespace Zest {
namespace {

// Pixels of a source held as ARGB words.
struct ArgbPixels {
    uint32_t operator[](const size_t index) const { return mWords[index]; }

    // count pixels from index onto to, to[0], to[step], to[2 x step], ...
    void CopyTo(const size_t index, const int count, uint32_t* const to, const ptrdiff_t step) const
    {
        // memmove: a source that is also the destination may overlap the pixels written.
        if (step == 1) {
            std::memmove(to, mWords + index, static_cast<size_t>(count) * sizeof(uint32_t));
            return;
        }
        for (int i = 0; i < count; ++i)
            to[i * step] = mWords[index + static_cast<size_t>(i)];
    }

    const uint32_t* mWords;
};

// Pixels of a palettised source: one byte per pixel indexing 256 ARGB entries.
struct PalettePixels {
    uint32_t operator[](const size_t index) const { return mTable[mIndices[index]]; }

    void CopyTo(const size_t index, const int count, uint32_t* const to, const ptrdiff_t step) const
    {
        for (int i = 0; i < count; ++i)
            to[i * step] = mTable[mIndices[index + static_cast<size_t>(i)]];
    }

    const uint8_t* mIndices;
    const uint32_t* mTable;
};

// Runs visit with the source's pixels in the form it holds. A palettised source is read
// through its palette, which leaves it palettised (GetBits would turn it back into ARGB
// words). Callers take the destination's pixels first, so that a source that is also the
// destination has already been turned into ARGB words.
template <typename Visit>
void VisitPixels(MemoryImage& source, Visit&& visit)
{
    if (source.mColorIndices != nullptr && source.mColorTable != nullptr)
        visit(PalettePixels{source.mColorIndices, source.mColorTable});
    else
        visit(ArgbPixels{source.GetBits()});
}

bool IsDrawMode(const int drawMode)
{
    return drawMode == DRAWMODE_NORMAL || drawMode == DRAWMODE_ADDITIVE;
}

const uint8_t* SaturationTable(const MemoryImage& image)
{
    return image.mApp != nullptr ? image.mApp->GetSaturationTable() : DefaultSaturationTable();
}

// How an untinted source meets the destination in normal mode.
enum class PlainBlend {
    Over,       // the over-blend
    OpaqueDest, // the destination is opaque: copy opaque pixels, blend the others keeping it opaque
    Filtered,   // the filtered stretch's own weighting
};

// Runs visit with the operation that puts a source pixel onto a destination pixel for this
// colour and draw mode (normal or additive).
template <typename Visit>
void VisitPixelOp(MemoryImage& source, const uint8_t* saturation, const Color& color, const int drawMode,
                  const PlainBlend plain, Visit&& visit)
{
    const bool untinted = color == Color::White;
    if (drawMode == DRAWMODE_ADDITIVE) {
        // Additive drawing scales by alpha only a source that has partly transparent pixels;
        // the flag is brought up to date first.
        source.CommitBits();
        if (untinted && source.mHasAlpha)
            visit(Blend::AddAlphaOp{saturation});
        else if (untinted)
            visit(Blend::AddOp{saturation});
        else if (source.mHasAlpha)
            visit(Blend::AddTintAlphaOp(color, saturation));
        else
            visit(Blend::AddTintOp(color, saturation));
        return;
    }
    if (!untinted) {
        if (color.mRed == color.mGreen && color.mRed == color.mBlue)
            visit(Blend::GreyTintOp(color));
        else
            visit(Blend::ColorTintOp(color));
        return;
    }
    switch (plain) {
    case PlainBlend::Over:
        visit(Blend::OverOp{});
        break;
    case PlainBlend::OpaqueDest:
        visit(Blend::OpaqueDestOp{});
        break;
    case PlainBlend::Filtered:
        visit(Blend::FilteredOverOp{});
        break;
    }
}

// ---------------------------------------------------------------------------------------
// Plain and mirrored blits

// A blit clipped to both images: source pixel (mSrcX + i, mSrcY + j), i < mWidth,
// j < mHeight, lands on destination row mDstY + j, at column mDstX + i, or mirrored at
// mDstX + mWidth - 1 - i.
struct BlitArea {
    int mSrcX = 0;
    int mSrcY = 0;
    int mDstX = 0;
    int mDstY = 0;
    int mWidth = 0;
    int mHeight = 0;
};

struct AxisClip {
    int mSrc = 0;
    int mDst = 0;
    int mLength = 0;
};

// Clips one axis of a blit of source pixels srcStart .. srcStart + length - 1 drawn from
// destination position pos; reversed, the source's first pixel lands on the last position.
// False when nothing is left.
bool ClipAxis(const int pos, const int srcStart, const int length, const int srcLimit, const int dstLimit,
              const bool reversed, AxisClip* const clipped)
{
    const int64_t p = pos;
    const int64_t s = srcStart;
    const int64_t n = length;
    // Pixels cut from the low and high ends of the source: those outside the source image,
    // and those landing outside the destination (the ends swap when reversed).
    const int64_t dstLow = std::max<int64_t>(0, -p);
    const int64_t dstHigh = std::max<int64_t>(0, p + n - dstLimit);
    const int64_t low = std::max({int64_t{0}, -s, reversed ? dstHigh : dstLow});
    const int64_t high = std::max({int64_t{0}, s + n - srcLimit, reversed ? dstLow : dstHigh});
    if (n - low - high <= 0)
        return false;
    clipped->mSrc = static_cast<int>(s + low);
    clipped->mDst = static_cast<int>(reversed ? p + high : p + low);
    clipped->mLength = static_cast<int>(n - low - high);
    return true;
}

bool ClipBlit(const MemoryImage& dest, const MemoryImage& source, const int x, const int y, const Rect& srcRect,
              const bool mirror, BlitArea* const area)
{
    AxisClip columns;
    AxisClip rows;
    if (!ClipAxis(x, srcRect.mX, srcRect.mWidth, source.mWidth, dest.mWidth, mirror, &columns) ||
        !ClipAxis(y, srcRect.mY, srcRect.mHeight, source.mHeight, dest.mHeight, false, &rows))
        return false;
    *area = {columns.mSrc, rows.mSrc, columns.mDst, rows.mDst, columns.mLength, rows.mLength};
    return true;
}

size_t RowStart(const int row, const int stride, const int column)
{
    return static_cast<size_t>(row) * static_cast<size_t>(stride) + static_cast<size_t>(column);
}

// The first destination pixel of a blit row: its leftmost, or its rightmost when mirrored.
uint32_t* DestRowStart(uint32_t* const dest, const int destStride, const BlitArea& area, const int j,
                       const bool mirror)
{
    return dest + RowStart(area.mDstY + j, destStride, area.mDstX + (mirror ? area.mWidth - 1 : 0));
}

// Puts count source pixels from index on onto to[0], to[step], to[2 x step], ...; a row of
// ARGB pixels drawn left to right goes through the operation's row form.
template <typename Pixels, typename Op>
void DrawRun(const Op& op, const Pixels& pixels, const size_t index, uint32_t* const to, const ptrdiff_t step,
             const int count)
{
    if constexpr (std::is_same_v<Pixels, ArgbPixels>) {
        if (step == 1) {
            Blend::ApplyRow(op, to, pixels.mWords + index, count);
            return;
        }
    }
    for (int k = 0; k < count; ++k)
        op(to[k * step], pixels[index + static_cast<size_t>(k)]);
}

// Untinted normal blit onto an opaque destination, run by run of the source's alpha
// run-length table: opaque runs are copied, transparent runs skipped, and partly
// transparent pixels blended with the destination kept opaque.
template <typename Pixels>
void RunLengthBlit(const Pixels& pixels, const uint8_t* const runs, const int srcStride, uint32_t* const dest,
                   const int destStride, const BlitArea& area, const bool mirror)
{
    const ptrdiff_t step = mirror ? -1 : 1;
    for (int j = 0; j < area.mHeight; ++j) {
        const size_t srcRow = RowStart(area.mSrcY + j, srcStride, area.mSrcX);
        uint32_t* const destRow = DestRowStart(dest, destStride, area, j, mirror);
        int i = 0;
        while (i < area.mWidth) {
            const size_t at = srcRow + static_cast<size_t>(i);
            const int run = std::min<int>(runs[at], area.mWidth - i);
            const uint32_t alpha = pixels[at] >> 24;
            uint32_t* const to = destRow + i * step;
            if (alpha == 255)
                pixels.CopyTo(at, run, to, step);
            else if (alpha != 0)
                DrawRun(Blend::TranslucentOntoOpaqueOp{}, pixels, at, to, step, run);
            i += run;
        }
    }
}

template <typename Pixels, typename Op>
void BlitRows(const Pixels& pixels, const int srcStride, uint32_t* const dest, const int destStride,
              const BlitArea& area, const bool mirror, const Op& op)
{
    for (int j = 0; j < area.mHeight; ++j) {
        DrawRun(op, pixels, RowStart(area.mSrcY + j, srcStride, area.mSrcX),
                DestRowStart(dest, destStride, area, j, mirror), mirror ? -1 : 1, area.mWidth);
    }
}

// ---------------------------------------------------------------------------------------
// Filtered rotated blits

// Source pixels a rotated blit may read, in source image coordinates: the source rectangle
// cut to the image. Pixels outside count as transparent black.
struct SourceWindow {
    int mLeft = 0;
    int mTop = 0;
    int mRight = 0;
    int mBottom = 0;
    int mStride = 0;
};

// Where a rotated blit samples: destination pixels mLeft .. mRight - 1 of rows mTop ..
// mBottom - 1; the centre of pixel (column, row) maps to the source position (u, v) with
// u = mU0 + column x mDuDx + row x mDuDy, and v likewise, in source pixels whose centres lie
// at whole numbers.
struct RotatedTarget {
    int mLeft = 0;
    int mTop = 0;
    int mRight = 0;
    int mBottom = 0;
    double mU0 = 0;
    double mV0 = 0;
    double mDuDx = 0;
    double mDvDx = 0;
    double mDuDy = 0;
    double mDvDy = 0;
};

template <typename Pixels>
uint32_t PixelOrClear(const Pixels& pixels, const SourceWindow& window, const int64_t column, const int64_t row)
{
    if (column < window.mLeft || column >= window.mRight || row < window.mTop || row >= window.mBottom)
        return 0;
    return pixels[RowStart(static_cast<int>(row), window.mStride, static_cast<int>(column))];
}

// The bilinear sample at the 16.16 source position (u, v): the four source pixels around
// it weighted by 8-bit fractions of the position. Guarded, pixels outside the window count
// as transparent black; unguarded, all four must lie inside it.
template <bool Guarded, bool ReadsAlpha, typename Pixels>
uint32_t RotatedSample(const Pixels& pixels, const SourceWindow& window, const int64_t u, const int64_t v)
{
    const int64_t i = u >> 16;
    const int64_t j = v >> 16;
    uint32_t p[4];
    if constexpr (Guarded) {
        p[0] = PixelOrClear(pixels, window, i, j);
        p[1] = PixelOrClear(pixels, window, i + 1, j);
        p[2] = PixelOrClear(pixels, window, i, j + 1);
        p[3] = PixelOrClear(pixels, window, i + 1, j + 1);
    } else {
        const size_t at = RowStart(static_cast<int>(j), window.mStride, static_cast<int>(i));
        const size_t below = at + static_cast<size_t>(window.mStride);
        p[0] = pixels[at];
        p[1] = pixels[at + 1];
        p[2] = pixels[below];
        p[3] = pixels[below + 1];
    }
    const auto fu = static_cast<uint32_t>((u >> 8) & 0xFF);
    const auto fv = static_cast<uint32_t>((v >> 8) & 0xFF);
    const uint32_t w[4] = {(256 - fu) * (256 - fv), fu * (256 - fv), (256 - fu) * fv, fu * fv};
    if constexpr (ReadsAlpha)
        return Blend::SampleByAlpha(p, w);
    else
        return Blend::WeightedColour(p, w);
}

// Bilinear sampling at the centre of each destination pixel. Each row is narrowed once to
// the pixels whose sample touches the window and, inside those, the pixels whose four
// neighbours all lie in it, which are sampled without tests. A row's samples are gathered
// first, then drawn as a row.
template <typename Pixels, typename Op>
void RotatedRows(const Pixels& pixels, const SourceWindow& window, uint32_t* const dest, const int destStride,
                 const RotatedTarget& target, const Op& op)
{
    constexpr double kOne = 65536.0;
    const auto du = static_cast<int64_t>(std::llround(target.mDuDx * kOne));
    const auto dv = static_cast<int64_t>(std::llround(target.mDvDx * kOne));
    std::vector<uint32_t> samples(static_cast<size_t>(target.mRight - target.mLeft));
    for (int row = target.mTop; row < target.mBottom; ++row) {
        const auto u = static_cast<int64_t>(
            std::llround((target.mU0 + target.mLeft * target.mDuDx + row * target.mDuDy) * kOne));
        const auto v = static_cast<int64_t>(
            std::llround((target.mV0 + target.mLeft * target.mDvDx + row * target.mDvDy) * kOne));
        const SampledRow steps(static_cast<int64_t>(samples.size()), u, v, du, dv, window.mLeft, window.mTop,
                               window.mRight, window.mBottom);
        if (steps.mOuter.Empty())
            continue;
        steps.VisitParts([&](const auto guarded, const int64_t first, const int64_t last) {
            int64_t k = first;
            if constexpr (!decltype(guarded)::value && Op::kReadsAlpha && std::is_same_v<Pixels, ArgbPixels>) {
                k += Blend::SampledByAvx2(pixels.mWords, window.mStride, window.mBottom, u + first * du,
                                          v + first * dv, du, dv, static_cast<int>(last - first + 1),
                                          samples.data() + first);
            }
            int64_t su = u + k * du;
            int64_t sv = v + k * dv;
            for (; k <= last; ++k, su += du, sv += dv) {
                samples[static_cast<size_t>(k)] =
                    RotatedSample<decltype(guarded)::value, Op::kReadsAlpha>(pixels, window, su, sv);
            }
        });
        const RowSteps& drawn = steps.mOuter;
        Blend::ApplyRow(op, dest + RowStart(row, destStride, target.mLeft + static_cast<int>(drawn.mFirst)),
                        samples.data() + drawn.mFirst, static_cast<int>(drawn.mLast - drawn.mFirst + 1));
    }
}

// ---------------------------------------------------------------------------------------
// Stretches

// The whole pixels under an area of one axis, [start, start + length), inside 0 .. limit - 1.
struct PixelSpan {
    int mFirst = 0;
    int mCount = 0;
};

PixelSpan CoveredPixels(const double start, const double length, const int limit)
{
    // An end that floating-point noise puts a hair past a pixel edge does not take in the
    // next pixel, which lies outside the source rectangle.
    constexpr double kNoise = 1e-9;
    const double first = std::max(std::floor(start), 0.0);
    const double end = std::min(std::ceil(start + length - kNoise), static_cast<double>(limit));
    if (!(end > first))
        return {};
    return {static_cast<int>(first), static_cast<int>(end - first)};
}

// The source pixel of each destination pixel of a nearest-pixel stretch: the position of
// the area's start plus the scale per pixel, truncated and kept under the area. Each position
// is computed afresh rather than summed, so that a position on an exact pixel boundary is
// not lost to accumulated rounding. Mirrored, the position runs over the flipped picture from
// the area's right end.
std::vector<int> NearestPixels(const double start, const double length, const int count, const PixelSpan& span,
                               const bool mirror)
{
    const int end = span.mFirst + span.mCount;
    const double origin = mirror ? end - (start + length) : start;
    const double low = mirror ? 0.0 : span.mFirst;
    const double high = low + span.mCount - 1;
    std::vector<int> pixels(static_cast<size_t>(count));
    for (int k = 0; k < count; ++k) {
        const double position = origin + k * length / count;
        int pixel = static_cast<int>(std::clamp(std::trunc(position), low, high));
        if (mirror)
            pixel = end - 1 - pixel;
        pixels[static_cast<size_t>(k)] = pixel;
    }
    return pixels;
}

// One weighted contribution of a source pixel (counted from the span's first) to an output
// cell of a filtered stretch.
struct Tap {
    int mPixel = 0;
    int mCell = 0;
    uint16_t mWeight = 0;
};

// The contributions that make the outCount cells of one axis of a filtered stretch from the
// pixels under an area, in weights of 1/unit, in the order of their cells. Enlarging, cell j
// interpolates between the two pixels around its position; shrinking, each pixel is shared
// between the one or two cells it overlaps, in proportion. Mirrored, positions run over the
// flipped picture.
std::vector<Tap> PlanAxis(const double start, const double length, const PixelSpan& span, const int outCount,
                          const uint32_t unit, const bool mirror)
{
    const int last = span.mCount - 1;
    const double offset = mirror ? (span.mFirst + span.mCount) - (start + length) : start - span.mFirst;
    std::vector<Tap> taps;
    // Cells are counted from 1 in the arithmetic; only cells 1 .. outCount are drawn.
    const auto add = [&](const int pixel, const double cell, const uint32_t weight) {
        if (cell >= 1.0 && cell < outCount + 1.0 && weight != 0)
            taps.push_back({mirror ? last - pixel : pixel, static_cast<int>(cell) - 1, static_cast<uint16_t>(weight)});
    };
    if (outCount >= length) {
        const double step = outCount == 1 ? length : (length - 1) / (outCount - 1);
        taps.reserve(static_cast<size_t>(outCount) * 2);
        for (int cell = 1; cell <= outCount; ++cell) {
            // Kept on the pixels under the area, so that the last position and its right
            // neighbour (and an area under one pixel long) read nothing beyond it.
            const double position = std::clamp((cell - 1) * step + offset, 0.0, static_cast<double>(last));
            const int pixel = static_cast<int>(position);
            const auto nearWeight = static_cast<uint32_t>((1.0 - (position - pixel)) * unit);
            add(pixel, cell, nearWeight);
            add(std::min(pixel + 1, last), cell, unit - nearWeight);
        }
    } else {
        const double scale = outCount / length;
        taps.reserve(static_cast<size_t>(span.mCount) * 2);
        for (int pixel = 0; pixel <= last; ++pixel) {
            const double from = 1.0 - offset * scale + pixel * scale;
            const double to = from + scale;
            const double fromCell = std::floor(from);
            const double toCell = std::floor(to);
            if (fromCell == toCell) {
                add(pixel, fromCell, static_cast<uint32_t>(scale * unit));
            } else {
                add(pixel, fromCell, static_cast<uint32_t>((toCell - from) * unit));
                add(pixel, toCell, static_cast<uint32_t>((to - toCell) * unit));
            }
        }
    }
    return taps;
}

// Horizontal pass of the filtered stretch: each source row becomes a row of cells of four
// 16-bit sums (blue, green, red, alpha), each at most 255 x 257. A cell's four sums are
// added as one 64-bit word: the source pixel's channels spread over the word's four 16-bit
// lanes, times a weight of at most 257, stay within their lanes, and so do the sums.
template <typename Pixels>
void FilterRows(const Pixels& pixels, const int stride, const PixelSpan& columns, const PixelSpan& rows,
                const std::vector<Tap>& taps, const size_t rowCells, std::vector<uint16_t>& cells)
{
    std::vector<uint64_t> spread(static_cast<size_t>(columns.mCount));
    for (int r = 0; r < rows.mCount; ++r) {
        const size_t rowStart = RowStart(rows.mFirst + r, stride, columns.mFirst);
        for (size_t i = 0; i < spread.size(); ++i) {
            const uint32_t p = pixels[rowStart + i];
            const uint16_t lanes[4] = {static_cast<uint16_t>(p & 0xFF), static_cast<uint16_t>((p >> 8) & 0xFF),
                                       static_cast<uint16_t>((p >> 16) & 0xFF), static_cast<uint16_t>(p >> 24)};
            std::memcpy(&spread[i], lanes, sizeof(lanes));
        }
        // The taps come in the order of their cells: each cell is summed in a register and
        // stored once.
        uint16_t* const row = cells.data() + static_cast<size_t>(r) * rowCells * 4;
        uint64_t sums = 0;
        int cell = taps.empty() ? 0 : taps.front().mCell;
        for (const Tap& tap : taps) {
            if (tap.mCell != cell) {
                std::memcpy(row + static_cast<size_t>(cell) * 4, &sums, sizeof(sums));
                sums = 0;
                cell = tap.mCell;
            }
            sums += spread[static_cast<size_t>(tap.mPixel)] * tap.mWeight;
        }
        if (!taps.empty())
            std::memcpy(row + static_cast<size_t>(cell) * 4, &sums, sizeof(sums));
    }
}

// The destination pixels of a rectangle that lie inside the destination image, counted
// from the rectangle's corner.
struct VisibleArea {
    int mLeft = 0;
    int mTop = 0;
    int mRight = 0;
    int mBottom = 0;
};

VisibleArea VisibleIn(const Rect& rect, const MemoryImage& dest)
{
    const int64_t x = rect.mX;
    const int64_t y = rect.mY;
    return {static_cast<int>(std::max<int64_t>(0, -x)), static_cast<int>(std::max<int64_t>(0, -y)),
            static_cast<int>(std::clamp<int64_t>(dest.mWidth - x, 0, rect.mWidth)),
            static_cast<int>(std::clamp<int64_t>(dest.mHeight - y, 0, rect.mHeight))};
}

} // namespace

// ---------------------------------------------------------------------------------------

void MemoryImage::Blt(Image* src, const int x, const int y, const Rect& srcRect, const Color& color,
                      const int drawMode)
{
    if (src == nullptr)
        return;
    src->mDrawn = true;
    if (drawMode == DRAWMODE_NORMAL)
        NormalBlt(src, x, y, srcRect, color);
    else if (drawMode == DRAWMODE_ADDITIVE)
        AdditiveBlt(src, x, y, srcRect, color);
}

void MemoryImage::BltMirror(Image* src, const int x, const int y, const Rect& srcRect, const Color& color,
                            const int drawMode)
{
    if (src == nullptr)
        return;
    src->mDrawn = true;
    if (drawMode == DRAWMODE_NORMAL)
        NormalBlt(src, x, y, srcRect, color, true);
    else if (drawMode == DRAWMODE_ADDITIVE)
        AdditiveBlt(src, x, y, srcRect, color, true);
}

void MemoryImage::NormalBlt(Image* src, const int x, const int y, const Rect& srcRect, const Color& color,
                            const bool mirror)
{
    auto* const source = dynamic_cast<MemoryImage*>(src);
    BlitArea area;
    if (source == nullptr || !ClipBlit(*this, *source, x, y, srcRect, mirror, &area))
        return;
    uint32_t* const dest = GetBits();
    if (color == Color::White && !mHasAlpha && !mHasTrans) {
        const uint8_t* const runs = source->GetRLAlphaData();
        VisitPixels(*source, [&](const auto& pixels) {
            RunLengthBlit(pixels, runs, source->mWidth, dest, mWidth, area, mirror);
        });
    } else {
        VisitPixelOp(*source, SaturationTable(*this), color, DRAWMODE_NORMAL, PlainBlend::Over, [&](const auto& op) {
            VisitPixels(*source, [&](const auto& pixels) {
                BlitRows(pixels, source->mWidth, dest, mWidth, area, mirror, op);
            });
        });
    }
    BitsChanged();
}

void MemoryImage::AdditiveBlt(Image* src, const int x, const int y, const Rect& srcRect, const Color& color,
                              const bool mirror)
{
    auto* const source = dynamic_cast<MemoryImage*>(src);
    BlitArea area;
    if (source == nullptr || !ClipBlit(*this, *source, x, y, srcRect, mirror, &area))
        return;
    uint32_t* const dest = GetBits();
    VisitPixelOp(*source, SaturationTable(*this), color, DRAWMODE_ADDITIVE, PlainBlend::Over, [&](const auto& op) {
        VisitPixels(*source, [&](const auto& pixels) {
            BlitRows(pixels, source->mWidth, dest, mWidth, area, mirror, op);
        });
    });
    BitsChanged();
}

void MemoryImage::BltAtFloat(Image* src, const float x, const float y, const Rect& srcRect, const Rect& clip,
                             const Color& color, const int drawMode)
{
    if (src == nullptr)
        return;
    src->mDrawn = true;
    BltRotated(src, x, y, srcRect, clip, color, drawMode, 0.0, 0.0f, 0.0f);
}

bool MemoryImage::BltRotatedClipHelper(const float x, const float y, const Rect& srcRect, const Rect& clip,
                                       const double angle, const float centreX, const float centreY,
                                       DoubleRect* const destArea)
{
    const float c = std::cos(static_cast<float>(angle));
    const float s = std::sin(static_cast<float>(angle));
    const float corners[4][2] = {{0.0f, 0.0f},
                                 {static_cast<float>(srcRect.mWidth), 0.0f},
                                 {0.0f, static_cast<float>(srcRect.mHeight)},
                                 {static_cast<float>(srcRect.mWidth), static_cast<float>(srcRect.mHeight)}};
    float left = 10000000.0f;
    float top = 10000000.0f;
    float right = -10000000.0f;
    float bottom = -10000000.0f;
    for (const auto& corner : corners) {
        const float qx = corner[0] - centreX;
        const float qy = corner[1] - centreY;
        const float px = x + centreX + c * qx + s * qy;
        const float py = y + centreY - s * qx + c * qy;
        left = std::min(left, px);
        right = std::max(right, px);
        top = std::min(top, py);
        bottom = std::max(bottom, py);
    }
    const DoubleRect box(left, top, static_cast<double>(right) - left, static_cast<double>(bottom) - top);
    *destArea = box.Intersection(DoubleRect(clip.mX, clip.mY, clip.mWidth, clip.mHeight));
    return destArea->mWidth > 0 && destArea->mHeight > 0;
}

void MemoryImage::BltRotated(Image* src, const float x, const float y, const Rect& srcRect, const Rect& clip,
                             const Color& color, const int drawMode, const double angle, const float centreX,
                             const float centreY)
{
    if (src == nullptr)
        return;
    src->mDrawn = true;
    auto* const source = dynamic_cast<MemoryImage*>(src);
    DoubleRect area;
    if (source == nullptr || !IsDrawMode(drawMode) ||
        !BltRotatedClipHelper(x, y, srcRect, clip, angle, centreX, centreY, &area))
        return;

    RotatedTarget target;
    const double width = mWidth;
    const double height = mHeight;
    target.mLeft = static_cast<int>(std::clamp(std::floor(area.mX), 0.0, width));
    target.mTop = static_cast<int>(std::clamp(std::floor(area.mY), 0.0, height));
    target.mRight = static_cast<int>(std::clamp(std::ceil(area.mX + area.mWidth), 0.0, width));
    target.mBottom = static_cast<int>(std::clamp(std::ceil(area.mY + area.mHeight), 0.0, height));
    SourceWindow window;
    window.mLeft = std::max(srcRect.mX, 0);
    window.mTop = std::max(srcRect.mY, 0);
    window.mRight = static_cast<int>(std::min<int64_t>(int64_t{srcRect.mX} + srcRect.mWidth, source->mWidth));
    window.mBottom = static_cast<int>(std::min<int64_t>(int64_t{srcRect.mY} + srcRect.mHeight, source->mHeight));
    window.mStride = source->mWidth;
    if (target.mLeft >= target.mRight || target.mTop >= target.mBottom || window.mLeft >= window.mRight ||
        window.mTop >= window.mBottom)
        return;

    // The inverse of the turn of BltRotatedClipHelper: the destination point e, taken from
    // (x + centreX, y + centreY), comes from the source point (c ex - s ey, s ex + c ey) +
    // the centre, counted from the source rectangle's corner. Pixel centres lie half a pixel
    // inside their pixels, so that at angle 0 and a whole-number position every
    // destination pixel samples exactly one source pixel.
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double ex = 0.5 - x - centreX;
    const double ey = 0.5 - y - centreY;
    target.mDuDx = c;
    target.mDvDx = s;
    target.mDuDy = -s;
    target.mDvDy = c;
    target.mU0 = c * ex - s * ey + centreX - 0.5 + srcRect.mX;
    target.mV0 = s * ex + c * ey + centreY - 0.5 + srcRect.mY;

    uint32_t* const dest = GetBits();
    const PlainBlend plain = !mHasAlpha && !mHasTrans ? PlainBlend::OpaqueDest : PlainBlend::Over;
    VisitPixelOp(*source, SaturationTable(*this), color, drawMode, plain, [&](const auto& op) {
        VisitPixels(*source, [&](const auto& pixels) { RotatedRows(pixels, window, dest, mWidth, target, op); });
    });
    BitsChanged();
}

bool MemoryImage::StretchBltClipHelper(const Rect& srcRect, const Rect& clip, const Rect& destRect,
                                       Rect* const clippedDest, DoubleRect* const srcArea)
{
    *clippedDest = clip.Intersection(destRect);
    if (destRect.mWidth <= 0 || destRect.mHeight <= 0) {
        *srcArea = DoubleRect();
        return false;
    }
    const double sx = static_cast<double>(srcRect.mWidth) / destRect.mWidth;
    const double sy = static_cast<double>(srcRect.mHeight) / destRect.mHeight;
    *srcArea = DoubleRect(srcRect.mX + (clippedDest->mX - destRect.mX) * sx,
                          srcRect.mY + (clippedDest->mY - destRect.mY) * sy,
                          srcRect.mWidth + (clippedDest->mWidth - destRect.mWidth) * sx,
                          srcRect.mHeight + (clippedDest->mHeight - destRect.mHeight) * sy);
    return srcArea->mWidth > 0 && srcArea->mHeight > 0;
}

bool MemoryImage::StretchBltMirrorClipHelper(const Rect& srcRect, const Rect& clip, const Rect& destRect,
                                             Rect* const clippedDest, DoubleRect* const srcArea)
{
    if (!StretchBltClipHelper(srcRect, clip, destRect, clippedDest, srcArea))
        return false;
    // A mirrored picture loses on its left what the destination loses on its right.
    const double sx = static_cast<double>(srcRect.mWidth) / destRect.mWidth;
    srcArea->mX = srcRect.mX + ((destRect.mX + destRect.mWidth) - (clippedDest->mX + clippedDest->mWidth)) * sx;
    return true;
}

void MemoryImage::StretchBlt(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                             const Color& color, const int drawMode, const bool fastStretch)
{
    if (src == nullptr)
        return;
    src->mDrawn = true;
    Rect clippedDest;
    DoubleRect srcArea;
    if (!StretchBltClipHelper(srcRect, clip.Intersection(Rect(0, 0, mWidth, mHeight)), destRect, &clippedDest,
                              &srcArea))
        return;
    if (fastStretch)
        FastStretchBlt(src, clippedDest, srcArea, color, drawMode);
    else
        SlowStretchBlt(src, clippedDest, srcArea, color, drawMode);
}

void MemoryImage::StretchBltMirror(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                                   const Color& color, const int drawMode, const bool fastStretch)
{
    if (src == nullptr)
        return;
    src->mDrawn = true;
    Rect clippedDest;
    DoubleRect srcArea;
    if (!StretchBltMirrorClipHelper(srcRect, clip.Intersection(Rect(0, 0, mWidth, mHeight)), destRect,
                                    &clippedDest, &srcArea))
        return;
    if (fastStretch)
        FastStretchBlt(src, clippedDest, srcArea, color, drawMode, true);
    else
        SlowStretchBlt(src, clippedDest, srcArea, color, drawMode, true);
}

void MemoryImage::FastStretchBlt(Image* src, const Rect& clippedDest, const DoubleRect& srcArea, const Color& color,
                                 const int drawMode, const bool mirror)
{
    auto* const source = dynamic_cast<MemoryImage*>(src);
    const VisibleArea visible = VisibleIn(clippedDest, *this);
    if (source == nullptr || !IsDrawMode(drawMode) || visible.mLeft >= visible.mRight ||
        visible.mTop >= visible.mBottom)
        return;
    const PixelSpan columns = CoveredPixels(srcArea.mX, srcArea.mWidth, source->mWidth);
    const PixelSpan rows = CoveredPixels(srcArea.mY, srcArea.mHeight, source->mHeight);
    if (columns.mCount < 1 || rows.mCount < 1)
        return;
    const std::vector<int> sourceColumns =
        NearestPixels(srcArea.mX, srcArea.mWidth, clippedDest.mWidth, columns, mirror);
    const std::vector<int> sourceRows = NearestPixels(srcArea.mY, srcArea.mHeight, clippedDest.mHeight, rows, false);

    // Each row's source pixels are gathered, then drawn as a row.
    uint32_t* const dest = GetBits();
    std::vector<uint32_t> rowPixels(static_cast<size_t>(visible.mRight - visible.mLeft));
    VisitPixelOp(*source, SaturationTable(*this), color, drawMode, PlainBlend::Over, [&](const auto& op) {
        VisitPixels(*source, [&](const auto& pixels) {
            const int* const columnsShown = sourceColumns.data() + visible.mLeft;
            for (int j = visible.mTop; j < visible.mBottom; ++j) {
                const size_t srcRow = RowStart(sourceRows[static_cast<size_t>(j)], source->mWidth, 0);
                for (size_t i = 0; i < rowPixels.size(); ++i)
                    rowPixels[i] = pixels[srcRow + static_cast<size_t>(columnsShown[i])];
                Blend::ApplyRow(op, dest + RowStart(clippedDest.mY + j, mWidth, clippedDest.mX + visible.mLeft),
                                rowPixels.data(), static_cast<int>(rowPixels.size()));
            }
        });
    });
    BitsChanged();
}

void MemoryImage::SlowStretchBlt(Image* src, const Rect& clippedDest, const DoubleRect& srcArea, const Color& color,
                                 const int drawMode, const bool mirror)
{
    auto* const source = dynamic_cast<MemoryImage*>(src);
    const VisibleArea visible = VisibleIn(clippedDest, *this);
    if (source == nullptr || !IsDrawMode(drawMode) || visible.mLeft >= visible.mRight ||
        visible.mTop >= visible.mBottom)
        return;
    const PixelSpan columns = CoveredPixels(srcArea.mX, srcArea.mWidth, source->mWidth);
    const PixelSpan rows = CoveredPixels(srcArea.mY, srcArea.mHeight, source->mHeight);
    if (columns.mCount < 1 || rows.mCount < 1)
        return;
    const int width = clippedDest.mWidth;
    const std::vector<Tap> across = PlanAxis(srcArea.mX, srcArea.mWidth, columns, width, 257, mirror);
    // Down the rows the taps come in the order of their output rows, so that each output row
    // is finished before the next and only one row of sums is kept.
    const std::vector<Tap> down = PlanAxis(srcArea.mY, srcArea.mHeight, rows, clippedDest.mHeight, 256, false);

    uint32_t* const dest = GetBits();
    const size_t rowCells = static_cast<size_t>(width);
    std::vector<uint16_t> sourceRowCells(static_cast<size_t>(rows.mCount) * rowCells * 4, 0);
    VisitPixels(*source, [&](const auto& pixels) {
        FilterRows(pixels, source->mWidth, columns, rows, across, rowCells, sourceRowCells);
    });

    // Each output cell sums rows of cells weighted in 1/256; its top 16 bits are the 8-bit
    // channel (the weights 257 x 256 bring 255 out as 255). A finished row becomes pixels,
    // drawn as a row.
    std::vector<uint32_t> outputRow(rowCells * 4);
    std::vector<uint32_t> rowPixels(static_cast<size_t>(visible.mRight - visible.mLeft));
    VisitPixelOp(*source, SaturationTable(*this), color, drawMode, PlainBlend::Filtered, [&](const auto& op) {
        auto tap = std::find_if(down.cbegin(), down.cend(), [&](const Tap& t) { return t.mCell >= visible.mTop; });
        for (int j = visible.mTop; j < visible.mBottom; ++j) {
            std::fill(outputRow.begin(), outputRow.end(), 0);
            for (; tap != down.cend() && tap->mCell == j; ++tap) {
                const uint16_t* const from = sourceRowCells.data() + static_cast<size_t>(tap->mPixel) * rowCells * 4;
                const uint16_t weight = tap->mWeight;
                for (size_t k = 0; k < rowCells * 4; ++k)
                    outputRow[k] += static_cast<uint32_t>(from[k]) * weight;
            }
            for (size_t i = 0; i < rowPixels.size(); ++i) {
                const uint32_t* const cell = outputRow.data() + (static_cast<size_t>(visible.mLeft) + i) * 4;
                rowPixels[i] =
                    ((cell[3] >> 16) << 24) | ((cell[2] >> 16) << 16) | ((cell[1] >> 16) << 8) | (cell[0] >> 16);
            }
            Blend::ApplyRow(op, dest + RowStart(clippedDest.mY + j, mWidth, clippedDest.mX + visible.mLeft),
                            rowPixels.data(), static_cast<int>(rowPixels.size()));
        }
    });
    BitsChanged();
}

} // namespace Zest
