#pragma once
// The clocks the program reads: the millisecond tick, the performance counter and the
// processor's time-stamp counter. They are read through one replaceable Clock so that
// tests can drive time by hand; the default is the system's monotonic clock.

#include <cstdint>

namespace Win32 {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start; wraps after about 49.7 days.
    virtual uint32_t TickCount() = 0;
    // Counts per second of the performance counter; false when there is no such counter.
    virtual bool PerformanceFrequency(int64_t* countsPerSecond) = 0;
    virtual bool PerformanceCounter(int64_t* count) = 0;
    // Processor cycles since an arbitrary start.
    virtual uint64_t TimeStampCounter() = 0;
    // Lets the time pass: the system clock waits for it, a test's clock moves on at once.
    virtual void Sleep(uint32_t milliseconds);
};

// Installs the clock every read below goes through; null restores the system clock.
// The caller keeps the clock alive while it is installed.
void SetClock(Clock* clock);
Clock& CurrentClock();

uint32_t GetTickCount();
uint32_t timeGetTime();
bool QueryPerformanceFrequency(int64_t* countsPerSecond);
bool QueryPerformanceCounter(int64_t* count);
uint64_t ReadTimeStampCounter();

} // namespace Win32
