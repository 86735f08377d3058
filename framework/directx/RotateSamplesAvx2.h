#pragma once
// The bilinear samples of the display image's rotated blit, eight at a time with AVX2, for
// the pixels whose four neighbours all lie in an ARGB source. Each sample is exactly what
// the one-pixel SampleAt of DDImageRotate.cpp gives; the blit takes this path when
// Blend::ActiveRowPath() is AVX2.

#include <cstdint>

namespace Zest::RotateSamples {

// Sums of the colour channels of samples, each neighbour's channel weighted by its share
// times its alpha, and each sample's coverage; one entry per sample.
struct Columns {
    uint32_t* mRed;
    uint32_t* mGreen;
    uint32_t* mBlue;
    uint32_t* mCoverage;
};

// Samples at the 16.16 positions (u + k x du, v + k x dv), counted from pixel origin of the
// ARGB picture at pixels (rows stride pixels apart), with weights scaled by alphaScale / 256:
// entries k below count rounded down to a multiple of 8, which it returns. Positions and
// indices fit 31 bits (pictures under 32768 pixels a side).
int SampleRowAvx2(const uint32_t* pixels, int origin, int stride, int64_t u, int64_t v, int64_t du, int64_t dv,
                  uint32_t alphaScale, int count, const Columns& out);

} // namespace Zest::RotateSamples
