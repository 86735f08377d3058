#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "tests/framework/directx/DisplayFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace {

using namespace DDraw;
using Tests::DesktopFormat;
using Tests::kFormat565;
using Tests::kFormat888;
using Tests::LockedPixels;
using Zest::DDImage;
using Zest::DDInterface;

class DDImageTest : public Tests::DisplayTest {
protected:
    void InitDisplay(const DesktopFormat& format)
    {
        UseDesktopFormat(format);
        ASSERT_EQ(InitWindowed(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
    }

    std::unique_ptr<DDImage> MakeImage(const std::vector<uint32_t>& pixels, const int width, const int height)
    {
        auto image = std::make_unique<DDImage>(mDisplay.get());
        image->SetBits(pixels.data(), width, height, true);
        return image;
    }

    // An image whose picture lives only in its surface, as purging leaves it in 2D.
    std::unique_ptr<DDImage> MakeSurfaceOnlyImage(const std::vector<uint32_t>& pixels, const int width,
                                                  const int height)
    {
        auto image = MakeImage(pixels, width, height);
        EXPECT_TRUE(image->GenerateDDSurface());
        image->PurgeBits();
        EXPECT_NE(image->mSurface, nullptr);
        EXPECT_EQ(image->mBits, nullptr);
        return image;
    }

    IDirectDrawSurface* MakeSurface(const int width, const int height)
    {
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof(desc);
        desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        desc.dwWidth = static_cast<DWORD>(width);
        desc.dwHeight = static_cast<DWORD>(height);
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
        IDirectDrawSurface* surface = nullptr;
        EXPECT_EQ(mDisplay->CreateSurface(&desc, &surface), DD_OK);
        return surface;
    }

    // The image's surface pixels, read through its own lock.
    static std::vector<uint32_t> ImageSurfacePixels(DDImage& image)
    {
        if (!image.LockSurface())
            return {};
        std::vector<uint32_t> pixels = LockedPixels(image.mLockedDesc);
        image.UnlockSurface();
        return pixels;
    }

    // The source colour key's low value; -1 when the surface has none.
    static int64_t SourceKey(DDImage& image)
    {
        DDCOLORKEY key{};
        if (image.mSurface->GetColorKey(DDCKEY_SRCBLT, &key) != DD_OK)
            return -1;
        EXPECT_EQ(key.dwColorSpaceLowValue, key.dwColorSpaceHighValue);
        return key.dwColorSpaceLowValue;
    }
};

TEST_F(DDImageTest, PartlyTransparentPixelsKeepTheImageInSoftware)
{
    InitDisplay(kFormat565);
    const int live = mControls->liveObjects;
    const auto image = MakeImage({0xFFFF0000, 0x80FF0000}, 2, 1);
    EXPECT_FALSE(image->GenerateDDSurface());
    EXPECT_EQ(image->mSurface, nullptr);
    EXPECT_EQ(image->GetSurface(), nullptr);
    EXPECT_FALSE(image->LockSurface());
    EXPECT_EQ(image->GetBits()[1], 0x80FF0000u);
    EXPECT_EQ(mControls->liveObjects, live);
}

TEST_F(DDImageTest, SurfaceHoldsTheConvertedPictureAndTransparencyAsAFreeKey)
{
    const struct {
        const char* name;
        DesktopFormat format;
        int width;
        int height;
        std::vector<uint32_t> pixels;
        std::vector<uint32_t> surface;
        int64_t key; // -1: no colour key
    } cases[] = {
        {"5-6-5 opaque", kFormat565, 3, 2,
         {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF808080},
         {0xF800, 0x07E0, 0x001F, 0xFFFF, 0x0000, 0x8410}, -1},
        {"5-6-5 transparent black beside red", kFormat565, 2, 1, {0x00000000, 0xFFFF0000}, {0x0000, 0xF800}, 0x0000},
        {"5-6-5 transparent black beside opaque black", kFormat565, 2, 1, {0x00000000, 0xFF000000},
         {0x0001, 0x0000}, 0x0001},
        {"5-6-5 key skips every opaque value", kFormat565, 3, 1, {0xFF000000, 0xFF000008, 0x00000000},
         {0x0000, 0x0001, 0x0002}, 0x0002},
        {"5-6-5 transparent pixels in several rows", kFormat565, 3, 2,
         {0xFFFF0000, 0x00000000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0x00123456},
         {0xF800, 0x0000, 0x07E0, 0x001F, 0xFFFF, 0x0000}, 0x0000},
        {"32-bit opaque", kFormat888, 2, 2, {0xFF112233, 0xFF445566, 0xFFFFFFFF, 0xFF000000},
         {0x112233, 0x445566, 0xFFFFFF, 0x000000}, -1},
        {"32-bit transparent white", kFormat888, 2, 1, {0x00FFFFFF, 0xFF102030}, {0x00FFFFFF, 0x00102030},
         0x00FFFFFF},
        {"32-bit transparent colour also opaque", kFormat888, 3, 1, {0x00102030, 0xFF102030, 0x00102030},
         {0x000000, 0x102030, 0x000000}, 0x000000},
        {"32-bit transparent black beside opaque black", kFormat888, 2, 1, {0xFF000000, 0x00000000},
         {0x000000, 0x000001}, 0x000001},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InitDisplay(c.format);
        const auto image = MakeImage(c.pixels, c.width, c.height);
        ASSERT_TRUE(image->GenerateDDSurface());
        ASSERT_NE(image->mSurface, nullptr);
        EXPECT_EQ(ImageSurfacePixels(*image), c.surface);
        EXPECT_EQ(SourceKey(*image), c.key);
        // The pixels stay.
        ASSERT_NE(image->mBits, nullptr);
        EXPECT_EQ(image->mBits[0], c.pixels[0]);
    }
}

TEST_F(DDImageTest, ColourKeySearchThatFindsNoFreeValueGivesNoSurface)
{
    InitDisplay(kFormat565);
    const int live = mControls->liveObjects;
    // Every 16-bit value is shown by an opaque pixel; the rest of the image is transparent.
    constexpr int kWidth = 256;
    constexpr int kHeight = 257;
    std::vector<uint32_t> pixels(kWidth * kHeight, 0x00000000);
    for (uint32_t value = 0; value < 65536; ++value) {
        const uint32_t red = (value >> 11) << 3;
        const uint32_t green = ((value >> 5) & 0x3F) << 2;
        const uint32_t blue = (value & 0x1F) << 3;
        pixels[value] = 0xFF000000 | red << 16 | green << 8 | blue;
    }
    const auto image = MakeImage(pixels, kWidth, kHeight);
    EXPECT_FALSE(image->GenerateDDSurface());
    EXPECT_EQ(image->mSurface, nullptr);
    EXPECT_EQ(mControls->liveObjects, live);
    EXPECT_EQ(image->GetBits()[65536], 0x00000000u);
}

TEST_F(DDImageTest, SurfaceWhoseLockFailsIsNotKept)
{
    InitDisplay(kFormat888);
    const int live = mControls->liveObjects;
    const auto image = MakeImage({0xFF112233, 0xFF445566}, 2, 1);
    FailCall("IDirectDrawSurface::Lock", 0, DDERR_CANTLOCKSURFACE);
    EXPECT_FALSE(image->GenerateDDSurface());
    EXPECT_EQ(image->mSurface, nullptr);
    EXPECT_EQ(image->mLockCount, 0);
    EXPECT_EQ(mControls->liveObjects, live);

    // Nothing of the failure stays behind: the next attempt makes the surface.
    ASSERT_TRUE(image->GenerateDDSurface());
    EXPECT_EQ(ImageSurfacePixels(*image), (std::vector<uint32_t>{0x112233, 0x445566}));
}

TEST_F(DDImageTest, SurfaceOnlyPictureReadsBackOpaque)
{
    const struct {
        const char* name;
        DesktopFormat format;
        std::vector<uint32_t> pixels;
        std::vector<uint32_t> readBack;
    } cases[] = {
        {"5-6-5", kFormat565, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF},
         {0xFFF80000, 0xFF00FC00, 0xFF0000F8, 0xFFF8FCF8}},
        {"32-bit", kFormat888, {0xFF123456, 0xFFFEDCBA, 0xFF000000, 0xFFFFFFFF},
         {0xFF123456, 0xFFFEDCBA, 0xFF000000, 0xFFFFFFFF}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InitDisplay(c.format);
        const auto image = MakeSurfaceOnlyImage(c.pixels, 2, 2);
        const uint32_t* const bits = image->GetBits();
        ASSERT_NE(bits, nullptr);
        EXPECT_EQ(std::vector<uint32_t>(bits, bits + 4), c.readBack);
        EXPECT_EQ(bits[4], Zest::kImageGuardWord);
    }
}

TEST_F(DDImageTest, TransparencySurvivesTheSurfaceAcrossADisplayReset)
{
    InitDisplay(kFormat565);
    const auto image = MakeSurfaceOnlyImage({0x00000000, 0xFFFF0000}, 2, 1);

    // What the application does around a new display: drop the display data, initialise,
    // then let every image rebuild what it wants.
    image->DeleteNativeData();
    EXPECT_EQ(image->mSurface, nullptr);
    ASSERT_NE(image->mBits, nullptr);
    EXPECT_EQ(image->mBits[0] >> 24, 0u) << "the keyed pixel came back opaque";
    EXPECT_EQ(image->mBits[1], 0xFFF80000u);
    ASSERT_EQ(InitWindowed(), DDInterface::RESULT_OK) << mDisplay->mErrorString;
    image->ReInit();

    ASSERT_NE(image->mSurface, nullptr);
    EXPECT_EQ(image->mBits, nullptr);
    EXPECT_EQ(SourceKey(*image), 0x0000);
    EXPECT_EQ(ImageSurfacePixels(*image), (std::vector<uint32_t>{0x0000, 0xF800}));
}

TEST_F(DDImageTest, SurfaceOnlyPictureSurvivesPalettising)
{
    InitDisplay(kFormat565);
    const auto image = MakeSurfaceOnlyImage({0xFFFF0000, 0xFF0000FF, 0xFF0000FF, 0xFFFF0000}, 2, 2);

    ASSERT_TRUE(image->Palletize());
    EXPECT_EQ(image->mSurface, nullptr);
    ASSERT_NE(image->mColorTable, nullptr);
    // The surface is made again from the palettised picture.
    ASSERT_TRUE(image->GenerateDDSurface());
    EXPECT_EQ(ImageSurfacePixels(*image), (std::vector<uint32_t>{0xF800, 0x001F, 0x001F, 0xF800}));
}

TEST_F(DDImageTest, MovingToVideoMemoryRemakesTheSurfaceThere)
{
    InitDisplay(kFormat888);
    const auto image = MakeSurfaceOnlyImage({0xFF123456, 0xFF654321}, 2, 1);

    image->SetVideoMemory(true);
    EXPECT_EQ(image->mSurface, nullptr);
    ASSERT_NE(image->mBits, nullptr);
    EXPECT_EQ(image->mBits[1], 0xFF654321u);
    ASSERT_TRUE(image->GenerateDDSurface());
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS;
    ASSERT_EQ(image->mSurface->GetSurfaceDesc(&desc), DD_OK);
    EXPECT_NE(desc.ddsCaps.dwCaps & DDSCAPS_VIDEOMEMORY, 0u);
    EXPECT_EQ(ImageSurfacePixels(*image), (std::vector<uint32_t>{0x123456, 0x654321}));
}

TEST_F(DDImageTest, NewerPixelsReplaceTheSurface)
{
    InitDisplay(kFormat888);
    const auto image = MakeImage({0xFF112233}, 1, 1);
    ASSERT_TRUE(image->GenerateDDSurface());
    const uint32_t newer = 0xFF445566;
    image->SetBits(&newer, 1, 1, true);
    EXPECT_EQ(image->mSurface, nullptr);
    ASSERT_TRUE(image->GenerateDDSurface());
    EXPECT_EQ(ImageSurfacePixels(*image), (std::vector<uint32_t>{0x445566}));
}

TEST_F(DDImageTest, NestedLocksLockTheSurfaceOnce)
{
    InitDisplay(kFormat888);
    const auto image = MakeImage({0xFF112233, 0xFF445566}, 2, 1);
    // The surface refuses a second lock, so a nested LockSurface that locked again fails.
    ASSERT_TRUE(image->LockSurface());
    ASSERT_TRUE(image->LockSurface());
    EXPECT_EQ(image->mLockCount, 2);
    IDirectDrawSurface* const surface = image->mSurface;
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);

    EXPECT_TRUE(image->UnlockSurface());
    EXPECT_NE(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK) << "unlocked by the inner UnlockSurface";
    EXPECT_TRUE(image->UnlockSurface());
    EXPECT_EQ(image->mLockCount, 0);
    ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK) << "still locked after the outer one";
    surface->Unlock(nullptr);
}

TEST_F(DDImageTest, SetSurfaceTakesItsSizeAndReleasesTheOneBefore)
{
    InitDisplay(kFormat888);
    IDirectDrawSurface* const first = MakeSurface(640, 480);
    IDirectDrawSurface* const second = MakeSurface(32, 16);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    const int live = mControls->liveObjects;

    auto image = std::make_unique<DDImage>(mDisplay.get());
    image->SetSurface(first);
    first->Release();
    EXPECT_TRUE(image->mSurfaceSet);
    EXPECT_EQ(image->mWidth, 640);
    EXPECT_EQ(image->mHeight, 480);
    EXPECT_EQ(mControls->liveObjects, live) << "the image holds a reference of its own";

    image->SetSurface(second);
    second->Release();
    EXPECT_EQ(image->mWidth, 32);
    EXPECT_EQ(image->mHeight, 16);
    EXPECT_EQ(mControls->liveObjects, live - 1) << "the first surface was kept";
    image.reset();
    EXPECT_EQ(mControls->liveObjects, live - 2);
}

TEST_F(DDImageTest, HandedInSurfaceOutlivesDisplayDataChanges)
{
    InitDisplay(kFormat888);
    DDImage* const screen = mDisplay->GetScreenImage();
    screen->DeleteNativeData();
    screen->PurgeBits();
    screen->DeleteCachedBuffers();
    EXPECT_EQ(screen->mSurface, mDisplay->mDrawSurface);
}

TEST_F(DDImageTest, NewerPixelsWhileLockedLeaveNoLockBehind)
{
    InitDisplay(kFormat888);
    const auto image = MakeImage({0xFF112233}, 1, 1);
    ASSERT_TRUE(image->LockSurface());
    const uint32_t newer = 0xFF445566;
    image->SetBits(&newer, 1, 1, true);
    EXPECT_EQ(image->mSurface, nullptr);
    EXPECT_EQ(image->mLockCount, 0);
    EXPECT_FALSE(image->UnlockSurface()) << "the lock went with its surface";
    EXPECT_EQ(ImageSurfacePixels(*image), (std::vector<uint32_t>{0x445566}));
}

TEST_F(DDImageTest, SurfaceDroppedWhileLockedIsNotReadThroughTheOldLock)
{
    InitDisplay(kFormat888);
    const auto image = MakeImage({0xFF112233, 0xFF445566}, 2, 1);
    ASSERT_TRUE(image->LockSurface());
    image->SetVideoMemory(true);
    EXPECT_EQ(image->mLockCount, 0);
    // The next lock makes and locks a new surface instead of reusing the old description.
    EXPECT_EQ(ImageSurfacePixels(*image), (std::vector<uint32_t>{0x112233, 0x445566}));
    EXPECT_NE(image->mSurface, nullptr);
}

TEST_F(DDImageTest, PixelsReadFromASmallerHandedInSurfaceStayInsideIt)
{
    InitDisplay(kFormat888);
    IDirectDrawSurface* const surface = MakeSurface(2, 1);
    ASSERT_NE(surface, nullptr);
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    static_cast<uint32_t*>(desc.lpSurface)[0] = 0x112233;
    static_cast<uint32_t*>(desc.lpSurface)[1] = 0x445566;
    surface->Unlock(nullptr);

    auto image = std::make_unique<DDImage>(mDisplay.get());
    image->SetSurface(surface);
    surface->Release();
    image->Create(3, 2);
    const uint32_t* const bits = image->GetBits();
    ASSERT_NE(bits, nullptr);
    EXPECT_EQ(std::vector<uint32_t>(bits, bits + 6),
              (std::vector<uint32_t>{0xFF112233, 0xFF445566, 0, 0, 0, 0}));
}

TEST_F(DDImageTest, FilteredStretchWithoutASurfaceDrawsInSoftware)
{
    // The display is not set up, so the image cannot have a surface: its pixels are the only
    // copy of the picture, and the stretch is drawn into them.
    const std::vector<uint32_t> pixels{0xFF112233, 0xFF445566, 0xFF778899, 0xFFAABBCC};
    const auto image = MakeImage(pixels, 2, 2);
    const auto source = MakeImage({0xFF000000}, 1, 1);
    const Zest::Rect whole(0, 0, 2, 2);
    image->StretchBlt(source.get(), whole, Zest::Rect(0, 0, 1, 1), whole, Zest::Color::White,
                      Zest::DRAWMODE_NORMAL, false);
    EXPECT_EQ(image->mSurface, nullptr);
    ASSERT_NE(image->mBits, nullptr) << "the only copy of the picture was freed";
    EXPECT_EQ(std::vector<uint32_t>(image->mBits, image->mBits + 4), std::vector<uint32_t>(4, 0xFF000000));
}

TEST_F(DDImageTest, ImageOnADisplayNotSetUpGetsNoSurface)
{
    const auto image = MakeImage({0xFF112233}, 1, 1);
    EXPECT_FALSE(image->GenerateDDSurface());
    EXPECT_EQ(image->mSurface, nullptr);
    EXPECT_EQ(mControls->liveObjects, 0);
}

} // namespace
