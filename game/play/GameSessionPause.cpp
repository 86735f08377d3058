// The pause menu and the stage restart. The menu freezes the session while it is open and
// lets it run again two frames after it closes (GameSessionStates.cpp counts out the resume
// steps). When the options ask for it, the open menu holds one count of the application's
// mute, marked in mPauseMuted, and only that count is given back: a mute the player chose
// or one of a lost window focus stays as it was.

#include "game/play/GameSession.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/GameOptions.h"
#include "game/Habitat.h"
#include "game/Res.h"
#include "game/play/GameBoard.h"
#include "game/play/PlayHost.h"
#include "game/screens/MenuItem.h"
#include "game/screens/MenuServices.h"
#include "game/screens/PauseMenu.h"

namespace {

// What a restart costs; the score does not go below 0 for it.
constexpr int32_t kRestartCost = 200000;
// The cost's popup, in the middle of the screen.
constexpr float kRestartPopupX = 400.0f;
constexpr float kRestartPopupY = 300.0f;

void ReleasePauseMute(GameSession& session)
{
    if (!session.mPauseMuted)
        return;
    session.mPauseMuted = false;
    session.mHost.UnmuteSound();
}

} // namespace

void GameSession::ShowPauseMenu()
{
    if (mState != STATE_PLAY || mSurvivorOn)
        return;
    if (mPauseMenu != nullptr || mLevelComplete != nullptr || mGameOver != nullptr || mSurvivorTally != nullptr)
        return;
    if (mBoard == nullptr || !mBoard->IsSettled())
        return;
    ZEST_ASSERT(mManager != nullptr);
    DisarmItem();
    PauseBoard();
    mPauseMenu = new PauseMenu(this, &mHost.GetTextStyle());
    const int32_t width = IMAGE_GAME_SUBMENU->GetWidth();
    const int32_t height = IMAGE_GAME_SUBMENU->GetHeight();
    mPauseMenu->Resize(0, 0, width, height);
    mPauseMenu->Move((kWidth - width) / 2, (kHeight - height) / 2);
    mManager->AddWidget(mPauseMenu);
    if (mPauseButton != nullptr) {
        mPauseButton->mClickSound = -1;
        mPauseButton->mHoverSound = -1;
    }
    mResumeStep = RESUME_MENU_OPEN;
    if (GameOptionsHolder::Instance().mMuteOnPause) {
        mHost.MuteSound();
        mPauseMuted = true;
    }
}

void GameSession::ClosePauseMenu(const bool leave)
{
    ZEST_ASSERT(mPauseMenu != nullptr && mBoard != nullptr);
    if (leave) {
        // The session and its menu leave the widget tree here and are deleted after this
        // update; the host outlives them.
        mHost.RemoveGameSession();
        mHost.ReturnToMainMenu();
        ReleasePauseMute(*this);
        return;
    }
    ReleaseWidget(mPauseMenu);
    mPauseMenu = nullptr;
    mResumeStep = RESUME_MENU_CLOSED;
    if (mPauseButton != nullptr) {
        mPauseButton->SetImage(IMAGE_GAME_BUTTON_LARGE);
        mPauseButton->SetOverImage(IMAGE_GAME_BUTTON_LARGE_OVER);
        mPauseButton->mClickSound = SOUND_BUTTON_ACTION;
        mPauseButton->mHoverSound = SOUND_BUTTON_ROLLOVER;
    }
    mBoard->SetDisabled(false);
    ReleasePauseMute(*this);
}

void GameSession::ShowOptionsMenu() { mHost.ShowOptionsMenu(); }

void GameSession::SetPauseMute(const bool mute)
{
    if (!mute) {
        ReleasePauseMute(*this);
        return;
    }
    if (mPauseMenu == nullptr || mPauseMuted)
        return;
    mHost.MuteSound();
    mPauseMuted = true;
}

// The same stage from its starting goals: its board clears out and a fresh one is dealt in
// over the same plates (state 11, then the stage start).
void GameSession::RestartStage()
{
    ZEST_ASSERT(mBoard != nullptr);
    const int32_t collected = mStage.GetCollectedTotal();
    // The current stage is still pending, so the habitat's next stage is this one as it
    // started.
    Stage fresh;
    if (mHabitat->StartNextStage(fresh))
        mStage = fresh;
    mHabitat->mCollectedGoals -= collected;
    mState = STATE_STAGE_CLEARED;
    mRebuildBoard = true;
    mBoard->mKeepPlates = true;
    mBoard->RemoveSelectedTiles();
    mBoard->SetPhase(PHASE_CLEAR_OUT);
    GetMenuServices().PlaySoundEffect(SOUND_DECOLLECTED_TILE);
    AddScoreWithPopup(kRestartPopupX, kRestartPopupY, -kRestartCost);
    if (mScore < 0)
        mScore = 0;
}

void GameSession::StoreGameForLater()
{
    mHost.MarkGameSavedAndLeft();
    SaveGameToProfile();
    mHost.SaveProfiles();
}
