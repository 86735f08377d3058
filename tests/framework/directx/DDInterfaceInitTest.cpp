#include "framework/directx/D3DInterface.h"
#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "tests/framework/directx/DisplayFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace DDraw;
using Tests::DesktopFormat;
using Tests::DisplayTest;
using Tests::kFormat555;
using Tests::kFormat565;
using Tests::kFormat888;
using Zest::DDInterface;

// Entry i of a saturation table is min(i, maximum), over 2 x maximum + 1 entries.
void ExpectSaturationTable(const std::vector<int32_t>& table, const int32_t maximum, const char* channel)
{
    ASSERT_EQ(table.size(), static_cast<size_t>(2 * maximum + 1)) << channel;
    for (int32_t i = 0; i < static_cast<int32_t>(table.size()); ++i)
        ASSERT_EQ(table[static_cast<size_t>(i)], std::min(i, maximum)) << channel << " entry " << i;
}

TEST_F(DisplayTest, WindowedInitOnA32BitDesktopDescribesTheDisplay)
{
    ASSERT_EQ(InitWindowed(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
    const DDInterface& display = *mDisplay;
    EXPECT_TRUE(display.mInitialized);
    EXPECT_TRUE(display.mIsWindowed);
    EXPECT_EQ(display.mInitCount, 1);
    EXPECT_EQ(display.mWidth, 800);
    EXPECT_EQ(display.mHeight, 600);
    EXPECT_EQ(display.mAspect.mNumerator, 4);
    EXPECT_EQ(display.mAspect.mDenominator, 3);
    EXPECT_EQ(display.mPresentationRect, Zest::Rect(0, 0, 800, 600));
    EXPECT_EQ(display.mFullScreenBits, 32);

    EXPECT_EQ(display.mRGBBits, 32);
    EXPECT_EQ(display.mRedMask, 0x00FF0000u);
    EXPECT_EQ(display.mGreenMask, 0x0000FF00u);
    EXPECT_EQ(display.mBlueMask, 0x000000FFu);
    EXPECT_EQ(display.mRedShift, 16);
    EXPECT_EQ(display.mGreenShift, 8);
    EXPECT_EQ(display.mBlueShift, 0);
    EXPECT_EQ(display.mRedBits, 8);
    EXPECT_EQ(display.mGreenBits, 8);
    EXPECT_EQ(display.mBlueBits, 8);
    EXPECT_TRUE(Zest::gDisplayRGBOrdered);
    ExpectSaturationTable(display.mRedAddTable, 255, "red");
    ExpectSaturationTable(display.mGreenAddTable, 255, "green");
    ExpectSaturationTable(display.mBlueAddTable, 255, "blue");
    for (uint32_t i = 0; i < 256; ++i) {
        ASSERT_EQ(display.mRedConvTable[i], i << 16) << i;
        ASSERT_EQ(display.mGreenConvTable[i], i << 8) << i;
        ASSERT_EQ(display.mBlueConvTable[i], i) << i;
    }

    // The screen image lives on the draw surface; the cursor areas on their own.
    ASSERT_NE(display.mScreenImage, nullptr);
    EXPECT_EQ(display.mScreenImage->mWidth, 800);
    EXPECT_EQ(display.mScreenImage->mHeight, 600);
    EXPECT_EQ(display.mScreenImage->mSurface, display.mDrawSurface);
    EXPECT_FALSE(display.mScreenImage->mLockDisabled);
    for (const Zest::DDImage* area : {display.mOldCursorAreaImage, display.mNewCursorAreaImage}) {
        ASSERT_NE(area, nullptr);
        EXPECT_EQ(area->mWidth, 64);
        EXPECT_EQ(area->mHeight, 64);
        EXPECT_TRUE(area->mSurfaceSet);
    }
    EXPECT_EQ(display.mOldCursorAreaImage->mSurface, display.mOldCursorArea);
    EXPECT_EQ(display.mNewCursorAreaImage->mSurface, display.mNewCursorArea);
}

TEST_F(DisplayTest, InitAgainRebuildsEverythingWithoutGrowing)
{
    ASSERT_EQ(InitWindowed(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
    const int liveAfterFirst = mControls->liveObjects;
    ASSERT_EQ(InitWindowed(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
    EXPECT_EQ(mDisplay->mInitCount, 2);
    EXPECT_EQ(mControls->liveObjects, liveAfterFirst);
    // Every image on the display is one of its own three.
    EXPECT_EQ(mDisplay->mDDImageSet.size(), 3u);
}

TEST_F(DisplayTest, SixteenBitDesktopsDescribeTheirFields)
{
    const struct {
        const char* name;
        DesktopFormat format;
        int shifts[3];
        int bits[3];
        uint32_t redConv255;
        uint32_t redConv128;
        uint32_t greenConv255;
        bool rgbOrdered;
    } cases[] = {
        {"5-6-5", kFormat565, {11, 5, 0}, {5, 6, 5}, 0xF800, 0x7800, 0x07E0, true},
        {"5-5-5", kFormat555, {10, 5, 0}, {5, 5, 5}, 0x7C00, 0x3C00, 0x03E0, true},
        {"5-6-5 blue first", {16, 0x001F, 0x07E0, 0xF800}, {0, 5, 11}, {5, 6, 5}, 0x001F, 0x000F, 0x07E0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UseDesktopFormat(c.format);
        ASSERT_EQ(InitWindowed(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
        const DDInterface& display = *mDisplay;
        EXPECT_EQ(display.mRGBBits, 16);
        EXPECT_EQ(display.mRedShift, c.shifts[0]);
        EXPECT_EQ(display.mGreenShift, c.shifts[1]);
        EXPECT_EQ(display.mBlueShift, c.shifts[2]);
        EXPECT_EQ(display.mRedBits, c.bits[0]);
        EXPECT_EQ(display.mGreenBits, c.bits[1]);
        EXPECT_EQ(display.mBlueBits, c.bits[2]);
        ExpectSaturationTable(display.mRedAddTable, (1 << c.bits[0]) - 1, "red");
        ExpectSaturationTable(display.mGreenAddTable, (1 << c.bits[1]) - 1, "green");
        ExpectSaturationTable(display.mBlueAddTable, (1 << c.bits[2]) - 1, "blue");
        EXPECT_EQ(display.mRedConvTable[255], c.redConv255);
        EXPECT_EQ(display.mRedConvTable[128], c.redConv128);
        EXPECT_EQ(display.mRedConvTable[0], 0u);
        EXPECT_EQ(display.mGreenConvTable[255], c.greenConv255);
        EXPECT_EQ(Zest::gDisplayRGBOrdered, c.rgbOrdered);
    }
}

TEST_F(DisplayTest, TwentyFourBitDesktopIsAnInvalidColourDepth)
{
    mControls->desktopBits = 24;
    EXPECT_EQ(InitWindowed(), DDInterface::RESULT_INVALID_COLORDEPTH);
    EXPECT_EQ(mDisplay->mErrorString, "CreateSurface Windowed Primary: DDERR_INVALIDPIXELFORMAT");
    EXPECT_FALSE(mDisplay->mInitialized);
    EXPECT_EQ(mDisplay->mPrimarySurface, nullptr);
}

TEST_F(DisplayTest, RefreshRateIsClampedAndClampsReportBrokenVSync)
{
    const struct {
        int reported; // negative: the query fails
        uint32_t rate;
        int32_t millis;
        bool broken;
    } cases[] = {
        {-1, 60, 16, true}, {56, 60, 16, true},   {60, 60, 16, false},  {75, 75, 13, false},
        {85, 85, 11, false}, {100, 100, 10, false}, {120, 100, 10, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reported);
        mControls->monitorFrequency = c.reported;
        mApp.mVSyncTimingBroken = false;
        ASSERT_EQ(InitWindowed(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
        EXPECT_EQ(mDisplay->mRefreshRate, c.rate);
        EXPECT_EQ(mDisplay->mMillisPerFrame, c.millis);
        EXPECT_EQ(mApp.mVSyncTimingBroken, c.broken);
    }
}

// Each failure of a set-up step gives the step's result and its text with the result's
// name; the display then still initialises and, deleted, leaves no DirectDraw object behind.
TEST_F(DisplayTest, EachSetUpStepReportsItsFailure)
{
    constexpr bool kWindowed = true;
    constexpr bool kFullScreen = false;
    const struct {
        const char* method;
        int skip;
        bool windowed;
        int result;
        const char* step;
    } cases[] = {
        {"DirectDrawCreateEx", 0, kWindowed, DDInterface::RESULT_DD_CREATE_FAIL, "DirectDrawCreateEx"},
        {"IDirectDraw7::QueryInterface", 0, kWindowed, DDInterface::RESULT_DD_CREATE_FAIL,
         "QueryrInterface IID_IDirectDraw"},
        {"IDirectDraw7::CreateSurface", 0, kWindowed, DDInterface::RESULT_SURFACE_FAIL,
         "CreateSurface Windowed Primary"},
        {"IDirectDrawSurface7::QueryInterface", 0, kWindowed, DDInterface::RESULT_SURFACE_FAIL,
         "CreateSurface Windowed Primary"},
        {"IDirectDraw7::CreateSurface", 1, kWindowed, DDInterface::RESULT_SURFACE_FAIL,
         "CreateSurface Windowed DrawSurface"},
        {"IDirectDraw::CreateClipper", 0, kWindowed, DDInterface::RESULT_FAIL, "CreateClipper Windowed"},
        {"IDirectDraw7::CreateSurface", 2, kWindowed, DDInterface::RESULT_SURFACE_FAIL,
         "CreateSurface OldCursorArea"},
        {"IDirectDraw7::CreateSurface", 3, kWindowed, DDInterface::RESULT_SURFACE_FAIL,
         "CreateSurface NewCursorArea"},
        {"DirectDrawCreateEx", 0, kFullScreen, DDInterface::RESULT_DD_CREATE_FAIL, "DirectDrawCreateEx"},
        {"IDirectDraw::SetCooperativeLevel", 0, kFullScreen, DDInterface::RESULT_EXCLUSIVE_FAIL,
         "SetCooperativeLevel FullScreen"},
        {"IDirectDraw::SetDisplayMode", 0, kFullScreen, DDInterface::RESULT_DISPCHANGE_FAIL,
         "SetDisplayMode FullScreen"},
        {"IDirectDraw7::CreateSurface", 0, kFullScreen, DDInterface::RESULT_SURFACE_FAIL,
         "CreateSurface FullScreen Primary"},
        {"IDirectDrawSurface::GetAttachedSurface", 0, kFullScreen, DDInterface::RESULT_SURFACE_FAIL,
         "GetAttachedSurface"},
        {"IDirectDraw7::CreateSurface", 1, kFullScreen, DDInterface::RESULT_SURFACE_FAIL,
         "CreateSurface FullScreen DrawSurface"},
        {"IDirectDraw::CreateClipper", 0, kFullScreen, DDInterface::RESULT_FAIL, "CreateClipper FullScreen"},
        {"IDirectDraw7::CreateSurface", 2, kFullScreen, DDInterface::RESULT_SURFACE_FAIL,
         "CreateSurface OldCursorArea"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.method) + " after " + std::to_string(c.skip) +
                     (c.windowed ? ", windowed" : ", full screen"));
        Win32::SetDesktopSize(1024, 768);
        mDisplay = std::make_unique<DDInterface>(&mApp);
        FailCall(c.method, c.skip, DDERR_EXCEPTION);
        EXPECT_EQ(mDisplay->Init(mWindow, c.windowed), c.result);
        EXPECT_EQ(mDisplay->mErrorString, std::string(c.step) + ": DDERR_EXCEPTION");
        EXPECT_FALSE(mDisplay->mInitialized);
        EXPECT_EQ(mDisplay->mInitCount, 0);

        mControls->failures.clear();
        EXPECT_EQ(mDisplay->Init(mWindow, c.windowed), DDInterface::RESULT_OK) << mDisplay->mErrorString;
        EXPECT_TRUE(mDisplay->mInitialized);
        mDisplay.reset();
        EXPECT_EQ(mControls->liveObjects, 0);
    }
}

TEST_F(DisplayTest, FullScreenModeIsTheDesktopOnlyForWider3D)
{
    const struct {
        int desktopWidth;
        int desktopHeight;
        bool is3D;
        int displayWidth;
        int displayHeight;
        bool widescreen;
        Zest::Rect presentation;
    } cases[] = {
        {1024, 768, false, 800, 600, false, {0, 0, 800, 600}},
        {1280, 800, false, 800, 600, false, {0, 0, 800, 600}},
        {1024, 768, true, 800, 600, false, {0, 0, 800, 600}},
        {1280, 800, true, 1280, 800, true, {107, 0, 1066, 800}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.desktopWidth) + "x" + std::to_string(c.desktopHeight) +
                     (c.is3D ? " with 3D" : ""));
        Win32::SetDesktopSize(c.desktopWidth, c.desktopHeight);
        mDisplay = std::make_unique<DDInterface>(&mApp);
        mDisplay->mIs3D = c.is3D;
        const int result = InitFullScreen();
        EXPECT_EQ(mDisplay->mDesktopWidth, c.desktopWidth);
        EXPECT_EQ(mDisplay->mDesktopHeight, c.desktopHeight);
        EXPECT_EQ(mDisplay->mDisplayWidth, c.displayWidth);
        EXPECT_EQ(mDisplay->mDisplayHeight, c.displayHeight);
        EXPECT_EQ(mDisplay->mIsWidescreen, c.widescreen);
        EXPECT_EQ(mDisplay->mPresentationRect, c.presentation);
        EXPECT_NE(mDisplay->mSecondarySurface, nullptr);
        if (c.is3D) {
            // The 3D renderer does not start yet: everything up to it was made.
            EXPECT_EQ(result, DDInterface::RESULT_3D_FAIL);
            EXPECT_EQ(mDisplay->mErrorString, "3D init error: " + Zest::gD3DErrorString);
            EXPECT_FALSE(Zest::gD3DErrorString.empty());
            EXPECT_FALSE(mDisplay->mInitialized);
            EXPECT_NE(mDisplay->mScreenImage, nullptr);
        } else {
            EXPECT_EQ(result, DDInterface::RESULT_OK) << mDisplay->mErrorString;
            EXPECT_TRUE(mDisplay->mInitialized);
            EXPECT_FALSE(mDisplay->mIsWindowed);
        }
    }
}

TEST_F(DisplayTest, WindowAfterWidescreenShowsTheBufferUnscaled)
{
    InitWidescreen();
    ASSERT_EQ(InitWindowed(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
    EXPECT_FALSE(mDisplay->mIsWidescreen);
    EXPECT_EQ(mDisplay->mDisplayWidth, 800);
    EXPECT_EQ(mDisplay->mDisplayHeight, 600);
    EXPECT_EQ(mDisplay->mPresentationRect, Zest::Rect(0, 0, 800, 600));
}

TEST_F(DisplayTest, FullScreen3DWithoutAHeightFailsInsteadOfDividingByIt)
{
    Win32::SetDesktopSize(1280, 800);
    mApp.mDisplaySettings.mHeight = 0;
    mDisplay->mIs3D = true;
    EXPECT_NE(InitFullScreen(), DDInterface::RESULT_OK);
    EXPECT_FALSE(mDisplay->mIsWidescreen);
    EXPECT_FALSE(mDisplay->mInitialized);
}

TEST_F(DisplayTest, CapabilityTestRunsOnceAndKeeps3DOffWhenItFails)
{
    mApp.mDisplaySettings.mAutoEnable3D = true;
    ASSERT_EQ(InitWindowed(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
    ASSERT_NE(mDisplay->mD3DTester, nullptr);
    EXPECT_FALSE(mDisplay->mIs3D);
    EXPECT_EQ(mApp.m3DTestFinishedCount, 1);
    ASSERT_EQ(InitWindowed(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
    EXPECT_EQ(mApp.m3DTestFinishedCount, 1);
}

TEST_F(DisplayTest, ScreenImageMovesToTheBackSurfaceWhenOneCanBeMade)
{
    mDisplay->mDrawToBackBuffer = true;
    ASSERT_EQ(InitWindowed(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
    ASSERT_NE(mDisplay->mSecondarySurface, nullptr);
    EXPECT_TRUE(mDisplay->mDrawToBackBuffer);
    EXPECT_EQ(mDisplay->mScreenImage->mSurface, mDisplay->mSecondarySurface);
    EXPECT_TRUE(mDisplay->mScreenImage->mLockDisabled);
    EXPECT_TRUE(mDisplay->mScreenImage->mInVideoMemory);

    // The back surface is the fifth surface of a windowed Init; refused, the screen image
    // stays on the draw surface.
    FailCall("IDirectDraw7::CreateSurface", 4, DDERR_OUTOFVIDEOMEMORY);
    ASSERT_EQ(InitWindowed(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
    EXPECT_EQ(mDisplay->mSecondarySurface, nullptr);
    EXPECT_FALSE(mDisplay->mDrawToBackBuffer);
    EXPECT_EQ(mDisplay->mScreenImage->mSurface, mDisplay->mDrawSurface);
    EXPECT_FALSE(mDisplay->mScreenImage->mLockDisabled);
}

TEST_F(DisplayTest, SurfacesCannotBeMadeBeforeInit)
{
    DDSURFACEDESC2 desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = 16;
    desc.dwHeight = 16;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    // Whatever the caller's pointer held, it comes back null.
    IDirectDrawSurface* surface = reinterpret_cast<IDirectDrawSurface*>(&desc);
    EXPECT_EQ(mDisplay->CreateSurface(&desc, &surface), DDERR_NOTINITIALIZED);
    EXPECT_EQ(surface, nullptr);

    // Nor after the display was cleaned up.
    ASSERT_EQ(InitWindowed(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
    mDisplay->Cleanup();
    surface = reinterpret_cast<IDirectDrawSurface*>(&desc);
    EXPECT_EQ(mDisplay->CreateSurface(&desc, &surface), DDERR_NOTINITIALIZED);
    EXPECT_EQ(surface, nullptr);
    EXPECT_EQ(mControls->liveObjects, 0);
}

} // namespace
