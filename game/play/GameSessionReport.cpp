// The end of a level: the mini-game's Done freezes the session and opens the level report,
// whose Done ends the session and hands over to the receiving-awards screen.

#include "game/play/GameSession.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/Res.h"
#include "game/play/GameBoard.h"
#include "game/play/PlayHost.h"
#include "game/screens/LevelCompleteMenu.h"
#include "game/screens/MenuServices.h"

void GameSession::OnLevelFinished()
{
    if (mLevelFinished)
        return;
    ZEST_ASSERT(mBoard != nullptr);
    PauseBoard();
    mBoard->SetDisabled(true);
    mLevelFinished = true;
    ShowLevelComplete();
}

void GameSession::ShowLevelComplete()
{
    if (mLevelComplete != nullptr)
        return;
    ZEST_ASSERT(mManager != nullptr);
    mLevelComplete = new LevelCompleteMenu(this, mStats.get());
    const int32_t width = IMAGE_GAME_SCORE_CARD->GetWidth();
    const int32_t height = IMAGE_GAME_SCORE_CARD->GetHeight();
    mLevelComplete->Resize((kWidth - width) / 2, (kHeight - height) / 2, width, height);
    mManager->AddWidget(mLevelComplete);
    mState = STATE_LEVEL_REPORT;
}

void GameSession::CloseLevelComplete()
{
    ZEST_ASSERT(mLevelComplete != nullptr);
    ReleaseWidget(mLevelComplete);
    mLevelComplete = nullptr;
}

void GameSession::ShowReceivingAwardsScreen(const int32_t nextLevel) { mHost.ShowReceivingAwardsScreen(nextLevel); }

void GameSession::SetupAnimatedWidget(AnimatedWidget& widget, Zest::Image* const image) const
{
    mHost.SetupAnimatedWidget(widget, image);
}

const TextStyleHost& GameSession::GetTextStyle() const { return mHost.GetTextStyle(); }
