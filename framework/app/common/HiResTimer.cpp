#include "framework/app/common/HiResTimer.h"

#include "platform/win32/Clock.h"

namespace Zest {

void HiResTimer::Start()
{
    mRunning = true;
    Win32::QueryPerformanceCounter(&mStartCount);
}

void HiResTimer::Stop()
{
    if (!mRunning)
        return;
    CalcDuration();
    mRunning = false;
}

double HiResTimer::GetDuration()
{
    if (mRunning)
        CalcDuration();
    return mDuration;
}

void HiResTimer::CalcDuration()
{
    int64_t now = 0;
    int64_t frequency = 0;
    Win32::QueryPerformanceCounter(&now);
    if (!Win32::QueryPerformanceFrequency(&frequency) || frequency <= 0)
        return;
    mDuration = static_cast<double>((now - mStartCount) * 1000 / frequency);
}

int64_t HiResTimer::GetCPUSpeed()
{
    static int64_t cyclesPerSecond = 0;
    if (cyclesPerSecond == 0) {
        cyclesPerSecond = CalcCPUSpeed();
        if (cyclesPerSecond < 1)
            cyclesPerSecond = 1;
    }
    return cyclesPerSecond;
}

// Counts time-stamp cycles over one hundredth of a second of the performance counter.
// The Linux scheduler gives an unprivileged process no higher priority to do it in, so
// the measurement runs at the thread's own priority; it is used only by the profiler.
int64_t HiResTimer::CalcCPUSpeed()
{
    int64_t frequency = 0;
    if (!Win32::QueryPerformanceFrequency(&frequency) || frequency <= 0)
        return 0;

    int64_t counter = 0;
    Win32::QueryPerformanceCounter(&counter);
    const int64_t target = counter + frequency / 100;
    const uint64_t startCycles = Win32::ReadTimeStampCounter();
    while (counter < target)
        Win32::QueryPerformanceCounter(&counter);
    const uint64_t endCycles = Win32::ReadTimeStampCounter();
    return static_cast<int64_t>(endCycles - startCycles) * 100;
}

} // namespace Zest
