// The survivor game's end: the board is done once every creature the infection has not
// taken has its cell flagged; the tally then counts the lost and the saved, and its button
// ends the survivor game, with 1000 points per flagged cell through Continue, and the stage
// with it.

#include "game/play/GameSession.h"

#include "framework/app/common/Assert.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/Res.h"
#include "game/play/BoardTile.h"
#include "game/play/GameBoard.h"
#include "game/screens/MenuServices.h"
#include "game/screens/PanicGameTally.h"

namespace {

constexpr int32_t kPointsPerSurvivor = 1000;
// Where the points of the saved creatures rise from, on the screen.
constexpr float kPointsX = 515.0f;
constexpr float kPointsY = 280.0f;

} // namespace

bool GameSession::IsSurvivorBoardDone() const
{
    ZEST_ASSERT(mBoard != nullptr);
    for (int32_t index = 0; index < GameBoard::kCells; ++index) {
        const BoardTile* const tile = mBoard->TileAtIndex(index);
        if (tile == nullptr || tile->mLevel < 0 || tile->mLock != LOCK_NONE || tile->mInfected || tile->mTrapped)
            continue;
        if (!mBoard->IsCellMarked(index))
            return false;
    }
    return true;
}

void GameSession::ShowSurvivorTally()
{
    ZEST_ASSERT(mBoard != nullptr && mManager != nullptr && mSurvivorTally == nullptr);
    mSurvivorTally = new PanicGameTally(this, mBoard->CountMarkedCells(), mBoard->CountTrapped());
    mSurvivorTally->mOwner = this;
    Zest::Image* const panel = IMAGE_GAME_SUBMENU;
    mSurvivorTally->Resize(0, 0, panel->GetWidth(), panel->GetHeight());
    mSurvivorTally->Move((kWidth - panel->GetWidth()) / 2, (kHeight - panel->GetHeight()) / 2);
    // The panel covers only the middle of the screen: the board must not take chains under
    // it until its button has ended the stage.
    mBoard->SetDisabled(true);
    mManager->AddWidget(mSurvivorTally);
}

void GameSession::FinishSurvivorGame(const bool withoutPoints)
{
    ZEST_ASSERT(mSurvivorTally != nullptr && mBoard != nullptr);
    if (!withoutPoints) {
        AddScoreWithPopup(kPointsX, kPointsY, mSurvivorTally->mSurvivors * kPointsPerSurvivor);
        GetMenuServices().PlaySoundEffect(SOUND_AWARD_SURVIVOR);
    }
    // The tally may be on its way out from its own button's click.
    mManager->RemoveWidget(mSurvivorTally);
    GetMenuServices().DeferDeleteWidget(mSurvivorTally);
    mSurvivorTally = nullptr;
    mSurvivorOn = false;
    mBoard->SetDisabled(false);
    AdvanceStage();
}
