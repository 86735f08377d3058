#include "platform/win32/Clock.h"

#include "tests/platform/win32/FakeClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

TEST(Clock, SystemClockMovesForwardInStep)
{
    int64_t frequency = 0;
    ASSERT_TRUE(Win32::QueryPerformanceFrequency(&frequency));
    ASSERT_GT(frequency, 0);

    int64_t counterBefore = 0;
    ASSERT_TRUE(Win32::QueryPerformanceCounter(&counterBefore));
    const uint32_t tickBefore = Win32::GetTickCount();
    const uint64_t cyclesBefore = Win32::ReadTimeStampCounter();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    int64_t counterAfter = 0;
    Win32::QueryPerformanceCounter(&counterAfter);
    const uint32_t tickAfter = Win32::GetTickCount();

    EXPECT_GE((counterAfter - counterBefore) * 1000 / frequency, 20);
    EXPECT_GE(tickAfter - tickBefore, 19u);
    EXPECT_GE(Win32::timeGetTime(), tickAfter);
    EXPECT_GT(Win32::ReadTimeStampCounter(), cyclesBefore);
}

TEST(Clock, ReadsGoThroughTheInstalledClockUntilItIsRemoved)
{
    Tests::FakeClock fake;
    fake.mNanoseconds = 0xFFFFFFFFull * 1000000 + 5000000; // the tick has wrapped
    Win32::SetClock(&fake);
    EXPECT_EQ(Win32::GetTickCount(), 4u);
    EXPECT_EQ(Win32::timeGetTime(), 4u);
    int64_t counter = 0;
    EXPECT_TRUE(Win32::QueryPerformanceCounter(&counter));
    EXPECT_EQ(counter, static_cast<int64_t>(fake.mNanoseconds));

    fake.mHasPerformanceCounter = false;
    int64_t frequency = 123;
    EXPECT_FALSE(Win32::QueryPerformanceFrequency(&frequency));
    EXPECT_EQ(frequency, 0);
    EXPECT_FALSE(Win32::QueryPerformanceCounter(&counter));
    EXPECT_EQ(counter, 0);

    Win32::SetClock(nullptr);
    EXPECT_TRUE(Win32::QueryPerformanceFrequency(&frequency));
    EXPECT_EQ(frequency, 1000000000);
}

} // namespace
