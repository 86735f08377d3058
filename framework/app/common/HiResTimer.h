#pragma once
// A stopwatch on the performance counter, and the processor's time-stamp-counter rate.

#include <cstdint>

namespace Zest {

class HiResTimer {
public:
    void Start();
    // Keeps the duration measured up to now; nothing when not running.
    void Stop();
    // Milliseconds from Start to Stop, or to now while running; 0.0 before the first Start.
    double GetDuration();

    // Time-stamp-counter cycles per second, measured once per process and cached;
    // at least 1, so that it can always divide.
    static int64_t GetCPUSpeed();

private:
    void CalcDuration();
    static int64_t CalcCPUSpeed();

    int64_t mStartCount = 0;
    double mDuration = 0.0;
    bool mRunning = false;
};

} // namespace Zest
