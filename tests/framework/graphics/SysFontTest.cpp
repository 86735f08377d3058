#include "framework/graphics/SysFont.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "tests/framework/graphics/FakeApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using Zest::Color;
using Zest::Font;
using Zest::Graphics;
using Zest::MemoryImage;
using Zest::Rect;
using Zest::SysFont;

// A font that only gives metrics: every measuring operation is the base class's.
class MetricsFont : public Font {
public:
    Font* Duplicate() const override { return new MetricsFont(*this); }
};

// Each character is as wide as its code, so that a kerning font would show.
class CodeWidthFont : public Font {
public:
    int StringWidth(const std::string& text) override
    {
        int width = 0;
        for (const char c : text)
            width += static_cast<unsigned char>(c);
        return width;
    }
    Font* Duplicate() const override { return new CodeWidthFont(*this); }
};

constexpr uint32_t kBackground = 0xFF204060;
constexpr int kImageSize = 120;

struct PixelBox {
    int mLeft = kImageSize;
    int mTop = kImageSize;
    int mRight = -1;
    int mBottom = -1;
    int mCount = 0;

    void Add(const int x, const int y)
    {
        mLeft = std::min(mLeft, x);
        mTop = std::min(mTop, y);
        mRight = std::max(mRight, x);
        mBottom = std::max(mBottom, y);
        ++mCount;
    }
};

class SysFontDrawTest : public Tests::DrawingTest {
protected:
    void SetUp() override
    {
        Tests::DrawingTest::SetUp();
        mImage = std::make_unique<MemoryImage>();
        const std::vector<uint32_t> background(kImageSize * kImageSize, kBackground);
        mImage->SetBits(background.data(), kImageSize, kImageSize, true);
    }

    void TearDown() override
    {
        mImage.reset();
        Tests::DrawingTest::TearDown();
    }

    uint32_t Pixel(const int x, const int y) { return mImage->GetBits()[y * kImageSize + x]; }

    // The box of the pixels for which the predicate holds.
    template <typename Predicate>
    PixelBox Find(const Predicate predicate)
    {
        PixelBox box;
        for (int y = 0; y < kImageSize; ++y) {
            for (int x = 0; x < kImageSize; ++x) {
                if (predicate(Pixel(x, y)))
                    box.Add(x, y);
            }
        }
        return box;
    }

    PixelBox Changed()
    {
        return Find([](const uint32_t pixel) { return pixel != kBackground; });
    }

    void Draw(SysFont& font, const std::string& text, const Color& color, const int x, const int y,
              const int translateX = 0, const int translateY = 0)
    {
        Graphics g(mImage.get());
        g.Translate(translateX, translateY);
        font.DrawString(&g, x, y, text, color, Rect(0, 0, kImageSize, kImageSize));
    }

    std::unique_ptr<MemoryImage> mImage;
};

bool IsBrighter(const uint32_t pixel)
{
    return ((pixel >> 16) & 0xFF) > ((kBackground >> 16) & 0xFF) + 40;
}

bool IsDarker(const uint32_t pixel)
{
    return ((pixel >> 8) & 0xFF) < ((kBackground >> 8) & 0xFF) - 20;
}

TEST(FontBase, DescentAndLineSpacingComeFromTheMetrics)
{
    struct Case {
        int mHeight;
        int mAscent;
        int mLineSpacingOffset;
        int mDescent;
        int mLineSpacing;
    };
    for (const Case& c : {Case{20, 16, -2, 4, 18}, Case{13, 10, 0, 3, 13}, Case{0, 0, 5, 0, 5}}) {
        MetricsFont font;
        font.mHeight = c.mHeight;
        font.mAscent = c.mAscent;
        font.mLineSpacingOffset = c.mLineSpacingOffset;
        EXPECT_EQ(font.GetDescent(), c.mDescent) << c.mHeight << "/" << c.mAscent;
        EXPECT_EQ(font.GetLineSpacing(), c.mLineSpacing) << c.mHeight << "/" << c.mLineSpacingOffset;
    }
}

TEST(FontBase, FontWithoutStringWidthMeasuresZero)
{
    MetricsFont font;
    font.mHeight = 20;
    for (const std::string text : {"", "a", "Hello, world", "two\nlines"})
        EXPECT_EQ(font.StringWidth(text), 0) << text;
    EXPECT_EQ(font.CharWidth('W'), 0);
    EXPECT_EQ(font.CharWidthKern('W', 'A'), 0);
}

TEST(FontBase, CharWidthKernIgnoresThePreviousCharacter)
{
    CodeWidthFont font;
    for (const char c : {'A', 'V', 'i'}) {
        EXPECT_EQ(font.CharWidth(c), static_cast<unsigned char>(c));
        for (const char previous : {'\0', 'A', 'V', 'W', 'T'})
            EXPECT_EQ(font.CharWidthKern(c, previous), font.CharWidth(c)) << c << " after " << previous;
    }
}

TEST(FontBase, CopyKeepsTheFourMetrics)
{
    MetricsFont font;
    font.mAscent = 11;
    font.mAscentPadding = 2;
    font.mHeight = 14;
    font.mLineSpacingOffset = -1;
    const std::unique_ptr<Font> copy(font.Duplicate());
    EXPECT_EQ(copy->GetAscent(), 11);
    EXPECT_EQ(copy->GetAscentPadding(), 2);
    EXPECT_EQ(copy->GetHeight(), 14);
    EXPECT_EQ(copy->GetLineSpacingOffset(), -1);
}

TEST(SysFontSize, CharacterHeightIsPointsTimesDpiOver72Rounded)
{
    struct Case {
        int mPoints;
        int mDpi;
        int mHeight;
    };
    for (const Case& c : {Case{10, 96, 13}, Case{10, 120, 17}, Case{12, 96, 16}, Case{9, 96, 12}, Case{0, 96, 0}})
        EXPECT_EQ(SysFont::CharacterHeight(c.mPoints, c.mDpi), c.mHeight) << c.mPoints << "pt " << c.mDpi << "dpi";
}

TEST(SysFontMetrics, DejaVuMetricsAreSensibleAndGrowWithSize)
{
    SysFont small("DejaVu Sans", 10);
    SysFont large("DejaVu Sans", 20);
    for (const SysFont* font : {&small, &large}) {
        ASSERT_TRUE(font->HasFace());
        EXPECT_GT(font->GetAscent(), 0);
        EXPECT_GT(font->GetHeight(), font->GetAscent());
        EXPECT_GT(font->GetDescent(), 0);
        EXPECT_EQ(font->GetAscentPadding(), 0);
        EXPECT_EQ(font->GetLineSpacingOffset(), 0);
    }
    // 13 and 27 pixel characters: the line is a little taller than the character.
    EXPECT_GE(small.GetHeight(), 13);
    EXPECT_LE(small.GetHeight(), 18);
    EXPECT_GT(large.GetHeight(), small.GetHeight());
    EXPECT_GT(large.GetAscent(), small.GetAscent());
}

TEST(SysFontMetrics, ApplicationConstructorUses96Dpi)
{
    Tests::FakeApp app;
    SysFont withApp(&app, "DejaVu Sans", 10);
    SysFont plain("DejaVu Sans", 10);
    EXPECT_EQ(withApp.mApp, &app);
    EXPECT_EQ(withApp.GetHeight(), plain.GetHeight());
    EXPECT_EQ(withApp.GetAscent(), plain.GetAscent());
    EXPECT_EQ(withApp.StringWidth("Measure"), plain.StringWidth("Measure"));
}

TEST(SysFontWidth, WidthGrowsWithTheTextAndEmptyIsZero)
{
    SysFont font("DejaVu Sans", 12);
    EXPECT_EQ(font.StringWidth(""), 0);
    int previous = 0;
    for (const std::string text : {"a", "ab", "abc", "abc def", "abc defWW"}) {
        const int width = font.StringWidth(text);
        EXPECT_GT(width, previous) << text;
        previous = width;
    }
    EXPECT_EQ(font.CharWidth('W'), font.StringWidth("W"));
    EXPECT_EQ(font.CharWidthKern('W', 'A'), font.StringWidth("W"));
}

TEST(SysFontWidth, LineBreaksMeasureTheWidestLine)
{
    SysFont font("DejaVu Sans", 12);
    const int wide = font.StringWidth("a much wider line");
    const int narrow = font.StringWidth("short");
    ASSERT_GT(wide, narrow);
    for (const std::string text : {"short\na much wider line", "a much wider line\nshort", "short\r\na much wider line",
                                   "short\ra much wider line\n",
                                   "a much wider line\nshort\nshort"})
        EXPECT_EQ(font.StringWidth(text), wide) << text;
    EXPECT_EQ(font.StringWidth("\n"), 0);
}

TEST(SysFontWidth, HighBytesAreLatin1)
{
    SysFont font("DejaVu Sans", 12);
    // e with acute (0xE9) has the advance of e; A with ring (0xC5) that of A.
    EXPECT_EQ(font.StringWidth("\xE9"), font.StringWidth("e"));
    EXPECT_EQ(font.StringWidth("\xC5"), font.StringWidth("A"));
}

TEST(SysFontWidth, BoldIsWiderAndCourierFallsBackToFixedPitch)
{
    SysFont regular("DejaVu Sans", 12);
    SysFont bold("DejaVu Sans", 12, true);
    EXPECT_GT(bold.StringWidth("Bold text"), regular.StringWidth("Bold text"));
    SysFont courier("Courier New", 12);
    ASSERT_TRUE(courier.HasFace());
    EXPECT_EQ(courier.StringWidth("iiii"), courier.StringWidth("WWWW"));
}

TEST_F(SysFontDrawTest, DrawsTextColourInsideItsBoxOnly)
{
    SysFont font("DejaVu Sans", 14);
    const std::string text = "Hgjy";
    const Color red(250, 10, 10);
    const int x = 10;
    const int y = 40;
    Draw(font, text, red, x, y);
    const Rect box(x, y - font.GetAscent(), font.StringWidth(text), font.GetHeight());
    const PixelBox changed = Changed();
    ASSERT_GT(changed.mCount, 0);
    EXPECT_GE(changed.mLeft, box.mX);
    EXPECT_GE(changed.mTop, box.mY);
    EXPECT_LT(changed.mRight, box.mX + box.mWidth);
    EXPECT_LT(changed.mBottom, box.mY + box.mHeight);
    // Fully covered pixels take the text colour exactly.
    EXPECT_GT(Find([&](const uint32_t pixel) { return pixel == red.ToInt(); }).mCount, 10);
}

TEST_F(SysFontDrawTest, TranslationMovesTheText)
{
    SysFont font("DejaVu Sans", 14);
    Draw(font, "Move", Color::White, 10, 30);
    const PixelBox plain = Changed();
    SetUp();
    Draw(font, "Move", Color::White, 10, 30, 25, 17);
    const PixelBox moved = Changed();
    ASSERT_GT(plain.mCount, 0);
    EXPECT_EQ(moved.mCount, plain.mCount);
    EXPECT_EQ(moved.mLeft, plain.mLeft + 25);
    EXPECT_EQ(moved.mTop, plain.mTop + 17);
    EXPECT_EQ(moved.mRight, plain.mRight + 25);
    EXPECT_EQ(moved.mBottom, plain.mBottom + 17);
}

TEST_F(SysFontDrawTest, ShadowIsBlackOnePixelRightAndBelow)
{
    SysFont font("DejaVu Sans", 14);
    font.mDrawShadow = true;
    Draw(font, "HI", Color::White, 10, 40);
    const PixelBox text = Find(IsBrighter);
    const PixelBox shadow = Find(IsDarker);
    ASSERT_GT(text.mCount, 0);
    ASSERT_GT(shadow.mCount, 0);
    EXPECT_EQ(shadow.mRight, text.mRight + 1);
    EXPECT_EQ(shadow.mBottom, text.mBottom + 1);
    EXPECT_GT(shadow.mLeft, text.mLeft);
    EXPECT_GT(shadow.mTop, text.mTop);
    // Pixels covered by the shadow alone are opaque black.
    EXPECT_GT(Find([](const uint32_t pixel) { return pixel == 0xFF000000; }).mCount, 0);
}

TEST_F(SysFontDrawTest, WithoutShadowNothingDarkIsDrawn)
{
    SysFont font("DejaVu Sans", 14);
    Draw(font, "HI", Color::White, 10, 40);
    EXPECT_GT(Find(IsBrighter).mCount, 0);
    EXPECT_EQ(Find(IsDarker).mCount, 0);
}

TEST_F(SysFontDrawTest, SimulatedBoldWidensTheTextByOnePixel)
{
    SysFont font("DejaVu Sans", 14);
    Draw(font, "HI", Color::White, 10, 40);
    const PixelBox plain = Changed();
    SetUp();
    font.mSimulateBold = true;
    Draw(font, "HI", Color::White, 10, 40);
    const PixelBox bold = Changed();
    EXPECT_GT(bold.mCount, plain.mCount);
    EXPECT_EQ(bold.mLeft, plain.mLeft);
    EXPECT_EQ(bold.mRight, plain.mRight + 1);
}

TEST_F(SysFontDrawTest, DuplicateDropsShadowAndSimulatedBold)
{
    SysFont plain("DejaVu Sans", 14);
    Draw(plain, "Copy", Color(0, 200, 0), 10, 40);
    const std::vector<uint32_t> expected(mImage->GetBits(), mImage->GetBits() + kImageSize * kImageSize);

    SysFont styled("DejaVu Sans", 14);
    styled.mDrawShadow = true;
    styled.mSimulateBold = true;
    const std::unique_ptr<Font> copy(styled.Duplicate());
    auto* const copyFont = dynamic_cast<SysFont*>(copy.get());
    ASSERT_NE(copyFont, nullptr);
    EXPECT_FALSE(copyFont->mDrawShadow);
    EXPECT_FALSE(copyFont->mSimulateBold);
    EXPECT_TRUE(styled.mDrawShadow);
    EXPECT_EQ(copyFont->GetHeight(), styled.GetHeight());
    EXPECT_EQ(copyFont->GetAscent(), styled.GetAscent());
    EXPECT_EQ(copyFont->StringWidth("Copy"), styled.StringWidth("Copy"));

    SetUp();
    Draw(*copyFont, "Copy", Color(0, 200, 0), 10, 40);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), mImage->GetBits()));
}

TEST_F(SysFontDrawTest, UnknownFaceFallsBackAndStillDraws)
{
    SysFont dejaVu("DejaVu Sans", 12);
    for (const std::string face : {"No Such Face Anywhere", "Tahoma", ""}) {
        SysFont font(face, 12);
        ASSERT_TRUE(font.HasFace()) << face;
        EXPECT_EQ(font.GetHeight(), dejaVu.GetHeight()) << face;
        EXPECT_EQ(font.StringWidth("Fallback"), dejaVu.StringWidth("Fallback")) << face;
        SetUp();
        Draw(font, "Fallback", Color::White, 5, 30);
        EXPECT_GT(Changed().mCount, 0) << face;
    }
}

TEST_F(SysFontDrawTest, ItalicAndUnderlineDrawInsideTheBox)
{
    SysFont font("DejaVu Sans", 14, false, true, true);
    Draw(font, "Slant", Color::White, 10, 40);
    const PixelBox changed = Changed();
    ASSERT_GT(changed.mCount, 0);
    EXPECT_GE(changed.mLeft, 10);
    EXPECT_LT(changed.mRight, 10 + font.StringWidth("Slant"));
    EXPECT_GT(changed.mBottom, 40) << "the underline lies below the baseline";
    EXPECT_LT(changed.mBottom, 40 - font.GetAscent() + font.GetHeight());
}

TEST_F(SysFontDrawTest, DefaultImageAndEmptyTextDrawNothing)
{
    SysFont font("DejaVu Sans", 14);
    Graphics measuring;
    font.DrawString(&measuring, 0, 20, "nothing", Color::White, Rect(0, 0, 100, 100));
    font.DrawString(nullptr, 0, 20, "nothing", Color::White, Rect(0, 0, 100, 100));
    Draw(font, "", Color::White, 10, 40);
    EXPECT_EQ(Changed().mCount, 0);
}

TEST_F(SysFontDrawTest, TextAtTheImageEdgeIsClipped)
{
    SysFont font("DejaVu Sans", 20);
    Draw(font, "Edge of the picture", Color::White, kImageSize - 30, 5);
    const PixelBox changed = Changed();
    EXPECT_GT(changed.mCount, 0);
    EXPECT_LT(changed.mRight, kImageSize);
    EXPECT_EQ(Pixel(0, kImageSize - 1), kBackground);
}

} // namespace
