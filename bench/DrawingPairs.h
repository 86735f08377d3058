#pragma once
// Drawing cases done twice on the same pictures: once with our software blits and once
// with a well-tuned compositing library (pixman) set up to do the same work. The drawing
// benchmarks time each side; the pair test holds the two pictures against each other, so
// that a pair that drifts apart (and so times different work) is caught.

#include <cstdint>
#include <memory>
#include <vector>

namespace Bench {

// The screen both sides draw on, 800x600 ARGB pixels.
constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

// One case: each call draws the case once onto the screen.
class DrawingPair {
public:
    DrawingPair() = default;
    DrawingPair(const DrawingPair&) = delete;
    DrawingPair& operator=(const DrawingPair&) = delete;
    virtual ~DrawingPair() = default;

    virtual void DrawOurs() = 0;
    virtual void DrawPeer() = 0;
};

struct DrawingCase {
    const char* mName;
    std::unique_ptr<DrawingPair> (*mMake)();
};

const std::vector<DrawingCase>& DrawingCases();

// The screen's pixels, row by row, and their first state again.
const uint32_t* ScreenPixels();
void ResetScreen();

} // namespace Bench
