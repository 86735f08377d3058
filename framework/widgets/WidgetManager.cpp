#include "framework/widgets/WidgetManager.h"

#include "framework/widgets/Widget.h"

#include <functional>
#include <unordered_set>

namespace Zest {

namespace {

bool RemovesFlag(const FlagsMod& mod, const int32_t flag) { return (mod.mRemoveFlags & flag) != 0; }

void ForEachWidget(const WidgetContainer& container, const std::function<void(Widget*)>& visit)
{
    for (Widget* child : container.mWidgets) {
        visit(child);
        ForEachWidget(*child, visit);
    }
}

} // namespace

WidgetManager::WidgetManager(AppInterface* app) : mApp(app) { mWidgetManager = this; }

int32_t WidgetManager::ButtonBit(const int clickCount)
{
    if (clickCount < 0)
        return kRightButton;
    if (clickCount == 3)
        return kMiddleButton;
    return kLeftButton;
}

void WidgetManager::SetMouseRects(const Rect& dest, const Rect& source)
{
    mMouseDestRect = dest;
    mMouseSourceRect = source;
    mWidth = dest.mWidth + 2 * dest.mX;
    mHeight = dest.mHeight + 2 * dest.mY;
}

void WidgetManager::RemapMouse(int& x, int& y) const
{
    // Before the display exists there is no source to map from.
    if (mMouseSourceRect.mWidth <= 0 || mMouseSourceRect.mHeight <= 0)
        return;
    x = (x - mMouseSourceRect.mX) * mMouseDestRect.mWidth / mMouseSourceRect.mWidth + mMouseDestRect.mX;
    y = (y - mMouseSourceRect.mY) * mMouseDestRect.mHeight / mMouseSourceRect.mHeight + mMouseDestRect.mY;
}

int32_t WidgetManager::GetWidgetFlags() const
{
    return mAppHasFocus ? mDefaultFlags : mLostFocusFlagsMod.Apply(mDefaultFlags);
}

Widget* WidgetManager::GetAnyWidgetAt(const int x, const int y, int* localX, int* localY)
{
    bool found = false;
    return GetWidgetAtHelper(x, y, GetWidgetFlags(), &found, localX, localY);
}

Widget* WidgetManager::GetWidgetAt(const int x, const int y, int* localX, int* localY)
{
    Widget* widget = GetAnyWidgetAt(x, y, localX, localY);
    return widget != nullptr && widget->mDisabled ? nullptr : widget;
}

void WidgetManager::LeaveOverWidget()
{
    // Cleared first, so that the leave handler sees no widget under the mouse.
    Widget* previous = mOverWidget;
    mOverWidget = nullptr;
    MouseLeaveWidget(previous);
}

void WidgetManager::MouseEnterWidget(Widget* widget)
{
    widget->mIsOver = true;
    widget->MouseEnter();
    if (widget->mHandCursor)
        widget->ShowHandCursor(true);
}

void WidgetManager::MouseLeaveWidget(Widget* widget)
{
    widget->mIsOver = false;
    widget->MouseLeave();
    if (widget->mHandCursor)
        widget->ShowHandCursor(false);
}

void WidgetManager::DoMouseUps(Widget* widget, const int32_t buttons)
{
    // In the widget's own coordinates, wherever it is nested.
    static constexpr std::pair<int32_t, int> kUps[] = {{kLeftButton, 1}, {kRightButton, -1}, {kMiddleButton, 3}};
    for (const auto& [bit, clickCount] : kUps) {
        if ((buttons & bit) == 0)
            continue;
        widget->mIsDown = false;
        const Point position = widget->GetAbsPos();
        widget->MouseUp(mLastMouseX - position.mX, mLastMouseY - position.mY, clickCount);
    }
}

void WidgetManager::SetMousePosition(const int x, const int y)
{
    const int oldX = mLastMouseX;
    const int oldY = mLastMouseY;
    mLastMouseX = x;
    mLastMouseY = y;
    int localX = 0;
    int localY = 0;
    Widget* widget = GetWidgetAt(x, y, &localX, &localY);
    if (widget == mOverWidget) {
        if ((x == oldX && y == oldY) || widget == nullptr)
            return;
    } else {
        if (mOverWidget != nullptr)
            LeaveOverWidget();
        mOverWidget = widget;
        if (widget == nullptr)
            return;
        MouseEnterWidget(widget);
    }
    widget->MouseMove(localX, localY);
}

void WidgetManager::RefreshMouseOver()
{
    if (mPressedWidget == nullptr) {
        if (mMouseIn)
            SetMousePosition(mLastMouseX, mLastMouseY);
        return;
    }
    if (mOverWidget != nullptr && GetWidgetAt(mLastMouseX, mLastMouseY, nullptr, nullptr) != mPressedWidget)
        LeaveOverWidget();
}

bool WidgetManager::MouseMove(const int x, const int y)
{
    if (mDownButtons != 0)
        return MouseDrag(x, y);
    mMouseIn = true;
    SetMousePosition(x, y);
    return true;
}

bool WidgetManager::MouseDrag(const int x, const int y)
{
    mMouseIn = true;
    mLastMouseX = x;
    mLastMouseY = y;
    if (mOverWidget != nullptr && mOverWidget != mPressedWidget)
        LeaveOverWidget();
    if (mPressedWidget != nullptr) {
        const Point position = mPressedWidget->GetAbsPos();
        mPressedWidget->MouseDrag(x - position.mX, y - position.mY);
        // The handler may have removed the pressed widget.
        Widget* pressed = mPressedWidget;
        const bool overPressed = pressed != nullptr && GetWidgetAt(x, y, nullptr, nullptr) == pressed;
        if (overPressed) {
            if (mOverWidget == nullptr) {
                mOverWidget = pressed;
                MouseEnterWidget(pressed);
            }
        } else if (mOverWidget != nullptr) {
            LeaveOverWidget();
        }
    }
    return true;
}

bool WidgetManager::MouseDown(const int x, const int y, const int clickCount)
{
    const int32_t bit = ButtonBit(clickCount);
    mHeldButtons |= bit;
    SetMousePosition(x, y);
    int localX = 0;
    int localY = 0;
    Widget* target = GetWidgetAt(x, y, &localX, &localY);
    // A pressed widget keeps every further press until all its buttons are up.
    if (mPressedWidget != nullptr)
        target = mPressedWidget;
    mDownButtons |= bit;
    mPressedWidget = target;
    if (target != nullptr) {
        if (target->WantsFocus())
            SetFocus(target);
        target->mIsDown = true;
        target->MouseDown(localX, localY, clickCount);
    }
    return true;
}

bool WidgetManager::MouseUp(const int x, const int y, const int clickCount)
{
    const int32_t bit = ButtonBit(clickCount);
    mHeldButtons &= ~bit;
    Widget* pressed = mPressedWidget;
    if (pressed != nullptr && (mDownButtons & bit) != 0) {
        mDownButtons &= ~bit;
        if (mDownButtons == 0)
            mPressedWidget = nullptr;
        pressed->mIsDown = false;
        // In the widget's own coordinates, wherever it is nested.
        const Point position = pressed->GetAbsPos();
        pressed->MouseUp(x - position.mX, y - position.mY, clickCount);
    } else {
        mDownButtons &= ~bit;
    }
    SetMousePosition(x, y);
    return true;
}

bool WidgetManager::MouseExit()
{
    mMouseIn = false;
    if (mOverWidget != nullptr)
        LeaveOverWidget();
    return true;
}

void WidgetManager::MouseWheel(const int delta)
{
    if (mFocusWidget != nullptr)
        mFocusWidget->MouseWheel(delta);
}

bool WidgetManager::KeyChar(const char c)
{
    if (c == kKeyTab && mKeyDown[kKeyControl]) {
        if (mDefaultTabWidget != nullptr)
            mDefaultTabWidget->KeyChar(c);
        return true;
    }
    if (mFocusWidget != nullptr)
        mFocusWidget->KeyChar(c);
    return true;
}

bool WidgetManager::KeyDown(const int keyCode)
{
    if (static_cast<unsigned>(keyCode) < mKeyDown.size())
        mKeyDown[static_cast<size_t>(keyCode)] = true;
    if (mFocusWidget != nullptr)
        mFocusWidget->KeyDown(keyCode);
    return true;
}

bool WidgetManager::KeyUp(const int keyCode)
{
    if (static_cast<unsigned>(keyCode) < mKeyDown.size())
        mKeyDown[static_cast<size_t>(keyCode)] = false;
    if (keyCode == kKeyTab && mKeyDown[kKeyControl])
        return true;
    if (mFocusWidget != nullptr)
        mFocusWidget->KeyUp(keyCode);
    return true;
}

void WidgetManager::SetFocus(Widget* widget)
{
    if (widget == mFocusWidget)
        return;
    if (mFocusWidget != nullptr)
        mFocusWidget->LostFocus();
    if (widget != nullptr && widget->mWidgetManager == this) {
        mFocusWidget = widget;
        if (mAppHasFocus)
            widget->GotFocus();
    } else {
        mFocusWidget = nullptr;
    }
}

void WidgetManager::GotFocus()
{
    if (mAppHasFocus)
        return;
    mAppHasFocus = true;
    if (mFocusWidget != nullptr)
        mFocusWidget->GotFocus();
}

void WidgetManager::LostFocus()
{
    if (!mAppHasFocus)
        return;
    mHeldButtons = 0;
    for (size_t code = 0; code < mKeyDown.size(); ++code) {
        if (mKeyDown[code])
            KeyUp(static_cast<int>(code));
    }
    mAppHasFocus = false;
    if (mFocusWidget != nullptr)
        mFocusWidget->LostFocus();
}

void WidgetManager::ReleaseDownWidget()
{
    if (mPressedWidget == nullptr || mDownButtons == 0)
        return;
    Widget* pressed = mPressedWidget;
    const int32_t buttons = mDownButtons;
    mPressedWidget = nullptr;
    mDownButtons = 0;
    DoMouseUps(pressed, buttons);
}

void WidgetManager::DisableWidget(Widget* widget)
{
    if (widget == mOverWidget) {
        mOverWidget = nullptr;
        MouseLeaveWidget(widget);
    }
    if (widget == mPressedWidget) {
        mPressedWidget = nullptr;
        DoMouseUps(widget, mDownButtons);
        mDownButtons = 0;
    }
    if (widget == mFocusWidget) {
        mFocusWidget = nullptr;
        widget->LostFocus();
    }
    if (widget == mBaseModalWidget)
        mBaseModalWidget = nullptr;
}

void WidgetManager::ForgetLinksInto(const Widget* subtree)
{
    std::unordered_set<const Widget*> leaving{subtree};
    ForEachWidget(*subtree, [&leaving](Widget* widget) { leaving.insert(widget); });
    if (leaving.count(mDefaultTabWidget) != 0)
        mDefaultTabWidget = nullptr;
    // Links between the leaving widgets stay, so a subtree added again keeps its Tab order.
    ForEachWidget(*this, [&leaving](Widget* widget) {
        if (leaving.count(widget) != 0)
            return;
        if (leaving.count(widget->mTabPrev) != 0)
            widget->mTabPrev = nullptr;
        if (leaving.count(widget->mTabNext) != 0)
            widget->mTabNext = nullptr;
    });
}

void WidgetManager::SetBaseModal(Widget* widget, const FlagsMod& belowFlagsMod)
{
    mBaseModalWidget = widget;
    mBelowModalFlagsMod = belowFlagsMod;
    if (mOverWidget != nullptr && RemovesFlag(belowFlagsMod, WIDGETFLAGS_ALLOW_MOUSE) &&
        IsBelow(mOverWidget, widget)) {
        LeaveOverWidget();
    }
    if (mPressedWidget != nullptr && RemovesFlag(belowFlagsMod, WIDGETFLAGS_ALLOW_MOUSE) &&
        IsBelow(mPressedWidget, widget)) {
        Widget* pressed = mPressedWidget;
        const int32_t buttons = mDownButtons;
        mDownButtons = 0;
        mPressedWidget = nullptr;
        DoMouseUps(pressed, buttons);
    }
    if (mFocusWidget != nullptr && RemovesFlag(belowFlagsMod, WIDGETFLAGS_ALLOW_FOCUS) &&
        IsBelow(mFocusWidget, widget)) {
        Widget* focus = mFocusWidget;
        mFocusWidget = nullptr;
        focus->LostFocus();
    }
}

void WidgetManager::AddBaseModal(Widget* widget) { AddBaseModalWithFlags(widget, mDefaultBelowModalFlagsMod); }

void WidgetManager::AddBaseModalWithFlags(Widget* widget, const FlagsMod& belowFlagsMod)
{
    mModalStack.push_back(PreModalInfo{widget, mBaseModalWidget, mFocusWidget, mBelowModalFlagsMod});
    SetBaseModal(widget, belowFlagsMod);
}

void WidgetManager::RemoveBaseModal(Widget* widget)
{
    if (mModalStack.empty() || mModalStack.back().mBaseModalWidget != widget)
        return;
    while (!mModalStack.empty()) {
        const PreModalInfo entry = mModalStack.back();
        const bool final = entry.mPrevBaseModalWidget != nullptr || mModalStack.size() == 1;
        SetBaseModal(entry.mPrevBaseModalWidget, entry.mPrevBelowModalFlagsMod);
        if (mFocusWidget == nullptr) {
            mFocusWidget = entry.mPrevFocusWidget;
            if (mFocusWidget != nullptr)
                mFocusWidget->GotFocus();
        }
        mModalStack.pop_back();
        if (final)
            break;
    }
}

} // namespace Zest
