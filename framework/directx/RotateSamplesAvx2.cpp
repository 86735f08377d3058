// The rotated blit's samples with AVX2: the arithmetic of SampleAt on eight lanes. Every
// product fits 32 bits (a share times another is below 2^32, a share times an alpha below
// 2^24), so 32-bit multiplies give the one-pixel results exactly.

#include "framework/directx/RotateSamplesAvx2.h"
#include "framework/graphics/Avx2Neighbours.h"

#include <immintrin.h>

namespace Zest::RotateSamples {

namespace {

// The fractions as SampleAt takes them: odd numbers 1 .. 65535.
[[gnu::target("avx2")]] inline __m256i OddFraction(const __m256i position)
{
    return _mm256_add_epi32(_mm256_and_si256(position, _mm256_set1_epi32(0xFFFE)), _mm256_set1_epi32(1));
}

[[gnu::target("avx2")]] inline __m256i Share(const __m256i a, const __m256i b)
{
    return _mm256_srli_epi32(_mm256_mullo_epi32(a, b), 16);
}

[[gnu::target("avx2")]] inline void Store(uint32_t* const to, const __m256i value)
{
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(to), value);
}

} // namespace

[[gnu::target("avx2")]] int SampleRowAvx2(const uint32_t* const pixels, const int origin, const int stride,
                                          const int64_t u, const int64_t v, const int64_t du, const int64_t dv,
                                          const uint32_t alphaScale, const int count, const Columns& out)
{
    Avx2Neighbours::Steps us = Avx2Neighbours::StepsFrom(u, du);
    Avx2Neighbours::Steps vs = Avx2Neighbours::StepsFrom(v, dv);
    const __m256i byte = _mm256_set1_epi32(0xFF);
    const __m256i whole = _mm256_set1_epi32(65536);
    const __m256i scale = _mm256_set1_epi32(static_cast<int32_t>(alphaScale));
    int i = 0;
    for (; i + 8 <= count; i += 8, Avx2Neighbours::Advance(us), Avx2Neighbours::Advance(vs)) {
        __m256i p[4];
        Avx2Neighbours::Gather(pixels, origin, stride, us, vs, p);
        const __m256i fu = OddFraction(us.mPositions);
        const __m256i fv = OddFraction(vs.mPositions);
        const __m256i gu = _mm256_sub_epi32(whole, fu);
        const __m256i gv = _mm256_sub_epi32(whole, fv);
        const __m256i shares[4] = {Share(gu, gv), Share(fu, gv), Share(gu, fv), Share(fu, fv)};
        __m256i sums[3] = {_mm256_setzero_si256(), _mm256_setzero_si256(), _mm256_setzero_si256()};
        __m256i coverage = _mm256_setzero_si256();
        for (int k = 0; k < 4; ++k) {
            const __m256i weight = _mm256_srli_epi32(
                _mm256_mullo_epi32(Share(shares[k], _mm256_srli_epi32(p[k], 24)), scale), 8);
            sums[0] = _mm256_add_epi32(sums[0],
                                       _mm256_mullo_epi32(_mm256_and_si256(_mm256_srli_epi32(p[k], 16), byte), weight));
            sums[1] = _mm256_add_epi32(sums[1],
                                       _mm256_mullo_epi32(_mm256_and_si256(_mm256_srli_epi32(p[k], 8), byte), weight));
            sums[2] = _mm256_add_epi32(sums[2], _mm256_mullo_epi32(_mm256_and_si256(p[k], byte), weight));
            coverage = _mm256_add_epi32(coverage, weight);
        }
        Store(out.mRed + i, sums[0]);
        Store(out.mGreen + i, sums[1]);
        Store(out.mBlue + i, sums[2]);
        Store(out.mCoverage + i, coverage);
    }
    return i;
}

} // namespace Zest::RotateSamples
