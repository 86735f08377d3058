#include "platform/win32/Clock.h"

#include <atomic>
#include <chrono>
#include <thread>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace Win32 {
namespace {

int64_t SteadyNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class SystemClock final : public Clock {
public:
    uint32_t TickCount() override { return static_cast<uint32_t>(SteadyNanoseconds() / 1000000); }

    bool PerformanceFrequency(int64_t* countsPerSecond) override
    {
        *countsPerSecond = 1000000000;
        return true;
    }

    bool PerformanceCounter(int64_t* count) override
    {
        *count = SteadyNanoseconds();
        return true;
    }

    uint64_t TimeStampCounter() override
    {
#if defined(__x86_64__) || defined(__i386__)
        return __rdtsc();
#else
        return static_cast<uint64_t>(SteadyNanoseconds());
#endif
    }
};

SystemClock gSystemClock;
// Read by the cursor and loading threads as well as the main thread.
std::atomic<Clock*> gClock{&gSystemClock};

} // namespace

void Clock::Sleep(const uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

Clock& CurrentClock() { return *gClock.load(); }

void SetClock(Clock* clock) { gClock.store(clock != nullptr ? clock : &gSystemClock); }

uint32_t GetTickCount() { return gClock.load()->TickCount(); }

uint32_t timeGetTime() { return gClock.load()->TickCount(); }

bool QueryPerformanceFrequency(int64_t* countsPerSecond)
{
    if (!gClock.load()->PerformanceFrequency(countsPerSecond)) {
        *countsPerSecond = 0;
        return false;
    }
    return true;
}

bool QueryPerformanceCounter(int64_t* count)
{
    if (!gClock.load()->PerformanceCounter(count)) {
        *count = 0;
        return false;
    }
    return true;
}

uint64_t ReadTimeStampCounter() { return gClock.load()->TimeStampCounter(); }

} // namespace Win32
