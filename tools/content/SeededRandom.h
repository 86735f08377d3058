#pragma once
// Pseudo-random numbers that are the same on every run, so that the pictures do not change
// from build to build.

#include <cstdint>

namespace Content {

class SeededRandom {
public:
    static constexpr uint32_t kSharedStream = 12345u;

    // The stream is mixed into the start: a family of pictures may keep a stream of its own,
    // so that its seeds do not repeat another family's textures.
    explicit SeededRandom(const uint32_t seed, const uint32_t stream = kSharedStream)
        : mState(seed * 2654435761u + stream)
    {
    }

    // A number from 0 up to 1.
    double Next()
    {
        mState = mState * 1664525u + 1013904223u;
        return (mState >> 8) / static_cast<double>(1u << 24);
    }

    double Range(const double low, const double high) { return low + (high - low) * Next(); }

private:
    uint32_t mState;
};

} // namespace Content
