// Popups: every system message box is bracketed by BeginPopup and EndPopup, which keep
// the full-screen display, the frame timing and the input state sound around it. In
// screen-saver mode no box may appear, so the texts go to "ScrError.txt". Also the idle
// check that lets the system's screen saver start over an idle window.

#include "framework/app/ZestAppBase.h"

#include "framework/app/PopupRequests.h"
#include "framework/app/common/MainThread.h"
#include "framework/app/common/StringHelpers.h"
#include "framework/directx/DDInterface.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/win32/Clock.h"
#include "platform/win32/Input.h"
#include "platform/win32/MessageBox.h"
#include "platform/win32/SystemLibraries.h"
#include "platform/win32/Window.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>

namespace Zest {
namespace {

// The first write of a run starts the log afresh.
std::atomic<bool> gFirstErrorLogWrite = true;

} // namespace

void ZestAppBase::ShowRequestedPopups() { mPopupRequests->RunWaiting(); }

void ZestAppBase::BeginPopup()
{
    if (mWindowIsWindowed || mDisplay == nullptr || mDisplay->mDD7 == nullptr)
        return;
    mDisplay->mDD7->FlipToGDISurface();
    mPopupShowing = true;
}

void ZestAppBase::EndPopup()
{
    if (!mWindowIsWindowed)
        mPopupShowing = false;
    // The time the box was up is not caught up, and what was held when it opened is
    // released: its key-up and button-up went to the box.
    ResetPendingTime();
    ClearKeysDown();
    if (mWidgetManager->mHeldButtons != 0) {
        mWidgetManager->ReleaseDownWidget();
        Win32::ReleaseCapture();
    }
}

int ZestAppBase::ShowMessageBox(const std::string& text, const std::string& caption, const uint32_t flags)
{
    if (!IsMainThread())
        return mPopupRequests->Ask([=, this] { return ShowMessageBox(text, caption, flags); });
    if (mScreenSaverMode) {
        WriteErrorLog(text);
        return Win32::IDOK;
    }
    BeginPopup();
    const int result = Win32::MessageBoxA(mMainWindow, text.c_str(), caption.c_str(), flags);
    EndPopup();
    return result;
}

int ZestAppBase::ShowMessageBoxW(const std::wstring& text, const std::wstring& caption, const uint32_t flags)
{
    if (!IsMainThread())
        return mPopupRequests->Ask([=, this] { return ShowMessageBoxW(text, caption, flags); });
    if (mScreenSaverMode) {
        WriteErrorLog(WStringToString(text));
        return Win32::IDOK;
    }
    BeginPopup();
    const int result = Win32::MessageBoxW(mMainWindow, text.c_str(), caption.c_str(), flags);
    EndPopup();
    return result;
}

void ZestAppBase::ShowErrorPopup(const std::string& text)
{
    if (!IsMainThread()) {
        mPopupRequests->Ask([=, this] {
            ShowErrorPopup(text);
            return Win32::IDOK;
        });
        return;
    }
    if (mScreenSaverMode) {
        WriteErrorLog(text);
        return;
    }
    BeginPopup();
    if (!mShutDown)
        Win32::MessageBoxA(mMainWindow, text.c_str(), GetString("FATAL_ERROR", "FATAL ERROR").c_str(),
                           Win32::MB_ICONERROR);
    EndPopup();
}

void ZestAppBase::ShowErrorPopupW(const std::wstring& text)
{
    if (!IsMainThread()) {
        mPopupRequests->Ask([=, this] {
            ShowErrorPopupW(text);
            return Win32::IDOK;
        });
        return;
    }
    if (mScreenSaverMode) {
        WriteErrorLog(WStringToString(text));
        return;
    }
    BeginPopup();
    if (!mShutDown)
        Win32::MessageBoxW(mMainWindow, text.c_str(), StringToWString(GetString("FATAL_ERROR", "FATAL ERROR")).c_str(),
                           Win32::MB_ICONERROR);
    EndPopup();
}

void ZestAppBase::WriteErrorLog(const std::string& text)
{
    const bool first = gFirstErrorLogWrite.exchange(false);
    std::FILE* file = std::fopen("ScrError.txt", first ? "w" : "a");
    if (file == nullptr)
        return;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char clock[16] = {};
    std::strftime(clock, sizeof(clock), "%H:%M:%S", &local);
    std::fprintf(file, "%s %s %u\n", text.c_str(), clock, static_cast<unsigned>(Win32::GetTickCount()));
    std::fclose(file);
}

void ZestAppBase::CheckScreenSaver(const uint32_t now)
{
    if (!mWindowIsWindowed || mScreenSaverMode) {
        // Only an idle window waits for the system's screen saver.
        mIdleFrozen = false;
        return;
    }
    if (!mScreenSaverSettingsRead || now - mScreenSaverReadTick > 10000) {
        mScreenSaverSettingsRead = true;
        mScreenSaverReadTick = now;
        Win32::UINT seconds = 0;
        Win32::BOOL enabled = 0;
        Win32::SystemParametersInfoA(Win32::SPI_GETSCREENSAVETIMEOUT, 0, &seconds, 0);
        Win32::SystemParametersInfoA(Win32::SPI_GETSCREENSAVEACTIVE, 0, &enabled, 0);
        mScreenSaverTimeout = std::max((static_cast<int32_t>(seconds) - 2) * 1000, 1000);
        mScreenSaverEnabled = enabled != 0;
        if (!mScreenSaverEnabled)
            mIdleFrozen = false;
    }
    if (mGetLastInputInfo != nullptr) {
        Win32::LASTINPUTINFO info{sizeof(Win32::LASTINPUTINFO), 0};
        if (mGetLastInputInfo(&info))
            mLastInputTick = static_cast<int32_t>(info.dwTime - now) > 0 ? now : info.dwTime;
    }
    if (!mScreenSaverEnabled)
        return;
    const uint32_t idle = now - mLastInputTick;
    if (!mIdleFrozen) {
        if (idle > static_cast<uint32_t>(mScreenSaverTimeout))
            mIdleFrozen = true;
        return;
    }
    Win32::BOOL running = 0;
    const bool known = Win32::SystemParametersInfoA(Win32::SPI_GETSCREENSAVERRUNNING, 0, &running, 0) != 0;
    if ((!known || running == 0) && idle < static_cast<uint32_t>(mScreenSaverTimeout)) {
        mIdleFrozen = false;
        mWidgetManager->MarkAllDirty();
    }
}

} // namespace Zest
