#include "framework/app/common/MainThread.h"

#include "platform/win32/Process.h"

#include <atomic>

namespace Zest {
namespace {

// Read by every thread, written by the main thread at start-up and shutdown.
std::atomic<uint32_t> gMainThreadId = 0;

} // namespace

void SetMainThreadId(const uint32_t threadId) { gMainThreadId = threadId; }

uint32_t GetMainThreadId() { return gMainThreadId; }

bool IsMainThread()
{
    const uint32_t mainThread = gMainThreadId;
    return mainThread == 0 || Win32::GetCurrentThreadId() == mainThread;
}

} // namespace Zest
