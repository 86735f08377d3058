#include "framework/app/common/Profiler.h"

#include "framework/app/common/HiResTimer.h"
#include "framework/app/common/StringHelpers.h"
#include "platform/win32/Clock.h"

#include <cstdint>

namespace Zest {
namespace {

bool gRunning = false;
uint64_t gStartStamp = 0;
double gTotalTime = 0.0;

} // namespace

void Profiler::Begin()
{
    gTotalTime = 0.0;
    gRunning = true;
    gStartStamp = Win32::ReadTimeStampCounter();
}

void Profiler::End()
{
    const uint64_t stamp = Win32::ReadTimeStampCounter();
    gRunning = false;
    gTotalTime = static_cast<double>(stamp - gStartStamp) * 1000.0 / static_cast<double>(HiResTimer::GetCPUSpeed());
}

bool Profiler::IsRunning() { return gRunning; }

std::string Profiler::GetResults() { return FormatString("Total Time: %.2f\n", gTotalTime); }

} // namespace Zest
