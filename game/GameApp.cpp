#include "game/GameApp.h"

#include "framework/app/common/FileHelpers.h"
#include "framework/app/common/PathHelpers.h"
#include "framework/graphics/AppInterface.h"
#include "framework/resources/manager/ResourceManager.h"
#include "framework/widgets/WidgetFlags.h"
#include "framework/widgets/WidgetManager.h"
#include "game/GameOptions.h"
#include "game/HabitatBuilder.h"
#include "game/HighScores.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/play/GameSession.h"
#include "game/screens/TitleScreen.h"
#include "platform/physics/XtremaPhysics.h"
#include "platform/win32/Path.h"

#include <cstdio>
#include <ctime>
#include <memory>
#include <utility>

namespace {

// World-map positions of the habitat indexes 0 to 9, in pixels.
constexpr std::pair<float, float> kMapPoints[GameApp::kMapPointCount] = {
    {248, 360}, {120, 200}, {32, 125}, {280, 85}, {428, 170}, {500, 250}, {460, 335}, {645, 250}, {730, 410}, {750, 270},
};

// Granting access cannot fail here, so the folder is tried the way saving will use it.
bool CanCreateFileIn(const std::string& folder)
{
    const std::string probe = Win32::ToNativePath(folder + "access_check.tmp");
    std::FILE* const file = std::fopen(probe.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool closed = std::fclose(file) == 0;
    return std::remove(probe.c_str()) == 0 && closed;
}

} // namespace

GameApp::GameApp() : mRandom(static_cast<uint32_t>(std::time(nullptr)))
{
    mCompanyName = "Brightfold LLC";
    mDataFolderCompany = "Brightfold";
    mProductName = "Green Atlas";
    mProductVersion = "v1.42demo";
    mWindowTitle = mProductName + " - " + mProductVersion;
    mRegistryKeyName = "Brightfold\\Pastimes\\GreenAtlas";
    mWidth = 800;
    mHeight = 600;
    mColorDepth = 32;
    mAutoEnable3D = true;
    mVSyncTiming = true;
    mWaitForVSync = true;
    // Every widget is redrawn after every update, and screens draw beyond their bounds.
    mWidgetManager->mDefaultFlags |= Zest::WIDGETFLAGS_MARK_DIRTY;
    mWidgetManager->mDefaultFlags |= Zest::WIDGETFLAGS_UPDATE;
    mWidgetManager->mDefaultFlags &= ~Zest::WIDGETFLAGS_CLIP;
    mMapPoints.assign(std::begin(kMapPoints), std::end(kMapPoints));
    // The game reaches the world through the library's own pointer.
    XtremaPHX2D::xtrCreateXtremaSDK();
}

GameApp::~GameApp()
{
    // The loading thread runs this class's code, so it must be done before any of it goes.
    Shutdown();
    WaitForLoadingThread();
    if (mTitleScreen != nullptr) {
        mWidgetManager->RemoveWidget(mTitleScreen);
        delete mTitleScreen;
        mTitleScreen = nullptr;
    }
    RemovePlayerNameEntry();
    RemoveSelectProfile();
    RemoveAwardsScreen();
    RemoveReceivingAwardsScreen();
    RemoveCredits();
    RemoveHowToPlay();
    // An open story page goes with the game session.
    RemoveGameSession();
    RemoveOptionsMenu();
    RemoveMainMenu();
    // Widgets queued for deletion (the title's button among them) go while the tree exists,
    // and a game session's physics entities while the world does; a screen's destructor may
    // queue its own dialogs, which go in the next round.
    mStepDepth = 0;
    while (!mDeferredDeletes.empty())
        DeleteDeferredWidgets();
    XtremaPHX2D::xtrDestroyXtremaSDK();
    mResourceManager->DeleteResources("");
}

void GameApp::Init()
{
    ZestAppBase::Init();
    if (mShutDown)
        return;
    CreateDataFolder();
    LoadPlayerFiles();

    if (!mResourceManager->ParseResourcesFile(kManifestFile))
        ReportResourceError(true);
    LoadResourceGroup(kInitGroup, ExtractInitResources);

    std::string reason;
    if (!StringTableHolder::Instance().Load(StringTable::kFileName, &reason)) {
        StopWithError("The game's texts could not be read: " + reason +
                      "\n\nInstalling the game again puts the file back.");
        return;
    }

    SetCustomCursorImages();
    SetCustomCursorsEnabled(true);
    LoadResourceGroup(kTitleScreenGroup, ExtractTitleScreenResources);

    mTitleScreen = new TitleScreen(this, this);
    mTitleScreen->Resize(0, 0, mWidth, mHeight);
    mWidgetManager->AddWidget(mTitleScreen);
    mLoadingTotal = mResourceManager->GetNumResources(kGameGroup);
}

void GameApp::CreateDataFolder()
{
    std::string base = Zest::IsVistaOrLater() ? Zest::GetAppDataFolder() : Zest::GetCurrentDir();
    // Without a home folder there is no application-data folder: the working folder serves.
    if (base.empty())
        base = Zest::GetCurrentDir();
    mDataFolder = Zest::AddTrailingSlash(base) + kDataFolderName + "\\";
    Zest::CreateDirectories(mDataFolder);
    if (!Zest::AllowAllAccess(mDataFolder) || !CanCreateFileIn(mDataFolder))
        ShowErrorPopup(kNoDataAccessMessage);
}

void GameApp::LoadPlayerFiles()
{
    std::string message;
    GameOptions& options = GameOptionsHolder::Instance();
    switch (options.Load(mDataFolder, &message)) {
    case GameOptions::LoadResult::Loaded:
        SetMusicVolume(options.mMusicVolume);
        SetSfxVolume(options.mSfxVolume);
        break;
    case GameOptions::LoadResult::Refused:
        ShowErrorPopup(message);
        break;
    case GameOptions::LoadResult::Missing:
        break;
    }
    if (HighScoreStoreHolder::Instance().Load(mDataFolder, &message) == HighScoreStore::LoadResult::Refused)
        ShowErrorPopup(message);
}

void GameApp::LoadResourceGroup(const char* const group, bool (*const extract)(Zest::ResourceManager&))
{
    if (mResourceManager->LoadResources(group) && extract(*mResourceManager))
        return;
    mLoadingFailed = true;
    ReportResourceError(true);
}

void GameApp::SetCustomCursorImages()
{
    SetCustomCursorImage(Zest::CURSOR_POINTER, IMAGE_CUSTOM_POINTER);
    SetCustomCursorImage(Zest::CURSOR_HAND, IMAGE_CUSTOM_HAND);
    SetCustomCursorImage(Zest::CURSOR_DRAG, IMAGE_CUSTOM_DRAGGING);
    SetCustomCursorImage(Zest::CURSOR_TEXT, IMAGE_CUSTOM_TEXT);
}

void GameApp::StopWithError(const std::string& message)
{
    ShowErrorPopup(message);
    mExitStatus = 1;
    Shutdown();
}

void GameApp::LoadingThreadProc()
{
    // The title is redrawn after every update anyway (the widget manager's flags); marking
    // it dirty from here would walk the widget tree while the main thread draws it.
    mResourceManager->StartLoadResources(kGameGroup);
    while (mResourceManager->LoadNextResource()) {
        ++mLoadingDone;
        if (mShutDown)
            return;
    }
    if (mResourceManager->HadError() || !ExtractGameResources(*mResourceManager)) {
        // Waits until the main thread has shown the message.
        ReportResourceError(false);
        mLoadingFailed = true;
    }
}

void GameApp::OnLoadingThreadCompleted()
{
    // Every screen after the title needs what failed to load; the player has seen why.
    if (mLoadingFailed) {
        mExitStatus = 1;
        Shutdown();
        return;
    }
    if (mTitleScreen != nullptr)
        mTitleScreen->MarkDirty();
}

double GameApp::GetLoadingProgress() { return ZestAppBase::GetLoadingProgress(); }

bool GameApp::HasLoadingFailed() const { return mLoadingFailed; }

void GameApp::TitleScreenIsFinished()
{
    mTitleScreen = nullptr;
    mResourceManager->DeleteResources(kTitleScreenGroup);
    BuildAllHabitats(mHabitats, GetGameString, mResourceSource);
    ShowMainMenu();
    SetCustomCursorImages();
}

void GameApp::RunSmoothUpdate(const float fraction)
{
    if (!mVSyncTiming || mUpdatesPaused)
        return;
    if (XtremaPHX2D::g_ptrSDK != nullptr)
        XtremaPHX2D::g_ptrSDK->updateF(mPhysicsStep);
    ZestAppBase::RunSmoothUpdate(fraction);
}

void GameApp::OnShutdown()
{
    // Nothing was read before the data folder was known, so nothing is written either.
    if (mDataFolder.empty())
        return;
    // A game without a board has nothing to continue yet; one saved as the player left it
    // is in the profile already, and a later game of the same run is not stored over it.
    if (!mGameSavedAndLeft && mGameSession != nullptr && mGameSession->mBoard != nullptr)
        mGameSession->SaveGameToProfile();
    // The framework saves "Muted" after this: a pause's own mute is not the player's.
    if (mGameSession != nullptr && mGameSession->mPauseMuted) {
        mGameSession->mPauseMuted = false;
        UnmuteSound();
    }
    // Every change to the profiles since the last save is kept, whether or not a game runs.
    // A list that was never loaded nor created in this run (a quit during the title) is not
    // written: the file on disk is left as it is.
    SaveProfiles();
    // Popups are off once shutting down, so a failed save goes to the error log.
    if (!GameOptionsHolder::Instance().Save(mDataFolder))
        WriteErrorLog("Could not save " + mDataFolder + GameOptions::kFileName);
    if (!HighScoreStoreHolder::Instance().Save(mDataFolder))
        WriteErrorLog("Could not save " + mDataFolder + HighScoreStore::kFileName);
}

void GameApp::OnGotFocus()
{
    if (mGameSession != nullptr)
        mGameSession->ResumeBoard();
}

void GameApp::OnLostFocus()
{
    if (mGameSession != nullptr)
        mGameSession->ShowPauseMenu();
}

void GameApp::MuteSound() { Mute(false); }

void GameApp::UnmuteSound() { Unmute(false); }

// A damaged file is reported, set aside and treated as missing. The habitats must be built
// already: saved stages refer to them.
bool GameApp::LoadProfiles()
{
    std::string message;
    switch (mProfiles.Load(mDataFolder, mHabitats, &message)) {
    case ProfileStore::LoadResult::Loaded:
        return true;
    case ProfileStore::LoadResult::Refused:
        ShowErrorPopup(message);
        return false;
    case ProfileStore::LoadResult::Missing:
    case ProfileStore::LoadResult::AlreadyRead:
        break;
    }
    return false;
}

// A failure is shown to the player, or written to the error log while shutting down; the old
// file is left whole either way.
bool GameApp::SaveProfiles()
{
    if (mProfiles.Save(mDataFolder))
        return true;
    const std::string message = "Could not save the player profiles to " + mDataFolder + ProfileStore::kFileName +
                                ".\n\nThe file on disk is left as it was; the game tries again at its next save.";
    // Popups are off once shutting down.
    if (mShutDown)
        WriteErrorLog(message);
    else
        ShowErrorPopup(message);
    return false;
}

void GameApp::AddProfile(std::unique_ptr<PlayerProfile> profile) { mProfiles.AddProfile(std::move(profile)); }

void GameApp::DeleteProfile(const int32_t index)
{
    mProfiles.DeleteProfile(index);
    if (mProfiles.GetCurrentProfile() == nullptr)
        ShowPlayerNameEntry();
}
