// The board's grid and the flow of its tiles under a session in play, driven frame by
// frame: the deal-in, gravity under webs and the refill, the shuffle, the phases that wait
// and those that freeze, the hunter's cage, the saved board restored, and the tiles the
// board hands back when it goes.

#include "framework/app/common/RuntimeRandom.h"
#include "game/Creature.h"
#include "game/Habitat.h"
#include "game/PlayerProfile.h"
#include "game/screens/MenuServices.h"
#include "tests/game/play/PlayFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int32_t kPitch = GameBoard::kCellPitch;

class BoardFlowTest : public Tests::PlayFixture {
protected:
    // A board of the first habitat, dealt in and idle.
    void StartIdleBoard()
    {
        Zest::SRand(20240611);
        ASSERT_NO_FATAL_FAILURE(StartPlay(0));
        ASSERT_GE(RunUntilIdle(), 0);
    }

    BoardTile* Tile(const int32_t column, const int32_t row) { return Board().GetTile(column, row); }
    int32_t CellX(const int32_t column) { return Board().mX + column * kPitch - 6; }
    int32_t CellY(const int32_t row) { return Board().mY + row * kPitch; }

    // How often the widget waits in the application's deferred deletion.
    int QueuedForDeletion(const Zest::Widget* widget) const
    {
        return static_cast<int>(std::count_if(mApp->mDeferredDeletes.begin(), mApp->mDeferredDeletes.end(),
                                              [widget](const Zest::DeferredDelete& entry) { return entry.mWidget == widget; }));
    }

    // Takes a tile off the grid for good, leaving its cell empty.
    void EmptyCell(const int32_t index)
    {
        BoardTile* const tile = Board().mCells[index];
        Board().mCells[index] = nullptr;
        GetMenuServices().DeferDeleteWidget(tile);
    }

    // Column 2 under a spider web in row 2 loses its two bottom tiles to a chain; column 4
    // loses rows 1 and 3. The three steps the session takes after a chain, then phase 5.
    void RemoveChainUnderWeb()
    {
        GameBoard& board = Board();
        Tile(2, 2)->SetLock(LOCK_SPIDER_WEB);
        board.mChain = {Tile(2, 4), Tile(2, 5), Tile(4, 1), Tile(4, 3)};
        board.ComputeFallDistances();
        board.RemoveSelectedTiles();
        board.ApplyGravity();
        board.SetPhase(PHASE_SETTLE);
    }

    // Expects a tile made to fall into the cell from exactly 516 pixels above it.
    void ExpectNewFallingTile(const int32_t column, const int32_t row)
    {
        const BoardTile* const tile = Tile(column, row);
        ASSERT_NE(tile, nullptr) << column << "," << row;
        EXPECT_EQ(tile->mState, TILE_FALLING);
        EXPECT_EQ(tile->mX, CellX(column));
        EXPECT_EQ(tile->mY, CellY(row) - 516);
        EXPECT_EQ(tile->mTargetY, CellY(row));
        EXPECT_EQ(tile->mDropRemaining, 516);
    }

    // Each tile's timer, by tile: tiles may change cells.
    std::map<const BoardTile*, float> TileTimers()
    {
        std::map<const BoardTile*, float> timers;
        for (const BoardTile* const tile : Board().mCells) {
            if (tile != nullptr)
                timers[tile] = tile->mTimer;
        }
        return timers;
    }
};

// ---------------------------------------------------------------------------------------
// Deal-in

TEST_F(BoardFlowTest, DealsOneTileEveryFifthUpdateAndTurnsIdleOnTheFirstSettledUpdateAfter)
{
    ASSERT_NO_FATAL_FAILURE(StartPlay(0));
    GameBoard& board = Board();
    ASSERT_EQ(board.mPhase, PHASE_DEAL_IN);
    ASSERT_EQ(board.mCells.size(), 36u);

    std::vector<int> dealtOn(GameBoard::kCells, -1);
    int settledOn = -1;
    int idleOn = -1;
    for (int update = 1; update <= 1000 && idleOn < 0; ++update) {
        RunFrames(1);
        for (int32_t index = 0; index < GameBoard::kCells; ++index) {
            if (dealtOn[index] < 0 && board.mCells[index]->mState != TILE_HIDDEN)
                dealtOn[index] = update;
        }
        if (board.mPhase == PHASE_IDLE)
            idleOn = update;
        else if (settledOn < 0 && update >= 180 && board.IsSettled())
            settledOn = update;
    }

    for (int32_t index = 0; index < GameBoard::kCells; ++index)
        EXPECT_EQ(dealtOn[index], 5 * (index + 1)) << "tile " << index;
    ASSERT_GT(settledOn, 180);
    EXPECT_EQ(idleOn, settledOn + 1);
    EXPECT_TRUE(board.mDealt);
    EXPECT_EQ(board.mDealtCount, 0);
    EXPECT_EQ(board.mFrameCounter, 0);
    EXPECT_EQ(board.mFadeIn, std::min(idleOn, 255));
}

// ---------------------------------------------------------------------------------------
// Gravity and refill

TEST_F(BoardFlowTest, ChainUnderAWebFallsOnlyBetweenWebAndChainAndRefillsFrom516PixelsAbove)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleBoard());
    GameBoard& board = Board();
    BoardTile* const web = Tile(2, 2);
    BoardTile* const overWeb0 = Tile(2, 0);
    BoardTile* const overWeb1 = Tile(2, 1);
    BoardTile* const underWeb = Tile(2, 3);
    BoardTile* const top4 = Tile(4, 0);
    BoardTile* const middle4 = Tile(4, 2);
    const std::vector<BoardTile*> chain = {Tile(2, 4), Tile(2, 5), Tile(4, 1), Tile(4, 3)};
    ASSERT_NO_FATAL_FAILURE(RemoveChainUnderWeb());

    // The web and what it holds stay; the tile between web and chain falls two cells.
    EXPECT_EQ(Tile(2, 0), overWeb0);
    EXPECT_EQ(Tile(2, 1), overWeb1);
    EXPECT_EQ(Tile(2, 2), web);
    EXPECT_EQ(overWeb0->mState, TILE_IDLE);
    EXPECT_EQ(web->mState, TILE_IDLE);
    EXPECT_EQ(Tile(2, 5), underWeb);
    EXPECT_EQ(underWeb->mState, TILE_FALLING);
    EXPECT_EQ(underWeb->mTargetY, CellY(5));
    EXPECT_EQ(underWeb->mDropRemaining, 2 * kPitch);
    EXPECT_EQ(Tile(2, 3), nullptr);
    EXPECT_EQ(Tile(2, 4), nullptr);

    // Without a web each tile falls by the cells emptied below it; new tiles fill the top.
    EXPECT_EQ(Tile(4, 2), top4);
    EXPECT_EQ(top4->mTargetY, CellY(2));
    EXPECT_EQ(Tile(4, 3), middle4);
    EXPECT_EQ(middle4->mTargetY, CellY(3));
    ExpectNewFallingTile(4, 0);
    ExpectNewFallingTile(4, 1);

    EXPECT_EQ(board.mRemovedTiles, chain);
    for (const BoardTile* const tile : chain)
        EXPECT_EQ(tile->mState, TILE_REMOVED);
    EXPECT_EQ(board.mPlates[4 * 6 + 2], -2);
    EXPECT_EQ(board.mPlates[0], -1);
    EXPECT_TRUE(board.mChain.empty());

    // Phase 5 waits for the tiles to land and the chain to fly off; the cells under the
    // web stay empty.
    RunFrames(1);
    EXPECT_EQ(board.mPhase, PHASE_SETTLE);
    ASSERT_GE(RunUntilIdle(), 0);
    EXPECT_TRUE(board.mRemovedTiles.empty());
    EXPECT_EQ(Tile(2, 3), nullptr);
    EXPECT_EQ(Tile(2, 4), nullptr);
    EXPECT_EQ(Tile(2, 5)->mY, CellY(5));
    EXPECT_EQ(Tile(4, 0)->mY, CellY(0));
    EXPECT_EQ(Tile(4, 1)->mY, CellY(1));
    for (const BoardTile* const tile : chain)
        EXPECT_EQ(QueuedForDeletion(tile), 0) << "deleted once gone";
}

TEST_F(BoardFlowTest, FreedWebFallsIntoTheEmptyCellsAndItsColumnRefillsAbove)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleBoard());
    ASSERT_NO_FATAL_FAILURE(RemoveChainUnderWeb());
    ASSERT_GE(RunUntilIdle(), 0);
    GameBoard& board = Board();
    BoardTile* const web = Tile(2, 2);
    BoardTile* const overWeb0 = Tile(2, 0);
    BoardTile* const overWeb1 = Tile(2, 1);
    EXPECT_TRUE(board.HasWebbedTileAbove(2, 4));
    EXPECT_FALSE(board.HasWebbedTileAbove(2, 1));
    EXPECT_EQ(board.CountEmptyBelow(web), 2);

    web->SetLock(LOCK_NONE);
    board.RefillColumnAbove(web);

    EXPECT_EQ(Tile(2, 4), web);
    EXPECT_EQ(web->mTargetY, CellY(4));
    EXPECT_EQ(Tile(2, 3), overWeb1);
    EXPECT_EQ(Tile(2, 2), overWeb0);
    EXPECT_EQ(overWeb0->mDropRemaining, 2 * kPitch);
    ExpectNewFallingTile(2, 0);
    ExpectNewFallingTile(2, 1);
    ASSERT_GE(RunUntilIdle(), 0);
    for (int32_t row = 0; row < GameBoard::kRows; ++row)
        EXPECT_EQ(Tile(2, row)->mY, CellY(row)) << "row " << row;
}

TEST_F(BoardFlowTest, ATileWithNothingEmptyBelowStaysAndNothingIsMade)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleBoard());
    const std::vector<BoardTile*> before = Board().mCells;
    Board().RefillColumnAbove(Tile(3, 2));
    EXPECT_EQ(Board().mCells, before);
    EXPECT_EQ(Tile(3, 2)->mState, TILE_IDLE);
}

// ---------------------------------------------------------------------------------------
// Shuffle

TEST_F(BoardFlowTest, ShuffleMakesThreePassesOfEighteenTopToBottomSwapsThirtyUpdatesApart)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleBoard());
    GameBoard& board = Board();
    // The swaps the generator will give: cell i with cell 18 + draw % 18.
    constexpr uint32_t kSeed = 777;
    Zest::SRand(kSeed);
    std::vector<int32_t> partners;
    for (int swap = 0; swap < 3 * 18; ++swap)
        partners.push_back(18 + Zest::Rand() % 18);
    Zest::SRand(kSeed);

    // A target frame of tiles already alike would be tried after the shuffle, selecting
    // and so restarting its tiles' timers.
    board.mFrameShape = GameBoard::kNoFrame;
    std::vector<BoardTile*> expected = board.mCells;
    const std::map<const BoardTile*, float> timers = TileTimers();
    board.SetPhase(PHASE_SHUFFLE_START);
    RunFrames(1);
    EXPECT_EQ(board.mPhase, PHASE_SHUFFLING);
    for (int pass = 0; pass < 3; ++pass) {
        RunFrames(29);
        EXPECT_EQ(board.mCells, expected) << "no swap before update 30 of pass " << pass;
        EXPECT_EQ(board.mShufflePass, pass);
        RunFrames(1);
        for (int32_t top = 0; top < 18; ++top)
            std::swap(expected[top], expected[partners[pass * 18 + top]]);
        EXPECT_EQ(board.mCells, expected) << "pass " << pass;
        for (int32_t index = 0; index < GameBoard::kCells; ++index) {
            EXPECT_EQ(board.mCells[index]->mX, CellX(index % 6)) << "pass " << pass << " cell " << index;
            EXPECT_EQ(board.mCells[index]->mY, CellY(index / 6)) << "pass " << pass << " cell " << index;
        }
    }
    EXPECT_EQ(board.mShufflePass, 3);
    EXPECT_EQ(board.mPhase, PHASE_IDLE);
    EXPECT_EQ(TileTimers(), timers) << "the tiles stand still while the board shuffles";
}

TEST_F(BoardFlowTest, SwappingWithAnEmptyCellChangesNothing)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleBoard());
    GameBoard& board = Board();
    EmptyCell(3);
    const std::vector<BoardTile*> before = board.mCells;
    board.SwapTiles(3, 25);
    board.SwapTiles(25, 3);
    EXPECT_EQ(board.mCells, before);
    EXPECT_EQ(Tile(1, 4)->mX, CellX(1));
    EXPECT_EQ(Tile(1, 4)->mY, CellY(4));

    board.SwapTiles(2, 25);
    EXPECT_EQ(board.mCells[2], before[25]);
    EXPECT_EQ(board.mCells[25], before[2]);
    EXPECT_EQ(board.mCells[2]->mY, CellY(0));
}

// ---------------------------------------------------------------------------------------
// Phases that wait and phases that freeze

TEST_F(BoardFlowTest, SettleWaitsForTheBoardToRestWhileClearOutWaitsOnlyForTheLeavingTiles)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleBoard());
    GameBoard& board = Board();
    // A tile that falls on the spot for 400 updates keeps the board unsettled that long.
    BoardTile* const falling = Tile(0, 0);
    falling->mTargetY = falling->mY;
    falling->mDropRemaining = 400 * 8;
    falling->SetState(TILE_FALLING);

    board.SetPhase(PHASE_SETTLE);
    RunFrames(10);
    EXPECT_EQ(board.mPhase, PHASE_SETTLE);

    // The chain that clears a stage is only taken off; phase 6 then waits for it alone.
    board.mChain = {Tile(3, 3)};
    board.RemoveSelectedTiles();
    board.SetPhase(PHASE_CLEAR_OUT);
    int leftOn = -1;
    for (int update = 1; update <= 300 && leftOn < 0; ++update) {
        const BoardTile* const leaving = board.mRemovedTiles.empty() ? nullptr : board.mRemovedTiles[0];
        const bool goneBefore = leaving == nullptr || leaving->mState == TILE_GONE;
        const bool settledBefore = board.IsSettled();
        RunFrames(1);
        if (board.mPhase != PHASE_CLEAR_OUT) {
            leftOn = update;
            EXPECT_TRUE(goneBefore) << "phase 6 ended while a tile was still leaving";
            EXPECT_FALSE(settledBefore);
        }
    }
    ASSERT_GT(leftOn, 1);
    EXPECT_EQ(board.mPhase, PHASE_TWIRL);
    EXPECT_TRUE(board.mRemovedTiles.empty());
    EXPECT_EQ(board.mTwirlEffect.mStatus, ANIM_RUNNING);
    EXPECT_EQ(board.mFadeIn, 0);
    for (const BoardTile* const tile : board.mCells) {
        if (tile != nullptr) {
            EXPECT_EQ(tile->mState, TILE_FADING);
        }
    }

    int frozenAfter = 0;
    while (board.mPhase == PHASE_TWIRL && frozenAfter < 2000) {
        RunFrames(1);
        ++frozenAfter;
    }
    ASSERT_EQ(board.mPhase, PHASE_FROZEN) << "the twirl ends";
    const std::map<const BoardTile*, float> timers = TileTimers();
    RunFrames(50);
    EXPECT_EQ(board.mPhase, PHASE_FROZEN);
    EXPECT_EQ(TileTimers(), timers) << "frozen tiles are not updated";
}

TEST_F(BoardFlowTest, SettleTurnsIdleInTheUpdateTheLastTileLands)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleBoard());
    GameBoard& board = Board();
    BoardTile* const falling = Tile(5, 1);
    falling->mTargetY = falling->mY;
    falling->mDropRemaining = 10 * 8;
    falling->SetState(TILE_FALLING);
    board.SetPhase(PHASE_SETTLE);
    int landedOn = -1;
    int idleOn = -1;
    for (int update = 1; update <= 20 && idleOn < 0; ++update) {
        RunFrames(1);
        if (landedOn < 0 && falling->mState == TILE_IDLE)
            landedOn = update;
        if (board.mPhase == PHASE_IDLE)
            idleOn = update;
    }
    // The tiles move before the board looks whether they rest.
    ASSERT_GT(landedOn, 1);
    EXPECT_EQ(idleOn, landedOn);
}

TEST_F(BoardFlowTest, HunterJumpCagesItsTargetAfterFortyUpdatesAndReturns)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleBoard());
    GameBoard& board = Board();
    BoardTile* const hunter = Tile(0, 0);
    BoardTile* const target = Tile(4, 2);
    const float originX = static_cast<float>(hunter->mX - board.mX);
    const float originY = static_cast<float>(hunter->mY - board.mY);
    board.mHunterTile = hunter;
    board.mHunterTargets = {target};
    board.mHunterOriginX = originX;
    board.mHunterOriginY = originY;
    board.mHunterShots = {{originX, originY}};
    board.mHunterSteps = {{0.0f, 0.0f}};
    board.mHunterFrame = 0;
    board.mPhaseBeforeHunter = PHASE_IDLE;
    board.mPhase = PHASE_HUNTER_JUMP;

    RunFrames(20);
    const float halfX = originX + (static_cast<float>(target->mX - board.mX) - originX) / 2.0f;
    const float halfY = originY + (static_cast<float>(target->mY - board.mY) - originY) / 2.0f;
    ASSERT_EQ(board.mHunterShots.size(), 1u);
    EXPECT_FLOAT_EQ(board.mHunterShots[0].first, halfX);
    EXPECT_FLOAT_EQ(board.mHunterShots[0].second, halfY);
    EXPECT_EQ(target->mLock, LOCK_NONE);

    RunFrames(19);
    EXPECT_EQ(board.mPhase, PHASE_HUNTER_JUMP);
    RunFrames(1);
    EXPECT_EQ(board.mPhase, PHASE_IDLE);
    EXPECT_EQ(target->mLock, LOCK_CAGE);
    EXPECT_EQ(board.mHunterTile, nullptr);
    EXPECT_TRUE(board.mHunterTargets.empty());
    EXPECT_TRUE(board.mHunterShots.empty());
}

// ---------------------------------------------------------------------------------------
// The saved board

TEST_F(BoardFlowTest, StoredBoardRestoresEqualWithItsFrameAndPlatesAndSkipsTheFramePick)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleBoard());
    GameBoard& board = Board();
    Tile(0, 0)->SetLock(LOCK_SPIDER_WEB);
    Tile(1, 0)->SetLock(LOCK_BANANAS);
    Tile(2, 0)->SetLock(LOCK_CAGE);
    Tile(3, 1)->mOverlay = 5;
    Tile(4, 1)->mSearchMark = true;
    Tile(5, 1)->SetInfected(true);
    Tile(0, 2)->mVariant = 1 - Tile(0, 2)->mVariant;
    EmptyCell(9);
    board.mRescuedCells[9] = true;
    board.mRescuedCells[20] = true;
    board.mPlates = std::vector<int32_t>(36, 1);
    board.mPlates[4] = -2;
    board.mPlates[35] = -2;
    board.mPlateBonusFlags = {true, false, true};
    board.mFrameShape = 7;
    board.mFrameAnchor = -1;
    board.mFrameCells = {1, 14, 33};

    PlayerProfile& profile = *mApp->GetCurrentProfile();
    profile.StoreBoard(board);
    auto restored = std::make_unique<GameBoard>(*mApp, Session().mHabitat, 1);
    restored->Move(board.mX, board.mY);
    restored->BuildBoard();

    for (int32_t index = 0; index < GameBoard::kCells; ++index) {
        const int32_t column = index % 6;
        const int32_t row = index / 6;
        SavedTile saved;
        SavedTile restoredSaved;
        const bool hasTile = board.GetSavedTile(column, row, saved);
        ASSERT_EQ(restored->GetSavedTile(column, row, restoredSaved), hasTile) << "cell " << index;
        EXPECT_EQ(restoredSaved, saved) << "cell " << index;
        EXPECT_EQ(restored->IsCellMarked(index), board.IsCellMarked(index)) << "cell " << index;
        if (hasTile) {
            EXPECT_EQ(restored->TileAtIndex(index)->mCreature, board.TileAtIndex(index)->mCreature);
            EXPECT_EQ(restored->TileAtIndex(index)->mState, TILE_HIDDEN);
            EXPECT_EQ(restored->TileAtIndex(index)->mY, CellY(row));
        }
    }
    EXPECT_EQ(restored->mFrameShape, 7);
    EXPECT_EQ(restored->mFrameAnchor, -1);
    EXPECT_EQ(restored->mFrameCells, board.mFrameCells);
    EXPECT_EQ(restored->mPlates, board.mPlates);
    EXPECT_EQ(restored->mPlateBonusFlags, board.mPlateBonusFlags);

    // Dealt in, the restored board keeps the frame it was saved with.
    restored->SetPhase(PHASE_DEAL_IN);
    for (int update = 0; update < 1000 && restored->mPhase == PHASE_DEAL_IN; ++update)
        restored->UpdateSmooth(1.0f);
    EXPECT_EQ(restored->mPhase, PHASE_IDLE);
    EXPECT_EQ(restored->mFrameShape, 7);
    EXPECT_EQ(restored->TileAtIndex(9), nullptr);
}

TEST_F(BoardFlowTest, DamagedSavedBoardDealsAPlayableBoard)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleBoard());
    PlayerProfile& profile = *mApp->GetCurrentProfile();
    profile.StoreBoard(Board());
    const std::string known = profile.mTiles[10].mCreatureName;

    struct Damage {
        int32_t cell;
        std::string name;
        int32_t overlay;
        int32_t lock;
        int32_t expectedOverlay;
        int32_t expectedLock;
    };
    const std::vector<Damage> damages = {
        // A name the habitat no longer has: the fresh pick, with the record's marks.
        {0, "Dodo", 3, LOCK_BANANAS, 3, LOCK_BANANAS},
        {1, "", 4, LOCK_NONE, 4, LOCK_NONE},
        // Never stored: the fresh pick, plain.
        {2, "none", 5, LOCK_CAGE, 0, LOCK_NONE},
        // Values no tile shows; the level is always the creature's.
        {10, known, 177, 3, 0, LOCK_NONE},
        {11, known, -1, -2, 0, LOCK_NONE},
        {12, known, 176, LOCK_CAGE, 176, LOCK_CAGE},
        {13, known, 1000000, 1000000, 0, LOCK_NONE},
    };
    for (const Damage& damage : damages) {
        SavedTile& saved = profile.mTiles[damage.cell];
        saved.mCreatureName = damage.name;
        saved.mOverlay = damage.overlay;
        saved.mLock = damage.lock;
        saved.mLevel = 99;
        saved.mVariant = 7;
        saved.mSearchMark = true;
        saved.mCellMarked = true;
    }

    GameBoard& board = Board();
    board.mRestoreFromProfile = 1;
    board.Rebuild();
    board.SetPhase(PHASE_DEAL_IN);

    for (int32_t index = 0; index < GameBoard::kCells; ++index) {
        const BoardTile* const tile = board.TileAtIndex(index);
        ASSERT_NE(tile, nullptr) << "cell " << index;
        ASSERT_NE(tile->mCreature, nullptr) << "cell " << index;
        EXPECT_EQ(tile->mLevel, tile->mCreature->mLevel) << "cell " << index;
    }
    for (const Damage& damage : damages) {
        const BoardTile* const tile = board.TileAtIndex(damage.cell);
        EXPECT_EQ(tile->mOverlay, damage.expectedOverlay) << "cell " << damage.cell;
        EXPECT_EQ(tile->mLock, damage.expectedLock) << "cell " << damage.cell;
        EXPECT_TRUE(tile->mVariant == 0 || tile->mVariant == 1) << "cell " << damage.cell;
        const bool plain = damage.name == "none";
        EXPECT_EQ(tile->mSearchMark, !plain) << "cell " << damage.cell;
        EXPECT_EQ(board.IsCellMarked(damage.cell), !plain) << "cell " << damage.cell;
    }
    EXPECT_EQ(board.TileAtIndex(10)->mCreature->GetName(), known);
    EXPECT_GE(RunUntilIdle(), 0);
}

// ---------------------------------------------------------------------------------------
// Releasing the tiles

TEST_F(BoardFlowTest, BoardLeavingTheManagerHandsEveryCellAndLeavingTileToTheDeletionOnce)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleBoard());
    GameBoard& board = Board();
    const std::vector<BoardTile*> leaving = {Tile(0, 5), Tile(1, 5)};
    board.mChain = leaving;
    board.RemoveSelectedTiles();
    RunFrames(2);
    ASSERT_EQ(board.mRemovedTiles, leaving);
    std::vector<BoardTile*> tiles = board.mCells;
    tiles.insert(tiles.end(), leaving.begin(), leaving.end());

    mApp->RemoveGameSession();
    for (const BoardTile* const tile : tiles) {
        if (tile != nullptr) {
            EXPECT_EQ(QueuedForDeletion(tile), 1);
        }
    }
    RunFrames(1);
}

TEST_F(BoardFlowTest, DeletedBoardHandsEveryCellAndLeavingTileToTheDeletionOnce)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleBoard());
    auto board = std::make_unique<GameBoard>(*mApp, Session().mHabitat, 0);
    board->BuildBoard();
    const std::vector<BoardTile*> leaving = {board->GetTile(2, 5), board->GetTile(3, 5)};
    board->mChain = leaving;
    board->RemoveSelectedTiles();
    std::vector<BoardTile*> tiles = board->mCells;
    tiles.insert(tiles.end(), leaving.begin(), leaving.end());

    board.reset();
    for (const BoardTile* const tile : tiles) {
        if (tile != nullptr) {
            EXPECT_EQ(QueuedForDeletion(tile), 1);
        }
    }
    RunFrames(1);
}

} // namespace
