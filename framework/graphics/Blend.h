#pragma once
// Pixel arithmetic of the software blits. Each way of putting a source pixel onto a
// destination pixel is a small function object, applied as op(destination, source), so that
// a blit loop is compiled once per way and chooses nothing per pixel. Pixels are 0xAARRGGBB;
// red and blue are weighted together in one multiply, since 0x00RR00BB times a weight of at
// most 256 keeps the two channels apart.
//
// kReadsAlpha tells a filtering blit whether the operation needs the source's alpha (and so
// a sample weighted by it, SampleByAlpha) or adds colours regardless of alpha
// (WeightedColour).
//
// ApplyRow puts a row of source pixels onto a row of destination pixels. The operations of
// the common blits do four pixels at a time with SSE2, computing exactly what the one-pixel
// forms compute: the divisions of the over-blend become a multiply for x / 255
// ((x x 0x8081) >> 23, exact for x < 65536) and a single-precision division truncated
// (exact, since a x 255 and outA are small integers and a non-integer quotient lies at
// least 1/255 from the next integer), and the saturation table, which is min(i, 255) by
// definition, becomes a saturating add. Where the processor has AVX2, the commonest rows
// first go eight pixels at a time through BlendAvx2.cpp (see ActiveRowPath).

#include "framework/graphics/BlendAvx2.h"
#include "framework/graphics/Color.h"

#include <algorithm>
#include <array>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Zest::Blend {

// The over-blend of a source of alpha a (1..255) onto a destination of alpha da gives the
// alpha outA = da + ((255 - da) x a) / 255 and weighs the source by w = (a x 255) / outA.
// Entry (da << 8) | a holds outA in bits 8..15 and w in bits 0..7, so that a blended pixel
// costs one lookup instead of two divisions. Entries with a = 0 are never read.
inline const uint16_t* OverBlendTable()
{
    static const std::array<uint16_t, 65536> table = [] {
        std::array<uint16_t, 65536> entries{};
        for (uint32_t da = 0; da < 256; ++da) {
            for (uint32_t a = 1; a < 256; ++a) {
                const uint32_t outA = da + ((255 - da) * a) / 255;
                entries[(da << 8) | a] = static_cast<uint16_t>((outA << 8) | ((a * 255) / outA));
            }
        }
        return entries;
    }();
    return table.data();
}

inline uint32_t OverBlendEntry(const uint16_t* table, const uint32_t d, const uint32_t a)
{
    return table[((d >> 24) << 8) | a];
}

// The colour channels of d x (256 - w) + s x w, each >> 8, with the alpha byte 0.
inline uint32_t Mix(const uint32_t d, const uint32_t s, const uint32_t w)
{
    const uint32_t rb = (((d & 0x00FF00FF) * (256 - w)) >> 8) + (((s & 0x00FF00FF) * w) >> 8);
    const uint32_t g = (((d & 0x0000FF00) * (256 - w)) >> 8) + (((s & 0x0000FF00) * w) >> 8);
    return (rb & 0x00FF00FF) | (g & 0x0000FF00);
}

// A colour channel as a byte; drawing colours outside 0..255 are clamped so that no table
// is indexed out of range.
inline uint32_t ChannelOf(const int value)
{
    return static_cast<uint32_t>(std::clamp(value, 0, 255));
}

#if defined(__SSE2__)
namespace Simd {

// Four pixels to a register, one per 32-bit lane. The red and blue bytes of a pixel masked
// with 0x00FF00FF sit in the low bytes of its two 16-bit halves, so one 16-bit multiply by a
// weight held in both halves gives exactly the 32-bit product of the packed arithmetic
// (neither product exceeds 16 bits); green is handled alone in the low half.

inline __m128i Load(const uint32_t* const pixels)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
}

inline void Store(uint32_t* const pixels, const __m128i value)
{
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), value);
}

inline __m128i AlphaOf(const __m128i pixels)
{
    return _mm_srli_epi32(pixels, 24);
}

inline __m128i RedBlueOf(const __m128i pixels)
{
    return _mm_and_si128(pixels, _mm_set1_epi32(0x00FF00FF));
}

inline __m128i GreenOf(const __m128i pixels)
{
    return _mm_and_si128(_mm_srli_epi32(pixels, 8), _mm_set1_epi32(0xFF));
}

// A value per pixel (at most 256) in both 16-bit halves of its lane.
inline __m128i InBothHalves(const __m128i value)
{
    return _mm_or_si128(value, _mm_slli_epi32(value, 16));
}

inline __m128i Select(const __m128i mask, const __m128i ifSet, const __m128i otherwise)
{
    return _mm_or_si128(_mm_and_si128(mask, ifSet), _mm_andnot_si128(mask, otherwise));
}

inline bool AllSet(const __m128i mask)
{
    return _mm_movemask_epi8(mask) == 0xFFFF;
}

// x / 255 in lanes holding x < 65536.
inline __m128i DivideBy255(const __m128i x)
{
    return _mm_srli_epi32(_mm_mulhi_epu16(x, _mm_set1_epi32(0x8081)), 7);
}

// a x b in lanes holding values whose product is below 65536.
inline __m128i MultiplySmall(const __m128i a, const __m128i b)
{
    return _mm_mullo_epi16(a, b);
}

// The over-blend's result alpha da + ((255 - da) x a) / 255.
inline __m128i OverAlpha(const __m128i a, const __m128i da)
{
    return _mm_add_epi32(da, DivideBy255(MultiplySmall(_mm_sub_epi32(_mm_set1_epi32(255), da), a)));
}

// The over-blend's result alpha and source weight for source alpha a and destination alpha
// da (lanes where both are 0 give a weight that is never used). Onto opaque pixels, the
// common case, they are 255 and a.
inline void OverWeights(const __m128i a, const __m128i da, __m128i* const outA, __m128i* const w)
{
    const __m128i opaque = _mm_set1_epi32(255);
    if (AllSet(_mm_cmpeq_epi32(da, opaque))) {
        *outA = opaque;
        *w = a;
        return;
    }
    *outA = OverAlpha(a, da);
    const __m128 numerator = _mm_cvtepi32_ps(MultiplySmall(a, opaque));
    const __m128 denominator = _mm_cvtepi32_ps(_mm_max_epi16(*outA, _mm_set1_epi32(1)));
    *w = _mm_cvttps_epi32(_mm_div_ps(numerator, denominator));
}

// The colour channels of the scalar Mix for weights w (per pixel, at most 256).
inline __m128i Mix(const __m128i d, const __m128i s, const __m128i w)
{
    const __m128i sourceWeight = InBothHalves(w);
    const __m128i destWeight = _mm_sub_epi16(_mm_set1_epi16(256), sourceWeight);
    const __m128i rb = _mm_add_epi32(_mm_srli_epi32(_mm_mullo_epi16(RedBlueOf(d), destWeight), 8),
                                     _mm_srli_epi32(_mm_mullo_epi16(RedBlueOf(s), sourceWeight), 8));
    // Green with the alpha byte beside it in the upper half, which the mask drops; green
    // times its weight sums to at most 255 x 256, so the low half holds the exact sum.
    const __m128i g = _mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(d, 8), destWeight),
                                    _mm_mullo_epi16(_mm_srli_epi16(s, 8), sourceWeight));
    return _mm_or_si128(_mm_and_si128(rb, _mm_set1_epi32(0x00FF00FF)), _mm_and_si128(g, _mm_set1_epi32(0xFF00)));
}

inline __m128i WithAlpha(const __m128i colours, const __m128i alpha)
{
    return _mm_or_si128(colours, _mm_slli_epi32(alpha, 24));
}

} // namespace Simd
#endif

// Normal mode, untinted, onto a destination known to be opaque: opaque source pixels are
// copied, partly transparent ones blended by their own alpha with the result kept opaque,
// transparent ones skipped.
struct OpaqueDestOp {
    static constexpr bool kReadsAlpha = true;

    void operator()(uint32_t& d, const uint32_t s) const
    {
        const uint32_t a = s >> 24;
        if (a == 255)
            d = s;
        else if (a != 0)
            d = Mix(d, s, a) | 0xFF000000;
    }
};

// OpaqueDestOp for source pixels known to be partly transparent (alpha 1..254), as the
// alpha run-length table tells: each is blended, with no test for the other kinds.
struct TranslucentOntoOpaqueOp {
    static constexpr bool kReadsAlpha = true;

    void operator()(uint32_t& d, const uint32_t s) const { d = Mix(d, s, s >> 24) | 0xFF000000; }
};

// Normal mode, untinted: the over-blend, which keeps to the destination's alpha.
struct OverOp {
    static constexpr bool kReadsAlpha = true;

    void operator()(uint32_t& d, const uint32_t s) const
    {
        const uint32_t a = s >> 24;
        if (a == 0)
            return;
        const uint32_t entry = OverBlendEntry(mTable, d, a);
        d = Mix(d, s, entry & 0xFF) | ((entry & 0xFF00) << 16);
    }

    const uint16_t* mTable = OverBlendTable();
};

// Normal mode, untinted, for the filtered stretch: each channel is (v x a) >> 8 plus
// (destination x (256 - a)) >> 8, the alpha as in the over-blend.
struct FilteredOverOp {
    static constexpr bool kReadsAlpha = true;

    void operator()(uint32_t& d, const uint32_t s) const
    {
        const uint32_t a = s >> 24;
        if (a == 0)
            return;
        const uint32_t keep = 256 - a;
        const uint32_t red = ((((s >> 16) & 0xFF) * a) >> 8) + ((((d >> 16) & 0xFF) * keep) >> 8);
        const uint32_t green = ((((s >> 8) & 0xFF) * a) >> 8) + ((((d >> 8) & 0xFF) * keep) >> 8);
        const uint32_t blue = (((s & 0xFF) * a) >> 8) + (((d & 0xFF) * keep) >> 8);
        const uint32_t entry = OverBlendEntry(mTable, d, a);
        d = ((entry & 0xFF00) << 16) | (red << 16) | (green << 8) | blue;
    }

    const uint16_t* mTable = OverBlendTable();
};

// The effective alpha (sa x ca) / 255 of a tinted source pixel, looked up by sa.
struct TintAlpha {
    explicit TintAlpha(const Color& color) : mColorAlpha(ChannelOf(color.mAlpha))
    {
        for (uint32_t sa = 0; sa < 256; ++sa)
            mBySourceAlpha[sa] = static_cast<uint8_t>((sa * mColorAlpha) / 255);
    }

    uint32_t mColorAlpha;
    std::array<uint8_t, 256> mBySourceAlpha{};
};

// Normal mode tinted grey (red = green = blue): the source is scaled by the grey while it is
// weighted, then over-blended.
struct GreyTintOp {
    static constexpr bool kReadsAlpha = true;

    explicit GreyTintOp(const Color& color) : mAlpha(color), mGrey(ChannelOf(color.mRed)) {}

    void operator()(uint32_t& d, const uint32_t s) const
    {
        const uint32_t a = mAlpha.mBySourceAlpha[s >> 24];
        if (a == 0)
            return;
        const uint32_t entry = OverBlendEntry(mTable, d, a);
        const uint32_t w = entry & 0xFF;
        const uint32_t tintedRB = (((s & 0x00FF00FF) * mGrey) >> 8) & 0x00FF00FF;
        const uint32_t rb = (((d & 0x00FF00FF) * (256 - w)) >> 8) + ((tintedRB * w) >> 8);
        const uint32_t g = (((d & 0x0000FF00) * (256 - w)) >> 8) + (((s & 0x0000FF00) * w * mGrey) >> 16);
        d = (rb & 0x00FF00FF) | (g & 0x0000FF00) | ((entry & 0xFF00) << 16);
    }

    TintAlpha mAlpha;
    uint32_t mGrey;
    const uint16_t* mTable = OverBlendTable();
};

// Normal mode tinted by a colour: each source channel is scaled by its colour channel while
// it is weighted, then added to the weighted destination channel.
struct ColorTintOp {
    static constexpr bool kReadsAlpha = true;

    explicit ColorTintOp(const Color& color)
        : mAlpha(color), mRed(ChannelOf(color.mRed)), mGreen(ChannelOf(color.mGreen)), mBlue(ChannelOf(color.mBlue))
    {
    }

    void operator()(uint32_t& d, const uint32_t s) const
    {
        const uint32_t a = mAlpha.mBySourceAlpha[s >> 24];
        if (a == 0)
            return;
        const uint32_t entry = OverBlendEntry(mTable, d, a);
        const uint32_t w = entry & 0xFF;
        const uint32_t keep = 256 - w;
        const uint32_t red = ((((s & 0x00FF0000) * w) >> 8) * mRed >> 8) & 0x00FF0000;
        const uint32_t green = (((s & 0x0000FF00) * w * mGreen) >> 16) & 0x0000FF00;
        const uint32_t blue = (((s & 0x000000FF) * w * mBlue) >> 16) & 0x000000FF;
        const uint32_t destRed = ((((d >> 16) & 0xFF) * keep) >> 8) << 16;
        const uint32_t destGreen = ((((d >> 8) & 0xFF) * keep) >> 8) << 8;
        const uint32_t destBlue = ((d & 0xFF) * keep) >> 8;
        d = ((entry & 0xFF00) << 16) | (red + destRed) | (green + destGreen) | (blue + destBlue);
    }

    TintAlpha mAlpha;
    uint32_t mRed;
    uint32_t mGreen;
    uint32_t mBlue;
    const uint16_t* mTable = OverBlendTable();
};

// Additive mode: each colour channel of the destination becomes saturation[d + add]; the
// destination's alpha never changes.
inline uint32_t AddChannels(const uint8_t* saturation, const uint32_t d, const uint32_t red, const uint32_t green,
                            const uint32_t blue)
{
    return (d & 0xFF000000) | (static_cast<uint32_t>(saturation[((d >> 16) & 0xFF) + red]) << 16) |
           (static_cast<uint32_t>(saturation[((d >> 8) & 0xFF) + green]) << 8) |
           saturation[(d & 0xFF) + blue];
}

// Additive, untinted, for a source without partly transparent pixels: the colour is added
// as it is, whatever the alpha.
struct AddOp {
    static constexpr bool kReadsAlpha = false;

    void operator()(uint32_t& d, const uint32_t s) const
    {
        d = AddChannels(mSaturation, d, (s >> 16) & 0xFF, (s >> 8) & 0xFF, s & 0xFF);
    }

    const uint8_t* mSaturation;
};

// Additive, untinted, for a source with partly transparent pixels: the colour scaled by the
// pixel's alpha.
struct AddAlphaOp {
    static constexpr bool kReadsAlpha = true;

    void operator()(uint32_t& d, const uint32_t s) const
    {
        const uint32_t sa = s >> 24;
        d = AddChannels(mSaturation, d, (((s >> 16) & 0xFF) * sa) >> 8, (((s >> 8) & 0xFF) * sa) >> 8,
                        ((s & 0xFF) * sa) >> 8);
    }

    const uint8_t* mSaturation;
};

// The factor k = colour channel x ca / 255 of each channel of a tinted additive source.
struct AddTint {
    AddTint(const Color& color, const uint8_t* saturation)
        : mSaturation(saturation), mRed(Scaled(color.mRed, color.mAlpha)), mGreen(Scaled(color.mGreen, color.mAlpha)),
          mBlue(Scaled(color.mBlue, color.mAlpha))
    {
    }

    static uint32_t Scaled(const int channel, const int alpha) { return ChannelOf(channel) * ChannelOf(alpha) / 255; }

    const uint8_t* mSaturation;
    uint32_t mRed;
    uint32_t mGreen;
    uint32_t mBlue;
};

// Additive, tinted, for a source without partly transparent pixels.
struct AddTintOp : AddTint {
    static constexpr bool kReadsAlpha = false;

    using AddTint::AddTint;

    void operator()(uint32_t& d, const uint32_t s) const
    {
        d = AddChannels(mSaturation, d, (((s >> 16) & 0xFF) * mRed) >> 8, (((s >> 8) & 0xFF) * mGreen) >> 8,
                        ((s & 0xFF) * mBlue) >> 8);
    }
};

// Additive, tinted, for a source with partly transparent pixels.
struct AddTintAlphaOp : AddTint {
    static constexpr bool kReadsAlpha = true;

    using AddTint::AddTint;

    void operator()(uint32_t& d, const uint32_t s) const
    {
        const uint32_t sa = s >> 24;
        d = AddChannels(mSaturation, d, (((s >> 16) & 0xFF) * mRed * sa) >> 16,
                        (((s >> 8) & 0xFF) * mGreen * sa) >> 16, ((((s & 0xFF) * mBlue) >> 8) * sa) >> 8);
    }
};

// The colour of four pixels around a sample point, weighted by their coverage weights
// (summing to 65536), as (sum of channel x weight) >> 16 per colour channel.
inline uint32_t WeightedColour(const uint32_t (&p)[4], const uint32_t (&w)[4])
{
    uint32_t red = 0;
    uint32_t green = 0;
    uint32_t blue = 0;
    for (int k = 0; k < 4; ++k) {
        red += ((p[k] >> 16) & 0xFF) * w[k];
        green += ((p[k] >> 8) & 0xFF) * w[k];
        blue += (p[k] & 0xFF) * w[k];
    }
    return ((red >> 16) << 16) | ((green >> 16) << 8) | (blue >> 16);
}

// The picture at a sample point for blending: the alpha the four pixels cover, and their
// colour weighted by coverage and alpha (so that transparent neighbours do not darken it).
// Where the four alphas are equal the colour is the plain weighted colour; a sample exactly
// on a pixel centre gives that pixel unchanged.
inline uint32_t SampleByAlpha(const uint32_t (&p)[4], const uint32_t (&w)[4])
{
    const uint32_t a0 = p[0] >> 24;
    if (a0 == p[1] >> 24 && a0 == p[2] >> 24 && a0 == p[3] >> 24)
        return a0 == 0 ? 0 : (a0 << 24) | WeightedColour(p, w);
    uint32_t coverage = 0;
    uint32_t aw[4];
    for (int k = 0; k < 4; ++k) {
        aw[k] = (p[k] >> 24) * w[k];
        coverage += aw[k];
    }
    const uint32_t alpha = coverage >> 16;
    if (alpha == 0)
        return 0;
    // At most 255 x 255 x 65536 each, which fits 32 bits.
    uint32_t red = 0;
    uint32_t green = 0;
    uint32_t blue = 0;
    for (int k = 0; k < 4; ++k) {
        red += ((p[k] >> 16) & 0xFF) * aw[k];
        green += ((p[k] >> 8) & 0xFF) * aw[k];
        blue += (p[k] & 0xFF) * aw[k];
    }
    // sum / coverage, truncated, by one reciprocal: the product is within 1e-13 of the
    // quotient, and a quotient that is not whole lies at least 1 / coverage (over 5e-8)
    // below the next whole number, so adding 1e-9 before truncating gives it exactly.
    const double inverse = 1.0 / coverage;
    const auto quotient = [inverse](const uint32_t sum) { return static_cast<uint32_t>(sum * inverse + 1e-9); };
    return (alpha << 24) | (quotient(red) << 16) | (quotient(green) << 8) | quotient(blue);
}

// A row of source pixels onto a row of destination pixels, one pixel at a time.
template <typename Op>
void ApplyRow(const Op& op, uint32_t* const d, const uint32_t* const s, const int count)
{
    for (int i = 0; i < count; ++i)
        op(d[i], s[i]);
}

#if defined(__SSE2__)
// A row four pixels at a time with kernel(destination, source, &result), which returns
// false to leave the four destination pixels as they are; the last few one at a time. Two
// groups go to a step, so that their independent work overlaps.
template <typename Op, typename Kernel>
void ApplyRowByFours(const Op& op, uint32_t* const d, const uint32_t* const s, const int count, const Kernel& kernel)
{
    const auto group = [&](const int at) {
        __m128i result;
        if (kernel(Simd::Load(d + at), Simd::Load(s + at), &result))
            Simd::Store(d + at, result);
    };
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        group(i);
        group(i + 4);
    }
    for (; i + 4 <= count; i += 4)
        group(i);
    for (; i < count; ++i)
        op(d[i], s[i]);
}

// The pixels of a row that the AVX2 form drew first, when that path is active.
inline int DrawnByAvx2(int (*const row)(uint32_t*, const uint32_t*, int), uint32_t* const d, const uint32_t* const s,
                       const int count)
{
    return ActiveRowPath() == RowPath::Avx2 ? row(d, s, count) : 0;
}

// How many of count samples along a row the AVX2 path took with SampleByAlpha's formula
// (see Avx2::SampleByAlphaRow): 0 on other paths, or where the picture is too large for its
// 32-bit positions. The picture's rows lie stride pixels apart, and the samples' four
// neighbours lie in its first rows rows.
inline int SampledByAvx2(const uint32_t* const pixels, const int stride, const int rows, const int64_t u,
                         const int64_t v, const int64_t du, const int64_t dv, const int count,
                         uint32_t* const samples)
{
    constexpr int kLargest = 32767;
    if (ActiveRowPath() != RowPath::Avx2 || stride > kLargest || rows > kLargest)
        return 0;
    return Avx2::SampleByAlphaRow(pixels, stride, u, v, du, dv, count, samples);
}

inline void ApplyRow(const OpaqueDestOp& op, uint32_t* const d, const uint32_t* const s, const int count)
{
    const auto kernel = [](const __m128i dest, const __m128i source, __m128i* const result) {
        const __m128i a = Simd::AlphaOf(source);
        const __m128i clear = _mm_cmpeq_epi32(a, _mm_setzero_si128());
        if (Simd::AllSet(clear))
            return false;
        const __m128i opaque = _mm_cmpeq_epi32(a, _mm_set1_epi32(255));
        if (Simd::AllSet(opaque)) {
            *result = source;
            return true;
        }
        const __m128i blended = _mm_or_si128(Simd::Mix(dest, source, a), _mm_set1_epi32(static_cast<int>(0xFF000000)));
        *result = Simd::Select(clear, dest, Simd::Select(opaque, source, blended));
        return true;
    };
    const int done = DrawnByAvx2(Avx2::OpaqueDestRow, d, s, count);
    ApplyRowByFours(op, d + done, s + done, count - done, kernel);
}

inline void ApplyRow(const TranslucentOntoOpaqueOp& op, uint32_t* const d, const uint32_t* const s,
                     const int count)
{
    const auto kernel = [](const __m128i dest, const __m128i source, __m128i* const result) {
        *result = _mm_or_si128(Simd::Mix(dest, source, Simd::AlphaOf(source)),
                               _mm_set1_epi32(static_cast<int>(0xFF000000)));
        return true;
    };
    const int done = DrawnByAvx2(Avx2::TranslucentOntoOpaqueRow, d, s, count);
    ApplyRowByFours(op, d + done, s + done, count - done, kernel);
}

inline void ApplyRow(const OverOp& op, uint32_t* const d, const uint32_t* const s, const int count)
{
    const auto kernel = [](const __m128i dest, const __m128i source, __m128i* const result) {
        const __m128i a = Simd::AlphaOf(source);
        const __m128i clear = _mm_cmpeq_epi32(a, _mm_setzero_si128());
        if (Simd::AllSet(clear))
            return false;
        __m128i outA;
        __m128i w;
        Simd::OverWeights(a, Simd::AlphaOf(dest), &outA, &w);
        *result = Simd::Select(clear, dest, Simd::WithAlpha(Simd::Mix(dest, source, w), outA));
        return true;
    };
    const int done = DrawnByAvx2(Avx2::OverRow, d, s, count);
    ApplyRowByFours(op, d + done, s + done, count - done, kernel);
}

inline void ApplyRow(const FilteredOverOp& op, uint32_t* const d, const uint32_t* const s, const int count)
{
    ApplyRowByFours(op, d, s, count, [](const __m128i dest, const __m128i source, __m128i* const result) {
        const __m128i a = Simd::AlphaOf(source);
        const __m128i clear = _mm_cmpeq_epi32(a, _mm_setzero_si128());
        if (Simd::AllSet(clear))
            return false;
        // Each channel (v x a) >> 8 + (d x (256 - a)) >> 8, none above 255.
        const __m128i sourceWeight = Simd::InBothHalves(a);
        const __m128i destWeight = _mm_sub_epi16(_mm_set1_epi16(256), sourceWeight);
        const __m128i rb = _mm_add_epi16(_mm_srli_epi16(_mm_mullo_epi16(Simd::RedBlueOf(source), sourceWeight), 8),
                                         _mm_srli_epi16(_mm_mullo_epi16(Simd::RedBlueOf(dest), destWeight), 8));
        const __m128i g = _mm_add_epi32(_mm_srli_epi32(_mm_mullo_epi16(Simd::GreenOf(source), sourceWeight), 8),
                                        _mm_srli_epi32(_mm_mullo_epi16(Simd::GreenOf(dest), destWeight), 8));
        const __m128i outA = Simd::OverAlpha(a, Simd::AlphaOf(dest));
        *result = Simd::Select(clear, dest, Simd::WithAlpha(_mm_or_si128(rb, _mm_slli_epi32(g, 8)), outA));
        return true;
    });
}

inline void ApplyRow(const ColorTintOp& op, uint32_t* const d, const uint32_t* const s, const int count)
{
    const __m128i ca = _mm_set1_epi32(static_cast<int>(op.mAlpha.mColorAlpha));
    const __m128i redBlue = _mm_set1_epi32(static_cast<int>((op.mRed << 16) | op.mBlue));
    const __m128i green = _mm_set1_epi32(static_cast<int>(op.mGreen));
    ApplyRowByFours(op, d, s, count, [&](const __m128i dest, const __m128i source, __m128i* const result) {
        const __m128i a = Simd::DivideBy255(Simd::MultiplySmall(Simd::AlphaOf(source), ca));
        const __m128i clear = _mm_cmpeq_epi32(a, _mm_setzero_si128());
        if (Simd::AllSet(clear))
            return false;
        __m128i outA;
        __m128i w;
        Simd::OverWeights(a, Simd::AlphaOf(dest), &outA, &w);
        // Each channel (s x w x colour) >> 16 + (d x (256 - w)) >> 8, none above 255.
        const __m128i sourceWeight = Simd::InBothHalves(w);
        const __m128i destWeight = _mm_sub_epi16(_mm_set1_epi16(256), sourceWeight);
        const __m128i rb = _mm_add_epi16(
            _mm_mulhi_epu16(_mm_mullo_epi16(Simd::RedBlueOf(source), sourceWeight), redBlue),
            _mm_srli_epi16(_mm_mullo_epi16(Simd::RedBlueOf(dest), destWeight), 8));
        const __m128i g =
            _mm_add_epi32(_mm_mulhi_epu16(_mm_mullo_epi16(Simd::GreenOf(source), sourceWeight), green),
                          _mm_srli_epi32(_mm_mullo_epi16(Simd::GreenOf(dest), destWeight), 8));
        *result = Simd::Select(clear, dest, Simd::WithAlpha(_mm_or_si128(rb, _mm_slli_epi32(g, 8)), outA));
        return true;
    });
}

inline void ApplyRow(const AddOp& op, uint32_t* const d, const uint32_t* const s, const int count)
{
    ApplyRowByFours(op, d, s, count, [](const __m128i dest, const __m128i source, __m128i* const result) {
        *result = _mm_adds_epu8(dest, _mm_and_si128(source, _mm_set1_epi32(0x00FFFFFF)));
        return true;
    });
}

inline void ApplyRow(const AddAlphaOp& op, uint32_t* const d, const uint32_t* const s, const int count)
{
    ApplyRowByFours(op, d, s, count, [](const __m128i dest, const __m128i source, __m128i* const result) {
        // Each channel (s x sa) >> 8.
        const __m128i alpha = Simd::InBothHalves(Simd::AlphaOf(source));
        const __m128i rb = _mm_srli_epi16(_mm_mullo_epi16(Simd::RedBlueOf(source), alpha), 8);
        const __m128i g = _mm_srli_epi32(_mm_mullo_epi16(Simd::GreenOf(source), alpha), 8);
        *result = _mm_adds_epu8(dest, _mm_or_si128(rb, _mm_slli_epi32(g, 8)));
        return true;
    });
}
#else
inline int SampledByAvx2(const uint32_t*, int, int, int64_t, int64_t, int64_t, int64_t, int, uint32_t*)
{
    return 0;
}
#endif

} // namespace Zest::Blend
