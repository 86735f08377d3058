#include "platform/win32/Threads.h"

#include "platform/win32/Clock.h"
#include "platform/win32/Kernel.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace Win32 {
namespace {

// What the thread and its handle share: the handle may be closed before the thread ends.
struct ThreadState {
    std::mutex lock;
    std::condition_variable ended;
    bool finished = false;
};

class ThreadObject final : public KernelObject {
public:
    explicit ThreadObject(std::shared_ptr<ThreadState> state) : mState(std::move(state)) {}

    std::shared_ptr<ThreadState> mState;
};

// The pseudo handle of the calling thread: never a real object.
const HANDLE kCurrentThread = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-2));

thread_local int tPriority = THREAD_PRIORITY_NORMAL;

} // namespace

HANDLE CreateThread(void* security, size_t stackSize, const LPTHREAD_START_ROUTINE start, void* parameter,
                    DWORD creationFlags, DWORD* threadId)
{
    if (start == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto state = std::make_shared<ThreadState>();
    auto* object = new ThreadObject(state);
    std::thread([start, parameter, state] {
        start(parameter);
        const std::lock_guard lock(state->lock);
        state->finished = true;
        state->ended.notify_all();
    }).detach();
    if (threadId != nullptr)
        *threadId = 0;
    return ToHandle(object);
}

DWORD WaitForSingleObject(HANDLE handle, const DWORD milliseconds)
{
    auto* thread = dynamic_cast<ThreadObject*>(FromHandle(handle));
    if (thread == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    ThreadState& state = *thread->mState;
    std::unique_lock lock(state.lock);
    if (milliseconds == INFINITE) {
        state.ended.wait(lock, [&] { return state.finished; });
        return WAIT_OBJECT_0;
    }
    const bool finished =
        state.ended.wait_for(lock, std::chrono::milliseconds(milliseconds), [&] { return state.finished; });
    return finished ? WAIT_OBJECT_0 : WAIT_TIMEOUT;
}

HANDLE GetCurrentThread() { return kCurrentThread; }

BOOL SetThreadPriority(HANDLE thread, const int priority)
{
    if (thread != kCurrentThread) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    tPriority = priority;
    return 1;
}

int GetThreadPriority(HANDLE thread) { return thread == kCurrentThread ? tPriority : THREAD_PRIORITY_NORMAL; }

void Sleep(const DWORD milliseconds)
{
    if (milliseconds == 0)
        std::this_thread::yield();
    else
        CurrentClock().Sleep(milliseconds);
}

UINT timeBeginPeriod(UINT milliseconds) { return 0; }

UINT timeEndPeriod(UINT milliseconds) { return 0; }

LONG CoInitialize(void* reserved) { return 0; }

void CoUninitialize() {}

} // namespace Win32
