// The AVX2 row routines: the arithmetic of the SSE2 forms in Blend.h on eight pixels a
// register. A pixel's alpha is spread into both 16-bit halves of its lane by one byte
// shuffle; red and blue are weighted together in 16-bit lanes and shifted as one 32-bit
// word, as the one-pixel Mix does, and green with the destination's and source's alpha
// bytes beside it, which the final mask drops. Groups of eight that are all transparent
// are skipped and, where the operation copies opaque pixels, groups all opaque are copied.

#include "framework/graphics/BlendAvx2.h"

#include <atomic>
#include <cassert>

#if defined(__SSE2__)
#include "framework/graphics/Avx2Neighbours.h"

#include <immintrin.h>
#endif

namespace Zest::Blend {

namespace {

std::atomic<RowPath>& ChosenRowPath()
{
    static std::atomic<RowPath> path{FastestRowPath()};
    return path;
}

} // namespace

RowPath FastestRowPath()
{
#if defined(__SSE2__)
    if (__builtin_cpu_supports("avx2"))
        return RowPath::Avx2;
#endif
    return RowPath::Sse2;
}

RowPath ActiveRowPath()
{
    return ChosenRowPath().load(std::memory_order_relaxed);
}

void SetRowPath(const RowPath path)
{
    assert(path == RowPath::Sse2 || FastestRowPath() == RowPath::Avx2);
    ChosenRowPath().store(path, std::memory_order_relaxed);
}

#if defined(__SSE2__)

namespace Avx2 {
namespace {

[[gnu::target("avx2")]] inline __m256i Load(const uint32_t* const pixels)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pixels));
}

[[gnu::target("avx2")]] inline void Store(uint32_t* const pixels, const __m256i value)
{
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixels), value);
}

[[gnu::target("avx2")]] inline bool AllSet(const __m256i mask)
{
    return _mm256_movemask_epi8(mask) == -1;
}

// Each pixel's alpha byte in both 16-bit halves of its lane.
[[gnu::target("avx2")]] inline __m256i AlphaInBothHalves(const __m256i pixels)
{
    const __m256i pick = _mm256_setr_epi8(3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1, 3, -1, 3, -1,
                                          7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1);
    return _mm256_shuffle_epi8(pixels, pick);
}

// The colour channels of the one-pixel Mix for source weights (at most 256) held in both
// 16-bit halves of each lane; the alpha byte is 0.
[[gnu::target("avx2")]] inline __m256i Mix(const __m256i d, const __m256i s, const __m256i sourceWeight)
{
    const __m256i redBlue = _mm256_set1_epi32(0x00FF00FF);
    const __m256i destWeight = _mm256_sub_epi16(_mm256_set1_epi16(256), sourceWeight);
    const __m256i rb =
        _mm256_add_epi32(_mm256_srli_epi32(_mm256_mullo_epi16(_mm256_and_si256(d, redBlue), destWeight), 8),
                         _mm256_srli_epi32(_mm256_mullo_epi16(_mm256_and_si256(s, redBlue), sourceWeight), 8));
    // Green times its weight sums to at most 255 x 256, so the low half holds the exact sum.
    const __m256i g = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_srli_epi16(d, 8), destWeight),
                                       _mm256_mullo_epi16(_mm256_srli_epi16(s, 8), sourceWeight));
    return _mm256_or_si256(_mm256_and_si256(rb, redBlue), _mm256_and_si256(g, _mm256_set1_epi32(0xFF00)));
}

[[gnu::target("avx2")]] inline __m256i AlphaBits(const __m256i pixels)
{
    return _mm256_and_si256(pixels, _mm256_set1_epi32(static_cast<int>(0xFF000000)));
}

} // namespace

[[gnu::target("avx2")]] int OpaqueDestRow(uint32_t* const d, const uint32_t* const s, const int count)
{
    const __m256i opaqueAlpha = _mm256_set1_epi32(static_cast<int>(0xFF000000));
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i source = Load(s + i);
        const __m256i alpha = AlphaBits(source);
        const __m256i clear = _mm256_cmpeq_epi32(alpha, _mm256_setzero_si256());
        if (AllSet(clear))
            continue;
        const __m256i opaque = _mm256_cmpeq_epi32(alpha, opaqueAlpha);
        if (AllSet(opaque)) {
            Store(d + i, source);
            continue;
        }
        const __m256i dest = Load(d + i);
        const __m256i blended = _mm256_or_si256(Mix(dest, source, AlphaInBothHalves(source)), opaqueAlpha);
        Store(d + i, _mm256_blendv_epi8(_mm256_blendv_epi8(blended, source, opaque), dest, clear));
    }
    return i;
}

[[gnu::target("avx2")]] int TranslucentOntoOpaqueRow(uint32_t* const d, const uint32_t* const s, const int count)
{
    const __m256i opaqueAlpha = _mm256_set1_epi32(static_cast<int>(0xFF000000));
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i source = Load(s + i);
        Store(d + i, _mm256_or_si256(Mix(Load(d + i), source, AlphaInBothHalves(source)), opaqueAlpha));
    }
    return i;
}

[[gnu::target("avx2")]] int OverRow(uint32_t* const d, const uint32_t* const s, const int count)
{
    const __m256i opaque = _mm256_set1_epi32(255);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i source = Load(s + i);
        const __m256i a = _mm256_srli_epi32(source, 24);
        const __m256i clear = _mm256_cmpeq_epi32(a, _mm256_setzero_si256());
        if (AllSet(clear))
            continue;
        const __m256i dest = Load(d + i);
        const __m256i da = _mm256_srli_epi32(dest, 24);
        __m256i outA = opaque;
        __m256i w = a;
        if (!AllSet(_mm256_cmpeq_epi32(da, opaque))) {
            // outA = da + ((255 - da) x a) / 255, the division as (x x 0x8081) >> 23; the
            // weight (a x 255) / outA by a truncated single-precision division, as in SSE2.
            const __m256i product = _mm256_mullo_epi16(_mm256_sub_epi32(opaque, da), a);
            outA = _mm256_add_epi32(da, _mm256_srli_epi32(_mm256_mulhi_epu16(product, _mm256_set1_epi32(0x8081)), 7));
            const __m256 numerator = _mm256_cvtepi32_ps(_mm256_mullo_epi16(a, opaque));
            const __m256 denominator = _mm256_cvtepi32_ps(_mm256_max_epi32(outA, _mm256_set1_epi32(1)));
            w = _mm256_cvttps_epi32(_mm256_div_ps(numerator, denominator));
        }
        const __m256i weights = _mm256_or_si256(w, _mm256_slli_epi32(w, 16));
        const __m256i blended = _mm256_or_si256(Mix(dest, source, weights), _mm256_slli_epi32(outA, 24));
        Store(d + i, _mm256_blendv_epi8(blended, dest, clear));
    }
    return i;
}

namespace {

// sum / coverage truncated for four lanes, as SampleByAlpha computes it: sum x (1 / coverage)
// + 1e-9 in double precision, truncated. The sums may reach 2^32 - 1, so they are converted
// as signed numbers 2^31 below and moved back, which is exact in doubles.
[[gnu::target("avx2")]] inline __m128i Quotient(const __m128i sums, const __m256d inverse)
{
    const __m256d sum = _mm256_add_pd(
        _mm256_cvtepi32_pd(_mm_xor_si128(sums, _mm_set1_epi32(static_cast<int>(0x80000000)))),
        _mm256_set1_pd(2147483648.0));
    return _mm256_cvttpd_epi32(_mm256_add_pd(_mm256_mul_pd(sum, inverse), _mm256_set1_pd(1e-9)));
}

[[gnu::target("avx2")]] inline __m256i Quotient(const __m256i sums, const __m256d inverseLow, const __m256d inverseHigh)
{
    return _mm256_set_m128i(Quotient(_mm256_extracti128_si256(sums, 1), inverseHigh),
                            Quotient(_mm256_castsi256_si128(sums), inverseLow));
}

// The colour byte at shift of each of the four neighbours times its alpha-weighted share,
// summed.
[[gnu::target("avx2")]] inline __m256i ChannelSum(const __m256i (&p)[4], const __m256i (&aw)[4], const int shift)
{
    const __m256i byte = _mm256_set1_epi32(0xFF);
    __m256i sum = _mm256_setzero_si256();
    for (int k = 0; k < 4; ++k) {
        const __m256i channel = _mm256_and_si256(_mm256_srl_epi32(p[k], _mm_cvtsi32_si128(shift)), byte);
        sum = _mm256_add_epi32(sum, _mm256_mullo_epi32(channel, aw[k]));
    }
    return sum;
}

} // namespace

// Where the four alphas are equal, SampleByAlpha takes the plain weighted colour; that is
// the same number, since the shares sum to 65536 and the alpha-weighted sums are then alpha
// times the plain ones, so one formula serves every lane.
[[gnu::target("avx2")]] int SampleByAlphaRow(const uint32_t* const pixels, const int stride, const int64_t u,
                                             const int64_t v, const int64_t du, const int64_t dv, const int count,
                                             uint32_t* const samples)
{
    Avx2Neighbours::Steps us = Avx2Neighbours::StepsFrom(u, du);
    Avx2Neighbours::Steps vs = Avx2Neighbours::StepsFrom(v, dv);
    const __m256i byte = _mm256_set1_epi32(0xFF);
    const __m256i full = _mm256_set1_epi32(256);
    int i = 0;
    for (; i + 8 <= count; i += 8, Avx2Neighbours::Advance(us), Avx2Neighbours::Advance(vs)) {
        __m256i p[4];
        Avx2Neighbours::Gather(pixels, 0, stride, us, vs, p);
        const __m256i fu = _mm256_and_si256(_mm256_srli_epi32(us.mPositions, 8), byte);
        const __m256i fv = _mm256_and_si256(_mm256_srli_epi32(vs.mPositions, 8), byte);
        const __m256i gu = _mm256_sub_epi32(full, fu);
        const __m256i gv = _mm256_sub_epi32(full, fv);
        const __m256i w[4] = {_mm256_mullo_epi32(gu, gv), _mm256_mullo_epi32(fu, gv), _mm256_mullo_epi32(gu, fv),
                              _mm256_mullo_epi32(fu, fv)};
        __m256i aw[4];
        __m256i coverage = _mm256_setzero_si256();
        for (int k = 0; k < 4; ++k) {
            aw[k] = _mm256_mullo_epi32(_mm256_srli_epi32(p[k], 24), w[k]);
            coverage = _mm256_add_epi32(coverage, aw[k]);
        }
        const __m256i alpha = _mm256_srli_epi32(coverage, 16);
        // Lanes of no coverage are dropped below; 1 keeps their division finite.
        const __m256i divisor = _mm256_max_epi32(coverage, _mm256_set1_epi32(1));
        const __m256d one = _mm256_set1_pd(1.0);
        const __m256d inverseLow = _mm256_div_pd(one, _mm256_cvtepi32_pd(_mm256_castsi256_si128(divisor)));
        const __m256d inverseHigh = _mm256_div_pd(one, _mm256_cvtepi32_pd(_mm256_extracti128_si256(divisor, 1)));
        const __m256i red = Quotient(ChannelSum(p, aw, 16), inverseLow, inverseHigh);
        const __m256i green = Quotient(ChannelSum(p, aw, 8), inverseLow, inverseHigh);
        const __m256i blue = Quotient(ChannelSum(p, aw, 0), inverseLow, inverseHigh);
        const __m256i sample = _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi32(alpha, 24), _mm256_slli_epi32(red, 16)),
                                               _mm256_or_si256(_mm256_slli_epi32(green, 8), blue));
        const __m256i clear = _mm256_cmpeq_epi32(alpha, _mm256_setzero_si256());
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(samples + i), _mm256_andnot_si256(clear, sample));
    }
    return i;
}

} // namespace Avx2

#endif

} // namespace Zest::Blend
