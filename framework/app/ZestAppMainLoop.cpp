// The main loop: real time becomes fixed updates of mFrameTime / mUpdateMultiplier
// milliseconds, smooth updates between them, and paced presentations of the screen. Game
// state only changes in fixed updates, so that a run can be replayed update for update.
//
// Each UpdateStep does one piece of work: pump the window messages and hand one queued
// message on (PumpMessages), run a fixed update when enough time is owed (MayUpdate), run
// the extra updates of vertical-sync timing and the smooth update (UpdateRan), then draw or
// sleep (Finished). A modal loop calls UpdateStep from inside an update, so steps nest.

#include "framework/app/ZestAppBase.h"

#include "framework/app/PopupRequests.h"
#include "framework/app/common/Assert.h"
#include "framework/app/common/MainThread.h"
#include "framework/directx/D3DInterface.h"
#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "framework/sound/MusicInterface.h"
#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/win32/Clock.h"
#include "platform/win32/MessageQueue.h"
#include "platform/win32/Threads.h"
#include "platform/win32/Window.h"

#include <algorithm>
#include <cmath>

namespace Zest {

void ZestAppBase::RunMainLoop()
{
    while (!mShutDown) {
        mExitNestedLoops = false;
        RunOneUpdate();
    }
}

bool ZestAppBase::RunOneUpdate()
{
    for (;;) {
        bool updated = false;
        if (!UpdateStep(&updated))
            return false;
        if (updated)
            return true;
    }
}

bool ZestAppBase::UpdateStep(bool* updated)
{
    if (updated != nullptr)
        *updated = false;
    if (mExitNestedLoops)
        return false;
    if (mStepState == StepState::Finished)
        mStepState = StepState::PumpMessages;
    ++mStepDepth;

    if (mStepState == StepState::PumpMessages) {
        Win32::MSG message{};
        while (!mShutDown && Win32::PeekMessageA(&message, nullptr, 0, 0, Win32::PM_REMOVE)) {
            Win32::TranslateMessage(&message);
            Win32::DispatchMessageA(&message);
        }
        ShowRequestedPopups();
        DispatchDeferredMessage();
        if (mDeferredMessages.empty())
            mStepState = StepState::MayUpdate;
    } else if (mSingleStepState == SingleStepState::Halted) {
        Win32::Sleep(static_cast<Win32::DWORD>(mFrameTime));
        mStepState = StepState::Finished;
    } else if (mSingleStepState == SingleStepState::RunOneStep) {
        mSingleStepState = SingleStepState::Halted;
        TryFixedUpdate();
        RunSmoothUpdate(1.0f);
        DrawFrame();
    } else {
        // The message step was taken above and a finished step began anew as one, so the
        // frame timing goes on with an update cycle; it would take the other two states for
        // a draw step.
        ZEST_ASSERT(mStepState == StepState::MayUpdate || mStepState == StepState::UpdateRan);
        const int32_t updatesBefore = mFixedUpdateCount;
        ProcessFrame(true);
        if (updated != nullptr)
            *updated = mFixedUpdateCount != updatesBefore;
    }

    --mStepDepth;
    return true;
}

bool ZestAppBase::ProcessFrame(const bool allowSleep)
{
    if (mShutdownRequested)
        Shutdown();

    const bool vsyncActive = !mPlayingDemo && mVSyncTiming && !mLastDrawSkipped && !mVSyncTimingBroken &&
                             (!mWindowIsWindowed || (mWaitForVSync && !mPaceWindowedBySleep));
    double step = mFrameTime / mUpdateMultiplier;
    float fraction = 1.0f;
    if (mVSyncTiming) {
        step = 1000.0 / mRefreshRate / mUpdateMultiplier;
        fraction = static_cast<float>(1000.0 / (mFrameTime * mRefreshRate));
    }

    if (mUpdatesPaused || mUpdateMultiplier <= 0) {
        // The step ends here, so that the next one reads the messages again (the key that
        // resumes, a close request) instead of coming back to this state for ever; it
        // waits a frame rather than spinning.
        mStepState = StepState::Finished;
        // Time does not pile up while stopped, to be caught up in a burst afterwards.
        ResetPendingTime();
        DeleteDeferredWidgets();
        if (allowSleep) {
            ++mSleepCount;
            Win32::Sleep(static_cast<Win32::DWORD>(mFrameTime));
        }
        return true;
    }
    if (mIdleFrozen) {
        // Nothing runs while the system's screen saver should; DrawFrame still checks once
        // a second whether the user came back, and messages are still read.
        mStepState = StepState::Finished;
        DrawFrame();
        DeleteDeferredWidgets();
        if (allowSleep) {
            ++mSleepCount;
            Win32::Sleep(static_cast<Win32::DWORD>(mFrameTime));
        }
        return true;
    }

    const uint32_t now = Win32::timeGetTime();
    uint32_t slept = 0;
    if (!vsyncActive)
        AccumulatePendingTime();

    bool drawStep = mStepState == StepState::PumpMessages || mStepState == StepState::Finished;
    if (mStepState == StepState::MayUpdate) {
        ++mUpdatesSinceDraw;
        if (mUpdatesSinceDraw >= static_cast<int32_t>(std::ceil(mUpdateMultiplier * 10)) && mLoadingCompleted) {
            drawStep = true;
        } else {
            // With vertical-sync timing the display's refresh paces the updates, so an update
            // runs at once after a draw and otherwise once most of a step is owed.
            const bool hasThreshold = !vsyncActive || mUpdatedSinceDraw;
            const double threshold = vsyncActive ? std::floor(step * 0.75) : step;
            if (hasThreshold && threshold > mPendingTime) {
                drawStep = true;
            } else {
                CheckVSyncTiming(now);
                if (TryFixedUpdate())
                    mStepState = StepState::UpdateRan;
                mUpdatedSinceDraw = true;
            }
        }
    } else if (mStepState == StepState::UpdateRan) {
        mStepState = StepState::Finished;
        RunFractionalUpdates(fraction);
        mPendingTime = vsyncActive ? std::max(0.0, mPendingTime - step - 0.2) : mPendingTime - step;
    }

    if (drawStep) {
        mStepState = StepState::Finished;
        mUpdatesSinceDraw = 0;
        if (mUpdatedSinceDraw) {
            DrawFrame();
        } else {
            const int32_t wait = static_cast<int32_t>(step - mPendingTime);
            if (wait > 0) {
                if (!allowSleep)
                    return false;
                ++mSleepCount;
                Win32::Sleep(static_cast<Win32::DWORD>(wait));
                slept = static_cast<uint32_t>(wait);
            }
        }
    }

    // While loading, the main thread leaves the processor to the loading thread for twice
    // the time it worked.
    if (mYieldToLoading) {
        const int32_t worked = static_cast<int32_t>(Win32::timeGetTime() - now - slept);
        const int32_t yield = std::min(2 * worked - static_cast<int32_t>(slept), 250);
        if (yield >= 0) {
            if (!allowSleep)
                return false;
            Win32::Sleep(static_cast<Win32::DWORD>(yield));
        }
    }

    DeleteDeferredWidgets();
    return true;
}

void ZestAppBase::RunFractionalUpdates(const float fraction)
{
    mStepFraction += fraction - 1.0;
    DeleteDeferredWidgets();
    while (mStepFraction >= 1.0) {
        ++mUpdatesSinceDraw;
        if (!TryFixedUpdate())
            break;
        DeleteDeferredWidgets();
        mStepFraction -= 1.0;
    }
    RunSmoothUpdate(fraction);
    DeleteDeferredWidgets();
}

// Vertical-sync timing is wrong when a second's worth of updates keeps arriving in well
// under a second (the display does not really wait for its refresh); then it stays off.
void ZestAppBase::CheckVSyncTiming(const uint32_t now)
{
    if (mPlayingDemo || mUpdateMultiplier != 1.0)
        return;
    if (++mVSyncCheckUpdates < (mFrameTime + 999) / mFrameTime)
        return;
    if (now - mVSyncCheckTick <= 800) {
        if (++mVSyncFastCount >= 3)
            mVSyncTimingBroken = true;
    } else {
        mVSyncFastCount = 0;
    }
    mVSyncCheckTick = now;
    mVSyncCheckUpdates = 0;
}

void ZestAppBase::ResetPendingTime()
{
    mPendingTime = 0;
    mPendingTimeStamp = Win32::timeGetTime();
}

void ZestAppBase::AccumulatePendingTime()
{
    const uint32_t now = Win32::timeGetTime();
    if (mPendingTimeStamp == 0) {
        mPendingTimeStamp = now;
        return;
    }
    mPendingTime = std::min(mPendingTime + static_cast<double>(now - mPendingTimeStamp), kMaxPendingTime);
    mPendingTimeStamp = now;
}

bool ZestAppBase::TryFixedUpdate()
{
    if (mIdleFrozen)
        return false;
    if (mLoadingThreadDone && !mLoadingCompleted) {
        ZEST_ASSERT(IsMainThread());
        Win32::SetThreadPriority(Win32::GetCurrentThread(), Win32::THREAD_PRIORITY_NORMAL);
        mLoadingCompleted = true;
        mYieldToLoading = false;
        OnLoadingThreadCompleted();
    }
    RunFixedUpdate();
    return true;
}

void ZestAppBase::RunFixedUpdate()
{
    ++mFixedUpdateCount;
    if (!mMinimized && mWidgetManager->UpdateFrame())
        ++mDirtyUpdateCount;
    if (mMusic != nullptr)
        mMusic->Update();
    ReleaseUnusedSharedImages();
}

void ZestAppBase::RunSmoothUpdate(const float fraction)
{
    if (mVSyncTiming && !mMinimized)
        mWidgetManager->UpdateFrameSmooth(fraction);
}

bool ZestAppBase::DrawFrame()
{
    if (mPresentationFailing) {
        RedrawScreen(nullptr);
        mUpdatedSinceDraw = false;
        mLastDrawSkipped = true;
        return false;
    }

    const uint32_t now = Win32::timeGetTime();
    if (now - mLastIdleCheckTick > 1000) {
        mLastIdleCheckTick = now;
        CheckScreenSaver(now);
    }
    if (mIdleFrozen) {
        mUpdatedSinceDraw = false;
        mLastDrawSkipped = true;
        return false;
    }

    mDrawing = true;
    const bool dirty = mWidgetManager->DrawScreen();
    mDrawing = false;
    const int32_t drawTime = static_cast<int32_t>(Win32::timeGetTime() - now);

    const bool wanted = dirty || now - mLastPresentTick >= 1000 || mForcePresent;
    if (!wanted || static_cast<int32_t>(now - mNextPresentTick.load()) < 0) {
        mUpdatedSinceDraw = false;
        mLastDrawSkipped = true;
        return false;
    }

    ++mPresentCount;
    mLastDrawSkipped = false;
    ++mStatsDrawCount;
    mStatsDrawTime += drawTime;
    mTotalDrawTime += drawTime;
    if (mWaitForVSync && mWindowIsWindowed && mPaceWindowedBySleep && mDisplay != nullptr) {
        const int32_t frameLeft =
            mDisplay->mMillisPerFrame.load() - static_cast<int32_t>(Win32::timeGetTime() - mLastPresentTick);
        if (frameLeft > 0)
            Win32::Sleep(static_cast<Win32::DWORD>(frameLeft));
    }
    mLastPresentTick = Win32::timeGetTime();
    RedrawScreen(nullptr);
    AccumulatePendingTime();
    const uint32_t presented = Win32::timeGetTime();
    mLastPresentDuration = static_cast<int32_t>(presented - mLastPresentTick);

    // While loading, frames are spaced out so that the loading thread gets the processor.
    if (mLoadingThreadStarted && !mLoadingThreadDone) {
        const int32_t wholeDrawTime = static_cast<int32_t>(presented - now);
        uint32_t next = mNextPresentTick.load() + static_cast<uint32_t>(std::max(wholeDrawTime, 15) + 35);
        if (static_cast<int32_t>(next - presented) < 0)
            next = presented;
        mNextPresentTick = next;
    } else {
        mNextPresentTick = presented;
    }
    mUpdatedSinceDraw = false;
    mForcePresent = false;
    return true;
}

void ZestAppBase::RedrawScreen(Rect* clip)
{
    if (mDrawing || mShutDown || mIdleFrozen || mDisplay == nullptr)
        return;
    if (mDisplay->Redraw(clip)) {
        mPresentationFailing = false;
        mLastDisplayRecheckTick = 0;
        ++mRedrawCount;
        return;
    }

    gD3DFrameFailed = false;
    mPresentationFailing = true;
    const uint32_t now = Win32::GetTickCount();
    const bool minimized = mMainWindow == nullptr || Win32::IsIconic(mMainWindow);
    const bool mayRecover = mHasActivation || (now - mLastDisplayRecheckTick > 1000 && mWindowIsWindowed);
    if (!mayRecover || minimized || mMinimized) {
        ++mRedrawCount;
        return;
    }
    mLastDisplayRecheckTick = now;
    RecoverDisplay();
}

// Makes the display again after presentation failed (lost surfaces, a mode change by
// another program).
void ZestAppBase::RecoverDisplay()
{
    mWidgetManager->mScreenImage = nullptr;
    if (mWindowed && (mWidth >= Win32::GetSystemMetrics(Win32::SM_CXSCREEN) ||
                      mHeight >= Win32::GetSystemMetrics(Win32::SM_CYSCREEN))) {
        if (mWindowedForced) {
            ShowErrorPopup(GetString("PLEASE_SET_COLOR_DEPTH", "Please set your desktop color depth to 16 bit."));
            Shutdown();
        } else {
            mFullScreenForced = true;
            SetWindowedMode(false);
        }
        return;
    }

    const int result = InitDisplay();
    if (result == DDInterface::RESULT_INVALID_COLORDEPTH && mWindowIsWindowed) {
        if (mHasActivation) {
            SetWindowedMode(false);
            mFullScreenForced = true;
        }
        return;
    }
    if (result == DDInterface::RESULT_3D_FAIL) {
        Set3DEnabled(false, true);
        return;
    }
    if (result != DDInterface::RESULT_OK)
        return;
    RebuildImageData();
    mWidgetManager->mScreenImage = mDisplay->GetScreenImage();
    mWidgetManager->MarkAllDirty();
    mDisplayResetTick = Win32::timeGetTime();
    ++mRedrawCount;
}

void ZestAppBase::DeferDeleteWidget(Widget* widget)
{
    ZEST_ASSERT(widget->mParent == nullptr);
    mDeferredDeletes.push_back({mStepDepth, widget});
}

void ZestAppBase::DeleteDeferredWidgets()
{
    // Taken out first: a destructor may queue further widgets, which wait for the next call.
    std::list<DeferredDelete> due;
    for (auto entry = mDeferredDeletes.begin(); entry != mDeferredDeletes.end();) {
        const auto next = std::next(entry);
        if (entry->mDepth >= mStepDepth)
            due.splice(due.end(), mDeferredDeletes, entry);
        entry = next;
    }
    for (const DeferredDelete& entry : due) {
        // Put back into the tree after it was queued, it would be deleted under its parent.
        ZEST_ASSERT(entry.mWidget->mParent == nullptr);
        delete entry.mWidget;
    }
}

} // namespace Zest
