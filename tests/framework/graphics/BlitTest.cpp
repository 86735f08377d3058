// Software blits of MemoryImage: plain, mirrored, rotated and stretched, in normal and
// additive mode, tinted or not, from ARGB and palettised sources, against pixels worked out
// by hand from the blend formulas.

#include "framework/graphics/MemoryImage.h"
#include "tests/framework/graphics/FakeApp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <iomanip>
#include <memory>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Zest::Color;
using Zest::DoubleRect;
using Zest::DRAWMODE_ADDITIVE;
using Zest::DRAWMODE_NORMAL;
using Zest::MemoryImage;
using Zest::Rect;

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;

struct Picture {
    int mWidth = 0;
    int mHeight = 0;
    std::vector<uint32_t> mPixels;
};

std::unique_ptr<MemoryImage> MakeImage(const Picture& picture)
{
    auto image = std::make_unique<MemoryImage>();
    image->SetBits(picture.mPixels.data(), picture.mWidth, picture.mHeight, true);
    return image;
}

Picture Filled(const int width, const int height, const uint32_t pixel)
{
    return {width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, pixel)};
}

Picture FlippedLeftRight(const Picture& picture)
{
    Picture flipped = picture;
    for (int y = 0; y < picture.mHeight; ++y) {
        for (int x = 0; x < picture.mWidth; ++x)
            flipped.mPixels[static_cast<size_t>(y * picture.mWidth + x)] =
                picture.mPixels[static_cast<size_t>(y * picture.mWidth + picture.mWidth - 1 - x)];
    }
    return flipped;
}

// The same source rectangle in the flipped picture.
Rect FlippedRect(const Rect& rect, const int width)
{
    return Rect(width - rect.mX - rect.mWidth, rect.mY, rect.mWidth, rect.mHeight);
}

// The pixels of an image; the guard word behind them must be intact.
std::vector<uint32_t> PixelsOf(MemoryImage& image)
{
    const uint32_t* const bits = image.GetBits();
    const size_t count = static_cast<size_t>(image.mWidth) * image.mHeight;
    EXPECT_EQ(bits[count], Zest::kImageGuardWord) << "guard word overwritten";
    return std::vector<uint32_t>(bits, bits + count);
}

std::string Hex(const uint32_t value)
{
    std::ostringstream text;
    text << "0x" << std::hex << std::uppercase << std::setw(8) << std::setfill('0') << value;
    return text.str();
}

// Compares whole pictures, reporting differing pixels by position in hex.
void ExpectPixels(const std::vector<uint32_t>& actual, const std::vector<uint32_t>& expected, const int width)
{
    ASSERT_EQ(actual.size(), expected.size());
    int reported = 0;
    for (size_t i = 0; i < actual.size() && reported < 8; ++i) {
        if (actual[i] != expected[i]) {
            ADD_FAILURE() << "pixel (" << i % width << ", " << i / width << "): " << Hex(actual[i]) << ", expected "
                          << Hex(expected[i]);
            ++reported;
        }
    }
}

// The number of pixels of a 6 x 5 destination changed from black; changes outside the
// allowed rectangle fail.
int ChangedOnlyInside(MemoryImage& dest, const Rect& allowed)
{
    const std::vector<uint32_t> pixels = PixelsOf(dest);
    int changed = 0;
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            if (pixels[static_cast<size_t>(y * 6 + x)] == kBlack)
                continue;
            ++changed;
            EXPECT_TRUE(x >= allowed.mX && x < allowed.mX + allowed.mWidth && y >= allowed.mY &&
                        y < allowed.mY + allowed.mHeight)
                << "(" << x << ", " << y << ")";
        }
    }
    return changed;
}

// A 3 x 2 picture with every kind of pixel: opaque, transparent with a colour, partly
// transparent.
const Picture kMixed{3, 2, {0xFF102030, 0x00FFFFFF, 0x80FF8040, 0x40C0C0C0, 0xFFFFFFFF, 0xC0204080}};

// Destinations of each kind the normal blit tells apart.
struct DestKind {
    const char* mName;
    uint32_t mPixel;
};
const DestKind kDests[] = {{"opaque", 0xFF336699}, {"transparent", 0x00000000}, {"half-transparent", 0x80996633}};

struct Drawing {
    const char* mName;
    Color mColor;
    int mDrawMode;
};
// White spelled out: Color::White lives in another file and may not be initialised yet.
const Color kUntinted(255, 255, 255, 255);
const Drawing kDrawings[] = {{"plain", kUntinted, DRAWMODE_NORMAL},
                             {"grey tint", Color(128, 128, 128, 200), DRAWMODE_NORMAL},
                             {"colour tint", Color(255, 128, 0, 255), DRAWMODE_NORMAL},
                             {"additive", kUntinted, DRAWMODE_ADDITIVE},
                             {"additive tint", Color(200, 100, 50, 128), DRAWMODE_ADDITIVE}};

class BltTest : public Tests::DrawingTest {};
class MirrorTest : public Tests::DrawingTest {};
class RotatedTest : public Tests::DrawingTest {};
class StretchTest : public Tests::DrawingTest {};

// One source pixel onto one destination pixel, in normal mode.
uint32_t BlitOnePixel(const uint32_t dest, const uint32_t source, const Color& color)
{
    const auto destImage = MakeImage(Filled(1, 1, dest));
    const auto sourceImage = MakeImage(Filled(1, 1, source));
    destImage->Blt(sourceImage.get(), 0, 0, Rect(0, 0, 1, 1), color, DRAWMODE_NORMAL);
    return PixelsOf(*destImage)[0];
}

TEST_F(BltTest, NormalBlitBlendsByTheFormulaOfItsDestination)
{
    struct Case {
        const char* mName;
        uint32_t mDest;
        uint32_t mSource;
        uint32_t mExpected;
    };
    const Case cases[] = {
        // Opaque destination: copied, skipped, or blended with the result kept opaque.
        {"opaque source is copied", 0xFF000000, 0xFF123456, 0xFF123456},
        {"transparent source is skipped", 0xFF0000FF, 0x00FFFFFF, 0xFF0000FF},
        {"half black over white", 0xFFFFFFFF, 0x80000000, 0xFF7F7F7F},
        {"quarter orange over blue", 0xFF0000FF, 0x40FF8000, 0xFF3F20BF},
        // Transparent destination: the over-blend weighs the source 255.
        {"opaque white onto transparent black", 0x00000000, 0xFFFFFFFF, 0xFFFEFEFE},
        {"half red onto transparent", 0x00000000, 0x80FF0000, 0x80FE0000},
        {"transparent onto transparent", 0x00123456, 0x00FFFFFF, 0x00123456},
        // Half-transparent destination: alpha 128 + (127 x 128) / 255 = 191, weight 170.
        {"half red onto half blue", 0x800000FF, 0x80FF0000, 0xBFA90055},
        {"opaque green onto half red", 0x80FF0000, 0xFF00FF00, 0xFF00FE00},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        EXPECT_EQ(Hex(BlitOnePixel(c.mDest, c.mSource, Color::White)), Hex(c.mExpected));
    }
}

TEST_F(BltTest, TintedBlitScalesTheSourceByTheColour)
{
    struct Case {
        const char* mName;
        uint32_t mDest;
        uint32_t mSource;
        Color mColor;
        uint32_t mExpected;
    };
    const Case cases[] = {
        {"grey tint halves every channel", 0xFF000000, 0xFFFF8040, Color(128, 128, 128), 0xFF7E3F1F},
        {"colour tint per channel", 0xFFFFFFFF, 0xFF808080, Color(255, 128, 0), 0xFF7F3F00},
        {"tint alpha halves the source's alpha", 0xFF000000, 0xFFFF0000, Color(255, 255, 255, 128), 0xFF7F0000},
        {"blue tint onto transparent", 0x00000000, 0xFFFFFFFF, Color(0, 0, 255), 0xFF0000FD},
        {"tint alpha rounding to 0 draws nothing", 0xFF00FF00, 0x80FFFFFF, Color(255, 0, 0, 1), 0xFF00FF00},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        EXPECT_EQ(Hex(BlitOnePixel(c.mDest, c.mSource, c.mColor)), Hex(c.mExpected));
    }
}

TEST_F(BltTest, AdditiveBlitAddsWithSaturationAndKeepsDestinationAlpha)
{
    struct Case {
        const char* mName;
        std::vector<uint32_t> mSource;
        uint32_t mDest;
        Color mColor;
        std::vector<uint32_t> mExpected;
    };
    const Case cases[] = {
        {"saturates", {0xFFC86432}, 0x8064C8FA, Color::White, {0x80FFFFFF}},
        {"adds below saturation", {0xFF102030}, 0x40010203, Color::White, {0x40112233}},
        {"partly transparent source is scaled by its alpha", {0x80FF8040}, kBlack, Color::White, {0xFF7F4020}},
        {"transparent pixels of a source without partial alpha add unscaled",
         {0x00404040, 0xFF010101},
         0xFF101010,
         Color::White,
         {0xFF505050, 0xFF111111}},
        {"tint", {0xFF808080}, kBlack, Color(255, 128, 0), {0xFF7F4000}},
        {"tint alpha", {0xFF808080}, kBlack, Color(255, 255, 255, 128), {0xFF404040}},
        // Blue is ((112 x 100) >> 8) x 200 >> 8 = 33, where (112 x 100 x 200) >> 16 would give 34.
        {"tint with a partly transparent source", {0xC8C8C870}, 0x00000000, Color(255, 128, 100), {0x009B4E21}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        const int width = static_cast<int>(c.mSource.size());
        const auto dest = MakeImage(Filled(width, 1, c.mDest));
        const auto source = MakeImage({width, 1, c.mSource});
        dest->Blt(source.get(), 0, 0, Rect(0, 0, width, 1), c.mColor, DRAWMODE_ADDITIVE);
        ExpectPixels(PixelsOf(*dest), c.mExpected, width);
    }
}

TEST_F(BltTest, RunLengthPathHandlesRunsLongerThan255AndStartsMidRun)
{
    // Row 0: 300 opaque, 260 transparent, 40 half black; row 1: 40 half black, 560 opaque.
    constexpr uint32_t kA = 0xFF112233;
    constexpr uint32_t kB = 0xFF445566;
    constexpr uint32_t kHalfBlack = 0x80000000;
    constexpr uint32_t kHalfBlackOverWhite = 0xFF7F7F7F;
    Picture source = Filled(600, 2, 0);
    for (int x = 0; x < 600; ++x) {
        source.mPixels[static_cast<size_t>(x)] = x < 300 ? kA : x < 560 ? 0x00FFFFFF : kHalfBlack;
        source.mPixels[static_cast<size_t>(600 + x)] = x < 40 ? kHalfBlack : kB;
    }
    const auto sourceImage = MakeImage(source);
    const auto dest = MakeImage(Filled(600, 2, kWhite));

    // Source columns 20 .. 579 land on columns 30 .. 589.
    dest->Blt(sourceImage.get(), 30, 0, Rect(20, 0, 560, 2), Color::White, DRAWMODE_NORMAL);

    Picture expected = Filled(600, 2, kWhite);
    for (int x = 30; x < 590; ++x) {
        const int sx = x - 10;
        expected.mPixels[static_cast<size_t>(x)] = sx < 300 ? kA : sx < 560 ? kWhite : kHalfBlackOverWhite;
        expected.mPixels[static_cast<size_t>(600 + x)] = sx < 40 ? kHalfBlackOverWhite : kB;
    }
    ExpectPixels(PixelsOf(*dest), expected.mPixels, 600);
}

TEST_F(BltTest, PlainAndMirroredBlitsDrawOnlyThePartInsideBothImages)
{
    // Source pixel (x, y) is 0xFF000000 + 3y + x + 1; black marks pixels not drawn.
    Picture numbered = Filled(3, 3, 0);
    for (int i = 0; i < 9; ++i)
        numbered.mPixels[static_cast<size_t>(i)] = kBlack + static_cast<uint32_t>(i) + 1;
    const auto source = MakeImage(numbered);
    struct Case {
        const char* mName;
        bool mMirror;
        int mX;
        int mY;
        Rect mSrcRect;
        std::vector<uint32_t> mExpected; // low bytes of the 4 x 4 destination
    };
    const Case cases[] = {
        {"cut at top left", false, -1, -1, Rect(0, 0, 3, 3), {5, 6, 0, 0, 8, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"cut at bottom right", false, 2, 3, Rect(0, 0, 3, 3), {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2}},
        {"source rectangle past the source", false, 0, 0, Rect(1, 1, 5, 5),
         {5, 6, 0, 0, 8, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"mirrored, cut at left", true, -1, 0, Rect(0, 0, 3, 3), {2, 1, 0, 0, 5, 4, 0, 0, 8, 7, 0, 0, 0, 0, 0, 0}},
        {"mirrored, cut at right", true, 2, 0, Rect(0, 0, 3, 3), {0, 0, 3, 2, 0, 0, 6, 5, 0, 0, 9, 8, 0, 0, 0, 0}},
        {"mirrored part of a row", true, 0, 3, Rect(1, 0, 2, 1), {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 2, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        const auto dest = MakeImage(Filled(4, 4, kBlack));
        if (c.mMirror)
            dest->BltMirror(source.get(), c.mX, c.mY, c.mSrcRect, Color::White, DRAWMODE_NORMAL);
        else
            dest->Blt(source.get(), c.mX, c.mY, c.mSrcRect, Color::White, DRAWMODE_NORMAL);
        std::vector<uint32_t> expected;
        for (const uint32_t low : c.mExpected)
            expected.push_back(kBlack + low);
        ExpectPixels(PixelsOf(*dest), expected, 4);
    }
}

TEST_F(BltTest, UnknownDrawModeOrNonMemorySourceChangesNothing)
{
    const auto source = MakeImage(kMixed);
    Zest::Image notInMemory;
    notInMemory.mWidth = 3;
    notInMemory.mHeight = 2;
    const Rect all(0, 0, 3, 2);
    const Rect clip(0, 0, 4, 4);
    const std::function<void(MemoryImage&, Zest::Image*, int)> draws[] = {
        [&](MemoryImage& d, Zest::Image* s, int mode) { d.Blt(s, 0, 0, all, Color::White, mode); },
        [&](MemoryImage& d, Zest::Image* s, int mode) { d.BltMirror(s, 0, 0, all, Color::White, mode); },
        [&](MemoryImage& d, Zest::Image* s, int mode) { d.BltAtFloat(s, 0.5f, 0.0f, all, clip, Color::White, mode); },
        [&](MemoryImage& d, Zest::Image* s, int mode) {
            d.BltRotated(s, 0.0f, 0.0f, all, clip, Color::White, mode, 0.3, 1.0f, 1.0f);
        },
        [&](MemoryImage& d, Zest::Image* s, int mode) {
            d.StretchBlt(s, Rect(0, 0, 4, 4), all, clip, Color::White, mode, true);
        },
        [&](MemoryImage& d, Zest::Image* s, int mode) {
            d.StretchBltMirror(s, Rect(0, 0, 4, 4), all, clip, Color::White, mode, false);
        },
    };
    // An unknown draw mode with a memory image, and a source that is not a memory image.
    const std::pair<Zest::Image*, int> attempts[] = {{source.get(), 2}, {&notInMemory, DRAWMODE_NORMAL}};
    for (const auto& draw : draws) {
        for (const auto& [image, mode] : attempts) {
            const auto dest = MakeImage(Filled(4, 4, 0xFF123456));
            const int changes = dest->mBitsChangedCount;
            image->mDrawn = false;
            draw(*dest, image, mode);
            EXPECT_TRUE(image->mDrawn);
            EXPECT_EQ(dest->mBitsChangedCount, changes);
            ExpectPixels(PixelsOf(*dest), Filled(4, 4, 0xFF123456).mPixels, 4);
        }
    }
}

TEST_F(BltTest, PalettisedSourceDrawsLikeItsColoursAndStaysPalettised)
{
    const auto argb = MakeImage(kMixed);
    const auto palettised = MakeImage(kMixed);
    ASSERT_TRUE(palettised->Palletize());
    const Rect all(0, 0, 3, 2);
    const Rect clip(0, 0, 6, 5);
    const std::function<void(MemoryImage&, MemoryImage&)> draws[] = {
        [&](MemoryImage& d, MemoryImage& s) { d.Blt(&s, 1, 1, all, Color::White, DRAWMODE_NORMAL); },
        [&](MemoryImage& d, MemoryImage& s) { d.Blt(&s, 1, 1, all, Color(90, 200, 30), DRAWMODE_NORMAL); },
        [&](MemoryImage& d, MemoryImage& s) { d.Blt(&s, 1, 1, all, Color::White, DRAWMODE_ADDITIVE); },
        [&](MemoryImage& d, MemoryImage& s) { d.BltMirror(&s, 1, 1, all, Color::White, DRAWMODE_NORMAL); },
        [&](MemoryImage& d, MemoryImage& s) {
            d.BltAtFloat(&s, 1.25f, 0.5f, all, clip, Color::White, DRAWMODE_NORMAL);
        },
        [&](MemoryImage& d, MemoryImage& s) {
            d.StretchBlt(&s, Rect(0, 0, 6, 4), all, clip, Color::White, DRAWMODE_NORMAL, true);
        },
        [&](MemoryImage& d, MemoryImage& s) {
            d.StretchBlt(&s, Rect(0, 0, 6, 4), all, clip, Color::White, DRAWMODE_NORMAL, false);
        },
    };
    for (const DestKind& kind : kDests) {
        SCOPED_TRACE(kind.mName);
        for (size_t i = 0; i < std::size(draws); ++i) {
            SCOPED_TRACE(i);
            const auto fromArgb = MakeImage(Filled(6, 5, kind.mPixel));
            const auto fromPalette = MakeImage(Filled(6, 5, kind.mPixel));
            draws[i](*fromArgb, *argb);
            draws[i](*fromPalette, *palettised);
            ExpectPixels(PixelsOf(*fromPalette), PixelsOf(*fromArgb), 6);
            EXPECT_NE(palettised->mColorIndices, nullptr);
        }
    }
}

TEST_F(MirrorTest, MirroredBlitEqualsPlainBlitOfTheFlippedPicture)
{
    Picture longRuns = Filled(600, 2, 0xFF204060);
    for (int x = 0; x < 600; ++x) {
        if (x >= 280 && x < 580)
            longRuns.mPixels[static_cast<size_t>(x)] = 0x00000000;
        if (x < 20)
            longRuns.mPixels[static_cast<size_t>(600 + x)] = 0x80FF0000;
    }
    struct Source {
        const char* mName;
        Picture mPicture;
        Rect mSrcRect;
        int mX;
    };
    const Source sources[] = {{"mixed", kMixed, Rect(0, 0, 3, 2), 1},
                              {"part of mixed, cut at left", kMixed, Rect(1, 0, 2, 2), -1},
                              {"long runs", longRuns, Rect(10, 0, 580, 2), 5}};
    for (const Source& source : sources) {
        const auto image = MakeImage(source.mPicture);
        const auto flipped = MakeImage(FlippedLeftRight(source.mPicture));
        const Rect flippedRect = FlippedRect(source.mSrcRect, source.mPicture.mWidth);
        for (const DestKind& kind : kDests) {
            for (const Drawing& drawing : kDrawings) {
                SCOPED_TRACE(std::string(source.mName) + ", " + kind.mName + ", " + drawing.mName);
                const auto mirrored = MakeImage(Filled(600, 3, kind.mPixel));
                const auto plain = MakeImage(Filled(600, 3, kind.mPixel));
                mirrored->BltMirror(image.get(), source.mX, 1, source.mSrcRect, drawing.mColor, drawing.mDrawMode);
                plain->Blt(flipped.get(), source.mX, 1, flippedRect, drawing.mColor, drawing.mDrawMode);
                ExpectPixels(PixelsOf(*mirrored), PixelsOf(*plain), 600);
            }
        }
    }
}

TEST_F(MirrorTest, MirroredBlitMatchesPlainBlitForEveryPairOfAlphas)
{
    // Source alpha x in column x, destination alpha y in row y, colours varying pixel to
    // pixel; a second source has only opaque and transparent pixels, a second destination
    // is opaque.
    uint32_t seed = 12345;
    const auto nextColour = [&seed] {
        seed = seed * 1664525 + 1013904223;
        return (seed >> 8) & 0x00FFFFFF;
    };
    Picture graded = Filled(256, 256, 0);
    Picture hard = Filled(256, 256, 0);
    Picture dest = Filled(256, 256, 0);
    Picture opaqueDest = Filled(256, 256, 0);
    for (uint32_t y = 0; y < 256; ++y) {
        for (uint32_t x = 0; x < 256; ++x) {
            const size_t i = y * 256 + x;
            graded.mPixels[i] = (x << 24) | nextColour();
            hard.mPixels[i] = (x < 128 ? 0 : kBlack) | nextColour();
            dest.mPixels[i] = (y << 24) | nextColour();
            opaqueDest.mPixels[i] = kBlack | nextColour();
        }
    }
    const Rect all(0, 0, 256, 256);
    for (const Picture* source : {&graded, &hard}) {
        const auto image = MakeImage(*source);
        const auto flipped = MakeImage(FlippedLeftRight(*source));
        for (const Picture* target : {&dest, &opaqueDest}) {
            for (const Drawing& drawing : kDrawings) {
                SCOPED_TRACE(drawing.mName);
                const auto mirrored = MakeImage(*target);
                const auto plain = MakeImage(*target);
                mirrored->BltMirror(image.get(), 0, 0, all, drawing.mColor, drawing.mDrawMode);
                plain->Blt(flipped.get(), 0, 0, all, drawing.mColor, drawing.mDrawMode);
                ExpectPixels(PixelsOf(*mirrored), PixelsOf(*plain), 256);
            }
        }
    }
}

TEST_F(MirrorTest, MirroredStretchEqualsPlainStretchOfTheFlippedPicture)
{
    const Picture source{4, 2, {0xFF102030, 0x00FFFFFF, 0x80FF8040, 0xFF0000FF, 0x40C0C0C0, 0xFFFFFFFF, 0xC0204080,
                                0xFF00FF00}};
    const auto image = MakeImage(source);
    const auto flipped = MakeImage(FlippedLeftRight(source));
    struct Case {
        const char* mName;
        Rect mDestRect;
        Rect mSrcRect;
        Rect mClip;
    };
    const Case cases[] = {
        {"enlarged by 2", Rect(1, 1, 8, 4), Rect(0, 0, 4, 2), Rect(0, 0, 10, 6)},
        {"enlarged by 2, cut at right", Rect(1, 1, 8, 4), Rect(0, 0, 4, 2), Rect(0, 0, 6, 6)},
        {"enlarged by 2, cut at left", Rect(1, 1, 8, 4), Rect(0, 0, 4, 2), Rect(4, 0, 6, 6)},
        {"shrunk by 2", Rect(1, 1, 2, 1), Rect(0, 0, 4, 2), Rect(0, 0, 10, 6)},
        {"part enlarged by 4", Rect(0, 0, 8, 8), Rect(1, 0, 2, 2), Rect(0, 0, 10, 6)},
    };
    for (const Case& c : cases) {
        for (const bool fast : {true, false}) {
            for (const Drawing& drawing : kDrawings) {
                SCOPED_TRACE(std::string(c.mName) + (fast ? ", fast, " : ", filtered, ") + drawing.mName);
                const auto mirrored = MakeImage(Filled(10, 6, 0x80996633));
                const auto plain = MakeImage(Filled(10, 6, 0x80996633));
                mirrored->StretchBltMirror(image.get(), c.mDestRect, c.mSrcRect, c.mClip, drawing.mColor,
                                           drawing.mDrawMode, fast);
                plain->StretchBlt(flipped.get(), c.mDestRect, FlippedRect(c.mSrcRect, 4), c.mClip, drawing.mColor,
                                  drawing.mDrawMode, fast);
                ExpectPixels(PixelsOf(*mirrored), PixelsOf(*plain), 10);
            }
        }
    }
}

TEST_F(RotatedTest, BltAtFloatAtWholeNumberPositionEqualsBlt)
{
    // With partly transparent pixels, and with only opaque and transparent ones (whose
    // colours the additive blit adds unscaled).
    const Picture sources[] = {{3, 3, {0xFF102030, 0x00FFFFFF, 0x80FF8040, 0x40C0C0C0, 0xFFFFFFFF, 0xC0204080,
                                       0x00404040, 0xFF808080, 0x01FFFFFF}},
                               {3, 3, {0xFF102030, 0x00FFFFFF, 0xFF808080, 0x00404040, 0xFFFFFFFF, 0xFF204080,
                                       0x00102030, 0xFF010203, 0x00FFFFFF}}};
    for (const Picture& source : sources) {
        const auto image = MakeImage(source);
        for (const Rect& srcRect : {Rect(0, 0, 3, 3), Rect(1, 0, 2, 3), Rect(-1, 1, 5, 3)}) {
            for (const DestKind& kind : kDests) {
                for (const Drawing& drawing : kDrawings) {
                    SCOPED_TRACE(std::string(kind.mName) + ", " + drawing.mName);
                const auto atFloat = MakeImage(Filled(5, 5, kind.mPixel));
                const auto blitted = MakeImage(Filled(5, 5, kind.mPixel));
                    atFloat->BltAtFloat(image.get(), 1.0f, 2.0f, srcRect, Rect(0, 0, 5, 5), drawing.mColor,
                                        drawing.mDrawMode);
                    blitted->Blt(image.get(), 1, 2, srcRect, drawing.mColor, drawing.mDrawMode);
                    ExpectPixels(PixelsOf(*atFloat), PixelsOf(*blitted), 5);
                }
            }
        }
    }
}

TEST_F(RotatedTest, BltAtFloatKeepsInteriorColourAndSharesCoverageOnTheEdges)
{
    const auto red = MakeImage(Filled(2, 2, 0xFFFF0000));
    const Rect all(0, 0, 2, 2);

    // Half a pixel right: the edge columns are half covered (alpha 127), the middle fully.
    const auto opaque = MakeImage(Filled(4, 3, kBlack));
    opaque->BltAtFloat(red.get(), 1.5f, 1.0f, all, Rect(0, 0, 4, 3), Color::White, DRAWMODE_NORMAL);
    ExpectPixels(PixelsOf(*opaque),
                 {kBlack, kBlack, kBlack, kBlack,              //
                  kBlack, 0xFF7E0000, 0xFFFF0000, 0xFF7E0000, //
                  kBlack, 0xFF7E0000, 0xFFFF0000, 0xFF7E0000},
                 4);

    // Half a pixel right and down onto a transparent destination: corners a quarter covered,
    // edges half, the centre fully; the over-blend makes red 254 throughout.
    const auto clear = MakeImage(Filled(3, 3, 0));
    clear->BltAtFloat(red.get(), 0.5f, 0.5f, all, Rect(0, 0, 3, 3), Color::White, DRAWMODE_NORMAL);
    ExpectPixels(PixelsOf(*clear),
                 {0x3FFE0000, 0x7FFE0000, 0x3FFE0000, //
                  0x7FFE0000, 0xFFFE0000, 0x7FFE0000, //
                  0x3FFE0000, 0x7FFE0000, 0x3FFE0000},
                 3);
}

TEST_F(RotatedTest, RotatedBlitWritesOnlyInsideClipAndDestination)
{
    const auto source = MakeImage(Filled(4, 4, 0xFF00FF00));
    struct Case {
        const char* mName;
        float mX;
        float mY;
        Rect mClip;
        double mAngle;
        Rect mSrcRect;
    };
    const Case cases[] = {
        {"small clip", 1.3f, 1.7f, Rect(2, 2, 2, 3), 0.0, Rect(0, 0, 4, 4)},
        {"turned, small clip", 2.0f, 1.0f, Rect(1, 2, 3, 2), 0.7, Rect(0, 0, 4, 4)},
        {"turned past every edge", -2.5f, -1.5f, Rect(-10, -10, 30, 30), 2.0, Rect(0, 0, 4, 4)},
        {"past the right and bottom", 4.5f, 3.5f, Rect(0, 0, 6, 5), -0.4, Rect(0, 0, 4, 4)},
        {"source rectangle past the source", 0.5f, 0.5f, Rect(0, 0, 6, 5), 0.3, Rect(-2, 1, 7, 5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        const auto dest = MakeImage(Filled(6, 5, kBlack));
        dest->BltRotated(source.get(), c.mX, c.mY, c.mSrcRect, c.mClip, Color::White, DRAWMODE_NORMAL, c.mAngle,
                         2.0f, 2.0f);
        EXPECT_GT(ChangedOnlyInside(*dest, c.mClip), 0);
    }
}

TEST_F(RotatedTest, QuarterTurnMapsTopEdgeOntoLeftEdgeOfTheHelpersArea)
{
    // Source pixel (i, j) of a 3 x 2 picture is 0xFF0000ji + 0x11.
    Picture source = Filled(3, 2, 0);
    for (int j = 0; j < 2; ++j) {
        for (int i = 0; i < 3; ++i)
            source.mPixels[static_cast<size_t>(j * 3 + i)] = kBlack + 0x11 + static_cast<uint32_t>(j * 16 + i);
    }
    const auto image = MakeImage(source);
    const double quarter = std::numbers::pi / 2;
    const Rect clip(0, 0, 5, 5);

    DoubleRect area;
    ASSERT_TRUE(MemoryImage::BltRotatedClipHelper(1.0f, 4.0f, Rect(0, 0, 3, 2), clip, quarter, 0.0f, 0.0f, &area));
    EXPECT_NEAR(area.mX, 1.0, 1e-5);
    EXPECT_NEAR(area.mY, 1.0, 1e-5);
    EXPECT_NEAR(area.mWidth, 2.0, 1e-5);
    EXPECT_NEAR(area.mHeight, 3.0, 1e-5);

    const auto dest = MakeImage(Filled(5, 5, kBlack));
    dest->BltRotated(image.get(), 1.0f, 4.0f, Rect(0, 0, 3, 2), clip, Color::White, DRAWMODE_NORMAL, quarter, 0.0f,
                     0.0f);
    // Source row j becomes destination column 1 + j, read upwards from row 3.
    Picture expected = Filled(5, 5, kBlack);
    for (int j = 0; j < 2; ++j) {
        for (int i = 0; i < 3; ++i)
            expected.mPixels[static_cast<size_t>((3 - i) * 5 + 1 + j)] = source.mPixels[static_cast<size_t>(j * 3 + i)];
    }
    ExpectPixels(PixelsOf(*dest), expected.mPixels, 5);
}

TEST(RotatedClipHelperTest, BoundsTheTurnedPictureWithinTheClip)
{
    const double root2 = std::numbers::sqrt2;
    struct Case {
        const char* mName;
        float mX;
        float mY;
        Rect mSrcRect;
        Rect mClip;
        double mAngle;
        float mCentreX;
        float mCentreY;
        bool mDrawn;
        DoubleRect mArea;
    };
    const Case cases[] = {
        {"unturned", 2, 3, Rect(5, 5, 4, 5), Rect(0, 0, 100, 100), 0, 0, 0, true, DoubleRect(2, 3, 4, 5)},
        {"unturned, clipped", 2, 3, Rect(0, 0, 4, 5), Rect(0, 0, 4, 5), 0, 0, 0, true, DoubleRect(2, 3, 2, 2)},
        {"half turn about the middle", 10, 10, Rect(0, 0, 4, 2), Rect(0, 0, 100, 100), std::numbers::pi, 2, 1, true,
         DoubleRect(10, 10, 4, 2)},
        {"eighth turn about the middle", 0, 0, Rect(0, 0, 2, 2), Rect(-5, -5, 10, 10), std::numbers::pi / 4, 1, 1,
         true, DoubleRect(1 - root2, 1 - root2, 2 * root2, 2 * root2)},
        {"clip elsewhere", 2, 3, Rect(0, 0, 4, 5), Rect(50, 50, 10, 10), 0, 0, 0, false, DoubleRect()},
        {"clip only touching", 2, 3, Rect(0, 0, 4, 5), Rect(6, 0, 10, 10), 0, 0, 0, false, DoubleRect(6, 3, 0, 5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        DoubleRect area;
        EXPECT_EQ(MemoryImage::BltRotatedClipHelper(c.mX, c.mY, c.mSrcRect, c.mClip, c.mAngle, c.mCentreX,
                                                    c.mCentreY, &area),
                  c.mDrawn);
        EXPECT_NEAR(area.mX, c.mArea.mX, 1e-5);
        EXPECT_NEAR(area.mY, c.mArea.mY, 1e-5);
        EXPECT_NEAR(area.mWidth, c.mArea.mWidth, 1e-5);
        EXPECT_NEAR(area.mHeight, c.mArea.mHeight, 1e-5);
    }
}

TEST(StretchClipHelperTest, GivesTheSourceAreaOfTheClippedDestination)
{
    struct Case {
        const char* mName;
        Rect mSrcRect;
        Rect mDestRect;
        Rect mClip;
        bool mDrawn;
        Rect mClippedDest;
        DoubleRect mArea;
        double mMirroredX;
    };
    const Case cases[] = {
        {"unclipped", Rect(0, 0, 4, 4), Rect(10, 10, 8, 8), Rect(0, 0, 100, 100), true, Rect(10, 10, 8, 8),
         DoubleRect(0, 0, 4, 4), 0},
        {"cut at left", Rect(0, 0, 4, 4), Rect(10, 10, 8, 8), Rect(12, 10, 100, 100), true, Rect(12, 10, 6, 8),
         DoubleRect(1, 0, 3, 4), 0},
        {"cut at right", Rect(0, 0, 4, 4), Rect(10, 10, 8, 8), Rect(10, 10, 4, 100), true, Rect(10, 10, 4, 8),
         DoubleRect(0, 0, 2, 4), 2},
        {"shrunk and cut at top left", Rect(2, 3, 8, 6), Rect(0, 0, 4, 3), Rect(1, 1, 100, 100), true,
         Rect(1, 1, 3, 2), DoubleRect(4, 5, 6, 4), 2},
        {"clip elsewhere", Rect(0, 0, 4, 4), Rect(10, 10, 8, 8), Rect(50, 50, 10, 10), false, Rect(), DoubleRect(),
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        Rect clipped;
        DoubleRect area;
        EXPECT_EQ(MemoryImage::StretchBltClipHelper(c.mSrcRect, c.mClip, c.mDestRect, &clipped, &area), c.mDrawn);
        EXPECT_EQ(clipped, c.mClippedDest);
        if (c.mDrawn) {
            EXPECT_EQ(area, c.mArea);
            EXPECT_TRUE(MemoryImage::StretchBltMirrorClipHelper(c.mSrcRect, c.mClip, c.mDestRect, &clipped, &area));
            EXPECT_EQ(clipped, c.mClippedDest);
            EXPECT_EQ(area, DoubleRect(c.mMirroredX, c.mArea.mY, c.mArea.mWidth, c.mArea.mHeight));
        } else {
            EXPECT_FALSE(MemoryImage::StretchBltMirrorClipHelper(c.mSrcRect, c.mClip, c.mDestRect, &clipped, &area));
        }
    }
}

TEST_F(StretchTest, NearestPixelStretchRepeatsWhenEnlargingAndPicksWhenShrinking)
{
    // By 2: each pixel becomes a 2 x 2 block, over-blended onto opaque black (weight 255).
    const auto small = MakeImage({2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF808080}});
    const auto enlarged = MakeImage(Filled(4, 4, kBlack));
    enlarged->StretchBlt(small.get(), Rect(0, 0, 4, 4), Rect(0, 0, 2, 2), Rect(0, 0, 4, 4), Color::White,
                         DRAWMODE_NORMAL, true);
    const uint32_t r = 0xFFFE0000;
    const uint32_t g = 0xFF00FE00;
    const uint32_t b = 0xFF0000FE;
    const uint32_t grey = 0xFF7F7F7F;
    ExpectPixels(PixelsOf(*enlarged), {r, r, g, g, r, r, g, g, b, b, grey, grey, b, b, grey, grey}, 4);

    // By 1/2: columns and rows 0 and 2 of a picture whose red is 64 x column, green 64 x row.
    Picture ramp = Filled(4, 4, 0);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x)
            ramp.mPixels[static_cast<size_t>(y * 4 + x)] = kBlack | static_cast<uint32_t>(x * 64) << 16 |
                                                           static_cast<uint32_t>(y * 64) << 8;
    }
    const auto large = MakeImage(ramp);
    const auto shrunk = MakeImage(Filled(2, 2, kBlack));
    shrunk->StretchBlt(large.get(), Rect(0, 0, 2, 2), Rect(0, 0, 4, 4), Rect(0, 0, 2, 2), Color::White,
                       DRAWMODE_NORMAL, true);
    ExpectPixels(PixelsOf(*shrunk), {0xFF000000, 0xFF7F0000, 0xFF007F00, 0xFF7F7F00}, 2);
}

TEST_F(StretchTest, FilteredStretchInterpolatesWhenEnlargingAndAveragesWhenShrinking)
{
    // Red to blue over 4 pixels: cells weigh red 257, 171, 85, 0 of 257.
    const auto pair = MakeImage({2, 1, {0xFFFF0000, 0xFF0000FF}});
    const auto enlarged = MakeImage(Filled(4, 1, 0));
    enlarged->StretchBlt(pair.get(), Rect(0, 0, 4, 1), Rect(0, 0, 2, 1), Rect(0, 0, 4, 1), Color::White,
                         DRAWMODE_NORMAL, false);
    ExpectPixels(PixelsOf(*enlarged), {0xFFFE0000, 0xFFA90054, 0xFF5300AA, 0xFF0000FE}, 4);

    // Pairs averaged: (255, 0, 0) and (0, 0, 255) give 127, 0, 127; two greys give 96.
    const auto four = MakeImage({4, 1, {0xFFFF0000, 0xFF0000FF, 0xFF808080, 0xFF404040}});
    const auto shrunk = MakeImage(Filled(2, 1, 0));
    shrunk->StretchBlt(four.get(), Rect(0, 0, 2, 1), Rect(0, 0, 4, 1), Rect(0, 0, 2, 1), Color::White,
                       DRAWMODE_NORMAL, false);
    ExpectPixels(PixelsOf(*shrunk), {0xFF7E007E, 0xFF5F5F5F}, 2);

    // A quarter-transparent sample keeps (256 - 64) / 256 of the destination.
    const auto quarterRed = MakeImage(Filled(10, 1, 0x40FF0000));
    const auto blue = MakeImage(Filled(5, 1, 0xFF0000FF));
    blue->StretchBlt(quarterRed.get(), Rect(0, 0, 5, 1), Rect(0, 0, 10, 1), Rect(0, 0, 5, 1), Color::White,
                     DRAWMODE_NORMAL, false);
    ExpectPixels(PixelsOf(*blue), Filled(5, 1, 0xFF3F00BF).mPixels, 5);
}

TEST_F(StretchTest, FilteredEnlargingReadsOnlyTheSourceRectangle)
{
    // A uniform block in the bottom right corner of a white picture: stretched, every pixel
    // drawn keeps the block's colour (each channel x 255 >> 8 onto opaque black).
    Picture sheet = Filled(4, 4, kWhite);
    for (const int i : {10, 11, 14, 15})
        sheet.mPixels[static_cast<size_t>(i)] = 0xFF408020;
    const auto image = MakeImage(sheet);
    struct Case {
        const char* mName;
        Rect mSrcRect;
        Rect mDestRect;
        Rect mClip;
    };
    const Case cases[] = {
        {"block to 5 x 5", Rect(2, 2, 2, 2), Rect(0, 0, 5, 5), Rect(0, 0, 10, 5)},
        {"one pixel to 10 x 3", Rect(2, 2, 1, 1), Rect(0, 0, 10, 3), Rect(0, 0, 10, 5)},
        {"last pixel to 3 x 3", Rect(3, 3, 1, 1), Rect(0, 0, 3, 3), Rect(0, 0, 10, 5)},
        {"last column to 10 x 2", Rect(3, 2, 1, 2), Rect(0, 0, 10, 2), Rect(0, 0, 10, 5)},
        // The clip leaves half a source pixel: positions step backwards from its middle.
        {"half of the last pixel", Rect(3, 3, 1, 1), Rect(0, 0, 4, 4), Rect(1, 1, 2, 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        const auto dest = MakeImage(Filled(10, 5, kBlack));
        dest->StretchBlt(image.get(), c.mDestRect, c.mSrcRect, c.mClip, Color::White, DRAWMODE_NORMAL, false);
        const Rect drawn = c.mClip.Intersection(c.mDestRect);
        std::vector<uint32_t> expected = Filled(10, 5, kBlack).mPixels;
        for (int y = drawn.mY; y < drawn.mY + drawn.mHeight; ++y) {
            for (int x = drawn.mX; x < drawn.mX + drawn.mWidth; ++x)
                expected[static_cast<size_t>(y * 10 + x)] = 0xFF3F7F1F;
        }
        ExpectPixels(PixelsOf(*dest), expected, 10);
    }
}

TEST_F(StretchTest, TintedAndAdditiveStretchesDraw)
{
    struct Case {
        const char* mName;
        uint32_t mSource;
        uint32_t mDest;
        Color mColor;
        int mDrawMode;
        uint32_t mExpected;
    };
    const Case cases[] = {
        {"colour tint", 0xFF808080, kWhite, Color(255, 128, 0), DRAWMODE_NORMAL, 0xFF7F3F00},
        {"grey tint", 0xFFFF8040, kBlack, Color(128, 128, 128), DRAWMODE_NORMAL, 0xFF7E3F1F},
        {"additive saturates", 0xFFC86432, 0x8064C8FA, Color::White, DRAWMODE_ADDITIVE, 0x80FFFFFF},
        {"additive tint", 0xFF808080, kBlack, Color(255, 128, 0), DRAWMODE_ADDITIVE, 0xFF7F4000},
    };
    for (const Case& c : cases) {
        for (const bool fast : {true, false}) {
            SCOPED_TRACE(std::string(c.mName) + (fast ? ", fast" : ", filtered"));
            const auto source = MakeImage(Filled(1, 1, c.mSource));
            const auto dest = MakeImage(Filled(3, 3, c.mDest));
            dest->StretchBlt(source.get(), Rect(1, 1, 2, 2), Rect(0, 0, 1, 1), Rect(0, 0, 3, 3), c.mColor,
                             c.mDrawMode, fast);
            ExpectPixels(PixelsOf(*dest), {c.mDest, c.mDest, c.mDest, c.mDest, c.mExpected, c.mExpected, c.mDest,
                                           c.mExpected, c.mExpected},
                         3);
        }
    }
}

TEST_F(StretchTest, StretchWritesOnlyInsideClipAndDestination)
{
    const auto source = MakeImage(kMixed);
    struct Case {
        const char* mName;
        Rect mDestRect;
        Rect mClip;
        Rect mSrcRect;
    };
    const Case cases[] = {
        {"small clip", Rect(0, 0, 6, 6), Rect(2, 1, 3, 2), Rect(0, 0, 3, 2)},
        {"past the top left", Rect(-3, -2, 7, 5), Rect(-10, -10, 30, 30), Rect(0, 0, 3, 2)},
        {"past the bottom right", Rect(4, 3, 9, 9), Rect(0, 0, 100, 100), Rect(0, 0, 3, 2)},
        {"shrunk into the clip", Rect(1, 1, 2, 1), Rect(2, 0, 3, 3), Rect(0, 1, 3, 1)},
        {"source rectangle past the source", Rect(0, 0, 6, 5), Rect(0, 0, 6, 5), Rect(1, 1, 4, 3)},
    };
    for (const Case& c : cases) {
        for (const bool fast : {true, false}) {
            for (const bool mirror : {false, true}) {
                SCOPED_TRACE(std::string(c.mName) + (fast ? ", fast" : ", filtered") + (mirror ? ", mirrored" : ""));
                const auto dest = MakeImage(Filled(6, 5, kBlack));
                if (mirror)
                    dest->StretchBltMirror(source.get(), c.mDestRect, c.mSrcRect, c.mClip, Color::White,
                                           DRAWMODE_ADDITIVE, fast);
                else
                    dest->StretchBlt(source.get(), c.mDestRect, c.mSrcRect, c.mClip, Color::White,
                                     DRAWMODE_ADDITIVE, fast);
                EXPECT_GT(ChangedOnlyInside(*dest, c.mClip.Intersection(c.mDestRect)), 0);
            }
        }
    }
}

// The stretch routines themselves, as the display image calls them.
class StretchingImage : public MemoryImage {
public:
    using MemoryImage::FastStretchBlt;
    using MemoryImage::SlowStretchBlt;
};

TEST_F(StretchTest, RoutinesGivenAnAreaPastTheDestinationDrawOnlyInsideIt)
{
    const auto source = MakeImage(kMixed);
    const Rect past(-2, -1, 12, 8);
    const DoubleRect whole(0, 0, 3, 2);
    for (const bool fast : {true, false}) {
        SCOPED_TRACE(fast ? "fast" : "filtered");
        StretchingImage dest;
        dest.SetBits(Filled(6, 4, kBlack).mPixels.data(), 6, 4, true);
        if (fast)
            dest.FastStretchBlt(source.get(), past, whole, Color::White);
        else
            dest.SlowStretchBlt(source.get(), past, whole);
        const std::vector<uint32_t> pixels = PixelsOf(dest);
        // The nearest-pixel stretch matches the same stretch clipped to the destination.
        const auto clipped = MakeImage(Filled(6, 4, kBlack));
        clipped->StretchBlt(source.get(), past, Rect(0, 0, 3, 2), Rect(-50, -50, 100, 100), Color::White,
                            DRAWMODE_NORMAL, fast);
        if (fast)
            ExpectPixels(pixels, PixelsOf(*clipped), 6);
    }
}

} // namespace
