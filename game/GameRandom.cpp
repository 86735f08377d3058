#include "game/GameRandom.h"

#include <algorithm>

namespace {

constexpr uint32_t kMultiplier = 18000;

uint32_t Step(const uint32_t state)
{
    return kMultiplier * (state & 0xFFFF) + (state >> 16);
}

// 0 steps to itself, and 0x464FFFFF is the generator's other fixed point; the two seeds below
// step straight into it. From any other seed neither is ever reached.
bool IsDegenerate(const uint32_t seed)
{
    return seed == 0 || seed == 0x464FFFFFu || seed == 0x8C9FFFFEu || seed == 0xD2EFFFFDu;
}

} // namespace

void GameRandom::Seed(const uint32_t seed)
{
    mState = IsDegenerate(seed) ? seed ^ 1u : seed;
}

uint32_t GameRandom::Next(const uint32_t n)
{
    // Results are x / d for a 32-bit x; over the whole uint32 range the bucket width is 1
    // (0xFFFFFFFF / 2^32 would truncate to 0).
    const uint32_t bucket = std::max<uint32_t>(1, static_cast<uint32_t>(0xFFFFFFFFull / (uint64_t{n} + 1)));
    for (;;) {
        const uint32_t a = Step(mState);
        const uint32_t b = Step(a);
        mState = b;
        const uint32_t x = ((a & 0xFFFF) << 16) | (b & 0xFFFF);
        const uint32_t r = x / bucket;
        if (r <= n)
            return r;
    }
}
