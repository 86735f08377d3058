// A feat earned in play: the new-award transition over the game, which opens the awards
// screen once the title rig's ball has come to rest, and the way back into play.

#include "game/play/GameSession.h"

#include "framework/app/common/Assert.h"
#include "framework/widgets/WidgetManager.h"
#include "game/play/GameBoard.h"
#include "game/play/PlayHost.h"
#include "game/screens/MenuServices.h"
#include "game/screens/NewAwardTransition.h"

namespace {

// The success song, played once over the transition.
constexpr int32_t kSuccessSong = 14;
constexpr const char* kSuccessMusicFile = "music/success.ogg";

} // namespace

void GameSession::ShowNewAward(const int32_t awardIndex)
{
    ZEST_ASSERT(mManager != nullptr && mBoard != nullptr && mAwardTransition == nullptr);
    mBoard->ResetWallPosition();
    mAwardTransition = new NewAwardTransition(this, awardIndex);
    mAwardTransition->Resize(0, 0, kWidth, kHeight);
    mManager->AddWidget(mAwardTransition);
    mHost.PlaySongOnce(kSuccessSong, kSuccessMusicFile);
}

void GameSession::CloseNewAward()
{
    ZEST_ASSERT(mAwardTransition != nullptr);
    ReleaseWidget(mAwardTransition);
    mAwardTransition = nullptr;
    mState = STATE_PLAY;
    ResumeBoard();
}

float GameSession::GetWallY() const { return mBoard != nullptr ? mBoard->GetTitleBallY() : 0.0f; }

float GameSession::GetWallVelocityY() const { return mBoard != nullptr ? mBoard->GetTitleBallVelocityY() : 0.0f; }

bool GameSession::IsAwardsScreenOpen() const { return mHost.IsAwardsScreenOpen(); }

void GameSession::ShowAwardsScreen(const int32_t newAward) { mHost.ShowAwardsScreen(newAward); }
