#pragma once
// What the AVX2 bilinear samplers share: eight source positions stepped along a row in 16.16
// fixed point, and the four pixels around each. The functions are compiled for AVX2 and may
// be called only from functions that are too.

#include <immintrin.h>

#include <cstdint>

namespace Zest::Avx2Neighbours {

// The positions start + k x step of eight consecutive steps k, and the move to the next eight.
struct Steps {
    __m256i mPositions;
    __m256i mEight;
};

[[gnu::target("avx2")]] inline Steps StepsFrom(const int64_t start, const int64_t step)
{
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i positions = _mm256_add_epi32(_mm256_set1_epi32(static_cast<int32_t>(start)),
                                               _mm256_mullo_epi32(lanes, _mm256_set1_epi32(static_cast<int32_t>(step))));
    return {positions, _mm256_set1_epi32(static_cast<int32_t>(step * 8))};
}

[[gnu::target("avx2")]] inline void Advance(Steps& steps)
{
    steps.mPositions = _mm256_add_epi32(steps.mPositions, steps.mEight);
}

// The pixels at (u >> 16, v >> 16), one to the right, one below and one below-right, in a
// picture whose rows lie stride pixels apart, counted from pixel origin.
[[gnu::target("avx2")]] inline void Gather(const uint32_t* const pixels, const int origin, const int stride,
                                           const Steps& u, const Steps& v, __m256i (&neighbours)[4])
{
    const __m256i rows = _mm256_mullo_epi32(_mm256_srai_epi32(v.mPositions, 16), _mm256_set1_epi32(stride));
    const __m256i at = _mm256_add_epi32(_mm256_add_epi32(rows, _mm256_srai_epi32(u.mPositions, 16)),
                                        _mm256_set1_epi32(origin));
    const auto* const words = reinterpret_cast<const int*>(pixels);
    neighbours[0] = _mm256_i32gather_epi32(words, at, 4);
    neighbours[1] = _mm256_i32gather_epi32(words + 1, at, 4);
    neighbours[2] = _mm256_i32gather_epi32(words + stride, at, 4);
    neighbours[3] = _mm256_i32gather_epi32(words + stride + 1, at, 4);
}

} // namespace Zest::Avx2Neighbours
