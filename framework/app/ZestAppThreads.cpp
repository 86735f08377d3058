// The application's two threads besides the main thread: the loading thread, which runs
// the derived class's LoadingThreadProc while the main thread keeps drawing, and the
// cursor thread, which moves the software cursor every 10 ms even while the main thread
// is busy. Neither draws the screen or touches the widget tree.

#include "framework/app/ZestAppBase.h"

#include "framework/app/common/Debug.h"
#include "framework/app/common/MainThread.h"
#include "framework/directx/DDInterface.h"
#include "platform/win32/Clock.h"
#include "platform/win32/Input.h"
#include "platform/win32/Kernel.h"
#include "platform/win32/Threads.h"

#include <algorithm>

namespace Zest {

void ZestAppBase::StartLoadingThread()
{
    if (mLoadingThreadStarted)
        return;
    mYieldToLoading = true;
    // Drawing the title screen wins over loading until the handover.
    Win32::SetThreadPriority(Win32::GetCurrentThread(), Win32::THREAD_PRIORITY_ABOVE_NORMAL);
    mLoadingThreadStarted = true;
    mLoadingThread = Win32::CreateThread(nullptr, 0, &ZestAppBase::LoadingThreadMain, this, 0, nullptr);
    if (mLoadingThread == nullptr) {
        // Loading still has to happen; without a thread it happens now.
        mYieldToLoading = false;
        LoadingThreadMain(this);
    }
}

uint32_t ZestAppBase::LoadingThreadMain(void* context)
{
    auto* app = static_cast<ZestAppBase*>(context);
    app->LoadingThreadProc();
    OutputDebug("Resource Loading Time: %d\r\n", static_cast<int>(Win32::GetTickCount() - app->mStartTick));
    app->mLoadingThreadDone = true;
    return 0;
}

double ZestAppBase::GetLoadingProgress()
{
    if (mLoadingCompleted)
        return 1.0;
    const int32_t total = mLoadingTotal;
    if (!mLoadingThreadStarted || total == 0)
        return 0.0;
    return std::min(static_cast<double>(mLoadingDone) / total, 1.0);
}

void ZestAppBase::WaitForLoadingThread()
{
    while (mLoadingThreadStarted && !mLoadingThreadDone) {
        // The loading thread may be waiting for a message box only this thread can show.
        if (IsMainThread())
            ShowRequestedPopups();
        Win32::Sleep(20);
    }
    if (mLoadingThread != nullptr) {
        Win32::WaitForSingleObject(mLoadingThread, Win32::INFINITE);
        Win32::CloseHandle(mLoadingThread);
        mLoadingThread = nullptr;
    }
}

void ZestAppBase::StartCursorThread()
{
    if (mCursorThreadRunning)
        return;
    mCursorThreadRunning = true;
    Win32::SetThreadPriority(Win32::GetCurrentThread(), Win32::THREAD_PRIORITY_ABOVE_NORMAL);
    mCursorThread = Win32::CreateThread(nullptr, 0, &ZestAppBase::CursorThreadMain, this, 0, nullptr);
    if (mCursorThread == nullptr)
        mCursorThreadRunning = false;
}

uint32_t ZestAppBase::CursorThreadMain(void* context)
{
    static_cast<ZestAppBase*>(context)->RunCursorThread();
    return 0;
}

void ZestAppBase::RunCursorThread()
{
    Win32::CoInitialize(nullptr);
    Win32::SetThreadPriority(Win32::GetCurrentThread(), Win32::THREAD_PRIORITY_ABOVE_NORMAL);
    int lastX = 0;
    int lastY = 0;
    while (!mShutDown && mDisplay != nullptr) {
        int x = mDemoMouseX;
        int y = mDemoMouseY;
        if (!mPlayingDemo) {
            // Screen coordinates are the main window's client coordinates.
            Win32::POINT cursor{};
            Win32::GetCursorPos(&cursor);
            x = cursor.x;
            y = cursor.y;
        }
        int drawnX = lastX;
        int drawnY = lastY;
        if (mPresentCount > 0) {
            drawnX = mDisplay->mCursorDrawnX;
            drawnY = mDisplay->mCursorDrawnY;
        }
        if (x != drawnX || y != drawnY) {
            const uint32_t sincePresent = Win32::timeGetTime() - mNextPresentTick.load();
            if (sincePresent > static_cast<uint32_t>(mDisplay->mMillisPerFrame.load() + 5)) {
                // No frame is coming soon enough to carry the cursor along.
                mDisplay->SetCursorPos(x, y);
                lastX = x;
                lastY = y;
            } else {
                mDisplay->mCursorX = x;
                mDisplay->mCursorY = y;
            }
        }
        Win32::Sleep(10);
    }
    Win32::CoUninitialize();
    mCursorThreadRunning = false;
}

} // namespace Zest
