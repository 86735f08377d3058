// The board's phase machine and the flow of its tiles.
//
// Every smooth update runs one step of the phase in mPhase: the deal-in (3) shows one tile
// every 5 updates and turns idle (2) once the board has settled; after a chain the session
// sets 5, which lets the tiles fall and the leaving tiles fly off, and turns idle again when
// everything rests; 6 waits only for the leaving tiles, then fades the board out under the
// twirl (7) and freezes it (10); 8 and 9 shuffle the board in three passes; 11 flies the
// hunter's cage to its target. The session reads the phase and sets the next one.
//
// Gravity: after a chain every tile above an emptied cell falls by the cells emptied below
// it, up to the first spider web, and new tiles fall into the cells left empty at the top
// of each column, except below a web.

#include "game/play/GameBoard.h"

#include "framework/app/common/Assert.h"
#include "framework/app/common/RuntimeRandom.h"
#include "game/Habitat.h"
#include "game/Res.h"
#include "game/Stage.h"
#include "game/play/BoardTile.h"
#include "game/play/GameSession.h"
#include "game/play/PlayHost.h"
#include "game/screens/MenuServices.h"

#include <algorithm>

namespace {

// Updates between two dealt tiles.
constexpr int32_t kDealInterval = 5;
// mDealtCount once the frame of a freshly dealt board has been picked.
constexpr int32_t kFramePicked = GameBoard::kCells + 1;
// Picks of the frame at the end of the deal-in before the last one is kept, filled or not.
constexpr int32_t kFramePicks = 1001;
constexpr int32_t kFullFadeIn = 255;
// The selection line's glint moves one point every this many updates.
constexpr int32_t kPathStepInterval = 4;
constexpr int32_t kShuffleInterval = 30;
constexpr int32_t kShufflePasses = 3;
// Each pass swaps every cell of the top half with one of the bottom half.
constexpr int32_t kHalfCells = GameBoard::kCells / 2;
constexpr int32_t kHunterJumpFrames = 40;
// The plate of a cell whose tile a chain took.
constexpr int32_t kPlateCleared = -2;

void UpdateTiles(GameBoard& board, const float fraction)
{
    // By index: a tile's update may move tiles in the grid (an item collected, a web freed).
    for (size_t index = 0; index < board.mCells.size(); ++index) {
        if (BoardTile* const tile = board.mCells[index])
            tile->UpdateSmooth(fraction);
    }
}

// Updates the leaving tiles and hands those that are gone to the deferred deletion; true
// once none is left.
bool UpdateRemovedTiles(GameBoard& board, const float fraction)
{
    bool allGone = true;
    std::vector<BoardTile*>& removed = board.mRemovedTiles;
    for (size_t index = 0; index < removed.size(); ++index) {
        BoardTile* const tile = removed[index];
        if (tile == nullptr)
            continue;
        if (tile->mState == TILE_GONE) {
            GetMenuServices().DeferDeleteWidget(tile);
            removed[index] = nullptr;
            continue;
        }
        tile->UpdateSmooth(fraction);
        allGone = false;
    }
    return allGone;
}

void UpdateDealIn(GameBoard& board, GameSession& session, const float fraction)
{
    if (board.mFrameCounter > 0 && board.mFrameCounter % kDealInterval == 0 && board.mDealtCount < GameBoard::kCells) {
        if (BoardTile* const tile = board.TileAtIndex(board.mDealtCount))
            tile->SetState(TILE_APPEARING);
        ++board.mDealtCount;
    }
    if (board.mDealtCount == GameBoard::kCells && board.IsSettled()) {
        // A restored board keeps the frame it was saved with.
        if (board.mRestoreFromProfile != 1) {
            for (int32_t pick = 0; pick < kFramePicks; ++pick) {
                board.PickFrame(false);
                if (!board.CheckFrame(false))
                    break;
            }
        }
        board.mDealtCount = kFramePicked;
    }
    if (board.mDealtCount == kFramePicked && board.IsSettled()) {
        board.mPhase = PHASE_IDLE;
        session.CheckFrame();
        board.PlaceSearchTargets();
        board.mDealt = true;
        board.mDealtCount = 0;
        board.mFrameCounter = 0;
    }
    UpdateTiles(board, fraction);
    board.mFadeIn = std::min(board.mFadeIn + 1, kFullFadeIn);
}

// The stage is over: the board fades out under the twirl.
void StartTwirl(GameBoard& board)
{
    board.mRemovedTiles.clear();
    board.mTwirlEffect.ResetFrame();
    board.mTwirlEffect.mStatus = ANIM_RUNNING;
    GetMenuServices().PlaySoundEffect(SOUND_WIND_TWIRL);
    for (BoardTile* const tile : board.mCells) {
        if (tile != nullptr)
            tile->SetState(TILE_FADING);
    }
    board.mPhase = PHASE_TWIRL;
}

void UpdateShuffle(GameBoard& board, GameSession& session)
{
    board.ResetEffectColors();
    if (board.mFrameCounter <= 0 || board.mFrameCounter % kShuffleInterval != 0)
        return;
    board.ShuffleTiles();
    ++board.mShufflePass;
    board.StartShuffleEffect();
    if (board.mShufflePass >= kShufflePasses) {
        board.mPhase = PHASE_IDLE;
        session.CheckFrame();
    }
}

void UpdateHunterJump(GameBoard& board)
{
    ZEST_ASSERT(board.mHunterTile != nullptr);
    ZEST_ASSERT(board.mHunterSteps.size() == board.mHunterTargets.size());
    ZEST_ASSERT(board.mHunterShots.size() == board.mHunterTargets.size());
    ++board.mHunterFrame;
    // From the tiles' current places, relative to the board: the target may still be falling.
    const float hunterX = static_cast<float>(board.mHunterTile->mX - board.mX);
    const float hunterY = static_cast<float>(board.mHunterTile->mY - board.mY);
    const float frame = static_cast<float>(board.mHunterFrame);
    for (size_t target = 0; target < board.mHunterTargets.size(); ++target) {
        const BoardTile* const tile = board.mHunterTargets[target];
        const float stepX = (static_cast<float>(tile->mX - board.mX) - hunterX) / kHunterJumpFrames;
        const float stepY = (static_cast<float>(tile->mY - board.mY) - hunterY) / kHunterJumpFrames;
        board.mHunterSteps[target] = {stepX, stepY};
        board.mHunterShots[target] = {frame * stepX + board.mHunterOriginX, frame * stepY + board.mHunterOriginY};
    }
    if (board.mHunterFrame < kHunterJumpFrames)
        return;
    for (BoardTile* const tile : board.mHunterTargets)
        tile->SetLockByImage(IMAGE_GAME_CAGE);
    board.mHunterTargets.clear();
    board.mHunterSteps.clear();
    board.mHunterShots.clear();
    board.mPhase = board.mPhaseBeforeHunter;
    board.mHunterTile = nullptr;
    GetMenuServices().PlaySoundEffect(SOUND_CAGE_LOCK_REAL);
}

// A new tile for the cell, placed above the board to fall into it.
BoardTile* CreateFallingTile(GameBoard& board, const int32_t column, const int32_t row)
{
    Creature* const creature = board.mHabitat->PickCreatureForCell(board.mHost.GetGameRandom(), row, &board, false);
    BoardTile* const tile = board.CreateTile(creature, column, row, GameBoard::kRefillDrop);
    tile->mTargetY = board.mY + row * GameBoard::kCellPitch;
    tile->mDropRemaining = GameBoard::kRefillDrop;
    tile->SetState(TILE_FALLING);
    return tile;
}
} // namespace

void GameBoard::SetPhase(const int32_t phase)
{
    mPhase = phase;
    if (phase == PHASE_DEAL_IN) {
        mDealtCount = 0;
        ResetWallPosition();
    }
}

void GameBoard::UpdateSmooth(const float fraction)
{
    GameSession* const session = mHost.GetGameSession();
    if (session == nullptr)
        return;

    ++mFrameCounter;
    if (mFrameCounter % kPathStepInterval == 0) {
        ++mPathStep;
        if (mPathStep >= static_cast<int32_t>(mSelectionPath.size()) - 1)
            mPathStep = 0;
    }
    if (mStreakEffect.mStatus == ANIM_RUNNING)
        mStreakEffect.Update();

    switch (mPhase) {
    case PHASE_IDLE:
        UpdateTiles(*this, fraction);
        break;
    case PHASE_DEAL_IN:
        UpdateDealIn(*this, *session, fraction);
        break;
    case PHASE_SETTLE:
        UpdateTiles(*this, fraction);
        if (UpdateRemovedTiles(*this, fraction) && IsSettled()) {
            mRemovedTiles.clear();
            mPhase = PHASE_IDLE;
            session->CheckFrame();
        }
        break;
    case PHASE_CLEAR_OUT:
        mFadeIn = 0;
        UpdateTiles(*this, fraction);
        // The stage is over: the board fades out under the twirl while tiles may still fall.
        if (UpdateRemovedTiles(*this, fraction))
            StartTwirl(*this);
        break;
    case PHASE_TWIRL:
        mTwirlEffect.Update();
        UpdateTiles(*this, fraction);
        if (mTwirlEffect.mStatus == ANIM_FINISHED) {
            mPhase = PHASE_FROZEN;
            mFadeIn = 0;
        }
        break;
    case PHASE_SHUFFLE_START:
        mShufflePass = 0;
        mFrameCounter = 0;
        mPhase = PHASE_SHUFFLING;
        StartShuffleEffect();
        break;
    case PHASE_SHUFFLING:
        UpdateShuffle(*this, *session);
        break;
    case PHASE_HUNTER_JUMP:
        UpdateTiles(*this, fraction);
        UpdateRemovedTiles(*this, fraction);
        UpdateHunterJump(*this);
        break;
    default:
        // Frozen, and the values no phase uses: the tiles stand still.
        break;
    }
}





bool GameBoard::IsSettled() const
{
    return std::all_of(mCells.begin(), mCells.end(), [](const BoardTile* const tile) {
        return tile == nullptr || (tile->mState == TILE_IDLE && !tile->IsAppearing());
    });
}

void GameBoard::ComputeFallDistances()
{
    for (BoardTile* const tile : mChain)
        tile->SetSelected(true);
    for (const BoardTile* const chainTile : mChain) {
        const auto [column, row] = GetCell(chainTile);
        ZEST_ASSERT(column >= 0);
        for (int32_t above = row - 1; above >= 0; --above) {
            BoardTile* const tile = GetTile(column, above);
            if (tile == nullptr || tile->mSelected)
                continue;
            // A web holds its tile and everything above it in place.
            if (tile->mLock == LOCK_SPIDER_WEB) {
                tile->mDropCells = 0;
                break;
            }
            ++tile->mDropCells;
        }
    }
}

void GameBoard::RemoveSelectedTiles()
{
    GameSession* const session = mHost.GetGameSession();
    ZEST_ASSERT(session != nullptr);
    const bool stageHasPlates = session->mStage.mPlateKind != -1;
    for (BoardTile* const tile : mChain) {
        const int32_t index = IndexOf(tile);
        ZEST_ASSERT(index >= 0);
        mPlates[index] = kPlateCleared;
        if (stageHasPlates)
            session->CheckPlatesCleared();
        ClearCell(tile);
        tile->SetSelected(false);
    }
    for (BoardTile* const tile : mChain) {
        tile->SetState(TILE_REMOVED);
        mRemovedTiles.push_back(tile);
        tile->SetSelected(false);
    }
    // A press held on a tile that leaves the grid must not outlive it.
    if (IsInSelection(mPressedTile))
        mPressedTile = nullptr;
    ClearSelection();
}

void GameBoard::ApplyGravity()
{
    for (BoardTile* const tile : mCells) {
        if (tile == nullptr || tile->mDropCells == 0)
            continue;
        tile->mTargetY = tile->mY + tile->mDropCells * kCellPitch;
        tile->mDropRemaining = tile->mDropCells * kCellPitch;
        tile->SetState(TILE_FALLING);
    }
    // From the bottom, so that no tile lands on one that has not moved yet.
    for (int32_t index = kCells - 1; index >= 0; --index) {
        BoardTile* const tile = TileAtIndex(index);
        if (tile == nullptr || tile->mDropCells == 0 || tile->mState == TILE_IDLE)
            continue;
        const int32_t column = index % kColumns;
        const int32_t row = index / kColumns;
        SetTileAt(column, row + tile->mDropCells, tile);
        SetTileAt(column, row, nullptr);
    }
    for (int32_t index = kCells - 1; index >= 0; --index) {
        const int32_t column = index % kColumns;
        const int32_t row = index / kColumns;
        if (TileAtIndex(index) == nullptr && !HasWebbedTileAbove(column, row))
            SetTileAt(column, row, CreateFallingTile(*this, column, row));
    }
}

void GameBoard::RefillColumnAbove(BoardTile* const tile)
{
    const int32_t drop = CountEmptyBelow(tile);
    if (drop == 0)
        return;
    DropTile(tile, drop);
    const auto [column, row] = GetCell(tile);
    for (int32_t above = row - 1; above >= 0; --above) {
        BoardTile* const aboveTile = GetTile(column, above);
        if (aboveTile == nullptr)
            continue;
        if (aboveTile->mLock == LOCK_SPIDER_WEB)
            return;
        const int32_t aboveDrop = CountEmptyBelow(aboveTile);
        if (aboveDrop > 0)
            DropTile(aboveTile, aboveDrop);
    }
    int32_t emptyAtTop = 0;
    while (emptyAtTop < kRows && GetTile(column, emptyAtTop) == nullptr)
        ++emptyAtTop;
    for (int32_t newRow = 0; newRow < emptyAtTop; ++newRow)
        SetTileAt(column, newRow, CreateFallingTile(*this, column, newRow));
}

int32_t GameBoard::CountEmptyBelow(const BoardTile* const tile) const
{
    const auto [column, row] = GetCell(tile);
    ZEST_ASSERT(column >= 0);
    int32_t empty = 0;
    for (int32_t below = row + 1; below < kRows && GetTile(column, below) == nullptr; ++below)
        ++empty;
    return empty;
}

void GameBoard::DropTile(BoardTile* const tile, const int32_t cells)
{
    const auto [column, row] = GetCell(tile);
    ZEST_ASSERT(column >= 0 && row + cells < kRows);
    tile->mTargetY = tile->mY + cells * kCellPitch;
    tile->mDropRemaining = cells * kCellPitch;
    tile->SetState(TILE_FALLING);
    SetTileAt(column, row + cells, tile);
    SetTileAt(column, row, nullptr);
}

bool GameBoard::HasWebbedTileAbove(const int32_t column, const int32_t row) const
{
    for (int32_t above = row; above >= 0; --above) {
        const BoardTile* const tile = GetTile(column, above);
        if (tile != nullptr && tile->mLock == LOCK_SPIDER_WEB)
            return true;
    }
    return false;
}

void GameBoard::ShuffleTiles()
{
    for (int32_t top = 0; top < kHalfCells; ++top)
        SwapTiles(top, kHalfCells + Zest::Rand() % kHalfCells);
}

void GameBoard::SwapTiles(const int32_t indexA, const int32_t indexB)
{
    ZEST_ASSERT(indexA >= 0 && indexA < static_cast<int32_t>(mCells.size()));
    ZEST_ASSERT(indexB >= 0 && indexB < static_cast<int32_t>(mCells.size()));
    BoardTile* const tileA = mCells[indexA];
    BoardTile* const tileB = mCells[indexB];
    if (tileA == nullptr || tileB == nullptr)
        return;
    const int32_t xA = tileA->mX;
    const int32_t yA = tileA->mY;
    tileA->Move(tileB->mX, tileB->mY);
    tileB->Move(xA, yA);
    mCells[indexA] = tileB;
    mCells[indexB] = tileA;
}
