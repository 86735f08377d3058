// The application object's construction and destruction, and its text table.

#include "framework/app/ZestAppBase.h"

#include "framework/app/PopupRequests.h"
#include "framework/app/common/MainThread.h"
#include "framework/app/common/StringHelpers.h"
#include "framework/directx/D3DInterface.h"
#include "framework/directx/D3DTester.h"
#include "framework/directx/DDImage.h"
#include "framework/directx/DDInterface.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/manager/ResourceManager.h"
#include "framework/sound/MusicInterface.h"
#include "framework/sound/SoundManager.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/win32/Clock.h"
#include "platform/win32/Input.h"
#include "platform/win32/Kernel.h"
#include "platform/win32/Library.h"
#include "platform/win32/MessageBox.h"
#include "platform/win32/Process.h"
#include "platform/win32/SystemLibraries.h"
#include "platform/win32/Window.h"

#include <memory>

namespace Zest {
namespace {

std::atomic<ZestAppBase*> gZestApp{nullptr};

} // namespace

ZestAppBase* GetZestApp() { return gZestApp.load(); }

ZestAppBase::ZestAppBase() : mPopupRequests(new PopupRequests)
{
    gZestApp.store(this);
    SetAppInterface(this);

    // The display and the sound manager load their own copies; these only tell Init
    // whether the libraries can be had.
    mDDrawModule = Win32::LoadLibraryA("ddraw.dll");
    mDSoundModule = Win32::LoadLibraryA("dsound.dll");
    mUser32Module = Win32::LoadLibraryA("user32.dll");
    if (mUser32Module != nullptr)
        mGetLastInputInfo = reinterpret_cast<Win32::BOOL (*)(Win32::LASTINPUTINFO*)>(
            Win32::GetProcAddress(mUser32Module, "GetLastInputInfo"));
    ImageLib::LoadJPEG2000Codec();

    char path[Win32::MAX_PATH] = {};
    Win32::GetModuleFileNameA(nullptr, path, sizeof(path));
    mProductVersion = GetProductVersion(path);
    const std::string executable = path;
    const size_t slash = executable.find_last_of("/\\");
    mStartFolder = slash == std::string::npos ? std::string() : executable.substr(0, slash);

    mStartTick = Win32::GetTickCount();
    mLastPresentTick = Win32::timeGetTime();
    mNextPresentTick = mLastPresentTick;
    for (int i = 0; i < 512; ++i)
        mSaturationTable[i] = static_cast<uint8_t>(i < 255 ? i : 255);

    mStrings["DIALOG_BUTTON_OK"] = L"OK";
    mStrings["DIALOG_BUTTON_CANCEL"] = L"CANCEL";
    mStrings["UPDATE_CHECK_TITLE"] = L"Update Check";
    mStrings["UPDATE_CHECK_BODY"] = L"Checking if there are any updates available for this product ...";
    mStrings["UP_TO_DATE_TITLE"] = L"Up to Date";
    mStrings["UP_TO_DATE_BODY"] = L"There are no updates available for this product at this time.";
    mStrings["NEW_VERSION_TITLE"] = L"New Version";
    mStrings["NEW_VERSION_BODY"] =
        L"There is an update available for this product.  Would you like to visit the web site to download it?";

    mWidgetManager = new WidgetManager(this);
    mResourceManager = new ResourceManager(this);

    mIsTabletPC = Win32::GetSystemMetrics(Win32::SM_TABLETPC) != 0;
    if (mIsTabletPC)
        mSoftwareCursorAllowed = false;
}

ZestAppBase::~ZestAppBase()
{
    Shutdown();
    // Nothing below may go while the loading thread could still be using it.
    WaitForLoadingThread();
    ShowRequestedPopups();
    Confirm3DSetting();

    if (mHiddenWindow != nullptr) {
        Win32::SetWindowLongPtrA(mHiddenWindow, Win32::GWL_USERDATA, 0);
        Win32::DestroyWindow(mHiddenWindow);
        mHiddenWindow = nullptr;
    }

    // The dialogs still open are the application's, and so are the widgets still waiting
    // for deletion; they go while the widget tree is there.
    while (!mDialogs.empty())
        CloseDialogEx(mDialogs.begin()->first, true, true);
    // Gone from inside an update step, entries of an outer step would never fall due.
    mStepDepth = 0;
    while (!mDeferredDeletes.empty())
        DeleteDeferredWidgets();
    delete mWidgetManager;
    mWidgetManager = nullptr;
    // Its records hold references into the shared-image table, which goes next.
    delete mResourceManager;
    mResourceManager = nullptr;
    for (auto& entry : mSharedImages)
        delete entry.second.mImage;
    mSharedImages.clear();

    // The display's images unregister themselves through it, so it goes after them.
    delete mDisplay;
    mDisplay = nullptr;
    delete mMusic;
    mMusic = nullptr;
    delete mSoundManager;
    mSoundManager = nullptr;

    if (mMainWindow != nullptr) {
        Win32::SetWindowLongPtrA(mMainWindow, Win32::GWL_USERDATA, 0);
        Win32::DestroyWindow(mMainWindow);
        mMainWindow = nullptr;
    }

    if (mHandCursor != nullptr)
        Win32::DestroyCursor(mHandCursor);
    if (mDragCursor != nullptr)
        Win32::DestroyCursor(mDragCursor);
    if (GetAppInterface() == this)
        SetAppInterface(nullptr);
    gZestApp.store(nullptr);
    SetMainThreadId(0);

    if (mMutex != nullptr)
        Win32::CloseHandle(mMutex);
    if (mDDrawModule != nullptr)
        Win32::FreeLibrary(mDDrawModule);
    if (mDSoundModule != nullptr)
        Win32::FreeLibrary(mDSoundModule);
    if (mUser32Module != nullptr)
        Win32::FreeLibrary(mUser32Module);
    delete mPopupRequests;
}

// Asks whether to keep 3D after it was switched on in this session or failed to draw.
void ZestAppBase::Confirm3DSetting()
{
    if (mDisplay == nullptr)
        return;
    const std::string caption =
        mCompanyName + " " + GetString("HARDWARE_ACCEL_CONFIRMATION", "Hardware Acceleration Confirmation");
    bool askedAlready = false;
    if (m3DSwitchedThisSession) {
        bool stored = false;
        ReadRegBoolean("Is3D", &stored);
        if (!stored && !Is3DRecommended()) {
            if (Is3DEnabled()) {
                const std::string text = GetString(
                    "HARDWARE_ACCEL_SWITCHED_ON",
                    "Hardware Acceleration was switched on during this session.\r\nIf this resulted in slower "
                    "performance, it should be switched off.\r\nWould you like to keep Hardware Acceleration "
                    "switched on?");
                const bool keep = ShowMessageBox(text, caption, Win32::MB_YESNO | Win32::MB_ICONQUESTION) == Win32::IDYES;
                mDisplay->mIs3D = keep;
                if (keep)
                    WriteRegBoolean("Is3D", true);
                askedAlready = true;
            }
        } else {
            WriteRegBoolean("Is3D", mDisplay->mIs3D);
        }
    }
    if (!askedAlready && gD3DFrameFailed.load() && !mScreenSaverMode) {
        const std::string text = GetString(
            "HARDWARE_ACCEL_NOT_WORKING",
            "Hardware Acceleration may not have been working correctly during this session.\r\nIf you noticed "
            "graphics problems, you may want to turn off Hardware Acceleration.\r\nWould you like to keep "
            "Hardware Acceleration switched on?");
        if (ShowMessageBox(text, caption, Win32::MB_YESNO | Win32::MB_ICONQUESTION) == Win32::IDNO)
            WriteRegBoolean("Is3D", false);
    }
}

std::string ZestAppBase::GetString(const std::string& id, const std::string& defaultText) const
{
    const auto found = mStrings.find(id);
    return found == mStrings.end() ? defaultText : WStringToString(found->second);
}

void ZestAppBase::SetString(const std::string& id, const std::wstring& text) { mStrings[id] = text; }

} // namespace Zest
