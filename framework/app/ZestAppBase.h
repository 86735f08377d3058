#pragma once
// The application object: one per process. It owns the main window and a hidden second
// window, the display, the widget manager that roots the widget tree and the music, and
// runs start-up, the main loop with its fixed-step frame timing, the window procedure with
// its queue of deferred messages, the loading and cursor threads, and popups. A game
// derives its application from it, sets its identity fields in its constructor and fills
// the hooks (the empty virtual operations below).
//
// Calling order over a run: constructor, Init, Start, destructor. Init records the calling
// thread as the main thread (framework/app/common/MainThread.h) and the destructor forgets
// it. Everything runs on the main thread except LoadingThreadProc (the loading thread) and
// the cursor thread; the fields those threads share with the main thread are atomic.

#include "framework/app/common/CritSection.h"
#include "framework/app/common/Ratio.h"
#include "framework/graphics/AppInterface.h"
#include "framework/graphics/Geometry.h"
#include "framework/graphics/SharedImage.h"
#include "framework/resources/manager/ResourceManagerHost.h"
#include "framework/widgets/Dialog.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/Listeners.h"
#include "platform/win32/Types.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <list>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace Win32 {
struct LASTINPUTINFO;
}

namespace Zest {

class Buffer;
class DDImage;
class DDInterface;
class Image;
class MemoryImage;
class MusicInterface;
class PopupRequests;
class ResourceManager;
class SoundManager;
class Widget;
class WidgetManager;

// One window message held for the main loop.
struct QueuedMessage {
    Win32::HWND mWindow;
    uint32_t mMessage;
    uint32_t mWParam;
    uint32_t mLParam;
};

// A widget waiting to be deleted once the update nesting has unwound to mDepth.
struct DeferredDelete {
    int32_t mDepth;
    Widget* mWidget;
};

class ZestAppBase : public ButtonListener,
                    public DialogListener,
                    public ResourceManagerHost,
                    public DialogHost,
                    public EditFieldServices {
public:
    // The main window's timer, which drives the mouse-in-window poll.
    static constexpr uintptr_t kTimerId = 100;
    static constexpr int kCursorKindCount = 13;
    // At most this much owed time (milliseconds) is caught up after a stall.
    static constexpr double kMaxPendingTime = 200.0;

    // Where UpdateStep stands in its cycle (ZestAppMainLoop.cpp explains the cycle).
    enum class StepState : int32_t { PumpMessages, MayUpdate, UpdateRan, Finished };
    // The developer's single stepping: off, one step to run, or halted until the next.
    enum class SingleStepState : int32_t { Off, RunOneStep, Halted };

    ZestAppBase();
    ~ZestAppBase() override;
    ZestAppBase(const ZestAppBase&) = delete;
    ZestAppBase& operator=(const ZestAppBase&) = delete;

    // Frame timing (main loop).
    virtual bool ProcessFrame(bool allowSleep);
    virtual void RunFixedUpdate();
    virtual bool TryFixedUpdate();
    virtual void RunSmoothUpdate(float fraction);
    // Start-up.
    virtual void CreateMainWindow();
    // Screen modes and cursors.
    virtual void ApplyCursor();
    // Images in the display: re-made after a display change, dropped before one.
    virtual void RebuildImageData();
    virtual void ReleaseImageExtraData();
    virtual void ReleaseImageNativeData();
    // Runs once on the main thread after the loading thread has ended.
    virtual void OnLoadingThreadCompleted() {}
    virtual MusicInterface* MakeMusicInterface(Win32::HWND window);
    virtual void OnInitFinished() {}
    // First step of Shutdown on the main thread.
    virtual void OnShutdown() {}
    virtual void OnMainLoopFinished() {}
    // The derived class's loading work, run on the loading thread. The base destructor
    // waits for that thread only after the derived part is gone, so a derived class whose
    // loading uses its own members calls WaitForLoadingThread in its own destructor.
    virtual void LoadingThreadProc() {}
    virtual void SaveSettings();
    virtual void LoadSettings();
    virtual void OnBeforeWindowCreated() {}
    // Popups: every system message box is bracketed by these two.
    virtual void BeginPopup();
    virtual void EndPopup();
    virtual int ShowMessageBoxW(const std::wstring& text, const std::wstring& caption, uint32_t flags);
    virtual int ShowMessageBox(const std::string& text, const std::string& caption, uint32_t flags);
    virtual void ShowErrorPopupW(const std::wstring& text);
    void ShowErrorPopup(const std::string& text) override;
    virtual void WriteErrorLog(const std::string& text);
    // The widget must already have left the tree.
    virtual void DeferDeleteWidget(Widget* widget);
    // Dialogs, web pages and the product version.
    // A new dialog with exactly these arguments, not yet added; null when none can be made.
    virtual Dialog* MakeDialog(int id, bool isModal, const std::string& header, const std::string& lines,
                               const std::string& footer, int buttonMode);
    // The page opening ended (clears mOpeningURL); success shuts down when that was asked.
    virtual void OnOpenURLFailed(const std::string& url);
    virtual void OnOpenURLSucceeded(const std::string& url);
    // Hands an http or https address to the desktop's browser; anything else is refused
    // (false, after OnOpenURLFailed). The outcome arrives later through the window messages.
    virtual bool OpenURL(const std::string& url, bool shutdownAfter);
    // The product version text of an executable, empty when it has none.
    virtual std::string GetProductVersion(const std::string& path);
    // Closes the dialog of that id, then makes and adds a new one.
    virtual Dialog* OpenDialog(int id, bool isModal, const std::string& header, const std::string& lines,
                               const std::string& footer, int buttonMode);
    Dialog* GetDialog(int id) override;
    virtual void AddDialog(Dialog* dialog);
    // Replaces (and deletes) a dialog open under that id. A dialog without a width is
    // placed half as wide as the application, centred, a fifth of the way down. The
    // application owns the dialog from here on.
    virtual void AddDialogWithId(int id, Dialog* dialog);
    virtual void CloseDialogObject(Dialog* dialog);
    void CloseDialog(int id) override;
    // Forgets the dialog; removeWidget also takes it out of the widget tree, deleteWidget
    // also deletes it later (and implies the removal). False when no dialog has that id.
    virtual bool CloseDialogEx(int id, bool removeWidget, bool deleteWidget);
    virtual int GetDialogCount();
    // A dialog's first button (1000) reaches the application as ButtonPress or ButtonClick
    // of the dialog's id + 2000, its second (1001) as the id + 3000.
    void DialogButtonPress(int dialogId, int buttonId) override;
    void DialogButtonClick(int dialogId, int buttonId) override;
    // For the crash reporter.
    virtual void PrepareForCrashReport();
    virtual std::string GetCrashInfoText();
    virtual void AddCrashReportFields(std::map<std::string, std::string>& fields) {}
    // Orderly stop; safe more than once and from any thread.
    virtual void Shutdown();
    // Command line.
    virtual void ParseCommandLine();
    virtual void ParseCommandLineText(const std::string& text);
    virtual void HandleCommandLineParam(const std::string& name, const std::string& value);
    // Single instance: a second copy wakes the first.
    virtual void OnNotifyMessage(uint32_t wParam, uint32_t lParam);
    virtual void ActivateRunningCopy();
    // Runs the application until shutdown.
    virtual void Start();
    // The whole start-up; a derived Init calls this first.
    virtual void Init();
    virtual void OnBeforeDisplayInit() {}
    virtual void OnDisplayInitialized() {}
    // True when the derived class changed the working folder itself.
    virtual bool ChangeDirectoryHook(const std::string& path) { return false; }
    // Sounds and volumes.
    virtual void PlaySoundEffectPanned(int soundId, int pan);
    virtual void PlaySoundEffect(int soundId);
    virtual double GetMasterVolume();
    virtual double GetMusicVolume();
    virtual double GetSfxVolume();
    virtual bool IsMuted();
    virtual void SetMasterVolume(double volume);
    virtual void SetMusicVolume(double volume);
    virtual void SetSfxVolume(double volume);
    virtual void Mute(bool automatic);
    virtual void Unmute(bool automatic);
    virtual double GetLoadingProgress();
    SharedImageRef AcquireSharedImage(const std::string& file, const std::string& variant,
                                      bool* created) override;
    // Screen modes.
    virtual void ChangeScreenMode(bool windowed, bool use3D, bool force);
    virtual void SetWindowedMode(bool windowed);
    virtual void ReapplyScreenMode();
    virtual void SetDrawToBackBuffer(bool toBackBuffer);
    virtual void OnModalDialogOpened() {}
    virtual void OnModalDialogClosed() {}
    // Activation of the application.
    virtual void OnGotFocus() {}
    virtual void OnLostFocus() {}
    // Alt characters that are shortcuts and must not reach the system (no beep).
    virtual bool IsAltShortcut(uint32_t key);
    virtual bool HandleDebugKey(uint32_t key);
    // Sees every key-down before it is queued; true consumes it.
    virtual bool PreviewKeyDown(uint32_t key, bool ctrlDown, bool altDown) { return false; }
    // The close button or Alt+F4 on the main window.
    virtual void OnCloseRequested() {}
    void On3DTestFinished() override {}
    virtual std::string GetCrashAttachment() { return ""; }
    virtual bool UnusedQuery(int first, int second) { return false; }
    // Draws the dirty widgets and presents; true when a frame was presented.
    virtual bool DrawFrame();
    virtual void RedrawScreen(Rect* clip);
    virtual void OnInitStarted() {}
    virtual void RunMainLoop();
    // One step of the main loop; false only while nested loops are being left.
    virtual bool UpdateStep(bool* updated);
    // Steps until a fixed update ran (true) or the loop is being left (false).
    virtual bool RunOneUpdate();
    virtual bool CanRestoreWindow();

    // The framework's text table: the text of an id, or the caller's default.
    std::string GetString(const std::string& id, const std::string& defaultText) const;
    void SetString(const std::string& id, const std::wstring& text);

    // The window procedure of both window classes.
    static Win32::LRESULT WindowProc(Win32::HWND window, uint32_t message, Win32::WPARAM wParam,
                                     Win32::LPARAM lParam);
    // Hands the oldest queued message on; true while more remain.
    bool DispatchDeferredMessage();
    void UpdateActiveState();
    void ClearKeysDown();

    int InitDisplay();
    // Shows the resource manager's first error and, when asked, ends the program.
    void ReportResourceError(bool exit);
    // Ends the process with the code at once; no destructor runs.
    [[noreturn]] void TerminateApp(int code);
    void ResetPendingTime();
    void AccumulatePendingTime();
    void DeleteDeferredWidgets();
    void StartLoadingThread();
    void StartCursorThread();
    void WaitForLoadingThread();
    // The idle check that freezes a windowed application while the system's screen saver
    // should be running.
    void CheckScreenSaver(uint32_t now);
    // Shows the popups that other threads asked for; main thread only.
    void ShowRequestedPopups();

    void SetCursor(int kind) override;
    bool Is3DEnabled() override;
    // The 3D test ran and found neither a reason against 3D nor a warning.
    bool Is3DRecommended();
    void Set3DEnabled(bool enabled, bool reinitialize);
    // Frees the shared images nobody refers to any more; after every fixed update.
    void ReleaseUnusedSharedImages();

    bool Is3DSupported();
    // A new image holding a copy of that part of the image.
    DDImage* CopyImageRect(Image* image, const Rect& rect);
    void CopyToClipboard(const std::string& text) override;
    std::string GetClipboardText() override;
    bool AllowsExtendedChars() override { return mAllowExtendedChars; }

    // Screen modes and cursors.
    void SetCustomCursorsEnabled(bool enabled);
    // The picture the display draws for that cursor kind (custom cursors on, or kind 12).
    void SetCustomCursorImage(int kind, Image* image);

    // Values in the settings store under "SOFTWARE" + mRegistryKeyName, and save files.
    // Every failure is a false result; a failed write leaves the old value or file whole.
    bool WriteRegValue(const std::string& name, uint32_t type, const uint8_t* data, uint32_t length);
    bool WriteRegString(const std::string& name, const std::string& text);
    bool WriteRegInteger(const std::string& name, int32_t value);
    bool WriteRegBoolean(const std::string& name, bool value);
    // `length` holds the buffer's size and receives the value's.
    bool ReadRegValue(const std::string& name, uint32_t* type, uint8_t* data, uint32_t* length);
    bool ReadRegInteger(const std::string& name, int32_t* value);
    bool ReadRegBoolean(const std::string& name, bool* value);
    void EraseRegValue(const std::string& name);
    // Writes a file of the operating system, making missing folders.
    bool WriteFileBytes(const std::string& path, const uint8_t* data, int32_t length);
    bool WriteFileFromBuffer(const std::string& path, const Buffer& buffer);
    // Reads the whole file, from the archive or the disk.
    bool ReadFileToBuffer(const std::string& path, Buffer* buffer, bool direct = false);
    bool CheckFileExists(const std::string& path);

    // What the drawing code and the display need of the application.
    void RegisterImage(MemoryImage* image) override;
    void UnregisterImage(MemoryImage* image) override;
    void SetSharedImagesUnused() override;
    const uint8_t* GetSaturationTable() override;
    const NativeDisplay* GetNativeDisplay() override;
    void Remove3DData(MemoryImage* image) override;
    bool RecoverBits(MemoryImage* image) override;
    MemoryImage* CopyImage(Image* image) override;
    const DisplaySettings& GetDisplaySettings() override;
    bool IsPopupShowing() override;
    void SetVSyncTimingBroken() override;

    // What the resource manager needs of the application beyond that.
    void DiscardSharedImage(SharedImageRef& reference) override;
    DDImage* LoadImageFile(const std::string& path, bool commitBits) override;
    SoundManager* GetSoundManager() override;

    uint32_t mRandomSeed = 0;
    std::string mCompanyName;
    std::string mDataFolderCompany;
    std::string mProductName = "Product";
    std::string mWindowTitle = "ZestApp";
    std::string mRegistryKeyName;
    std::string mStartFolder;
    int32_t mPreferredX = -1;
    int32_t mPreferredY = -1;
    int32_t mWidth = 640;
    int32_t mHeight = 480;
    int32_t mColorDepth = 16;
    double mMusicVolume = 0.85;
    double mSfxVolume = 0.85;
    double mKeptMusicVolume = 0;
    double mKeptSfxVolume = 0;
    bool mNoSound = false;
    bool mUseFmod = false;
    bool mCommandLineParsed = false;
    bool mAllowExtendedChars = true;
    Win32::HANDLE mMutex = nullptr;
    bool mSingleInstance = true;
    uint32_t mNotifyMessage = 0;
    // For the derived class; the framework never takes it.
    CritSection mLock;
    std::array<uint8_t, 512> mSaturationTable{};
    WidgetManager* mWidgetManager = nullptr;
    bool mCrashed = false;
    std::atomic<bool> mShutDown = false;
    bool mExitNestedLoops = false;
    bool mWindowed = true;
    bool mWindowIsWindowed = true;
    bool mFullScreenForced = false;
    bool mWindowedForced = false;
    bool mInitialized = false;
    uint32_t mStartTick = 0;
    Win32::HWND mMainWindow = nullptr;
    Win32::HWND mHiddenWindow = nullptr;
    bool mScreenSaverMode = false;
    bool mAllowMonitorPowerDown = true;
    std::list<QueuedMessage> mDeferredMessages;
    bool mPopupShowing = false;
    bool mSoftwareCursorAllowed = true;
    bool mIsTabletPC = false;
    DDInterface* mDisplay = nullptr;
    bool mDrawToBackBuffer = false;
    MusicInterface* mMusic = nullptr;
    bool mSettingsLoaded = false;
    std::string mProductVersion;
    std::array<Image*, kCursorKindCount> mCursorImages{};
    // The open dialogs by id (at most one per id), and in the order they were added.
    std::map<int32_t, Dialog*> mDialogs;
    std::list<Dialog*> mDialogOrder;
    bool mOpeningURL = false;
    bool mShutdownAfterURL = false;
    std::string mPendingURL;
    uint32_t mURLOpenTick = 0;
    uint32_t mLastTimerTick = 0;
    uint32_t mTimerRunStartTick = 0;
    int32_t mMuteCount = 0;
    int32_t mAutoMuteCount = 0;
    bool mFastForwardMuted = false;
    bool mMuteWhenInactive = true;
    std::set<MemoryImage*> mImageSet;
    // Keyed by upper-case (file, variant).
    std::map<std::pair<std::string, std::string>, SharedImage> mSharedImages;
    bool mSharedImagesUnused = false;
    int32_t mUpdatesSinceDraw = 0;
    int32_t mFrameTime = 10;
    bool mDrawing = false;
    bool mLastDrawSkipped = false;
    bool mUpdatedSinceDraw = true;
    double mStepFraction = 0;
    double mPendingTime = 0;
    uint32_t mPendingTimeStamp = 0;
    // Written at every display re-creation, mode change or long pause, for the derived
    // class to read.
    uint32_t mDisplayResetTick = 0;
    uint32_t mLastInputTick = 0;
    int32_t mSleepCount = 0;
    std::atomic<int32_t> mPresentCount = 0;
    int32_t mFixedUpdateCount = 0;
    StepState mStepState = StepState::PumpMessages;
    // How many UpdateStep calls are active (a modal loop steps from inside one).
    int32_t mStepDepth = 0;
    double mUpdateMultiplier = 1.0;
    bool mUpdatesPaused = false;
    int32_t mSeekTargetUpdate = 0;
    bool mSeekToEnd = false;
    bool mSeekDrawOnReach = false;
    uint32_t mLastPresentTick = 0;
    std::atomic<uint32_t> mNextPresentTick = 0;
    SingleStepState mSingleStepState = SingleStepState::Off;
    int32_t mCursorKind = 0;
    Win32::HCURSOR mHandCursor = nullptr;
    Win32::HCURSOR mDragCursor = nullptr;
    std::list<DeferredDelete> mDeferredDeletes;
    bool mMouseInWindow = false;
    bool mInMainLoop = false;
    bool mHasActivation = true;
    bool mMinimized = false;
    std::atomic<bool> mSizeMinimized = false;
    bool mWindowDisabled = false;
    bool mActive = true;
    int32_t mTotalDrawTime = 0;
    int32_t mRedrawCount = 0;
    int32_t mDirtyUpdateCount = 0;
    int32_t mStatsDrawTime = 0;
    int32_t mStatsDrawCount = 0;
    bool mShowOverlay = false;
    int32_t mOverlayMode = 0;
    int32_t mLastPresentDuration = 0;
    bool mStartLoadingThread = true;
    std::atomic<bool> mLoadingThreadStarted = false;
    std::atomic<bool> mLoadingThreadDone = false;
    bool mLoadingCompleted = false;
    bool mYieldToLoading = false;
    // Set by a derived class whose loading failed, for it to read after the handover.
    std::atomic<bool> mLoadingFailed = false;
    std::atomic<bool> mShutdownRequested = false;
    std::atomic<bool> mCursorThreadRunning = false;
    bool mCustomCursors = false;
    bool mForcePresent = false;
    bool mLastRunEndedCleanly = true;
    // Progress counters the derived class sets while loading.
    std::atomic<int32_t> mLoadingTotal = 0;
    std::atomic<int32_t> mLoadingDone = 0;
    std::atomic<bool> mRecordingDemo = false;
    std::atomic<bool> mPlayingDemo = false;
    bool mClosedByUser = false;
    std::string mDemoPrefix = "zestapp";
    std::string mDemoFileName = "zestapp.dmo";
    int32_t mDemoLength = 0;
    std::atomic<int32_t> mDemoMouseX = 0;
    std::atomic<int32_t> mDemoMouseY = 0;
    int32_t mLastDemoEventUpdate = -1;
    bool mDemoLoadingCompleted = false;
    bool mDebugKeysEnabled = false;
    bool mAllowMaximize = false;
    bool mCtrlDown = false;
    bool mAltDown = false;
    int32_t mRefreshRate = 100;
    bool mVSyncTiming = false;
    bool mVSyncTimingBroken = false;
    int32_t mVSyncFastCount = 0;
    uint32_t mVSyncCheckTick = 0;
    int32_t mVSyncCheckUpdates = 0;
    bool mWaitForVSync = false;
    // Windowed presentation is paced by sleeping instead of waiting for the vertical blank.
    bool mPaceWindowedBySleep = true;
    bool m3DSwitchedThisSession = false;
    bool mAutoEnable3D = false;
    bool mTest3D = false;
    int32_t mMinVidMemory3D = 6;
    int32_t mRecVidMemory3D = 14;
    bool mStretchToFit = false;
    // The drawing area inside the window.
    Rect mScreenBounds;
    bool mForceAspect = false;
    Ratio mAspect{4, 3};
    std::map<std::string, std::wstring> mStrings;
    // The manifest's pictures, sounds and fonts, loaded by group.
    ResourceManager* mResourceManager = nullptr;
    // Sound effects; silent (without a window) when mNoSound.
    SoundManager* mSoundManager = nullptr;

private:
    // The window procedure's work for a window that has its application.
    Win32::LRESULT HandleMessage(Win32::HWND window, uint32_t message, Win32::WPARAM wParam, Win32::LPARAM lParam);
    // Appends a message to the queue under its rules; false when it was dropped.
    bool QueueMessage(Win32::HWND window, uint32_t message, Win32::WPARAM wParam, Win32::LPARAM lParam);
    void HandlePlaybackKey(uint32_t key);
    void DispatchMouseMessage(const QueuedMessage& message);
    void DispatchKeyDown(const QueuedMessage& message);
    void HandleTimerMessage();
    // The frame timing's update step (state 1) and after-an-update step (state 2).
    // After a fixed update: the extra updates that vertical-sync timing owes, then the
    // smooth update.
    void RunFractionalUpdates(float fraction);
    void CheckVSyncTiming(uint32_t now);
    void RecoverDisplay();
    bool HandleScreenSaverMessage(Win32::HWND window, uint32_t message, Win32::WPARAM wParam);
    void PlaceWindowedMainWindow(uint32_t style);
    void WriteRunStatistics(uint32_t startTime);
    static uint32_t LoadingThreadMain(void* app);
    static uint32_t CursorThreadMain(void* app);
    void RunCursorThread();
    void Confirm3DSetting();
    Win32::HCURSOR SystemCursorFor(int kind) const;

    DisplaySettings mDisplaySettings;
    Win32::HMODULE mDDrawModule = nullptr;
    Win32::HMODULE mDSoundModule = nullptr;
    // The system's time of the last user input, when it offers one.
    Win32::HMODULE mUser32Module = nullptr;
    Win32::BOOL (*mGetLastInputInfo)(Win32::LASTINPUTINFO* info) = nullptr;
    // Presentation failed and the display is being recovered.
    bool mPresentationFailing = false;
    uint32_t mLastDisplayRecheckTick = 0;
    // No updates and no drawing while the system's screen saver should be running.
    bool mIdleFrozen = false;
    uint32_t mLastIdleCheckTick = 0;
    bool mScreenSaverSettingsRead = false;
    uint32_t mScreenSaverReadTick = 0;
    int32_t mScreenSaverTimeout = 0;
    bool mScreenSaverEnabled = false;
    // Screen-saver mode: the mouse position and real moves seen so far, and the close
    // under way.
    bool mScreenSaverCursorKnown = false;
    Win32::POINT mScreenSaverCursor{};
    int32_t mScreenSaverMoves = 0;
    bool mScreenSaverClosing = false;
    uint32_t mMonitorPowerDownTick = 0;
    Win32::HANDLE mLoadingThread = nullptr;
    Win32::HANDLE mCursorThread = nullptr;
    PopupRequests* mPopupRequests = nullptr;
};

// The process's application, or null while there is none.
ZestAppBase* GetZestApp();

} // namespace Zest
