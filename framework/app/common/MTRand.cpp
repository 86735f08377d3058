#include "framework/app/common/MTRand.h"

namespace Zest {

void MTRand::SeedRandom(uint32_t seed)
{
    if (seed == 0)
        seed = kDefaultSeed;
    mt[0] = seed;
    for (int i = 1; i < kStateSize; ++i)
        mt[i] = 1812433253u * (mt[i - 1] ^ (mt[i - 1] >> 30)) + static_cast<uint32_t>(i);
    mti = kStateSize;
}

MTRand& GlobalMTRand()
{
    static MTRand state;
    return state;
}

void SeedRandom(const uint32_t seed) { GlobalMTRand().SeedRandom(seed); }

} // namespace Zest
