#include "framework/directx/DDImage.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Geometry.h"
#include "tests/framework/directx/DisplayFixture.h"
#include "tests/framework/directx/SurfaceCanvas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace {

using Tests::DesktopFormat;
using Tests::kBackground444;
using Tests::kBackground555;
using Tests::kBackground565;
using Tests::kBackground888;
using Tests::kFormat444;
using Tests::kFormat555;
using Tests::kFormat565;
using Tests::kFormat888;
using Tests::PixelChanges;
using Zest::Color;
using Zest::DDImage;
using Zest::Rect;

class DDImageFillTest : public Tests::SurfaceCanvasTest {};

using FillRoutine = void (DDImage::*)(const Rect&, const Color&);
using LineRoutine = void (DDImage::*)(double, double, double, double, const Color&);

TEST_F(DDImageFillTest, FillsChangeExactlyTheRectangle)
{
    // An 8 x 4 canvas; the edge rectangle ends on the last column and the last row.
    const Rect inner(1, 1, 3, 2);
    const Rect edge(5, 2, 3, 2);
    const struct {
        const char* name;
        DesktopFormat format;
        uint32_t background;
        FillRoutine fill;
        Rect rect;
        Color color;
        uint32_t expected;
    } cases[] = {
        // Opaque 32-bit: each component c becomes c - 1 (0 stays 0).
        {"888 white", kFormat888, kBackground888, &DDImage::NormalFillRect, edge, Color(255, 255, 255), 0x00FEFEFE},
        {"888 colour", kFormat888, kBackground888, &DDImage::NormalFillRect, inner, Color(0x12, 0x34, 0x56),
         0x00113355},
        // Opaque 16-bit: (c + 1) scaled to the field, so 255 fills it.
        {"565 white", kFormat565, kBackground565, &DDImage::NormalFillRect, edge, Color(255, 255, 255), 0xFFFF},
        {"565 colour", kFormat565, kBackground565, &DDImage::NormalFillRect, inner, Color(0x12, 0x34, 0x56),
         0x11AA},
        // Blue 255 at alpha 128 over black: (((255 x 128 + 128) >> 8) + 1) x 31 >> 8 = 15.
        {"565 half blue over black", kFormat565, 0x0000, &DDImage::NormalFillRect, edge, Color(0, 0, 255, 128),
         0x000F},
        {"565 blend", kFormat565, 0xFFFF, &DDImage::NormalFillRect, inner, Color(200, 100, 50, 200), 0xCC2A},
        {"555 blend", kFormat555, kBackground555, &DDImage::NormalFillRect, edge, Color(200, 100, 50, 128), 0x51CB},
        {"888 blend", kFormat888, kBackground888, &DDImage::NormalFillRect, edge, Color(250, 250, 250, 200),
         0x00DFD8D1},
        {"565 additive white saturates", kFormat565, kBackground565, &DDImage::AdditiveFillRect, edge,
         Color(255, 255, 255), 0xFFFF},
        // Nothing to add; the top byte is cleared all the same.
        {"888 additive alpha 0", kFormat888, kBackground888, &DDImage::AdditiveFillRect, inner,
         Color(255, 255, 255, 0), 0x00806040},
        // k = trunc(c x a / 255) cut to the field: red 50 >> 3, green 100 >> 2, blue 25 >> 3.
        {"565 additive", kFormat565, kBackground565, &DDImage::AdditiveFillRect, edge, Color(100, 200, 50, 128),
         0xB733},
        {"555 additive", kFormat555, kBackground555, &DDImage::AdditiveFillRect, inner, Color(100, 200, 50, 128),
         0x5B93},
        {"888 additive", kFormat888, kBackground888, &DDImage::AdditiveFillRect, edge, Color(100, 200, 50, 128),
         0x00B2C459},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InitDisplay(c.format);
        DDImage& canvas = MakeCanvas(8, 4, c.background);
        (canvas.*c.fill)(c.rect, c.color);
        EXPECT_EQ(Changes(), Filled(c.rect.mX, c.rect.mY, c.rect.mWidth, c.rect.mHeight, c.expected));
    }
}

TEST_F(DDImageFillTest, RectangleReachingPastTheSurfaceIsCut)
{
    InitDisplay(kFormat565);
    DDImage& canvas = MakeCanvas(8, 4, kBackground565);
    canvas.NormalFillRect(Rect(6, 3, 5, 4), Color(255, 255, 255));
    canvas.AdditiveFillRect(Rect(-2, -1, 3, 2), Color(255, 255, 255));
    PixelChanges expected = Filled(6, 3, 2, 1, 0xFFFF);
    expected[{0, 0}] = 0xFFFF;
    EXPECT_EQ(Changes(), expected);
}

TEST_F(DDImageFillTest, PlainLinesStepByTheMidpointRule)
{
    const struct {
        const char* name;
        double x1, y1, x2, y2;
        std::vector<std::pair<int, int>> pixels;
    } cases[] = {
        {"x-major down", 0, 0, 5, 2, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}},
        {"x-major given backwards", 5, 2, 0, 0, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}},
        {"x-major up", 2, 7, 9, 3, {{2, 7}, {3, 6}, {4, 6}, {5, 5}, {6, 5}, {7, 4}, {8, 4}, {9, 3}}},
        {"y-major", 1, 0, 3, 6, {{1, 0}, {1, 1}, {2, 2}, {2, 3}, {2, 4}, {3, 5}, {3, 6}}},
        // Ends on the last column and the last row of the 10 x 8 canvas.
        {"y-major to the corner", 3, 0, 9, 7, {{3, 0}, {4, 1}, {5, 2}, {6, 3}, {6, 4}, {7, 5}, {8, 6}, {9, 7}}},
        {"y-major from the corner", 9, 7, 3, 0, {{3, 0}, {4, 1}, {5, 2}, {6, 3}, {6, 4}, {7, 5}, {8, 6}, {9, 7}}},
        // Fractional end points: the start pixel is the truncated start.
        {"fractional", 0.5, 0.25, 6.75, 3.5, {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 3}, {6, 3}}},
    };
    InitDisplay(kFormat888);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DDImage& canvas = MakeCanvas(10, 8, kBackground888);
        canvas.NormalDrawLine(c.x1, c.y1, c.x2, c.y2, Color(255, 255, 255));
        PixelChanges expected;
        for (const auto& pixel : c.pixels)
            expected[pixel] = 0x00FEFEFE;
        EXPECT_EQ(Changes(), expected);
    }
}

TEST_F(DDImageFillTest, PlainLinePixelsFollowTheirOwnRounding)
{
    // The line from (1, 1) to (4, 2) covers (1, 1), (2, 1), (3, 2) and (4, 2). The blends
    // are chosen where the line's rounding differs from the fill's in every channel.
    const struct {
        const char* name;
        DesktopFormat format;
        uint32_t background;
        LineRoutine line;
        Color color;
        uint32_t expected;
    } cases[] = {
        // Each field ((c x M + M / 2) >> 8) & M: 30, 62, 30.
        {"565 white", kFormat565, kBackground565, &DDImage::NormalDrawLine, Color(255, 255, 255), 0xF7DE},
        {"888 white", kFormat888, kBackground888, &DDImage::NormalDrawLine, Color(255, 255, 255), 0x00FEFEFE},
        {"565 blend", kFormat565, 0xFFFF, &DDImage::NormalDrawLine, Color(200, 100, 50, 200), 0xC40A},
        {"888 blend", kFormat888, kBackground888, &DDImage::NormalDrawLine, Color(250, 250, 250, 200), 0x00DED7D0},
        {"565 additive", kFormat565, kBackground565, &DDImage::AdditiveDrawLine, Color(100, 200, 50, 128), 0xB733},
        {"888 additive", kFormat888, kBackground888, &DDImage::AdditiveDrawLine, Color(100, 200, 50, 128),
         0x00B2C459},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InitDisplay(c.format);
        DDImage& canvas = MakeCanvas(6, 4, c.background);
        (canvas.*c.line)(1.0, 1.0, 4.0, 2.0, c.color);
        EXPECT_EQ(Changes(), (PixelChanges{{{1, 1}, c.expected}, {{2, 1}, c.expected}, {{3, 2}, c.expected},
                                           {{4, 2}, c.expected}}));
    }
}

TEST_F(DDImageFillTest, LockDisabledStopsFillsAndPlainLinesButNotTheAntialiasedLine)
{
    InitDisplay(kFormat565);
    DDImage& canvas = MakeCanvas(6, 4, kBackground565);
    canvas.mLockDisabled = true;
    const Color white(255, 255, 255);
    canvas.NormalFillRect(Rect(0, 0, 6, 4), white);
    canvas.AdditiveFillRect(Rect(0, 0, 6, 4), white);
    canvas.NormalDrawLine(0, 0, 5, 3, white);
    canvas.AdditiveDrawLine(0, 0, 5, 3, white);
    EXPECT_EQ(Changes(), PixelChanges{});

    canvas.NormalDrawLineAA(0, 3, 5, 3, white);
    EXPECT_EQ(Changes(), Filled(0, 3, 6, 1, 0xEF9D));
}

TEST_F(DDImageFillTest, AdditiveAntialiasedLineDrawsNothing)
{
    InitDisplay(kFormat888);
    DDImage& canvas = MakeCanvas(6, 4, kBackground888);
    canvas.AdditiveDrawLineAA(0, 0, 5, 3, Color(255, 255, 255));
    EXPECT_EQ(Changes(), PixelChanges{});
}

TEST_F(DDImageFillTest, AntialiasedLinesBlendEachStepWithItsCompanion)
{
    const struct {
        const char* name;
        DesktopFormat format;
        uint32_t background;
        double x1, y1, x2, y2;
        Color color;
        PixelChanges expected;
    } cases[] = {
        // Gradient 65536: full weight on the diagonal, weight 0 below it, which still
        // clears the top byte of a 32-bit pixel.
        {"888 diagonal", kFormat888, kBackground888, 0, 0, 4, 4, Color(255, 255, 255),
         {{{0, 0}, 0xFDFDFD}, {{1, 1}, 0xFDFDFD}, {{1, 2}, 0x806040}, {{2, 2}, 0xFDFDFD}, {{2, 3}, 0x806040},
          {{3, 3}, 0xFDFDFD}, {{3, 4}, 0x806040}, {{4, 4}, 0xFDFDFD}}},
        {"565 diagonal", kFormat565, kBackground565, 0, 0, 4, 4, Color(255, 255, 255),
         {{{0, 0}, 0xEF9D}, {{1, 1}, 0xEF9D}, {{2, 2}, 0xEF9D}, {{3, 3}, 0xEF9D}, {{4, 4}, 0xEF9D}}},
        {"565 diagonal given bottom first", kFormat565, kBackground565, 4, 4, 0, 0, Color(255, 255, 255),
         {{{0, 0}, 0xEF9D}, {{1, 1}, 0xEF9D}, {{2, 2}, 0xEF9D}, {{3, 3}, 0xEF9D}, {{4, 4}, 0xEF9D}}},
        // Half steps: weights 63 and 64 out of 256 for a colour of alpha 128.
        {"888 x-major", kFormat888, kBackground888, 0, 0, 4, 2, Color(40, 200, 120, 128),
         {{{0, 0}, 0x53935B}, {{1, 0}, 0x6A794D}, {{1, 1}, 0x69794D}, {{2, 1}, 0x53935B}, {{2, 2}, 0x806040},
          {{3, 1}, 0x6A794D}, {{3, 2}, 0x69794D}, {{4, 2}, 0x6A794D}}},
        {"565 x-major", kFormat565, kBackground565, 0, 0, 4, 2, Color(40, 200, 120, 128),
         {{{0, 0}, 0x550F}, {{1, 0}, 0x644F}, {{1, 1}, 0x6C8F}, {{2, 1}, 0x550F}, {{3, 1}, 0x644F},
          {{3, 2}, 0x6C8F}, {{4, 2}, 0x644F}}},
        {"555 x-major", kFormat555, kBackground555, 0, 0, 4, 2, Color(40, 200, 120, 128),
         {{{0, 0}, 0x2A8F}, {{1, 0}, 0x322F}, {{1, 1}, 0x364F}, {{2, 1}, 0x2A8F}, {{3, 1}, 0x322F},
          {{3, 2}, 0x364F}, {{4, 2}, 0x322F}}},
        {"444 x-major, channel by channel", kFormat444, kBackground444, 0, 0, 4, 2, Color(40, 200, 120, 128),
         {{{0, 0}, 0x597}, {{1, 0}, 0x687}, {{1, 1}, 0x687}, {{2, 1}, 0x597}, {{3, 1}, 0x687}, {{3, 2}, 0x687},
          {{4, 2}, 0x687}}},
        // Column step -1: each companion lies one column further left.
        {"565 y-major leftwards", kFormat565, kBackground565, 3, 0, 0, 4, Color(40, 200, 120, 128),
         {{{0, 3}, 0x744F}, {{0, 4}, 0x5CCF}, {{1, 2}, 0x6C8F}, {{1, 3}, 0x5CCF}, {{2, 1}, 0x5CCF},
          {{2, 2}, 0x644F}, {{3, 0}, 0x550F}, {{3, 1}, 0x740F}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InitDisplay(c.format);
        DDImage& canvas = MakeCanvas(5, 5, c.background);
        canvas.NormalDrawLineAA(c.x1, c.y1, c.x2, c.y2, c.color);
        EXPECT_EQ(Changes(), c.expected);
    }
}

TEST_F(DDImageFillTest, AntialiasedLineNeverDrawsOutsideTheImage)
{
    const struct {
        const char* name;
        int width;
        int height;
        double x1, y1, x2, y2;
        PixelChanges expected;
    } cases[] = {
        // On the last row an x-major line has no room for companions.
        {"last row", 5, 5, 0, 4, 4, 4, Filled(0, 4, 5, 1, 0xEF9D)},
        // The accumulator starts at 0.81 and carries the line onto the last column after one
        // step; the companions one column further would lie in the row padding.
        {"companions past the last column", 2, 6, 0.9, 0.9, 1.9, 5.0,
         {{{0, 0}, 0x94B2}, {{1, 1}, 0xE77C}, {{1, 2}, 0xC678}, {{1, 3}, 0xAD95}, {{1, 4}, 0x8C91},
          {{1, 5}, 0x8C91}}},
        // The whole end points share a column but the fractional ones lean left: the
        // accumulator stays put instead of stepping a column to the right at every row.
        {"negative fractional slope", 3, 6, 1.9, 0.0, 1.1, 5.0, Filled(1, 0, 1, 6, 0xEF9D)},
    };
    InitDisplay(kFormat565);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DDImage& canvas = MakeCanvas(c.width, c.height, kBackground565);
        canvas.NormalDrawLineAA(c.x1, c.y1, c.x2, c.y2, Color(255, 255, 255));
        EXPECT_EQ(Changes(), c.expected);
    }
}

TEST_F(DDImageFillTest, LinesWithAnEndOutsideTheSurfaceDrawNothing)
{
    InitDisplay(kFormat888);
    DDImage& canvas = MakeCanvas(6, 4, kBackground888);
    const Color white(255, 255, 255);
    canvas.NormalDrawLine(0, 0, 6, 3, white);
    canvas.AdditiveDrawLine(-1, 0, 5, 3, white);
    canvas.NormalDrawLineAA(0, 0, 5, 4, white);
    EXPECT_EQ(Changes(), PixelChanges{});
}

TEST_F(DDImageFillTest, CoverageSpansBlendInsideTheSurfaceAndTheCoverageMap)
{
    // The map covers columns 1 to 4 of rows 1 and 2. Spans reaching past it, or past the
    // surface, are cut; rows outside it are left alone. Blend amount ((coverage + 1) x 200)
    // >> 8: 200 for 255, 100 for 127, 24 for 30, 8 for 10, 0 for 0.
    const uint8_t coverage[] = {255, 127, 0, 64, 10, 20, 30, 255};
    std::vector<Zest::Span> spans = {{1, 1, 3}, {2, 3, 9}, {3, 0, 6}, {2, 0, 2}, {0, 0, 6}};
    const struct {
        const char* name;
        DesktopFormat format;
        uint32_t background;
        PixelChanges expected;
    } cases[] = {
        // Coverage 0 still rewrites the pixel, clearing its top byte.
        {"888", kFormat888, kBackground888,
         {{{1, 1}, 0x3AB06A}, {{2, 1}, 0x5D8855}, {{3, 1}, 0x806040}, {{1, 2}, 0x7D6341}, {{3, 2}, 0x776945},
          {{4, 2}, 0x3AB06A}}},
        {"565", kFormat565, kBackground565,
         {{{1, 1}, 0x35AE}, {{2, 1}, 0x5CCF}, {{1, 2}, 0x7C0F}, {{3, 2}, 0x742F}, {{4, 2}, 0x35AE}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InitDisplay(c.format);
        DDImage& canvas = MakeCanvas(6, 4, c.background);
        // The coverage fill ignores the lock switch and the draw mode.
        canvas.mLockDisabled = true;
        canvas.SurfaceFillScanLinesWithCoverage(spans.data(), static_cast<int>(spans.size()),
                                                Color(40, 200, 120, 200), Zest::DRAWMODE_ADDITIVE, coverage, 1, 1,
                                                4, 2);
        EXPECT_EQ(Changes(), c.expected);
    }
}

} // namespace
