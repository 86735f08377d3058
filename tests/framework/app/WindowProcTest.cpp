// The window procedure and the deferred messages, driven without Init: the test makes the
// main window itself (a message-only window whose procedure is the application's), calls
// the procedure directly as the message queue would, and hands the queued messages on with
// DispatchDeferredMessage as the main loop does.

#include "tests/framework/app/AppFixture.h"

#include "framework/app/common/MainThread.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/win32/Input.h"
#include "platform/win32/MessageQueue.h"
#include "platform/win32/Messages.h"
#include "platform/win32/Window.h"
#include "tests/framework/widgets/RecordingWidget.h"

#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using namespace Win32;

// The key the application's key preview consumes.
constexpr uint32_t kConsumedKey = 'P';
// Bit 29 of a key message's lParam: Alt was held.
constexpr LPARAM kAltHeld = LPARAM{1} << 29;

struct Preview {
    uint32_t mKey;
    bool mCtrlDown;
    bool mAltDown;
    bool operator==(const Preview&) const = default;
};

class WindowProcApp : public Tests::TestApp {
public:
    bool PreviewKeyDown(const uint32_t key, const bool ctrlDown, const bool altDown) override
    {
        mPreviews.push_back({key, ctrlDown, altDown});
        return key == kConsumedKey;
    }
    void OnCloseRequested() override { ++mCloseRequests; }
    void OnLostFocus() override { ++mLostFocusCalls; }
    void OnGotFocus() override { ++mGotFocusCalls; }

    std::vector<Preview> mPreviews;
    int mCloseRequests = 0;
    int mLostFocusCalls = 0;
    int mGotFocusCalls = 0;
};

struct Message {
    UINT mMessage;
    WPARAM mWParam = 0;
    LPARAM mLParam = 0;
};

// A queued message as (message, wParam).
using Queued = std::pair<UINT, uint32_t>;

constexpr WPARAM WheelDelta(const int delta) { return static_cast<WPARAM>(static_cast<uint16_t>(delta)) << 16; }

class WindowProcTest : public Tests::AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        mApp = std::make_unique<WindowProcApp>();
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Zest::ZestAppBase::WindowProc;
        windowClass.lpszClassName = "WindowProcTestClass";
        RegisterClassA(&windowClass);
        mWindow = CreateWindowExA(0, "WindowProcTestClass", "main", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                                  nullptr);
        ASSERT_NE(mWindow, nullptr);
        SetWindowLongPtrA(mWindow, GWL_USERDATA, reinterpret_cast<LONG_PTR>(mApp.get()));
        mApp->mMainWindow = mWindow;
    }

    void TearDown() override
    {
        if (mWidget != nullptr && mWidget->mWidgetManager != nullptr)
            mApp->mWidgetManager->RemoveWidget(mWidget.get());
        for (HWND window : {mOtherWindow, mWindow}) {
            if (window != nullptr && IsWindow(window)) {
                SetWindowLongPtrA(window, GWL_USERDATA, 0);
                DestroyWindow(window);
            }
        }
        mApp->mMainWindow = nullptr;
        mApp.reset();
        AppTest::TearDown();
    }

    LRESULT Send(const UINT message, const WPARAM wParam = 0, const LPARAM lParam = 0, HWND window = nullptr)
    {
        return Zest::ZestAppBase::WindowProc(window != nullptr ? window : mWindow, message, wParam, lParam);
    }

    // Sends the message and hands on everything queued.
    void Deliver(const UINT message, const WPARAM wParam = 0, const LPARAM lParam = 0, HWND window = nullptr)
    {
        Send(message, wParam, lParam, window);
        DispatchAll();
    }

    void DispatchAll()
    {
        for (int i = 0; i < 100 && !mApp->mDeferredMessages.empty(); ++i)
            mApp->DispatchDeferredMessage();
        EXPECT_TRUE(mApp->mDeferredMessages.empty());
    }

    std::vector<Queued> QueueContents() const
    {
        std::vector<Queued> contents;
        for (const Zest::QueuedMessage& queued : mApp->mDeferredMessages)
            contents.emplace_back(queued.mMessage, queued.mWParam);
        return contents;
    }

    // A second message-only window that belongs to the same application.
    HWND MakeOtherWindow()
    {
        mOtherWindow = CreateWindowExA(0, "WindowProcTestClass", "other", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                                       nullptr);
        SetWindowLongPtrA(mOtherWindow, GWL_USERDATA, reinterpret_cast<LONG_PTR>(mApp.get()));
        return mOtherWindow;
    }

    // A widget at (10, 20) of 100x50 in the manager's coordinates, which are half the window's
    // client coordinates: the client point (100, 100) is the widget's (40, 30).
    Tests::RecordingWidget* AddWidget()
    {
        mWidget = std::make_unique<Tests::RecordingWidget>("w", &mLog, 10, 20, 100, 50);
        mApp->mWidgetManager->SetMouseRects(Zest::Rect(0, 0, 320, 240), Zest::Rect(0, 0, 640, 480));
        mApp->mWidgetManager->AddWidget(mWidget.get());
        mLog.clear();
        return mWidget.get();
    }

    Tests::EventLog TakeLog() { return std::exchange(mLog, Tests::EventLog()); }

    std::unique_ptr<WindowProcApp> mApp;
    HWND mWindow = nullptr;
    HWND mOtherWindow = nullptr;
    Tests::EventLog mLog;
    std::unique_ptr<Tests::RecordingWidget> mWidget;
};

TEST_F(WindowProcTest, QueuesOnlyInputAndWindowStateMessagesUnderItsDroppingRules)
{
    struct Case {
        const char* mName;
        std::vector<Message> mSent;
        std::vector<Queued> mExpected;
        bool mPopupShowing = false;
    };
    const std::vector<Case> cases = {
        {"every queued kind, in order",
         {{WM_MOVE},
          {WM_SIZE, SIZE_RESTORED},
          {WM_SYSCOLORCHANGE},
          {WM_ACTIVATEAPP, 1},
          {WM_KEYDOWN, 'A'},
          {WM_KEYUP, 'A'},
          {WM_CHAR, 'a'},
          {WM_SYSKEYDOWN, 'X', kAltHeld},
          {WM_SYSKEYUP, 'X', kAltHeld},
          {WM_TIMER, Zest::ZestAppBase::kTimerId},
          {WM_MOUSEMOVE},
          {WM_LBUTTONDOWN, MK_LBUTTON},
          {WM_LBUTTONUP},
          {WM_LBUTTONDBLCLK, MK_LBUTTON},
          {WM_RBUTTONDOWN, MK_RBUTTON},
          {WM_RBUTTONUP},
          {WM_RBUTTONDBLCLK, MK_RBUTTON},
          {WM_MBUTTONDOWN, MK_MBUTTON},
          {WM_MBUTTONUP},
          {WM_MOUSEWHEEL, WheelDelta(120)},
          {WM_CLOSE}},
         {{WM_MOVE, 0},
          {WM_SIZE, SIZE_RESTORED},
          {WM_SYSCOLORCHANGE, 0},
          {WM_ACTIVATEAPP, 1},
          {WM_KEYDOWN, 'A'},
          {WM_KEYUP, 'A'},
          {WM_CHAR, 'a'},
          {WM_SYSKEYDOWN, 'X'},
          {WM_SYSKEYUP, 'X'},
          {WM_TIMER, Zest::ZestAppBase::kTimerId},
          {WM_MOUSEMOVE, 0},
          {WM_LBUTTONDOWN, MK_LBUTTON},
          {WM_LBUTTONUP, 0},
          {WM_LBUTTONDBLCLK, MK_LBUTTON},
          {WM_RBUTTONDOWN, MK_RBUTTON},
          {WM_RBUTTONUP, 0},
          {WM_RBUTTONDBLCLK, MK_RBUTTON},
          {WM_MBUTTONDOWN, MK_MBUTTON},
          {WM_MBUTTONUP, 0},
          {WM_MOUSEWHEEL, static_cast<uint32_t>(WheelDelta(120))},
          {WM_CLOSE, 0}}},
        {"a display change alone", {{WM_DISPLAYCHANGE, 32}}, {{WM_DISPLAYCHANGE, 32}}},
        {"messages answered at once",
         {{WM_PAINT},
          {WM_SETCURSOR},
          {WM_SYSCHAR, 'r', kAltHeld},
          {WM_SYSCHAR, 'x', kAltHeld},
          {WM_ERASEBKGND},
          {WM_ENABLE, 1},
          {WM_QUERYOPEN},
          {WM_MBUTTONDBLCLK, MK_MBUTTON},
          {WM_USER}},
         {}},
        {"a timer right behind a timer",
         {{WM_TIMER, 1}, {WM_TIMER, 2}, {WM_KEYDOWN, 'A'}, {WM_TIMER, 3}, {WM_TIMER, 4}},
         {{WM_TIMER, 1}, {WM_KEYDOWN, 'A'}, {WM_TIMER, 3}}},
        {"a colour change behind a display change",
         {{WM_SYSCOLORCHANGE}, {WM_DISPLAYCHANGE, 16}, {WM_KEYDOWN, 'A'}, {WM_SYSCOLORCHANGE}, {WM_DISPLAYCHANGE, 32}},
         {{WM_SYSCOLORCHANGE, 0}, {WM_KEYDOWN, 'A'}}},
        {"a display change behind a display change",
         {{WM_DISPLAYCHANGE, 16}, {WM_MOUSEMOVE}, {WM_DISPLAYCHANGE, 32}},
         {{WM_DISPLAYCHANGE, 16}, {WM_MOUSEMOVE, 0}}},
        {"anything behind a close",
         {{WM_KEYDOWN, 'A'},
          {WM_CLOSE},
          {WM_KEYDOWN, 'B'},
          {WM_MOUSEMOVE},
          {WM_TIMER, 1},
          {WM_SIZE, SIZE_RESTORED},
          {WM_DISPLAYCHANGE, 32},
          {WM_CLOSE}},
         {{WM_KEYDOWN, 'A'}, {WM_CLOSE, 0}}},
        {"input while a popup shows",
         {{WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}, {WM_MOUSEMOVE}, {WM_LBUTTONDOWN, MK_LBUTTON}, {WM_TIMER, 1}, {WM_SIZE}},
         {},
         true},
        {"key-downs the preview consumes",
         {{WM_KEYDOWN, kConsumedKey}, {WM_KEYUP, kConsumedKey}, {WM_SYSKEYDOWN, kConsumedKey, kAltHeld},
          {WM_KEYDOWN, 'Q'}},
         {{WM_KEYUP, kConsumedKey}, {WM_KEYDOWN, 'Q'}}},
    };

    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.mName);
        mApp->mDeferredMessages.clear();
        mApp->mPopupShowing = testCase.mPopupShowing;
        for (const Message& message : testCase.mSent)
            Send(message.mMessage, message.mWParam, message.mLParam);
        EXPECT_EQ(QueueContents(), testCase.mExpected);
        for (const Zest::QueuedMessage& queued : mApp->mDeferredMessages)
            EXPECT_EQ(queued.mWindow, mWindow);
    }
    mApp->mDeferredMessages.clear();
    mApp->mPopupShowing = false;

    // The position of a mouse message travels unchanged, negative coordinates included.
    Send(WM_MOUSEMOVE, 0, MAKELPARAM(-5, 300));
    ASSERT_EQ(mApp->mDeferredMessages.size(), 1u);
    EXPECT_EQ(GET_X_LPARAM(mApp->mDeferredMessages.front().mLParam), -5);
    EXPECT_EQ(GET_Y_LPARAM(mApp->mDeferredMessages.front().mLParam), 300);
    mApp->mDeferredMessages.clear();
}

TEST_F(WindowProcTest, TracksCtrlAndAltAndShowsThemToTheKeyPreview)
{
    Send(WM_KEYDOWN, VK_CONTROL);
    EXPECT_TRUE(mApp->mCtrlDown);
    EXPECT_FALSE(mApp->mAltDown);
    Send(WM_SYSKEYDOWN, VK_MENU, kAltHeld);
    EXPECT_TRUE(mApp->mCtrlDown);
    EXPECT_TRUE(mApp->mAltDown);
    Send(WM_SYSKEYDOWN, 'Z', kAltHeld);
    // Key-ups are not previewed.
    Send(WM_KEYUP, VK_CONTROL);
    EXPECT_FALSE(mApp->mCtrlDown);
    EXPECT_TRUE(mApp->mAltDown);
    Send(WM_KEYDOWN, 'Z');
    Send(WM_SYSKEYUP, VK_MENU, kAltHeld);
    EXPECT_FALSE(mApp->mAltDown);
    Send(WM_KEYDOWN, 'Z');

    const std::vector<Preview> expected = {
        {VK_CONTROL, true, false}, {VK_MENU, true, true}, {'Z', true, true}, {'Z', false, true}, {'Z', false, false}};
    EXPECT_EQ(mApp->mPreviews, expected);
}

TEST_F(WindowProcTest, AnswersSystemKeysCloseEraseEnableAndActivationDirectly)
{
    // Alt with a key opens no system menu; only Alt+F4 goes on to the default, which closes.
    for (const WPARAM key : {WPARAM{'X'}, WPARAM{VK_RETURN}, WPARAM{VK_MENU}, WPARAM{VK_SPACE}}) {
        SCOPED_TRACE(key);
        mApp->mDeferredMessages.clear();
        EXPECT_EQ(Send(WM_SYSKEYDOWN, key, kAltHeld), 0);
        EXPECT_EQ(mApp->mCloseRequests, 0);
        EXPECT_EQ(QueueContents(), (std::vector<Queued>{{WM_SYSKEYDOWN, static_cast<uint32_t>(key)}}));
    }
    mApp->mDeferredMessages.clear();
    Send(WM_SYSKEYDOWN, VK_F4, kAltHeld);
    EXPECT_EQ(mApp->mCloseRequests, 1);
    EXPECT_EQ(QueueContents(), (std::vector<Queued>{{WM_SYSKEYDOWN, VK_F4}, {WM_CLOSE, 0}}));
    EXPECT_TRUE(IsWindow(mWindow));
    mApp->mDeferredMessages.clear();

    // Alt+R and Alt+Enter are the application's shortcuts: no beep, nothing queued.
    for (const WPARAM key : {WPARAM{'r'}, WPARAM{'R'}, WPARAM{VK_RETURN}}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(Send(WM_SYSCHAR, key, kAltHeld), 0);
        EXPECT_TRUE(mApp->IsAltShortcut(static_cast<uint32_t>(key)));
    }
    for (const uint32_t key : {uint32_t{'x'}, uint32_t{'t'}, uint32_t{VK_F4}, uint32_t{VK_SPACE}})
        EXPECT_FALSE(mApp->IsAltShortcut(key)) << key;
    EXPECT_TRUE(mApp->mDeferredMessages.empty());

    // A close request is the application's to answer: the window stays.
    EXPECT_EQ(Send(WM_CLOSE), 0);
    EXPECT_EQ(mApp->mCloseRequests, 2);
    EXPECT_TRUE(IsWindow(mWindow));
    EXPECT_FALSE(mApp->mShutDown);
    mApp->mDeferredMessages.clear();

    EXPECT_EQ(Send(WM_ERASEBKGND), 1);

    // A disabled window (a modal popup is up) is not restored from the task bar.
    EXPECT_EQ(Send(WM_QUERYOPEN), 1);
    Send(WM_ENABLE, 0);
    EXPECT_TRUE(mApp->mWindowDisabled);
    EXPECT_FALSE(mApp->CanRestoreWindow());
    EXPECT_EQ(Send(WM_QUERYOPEN), 0);
    Send(WM_ENABLE, 1);
    EXPECT_FALSE(mApp->mWindowDisabled);
    EXPECT_TRUE(mApp->CanRestoreWindow());
    EXPECT_EQ(Send(WM_QUERYOPEN), 1);
    EXPECT_TRUE(mApp->mDeferredMessages.empty());

    // Activation of the main window is known at once, before the queue is handed on.
    Send(WM_ACTIVATEAPP, 0);
    EXPECT_FALSE(mApp->mHasActivation);
    EXPECT_EQ(QueueContents(), (std::vector<Queued>{{WM_ACTIVATEAPP, 0}}));
    Send(WM_ACTIVATEAPP, 1);
    EXPECT_TRUE(mApp->mHasActivation);
    // Another window of the application does not speak for the application's activation.
    HWND other = MakeOtherWindow();
    Send(WM_ACTIVATEAPP, 0, 0, other);
    EXPECT_TRUE(mApp->mHasActivation);
    ASSERT_EQ(mApp->mDeferredMessages.size(), 3u);
    EXPECT_EQ(mApp->mDeferredMessages.back().mWindow, other);
    mApp->mDeferredMessages.clear();
}

TEST_F(WindowProcTest, DispatchHandsEachInputKindToTheWidgetManager)
{
    Tests::RecordingWidget* widget = AddWidget();
    const LPARAM at = MAKELPARAM(100, 100);

    // The first mouse message puts the mouse in the window, when it is handed on.
    EXPECT_FALSE(mApp->mMouseInWindow);
    Send(WM_MOUSEMOVE, 0, at);
    EXPECT_FALSE(mApp->mMouseInWindow);
    DispatchAll();
    EXPECT_TRUE(mApp->mMouseInWindow);
    EXPECT_EQ(TakeLog(), (Tests::EventLog{"w:MouseEnter", "w:MouseMove 40,30"}));

    // Wheel and keys go to the focused widget.
    mApp->mWidgetManager->SetFocus(widget);
    EXPECT_EQ(TakeLog(), (Tests::EventLog{"w:GotFocus"}));

    struct Case {
        const char* mName;
        std::vector<Message> mSent;
        Tests::EventLog mExpected;
    };
    const std::vector<Case> cases = {
        {"move", {{WM_MOUSEMOVE, 0, MAKELPARAM(120, 110)}, {WM_MOUSEMOVE, 0, at}},
         {"w:MouseMove 50,35", "w:MouseMove 40,30"}},
        {"left click",
         {{WM_LBUTTONDOWN, MK_LBUTTON, at}, {WM_LBUTTONUP, 0, at}},
         {"w:MouseButtonDown 40,30 0 1", "w:MouseDrag 40,30", "w:MouseUpAt 40,30", "w:MouseButtonUp 40,30 0 1"}},
        {"left double click",
         {{WM_LBUTTONDBLCLK, MK_LBUTTON, at}, {WM_LBUTTONUP, 0, at}},
         {"w:MouseButtonDown 40,30 0 2", "w:MouseDrag 40,30", "w:MouseUpAt 40,30", "w:MouseButtonUp 40,30 0 1"}},
        {"right click",
         {{WM_RBUTTONDOWN, MK_RBUTTON, at}, {WM_RBUTTONUP, 0, at}},
         {"w:MouseButtonDown 40,30 1 1", "w:MouseDrag 40,30", "w:MouseUpAt 40,30", "w:MouseButtonUp 40,30 1 1"}},
        {"right double click",
         {{WM_RBUTTONDBLCLK, MK_RBUTTON, at}, {WM_RBUTTONUP, 0, at}},
         {"w:MouseButtonDown 40,30 1 2", "w:MouseDrag 40,30", "w:MouseUpAt 40,30", "w:MouseButtonUp 40,30 1 1"}},
        {"middle click",
         {{WM_MBUTTONDOWN, MK_MBUTTON, at}, {WM_MBUTTONUP, 0, at}},
         {"w:MouseButtonDown 40,30 2 1", "w:MouseDrag 40,30", "w:MouseUpAt 40,30", "w:MouseButtonUp 40,30 2 1"}},
        {"drag with the left button",
         {{WM_LBUTTONDOWN, MK_LBUTTON, at},
          {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(140, 120)},
          {WM_LBUTTONUP, 0, MAKELPARAM(140, 120)},
          {WM_MOUSEMOVE, 0, at}},
         {"w:MouseButtonDown 40,30 0 1", "w:MouseDrag 60,40", "w:MouseDrag 60,40", "w:MouseUpAt 60,40",
          "w:MouseButtonUp 60,40 0 1", "w:MouseMove 40,30"}},
        {"wheel", {{WM_MOUSEWHEEL, WheelDelta(240), at}, {WM_MOUSEWHEEL, WheelDelta(-120), at}},
         {"w:MouseWheel 2", "w:MouseWheel -1"}},
        {"keys",
         {{WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}, {WM_KEYUP, 'A'}, {WM_SYSKEYDOWN, 'X', kAltHeld},
          {WM_SYSKEYUP, 'X', kAltHeld}},
         {"w:KeyDown 65", "w:KeyChar 97", "w:KeyUp 65", "w:KeyDown 88", "w:KeyUp 88"}},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.mName);
        for (const Message& message : testCase.mSent)
            Deliver(message.mMessage, message.mWParam, message.mLParam);
        EXPECT_EQ(TakeLog(), testCase.mExpected);
        // Every press took the capture and the last release gave it back.
        EXPECT_EQ(GetCapture(), nullptr);
    }

    // A press captures the mouse for the window; a release with a button still held keeps it.
    Deliver(WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_EQ(GetCapture(), mWindow);
    Deliver(WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, at);
    Deliver(WM_LBUTTONUP, MK_RBUTTON, at);
    EXPECT_EQ(GetCapture(), mWindow);
    Deliver(WM_RBUTTONUP, 0, at);
    EXPECT_EQ(GetCapture(), nullptr);
    TakeLog();

    // Nothing reaches the widgets before it is handed on.
    Send(WM_KEYDOWN, 'B');
    EXPECT_TRUE(mLog.empty());
    EXPECT_FALSE(mApp->DispatchDeferredMessage());
    EXPECT_EQ(TakeLog(), (Tests::EventLog{"w:KeyDown 66"}));
}

TEST_F(WindowProcTest, AltEnterIsAnOrdinaryKeyWhileTheScreenModeIsForced)
{
    Tests::RecordingWidget* widget = AddWidget();
    mApp->mWidgetManager->SetFocus(widget);
    TakeLog();

    for (const bool fullScreenForced : {true, false}) {
        SCOPED_TRACE(fullScreenForced ? "full screen forced" : "windowed forced");
        mApp->mFullScreenForced = fullScreenForced;
        mApp->mWindowedForced = !fullScreenForced;
        Deliver(WM_SYSKEYDOWN, VK_RETURN, kAltHeld);
        EXPECT_TRUE(mApp->mWindowed);
        EXPECT_TRUE(mApp->mWindowIsWindowed);
        // The key stays down: no mode switch cleared the held keys.
        EXPECT_TRUE(mApp->mWidgetManager->mKeyDown[VK_RETURN]);
        Deliver(WM_SYSKEYUP, VK_RETURN, kAltHeld);
        EXPECT_EQ(TakeLog(), (Tests::EventLog{"w:KeyDown 13", "w:KeyUp 13"}));
    }
}

TEST_F(WindowProcTest, HandingOnACloseShutsDownOnce)
{
    Send(WM_CLOSE);
    EXPECT_EQ(mApp->mCloseRequests, 1);
    // The close request itself only asks; the main loop's hand-on shuts down.
    EXPECT_FALSE(mApp->mClosedByUser);
    EXPECT_FALSE(mApp->mShutDown);
    EXPECT_EQ(mApp->mShutdownCalls, 0);

    EXPECT_FALSE(mApp->DispatchDeferredMessage());
    EXPECT_TRUE(mApp->mClosedByUser);
    EXPECT_TRUE(mApp->mShutDown);
    EXPECT_TRUE(mApp->mExitNestedLoops);
    EXPECT_EQ(mApp->mShutdownCalls, 1);

    mApp->Shutdown();
    EXPECT_EQ(mApp->mShutdownCalls, 1);
    EXPECT_TRUE(IsWindow(mWindow));
}

TEST_F(WindowProcTest, ShutdownFromAnotherThreadWaitsForTheMainThreadsNextFrame)
{
    Zest::SetMainThreadId(GetCurrentThreadId());
    std::thread other([this] { mApp->Shutdown(); });
    other.join();
    EXPECT_TRUE(mApp->mShutdownRequested);
    EXPECT_FALSE(mApp->mShutDown);
    EXPECT_FALSE(mApp->mExitNestedLoops);
    EXPECT_EQ(mApp->mShutdownCalls, 0);

    mApp->ProcessFrame(true);
    EXPECT_TRUE(mApp->mShutDown);
    EXPECT_EQ(mApp->mShutdownCalls, 1);
    mApp->ProcessFrame(true);
    EXPECT_EQ(mApp->mShutdownCalls, 1);
}

TEST_F(WindowProcTest, MinimizingDeactivatesAndMutesAndRestoringUndoesIt)
{
    Tests::RecordingWidget* widget = AddWidget();
    mApp->mWidgetManager->SetFocus(widget);
    const LPARAM at = MAKELPARAM(100, 100);
    Deliver(WM_LBUTTONDOWN, MK_LBUTTON, at);
    TakeLog();
    ASSERT_TRUE(mApp->mActive);
    ASSERT_FALSE(mApp->IsMuted());

    Send(WM_SIZE, SIZE_MINIMIZED);
    EXPECT_TRUE(mApp->mSizeMinimized);
    EXPECT_FALSE(mApp->mMinimized);
    DispatchAll();
    EXPECT_TRUE(mApp->mMinimized);
    EXPECT_FALSE(mApp->mActive);
    EXPECT_TRUE(mApp->IsMuted());
    EXPECT_EQ(mApp->mLostFocusCalls, 1);
    EXPECT_FALSE(mApp->mWidgetManager->mAppHasFocus);
    EXPECT_EQ(GetCapture(), nullptr);
    // The focused widget loses the focus, and the pressed one its button.
    EXPECT_EQ(TakeLog(), (Tests::EventLog{"w:LostFocus", "w:MouseUpAt 40,30", "w:MouseButtonUp 40,30 0 1"}));
    EXPECT_EQ(mApp->mWidgetManager->mPressedWidget, nullptr);

    Deliver(WM_SIZE, SIZE_RESTORED);
    EXPECT_FALSE(mApp->mSizeMinimized);
    EXPECT_FALSE(mApp->mMinimized);
    EXPECT_TRUE(mApp->mActive);
    EXPECT_FALSE(mApp->IsMuted());
    EXPECT_EQ(mApp->mGotFocusCalls, 1);
    EXPECT_TRUE(mApp->mWidgetManager->mAppHasFocus);
    EXPECT_EQ(TakeLog(), (Tests::EventLog{"w:GotFocus"}));

    // Minimized while already inactive: restoring leaves it inactive and muted until the
    // activation returns; every mute is undone exactly once.
    Deliver(WM_ACTIVATEAPP, 0);
    EXPECT_FALSE(mApp->mActive);
    EXPECT_TRUE(mApp->IsMuted());
    Deliver(WM_SIZE, SIZE_MINIMIZED);
    Deliver(WM_SIZE, SIZE_RESTORED);
    EXPECT_FALSE(mApp->mActive);
    EXPECT_TRUE(mApp->IsMuted());
    Deliver(WM_ACTIVATEAPP, 1);
    EXPECT_TRUE(mApp->mActive);
    EXPECT_FALSE(mApp->IsMuted());
    EXPECT_EQ(mApp->mLostFocusCalls, 2);
    EXPECT_EQ(mApp->mGotFocusCalls, 2);

    // A size message of another window leaves the application as it is.
    HWND other = MakeOtherWindow();
    Deliver(WM_SIZE, SIZE_MINIMIZED, 0, other);
    EXPECT_FALSE(mApp->mMinimized);
    EXPECT_TRUE(mApp->mActive);
    EXPECT_FALSE(mApp->IsMuted());
}

} // namespace
