#include "framework/graphics/Color.h"

namespace Zest {

const Color Color::Black(0, 0, 0, 255);
const Color Color::White(255, 255, 255, 255);

Color::Color(const uint32_t packed)
    : mRed(static_cast<int>((packed >> 16) & 0xFF)), mGreen(static_cast<int>((packed >> 8) & 0xFF)),
      mBlue(static_cast<int>(packed & 0xFF)), mAlpha(static_cast<int>(packed >> 24))
{
    if (mAlpha == 0)
        mAlpha = 255;
}

} // namespace Zest
