// The window procedure and the deferred messages. Messages arrive at moments the
// application does not choose (inside message pumping, message boxes or window dragging),
// so the procedure only copies input, activation and display messages into a queue and
// keeps a few flags current; the main loop hands the queued messages on one per step.

#include "framework/app/ZestAppBase.h"

#include "framework/app/common/Debug.h"
#include "framework/directx/DDInterface.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/win32/Clock.h"
#include "platform/win32/Input.h"
#include "platform/win32/MessageQueue.h"
#include "platform/win32/Messages.h"
#include "platform/win32/Window.h"

#include <cctype>

namespace Zest {
namespace {

using namespace Win32;

bool IsMouseMessage(const uint32_t message)
{
    return (message >= WM_MOUSEMOVE && message <= WM_MBUTTONUP) || message == WM_MOUSEWHEEL;
}

bool IsQueuedMessage(const uint32_t message)
{
    switch (message) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_CLOSE:
    case WM_SYSCOLORCHANGE:
    case WM_DISPLAYCHANGE:
    case WM_ACTIVATEAPP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_TIMER:
        return true;
    default:
        return IsMouseMessage(message);
    }
}

bool IsKeyDown(const uint32_t message) { return message == WM_KEYDOWN || message == WM_SYSKEYDOWN; }

bool IsKeyUp(const uint32_t message) { return message == WM_KEYUP || message == WM_SYSKEYUP; }

bool IsColorOrDisplayChange(const uint32_t message)
{
    return message == WM_SYSCOLORCHANGE || message == WM_DISPLAYCHANGE;
}

} // namespace

LRESULT ZestAppBase::WindowProc(HWND window, const uint32_t message, const WPARAM wParam, const LPARAM lParam)
{
    auto* app = reinterpret_cast<ZestAppBase*>(GetWindowLongPtrA(window, GWL_USERDATA));
    if (app == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    return app->HandleMessage(window, message, wParam, lParam);
}

LRESULT ZestAppBase::HandleMessage(HWND window, const uint32_t message, const WPARAM wParam, const LPARAM lParam)
{
    if (mScreenSaverMode && HandleScreenSaverMessage(window, message, wParam))
        return 0;

    switch (message) {
    case WM_DESTROY:
        OutputDebug("DESTROYED HWND: %d\r\n", static_cast<int>(reinterpret_cast<intptr_t>(window)));
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_ENABLE:
        mWindowDisabled = wParam == 0;
        break;
    case WM_PAINT: {
        // Always validated, so that an unpainted window does not ask again and again.
        PAINTSTRUCT paint{};
        BeginPaint(window, &paint);
        if (mInitialized && !mCrashed && mInMainLoop)
            RedrawScreen(nullptr);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_QUERYOPEN:
        if (!CanRestoreWindow())
            return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_ERASEBKGND:
        return 1;
    case WM_ENDSESSION:
        Shutdown();
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_ACTIVATEAPP:
        if (!mPlayingDemo && window == mMainWindow)
            mHasActivation = wParam != 0;
        break;
    case WM_SETCURSOR:
        if (!mCrashed)
            ApplyCursor();
        return 1;
    case WM_NCLBUTTONDOWN: {
        // The time spent dragging the window is not caught up afterwards.
        const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        ResetPendingTime();
        return result;
    }
    case WM_SYSCHAR:
        if (IsAltShortcut(static_cast<uint32_t>(wParam)))
            return 0;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MONITORPOWER) {
            mMonitorPowerDownTick = GetTickCount();
            if (!mAllowMonitorPowerDown || !mLoadingCompleted)
                return 0;
        } else if ((wParam & 0xFFF0) == SC_SCREENSAVE) {
            if (!mLoadingCompleted || !mWindowIsWindowed)
                return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    default:
        break;
    }

    if (IsQueuedMessage(message)) {
        if (mPopupShowing)
            return DefWindowProcA(window, message, wParam, lParam);
        if (IsKeyDown(message) || IsKeyUp(message)) {
            if (wParam == VK_CONTROL)
                mCtrlDown = IsKeyDown(message);
            else if (wParam == VK_MENU)
                mAltDown = IsKeyDown(message);
            if (IsKeyDown(message) && PreviewKeyDown(static_cast<uint32_t>(wParam), mCtrlDown, mAltDown))
                return 0;
        }
        if (mPlayingDemo) {
            if (message == WM_CHAR)
                HandlePlaybackKey(static_cast<uint32_t>(wParam));
            else if (message == WM_KEYDOWN)
                HandleDebugKey(static_cast<uint32_t>(wParam));
        }
        QueueMessage(window, message, wParam, lParam);

        switch (message) {
        case WM_SIZE:
            mSizeMinimized = wParam == SIZE_MINIMIZED;
            break;
        case WM_SYSKEYDOWN:
            // No system menu from Alt; Alt+F4 still closes through the default processing.
            if (wParam != VK_F4)
                return 0;
            break;
        case WM_CLOSE:
            OnCloseRequested();
            return 0;
        default:
            break;
        }
    }

    if (message == mNotifyMessage && mNotifyMessage != 0 && window == mMainWindow) {
        OnNotifyMessage(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool ZestAppBase::QueueMessage(HWND window, const uint32_t message, const WPARAM wParam, const LPARAM lParam)
{
    if (!mDeferredMessages.empty()) {
        // A close request ends the input: nothing is queued behind it.
        for (const QueuedMessage& queued : mDeferredMessages) {
            if (queued.mMessage == WM_CLOSE)
                return false;
        }
        if (message == WM_TIMER && mDeferredMessages.back().mMessage == WM_TIMER)
            return false;
        if (IsColorOrDisplayChange(message)) {
            for (const QueuedMessage& queued : mDeferredMessages) {
                if (IsColorOrDisplayChange(queued.mMessage))
                    return false;
            }
        }
    }
    mDeferredMessages.push_back(
        {window, message, static_cast<uint32_t>(wParam), static_cast<uint32_t>(static_cast<uintptr_t>(lParam))});
    return true;
}

void ZestAppBase::HandlePlaybackKey(const uint32_t key)
{
    switch (std::tolower(static_cast<int>(key))) {
    case '+':
        mUpdateMultiplier *= 1.5;
        break;
    case '-':
        mUpdateMultiplier /= 1.5;
        break;
    case '=':
        mUpdateMultiplier = 1.0;
        break;
    case 'p':
        mUpdatesPaused = !mUpdatesPaused;
        ResetPendingTime();
        break;
    case 'n':
        mSeekTargetUpdate = mFixedUpdateCount + 1;
        mSeekDrawOnReach = true;
        break;
    case 'm':
        mSeekToEnd = true;
        break;
    case '0':
        mSeekTargetUpdate = mDemoLength;
        break;
    default:
        if (key >= '4' && key <= '9') {
            static constexpr int kSecondsBeforeEnd[] = {120, 90, 60, 30, 10, 5};
            mSeekTargetUpdate = mDemoLength - kSecondsBeforeEnd[key - '4'] * 1000 / mFrameTime;
        }
        break;
    }
}

bool ZestAppBase::DispatchDeferredMessage()
{
    if (mDeferredMessages.empty())
        return false;
    const QueuedMessage message = mDeferredMessages.front();
    mDeferredMessages.pop_front();

    if (!mPlayingDemo) {
        if (IsMouseMessage(message.mMessage)) {
            DispatchMouseMessage(message);
        } else {
            switch (message.mMessage) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
                DispatchKeyDown(message);
                break;
            case WM_KEYUP:
            case WM_SYSKEYUP:
                mLastInputTick = mLastTimerTick;
                mWidgetManager->KeyUp(static_cast<int>(message.mWParam));
                break;
            case WM_CHAR:
                mLastInputTick = mLastTimerTick;
                mWidgetManager->KeyChar(static_cast<char>(message.mWParam));
                break;
            case WM_MOVE:
                if (message.mWindow == mMainWindow && mWindowed) {
                    WINDOWPLACEMENT placement{};
                    placement.length = sizeof(placement);
                    if (GetWindowPlacement(mMainWindow, &placement) &&
                        (placement.showCmd == SW_SHOWNORMAL || placement.showCmd == SW_SHOW)) {
                        mPreferredX = placement.rcNormalPosition.left;
                        mPreferredY = placement.rcNormalPosition.top;
                    }
                }
                break;
            case WM_SIZE:
                if (message.mWindow == mMainWindow && !mShutDown) {
                    const bool minimized = message.mWParam == SIZE_MINIMIZED;
                    if (minimized != mMinimized) {
                        mMinimized = minimized;
                        if (minimized && mMuteWhenInactive) {
                            Mute(true);
                        } else if (!minimized) {
                            if (mMuteWhenInactive)
                                Unmute(true);
                            mWidgetManager->MarkAllDirty();
                        }
                    }
                    UpdateActiveState();
                    if (message.mWParam == SIZE_MAXIMIZED)
                        SetWindowedMode(false);
                }
                break;
            case WM_SYSCOLORCHANGE:
            case WM_DISPLAYCHANGE:
                mWidgetManager->SysColorChangedAll();
                mWidgetManager->MarkAllDirty();
                break;
            case WM_ACTIVATEAPP:
                if (message.mWindow == mMainWindow && !mCrashed && !mShutDown) {
                    UpdateActiveState();
                    if (mActive && !mWindowIsWindowed)
                        mWidgetManager->MarkAllDirty();
                    if (mOpeningURL && !mHasActivation)
                        OnOpenURLSucceeded(mPendingURL);
                }
                break;
            case WM_TIMER:
                if (mInMainLoop && !mCrashed)
                    HandleTimerMessage();
                break;
            default:
                break;
            }
        }
    }

    if (message.mMessage == WM_CLOSE) {
        mClosedByUser = true;
        Shutdown();
    }
    return !mDeferredMessages.empty();
}

void ZestAppBase::DispatchMouseMessage(const QueuedMessage& message)
{
    if (mCrashed)
        return;
    if (message.mMessage == WM_MOUSEWHEEL) {
        mWidgetManager->MouseWheel(static_cast<int16_t>(HIWORD(message.mWParam)) / 120);
        return;
    }
    int x = GET_X_LPARAM(message.mLParam);
    int y = GET_Y_LPARAM(message.mLParam);
    mWidgetManager->RemapMouse(x, y);
    mLastInputTick = mLastTimerTick;
    mWidgetManager->MouseMove(x, y);
    if (!mMouseInWindow) {
        mMouseInWindow = true;
        ApplyCursor();
    }

    switch (message.mMessage) {
    case WM_LBUTTONDOWN:
        SetCapture(message.mWindow);
        mWidgetManager->MouseDown(x, y, 1);
        break;
    case WM_LBUTTONDBLCLK:
        SetCapture(message.mWindow);
        mWidgetManager->MouseDown(x, y, 2);
        break;
    case WM_RBUTTONDOWN:
        SetCapture(message.mWindow);
        mWidgetManager->MouseDown(x, y, -1);
        break;
    case WM_RBUTTONDBLCLK:
        SetCapture(message.mWindow);
        mWidgetManager->MouseDown(x, y, -2);
        break;
    case WM_MBUTTONDOWN:
        SetCapture(message.mWindow);
        mWidgetManager->MouseDown(x, y, 3);
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        if ((message.mWParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0)
            ReleaseCapture();
        const int clickCount = message.mMessage == WM_LBUTTONUP ? 1 : message.mMessage == WM_RBUTTONUP ? -1 : 3;
        mWidgetManager->MouseUp(x, y, clickCount);
        break;
    }
    default:
        break;
    }
}

void ZestAppBase::DispatchKeyDown(const QueuedMessage& message)
{
    mLastInputTick = mLastTimerTick;
    const int key = static_cast<int>(message.mWParam);
    if (message.mMessage == WM_SYSKEYDOWN && key == VK_RETURN && !mFullScreenForced && !mWindowedForced) {
        SetWindowedMode(!mWindowed);
        ClearKeysDown();
        return;
    }
    if (key == 'K' && mWidgetManager->mKeyDown[VK_CONTROL] && mWidgetManager->mKeyDown[VK_MENU])
        mDebugKeysEnabled = !mDebugKeysEnabled;
    if (mDebugKeysEnabled && HandleDebugKey(static_cast<uint32_t>(key)))
        return;
    mWidgetManager->KeyDown(key);
}

void ZestAppBase::HandleTimerMessage()
{
    const uint32_t now = GetTickCount();
    if (now - mLastTimerTick > 500)
        mTimerRunStartTick = now;
    mLastTimerTick = now;

    if (mOpeningURL && now - mTimerRunStartTick > 5000) {
        if (now - mURLOpenTick > 8000 && !mHasActivation)
            OnOpenURLSucceeded(mPendingURL);
        else if (now - mURLOpenTick > 12000 && mHasActivation)
            OnOpenURLFailed(mPendingURL);
    }

    // The mouse is in the window when it is over the window's client area.
    POINT cursor{};
    GetCursorPos(&cursor);
    bool inWindow = false;
    if (mDisplay != nullptr && WindowFromPoint(cursor) == mMainWindow) {
        POINT client = cursor;
        ScreenToClient(mMainWindow, &client);
        RECT clientRect{};
        GetClientRect(mMainWindow, &clientRect);
        inWindow = client.x >= 0 && client.y >= 0 && client.x < clientRect.right && client.y < clientRect.bottom;
    }
    if (inWindow != mMouseInWindow) {
        if (!inWindow)
            mWidgetManager->MouseExit();
        mMouseInWindow = inWindow;
        ApplyCursor();
    }
}

void ZestAppBase::UpdateActiveState()
{
    const bool active = mHasActivation && !mMinimized;
    if (active == mActive)
        return;
    mActive = active;
    if (active) {
        if (mMuteWhenInactive)
            Unmute(true);
        mWidgetManager->GotFocus();
        OnGotFocus();
    } else {
        if (mMuteWhenInactive)
            Mute(true);
        mWidgetManager->LostFocus();
        OnLostFocus();
        ReleaseCapture();
        mWidgetManager->ReleaseDownWidget();
    }
}

void ZestAppBase::ClearKeysDown()
{
    mWidgetManager->mKeyDown.fill(false);
    mCtrlDown = false;
    mAltDown = false;
}

bool ZestAppBase::IsAltShortcut(const uint32_t key)
{
    return key == VK_RETURN || std::tolower(static_cast<int>(key)) == 'r';
}

bool ZestAppBase::CanRestoreWindow() { return !mWindowDisabled; }

// In screen-saver mode any key, click or real mouse movement ends the program, as does
// losing activation (except right after the monitor was asked to power down). True when the
// message is consumed here.
bool ZestAppBase::HandleScreenSaverMessage(HWND window, const uint32_t message, const WPARAM wParam)
{
    if (mScreenSaverClosing)
        return false;
    bool trigger = false;
    bool consumed = false;
    const bool afterPowerDown = GetTickCount() - mMonitorPowerDownTick < 1000;
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        trigger = true;
        break;
    case WM_MOUSEMOVE: {
        POINT cursor{};
        GetCursorPos(&cursor);
        if (!mScreenSaverCursorKnown) {
            mScreenSaverCursorKnown = true;
            mScreenSaverCursor = cursor;
        } else if (cursor.x != mScreenSaverCursor.x || cursor.y != mScreenSaverCursor.y) {
            mScreenSaverCursor = cursor;
            ++mScreenSaverMoves;
        }
        // A nudge of the mouse does not end the screen saver.
        consumed = mScreenSaverMoves < 4;
        trigger = !consumed && !afterPowerDown;
        break;
    }
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
        case SC_NEXTWINDOW:
        case SC_PREVWINDOW:
        case SC_SCREENSAVE:
            return true;
        default:
            break;
        }
        break;
    case WM_CLOSE:
        trigger = !afterPowerDown;
        break;
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
        trigger = wParam == 0 && !afterPowerDown;
        break;
    default:
        break;
    }
    if (trigger && window == mMainWindow) {
        mScreenSaverClosing = true;
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    return consumed;
}

} // namespace Zest
