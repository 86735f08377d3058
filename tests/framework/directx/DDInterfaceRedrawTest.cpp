#include "framework/directx/D3DInterface.h"
#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "tests/framework/directx/DisplayFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <vector>

namespace {

using namespace DDraw;
using Tests::DisplayTest;
using Tests::SurfacePixels;
using Zest::DDInterface;
using Zest::Rect;

using Picture = std::function<uint32_t(int x, int y)>;
// A pixel whose colour a picture leaves open.
constexpr uint32_t kAnyColour = 0xFFFFFFFF;

// A picture in which every pixel differs from its neighbours, as 0x00RRGGBB.
Picture Pattern(const uint32_t seed)
{
    return [seed](const int x, const int y) {
        return ((static_cast<uint32_t>(x) * 3 + seed) & 0xFF) << 16 |
               ((static_cast<uint32_t>(y) * 5 + seed) & 0xFF) << 8 | (static_cast<uint32_t>(x ^ y) & 0xFF);
    };
}

// Compares the colour of every pixel that the picture fixes (the unused top byte aside);
// reports the first difference and how many there are.
::testing::AssertionResult ShowsPicture(const std::vector<uint32_t>& pixels, const int width, const int height,
                                        const Picture& expected)
{
    if (pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        return ::testing::AssertionFailure() << pixels.size() << " pixels, not " << width << " x " << height;
    int differences = 0;
    std::ostringstream first;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t wanted = expected(x, y);
            if (wanted == kAnyColour)
                continue;
            const uint32_t actual = pixels[static_cast<size_t>(y) * width + x] & 0x00FFFFFF;
            if (actual != wanted && differences++ == 0)
                first << std::hex << "(" << std::dec << x << ", " << y << ") is 0x" << std::hex << actual
                      << ", not 0x" << wanted;
        }
    }
    if (differences == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differences << " pixels differ; " << first.str();
}

class RedrawTest : public DisplayTest {
protected:
    // Writes the picture into locked 32-bit pixels, row by row at their pitch.
    static void WritePicture(const DDSURFACEDESC& desc, const Picture& picture)
    {
        ASSERT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 32u);
        auto* row = static_cast<uint8_t*>(desc.lpSurface);
        for (int y = 0; y < kHeight; ++y, row += desc.lPitch) {
            for (int x = 0; x < kWidth; ++x)
                reinterpret_cast<uint32_t*>(row)[x] = picture(x, y);
        }
    }

    // Draws the picture into the screen image through its lock.
    void DrawToScreen(const Picture& picture)
    {
        Zest::DDImage* const screen = mDisplay->GetScreenImage();
        ASSERT_NE(screen, nullptr);
        ASSERT_TRUE(screen->LockSurface());
        WritePicture(screen->mLockedDesc, picture);
        screen->UnlockSurface();
    }

    ::testing::AssertionResult PrimaryShows(const Picture& picture, const int width = kWidth,
                                            const int height = kHeight)
    {
        return ShowsPicture(SurfacePixels(mDisplay->mPrimarySurface), width, height, picture);
    }

    ::testing::AssertionResult PresenterShows(const int width, const int height, const Picture& picture)
    {
        if (mControls->presentedWidth != width || mControls->presentedHeight != height)
            return ::testing::AssertionFailure() << "presented " << mControls->presentedWidth << " x "
                                                 << mControls->presentedHeight;
        return ShowsPicture(mControls->presented, width, height, picture);
    }
};

TEST_F(RedrawTest, NothingIsPresentedWithoutAnInitialisedDisplay)
{
    EXPECT_FALSE(mDisplay->Redraw());
    FailCall("IDirectDraw7::CreateSurface", 1, DDERR_OUTOFVIDEOMEMORY);
    ASSERT_EQ(InitWindowed(), DDInterface::RESULT_SURFACE_FAIL);
    EXPECT_FALSE(mDisplay->Redraw());
    EXPECT_EQ(mControls->presentCount, 0);
}

TEST_F(RedrawTest, WindowedRedrawShowsTheScreenImage)
{
    ASSERT_EQ(InitWindowed(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
    DrawToScreen(Pattern(0));
    ASSERT_TRUE(mDisplay->Redraw()) << mDisplay->mErrorString;
    EXPECT_TRUE(PrimaryShows(Pattern(0)));
    EXPECT_TRUE(PresenterShows(kWidth, kHeight, Pattern(0)));
    EXPECT_FALSE(mDisplay->mInRedraw);
}

TEST_F(RedrawTest, WindowedRedrawFromTheBackSurface)
{
    mDisplay->mDrawToBackBuffer = true;
    ASSERT_EQ(InitWindowed(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
    ASSERT_TRUE(mDisplay->mDrawToBackBuffer);
    // The screen image there is never locked for software drawing: write the surface itself.
    IDirectDrawSurface* const back = mDisplay->mSecondarySurface;
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    ASSERT_EQ(back->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    WritePicture(desc, Pattern(3));
    back->Unlock(nullptr);

    ASSERT_TRUE(mDisplay->Redraw()) << mDisplay->mErrorString;
    EXPECT_TRUE(PrimaryShows(Pattern(3)));
}

TEST_F(RedrawTest, PendingDirect3DErrorTurns3DOffWithoutPresenting)
{
    ASSERT_EQ(InitWindowed(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
    const int presentCount = mControls->presentCount;
    Zest::gD3DErrorString = "EndScene: D3DERR_SCENE_END_FAILED";
    mDisplay->mIs3D = true;
    EXPECT_FALSE(mDisplay->Redraw());
    EXPECT_FALSE(mDisplay->mIs3D);
    EXPECT_FALSE(mDisplay->mInRedraw);
    EXPECT_EQ(mControls->presentCount, presentCount);
    // In 2D the error no longer stops the frames.
    EXPECT_TRUE(mDisplay->Redraw()) << mDisplay->mErrorString;
    Zest::gD3DErrorString.clear();
}

TEST_F(RedrawTest, ClipLimitsAWindowedRedrawToItsPart)
{
    ASSERT_EQ(InitWindowed(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
    DrawToScreen(Pattern(0));
    ASSERT_TRUE(mDisplay->Redraw()) << mDisplay->mErrorString;
    DrawToScreen(Pattern(100));
    Rect clip(120, 50, 200, 130);
    ASSERT_TRUE(mDisplay->Redraw(&clip)) << mDisplay->mErrorString;

    const Picture expected = [&clip](const int x, const int y) {
        const bool inside = x >= clip.mX && x < clip.mX + clip.mWidth && y >= clip.mY && y < clip.mY + clip.mHeight;
        return Pattern(inside ? 100 : 0)(x, y);
    };
    EXPECT_TRUE(PrimaryShows(expected));
    EXPECT_TRUE(PresenterShows(kWidth, kHeight, expected));
}

TEST_F(RedrawTest, FailedWindowedBlitIsReported)
{
    ASSERT_EQ(InitWindowed(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
    FailCall("IDirectDrawSurface::Blt", 0, DDERR_SURFACELOST);
    EXPECT_FALSE(mDisplay->Redraw());
    EXPECT_EQ(mDisplay->mErrorString, "Redraw Windowed: DDERR_SURFACELOST");
    EXPECT_FALSE(mDisplay->mInRedraw);
    EXPECT_TRUE(mDisplay->Redraw()) << mDisplay->mErrorString;
}

TEST_F(RedrawTest, FullScreenRedrawFlipsOrBlitsThePicture)
{
    // A popup or a refusal of page flipping presents by a blit to the primary surface.
    const struct {
        const char* name;
        bool popup;
        bool allowFlipping;
    } cases[] = {
        {"flip", false, true},
        {"popup", true, true},
        {"no page flipping", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // A screen of the mode's size shows the picture as it is.
        Win32::SetDesktopSize(kWidth, kHeight);
        mApp.mPopupShowing = c.popup;
        mApp.mDisplaySettings.mAllowPageFlipping = c.allowFlipping;
        ASSERT_EQ(InitFullScreen(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
        DrawToScreen(Pattern(7));
        ASSERT_TRUE(mDisplay->Redraw()) << mDisplay->mErrorString;
        EXPECT_TRUE(PrimaryShows(Pattern(7)));
        EXPECT_TRUE(PresenterShows(kWidth, kHeight, Pattern(7)));
    }
}

TEST_F(RedrawTest, WidescreenPictureIsStretchedBetweenBlackBars)
{
    // Presented in 2D, as the display would once its renderer starts.
    InitWidescreen();
    mDisplay->mInitialized = true;

    const Picture quadrants = [](const int x, const int y) -> uint32_t {
        if (x < kWidth / 2)
            return y < kHeight / 2 ? 0xFF0000 : 0x00FF00;
        return y < kHeight / 2 ? 0x0000FF : 0xFFFFFF;
    };
    DrawToScreen(quadrants);
    // A clip does not apply to a stretched picture: the whole buffer is shown.
    Rect clip(0, 0, 100, 100);
    ASSERT_TRUE(mDisplay->Redraw(&clip)) << mDisplay->mErrorString;

    // The buffer fills (107, 0, 1066, 800); where the stretch samples next to a quadrant's
    // edge is left open.
    const Picture expected = [&quadrants](const int x, const int y) -> uint32_t {
        if (x < 107 || x >= 107 + 1066)
            return 0x000000;
        if (std::abs(x - 640) <= 1 || std::abs(y - 400) <= 1)
            return kAnyColour;
        return quadrants((x - 107) * kWidth / 1066, y * kHeight / 800);
    };
    EXPECT_TRUE(PrimaryShows(expected, 1280, 800));
    EXPECT_TRUE(PresenterShows(1280, 800, expected));
}

TEST_F(RedrawTest, FailedFullScreenPresentationIsReported)
{
    const struct {
        bool popup;
        const char* method;
        const char* text;
    } cases[] = {
        {false, "IDirectDrawSurface::Flip", "Redraw FullScreen Flip: DDERR_SURFACELOST"},
        {true, "IDirectDrawSurface::Blt", "Redraw FullScreen Blt: DDERR_SURFACELOST"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.method);
        mApp.mPopupShowing = c.popup;
        ASSERT_EQ(InitFullScreen(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
        FailCall(c.method, 0, DDERR_SURFACELOST);
        EXPECT_FALSE(mDisplay->Redraw());
        EXPECT_EQ(mDisplay->mErrorString, c.text);
    }
}

} // namespace
