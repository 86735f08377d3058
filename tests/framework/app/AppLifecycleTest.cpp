// The application object's life: its text table, the loading thread and its handover to
// the main thread, popups (also those other threads ask for), screen-saver mode's error
// log, start-up through Init on SDL's dummy video driver and the DirectDraw stand-in, and
// destruction while the loading thread still runs.

#include "framework/app/common/MainThread.h"
#include "framework/app/common/RuntimeRandom.h"
#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "framework/graphics/AppInterface.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/ddraw/StandInControls.h"
#include "platform/win32/Kernel.h"
#include "platform/win32/Library.h"
#include "platform/win32/Messages.h"
#include "platform/win32/SingleInstance.h"
#include "platform/win32/Window.h"
#include "tests/framework/app/AppFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cctype>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Tests::AppTest;
using Tests::TestApp;

class AppLifecycleTest : public AppTest {};

// Waits, in real time, until the condition holds; false after ten seconds. The limit only
// keeps a broken build from hanging: nothing here takes near that long.
bool WaitUntil(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::yield();
    }
    return true;
}

// Ends the process with a message when the test is still running ten seconds on: a
// thread that waits for an answer that never comes would otherwise hang the test.
class Watchdog {
public:
    Watchdog()
        : mThread([this] {
              std::unique_lock lock(mMutex);
              if (!mDismissedChanged.wait_for(lock, std::chrono::seconds(10), [this] { return mDismissed; })) {
                  std::fprintf(stderr, "The test hung: a thread is still waiting.\n");
                  std::_Exit(1);
              }
          })
    {
    }
    ~Watchdog()
    {
        {
            const std::lock_guard lock(mMutex);
            mDismissed = true;
        }
        mDismissedChanged.notify_all();
        mThread.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    std::mutex mMutex;
    std::condition_variable mDismissedChanged;
    bool mDismissed = false;
    std::thread mThread;
};

// A one-shot gate: threads wait at it until it is opened. It blocks on a condition variable,
// never on the test's clock.
class Gate {
public:
    void Open()
    {
        const std::lock_guard lock(mMutex);
        mOpen = true;
        mOpened.notify_all();
    }
    void Wait()
    {
        std::unique_lock lock(mMutex);
        mOpened.wait(lock, [this] { return mOpen; });
    }

private:
    std::mutex mMutex;
    std::condition_variable mOpened;
    bool mOpen = false;
};

// What a loading thread does and what it saw; owned by the test so that it outlives the
// application.
struct LoadingScript {
    Gate release;
    // Runs on the loading thread once released.
    std::function<void()> work;
    std::atomic<int> runs = 0;
    std::atomic<uint32_t> threadId = 0;
    std::atomic<bool> finished = false;
    // Set when the application's destruction begins.
    std::atomic<bool> destroying = false;
    // Opens the release gate when the application goes, so that a failed assertion cannot
    // leave the destructor waiting for a thread that waits for the test.
    bool releaseOnDestroy = true;
};

// A loading thread that reports it has started, waits until the test releases it, then
// runs the script's work.
class LoadingApp : public TestApp {
public:
    explicit LoadingApp(LoadingScript& script) : mScript(script) {}
    ~LoadingApp() override
    {
        mScript.destroying = true;
        if (mScript.releaseOnDestroy)
            mScript.release.Open();
    }

    void LoadingThreadProc() override
    {
        // Once released, the thread may run on into the base class's destructor, after
        // this class's part is gone: from then on it uses only the script.
        LoadingScript& script = mScript;
        ++script.runs;
        script.threadId = Win32::GetCurrentThreadId();
        script.release.Wait();
        if (script.work)
            script.work();
        script.finished = true;
    }

private:
    LoadingScript& mScript;
};

// Marks the keys, modifiers and owed time a popup must clear.
void HoldKeysAndOweTime(TestApp& app, const uint32_t now)
{
    app.mWidgetManager->mKeyDown['A'] = true;
    app.mWidgetManager->mKeyDown[Win32::VK_SHIFT] = true;
    app.mCtrlDown = true;
    app.mAltDown = true;
    app.mPendingTime = 150;
    // A stale stamp: time since it would count as owed unless the popup restarts the count.
    app.mPendingTimeStamp = now - 5000;
}

bool AnyKeyDown(const TestApp& app)
{
    for (const bool down : app.mWidgetManager->mKeyDown) {
        if (down)
            return true;
    }
    return false;
}

std::vector<std::string> ReadLines(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// "TEXT HH:MM:SS TICK": the local time of day and the millisecond tick of the write.
bool IsLogLine(const std::string& line, const std::string& text, const uint32_t tick)
{
    const std::string head = text + " ";
    const std::string tail = " " + std::to_string(tick);
    if (line.size() != head.size() + 8 + tail.size() || line.compare(0, head.size(), head) != 0 ||
        line.compare(line.size() - tail.size(), tail.size(), tail) != 0)
        return false;
    const std::string clock = line.substr(head.size(), 8);
    for (size_t i = 0; i < clock.size(); ++i) {
        const bool colon = i == 2 || i == 5;
        if (colon ? clock[i] != ':' : !std::isdigit(static_cast<unsigned char>(clock[i])))
            return false;
    }
    return std::stoi(clock.substr(0, 2)) < 24 && std::stoi(clock.substr(3, 2)) < 60 && std::stoi(clock.substr(6, 2)) < 61;
}

std::string Hex(const uint32_t value)
{
    char text[16] = {};
    std::snprintf(text, sizeof(text), "%X", value);
    return text;
}

// Text table.

TEST_F(AppLifecycleTest, TextTableGivesBuiltInTextsDefaultsAndReplacements)
{
    TestApp app;
    const struct {
        const char* id;
        const char* expected;
    } builtIn[] = {
        {"DIALOG_BUTTON_OK", "OK"},
        {"DIALOG_BUTTON_CANCEL", "CANCEL"},
        {"UPDATE_CHECK_TITLE", "Update Check"},
        {"UPDATE_CHECK_BODY", "Checking if there are any updates available for this product ..."},
        {"UP_TO_DATE_TITLE", "Up to Date"},
        {"UP_TO_DATE_BODY", "There are no updates available for this product at this time."},
        {"NEW_VERSION_TITLE", "New Version"},
        {"NEW_VERSION_BODY",
         "There is an update available for this product.  Would you like to visit the web site to download it?"},
    };
    for (const auto& entry : builtIn)
        EXPECT_EQ(app.GetString(entry.id, "default"), entry.expected) << entry.id;

    EXPECT_EQ(app.GetString("NO_SUCH_TEXT", "the caller's default"), "the caller's default");
    EXPECT_EQ(app.GetString("NO_SUCH_TEXT", ""), "");
    // Ids are matched exactly.
    EXPECT_EQ(app.GetString("dialog_button_ok", "default"), "default");

    app.SetString("DIALOG_BUTTON_OK", L"Fine");
    app.SetString("FATAL_ERROR", L"Serious trouble");
    EXPECT_EQ(app.GetString("DIALOG_BUTTON_OK", "default"), "Fine");
    EXPECT_EQ(app.GetString("FATAL_ERROR", "FATAL ERROR"), "Serious trouble");
    EXPECT_EQ(app.GetString("DIALOG_BUTTON_CANCEL", "default"), "CANCEL");
}

// Loading thread.

TEST_F(AppLifecycleTest, LoadingProgressFollowsTheCounters)
{
    TestApp app;
    const struct {
        const char* name;
        bool started;
        bool completed;
        int32_t total;
        int32_t done;
        double expected;
    } cases[] = {
        {"not started", false, false, 20, 5, 0.0},
        {"started without a total", true, false, 0, 5, 0.0},
        {"nothing done yet", true, false, 20, 0, 0.0},
        {"a quarter done", true, false, 20, 5, 0.25},
        {"all done", true, false, 20, 20, 1.0},
        {"more done than the total", true, false, 20, 30, 1.0},
        {"handed over", true, true, 20, 5, 1.0},
        {"handed over without a total", true, true, 0, 0, 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        app.mLoadingThreadStarted = c.started;
        app.mLoadingCompleted = c.completed;
        app.mLoadingTotal = c.total;
        app.mLoadingDone = c.done;
        EXPECT_DOUBLE_EQ(app.GetLoadingProgress(), c.expected);
    }
    // No thread was started: the destructor must not wait for one.
    app.mLoadingThreadStarted = false;
}

TEST_F(AppLifecycleTest, LoadingThreadIsHandedOverOnceOnTheMainThread)
{
    const Watchdog watchdog;
    LoadingScript script;
    LoadingApp app(script);
    const uint32_t mainThread = Win32::GetCurrentThreadId();
    Zest::SetMainThreadId(mainThread);
    app.mLoadingTotal = 20;

    app.StartLoadingThread();
    EXPECT_TRUE(app.mYieldToLoading);
    app.StartLoadingThread();
    ASSERT_TRUE(WaitUntil([&] { return script.runs.load() > 0; }));
    EXPECT_NE(script.threadId.load(), mainThread);

    // While the thread still loads, updates run without a handover.
    app.mLoadingDone = 5;
    EXPECT_DOUBLE_EQ(app.GetLoadingProgress(), 0.25);
    EXPECT_TRUE(app.TryFixedUpdate());
    EXPECT_EQ(app.mLoadingCompletedCalls, 0);
    EXPECT_FALSE(app.mLoadingCompleted);
    EXPECT_TRUE(app.mYieldToLoading);

    script.release.Open();
    ASSERT_TRUE(WaitUntil([&] { return app.mLoadingThreadDone.load(); }));
    EXPECT_EQ(app.mLoadingCompletedCalls, 0) << "the handover belongs to the main thread's update";

    EXPECT_TRUE(app.TryFixedUpdate());
    EXPECT_EQ(app.mLoadingCompletedCalls, 1);
    EXPECT_EQ(app.mLoadingCompletedThread, mainThread);
    EXPECT_TRUE(app.mLoadingCompleted);
    EXPECT_FALSE(app.mYieldToLoading);
    EXPECT_DOUBLE_EQ(app.GetLoadingProgress(), 1.0);

    app.TryFixedUpdate();
    app.TryFixedUpdate();
    EXPECT_EQ(app.mLoadingCompletedCalls, 1);
    EXPECT_EQ(script.runs.load(), 1) << "a second StartLoadingThread started another thread";
    app.WaitForLoadingThread();
}

TEST_F(AppLifecycleTest, WaitForLoadingThreadReturnsAtOnceWhenNoneWasStarted)
{
    TestApp app;
    Zest::SetMainThreadId(Win32::GetCurrentThreadId());
    const int sleepsBefore = mClock.mSleepCalls;
    app.WaitForLoadingThread();
    EXPECT_EQ(mClock.mSleepCalls, sleepsBefore);
    EXPECT_TRUE(app.TryFixedUpdate());
    EXPECT_EQ(app.mLoadingCompletedCalls, 0);
    EXPECT_FALSE(app.mLoadingCompleted);
}

// A box the loading thread asks for is shown by the main thread, wherever it waits: in
// WaitForLoadingThread or in the main loop's message step. The loading thread gets the
// answer given in the box.
TEST_F(AppLifecycleTest, PopupsAskedForByTheLoadingThreadAreShownByTheMainThread)
{
    const Watchdog watchdog;
    const uint32_t mainThread = Win32::GetCurrentThreadId();
    const struct {
        const char* name;
        std::function<void(TestApp&)> serve;
    } waits[] = {
        {"WaitForLoadingThread", [](TestApp& app) { app.WaitForLoadingThread(); }},
        {"UpdateStep",
         [](TestApp& app) {
             ASSERT_TRUE(WaitUntil([&] {
                 // The message step, the one that serves other threads' requests.
                 app.mStepState = Zest::ZestAppBase::StepState::PumpMessages;
                 app.UpdateStep(nullptr);
                 return app.mLoadingThreadDone.load();
             }));
         }},
    };
    for (const auto& wait : waits) {
        SCOPED_TRACE(wait.name);
        mBoxes.clear();
        mBoxThreads.clear();
        mBoxAnswer = Win32::IDNO;
        LoadingScript script;
        LoadingApp app(script);
        Zest::SetMainThreadId(mainThread);
        std::atomic<int> answer = 0;
        script.work = [&] {
            answer = app.ShowMessageBox("The disk is almost full. Go on?", "Loading",
                                        Win32::MB_YESNO | Win32::MB_ICONQUESTION);
            app.ShowErrorPopup("A data file is damaged.");
        };

        app.StartLoadingThread();
        script.release.Open();
        wait.serve(app);

        ASSERT_TRUE(script.finished);
        EXPECT_EQ(answer.load(), Win32::IDNO);
        ASSERT_EQ(mBoxes.size(), 2u);
        EXPECT_EQ(mBoxes[0].text, "The disk is almost full. Go on?");
        EXPECT_EQ(mBoxes[0].caption, "Loading");
        EXPECT_EQ(mBoxes[0].type, Win32::MB_YESNO | Win32::MB_ICONQUESTION);
        EXPECT_EQ(mBoxes[1].text, "A data file is damaged.");
        EXPECT_EQ(mBoxes[1].caption, "FATAL ERROR");
        EXPECT_EQ(mBoxes[1].type, Win32::MB_ICONERROR);
        EXPECT_EQ(mBoxThreads, (std::vector<uint32_t>{mainThread, mainThread}));
        app.WaitForLoadingThread();
    }
}

// The destructor frees the widget manager only after the loading thread has ended: here
// the thread uses it only after the destructor has begun. Freed too early, the thread's use
// is a use-after-free that AddressSanitizer reports.
TEST_F(AppLifecycleTest, DestructorWaitsForTheLoadingThreadBeforeFreeingWhatItUses)
{
    const Watchdog watchdog;
    LoadingScript script;
    script.releaseOnDestroy = false;
    auto app = std::make_unique<LoadingApp>(script);
    Zest::SetMainThreadId(Win32::GetCurrentThreadId());
    // Through the base class: by the time the thread runs, only that part is left.
    Zest::ZestAppBase* const base = app.get();
    script.work = [base] { base->mWidgetManager->MarkAllDirty(); };

    app->StartLoadingThread();
    ASSERT_TRUE(WaitUntil([&] { return script.runs.load() > 0; }));

    // Released once the destructor is under way, and a little later still, so that a
    // destructor that does not wait has freed everything by then.
    std::thread releaser([&script] {
        WaitUntil([&script] { return script.destroying.load(); });
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        script.release.Open();
    });
    app.reset();
    releaser.join();

    EXPECT_TRUE(script.destroying);
    EXPECT_TRUE(script.finished) << "the destructor returned before the loading thread ended";
    EXPECT_EQ(Zest::GetZestApp(), nullptr);
}

// Popups on the main thread.

// Every popup shows its box with the text, caption and flags, returns the box's answer, and
// afterwards nothing counts as held (its releases went to the box) and the time the box
// was up is not owed.
TEST_F(AppLifecycleTest, PopupsShowTheirBoxAndResetInputAndOwedTime)
{
    constexpr int kNoResult = -1;
    const struct {
        const char* name;
        std::function<int(TestApp&)> show;
        int result;
        const char* caption;
        uint32_t type;
    } popups[] = {
        {"ShowMessageBox",
         [](TestApp& app) { return app.ShowMessageBox("Save before leaving?", "Leaving", Win32::MB_YESNO); },
         Win32::IDNO, "Leaving", Win32::MB_YESNO},
        {"ShowMessageBoxW",
         [](TestApp& app) { return app.ShowMessageBoxW(L"Save before leaving?", L"Leaving", Win32::MB_YESNO); },
         Win32::IDNO, "Leaving", Win32::MB_YESNO},
        {"ShowErrorPopup",
         [](TestApp& app) {
             app.ShowErrorPopup("Save before leaving?");
             return kNoResult;
         },
         kNoResult, "FATAL ERROR", Win32::MB_ICONERROR},
        {"ShowErrorPopupW",
         [](TestApp& app) {
             app.ShowErrorPopupW(L"Save before leaving?");
             return kNoResult;
         },
         kNoResult, "FATAL ERROR", Win32::MB_ICONERROR},
    };
    TestApp app;
    const uint32_t mainThread = Win32::GetCurrentThreadId();
    Zest::SetMainThreadId(mainThread);
    mBoxAnswer = Win32::IDNO;
    for (const auto& popup : popups) {
        SCOPED_TRACE(popup.name);
        mBoxes.clear();
        mBoxThreads.clear();
        HoldKeysAndOweTime(app, Win32::timeGetTime());

        EXPECT_EQ(popup.show(app), popup.result);

        ASSERT_EQ(mBoxes.size(), 1u);
        EXPECT_EQ(mBoxes[0].text, "Save before leaving?");
        EXPECT_EQ(mBoxes[0].caption, popup.caption);
        EXPECT_EQ(mBoxes[0].type, popup.type);
        EXPECT_EQ(mBoxThreads[0], mainThread);
        EXPECT_FALSE(AnyKeyDown(app));
        EXPECT_FALSE(app.mCtrlDown);
        EXPECT_FALSE(app.mAltDown);
        EXPECT_EQ(app.mPendingTime, 0.0);
        // Owed time counts again from the end of the box.
        mClock.Advance(10);
        app.AccumulatePendingTime();
        EXPECT_EQ(app.mPendingTime, 10.0);
    }
}

TEST_F(AppLifecycleTest, ErrorPopupTakesItsCaptionFromTheTextTableAndStaysQuietAfterShutdown)
{
    TestApp app;
    Zest::SetMainThreadId(Win32::GetCurrentThreadId());
    app.SetString("FATAL_ERROR", L"Serious trouble");
    app.ShowErrorPopup("narrow");
    app.ShowErrorPopupW(L"wide");
    ASSERT_EQ(mBoxes.size(), 2u);
    EXPECT_EQ(mBoxes[0].caption, "Serious trouble");
    EXPECT_EQ(mBoxes[1].caption, "Serious trouble");
    EXPECT_EQ(mBoxes[1].text, "wide");
    EXPECT_EQ(mBoxes[1].type, Win32::MB_ICONERROR);

    app.Shutdown();
    EXPECT_EQ(app.mShutdownCalls, 1);
    app.ShowErrorPopup("after shutdown");
    app.ShowErrorPopupW(L"after shutdown");
    EXPECT_EQ(mBoxes.size(), 2u);
}

// In screen-saver mode no box may appear: every text goes to a line of ScrError.txt in the
// working folder, and the first write of the process starts the file afresh.
TEST_F(AppLifecycleTest, ScreenSaverModeWritesTextsToTheErrorLogInsteadOfShowingBoxes)
{
    const std::filesystem::path log = std::filesystem::current_path() / "ScrError.txt";
    Tests::WriteBytes(log, "left over from an earlier run\n");
    TestApp app;
    Zest::SetMainThreadId(Win32::GetCurrentThreadId());
    app.mScreenSaverMode = true;
    mBoxAnswer = Win32::IDNO;

    std::vector<std::string> expectedTexts;
    std::vector<uint32_t> ticks;
    const auto note = [&](const std::string& text) {
        expectedTexts.push_back(text);
        ticks.push_back(Win32::GetTickCount());
    };
    note("first message");
    EXPECT_EQ(app.ShowMessageBox("first message", "Caption", Win32::MB_YESNO), Win32::IDOK);
    mClock.Advance(1500);
    note("second error");
    app.ShowErrorPopup("second error");
    mClock.Advance(20);
    note("third message");
    EXPECT_EQ(app.ShowMessageBoxW(L"third message", L"Caption", Win32::MB_YESNO), Win32::IDOK);
    mClock.Advance(20);
    note("fourth error");
    app.ShowErrorPopupW(L"fourth error");

    EXPECT_TRUE(mBoxes.empty());
    const std::vector<std::string> lines = ReadLines(log);
    ASSERT_EQ(lines.size(), expectedTexts.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_TRUE(IsLogLine(lines[i], expectedTexts[i], ticks[i])) << lines[i];
    }
}

// Start-up through Init, on SDL's dummy video driver and the DirectDraw stand-in.

class AppStartupTest : public Tests::DisplayAppTest {};

TEST_F(AppStartupTest, InitBringsUpWindowsDisplayAndSeedsTheRandomGenerator)
{
    // A tick no default seed would have.
    mClock.mNanoseconds = 4321987ull * 1000000ull;
    auto app = std::make_unique<TestApp>();
    const uint32_t tickAtInit = Win32::GetTickCount();
    app->Init();

    EXPECT_TRUE(app->mInitialized);
    EXPECT_EQ(Zest::GetMainThreadId(), Win32::GetCurrentThreadId());
    ASSERT_NE(app->mMainWindow, nullptr);
    ASSERT_NE(app->mHiddenWindow, nullptr);
    ASSERT_NE(app->mDisplay, nullptr);
    EXPECT_TRUE(app->mWindowIsWindowed);
    EXPECT_EQ(app->mScreenBounds, Zest::Rect(0, 0, app->mWidth, app->mHeight));
    ASSERT_NE(app->mWidgetManager->mScreenImage, nullptr);
    EXPECT_EQ(app->mWidgetManager->mScreenImage, static_cast<Zest::Image*>(app->mDisplay->GetScreenImage()));
    EXPECT_TRUE(mBoxes.empty());

    EXPECT_EQ(app->mRandomSeed, tickAtInit);
    std::vector<int32_t> afterInit;
    for (int i = 0; i < 6; ++i)
        afterInit.push_back(Zest::Rand());
    Zest::SRand(app->mRandomSeed);
    std::vector<int32_t> fromSeed;
    for (int i = 0; i < 6; ++i)
        fromSeed.push_back(Zest::Rand());
    EXPECT_EQ(afterInit, fromSeed);

    // The crash report's summary: time since construction, screen mode, main thread.
    const uint32_t mainThread = Zest::GetMainThreadId();
    const struct {
        uint32_t secondsLoaded;
        const char* shown;
    } times[] = {{0, "00:00:00"}, {3725, "01:02:05"}, {3600 * 30 + 59, "30:00:59"}};
    for (const auto& t : times) {
        mClock.mNanoseconds = (static_cast<uint64_t>(app->mStartTick) + t.secondsLoaded * 1000ull) * 1000000ull;
        EXPECT_EQ(app->GetCrashInfoText(), "Product: AppTestProduct\r\nVersion: " + app->mProductVersion +
                                               "\r\nTime Loaded: " + t.shown + "\r\nFullscreen: No\r\nPrimary ThreadId: " +
                                               Hex(mainThread) + "\r\n");
    }

    const Win32::HWND mainWindow = app->mMainWindow;
    const Win32::HWND hiddenWindow = app->mHiddenWindow;
    app.reset();
    EXPECT_FALSE(Win32::IsWindow(mainWindow));
    EXPECT_FALSE(Win32::IsWindow(hiddenWindow));
    EXPECT_EQ(Zest::GetZestApp(), nullptr);
    EXPECT_EQ(Zest::GetAppInterface(), nullptr);
    EXPECT_EQ(Zest::GetMainThreadId(), 0u) << "the main thread is forgotten with the application";
}

// Start runs the loading thread only when asked to, and the handover follows it.
TEST_F(AppStartupTest, StartHandsOverLoadingOnlyWhenItStartedALoadingThread)
{
    const Watchdog watchdog;
    // Stops the main loop a few updates after the handover (or without one).
    class StoppingApp : public TestApp {
    public:
        void RunFixedUpdate() override
        {
            TestApp::RunFixedUpdate();
            if (mFixedUpdateCount >= 3 && (mLoadingCompleted || !mStartLoadingThread))
                Shutdown();
        }
    };
    for (const bool startLoading : {true, false}) {
        SCOPED_TRACE(startLoading ? "with a loading thread" : "without a loading thread");
        StoppingApp app;
        app.mStartLoadingThread = startLoading;
        app.Init();
        ASSERT_TRUE(app.mInitialized);
        app.Start();
        EXPECT_GE(app.mFixedUpdateCount, 3);
        EXPECT_EQ(app.mLoadingThreadStarted.load(), startLoading);
        EXPECT_EQ(app.mLoadingCompletedCalls, startLoading ? 1 : 0);
        EXPECT_EQ(app.mLoadingCompleted, startLoading);
        EXPECT_EQ(app.mShutdownCalls, 1);
    }
}

TEST_F(AppStartupTest, DestroyingAnAppThatNeverRanInitIsClean)
{
    for (const bool shutDownFirst : {false, true}) {
        SCOPED_TRACE(shutDownFirst ? "shut down first" : "destroyed at once");
        {
            TestApp app;
            EXPECT_EQ(Zest::GetZestApp(), &app);
            if (shutDownFirst) {
                app.Shutdown();
                app.Shutdown();
                EXPECT_EQ(app.mShutdownCalls, 1);
            }
            EXPECT_EQ(app.mMainWindow, nullptr);
            EXPECT_EQ(app.mHiddenWindow, nullptr);
            EXPECT_EQ(app.mDisplay, nullptr);
        }
        EXPECT_EQ(Zest::GetZestApp(), nullptr);
        EXPECT_EQ(Zest::GetAppInterface(), nullptr);
        EXPECT_EQ(mControls->liveObjects, 0);
        EXPECT_TRUE(mBoxes.empty());
    }
}

// Start-ups that end the process.
using AppStartupDeathTest = Tests::AppDeathTest<AppStartupTest>;

TEST_F(AppStartupDeathTest, DisplayThatCannotBeCreatedEndsWithAnErrorBoxAndStatusOne)
{
    EXPECT_EXIT(
        {
            PrintBoxes();
            DDraw::StandInControls::Failure failure;
            failure.method = "DirectDrawCreateEx";
            mControls->failures.push_back(failure);
            TestApp app;
            app.Init();
            std::fprintf(stderr, "Init returned\n");
        },
        testing::ExitedWithCode(1), "box caption=\\[FATAL ERROR\\] text=\\[Failed to initialize DirectDraw: ");
}

// A second copy hands over to the running one and ends with success inside Init. The running
// copy is a handle to the product's mutex that this test takes first. The named mutex is a
// lock on a file (flock), which belongs to the open file, not to the process: Init's own
// CreateMutexA opens the file anew and finds it locked, as another process would. The lock
// is not inherited by a death-test child that runs the program afresh, but such a child runs
// this test body again up to EXPECT_EXIT, so it takes the lock itself first (in its own
// runtime folder, which is where its Init looks).
TEST_F(AppStartupDeathTest, SecondCopyHandsOverToTheRunningOneAndEndsWithSuccess)
{
    const Win32::HANDLE running = Win32::CreateMutexA(nullptr, 1, "AppTestProductMutex");
    ASSERT_NE(running, nullptr);
    ASSERT_EQ(Win32::GetLastError(), static_cast<Win32::DWORD>(Win32::ERROR_SUCCESS));

    EXPECT_EXIT(
        {
            PrintBoxes();
            TestApp app;
            app.Init();
            std::fprintf(stderr, "Init returned\n");
        },
        testing::ExitedWithCode(0), "");
    Win32::CloseHandle(running);
}

} // namespace
