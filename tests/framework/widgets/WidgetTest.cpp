// The widget base: the colour table, what showing, hiding, moving and disabling mark and tell
// the manager, the decoding of click counts, Tab, and the number and text drawing helpers.

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/Widget.h"
#include "tests/framework/widgets/RecordingWidget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using Tests::EventLog;
using Tests::RecordingWidget;
using Zest::Color;
using Zest::Point;
using Zest::Rect;
using Zest::WidgetManager;

const Color kOpaqueBlack(0, 0, 0, 255);

// One pixel per character, ascent 8, height 12; records every string it is asked to draw.
class StubFont : public Zest::Font {
public:
    StubFont()
    {
        mAscent = 8;
        mHeight = 12;
    }

    int StringWidth(const std::string& text) override { return static_cast<int>(text.size()); }
    void DrawString(Zest::Graphics*, const int x, const int y, const std::string& text, const Color& color,
                    const Rect&) override
    {
        mCalls.push_back(text + " at " + std::to_string(x) + "," + std::to_string(y) + " rgb " +
                         std::to_string(color.mRed) + " " + std::to_string(color.mGreen) + " " +
                         std::to_string(color.mBlue));
    }
    Font* Duplicate() const override { return new StubFont(*this); }

    std::vector<std::string> mCalls;
};

std::string Format(const Rect& rect)
{
    return std::to_string(rect.mX) + " " + std::to_string(rect.mY) + " " + std::to_string(rect.mWidth) + " " +
           std::to_string(rect.mHeight);
}

class WidgetBaseTest : public Tests::WidgetTest {
protected:
    RecordingWidget* Add(const std::string& name, const int x, const int y, const int width, const int height)
    {
        RecordingWidget* widget = Make(name, x, y, width, height);
        mManager.AddWidget(widget);
        return widget;
    }

    // Draws once so that every dirty flag is clear, then forgets what that logged.
    void ClearMarks()
    {
        mManager.DrawScreen();
        mManager.mDirty = false;
        mLog.clear();
    }
};

// ---------------------------------------------------------------------------------------------
// Colours

TEST_F(WidgetBaseTest, SetColorGrowsTheTableWithOpaqueBlack)
{
    RecordingWidget* widget = Make("w");
    const Color color(10, 20, 30, 40);
    widget->SetColor(3, color);

    ASSERT_EQ(widget->mColors.size(), 4u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(widget->GetColor(i), kOpaqueBlack) << i;
    EXPECT_EQ(widget->GetColor(3), color);

    // Within the table only the entry changes.
    widget->SetColor(1, color);
    EXPECT_EQ(widget->mColors.size(), 4u);
    EXPECT_EQ(widget->GetColor(1), color);
}

TEST_F(WidgetBaseTest, ColorsPastTheEndReadTheDefaultOrTheFallback)
{
    RecordingWidget* widget = Make("w");
    const Color color(1, 2, 3, 4);
    const Color fallback(9, 8, 7, 6);
    widget->SetColor(5, color);

    EXPECT_EQ(widget->GetColor(10), kOpaqueBlack);
    EXPECT_EQ(widget->GetColorOr(10, fallback), fallback);
    EXPECT_EQ(widget->GetColorOr(6, fallback), fallback);
    EXPECT_EQ(widget->GetColorOr(5, fallback), color);
    EXPECT_EQ(widget->GetColorOr(0, fallback), kOpaqueBlack);
}

// Sees every entry of a whole table that is set.
class ColorCountingWidget : public Zest::Widget {
public:
    void SetColor(const int index, const Color& color) override
    {
        mIndices.push_back(index);
        Widget::SetColor(index, color);
    }

    std::vector<int> mIndices;
};

TEST_F(WidgetBaseTest, SettingAWholeTableReplacesItThroughSetColor)
{
    ColorCountingWidget widget;
    widget.SetColor(5, Color(1, 1, 1));
    widget.mIndices.clear();

    const int32_t rgb[][3] = {{10, 20, 30}, {40, 50, 60}};
    widget.SetColors(rgb, 2);
    EXPECT_EQ(widget.mIndices, (std::vector<int>{0, 1}));
    ASSERT_EQ(widget.mColors.size(), 2u);
    EXPECT_EQ(widget.GetColor(1), Color(40, 50, 60, 255));

    const int32_t rgba[][4] = {{1, 2, 3, 4}};
    widget.SetColorsRGBA(rgba, 1);
    ASSERT_EQ(widget.mColors.size(), 1u);
    EXPECT_EQ(widget.GetColor(0), Color(1, 2, 3, 4));
}

// ---------------------------------------------------------------------------------------------
// Visibility, size and the disabled state

TEST_F(WidgetBaseTest, HidingTwiceMarksAndLeavesOnce)
{
    RecordingWidget* below = Add("below", 0, 0, 100, 100);
    RecordingWidget* widget = Add("w", 0, 0, 50, 50);
    mManager.MouseMove(10, 10);
    ClearMarks();

    widget->SetVisible(false);
    EXPECT_TRUE(below->mDirty);
    EXPECT_TRUE(mManager.mDirty);
    EXPECT_EQ(mLog, (EventLog{"w:MouseLeave", "below:MouseEnter", "below:MouseMove 10,10"}));

    ClearMarks();
    widget->SetVisible(false);
    EXPECT_FALSE(mManager.mDirty);
    EXPECT_FALSE(below->mDirty);
    EXPECT_EQ(mLog, EventLog{});

    widget->SetVisible(true);
    EXPECT_EQ(mLog, (EventLog{"below:MouseLeave", "w:MouseEnter", "w:MouseMove 10,10"}));
}

TEST_F(WidgetBaseTest, ResizeToTheSameRectMarksNothing)
{
    RecordingWidget* below = Add("below", 0, 0, 100, 100);
    RecordingWidget* widget = Add("w", 10, 10, 20, 20);
    ClearMarks();

    widget->Resize(10, 10, 20, 20);
    widget->ResizeToRect(Rect(10, 10, 20, 20));
    widget->Move(10, 10);
    EXPECT_FALSE(mManager.mDirty);
    EXPECT_FALSE(widget->mDirty);
    EXPECT_FALSE(below->mDirty);

    // A move redraws what lay under the old place.
    widget->Move(30, 40);
    EXPECT_EQ(Format(widget->GetRect()), "30 40 20 20");
    EXPECT_TRUE(widget->mDirty);
    EXPECT_TRUE(below->mDirty);
}

TEST_F(WidgetBaseTest, ContainsExcludesTheRightAndBottomEdges)
{
    const RecordingWidget* widget = Make("w", 10, 20, 30, 40);
    const struct {
        int mX;
        int mY;
        bool mInside;
    } cases[] = {{10, 20, true}, {39, 59, true}, {40, 59, false}, {39, 60, false}, {9, 20, false}, {10, 19, false}};
    for (const auto& test : cases)
        EXPECT_EQ(widget->Contains(test.mX, test.mY), test.mInside) << test.mX << "," << test.mY;
}

TEST_F(WidgetBaseTest, DisablingUnderTheMouseReleasesItAndEnablingEntersAgain)
{
    RecordingWidget* widget = Add("w", 0, 0, 50, 50);
    widget->mWantsFocus = true;
    mManager.MouseMove(10, 10);
    mManager.MouseDown(10, 10, 1);
    ASSERT_EQ(mManager.mFocusWidget, widget);
    mLog.clear();

    widget->SetDisabled(true);
    EXPECT_EQ(mLog, (EventLog{"w:MouseLeave", "w:MouseUpAt 10,10", "w:MouseButtonUp 10,10 0 1", "w:LostFocus"}));
    EXPECT_EQ(mManager.mOverWidget, nullptr);
    EXPECT_EQ(mManager.mPressedWidget, nullptr);
    EXPECT_EQ(mManager.mFocusWidget, nullptr);

    mLog.clear();
    widget->SetDisabled(true);
    mManager.MouseUp(12, 12, 1);
    EXPECT_EQ(mLog, EventLog{});

    widget->SetDisabled(false);
    EXPECT_EQ(mLog, (EventLog{"w:MouseEnter", "w:MouseMove 12,12"}));

    // Enabled with the mouse elsewhere, it waits for the mouse to come.
    widget->SetDisabled(true);
    mManager.MouseMove(200, 200);
    mLog.clear();
    widget->SetDisabled(false);
    EXPECT_EQ(mLog, EventLog{});
}

TEST_F(WidgetBaseTest, HandCursorNeedsAManager)
{
    RecordingWidget* widget = Make("w");
    mApp.mCursorKind = 7;
    widget->ShowHandCursor(true);
    EXPECT_EQ(mApp.mCursorKind, 7);

    mManager.AddWidget(widget);
    widget->ShowHandCursor(true);
    EXPECT_EQ(mApp.mCursorKind, 1);
    widget->ShowHandCursor(false);
    EXPECT_EQ(mApp.mCursorKind, 0);
}

// ---------------------------------------------------------------------------------------------
// Mouse and keys

TEST_F(WidgetBaseTest, ClickCountsDecodeIntoButtonAndCount)
{
    RecordingWidget* widget = Make("w");
    const struct {
        int mClickCount;
        const char* mButtonAndCount;
    } cases[] = {{1, "0 1"}, {2, "0 2"}, {0, "0 0"}, {-1, "1 1"}, {-2, "1 2"}, {3, "2 1"}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.mClickCount);
        mLog.clear();
        widget->MouseDown(4, 5, test.mClickCount);
        EXPECT_EQ(mLog, EventLog{"w:MouseButtonDown 4,5 " + std::string(test.mButtonAndCount)});

        mLog.clear();
        widget->MouseUp(4, 5, test.mClickCount);
        EXPECT_EQ(mLog, (EventLog{"w:MouseUpAt 4,5", "w:MouseButtonUp 4,5 " + std::string(test.mButtonAndCount)}));
    }
}

struct TabCase {
    const char* mName;
    int mKey;
    bool mShift;
    bool mHasPrev;
    bool mHasNext;
    const char* mFocus;
};

const TabCase kTabCases[] = {
    {"TabGoesToNext", WidgetManager::kKeyTab, false, true, true, "next"},
    {"ShiftTabGoesToPrev", WidgetManager::kKeyTab, true, true, true, "prev"},
    {"ShiftTabWithoutPrevKeepsFocus", WidgetManager::kKeyTab, true, false, true, "w"},
    {"TabWithoutNextKeepsFocus", WidgetManager::kKeyTab, false, true, false, "w"},
    {"OtherKeyKeepsFocus", 'A', false, true, true, "w"},
};

class WidgetBaseTabTest : public WidgetBaseTest, public ::testing::WithParamInterface<TabCase> {};

TEST_P(WidgetBaseTabTest, TabFollowsTheLinks)
{
    const TabCase& test = GetParam();
    RecordingWidget* widget = Add("w", 0, 0, 10, 10);
    RecordingWidget* prev = Add("prev", 20, 0, 10, 10);
    RecordingWidget* next = Add("next", 40, 0, 10, 10);
    widget->mTabPrev = test.mHasPrev ? prev : nullptr;
    widget->mTabNext = test.mHasNext ? next : nullptr;
    mManager.SetFocus(widget);
    if (test.mShift)
        mManager.KeyDown(WidgetManager::kKeyShift);

    mManager.KeyDown(test.mKey);
    ASSERT_NE(mManager.mFocusWidget, nullptr);
    EXPECT_EQ(static_cast<RecordingWidget*>(mManager.mFocusWidget)->mName, test.mFocus);
    EXPECT_EQ(widget->mHasFocus, std::string(test.mFocus) == "w");
}

INSTANTIATE_TEST_SUITE_P(WidgetBase, WidgetBaseTabTest, ::testing::ValuesIn(kTabCases),
                         [](const auto& info) { return std::string(info.param.mName); });

// ---------------------------------------------------------------------------------------------
// Numbers and text

TEST_F(WidgetBaseTest, GetNumDigitsCountsEveryDigitUpToIntMax)
{
    RecordingWidget* widget = Make("w");
    const struct {
        int mNumber;
        int mDigits;
    } cases[] = {{0, 1},          {9, 1},          {10, 2},          {999, 3},      {1000, 4},
                 {999999999, 9},  {1000000000, 10}, {INT_MAX, 10},   {-5, 1},       {-100000, 1},
                 {INT_MIN, 1}};
    for (const auto& test : cases)
        EXPECT_EQ(widget->GetNumDigits(test.mNumber), test.mDigits) << test.mNumber;
}

// A strip of the ten digits, each a cel of 3 x 2 pixels in its own colour.
class WidgetBaseStripTest : public WidgetBaseTest {
protected:
    static constexpr int kCelWidth = 3;
    static constexpr int kCelHeight = 2;

    WidgetBaseStripTest()
    {
        std::vector<uint32_t> bits(10 * kCelWidth * kCelHeight);
        for (size_t i = 0; i < bits.size(); ++i)
            bits[i] = DigitColor(static_cast<int>(i % (10 * kCelWidth)) / kCelWidth);
        mStrip.SetBits(bits.data(), 10 * kCelWidth, kCelHeight, true);
    }

    // The digit in the red channel, with room for the blend's rounding.
    static uint32_t DigitColor(const int digit) { return 0xFF000000u | (static_cast<uint32_t>(digit * 25 + 12) << 16); }

    // A row of the screen as digits, '.' where nothing was drawn.
    std::string ReadRow(const int x, const int y, const int count)
    {
        std::string row;
        for (int i = 0; i < count; ++i) {
            const uint32_t pixel = mScreen.GetBits()[y * mScreen.GetWidth() + x + i];
            row += pixel == 0 ? '.' : static_cast<char>('0' + ((pixel >> 16) & 0xFF) / 25);
        }
        return row;
    }

    Zest::MemoryImage mStrip{&mApp};
};

TEST_F(WidgetBaseStripTest, WriteNumberFromStripDrawsOneCelPerDigit)
{
    RecordingWidget* widget = Make("w");
    const struct {
        int mNumber;
        int mSpacing;
        const char* mRow;
    } cases[] = {
        {105, 2, "111..000..555.."},
        {0, 2, "000.."},
        {7, 0, "777."},
        {1234567890, 0, "111222333444555666777888999000."},
        {INT_MAX, 1, "222.111.444.777.444.888.333.666.444.777.."},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.mNumber);
        std::fill_n(mScreen.GetBits(), mScreen.GetWidth() * mScreen.GetHeight(), 0u);
        mScreen.BitsChanged();
        Zest::Graphics g(&mScreen);
        widget->WriteNumberFromStrip(&g, test.mNumber, 10, 20, &mStrip, test.mSpacing);

        const std::string row = test.mRow;
        const int count = static_cast<int>(row.size());
        EXPECT_EQ(ReadRow(9, 20, count + 1), "." + row);
        EXPECT_EQ(ReadRow(9, 21, count + 1), "." + row);
        EXPECT_EQ(ReadRow(9, 19, count + 1), std::string(count + 1, '.'));
        EXPECT_EQ(ReadRow(9, 22, count + 1), std::string(count + 1, '.'));
    }
}

class WidgetBaseTextTest : public WidgetBaseTest {
protected:
    WidgetBaseTextTest()
    {
        mGraphics.SetFont(&mFont);
        mWidget->mWidth = 100;
    }

    StubFont mFont;
    Zest::Graphics mGraphics{&mScreen};
    RecordingWidget* mWidget = Make("w");
};

TEST_F(WidgetBaseTextTest, CenteredLineWithShadowCoversBothDraws)
{
    const Color red(255, 0, 0);
    const Color black(0, 0, 0);
    const std::string text(40, 'x');
    const struct {
        Point mOffset;
        const char* mRect;
        const char* mShadowAt;
    } cases[] = {
        {{2, 3}, "30 42 42 15", " at 32,53 rgb 0 0 0"},
        {{-2, -3}, "28 39 42 15", " at 28,47 rgb 0 0 0"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.mRect);
        mFont.mCalls.clear();
        mGraphics.SetColor(Color(1, 2, 3));
        const Rect rect = mWidget->WriteCenteredLineWithShadow(&mGraphics, 50, text, red, black, test.mOffset);
        EXPECT_EQ(Format(rect), test.mRect);
        EXPECT_EQ(mFont.mCalls, (std::vector<std::string>{text + test.mShadowAt, text + " at 30,50 rgb 255 0 0"}));
        EXPECT_EQ(mGraphics.GetColor(), red);
    }
}

TEST_F(WidgetBaseTextTest, CenteredLineTruncatesTowardZero)
{
    const struct {
        int mTextWidth;
        const char* mRect;
    } cases[] = {{40, "30 42 40 12"}, {41, "29 42 41 12"}, {105, "-2 42 105 12"}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.mTextWidth);
        mFont.mCalls.clear();
        const std::string text(static_cast<size_t>(test.mTextWidth), 'x');
        const Rect rect = mWidget->WriteCenteredLine(&mGraphics, 50, text);
        EXPECT_EQ(Format(rect), test.mRect);
        ASSERT_EQ(mFont.mCalls.size(), 1u);
        EXPECT_EQ(mFont.mCalls[0], text + " at " + std::to_string(rect.mX) + ",50 rgb 0 0 0");
    }
}

TEST_F(WidgetBaseTextTest, WriteStringReadsColourCodesAndRestoresTheSwitch)
{
    mGraphics.mWriteColoredString = false;
    EXPECT_EQ(mWidget->WriteString(&mGraphics, "^FF0000^ab", 5, 20, -1, -1, true, 0, -1), 2);
    EXPECT_EQ(mFont.mCalls, std::vector<std::string>{"ab at 5,20 rgb 255 0 0"});
    EXPECT_FALSE(mGraphics.mWriteColoredString);
}

} // namespace
