// The stretched blits of a display image: on its locked surface, by DirectDraw, or in
// software.
//
// On the surface the stretch takes the nearest source pixel: source positions step in
// signed 16.16 fixed point through the source's native data (premultiplied by alpha and in
// the display's layout), one step a destination pixel and one a destination row. The
// filtered stretch is made in a temporary memory image and blitted from there.

#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "framework/directx/SurfacePixels.h"
#include "framework/graphics/Color.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace Zest {

using namespace DDraw;

namespace {

using namespace SurfacePixels;

// A memory image that can take the filtered stretch directly, with its source area in
// doubles.
class FilteredPicture : public MemoryImage {
public:
    using MemoryImage::MemoryImage;
    using MemoryImage::SlowStretchBlt;
};

// Normal, untinted: the premultiplied word plus what its alpha leaves of the destination.
// On a 32-bit surface the word's alpha lands in the top byte.
struct OverForm {
    const Surface& mSurface;

    template <typename Pixel>
    void operator()(Pixel& pixel, const uint32_t native) const
    {
        const uint32_t alpha = native >> 24;
        if (alpha != 0)
            pixel = static_cast<Pixel>(native + MixChannels(pixel, 256 - alpha, 0, mSurface.mMasks, {0, 0, 0}));
    }
};

// Normal, tinted: the word's channels scaled by the tint premultiplied by its alpha, over
// the destination by the word's alpha times the tint's.
struct TintForm {
    const Surface& mSurface;
    Weights mTint;
    uint32_t mAlpha;

    template <typename Pixel>
    void operator()(Pixel& pixel, const uint32_t native) const
    {
        const uint32_t alpha = (native >> 24) * mAlpha / 255;
        if (alpha != 0)
            pixel = static_cast<Pixel>(MixChannels(pixel, 256 - alpha, native, mSurface.mMasks, mTint));
    }
};

// Additive: the word's channels (tinted: scaled by the tint premultiplied by its alpha)
// added to the destination with saturation. A word of 0 adds nothing.
template <bool Tinted>
struct AddForm {
    const Surface& mSurface;
    Weights mTint{};

    template <typename Pixel>
    void operator()(Pixel& pixel, const uint32_t native) const
    {
        if (native == 0)
            return;
        Weights addends{};
        for (size_t c = 0; c < addends.size(); ++c) {
            const uint32_t e = (native & mSurface.mMasks[c]) >> mSurface.mChannels[c].mShift;
            addends[c] = Tinted ? (e * mTint[c]) >> 8 : e;
        }
        pixel = static_cast<Pixel>(AddChannels(mSurface, pixel, addends));
    }
};

// The native words of an ARGB source, one a pixel.
struct NativePixels {
    const uint32_t* mWords;
    ptrdiff_t mStride;

    uint32_t At(const int64_t column, const int64_t row) const { return mWords[row * mStride + column]; }
};

// A palettised source: each index byte selects one of 256 native words.
struct NativePalette {
    const uint8_t* mIndices;
    const uint32_t* mWords;
    ptrdiff_t mStride;

    uint32_t At(const int64_t column, const int64_t row) const { return mWords[mIndices[row * mStride + column]]; }
};

// The clipped destination and the 16.16 source positions of its first pixel and steps.
// Only columns mFirst .. mLast of the area (counted from the side where the first source
// column lands) and rows whose source row exists are drawn, so that nothing is read from
// outside the source image.
struct StretchJob {
    Rect mArea;
    bool mMirror = false;
    int64_t mU0 = 0;
    int64_t mV0 = 0;
    int64_t mDu = 0;
    int64_t mDv = 0;
    int64_t mFirst = 0;
    int64_t mLast = -1;
    int64_t mSourceHeight = 0;
};

template <typename Pixel, typename Source, typename Form>
void DrawStretchedRows(const Surface& surface, const StretchJob& job, const Source& source, const Form& form)
{
    const ptrdiff_t step = job.mMirror ? -1 : 1;
    const int startColumn = job.mMirror ? job.mArea.mX + job.mArea.mWidth - 1 : job.mArea.mX;
    int64_t v = job.mV0;
    for (int i = 0; i < job.mArea.mHeight; ++i, v += job.mDv) {
        const int64_t sourceRow = v >> 16;
        if (sourceRow < 0 || sourceRow >= job.mSourceHeight)
            continue;
        Pixel* const row = surface.Row<Pixel>(job.mArea.mY + i) + startColumn;
        int64_t u = job.mU0 + job.mFirst * job.mDu;
        for (int64_t k = job.mFirst; k <= job.mLast; ++k, u += job.mDu)
            form(row[k * step], source.At(u >> 16, sourceRow));
    }
}

uint32_t Component(const int value) { return static_cast<uint32_t>(std::clamp(value, 0, 255)); }

// Draws with the form that the draw mode and the colour select.
template <typename Pixel, typename Source>
void DrawStretched(const Surface& surface, const StretchJob& job, const Source& source, const Color& color,
                   const int drawMode)
{
    const uint32_t alpha = Component(color.mAlpha);
    const Weights tint{Component(color.mRed) * alpha / 255, Component(color.mGreen) * alpha / 255,
                       Component(color.mBlue) * alpha / 255};
    const bool white = color == Color::White;
    if (drawMode == DRAWMODE_NORMAL && white)
        DrawStretchedRows<Pixel>(surface, job, source, OverForm{surface});
    else if (drawMode == DRAWMODE_NORMAL)
        DrawStretchedRows<Pixel>(surface, job, source, TintForm{surface, tint, alpha});
    else if (white)
        DrawStretchedRows<Pixel>(surface, job, source, AddForm<false>{surface});
    else
        DrawStretchedRows<Pixel>(surface, job, source, AddForm<true>{surface, tint});
}

// The steps k of 0 .. count - 1 at which (start + k x step) >> 16 names one of the
// `limit` columns; step is not negative.
void ColumnsInSource(const int64_t start, const int64_t step, const int count, const int64_t limit,
                     StretchJob* const job)
{
    const int64_t low = 0;
    const int64_t high = limit * 0x10000 - 1;
    job->mFirst = 0;
    job->mLast = count - 1;
    if (step == 0) {
        if (start < low || start > high)
            job->mLast = -1;
        return;
    }
    if (start < low)
        job->mFirst = (low - start + step - 1) / step;
    job->mLast = high < start ? -1 : std::min<int64_t>(job->mLast, (high - start) / step);
}

// The nearest-pixel stretch of the source area `from` onto `area` of the image's locked
// surface; mirrored, the first source column lands in the area's rightmost column.
void SurfaceStretch(DDImage& image, Image* const src, const Rect& area, const DoubleRect& from, const Color& color,
                    const int drawMode, const bool mirror)
{
    auto* const source = dynamic_cast<MemoryImage*>(src);
    if (source == nullptr) {
        image.DropMemoryCopies();
        return;
    }
    source->CommitBits();
    const uint32_t* const native = source->GetNativeAlphaData(image.mDDInterface);
    if (native == nullptr)
        return;

    StretchJob job;
    job.mArea = area;
    job.mMirror = mirror;
    job.mU0 = static_cast<int64_t>(from.mX * 65536.0);
    job.mV0 = static_cast<int64_t>(from.mY * 65536.0);
    // Steps rounded up: a truncated step falls short of every exact column boundary (64 to
    // 96 pixels would repeat a column where the exact scale moves on), and the software
    // stretch takes the exact positions.
    job.mDu = static_cast<int64_t>(std::ceil(from.mWidth * 65536.0 / area.mWidth));
    job.mDv = static_cast<int64_t>(std::ceil(from.mHeight * 65536.0 / area.mHeight));
    job.mSourceHeight = source->mHeight;
    ColumnsInSource(job.mU0, job.mDu, area.mWidth, source->mWidth, &job);
    // A failed lock draws nothing and leaves the memory copies alone.
    bool locked = false;
    DrawLocked(image, [&](const Surface& surface, const auto tag) {
        using Pixel = typename decltype(tag)::Pixel;
        locked = true;
        if (source->mColorTable != nullptr && source->mColorIndices != nullptr)
            DrawStretched<Pixel>(surface, job, NativePalette{source->mColorIndices, native, source->mWidth}, color,
                                 drawMode);
        else
            DrawStretched<Pixel>(surface, job, NativePixels{native, source->mWidth}, color, drawMode);
    });
    if (locked)
        image.DeleteExtraBuffers();
}

// What both stretches do first: mark the source drawn, bring the destination's flags up
// to date, leave the 3D screen to the Direct3D renderer (which does not exist yet: nothing
// is drawn there), and clip. False when nothing is to be drawn.
bool StartStretch(DDImage& image, Image* const src, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                  const bool mirror, Rect* const area, DoubleRect* const from)
{
    if (src == nullptr)
        return false;
    src->mDrawn = true;
    image.CommitBits();
    if (image.Check3D())
        return false;
    const Rect bounds = clip.Intersection(Rect(0, 0, image.mWidth, image.mHeight));
    const bool visible = mirror ? MemoryImage::StretchBltMirrorClipHelper(srcRect, bounds, destRect, area, from)
                                : MemoryImage::StretchBltClipHelper(srcRect, bounds, destRect, area, from);
    return visible && area->mWidth > 0 && area->mHeight > 0;
}

// DirectDraw stretches the source's surface onto the image's, keying out the source's
// transparent pixels itself; the source rectangle is cut to whole pixels. A surface held
// locked by a caller is let go for the blit and taken again after it.
void HardwareStretch(DDImage& image, DDImage& source, const Rect& area, const DoubleRect& from)
{
    DDBLTFX effects{};
    effects.dwSize = sizeof(effects);
    const DWORD flags = DDBLT_WAIT | (source.mHasTrans ? DDBLT_KEYSRC : 0);
    RECT to = ToRECT(area);
    RECT fromRect{static_cast<LONG>(from.mX), static_cast<LONG>(from.mY), static_cast<LONG>(from.mX + from.mWidth),
                  static_cast<LONG>(from.mY + from.mHeight)};
    const bool held = image.mLockCount > 0;
    if (held)
        image.mSurface->Unlock(nullptr);
    image.mSurface->Blt(&to, source.mSurface, &fromRect, flags, &effects);
    if (held && image.mSurface->Lock(nullptr, &image.mLockedDesc, DDLOCK_WAIT, nullptr) != DD_OK)
        return;
    image.DeleteExtraBuffers();
}

} // namespace

void DDImage::StretchBlt(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip, const Color& color,
                         const int drawMode, const bool fastStretch)
{
    Rect area;
    DoubleRect from;
    if (!StartStretch(*this, src, destRect, srcRect, clip, false, &area, &from))
        return;
    if (!fastStretch) {
        if (mHasAlpha || mHasTrans || mDDInterface->mIs3D) {
            if (HasSoftwarePixels())
                MemoryImage::StretchBlt(src, destRect, srcRect, clip, color, drawMode, false);
            return;
        }
        // The filtered picture blends onto transparent black, then goes on as a plain blit.
        FilteredPicture picture(mApp);
        picture.Create(area.mWidth, area.mHeight);
        const Rect whole(0, 0, area.mWidth, area.mHeight);
        picture.SlowStretchBlt(src, whole, from);
        Blt(&picture, area.mX, area.mY, whole, color, drawMode);
        // Without a surface the pixels are still the only picture.
        DropMemoryCopies();
        return;
    }
    // A destination that cannot have a surface (partly transparent pixels) is drawn in
    // software instead of not at all.
    if (GetSurface() == nullptr) {
        if (HasSoftwarePixels())
            MemoryImage::StretchBlt(src, destRect, srcRect, clip, color, drawMode, true);
        return;
    }
    auto* const sourceImage = dynamic_cast<DDImage*>(src);
    if (sourceImage != nullptr && color == Color::White && drawMode == DRAWMODE_NORMAL && !sourceImage->mHasAlpha &&
        sourceImage->GetSurface() != nullptr) {
        HardwareStretch(*this, *sourceImage, area, from);
        return;
    }
    SurfaceStretch(*this, src, area, from, color, drawMode, false);
}

// Without the 3D renderer the mirrored stretch is always nearest-pixel, whatever the flag.
void DDImage::StretchBltMirror(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                               const Color& color, const int drawMode, const bool fastStretch)
{
    Rect area;
    DoubleRect from;
    if (!StartStretch(*this, src, destRect, srcRect, clip, true, &area, &from))
        return;
    if (GetSurface() == nullptr) {
        if (HasSoftwarePixels())
            MemoryImage::StretchBltMirror(src, destRect, srcRect, clip, color, drawMode, true);
        return;
    }
    SurfaceStretch(*this, src, area, from, color, drawMode, true);
}

} // namespace Zest
