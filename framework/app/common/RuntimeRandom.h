#pragma once
// The process-wide pseudo-random generator that board shuffles, effects and mini-games
// draw from. Its sequence is pinned (state x 214013 + 2531011, results are bits 16 to 30
// of the state), so a demo replays the same numbers on every machine. It is the
// project's own: the C library's rand() belongs to the libraries we link.

#include <cstdint>

namespace Zest {

constexpr int32_t RandMax = 32767;

// Sets the state; the state is 1 until the first call.
void SRand(uint32_t seed);
// The next number, 0 to RandMax.
int32_t Rand();

} // namespace Zest
