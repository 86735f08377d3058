#include "framework/graphics/Graphics.h"
#include "framework/graphics/Matrix3.h"
#include "framework/graphics/MemoryImage.h"
#include "tests/framework/graphics/FakeApp.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace Zest;
using Calls = std::vector<std::string>;

std::string Format(const Rect& rect)
{
    std::ostringstream out;
    out << '[' << rect.mX << ' ' << rect.mY << ' ' << rect.mWidth << ' ' << rect.mHeight << ']';
    return out.str();
}

std::string Format(const Color& color)
{
    std::ostringstream out;
    out << "rgba(" << color.mRed << ' ' << color.mGreen << ' ' << color.mBlue << ' ' << color.mAlpha << ')';
    return out.str();
}

std::string Format(const Matrix3& matrix)
{
    std::ostringstream out;
    out << '[' << matrix.m[0][0] << ' ' << matrix.m[0][1] << ' ' << matrix.m[0][2] << "; " << matrix.m[1][0] << ' '
        << matrix.m[1][1] << ' ' << matrix.m[1][2] << ']';
    return out.str();
}

std::string Format(Image* image);

template <typename T>
std::string Format(const T& value)
{
    std::ostringstream out;
    out << std::boolalpha << value;
    return out.str();
}

// An image that records every drawing slot called on it, with its arguments, as one line of
// text; as a source it is named by mName.
class RecordingImage : public Image {
public:
    RecordingImage(std::string name, const int width, const int height) : mName(std::move(name))
    {
        mWidth = width;
        mHeight = height;
    }

    bool PolyFill3D(const Point*, int count, const Rect*, const Color& color, int drawMode, int tx, int ty,
                    bool) override
    {
        Log("PolyFill3D", count, color, drawMode, tx, ty);
        return false;
    }
    void FillRect(const Rect& rect, const Color& color, int drawMode) override
    {
        Log("FillRect", rect, color, drawMode);
    }
    void DrawRect(const Rect& rect, const Color& color, int drawMode) override
    {
        Log("DrawRect", rect, color, drawMode);
    }
    void ClearRect(const Rect& rect) override { Log("ClearRect", rect); }
    void DrawLine(double x1, double y1, double x2, double y2, const Color& color, int drawMode) override
    {
        Log("DrawLine", x1, y1, x2, y2, color, drawMode);
    }
    void DrawLineAA(double x1, double y1, double x2, double y2, const Color& color, int drawMode) override
    {
        Log("DrawLineAA", x1, y1, x2, y2, color, drawMode);
    }
    void FillScanLines(Span*, int count, const Color& color, int drawMode) override
    {
        Log("FillScanLines", count, color, drawMode);
    }
    void FillScanLinesWithCoverage(Span*, int count, const Color& color, int drawMode, const uint8_t*, int, int,
                                   int, int) override
    {
        Log("FillScanLinesWithCoverage", count, color, drawMode);
    }
    void Blt(Image* src, int x, int y, const Rect& srcRect, const Color& color, int drawMode) override
    {
        Log("Blt", src, x, y, srcRect, color, drawMode);
    }
    void BltAtFloat(Image* src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& color,
                    int drawMode) override
    {
        Log("BltAtFloat", src, x, y, srcRect, clip, color, drawMode);
    }
    void BltRotated(Image* src, float x, float y, const Rect& srcRect, const Rect& clip, const Color& color,
                    int drawMode, double angle, float centreX, float centreY) override
    {
        Log("BltRotated", src, x, y, srcRect, clip, color, drawMode, angle, centreX, centreY);
    }
    void StretchBlt(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip, const Color& color,
                    int drawMode, bool fastStretch) override
    {
        Log("StretchBlt", src, destRect, srcRect, clip, color, drawMode, fastStretch);
    }
    void BltMatrix(Image* src, float x, float y, const Matrix3& matrix, const Rect& clip, const Color& color,
                   int drawMode, const Rect& srcRect, bool linearBlend) override
    {
        Log("BltMatrix", src, x, y, matrix, clip, color, drawMode, srcRect, linearBlend);
    }
    void BltTrianglesTex(Image* texture, const TriVertex (*)[3], int count, const Rect& clip, const Color& color,
                         int drawMode, float tx, float ty, bool linearBlend) override
    {
        Log("BltTrianglesTex", texture, count, clip, color, drawMode, tx, ty, linearBlend);
    }
    void BltMirror(Image* src, int x, int y, const Rect& srcRect, const Color& color, int drawMode) override
    {
        Log("BltMirror", src, x, y, srcRect, color, drawMode);
    }
    void StretchBltMirror(Image* src, const Rect& destRect, const Rect& srcRect, const Rect& clip,
                          const Color& color, int drawMode, bool fastStretch) override
    {
        Log("StretchBltMirror", src, destRect, srcRect, clip, color, drawMode, fastStretch);
    }

    const std::string mName;
    Calls mCalls;

private:
    template <typename... Args>
    void Log(const char* slot, const Args&... args)
    {
        std::string line = std::string(slot) + '(';
        const char* separator = "";
        ((line += separator + Format(args), separator = ", "), ...);
        mCalls.push_back(line + ')');
    }
};

std::string Format(Image* image)
{
    const auto* recording = dynamic_cast<const RecordingImage*>(image);
    return recording != nullptr ? recording->mName : "?";
}

class GraphicsTest : public Tests::DrawingTest {
protected:
    // Every drawing call of g lands in mScreen; returns what reached it and forgets it.
    Calls Take()
    {
        return std::exchange(mScreen.mCalls, {});
    }

    RecordingImage mScreen{"screen", 100, 80};
    RecordingImage mPicture{"pic", 10, 8};
    Graphics g{&mScreen};
};

const std::string kWhite = "rgba(255 255 255 255)";
const std::string kBlack = "rgba(0 0 0 255)";

void ExpectSameState(const GraphicsState& actual, const GraphicsState& expected)
{
    EXPECT_EQ(actual.mDestImage, expected.mDestImage);
    EXPECT_EQ(actual.mTransX, expected.mTransX);
    EXPECT_EQ(actual.mTransY, expected.mTransY);
    EXPECT_EQ(actual.mScaleX, expected.mScaleX);
    EXPECT_EQ(actual.mScaleY, expected.mScaleY);
    EXPECT_EQ(actual.mScaleOrigX, expected.mScaleOrigX);
    EXPECT_EQ(actual.mScaleOrigY, expected.mScaleOrigY);
    EXPECT_EQ(actual.mClipRect, expected.mClipRect);
    EXPECT_EQ(actual.mColor, expected.mColor);
    EXPECT_EQ(actual.mFont, expected.mFont);
    EXPECT_EQ(actual.mDrawMode, expected.mDrawMode);
    EXPECT_EQ(actual.mColorizeImages, expected.mColorizeImages);
    EXPECT_EQ(actual.mFastStretch, expected.mFastStretch);
    EXPECT_EQ(actual.mWriteColoredString, expected.mWriteColoredString);
    EXPECT_EQ(actual.mLinearBlend, expected.mLinearBlend);
    EXPECT_EQ(actual.mIs3D, expected.mIs3D);
}

// Changes every state field, so that a restore that misses one shows.
void ChangeEveryField(Graphics& graphics, Image* otherDest)
{
    graphics.mDestImage = otherDest;
    graphics.TranslateFloat(3.5f, -2.25f);
    graphics.mScaleX = 2.0f;
    graphics.mScaleY = 3.0f;
    graphics.mScaleOrigX = 4.0f;
    graphics.mScaleOrigY = 5.0f;
    graphics.mClipRect = Rect(1, 2, 3, 4);
    graphics.SetColor(Color(1, 2, 3, 4));
    graphics.SetDrawMode(DRAWMODE_ADDITIVE);
    graphics.SetColorizeImages(true);
    graphics.SetFastStretch(true);
    graphics.mWriteColoredString = false;
    graphics.SetLinearBlend(true);
    graphics.mIs3D = true;
}

TEST_F(GraphicsTest, StartsWithTheWholeDestinationAsClipAndOpaqueBlack)
{
    EXPECT_EQ(g.mDestImage, &mScreen);
    EXPECT_EQ(g.mClipRect, Rect(0, 0, 100, 80));
    EXPECT_EQ(g.GetColor(), Color(0, 0, 0, 255));
    EXPECT_EQ(g.GetDrawMode(), DRAWMODE_NORMAL);
    EXPECT_EQ(g.mTransX, 0.0f);
    EXPECT_EQ(g.mScaleX, 1.0f);
    EXPECT_EQ(g.GetFont(), nullptr);
    EXPECT_FALSE(g.GetColorizeImages());
    EXPECT_TRUE(g.mWriteColoredString);
    EXPECT_FALSE(g.mIs3D);
}

TEST_F(GraphicsTest, WithoutDestinationDrawsIntoTheEmptyDefaultImage)
{
    Graphics scratch(nullptr);
    EXPECT_EQ(scratch.mDestImage, &gDefaultImage);
    EXPECT_EQ(scratch.mClipRect, Rect());
    scratch.FillRect(0, 0, 10, 10);
    scratch.DrawImage(&mPicture, 0, 0);
    EXPECT_EQ(gDefaultImage.GetWidth(), 0);
}

TEST_F(GraphicsTest, PopStateRestoresEveryFieldInReverseOrder)
{
    RecordingImage other("other", 5, 5);
    const Graphics original(g);
    g.PushState();
    ChangeEveryField(g, &other);
    const Graphics changed(g);
    g.PushState();
    g.SetColor(Color::White);
    g.Translate(7, 7);

    g.PopState();
    ExpectSameState(g, changed);
    g.PopState();
    ExpectSameState(g, original);
    EXPECT_TRUE(g.mStateStack.empty());
}

TEST_F(GraphicsTest, PopStateOnAnEmptyStackChangesNothing)
{
    RecordingImage other("other", 5, 5);
    ChangeEveryField(g, &other);
    const Graphics before(g);
    g.PopState();
    ExpectSameState(g, before);
}

TEST_F(GraphicsTest, CopiesTakeTheStateButNotTheSavedStates)
{
    RecordingImage other("other", 5, 5);
    g.PushState();
    ChangeEveryField(g, &other);

    const Graphics copy(g);
    const std::unique_ptr<Graphics> created = g.Create();
    for (const Graphics* duplicate : {&copy, static_cast<const Graphics*>(created.get())}) {
        ExpectSameState(*duplicate, g);
        EXPECT_TRUE(duplicate->mStateStack.empty());
    }
    created->PopState();
    ExpectSameState(*created, g);
}

TEST_F(GraphicsTest, IntegerPositionsTruncateTheTranslatedPositionTowardZero)
{
    const struct {
        int translate;
        float translateFloat;
        int x;
        const char* expected;
    } cases[] = {
        {0, 10.7f, 0, "FillRect([10 10 3 3], rgba(0 0 0 255), 0)"},
        {0, -0.5f, 0, "FillRect([0 0 3 3], rgba(0 0 0 255), 0)"},
        {20, 0.999f, 5, "FillRect([25 25 3 3], rgba(0 0 0 255), 0)"},
        {20, -0.5f, 0, "FillRect([19 19 3 3], rgba(0 0 0 255), 0)"},
        // -0.5 truncates to 0, not to -1: the whole 3 x 3 stays inside.
        {20, -0.5f, -20, "FillRect([0 0 3 3], rgba(0 0 0 255), 0)"},
        {20, -2.5f, -15, "FillRect([2 2 3 3], rgba(0 0 0 255), 0)"},
    };
    for (const auto& c : cases) {
        Graphics graphics(&mScreen);
        graphics.Translate(c.translate, c.translate);
        graphics.TranslateFloat(c.translateFloat, c.translateFloat);
        graphics.FillRect(c.x, c.x, 3, 3);
        EXPECT_EQ(Take(), Calls{c.expected}) << c.translate << " + " << c.translateFloat << ", x " << c.x;
    }
}

TEST_F(GraphicsTest, FloatPositionsKeepTheFractionOfTheTranslation)
{
    g.Translate(2, 3);
    g.TranslateFloat(0.25f, 0.5f);
    g.DrawImageAtFloat(&mPicture, 1.5f, -1.0f);
    g.DrawLine(1, 1, 1, 9);
    EXPECT_EQ(Take(), (Calls{"BltAtFloat(pic, 3.75, 2.5, [0 0 10 8], [0 0 100 80], " + kWhite + ", 0)",
                             "DrawLine(3.25, 4.5, 3.25, 12.5, " + kBlack + ", 0)"}));
}

TEST_F(GraphicsTest, SetClipRectIsTranslatedAndKeptInsideTheDestination)
{
    const struct {
        int translate;
        Rect rect;
        Rect expected;
    } cases[] = {
        {0, Rect(10, 20, 30, 40), Rect(10, 20, 30, 40)},
        {5, Rect(10, 20, 30, 40), Rect(15, 25, 30, 40)},
        {0, Rect(-10, -5, 30, 20), Rect(0, 0, 20, 15)},
        {10, Rect(80, 60, 30, 40), Rect(90, 70, 10, 10)},
        {0, Rect(200, 0, 10, 10), Rect()},
    };
    for (const auto& c : cases) {
        Graphics graphics(&mScreen);
        graphics.Translate(c.translate, c.translate);
        graphics.SetClipRect(c.rect);
        EXPECT_EQ(graphics.mClipRect, c.expected) << Format(c.rect);
        graphics.SetClipRectCoords(c.rect.mX, c.rect.mY, c.rect.mWidth, c.rect.mHeight);
        EXPECT_EQ(graphics.mClipRect, c.expected) << Format(c.rect);
    }
}

TEST_F(GraphicsTest, ClipRectOnlyShrinksAndPopStateWidensItAgain)
{
    g.SetClipRectCoords(10, 10, 50, 50);
    g.PushState();
    g.Translate(5, 5);
    g.ClipRect(0, 0, 100, 20);
    EXPECT_EQ(g.mClipRect, Rect(10, 10, 50, 15));
    g.FillRect(0, 0, 200, 200);
    g.PopState();
    g.FillRect(0, 0, 200, 200);
    g.ClearClipRect();
    g.FillRect(0, 0, 200, 200);
    EXPECT_EQ(Take(), (Calls{"FillRect([10 10 50 15], " + kBlack + ", 0)", "FillRect([10 10 50 50], " + kBlack + ", 0)",
                             "FillRect([0 0 100 80], " + kBlack + ", 0)"}));
}

TEST_F(GraphicsTest, DrawsStayInsideADestinationThatShrankAfterTheClipWasSet)
{
    mScreen.mWidth = 30;
    mScreen.mHeight = 20;
    g.FillRect(0, 0, 200, 200);
    g.DrawImage(&mPicture, 25, 15);
    g.DrawLine(0, 10, 99, 10);
    EXPECT_EQ(Take(), (Calls{"FillRect([0 0 30 20], " + kBlack + ", 0)",
                             "Blt(pic, 25, 15, [0 0 5 5], " + kWhite + ", 0)",
                             "DrawLine(0, 10, 29, 10, " + kBlack + ", 0)"}));
}

TEST_F(GraphicsTest, FillRectPassesTheClippedRectangleColourAndMode)
{
    g.SetClipRectCoords(10, 10, 50, 40);
    g.SetColor(Color(1, 2, 3, 4));
    g.SetDrawMode(DRAWMODE_ADDITIVE);
    g.FillRect(20, 20, 5, 6);
    g.FillRect(0, 45, 15, 15);
    g.FillRect(70, 20, 5, 5);
    g.SetColor(Color(1, 2, 3, 0));
    g.FillRect(20, 20, 5, 6);
    EXPECT_EQ(Take(), (Calls{"FillRect([20 20 5 6], rgba(1 2 3 4), 1)", "FillRect([10 45 5 5], rgba(1 2 3 4), 1)"}));
}

TEST_F(GraphicsTest, DrawRectWhollyInsideTheClipReachesTheOutlineSlot)
{
    g.SetColor(Color(9, 8, 7));
    g.SetDrawMode(DRAWMODE_ADDITIVE);
    g.DrawRect(0, 0, 9, 9);
    // The outline covers columns 90 to 99 and rows 70 to 79: the last ones of the screen.
    g.DrawRect(90, 70, 9, 9);
    EXPECT_EQ(Take(), (Calls{"DrawRect([0 0 9 9], rgba(9 8 7 255), 1)", "DrawRect([90 70 9 9], rgba(9 8 7 255), 1)"}));
}

TEST_F(GraphicsTest, DrawRectCrossingTheClipBecomesFourClippedFills)
{
    g.DrawRect(95, 5, 9, 9);
    EXPECT_EQ(Take(), (Calls{"FillRect([95 5 5 1], " + kBlack + ", 0)", "FillRect([95 14 5 1], " + kBlack + ", 0)",
                             "FillRect([95 6 1 8], " + kBlack + ", 0)"}));
    g.DrawRect(20, 75, 9, 9);
    EXPECT_EQ(Take(), (Calls{"FillRect([20 75 10 1], " + kBlack + ", 0)", "FillRect([20 76 1 4], " + kBlack + ", 0)",
                             "FillRect([29 76 1 4], " + kBlack + ", 0)"}));
}

TEST_F(GraphicsTest, DrawRectWithANegativeSizeIsDrawnAsClippedFills)
{
    // The outline slot would draw its right side left of x; the fills are clipped instead.
    g.DrawRect(2, 10, -5, 4);
    EXPECT_EQ(Take(), (Calls{"FillRect([2 11 1 3], " + kBlack + ", 0)"}));
    g.SetColor(Color(0, 0, 0, 0));
    g.DrawRect(10, 10, 5, 5);
    EXPECT_TRUE(Take().empty());
}

TEST_F(GraphicsTest, LinesAreCutToTheClip)
{
    const struct {
        int x1, y1, x2, y2;
        const char* expected; // null: nothing reaches the image
    } cases[] = {
        {12, 12, 20, 25, "12, 12, 20, 25"},
        {20, 25, 12, 12, "12, 12, 20, 25"},
        {0, 15, 40, 15, "10, 15, 29, 15"},
        {15, 50, 15, 0, "15, 10, 15, 29"},
        {0, 0, 40, 40, "10, 10, 29, 29"},
        {0, 10, 40, 30, "10, 15, 29, 24.5"},
        {29, 29, 29, 29, "29, 29, 29, 29"},
        {0, 0, 5, 40, nullptr},
        {12, 35, 25, 45, nullptr},
        {30, 12, 40, 12, nullptr},
        {0, 9, 40, 9, nullptr},
    };
    g.SetClipRectCoords(10, 10, 20, 20);
    for (const auto& c : cases) {
        g.DrawLine(c.x1, c.y1, c.x2, c.y2);
        g.DrawLineAA(c.x1, c.y1, c.x2, c.y2);
        const Calls expected = c.expected == nullptr
                                   ? Calls{}
                                   : Calls{std::string("DrawLine(") + c.expected + ", " + kBlack + ", 0)",
                                           std::string("DrawLineAA(") + c.expected + ", " + kBlack + ", 0)"};
        EXPECT_EQ(Take(), expected) << c.x1 << ',' << c.y1 << " - " << c.x2 << ',' << c.y2;
    }
}

TEST_F(GraphicsTest, DrawImageBltsTheVisiblePartOfTheImage)
{
    const struct {
        int x, y;
        const char* expected; // null: nothing reaches the image
    } cases[] = {
        {20, 30, "Blt(pic, 20, 30, [0 0 10 8]"},
        {-3, -2, "Blt(pic, 0, 0, [3 2 7 6]"},
        {95, 75, "Blt(pic, 95, 75, [0 0 5 5]"},
        {100, 10, nullptr},
        {-10, 10, nullptr},
    };
    for (const auto& c : cases) {
        g.DrawImage(&mPicture, c.x, c.y);
        const Calls expected =
            c.expected == nullptr ? Calls{} : Calls{std::string(c.expected) + ", " + kWhite + ", 0)"};
        EXPECT_EQ(Take(), expected) << c.x << ',' << c.y;
    }
}

TEST_F(GraphicsTest, DrawImagePartShiftsTheSourceByWhatTheClipCuts)
{
    g.Translate(-4, 0);
    g.SetClipRectCoords(4, 0, 100, 6);
    g.DrawImagePart(&mPicture, 2, 3, Rect(3, 1, 4, 5));
    EXPECT_EQ(Take(), (Calls{"Blt(pic, 0, 3, [5 1 2 3], " + kWhite + ", 0)"}));
}

TEST_F(GraphicsTest, PartsOutsideTheSourceImageAreRefused)
{
    const Rect refused[] = {
        Rect(-1, 0, 5, 5), Rect(0, -1, 5, 5), Rect(1, 0, 10, 8), Rect(0, 1, 10, 8), Rect(0, 0, -2, 5),
        Rect(0, 0, 5, -2), Rect(2147483647, 0, 1, 1),
    };
    const Matrix3 identity;
    const std::function<void(Graphics&, const Rect&)> draws[] = {
        [&](Graphics& graphics, const Rect& src) { graphics.DrawImagePart(&mPicture, 5, 5, src); },
        [&](Graphics& graphics, const Rect& src) { graphics.DrawImageMirrorPart(&mPicture, 5, 5, src); },
        [&](Graphics& graphics, const Rect& src) {
            graphics.mScaleX = 2.0f;
            graphics.DrawImagePart(&mPicture, 5, 5, src);
        },
        [&](Graphics& graphics, const Rect& src) { graphics.DrawImageStretched(&mPicture, Rect(0, 0, 20, 20), src); },
        [&](Graphics& graphics, const Rect& src) {
            graphics.DrawImageStretchedMirror(&mPicture, Rect(0, 0, 20, 20), src, true);
        },
        [&](Graphics& graphics, const Rect& src) { graphics.DrawImagePartAtFloat(&mPicture, 5, 5, src); },
        [&](Graphics& graphics, const Rect& src) { graphics.DrawImageRotatedAbout(&mPicture, 5, 5, 1, 0, 0, &src); },
        [&](Graphics& graphics, const Rect& src) { graphics.DrawImageMatrix(&mPicture, identity, src, 5, 5); },
        [&](Graphics& graphics, const Rect& src) { graphics.DrawImageBoxPart(src, Rect(0, 0, 30, 30), &mPicture); },
    };
    for (size_t draw = 0; draw < std::size(draws); ++draw) {
        for (const Rect& src : refused) {
            Graphics graphics(&mScreen);
            draws[draw](graphics, src);
            EXPECT_TRUE(Take().empty()) << "draw " << draw << ", source " << Format(src);
        }
        Graphics graphics(&mScreen);
        draws[draw](graphics, Rect(0, 0, 10, 8));
        EXPECT_FALSE(Take().empty()) << "draw " << draw << " refuses the whole image";
    }
}

TEST_F(GraphicsTest, ScaledImageDrawsStretchAboutTheScaleOrigin)
{
    const struct {
        float scale;
        float origin;
        int x;
        const char* expected;
    } cases[] = {
        {2.0f, 0.0f, 5, "[10 10 6 6]"},
        {2.0f, 10.0f, 5, "[0 0 6 6]"},
        {1.5f, 0.0f, 3, "[4 4 5 5]"},
        {0.5f, 0.0f, 5, "[2 2 2 2]"},
    };
    RecordingImage small("small", 3, 3);
    for (const auto& c : cases) {
        Graphics graphics(&mScreen);
        graphics.mScaleX = graphics.mScaleY = c.scale;
        graphics.mScaleOrigX = graphics.mScaleOrigY = c.origin;
        graphics.SetFastStretch(true);
        graphics.DrawImage(&small, c.x, c.x);
        EXPECT_EQ(Take(), Calls{std::string("StretchBlt(small, ") + c.expected + ", [0 0 3 3], [0 0 100 80], " +
                                kWhite + ", 0, true)"})
            << c.scale << " about " << c.origin;
    }
}

TEST_F(GraphicsTest, MirroredPartsTakeWhatTheClipCutsFromTheOtherSide)
{
    const struct {
        int x;
        const char* expected;
    } cases[] = {
        {20, "BltMirror(pic, 20, 10, [0 0 10 8]"},
        // Cut on the right of the screen: the mirrored picture loses its left columns.
        {95, "BltMirror(pic, 95, 10, [5 0 5 8]"},
        {-3, "BltMirror(pic, 0, 10, [0 0 7 8]"},
    };
    // The scale does not apply to mirrored draws.
    g.mScaleX = 2.0f;
    for (const auto& c : cases) {
        g.DrawImageMirror(&mPicture, c.x, 10);
        EXPECT_EQ(Take(), Calls{std::string(c.expected) + ", " + kWhite + ", 0)"}) << c.x;
    }
    g.DrawImageMirrorPart(&mPicture, 98, 10, Rect(2, 1, 6, 4));
    EXPECT_EQ(Take(), Calls{"BltMirror(pic, 98, 10, [6 1 2 4], " + kWhite + ", 0)"});
}

TEST_F(GraphicsTest, StretchedDrawsTranslateTheDestinationAndPassTheClip)
{
    g.SetClipRectCoords(5, 5, 50, 50);
    g.Translate(3, 4);
    g.DrawImageStretched(&mPicture, Rect(5, 6, 20, 16), Rect(1, 1, 4, 4));
    g.DrawImageStretchedMirror(&mPicture, Rect(5, 6, 20, 16), Rect(1, 1, 4, 4), false);
    g.DrawImageStretchedMirror(&mPicture, Rect(5, 6, 20, 16), Rect(1, 1, 4, 4), true);
    g.DrawImageStretched(&mPicture, Rect(5, 6, 0, 16), Rect(1, 1, 4, 4));
    g.DrawImageStretched(&mPicture, Rect(5, 6, 20, -1), Rect(1, 1, 4, 4));
    const std::string arguments = "(pic, [8 10 20 16], [1 1 4 4], [5 5 50 50], " + kWhite + ", 0, false)";
    EXPECT_EQ(Take(), (Calls{"StretchBlt" + arguments, "StretchBlt" + arguments, "StretchBltMirror" + arguments}));
}

TEST_F(GraphicsTest, RotatedDrawsTurnAboutTheImageCentreUnlessGivenACentre)
{
    g.TranslateFloat(1.0f, 2.0f);
    g.DrawImageRotated(&mPicture, 1.5f, 2.0f, 0.5);
    const Rect part(1, 2, 3, 4);
    g.DrawImageRotatedAbout(&mPicture, 1.5f, 2.0f, -1.0, 0.25f, 0.75f, &part);
    EXPECT_EQ(Take(), (Calls{"BltRotated(pic, 2.5, 4, [0 0 10 8], [0 0 100 80], " + kWhite + ", 0, 0.5, 5, 4)",
                             "BltRotated(pic, 2.5, 4, [1 2 3 4], [0 0 100 80], " + kWhite + ", 0, -1, 0.25, 0.75)"}));
}

TEST_F(GraphicsTest, MatrixDrawsPassTheMatrixAndTheLinearBlendSwitch)
{
    Matrix3 matrix;
    matrix.Scale(2.0f, 3.0f);
    g.Translate(10, 20);
    g.SetLinearBlend(true);
    g.DrawImageMatrix(&mPicture, matrix, Rect(1, 1, 5, 5), 0.5f, 1.0f);
    EXPECT_EQ(Take(), (Calls{"BltMatrix(pic, 10.5, 21, [2 0 0; 0 3 0], [0 0 100 80], " + kWhite +
                             ", 0, [1 1 5 5], true)"}));
}

TEST_F(GraphicsTest, ImageDrawsPassWhiteUnlessColorizeIsOnAndAlwaysTheDrawMode)
{
    const Matrix3 identity;
    Transform transform;
    transform.RotateRad(1.0f);
    const std::function<void()> draws[] = {
        [&] { g.DrawImage(&mPicture, 1, 1); },
        [&] { g.DrawImageMirror(&mPicture, 1, 1); },
        [&] { g.DrawImageStretched(&mPicture, Rect(0, 0, 20, 20), Rect(0, 0, 10, 8)); },
        [&] { g.DrawImageStretchedMirror(&mPicture, Rect(0, 0, 20, 20), Rect(0, 0, 10, 8), true); },
        [&] { g.DrawImageAtFloat(&mPicture, 1, 1); },
        [&] { g.DrawImageRotated(&mPicture, 1, 1, 1); },
        [&] { g.DrawImageMatrix(&mPicture, identity, Rect(0, 0, 10, 8), 1, 1); },
        [&] { g.DrawImageTransform(&mPicture, transform, 1, 1); },
        [&] { g.DrawImageBox(Rect(0, 0, 30, 30), &mPicture); },
        [&] { g.DrawImageCel(&mPicture, 1, 1, 0); },
    };
    g.SetColor(Color(10, 20, 30, 40));
    g.SetDrawMode(DRAWMODE_ADDITIVE);
    for (const bool colorize : {false, true}) {
        g.SetColorizeImages(colorize);
        const std::string expected = (colorize ? "rgba(10 20 30 40)" : kWhite) + ", 1";
        for (size_t draw = 0; draw < std::size(draws); ++draw) {
            draws[draw]();
            const Calls calls = Take();
            EXPECT_FALSE(calls.empty()) << "draw " << draw;
            for (const std::string& call : calls)
                EXPECT_NE(call.find(expected), std::string::npos) << "draw " << draw << ": " << call;
        }
    }
}

TEST_F(GraphicsTest, SimpleTransformsTakeTheCheapDraws)
{
    const auto make = [](const std::function<void(Transform&)>& steps) {
        Transform transform;
        steps(transform);
        return transform;
    };
    const std::string rest = "[0 0 100 80], " + kWhite + ", 0";
    const struct {
        Transform transform;
        std::string expected;
    } cases[] = {
        {make([](Transform& t) { t.Translate(3, 4); }), "BltAtFloat(pic, 18.5, 30.5, [0 0 10 8], " + rest + ")"},
        {make([](Transform& t) {
             t.RotateRad(1);
             t.Translate(3, 4);
         }),
         "BltRotated(pic, 18.5, 30.5, [0 0 10 8], " + rest + ", 1, 5, 4)"},
        // The first translation moves the picture under the rotation centre.
        {make([](Transform& t) {
             t.Translate(2, 0);
             t.RotateRad(1);
         }),
         "BltRotated(pic, 17.5, 26.5, [0 0 10 8], " + rest + ", 1, 3, 4)"},
        {make([](Transform& t) { t.Scale(-1, 1); }), "BltMirror(pic, 15, 26, [0 0 10 8], " + kWhite + ", 0)"},
        {make([](Transform& t) { t.Scale(2, 3); }),
         "StretchBlt(pic, [10 18 20 24], [0 0 10 8], " + rest + ", false)"},
        // A mirror with a vertical stretch keeps a positive width and flips through the
        // mirrored stretch.
        {make([](Transform& t) {
             t.Scale(-1, 1);
             t.Scale(1, 2);
         }),
         "StretchBltMirror(pic, [15 22 10 16], [0 0 10 8], " + rest + ", false)"},
        {make([](Transform& t) {
             t.Translate(3, 0);
             t.Scale(2, 2);
         }),
         "BltMatrix(pic, 20, 30, [2 0 6; 0 2 0], " + rest + ", [0 0 10 8], false)"},
    };
    for (const auto& c : cases) {
        g.DrawImageTransform(&mPicture, c.transform, 20, 30);
        EXPECT_EQ(Take(), Calls{c.expected});
    }
}

TEST_F(GraphicsTest, EveryTransformOnA3DDestinationTakesTheMatrixDraw)
{
    EXPECT_FALSE(Check3D(&mScreen));
    Transform transform;
    transform.Translate(3, 4);
    g.mIs3D = true;
    g.DrawImagePartTransform(&mPicture, transform, Rect(0, 0, 4, 4), 20, 30);
    EXPECT_EQ(Take(), (Calls{"BltMatrix(pic, 20, 30, [1 0 3; 0 1 4], [0 0 100 80], " + kWhite +
                             ", 0, [0 0 4 4], false)"}));
}

TEST_F(GraphicsTest, BoxDrawsCornersOnceAndTilesEdgesAndCentreCutAtTheCorners)
{
    RecordingImage frame("frame", 6, 6);
    g.SetClipRectCoords(0, 0, 50, 50);
    g.DrawImageBox(Rect(10, 20, 9, 7), &frame);
    const auto blt = [](const int x, const int y, const char* src) {
        return "Blt(frame, " + std::to_string(x) + ", " + std::to_string(y) + ", " + src + ", " + kWhite + ", 0)";
    };
    EXPECT_EQ(Take(), (Calls{
                          blt(10, 20, "[0 0 2 2]"), blt(17, 20, "[4 0 2 2]"), blt(10, 25, "[0 4 2 2]"),
                          blt(17, 25, "[4 4 2 2]"),
                          // Top and bottom edges, the last tile cut before the right corners.
                          blt(12, 20, "[2 0 2 2]"), blt(12, 25, "[2 4 2 2]"), blt(14, 20, "[2 0 2 2]"),
                          blt(14, 25, "[2 4 2 2]"), blt(16, 20, "[2 0 1 2]"), blt(16, 25, "[2 4 1 2]"),
                          // Left and right edges, cut above the bottom corners.
                          blt(10, 22, "[0 2 2 2]"), blt(17, 22, "[4 2 2 2]"), blt(10, 24, "[0 2 2 1]"),
                          blt(17, 24, "[4 2 2 1]"),
                          // Centre.
                          blt(12, 22, "[2 2 2 2]"), blt(14, 22, "[2 2 2 2]"), blt(16, 22, "[2 2 1 2]"),
                          blt(12, 24, "[2 2 2 1]"), blt(14, 24, "[2 2 2 1]"), blt(16, 24, "[2 2 1 1]"),
                      }));
    EXPECT_EQ(g.mClipRect, Rect(0, 0, 50, 50));
    g.DrawImageBoxPart(Rect(1, 1, 0, 4), Rect(10, 20, 9, 7), &frame);
    EXPECT_TRUE(Take().empty());
}

TEST_F(GraphicsTest, CelsRunDownTheFirstColumnAndOutOfRangeCelsDrawNothing)
{
    RecordingImage strip("strip", 12, 9);
    strip.mNumRows = 3;
    strip.mNumCols = 2;
    g.DrawImageCel(&strip, 4, 5, 2);
    EXPECT_EQ(Take(), (Calls{"Blt(strip, 4, 5, [0 6 6 3], " + kWhite + ", 0)"}));
    for (const int cel : {-1, 3}) {
        g.DrawImageCel(&strip, 4, 5, cel);
        EXPECT_TRUE(Take().empty()) << cel;
    }
    strip.mNumCols = 0;
    g.DrawImageCel(&strip, 4, 5, 0);
    EXPECT_TRUE(Take().empty());
}

// What a MemoryImage looks like: '#' for a pixel that is not 0, '.' for 0.
std::vector<std::string> Picture(MemoryImage& image)
{
    std::vector<std::string> rows;
    const uint32_t* bits = image.GetBits();
    for (int y = 0; y < image.GetHeight(); ++y) {
        std::string row;
        for (int x = 0; x < image.GetWidth(); ++x)
            row += bits[y * image.GetWidth() + x] != 0 ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

TEST_F(GraphicsTest, DrawingOnAMemoryImageStaysInsideTheClip)
{
    MemoryImage screen;
    screen.Create(8, 6);
    Graphics graphics(&screen);
    graphics.SetClipRectCoords(1, 1, 6, 4);
    graphics.DrawRect(-2, 2, 5, 9);
    graphics.Translate(4, 0);
    graphics.FillRect(1, 2, 10, 2);
    graphics.DrawLine(-10, -10, 10, 10);
    EXPECT_EQ(Picture(screen), (std::vector<std::string>{
                                   "........",
                                   ".....#..",
                                   ".###.##.",
                                   "...#.##.",
                                   "...#....",
                                   "........",
                               }));
}

TEST_F(GraphicsTest, DrawingAnImageOnAMemoryImageCopiesOnlyTheVisiblePart)
{
    MemoryImage picture;
    std::vector<uint32_t> opaque(5 * 4, 0xFF102030);
    picture.SetBits(opaque.data(), 5, 4, true);
    MemoryImage screen;
    screen.Create(8, 6);
    Graphics graphics(&screen);
    graphics.SetClipRectCoords(0, 2, 8, 3);
    graphics.DrawImage(&picture, 5, 1);
    graphics.DrawImagePart(&picture, -1, 0, Rect(0, 0, 6, 4));
    EXPECT_EQ(Picture(screen), (std::vector<std::string>{
                                   "........",
                                   "........",
                                   ".....###",
                                   ".....###",
                                   ".....###",
                                   "........",
                               }));
}

TEST_F(GraphicsTest, NoImageDrawOnAMemoryImageReachesPastTheClip)
{
    MemoryImage picture;
    std::vector<uint32_t> opaque(5 * 4, 0xFF102030);
    picture.SetBits(opaque.data(), 5, 4, true);
    Transform stretch;
    stretch.Scale(-1.0f, 3.0f);
    const std::function<void(Graphics&, int)> draws[] = {
        [&](Graphics& graphics, const int at) { graphics.DrawImage(&picture, at, at); },
        [&](Graphics& graphics, const int at) { graphics.DrawImageMirror(&picture, at, at); },
        [&](Graphics& graphics, const int at) {
            graphics.DrawImageStretched(&picture, Rect(at, at, 9, 7), Rect(1, 1, 4, 3));
        },
        [&](Graphics& graphics, const int at) { graphics.DrawImageAtFloat(&picture, at + 0.5f, at - 0.25f); },
        [&](Graphics& graphics, const int at) { graphics.DrawImageRotated(&picture, at, at, 0.7); },
        [&](Graphics& graphics, const int at) { graphics.DrawImageTransform(&picture, stretch, at, at); },
        [&](Graphics& graphics, const int at) { graphics.DrawImageBox(Rect(at, at, 9, 7), &picture); },
    };
    for (size_t draw = 0; draw < std::size(draws); ++draw) {
        for (const int at : {-3, 0, 4, 6}) {
            MemoryImage screen;
            screen.Create(8, 6);
            Graphics graphics(&screen);
            graphics.SetClipRectCoords(1, 1, 6, 4);
            graphics.mScaleX = graphics.mScaleY = 1.5f;
            draws[draw](graphics, at);
            const std::vector<std::string> rows = Picture(screen);
            EXPECT_EQ(rows.front(), "........") << "draw " << draw << " at " << at;
            EXPECT_EQ(rows.back(), "........") << "draw " << draw << " at " << at;
            for (const std::string& row : rows)
                EXPECT_TRUE(row.front() == '.' && row.back() == '.') << "draw " << draw << " at " << at;
        }
    }
}

} // namespace
