// The rotated blit of a display image on its locked surface: where the turned picture lands,
// the bilinear blend of each form, and what it must never touch.

#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "tests/framework/directx/PaddedSurfaceFixture.h"
#include "tests/framework/graphics/RowPathChoice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace DDraw;
using Tests::DesktopFormat;
using Tests::kFormat565;
using Tests::kFormat888;
using Tests::LockedPixels;
using Zest::Color;
using Zest::DDImage;
using Zest::DDInterface;
using Zest::MemoryImage;
using Zest::Rect;

using Tests::kPaddingByte;
using Tests::Picture;

class DDImageRotateTest : public Tests::PaddedSurfaceTest {};


// Opaque red, green, blue, white, yellow and magenta, and what a pixel drawn wholly from
// one of them becomes: its own pixel weighs 254/256 (each share is an odd fraction) and
// the rest of the destination, black here, 2/256.
const std::vector<uint32_t> kSource3x2 = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFFFFFF00, 0xFFFF00FF};
const std::map<char, uint32_t> kDrawn888 = {{'.', 0},        {'a', 0xFD0000}, {'b', 0x00FD00}, {'c', 0x0000FD},
                                            {'d', 0xFDFDFD}, {'e', 0xFDFD00}, {'f', 0xFD00FD}};
const std::map<char, uint32_t> kDrawn565 = {{'.', 0},      {'a', 0xF800}, {'b', 0x07E0}, {'c', 0x001F},
                                            {'d', 0xFFFF}, {'e', 0xFFE0}, {'f', 0xF81F}};

TEST_F(DDImageRotateTest, QuarterTurnsLandEverySourcePixelOnAWholeDestinationPixel)
{
    constexpr double kPi = std::numbers::pi;
    // The 3 x 2 picture "abc / def" turned about (1, 1), placed at (2, 2): the centre sits
    // on the corner between destination pixels, so each turn lands on whole pixels.
    const struct {
        const char* name;
        double angle;
        std::vector<std::string> expected;
    } turns[] = {
        {"none", 0.0, {"......", "......", "..abc.", "..def.", "......", "......"}},
        {"quarter (anticlockwise)", kPi / 2, {"......", "..cf..", "..be..", "..ad..", "......", "......"}},
        {"half", kPi, {"......", "......", ".fed..", ".cba..", "......", "......"}},
        {"three quarters", 3 * kPi / 2, {"......", "......", "..da..", "..eb..", "..fc..", "......"}},
    };
    for (const DesktopFormat& format : {kFormat888, kFormat565}) {
        InitDisplay(format);
        const auto& drawn = format.bits == 32 ? kDrawn888 : kDrawn565;
        const auto source = MakeImage(kSource3x2, 3, 2);
        for (const auto& turn : turns) {
            SCOPED_TRACE(std::string(turn.name) + (format.bits == 32 ? " on 8-8-8" : " on 5-6-5"));
            const auto dest = MakeSurfaceImage(6, 6, 0);
            dest->BltRotated(source.get(), 2.0f, 2.0f, Rect(0, 0, 3, 2), Rect(0, 0, 6, 6), Color::White,
                             Zest::DRAWMODE_NORMAL, turn.angle, 1.0f, 1.0f);
            EXPECT_EQ(SurfacePixels(*dest), Picture(turn.expected, drawn));
            EXPECT_EQ(dest->mBits, nullptr) << "the surface alone holds the picture";
        }
    }
}

TEST_F(DDImageRotateTest, FloatPositionDrawsEveryColumnAndRowOfThePicture)
{
    // Red, green, blue over three whites, at x 1.5: each destination pixel takes half of two
    // source columns, and the outermost ones half a column over transparency; the bottom
    // source row is drawn too. Half a pixel weighs 127/256.
    const struct {
        const DesktopFormat* format;
        std::vector<uint32_t> expected;
    } cases[] = {
        {&kFormat888,
         {0, 0, 0, 0, 0, 0,                                    //
          0, 0x7E0000, 0x7E7E00, 0x007E7E, 0x00007E, 0,        //
          0, 0x7E7E7E, 0xFDFDFD, 0xFDFDFD, 0x7E7E7E, 0,        //
          0, 0, 0, 0, 0, 0}},
        {&kFormat565,
         {0, 0, 0, 0, 0, 0,                    //
          0, 0x7800, 0x7BE0, 0x03EF, 0x000F, 0, //
          0, 0x7BEF, 0xFFFF, 0xFFFF, 0x7BEF, 0, //
          0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format->bits);
        InitDisplay(*c.format);
        const auto source = MakeImage({0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, 3, 2);
        const auto dest = MakeSurfaceImage(6, 4, 0);
        dest->BltAtFloat(source.get(), 1.5f, 1.0f, Rect(0, 0, 3, 2), Rect(0, 0, 6, 4), Color::White,
                         Zest::DRAWMODE_NORMAL);
        EXPECT_EQ(SurfacePixels(*dest), c.expected);
    }
}

TEST_F(DDImageRotateTest, WholePositionDrawsEachSourcePixelAloneIncludingTheEdges)
{
    // A picture one pixel wide and one high at a whole position: its only pixel is drawn.
    InitDisplay(kFormat888);
    const auto source = MakeImage({0xFFFFFF00}, 1, 1);
    const auto dest = MakeSurfaceImage(3, 3, 0);
    dest->BltAtFloat(source.get(), 1.0f, 1.0f, Rect(0, 0, 1, 1), Rect(0, 0, 3, 3), Color::White,
                     Zest::DRAWMODE_NORMAL);
    EXPECT_EQ(SurfacePixels(*dest), std::vector<uint32_t>({0, 0, 0, 0, 0xFDFD00, 0, 0, 0, 0}));
}

TEST_F(DDImageRotateTest, SourceRectangleReachingPastTheSourceDrawsOnlyTheSourcesPixels)
{
    InitDisplay(kFormat888);
    const auto source = MakeImage(kSource3x2, 3, 2);
    const auto dest = MakeSurfaceImage(6, 4, 0);
    dest->BltRotated(source.get(), 1.0f, 1.0f, Rect(1, 1, 4, 3), Rect(0, 0, 6, 4), Color::White,
                     Zest::DRAWMODE_NORMAL, 0.0, 0.0f, 0.0f);
    EXPECT_EQ(SurfacePixels(*dest), Picture({"......", ".ef...", "......", "......"}, kDrawn888));
}

TEST_F(DDImageRotateTest, FormsBlendTheSampleOverTheDestination)
{
    // One opaque pixel (0x80, 0x40, 0x20), drawn whole (weight 254) over grey (0x30 each,
    // or 6, 12, 6 in 5-6-5). Additive: channel x 254 / 256 scaled by the tint premultiplied
    // by its alpha, plus the destination. Tinted: the weight carries the tint's alpha
    // (254 x 128 / 256 = 127), the channels (component + 1) / 256, and the destination
    // keeps (256 - 127) / 256.
    const Color halfWhite(255, 255, 255, 128);
    const Color tint(255, 128, 0, 128);
    const struct {
        const char* name;
        Color color;
        int drawMode;
        uint32_t on888;
        uint32_t on565;
    } cases[] = {
        {"additive", Color::White, Zest::DRAWMODE_ADDITIVE, 0xAE6F4F, 0xA369},
        {"any other mode adds", Color::White, 2, 0xAE6F4F, 0xA369},
        {"additive at half strength", halfWhite, Zest::DRAWMODE_ADDITIVE, 0x6F4F3F, 0x6A67},
        {"tinted", tint, Zest::DRAWMODE_NORMAL, 0x572718, 0x5123},
    };
    for (const auto& c : cases) {
        for (const DesktopFormat& format : {kFormat888, kFormat565}) {
            SCOPED_TRACE(std::string(c.name) + (format.bits == 32 ? " on 8-8-8" : " on 5-6-5"));
            InitDisplay(format);
            const auto source = MakeImage({0xFF804020}, 1, 1);
            const auto dest = MakeSurfaceImage(1, 1, format.bits == 32 ? 0x303030 : 0x3186);
            dest->BltRotated(source.get(), 0.0f, 0.0f, Rect(0, 0, 1, 1), Rect(0, 0, 1, 1), c.color, c.drawMode, 0.0,
                             0.0f, 0.0f);
            EXPECT_EQ(SurfacePixels(*dest), std::vector<uint32_t>({format.bits == 32 ? c.on888 : c.on565}));
        }
    }
}

TEST_F(DDImageRotateTest, PackedFormsKeepTheDestinationInThirtySeconds)
{
    // Black at alpha 58 drawn whole weighs 57/256 over white: the destination keeps 199/256
    // in the generic form, floor(199 / 8) / 32 = 24/32 in the packed 5-6-5 and 5-5-5 forms
    // of a display in red-green-blue order.
    const DesktopFormat bgr565{16, 0x001F, 0x07E0, 0xF800};
    const struct {
        const char* name;
        const DesktopFormat* format;
        uint32_t white;
        uint32_t expected;
    } cases[] = {
        {"8-8-8", &kFormat888, 0xFFFFFF, 0xC6C6C6},
        {"5-6-5", &kFormat565, 0xFFFF, 0xBDF7},
        {"5-5-5", &Tests::kFormat555, 0x7FFF, 0x5EF7},
        {"5-6-5 in blue-green-red order", &bgr565, 0xFFFF, 0xC618},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InitDisplay(*c.format);
        const auto source = MakeImage({0x3A000000}, 1, 1);
        const auto dest = MakeSurfaceImage(1, 1, c.white);
        dest->BltRotated(source.get(), 0.0f, 0.0f, Rect(0, 0, 1, 1), Rect(0, 0, 1, 1), Color::White,
                         Zest::DRAWMODE_NORMAL, 0.0, 0.0f, 0.0f);
        EXPECT_EQ(SurfacePixels(*dest), std::vector<uint32_t>({c.expected}));
    }
}

// The pixels inside the picture are sampled eight at a time on the AVX2 path and one at a
// time on the SSE2 path: on a random picture both must draw the same surface pixels in every
// form and layout, turned or not, including a source rectangle that starts inside the image.
TEST_F(DDImageRotateTest, EveryInstructionPathDrawsTheSamePixels)
{
    constexpr int kSourceWidth = 40;
    constexpr int kSourceHeight = 24;
    std::mt19937 random(31);
    std::vector<uint32_t> pixels(kSourceWidth * kSourceHeight);
    for (uint32_t& pixel : pixels) {
        const uint32_t roll = random();
        const uint32_t alpha = roll % 3 == 0 ? 255 : roll % 3 == 1 ? (roll >> 8) % 256 : 0;
        pixel = (alpha << 24) | (random() & 0x00FFFFFF);
    }
    const struct {
        const char* name;
        Color color;
        int drawMode;
    } drawings[] = {{"plain", Color::White, Zest::DRAWMODE_NORMAL},
                    {"tinted", Color(255, 128, 40, 180), Zest::DRAWMODE_NORMAL},
                    {"additive", Color(200, 255, 90, 255), Zest::DRAWMODE_ADDITIVE}};
    const struct {
        const char* name;
        double angle;
        float x;
        float y;
        Rect srcRect;
    } turns[] = {{"unturned at a fraction", 0.0, 6.4f, 7.7f, Rect(0, 0, kSourceWidth, kSourceHeight)},
                 {"turned", 0.35, 9.0f, 5.5f, Rect(0, 0, kSourceWidth, kSourceHeight)},
                 {"turned back, inner rectangle", -2.2, 12.25f, 14.5f, Rect(3, 2, 33, 20)}};
    for (const DesktopFormat* format : {&kFormat888, &kFormat565, &Tests::kFormat555}) {
        InitDisplay(*format);
        const auto source = MakeImage(pixels, kSourceWidth, kSourceHeight);
        for (const auto& drawing : drawings) {
            for (const auto& turn : turns) {
                SCOPED_TRACE(std::to_string(format->bits) + " bits, " + drawing.name + ", " + turn.name);
                std::vector<std::vector<uint32_t>> drawn;
                for (const Zest::Blend::RowPath path : Tests::RunnableRowPaths()) {
                    const Tests::RowPathChoice choice(path);
                    const auto dest = MakeSurfaceImage(64, 48, 0x4321);
                    dest->BltRotated(source.get(), turn.x, turn.y, turn.srcRect, Rect(0, 0, 64, 48), drawing.color,
                                     drawing.drawMode, turn.angle, 20.0f, 12.0f);
                    drawn.push_back(SurfacePixels(*dest));
                }
                EXPECT_NE(drawn.front(), SurfacePixels(*MakeSurfaceImage(64, 48, 0x4321)));
                for (size_t k = 1; k < drawn.size(); ++k)
                    EXPECT_EQ(drawn[k], drawn.front());
            }
        }
    }
}

TEST_F(DDImageRotateTest, PalettisedSourceDrawsAsItsColours)
{
    InitDisplay(kFormat565);
    const auto argb = MakeImage(kSource3x2, 3, 2);
    const auto palettised = MakeImage(kSource3x2, 3, 2);
    ASSERT_TRUE(palettised->Palletize());
    ASSERT_NE(palettised->mColorIndices, nullptr);
    const auto fromArgb = MakeSurfaceImage(6, 6, 0x1234);
    const auto fromPalette = MakeSurfaceImage(6, 6, 0x1234);
    const auto draw = [](DDImage& dest, DDImage& source) {
        dest.BltRotated(&source, 1.3f, 1.6f, Rect(0, 0, 3, 2), Rect(0, 0, 6, 6), Color::White, Zest::DRAWMODE_NORMAL,
                        0.4, 1.5f, 1.0f);
    };
    draw(*fromArgb, *argb);
    draw(*fromPalette, *palettised);
    const std::vector<uint32_t> drawn = SurfacePixels(*fromArgb);
    EXPECT_NE(drawn, std::vector<uint32_t>(36, 0x1234));
    EXPECT_EQ(SurfacePixels(*fromPalette), drawn);
}

TEST_F(DDImageRotateTest, NothingIsWrittenOutsideTheClipOrTheSurface)
{
    constexpr uint32_t kGrey = 0x404040;
    const std::vector<uint32_t> white(16 * 16, 0xFFFFFFFF);
    const struct {
        const char* name;
        float x;
        float y;
        double angle;
        Rect clip;
    } cases[] = {
        {"turned across a small clip", 1.5f, 0.5f, 0.7, Rect(3, 2, 4, 3)},
        {"hanging over the left and top edges", -9.5f, -9.25f, 0.3, Rect(0, 0, 8, 8)},
        {"hanging over the right and bottom edges", 2.5f, 1.75f, -0.3, Rect(0, 0, 8, 8)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InitDisplay(kFormat888);
        const auto source = MakeImage(white, 16, 16);
        const auto dest = MakeSurfaceImage(8, 8, kGrey);
        dest->BltRotated(source.get(), c.x, c.y, Rect(0, 0, 16, 16), c.clip, Color::White, Zest::DRAWMODE_NORMAL,
                         c.angle, 8.0f, 8.0f);
        const std::vector<uint32_t> pixels = SurfacePixels(*dest);
        ASSERT_EQ(pixels.size(), 64u);
        int changed = 0;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const uint32_t pixel = pixels[static_cast<size_t>(y) * 8 + x];
                if (!c.clip.Contains(x, y)) {
                    EXPECT_EQ(pixel, kGrey) << "at " << x << ", " << y;
                }
                changed += pixel != kGrey;
            }
        }
        EXPECT_GT(changed, 0);
    }
}

TEST_F(DDImageRotateTest, DestinationWithTransparencyIsDrawnInSoftware)
{
    // One partly transparent pixel keeps the destination off its surface: the memory
    // image's rotated blit draws into the pixels, as it would into a plain memory image.
    InitDisplay(kFormat888);
    std::vector<uint32_t> pixels(8 * 8, 0xFF203040);
    pixels.back() = 0x80203040;
    const auto source = MakeImage(kSource3x2, 3, 2);
    const auto dest = MakeImage(pixels, 8, 8);
    MemoryImage reference(&mApp);
    reference.SetBits(pixels.data(), 8, 8, true);
    for (Zest::Image* image : {static_cast<Zest::Image*>(dest.get()), static_cast<Zest::Image*>(&reference)})
        image->BltRotated(source.get(), 2.5f, 1.5f, Rect(0, 0, 3, 2), Rect(0, 0, 8, 8), Color::White,
                          Zest::DRAWMODE_NORMAL, 0.5, 1.5f, 1.0f);
    EXPECT_EQ(dest->mSurface, nullptr);
    const std::vector<uint32_t> drawn(reference.GetBits(), reference.GetBits() + 64);
    EXPECT_NE(drawn, pixels);
    EXPECT_EQ(std::vector<uint32_t>(dest->GetBits(), dest->GetBits() + 64), drawn);
}

TEST_F(DDImageRotateTest, LockDisabledImageTakesNoRotatedDrawing)
{
    InitDisplay(kFormat888);
    const auto source = MakeImage(kSource3x2, 3, 2);
    const auto dest = MakeSurfaceImage(4, 4, 0x102030);
    dest->mLockDisabled = true;
    dest->BltRotated(source.get(), 0.0f, 0.0f, Rect(0, 0, 3, 2), Rect(0, 0, 4, 4), Color::White,
                     Zest::DRAWMODE_NORMAL, 0.0, 0.0f, 0.0f);
    EXPECT_TRUE(source->mDrawn);
    dest->mLockDisabled = false;
    EXPECT_EQ(SurfacePixels(*dest), std::vector<uint32_t>(16, 0x102030));
}

} // namespace
