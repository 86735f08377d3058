#include "framework/app/common/RuntimeRandom.h"

#include <atomic>

namespace Zest {
namespace {

// Atomic, so that a draw on another thread cannot tear the state.
std::atomic<uint32_t> gState{1};

} // namespace

void SRand(const uint32_t seed) { gState.store(seed); }

int32_t Rand()
{
    uint32_t state = gState.load();
    uint32_t next = 0;
    do {
        next = state * 214013u + 2531011u;
    } while (!gState.compare_exchange_weak(state, next));
    return static_cast<int32_t>((next >> 16) & 0x7FFF);
}

} // namespace Zest
