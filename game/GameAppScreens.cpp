// The application's screen switching and the services every screen uses.

#include "game/GameApp.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Image.h"
#include "framework/resources/manager/ResourceManager.h"
#include "framework/sound/MusicInterface.h"
#include "framework/widgets/ListWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "game/AnimatedWidget.h"
#include "game/Awards.h"
#include "game/screens/MenuServices.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/play/GameSession.h"
#include "game/screens/DialogParts.h"
#include "game/screens/HighScoresDisplayWidget.h"
#include "game/screens/MainMenu.h"
#include "game/screens/PlayerNameEntry.h"
#include "game/screens/SelectProfile.h"
#include "game/screens/StoryScreens.h"

void GameApp::ShowMainMenu()
{
    LoadMainMenuResources();
    mMainMenu = new MainMenu(this, this, this, this);
    mMainMenu->Resize(0, 0, mWidth, mHeight);
    mWidgetManager->AddWidget(mMainMenu);
    PlayTitleMusic();
}

void GameApp::RemoveMainMenu()
{
    if (mMainMenu == nullptr)
        return;
    ReleaseWidget(mMainMenu);
    mMainMenu = nullptr;
    UnloadMainMenuResources();
}

void GameApp::HideMainMenu()
{
    ZEST_ASSERT(mMainMenu != nullptr);
    mMainMenu->mMenuState = MainMenu::MENU_HIDDEN_FOR_GAME;
    mWidgetManager->RemoveWidget(mMainMenu);
    UnloadMainMenuResources();
}

void GameApp::RestoreMainMenu()
{
    ZEST_ASSERT(mMainMenu != nullptr);
    LoadMainMenuResources();
    mMainMenu->mMenuState = MainMenu::MENU_SHOWN;
    mWidgetManager->AddWidget(mMainMenu);
}

void GameApp::ReturnToMainMenu()
{
    RestoreMainMenu();
    mMainMenu->Reactivate();
    PlayTitleMusic();
}

void GameApp::ShowHighScores(const int32_t highlightRow)
{
    ZEST_ASSERT(mMainMenu != nullptr);
    mMainMenu->ShowHighScores();
    ZEST_ASSERT(mMainMenu->mHighScores != nullptr);
    mMainMenu->mHighScores->mHighlightRow = highlightRow;
}

void GameApp::StartGameSession(const int32_t continueFlag, const int32_t habitatIndex)
{
    if (habitatIndex == HabitatRegistry::NO_HABITAT)
        return;
    ZEST_ASSERT(mGameSession == nullptr);
    // A game saved and left earlier in this run is in its profile; this one is not yet.
    mGameSavedAndLeft = false;
    StopAllMusic();
    mGameSession = new GameSession(*this, continueFlag, habitatIndex);
    mGameSession->Resize(0, 0, mWidth, mHeight);
    mWidgetManager->AddWidget(mGameSession);
    // The next habitat's game follows the last one with the main menu still hidden.
    ZEST_ASSERT(mMainMenu != nullptr);
    if (mMainMenu->mMenuState != MainMenu::MENU_HIDDEN_FOR_GAME)
        HideMainMenu();
}

void GameApp::RemoveGameSession()
{
    if (mGameSession == nullptr)
        return;
    // A story or tip page belongs to the game under it.
    if (mStoryScreens != nullptr)
        RemoveStoryScreens();
    ReleaseWidget(mGameSession);
    mGameSession = nullptr;
}

StoryScreens* GameApp::ShowStoryScreens()
{
    ZEST_ASSERT(mStoryScreens == nullptr);
    mStoryScreens = new StoryScreens(this, this, this);
    mStoryScreens->Resize(StoryScreens::kStoryX, StoryScreens::kStoryRestY, IMAGE_GAME_STORY_BACK->GetWidth(),
                          IMAGE_GAME_STORY_BACK->GetHeight());
    mWidgetManager->AddWidget(mStoryScreens);
    return mStoryScreens;
}

void GameApp::RemoveStoryScreens()
{
    ZEST_ASSERT(mStoryScreens != nullptr);
    ReleaseWidget(mStoryScreens);
    mStoryScreens = nullptr;
}

void GameApp::QuitGame()
{
    RemoveMainMenu();
    Shutdown();
}

void GameApp::ShowPlayerNameEntry()
{
    if (mPlayerNameEntry != nullptr)
        return;
    mPlayerNameEntry = new PlayerNameEntry(this, this, this);
    mWidgetManager->AddWidget(mPlayerNameEntry);
    if (mSelectProfile != nullptr)
        mSelectProfile->SetDisabled(true);
}

void GameApp::RemovePlayerNameEntry()
{
    if (mPlayerNameEntry == nullptr)
        return;
    ReleaseWidget(mPlayerNameEntry);
    mPlayerNameEntry = nullptr;
    if (mSelectProfile != nullptr)
        mSelectProfile->SetDisabled(false);
}

void GameApp::ShowSelectProfile()
{
    if (mSelectProfile != nullptr)
        return;
    mSelectProfile = new SelectProfile(this, this, this);
    const int32_t width = IMAGE_GAME_SUBMENU->GetWidth();
    const int32_t height = IMAGE_GAME_SUBMENU->GetHeight();
    mSelectProfile->Resize((DialogParts::kScreenWidth - width) / 2, (DialogParts::kScreenHeight - height) / 2, width,
                           height);
    mWidgetManager->AddWidget(mSelectProfile);
}

void GameApp::CloseSelectProfile()
{
    RemoveSelectProfile();
    SaveProfiles();
}

void GameApp::RemoveSelectProfile()
{
    if (mSelectProfile == nullptr)
        return;
    ReleaseWidget(mSelectProfile);
    mSelectProfile = nullptr;
}

void GameApp::FillProfileList(Zest::ListWidget* const list)
{
    for (int32_t i = 0; i < mProfiles.GetProfileCount(); ++i)
        list->AddLine(mProfiles.GetProfile(i)->mName, false);
}

void GameApp::LoadMainMenuResources() { LoadResourceGroup(kMainMenuGroup, ExtractMainMenuResources); }

void GameApp::UnloadMainMenuResources() { mResourceManager->DeleteResources(kMainMenuGroup); }

void GameApp::PlayTitleMusic()
{
    mMusic->StopAllMusic();
    // Without the song the menu stays silent and the current song is not replaced.
    if (!mMusic->LoadMusic(kTitleSong, kTitleMusicFile))
        return;
    mMusic->FadeOut(mCurrentMusic, true, kMusicFadeSpeed);
    mCurrentMusic = kTitleSong;
    mMusic->FadeIn(kTitleSong, 0, kMusicFadeSpeed, false);
}

void GameApp::StopAllMusic() { mMusic->StopAllMusic(); }

void GameApp::PlayHabitatMusic(const Habitat& habitat)
{
    mMusic->StopAllMusic();
    FadeInSong(habitat.mNumber, habitat.mMusicFile, true);
}

void GameApp::FadeInSong(const int32_t songId, const std::string& fileName, const bool loop)
{
    if (!mMusic->LoadMusic(songId, fileName))
        return;
    mCurrentMusic = songId;
    mMusic->FadeIn(songId, 0, kMusicFadeSpeed, !loop);
}

std::string GameApp::GetHabitatNameByIndex(const int32_t index) const { return mHabitats.GetHabitatNameByIndex(index); }

int32_t GameApp::GetHabitatIndexByName(const std::string& name) const { return mHabitats.GetHabitatIndexByName(name); }

int32_t GameApp::GetFirstHabitatIndex() const { return mHabitats.GetFirstHabitatIndex(); }

Habitat* GameApp::GetHabitat(const std::string& name) const { return mHabitats.GetHabitat(name); }

void GameApp::LoadHabitatResources(const std::string& name) { mHabitats.LoadHabitatResources(name); }

void GameApp::UnloadHabitatResources(const std::string& name) { mHabitats.UnloadHabitatResources(name); }

Zest::Color GameApp::GetTextColor() const { return Zest::Color(66, 36, 0, 255); }

Zest::Color GameApp::GetHighlightTextColor() const { return Zest::Color(116, 0, 0, 255); }

std::pair<float, float> GameApp::GetMousePos() const
{
    return {static_cast<float>(mWidgetManager->mLastMouseX), static_cast<float>(mWidgetManager->mLastMouseY)};
}

std::pair<float, float> GameApp::GetMapPoint(const int32_t index) const
{
    if (index < 0 || index >= static_cast<int32_t>(mMapPoints.size()))
        return {0.0f, 0.0f};
    return mMapPoints[static_cast<size_t>(index)];
}

void GameApp::SetupAnimatedWidget(AnimatedWidget& widget, Zest::Image* const image) const
{
    ::SetupAnimatedWidget(widget, image);
}

std::string GameApp::GetAwardName(const int32_t index) const { return ::GetAwardName(index, GetGameString); }

std::string GameApp::GetAwardDescription(const int32_t index) const
{
    return ::GetAwardDescription(index, GetGameString);
}

void GameApp::DrawAward(const int32_t index, Zest::Graphics* const g, const float x, const float y,
                        const bool halfSize, const Zest::Color& textColor, const bool withName) const
{
    ::DrawAward(index, g, x, y, halfSize, textColor, withName, GetGameString);
}
