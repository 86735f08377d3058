// Whole runs of the application with its loading and cursor threads on the real clock:
// start-up, the main loop while loading goes on, the handover, popups asked for by the
// loading thread, and shutdown asked for by another thread. These tests also run under
// ThreadSanitizer, which checks that the threads share only what is meant to be shared.

#include "tests/framework/app/AppFixture.h"

#include "framework/widgets/WidgetManager.h"
#include "platform/win32/Threads.h"

#include <thread>

namespace {

using Tests::AppTest;

// Loads in small steps, asks for one error popup half-way, and shuts down a little while
// after the handover.
class LoadingApp : public Tests::TestApp {
public:
    void LoadingThreadProc() override
    {
        mLoadingTotal = 40;
        for (int i = 0; i < 40; ++i) {
            Win32::Sleep(1);
            mLoadingDone = i + 1;
            if (i == 20)
                ShowErrorPopup("half-way");
        }
    }

    void RunFixedUpdate() override
    {
        TestApp::RunFixedUpdate();
        mProgressSeen.push_back(GetLoadingProgress());
        if (mLoadingCompleted && ++mUpdatesAfterLoading == 20)
            Shutdown();
    }

    std::vector<double> mProgressSeen;
    int mUpdatesAfterLoading = 0;
};

// Counts its updates where another thread may read them.
class CountingApp : public Tests::TestApp {
public:
    void RunFixedUpdate() override
    {
        TestApp::RunFixedUpdate();
        ++mSharedUpdateCount;
    }

    std::atomic<int> mSharedUpdateCount = 0;
};

class AppThreadsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        // Both threads sleep; on the hand-driven clock their sleeps would race the test's.
        Win32::SetClock(nullptr);
    }
};

TEST_F(AppThreadsTest, LoadingRunsBesideTheMainLoopAndHandsOverOnceOnTheMainThread)
{
    LoadingApp app;
    app.Init();
    ASSERT_TRUE(app.mInitialized);
    const uint32_t mainThread = Win32::GetCurrentThreadId();
    app.Start();

    EXPECT_TRUE(app.mShutDown);
    EXPECT_EQ(app.mLoadingCompletedCalls, 1);
    EXPECT_EQ(app.mLoadingCompletedThread, mainThread);
    EXPECT_EQ(app.GetLoadingProgress(), 1.0);
    EXPECT_FALSE(app.mCursorThreadRunning);
    // The popup of the loading thread was shown by the main thread.
    ASSERT_EQ(mBoxes.size(), 1u);
    EXPECT_EQ(mBoxes[0].text, "half-way");
    EXPECT_EQ(mBoxThreads[0], mainThread);
    // Progress only grows and ends at 1.
    ASSERT_FALSE(app.mProgressSeen.empty());
    for (size_t i = 1; i < app.mProgressSeen.size(); ++i)
        EXPECT_GE(app.mProgressSeen[i], app.mProgressSeen[i - 1]);
    EXPECT_EQ(app.mProgressSeen.back(), 1.0);
}

TEST_F(AppThreadsTest, ShutdownFromAnotherThreadEndsTheMainLoop)
{
    CountingApp app;
    app.mStartLoadingThread = false;
    app.Init();
    ASSERT_TRUE(app.mInitialized);
    std::atomic<bool> asked = false;
    std::thread other([&app, &asked] {
        while (app.mSharedUpdateCount < 5)
            std::this_thread::yield();
        app.Shutdown();
        asked = true;
    });
    app.Start();
    other.join();

    EXPECT_TRUE(asked);
    EXPECT_TRUE(app.mShutDown);
    EXPECT_EQ(app.mShutdownCalls, 1);
    EXPECT_EQ(app.mLoadingCompletedCalls, 0);
}

} // namespace
