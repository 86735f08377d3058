#pragma once
// Pictures for widgets to draw, and checks of what they drew on the test screen.

#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/WidgetManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>

namespace Tests {

// An image of one colour.
inline std::unique_ptr<Zest::MemoryImage> SolidImage(Zest::AppInterface* const app, const int width,
                                                     const int height, const Zest::Color& color)
{
    auto image = std::make_unique<Zest::MemoryImage>(app);
    image->Create(width, height);
    Zest::Graphics g(image.get());
    g.SetColor(color);
    g.FillRect(0, 0, width, height);
    return image;
}

// Clears the screen and draws every widget of the manager on it.
inline void RedrawAll(Zest::WidgetManager& manager, Zest::MemoryImage& screen)
{
    screen.ClearRect(Zest::Rect(0, 0, screen.mWidth, screen.mHeight));
    manager.MarkAllDirty();
    manager.DrawScreen();
}

// A pixel (0xAARRGGBB) shows the colour when every channel is within 2: a blitted image may
// come out a step darker than its source.
inline ::testing::AssertionResult ShowsColor(const Zest::Color& expected, const uint32_t pixel)
{
    const int wanted[] = {expected.mAlpha, expected.mRed, expected.mGreen, expected.mBlue};
    for (int i = 0; i < 4; ++i) {
        const int actual = static_cast<int>((pixel >> (24 - 8 * i)) & 0xFF);
        if (std::abs(wanted[i] - actual) > 2) {
            std::ostringstream message;
            message << std::hex << "pixel 0x" << pixel << " is not 0x" << expected.ToInt();
            return ::testing::AssertionFailure() << message.str();
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace Tests
