#pragma once
// The framework's Mersenne-twister state. Start-up seeds it from the clock and a replayed
// demo from its recorded seed; the game draws its numbers from generators of its own.

#include <cstdint>

namespace Zest {

class MTRand {
public:
    static constexpr int kStateSize = 624;
    static constexpr uint32_t kDefaultSeed = 4357;

    MTRand() { SeedRandom(kDefaultSeed); }

    // The standard MT19937 initialisation; a seed of 0 means kDefaultSeed.
    void SeedRandom(uint32_t seed);

    uint32_t StateWord(int index) const { return mt[index]; }
    int32_t NextIndex() const { return mti; }

private:
    uint32_t mt[kStateSize];
    int32_t mti;
};

// The process's one state.
MTRand& GlobalMTRand();

// Seeds the process's state.
void SeedRandom(uint32_t seed);

} // namespace Zest
