#include "framework/directx/DDImage.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Geometry.h"
#include "framework/graphics/MemoryImage.h"
#include "tests/framework/directx/DisplayFixture.h"
#include "tests/framework/directx/SurfaceCanvas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace {

using Tests::DesktopFormat;
using Tests::kBackground444;
using Tests::kBackground555;
using Tests::kBackground565;
using Tests::kBackground888;
using Tests::kBackgroundBgr888;
using Tests::kFormat444;
using Tests::kFormat555;
using Tests::kFormat565;
using Tests::kFormat888;
using Tests::kFormatBgr888;
using Tests::PixelChanges;
using Zest::Color;
using Zest::DDImage;
using Zest::Image;
using Zest::MemoryImage;
using Zest::Rect;

// Source pixels: opaque, partly transparent and transparent.
constexpr uint32_t kA = 0xFF102030;
constexpr uint32_t kB = 0x80FF8040;
constexpr uint32_t kC = 0x40204080;
constexpr uint32_t kD = 0xFFC0C0C0;
constexpr uint32_t kE = 0xFF0000FF;
constexpr uint32_t kT = 0x00FFFFFF;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;

// Row 0: an opaque run, a transparent one and a partly transparent run of two alphas; row 1:
// an opaque run and a transparent one, so that a run carried over from row 0 would show.
const std::vector<uint32_t> kPicture = {kA, kT, kB, kC, kD, kE, kT, kT};
// For additive blits: white, opaque black (a black run), partly transparent, transparent.
const std::vector<uint32_t> kAdditivePicture = {kWhite, kBlack, kB, kT, kD, kE, kT, kT};

using BlitRoutine = void (DDImage::*)(Image*, int, int, const Rect&, const Color&);

class DDImageBlitTest : public Tests::SurfaceCanvasTest {
protected:
    std::unique_ptr<MemoryImage> MakeSource(const std::vector<uint32_t>& pixels, const int width, const int height)
    {
        auto source = std::make_unique<MemoryImage>(&mApp);
        source->SetBits(pixels.data(), width, height, true);
        return source;
    }

    // A display image with a surface of its own, made from the pixels.
    std::unique_ptr<DDImage> MakeSurfaceSource(const std::vector<uint32_t>& pixels, const int width,
                                               const int height)
    {
        auto source = std::make_unique<DDImage>(mDisplay.get());
        source->SetBits(pixels.data(), width, height, true);
        EXPECT_TRUE(source->GenerateDDSurface());
        return source;
    }
};

TEST_F(DDImageBlitTest, AlphaRunsSkipTransparentCopyOpaqueAndBlendTheRest)
{
    // The 4 x 2 picture at (4, 2) of an 8 x 4 canvas reaches its last column and row.
    const struct {
        const char* name;
        DesktopFormat format;
        uint32_t background;
        Color color;
        Rect srcRect;
        PixelChanges expected;
    } cases[] = {
        // Opaque runs copy the whole native word (alpha byte 0xFF); a blend leaves the
        // source's alpha in the top byte: B is 0x80804020 natively, over 0x11806040 with
        // f = 128 it gives 0x80C07040.
        {"888 untinted", kFormat888, kBackground888, Color::White, Rect(0, 0, 4, 2),
         {{{4, 2}, 0xFF102030}, {{6, 2}, 0x80C07040}, {{7, 2}, 0x40685850}, {{4, 3}, 0xFFC0C0C0},
          {{5, 3}, 0xFF0000FF}}},
        {"bgr 888 untinted", kFormatBgr888, kBackgroundBgr888, Color::White, Rect(0, 0, 4, 2),
         {{{4, 2}, 0xFF302010}, {{6, 2}, 0x804070C0}, {{7, 2}, 0x40505868}, {{4, 3}, 0xFFC0C0C0},
          {{5, 3}, 0xFFFF0000}}},
        {"565 untinted", kFormat565, kBackground565, Color::White, Rect(0, 0, 4, 2),
         {{{4, 2}, 0x1106}, {{6, 2}, 0xC40C}, {{7, 2}, 0x6B90}, {{4, 3}, 0xC618}, {{5, 3}, 0x001F}}},
        {"555 untinted", kFormat555, kBackground555, Color::White, Rect(0, 0, 4, 2),
         {{{4, 2}, 0x0886}, {{6, 2}, 0x620C}, {{7, 2}, 0x35D0}, {{4, 3}, 0x6318}, {{5, 3}, 0x001F}}},
        {"444 untinted", kFormat444, kBackground444, Color::White, Rect(0, 0, 4, 2),
         {{{4, 2}, 0x0123}, {{6, 2}, 0x0C86}, {{7, 2}, 0x0678}, {{4, 3}, 0x0CCC}, {{5, 3}, 0x000F}}},
        // Grey (128, 128, 128): every field of an opaque pixel halved (m5 = 16 of 32).
        {"565 grey tint", kFormat565, kBackground565, Color(128, 128, 128), Rect(0, 0, 4, 2),
         {{{4, 2}, 0x0883}, {{6, 2}, 0x830A}, {{7, 2}, 0x634E}, {{4, 3}, 0x630C}, {{5, 3}, 0x000F}}},
        {"888 grey tint", kFormat888, kBackground888, Color(128, 128, 128), Rect(0, 0, 4, 2),
         {{{4, 2}, 0x081018}, {{6, 2}, 0x805030}, {{7, 2}, 0x645040}, {{4, 3}, 0x606060}, {{5, 3}, 0x00007F}}},
        // A translucent tint blends even the opaque runs.
        {"565 translucent grey tint", kFormat565, kBackground565, Color(128, 128, 128, 128), Rect(0, 0, 4, 2),
         {{{4, 2}, 0x4249}, {{6, 2}, 0x838D}, {{7, 2}, 0x73AF}, {{4, 3}, 0x738E}, {{5, 3}, 0x420F}}},
        // Multipliers that differ take the per-channel forms, packed layout or not.
        {"565 red tint", kFormat565, kBackground565, Color(255, 0, 0), Rect(0, 0, 4, 2),
         {{{4, 2}, 0x0800}, {{6, 2}, 0xBA08}, {{7, 2}, 0x630C}, {{4, 3}, 0xB800}, {{5, 3}, 0x0000}}},
        {"444 red tint", kFormat444, kBackground444, Color(255, 0, 0), Rect(0, 0, 4, 2),
         {{{4, 2}, 0x0000}, {{6, 2}, 0x0B44}, {{7, 2}, 0x0666}, {{4, 3}, 0x0B00}, {{5, 3}, 0x0000}}},
        {"888 orange tint", kFormat888, kBackground888, Color(255, 128, 0, 200), Rect(0, 0, 4, 2),
         {{{4, 2}, 0x28210E}, {{6, 2}, 0xB25327}, {{7, 2}, 0x6D5333}, {{4, 3}, 0xB2600E}, {{5, 3}, 0x1C150E}}},
        // The run of B and C is cut at the rectangle's edge; row 1 starts a run of its own.
        {"888 narrower rectangle", kFormat888, kBackground888, Color::White, Rect(0, 0, 3, 2),
         {{{4, 2}, 0xFF102030}, {{6, 2}, 0x80C07040}, {{4, 3}, 0xFFC0C0C0}, {{5, 3}, 0xFF0000FF}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InitDisplay(c.format);
        DDImage& canvas = MakeCanvas(8, 4, c.background);
        const auto source = MakeSource(kPicture, 4, 2);
        canvas.NormalBlt(source.get(), 4, 2, c.srcRect, c.color);
        EXPECT_EQ(Changes(), c.expected);
        EXPECT_TRUE(source->mDrawn);
    }
}

TEST_F(DDImageBlitTest, UntintedSourceWithoutAlphaIsCopiedWordForWord)
{
    // No run table: every pixel whose alpha is not 0 is written as its native word.
    const struct {
        const char* name;
        DesktopFormat format;
        uint32_t background;
        std::vector<uint32_t> pixels;
        PixelChanges expected;
    } cases[] = {
        {"888 opaque", kFormat888, kBackground888, {kA, kD, kE, kE, kA, kD},
         {{{5, 2}, 0xFF102030}, {{6, 2}, 0xFFC0C0C0}, {{7, 2}, 0xFF0000FF}, {{5, 3}, 0xFF0000FF},
          {{6, 3}, 0xFF102030}, {{7, 3}, 0xFFC0C0C0}}},
        {"565 opaque", kFormat565, kBackground565, {kA, kD, kE, kE, kA, kD},
         {{{5, 2}, 0x1106}, {{6, 2}, 0xC618}, {{7, 2}, 0x001F}, {{5, 3}, 0x001F}, {{6, 3}, 0x1106},
          {{7, 3}, 0xC618}}},
        {"888 with transparent pixels", kFormat888, kBackground888, {kA, kT, kE, kT, kA, kT},
         {{{5, 2}, 0xFF102030}, {{7, 2}, 0xFF0000FF}, {{6, 3}, 0xFF102030}}},
        {"565 with transparent pixels", kFormat565, kBackground565, {kA, kT, kE, kT, kA, kT},
         {{{5, 2}, 0x1106}, {{7, 2}, 0x001F}, {{6, 3}, 0x1106}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InitDisplay(c.format);
        DDImage& canvas = MakeCanvas(8, 4, c.background);
        const auto source = MakeSource(c.pixels, 3, 2);
        canvas.NormalBlt(source.get(), 5, 2, Rect(0, 0, 3, 2), Color::White);
        EXPECT_EQ(Changes(), c.expected);
    }
}

TEST_F(DDImageBlitTest, SourceWithASurfaceIsCopiedByDirectDraw)
{
    InitDisplay(kFormat888);
    // DirectDraw copies surface values (no alpha byte) and skips the colour key.
    const PixelChanges copied = {{{5, 2}, 0x102030}, {{7, 2}, 0xC0C0C0}, {{5, 3}, 0x0000FF},
                                 {{6, 3}, 0x102030}, {{7, 3}, 0xC0C0C0}};
    const std::vector<uint32_t> pixels = {kA, kT, kD, kE, kA, kD};
    {
        SCOPED_TRACE("a lock held by the caller is kept; the lock switch does not stop DirectDraw");
        DDImage& canvas = MakeCanvas(8, 4, kBackground888);
        const auto source = MakeSurfaceSource(pixels, 3, 2);
        canvas.mLockDisabled = true;
        ASSERT_TRUE(canvas.LockSurface());
        canvas.NormalBlt(source.get(), 5, 2, Rect(0, 0, 3, 2), Color::White);
        EXPECT_EQ(canvas.mLockCount, 1);
        EXPECT_NE(canvas.mLockedDesc.lpSurface, nullptr);
        canvas.UnlockSurface();
        EXPECT_EQ(Changes(), copied);
    }
    {
        SCOPED_TRACE("a video-memory source is not read into a system-memory image by DirectDraw");
        DDImage& canvas = MakeCanvas(8, 4, kBackground888);
        const auto source = MakeSurfaceSource(pixels, 3, 2);
        source->SetVideoMemory(true);
        ASSERT_NE(source->GetSurface(), nullptr);
        canvas.NormalBlt(source.get(), 5, 2, Rect(0, 0, 3, 2), Color::White);
        EXPECT_EQ(Changes(), (PixelChanges{{{5, 2}, 0xFF102030}, {{7, 2}, 0xFFC0C0C0}, {{5, 3}, 0xFF0000FF},
                                           {{6, 3}, 0xFF102030}, {{7, 3}, 0xFFC0C0C0}}));
    }
    {
        SCOPED_TRACE("the mirrored blit always runs its own loop");
        DDImage& canvas = MakeCanvas(8, 4, kBackground888);
        const auto source = MakeSurfaceSource(pixels, 3, 2);
        canvas.NormalMirrorBlt(source.get(), 5, 2, Rect(0, 0, 3, 2), Color::White);
        EXPECT_EQ(Changes(), (PixelChanges{{{5, 2}, 0xFFC0C0C0}, {{7, 2}, 0xFF102030}, {{5, 3}, 0xFFC0C0C0},
                                           {{6, 3}, 0xFF102030}, {{7, 3}, 0xFF0000FF}}));
    }
}

TEST_F(DDImageBlitTest, AdditiveBlitsAddNonBlackRunsWithSaturation)
{
    // White saturates every channel; the opaque black run and the transparent pixels are
    // skipped, so those pixels keep even their top byte.
    const struct {
        const char* name;
        DesktopFormat format;
        uint32_t background;
        Color color;
        PixelChanges expected;
    } cases[] = {
        {"888 untinted", kFormat888, kBackground888, Color::White,
         {{{4, 2}, 0xFFFFFF}, {{6, 2}, 0xFFA060}, {{4, 3}, 0xFFFFFF}, {{5, 3}, 0x8060FF}}},
        {"565 untinted", kFormat565, kBackground565, Color::White,
         {{{4, 2}, 0xFFFF}, {{6, 2}, 0xFE14}, {{4, 3}, 0xFFFF}, {{5, 3}, 0x841F}}},
        {"555 untinted", kFormat555, kBackground555, Color::White,
         {{{4, 2}, 0x7FFF}, {{6, 2}, 0x7F14}, {{4, 3}, 0x7FFF}, {{5, 3}, 0x421F}}},
        // Each channel scaled by trunc(c x ca / 255): 200, 100 and 0.
        {"565 tinted", kFormat565, kBackground565, Color(255, 128, 0, 200),
         {{{4, 2}, 0xFF10}, {{6, 2}, 0xE4D0}, {{4, 3}, 0xFE50}}},
        {"888 tinted", kFormat888, kBackground888, Color(255, 128, 0, 200),
         {{{4, 2}, 0xFFC340}, {{6, 2}, 0xE47940}, {{4, 3}, 0xFFAB40}, {{5, 3}, 0x806040}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InitDisplay(c.format);
        DDImage& canvas = MakeCanvas(8, 4, c.background);
        const auto source = MakeSource(kAdditivePicture, 4, 2);
        canvas.AdditiveBlt(source.get(), 4, 2, Rect(0, 0, 4, 2), c.color);
        EXPECT_EQ(Changes(), c.expected);
        EXPECT_TRUE(source->mDrawn);
    }
}

TEST_F(DDImageBlitTest, MirroredBlitsReverseTheColumns)
{
    InitDisplay(kFormat888);
    const struct {
        const char* name;
        BlitRoutine blit;
        std::vector<uint32_t> pixels;
        PixelChanges expected;
    } cases[] = {
        // a, b, c at x = 5 become c, b, a.
        {"normal", &DDImage::NormalMirrorBlt, {kA, kB, kE},
         {{{5, 3}, 0xFF0000FF}, {{6, 3}, 0x80C07040}, {{7, 3}, 0xFF102030}}},
        {"additive", &DDImage::AdditiveMirrorBlt, {kWhite, kBlack, kB}, {{{5, 3}, 0xFFA060}, {{7, 3}, 0xFFFFFF}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DDImage& canvas = MakeCanvas(8, 4, kBackground888);
        const auto source = MakeSource(c.pixels, 3, 1);
        (canvas.*c.blit)(source.get(), 5, 3, Rect(0, 0, 3, 1), Color::White);
        EXPECT_EQ(Changes(), c.expected);
        EXPECT_TRUE(source->mDrawn);
    }
}

TEST_F(DDImageBlitTest, VolatileSourceBlendsFromItsArgbPixels)
{
    // Every pixel of the rectangle is blended from the ARGB word, transparent ones too.
    const struct {
        const char* name;
        DesktopFormat format;
        uint32_t background;
        PixelChanges expected;
    } cases[] = {
        // Ordered channels: red and blue moved together by the difference to the
        // destination; alpha 0 leaves the colour but clears the top byte.
        {"888", kFormat888, kBackground888,
         {{{4, 2}, 0x102030}, {{5, 2}, 0x806040}, {{6, 2}, 0xBF7040}, {{7, 2}, 0x685850}, {{4, 3}, 0xBFBFBF},
          {{5, 3}, 0x0000FE}, {{6, 3}, 0x806040}, {{7, 3}, 0x806040}}},
        {"bgr 888, channel by channel", kFormatBgr888, kBackgroundBgr888,
         {{{4, 2}, 0x2F1F0F}, {{5, 2}, 0x406080}, {{6, 2}, 0x4070BF}, {{7, 2}, 0x505868}, {{4, 3}, 0xBFBFBF},
          {{5, 3}, 0xFD0000}, {{6, 3}, 0x406080}, {{7, 3}, 0x406080}}},
        // Packed, with the top 5 bits of alpha as the weight.
        {"565", kFormat565, kBackground565,
         {{{4, 2}, 0x1106}, {{6, 2}, 0xBC0C}, {{7, 2}, 0x6B90}, {{4, 3}, 0xBDF7}, {{5, 3}, 0x003E}}},
        {"555", kFormat555, kBackground555,
         {{{4, 2}, 0x0886}, {{6, 2}, 0x5E0C}, {{7, 2}, 0x35D0}, {{4, 3}, 0x5EF7}, {{5, 3}, 0x001E}}},
        {"444, channel by channel", kFormat444, kBackground444,
         {{{4, 2}, 0x0012}, {{6, 2}, 0x0B75}, {{7, 2}, 0x0667}, {{4, 3}, 0x0BBB}, {{5, 3}, 0x000E}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InitDisplay(c.format);
        DDImage& canvas = MakeCanvas(8, 4, c.background);
        const auto source = MakeSource(kPicture, 4, 2);
        source->SetVolatile(true);
        canvas.NormalBlt(source.get(), 4, 2, Rect(0, 0, 4, 2), Color::White);
        EXPECT_EQ(Changes(), c.expected);
        // No cache was built for it.
        EXPECT_EQ(source->mNativeAlphaData, nullptr);
        EXPECT_EQ(source->mRLAlphaData, nullptr);
    }
}

TEST_F(DDImageBlitTest, VolatileSourceWithATintTakesTheCachedPath)
{
    InitDisplay(kFormat565);
    DDImage& canvas = MakeCanvas(8, 4, kBackground565);
    const auto source = MakeSource(kPicture, 4, 2);
    source->SetVolatile(true);
    canvas.NormalBlt(source.get(), 4, 2, Rect(0, 0, 4, 2), Color(128, 128, 128));
    EXPECT_EQ(Changes(),
              (PixelChanges{{{4, 2}, 0x0883}, {{6, 2}, 0x830A}, {{7, 2}, 0x634E}, {{4, 3}, 0x630C}, {{5, 3}, 0x000F}}));
}

TEST_F(DDImageBlitTest, PalettisedSourceDrawsThroughItsColourTable)
{
    InitDisplay(kFormat565);
    const struct {
        const char* name;
        BlitRoutine blit;
        bool isVolatile;
        PixelChanges expected;
    } cases[] = {
        {"normal", &DDImage::NormalBlt, false,
         {{{4, 2}, 0x1106}, {{6, 2}, 0xC40C}, {{7, 2}, 0x6B90}, {{4, 3}, 0xC618}, {{5, 3}, 0x001F}}},
        {"mirrored", &DDImage::NormalMirrorBlt, false,
         {{{7, 2}, 0x1106}, {{5, 2}, 0xC40C}, {{4, 2}, 0x6B90}, {{7, 3}, 0xC618}, {{6, 3}, 0x001F}}},
        {"volatile", &DDImage::NormalBlt, true,
         {{{4, 2}, 0x1106}, {{6, 2}, 0xBC0C}, {{7, 2}, 0x6B90}, {{4, 3}, 0xBDF7}, {{5, 3}, 0x003E}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DDImage& canvas = MakeCanvas(8, 4, kBackground565);
        const auto source = MakeSource(kPicture, 4, 2);
        source->SetVolatile(c.isVolatile);
        ASSERT_TRUE(source->Palletize());
        (canvas.*c.blit)(source.get(), 4, 2, Rect(0, 0, 4, 2), Color::White);
        EXPECT_EQ(Changes(), c.expected);
        EXPECT_NE(source->mColorIndices, nullptr);
    }
    DDImage& canvas = MakeCanvas(8, 4, kBackground565);
    const auto source = MakeSource(kAdditivePicture, 4, 2);
    ASSERT_TRUE(source->Palletize());
    canvas.AdditiveBlt(source.get(), 4, 2, Rect(0, 0, 4, 2), Color::White);
    EXPECT_EQ(Changes(), (PixelChanges{{{4, 2}, 0xFFFF}, {{6, 2}, 0xFE14}, {{4, 3}, 0xFFFF}, {{5, 3}, 0x841F}}));
}

TEST_F(DDImageBlitTest, LockDisabledStopsEveryPathButDirectDraw)
{
    InitDisplay(kFormat888);
    DDImage& canvas = MakeCanvas(8, 4, kBackground888);
    canvas.mLockDisabled = true;
    const auto blended = MakeSource(kPicture, 4, 2);
    const auto opaque = MakeSource({kA, kD, kE, kA}, 2, 2);
    const auto fleeting = MakeSource(kPicture, 4, 2);
    fleeting->SetVolatile(true);
    const Rect whole(0, 0, 2, 2);
    const struct {
        const char* name;
        BlitRoutine blit;
        MemoryImage* source;
    } cases[] = {
        {"blended", &DDImage::NormalBlt, blended.get()},   {"plain copy", &DDImage::NormalBlt, opaque.get()},
        {"volatile", &DDImage::NormalBlt, fleeting.get()}, {"additive", &DDImage::AdditiveBlt, opaque.get()},
        {"mirrored", &DDImage::NormalMirrorBlt, opaque.get()},
        {"additive mirrored", &DDImage::AdditiveMirrorBlt, opaque.get()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.source->mDrawn = false;
        (canvas.*c.blit)(c.source, 0, 0, whole, Color::White);
        EXPECT_TRUE(c.source->mDrawn);
    }
    EXPECT_EQ(Changes(), PixelChanges{});
}

TEST_F(DDImageBlitTest, BlitsHangingOverAnEdgeAreCut)
{
    InitDisplay(kFormat888);
    const struct {
        const char* name;
        BlitRoutine blit;
        int x;
        int y;
        Rect srcRect;
        PixelChanges expected;
    } cases[] = {
        // Source columns 0 and 1 of row 0 (A, then transparent) land on the last two columns.
        {"right", &DDImage::NormalBlt, 6, 3, Rect(0, 0, 4, 2), {{{6, 3}, 0xFF102030}}},
        // Mirrored, the destination's last two columns take source columns 3 and 2.
        {"right mirrored", &DDImage::NormalMirrorBlt, 6, 3, Rect(0, 0, 4, 2),
         {{{6, 3}, 0x40685850}, {{7, 3}, 0x80C07040}}},
        {"left", &DDImage::NormalBlt, -2, 0, Rect(0, 0, 4, 2), {{{0, 0}, 0x80C07040}, {{1, 0}, 0x40685850}}},
        {"left mirrored", &DDImage::NormalMirrorBlt, -2, 0, Rect(0, 0, 4, 2),
         {{{1, 0}, 0xFF102030}, {{0, 1}, 0xFF0000FF}, {{1, 1}, 0xFFC0C0C0}}},
        {"source rectangle past the source", &DDImage::NormalBlt, 0, 0, Rect(0, 1, 6, 3),
         {{{0, 0}, 0xFFC0C0C0}, {{1, 0}, 0xFF0000FF}}},
        {"additive past the bottom", &DDImage::AdditiveBlt, 0, 3, Rect(0, 0, 4, 2),
         {{{0, 3}, 0x908070}, {{2, 3}, 0xFFA060}, {{3, 3}, 0x887060}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DDImage& canvas = MakeCanvas(8, 4, kBackground888);
        const auto source = MakeSource(kPicture, 4, 2);
        (canvas.*c.blit)(source.get(), c.x, c.y, c.srcRect, Color::White);
        EXPECT_EQ(Changes(), c.expected);
    }
}

} // namespace
