#include "framework/app/common/Debug.h"
#include "framework/app/common/HiResTimer.h"
#include "framework/app/common/Profiler.h"

#include "platform/win32/DebugOutput.h"
#include "tests/platform/win32/FakeClock.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Installs a fake clock for one test. Every performance-counter read advances it by
// 1 ms, and the processor runs at 3 GHz, so the processor rate measures as 3e9 exactly.
class FakeClockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mClock.mNanoseconds = 1000000000;
        mClock.mStepPerCounterRead = 1000000;
        Win32::SetClock(&mClock);
    }
    void TearDown() override { Win32::SetClock(nullptr); }

    Tests::FakeClock mClock;
};

using HiResTimerTest = FakeClockTest;
using ProfilerTest = FakeClockTest;

TEST_F(HiResTimerTest, MeasuresFromStartToStopAndKeepsTheValue)
{
    Zest::HiResTimer timer;
    EXPECT_EQ(timer.GetDuration(), 0.0);

    mClock.mStepPerCounterRead = 0;
    timer.Start();
    mClock.mNanoseconds += 2500000;
    EXPECT_EQ(timer.GetDuration(), 2.0); // running: the time so far, in whole milliseconds
    mClock.mNanoseconds += 500000;
    timer.Stop();
    mClock.mNanoseconds += 7000000;
    EXPECT_EQ(timer.GetDuration(), 3.0);
    EXPECT_EQ(timer.GetDuration(), 3.0);
    timer.Stop(); // stopping a stopped timer changes nothing
    EXPECT_EQ(timer.GetDuration(), 3.0);
}

TEST_F(HiResTimerTest, MeasuresTheProcessorRateAgainstThePerformanceCounter)
{
    EXPECT_EQ(Zest::HiResTimer::GetCPUSpeed(), 3000000000);
    mClock.mCyclesPerNanosecond = 1; // cached: not measured again
    EXPECT_EQ(Zest::HiResTimer::GetCPUSpeed(), 3000000000);
}

TEST_F(ProfilerTest, ReportsTheTimeOfTheLastRun)
{
    EXPECT_FALSE(Zest::Profiler::IsRunning());
    Zest::Profiler::Begin();
    EXPECT_TRUE(Zest::Profiler::IsRunning());
    mClock.mNanoseconds += 2500000;
    Zest::Profiler::End();
    EXPECT_FALSE(Zest::Profiler::IsRunning());
    EXPECT_EQ(Zest::Profiler::GetResults(), "Total Time: 2.50\n");

    Zest::Profiler::Begin(); // a new run discards the old result
    EXPECT_EQ(Zest::Profiler::GetResults(), "Total Time: 0.00\n");
}

std::string gDebugText;

void CaptureDebugText(const char* text) { gDebugText += text; }

TEST(OutputDebug, FormatsIntoTheDebugOutput)
{
    gDebugText.clear();
    Win32::SetDebugOutputSink(&CaptureDebugText);
    Zest::OutputDebug("Application requests %4lu x %4lu [%2d:%2d]\n", 800ul, 600ul, 4, 3);
    Zest::OutputDebug("%s", std::string(1000, 'z').c_str());
    Win32::SetDebugOutputSink(&Win32::WriteDebugOutputToStderr);
    EXPECT_EQ(gDebugText, "Application requests  800 x  600 [ 4: 3]\n" + std::string(1000, 'z'));
}

} // namespace
