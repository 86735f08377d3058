// The application's awards screen and receiving-awards screen, and what they and the game in
// play ask of it between two habitats.

#include "game/GameApp.h"

#include "framework/app/common/Assert.h"
#include "framework/sound/MusicInterface.h"
#include "framework/widgets/WidgetManager.h"
#include "game/GameStats.h"
#include "game/play/GameSession.h"
#include "game/screens/AwardsScreen.h"
#include "game/screens/MenuServices.h"
#include "game/screens/ReceivingAwardsScreen.h"

void GameApp::ShowAwardsScreen(const int32_t newAward)
{
    ZEST_ASSERT(mAwardsScreen == nullptr);
    mAwardsScreen = new AwardsScreen(this, newAward);
    mAwardsScreen->Resize(0, 0, mWidth, mHeight);
    mWidgetManager->AddWidget(mAwardsScreen);
}

void GameApp::RemoveAwardsScreen()
{
    if (mAwardsScreen == nullptr)
        return;
    ReleaseWidget(mAwardsScreen);
    mAwardsScreen = nullptr;
}

void GameApp::ShowReceivingAwardsScreen(const int32_t nextLevel)
{
    ZEST_ASSERT(mReceivingAwards == nullptr);
    mReceivingAwards = new ReceivingAwardsScreen(this, nextLevel);
    mReceivingAwards->Resize(0, 0, mWidth, mHeight);
    mWidgetManager->AddWidget(mReceivingAwards);
}

void GameApp::RemoveReceivingAwardsScreen()
{
    if (mReceivingAwards == nullptr)
        return;
    ReleaseWidget(mReceivingAwards);
    mReceivingAwards = nullptr;
}

const GameStats* GameApp::GetSessionStats() const
{
    return mGameSession != nullptr ? mGameSession->mStats.get() : nullptr;
}

void GameApp::CloseNewAward()
{
    ZEST_ASSERT(mGameSession != nullptr);
    mGameSession->CloseNewAward();
}

void GameApp::StartNextHabitat(const int32_t level)
{
    StartGameSession(0, level);
    if (mGameSession != nullptr)
        mGameSession->mScore = mCarriedScore;
}

void GameApp::PlaySongOnce(const int32_t songId, const std::string& fileName)
{
    if (mMusic->LoadMusic(songId, fileName))
        mMusic->PlayMusic(songId, 0, true);
}

void GameApp::SetPointerImage(Zest::Image* const image) { SetCustomCursorImage(Zest::CURSOR_POINTER, image); }
