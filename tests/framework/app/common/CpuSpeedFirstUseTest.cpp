#include "framework/app/common/HiResTimer.h"

#include "tests/platform/win32/FakeClock.h"

#include <gtest/gtest.h>

namespace {

TEST(HiResTimerFirstUse, WithoutAPerformanceCounterTheRateIsOneAndStaysOne)
{
    Tests::FakeClock clock;
    clock.mHasPerformanceCounter = false;
    Win32::SetClock(&clock);
    EXPECT_EQ(Zest::HiResTimer::GetCPUSpeed(), 1);

    clock.mHasPerformanceCounter = true;
    clock.mStepPerCounterRead = 1000000;
    EXPECT_EQ(Zest::HiResTimer::GetCPUSpeed(), 1);
    Win32::SetClock(nullptr);
}

} // namespace
