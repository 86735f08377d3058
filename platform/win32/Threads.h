#pragma once
// Threads, their priorities, sleeping, and the per-thread set-up calls that have nothing
// to do here.

#include "platform/win32/Types.h"

#include <cstddef>

namespace Win32 {

using LPTHREAD_START_ROUTINE = DWORD (*)(void* parameter);

// Starts a thread at once; the handle is closed with CloseHandle, which lets the thread run
// on. `threadId` receives its id when given.
HANDLE CreateThread(void* security, size_t stackSize, LPTHREAD_START_ROUTINE start, void* parameter,
                    DWORD creationFlags, DWORD* threadId);

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
// Waits for a thread to end.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);

constexpr int THREAD_PRIORITY_LOWEST = -2;
constexpr int THREAD_PRIORITY_BELOW_NORMAL = -1;
constexpr int THREAD_PRIORITY_NORMAL = 0;
constexpr int THREAD_PRIORITY_ABOVE_NORMAL = 1;
constexpr int THREAD_PRIORITY_HIGHEST = 2;
// A pseudo handle for the calling thread.
HANDLE GetCurrentThread();
// An unprivileged process cannot raise a thread's priority on Linux, so priorities are
// remembered for GetThreadPriority and otherwise have no effect.
BOOL SetThreadPriority(HANDLE thread, int priority);
int GetThreadPriority(HANDLE thread);

// Sleep(0) gives the rest of the time slice to other threads; longer sleeps pass through
// the installed clock (Clock.h), so that a test's clock lets the time pass at once.
void Sleep(DWORD milliseconds);

// The clock already ticks in milliseconds, and threads need no COM set-up.
UINT timeBeginPeriod(UINT milliseconds);
UINT timeEndPeriod(UINT milliseconds);
LONG CoInitialize(void* reserved);
void CoUninitialize();

} // namespace Win32
