// The list widget: inserting in byte order, sorting with padded and chained keys, the
// hilite and selection after lines are removed, how many lines fit and which are drawn
// where and in which colour, the hilite under the mouse, clicks, the wheel and closing;
// across a chain of two lists where it matters.

#include "framework/graphics/Color.h"
#include "framework/widgets/ListWidget.h"
#include "framework/widgets/Listeners.h"
#include "framework/widgets/ScrollbarWidget.h"
#include "tests/framework/widgets/RecordingFont.h"
#include "tests/framework/widgets/RecordingWidget.h"
#include "tests/framework/widgets/WidgetPixels.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Tests::DrawnText;
using Tests::RecordingFont;
using Tests::RedrawAll;
using Tests::ShowsColor;
using Zest::Color;
using Zest::ListWidget;
using Zest::ScrollbarWidget;

using Lines = std::vector<std::string>;

constexpr int kFirstId = 11;
constexpr int kSecondId = 12;
constexpr int kLeft = 100;
constexpr int kTop = 100;

const Color kRed(255, 0, 0);
const Color kGreen(0, 255, 0);
const Color kBlue(0, 0, 255);

class RecordingListListener : public Zest::ListListener {
public:
    void ListClicked(const int id, const int index, const int clickCount) override
    {
        mCalls.push_back("Clicked " + std::to_string(id) + " " + std::to_string(index) + " " +
                         std::to_string(clickCount));
    }
    void ListClosed(const int id) override { mCalls.push_back("Closed " + std::to_string(id)); }
    void ListHiliteChanged(const int id, const int oldIndex, const int newIndex) override
    {
        mCalls.push_back("Hilite " + std::to_string(id) + " " + std::to_string(oldIndex) + " " +
                         std::to_string(newIndex));
    }

    std::vector<std::string> mCalls;
};

// Two lists chained as the columns of one table: mFirst (the head, at (kLeft, kTop), 200 by
// 100) and mSecond beside it. Neither is managed until a test adds it.
class ListTest : public Tests::WidgetTest {
protected:
    ListTest()
        : mFont(&mDrawn), mFirst(std::make_unique<ListWidget>(kFirstId, &mFont, &mListener)),
          mSecond(std::make_unique<ListWidget>(kSecondId, &mFont, &mListener))
    {
        mFirst->mChildList = mSecond.get();
        mSecond->mParentList = mFirst.get();
        mFirst->Resize(kLeft, kTop, 200, 100);
        mSecond->Resize(kLeft + 200, kTop, 100, 100);
    }
    ~ListTest() override { mManager.RemoveAllWidgets(false, true); }

    void AddLines(ListWidget* const list, const Lines& lines)
    {
        for (const std::string& line : lines)
            list->AddLine(line, false);
    }
    // Fills the second column's lines (the first column's AddLine gave it "-").
    void SetSecondColumn(const Lines& lines)
    {
        for (size_t i = 0; i < lines.size(); ++i)
            mSecond->SetLine(static_cast<int>(i), lines[i]);
    }
    ScrollbarWidget* LinkScrollbar()
    {
        mScrollbar = std::make_unique<ScrollbarWidget>(0, mFirst.get());
        mScrollbar->ResizeScrollbar(kLeft + 300, kTop, 16, 100);
        mFirst->mScrollbar = mScrollbar.get();
        return mScrollbar.get();
    }

    std::vector<DrawnText> mDrawn;
    RecordingFont mFont;
    RecordingListListener mListener;
    std::unique_ptr<ListWidget> mFirst;
    std::unique_ptr<ListWidget> mSecond;
    std::unique_ptr<ScrollbarWidget> mScrollbar;
};

TEST_F(ListTest, AlphabeticalLinesGoBeforeTheFirstGreaterLineInByteOrder)
{
    mFirst->mChildList = nullptr;
    AddLines(mFirst.get(), {"Al", "Carl"});
    EXPECT_EQ(mFirst->AddLine("Bob", true), 1);
    EXPECT_EQ(mFirst->AddLine("Dan", true), 3);
    // Bytes compare unsigned: Latin-1 letters come after every ASCII one.
    EXPECT_EQ(mFirst->AddLine("\xC9mile", true), 4);
    EXPECT_EQ(mFirst->AddLine("Abe", false), 5);
    EXPECT_EQ(mFirst->mLines, (Lines{"Al", "Bob", "Carl", "Dan", "\xC9mile", "Abe"}));
}

TEST_F(ListTest, LinesAddedToOneColumnGetAPlaceholderInTheOthersAndTheAddingListsColour)
{
    mSecond->SetColor(ListWidget::COLOR_TEXT, kRed);
    AddLines(mFirst.get(), {"a", "c"});
    SetSecondColumn({"1", "3"});
    // The place is found among the adding list's own lines.
    EXPECT_EQ(mSecond->AddLine("2", true), 1);
    EXPECT_EQ(mFirst->mLines, (Lines{"a", "-", "c"}));
    EXPECT_EQ(mSecond->mLines, (Lines{"1", "2", "3"}));
    EXPECT_EQ(mFirst->mLineColors[1], kRed);
    EXPECT_EQ(mSecond->mLineColors[1], kRed);
    EXPECT_EQ(mFirst->mLineColors[0], Color::Black);
}

TEST_F(ListTest, SortOrdersByPaddedKeysAndKeepsEqualKeysInTheirOrder)
{
    struct Case {
        Lines lines;
        int padWidth;
        bool ascending;
        Lines sorted;
        // Where each sorted line was before.
        std::vector<int> from;
    };
    const Case cases[] = {
        {{"12", "7", "100"}, 3, true, {"7", "12", "100"}, {1, 0, 2}},
        {{"12", "7", "100"}, 0, true, {"100", "12", "7"}, {2, 0, 1}},
        {{"12", "7", "100"}, 3, false, {"100", "12", "7"}, {2, 0, 1}},
        {{"b", "a", "b"}, 0, false, {"b", "b", "a"}, {0, 2, 1}},
    };
    mFirst->mChildList = nullptr;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lines[0] << " pad " << c.padWidth);
        mFirst->RemoveAll();
        AddLines(mFirst.get(), c.lines);
        // The colours tell the lines apart and must travel with them.
        const Color colors[] = {kRed, kGreen, kBlue};
        for (int i = 0; i < 3; ++i)
            mFirst->SetLineColor(i, colors[i]);
        mFirst->mSortPadWidth = c.padWidth;
        mFirst->Sort(c.ascending);
        EXPECT_EQ(mFirst->mLines, c.sorted);
        for (size_t i = 0; i < 3; ++i)
            EXPECT_EQ(mFirst->mLineColors[i], colors[c.from[i]]) << i;
    }
}

TEST_F(ListTest, SortOfAChainUsesEveryColumnsKeyAndReordersEveryColumn)
{
    struct Case {
        bool childKeyFirst;
        Lines first;
        Lines second;
    };
    // Names x, y, z with scores 2, 1, 2.
    const Case cases[] = {
        {false, {"x", "y", "z"}, {"2", "1", "2"}},
        {true, {"y", "x", "z"}, {"1", "2", "2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.childKeyFirst ? "child key first" : "own key first");
        mFirst->RemoveAll();
        AddLines(mFirst.get(), {"x", "y", "z"});
        SetSecondColumn({"2", "1", "2"});
        mFirst->mChildKeyFirst = c.childKeyFirst;
        mFirst->Sort(true);
        EXPECT_EQ(mFirst->mLines, c.first);
        EXPECT_EQ(mSecond->mLines, c.second);
    }
}

TEST_F(ListTest, RemovedLineDropsAHiliteOrSelectionThatNoLongerNamesALine)
{
    struct Case {
        int select;
        int hilite;
        int removed;
        int selectAfter;
        int hiliteAfter;
    };
    const Case cases[] = {
        {2, 2, 2, -1, -1},
        {2, 1, 0, -1, 1},
        {1, 0, 0, 1, 0},
        {0, 1, 1, 0, 1},
        // Not a line: nothing is removed.
        {2, 2, -1, 2, 2},
        {2, 2, 3, 2, 2},
    };
    ScrollbarWidget* const scrollbar = LinkScrollbar();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "remove " << c.removed << " of a, b, c");
        mFirst->RemoveAll();
        AddLines(mFirst.get(), {"a", "b", "c"});
        mFirst->SetSelect(c.select);
        mFirst->SetHilite(c.hilite);
        mSecond->SetHilite(c.hilite);
        mListener.mCalls.clear();

        mFirst->RemoveLine(c.removed);
        const int count = c.removed >= 0 && c.removed < 3 ? 2 : 3;
        for (const ListWidget* list : {mFirst.get(), mSecond.get()}) {
            EXPECT_EQ(static_cast<int>(list->mLines.size()), count);
            EXPECT_EQ(static_cast<int>(list->mLineColors.size()), count);
            EXPECT_EQ(list->mSelectIndex, c.selectAfter);
            EXPECT_EQ(list->mHiliteIndex, c.hiliteAfter);
        }
        EXPECT_EQ(scrollbar->mMaxValue, count);
        std::vector<std::string> expected;
        if (c.hiliteAfter != c.hilite) {
            expected.push_back("Hilite 11 " + std::to_string(c.hilite) + " -1");
            expected.push_back("Hilite 12 " + std::to_string(c.hilite) + " -1");
        }
        EXPECT_EQ(mListener.mCalls, expected);
    }
}

TEST_F(ListTest, RemoveAllEmptiesTheChainAndClearsTheIndices)
{
    ScrollbarWidget* const scrollbar = LinkScrollbar();
    AddLines(mFirst.get(), {"a", "b", "c"});
    EXPECT_EQ(scrollbar->mMaxValue, 3);
    mFirst->SetSelect(1);
    mSecond->SetHilite(2);
    mSecond->RemoveAll();
    for (const ListWidget* list : {mFirst.get(), mSecond.get()}) {
        EXPECT_TRUE(list->mLines.empty());
        EXPECT_TRUE(list->mLineColors.empty());
        EXPECT_EQ(list->mSelectIndex, -1);
        EXPECT_EQ(list->mHiliteIndex, -1);
    }
    EXPECT_EQ(scrollbar->mMaxValue, 3) << "the second list has no scroll bar of its own";
    mFirst->RemoveAll();
    EXPECT_EQ(scrollbar->mMaxValue, 0);
}

TEST_F(ListTest, SizeDecidesHowManyLinesFitAndWhichAreDrawnWhere)
{
    ScrollbarWidget* const scrollbar = LinkScrollbar();
    mFirst->mChildList = nullptr;
    AddLines(mFirst.get(), {"l0", "l1", "l2", "l3", "l4", "l5", "l6", "l7", "l8", "l9", "l10", "l11"});
    mFirst->Resize(kLeft, kTop, 200, 100);
    EXPECT_DOUBLE_EQ(mFirst->mVisibleLines, 5.75);
    EXPECT_DOUBLE_EQ(scrollbar->mPageSize, 5.75);

    scrollbar->SetValue(2);
    EXPECT_DOUBLE_EQ(mFirst->mScrollPosition, 2);
    mManager.AddWidget(mFirst.get());
    RedrawAll(mManager, mScreen);
    std::vector<std::string> drawn;
    for (const DrawnText& text : mDrawn)
        drawn.push_back(text.mText);
    EXPECT_EQ(drawn, (std::vector<std::string>{"l2", "l3", "l4", "l5", "l6", "l7", "l8"}));
    // Baselines one line apart from 4 pixels down plus the ascent.
    EXPECT_EQ(mDrawn[0].mX, kLeft + 4);
    EXPECT_EQ(mDrawn[0].mY, kTop + 16);
    EXPECT_EQ(mDrawn[1].mY, kTop + 32);

    // No room for a whole line and its insets: one line.
    mFirst->Resize(kLeft, kTop, 200, 24);
    EXPECT_DOUBLE_EQ(mFirst->mVisibleLines, 1);
}

TEST_F(ListTest, OptimalSizeCoversTheLinesAndTheInsets)
{
    EXPECT_EQ(mFirst->GetOptimalHeight(), 8);
    EXPECT_EQ(mFirst->GetOptimalWidth(), 16);
    AddLines(mFirst.get(), {"Al", "Carl", "Bob"});
    EXPECT_EQ(mFirst->GetOptimalHeight(), 56);
    EXPECT_EQ(mFirst->GetOptimalWidth(), 56);
}

TEST_F(ListTest, MouseHilitesTheLineUnderItInEveryColumn)
{
    struct Case {
        double scrollPosition;
        int y;
        int hilite;
    };
    const Case cases[] = {
        // The inset above the first line truncates toward it.
        {0, 3, 0},
        {0, 20, 1},
        {2.5, 28, 4},
        // Below the last of the five lines.
        {0, 4 + 16 * 5, -1},
        {2.5, 44, -1},
    };
    AddLines(mFirst.get(), {"a", "b", "c", "d", "e"});
    mManager.AddWidget(mFirst.get());
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "y " << c.y << " scrolled " << c.scrollPosition);
        mFirst->ScrollPositionChanged(0, c.scrollPosition);
        mManager.MouseMove(kLeft + 10, kTop + c.y);
        EXPECT_EQ(mFirst->mHiliteIndex, c.hilite);
        EXPECT_EQ(mSecond->mHiliteIndex, c.hilite);
        EXPECT_EQ(mApp.mCursorKind, c.hilite == -1 ? 0 : 1);
        mManager.MouseMove(700, 500);
        EXPECT_EQ(mFirst->mHiliteIndex, -1);
        EXPECT_EQ(mApp.mCursorKind, 0);
    }
    mFirst->ScrollPositionChanged(0, 0);
    mListener.mCalls.clear();
    mManager.MouseMove(kLeft + 10, kTop + 20);
    mManager.MouseMove(kLeft + 10, kTop + 22);
    EXPECT_EQ(mListener.mCalls, (std::vector<std::string>{"Hilite 11 -1 1", "Hilite 12 -1 1"}));

    mFirst->mHandCursorOnHilite = false;
    mManager.MouseMove(kLeft + 10, kTop + 40);
    EXPECT_EQ(mApp.mCursorKind, 0);
}

TEST_F(ListTest, PressOnAHilitedLineIsReportedButDoesNotSelect)
{
    AddLines(mFirst.get(), {"a", "b"});
    mManager.AddWidget(mFirst.get());
    mManager.MouseMove(kLeft + 10, kTop + 20);
    mListener.mCalls.clear();
    mManager.MouseDown(kLeft + 10, kTop + 20, 2);
    mManager.MouseUp(kLeft + 10, kTop + 20, 2);
    EXPECT_EQ(mListener.mCalls, (std::vector<std::string>{"Clicked 11 1 2"}));
    // Below the lines nothing is hilited, so nothing is clicked.
    mManager.MouseMove(kLeft + 10, kTop + 80);
    mListener.mCalls.clear();
    mManager.MouseDown(kLeft + 10, kTop + 80, 1);
    mManager.MouseUp(kLeft + 10, kTop + 80, 1);
    EXPECT_TRUE(mListener.mCalls.empty());
    EXPECT_EQ(mFirst->mSelectIndex, -1);
}

TEST_F(ListTest, WheelScrollsFiveLinesANotchThroughTheScrollBar)
{
    ScrollbarWidget* const scrollbar = LinkScrollbar();
    AddLines(mFirst.get(), Lines(20, "x"));
    scrollbar->SetValue(3);
    mFirst->MouseWheel(1);
    EXPECT_EQ(scrollbar->mValue, 0);
    EXPECT_EQ(mFirst->mScrollPosition, 0);
    mFirst->MouseWheel(-1);
    mFirst->MouseWheel(-1);
    EXPECT_EQ(scrollbar->mValue, 10);
    EXPECT_EQ(mFirst->mScrollPosition, 10);
    EXPECT_EQ(mSecond->mScrollPosition, 10);
}

TEST_F(ListTest, ListLeavingTheManagerIsClosedOnceEvenWhenNested)
{
    Tests::RecordingWidget* const parent = AddTop("parent", 0, 0, 400, 400);
    parent->AddWidget(mFirst.get());
    mManager.RemoveWidget(parent);
    parent->RemoveWidget(mFirst.get());
    EXPECT_EQ(mListener.mCalls, (std::vector<std::string>{"Closed 11"}));
}

TEST_F(ListTest, DrawsBackgroundSelectionBarOutlineAndLineColours)
{
    mFirst->mChildList = nullptr;
    AddLines(mFirst.get(), {"a", "b", "c"});
    mFirst->SetLineColor(0, kRed);
    mFirst->SetColor(ListWidget::COLOR_OUTLINE, kBlue);
    mFirst->SetSelect(1);
    mFirst->SetHilite(2);
    mManager.AddWidget(mFirst.get());
    RedrawAll(mManager, mScreen);
    const auto pixel = [&](const int x, const int y) { return mScreen.GetBits()[(kTop + y) * 800 + kLeft + x]; };

    EXPECT_TRUE(ShowsColor(kBlue, pixel(0, 0)));
    EXPECT_TRUE(ShowsColor(kBlue, pixel(199, 50)));
    EXPECT_TRUE(ShowsColor(Color(255, 255, 255), pixel(100, 10)));
    // Line 1 spans 20..35.
    EXPECT_TRUE(ShowsColor(Color(0, 0, 128), pixel(100, 20)));
    EXPECT_TRUE(ShowsColor(Color(0, 0, 128), pixel(100, 35)));
    EXPECT_TRUE(ShowsColor(Color(255, 255, 255), pixel(100, 36)));

    ASSERT_EQ(mDrawn.size(), 3u);
    EXPECT_EQ(mDrawn[0].mColor, kRed);
    EXPECT_EQ(mDrawn[1].mColor, Color(255, 255, 255));
    EXPECT_EQ(mDrawn[2].mColor, Color(0, 192, 0));
}

} // namespace
