#include "game/screens/HelpSamples.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/Res.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t kSegmentLength = 8;
// The game's own factor for degrees.
constexpr float kPulseRadiansPerUpdate = 3.1415255f / 180.0f;

} // namespace

void DrawChainDemo(Zest::Graphics* const g, const ChainDemo& demo, const int32_t step)
{
    if (step > demo.mLastStep)
        return;
    for (int32_t j = 0; j < step; ++j) {
        for (int32_t k = 0; k < demo.mSegments; ++k)
            g->DrawImage(IMAGE_GAME_LINE_ELEMENT, demo.mLineX + demo.mSpacing * j + kSegmentLength * k, demo.mLineY);
    }
    const int32_t halfPointerWidth = IMAGE_CUSTOM_POINTER->GetWidth() / 2;
    const int32_t halfPointerHeight = IMAGE_CUSTOM_POINTER->GetHeight() / 2;
    const int32_t offset = demo.mSpacing * step + halfPointerWidth;
    g->DrawImage(IMAGE_CUSTOM_POINTER, demo.mPointerX + offset, demo.mPointerY + halfPointerHeight);
    if (demo.mMouse)
        g->DrawImage(IMAGE_GAME_MOUSE_LBTN, demo.mMouseX + offset, demo.mMouseY + halfPointerHeight);
}

float InfectionPulse(const int32_t updateCount)
{
    return std::sin(static_cast<float>(updateCount) * kPulseRadiansPerUpdate);
}

Zest::Color InfectionTint(const float pulse, const int32_t alpha)
{
    const int32_t fade = static_cast<int32_t>(std::trunc(-128.0f * pulse));
    const int32_t greenBlue = std::clamp(127 + fade, 0, 255);
    return Zest::Color(255, greenBlue, greenBlue, alpha);
}
