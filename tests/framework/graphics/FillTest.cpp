// Software fills and lines of a MemoryImage against hand-computed pixels. Every check
// compares the whole picture, so a pixel written next to the drawn area shows up, and
// checks the guard word after the last pixel.

#include "framework/graphics/MemoryImage.h"
#include "tests/framework/graphics/FakeApp.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Zest::Color;
using Zest::DRAWMODE_ADDITIVE;
using Zest::DRAWMODE_NORMAL;
using Zest::MemoryImage;
using Zest::Rect;
using Zest::Span;

using Pixels = std::vector<uint32_t>;

std::unique_ptr<MemoryImage> MakeImage(const int width, const int height, const uint32_t pixel)
{
    auto image = std::make_unique<MemoryImage>();
    const Pixels pixels(static_cast<size_t>(width) * static_cast<size_t>(height), pixel);
    image->SetBits(pixels.data(), width, height, false);
    return image;
}

// A picture written as rows of '.' (background) and 'X' (drawn).
Pixels FromMask(const std::vector<std::string>& rows, const uint32_t background, const uint32_t drawn)
{
    Pixels pixels;
    for (const std::string& row : rows) {
        for (const char cell : row)
            pixels.push_back(cell == 'X' ? drawn : background);
    }
    return pixels;
}

// A picture of white drawn over transparent black: over a transparent pixel the colour gets
// the full weight, so each pixel is its effective alpha with the channels 255 x 255 >> 8.
Pixels FromAlphas(const std::vector<int>& alphas)
{
    Pixels pixels;
    for (const int alpha : alphas)
        pixels.push_back(alpha == 0 ? 0u : (static_cast<uint32_t>(alpha) << 24) | 0x00FEFEFEu);
    return pixels;
}

std::string Describe(const uint32_t* pixels, const size_t count, const int width)
{
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        char word[10];
        std::snprintf(word, sizeof(word), "%08X", pixels[i]);
        text += word;
        text += (i + 1) % static_cast<size_t>(width) == 0 ? '\n' : ' ';
    }
    return text;
}

void ExpectPicture(MemoryImage& image, const Pixels& expected)
{
    ASSERT_EQ(expected.size(), static_cast<size_t>(image.GetWidth()) * static_cast<size_t>(image.GetHeight()));
    const uint32_t* const bits = image.GetBits();
    EXPECT_EQ(Describe(bits, expected.size(), image.GetWidth()),
              Describe(expected.data(), expected.size(), image.GetWidth()));
    EXPECT_EQ(bits[expected.size()], Zest::kImageGuardWord);
}

class FillTest : public Tests::DrawingTest {};
class LineTest : public Tests::DrawingTest {};

// ---------------------------------------------------------------------------------------
// FillRect, ClearRect, DrawRect, FillScanLines

TEST_F(FillTest, FillRectBlendsTheColourOverTheDestinationInEveryMode)
{
    struct Case {
        const char* mName;
        uint32_t mDest;
        Color mColor;
        int mDrawMode;
        uint32_t mExpected;
    };
    const Case cases[] = {
        {"opaque colour replaces the pixel", 0x80FFFFFF, Color(10, 20, 30, 255), DRAWMODE_NORMAL, 0xFF0A141E},
        {"half red over opaque white", 0xFFFFFFFF, Color(255, 0, 0, 128), DRAWMODE_NORMAL, 0xFFFF7F7F},
        {"half red over transparent", 0x00000000, Color(255, 0, 0, 128), DRAWMODE_NORMAL, 0x80FE0000},
        // outA = 128 + 127 x 128 / 255 = 191, w = 128 x 255 / 191 = 170.
        {"half colour over half destination", 0x80204060, Color(200, 100, 50, 128), DRAWMODE_NORMAL, 0xBF8F5741},
        {"alpha 0 leaves the pixel", 0x80204060, Color(200, 100, 50, 0), DRAWMODE_NORMAL, 0x80204060},
        {"additive mode blends as normal", 0xFFFFFFFF, Color(255, 0, 0, 128), DRAWMODE_ADDITIVE, 0xFFFF7F7F},
        {"additive opaque replaces", 0xFF102030, Color(10, 20, 30, 255), DRAWMODE_ADDITIVE, 0xFF0A141E},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        const auto image = MakeImage(4, 3, c.mDest);
        image->FillRect(Rect(1, 1, 2, 1), c.mColor, c.mDrawMode);
        ExpectPicture(*image, FromMask({"....", ".XX.", "...."}, c.mDest, c.mExpected));
    }
}

TEST_F(FillTest, FillRectAndClearRectStayInsideTheImage)
{
    struct Case {
        Rect mRect;
        std::vector<std::string> mMask;
    };
    const Case cases[] = {
        {Rect(-2, -1, 4, 3), {"XX..", "XX..", "...."}},
        {Rect(2, 1, 5, 5), {"....", "..XX", "..XX"}},
        {Rect(-1, -1, 10, 10), {"XXXX", "XXXX", "XXXX"}},
        {Rect(3, -5, 1, 100), {"...X", "...X", "...X"}},
        {Rect(4, 0, 2, 2), {"....", "....", "...."}},
        {Rect(0, 3, 2, 2), {"....", "....", "...."}},
        {Rect(-3, 0, 3, 2), {"....", "....", "...."}},
        {Rect(1, 1, -1, 1), {"....", "....", "...."}},
        {Rect(INT_MAX - 1, 0, 100, 1), {"....", "....", "...."}},
        {Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), {"....", "....", "...."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "rect " << c.mRect.mX << ", " << c.mRect.mY << ", " << c.mRect.mWidth
                                        << ", " << c.mRect.mHeight);
        const auto filled = MakeImage(4, 3, 0xFF112233);
        filled->FillRect(c.mRect, Color(0x40, 0x50, 0x60, 255), DRAWMODE_NORMAL);
        ExpectPicture(*filled, FromMask(c.mMask, 0xFF112233, 0xFF405060));

        const auto blended = MakeImage(4, 3, 0xFFFFFFFF);
        blended->FillRect(c.mRect, Color(255, 0, 0, 128), DRAWMODE_NORMAL);
        ExpectPicture(*blended, FromMask(c.mMask, 0xFFFFFFFF, 0xFFFF7F7F));

        const auto cleared = MakeImage(4, 3, 0xFF112233);
        cleared->ClearRect(c.mRect);
        ExpectPicture(*cleared, FromMask(c.mMask, 0xFF112233, 0x00000000));
    }
}

TEST_F(FillTest, DrawRectOutlinesWidthPlusOneByHeightPlusOneBlendingEachPixelOnce)
{
    struct Case {
        Rect mRect;
        std::vector<std::string> mMask;
    };
    const Case cases[] = {
        {Rect(1, 1, 3, 2), {"......", ".XXXX.", ".X..X.", ".XXXX.", "......"}},
        {Rect(0, 0, 1, 1), {"XX....", "XX....", "......", "......", "......"}},
        {Rect(-1, -1, 3, 3), {"..X...", "..X...", "XXX...", "......", "......"}},
        {Rect(3, 2, 5, 5), {"......", "......", "...XXX", "...X..", "...X.."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "rect " << c.mRect.mX << ", " << c.mRect.mY << ", " << c.mRect.mWidth
                                        << ", " << c.mRect.mHeight);
        // Half-transparent red over white: a corner filled twice would come out redder.
        const auto image = MakeImage(6, 5, 0xFFFFFFFF);
        image->DrawRect(c.mRect, Color(255, 0, 0, 128), DRAWMODE_NORMAL);
        ExpectPicture(*image, FromMask(c.mMask, 0xFFFFFFFF, 0xFFFF7F7F));
    }
}

TEST_F(FillTest, FillScanLinesFillsEachSpanClippedToTheImage)
{
    Span spans[] = {{0, 1, 2}, {1, -2, 3}, {2, 3, 9}, {3, 0, 4}, {-1, 0, 4}};
    const auto image = MakeImage(5, 3, 0xFF000000);
    image->FillScanLines(spans, 5, Color(255, 255, 255, 255), DRAWMODE_NORMAL);
    ExpectPicture(*image, FromMask({".XX..", "X....", "...XX"}, 0xFF000000, 0xFFFFFFFF));
}

// The coverage map is 3 x 2 at (1, 1):
//   255   0 127
//    63 128   1
TEST_F(FillTest, FillScanLinesWithCoverageWeightsTheColourByTheMapAtTheOffset)
{
    const uint8_t coverage[] = {255, 0, 127, 63, 128, 1};
    struct Case {
        const char* mName;
        int mAlpha;
        int mDrawMode;
        std::vector<int> mAlphas;
    };
    // a = (colour alpha x (coverage + 1)) >> 8. (1, 2) has coverage 63 but no span covers it.
    const Case cases[] = {
        {"opaque colour", 255, DRAWMODE_NORMAL, {0, 0, 0, 0, 0, 0, 255, 0, 127, 0, 0, 0, 128, 1, 0}},
        {"half colour", 128, DRAWMODE_NORMAL, {0, 0, 0, 0, 0, 0, 128, 0, 64, 0, 0, 0, 64, 1, 0}},
        {"additive mode blends as normal", 255, DRAWMODE_ADDITIVE, {0, 0, 0, 0, 0, 0, 255, 0, 127, 0, 0, 0, 128, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        Span spans[] = {{1, 1, 3}, {2, 2, 2}};
        const auto image = MakeImage(5, 3, 0x00000000);
        image->FillScanLinesWithCoverage(spans, 2, Color(255, 255, 255, c.mAlpha), c.mDrawMode, coverage, 1, 1, 3, 2);
        ExpectPicture(*image, FromAlphas(c.mAlphas));
    }
}

TEST_F(FillTest, FillScanLinesWithCoverageSkipsPixelsOutsideTheImageOrTheMap)
{
    const uint8_t coverage[] = {255, 0, 127, 63, 128, 1};
    // Row 0 lies above the map, row 3 below it and row 4 below the image; the long span of
    // row 1 reaches past both sides of the map and of the image.
    Span spans[] = {{0, 0, 5}, {1, -1, 10}, {3, 1, 3}, {4, 1, 3}, {2, 3, 1}};
    const auto image = MakeImage(5, 4, 0x00000000);
    image->FillScanLinesWithCoverage(spans, 5, Color(255, 255, 255, 255), DRAWMODE_NORMAL, coverage, 1, 1, 3, 2);
    ExpectPicture(*image, FromAlphas({0, 0, 0, 0, 0, 0, 255, 0, 127, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0}));
}

TEST_F(FillTest, FillScanLinesWithCoverageBlendsOverAnOpaqueDestination)
{
    const uint8_t coverage[] = {63, 127};
    Span spans[] = {{0, 0, 2}};
    const auto image = MakeImage(3, 1, 0xFFFFFFFF);
    image->FillScanLinesWithCoverage(spans, 1, Color(0, 0, 0, 255), DRAWMODE_NORMAL, coverage, 0, 0, 2, 1);
    // a = 63 and 127 over opaque white: w = a, channels (255 x (256 - a)) >> 8.
    ExpectPicture(*image, {0xFFC0C0C0, 0xFF808080, 0xFFFFFFFF});
}

// Every operation marks the pixels changed exactly once, also when it draws nothing.
TEST_F(FillTest, EveryOperationCountsOneChangeOfTheBits)
{
    struct Case {
        const char* mName;
        std::function<void(MemoryImage&)> mDraw;
    };
    const Case cases[] = {
        {"FillRect alpha 0", [](MemoryImage& image) { image.FillRect(Rect(0, 0, 2, 2), Color(1, 2, 3, 0), 0); }},
        {"FillRect outside", [](MemoryImage& image) { image.FillRect(Rect(9, 9, 2, 2), Color::White, 0); }},
        {"ClearRect", [](MemoryImage& image) { image.ClearRect(Rect(0, 0, 1, 1)); }},
        {"scan lines with coverage, no spans",
         [](MemoryImage& image) {
             const uint8_t coverage[] = {255};
             image.FillScanLinesWithCoverage(nullptr, 0, Color::White, 0, coverage, 0, 0, 1, 1);
         }},
        {"horizontal line", [](MemoryImage& image) { image.DrawLine(0, 1, 2, 1, Color::White, 0); }},
        {"sloped line", [](MemoryImage& image) { image.DrawLine(0, 0, 2, 1, Color::White, 0); }},
        {"sloped line, unknown mode", [](MemoryImage& image) { image.DrawLine(0, 0, 2, 1, Color::White, 2); }},
        {"antialiased line, additive",
         [](MemoryImage& image) { image.DrawLineAA(0, 0, 2, 1, Color::White, DRAWMODE_ADDITIVE); }},
        {"vertical antialiased line", [](MemoryImage& image) { image.DrawLineAA(1, 0, 1, 2, Color::White, 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        const auto image = MakeImage(3, 3, 0xFF000000);
        const int before = image->mBitsChangedCount;
        c.mDraw(*image);
        EXPECT_EQ(image->mBitsChangedCount, before + 1);
    }
}

// An image that keeps its picture elsewhere, as a display image does.
class ExternalPixelsImage : public MemoryImage {
public:
    ExternalPixelsImage(const int width, const int height) : mPixels(static_cast<size_t>(width * height) + 1, 0)
    {
        mWidth = width;
        mHeight = height;
        mPixels.back() = Zest::kImageGuardWord;
    }

    uint32_t* GetBits() override { return mPixels.data(); }

    Pixels mPixels;
};

TEST_F(FillTest, DrawingReachesThePixelsThroughGetBits)
{
    ExternalPixelsImage image(3, 2);
    image.FillRect(Rect(0, 0, 1, 1), Color(1, 2, 3, 255), DRAWMODE_NORMAL);
    image.DrawLine(0, 1, 1, 0.5, Color(255, 255, 255, 255), DRAWMODE_NORMAL);
    image.DrawLineAA(1, 0, 2, 1, Color(255, 255, 255, 255), DRAWMODE_NORMAL);
    EXPECT_EQ(image.mBits, nullptr);
    EXPECT_EQ(image.mPixels[0], 0xFF010203u);
    EXPECT_EQ(image.mPixels[3], 0xFFFEFEFEu);
    EXPECT_EQ(image.mPixels[1], 0xFFFEFEFEu);
}

// ---------------------------------------------------------------------------------------
// Lines

TEST_F(LineTest, HorizontalAndVerticalLinesFillBothEndsInAnyMode)
{
    struct Case {
        const char* mName;
        double mX1, mY1, mX2, mY2;
        int mDrawMode;
        bool mAntialiased;
        std::vector<std::string> mMask;
    };
    const Case cases[] = {
        {"left to right", 1, 2, 4, 2, DRAWMODE_NORMAL, false, {".....", ".....", ".XXXX", "....."}},
        {"right to left", 4, 2, 1, 2, DRAWMODE_NORMAL, false, {".....", ".....", ".XXXX", "....."}},
        {"fractional ends truncate", 0.9, 1.7, 2.99, 1.7, DRAWMODE_NORMAL, false, {".....", "XXX..", ".....", "....."}},
        {"bottom to top", 3, 3, 3, 0, DRAWMODE_NORMAL, false, {"...X.", "...X.", "...X.", "...X."}},
        {"one pixel", 2, 1, 2, 1, DRAWMODE_NORMAL, false, {".....", "..X..", ".....", "....."}},
        {"additive drawn as normal", 0, 0, 2, 0, DRAWMODE_ADDITIVE, false, {"XXX..", ".....", ".....", "....."}},
        {"antialiased drawn solid", 4, 1, 4, 3, DRAWMODE_NORMAL, true, {".....", "....X", "....X", "....X"}},
        {"antialiased additive drawn solid", 0, 3, 1, 3, DRAWMODE_ADDITIVE, true, {".....", ".....", ".....", "XX..."}},
        {"clipped at both sides", -3, 1, 20, 1, DRAWMODE_NORMAL, false, {".....", "XXXXX", ".....", "....."}},
        {"clipped at top and bottom", 0, -5, 0, 9, DRAWMODE_NORMAL, false, {"X....", "X....", "X....", "X...."}},
        {"below the image", 0, 4, 4, 4, DRAWMODE_NORMAL, false, {".....", ".....", ".....", "....."}},
        {"right of the image", 5, 0, 5, 3, DRAWMODE_NORMAL, false, {".....", ".....", ".....", "....."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        const auto image = MakeImage(5, 4, 0xFF102030);
        if (c.mAntialiased)
            image->DrawLineAA(c.mX1, c.mY1, c.mX2, c.mY2, Color(200, 100, 50, 255), c.mDrawMode);
        else
            image->DrawLine(c.mX1, c.mY1, c.mX2, c.mY2, Color(200, 100, 50, 255), c.mDrawMode);
        ExpectPicture(*image, FromMask(c.mMask, 0xFF102030, 0xFFC86432));
    }
}

TEST_F(LineTest, SlopedLinesStepOnePixelAlongTheMajorAxis)
{
    struct Case {
        const char* mName;
        double mX1, mY1, mX2, mY2;
        std::vector<std::string> mMask;
    };
    const Case cases[] = {
        {"shallow", 0, 0, 4, 2, {"XX....", "..XX..", "....X.", "......", "......"}},
        {"shallow reversed", 4, 2, 0, 0, {"XX....", "..XX..", "....X.", "......", "......"}},
        {"steep", 1, 0, 2, 4, {".X....", ".X....", ".X....", "..X...", "..X..."}},
        {"diagonal up to the left", 4, 0, 0, 4, {"....X.", "...X..", "..X...", ".X....", "X....."}},
        {"fractional ends", 0.5, 0.5, 3.5, 2.5, {"X.....", ".XX...", "...X..", "......", "......"}},
        // The second row step would reach y = 2, past the far end's 1.6: the line stops there.
        {"minor step past the ends stops", 0, 0, 2, 1.6, {"X.....", ".X....", "......", "......", "......"}},
        // The walk counts from trunc(-0.5 + 1) = 0 while drawing from column 1, so it runs
        // one column past the far end's 3.5.
        {"start just left of the image", -0.5, 0, 3.5, 2, {"XX....", "..XX..", "....X.", "......", "......"}},
        {"partly left and above", -2, -1, 6, 3, {"XX....", "..XX..", "....XX", "......", "......"}},
        {"partly right and below", 3, 2, 9, 8, {"......", "......", "...X..", "....X.", ".....X"}},
        {"wholly right", 7, 0, 10, 2, {"......", "......", "......", "......", "......"}},
        {"wholly above", 0, -4, 5, -1, {"......", "......", "......", "......", "......"}},
        {"crossing a corner only outside", -3, 2, 1, -2, {"......", "......", "......", "......", "......"}},
        {"far outside", 1e9, 1e9, -1e9, 3e9, {"......", "......", "......", "......", "......"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        const auto image = MakeImage(6, 5, 0x00000000);
        image->DrawLine(c.mX1, c.mY1, c.mX2, c.mY2, Color(255, 255, 255, 255), DRAWMODE_NORMAL);
        ExpectPicture(*image, FromMask(c.mMask, 0x00000000, 0xFFFEFEFE));
    }
}

TEST_F(LineTest, SlopedLinePixelValuesInEachMode)
{
    struct Case {
        const char* mName;
        uint32_t mDest;
        Color mColor;
        int mDrawMode;
        uint32_t mExpected;
    };
    const Case cases[] = {
        {"opaque white scales to 254", 0x00000000, Color(255, 255, 255, 255), DRAWMODE_NORMAL, 0xFFFEFEFE},
        {"opaque colour over half pixel", 0x80204060, Color(200, 100, 50, 255), DRAWMODE_NORMAL, 0xFFC76432},
        // Colour premultiplied to (128, 51, 25) and scaled to (127, 51, 25); destination
        // weighted (256 - 128) to (96, 32, 48).
        {"half colour over half pixel", 0x80C04060, Color(255, 101, 50, 128), DRAWMODE_NORMAL, 0xFFDF5349},
        {"alpha 0 only makes the pixel opaque", 0x80204060, Color(200, 100, 50, 0), DRAWMODE_NORMAL, 0xFF204060},
        {"additive adds", 0x00102030, Color(10, 20, 30, 255), DRAWMODE_ADDITIVE, 0xFF1A344E},
        {"additive saturates", 0x80A00010, Color(200, 100, 50, 255), DRAWMODE_ADDITIVE, 0xFFFF6442},
        {"additive scales by alpha", 0x00000000, Color(200, 100, 50, 128), DRAWMODE_ADDITIVE, 0xFF643219},
        {"additive out-of-range colour saturates", 0x00FF0000, Color(900, -5, 300, 255), DRAWMODE_ADDITIVE,
         0xFFFF00FF},
        {"unknown mode draws nothing", 0x80204060, Color(200, 100, 50, 255), 2, 0x80204060},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        const auto image = MakeImage(3, 3, c.mDest);
        image->DrawLine(0, 0, 2, 2, c.mColor, c.mDrawMode);
        ExpectPicture(*image, FromMask({"X..", ".X.", "..X"}, c.mDest, c.mExpected));
    }
}

TEST_F(LineTest, AntialiasedLinesSplitCoverageBetweenTheLineAndItsNeighbour)
{
    struct Case {
        const char* mName;
        double mX1, mY1, mX2, mY2;
        int mAlpha;
        int mWidth;
        std::vector<int> mAlphas;
    };
    const Case cases[] = {
        // Step 16384: coverage 255, 191, 127, 63 on the line, 64, 128, 192 below, far end 63.
        {"shallow", 0, 0, 4, 1, 255, 6, {255, 191, 127, 63, 0, 0, 0, 64, 128, 192, 63, 0, 0, 0, 0, 0, 0, 0}},
        {"half colour", 0, 0, 4, 1, 127, 6, {127, 95, 63, 31, 0, 0, 0, 32, 64, 96, 31, 0, 0, 0, 0, 0, 0, 0}},
        // Ordered top to bottom and walked to the left: the neighbour is on the left.
        {"steep to the left", 2, 4, 3, 0, 255, 5,
         {0, 0, 0, 255, 0, 0, 0, 64, 191, 0, 0, 0, 128, 127, 0, 0, 0, 192, 63, 0, 0, 0, 63, 0, 0}},
        // Step 43691: the fraction passes 0xFFFF at x = 2 and the line moves down a row.
        {"fraction carries a row", 0, 0, 3, 2, 255, 4, {255, 85, 0, 0, 0, 170, 170, 0, 0, 0, 85, 170}},
        // Start fraction 0.5 x 0.5; at x = 3 the fraction reaches exactly 0x10000 and wraps to 0.
        {"fractional start", 0.5, 0.5, 4.5, 1.5, 255, 5, {191, 127, 63, 0, 0, 0, 128, 192, 255, 255, 0, 0, 0, 0, 0}},
        // Step 21845: three steps make exactly 0xFFFF, which does not yet move to the next
        // row (or column).
        {"fraction of 0xFFFF does not carry", 0, 0, 6, 1.999969482421875, 255, 7,
         {255, 170, 85, 0, 0, 0, 0, 0, 85, 170, 255, 170, 85, 85, 0, 0, 0, 0, 85, 170, 0}},
        {"steep fraction of 0xFFFF does not carry", 0, 0, 1.999969482421875, 6, 255, 3,
         {255, 0, 0, 170, 85, 0, 85, 170, 0, 0, 255, 0, 0, 170, 85, 0, 85, 170, 0, 85, 0}},
        // Both ends in row 0 with y falling: the negative step would push the coverage past
        // 255 on the line and below 0 under it.
        {"rising within one row", 0, 0.9, 4, 0.1, 255, 5, {255, 255, 255, 255, 255, 0, 0, 0, 0, 0}},
        {"neighbour row outside", 0, 0, 4, 1, 255, 6, {255, 191, 127, 63, 0, 0}},
        {"starting left of the image", -2, 0, 2, 1, 255, 4, {127, 63, 0, 0, 128, 192, 63, 0}},
        {"ending right of the image", 0, 0, 4, 1, 255, 3, {255, 191, 127, 0, 64, 128}},
        {"wholly below", 0, 3, 4, 4, 255, 3, {0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        const int height = static_cast<int>(c.mAlphas.size()) / c.mWidth;
        const auto image = MakeImage(c.mWidth, height, 0x00000000);
        image->DrawLineAA(c.mX1, c.mY1, c.mX2, c.mY2, Color(255, 255, 255, c.mAlpha), DRAWMODE_NORMAL);
        ExpectPicture(*image, FromAlphas(c.mAlphas));
    }
}

TEST_F(LineTest, AntialiasedLineBlendsOverAnOpaqueDestination)
{
    const auto image = MakeImage(5, 2, 0xFFFFFFFF);
    image->DrawLineAA(0, 0, 4, 1, Color(0, 0, 0, 255), DRAWMODE_NORMAL);
    // Black over white with weight a: each channel (255 x (256 - a)) >> 8.
    ExpectPicture(*image, {0xFF000000, 0xFF404040, 0xFF808080, 0xFFC0C0C0, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFBFBFBF,
                           0xFF7F7F7F, 0xFF3F3F3F, 0xFFC0C0C0});
}

TEST_F(LineTest, AntialiasedLineOutsideNormalModeLeavesThePixels)
{
    const auto image = MakeImage(5, 2, 0x80204060);
    image->DrawLineAA(0, 0, 4, 1, Color(255, 255, 255, 255), DRAWMODE_ADDITIVE);
    ExpectPicture(*image, Pixels(10, 0x80204060));
}

} // namespace
