#include "tests/platform/ddraw/StandInFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace DDraw;
using Tests::Ref;
using Tests::StandInTest;

using SurfaceTest = StandInTest;

constexpr DWORD kSized = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;

TEST_F(SurfaceTest, InvalidDescriptionsAreRefused)
{
    Ref<IDirectDraw7> directDraw = MakeWindowedDirectDraw();
    DDSURFACEDESC2 badFormat = Description(kSized | DDSD_PIXELFORMAT, DDSCAPS_SYSTEMMEMORY, 8, 8);
    badFormat.ddpfPixelFormat = Tests::RgbFormat(16, 0xF800, 0x0FE0, 0x001F); // red and green overlap
    DDSURFACEDESC2 badKey = Description(kSized | DDSD_CKSRCBLT, DDSCAPS_SYSTEMMEMORY, 8, 8);
    badKey.ddckCKSrcBlt = {5, 4};
    DDSURFACEDESC2 twoBackBuffers =
        Description(DDSD_CAPS | DDSD_BACKBUFFERCOUNT, DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX);
    twoBackBuffers.dwBackBufferCount = 2;
    const struct {
        const char* name;
        DDSURFACEDESC2 description;
        HRESULT result;
    } cases[] = {
        {"zero width", Description(kSized, DDSCAPS_SYSTEMMEMORY, 0, 8), DDERR_INVALIDPARAMS},
        {"no height", Description(DDSD_CAPS | DDSD_WIDTH, DDSCAPS_SYSTEMMEMORY, 8, 8), DDERR_INVALIDPARAMS},
        {"no caps", Description(DDSD_WIDTH | DDSD_HEIGHT, DDSCAPS_SYSTEMMEMORY, 8, 8), DDERR_INVALIDPARAMS},
        {"both memories", Description(kSized, DDSCAPS_SYSTEMMEMORY | DDSCAPS_VIDEOMEMORY, 8, 8), DDERR_INVALIDCAPS},
        {"too wide", Description(kSized, DDSCAPS_SYSTEMMEMORY, 100000, 8), DDERR_TOOBIGWIDTH},
        {"bad format", badFormat, DDERR_INVALIDPIXELFORMAT},
        {"inverted key", badKey, DDERR_INVALIDPARAMS},
        {"sized primary", Description(kSized, DDSCAPS_PRIMARYSURFACE, 8, 8), DDERR_INVALIDPARAMS},
        {"two back buffers", twoBackBuffers, DDERR_UNSUPPORTED},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.name);
        IDirectDrawSurface7* surface = reinterpret_cast<IDirectDrawSurface7*>(&c);
        EXPECT_EQ(directDraw->CreateSurface(&c.description, &surface, nullptr), c.result);
        EXPECT_EQ(surface, nullptr);
    }
    DDSURFACEDESC2 fine = Description(kSized, DDSCAPS_SYSTEMMEMORY, 8, 8);
    EXPECT_EQ(directDraw->CreateSurface(&fine, nullptr, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(mControls->liveObjects, 1);
}

TEST_F(SurfaceTest, SurfacesNeedACooperativeLevelAndOnePrimaryAtATime)
{
    Ref<IDirectDraw7> directDraw = MakeDirectDraw();
    DDSURFACEDESC2 description = Description(kSized, DDSCAPS_SYSTEMMEMORY, 8, 8);
    IDirectDrawSurface7* surface = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&description, &surface, nullptr), DDERR_NOCOOPERATIVELEVELSET);

    ASSERT_EQ(directDraw->SetCooperativeLevel(mWindow, DDSCL_NORMAL), DD_OK);
    Ref<IDirectDrawSurface7> primary = MakePrimary(directDraw.get());
    DDSURFACEDESC2 another = Description(DDSD_CAPS, DDSCAPS_PRIMARYSURFACE);
    EXPECT_EQ(directDraw->CreateSurface(&another, &surface, nullptr), DDERR_PRIMARYSURFACEALREADYEXISTS);
    primary.reset();
    primary = MakePrimary(directDraw.get());
    EXPECT_NE(primary, nullptr);
}

TEST_F(SurfaceTest, LockGivesPaddedRowsAndOnlyOneLockAtATime)
{
    Ref<IDirectDraw7> directDraw = MakeWindowedDirectDraw();
    Ref<IDirectDrawSurface7> surface = MakeSurface(directDraw.get(), 10, 6);
    DDSURFACEDESC2 whole{};
    whole.dwSize = sizeof(whole);
    ASSERT_EQ(surface->Lock(nullptr, &whole, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(whole.dwWidth, 10u);
    EXPECT_EQ(whole.dwHeight, 6u);
    EXPECT_GE(whole.lPitch, 10 * 4 + 16) << "rows are padded beyond their width";
    EXPECT_EQ(whole.ddpfPixelFormat.dwRGBBitCount, 32u);
    EXPECT_NE(whole.dwFlags & DDSD_LPSURFACE, 0u);
    DDSURFACEDESC2 second{};
    EXPECT_EQ(surface->Lock(nullptr, &second, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(surface->Unlock(nullptr), DD_OK);
    EXPECT_EQ(surface->Unlock(nullptr), DDERR_NOTLOCKED);

    // A rectangle locks from its corner, with the whole surface's pitch.
    RECT rect{3, 2, 7, 5};
    DDSURFACEDESC2 part{};
    ASSERT_EQ(surface->Lock(&rect, &part, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr), DD_OK);
    EXPECT_EQ(static_cast<uint8_t*>(part.lpSurface),
              static_cast<uint8_t*>(whole.lpSurface) + 2 * whole.lPitch + 3 * 4);
    EXPECT_EQ(part.lPitch, whole.lPitch);
    EXPECT_EQ(surface->Unlock(nullptr), DD_OK);

    for (RECT bad : {RECT{0, 0, 11, 6}, RECT{-1, 0, 4, 4}, RECT{4, 4, 4, 5}, RECT{5, 5, 2, 2}}) {
        EXPECT_EQ(surface->Lock(&bad, &part, DDLOCK_WAIT, nullptr), DDERR_INVALIDRECT);
    }
    EXPECT_EQ(surface->Lock(nullptr, nullptr, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(surface->Lock(nullptr, &part, 0x8000, nullptr), DDERR_INVALIDPARAMS);
}

TEST_F(SurfaceTest, SurfacesTakeTheDesktopsFormatUnlessTheyAskForOne)
{
    const struct {
        const char* name;
        DWORD desktopBits;
        DWORD red, green, blue;
    } desktops[] = {
        {"32-bit", 32, 0x00FF0000, 0x0000FF00, 0x000000FF},
        {"5-6-5", 16, 0xF800, 0x07E0, 0x001F},
        {"5-5-5", 16, 0x7C00, 0x03E0, 0x001F},
        // The program refuses a 24-bit display, so it must see one.
        {"24-bit", 24, 0x00FF0000, 0x0000FF00, 0x000000FF},
    };
    for (const auto& desktop : desktops) {
        SCOPED_TRACE(desktop.name);
        mControls->desktopBits = desktop.desktopBits;
        mControls->redMask = desktop.red;
        mControls->greenMask = desktop.green;
        mControls->blueMask = desktop.blue;
        Ref<IDirectDraw7> directDraw = MakeWindowedDirectDraw();
        const Ref<IDirectDrawSurface7> surfaces[] = {MakePrimary(directDraw.get()),
                                                     MakeSurface(directDraw.get(), 5, 5)};
        for (const Ref<IDirectDrawSurface7>& surface : surfaces) {
            DDSURFACEDESC2 description{};
            ASSERT_EQ(surface->GetSurfaceDesc(&description), DD_OK);
            EXPECT_EQ(description.ddpfPixelFormat.dwFlags, DDPF_RGB);
            EXPECT_EQ(description.ddpfPixelFormat.dwRGBBitCount, desktop.desktopBits);
            EXPECT_EQ(description.ddpfPixelFormat.dwRBitMask, desktop.red);
            EXPECT_EQ(description.ddpfPixelFormat.dwGBitMask, desktop.green);
            EXPECT_EQ(description.ddpfPixelFormat.dwBBitMask, desktop.blue);
            EXPECT_GE(description.lPitch, static_cast<LONG>(description.dwWidth * desktop.desktopBits / 8 + 16));
        }
    }

    mControls->Reset();
    Ref<IDirectDraw7> directDraw = MakeWindowedDirectDraw();
    for (const DDPIXELFORMAT& format : {Tests::kA8R8G8B8, Tests::kA4R4G4B4, Tests::kR5G6B5, Tests::Palettised8()}) {
        DDSURFACEDESC2 texture = Description(kSized | DDSD_PIXELFORMAT, DDSCAPS_TEXTURE, 64, 32);
        texture.ddsCaps.dwCaps2 = DDSCAPS2_TEXTUREMANAGE;
        texture.ddpfPixelFormat = format;
        Ref<IDirectDrawSurface7> surface = MakeSurface(directDraw.get(), texture);
        ASSERT_NE(surface, nullptr);
        DDSURFACEDESC2 description{};
        ASSERT_EQ(surface->GetSurfaceDesc(&description), DD_OK);
        EXPECT_EQ(description.ddpfPixelFormat.dwRGBBitCount, format.dwRGBBitCount);
        EXPECT_EQ(description.ddpfPixelFormat.dwRGBAlphaBitMask, format.dwRGBAlphaBitMask);
        EXPECT_EQ(description.ddpfPixelFormat.dwRBitMask, format.dwRBitMask);
        EXPECT_NE(description.ddsCaps.dwCaps & DDSCAPS_TEXTURE, 0u);
        EXPECT_EQ(description.ddsCaps.dwCaps2, DDSCAPS2_TEXTUREMANAGE);
    }
}

TEST_F(SurfaceTest, ColourKeysAreSetReadAndCleared)
{
    Ref<IDirectDraw7> directDraw = MakeWindowedDirectDraw();
    Ref<IDirectDrawSurface7> surface = MakeSurface(directDraw.get(), 4, 4);
    DDCOLORKEY key{};
    EXPECT_EQ(surface->GetColorKey(DDCKEY_SRCBLT, &key), DDERR_NOCOLORKEY);
    DDCOLORKEY set{0x00FF00FF, 0x00FF00FF};
    ASSERT_EQ(surface->SetColorKey(DDCKEY_SRCBLT, &set), DD_OK);
    ASSERT_EQ(surface->GetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    EXPECT_EQ(key.dwColorSpaceLowValue, 0x00FF00FFu);
    EXPECT_EQ(key.dwColorSpaceHighValue, 0x00FF00FFu);
    DDSURFACEDESC2 description{};
    ASSERT_EQ(surface->GetSurfaceDesc(&description), DD_OK);
    EXPECT_NE(description.dwFlags & DDSD_CKSRCBLT, 0u);

    DDCOLORKEY inverted{9, 8};
    EXPECT_EQ(surface->SetColorKey(DDCKEY_SRCBLT, &inverted), DDERR_INVALIDPARAMS);
    EXPECT_EQ(surface->SetColorKey(0x80, &set), DDERR_INVALIDPARAMS);
    EXPECT_EQ(surface->GetColorKey(DDCKEY_SRCBLT, nullptr), DDERR_INVALIDPARAMS);
    ASSERT_EQ(surface->SetColorKey(DDCKEY_SRCBLT, nullptr), DD_OK);
    EXPECT_EQ(surface->GetColorKey(DDCKEY_SRCBLT, &key), DDERR_NOCOLORKEY);
}

TEST_F(SurfaceTest, PalettesHoldTheirEntriesAndGoOnPalettisedSurfacesOnly)
{
    Ref<IDirectDraw7> directDraw = MakeWindowedDirectDraw();
    std::vector<PALETTEENTRY> entries(256);
    for (size_t i = 0; i < entries.size(); ++i)
        entries[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), 7, static_cast<BYTE>(i / 2)};
    IDirectDrawPalette* made = nullptr;
    EXPECT_EQ(directDraw->CreatePalette(DDPCAPS_ALLOW256, entries.data(), &made, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(directDraw->CreatePalette(DDPCAPS_8BIT, nullptr, &made, nullptr), DDERR_INVALIDPARAMS);
    constexpr DWORD kPaletteCaps = DDPCAPS_8BIT | DDPCAPS_ALLOW256 | DDPCAPS_ALPHA;
    ASSERT_EQ(directDraw->CreatePalette(kPaletteCaps, entries.data(), &made, nullptr), DD_OK);
    Ref<IDirectDrawPalette> palette(made);

    std::vector<PALETTEENTRY> read(4);
    ASSERT_EQ(palette->GetEntries(0, 100, 4, read.data()), DD_OK);
    EXPECT_EQ(read[1].peRed, 101);
    EXPECT_EQ(read[1].peGreen, 154);
    EXPECT_EQ(read[1].peFlags, 50);
    const PALETTEENTRY changed[2] = {{1, 1, 1, 1}, {2, 2, 2, 2}};
    ASSERT_EQ(palette->SetEntries(0, 254, 2, changed), DD_OK);
    ASSERT_EQ(palette->GetEntries(0, 252, 4, read.data()), DD_OK);
    EXPECT_EQ(read[2].peRed, 1);
    EXPECT_EQ(read[3].peBlue, 2);
    EXPECT_EQ(palette->GetEntries(0, 254, 3, read.data()), DDERR_INVALIDPARAMS);
    EXPECT_EQ(palette->SetEntries(0, 256, 1, changed), DDERR_INVALIDPARAMS);
    EXPECT_EQ(palette->GetEntries(0, 0, 1, nullptr), DDERR_INVALIDPARAMS);

    const DDPIXELFORMAT indexed = Tests::Palettised8();
    Ref<IDirectDrawSurface7> texture = MakeSurface(directDraw.get(), 4, 4, &indexed);
    Ref<IDirectDrawSurface7> rgb = MakeSurface(directDraw.get(), 4, 4);
    EXPECT_EQ(texture->SetPalette(palette.get()), DD_OK);
    EXPECT_EQ(rgb->SetPalette(palette.get()), DDERR_NOTPALETTIZED);
    EXPECT_EQ(texture->SetPalette(nullptr), DD_OK);
}

TEST_F(SurfaceTest, VideoMemorySurfacesUseUpTheReportedMemory)
{
    mControls->totalVideoMemory = 1u << 20;
    Ref<IDirectDraw7> directDraw = MakeWindowedDirectDraw();
    DDSCAPS2 videoMemory{DDSCAPS_VIDEOMEMORY, 0, 0, 0};
    DWORD total = 0;
    DWORD free = 0;
    ASSERT_EQ(directDraw->GetAvailableVidMem(&videoMemory, &total, &free), DD_OK);
    EXPECT_EQ(total, 1u << 20);
    EXPECT_EQ(free, 1u << 20);

    Ref<IDirectDrawSurface7> inSystemMemory = MakeSurface(directDraw.get(), 100, 100);
    Ref<IDirectDrawSurface7> inVideoMemory =
        MakeSurface(directDraw.get(), Description(kSized, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_VIDEOMEMORY, 100, 100));
    DDSURFACEDESC2 description{};
    ASSERT_EQ(inVideoMemory->GetSurfaceDesc(&description), DD_OK);
    EXPECT_NE(description.ddsCaps.dwCaps & DDSCAPS_VIDEOMEMORY, 0u);
    ASSERT_EQ(directDraw->GetAvailableVidMem(&videoMemory, &total, &free), DD_OK);
    EXPECT_EQ(free, (1u << 20) - static_cast<DWORD>(description.lPitch) * 100);

    DDSURFACEDESC2 tooLarge = Description(kSized, DDSCAPS_VIDEOMEMORY, 1000, 1000);
    IDirectDrawSurface7* surface = nullptr;
    EXPECT_EQ(directDraw->CreateSurface(&tooLarge, &surface, nullptr), DDERR_OUTOFVIDEOMEMORY);
    // Without a memory asked for, a surface that does not fit goes to system memory.
    tooLarge.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    Ref<IDirectDrawSurface7> placed = MakeSurface(directDraw.get(), tooLarge);
    ASSERT_EQ(placed->GetSurfaceDesc(&description), DD_OK);
    EXPECT_NE(description.ddsCaps.dwCaps & DDSCAPS_SYSTEMMEMORY, 0u);

    inVideoMemory.reset();
    ASSERT_EQ(directDraw->GetAvailableVidMem(&videoMemory, &total, &free), DD_OK);
    EXPECT_EQ(free, 1u << 20);
    EXPECT_EQ(directDraw->GetAvailableVidMem(nullptr, &total, &free), DDERR_INVALIDPARAMS);
}

TEST_F(SurfaceTest, DeviceIdentifierNamesThisSoftwareDisplay)
{
    Ref<IDirectDraw7> directDraw = MakeDirectDraw();
    DDDEVICEIDENTIFIER2 identifier{};
    ASSERT_EQ(directDraw->GetDeviceIdentifier(&identifier, 0), DD_OK);
    EXPECT_EQ(std::string(identifier.szDriver), "ddraw.so");
    EXPECT_FALSE(std::string(identifier.szDescription).empty());
    const GUID none{};
    EXPECT_FALSE(identifier.guidDeviceIdentifier == none);
    DDDEVICEIDENTIFIER2 again{};
    ASSERT_EQ(directDraw->GetDeviceIdentifier(&again, 0), DD_OK);
    EXPECT_TRUE(again.guidDeviceIdentifier == identifier.guidDeviceIdentifier);
    EXPECT_EQ(directDraw->GetDeviceIdentifier(nullptr, 0), DDERR_INVALIDPARAMS);
}

} // namespace
