// Start-up and shutdown of the application: Init, the main window and its display, the
// single-instance handshake, Start around the main loop, Shutdown and the crash hooks.

#include "framework/app/ZestAppBase.h"

#include "framework/app/common/Debug.h"
#include "framework/app/common/FileHelpers.h"
#include "framework/app/common/HandCursors.h"
#include "framework/app/common/MainThread.h"
#include "framework/app/common/MTRand.h"
#include "framework/app/common/PathHelpers.h"
#include "framework/app/common/RuntimeRandom.h"
#include "framework/app/common/StringHelpers.h"
#include "framework/directx/D3DTester.h"
#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/PakInterface.h"
#include "framework/resources/manager/ResourceManager.h"
#include "framework/sound/BassMusicInterface.h"
#include "framework/sound/DSoundManager.h"
#include "framework/sound/FModMusicInterface.h"
#include "framework/sound/MusicInterface.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/win32/Clock.h"
#include "platform/win32/Files.h"
#include "platform/win32/Kernel.h"
#include "platform/win32/Library.h"
#include "platform/win32/MessageBox.h"
#include "platform/win32/MessageQueue.h"
#include "platform/win32/Process.h"
#include "platform/win32/SingleInstance.h"
#include "platform/win32/SystemLibraries.h"
#include "platform/win32/Threads.h"
#include "platform/win32/Window.h"

#include <algorithm>

namespace Zest {
namespace {

const char* const kMainWindowClass = "MainWindow";
const char* const kHiddenWindowClass = "InvisWindow";

using SHGetFolderPathFunction = Win32::HRESULT (*)(Win32::HWND, int, Win32::HANDLE, Win32::DWORD, char*);

// Loads the library and finds its folder lookup; null (and no module) when either fails.
SHGetFolderPathFunction LoadSHGetFolderPath(const char* libraryName, Win32::HMODULE* module)
{
    *module = Win32::LoadLibraryA(libraryName);
    if (*module == nullptr)
        return nullptr;
    auto function = reinterpret_cast<SHGetFolderPathFunction>(Win32::GetProcAddress(*module, "SHGetFolderPathA"));
    if (function == nullptr) {
        Win32::FreeLibrary(*module);
        *module = nullptr;
    }
    return function;
}

} // namespace

void ZestAppBase::Init()
{
    SetMainThreadId(Win32::GetCurrentThreadId());
    if (mShutDown)
        return;

    if (mDDrawModule == nullptr || mDSoundModule == nullptr) {
        Win32::MessageBoxA(nullptr,
                           GetString("APP_REQUIRES_DIRECTX",
                                     "This application requires DirectX to run.  You can get DirectX at "
                                     "the folder the program was installed in: installing the program again "
                                     "puts its display and sound libraries (ddraw.so, dsound.so) back.")
                               .c_str(),
                           GetString("YOU_NEED_DIRECTX", "You need DirectX").c_str(), Win32::MB_ICONERROR);
        TerminateApp(1);
    }

    OnInitStarted();
    LoadSettings();

    if (IsVistaOrLater()) {
        Win32::HMODULE shellModule = nullptr;
        SHGetFolderPathFunction getFolderPath = LoadSHGetFolderPath("shell32.dll", &shellModule);
        if (getFolderPath == nullptr)
            getFolderPath = LoadSHGetFolderPath("shfolder.dll", &shellModule);
        if (getFolderPath != nullptr) {
            char folder[Win32::MAX_PATH] = {};
            if (getFolderPath(nullptr, Win32::CSIDL_COMMON_APPDATA, nullptr, 0, folder) == Win32::S_OK) {
                SetAppDataFolder(RemoveTrailingSlash(folder) + "\\" + mDataFolderCompany + "\\" + mProductName +
                                 "\\");
                const bool absolute = mDemoFileName.size() >= 2 &&
                                      (mDemoFileName[1] == ':' || (mDemoFileName.size() >= 3 && mDemoFileName[2] == '\\'));
                if (!absolute)
                    mDemoFileName = GetAppDataFolder() + mDemoFileName;
            }
            Win32::FreeLibrary(shellModule);
        }
    }

    if (!mCommandLineParsed)
        ParseCommandLine();
    if (mScreenSaverMode)
        mSingleInstance = false;

    if (!ChangeDirectoryHook(mStartFolder))
        Win32::SetCurrentDirectoryA(mStartFolder.c_str());
    if (gPakInterface != nullptr)
        gPakInterface->AddPakFile("main.pak");

    mNotifyMessage = Win32::RegisterWindowMessageA((mProductName + "Notify").c_str());
    mMutex = Win32::CreateMutexA(nullptr, 1, (mProductName + "Mutex").c_str());
    if (mMutex != nullptr && Win32::GetLastError() == Win32::ERROR_ALREADY_EXISTS)
        ActivateRunningCopy();

    // One seed for both generators, so that a run started from a recorded seed repeats.
    mRandomSeed = Win32::GetTickCount();
    SeedRandom(mRandomSeed);
    SRand(mRandomSeed);

    Win32::WNDCLASSA windowClass{};
    windowClass.style = Win32::CS_DBLCLKS;
    windowClass.lpfnWndProc = &ZestAppBase::WindowProc;
    windowClass.hIcon = Win32::LoadIconA(nullptr, "IDI_MAIN_ICON");
    windowClass.lpszClassName = kMainWindowClass;
    Win32::RegisterClassA(&windowClass);
    windowClass.style = 0;
    windowClass.hIcon = nullptr;
    windowClass.lpszClassName = kHiddenWindowClass;
    Win32::RegisterClassA(&windowClass);
    mHiddenWindow = Win32::CreateWindowExA(0, kHiddenWindowClass, mWindowTitle.c_str(), 0, 0, 0, 0, 0, nullptr,
                                           nullptr, nullptr, nullptr);
    Win32::SetWindowLongPtrA(mHiddenWindow, Win32::GWL_USERDATA, reinterpret_cast<Win32::LONG_PTR>(this));

    mHandCursor = CreateHandCursor();
    mDragCursor = CreateDragCursor();

    OnBeforeWindowCreated();
    mWidgetManager->SetMouseRects(Rect(0, 0, mWidth, mHeight), Rect(0, 0, mWidth, mHeight));

    if (mWindowed && (mWidth >= Win32::GetSystemMetrics(Win32::SM_CXSCREEN) ||
                      mHeight >= Win32::GetSystemMetrics(Win32::SM_CYSCREEN))) {
        mWindowed = false;
        mFullScreenForced = true;
    }
    CreateMainWindow();

    if (mSoundManager == nullptr)
        mSoundManager = new DSoundManager(mNoSound ? nullptr : mMainWindow, mUseFmod);
    SetSfxVolume(mSfxVolume);
    mMusic = MakeMusicInterface(mHiddenWindow);
    SetMusicVolume(mMusicVolume);

    if (mScreenSaverMode)
        SetCursor(11);
    OnInitFinished();
    mInitialized = true;
}

MusicInterface* ZestAppBase::MakeMusicInterface(Win32::HWND window)
{
    if (mNoSound)
        return new MusicInterface;
    if (mUseFmod)
        return new FModMusicInterface();
    return new BassMusicInterface(window);
}

void ZestAppBase::PlaceWindowedMainWindow(const uint32_t style)
{
    Win32::RECT outer{0, 0, mWidth, mHeight};
    Win32::AdjustWindowRect(&outer, style, 0);
    const int outerWidth = outer.right - outer.left;
    const int outerHeight = outer.bottom - outer.top;
    Win32::RECT workArea{};
    Win32::SystemParametersInfoA(Win32::SPI_GETWORKAREA, 0, &workArea, 0);

    int x = 64;
    int y = 64;
    if (mPreferredX != -1) {
        x = std::max(mPreferredX, static_cast<int32_t>(workArea.left + 4));
        y = std::max(mPreferredY, static_cast<int32_t>(workArea.top + 4));
        if (x + outerWidth >= workArea.right - 4)
            x = workArea.right - 4 - outerWidth;
        if (y + outerHeight >= workArea.bottom - 4)
            y = workArea.bottom - 4 - outerHeight;
    }
    mMainWindow = Win32::CreateWindowExA(0, kMainWindowClass, mWindowTitle.c_str(), style, x, y, outerWidth,
                                         outerHeight, nullptr, nullptr, nullptr, nullptr);
    if (mPreferredX == -1 && mMainWindow != nullptr) {
        const int freeWidth = (workArea.right - workArea.left) - outerWidth;
        const int freeHeight = (workArea.bottom - workArea.top) - outerHeight;
        x = workArea.left + freeWidth / 2;
        y = workArea.top + static_cast<int>(freeHeight * 0.382);
        Win32::MoveWindow(mMainWindow, x, y, outerWidth, outerHeight, 0);
    }
}

void ZestAppBase::CreateMainWindow()
{
    if (mMainWindow != nullptr) {
        Win32::SetWindowLongPtrA(mMainWindow, Win32::GWL_USERDATA, 0);
        Win32::DestroyWindow(mMainWindow);
        mMainWindow = nullptr;
        mWidgetManager->mScreenImage = nullptr;
    }

    if (!mPlayingDemo && !mWindowed) {
        mMainWindow = Win32::CreateWindowExA(Win32::WS_EX_TOPMOST, kMainWindowClass, mWindowTitle.c_str(),
                                             Win32::WS_POPUP | Win32::WS_VISIBLE, 0, 0, mWidth, mHeight, nullptr,
                                             nullptr, nullptr, nullptr);
        mWindowIsWindowed = false;
    } else {
        uint32_t style = Win32::WS_POPUP | Win32::WS_CLIPCHILDREN | Win32::WS_CAPTION | Win32::WS_SYSMENU |
                         Win32::WS_MINIMIZEBOX;
        if (mAllowMaximize)
            style |= Win32::WS_MAXIMIZEBOX;
        PlaceWindowedMainWindow(style);
        mWindowIsWindowed = true;
    }
    Win32::SetWindowLongPtrA(mMainWindow, Win32::GWL_USERDATA, reinterpret_cast<Win32::LONG_PTR>(this));

    if (mDisplay == nullptr) {
        mDisplay = new DDInterface(this);
        bool is3D = false;
        if (ReadRegBoolean("Is3D", &is3D)) {
            if (mAutoEnable3D) {
                mAutoEnable3D = false;
                mTest3D = true;
            }
            if (is3D)
                mTest3D = true;
            mDisplay->mIs3D = is3D;
        }
    }

    const int result = InitDisplay();
    if (mDisplay->mD3DTester != nullptr && mDisplay->mD3DTester->mResultsNew)
        EraseRegValue("Is3D");

    if (mWindowed && result == DDInterface::RESULT_INVALID_COLORDEPTH) {
        if (mWindowedForced) {
            ShowErrorPopup(GetString("PLEASE_SET_COLOR_DEPTH", "Please set your desktop color depth to 16 bit."));
            TerminateApp(1);
        }
        mFullScreenForced = true;
        SetWindowedMode(false);
        return;
    }
    if (!mWindowed && (result == DDInterface::RESULT_EXCLUSIVE_FAIL || result == DDInterface::RESULT_DISPCHANGE_FAIL)) {
        if (mFullScreenForced) {
            // Neither mode can be had.
            ShowErrorPopup(GetString("PLEASE_SET_COLOR_DEPTH", "Please set your desktop color depth to 16 bit."));
            TerminateApp(1);
        }
        mWindowedForced = true;
        // Makes the window and the display again, windowed, and finishes the set-up there.
        SetWindowedMode(true);
        return;
    }
    if (result != DDInterface::RESULT_OK) {
        if (result != DDInterface::RESULT_3D_FAIL && !Is3DEnabled()) {
            ShowErrorPopup(GetString("FAILED_INIT_DIRECTDRAW", "Failed to initialize DirectDraw: ") +
                           DDInterface::ResultToString(result) + " " + mDisplay->mErrorString);
            TerminateApp(1);
        }
        // Without 3D the display is made again; a failure there ends the program, so coming
        // back means it works, and the window still needs its state and timer below.
        Set3DEnabled(false, true);
    }

    const bool hadActivation = mHasActivation;
    mHasActivation = Win32::GetActiveWindow() == mMainWindow;
    mSizeMinimized = false;
    if (mMinimized) {
        if (mMuteWhenInactive)
            Unmute(true);
        mMinimized = false;
        UpdateActiveState();
    } else if (mHasActivation != hadActivation) {
        UpdateActiveState();
    }
    RebuildImageData();
    mWidgetManager->mScreenImage = mDisplay->GetScreenImage();
    mWidgetManager->MarkAllDirty();
    Win32::SetTimer(mMainWindow, kTimerId, static_cast<Win32::UINT>(mFrameTime), nullptr);
}

int ZestAppBase::InitDisplay()
{
    OnBeforeDisplayInit();
    ReleaseImageExtraData();
    const int result = mDisplay->Init(mMainWindow, mWindowIsWindowed);
    mRefreshRate = static_cast<int32_t>(mDisplay->mRefreshRate);
    if (result == DDInterface::RESULT_OK) {
        mScreenBounds = Rect((mWidth - mDisplay->mWidth) / 2, (mHeight - mDisplay->mHeight) / 2, mDisplay->mWidth,
                             mDisplay->mHeight);
        mWidgetManager->SetMouseRects(mScreenBounds, mDisplay->mPresentationRect);
        OnDisplayInitialized();
    }
    return result;
}

void ZestAppBase::Start()
{
    if (mShutDown)
        return;
    StartCursorThread();
    if (mStartLoadingThread)
        StartLoadingThread();

    Win32::ShowWindow(mMainWindow, Win32::SW_SHOWNORMAL);
    Win32::SetFocus(mMainWindow);
    Win32::timeBeginPeriod(1);

    const uint32_t startTime = Win32::timeGetTime();
    mInMainLoop = true;
    mDisplayResetTick = startTime;
    mLastInputTick = startTime;
    mLastTimerTick = startTime;

    RunMainLoop();

    DeleteDeferredWidgets();
    mInMainLoop = false;
    WaitForLoadingThread();
    WriteRunStatistics(startTime);

    Win32::timeEndPeriod(1);
    OnMainLoopFinished();
    SaveSettings();
}

void ZestAppBase::WriteRunStatistics(const uint32_t startTime)
{
    OutputDebug("Seconds       = %g\r\n", (Win32::timeGetTime() - startTime) / 1000.0);
    OutputDebug("Sleep Count   = %d\r\n", mSleepCount);
    OutputDebug("Update Count  = %d\r\n", mFixedUpdateCount);
    OutputDebug("Draw Count    = %d\r\n", mPresentCount.load());
    OutputDebug("Draw Time     = %d\r\n", mTotalDrawTime);
    OutputDebug("Screen Blt    = %d\r\n", mLastPresentDuration);
    if (mTotalDrawTime + mLastPresentDuration > 0)
        OutputDebug("Avg FPS       = %d\r\n", mPresentCount.load() * 1000 / (mTotalDrawTime + mLastPresentDuration));
}

void ZestAppBase::ActivateRunningCopy()
{
    if (!mSingleInstance)
        return;
    if (mNotifyMessage != 0)
        Win32::PostMessageA(Win32::HWND_BROADCAST, mNotifyMessage, 0, 0);
    // Handing over to the running copy is a success.
    TerminateApp(0);
}

void ZestAppBase::OnNotifyMessage(const uint32_t wParam, uint32_t)
{
    if (wParam != 0 || mMainWindow == nullptr)
        return;
    if (Win32::IsIconic(mMainWindow))
        Win32::ShowWindow(mMainWindow, Win32::SW_RESTORE);
    Win32::SetForegroundWindow(mMainWindow);
}

void ZestAppBase::Shutdown()
{
    if (!IsMainThread()) {
        mShutdownRequested = true;
        return;
    }
    if (mShutDown.exchange(true))
        return;
    mExitNestedLoops = true;
    OnShutdown();
    if (mPlayingDemo) {
        SetMusicVolume(mKeptMusicVolume);
        SetSfxVolume(mKeptSfxVolume);
    }
    while (mCursorThreadRunning)
        Win32::Sleep(10);
    if (mCursorThread != nullptr) {
        Win32::WaitForSingleObject(mCursorThread, Win32::INFINITE);
        Win32::CloseHandle(mCursorThread);
        mCursorThread = nullptr;
    }
    if (mMusic != nullptr)
        mMusic->StopAllMusic();
    if (!mWindowIsWindowed && mDisplay != nullptr && mDisplay->mDD7 != nullptr)
        mDisplay->mDD7->RestoreDisplayMode();
    if (mMainWindow != nullptr)
        Win32::ShowWindow(mMainWindow, Win32::SW_HIDE);
    if (mSettingsLoaded)
        SaveSettings();
    ImageLib::FreeJPEG2000Codec();
}

void ZestAppBase::TerminateApp(const int code) { Win32::ExitProcess(static_cast<Win32::UINT>(code)); }

void ZestAppBase::ReportResourceError(const bool exit)
{
    ShowErrorPopup(mResourceManager->GetErrorText());
    // The program cannot go on without its resources: a failed run.
    if (exit)
        TerminateApp(1);
}

void ZestAppBase::PrepareForCrashReport()
{
    SetMusicVolume(0);
    if (mMainWindow != nullptr)
        Win32::ShowWindow(mMainWindow, Win32::SW_HIDE);
    mCrashed = true;
    ApplyCursor();
}

std::string ZestAppBase::GetCrashInfoText()
{
    const uint32_t seconds = (Win32::GetTickCount() - mStartTick) / 1000;
    return "Product: " + mProductName + "\r\n" + "Version: " + mProductVersion + "\r\n" + "Time Loaded: " +
           FormatString("%02u:%02u:%02u", seconds / 3600, seconds / 60 % 60, seconds % 60) +
           "\r\nFullscreen: " + (mWindowed ? "No" : "Yes") + "\r\nPrimary ThreadId: " +
           FormatString("%X", GetMainThreadId()) + "\r\n";
}

} // namespace Zest
