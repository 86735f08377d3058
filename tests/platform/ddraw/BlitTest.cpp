#include "tests/platform/ddraw/StandInFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace DDraw;
using Tests::PixelPicture;
using Tests::Ref;
using Tests::StandInTest;

class BlitTest : public StandInTest {
protected:
    void SetUp() override
    {
        StandInTest::SetUp();
        mDirectDraw = MakeWindowedDirectDraw();
    }

    void TearDown() override
    {
        mDirectDraw.reset();
        StandInTest::TearDown();
    }

    Ref<IDirectDrawSurface7> Surface(const int width, const int height, const DDPIXELFORMAT* format = nullptr)
    {
        return MakeSurface(mDirectDraw.get(), width, height, format);
    }

    // Every pixel a different value.
    static uint32_t Numbered(const int x, const int y) { return static_cast<uint32_t>(0x10000 + y * 100 + x); }

    Ref<IDirectDraw7> mDirectDraw;
};

TEST_F(BlitTest, CopiesRectanglesRowByRowAtEachSurfacesPitch)
{
    Ref<IDirectDrawSurface7> source = Surface(7, 5);
    Ref<IDirectDrawSurface7> destination = Surface(9, 6);
    Draw(source.get(), Numbered);
    Draw(destination.get(), [](int, int) { return 0u; });
    RECT from{1, 1, 5, 4};
    RECT to{3, 2, 7, 5};
    ASSERT_EQ(destination->Blt(&to, source.get(), &from, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Read(destination.get()), Pixels(9, 6, [](int x, int y) {
                  const bool inside = x >= 3 && x < 7 && y >= 2 && y < 5;
                  return inside ? Numbered(x - 2, y - 1) : 0u;
              }));

    // Null rectangles are the whole surfaces.
    Ref<IDirectDrawSurface7> same = Surface(7, 5);
    ASSERT_EQ(same->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Read(same.get()), Read(source.get()));
}

TEST_F(BlitTest, SourceColourKeySkipsEveryValueInItsRange)
{
    Ref<IDirectDrawSurface7> source = Surface(4, 1);
    Ref<IDirectDrawSurface7> destination = Surface(4, 1);
    const uint32_t values[] = {0x10, 0x11, 0x12, 0x13};
    Draw(source.get(), [&](int x, int) { return values[x]; });
    Draw(destination.get(), [](int, int) { return 0xAAu; });
    EXPECT_EQ(destination->Blt(nullptr, source.get(), nullptr, DDBLT_KEYSRC, nullptr), DDERR_NOCOLORKEY);
    DDCOLORKEY key{0x11, 0x12};
    ASSERT_EQ(source->SetColorKey(DDCKEY_SRCBLT, &key), DD_OK);
    ASSERT_EQ(destination->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT | DDBLT_KEYSRC, nullptr), DD_OK);
    EXPECT_EQ(Read(destination.get()), (std::vector<uint32_t>{0x10, 0xAA, 0xAA, 0x13}));
    // Without the flag the key is not used.
    ASSERT_EQ(destination->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Read(destination.get()), (std::vector<uint32_t>{0x10, 0x11, 0x12, 0x13}));
}

TEST_F(BlitTest, StretchesTakeTheNearestSourcePixel)
{
    Ref<IDirectDrawSurface7> source = Surface(4, 4);
    Draw(source.get(), Numbered);
    const struct {
        const char* name;
        RECT from;
        int width;
        int height;
        PixelPicture expected;
    } cases[] = {
        {"doubled", {0, 0, 2, 2}, 4, 4, [](int x, int y) { return Numbered(x / 2, y / 2); }},
        {"halved", {0, 0, 4, 4}, 2, 2, [](int x, int y) { return Numbered(2 * x + 1, 2 * y + 1); }},
        {"widened only", {1, 2, 3, 3}, 6, 1, [](int x, int) { return Numbered(1 + x / 3, 2); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Ref<IDirectDrawSurface7> destination = Surface(c.width, c.height);
        DDBLTFX effects{};
        effects.dwSize = sizeof(effects);
        effects.dwDDFX = DDBLTFX_ARITHSTRETCHY;
        RECT from = c.from;
        ASSERT_EQ(destination->Blt(nullptr, source.get(), &from, DDBLT_WAIT | DDBLT_DDFX, &effects), DD_OK);
        EXPECT_EQ(Read(destination.get()), Pixels(c.width, c.height, c.expected));
    }
}

TEST_F(BlitTest, ColourFillWritesTheValueInTheSurfacesBits)
{
    const DDPIXELFORMAT format565 = Tests::kR5G6B5;
    Ref<IDirectDrawSurface7> surface = Surface(4, 3, &format565);
    Draw(surface.get(), [](int, int) { return 0u; });
    DDBLTFX effects{};
    effects.dwSize = sizeof(effects);
    effects.dwFillColor = 0xABCDF81F;
    RECT rect{1, 1, 3, 3};
    EXPECT_EQ(surface->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL, nullptr), DDERR_INVALIDPARAMS);
    ASSERT_EQ(surface->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects), DD_OK);
    EXPECT_EQ(Read(surface.get()), Pixels(4, 3, [](int x, int y) {
                  return x >= 1 && x < 3 && y >= 1 ? 0xF81Fu : 0u;
              }));
}

TEST_F(BlitTest, DifferentFormatsAreConverted)
{
    const DDPIXELFORMAT format565 = Tests::kR5G6B5;
    const DDPIXELFORMAT format555 = Tests::kX1R5G5B5;
    Ref<IDirectDrawSurface7> source = Surface(3, 1, &format565);
    // Pure red, pure green and a mid grey in 5-6-5.
    const uint32_t pixels565[] = {0xF800, 0x07E0, 0x8410};
    Draw(source.get(), [&](int x, int) { return pixels565[x]; });

    Ref<IDirectDrawSurface7> wide = Surface(3, 1);
    ASSERT_EQ(wide->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Read(wide.get()), (std::vector<uint32_t>{0x00FF0000, 0x0000FF00, 0x00848284}));

    Ref<IDirectDrawSurface7> narrow = Surface(3, 1, &format555);
    ASSERT_EQ(narrow->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Read(narrow.get()), (std::vector<uint32_t>{0x7C00, 0x03E0, 0x4210}));
}

TEST_F(BlitTest, LockedSurfacesAndBadRectanglesAreRefused)
{
    Ref<IDirectDrawSurface7> source = Surface(8, 8);
    Ref<IDirectDrawSurface7> destination = Surface(8, 8);
    for (IDirectDrawSurface7* locked : {source.get(), destination.get()}) {
        DDSURFACEDESC2 description{};
        ASSERT_EQ(locked->Lock(nullptr, &description, DDLOCK_WAIT, nullptr), DD_OK);
        EXPECT_EQ(destination->Blt(nullptr, source.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACEBUSY);
        ASSERT_EQ(locked->Unlock(nullptr), DD_OK);
    }

    const RECT whole{0, 0, 8, 8};
    const struct {
        const char* name;
        RECT to;
        RECT from;
    } cases[] = {
        {"destination outside", {4, 4, 9, 8}, whole},
        {"destination negative", {-1, 0, 7, 8}, whole},
        {"destination empty", {2, 2, 2, 6}, whole},
        {"destination inverted", {6, 6, 2, 2}, whole},
        {"source outside", whole, {0, 0, 8, 9}},
        {"source inverted", whole, {5, 0, 1, 8}},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(destination->Blt(&c.to, source.get(), &c.from, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT);
    }
    EXPECT_EQ(destination->Blt(nullptr, nullptr, nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDPARAMS);
}

TEST_F(BlitTest, ClipperCutsBlitsToItsWindowsClientArea)
{
    Ref<IDirectDrawSurface7> primary = MakePrimary(mDirectDraw.get());
    IDirectDrawClipper* made = nullptr;
    ASSERT_EQ(mDirectDraw->CreateClipper(0, &made, nullptr), DD_OK);
    Ref<IDirectDrawClipper> clipper(made);
    ASSERT_EQ(clipper->SetHWnd(0, mWindow), DD_OK);
    HWND window = nullptr;
    ASSERT_EQ(clipper->GetHWnd(&window), DD_OK);
    EXPECT_EQ(window, mWindow);
    ASSERT_EQ(primary->SetClipper(clipper.get()), DD_OK);

    // A 64 x 64 area at the corner, as a cursor half off the window: only the part on the
    // window is drawn, from the matching part of the source.
    Ref<IDirectDrawSurface7> area = Surface(64, 64);
    Draw(area.get(), Numbered);
    Draw(primary.get(), [](int, int) { return 0u; });
    RECT corner{-27, -27, 37, 37};
    ASSERT_EQ(primary->Blt(&corner, area.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    const std::vector<uint32_t> shown = Read(primary.get());
    ASSERT_EQ(shown.size(), static_cast<size_t>(kWidth * kHeight));
    EXPECT_EQ(shown[0], Numbered(27, 27));
    EXPECT_EQ(shown[36 * kWidth + 36], Numbered(63, 63));
    EXPECT_EQ(shown[37], 0u);
    EXPECT_EQ(shown[37 * kWidth], 0u);

    // Without the clipper the same blit is refused.
    ASSERT_EQ(primary->SetClipper(nullptr), DD_OK);
    EXPECT_EQ(primary->Blt(&corner, area.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT);
}

TEST_F(BlitTest, BlitWithinOneSurfaceReadsThePixelsFromBeforeIt)
{
    Ref<IDirectDrawSurface7> surface = Surface(6, 1);
    Draw(surface.get(), [](int x, int) { return static_cast<uint32_t>(x); });
    RECT from{0, 0, 4, 1};
    RECT to{2, 0, 6, 1};
    ASSERT_EQ(surface->Blt(&to, surface.get(), &from, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(Read(surface.get()), (std::vector<uint32_t>{0, 1, 0, 1, 2, 3}));
}

} // namespace
