// The rotated blit of a display image: on its locked surface, or in software.
//
// On the surface every destination pixel inside the turned picture's box is mapped back to
// a position in the source rectangle, stepped along the row in signed 16.16 fixed point,
// and sampled bilinearly: the four source pixels around that position are weighted by their
// share and by their alpha, which gives a premultiplied colour and its coverage in one pass.
// The position of a pixel is that of its centre, so that at angle 0 and a whole-number
// position each destination pixel takes exactly one source pixel, and quarter turns land on
// whole pixels. Pixels whose four neighbours all lie in the source rectangle are sampled
// without tests; along the picture's edge a neighbour outside the rectangle counts as fully
// transparent, so the edge columns and rows are drawn (blended in at a sub-pixel position)
// instead of dropped. On the AVX2 path the inner pixels of an ARGB source are sampled eight
// at a time (RotateSamplesAvx2.cpp), to the same numbers.

#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "framework/directx/RotateSamplesAvx2.h"
#include "framework/directx/SurfacePixels.h"
#include "framework/graphics/BlendAvx2.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/RowSteps.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <type_traits>

namespace Zest {

namespace {

using namespace SurfacePixels;

// The forms work on fields of 1 to 8 bits, as 16-bit and 8-8-8 surfaces have.
bool FitsForms(const Surface& surface)
{
    return std::all_of(surface.mChannels.begin(), surface.mChannels.end(),
                       [](const Channel& channel) { return channel.mBitCount >= 1 && channel.mBitCount <= 8; });
}

// A colour component as the forms use it: 0 to 255.
uint32_t Component(const int value) { return static_cast<uint32_t>(std::clamp(value, 0, 255)); }

// The channel fields of the surface, copied into a form so that its per-pixel work keeps
// them in registers instead of reading the surface again after every pixel it writes.
struct Fields {
    explicit Fields(const Surface& surface)
    {
        for (size_t c = 0; c < 3; ++c) {
            mMasks[c] = surface.mMasks[c];
            mShifts[c] = surface.mChannels[c].mShift;
            mBitCounts[c] = surface.mChannels[c].mBitCount;
            mMaximums[c] = mMasks[c] >> mShifts[c];
        }
    }

    // Channel c of a surface pixel, and a channel value put in its place, saturating at the
    // channel's maximum rather than spilling into the next channel.
    uint32_t ChannelOf(const size_t c, const uint32_t pixel) const { return (pixel & mMasks[c]) >> mShifts[c]; }
    uint32_t Place(const size_t c, const uint32_t value) const
    {
        return std::min(value, mMaximums[c]) << mShifts[c];
    }

    Masks mMasks{};
    std::array<int32_t, 3> mShifts{};
    std::array<int32_t, 3> mBitCounts{};
    std::array<uint32_t, 3> mMaximums{};
};

// The bilinear sample at one position: the channel sums of the four neighbours, each
// weighted by its share times its alpha (at most 255 x 255), and the total weight, the
// sample's coverage (0 to 255).
struct Sample {
    // Red, green, blue.
    std::array<uint32_t, 3> mSums{};
    uint32_t mCoverage = 0;
};

// ARGB pixels of the source, counted from the source rectangle's top-left corner.
struct ArgbSource {
    const uint32_t* mPixels;
    ptrdiff_t mOrigin;
    ptrdiff_t mStride;

    uint32_t At(const int64_t i, const int64_t j) const { return mPixels[mOrigin + j * mStride + i]; }
};

// A palettised source: each byte selects one of 256 ARGB entries.
struct PaletteSource {
    const uint8_t* mIndices;
    const uint32_t* mTable;
    ptrdiff_t mOrigin;
    ptrdiff_t mStride;

    uint32_t At(const int64_t i, const int64_t j) const { return mTable[mIndices[mOrigin + j * mStride + i]]; }
};

// The pixels of the source rectangle that lie in the source image, in rectangle
// coordinates: columns mLeft .. mRight - 1, rows mTop .. mBottom - 1.
struct Window {
    int64_t mLeft = 0;
    int64_t mTop = 0;
    int64_t mRight = 0;
    int64_t mBottom = 0;

    bool Holds(const int64_t i, const int64_t j) const { return i >= mLeft && i < mRight && j >= mTop && j < mBottom; }
};

// Samples at the 16.16 position (u, v). alphaScale scales every weight by alphaScale / 256
// (the tint's alpha in the coloured form, 256 elsewhere). Guarded, neighbours outside the
// window count as transparent; unguarded, all four must lie inside it.
template <bool Guarded, typename Source>
Sample SampleAt(const Source& source, const Window& window, const int64_t u, const int64_t v,
                const uint32_t alphaScale)
{
    const int64_t i = u >> 16;
    const int64_t j = v >> 16;
    uint32_t pixels[4];
    if constexpr (Guarded) {
        pixels[0] = window.Holds(i, j) ? source.At(i, j) : 0;
        pixels[1] = window.Holds(i + 1, j) ? source.At(i + 1, j) : 0;
        pixels[2] = window.Holds(i, j + 1) ? source.At(i, j + 1) : 0;
        pixels[3] = window.Holds(i + 1, j + 1) ? source.At(i + 1, j + 1) : 0;
    } else {
        pixels[0] = source.At(i, j);
        pixels[1] = source.At(i + 1, j);
        pixels[2] = source.At(i, j + 1);
        pixels[3] = source.At(i + 1, j + 1);
    }
    // The fractions as odd numbers 1 .. 65535, so that no share is ever a full 65536.
    const uint32_t fu = (static_cast<uint32_t>(u) & 0xFFFE) + 1;
    const uint32_t fv = (static_cast<uint32_t>(v) & 0xFFFE) + 1;
    const uint32_t shares[4] = {((65536 - fu) * (65536 - fv)) >> 16, (fu * (65536 - fv)) >> 16,
                                ((65536 - fu) * fv) >> 16, (fu * fv) >> 16};
    Sample sample;
    for (int k = 0; k < 4; ++k) {
        const uint32_t pixel = pixels[k];
        const uint32_t weight = (((shares[k] * (pixel >> 24)) >> 16) * alphaScale) >> 8;
        sample.mSums[0] += ((pixel >> 16) & 0xFF) * weight;
        sample.mSums[1] += ((pixel >> 8) & 0xFF) * weight;
        sample.mSums[2] += (pixel & 0xFF) * weight;
        sample.mCoverage += weight;
    }
    return sample;
}

// What is left of a destination field under a sample of coverage 256 - inv: d x inv / 256;
// the packed 16-bit forms keep it in 1/32 steps.
struct FineKeep {
    static uint32_t Keep(const uint32_t d, const uint32_t inv) { return (d * inv) >> 8; }
};
struct CoarseKeep {
    static uint32_t Keep(const uint32_t d, const uint32_t inv) { return (d * (inv >> 3)) >> 5; }
};

// Normal mode, untinted: the premultiplied sample over the destination.
template <typename Keep>
struct PlainForm {
    Fields mFields;

    uint32_t AlphaScale() const { return 256; }

    uint32_t operator()(const uint32_t pixel, const Sample& s) const
    {
        const uint32_t inv = 256 - s.mCoverage;
        const auto channel = [&](const size_t c) {
            const uint32_t sample = s.mSums[c] >> (16 - mFields.mBitCounts[c]);
            return mFields.Place(c, sample + Keep::Keep(mFields.ChannelOf(c, pixel), inv));
        };
        return channel(0) | channel(1) | channel(2);
    }
};

// Normal mode, tinted: the weights carry the tint's alpha, the sums its components (blue
// is brought to 8 bits before it is scaled).
struct ColouredForm {
    Fields mFields;
    std::array<uint32_t, 3> mTint;
    uint32_t mAlpha;

    uint32_t AlphaScale() const { return mAlpha; }

    uint32_t operator()(const uint32_t pixel, const Sample& s) const
    {
        const uint32_t inv = 256 - s.mCoverage;
        const auto channel = [&](const size_t c) {
            const int32_t bits = mFields.mBitCounts[c];
            const uint32_t sample = c < 2 ? (s.mSums[c] * (mTint[c] + 1)) >> (24 - bits)
                                          : ((s.mSums[c] >> 8) * (mTint[c] + 1)) >> (16 - bits);
            return mFields.Place(c, sample + FineKeep::Keep(mFields.ChannelOf(c, pixel), inv));
        };
        return channel(0) | channel(1) | channel(2);
    }
};

// Additive: the sample, scaled by the tint premultiplied by its alpha (red is brought to
// the channel's width before it is scaled), added to the destination with saturation.
struct AdditiveForm {
    const Surface& mSurface;
    Weights mTint;

    uint32_t AlphaScale() const { return 256; }

    uint32_t operator()(const uint32_t pixel, const Sample& s) const
    {
        Weights addends{};
        for (size_t c = 0; c < 3; ++c) {
            const int32_t bits = mSurface.mChannels[c].mBitCount;
            addends[c] = c == 0 ? ((s.mSums[c] >> (16 - bits)) * mTint[c]) >> 8
                                : (s.mSums[c] * mTint[c]) >> (24 - bits);
        }
        return AddChannels(mSurface, pixel, addends);
    }
};

// The surface pixels to fill and how they map back into the source rectangle. Destination
// pixel (X, Y) samples at u = mU0 + X mCos - Y mSin, v = mV0 + X mSin + Y mCos.
struct RotatedJob {
    int mLeft = 0;
    int mTop = 0;
    int mRight = 0;
    int mBottom = 0;
    double mCos = 0;
    double mSin = 0;
    double mU0 = 0;
    double mV0 = 0;
    Window mWindow;
};

// Draws steps first .. last of a run of an ARGB source's inner pixels, sampled eight at a
// time on the AVX2 path, in blocks; returns the first step it left to the one-pixel loop.
template <typename Pixel, typename Form>
int64_t DrawSampledByAvx2(Pixel* const row, const ArgbSource& source, const Window& window, const Form& form,
                          const int64_t u, const int64_t v, const int64_t du, const int64_t dv, const int64_t first,
                          const int64_t last)
{
    constexpr int64_t kLargest = 32767;
    if (Blend::ActiveRowPath() != Blend::RowPath::Avx2 || window.mRight > kLargest || window.mBottom > kLargest ||
        source.mStride > kLargest || std::abs(source.mOrigin) > kLargest * kLargest)
        return first;
    constexpr int kBlock = 64;
    uint32_t red[kBlock];
    uint32_t green[kBlock];
    uint32_t blue[kBlock];
    uint32_t coverage[kBlock];
    const RotateSamples::Columns columns{red, green, blue, coverage};
    int64_t k = first;
    while (k <= last) {
        const int wanted = static_cast<int>(std::min<int64_t>(kBlock, last - k + 1));
        const int64_t from = k - first;
        const int sampled = RotateSamples::SampleRowAvx2(
            source.mPixels, static_cast<int>(source.mOrigin), static_cast<int>(source.mStride), u + from * du,
            v + from * dv, du, dv, form.AlphaScale(), wanted, columns);
        for (int n = 0; n < sampled; ++n) {
            Sample sample;
            sample.mSums = {red[n], green[n], blue[n]};
            sample.mCoverage = coverage[n];
            Pixel& pixel = row[k + n];
            pixel = static_cast<Pixel>(form(pixel, sample));
        }
        k += sampled;
        if (sampled < wanted)
            break;
    }
    return k;
}

template <bool Guarded, typename Pixel, typename Source, typename Form>
void DrawRun(Pixel* const row, const Source& source, const Window& window, const Form& form, int64_t u, int64_t v,
             const int64_t du, const int64_t dv, int64_t first, const int64_t last)
{
    if constexpr (!Guarded && std::is_same_v<Source, ArgbSource>) {
        const int64_t next = DrawSampledByAvx2(row, source, window, form, u, v, du, dv, first, last);
        u += (next - first) * du;
        v += (next - first) * dv;
        first = next;
    }
    const uint32_t alphaScale = form.AlphaScale();
    for (int64_t k = first; k <= last; ++k, u += du, v += dv) {
        Pixel& pixel = row[k];
        pixel = static_cast<Pixel>(form(pixel, SampleAt<Guarded>(source, window, u, v, alphaScale)));
    }
}

template <typename Pixel, typename Source, typename Form>
void DrawRotatedRows(const Surface& surface, const RotatedJob& job, const Source& source, const Form& form)
{
    const int64_t du = static_cast<int32_t>(job.mCos * 65536.0);
    const int64_t dv = static_cast<int32_t>(job.mSin * 65536.0);
    const Window& w = job.mWindow;
    const int right = std::min(job.mRight, surface.mWidth);
    const int bottom = std::min(job.mBottom, surface.mHeight);
    for (int y = job.mTop; y < bottom; ++y) {
        const auto u = static_cast<int64_t>((job.mU0 + job.mLeft * job.mCos - y * job.mSin) * 65536.0);
        const auto v = static_cast<int64_t>((job.mV0 + job.mLeft * job.mSin + y * job.mCos) * 65536.0);
        const SampledRow steps(right - job.mLeft, u, v, du, dv, w.mLeft, w.mTop, w.mRight, w.mBottom);
        Pixel* const row = surface.Row<Pixel>(y) + job.mLeft;
        steps.VisitParts([&](const auto guarded, const int64_t first, const int64_t last) {
            DrawRun<decltype(guarded)::value, Pixel>(row, source, w, form, u + first * du, v + first * dv, du, dv,
                                                     first, last);
        });
    }
}

// Draws with the form that the draw mode, the colour and the surface's layout select.
template <typename Pixel, typename Source>
void DrawRotated(const Surface& surface, const RotatedJob& job, const Source& source, const Color& color,
                 const int drawMode)
{
    if (!FitsForms(surface))
        return;
    const uint32_t alpha = Component(color.mAlpha);
    if (drawMode != DRAWMODE_NORMAL) {
        const Weights tint{Component(color.mRed) * alpha / 255, Component(color.mGreen) * alpha / 255,
                           Component(color.mBlue) * alpha / 255};
        DrawRotatedRows<Pixel>(surface, job, source, AdditiveForm{surface, tint});
    } else if (color != Color::White) {
        const std::array<uint32_t, 3> tint{Component(color.mRed), Component(color.mGreen), Component(color.mBlue)};
        DrawRotatedRows<Pixel>(surface, job, source, ColouredForm{Fields(surface), tint, alpha});
    } else if (sizeof(Pixel) == 2 && gDisplayRGBOrdered && PackedFields(surface.mMasks[1]) != 0) {
        DrawRotatedRows<Pixel>(surface, job, source, PlainForm<CoarseKeep>{Fields(surface)});
    } else {
        DrawRotatedRows<Pixel>(surface, job, source, PlainForm<FineKeep>{Fields(surface)});
    }
}

} // namespace

void DDImage::BltRotated(Image* src, const float x, const float y, const Rect& srcRect, const Rect& clip,
                         const Color& color, const int drawMode, const double angle, const float centreX,
                         const float centreY)
{
    if (src == nullptr)
        return;
    src->mDrawn = true;
    // The screen on a video-memory back surface takes no rotated drawing at all.
    if (mLockDisabled)
        return;
    CommitBits();
    // The 3D screen is drawn by the Direct3D renderer, which does not exist yet.
    if (Check3D())
        return;
    if (mHasAlpha || mHasTrans || mDDInterface->mIs3D) {
        if (HasSoftwarePixels())
            MemoryImage::BltRotated(src, x, y, srcRect, clip, color, drawMode, angle, centreX, centreY);
        return;
    }

    DoubleRect box;
    if (!BltRotatedClipHelper(x, y, srcRect, clip.Intersection(Rect(0, 0, mWidth, mHeight)), angle, centreX,
                              centreY, &box))
        return;
    auto* const source = dynamic_cast<MemoryImage*>(src);
    if (source == nullptr) {
        DropMemoryCopies();
        return;
    }
    source->CommitBits();
    const bool palettised = source->mColorTable != nullptr && source->mColorIndices != nullptr;
    const uint32_t* const argb = palettised ? nullptr : source->GetBits();
    if (!palettised && argb == nullptr)
        return;

    // Every pixel the box touches; the box lies inside the clip, which lies inside the image.
    RotatedJob job;
    job.mLeft = std::max(0, static_cast<int>(std::floor(box.mX)));
    job.mTop = std::max(0, static_cast<int>(std::floor(box.mY)));
    job.mRight = static_cast<int>(std::ceil(box.mX + box.mWidth));
    job.mBottom = static_cast<int>(std::ceil(box.mY + box.mHeight));
    job.mCos = std::cos(angle);
    job.mSin = std::sin(angle);
    // The centre of pixel (X, Y) lies at (X + 0.5, Y + 0.5); turned back about the rotation
    // centre it lands in the source rectangle, where pixel centres lie at whole numbers plus
    // 0.5. The 0.5 terms are folded into the position of pixel (0, 0).
    const double ex = 0.5 - x - centreX;
    const double ey = 0.5 - y - centreY;
    job.mU0 = centreX + ex * job.mCos - ey * job.mSin - 0.5;
    job.mV0 = centreY + ex * job.mSin + ey * job.mCos - 0.5;
    job.mWindow = {std::max<int64_t>(0, -int64_t{srcRect.mX}), std::max<int64_t>(0, -int64_t{srcRect.mY}),
                   std::min<int64_t>(srcRect.mWidth, int64_t{source->mWidth} - srcRect.mX),
                   std::min<int64_t>(srcRect.mHeight, int64_t{source->mHeight} - srcRect.mY)};
    const ptrdiff_t origin = ptrdiff_t{srcRect.mY} * source->mWidth + srcRect.mX;

    // A failed lock draws nothing and leaves the memory copies alone.
    bool locked = false;
    DrawLocked(*this, [&](const Surface& surface, const auto tag) {
        using Pixel = typename decltype(tag)::Pixel;
        locked = true;
        if (palettised)
            DrawRotated<Pixel>(surface, job,
                               PaletteSource{source->mColorIndices, source->mColorTable, origin, source->mWidth},
                               color, drawMode);
        else
            DrawRotated<Pixel>(surface, job, ArgbSource{argb, origin, source->mWidth}, color, drawMode);
    });
    if (locked)
        DeleteExtraBuffers();
}

} // namespace Zest
