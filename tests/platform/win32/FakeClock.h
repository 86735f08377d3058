#pragma once
// A clock that tests drive by hand. Every read of the performance counter can advance
// time by a fixed step, so that code that busy-waits on the counter finishes.

#include "platform/win32/Clock.h"

namespace Tests {

class FakeClock : public Win32::Clock {
public:
    uint32_t TickCount() override { return static_cast<uint32_t>(mNanoseconds / 1000000); }

    bool PerformanceFrequency(int64_t* countsPerSecond) override
    {
        *countsPerSecond = 1000000000;
        return mHasPerformanceCounter;
    }

    bool PerformanceCounter(int64_t* count) override
    {
        *count = static_cast<int64_t>(mNanoseconds);
        mNanoseconds += mStepPerCounterRead;
        return mHasPerformanceCounter;
    }

    // The processor runs at mCyclesPerNanosecond GHz.
    uint64_t TimeStampCounter() override { return mNanoseconds * mCyclesPerNanosecond; }

    // Sleeping only moves the clock on.
    void Sleep(const uint32_t milliseconds) override
    {
        mNanoseconds += static_cast<uint64_t>(milliseconds) * 1000000;
        ++mSleepCalls;
        mSleptMilliseconds += milliseconds;
    }

    // Moves the clock on by whole milliseconds.
    void Advance(const uint32_t milliseconds) { mNanoseconds += static_cast<uint64_t>(milliseconds) * 1000000; }

    uint64_t mNanoseconds = 0;
    uint64_t mStepPerCounterRead = 0;
    uint64_t mCyclesPerNanosecond = 3;
    bool mHasPerformanceCounter = true;
    int mSleepCalls = 0;
    uint64_t mSleptMilliseconds = 0;
};

} // namespace Tests
