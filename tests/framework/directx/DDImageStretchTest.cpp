// The stretched blits of a display image: nearest-pixel on its locked surface, plain and
// mirrored, the DirectDraw stretch, the filtered stretch, and the software road.

#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "tests/framework/directx/PaddedSurfaceFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
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
using Zest::Image;
using Zest::MemoryImage;
using Zest::Rect;

using Tests::kPaddingByte;
using Tests::Picture;
constexpr int kNormal = Zest::DRAWMODE_NORMAL;
constexpr int kAdditive = Zest::DRAWMODE_ADDITIVE;

class DDImageStretchTest : public Tests::PaddedSurfaceTest {};

// Sixteen opaque pixels a .. p, 4 x 4, with distinct colours.
std::vector<uint32_t> Source4x4()
{
    std::vector<uint32_t> pixels;
    for (uint32_t i = 0; i < 16; ++i)
        pixels.push_back(0xFF000000 | (i * 0x10) << 16 | (0xF0 - i * 0x10) << 8 | 0x44);
    return pixels;
}

// What the nearest-pixel road writes for them: on 8-8-8 the pixel itself (the normal form
// adds the source alpha as well), on 5-6-5 the top bits of each channel.
std::map<char, uint32_t> Drawn(const DesktopFormat& format, const uint32_t background)
{
    std::map<char, uint32_t> drawn{{'.', background}};
    const std::vector<uint32_t> source = Source4x4();
    for (size_t i = 0; i < source.size(); ++i) {
        const uint32_t argb = source[i];
        const uint32_t to565 = ((argb >> 8) & 0xF800) | ((argb >> 5) & 0x07E0) | ((argb >> 3) & 0x001F);
        drawn[static_cast<char>('a' + i)] = format.bits == 32 ? argb : to565;
    }
    return drawn;
}

TEST_F(DDImageStretchTest, NearestPixelStretchesShrinksAndMirrors)
{
    // The 4 x 4 source "abcd / efgh / ijkl / mnop" from a memory image (so never through
    // DirectDraw), onto a 6 x 6 destination.
    const struct {
        const char* name;
        bool mirror;
        Rect destRect;
        Rect srcRect;
        std::vector<std::string> expected;
    } cases[] = {
        {"doubled", false, Rect(1, 1, 4, 4), Rect(1, 1, 2, 2),
         {"......", ".ffgg.", ".ffgg.", ".jjkk.", ".jjkk.", "......"}},
        {"halved", false, Rect(2, 3, 2, 2), Rect(0, 0, 4, 4),
         {"......", "......", "......", "..ac..", "..ik..", "......"}},
        {"three columns into two", false, Rect(0, 0, 2, 3), Rect(0, 0, 3, 3),
         {"ab....", "ef....", "ij....", "......", "......", "......"}},
        {"source rectangle past the source's edges", false, Rect(0, 0, 4, 4), Rect(2, 2, 4, 4),
         {"kl....", "op....", "......", "......", "......", "......"}},
        {"mirrored, same size", true, Rect(1, 0, 4, 2), Rect(0, 0, 4, 2),
         {".dcba.", ".hgfe.", "......", "......", "......", "......"}},
        {"mirrored and doubled", true, Rect(0, 2, 6, 2), Rect(1, 2, 3, 1),
         {"......", "......", "llkkjj", "llkkjj", "......", "......"}},
    };
    for (const DesktopFormat& format : {kFormat888, kFormat565}) {
        InitDisplay(format);
        const auto source = MakeImage<MemoryImage>(Source4x4(), 4, 4);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (format.bits == 32 ? " on 8-8-8" : " on 5-6-5"));
            const auto dest = MakeSurfaceImage(6, 6, 0x1234);
            if (c.mirror)
                dest->StretchBltMirror(source.get(), c.destRect, c.srcRect, Rect(0, 0, 6, 6), Color::White, kNormal,
                                       true);
            else
                dest->StretchBlt(source.get(), c.destRect, c.srcRect, Rect(0, 0, 6, 6), Color::White, kNormal, true);
            EXPECT_EQ(SurfacePixels(*dest), Picture(c.expected, Drawn(format, 0x1234)));
            EXPECT_TRUE(source->mDrawn);
            EXPECT_EQ(dest->mBits, nullptr) << "the surface alone holds the picture";
        }
    }
}

TEST_F(DDImageStretchTest, FormsCombineTheNativePixelWithTheDestination)
{
    // Source pixel (0x80, 0x40, 0x20) over grey 0x30 (6, 12, 6 in 5-6-5); its native form is
    // each channel premultiplied by (alpha + 1) / 256 in the display's bits: (16, 16, 4) in
    // 5-6-5. Tinted, the destination keeps (256 - a') / 256 with a' = alpha x tint alpha /
    // 255 and the source channel is scaled by the tint premultiplied by its alpha.
    const Color tint(255, 128, 0, 128);
    const struct {
        const char* name;
        uint32_t pixel;
        Color color;
        int drawMode;
        uint32_t on888;
        uint32_t on565;
    } cases[] = {
        {"normal, opaque", 0xFF804020, Color::White, kNormal, 0xFF804020, 0x8204},
        {"normal, half transparent keeps its alpha on 32 bits", 0x80FF0000, Color::White, kNormal, 0x80981818,
         0x98C3},
        {"normal, transparent is skipped", 0x00FFFFFF, Color::White, kNormal, 0x303030, 0x3186},
        {"tinted", 0xFF804020, tint, kNormal, 0x582818, 0x5943},
        {"additive", 0xFF804020, Color::White, kAdditive, 0xB07050, 0xB38A},
        {"any other mode adds", 0xFF804020, Color::White, 2, 0xB07050, 0xB38A},
        {"additive saturates", 0xFFFFFFFF, Color::White, kAdditive, 0xFFFFFF, 0xFFFF},
        {"additive, tinted", 0xFF804020, Color(255, 255, 255, 128), kAdditive, 0x705040, 0x7288},
    };
    for (const auto& c : cases) {
        for (const DesktopFormat& format : {kFormat888, kFormat565}) {
            SCOPED_TRACE(std::string(c.name) + (format.bits == 32 ? " on 8-8-8" : " on 5-6-5"));
            InitDisplay(format);
            const auto source = MakeImage<MemoryImage>({c.pixel}, 1, 1);
            const auto dest = MakeSurfaceImage(2, 2, format.bits == 32 ? 0x303030 : 0x3186);
            dest->StretchBlt(source.get(), Rect(0, 0, 2, 2), Rect(0, 0, 1, 1), Rect(0, 0, 2, 2), c.color, c.drawMode,
                             true);
            EXPECT_EQ(SurfacePixels(*dest), std::vector<uint32_t>(4, format.bits == 32 ? c.on888 : c.on565));
        }
    }
}

TEST_F(DDImageStretchTest, ClippedStretchDrawsItsShareOfTheWholeAndNothingElse)
{
    // The clipped stretch (the destination also hangs over the surface's left edge) must
    // show exactly what the unclipped one shows inside the clip.
    const Rect destRect(-2, 1, 9, 4);
    const Rect clip(1, 0, 3, 6);
    for (const bool mirror : {false, true}) {
        SCOPED_TRACE(mirror ? "mirrored" : "plain");
        InitDisplay(kFormat888);
        const auto source = MakeImage<MemoryImage>(Source4x4(), 4, 4);
        const auto whole = MakeSurfaceImage(6, 6, 0x777777);
        const auto clipped = MakeSurfaceImage(6, 6, 0x777777);
        const auto draw = [&](DDImage& dest, const Rect& to) {
            if (mirror)
                dest.StretchBltMirror(source.get(), destRect, Rect(0, 0, 4, 3), to, Color(200, 100, 50), kNormal, true);
            else
                dest.StretchBlt(source.get(), destRect, Rect(0, 0, 4, 3), to, Color(200, 100, 50), kNormal, true);
        };
        draw(*whole, Rect(0, 0, 6, 6));
        draw(*clipped, clip);
        const std::vector<uint32_t> wholePixels = SurfacePixels(*whole);
        const std::vector<uint32_t> clippedPixels = SurfacePixels(*clipped);
        for (int y = 0; y < 6; ++y) {
            for (int x = 0; x < 6; ++x) {
                const size_t at = static_cast<size_t>(y) * 6 + x;
                EXPECT_EQ(clippedPixels[at], clip.Contains(x, y) ? wholePixels[at] : 0x777777u)
                    << "at " << x << ", " << y;
            }
        }
        EXPECT_NE(wholePixels[6 + 1], 0x777777u);
    }
}

TEST_F(DDImageStretchTest, DisplayImageSourceIsStretchedByDirectDraw)
{
    // An untinted normal stretch of a display image is DirectDraw's: it copies the surface
    // values (no alpha byte, unlike the nearest-pixel road) and keys out the transparent
    // pixel. A caller's lock is given back after it.
    InitDisplay(kFormat888);
    const auto source = MakeImage({0xFF112233, 0x00000000, 0xFF445566, 0xFF778899}, 2, 2);
    const auto dest = MakeSurfaceImage(4, 4, 0xABCDEF);
    ASSERT_TRUE(dest->LockSurface());
    dest->StretchBlt(source.get(), Rect(0, 0, 4, 4), Rect(0, 0, 2, 2), Rect(0, 0, 4, 4), Color::White, kNormal, true);
    EXPECT_EQ(dest->mLockCount, 1);
    EXPECT_EQ(LockedPixels(dest->mLockedDesc),
              Picture({"aa..", "aa..", "bbcc", "bbcc"}, {{'.', 0xABCDEF}, {'a', 0x112233}, {'b', 0x445566},
                                                        {'c', 0x778899}}));
    dest->UnlockSurface();

    // Any draw mode other than normal stays on the surface road, additive.
    const auto added = MakeSurfaceImage(4, 4, 0x010101);
    added->StretchBlt(source.get(), Rect(0, 0, 4, 4), Rect(0, 0, 2, 2), Rect(0, 0, 4, 4), Color::White, 2, true);
    EXPECT_EQ(SurfacePixels(*added), Picture({"aa..", "aa..", "bbcc", "bbcc"}, {{'.', 0x010101},
                                                                                {'a', 0x122334},
                                                                                {'b', 0x455667},
                                                                                {'c', 0x78899A}}));
}

TEST_F(DDImageStretchTest, FilteredStretchIsMadeInMemoryAndBlitted)
{
    // Without the fast flag the filtered picture is made apart and drawn with the display
    // image's own blit: the same as doing those two steps by hand.
    InitDisplay(kFormat565);
    const auto source = MakeImage<MemoryImage>(Source4x4(), 4, 4);
    const auto dest = MakeSurfaceImage(8, 8, 0x1082);
    const auto byHand = MakeSurfaceImage(8, 8, 0x1082);
    const Rect destRect(1, 2, 7, 5);
    dest->StretchBlt(source.get(), destRect, Rect(0, 0, 4, 4), Rect(0, 0, 8, 8), Color(255, 200, 100), kNormal, false);

    MemoryImage filtered(&mApp);
    filtered.Create(7, 5);
    filtered.StretchBlt(source.get(), Rect(0, 0, 7, 5), Rect(0, 0, 4, 4), Rect(0, 0, 7, 5), Color::White, kNormal,
                        false);
    byHand->Blt(&filtered, destRect.mX, destRect.mY, Rect(0, 0, 7, 5), Color(255, 200, 100), kNormal);

    const std::vector<uint32_t> drawn = SurfacePixels(*dest);
    EXPECT_NE(drawn, std::vector<uint32_t>(64, 0x1082));
    EXPECT_EQ(drawn, SurfacePixels(*byHand));
}

TEST_F(DDImageStretchTest, DestinationWithPartialAlphaIsDrawnInSoftware)
{
    // A destination with a partly transparent pixel has no surface: every stretch draws into
    // its pixels as into a plain memory image, rather than not at all.
    enum class Call { Filtered, Fast, Mirrored };
    for (const Call call : {Call::Filtered, Call::Fast, Call::Mirrored}) {
        SCOPED_TRACE(static_cast<int>(call));
        InitDisplay(kFormat888);
        std::vector<uint32_t> pixels(6 * 6, 0xFF203040);
        pixels.back() = 0x80203040;
        const auto source = MakeImage<MemoryImage>(Source4x4(), 4, 4);
        const auto dest = MakeImage(pixels, 6, 6);
        const auto reference = MakeImage<MemoryImage>(pixels, 6, 6);
        for (Image* image : {static_cast<Image*>(dest.get()), static_cast<Image*>(reference.get())}) {
            if (call == Call::Mirrored)
                image->StretchBltMirror(source.get(), Rect(1, 0, 5, 3), Rect(0, 0, 4, 4), Rect(0, 0, 6, 6),
                                        Color::White, kNormal, true);
            else
                image->StretchBlt(source.get(), Rect(1, 0, 5, 3), Rect(0, 0, 4, 4), Rect(0, 0, 6, 6), Color::White,
                                  kNormal, call == Call::Fast);
        }
        EXPECT_EQ(dest->mSurface, nullptr);
        const std::vector<uint32_t> expected(reference->GetBits(), reference->GetBits() + 36);
        EXPECT_NE(expected, pixels);
        EXPECT_EQ(std::vector<uint32_t>(dest->GetBits(), dest->GetBits() + 36), expected);
    }
}

} // namespace
