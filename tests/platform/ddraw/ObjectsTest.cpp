#include "tests/platform/ddraw/StandInFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace DDraw;
using Tests::Ref;
using Tests::References;
using Tests::StandInTest;

using ObjectsTest = StandInTest;

TEST_F(ObjectsTest, BothInterfacesOfTheDirectDrawObjectShareOneCount)
{
    IDirectDraw* first = nullptr;
    ASSERT_EQ(mCreate(nullptr, &first, nullptr), DD_OK);
    EXPECT_EQ(mControls->liveObjects, 1);
    void* seventh = nullptr;
    ASSERT_EQ(first->QueryInterface(IID_IDirectDraw7, &seventh), DD_OK);
    auto* directDraw7 = static_cast<IDirectDraw7*>(seventh);
    EXPECT_EQ(References(first), 2u);
    EXPECT_EQ(References(directDraw7), 2u);
    EXPECT_EQ(mControls->liveObjects, 1);

    void* unknown = &unknown;
    EXPECT_EQ(directDraw7->QueryInterface(IID_IDirectDrawSurface7, &unknown), E_NOINTERFACE);
    EXPECT_EQ(unknown, nullptr);
    EXPECT_EQ(first->Release(), 1u);
    EXPECT_EQ(mControls->liveObjects, 1);
    EXPECT_EQ(directDraw7->Release(), 0u);
    EXPECT_EQ(mControls->liveObjects, 0);
}

TEST_F(ObjectsTest, EntryPointsRefuseWhatTheyCannotMake)
{
    void* made = &made;
    EXPECT_EQ(mCreateEx(nullptr, &made, IID_IDirectDraw, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(made, nullptr);
    EXPECT_EQ(mCreateEx(nullptr, nullptr, IID_IDirectDraw7, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(mCreate(nullptr, nullptr, nullptr), DDERR_INVALIDPARAMS);
    IDirectDraw* first = nullptr;
    EXPECT_EQ(mCreate(nullptr, &first, reinterpret_cast<IUnknown*>(&made)), CLASS_E_NOAGGREGATION);
    GUID otherDisplay{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(mCreateEx(&otherDisplay, &made, IID_IDirectDraw7, nullptr), DDERR_INVALIDDIRECTDRAWGUID);
    EXPECT_EQ(mControls->liveObjects, 0);
}

TEST_F(ObjectsTest, SurfaceInterfacesShareOneObjectAndTheFirstInterfaceWorksAlike)
{
    Ref<IDirectDraw7> directDraw = MakeWindowedDirectDraw();
    Ref<IDirectDrawSurface7> surface = MakeSurface(directDraw.get(), 4, 2);
    void* queried = nullptr;
    ASSERT_EQ(surface->QueryInterface(IID_IDirectDrawSurface, &queried), DD_OK);
    Ref<IDirectDrawSurface> first(static_cast<IDirectDrawSurface*>(queried));
    EXPECT_EQ(References(surface.get()), 2u);
    EXPECT_EQ(mControls->liveObjects, 2);

    // Drawn through one interface, read through the other, in the first's description.
    Draw(surface.get(), [](int x, int y) { return static_cast<uint32_t>(x + 10 * y); });
    DDSURFACEDESC description{};
    description.dwSize = sizeof(description);
    ASSERT_EQ(first->Lock(nullptr, &description, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(description.dwSize, sizeof(description));
    EXPECT_EQ(description.dwWidth, 4u);
    EXPECT_EQ(description.dwHeight, 2u);
    const auto* secondRow = static_cast<const uint8_t*>(description.lpSurface) + description.lPitch;
    EXPECT_EQ(reinterpret_cast<const uint32_t*>(secondRow)[3], 13u);
    EXPECT_EQ(first->Unlock(nullptr), DD_OK);
}

TEST_F(ObjectsTest, SurfacesHoldWhatIsAttachedUntilTheyGo)
{
    Ref<IDirectDraw7> directDraw = MakeWindowedDirectDraw();
    Ref<IDirectDrawSurface7> primary = MakePrimary(directDraw.get());
    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(directDraw->CreateClipper(0, &clipper, nullptr), DD_OK);
    ASSERT_EQ(primary->SetClipper(clipper), DD_OK);
    EXPECT_EQ(clipper->Release(), 1u);

    std::vector<PALETTEENTRY> entries(256, PALETTEENTRY{1, 2, 3, 0});
    const DDPIXELFORMAT indexed = Tests::Palettised8();
    Ref<IDirectDrawSurface7> texture = MakeSurface(directDraw.get(), 8, 8, &indexed);
    IDirectDrawPalette* palette = nullptr;
    ASSERT_EQ(directDraw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries.data(), &palette, nullptr), DD_OK);
    ASSERT_EQ(texture->SetPalette(palette), DD_OK);
    EXPECT_EQ(palette->Release(), 1u);
    EXPECT_EQ(mControls->liveObjects, 5);

    // The objects outlive their DirectDraw object and go with the surfaces holding them.
    directDraw.reset();
    EXPECT_EQ(mControls->liveObjects, 4);
    primary.reset();
    texture.reset();
    EXPECT_EQ(mControls->liveObjects, 0);
}

TEST_F(ObjectsTest, RequestedFailuresCountDownTheirSkipsThenFailOnce)
{
    Ref<IDirectDraw7> directDraw = MakeWindowedDirectDraw();
    FailCall("IDirectDraw7::CreateSurface", 1, DDERR_OUTOFVIDEOMEMORY);
    // The other interface's name is another method.
    FailCall("IDirectDraw::CreateSurface", 0, E_FAIL);
    DDSURFACEDESC2 description = Description(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT, DDSCAPS_SYSTEMMEMORY, 8, 8);
    IDirectDrawSurface7* surfaces[3] = {};
    EXPECT_EQ(directDraw->CreateSurface(&description, &surfaces[0], nullptr), DD_OK);
    EXPECT_EQ(directDraw->CreateSurface(&description, &surfaces[1], nullptr), DDERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(surfaces[1], nullptr);
    EXPECT_EQ(directDraw->CreateSurface(&description, &surfaces[2], nullptr), DD_OK);
    ASSERT_EQ(mControls->failures.size(), 1u);
    EXPECT_EQ(mControls->failures[0].method, "IDirectDraw::CreateSurface");
    surfaces[0]->Release();
    surfaces[2]->Release();

    FailCall("DirectDrawCreateEx", 0, DDERR_NODIRECTDRAWHW);
    void* made = nullptr;
    EXPECT_EQ(mCreateEx(nullptr, &made, IID_IDirectDraw7, nullptr), DDERR_NODIRECTDRAWHW);
    EXPECT_EQ(made, nullptr);

    Ref<IDirectDrawSurface7> surface = MakeSurface(directDraw.get(), 8, 8);
    FailCall("IDirectDrawSurface7::Lock", 0, DDERR_SURFACELOST);
    DDSURFACEDESC2 locked{};
    locked.dwSize = sizeof(locked);
    EXPECT_EQ(surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), DDERR_SURFACELOST);
    // The failed lock did nothing: the surface is not locked.
    EXPECT_EQ(surface->Unlock(nullptr), DDERR_NOTLOCKED);
}

} // namespace
