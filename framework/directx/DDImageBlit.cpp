// Plain, tinted, additive and mirrored blits straight into a display image's locked surface.
//
// The blits read the source's caches in the display's layout: its premultiplied native
// words (for a palettised source a 256-entry table indexed by its colour indices) and the
// run-length tables, so that transparent runs are skipped and opaque runs copied whole. An
// untinted source without alpha that has a surface of its own is copied by DirectDraw. Only
// a volatile source, whose caches would be rebuilt at every change, is blended from its ARGB
// pixels.
//
// The drawing context has cut both rectangles to their images already; the blits still cut
// them to the surface and to the source, so that no caller can make them read or write
// outside either.

#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "framework/directx/SurfacePixels.h"

#include <algorithm>
#include <cstdint>

namespace Zest {

using namespace DDraw;
using namespace SurfacePixels;

namespace {

// Where a blit lands: destination position and source rectangle, both inside their images.
struct BlitArea {
    int mX;
    int mY;
    Rect mSource;
};

// Cuts the blit to the destination's and the source's size. A mirrored blit puts source
// column srcRect.x + i at destination column x + width - 1 - i, so a cut at one side of the
// source removes destination columns at the other side, and the other way round. False when
// nothing is left.
bool ClipBlit(const int destWidth, const int destHeight, const Image& source, const int x, const int y,
              const Rect& srcRect, const bool mirrored, BlitArea& area)
{
    int64_t destX = x;
    int64_t destY = y;
    int64_t left = srcRect.mX;
    int64_t top = srcRect.mY;
    int64_t width = srcRect.mWidth;
    int64_t height = srcRect.mHeight;
    // Columns cut from the source's left and right, then from the destination's.
    const int64_t sourceLeft = std::max<int64_t>(0, -left);
    left += sourceLeft;
    width -= sourceLeft;
    const int64_t sourceRight = std::max<int64_t>(0, left + width - source.mWidth);
    width -= sourceRight;
    destX += mirrored ? sourceRight : sourceLeft;
    const int64_t destLeft = std::max<int64_t>(0, -destX);
    destX += destLeft;
    width -= destLeft;
    const int64_t destRight = std::max<int64_t>(0, destX + width - destWidth);
    width -= destRight;
    left += mirrored ? destRight : destLeft;
    // Rows are never mirrored.
    const int64_t sourceTop = std::max<int64_t>(0, -top);
    top += sourceTop;
    height -= sourceTop;
    height -= std::max<int64_t>(0, top + height - source.mHeight);
    destY += sourceTop;
    const int64_t destTop = std::max<int64_t>(0, -destY);
    destY += destTop;
    top += destTop;
    height -= destTop;
    height -= std::max<int64_t>(0, destY + height - destHeight);
    if (width <= 0 || height <= 0)
        return false;
    area = {static_cast<int>(destX), static_cast<int>(destY),
            Rect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(width), static_cast<int>(height))};
    return true;
}

bool ClipBlit(const Surface& surface, const Image& source, const int x, const int y, const Rect& srcRect,
              const bool mirrored, BlitArea& area)
{
    return ClipBlit(surface.mWidth, surface.mHeight, source, x, y, srcRect, mirrored, area);
}

bool IsPalettised(const MemoryImage& image) { return image.mColorTable != nullptr && image.mColorIndices != nullptr; }

// The words of a source, one per pixel, rows mWidth apart.
struct DirectWords {
    const uint32_t* mWords;
    int mWidth;
    const uint32_t* Row(const int x, const int y) const
    {
        return mWords + static_cast<ptrdiff_t>(y) * mWidth + x;
    }
};

// The words of a palettised source: a 256-entry table at the pixel's colour index.
struct IndexedWords {
    const uint32_t* mTable;
    const uint8_t* mIndices;
    int mWidth;

    struct RowReader {
        const uint32_t* mTable;
        const uint8_t* mIndices;
        uint32_t operator[](const int i) const { return mTable[mIndices[i]]; }
    };
    RowReader Row(const int x, const int y) const
    {
        return {mTable, mIndices + static_cast<ptrdiff_t>(y) * mWidth + x};
    }
};

// Calls visit with the source's words (`words`: one per pixel, or the table of a palettised
// source), so that each loop is compiled for both forms.
template <typename Visit>
void VisitWords(const MemoryImage& source, const uint32_t* words, const Visit& visit)
{
    if (IsPalettised(source))
        visit(IndexedWords{words, source.mColorIndices, source.mWidth});
    else
        visit(DirectWords{words, source.mWidth});
}

// The blit's rows: visit(destination row, where source column i lands, source words of the
// row, run bytes of the row or null), with `step` +1, or -1 for a mirrored blit.
template <typename Pixel, typename Words, typename Visit>
void ForEachRow(const Surface& surface, const BlitArea& area, const Words& words, const uint8_t* runs,
                const int sourceWidth, const bool mirrored, const Visit& visit)
{
    const Rect& source = area.mSource;
    for (int row = 0; row < source.mHeight; ++row) {
        const int sourceY = source.mY + row;
        Pixel* const first = surface.Row<Pixel>(area.mY + row) + area.mX + (mirrored ? source.mWidth - 1 : 0);
        const uint8_t* const rowRuns =
            runs != nullptr ? runs + static_cast<ptrdiff_t>(sourceY) * sourceWidth + source.mX : nullptr;
        visit(first, words.Row(source.mX, sourceY), rowRuns);
    }
}

// Walks one row run by run: n = the run byte, cut to what is left of the row (never 0, so a
// damaged table cannot stall the walk); visitRun(start, n).
template <typename VisitRun>
void ForEachRun(const uint8_t* runs, const int width, const VisitRun& visitRun)
{
    for (int i = 0; i < width;) {
        const int n = std::min(std::max<int>(runs[i], 1), width - i);
        visitRun(i, n);
        i += n;
    }
}

// A tint colour's channel multipliers m = trunc(c × ca / 255), and its alpha.
struct Tint {
    explicit Tint(const Color& color)
        : mAlpha(static_cast<uint32_t>(color.mAlpha)),
          mWeights{static_cast<uint32_t>(color.mRed * color.mAlpha / 255),
                   static_cast<uint32_t>(color.mGreen * color.mAlpha / 255),
                   static_cast<uint32_t>(color.mBlue * color.mAlpha / 255)}
    {
    }
    bool IsGrey() const { return mWeights[0] == mWeights[1] && mWeights[1] == mWeights[2]; }

    uint32_t mAlpha;
    Weights mWeights;
};

uint32_t ScaleChannels(const uint32_t value, const Masks& masks, const Weights& weights)
{
    return MixChannels(0, 0, value, masks, weights);
}

// The ways a premultiplied native word s meets the destination pixel d. Opaque(s) is the
// pixel an opaque source pixel gives; Blend(d, s, f) keeps f out of 256 of d.

// Untinted on a packed 16-bit surface.
struct PackedOver {
    uint32_t mPacked;
    uint32_t Opaque(const uint32_t s) const { return s; }
    uint32_t Blend(const uint32_t d, const uint32_t s, const uint32_t f) const
    {
        return Fold(((Spread(d, mPacked) * (f >> 3)) >> 5) & mPacked) + (s & 0xFFFF);
    }
};

// Untinted on another 16-bit layout.
struct ChannelOver {
    Masks mMasks;
    uint32_t Opaque(const uint32_t s) const { return s; }
    uint32_t Blend(const uint32_t d, const uint32_t s, const uint32_t f) const
    {
        return ScaleChannels(d, mMasks, {f, f, f}) + (s & 0xFFFF);
    }
};

// Untinted on a 32-bit surface: the source's alpha stays in the top byte.
struct Over888 {
    uint32_t Opaque(const uint32_t s) const { return s; }
    uint32_t Blend(const uint32_t d, const uint32_t s, const uint32_t f) const
    {
        return ((((d & 0xFF00) * f) >> 8) & 0xFF00) + ((((d & 0xFF00FF) * f) >> 8) & 0xFF00FF) + s;
    }
};

// A grey tint on a packed 16-bit surface, at 5-bit weight precision.
struct PackedGreyTint {
    uint32_t mPacked;
    uint32_t mGreenMask;
    uint32_t mRedBlueMasks;
    uint32_t mWeight5;
    uint32_t SpreadSource(const uint32_t s) const { return ((s & mGreenMask) << 16) | (s & mRedBlueMasks); }
    uint32_t Opaque(const uint32_t s) const { return Fold(((SpreadSource(s) * mWeight5) >> 5) & mPacked); }
    uint32_t Blend(const uint32_t d, const uint32_t s, const uint32_t f) const
    {
        return Fold(((SpreadSource(s) * mWeight5 + Spread(d, mPacked) * (f >> 3)) >> 5) & mPacked);
    }
};

// A grey tint on a 32-bit surface.
struct GreyTint888 {
    uint32_t mWeight;
    uint32_t Opaque(const uint32_t s) const
    {
        return ((((s & 0xFF00FF) * mWeight) >> 8) & 0xFF00FF) + ((((s & 0xFF00) * mWeight) >> 8) & 0xFF00);
    }
    uint32_t Blend(const uint32_t d, const uint32_t s, const uint32_t f) const
    {
        return ((((d & 0xFF00FF) * f + (s & 0xFF00FF) * mWeight) >> 8) & 0xFF00FF) +
               ((((d & 0xFF00) * f + (s & 0xFF00) * mWeight) >> 8) & 0xFF00);
    }
};

// Any other tint, channel by channel with the surface's masks.
struct ChannelTint {
    Masks mMasks;
    Weights mWeights;
    uint32_t Opaque(const uint32_t s) const { return ScaleChannels(s, mMasks, mWeights); }
    uint32_t Blend(const uint32_t d, const uint32_t s, const uint32_t f) const
    {
        return MixChannels(d, f, s, mMasks, mWeights);
    }
};

// The alpha-run loop: transparent runs are skipped; opaque runs (with an opaque tint) take
// op.Opaque; every other pixel is blended with f = 256 - trunc(sA × ca / 255).
template <typename Pixel, typename Words, typename Op>
void BlendRuns(const Surface& surface, const BlitArea& area, const Words& words, const uint8_t* runs,
               const int sourceWidth, const uint32_t tintAlpha, const bool mirrored, const Op& op)
{
    const int step = mirrored ? -1 : 1;
    ForEachRow<Pixel>(surface, area, words, runs, sourceWidth, mirrored,
                      [&](Pixel* const dest, const auto& source, const uint8_t* const rowRuns) {
                          ForEachRun(rowRuns, area.mSource.mWidth, [&](const int start, const int n) {
                              const uint32_t alpha = source[start] >> 24;
                              if (alpha == 0)
                                  return;
                              if (alpha == 255 && tintAlpha == 255) {
                                  for (int i = start; i < start + n; ++i)
                                      dest[i * step] = static_cast<Pixel>(op.Opaque(source[i]));
                                  return;
                              }
                              for (int i = start; i < start + n; ++i) {
                                  const uint32_t s = source[i];
                                  const uint32_t f = 256 - ((s >> 24) * tintAlpha) / 255;
                                  Pixel& d = dest[i * step];
                                  d = static_cast<Pixel>(op.Blend(d, s, f));
                              }
                          });
                      });
}

// Picks the blend of the source's native words for the surface and the colour.
template <typename Pixel, typename Words>
void NormalRuns(const Surface& surface, const BlitArea& area, const Words& words, const uint8_t* runs,
                const int sourceWidth, const Color& color, const bool mirrored)
{
    const auto blendRuns = [&](const auto& op, const uint32_t tintAlpha) {
        BlendRuns<Pixel>(surface, area, words, runs, sourceWidth, tintAlpha, mirrored, op);
    };
    constexpr bool kThirtyTwo = sizeof(Pixel) == 4;
    const uint32_t packed = kThirtyTwo ? 0 : PackedFields(surface.mMasks[1]);
    if (color == Color::White) {
        if (kThirtyTwo)
            blendRuns(Over888{}, 255);
        else if (packed != 0)
            blendRuns(PackedOver{packed}, 255);
        else
            blendRuns(ChannelOver{surface.mMasks}, 255);
        return;
    }
    const Tint tint(color);
    if (kThirtyTwo && tint.IsGrey())
        blendRuns(GreyTint888{tint.mWeights[0]}, tint.mAlpha);
    else if (packed != 0 && tint.IsGrey())
        blendRuns(PackedGreyTint{packed, surface.mMasks[1], surface.mMasks[0] | surface.mMasks[2],
                                 tint.mWeights[0] >> 3},
                  tint.mAlpha);
    else
        blendRuns(ChannelTint{surface.mMasks, tint.mWeights}, tint.mAlpha);
}

// The alpha-run loop of a normal or mirrored blit from the source's native data.
void DrawAlphaRuns(DDImage& dest, MemoryImage& source, const int x, const int y, const Rect& srcRect,
                   const Color& color, const bool mirrored)
{
    DrawLocked(dest, [&](const Surface& surface, const auto tag) {
        using Pixel = typename decltype(tag)::Pixel;
        const uint32_t* const native = source.GetNativeAlphaData(dest.mDDInterface);
        const uint8_t* const runs = source.GetRLAlphaData();
        BlitArea area{};
        if (native == nullptr || runs == nullptr || !ClipBlit(surface, source, x, y, srcRect, mirrored, area))
            return;
        VisitWords(source, native, [&](const auto& words) {
            NormalRuns<Pixel>(surface, area, words, runs, source.mWidth, color, mirrored);
        });
    });
}

// An untinted source without partial alpha: its native words written as they are, but for
// its transparent pixels.
void CopyNativeWords(DDImage& dest, MemoryImage& source, const int x, const int y, const Rect& srcRect)
{
    DrawLocked(dest, [&](const Surface& surface, const auto tag) {
        using Pixel = typename decltype(tag)::Pixel;
        const uint32_t* const native = source.GetNativeAlphaData(dest.mDDInterface);
        BlitArea area{};
        if (native == nullptr || !ClipBlit(surface, source, x, y, srcRect, false, area))
            return;
        const bool skipTransparent = source.mHasTrans;
        VisitWords(source, native, [&](const auto& words) {
            ForEachRow<Pixel>(surface, area, words, nullptr, source.mWidth, false,
                              [&](Pixel* const row, const auto& sourceRow, const uint8_t*) {
                                  for (int i = 0; i < area.mSource.mWidth; ++i) {
                                      const uint32_t s = sourceRow[i];
                                      if (!skipTransparent || (s >> 24) != 0)
                                          row[i] = static_cast<Pixel>(s);
                                  }
                              });
        });
    });
}

// Copies from the source's surface by DirectDraw, which skips the source's colour key when it
// has transparent pixels. DirectDraw refuses a locked surface, so a lock that a caller holds
// on the destination is let go for the copy and taken again after it.
void CopyBySurface(DDImage& dest, DDImage& source, const int x, const int y, const Rect& srcRect)
{
    BlitArea area{};
    if (!ClipBlit(dest.mWidth, dest.mHeight, source, x, y, srcRect, false, area))
        return;
    IDirectDrawSurface* const target = dest.GetSurface();
    IDirectDrawSurface* const from = source.GetSurface();
    if (target == nullptr || from == nullptr)
        return;
    const bool held = dest.mLockCount > 0;
    if (held)
        target->Unlock(nullptr);
    DDBLTFX effects{};
    effects.dwSize = sizeof(effects);
    const Rect& part = area.mSource;
    RECT destRect = ToRECT(Rect(area.mX, area.mY, part.mWidth, part.mHeight));
    RECT sourceRect = ToRECT(part);
    target->Blt(&destRect, from, &sourceRect, DDBLT_WAIT | (source.mHasTrans ? DDBLT_KEYSRC : 0), &effects);
    if (held)
        target->Lock(nullptr, &dest.mLockedDesc, DDLOCK_WAIT, nullptr);
}

// The volatile case: s is the ARGB source pixel, sa its alpha, f = 256 - sa.
uint32_t SourceComponent(const uint32_t argb, const size_t channel) { return (argb >> (16 - 8 * channel)) & 0xFF; }

// 32-bit with the display's channels in order: red and blue moved together, then green,
// each by the difference to the destination, modulo 2^32.
struct OrderedOver888 {
    uint32_t operator()(const uint32_t d, const uint32_t s) const
    {
        const uint32_t alpha = s >> 24;
        return ((((((s & 0xFF00FF) - (d & 0xFF00FF)) * alpha) >> 8) + (d & 0xFF00FF)) & 0xFF00FF) |
               ((((((s & 0xFF00) - (d & 0xFF00)) * alpha) >> 8) + (d & 0xFF00)) & 0xFF00);
    }
};

// 16-bit with the display's channels in order: the ARGB word's top bits moved straight into
// the packed fields, blended with the top 5 bits of alpha.
template <bool kGreenSixBits>
struct OrderedPackedOver {
    uint32_t mPacked;
    uint32_t operator()(const uint32_t d, const uint32_t s) const
    {
        const uint32_t spreadSource = kGreenSixBits
                                          ? ((s & 0xFC00) << 11) + ((s >> 3) & 0x1F) + ((s >> 8) & 0xF800)
                                          : ((s >> 3) & 0x1F) + ((s >> 9) & 0x7C00) + ((s & 0xF800) << 10);
        const uint32_t spreadDest = Spread(d, mPacked);
        return Fold(((((spreadSource - spreadDest) * (s >> 27)) >> 5) + spreadDest) & mPacked);
    }
};

// Any other layout, channel by channel, rounding at half the field.
template <typename Pixel>
struct ChannelVolatileOver {
    Masks mMasks;
    uint32_t operator()(const uint32_t d, const uint32_t s) const
    {
        const uint32_t alpha = s >> 24;
        uint32_t result = 0;
        for (size_t c = 0; c < mMasks.size(); ++c) {
            const uint32_t mask = mMasks[c];
            const uint32_t component = SourceComponent(s, c);
            // The 16-bit form scales the mask before the shift, the 32-bit one the component.
            const uint32_t source = sizeof(Pixel) == 2 ? (component * alpha * mask) >> 8
                                                       : ((component * alpha) >> 8) * mask;
            result += (((d & mask) * (256 - alpha) + source + (mask >> 1)) >> 8) & mask;
        }
        return result;
    }
};

template <typename Pixel, typename Words, typename Op>
void BlendArgbRows(const Surface& surface, const BlitArea& area, const Words& words, const Op& op)
{
    ForEachRow<Pixel>(surface, area, words, nullptr, 0, false,
                      [&](Pixel* const row, const auto& source, const uint8_t*) {
                          for (int i = 0; i < area.mSource.mWidth; ++i)
                              row[i] = static_cast<Pixel>(op(row[i], source[i]));
                      });
}

void BlendVolatile(DDImage& dest, MemoryImage& source, const int x, const int y, const Rect& srcRect)
{
    DrawLocked(dest, [&](const Surface& surface, const auto tag) {
        using Pixel = typename decltype(tag)::Pixel;
        const uint32_t* const argb = IsPalettised(source) ? source.mColorTable : source.GetBits();
        BlitArea area{};
        if (argb == nullptr || !ClipBlit(surface, source, x, y, srcRect, false, area))
            return;
        const uint32_t packed = PackedFields(surface.mMasks[1]);
        VisitWords(source, argb, [&](const auto& words) {
            const auto blendRows = [&](const auto& op) { BlendArgbRows<Pixel>(surface, area, words, op); };
            if constexpr (sizeof(Pixel) == 4) {
                if (gDisplayRGBOrdered)
                    blendRows(OrderedOver888{});
                else
                    blendRows(ChannelVolatileOver<Pixel>{surface.mMasks});
            } else if (gDisplayRGBOrdered && packed == 0x07E0F81F) {
                blendRows(OrderedPackedOver<true>{packed});
            } else if (gDisplayRGBOrdered && packed == 0x03E07C1F) {
                blendRows(OrderedPackedOver<false>{packed});
            } else {
                blendRows(ChannelVolatileOver<Pixel>{surface.mMasks});
            }
        });
    });
}

// Additive: each channel of the native word (tinted: scaled by the tint's multiplier) added
// to the destination's with saturation.
struct AddOver {
    const Surface& mSurface;
    uint32_t operator()(const uint32_t d, const uint32_t s) const
    {
        Weights addends{};
        for (size_t c = 0; c < addends.size(); ++c)
            addends[c] = (s & mSurface.mMasks[c]) >> mSurface.mChannels[c].mShift;
        return AddChannels(mSurface, d, addends);
    }
};

struct TintedAddOver {
    const Surface& mSurface;
    Weights mWeights;
    uint32_t operator()(const uint32_t d, const uint32_t s) const
    {
        Weights addends{};
        for (size_t c = 0; c < addends.size(); ++c)
            addends[c] = (((s & mSurface.mMasks[c]) >> mSurface.mChannels[c].mShift) * mWeights[c]) >> 8;
        return AddChannels(mSurface, d, addends);
    }
};

// Runs of black source words add nothing and are skipped.
template <typename Pixel, typename Words, typename Op>
void AddRuns(const Surface& surface, const BlitArea& area, const Words& words, const uint8_t* runs,
             const int sourceWidth, const bool mirrored, const Op& op)
{
    const int step = mirrored ? -1 : 1;
    ForEachRow<Pixel>(surface, area, words, runs, sourceWidth, mirrored,
                      [&](Pixel* const dest, const auto& source, const uint8_t* const rowRuns) {
                          ForEachRun(rowRuns, area.mSource.mWidth, [&](const int start, const int n) {
                              if ((source[start] & 0xFFFFFF) == 0)
                                  return;
                              for (int i = start; i < start + n; ++i) {
                                  Pixel& d = dest[i * step];
                                  d = static_cast<Pixel>(op(d, source[i]));
                              }
                          });
                      });
}

void DrawAdditive(DDImage& dest, Image* src, const int x, const int y, const Rect& srcRect, const Color& color,
                  const bool mirrored)
{
    auto* const source = dynamic_cast<MemoryImage*>(src);
    if (source == nullptr)
        return;
    DrawLocked(dest, [&](const Surface& surface, const auto tag) {
        using Pixel = typename decltype(tag)::Pixel;
        const uint32_t* const native = source->GetNativeAlphaData(dest.mDDInterface);
        source->CommitBits();
        const uint8_t* const runs = source->GetRLAdditiveData(dest.mDDInterface);
        BlitArea area{};
        if (native == nullptr || runs == nullptr || !ClipBlit(surface, *source, x, y, srcRect, mirrored, area))
            return;
        VisitWords(*source, native, [&](const auto& words) {
            if (color == Color::White)
                AddRuns<Pixel>(surface, area, words, runs, source->mWidth, mirrored, AddOver{surface});
            else
                AddRuns<Pixel>(surface, area, words, runs, source->mWidth, mirrored,
                               TintedAddOver{surface, Tint(color).mWeights});
        });
    });
}

void MarkDrawn(Image* source)
{
    if (source != nullptr)
        source->mDrawn = true;
}

} // namespace

void DDImage::NormalBlt(Image* src, const int x, const int y, const Rect& srcRect, const Color& color)
{
    MarkDrawn(src);
    auto* const source = dynamic_cast<MemoryImage*>(src);
    if (source == nullptr)
        return;
    auto* const sourceDD = dynamic_cast<DDImage*>(source);
    source->CommitBits();
    const bool untinted = color == Color::White;
    const bool sourceHasSurface = sourceDD != nullptr && sourceDD->mSurface != nullptr;
    if (source->mIsVolatile && !sourceHasSurface && !mLockDisabled && untinted) {
        BlendVolatile(*this, *source, x, y, srcRect);
        return;
    }
    if (!source->mHasAlpha && untinted) {
        // DirectDraw never reads a video-memory source into a system-memory destination.
        if (sourceHasSurface && (mInVideoMemory || !sourceDD->mInVideoMemory))
            CopyBySurface(*this, *sourceDD, x, y, srcRect);
        else if (!mLockDisabled)
            CopyNativeWords(*this, *source, x, y, srcRect);
        return;
    }
    if (!mLockDisabled)
        DrawAlphaRuns(*this, *source, x, y, srcRect, color, false);
}

void DDImage::AdditiveBlt(Image* src, const int x, const int y, const Rect& srcRect, const Color& color)
{
    MarkDrawn(src);
    if (!mLockDisabled)
        DrawAdditive(*this, src, x, y, srcRect, color, false);
}

void DDImage::NormalMirrorBlt(Image* src, const int x, const int y, const Rect& srcRect, const Color& color)
{
    MarkDrawn(src);
    auto* const source = dynamic_cast<MemoryImage*>(src);
    if (source == nullptr)
        return;
    source->CommitBits();
    if (!mLockDisabled)
        DrawAlphaRuns(*this, *source, x, y, srcRect, color, true);
}

void DDImage::AdditiveMirrorBlt(Image* src, const int x, const int y, const Rect& srcRect, const Color& color)
{
    MarkDrawn(src);
    if (!mLockDisabled)
        DrawAdditive(*this, src, x, y, srcRect, color, true);
}

} // namespace Zest
