#pragma once
// A 32-bit display with the software cursor: a background in which every pixel of the window
// has a colour of its own, a small cursor picture in colours no background has, and the
// window as it must look with the cursor at a place, compared pixel by pixel.

#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "tests/framework/directx/DisplayFixture.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <sstream>
#include <vector>

namespace Tests {

// The window as 0x00RRGGBB words, row by row.
using Frame = std::vector<uint32_t>;

inline constexpr int kFrameWidth = 800;
inline constexpr int kFrameHeight = 600;

// 7 x 5 pixels, so that centring it in the 64 x 64 cursor area rounds down both ways: from
// the area's corner at (x - 32, y - 32) it lies (64 - 7) / 2 = 28 right and (64 - 5) / 2 =
// 29 down, at (x - 4, y - 3).
inline constexpr int kPictureWidth = 7;
inline constexpr int kPictureHeight = 5;
inline constexpr int kPictureLeft = -4;
inline constexpr int kPictureTop = -3;

// Red 0xF0, which no background has, and every pixel its own green.
inline uint32_t PicturePixel(const int x, const int y)
{
    return 0x00F000F0u | static_cast<uint32_t>(y * kPictureWidth + x) << 8;
}

// The picture as opaque 0xAARRGGBB pixels, for an image's bits.
inline std::vector<uint32_t> PictureBits()
{
    std::vector<uint32_t> bits;
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth; ++x)
            bits.push_back(0xFF000000u | PicturePixel(x, y));
    }
    return bits;
}

// Red and green are x and y modulo 128 (red stays below 0x80), blue holds the multiples of
// 128 and the variant, so that no two pixels of one background and no pixel of two
// variants at the same place are alike.
inline Frame Background(const int variant = 0)
{
    Frame frame;
    frame.reserve(static_cast<size_t>(kFrameWidth) * kFrameHeight);
    for (int y = 0; y < kFrameHeight; ++y) {
        for (int x = 0; x < kFrameWidth; ++x) {
            const int blue = (x >> 7) | (y >> 7) << 3 | variant << 6;
            frame.push_back(static_cast<uint32_t>((x & 0x7F) << 16 | (y & 0x7F) << 8 | blue));
        }
    }
    return frame;
}

// The frame with the cursor picture of a cursor at (x, y), cut to the window.
inline Frame WithCursor(Frame frame, const int x, const int y)
{
    for (int py = 0; py < kPictureHeight; ++py) {
        for (int px = 0; px < kPictureWidth; ++px) {
            const int fx = x + kPictureLeft + px;
            const int fy = y + kPictureTop + py;
            if (fx >= 0 && fx < kFrameWidth && fy >= 0 && fy < kFrameHeight)
                frame[static_cast<size_t>(fy) * kFrameWidth + fx] = PicturePixel(px, py);
        }
    }
    return frame;
}

// Every pixel alike (the unused top byte aside); otherwise how many differ and the first.
inline ::testing::AssertionResult SameFrame(const Frame& actual, const Frame& expected)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "read " << actual.size() << " pixels, not " << expected.size();
    size_t wrong = 0;
    size_t first = 0;
    for (size_t i = 0; i < actual.size(); ++i) {
        if ((actual[i] & 0x00FFFFFF) != expected[i] && wrong++ == 0)
            first = i;
    }
    if (wrong == 0)
        return ::testing::AssertionSuccess();
    std::ostringstream text;
    text << wrong << " pixels differ, the first at (" << first % kFrameWidth << ", " << first / kFrameWidth
         << "): 0x" << std::hex << (actual[first] & 0x00FFFFFF) << " instead of 0x" << expected[first];
    return ::testing::AssertionFailure() << text.str();
}

class CursorDisplayTest : public DisplayTest {
protected:
    // The picture goes before the display it was made on.
    void TearDown() override
    {
        mPicture.reset();
        DisplayTest::TearDown();
    }

    // A windowed 8-8-8 display of the frame's size, and the cursor picture on it.
    void StartWindowed()
    {
        UseDesktopFormat(kFormat888);
        ASSERT_EQ(InitWindowed(), Zest::DDInterface::RESULT_OK) << mDisplay->mErrorString;
        MakePicture();
    }

    // Full screen in an 800 x 600 mode on a desktop of that size.
    void StartFullScreen()
    {
        UseDesktopFormat(kFormat888);
        Win32::SetDesktopSize(kFrameWidth, kFrameHeight);
        ASSERT_EQ(InitFullScreen(), Zest::DDInterface::RESULT_OK) << mDisplay->mErrorString;
        MakePicture();
    }

    void MakePicture()
    {
        if (mPicture != nullptr)
            return;
        mPicture = std::make_unique<Zest::DDImage>(mDisplay.get());
        mPicture->SetBits(PictureBits().data(), kPictureWidth, kPictureHeight, true);
    }

    // Writes the frame into the screen image, which the next Redraw presents.
    void DrawScreen(const Frame& frame)
    {
        Zest::DDImage* const screen = mDisplay->GetScreenImage();
        ASSERT_NE(screen, nullptr);
        ASSERT_TRUE(screen->LockSurface());
        auto* const bytes = static_cast<uint8_t*>(screen->mLockedDesc.lpSurface);
        for (int y = 0; y < kFrameHeight; ++y)
            std::memcpy(bytes + static_cast<ptrdiff_t>(y) * screen->mLockedDesc.lPitch,
                        frame.data() + static_cast<size_t>(y) * kFrameWidth, kFrameWidth * sizeof(uint32_t));
        screen->UnlockSurface();
    }

    void Present(const Frame& frame)
    {
        DrawScreen(frame);
        ASSERT_TRUE(mDisplay->Redraw()) << mDisplay->mErrorString;
    }

    Frame Primary() { return SurfacePixels(mDisplay->mPrimarySurface); }
    Frame DrawBuffer() { return SurfacePixels(mDisplay->mDrawSurface); }

    // Records (x, y) while no picture is set, then sets the picture: nothing is drawn until
    // the next frame.
    void AwaitFrameWithCursor(Zest::Image* picture, const int x, const int y)
    {
        mDisplay->SetCursorImage(nullptr);
        mDisplay->SetCursorPos(x, y);
        mDisplay->SetCursorImage(picture);
    }

    // The primary surface shows the background with one cursor, at (x, y).
    ::testing::AssertionResult ShowsCursorAt(const Frame& background, const int x, const int y)
    {
        return SameFrame(Primary(), WithCursor(background, x, y));
    }

    // Presents the draw buffer, which holds the background: the frame shows the cursor at
    // (x, y), and the draw buffer is left without it.
    ::testing::AssertionResult PresentsCursorAt(const Frame& background, const int x, const int y)
    {
        if (!mDisplay->Redraw())
            return ::testing::AssertionFailure() << "Redraw failed: " << mDisplay->mErrorString;
        if (::testing::AssertionResult shown = ShowsCursorAt(background, x, y); !shown)
            return ::testing::AssertionFailure() << "primary surface: " << shown.message();
        if (::testing::AssertionResult left = SameFrame(DrawBuffer(), background); !left)
            return ::testing::AssertionFailure() << "draw buffer: " << left.message();
        return ::testing::AssertionSuccess();
    }

    std::unique_ptr<Zest::DDImage> mPicture;
};

} // namespace Tests
