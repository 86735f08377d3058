#pragma once
// The whole-run profiler of the developer keys: times one run from Begin to End.

#include <string>

namespace Zest {

class Profiler {
public:
    // Discards the last run's result and starts timing.
    static void Begin();
    static void End();
    static bool IsRunning();
    // "Total Time: %.2f\n" with the last finished run in milliseconds.
    static std::string GetResults();
};

} // namespace Zest
