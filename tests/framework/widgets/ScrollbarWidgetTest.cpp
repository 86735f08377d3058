// The scroll bar: thumb size and position (also for an empty range and a page as large as
// the range), clamping and what it reports, enabling and hiding, the repeat timing of the
// arrows and the track, dragging the thumb, and the drawn bar and arrows.

#include "framework/graphics/Color.h"
#include "framework/widgets/Listeners.h"
#include "framework/widgets/ScrollbarWidget.h"
#include "framework/widgets/ScrollbuttonWidget.h"
#include "tests/framework/widgets/RecordingWidget.h"
#include "tests/framework/widgets/WidgetPixels.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Tests::RedrawAll;
using Tests::ShowsColor;
using Zest::Color;
using Zest::ScrollbarWidget;
using Zest::ScrollbuttonWidget;

constexpr int kId = 3;
constexpr int kLeft = 100;
constexpr int kTop = 100;
// 16-pixel arrow buttons at both ends leave a 200-pixel track.
constexpr int kThickness = 16;
constexpr int kLength = 232;

const Color kFace(212, 212, 212);
const Color kTrack(232, 232, 232);
const Color kPagedTrack(48, 48, 48);
const Color kShade(132, 132, 132);
const Color kBlack(0, 0, 0);

class RecordingScrollListener : public Zest::ScrollListener {
public:
    void ScrollPositionChanged(const int id, const double position) override
    {
        EXPECT_EQ(id, kId);
        mPositions.push_back(position);
    }

    std::vector<double> mPositions;
};

// A managed bar at (kLeft, kTop), kLength along.
class ScrollbarTest : public Tests::WidgetTest {
protected:
    ~ScrollbarTest() override { mManager.RemoveAllWidgets(false, true); }

    ScrollbarWidget* AddBar(const bool horizontal, const double maxValue, const double pageSize)
    {
        mBar = std::make_unique<ScrollbarWidget>(kId, &mListener);
        mBar->SetHorizontal(horizontal);
        if (horizontal)
            mBar->ResizeScrollbar(kLeft, kTop, kLength, kThickness);
        else
            mBar->ResizeScrollbar(kLeft, kTop, kThickness, kLength);
        mBar->SetMaxValue(maxValue);
        mBar->SetPageSize(pageSize);
        mManager.AddWidget(mBar.get());
        mListener.mPositions.clear();
        return mBar.get();
    }

    // A point on the bar, `along` from its start and halfway across.
    void Press(const int along)
    {
        const bool horizontal = mBar->mHorizontal;
        mPoint = horizontal ? Zest::Point(kLeft + along, kTop + kThickness / 2)
                            : Zest::Point(kLeft + kThickness / 2, kTop + along);
        mManager.MouseDown(mPoint.mX, mPoint.mY, 1);
    }
    void Release() { mManager.MouseUp(mPoint.mX, mPoint.mY, 1); }

    // Runs that many fixed updates and returns the ticks (counted from 1) after which the
    // value had changed.
    std::vector<int> TicksWithChanges(const int ticks)
    {
        std::vector<int> changed;
        for (int tick = 1; tick <= ticks; ++tick) {
            const double before = mBar->mValue;
            mManager.UpdateFrame();
            if (mBar->mValue != before)
                changed.push_back(tick);
        }
        return changed;
    }

    // A pixel of the screen, relative to the bar's corner.
    uint32_t Pixel(const int x, const int y) { return mScreen.GetBits()[(kTop + y) * 800 + kLeft + x]; }

    RecordingScrollListener mListener;
    std::unique_ptr<ScrollbarWidget> mBar;
    Zest::Point mPoint;
};

TEST_F(ScrollbarTest, ThumbSizeAndPositionFollowRangePageAndValue)
{
    struct Case {
        double maxValue;
        double pageSize;
        double value;
        int size;
        int position;
    };
    const Case cases[] = {
        {100, 10, 0, 20, 16},
        // The thumb's end meets the track's end (16 + 200).
        {100, 10, 90, 20, 196},
        {100, 10, 45, 20, 106},
        // 2 pixels by proportion, drawn 8 long.
        {1000, 10, 0, 8, 16},
        // Nothing to scroll: no thumb.
        {10, 20, 0, 0, 16},
        {0, 0, 0, 0, 16},
        // A page exactly as large as the range fills the track and cannot move.
        {50, 50, 0, 200, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.maxValue << " / " << c.pageSize << " at " << c.value);
        ScrollbarWidget* const bar = AddBar(false, c.maxValue, c.pageSize);
        bar->SetValue(c.value);
        EXPECT_EQ(bar->GetTrackSize(), 200);
        EXPECT_EQ(bar->GetThumbSize(), c.size);
        EXPECT_EQ(bar->GetThumbPosition(), c.position);
        mManager.RemoveAllWidgets(false, true);
    }
}

TEST_F(ScrollbarTest, ValueIsClampedAndReportedByTheClampAndBySetValue)
{
    ScrollbarWidget* const bar = AddBar(false, 100, 10);
    bar->SetValue(1000);
    EXPECT_EQ(bar->mValue, 90);
    EXPECT_EQ(mListener.mPositions, (std::vector<double>{90, 90}));

    mListener.mPositions.clear();
    bar->SetValue(-5);
    EXPECT_EQ(bar->mValue, 0);
    // Shrinking the range moves nothing at 0, so only the clamp of a moved value reports.
    bar->SetMaxValue(50);
    bar->SetValue(40);
    bar->SetMaxValue(20);
    EXPECT_EQ(bar->mValue, 10);
    EXPECT_EQ(mListener.mPositions, (std::vector<double>{0, 0, 40, 10}));
}

TEST_F(ScrollbarTest, BarWithNothingToScrollIsDisabledAndHiddenWhenAsked)
{
    struct Case {
        double maxValue;
        double pageSize;
        bool invisIfNoScroll;
        bool enabled;
        bool visible;
    };
    const Case cases[] = {
        {100, 10, false, true, true},   {100, 10, true, true, true},  {10, 10, false, false, true},
        {10, 10, true, false, false},   {5, 10, true, false, false},  {0, 0, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.maxValue << " / " << c.pageSize << (c.invisIfNoScroll ? " hiding" : ""));
        ScrollbarWidget* const bar = AddBar(false, 100, 10);
        bar->SetValue(50);
        bar->SetInvisIfNoScroll(c.invisIfNoScroll);
        bar->SetMaxValue(c.maxValue);
        bar->SetPageSize(c.pageSize);
        for (const Zest::Widget* widget : {static_cast<Zest::Widget*>(bar), static_cast<Zest::Widget*>(bar->mUpButton),
                                           static_cast<Zest::Widget*>(bar->mDownButton)}) {
            EXPECT_EQ(widget->mDisabled, !c.enabled);
            EXPECT_EQ(widget->mVisible, c.visible);
        }
        if (!c.enabled) {
            EXPECT_EQ(bar->mValue, 0);
        }
        mManager.RemoveAllWidgets(false, true);
    }
}

TEST_F(ScrollbarTest, AtBottomWithinOneOfTheEnd)
{
    ScrollbarWidget* const bar = AddBar(false, 100, 10);
    bar->SetValue(89);
    EXPECT_TRUE(bar->AtBottom());
    bar->SetValue(88.5);
    EXPECT_FALSE(bar->AtBottom());
    bar->GoToBottom();
    EXPECT_EQ(bar->mValue, 90);
}

TEST_F(ScrollbarTest, HeldArrowStepsAtThePressThenFromTheTwentyFifthTickEveryTick)
{
    struct Case {
        int along;
        double start;
        double step;
    };
    // The second button ends the bar; the first starts it.
    const Case cases[] = {{kLength - 8, 0, 1}, {8, 50, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.along);
        ScrollbarWidget* const bar = AddBar(false, 100, 10);
        bar->SetValue(c.start);
        Press(c.along);
        EXPECT_EQ(bar->mValue, c.start + c.step);
        EXPECT_EQ(TicksWithChanges(30), (std::vector<int>{25, 26, 27, 28, 29, 30}));
        EXPECT_EQ(bar->mValue, c.start + 7 * c.step);
        Release();
        EXPECT_TRUE(TicksWithChanges(5).empty());
        mManager.RemoveAllWidgets(false, true);
    }
}

TEST_F(ScrollbarTest, HeldTrackPagesAtThePressThenEveryFifthTickUntilTheThumbReachesTheMouse)
{
    struct Case {
        bool horizontal;
        double start;
        int along;
        double afterPress;
        std::vector<int> pagedAt;
        double end;
    };
    // The thumb (20 long) lies at 16 + 2 * value.
    const Case cases[] = {
        {false, 0, 150, 10, {25, 30, 35, 40, 45}, 60},
        {true, 90, 50, 80, {25, 30, 35, 40, 45, 50, 55}, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.horizontal ? "horizontal" : "vertical");
        ScrollbarWidget* const bar = AddBar(c.horizontal, 100, 10);
        bar->SetValue(c.start);
        Press(c.along);
        EXPECT_EQ(bar->mValue, c.afterPress);
        EXPECT_EQ(TicksWithChanges(80), c.pagedAt);
        EXPECT_EQ(bar->mValue, c.end);
        EXPECT_EQ(bar->mPagingMode, 0);
        Release();
        mManager.RemoveAllWidgets(false, true);
    }
}

TEST_F(ScrollbarTest, DraggedThumbSetsTheValueOfItsPosition)
{
    ScrollbarWidget* const bar = AddBar(false, 100, 10);
    Press(26);
    EXPECT_TRUE(bar->mThumbPressed);
    EXPECT_TRUE(mListener.mPositions.empty());
    // Thumb from 16 to 106: 90 of the 180 pixels it can travel.
    mManager.MouseMove(mPoint.mX, mPoint.mY + 90);
    EXPECT_EQ(bar->mValue, 45);
    mManager.MouseMove(mPoint.mX, mPoint.mY + 500);
    EXPECT_EQ(bar->mValue, 90);
    Release();
    EXPECT_FALSE(bar->mThumbPressed);
    EXPECT_EQ(mListener.mPositions, (std::vector<double>{45, 90, 90}));
}

TEST_F(ScrollbarTest, ThumbWithNoRoomToMoveLeavesTheValueAlone)
{
    // Tracks of 8 pixels (exactly the thumb's minimum) and of 4 (shorter than it).
    for (const int track : {8, 4}) {
        SCOPED_TRACE(track);
        ScrollbarWidget* const bar = AddBar(false, 100, 10);
        bar->ResizeScrollbar(kLeft, kTop, kThickness, 2 * kThickness + track);
        bar->SetValue(30);
        mListener.mPositions.clear();
        for (const int position : {kThickness, kThickness + 2, kThickness + 20}) {
            bar->SetThumbPosition(position);
            EXPECT_EQ(bar->mValue, 30);
        }
        EXPECT_TRUE(mListener.mPositions.empty());
        mManager.RemoveAllWidgets(false, true);
    }
}

TEST_F(ScrollbarTest, DrawsTheTrackThePagedPartAndTheBevelledThumb)
{
    AddBar(false, 100, 10);
    RedrawAll(mManager, mScreen);
    // Thumb at 16..35: light top edge, grey face, black bottom edge.
    EXPECT_TRUE(ShowsColor(Color(255, 255, 255), Pixel(8, 17)));
    EXPECT_TRUE(ShowsColor(kFace, Pixel(8, 25)));
    EXPECT_TRUE(ShowsColor(kShade, Pixel(8, 34)));
    EXPECT_TRUE(ShowsColor(kBlack, Pixel(8, 35)));
    EXPECT_TRUE(ShowsColor(kTrack, Pixel(8, 100)));

    Press(150);
    RedrawAll(mManager, mScreen);
    EXPECT_TRUE(ShowsColor(kPagedTrack, Pixel(8, 150)));
    EXPECT_TRUE(ShowsColor(kTrack, Pixel(8, 17)));
    Release();
    RedrawAll(mManager, mScreen);
    EXPECT_TRUE(ShowsColor(kTrack, Pixel(8, 150)));
}

TEST_F(ScrollbarTest, ArrowsPointAwayFromTheTrackAndGreyWhenDisabled)
{
    struct Case {
        int id;
        bool horizontal;
        // The arrow's tip and the pixel just beyond it, in a 16x16 button.
        Zest::Point tip;
        Zest::Point beyond;
        // Its widest row or column, 7 pixels from this end to the other.
        Zest::Point baseStart;
        Zest::Point baseEnd;
    };
    const Case cases[] = {
        {0, false, {7, 6}, {7, 5}, {4, 9}, {10, 9}},
        {1, false, {7, 9}, {7, 10}, {4, 6}, {10, 6}},
        {0, true, {6, 7}, {5, 7}, {9, 4}, {9, 10}},
        {1, true, {9, 7}, {10, 7}, {6, 4}, {6, 10}},
    };
    for (const Case& c : cases) {
        for (const bool disabled : {false, true}) {
            SCOPED_TRACE(testing::Message() << "id " << c.id << (c.horizontal ? " horizontal" : " vertical")
                                            << (disabled ? " disabled" : ""));
            ScrollbuttonWidget button(c.id, nullptr);
            button.mHorizontal = c.horizontal;
            button.Resize(kLeft, kTop, 16, 16);
            button.SetDisabled(disabled);
            mManager.AddWidget(&button);
            RedrawAll(mManager, mScreen);
            const Color arrow = disabled ? kShade : kBlack;
            EXPECT_TRUE(ShowsColor(arrow, Pixel(c.tip.mX, c.tip.mY)));
            EXPECT_TRUE(ShowsColor(kFace, Pixel(c.beyond.mX, c.beyond.mY)));
            EXPECT_TRUE(ShowsColor(arrow, Pixel(c.baseStart.mX, c.baseStart.mY)));
            EXPECT_TRUE(ShowsColor(arrow, Pixel(c.baseEnd.mX, c.baseEnd.mY)));
            mManager.RemoveWidget(&button);
        }
    }
}

} // namespace
