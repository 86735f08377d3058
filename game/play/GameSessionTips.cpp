// The story and tip pages that the session opens over its game: the introduction at the
// first level of a new adventure, the habitat's story before the mini-game, and the tutorial
// tips, each shown the first time its rule matters while the options want tips and the
// player has not seen it yet. A page freezes the board and holds the session in state 4
// until it closes and tells the session how to go on.

#include "game/play/GameSession.h"

#include "framework/app/common/Assert.h"
#include "game/GameOptions.h"
#include "game/GameStats.h"
#include "game/Habitat.h"
#include "game/PlayerProfile.h"
#include "game/play/GameBoard.h"
#include "game/play/PlayHost.h"
#include "game/screens/StoryScreens.h"

#include <string_view>

namespace {

// What the tips' situations are read from on a play frame.
struct TipSituation {
    // The profile's stage index and the current stage's.
    int32_t mProfileStage;
    int32_t mStage;
    // The player's moves and the chains counted in the current stage.
    int32_t mMoves;
    int32_t mChains;
    const Stage& mCurrentStage;
    const GameBoard& mBoard;
};

// Item tiles and the hunter by their food-chain level.
constexpr int32_t kHunterLevel = -2;
constexpr int32_t kItemLevel = -1;

struct TipTrigger {
    std::string_view mHabitat;
    int32_t mKind;
    bool (*mHolds)(const TipSituation& situation);
};

// Tried in this order; the first row whose habitat and situation hold decides the frame.
constexpr TipTrigger kTipTriggers[] = {
    {"Amazon", 5, [](const TipSituation& s) { return s.mProfileStage == 0 && s.mMoves == 0; }},
    {"Amazon", 6, [](const TipSituation& s) { return s.mStage == 2 && s.mMoves == 0; }},
    {"Amazon", 7, [](const TipSituation& s) { return s.mStage == 0 && s.mMoves == 1; }},
    {"Amazon", 12,
     [](const TipSituation& s) {
         return s.mProfileStage == 0 && s.mMoves > 1 && s.mCurrentStage.GetCompletionPercent() > 0;
     }},
    {"Amazon", 8, [](const TipSituation& s) { return s.mProfileStage == 1 && s.mMoves == 0; }},
    {"Amazon", 10, [](const TipSituation& s) { return s.mProfileStage == 3 && s.mMoves == 0; }},
    {"Amazon", 9, [](const TipSituation& s) { return s.mProfileStage == 4 && s.mMoves == 0; }},
    {"Amazon", 13, [](const TipSituation& s) { return s.mProfileStage == 5 && s.mMoves == 0; }},
    {"Amazon", 11, [](const TipSituation& s) { return s.mProfileStage == 6 && s.mMoves == 0; }},
    {"Grand Canyon", 14, [](const TipSituation& s) { return s.mProfileStage == 1 && s.mMoves == 0; }},
    {"Alaska", 15, [](const TipSituation& s) { return s.mStage == 5 && s.mChains == 0; }},
    {"Arctic", 16, [](const TipSituation& s) { return s.mStage == 2 && s.mChains == 0; }},
    {"Amazon", 18, [](const TipSituation& s) { return s.mStage == 5 && s.mBoard.CountWaterTiles() > 0; }},
    {"Amazon", 17, [](const TipSituation& s) { return s.mStage == 3 && s.mBoard.CountShuffleTiles() > 0; }},
    {"Grand Canyon", 20,
     [](const TipSituation& s) { return s.mStage == 1 && s.mBoard.CountTilesOfLevel(kHunterLevel) > 0; }},
    {"Grand Canyon", 19,
     [](const TipSituation& s) { return s.mStage == 2 && s.mBoard.CountTilesOfLevel(kItemLevel) > 0; }},
};

} // namespace

void GameSession::OpenStoryPage(const int32_t kind)
{
    ZEST_ASSERT(mBoard != nullptr);
    PauseBoard();
    mHost.ShowStoryScreens()->ShowPage(kind);
    mBoard->SetPhase(PHASE_FROZEN);
    mState = STATE_STORY_SHOWN;
}

bool GameSession::IsTipWanted(const int32_t kind) const
{
    if (!GameOptionsHolder::Instance().mTutorialTips)
        return false;
    const PlayerProfile* const profile = mHost.GetCurrentProfile();
    // A game in play has its player.
    ZEST_ASSERT(profile != nullptr);
    return !profile->mTutorialSeen[static_cast<size_t>(StoryScreens::GetTipIndex(kind))];
}

bool GameSession::OpenDueTip()
{
    const PlayerProfile* const profile = mHost.GetCurrentProfile();
    ZEST_ASSERT(profile != nullptr && mBoard != nullptr);
    const TipSituation situation{profile->mStageIndex, mStage.mIndex, mStats->mStageMoves, mStats->mStageChains,
                                 mStage, *mBoard};
    for (const TipTrigger& trigger : kTipTriggers) {
        if (trigger.mHabitat != mHabitat->mName || !trigger.mHolds(situation))
            continue;
        // A tip already seen keeps the later rows from this frame too.
        if (!IsTipWanted(trigger.mKind))
            return false;
        mBoard->ClearSelection();
        mBoard->ClearHints();
        DisarmItem();
        OpenStoryPage(trigger.mKind);
        return true;
    }
    return false;
}
