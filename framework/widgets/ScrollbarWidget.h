#pragma once
// A drawn scroll bar: two arrow buttons at its ends and a thumb whose length shows the
// visible part (the page) of the whole range. The arrows step by 1, a press on the track
// pages towards the mouse, and the thumb is dragged; holding an arrow or the track repeats.
// The value runs from 0 to max - page and reaches the ScrollListener.
//
// Repeat timing, in fixed update ticks: an arrow steps at the press, again on the 25th
// tick it is held and then every tick; the track pages at the press, on the 25th tick and
// then every 5 ticks until the thumb reaches the mouse.

#include "framework/widgets/Listeners.h"
#include "framework/widgets/Widget.h"

#include <cstdint>

namespace Zest {

class ScrollbuttonWidget;

class ScrollbarWidget : public Widget, public ButtonListener {
public:
    // Disabled, with both arrow buttons disabled, until there is something to scroll.
    ScrollbarWidget(int id, ScrollListener* listener);
    // Deletes its two arrow buttons.
    ~ScrollbarWidget() override;

    // Hides the bar and its buttons at once; ClampValue shows them while scrolling is possible.
    virtual void SetInvisIfNoScroll(bool invisible);
    virtual void SetMaxValue(double maxValue);
    virtual void SetPageSize(double pageSize);
    // Reports the (clamped) value even when it did not change.
    virtual void SetValue(double value);
    virtual void SetHorizontal(bool horizontal);
    // Places the bar and its arrow buttons: square buttons at both ends.
    virtual void ResizeScrollbar(int x, int y, int width, int height);
    // True within 1 of the end of the range.
    virtual bool AtBottom();
    virtual void GoToBottom();
    virtual void DrawThumb(Graphics* g, int x, int y, int width, int height);
    // The bar's length between the two arrow buttons, in pixels.
    virtual int GetTrackSize();
    // 0 when nothing can scroll; otherwise proportional to the page, at least 8 pixels.
    virtual int GetThumbSize();
    // The thumb's offset along the bar, arrow button included.
    virtual int GetThumbPosition();
    // Keeps the value within 0..max - page, enables (and shows) the bar and its buttons only
    // while scrolling is possible, and reports a value it moved.
    virtual void ClampValue();
    // Sets the value that puts the thumb at that offset along the bar.
    virtual void SetThumbPosition(int position);
    // -1 before the thumb, 0 on it, 1 after it, along the bar.
    virtual int ThumbCompare(int x, int y);

    void Update() override;
    void Draw(Graphics* g) override;
    // Any button: pages towards the press or grabs the thumb; nothing while disabled.
    void MouseButtonDown(int x, int y, int button, int clickCount) override;
    void MouseButtonUp(int x, int y, int button, int clickCount) override;
    void MouseDrag(int x, int y) override;

    // From the arrow buttons.
    void ButtonPress(int id) override;
    void ButtonDownTick(int id) override;

    ScrollbuttonWidget* mUpButton;
    ScrollbuttonWidget* mDownButton;
    bool mInvisIfNoScroll = false;
    int32_t mId;
    double mValue = 0.0;
    double mMaxValue = 0.0;
    double mPageSize = 0.0;
    bool mHorizontal = false;
    bool mThumbPressed = false;
    int32_t mPressThumbPos = 0;
    int32_t mPressX = 0;
    int32_t mPressY = 0;
    // 0 none, 1 paging towards the start, 2 towards the end.
    int32_t mPagingMode = 0;
    int32_t mPagingTicks = 0;
    int32_t mButtonTicks = 0;
    int32_t mLastX = 0;
    int32_t mLastY = 0;
    ScrollListener* mScrollListener;

private:
    // One arrow step: towards the start for the first button (id 0), else towards the end.
    void StepFor(int buttonId);
    // One page towards the start (mode 1) or the end (mode 2).
    void PageFor(int pagingMode);
};

} // namespace Zest
