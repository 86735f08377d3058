#pragma once
// The main thread: the one that runs the application's start-up, main loop, window and
// popups. The application records it at start-up and forgets it when it goes; calls meant
// for that thread alone assert IsMainThread().

#include <cstdint>

namespace Zest {

// The id (Win32::GetCurrentThreadId) of the main thread; 0 forgets it.
void SetMainThreadId(uint32_t threadId);
// 0 while none is recorded.
uint32_t GetMainThreadId();
// Whether the calling thread is the main thread. While none is recorded (a program or test
// without an application) every thread counts as it.
bool IsMainThread();

} // namespace Zest
