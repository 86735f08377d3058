// The session's level flow and its freeze: storing the running game in the profile, opening
// and closing the world map before the level, the level start, the score, freezing the
// session around modal screens, the flourish's fresh board and the end of a game without
// moves with its game-over screen. The stage events and the mini-game come with their own
// parts; until then their calls do as noted.

#include "game/play/GameSession.h"

#include "framework/app/common/Assert.h"
#include "framework/widgets/WidgetManager.h"
#include "game/GameStats.h"
#include "game/Habitat.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/play/GameBoard.h"
#include "game/play/PlayHost.h"
#include "game/screens/GameMap.h"
#include "game/screens/GameOverMenu.h"
#include "game/screens/MenuServices.h"
#include "game/screens/StoryScreens.h"

namespace {

constexpr int32_t kOpaque = 255;

// Nothing releases the session under an open pause menu, level report or game-over screen,
// nor after the end of a game without moves, which freezes it for good (RESUME_NEVER)
// whether or not its screen is open.
bool IsHeldByModalScreen(const GameSession& session)
{
    return session.mResumeStep == GameSession::RESUME_NEVER || session.mPauseMenu != nullptr ||
           session.mLevelComplete != nullptr || session.mGameOver != nullptr;
}

} // namespace

void GameSession::SaveGameToProfile()
{
    PlayerProfile* const profile = mHost.GetCurrentProfile();
    // A running game has its player, and a board once its level has started.
    ZEST_ASSERT(profile != nullptr && mBoard != nullptr);
    profile->mHabitatName = mHabitat->GetName();
    profile->mScore = mScore;
    profile->mStageIndex = mStage.mIndex;
    profile->mStage = mStage;
    profile->mHabitatProgress = mHabitat->mCollectedGoals;
    profile->StoreStats(*mStats);
    profile->StoreBoard(*mBoard);
}

void GameSession::ShowGameMap()
{
    ZEST_ASSERT(mManager != nullptr && mGameMap == nullptr);
    const bool continued = mContinued == 1;
    // The first habitat has no habitat before it to fly from.
    const bool fly = !continued && mHabitat->mIndex > 0;
    mGameMap = new GameMap(*this, mHost.GetTextStyle(), continued, fly, mHabitat->mIndex);
    mGameMap->Resize(0, 0, kWidth, kHeight);
    mManager->AddWidget(mGameMap);
}

void GameSession::CloseGameMap()
{
    ZEST_ASSERT(mGameMap != nullptr);
    ReleaseWidget(mGameMap);
    mGameMap = nullptr;
}

// The first level of a new adventure opens with the introduction, which fades the head-up
// display in as the player collects its items and deals the stage in when it closes.
void GameSession::StartLevel()
{
    ZEST_ASSERT(mManager != nullptr && mBoard == nullptr);
    mHost.PlayHabitatMusic(*mHabitat);
    mBoard = new GameBoard(mHost, mHabitat, mContinued);
    mBoard->Resize(0, 0, GameBoard::kWidth, GameBoard::kHeight);
    mBoard->Move(GameBoard::kX, GameBoard::kY);
    mManager->AddWidget(mBoard);

    const PlayerProfile* const profile = mHost.GetCurrentProfile();
    ZEST_ASSERT(profile != nullptr);
    if (mHabitat->mName == "Amazon" && profile->mStageIndex == 0 && mContinued != 1) {
        OpenStoryPage(StoryScreens::KIND_INTRODUCTION);
        mPanelAlpha = 0;
        mItemsAlpha = 0;
        mProgressAlpha = 0;
        return;
    }
    mPanelAlpha = kOpaque;
    mItemsAlpha = kOpaque;
    mProgressAlpha = kOpaque;
    mState = STATE_STAGE_START;
    CreateHudButtons();
}

void GameSession::AddScore(const int32_t points) { mScore += points; }

// A pause menu or game-over screen that is open has frozen the session already.
void GameSession::PauseBoard()
{
    if (mPaused || mGameOver != nullptr || mPauseMenu != nullptr)
        return;
    mPaused = true;
    if (mState == STATE_PLAY && mBoard != nullptr)
        mBoard->SetDisabled(true);
}

void GameSession::ResumeBoard()
{
    if (IsHeldByModalScreen(*this))
        return;
    mPaused = false;
    if (mState == STATE_PLAY && mBoard != nullptr)
        mBoard->SetDisabled(false);
}

void GameSession::RebuildBoardIfFree()
{
    if (IsHeldByModalScreen(*this))
        return;
    ZEST_ASSERT(mBoard != nullptr);
    // A fresh board, also in a continued game: the saved one is not dealt again.
    mBoard->mRestoreFromProfile = 0;
    mBoard->Rebuild();
    mBoard->SetDisabled(false);
    mLevelFinished = false;
}

// The session stays frozen in state 18 with its board disabled until the screen's Done
// button ends it.
void GameSession::ShowGameOver()
{
    ZEST_ASSERT(mManager != nullptr && mBoard != nullptr && mGameOver == nullptr);
    // Frozen before mGameOver is set: PauseBoard does nothing while the screen is open.
    PauseBoard();
    mBoard->SetDisabled(true);
    mGameOver = new GameOverMenu(this, &mHost.GetTextStyle());
    mGameOver->Resize(0, 0, kWidth, kHeight);
    mManager->AddWidget(mGameOver);
    GetMenuServices().PlaySoundEffect(SOUND_DECOLLECTED_TILE);
}

void GameSession::CloseGameOver()
{
    ZEST_ASSERT(mGameOver != nullptr);
    ReleaseWidget(mGameOver);
    mGameOver = nullptr;
}

PlayerProfile* GameSession::GetCurrentProfile() const { return mHost.GetCurrentProfile(); }

bool GameSession::SaveProfiles() { return mHost.SaveProfiles(); }

void GameSession::RemoveGameSession() { mHost.RemoveGameSession(); }

void GameSession::ReturnToMainMenu() { mHost.ReturnToMainMenu(); }

void GameSession::ShowHighScores(const int32_t highlightRow) { mHost.ShowHighScores(highlightRow); }
