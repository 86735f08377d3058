#pragma once
// The choice between the SSE2 and AVX2 forms of the row routines of Blend.h, and the AVX2
// forms themselves. The choice is made once, from what the processor runs; tests set it so
// that both forms are held against the one-pixel operations on the same pictures. Only the
// functions of BlendAvx2.cpp are compiled for AVX2, so the program still runs on processors
// without it.

#include <cstdint>

namespace Zest::Blend {

enum class RowPath {
    Sse2, // four pixels a step; every x86-64 processor has it
    Avx2, // eight pixels a step
};

// The widest path this processor runs.
RowPath FastestRowPath();
// The path the row routines take: the fastest, unless SetRowPath chose another.
RowPath ActiveRowPath();
// Chooses the path; asserts that the processor runs it.
void SetRowPath(RowPath path);

namespace Avx2 {

// Each draws the row's pixels eight at a time, exactly as the one-pixel operation of the
// same name in Blend.h, and returns how many it drew (count rounded down to a multiple of
// 8); the caller draws the rest.
int OpaqueDestRow(uint32_t* d, const uint32_t* s, int count);
int TranslucentOntoOpaqueRow(uint32_t* d, const uint32_t* s, int count);
int OverRow(uint32_t* d, const uint32_t* s, int count);

// The bilinear samples weighted by alpha of SampleByAlpha in Blend.h, at the 16.16 source
// positions (u + k x du, v + k x dv) of the ARGB picture at pixels (rows stride pixels
// apart), eight at a time: samples[k] for k below count rounded down to a multiple of 8,
// which it returns. All four neighbours of every position lie in the picture, and positions
// and indices fit 31 bits (pictures under 32768 pixels a side).
int SampleByAlphaRow(const uint32_t* pixels, int stride, int64_t u, int64_t v, int64_t du, int64_t dv, int count,
                     uint32_t* samples);

} // namespace Avx2

} // namespace Zest::Blend
