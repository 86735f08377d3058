#include "tests/platform/ddraw/StandInFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace DDraw;
using Tests::Ref;
using Tests::References;
using Tests::StandInTest;

using DisplayModeTest = StandInTest;

constexpr DWORD kFullScreen = DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN;

DDSURFACEDESC2 FlipChain()
{
    DDSURFACEDESC2 description{};
    description.dwSize = sizeof(description);
    description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    description.dwBackBufferCount = 1;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    return description;
}

TEST_F(DisplayModeTest, CooperativeLevelIsNormalOrExclusiveFullScreen)
{
    Ref<IDirectDraw7> directDraw = MakeDirectDraw();
    EXPECT_EQ(directDraw->SetCooperativeLevel(mWindow, DDSCL_EXCLUSIVE), DDERR_INVALIDPARAMS);
    EXPECT_EQ(directDraw->SetCooperativeLevel(mWindow, DDSCL_NORMAL | DDSCL_FULLSCREEN), DDERR_INVALIDPARAMS);
    EXPECT_EQ(directDraw->SetCooperativeLevel(nullptr, kFullScreen), DDERR_INVALIDPARAMS);
    EXPECT_EQ(directDraw->SetDisplayMode(800, 600, 32, 0, 0), DDERR_NOEXCLUSIVEMODE);
    ASSERT_EQ(directDraw->SetCooperativeLevel(mWindow, DDSCL_NORMAL), DD_OK);
    EXPECT_EQ(directDraw->SetDisplayMode(800, 600, 32, 0, 0), DDERR_NOEXCLUSIVEMODE);
    ASSERT_EQ(directDraw->SetCooperativeLevel(mWindow, kFullScreen), DD_OK);
    EXPECT_EQ(directDraw->SetDisplayMode(800, 600, 32, 0, 0), DD_OK);
}

TEST_F(DisplayModeTest, DisplayModeTakesOverTheDesktopUntilRestored)
{
    ASSERT_TRUE(Win32::SetDesktopSize(1280, 800));
    Ref<IDirectDraw7> directDraw = MakeDirectDraw();
    ASSERT_EQ(directDraw->SetCooperativeLevel(mWindow, kFullScreen), DD_OK);
    for (const DWORD bits : {0u, 8u, 15u, 24u, 64u})
        EXPECT_EQ(directDraw->SetDisplayMode(800, 600, bits, 0, 0), DDERR_INVALIDMODE) << bits << " bits";
    EXPECT_EQ(directDraw->SetDisplayMode(0, 600, 32, 0, 0), DDERR_INVALIDMODE);

    ASSERT_EQ(directDraw->SetDisplayMode(800, 600, 16, 0, 0), DD_OK);
    EXPECT_EQ(Win32::GetSystemMetrics(Win32::SM_CXSCREEN), 800);
    EXPECT_EQ(Win32::GetSystemMetrics(Win32::SM_CYSCREEN), 600);
    DDSURFACEDESC2 mode{};
    mode.dwSize = sizeof(mode);
    ASSERT_EQ(directDraw->GetDisplayMode(&mode), DD_OK);
    EXPECT_EQ(mode.dwWidth, 800u);
    EXPECT_EQ(mode.dwHeight, 600u);
    EXPECT_EQ(mode.ddpfPixelFormat.dwRGBBitCount, 16u);
    EXPECT_EQ(mode.ddpfPixelFormat.dwGBitMask, 0x07E0u);

    // Surfaces take the mode's size and bits; 16 bits are 5-6-5 unless the desktop's own
    // 16-bit format says otherwise.
    Ref<IDirectDrawSurface7> primary = MakeSurface(directDraw.get(), FlipChain());
    DDSURFACEDESC2 description{};
    ASSERT_EQ(primary->GetSurfaceDesc(&description), DD_OK);
    EXPECT_EQ(description.dwWidth, 800u);
    EXPECT_EQ(description.dwHeight, 600u);
    EXPECT_EQ(description.ddpfPixelFormat.dwRGBBitCount, 16u);
    EXPECT_EQ(description.ddpfPixelFormat.dwRBitMask, 0xF800u);
    primary.reset();

    ASSERT_EQ(directDraw->RestoreDisplayMode(), DD_OK);
    EXPECT_EQ(Win32::GetSystemMetrics(Win32::SM_CXSCREEN), 1280);
    EXPECT_EQ(Win32::GetSystemMetrics(Win32::SM_CYSCREEN), 800);

    // A mode left set goes with its DirectDraw object.
    ASSERT_EQ(directDraw->SetDisplayMode(1024, 768, 32, 0, 0), DD_OK);
    directDraw.reset();
    EXPECT_EQ(Win32::GetSystemMetrics(Win32::SM_CXSCREEN), 1280);
}

TEST_F(DisplayModeTest, MonitorFrequencyIsReportedAsTheControlsSayOrRefused)
{
    Ref<IDirectDraw7> directDraw = MakeWindowedDirectDraw();
    DWORD frequency = 0;
    for (const int reported : {56, 75, 120}) {
        mControls->monitorFrequency = reported;
        ASSERT_EQ(directDraw->GetMonitorFrequency(&frequency), DD_OK);
        EXPECT_EQ(frequency, static_cast<DWORD>(reported));
    }
    mControls->monitorFrequency = -1;
    EXPECT_TRUE(Win32::FAILED(directDraw->GetMonitorFrequency(&frequency)));
    // The dummy video driver knows no refresh rate.
    mControls->monitorFrequency = 0;
    EXPECT_EQ(directDraw->GetMonitorFrequency(&frequency), DDERR_UNSUPPORTED);
    EXPECT_EQ(directDraw->GetMonitorFrequency(nullptr), DDERR_INVALIDPARAMS);
}

TEST_F(DisplayModeTest, WindowedPrimaryIsTheClientArea)
{
    Ref<IDirectDraw7> directDraw = MakeWindowedDirectDraw();
    Ref<IDirectDrawSurface7> primary = MakePrimary(directDraw.get());
    DDSURFACEDESC2 description{};
    ASSERT_EQ(primary->GetSurfaceDesc(&description), DD_OK);
    EXPECT_EQ(description.dwWidth, static_cast<DWORD>(kWidth));
    EXPECT_EQ(description.dwHeight, static_cast<DWORD>(kHeight));
    EXPECT_NE(description.ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE, 0u);

    DDSURFACEDESC2 chain = FlipChain();
    IDirectDrawSurface7* surface = nullptr;
    primary.reset();
    EXPECT_EQ(directDraw->CreateSurface(&chain, &surface, nullptr), DDERR_NOEXCLUSIVEMODE);
}

TEST_F(DisplayModeTest, FlipSwapsTheFrontBufferWithItsAttachedBackBuffer)
{
    Ref<IDirectDraw7> directDraw = MakeDirectDraw();
    ASSERT_EQ(directDraw->SetCooperativeLevel(mWindow, kFullScreen), DD_OK);
    ASSERT_EQ(directDraw->SetDisplayMode(640, 480, 32, 0, 0), DD_OK);
    Ref<IDirectDrawSurface7> front = MakeSurface(directDraw.get(), FlipChain());
    EXPECT_EQ(mControls->liveObjects, 3);

    DDSCAPS2 backBufferCaps{DDSCAPS_BACKBUFFER, 0, 0, 0};
    IDirectDrawSurface7* attached = nullptr;
    ASSERT_EQ(front->GetAttachedSurface(&backBufferCaps, &attached), DD_OK);
    Ref<IDirectDrawSurface7> back(attached);
    EXPECT_EQ(References(back.get()), 2u) << "the front buffer holds one reference";
    DDSCAPS2 textureCaps{DDSCAPS_TEXTURE, 0, 0, 0};
    EXPECT_EQ(front->GetAttachedSurface(&textureCaps, &attached), DDERR_NOTFOUND);

    Draw(front.get(), [](int, int) { return 0x111111u; });
    Draw(back.get(), [](int x, int y) { return static_cast<uint32_t>(x * y); });
    ASSERT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    EXPECT_EQ(Read(front.get()), Pixels(640, 480, [](int x, int y) { return static_cast<uint32_t>(x * y); }));
    EXPECT_EQ(Read(back.get()), Pixels(640, 480, [](int, int) { return 0x111111u; }));

    EXPECT_EQ(back->Flip(nullptr, DDFLIP_WAIT), DDERR_NOTFLIPPABLE);
    DDSURFACEDESC2 description{};
    ASSERT_EQ(back->Lock(nullptr, &description, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(front->Flip(nullptr, DDFLIP_WAIT), DDERR_SURFACEBUSY);
    ASSERT_EQ(back->Unlock(nullptr), DD_OK);

    // The back buffer stays until both the test and the front buffer let it go.
    front.reset();
    EXPECT_EQ(mControls->liveObjects, 2);
    EXPECT_EQ(back->IsLost(), DD_OK);
}

} // namespace
