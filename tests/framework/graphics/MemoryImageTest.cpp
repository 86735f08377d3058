#include "framework/graphics/MemoryImage.h"

#include "tests/framework/graphics/FakeApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Tests::FakeApp;
using Zest::kImageGuardWord;
using Zest::MemoryImage;

class MemoryImageState : public Tests::DrawingTest {};
class MemoryImageRuns : public Tests::DrawingTest {};
class MemoryImageNative : public Tests::DrawingTest {};
class MemoryImagePalette : public Tests::DrawingTest {};
class MemoryImageCopy : public Tests::DrawingTest {};
class MemoryImagePurge : public Tests::DrawingTest {};
class MemoryImageRegistration : public Tests::DrawingTest {};

// Stands for the renderer's textures; the image only tests the pointer.
Zest::TextureData* FakeTextures()
{
    static int marker = 0;
    return reinterpret_cast<Zest::TextureData*>(&marker);
}

// Reads back a fixed picture from the textures, then reports the outcome it is told to.
class TextureApp : public FakeApp {
public:
    static constexpr uint32_t kRecovered = 0xFF00FF00;

    bool RecoverBits(MemoryImage* image) override
    {
        std::fill_n(image->mBits, image->mWidth * image->mHeight, kRecovered);
        return mRecovers;
    }

    bool mRecovers = true;
};

void SetPixels(MemoryImage& image, const int width, const int height, const std::vector<uint32_t>& pixels)
{
    image.SetBits(pixels.data(), width, height, true);
}

// The pixels and the guard word after them.
std::vector<uint32_t> PictureOf(const uint32_t* bits, const int pixelCount)
{
    return std::vector<uint32_t>(bits, bits + pixelCount + 1);
}

std::vector<uint32_t> WithGuard(std::vector<uint32_t> pixels)
{
    pixels.push_back(kImageGuardWord);
    return pixels;
}

std::vector<uint8_t> Bytes(const uint8_t* data, const int count) { return std::vector<uint8_t>(data, data + count); }

TEST_F(MemoryImageState, NewImageIsEmptyWithOneCelAndItsBitsHoldOnlyTheGuardWord)
{
    MemoryImage image;
    EXPECT_EQ(image.GetWidth(), 0);
    EXPECT_EQ(image.GetHeight(), 0);
    EXPECT_EQ(image.mNumRows, 1);
    EXPECT_EQ(image.mNumCols, 1);
    EXPECT_FALSE(image.mDrawn);
    EXPECT_EQ(image.mAnimInfo, nullptr);
    EXPECT_EQ(image.mBits, nullptr);
    EXPECT_EQ(image.mBitsChangedCount, 0);
    EXPECT_FALSE(image.mHasTrans || image.mHasAlpha || image.mForcedMode || image.mBitsChanged);
    EXPECT_EQ(image.mApp, &mApp);
    EXPECT_EQ(PictureOf(image.GetBits(), 0), WithGuard({}));
}

TEST_F(MemoryImageState, CreateGivesZeroPixelsAndAssumesTransparencyUntilCommitted)
{
    MemoryImage image;
    image.Create(4, 2);
    EXPECT_EQ(image.mBits, nullptr);
    EXPECT_TRUE(image.mHasTrans);
    EXPECT_TRUE(image.mHasAlpha);
    EXPECT_EQ(image.mBitsChangedCount, 1);
    EXPECT_EQ(PictureOf(image.GetBits(), 8), WithGuard(std::vector<uint32_t>(8, 0)));
    image.CommitBits();
    EXPECT_TRUE(image.mHasTrans);
    EXPECT_FALSE(image.mHasAlpha);
}

TEST_F(MemoryImageState, CreateWithNegativeSizeMakesAnEmptyPicture)
{
    const struct {
        int width;
        int height;
    } cases[] = {{-1, 5}, {3, -2}, {-4, -4}};
    for (const auto& c : cases) {
        MemoryImage image;
        image.Create(c.width, c.height);
        EXPECT_EQ(image.GetWidth(), 0) << c.width << "x" << c.height;
        EXPECT_EQ(image.GetHeight(), 0) << c.width << "x" << c.height;
        EXPECT_EQ(PictureOf(image.GetBits(), 0), WithGuard({}));
    }
}

TEST_F(MemoryImageState, CommittedSetBitsAnalysesTransparency)
{
    const struct {
        std::string name;
        std::vector<uint32_t> pixels;
        bool hasTrans;
        bool hasAlpha;
    } cases[] = {
        {"all opaque", {0xFF000000, 0xFFFFFFFF, 0xFF123456, 0xFF00FF00}, false, false},
        {"one half transparent", {0xFF000000, 0x80FFFFFF, 0xFF123456, 0xFF00FF00}, false, true},
        {"one transparent", {0xFF000000, 0xFFFFFFFF, 0x00123456, 0xFF00FF00}, true, false},
        {"alpha 1 and 254 are partial", {0x01000000, 0xFEFFFFFF, 0xFF123456, 0xFF00FF00}, false, true},
        {"both", {0x00000000, 0x7F000000, 0xFF123456, 0xFF00FF00}, true, true},
    };
    for (const auto& c : cases) {
        MemoryImage image;
        SetPixels(image, 2, 2, c.pixels);
        EXPECT_EQ(image.mHasTrans, c.hasTrans) << c.name;
        EXPECT_EQ(image.mHasAlpha, c.hasAlpha) << c.name;
        EXPECT_FALSE(image.mBitsChanged) << c.name;
        EXPECT_EQ(image.mBitsChangedCount, 1) << c.name;
        EXPECT_EQ(PictureOf(image.mBits, 4), WithGuard(c.pixels)) << c.name;
    }
}

// A picture scanned in several parts: pixels found anywhere, the last one included, count,
// and finding one kind early does not end the search for the other.
TEST_F(MemoryImageState, TransparencyAnalysisSeesEveryPixelOfALargePicture)
{
    constexpr int kSide = 37;
    constexpr size_t kLast = kSide * kSide - 1;
    const struct {
        std::string name;
        std::vector<std::pair<size_t, uint32_t>> changed;
        bool hasTrans;
        bool hasAlpha;
    } cases[] = {
        {"opaque throughout", {}, false, false},
        {"transparent last pixel", {{kLast, 0x00FFFFFF}}, true, false},
        {"partial last pixel", {{kLast, 0xFEFFFFFF}}, false, true},
        {"transparent first, partial last", {{0, 0x00000000}, {kLast, 0x01000000}}, true, true},
        {"partial first, transparent in the middle", {{0, 0x80000000}, {700, 0x00123456}}, true, true},
    };
    for (const auto& c : cases) {
        std::vector<uint32_t> pixels(kLast + 1, 0xFF102030);
        for (const auto& [index, pixel] : c.changed)
            pixels[index] = pixel;
        MemoryImage image;
        SetPixels(image, kSide, kSide, pixels);
        EXPECT_EQ(image.mHasTrans, c.hasTrans) << c.name;
        EXPECT_EQ(image.mHasAlpha, c.hasAlpha) << c.name;
        EXPECT_EQ(PictureOf(image.mBits, static_cast<int>(pixels.size())), WithGuard(pixels)) << c.name;
    }
}

TEST_F(MemoryImageState, UncommittedSetBitsLeavesTheFlagsForLater)
{
    MemoryImage image;
    image.Create(2, 1);
    const std::vector<uint32_t> opaque = {0xFF000000, 0xFF000000};
    image.SetBits(opaque.data(), 2, 1, false);
    EXPECT_TRUE(image.mHasTrans);
    EXPECT_TRUE(image.mHasAlpha);
    EXPECT_TRUE(image.mBitsChanged);
    image.CommitBits();
    EXPECT_FALSE(image.mHasTrans);
    EXPECT_FALSE(image.mHasAlpha);
}

TEST_F(MemoryImageState, SetBitsOfAnotherSizeReallocatesWithTheGuardWord)
{
    MemoryImage image;
    SetPixels(image, 1, 1, {0xFF111111});
    SetPixels(image, 3, 1, {0xFF010203, 0x00000000, 0x80FFFFFF});
    EXPECT_EQ(image.GetWidth(), 3);
    EXPECT_EQ(PictureOf(image.mBits, 3), WithGuard({0xFF010203, 0x00000000, 0x80FFFFFF}));
    SetPixels(image, 3, 1, {0xFF040506, 0xFF070809, 0xFF0A0B0C});
    EXPECT_EQ(PictureOf(image.mBits, 3), WithGuard({0xFF040506, 0xFF070809, 0xFF0A0B0C}));
}

// An adopted buffer is the picture itself, not a copy: the guard word goes after the
// pixels, one change is counted and the palettised form of the old picture goes.
TEST_F(MemoryImageState, AdoptedBitsBecomeThePictureWithTheGuardWord)
{
    MemoryImage image;
    SetPixels(image, 2, 1, {0xFF123456, 0xFF654321});
    ASSERT_TRUE(image.Palletize());
    const std::vector<uint32_t> pixels = {0x00000000, 0x80FFFFFF, 0xFF010203};
    auto* const bits = new uint32_t[pixels.size() + 1];
    std::copy(pixels.begin(), pixels.end(), bits);
    image.AdoptBits(bits, 3, 1, true);
    EXPECT_EQ(image.mBits, bits);
    EXPECT_EQ(image.GetWidth(), 3);
    EXPECT_EQ(image.GetHeight(), 1);
    EXPECT_EQ(PictureOf(image.mBits, 3), WithGuard(pixels));
    EXPECT_EQ(image.mColorTable, nullptr);
    EXPECT_EQ(image.mColorIndices, nullptr);
    EXPECT_EQ(image.mBitsChangedCount, 2);
    EXPECT_FALSE(image.mBitsChanged);
    EXPECT_TRUE(image.mHasTrans);
    EXPECT_TRUE(image.mHasAlpha);
}

TEST_F(MemoryImageState, SetImageModeFlagsSurviveLaterCommits)
{
    MemoryImage image;
    image.SetImageMode(false, false);
    SetPixels(image, 2, 1, {0x00000000, 0x80FFFFFF});
    image.CommitBits();
    EXPECT_TRUE(image.mForcedMode);
    EXPECT_FALSE(image.mHasTrans);
    EXPECT_FALSE(image.mHasAlpha);
}

TEST_F(MemoryImageState, ClearMakesEveryPixelTransparentBlack)
{
    MemoryImage image;
    SetPixels(image, 2, 2, {0xFF000000, 0xFFFFFFFF, 0x80123456, 0xFF00FF00});
    image.Clear();
    EXPECT_EQ(PictureOf(image.mBits, 4), WithGuard(std::vector<uint32_t>(4, 0)));
    EXPECT_EQ(image.mBitsChangedCount, 2);
    EXPECT_TRUE(image.mBitsChanged);
}

TEST(MemoryImageAnimation, PingPongMapsFramesForwardAndBackWithTheEndFrameTime)
{
    Zest::AnimInfo info;
    info.mAnimType = Zest::AnimInfo::ANIM_PING_PONG;
    info.mFrameDelay = 10;
    info.Compute(4, 0, 50);
    EXPECT_EQ(info.mFrameMap, (std::vector<int32_t>{0, 1, 2, 3, 2, 1}));
    EXPECT_EQ(info.mNumCels, 6);
    EXPECT_EQ(info.mPerFrameDelay, (std::vector<int32_t>{10, 10, 10, 10, 10, 50}));
    EXPECT_EQ(info.mTotalAnimTime, 100);
}

// The ways a run table can find the alpha of a pixel.
enum class Source { Pixels, NativeOnly, Palette };

std::string SourceName(const Source source)
{
    switch (source) {
    case Source::Pixels:
        return "pixels";
    case Source::NativeOnly:
        return "native data only";
    case Source::Palette:
        return "palette";
    }
    return "";
}

// Leaves the picture only in the form the source names; false when that failed.
bool PrepareSource(MemoryImage& image, const Source source)
{
    if (source == Source::Palette)
        return image.Palletize();
    if (source == Source::NativeOnly)
        image.PurgeBits();
    return true;
}

TEST_F(MemoryImageRuns, AlphaRunsCountPixelsToTheEndOfTheirRunWithinTheRow)
{
    const struct {
        std::string name;
        int width;
        int height;
        std::vector<uint32_t> pixels;
        std::vector<uint8_t> runs;
    } cases[] = {
        {"three classes",
         6,
         1,
         {0x00000000, 0x00FFFFFF, 0xFF000000, 0x80000000, 0x80FFFFFF, 0x80123456},
         {2, 1, 1, 3, 2, 1}},
        {"runs stop at the row end", 3, 2, std::vector<uint32_t>(6, 0xFF102030), {3, 2, 1, 3, 2, 1}},
        {"one pixel wide", 1, 3, std::vector<uint32_t>(3, 0xFF102030), {1, 1, 1}},
        {"partial alphas share a class", 3, 1, {0x01000000, 0xFE000000, 0x00000000}, {2, 1, 1}},
    };
    for (const auto& c : cases) {
        for (const Source source : {Source::Pixels, Source::NativeOnly, Source::Palette}) {
            MemoryImage image;
            SetPixels(image, c.width, c.height, c.pixels);
            ASSERT_TRUE(PrepareSource(image, source));
            const uint8_t* const runs = image.GetRLAlphaData();
            ASSERT_NE(runs, nullptr);
            EXPECT_EQ(Bytes(runs, c.width * c.height), c.runs) << c.name << " from " << SourceName(source);
            EXPECT_EQ(image.mBits == nullptr, source != Source::Pixels) << c.name << " from " << SourceName(source);
        }
    }
}

TEST_F(MemoryImageRuns, LongRunIsCappedAt255)
{
    MemoryImage image;
    SetPixels(image, 300, 1, std::vector<uint32_t>(300, 0xFFFFFFFF));
    std::vector<uint8_t> expected(46, 255);
    for (int count = 254; count >= 1; --count)
        expected.push_back(static_cast<uint8_t>(count));
    EXPECT_EQ(Bytes(image.GetRLAlphaData(), 300), expected);
}

TEST_F(MemoryImageRuns, AdditiveRunsSeparateBlackAfterPremultiplying)
{
    // Transparent white premultiplies to black; alpha 1 keeps a trace of colour at 8 bits
    // per channel but not at 5 or 6.
    const std::vector<uint32_t> pixels = {0xFF000000, 0x00FFFFFF, 0xFF010000, 0x01FFFFFF, 0xFFFFFFFF};
    const struct {
        std::string name;
        FakeApp::Layout layout;
        std::vector<uint8_t> runs;
    } cases[] = {
        {"8-8-8", FakeApp::Layout::Rgb888, {2, 1, 3, 2, 1}},
        {"5-6-5", FakeApp::Layout::Rgb565, {4, 3, 2, 1, 1}},
    };
    for (const auto& c : cases) {
        for (const bool palettised : {false, true}) {
            FakeApp app(c.layout);
            MemoryImage image(&app);
            SetPixels(image, 5, 1, pixels);
            if (palettised) {
                ASSERT_TRUE(image.Palletize());
            }
            const uint8_t* const runs = image.GetRLAdditiveData(&app.mDisplay);
            ASSERT_NE(runs, nullptr);
            EXPECT_EQ(Bytes(runs, 5), c.runs) << c.name << (palettised ? " palettised" : "");
        }
    }
}

TEST_F(MemoryImageRuns, ChangedPixelsRebuildTheRunTables)
{
    MemoryImage image;
    SetPixels(image, 2, 1, {0xFF000000, 0xFF000000});
    ASSERT_EQ(Bytes(image.GetRLAlphaData(), 2), (std::vector<uint8_t>{2, 1}));
    ASSERT_EQ(Bytes(image.GetRLAdditiveData(&mApp.mDisplay), 2), (std::vector<uint8_t>{2, 1}));
    SetPixels(image, 2, 1, {0x00000000, 0xFFFFFFFF});
    EXPECT_EQ(image.mRLAlphaData, nullptr);
    EXPECT_EQ(image.mRLAdditiveData, nullptr);
    EXPECT_EQ(image.mNativeAlphaData, nullptr);
    EXPECT_EQ(Bytes(image.GetRLAlphaData(), 2), (std::vector<uint8_t>{1, 1}));
    EXPECT_EQ(Bytes(image.GetRLAdditiveData(&mApp.mDisplay), 2), (std::vector<uint8_t>{1, 1}));
}

TEST_F(MemoryImageNative, NativeDataIsPremultipliedInTheDisplayLayout)
{
    const std::vector<uint32_t> pixels = {0xFFFFFFFF, 0x80FF8040, 0x00FFFFFF, 0x01FF0000, 0xFF123456};
    const struct {
        std::string name;
        FakeApp::Layout layout;
        std::vector<uint32_t> native;
    } cases[] = {
        {"8-8-8", FakeApp::Layout::Rgb888, {0xFFFFFFFF, 0x80804020, 0x00000000, 0x01010000, 0xFF123456}},
        {"5-6-5", FakeApp::Layout::Rgb565, {0xFF00FFFF, 0x80008204, 0x00000000, 0x01000000, 0xFF0011AA}},
    };
    for (const auto& c : cases) {
        for (const bool palettised : {false, true}) {
            FakeApp app(c.layout);
            MemoryImage image(&app);
            SetPixels(image, 5, 1, pixels);
            if (palettised) {
                ASSERT_TRUE(image.Palletize());
            }
            const uint32_t* const native = image.GetNativeAlphaData(&app.mDisplay);
            ASSERT_NE(native, nullptr);
            std::vector<uint32_t> perPixel;
            for (int i = 0; i < 5; ++i)
                perPixel.push_back(palettised ? native[image.mColorIndices[i]] : native[i]);
            EXPECT_EQ(perPixel, c.native) << c.name << (palettised ? " palettised" : "");
        }
    }
}

TEST_F(MemoryImageNative, NoDisplayGivesNoNativeData)
{
    MemoryImage image;
    SetPixels(image, 1, 1, {0xFFFFFFFF});
    EXPECT_EQ(image.GetNativeAlphaData(nullptr), nullptr);
    EXPECT_EQ(image.GetRLAdditiveData(nullptr), nullptr);
}

TEST_F(MemoryImageNative, PixelsComeBackUnpremultipliedFromNativeData)
{
    const std::vector<uint32_t> pixels = {0xFFFFFFFF, 0x80FF8040, 0x01FF0000, 0xFF123456, 0x00FFFFFF};
    const struct {
        std::string name;
        FakeApp::Layout layout;
        std::vector<uint32_t> restored;
    } cases[] = {
        {"8-8-8", FakeApp::Layout::Rgb888, {0xFFFFFFFF, 0x80FE7F3F, 0x01800000, 0xFF123456, 0x00000000}},
        {"5-6-5", FakeApp::Layout::Rgb565, {0xFFF8FCF8, 0x80F87C38, 0x01000000, 0xFF103450, 0x00000000}},
    };
    for (const auto& c : cases) {
        FakeApp app(c.layout);
        MemoryImage image(&app);
        SetPixels(image, 5, 1, pixels);
        image.PurgeBits();
        ASSERT_EQ(image.mBits, nullptr) << c.name;
        EXPECT_EQ(PictureOf(image.GetBits(), 5), WithGuard(c.restored)) << c.name;
        EXPECT_NE(image.mNativeAlphaData, nullptr) << c.name;
    }
}

// Sets of 256 colours with the patterns pictures have (ramps of one channel, of grey and
// alpha together, random), each of which must find every colour again however the
// colours crowd the lookup.
TEST_F(MemoryImagePalette, TwoHundredFiftySixColoursPalettiseAndComeBackExactly)
{
    const auto colorSet = [](const std::function<uint32_t(uint32_t)>& colorOf) {
        std::vector<uint32_t> colors;
        for (uint32_t i = 0; i < 256; ++i)
            colors.push_back(colorOf(i));
        return colors;
    };
    uint32_t seed = 1;
    const std::pair<std::string, std::vector<uint32_t>> cases[] = {
        // Distinct alphas in scrambled order.
        {"scrambled alphas", colorSet([](uint32_t i) { return (((i * 167) % 256) << 24) | ((255 - i) << 8) | i; })},
        {"blue ramp", colorSet([](uint32_t i) { return 0xFF000000 | i; })},
        {"red ramp", colorSet([](uint32_t i) { return 0xFF000000 | i << 16; })},
        {"grey and alpha ramp", colorSet([](uint32_t i) { return i * 0x01010101; })},
        {"random", colorSet([&seed](uint32_t i) { return seed = seed * 1664525 + 1013904223 + i; })},
    };
    for (const auto& [name, pixels] : cases) {
        ASSERT_EQ(std::set<uint32_t>(pixels.begin(), pixels.end()).size(), 256u) << name;
        MemoryImage image;
        SetPixels(image, 16, 16, pixels);
        ASSERT_TRUE(image.Palletize()) << name;
        EXPECT_EQ(image.mBits, nullptr) << name;
        EXPECT_TRUE(image.mWantPalletize) << name;
        EXPECT_EQ(std::vector<uint32_t>(image.mColorTable, image.mColorTable + 256), pixels) << name;
        EXPECT_EQ(PictureOf(image.GetBits(), 256), WithGuard(pixels)) << name;
        EXPECT_EQ(image.mColorTable, nullptr) << name;
        EXPECT_EQ(image.mColorIndices, nullptr) << name;
    }
}

TEST_F(MemoryImagePalette, TwoHundredFiftySevenColoursFailAndKeepThePixels)
{
    std::vector<uint32_t> pixels;
    for (uint32_t i = 0; i < 257; ++i)
        pixels.push_back(0xFF000000 + i);
    MemoryImage image;
    SetPixels(image, 257, 1, pixels);
    const uint32_t* const bits = image.mBits;
    EXPECT_FALSE(image.Palletize());
    EXPECT_FALSE(image.mWantPalletize);
    EXPECT_EQ(image.mColorTable, nullptr);
    EXPECT_EQ(image.mColorIndices, nullptr);
    EXPECT_EQ(image.mBits, bits);
    EXPECT_EQ(PictureOf(image.mBits, 257), WithGuard(pixels));
}

TEST_F(MemoryImagePalette, ColoursEnterInOrderOfFirstAppearanceAndUnusedEntriesRepeatTheFirst)
{
    const uint32_t first = 0xFF0000FF;
    const uint32_t second = 0xFF00FF00;
    const uint32_t third = 0x80FF0000;
    MemoryImage image;
    SetPixels(image, 5, 1, {first, second, first, third, second});
    ASSERT_TRUE(image.Palletize());
    EXPECT_EQ(Bytes(image.mColorIndices, 5), (std::vector<uint8_t>{0, 1, 0, 2, 1}));
    EXPECT_EQ(image.mColorTable[0], first);
    EXPECT_EQ(image.mColorTable[1], second);
    EXPECT_EQ(image.mColorTable[2], third);
    EXPECT_EQ(std::vector<uint32_t>(image.mColorTable + 3, image.mColorTable + 256),
              std::vector<uint32_t>(253, first));
}

// Runs of one colour, across rows too and with transparent black first, share the index
// of their first pixel.
TEST_F(MemoryImagePalette, RunsOfOneColourShareTheIndexOfTheirFirstPixel)
{
    const uint32_t clear = 0x00000000;
    const uint32_t red = 0xFFFF0000;
    const uint32_t half = 0x8000FF00;
    const std::vector<uint32_t> pixels = {clear, clear, red, red, red, clear, half, half};
    MemoryImage image;
    SetPixels(image, 4, 2, pixels);
    ASSERT_TRUE(image.Palletize());
    EXPECT_EQ(Bytes(image.mColorIndices, 8), (std::vector<uint8_t>{0, 0, 1, 1, 1, 0, 2, 2}));
    EXPECT_EQ(std::vector<uint32_t>(image.mColorTable, image.mColorTable + 3),
              (std::vector<uint32_t>{clear, red, half}));
    EXPECT_EQ(PictureOf(image.GetBits(), 8), WithGuard(pixels));
}

TEST_F(MemoryImagePalette, AnalysisOfAPalettisedPictureSeesOnlyItsColours)
{
    MemoryImage image;
    SetPixels(image, 2, 1, {0xFF123456, 0xFF654321});
    ASSERT_TRUE(image.Palletize());
    image.BitsChanged();
    image.CommitBits();
    EXPECT_FALSE(image.mHasTrans);
    EXPECT_FALSE(image.mHasAlpha);
    EXPECT_EQ(image.mBits, nullptr);
}

TEST_F(MemoryImagePalette, ReInitPalettisesAndPurgesAgain)
{
    MemoryImage image;
    SetPixels(image, 2, 1, {0xFF123456, 0x80654321});
    ASSERT_TRUE(image.Palletize());
    image.PurgeBits();
    image.GetBits();
    ASSERT_EQ(image.mColorTable, nullptr);
    image.ReInit();
    EXPECT_NE(image.mColorTable, nullptr);
    EXPECT_EQ(image.mBits, nullptr);
    ASSERT_NE(image.mNativeAlphaData, nullptr);
    EXPECT_EQ(image.mNativeAlphaData[image.mColorIndices[1]], 0x80322110u);
}

TEST_F(MemoryImageCopy, CopyOfAPurgedImageUnpremultipliesAndLeavesTheSourcePurged)
{
    MemoryImage image;
    SetPixels(image, 3, 1, {0x80FF8040, 0xFF123456, 0x01FF0000});
    image.PurgeBits();
    const uint32_t* const native = image.mNativeAlphaData;
    const MemoryImage copy(image);
    EXPECT_EQ(PictureOf(copy.mBits, 3), WithGuard({0x80FE7F3F, 0xFF123456, 0x01800000}));
    EXPECT_EQ(image.mBits, nullptr);
    EXPECT_EQ(image.mNativeAlphaData, native);
    ASSERT_NE(copy.mNativeAlphaData, nullptr);
    EXPECT_NE(copy.mNativeAlphaData, native);
    EXPECT_EQ(std::vector<uint32_t>(copy.mNativeAlphaData, copy.mNativeAlphaData + 3),
              (std::vector<uint32_t>{0x80804020, 0xFF123456, 0x01010000}));
}

TEST_F(MemoryImageCopy, CopyOwnsItsOwnCopyOfEveryFormAndTheAttributes)
{
    MemoryImage image;
    const std::vector<uint32_t> pixels = {0x00000000, 0xFF000000, 0x80FFFFFF, 0xFF123456};
    SetPixels(image, 2, 2, pixels);
    image.GetNativeAlphaData(&mApp.mDisplay);
    image.GetRLAlphaData();
    image.GetRLAdditiveData(&mApp.mDisplay);
    image.mTextureFlags = 5;
    image.mTextureData = FakeTextures();
    image.mDrawn = true;
    image.mFilePath = "images/ball.png";
    image.mNumCols = 2;
    image.mAnimInfo = std::make_unique<Zest::AnimInfo>();
    image.mAnimInfo->mFrameMap = {1, 0};
    image.SetVolatile(true);

    const MemoryImage copy(image);
    EXPECT_NE(copy.mBits, image.mBits);
    EXPECT_EQ(PictureOf(copy.mBits, 4), WithGuard(pixels));
    EXPECT_NE(copy.mNativeAlphaData, image.mNativeAlphaData);
    EXPECT_EQ(std::vector<uint32_t>(copy.mNativeAlphaData, copy.mNativeAlphaData + 4),
              std::vector<uint32_t>(image.mNativeAlphaData, image.mNativeAlphaData + 4));
    EXPECT_NE(copy.mRLAlphaData, image.mRLAlphaData);
    EXPECT_EQ(Bytes(copy.mRLAlphaData, 4), Bytes(image.mRLAlphaData, 4));
    EXPECT_NE(copy.mRLAdditiveData, image.mRLAdditiveData);
    EXPECT_EQ(Bytes(copy.mRLAdditiveData, 4), Bytes(image.mRLAdditiveData, 4));
    EXPECT_EQ(copy.mTextureData, nullptr);
    EXPECT_EQ(copy.mTextureFlags, 5);
    EXPECT_EQ(copy.mBitsChangedCount, image.mBitsChangedCount);
    EXPECT_TRUE(copy.mHasTrans && copy.mHasAlpha && copy.mIsVolatile);
    EXPECT_FALSE(copy.mDrawn);
    EXPECT_TRUE(copy.mFilePath.empty());
    EXPECT_EQ(copy.mNumCols, 2);
    ASSERT_NE(copy.mAnimInfo, nullptr);
    EXPECT_NE(copy.mAnimInfo.get(), image.mAnimInfo.get());
    EXPECT_EQ(copy.mAnimInfo->mFrameMap, (std::vector<int32_t>{1, 0}));
}

TEST_F(MemoryImageCopy, CopyOfAPalettisedImageKeepsThePalettisedForm)
{
    MemoryImage image;
    const std::vector<uint32_t> pixels = {0xFF0000FF, 0x8000FF00, 0xFF0000FF};
    SetPixels(image, 3, 1, pixels);
    ASSERT_TRUE(image.Palletize());
    image.GetNativeAlphaData(&mApp.mDisplay);

    MemoryImage copy(image);
    EXPECT_EQ(copy.mBits, nullptr);
    ASSERT_NE(copy.mColorTable, nullptr);
    EXPECT_NE(copy.mColorTable, image.mColorTable);
    EXPECT_EQ(std::vector<uint32_t>(copy.mColorTable, copy.mColorTable + 256),
              std::vector<uint32_t>(image.mColorTable, image.mColorTable + 256));
    EXPECT_EQ(std::vector<uint32_t>(copy.mNativeAlphaData, copy.mNativeAlphaData + 256),
              std::vector<uint32_t>(image.mNativeAlphaData, image.mNativeAlphaData + 256));
    EXPECT_TRUE(copy.mWantPalletize);
    EXPECT_EQ(PictureOf(copy.GetBits(), 3), WithGuard(pixels));
    EXPECT_NE(image.mColorIndices, nullptr);
}

TEST_F(MemoryImagePurge, PurgeFreesThePixelsOnlyWhenAnotherFormHoldsThePicture)
{
    const std::vector<uint32_t> pixels = {0xFF102030, 0xFFA0B0C0};
    const struct {
        std::string name;
        bool is3D;
        bool textures;
        bool palettised;
        bool keepsPixels;
        bool keepsPalette;
        bool makesNative;
        bool restoresPicture;
    } cases[] = {
        {"2D", false, false, false, false, false, true, true},
        {"2D palettised", false, false, true, false, true, true, true},
        {"3D without textures", true, false, false, true, false, false, true},
        {"3D with textures", true, true, false, false, false, false, false},
        {"3D palettised with textures", true, true, true, false, false, false, false},
    };
    for (const auto& c : cases) {
        mApp.m3DEnabled = c.is3D;
        MemoryImage image;
        SetPixels(image, 2, 1, pixels);
        if (c.palettised) {
            ASSERT_TRUE(image.Palletize()) << c.name;
        }
        if (c.textures)
            image.mTextureData = FakeTextures();
        image.PurgeBits();
        EXPECT_TRUE(image.mPurgeBits) << c.name;
        EXPECT_EQ(image.mBits != nullptr, c.keepsPixels) << c.name;
        EXPECT_EQ(image.mColorTable != nullptr, c.keepsPalette) << c.name;
        EXPECT_EQ(image.mNativeAlphaData != nullptr, c.makesNative) << c.name;
        // The fake renderer cannot read textures back: such a picture comes back transparent black.
        const std::vector<uint32_t> expected = c.restoresPicture ? pixels : std::vector<uint32_t>(2, 0);
        EXPECT_EQ(PictureOf(image.GetBits(), 2), WithGuard(expected)) << c.name;
    }
}

TEST_F(MemoryImagePurge, PixelsAreReadBackFromTexturesOnlyWhenTheRendererSucceeds)
{
    for (const bool recovers : {true, false}) {
        TextureApp app;
        app.m3DEnabled = true;
        app.mRecovers = recovers;
        MemoryImage image(&app);
        SetPixels(image, 2, 1, {0xFF102030, 0xFFA0B0C0});
        image.mTextureData = FakeTextures();
        image.PurgeBits();
        ASSERT_EQ(image.mBits, nullptr);
        const uint32_t expected = recovers ? TextureApp::kRecovered : 0;
        EXPECT_EQ(PictureOf(image.GetBits(), 2), WithGuard({expected, expected})) << recovers;
    }
}

TEST_F(MemoryImagePurge, CacheDeletersRestoreThePixelsAndFreeTheirCaches)
{
    const std::vector<uint32_t> pixels = {0xFF102030, 0x00000000};
    const struct {
        std::string name;
        void (MemoryImage::*deleter)();
        bool keepsAlphaRuns;
        bool dropsTextures;
    } cases[] = {
        {"DeleteNativeData", &MemoryImage::DeleteNativeData, true, false},
        {"DeleteSoftwareBuffers", &MemoryImage::DeleteSoftwareBuffers, false, false},
        {"DeleteCachedBuffers", &MemoryImage::DeleteCachedBuffers, false, true},
    };
    for (const auto& c : cases) {
        MemoryImage image;
        SetPixels(image, 2, 1, pixels);
        image.GetRLAlphaData();
        image.GetRLAdditiveData(&mApp.mDisplay);
        image.PurgeBits();
        image.mTextureData = FakeTextures();
        (image.*c.deleter)();
        EXPECT_EQ(image.mNativeAlphaData, nullptr) << c.name;
        EXPECT_EQ(image.mRLAdditiveData, nullptr) << c.name;
        EXPECT_EQ(image.mRLAlphaData != nullptr, c.keepsAlphaRuns) << c.name;
        EXPECT_EQ(image.mTextureData == nullptr, c.dropsTextures) << c.name;
        ASSERT_NE(image.mBits, nullptr) << c.name;
        EXPECT_EQ(PictureOf(image.mBits, 2), WithGuard(pixels)) << c.name;
        EXPECT_EQ(image.mBitsChangedCount, 1) << c.name;
    }
}

TEST_F(MemoryImageRegistration, ImagesAndCopiesAreRegisteredFromConstructionToDestruction)
{
    auto image = std::make_unique<MemoryImage>();
    EXPECT_EQ(mApp.mImages, (std::set<MemoryImage*>{image.get()}));
    auto copy = std::make_unique<MemoryImage>(*image);
    EXPECT_EQ(mApp.mImages, (std::set<MemoryImage*>{image.get(), copy.get()}));
    image.reset();
    EXPECT_EQ(mApp.mImages, (std::set<MemoryImage*>{copy.get()}));
    copy.reset();
    EXPECT_TRUE(mApp.mImages.empty());
}

TEST_F(MemoryImageRegistration, ImageGivenAnApplicationRegistersThereWithItsCopies)
{
    FakeApp other;
    {
        MemoryImage image(&other);
        MemoryImage copy(image);
        EXPECT_EQ(other.mImages, (std::set<MemoryImage*>{&image, &copy}));
        EXPECT_TRUE(mApp.mImages.empty());
    }
    EXPECT_TRUE(other.mImages.empty());
}

TEST_F(MemoryImageRegistration, WithoutAnApplicationImagesWorkUnregisteredAndKeepTheirPixels)
{
    Zest::SetAppInterface(nullptr);
    MemoryImage image;
    EXPECT_EQ(image.mApp, nullptr);
    SetPixels(image, 2, 1, {0xFF102030, 0x80A0B0C0});
    image.PurgeBits();
    EXPECT_TRUE(image.mPurgeBits);
    EXPECT_EQ(PictureOf(image.mBits, 2), WithGuard({0xFF102030, 0x80A0B0C0}));
    image.Delete3DBuffers();
    const MemoryImage copy(image);
    EXPECT_EQ(copy.mApp, nullptr);
    EXPECT_TRUE(mApp.mImages.empty());
}

} // namespace
