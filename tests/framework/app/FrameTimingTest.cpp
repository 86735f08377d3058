// The main loop's frame timing, stepped through UpdateStep as RunMainLoop does, on the fake
// clock. Init is never called: there is no window and no display, so DrawFrame is replaced
// by a stand-in for the display that counts frames and, for vertical-sync timing, moves the
// clock on by one refresh period as a display waiting for the vertical blank does.

#include "tests/framework/app/AppFixture.h"

#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/win32/Messages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

// Far more steps than any case needs; a loop that stops making progress ends here.
constexpr int kMaxSteps = 20000;

// The display stand-in. Each presented frame records how many fixed updates it got, then
// takes the next period of mPresentPeriods (cycled) off the clock; with no periods the
// frame takes no time, as a display that does not wait for its refresh.
class FrameApp : public Tests::TestApp {
public:
    explicit FrameApp(Tests::FakeClock* clock) : mClock(clock) {}

    bool DrawFrame() override
    {
        mUpdatesPerFrame.push_back(mUpdatesThisFrame);
        mUpdatesThisFrame = 0;
        if (!mPresentPeriods.empty())
            mClock->Advance(mPresentPeriods[mDraws % mPresentPeriods.size()]);
        ++mDraws;
        AccumulatePendingTime();
        mLastDrawSkipped = false;
        mUpdatedSinceDraw = false;
        return true;
    }

    Tests::FakeClock* mClock;
    std::vector<uint32_t> mPresentPeriods;
    int mDraws = 0;
    std::vector<int> mUpdatesPerFrame;
};

class FrameTimingTest : public Tests::AppTest {
protected:
    // Steps until the first frame is drawn: from then on owed time counts from now.
    static void StepToFirstDraw(FrameApp& app)
    {
        for (int i = 0; i < kMaxSteps && app.mDraws == 0; ++i)
            app.UpdateStep(nullptr);
        ASSERT_EQ(app.mDraws, 1);
    }

    // Steps until the loop sleeps; the fixed updates it ran before sleeping.
    int UpdatesUntilSleep(FrameApp& app)
    {
        const int sleeps = mClock.mSleepCalls;
        const int updates = app.mFixedUpdateCount;
        for (int i = 0; i < kMaxSteps && mClock.mSleepCalls == sleeps; ++i)
            app.UpdateStep(nullptr);
        EXPECT_GT(mClock.mSleepCalls, sleeps) << "the loop never slept";
        return app.mFixedUpdateCount - updates;
    }

    uint32_t Now() const { return static_cast<uint32_t>(mClock.mNanoseconds / 1000000); }
};

// ---------------------------------------------------------------------------------------
// Fixed steps without vertical-sync timing.

struct CatchUpCase {
    const char* name;
    double multiplier;
    uint32_t stall;
    bool resetAfterStall;
    int expectedUpdates;
};

void PrintTo(const CatchUpCase& c, std::ostream* out) { *out << c.name; }

class FixedStepCatchUp : public FrameTimingTest, public ::testing::WithParamInterface<CatchUpCase> {};

// After a stall the loop runs one fixed update per step of owed time (at most 200 ms of it)
// before it sleeps again, then keeps pace with the clock at one update per step.
TEST_P(FixedStepCatchUp, RunsOneUpdatePerStepOfOwedTimeThenKeepsPace)
{
    const CatchUpCase& c = GetParam();
    FrameApp app(&mClock);
    app.mLoadingCompleted = true;
    app.mUpdateMultiplier = c.multiplier;
    StepToFirstDraw(app);

    mClock.Advance(c.stall);
    if (c.resetAfterStall)
        app.ResetPendingTime();
    EXPECT_EQ(UpdatesUntilSleep(app), c.expectedUpdates);

    const double step = app.mFrameTime / c.multiplier;
    const uint32_t start = Now();
    const int updatesBefore = app.mFixedUpdateCount;
    for (int i = 0; i < kMaxSteps && Now() - start < 500; ++i)
        app.UpdateStep(nullptr);
    EXPECT_NEAR(app.mFixedUpdateCount - updatesBefore, 500 / step, 1);
}

INSTANTIATE_TEST_SUITE_P(
    FrameTiming, FixedStepCatchUp,
    ::testing::Values(CatchUpCase{"TenMillisecondSteps", 1.0, 100, false, 10},
                      CatchUpCase{"DoubleSpeedHalvesTheStep", 2.0, 100, false, 20},
                      CatchUpCase{"HalfSpeedDoublesTheStep", 0.5, 100, false, 5},
                      CatchUpCase{"OneSecondStallCatchesUpOnly200Milliseconds", 1.0, 1000, false, 20},
                      CatchUpCase{"OneSecondStallAtDoubleSpeed", 2.0, 1000, false, 40},
                      CatchUpCase{"ResetPendingTimeDropsTheStall", 1.0, 150, true, 0}),
    [](const ::testing::TestParamInfo<CatchUpCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------
// Stopped updates: no multiplier, or paused.

struct StoppedCase {
    const char* name;
    double multiplier;
    bool paused;
};

void PrintTo(const StoppedCase& c, std::ostream* out) { *out << c.name; }

class StoppedUpdates : public FrameTimingTest, public ::testing::WithParamInterface<StoppedCase> {};

// No fixed update runs and nothing is drawn, however much time passes, but the loop still
// hands queued input on, both input waiting before the first step and input that arrives
// while the loop is stopped.
TEST_P(StoppedUpdates, RunNoUpdateDrawNothingButStillHandInputOn)
{
    const StoppedCase& c = GetParam();
    FrameApp app(&mClock);
    app.mLoadingCompleted = true;
    app.mUpdateMultiplier = c.multiplier;
    app.mUpdatesPaused = c.paused;
    auto& keys = app.mWidgetManager->mKeyDown;

    app.mDeferredMessages.push_back({nullptr, Win32::WM_KEYDOWN, static_cast<uint32_t>(Win32::VK_SPACE), 0});
    for (int i = 0; i < 20; ++i) {
        app.UpdateStep(nullptr);
        mClock.Advance(10);
    }
    EXPECT_TRUE(keys[Win32::VK_SPACE]) << "the key waiting before the first step was not handed on";

    app.mDeferredMessages.push_back({nullptr, Win32::WM_KEYDOWN, static_cast<uint32_t>('A'), 0});
    for (int i = 0; i < 20; ++i) {
        app.UpdateStep(nullptr);
        mClock.Advance(10);
    }
    EXPECT_TRUE(app.mDeferredMessages.empty());
    EXPECT_TRUE(keys['A']) << "a key arriving while updates are stopped was not handed on";
    EXPECT_EQ(app.mFixedUpdateCount, 0);
    EXPECT_EQ(app.mDraws, 0);
}

INSTANTIATE_TEST_SUITE_P(FrameTiming, StoppedUpdates,
                         ::testing::Values(StoppedCase{"ZeroMultiplier", 0.0, false},
                                           StoppedCase{"NegativeMultiplier", -1.0, false},
                                           StoppedCase{"Paused", 1.0, true}),
                         [](const ::testing::TestParamInfo<StoppedCase>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------------------
// Forced draw while fixed updates keep failing.

// Every fixed update is refused (as while frozen), and the attempts are counted.
class RefusingApp : public FrameApp {
public:
    using FrameApp::FrameApp;
    bool TryFixedUpdate() override
    {
        ++mTries;
        return false;
    }
    int mTries = 0;
};

struct ForcedDrawCase {
    const char* name;
    double multiplier;
    bool loadingCompleted;
    // Update passes that make a draw due; 0 when none is forced.
    int drawAfter;
};

void PrintTo(const ForcedDrawCase& c, std::ostream* out) { *out << c.name; }

class ForcedDraw : public FrameTimingTest, public ::testing::WithParamInterface<ForcedDrawCase> {};

// With time owed but no update getting through, a frame is still drawn once the update
// passes since the last draw reach ten per unit of multiplier (rounded up): the pass that
// reaches the count draws instead of trying. Before loading has completed none is forced.
TEST_P(ForcedDraw, DrawsAfterTenPassesPerUnitOfMultiplierOnceLoaded)
{
    const ForcedDrawCase& c = GetParam();
    RefusingApp app(&mClock);
    app.mLoadingCompleted = c.loadingCompleted;
    app.mUpdateMultiplier = c.multiplier;
    StepToFirstDraw(app);
    mClock.Advance(100);

    if (c.drawAfter == 0) {
        for (int i = 0; i < 200; ++i)
            app.UpdateStep(nullptr);
        EXPECT_EQ(app.mDraws, 1);
        EXPECT_GE(app.mTries, 190);
        return;
    }
    for (int frame = 2; frame <= 4; ++frame) {
        const int triesBefore = app.mTries;
        for (int i = 0; i < kMaxSteps && app.mDraws < frame; ++i)
            app.UpdateStep(nullptr);
        ASSERT_EQ(app.mDraws, frame);
        EXPECT_EQ(app.mTries - triesBefore, c.drawAfter - 1) << "before frame " << frame;
    }
    EXPECT_EQ(mClock.mSleepCalls, 0);
}

INSTANTIATE_TEST_SUITE_P(FrameTiming, ForcedDraw,
                         ::testing::Values(ForcedDrawCase{"NormalSpeed", 1.0, true, 10},
                                           ForcedDrawCase{"OneAndAHalfSpeed", 1.5, true, 15},
                                           ForcedDrawCase{"DoubleSpeed", 2.0, true, 20},
                                           ForcedDrawCase{"NotWhileLoading", 1.0, false, 0}),
                         [](const ::testing::TestParamInfo<ForcedDrawCase>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------------------
// Vertical-sync timing: updates per presented frame.

struct VSyncCase {
    const char* name;
    int32_t refreshRate;
    std::vector<uint32_t> periods;
};

void PrintTo(const VSyncCase& c, std::ostream* out) { *out << c.name; }

class VSyncPacing : public FrameTimingTest, public ::testing::WithParamInterface<VSyncCase> {
protected:
    void UseVSyncTiming(FrameApp& app, const VSyncCase& c)
    {
        app.mLoadingCompleted = true;
        app.mVSyncTiming = true;
        app.mWindowIsWindowed = false;
        app.mRefreshRate = c.refreshRate;
        app.mPresentPeriods = c.periods;
    }
};

// Each frame gets the whole or rounded-up number of updates per refresh (10 ms updates:
// 1.67 at 60 Hz, 1 at 100 Hz), no two frames in a row both get the smaller number, and
// the total follows the rate.
TEST_P(VSyncPacing, EachFrameGetsItsShareOfUpdates)
{
    const VSyncCase& c = GetParam();
    FrameApp app(&mClock);
    UseVSyncTiming(app, c);

    constexpr int kWarmUpFrames = 4;
    constexpr int kFrames = 300;
    for (int i = 0; i < kMaxSteps && app.mDraws < kWarmUpFrames + kFrames; ++i)
        app.UpdateStep(nullptr);
    ASSERT_EQ(app.mDraws, kWarmUpFrames + kFrames);

    const double perFrame = 1000.0 / (app.mFrameTime * c.refreshRate);
    const std::vector<int> counts(app.mUpdatesPerFrame.begin() + kWarmUpFrames, app.mUpdatesPerFrame.end());
    int total = 0;
    for (size_t i = 0; i < counts.size(); ++i) {
        total += counts[i];
        EXPECT_GE(counts[i], std::floor(perFrame)) << "frame " << i;
        EXPECT_LE(counts[i], std::ceil(perFrame)) << "frame " << i;
        if (i > 0) {
            EXPECT_GE(counts[i - 1] + counts[i], std::floor(2 * perFrame)) << "frames " << i - 1 << " and " << i;
        }
    }
    EXPECT_NEAR(total, kFrames * perFrame, 2);
    EXPECT_FALSE(app.mVSyncTimingBroken);
    EXPECT_EQ(mClock.mSleepCalls, 0) << "the display's wait paces the loop";
}

INSTANTIATE_TEST_SUITE_P(FrameTiming, VSyncPacing,
                         ::testing::Values(VSyncCase{"SixtyHertz", 60, {16, 17}},
                                           VSyncCase{"HundredHertz", 100, {10}}),
                         [](const ::testing::TestParamInfo<VSyncCase>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------------------
// Vertical-sync self-check.

struct VSyncCheckCase {
    const char* name;
    int32_t refreshRate;
    std::vector<uint32_t> periods;
    bool breaks;
};

void PrintTo(const VSyncCheckCase& c, std::ostream* out) { *out << c.name; }

class VSyncSelfCheck : public FrameTimingTest, public ::testing::WithParamInterface<VSyncCheckCase> {};

// Every 100 updates (a second of 10 ms updates) the loop looks at how long they took. The
// first look only starts the measure; when three looks in a row find them within 800 ms,
// vertical-sync timing is marked broken (at update 400) and stays so. A display that
// really waits never trips it.
TEST_P(VSyncSelfCheck, MarksVSyncBrokenAfterThreeFastSecondsInARow)
{
    const VSyncCheckCase& c = GetParam();
    FrameApp app(&mClock);
    app.mLoadingCompleted = true;
    app.mVSyncTiming = true;
    app.mWindowIsWindowed = false;
    app.mRefreshRate = c.refreshRate;
    app.mPresentPeriods = c.periods;

    auto stepUntilUpdates = [&](const int updates) {
        bool everBroken = false;
        for (int i = 0; i < kMaxSteps && app.mFixedUpdateCount < updates; ++i) {
            app.UpdateStep(nullptr);
            everBroken = everBroken || app.mVSyncTimingBroken;
        }
        EXPECT_GE(app.mFixedUpdateCount, updates);
        return everBroken;
    };

    if (!c.breaks) {
        EXPECT_FALSE(stepUntilUpdates(1000));
        return;
    }
    EXPECT_FALSE(stepUntilUpdates(399));
    stepUntilUpdates(400);
    EXPECT_TRUE(app.mVSyncTimingBroken);
    for (int i = 0; i < 2000; ++i) {
        app.UpdateStep(nullptr);
        ASSERT_TRUE(app.mVSyncTimingBroken) << "step " << i << " after it broke";
    }
}

INSTANTIATE_TEST_SUITE_P(FrameTiming, VSyncSelfCheck,
                         ::testing::Values(VSyncCheckCase{"DisplayDoesNotWait", 100, {}, true},
                                           VSyncCheckCase{"DisplayWaitsSevenMilliseconds", 100, {7}, true},
                                           VSyncCheckCase{"DisplayWaitsNineMilliseconds", 100, {9}, false},
                                           VSyncCheckCase{"DisplayWaitsForSixtyHertz", 60, {16, 17}, false}),
                         [](const ::testing::TestParamInfo<VSyncCheckCase>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------------------
// Deferred deletion across a modal loop.

struct Deletion {
    std::string name;
    int32_t stepDepth;
    int updateCalls;
};

class ModalApp;

// Records its own deletion with the step depth and update count of that moment.
class LoggedWidget : public Zest::Widget {
public:
    LoggedWidget(std::string name, const ModalApp* app, std::vector<Deletion>* log)
        : mName(std::move(name)), mApp(app), mLog(log)
    {
    }
    ~LoggedWidget() override;

private:
    std::string mName;
    const ModalApp* mApp;
    std::vector<Deletion>* mLog;
};

// The first fixed update opens a "dialog": it drops a widget of the outer screen and then
// steps the loop itself until the dialog has seen five updates; the dialog's first update
// drops one of its own widgets.
class ModalApp : public FrameApp {
public:
    using FrameApp::FrameApp;

    void RunFixedUpdate() override
    {
        FrameApp::RunFixedUpdate();
        ++mUpdateCalls;
        if (mUpdateCalls == 1) {
            mOuterDepth = mStepDepth;
            DeferDeleteWidget(new LoggedWidget("outer", this, &mDeletions));
            for (int i = 0; i < kMaxSteps && mUpdateCalls < 6; ++i)
                UpdateStep(nullptr);
            mDeletionsWhenDialogClosed = mDeletions;
        } else if (mUpdateCalls == 2) {
            mNestedDepth = mStepDepth;
            DeferDeleteWidget(new LoggedWidget("nested", this, &mDeletions));
        }
    }

    int mUpdateCalls = 0;
    int32_t mOuterDepth = -1;
    int32_t mNestedDepth = -1;
    std::vector<Deletion> mDeletions;
    std::vector<Deletion> mDeletionsWhenDialogClosed;
};

LoggedWidget::~LoggedWidget() { mLog->push_back({mName, mApp->mStepDepth, mApp->mUpdateCalls}); }

// A widget dropped inside the modal loop goes when the nested step that dropped it ends; one
// dropped by the outer step outlives the whole modal loop and goes when the outer step ends.
TEST_F(FrameTimingTest, DeferredDeletesWaitForTheStepDepthThatQueuedThem)
{
    ModalApp app(&mClock);
    app.mLoadingCompleted = true;
    StepToFirstDraw(app);
    mClock.Advance(10);

    for (int i = 0; i < kMaxSteps && app.mUpdateCalls == 0; ++i)
        app.UpdateStep(nullptr);
    ASSERT_GE(app.mUpdateCalls, 6);
    EXPECT_EQ(app.mOuterDepth, 1);
    EXPECT_EQ(app.mNestedDepth, 2);

    ASSERT_EQ(app.mDeletionsWhenDialogClosed.size(), 1u) << "only the dialog's widget goes inside the dialog";
    EXPECT_EQ(app.mDeletionsWhenDialogClosed[0].name, "nested");
    EXPECT_EQ(app.mDeletionsWhenDialogClosed[0].stepDepth, 2);
    EXPECT_EQ(app.mDeletionsWhenDialogClosed[0].updateCalls, 2) << "not deleted in the step that queued it";

    ASSERT_EQ(app.mDeletions.size(), 2u) << "the outer step has ended";
    EXPECT_EQ(app.mDeletions[1].name, "outer");
    EXPECT_EQ(app.mDeletions[1].stepDepth, 1);
    EXPECT_TRUE(app.mDeferredDeletes.empty());
}

} // namespace
