#pragma once
// The game's own random source: one 32-bit word stepped twice per draw by a 16-bit
// multiply-with-carry generator. The application seeds it from the calendar time (or from a
// demo's seed while one records or plays), so a replay deals the same tiles.

#include <cstdint>

class GameRandom {
public:
    explicit GameRandom(uint32_t seed = 0) { Seed(seed); }

    // A few seeds make the generator repeat one output for ever, so that Next(n) could never
    // find a value in range (or always gives 0); those seeds are moved to a neighbour.
    void Seed(uint32_t seed);
    uint32_t GetState() const { return mState; }

    // An integer in [0, n], every value equally likely; n may be the largest uint32.
    uint32_t Next(uint32_t n);

private:
    uint32_t mState = 0;
};
