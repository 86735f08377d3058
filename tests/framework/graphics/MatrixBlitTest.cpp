// Matrix blits and textured triangles of a MemoryImage. Pixel centres lie on whole
// coordinates, so an identity matrix placed at the centre of a plain blit's rectangle must
// draw exactly what the plain blit draws; most checks lean on that and compare whole
// pictures, so that a stray pixel shows up, and every draw checks the guard word.

#include "framework/graphics/Matrix3.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/TriangleRasterizer.h"
#include "tests/framework/graphics/FakeApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <limits>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

using Zest::Color;
using Zest::DRAWMODE_ADDITIVE;
using Zest::DRAWMODE_NORMAL;
using Zest::Matrix3;
using Zest::MemoryImage;
using Zest::Rect;
using Zest::TriVertex;

using Pixels = std::vector<uint32_t>;
using PixelAt = std::function<uint32_t(int x, int y)>;
using Triangle = std::array<TriVertex, 3>;

// Pixels set with their transparency flags analysed, as loaded pictures have them.
std::unique_ptr<MemoryImage> MakeImage(const int width, const int height, const PixelAt& pixelAt)
{
    Pixels pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixels.push_back(pixelAt(x, y));
    }
    auto image = std::make_unique<MemoryImage>();
    image->SetBits(pixels.data(), width, height, true);
    return image;
}

Pixels PixelsOf(MemoryImage& image)
{
    const uint32_t* bits = image.GetBits();
    return Pixels(bits, bits + static_cast<size_t>(image.mWidth) * static_cast<size_t>(image.mHeight));
}

void ExpectGuardIntact(MemoryImage& image)
{
    EXPECT_EQ(image.GetBits()[static_cast<size_t>(image.mWidth) * static_cast<size_t>(image.mHeight)],
              Zest::kImageGuardWord);
}

// Compares two pictures pixel by pixel, naming the first few that differ.
void ExpectSamePixels(const Pixels& actual, const Pixels& expected, const int width)
{
    ASSERT_EQ(actual.size(), expected.size());
    int reported = 0;
    for (size_t i = 0; i < actual.size() && reported < 8; ++i) {
        if (actual[i] != expected[i]) {
            ADD_FAILURE() << "pixel (" << i % width << ", " << i / width << "): " << std::hex << actual[i]
                          << " instead of " << expected[i];
            ++reported;
        }
    }
}

uint32_t Opaque(const int red, const int green, const int blue)
{
    return 0xFF000000u | (static_cast<uint32_t>(red & 0xFF) << 16) | (static_cast<uint32_t>(green & 0xFF) << 8) |
           static_cast<uint32_t>(blue & 0xFF);
}

uint32_t WithAlpha(const uint32_t color, const int alpha)
{
    return (color & 0x00FFFFFFu) | (static_cast<uint32_t>(alpha) << 24);
}

void BltTriangles(MemoryImage& dest, Zest::Image* texture, const std::vector<Triangle>& triangles, const Rect& clip,
                  const Color& color, const int drawMode = DRAWMODE_NORMAL, const float tx = 0.0f,
                  const float ty = 0.0f, const bool linear = false)
{
    const auto list = std::make_unique<TriVertex[][3]>(triangles.size());
    for (size_t i = 0; i < triangles.size(); ++i)
        std::copy(triangles[i].begin(), triangles[i].end(), list[i]);
    dest.BltTrianglesTex(texture, list.get(), static_cast<int>(triangles.size()), clip, color, drawMode, tx, ty,
                         linear);
}

// The rectangle (left, top)-(right, bottom) as two triangles sharing its diagonal, with
// texture coordinates across the whole texture and one vertex colour.
std::vector<Triangle> Quad(const float left, const float top, const float right, const float bottom,
                           const uint32_t color)
{
    const TriVertex topLeft{left, top, 0.0f, 0.0f, color};
    const TriVertex topRight{right, top, 1.0f, 0.0f, color};
    const TriVertex bottomLeft{left, bottom, 0.0f, 1.0f, color};
    const TriVertex bottomRight{right, bottom, 1.0f, 1.0f, color};
    return {{topLeft, topRight, bottomLeft}, {topRight, bottomRight, bottomLeft}};
}

class MatrixBlitTest : public Tests::DrawingTest {};
class TriangleTest : public Tests::DrawingTest {};

TEST_F(MatrixBlitTest, IdentityAtTheRectangleCentreDrawsWhatBltDraws)
{
    // Texels of every alpha class, and a source rectangle whose neighbours differ, so that a
    // bilinear sample leaking outside the rectangle shows.
    const PixelAt translucentTexel = [](const int x, const int y) {
        const int alphas[] = {255, 128, 0, 200, 64, 255, 31};
        return WithAlpha(Opaque(40 * x + 7, 50 * y + 3, x * y * 23), alphas[(x + 2 * y) % 7]);
    };
    const PixelAt opaqueTexel = [&](const int x, const int y) { return translucentTexel(x, y) | 0xFF000000u; };
    const PixelAt opaqueBackground = [](const int x, const int y) { return Opaque(x * 20, y * 25, 90); };
    const PixelAt translucentBackground = [](const int x, const int y) {
        return WithAlpha(Opaque(x * 20, y * 25, 90), (x * 37 + y * 71) % 256);
    };
    const Rect srcRect(1, 1, 4, 3);
    const int x = 3;
    const int y = 4;

    struct Source {
        const char* mName;
        const PixelAt* mPixel;
    };
    const Source sources[] = {{"opaque source", &opaqueTexel}, {"translucent source", &translucentTexel}};
    const Source backgrounds[] = {{"opaque destination", &opaqueBackground},
                                  {"translucent destination", &translucentBackground}};
    const Color colors[] = {Color::White, Color(128, 128, 128, 200), Color(255, 128, 64, 160)};
    for (const Source& source : sources) {
        for (const Source& background : backgrounds) {
            for (const Color& color : colors) {
                for (const int drawMode : {DRAWMODE_NORMAL, DRAWMODE_ADDITIVE}) {
                    for (const bool linear : {false, true}) {
                        SCOPED_TRACE(std::string(source.mName) + ", " + background.mName + ", colour " +
                                     std::to_string(color.ToInt()) + (drawMode == DRAWMODE_ADDITIVE ? ", additive" : "") +
                                     (linear ? ", bilinear" : ", nearest"));
                        auto src = MakeImage(6, 5, *source.mPixel);
                        auto expected = MakeImage(12, 10, *background.mPixel);
                        auto actual = MakeImage(12, 10, *background.mPixel);
                        expected->Blt(src.get(), x, y, srcRect, color, drawMode);
                        const int changesBefore = actual->mBitsChangedCount;
                        actual->BltMatrix(src.get(), x + srcRect.mWidth / 2.0f, y + srcRect.mHeight / 2.0f, Matrix3(),
                                          Rect(0, 0, 12, 10), color, drawMode, srcRect, linear);
                        ExpectSamePixels(PixelsOf(*actual), PixelsOf(*expected), 12);
                        EXPECT_EQ(actual->mBitsChangedCount, changesBefore + 1);
                        ExpectGuardIntact(*actual);
                    }
                }
            }
        }
    }
}

TEST_F(MatrixBlitTest, TurnsMoveEachTexelToItsRotatedPixelAsTheRotatedBlitDoes)
{
    // A 4 x 2 picture turned about its centre, which lands on the pixel corner (10, 10).
    const PixelAt texel = [](const int x, const int y) { return Opaque(60 * x + 10, 100 * y + 20, 7); };
    const uint32_t background = Opaque(1, 2, 3);
    struct Case {
        const char* mName;
        float mAngle;
        // The destination pixel of texel (i, j).
        std::function<std::pair<int, int>(int i, int j)> mTarget;
    };
    const float pi = std::numbers::pi_v<float>;
    const Case cases[] = {
        {"quarter turn counter-clockwise: top edge to the left", pi / 2,
         [](const int i, const int j) { return std::pair(9 + j, 11 - i); }},
        {"quarter turn clockwise: top edge to the right", -pi / 2,
         [](const int i, const int j) { return std::pair(10 - j, 8 + i); }},
        {"half turn", pi, [](const int i, const int j) { return std::pair(11 - i, 10 - j); }},
    };
    for (const Case& test : cases) {
        for (const bool linear : {false, true}) {
            SCOPED_TRACE(std::string(test.mName) + (linear ? ", bilinear" : ", nearest"));
            auto src = MakeImage(4, 2, texel);
            auto dest = MakeImage(20, 20, [&](int, int) { return background; });
            Matrix3 matrix;
            matrix.RotateRad(test.mAngle);
            dest->BltMatrix(src.get(), 10.0f, 10.0f, matrix, Rect(0, 0, 20, 20), Color::White, DRAWMODE_NORMAL,
                            Rect(0, 0, 4, 2), linear);

            Pixels expected(400, background);
            for (int i = 0; i < 4; ++i) {
                for (int j = 0; j < 2; ++j) {
                    const auto [px, py] = test.mTarget(i, j);
                    expected[py * 20 + px] = texel(i, j);
                }
            }
            ExpectSamePixels(PixelsOf(*dest), expected, 20);
            ExpectGuardIntact(*dest);

            // The rotated blit turns the picture about the same centre onto the same pixels.
            auto rotated = MakeImage(20, 20, [&](int, int) { return background; });
            rotated->BltRotated(src.get(), 8.0f, 9.0f, Rect(0, 0, 4, 2), Rect(0, 0, 20, 20), Color::White,
                                DRAWMODE_NORMAL, test.mAngle, 2.0f, 1.0f);
            ExpectSamePixels(PixelsOf(*dest), PixelsOf(*rotated), 20);
        }
    }
}

TEST_F(MatrixBlitTest, BilinearSamplingMixesNeighbouringTexelsByDistance)
{
    // Two texels stretched to four pixels: the pixel centres fall a quarter and three
    // quarters of the way between the texel centres, and the outer ones past them.
    const uint32_t background = Opaque(9, 9, 9);
    struct Case {
        const char* mName;
        bool mHorizontal;
        bool mLinear;
        std::vector<uint32_t> mExpected;
    };
    const Case cases[] = {
        {"horizontal bilinear", true, true, {0xFF000000, 0xFF404040, 0xFFBFBFBF, 0xFFFFFFFF}},
        {"vertical bilinear", false, true, {0xFF000000, 0xFF404040, 0xFFBFBFBF, 0xFFFFFFFF}},
        {"horizontal nearest", true, false, {0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.mName);
        const int width = test.mHorizontal ? 2 : 1;
        const int height = test.mHorizontal ? 1 : 2;
        auto src = MakeImage(width, height, [](const int x, const int y) { return x + y == 0 ? 0xFF000000 : 0xFFFFFFFF; });
        auto dest = MakeImage(8, 8, [&](int, int) { return background; });
        Matrix3 matrix;
        matrix.Scale(test.mHorizontal ? 2.0f : 1.0f, test.mHorizontal ? 1.0f : 2.0f);
        // The stretched picture covers columns 2..5 of row 1, or rows 2..5 of column 1.
        const float x = test.mHorizontal ? 4.0f : 1.5f;
        const float y = test.mHorizontal ? 1.5f : 4.0f;
        dest->BltMatrix(src.get(), x, y, matrix, Rect(0, 0, 8, 8), Color::White, DRAWMODE_NORMAL,
                        Rect(0, 0, width, height), test.mLinear);

        Pixels expected(64, background);
        for (int k = 0; k < 4; ++k)
            expected[test.mHorizontal ? 8 + 2 + k : (2 + k) * 8 + 1] = test.mExpected[k];
        ExpectSamePixels(PixelsOf(*dest), expected, 8);
        ExpectGuardIntact(*dest);
    }
}

TEST_F(MatrixBlitTest, BilinearSamplingTakesNoColourFromTransparentTexels)
{
    // Opaque red next to transparent green: the mix fades the red out without turning it.
    auto src = MakeImage(2, 1, [](const int x, int) { return x == 0 ? 0xFFFF0000u : 0x0000FF00u; });
    auto dest = MakeImage(8, 3, [](int, int) { return 0xFF000000u; });
    Matrix3 matrix;
    matrix.Scale(2.0f, 1.0f);
    dest->BltMatrix(src.get(), 4.0f, 1.5f, matrix, Rect(0, 0, 8, 3), Color::White, DRAWMODE_NORMAL, Rect(0, 0, 2, 1),
                    true);

    const Pixels pixels = PixelsOf(*dest);
    const auto red = [&](const int x) { return (pixels[8 + x] >> 16) & 0xFF; };
    for (const uint32_t pixel : pixels)
        EXPECT_EQ(pixel & 0x0000FF00u, 0u) << std::hex << pixel;
    EXPECT_EQ(red(2), 255u);
    EXPECT_LT(red(3), 255u);
    EXPECT_LT(red(4), red(3));
    EXPECT_GT(red(4), 0u);
    EXPECT_EQ(red(5), 0u);
    ExpectGuardIntact(*dest);
}

TEST_F(MatrixBlitTest, DrawsEveryPixelOfTheClipAndNothingOutsideIt)
{
    // One texel blown up and tilted to cover the whole picture and far beyond it.
    const uint32_t drawn = Opaque(32, 192, 64);
    const uint32_t background = Opaque(5, 5, 5);
    struct Case {
        const char* mName;
        Rect mClip;
    };
    const Case cases[] = {
        {"inside the picture", Rect(3, 4, 7, 5)},
        {"the whole picture", Rect(0, 0, 16, 12)},
        {"beyond every side of the picture", Rect(-5, -5, 30, 30)},
        {"over the bottom-right corner", Rect(10, 8, 20, 20)},
        {"one pixel", Rect(15, 11, 1, 1)},
        {"empty", Rect(5, 5, 0, 3)},
        {"off the picture", Rect(16, 0, 4, 12)},
    };
    for (const Case& test : cases) {
        for (const bool linear : {false, true}) {
            SCOPED_TRACE(std::string(test.mName) + (linear ? ", bilinear" : ", nearest"));
            auto src = MakeImage(1, 1, [&](int, int) { return drawn; });
            auto dest = MakeImage(16, 12, [&](int, int) { return background; });
            Matrix3 matrix;
            matrix.Scale(40.0f, 40.0f);
            matrix.RotateRad(0.3f);
            dest->BltMatrix(src.get(), 8.0f, 6.0f, matrix, test.mClip, Color::White, DRAWMODE_NORMAL, Rect(0, 0, 1, 1),
                            linear);

            const Rect inside = test.mClip.Intersection(Rect(0, 0, 16, 12));
            Pixels expected;
            for (int y = 0; y < 12; ++y) {
                for (int x = 0; x < 16; ++x) {
                    const bool inClip = x >= inside.mX && x < inside.mX + inside.mWidth && y >= inside.mY &&
                                        y < inside.mY + inside.mHeight;
                    expected.push_back(inClip ? drawn : background);
                }
            }
            ExpectSamePixels(PixelsOf(*dest), expected, 16);
            ExpectGuardIntact(*dest);
        }
    }
}

TEST_F(MatrixBlitTest, SourceRectangleDrawsLikeAPictureCroppedToIt)
{
    // Turned and enlarged, so that samples fall between texels along the rectangle's edges:
    // they must take nothing from the texels around it.
    const PixelAt texel = [](const int x, const int y) { return Opaque(40 * x + 5, 50 * y + 5, (x * y * 37) % 256); };
    const PixelAt background = [](const int x, const int y) { return Opaque(x * 12, 200, y * 12); };
    for (const bool linear : {false, true}) {
        SCOPED_TRACE(linear ? "bilinear" : "nearest");
        auto whole = MakeImage(6, 5, texel);
        auto cropped = MakeImage(4, 3, [&](const int x, const int y) { return texel(x + 1, y + 1); });
        auto expected = MakeImage(16, 16, background);
        auto actual = MakeImage(16, 16, background);
        Matrix3 matrix;
        matrix.Scale(2.5f, 2.5f);
        matrix.RotateRad(0.4f);
        expected->BltMatrix(cropped.get(), 8.0f, 8.0f, matrix, Rect(0, 0, 16, 16), Color::White, DRAWMODE_NORMAL,
                            Rect(0, 0, 4, 3), linear);
        actual->BltMatrix(whole.get(), 8.0f, 8.0f, matrix, Rect(0, 0, 16, 16), Color::White, DRAWMODE_NORMAL,
                          Rect(1, 1, 4, 3), linear);
        ExpectSamePixels(PixelsOf(*actual), PixelsOf(*expected), 16);
        ExpectGuardIntact(*actual);
    }
}

TEST_F(MatrixBlitTest, PalettisedSourceIsReadThroughItsPaletteAndStaysPalettised)
{
    const PixelAt texel = [](const int x, const int y) { return WithAlpha(Opaque(x * 60, y * 80, 30), 100 + 50 * x); };
    const PixelAt background = [](const int x, const int y) { return Opaque(x * 25, 90, y * 25); };
    for (const bool linear : {false, true}) {
        SCOPED_TRACE(linear ? "bilinear" : "nearest");
        auto plain = MakeImage(4, 3, texel);
        auto palettised = MakeImage(4, 3, texel);
        ASSERT_TRUE(palettised->Palletize());
        auto expected = MakeImage(10, 10, background);
        auto actual = MakeImage(10, 10, background);
        Matrix3 matrix;
        matrix.RotateRad(0.7f);
        matrix.Scale(1.5f, 1.5f);
        expected->BltMatrix(plain.get(), 5.0f, 5.0f, matrix, Rect(0, 0, 10, 10), Color::White, DRAWMODE_NORMAL,
                            Rect(1, 0, 3, 3), linear);
        actual->BltMatrix(palettised.get(), 5.0f, 5.0f, matrix, Rect(0, 0, 10, 10), Color::White, DRAWMODE_NORMAL,
                          Rect(1, 0, 3, 3), linear);
        ExpectSamePixels(PixelsOf(*actual), PixelsOf(*expected), 10);
        EXPECT_NE(palettised->mColorIndices, nullptr);
        EXPECT_EQ(palettised->mBits, nullptr);
    }
}

TEST_F(MatrixBlitTest, SourceThatIsNotUsableDrawsNothing)
{
    const uint32_t background = Opaque(5, 5, 5);
    auto src = MakeImage(4, 4, [](int, int) { return 0xFFFFFFFFu; });
    auto empty = std::make_unique<MemoryImage>();
    struct Case {
        const char* mName;
        MemoryImage* mSource;
        Rect mSrcRect;
        int mDrawMode;
    };
    const Case cases[] = {
        {"unknown draw mode", src.get(), Rect(0, 0, 4, 4), 2},
        {"empty source rectangle", src.get(), Rect(0, 0, 0, 4), DRAWMODE_NORMAL},
        {"source rectangle off the picture", src.get(), Rect(4, 0, 4, 4), DRAWMODE_NORMAL},
        {"empty picture", empty.get(), Rect(0, 0, 4, 4), DRAWMODE_NORMAL},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.mName);
        auto dest = MakeImage(8, 8, [&](int, int) { return background; });
        dest->BltMatrix(test.mSource, 4.0f, 4.0f, Matrix3(), Rect(0, 0, 8, 8), Color::White, test.mDrawMode,
                        test.mSrcRect, false);
        ExpectSamePixels(PixelsOf(*dest), Pixels(64, background), 8);
        ExpectGuardIntact(*dest);
        EXPECT_TRUE(test.mSource->mDrawn);
    }
}

TEST_F(TriangleTest, VertexColourTintsLikeTheDrawColour)
{
    // A textured quad through BltTrianglesTex, coloured at its vertices, against the same
    // picture through an identity BltMatrix tinted with that colour.
    const PixelAt texel = [](const int x, const int y) {
        return WithAlpha(Opaque(50 * x + 20, 60 * y + 10, 200 - 30 * x), x == 1 ? 128 : 255);
    };
    const PixelAt background = [](const int x, const int y) { return Opaque(x * 30, y * 30, 60); };
    struct Case {
        const char* mName;
        uint32_t mVertexColor;
        Color mDrawColor;
        Color mEquivalentTint;
    };
    const Case cases[] = {
        {"no vertex colour", 0, Color::White, Color::White},
        {"no vertex colour, tinted", 0, Color(255, 128, 64, 160), Color(255, 128, 64, 160)},
        {"white vertices", 0xFFFFFFFF, Color::White, Color::White},
        {"grey vertices", 0xC8808080, Color::White, Color(128, 128, 128, 200)},
        {"coloured vertices", 0xA0FF8040, Color::White, Color(255, 128, 64, 160)},
    };
    for (const Case& test : cases) {
        for (const bool linear : {false, true}) {
            SCOPED_TRACE(std::string(test.mName) + (linear ? ", bilinear" : ", nearest"));
            auto src = MakeImage(4, 3, texel);
            auto expected = MakeImage(10, 8, background);
            auto actual = MakeImage(10, 8, background);
            expected->BltMatrix(src.get(), 2.0f + 2.0f, 3.0f + 1.5f, Matrix3(), Rect(0, 0, 10, 8), test.mEquivalentTint,
                                DRAWMODE_NORMAL, Rect(0, 0, 4, 3), linear);
            BltTriangles(*actual, src.get(), Quad(-0.5f, -0.5f, 3.5f, 2.5f, test.mVertexColor), Rect(0, 0, 10, 8),
                         test.mDrawColor, DRAWMODE_NORMAL, 2.0f, 3.0f, linear);
            ExpectSamePixels(PixelsOf(*actual), PixelsOf(*expected), 10);
            ExpectGuardIntact(*actual);
        }
    }
}

TEST_F(TriangleTest, VertexColoursBlendAcrossTheTriangle)
{
    // Red rising from 0 at column 0 to 250 at column 5, with the vertices on pixel centres:
    // each pixel is drawn as a flat triangle of its interpolated colour would draw it.
    const uint32_t background = Opaque(0, 0, 40);
    for (const int drawMode : {DRAWMODE_NORMAL, DRAWMODE_ADDITIVE}) {
        SCOPED_TRACE(drawMode == DRAWMODE_ADDITIVE ? "additive" : "normal");
        auto gradient = MakeImage(8, 4, [&](int, int) { return background; });
        const TriVertex topLeft{0.0f, 0.0f, 0.0f, 0.0f, 0xFF000000};
        const TriVertex topRight{5.0f, 0.0f, 0.0f, 0.0f, 0xFFFA0000};
        const TriVertex bottomLeft{0.0f, 2.0f, 0.0f, 0.0f, 0xFF000000};
        const TriVertex bottomRight{5.0f, 2.0f, 0.0f, 0.0f, 0xFFFA0000};
        BltTriangles(*gradient, nullptr, {{topLeft, topRight, bottomLeft}, {topRight, bottomRight, bottomLeft}},
                     Rect(0, 0, 8, 4), Color::White, drawMode);

        auto expected = MakeImage(8, 4, [&](int, int) { return background; });
        for (int column = 0; column < 5; ++column) {
            // Columns 0..4 of rows 0 and 1: the right and bottom edges hold no pixel.
            const float left = static_cast<float>(column) - 0.5f;
            BltTriangles(*expected, nullptr, Quad(left, -0.5f, left + 1.0f, 1.5f, 0), Rect(0, 0, 8, 4),
                         Color(50 * column, 0, 0), drawMode);
        }
        ExpectSamePixels(PixelsOf(*gradient), PixelsOf(*expected), 8);
        ExpectGuardIntact(*gradient);
    }
}

TEST_F(TriangleTest, TrianglesSharingAnEdgeDrawEachPixelOnce)
{
    // Half-transparent white over black: a pixel drawn twice would come out lighter, one
    // left out would stay black. Vertices sit on pixel centres, so edges run through them.
    const TriVertex a{0.0f, 0.0f, 0.0f, 0.0f, 0};
    const TriVertex b{6.0f, 0.0f, 0.0f, 0.0f, 0};
    const TriVertex c{6.0f, 6.0f, 0.0f, 0.0f, 0};
    const TriVertex d{0.0f, 6.0f, 0.0f, 0.0f, 0};
    const TriVertex centre{3.0f, 3.0f, 0.0f, 0.0f, 0};
    struct Case {
        const char* mName;
        std::vector<Triangle> mTriangles;
    };
    const Case cases[] = {
        {"split along the falling diagonal", {{a, b, c}, {a, c, d}}},
        {"split along the rising diagonal", {{a, b, d}, {b, c, d}}},
        {"fan around the centre", {{centre, a, b}, {centre, b, c}, {centre, c, d}, {centre, d, a}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.mName);
        auto dest = MakeImage(9, 9, [](int, int) { return 0xFF000000u; });
        BltTriangles(*dest, nullptr, test.mTriangles, Rect(0, 0, 9, 9), Color(255, 255, 255, 128));

        const Pixels pixels = PixelsOf(*dest);
        const uint32_t once = pixels[0];
        EXPECT_NE(once, 0xFF000000u);
        Pixels expected;
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 9; ++x)
                expected.push_back(x < 6 && y < 6 ? once : 0xFF000000u);
        }
        ExpectSamePixels(pixels, expected, 9);
        ExpectGuardIntact(*dest);
    }
}

TEST_F(TriangleTest, DegenerateOrClippedAwayTrianglesDrawNothing)
{
    const uint32_t background = Opaque(5, 5, 5);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    struct Case {
        const char* mName;
        Triangle mTriangle;
        Rect mClip;
    };
    const auto vertex = [](const float x, const float y) { return TriVertex{x, y, 0.0f, 0.0f, 0xFFFFFFFF}; };
    const Case cases[] = {
        {"collinear corners", {vertex(0, 0), vertex(3, 3), vertex(7, 7)}, Rect(0, 0, 8, 8)},
        {"one point", {vertex(4, 4), vertex(4, 4), vertex(4, 4)}, Rect(0, 0, 8, 8)},
        {"between pixel centres", {vertex(2.1f, 0), vertex(2.9f, 0), vertex(2.5f, 7)}, Rect(0, 0, 8, 8)},
        {"left of the clip", {vertex(0, 0), vertex(3, 0), vertex(0, 7)}, Rect(4, 0, 4, 8)},
        {"below the picture", {vertex(0, 9), vertex(7, 9), vertex(3, 20)}, Rect(0, 0, 20, 20)},
        {"a corner not a number", {vertex(0, 0), vertex(nan, 0), vertex(0, 7)}, Rect(0, 0, 8, 8)},
        {"a corner at infinity", {vertex(0, 0), vertex(infinity, 0), vertex(0, 7)}, Rect(0, 0, 8, 8)},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.mName);
        auto dest = MakeImage(8, 8, [&](int, int) { return background; });
        BltTriangles(*dest, nullptr, {test.mTriangle}, test.mClip, Color::White);
        ExpectSamePixels(PixelsOf(*dest), Pixels(64, background), 8);
        ExpectGuardIntact(*dest);
    }
}

TEST_F(TriangleTest, HugeCoordinatesWriteOnlyInsideTheClip)
{
    // Corners far beyond any pixel range and texture coordinates far outside the texture.
    auto texture = MakeImage(2, 2, [](const int x, const int y) { return Opaque(x * 200, y * 200, 50); });
    const uint32_t background = Opaque(5, 5, 5);
    const Triangle triangle = {TriVertex{-3e30f, -3e30f, -1e9f, -1e9f, 0xFFFFFFFF},
                               TriVertex{3e30f, -3e30f, 1e9f, -1e9f, 0xFF000000},
                               TriVertex{0.0f, 3e30f, 0.0f, 1e9f, 0x80FF00FF}};
    const Rect clip(2, 3, 4, 2);
    for (const bool linear : {false, true}) {
        SCOPED_TRACE(linear ? "bilinear" : "nearest");
        auto dest = MakeImage(8, 8, [&](int, int) { return background; });
        BltTriangles(*dest, texture.get(), {triangle}, clip, Color::White, DRAWMODE_NORMAL, 0.0f, 0.0f, linear);
        const Pixels pixels = PixelsOf(*dest);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const bool inClip = x >= 2 && x < 6 && y >= 3 && y < 5;
                if (!inClip) {
                    EXPECT_EQ(pixels[y * 8 + x], background) << "pixel (" << x << ", " << y << ")";
                }
            }
        }
        ExpectGuardIntact(*dest);
    }
}

TEST(TriangleClipTest, ClipsToTheBoundariesAndInterpolatesTheCrossings)
{
    // Texture coordinates and red follow the position, so every vertex, old or new, must
    // satisfy u = x / 10, v = y / 10 and red = 10 (x + 5).
    const Zest::ClipBounds bounds{0.0f, 9.0f, 0.0f, 9.0f};
    const auto vertex = [](const float x, const float y) {
        return TriVertex{x, y, x / 10.0f, y / 10.0f, 0xFF000000u | (static_cast<uint32_t>(10 * (x + 5)) << 16)};
    };
    struct Case {
        const char* mName;
        TriVertex mTriangle[3];
        int mExpectedCount;
    };
    const Case cases[] = {
        {"inside", {vertex(1, 1), vertex(8, 1), vertex(1, 8)}, 3},
        {"one corner left of the area", {vertex(-2, 4), vertex(6, 1), vertex(6, 8)}, 4},
        {"wholly left of the area", {vertex(-5, 1), vertex(-1, 4), vertex(-3, 8)}, 0},
        {"covering the area", {vertex(-1, -1), vertex(20, -1), vertex(-1, 20)}, 4},
        {"cutting a corner off the area", {vertex(-1, -1), vertex(12, -1), vertex(-1, 12)}, 5},
        {"crossing every boundary", {vertex(4.5f, -3), vertex(12, 10), vertex(-3, 10)}, 6},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.mName);
        Zest::ClipVertices out;
        const int count = Zest::ClipPolygon(test.mTriangle, bounds, out);
        EXPECT_EQ(count, test.mExpectedCount);
        for (int i = 0; i < count; ++i) {
            const TriVertex& v = out[i];
            EXPECT_GE(v.mX, bounds.mLeft);
            EXPECT_LE(v.mX, bounds.mRight);
            EXPECT_GE(v.mY, bounds.mTop);
            EXPECT_LE(v.mY, bounds.mBottom);
            EXPECT_NEAR(v.mU, v.mX / 10.0f, 1e-5f);
            EXPECT_NEAR(v.mV, v.mY / 10.0f, 1e-5f);
            EXPECT_NEAR(static_cast<float>((v.mColor >> 16) & 0xFF), 10.0f * (v.mX + 5.0f), 1.0f);
            EXPECT_EQ(v.mColor >> 24, 0xFFu);
        }
    }
}

} // namespace
