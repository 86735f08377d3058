#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SysFont.h"
#include "tests/framework/graphics/FakeApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Zest::Color;
using Zest::Font;
using Zest::Graphics;
using Zest::MemoryImage;
using Zest::Rect;
using Zest::SysFont;

struct DrawCall {
    int mX = 0;
    int mY = 0;
    std::string mText;
    Color mColor;

    bool operator==(const DrawCall& other) const = default;
};

std::ostream& operator<<(std::ostream& out, const DrawCall& call)
{
    return out << "(" << call.mX << ", " << call.mY << ", \"" << call.mText << "\", " << call.mColor.mRed << "/"
               << call.mColor.mGreen << "/" << call.mColor.mBlue << "/" << call.mColor.mAlpha << ")";
}

// Every character is 10 pixels wide; ascent 8, height 12 (descent 4), line spacing 14. Each
// DrawString is recorded with the context it came through and the clip it was given.
class RecordingFont : public Font {
public:
    RecordingFont()
    {
        mAscent = 8;
        mHeight = 12;
        mLineSpacingOffset = 2;
    }

    int StringWidth(const std::string& text) override { return 10 * static_cast<int>(text.size()); }
    void DrawString(Graphics* g, const int x, const int y, const std::string& text, const Color& color,
                    const Rect& clip) override
    {
        mCalls.push_back({x, y, text, color});
        mContexts.push_back(g);
        mClips.push_back(clip);
    }
    Font* Duplicate() const override { return new RecordingFont(*this); }

    std::vector<DrawCall> mCalls;
    std::vector<Graphics*> mContexts;
    std::vector<Rect> mClips;
};

const Color kStart(1, 2, 3, 200);
const Color kRed(255, 0, 0, 200);

// A destination that draws nothing but is large enough for the clip to keep every line.
Zest::Image Canvas()
{
    Zest::Image image;
    image.mWidth = 400;
    image.mHeight = 400;
    return image;
}

class GraphicsTextTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mGraphics.SetFont(&mFont);
        mGraphics.SetColor(kStart);
    }

    RecordingFont mFont;
    Zest::Image mCanvas = Canvas();
    Graphics mGraphics{&mCanvas};
};

TEST_F(GraphicsTextTest, DrawStringHandsTheFontThisContextColourAndClip)
{
    mGraphics.ClipRect(5, 6, 50, 60);
    mGraphics.Translate(7, 9);
    mGraphics.DrawString("hi^FF0000^", 3, 4);
    // The position is passed untranslated: the font translates through the context.
    ASSERT_EQ(mFont.mCalls.size(), 1u);
    EXPECT_EQ(mFont.mCalls[0], (DrawCall{3, 4, "hi^FF0000^", kStart}));
    EXPECT_EQ(mFont.mContexts[0], &mGraphics);
    EXPECT_EQ(mFont.mClips[0], Rect(5, 6, 50, 60));
}

TEST_F(GraphicsTextTest, WithoutFontNothingIsDrawnOrMeasured)
{
    Graphics g;
    g.SetColor(kStart);
    g.DrawString("abc", 0, 0);
    EXPECT_EQ(g.WriteString("^FF0000^abc", 0, 0), 0);
    EXPECT_EQ(g.WriteWordWrapped(Rect(0, 0, 100, 100), "abc def"), 0);
    EXPECT_EQ(g.GetWordWrappedHeight(100, "abc def"), 0);
    EXPECT_EQ(g.GetColor(), kStart);
}

TEST_F(GraphicsTextTest, WriteStringSplitsRunsAtColourCodes)
{
    struct Case {
        std::string mText;
        int mWidth;
        std::vector<DrawCall> mCalls;
    };
    const std::vector<Case> cases = {
        {"hello", 50, {{5, 20, "hello", kStart}}},
        {"^FF0000^red^oldclr^back", 70, {{5, 20, "red", kRed}, {35, 20, "back", kStart}}},
        {"a^^b", 30, {{5, 20, "a^b", kStart}}},
        {"^^^^", 20, {{5, 20, "^^", kStart}}},
        {"ab^00ff80^c", 30, {{5, 20, "ab", kStart}, {25, 20, "c", Color(0, 255, 128, 200)}}},
        // Characters that are not hexadecimal digits count as 0.
        {"^G0Z0x1^q", 10, {{5, 20, "q", Color(0, 0, 1, 200)}}},
        // A word that starts like oldclr but is not it selects black.
        {"^oops00^q", 10, {{5, 20, "q", Color(0, 0, 0, 200)}}},
        // A code cut off by the end stops the text; so does a lone caret.
        {"ab^12345^", 20, {{5, 20, "ab", kStart}}},
        {"ab^", 20, {{5, 20, "ab", kStart}}},
        {"^", 0, {}},
        {"", 0, {}},
    };
    for (const Case& c : cases) {
        mFont.mCalls.clear();
        mGraphics.SetColor(kStart);
        EXPECT_EQ(mGraphics.WriteString(c.mText, 5, 20), c.mWidth) << c.mText;
        EXPECT_EQ(mFont.mCalls, c.mCalls) << c.mText;
    }
}

TEST_F(GraphicsTextTest, WriteStringLeavesTheLastCodesColourSet)
{
    mGraphics.WriteString("^FF0000^red^oldclr^back", 0, 0);
    EXPECT_EQ(mGraphics.GetColor(), kStart);
    mGraphics.WriteString("x^FF0000^red", 0, 0);
    EXPECT_EQ(mGraphics.GetColor(), kRed);
}

TEST_F(GraphicsTextTest, OldColorSelectsTheGivenColourKeepingTheCurrentAlpha)
{
    mGraphics.WriteString("^FF0000^a^oldclr^b", 0, 0, -1, -1, true, 0, -1, 0x00102030);
    EXPECT_EQ(mFont.mCalls,
              (std::vector<DrawCall>{{0, 0, "a", kRed}, {10, 0, "b", Color(0x10, 0x20, 0x30, 200)}}));
}

TEST_F(GraphicsTextTest, MeasuringDrawsNothingAndKeepsTheColour)
{
    EXPECT_EQ(mGraphics.WriteString("ab^FF0000^cd^^", 0, 0, -1, -1, false), 50);
    EXPECT_TRUE(mFont.mCalls.empty());
    EXPECT_EQ(mGraphics.GetColor(), kStart);
}

TEST_F(GraphicsTextTest, ColourCodesOffMakesCaretsPlainCharacters)
{
    mGraphics.mWriteColoredString = false;
    EXPECT_EQ(mGraphics.WriteString("^FF0000^r^^", 0, 0), 110);
    EXPECT_EQ(mFont.mCalls, (std::vector<DrawCall>{{0, 0, "^FF0000^r^^", kStart}}));
    EXPECT_EQ(mGraphics.GetColor(), kStart);
}

TEST_F(GraphicsTextTest, WriteStringJustifiesByTheWidthWithoutCodes)
{
    struct Case {
        int mJustification;
        int mFirstX;
    };
    // "abc" is 30 wide in a width of 101.
    for (const Case& c : {Case{-1, 4}, Case{0, 4 + 35}, Case{1, 4 + 71}}) {
        mFont.mCalls.clear();
        EXPECT_EQ(mGraphics.WriteString("a^FF0000^bc", 4, 9, 101, c.mJustification), 30) << c.mJustification;
        EXPECT_EQ(mFont.mCalls, (std::vector<DrawCall>{{c.mFirstX, 9, "a", kStart}, {c.mFirstX + 10, 9, "bc", kRed}}))
            << c.mJustification;
        mGraphics.SetColor(kStart);
    }
}

TEST_F(GraphicsTextTest, WriteStringTakesOnlyThePartAskedFor)
{
    struct Case {
        int mOffset;
        int mLength;
        std::string mDrawn;
    };
    for (const Case& c : {Case{2, 3, "cde"}, Case{2, -1, "cdef"}, Case{2, 100, "cdef"}, Case{0, 0, ""},
                          Case{6, 2, ""}, Case{50, -1, ""}}) {
        mFont.mCalls.clear();
        const int width = mGraphics.WriteString("abcdef", 0, 0, -1, -1, true, c.mOffset, c.mLength);
        EXPECT_EQ(width, 10 * static_cast<int>(c.mDrawn.size())) << c.mOffset << "+" << c.mLength;
        const std::vector<DrawCall> expected =
            c.mDrawn.empty() ? std::vector<DrawCall>{} : std::vector<DrawCall>{{0, 0, c.mDrawn, kStart}};
        EXPECT_EQ(mFont.mCalls, expected) << c.mOffset << "+" << c.mLength;
    }
    // A code that the part cuts off stops the part, even though the text holds all of it.
    mFont.mCalls.clear();
    EXPECT_EQ(mGraphics.WriteString("ab^FF0000^cd", 0, 0, -1, -1, true, 0, 6), 20);
    EXPECT_EQ(mGraphics.GetColor(), kStart);
}

struct WrapCase {
    std::string mText;
    int mWidth;
    std::vector<DrawCall> mCalls;
    int mHeight;
};

TEST_F(GraphicsTextTest, WriteWordWrappedBreaksLines)
{
    // Baselines at 8 + 14 n below the top (30); the height is the last baseline + 4.
    const std::vector<WrapCase> cases = {
        {"abc", 100, {{20, 38, "abc", kStart}}, 12},
        {"aaa bbb ccc ddd", 100, {{20, 38, "aaa bbb", kStart}, {20, 52, "ccc ddd", kStart}}, 26},
        // Blanks after a wrap are dropped.
        {"aaa  bbb", 35, {{20, 38, "aaa", kStart}, {20, 52, "bbb", kStart}}, 26},
        // A word without blanks is cut before the character that overflows.
        {"abcdefg", 25, {{20, 38, "ab", kStart}, {20, 52, "cd", kStart}, {20, 66, "ef", kStart}, {20, 80, "g", kStart}},
         54},
        // At least one character a line, even when it is wider than the line; a last
        // character that overflows ends its line like any other, so an empty line is counted.
        {"ab", 5, {{20, 38, "a", kStart}, {20, 52, "b", kStart}}, 40},
        // A newline breaks the line; the blanks after it are kept.
        {"ab\n  cd", 100, {{20, 38, "ab", kStart}, {20, 52, "  cd", kStart}}, 26},
        {"ab\n\ncd", 100, {{20, 38, "ab", kStart}, {20, 66, "cd", kStart}}, 40},
        // A final newline counts one more line.
        {"ab\n", 100, {{20, 38, "ab", kStart}}, 40},
        // Colour codes take no width; two carets take one caret's.
        {"^FF0000^abc", 30, {{20, 38, "abc", kRed}}, 12},
        {"a^^b", 30, {{20, 38, "a^b", kStart}}, 12},
        {"a^^bc", 25, {{20, 38, "a^", kStart}, {20, 52, "bc", kStart}}, 26},
        // A caret pair is never split between lines.
        {"ab^^c", 15, {{20, 38, "a", kStart}, {20, 52, "b", kStart}, {20, 66, "^", kStart}, {20, 80, "c", kStart}},
         54},
        {"^^c", 5, {{20, 38, "^", kStart}, {20, 52, "c", kStart}}, 40},
        {"", 100, {}, 12},
    };
    for (const WrapCase& c : cases) {
        mFont.mCalls.clear();
        EXPECT_EQ(mGraphics.WriteWordWrapped(Rect(20, 30, c.mWidth, 10), c.mText), c.mHeight) << c.mText;
        EXPECT_EQ(mFont.mCalls, c.mCalls) << c.mText;
        EXPECT_EQ(mGraphics.GetColor(), kStart) << c.mText;
    }
}

TEST_F(GraphicsTextTest, WriteWordWrappedUsesTheGivenSpacingAndAscentPadding)
{
    mFont.mAscentPadding = 3;
    EXPECT_EQ(mGraphics.WriteWordWrapped(Rect(0, 0, 35, 10), "aaa bbb", 20), 5 + 20 + 4);
    EXPECT_EQ(mFont.mCalls, (std::vector<DrawCall>{{0, 5, "aaa", kStart}, {0, 25, "bbb", kStart}}));
}

TEST_F(GraphicsTextTest, WriteWordWrappedJustifiesEachLine)
{
    struct Case {
        int mJustification;
        int mFirstX;
        int mSecondX;
    };
    // "aaa bbb" is 70 and "ccc" 30 wide in a width of 100 from x = 10.
    for (const Case& c : {Case{-1, 10, 10}, Case{0, 25, 45}, Case{1, 40, 80}}) {
        mFont.mCalls.clear();
        mGraphics.WriteWordWrapped(Rect(10, 0, 100, 10), "aaa bbb ccc", -1, c.mJustification);
        EXPECT_EQ(mFont.mCalls, (std::vector<DrawCall>{{c.mFirstX, 8, "aaa bbb", kStart}, {c.mSecondX, 22, "ccc", kStart}}))
            << c.mJustification;
    }
}

TEST_F(GraphicsTextTest, WriteWordWrappedCarriesColoursAcrossLinesAndRestoresTheStart)
{
    // Opaque white must still be told apart from "the current colour" by oldclr.
    const Color white(255, 255, 255, 255);
    mGraphics.SetColor(white);
    mGraphics.WriteWordWrapped(Rect(0, 0, 35, 10), "^FF0000^aa bb ^oldclr^cc");
    const Color red(255, 0, 0, 255);
    EXPECT_EQ(mFont.mCalls, (std::vector<DrawCall>{{0, 8, "aa", red}, {0, 22, "bb", red}, {0, 36, "cc", white}}));
    EXPECT_EQ(mGraphics.GetColor(), white);
}

class GraphicsTextDrawTest : public Tests::DrawingTest {
protected:
    void SetUp() override
    {
        Tests::DrawingTest::SetUp();
        mImage = std::make_unique<MemoryImage>();
        const std::vector<uint32_t> background(kWidth * kHeight, kBackground);
        mImage->SetBits(background.data(), kWidth, kHeight, true);
    }

    void TearDown() override
    {
        mImage.reset();
        Tests::DrawingTest::TearDown();
    }

    static constexpr int kWidth = 120;
    static constexpr int kHeight = 40;
    static constexpr uint32_t kBackground = 0xFF000000;
    std::unique_ptr<MemoryImage> mImage;
};

TEST_F(GraphicsTextTest, WrappedLinesOutsideTheClipAreSkippedButTheLastIsDrawn)
{
    struct Case {
        int mTranslateY;
        std::vector<std::string> mDrawn;
    };
    // One letter a line, baselines 8, 22, 36, 50, 64 and 78; the clip takes baselines in
    // [30, 30 + 20 + 14).
    for (const Case& c : {Case{0, {"c", "d", "f"}}, Case{-14, {"d", "e", "f"}}}) {
        RecordingFont font;
        Graphics g(&mCanvas);
        g.SetFont(&font);
        g.SetClipRectCoords(0, 30, 100, 20);
        g.Translate(0, c.mTranslateY);
        EXPECT_EQ(g.WriteWordWrapped(Rect(0, 0, 15, 10), "a b c d e f"), 78 + 4);
        std::vector<std::string> drawn;
        for (const DrawCall& call : font.mCalls)
            drawn.push_back(call.mText);
        EXPECT_EQ(drawn, c.mDrawn) << c.mTranslateY;
    }
}

TEST_F(GraphicsTextTest, GetWordWrappedHeightMeasuresWithoutDrawingHere)
{
    struct Case {
        std::string mText;
        int mWidth;
        int mLineSpacing;
        int mHeight;
    };
    for (const Case& c : {Case{"abc", 100, -1, 12}, Case{"aaa bbb ccc", 35, -1, 8 + 28 + 4},
                          Case{"ab\ncd", 100, -1, 26}, Case{"a b", 15, 20, 8 + 20 + 4},
                          Case{"abcdefg", 25, -1, 8 + 42 + 4}, Case{"^FF0000^abc", 30, -1, 12}}) {
        EXPECT_EQ(mGraphics.GetWordWrappedHeight(c.mWidth, c.mText, c.mLineSpacing), c.mHeight) << c.mText;
    }
    EXPECT_EQ(std::count(mFont.mContexts.begin(), mFont.mContexts.end(), &mGraphics), 0);
    EXPECT_EQ(mGraphics.GetColor(), kStart);
    // With colour codes off the code is eleven characters to wrap.
    mGraphics.mWriteColoredString = false;
    EXPECT_EQ(mGraphics.GetWordWrappedHeight(30, "^FF0000^abc"), 8 + 42 + 4);
}

TEST_F(GraphicsTextDrawTest, SysFontDrawsEachRunInItsColour)
{
    SysFont font("DejaVu Sans", 14);
    ASSERT_TRUE(font.HasFace());
    Graphics g(mImage.get());
    g.SetFont(&font);
    g.SetColor(Color::White);
    const int width = g.WriteString("^FF0000^HH^0000FF^HH", 4, 25);
    // SysFont has no kerning, so the runs add up to the whole string.
    EXPECT_EQ(width, font.StringWidth("HHHH"));
    EXPECT_EQ(g.GetColor(), Color(0, 0, 255, 255));

    int redRight = -1;
    int blueLeft = kWidth;
    int redCount = 0;
    int blueCount = 0;
    const uint32_t* bits = mImage->GetBits();
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const uint32_t pixel = bits[y * kWidth + x];
            const int red = (pixel >> 16) & 0xFF;
            const int green = (pixel >> 8) & 0xFF;
            const int blue = pixel & 0xFF;
            EXPECT_EQ(green, 0) << x << "," << y;
            if (red > 128) {
                EXPECT_EQ(blue, 0) << x << "," << y;
                redRight = std::max(redRight, x);
                ++redCount;
            }
            if (blue > 128) {
                EXPECT_EQ(red, 0) << x << "," << y;
                blueLeft = std::min(blueLeft, x);
                ++blueCount;
            }
        }
    }
    EXPECT_GT(redCount, 20);
    EXPECT_GT(blueCount, 20);
    EXPECT_LT(redRight, blueLeft);
    EXPECT_GE(redRight, 4);
    EXPECT_LT(blueLeft, 4 + width);
}

} // namespace
