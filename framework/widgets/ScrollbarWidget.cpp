#include "framework/widgets/ScrollbarWidget.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/ScrollbuttonWidget.h"

namespace Zest {

namespace {

const Color kTrack(232, 232, 232);
// The part of the track being paged through.
const Color kPagedTrack(48, 48, 48);

// Ticks a held arrow waits before repeating, and a held track before paging again.
constexpr int kButtonRepeatDelay = 25;
constexpr int kPagingRepeatDelay = 24;
// The paging counter restarts here after each repeat: one page every 5 ticks.
constexpr int kPagingRepeatRestart = 20;

} // namespace

ScrollbarWidget::ScrollbarWidget(const int id, ScrollListener* const listener)
    : mUpButton(new ScrollbuttonWidget(0, this)), mDownButton(new ScrollbuttonWidget(1, this)), mId(id),
      mScrollListener(listener)
{
    SetDisabled(true);
    mUpButton->SetDisabled(true);
    mDownButton->SetDisabled(true);
    AddWidget(mUpButton);
    AddWidget(mDownButton);
}

ScrollbarWidget::~ScrollbarWidget()
{
    // Only its own two buttons, whether or not something already took them out of it: a
    // child someone else added is not the bar's to delete.
    for (ScrollbuttonWidget* const button : {mUpButton, mDownButton}) {
        RemoveWidget(button);
        delete button;
    }
}

void ScrollbarWidget::SetInvisIfNoScroll(const bool invisible)
{
    mInvisIfNoScroll = invisible;
    if (!invisible)
        return;
    SetVisible(false);
    mUpButton->SetVisible(false);
    mDownButton->SetVisible(false);
}

void ScrollbarWidget::SetMaxValue(const double maxValue)
{
    mMaxValue = maxValue;
    ClampValue();
    MarkDirty();
}

void ScrollbarWidget::SetPageSize(const double pageSize)
{
    mPageSize = pageSize;
    ClampValue();
    MarkDirty();
}

void ScrollbarWidget::SetValue(const double value)
{
    mValue = value;
    ClampValue();
    // Marked before the listener runs: it may take the bar away.
    MarkDirty();
    if (mScrollListener != nullptr)
        mScrollListener->ScrollPositionChanged(mId, mValue);
}

void ScrollbarWidget::SetHorizontal(const bool horizontal)
{
    mHorizontal = horizontal;
    mUpButton->mHorizontal = horizontal;
    mDownButton->mHorizontal = horizontal;
}

void ScrollbarWidget::ResizeScrollbar(const int x, const int y, const int width, const int height)
{
    Resize(x, y, width, height);
    if (mHorizontal) {
        mUpButton->Resize(0, 0, height, height);
        mDownButton->Resize(width - height, 0, height, height);
    } else {
        mUpButton->Resize(0, 0, width, width);
        mDownButton->Resize(0, height - width, width, width);
    }
}

bool ScrollbarWidget::AtBottom() { return mMaxValue - mPageSize - mValue <= 1; }

void ScrollbarWidget::GoToBottom()
{
    mValue = mMaxValue - mPageSize;
    ClampValue();
    SetValue(mValue);
}

void ScrollbarWidget::DrawThumb(Graphics* const g, const int x, const int y, const int width, const int height)
{
    DrawRaisedBevel(g, x, y, width, height);
}

int ScrollbarWidget::GetTrackSize() { return (mHorizontal ? mWidth : mHeight) - 2 * mUpButton->mWidth; }

int ScrollbarWidget::GetThumbSize()
{
    // An empty range (0 of 0) has no thumb, like a page larger than the range.
    if (mMaxValue < mPageSize || mMaxValue <= 0)
        return 0;
    const int size = static_cast<int>(GetTrackSize() * mPageSize / mMaxValue + 0.5);
    return size < 8 ? 8 : size;
}

int ScrollbarWidget::GetThumbPosition()
{
    // With a page as large as the range the thumb has nowhere to go: it rests at the start.
    if (mMaxValue <= mPageSize)
        return mUpButton->mWidth;
    const int travel = GetTrackSize() - GetThumbSize();
    return static_cast<int>(travel * mValue / (mMaxValue - mPageSize) + 0.5) + mUpButton->mWidth;
}

void ScrollbarWidget::SetThumbPosition(const int position)
{
    // A thumb that fills the track cannot be moved to a value.
    const int travel = GetTrackSize() - GetThumbSize();
    if (travel <= 0)
        return;
    SetValue(static_cast<double>(position - mUpButton->mWidth) * (mMaxValue - mPageSize) / travel);
}

int ScrollbarWidget::ThumbCompare(const int x, const int y)
{
    const int along = mHorizontal ? x : y;
    const int position = GetThumbPosition();
    if (along < position)
        return -1;
    if (along >= position + GetThumbSize())
        return 1;
    return 0;
}

void ScrollbarWidget::ClampValue()
{
    const double old = mValue;
    if (mValue > mMaxValue - mPageSize)
        mValue = mMaxValue - mPageSize;
    if (mValue < 0)
        mValue = 0;

    const bool scrollable = mPageSize < mMaxValue;
    SetDisabled(!scrollable);
    mUpButton->SetDisabled(!scrollable);
    mDownButton->SetDisabled(!scrollable);
    if (mInvisIfNoScroll) {
        SetVisible(scrollable);
        mUpButton->SetVisible(scrollable);
        mDownButton->SetVisible(scrollable);
    }

    if (mValue != old && mScrollListener != nullptr)
        mScrollListener->ScrollPositionChanged(mId, mValue);
}

void ScrollbarWidget::Update()
{
    Widget::Update();
    if (mPagingMode == 0)
        return;
    // The thumb has reached the mouse when the mouse is no longer on the paged side.
    const int pagedSide = mPagingMode == 1 ? -1 : 1;
    if (ThumbCompare(mLastX, mLastY) != pagedSide) {
        mPagingMode = 0;
        MarkDirty();
        return;
    }
    if (++mPagingTicks > kPagingRepeatDelay) {
        PageFor(mPagingMode);
        mPagingTicks = kPagingRepeatRestart;
    }
}

void ScrollbarWidget::Draw(Graphics* const g)
{
    const int size = GetThumbSize();
    const int position = GetThumbPosition();
    const int length = mHorizontal ? mWidth : mHeight;
    const int across = mHorizontal ? mHeight : mWidth;
    // Rectangles along the bar, turned for a vertical bar.
    const auto fill = [&](const int start, const int extent) {
        if (mHorizontal)
            g->FillRect(start, 0, extent, across);
        else
            g->FillRect(0, start, across, extent);
    };

    g->SetColor(mPagingMode == 1 ? kPagedTrack : kTrack);
    fill(0, position);
    if (size > 0) {
        if (mHorizontal)
            DrawThumb(g, position, 0, size, across);
        else
            DrawThumb(g, 0, position, across, size);
    }
    g->SetColor(mPagingMode == 2 ? kPagedTrack : kTrack);
    fill(position + size, length - position - size);
}

void ScrollbarWidget::MouseButtonDown(const int x, const int y, const int button, const int clickCount)
{
    if (mDisabled)
        return;
    switch (ThumbCompare(x, y)) {
    case -1:
        PageFor(1);
        mPagingMode = 1;
        mPagingTicks = 0;
        break;
    case 0:
        mThumbPressed = true;
        mPressThumbPos = GetThumbPosition();
        mPressX = x;
        mPressY = y;
        break;
    default:
        PageFor(2);
        mPagingMode = 2;
        mPagingTicks = 0;
        break;
    }
    mLastX = x;
    mLastY = y;
}

void ScrollbarWidget::MouseDrag(const int x, const int y)
{
    if (mThumbPressed)
        SetThumbPosition(mHorizontal ? mPressThumbPos - mPressX + x : mPressThumbPos - mPressY + y);
    mLastX = x;
    mLastY = y;
}

void ScrollbarWidget::MouseButtonUp(const int x, const int y, const int button, const int clickCount)
{
    mPagingMode = 0;
    mThumbPressed = false;
    MarkDirty();
}

void ScrollbarWidget::ButtonPress(const int id)
{
    mButtonTicks = 0;
    StepFor(id);
}

void ScrollbarWidget::ButtonDownTick(const int id)
{
    if (++mButtonTicks < kButtonRepeatDelay)
        return;
    StepFor(id);
    // Every further tick repeats.
    mButtonTicks = kButtonRepeatDelay - 1;
}

void ScrollbarWidget::StepFor(const int buttonId) { SetValue(buttonId == 0 ? mValue - 1 : mValue + 1); }

void ScrollbarWidget::PageFor(const int pagingMode)
{
    SetValue(pagingMode == 1 ? mValue - mPageSize : mValue + mPageSize);
}

} // namespace Zest
