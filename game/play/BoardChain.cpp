// The chain the player builds on the board and the rules by which a tile may join it.
//
// A food chain runs from a predator down to its prey: each tile is linked to the last one in
// the habitat's food web and stands strictly lower. A tile of the same level as the last one
// takes the last one's place when it is next to the tile before it. Match same takes tiles of
// one creature, match pairs two tiles of one species and different variants. Adjacency is
// the callers' test (the tile's press and drag), except where a tile replaces the last one.

#include "game/play/GameBoard.h"

#include "framework/app/common/Assert.h"
#include "game/Habitat.h"
#include "game/Stage.h"
#include "game/play/BoardTile.h"
#include "game/play/GameSession.h"
#include "game/play/PlayHost.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Match pairs stops at a pair.
constexpr size_t kPairLength = 2;

bool AcceptIntoChain(GameBoard& board, BoardTile* const tile)
{
    board.mChain.push_back(tile);
    tile->SetSelected(true);
    return true;
}

bool RefuseFromChain(BoardTile* const tile)
{
    tile->SetSelected(false);
    return false;
}

bool ApplyLevelRule(GameBoard& board, BoardTile* const tile, const int32_t levelDrop)
{
    if (board.mChain.size() > 1 && levelDrop == 0) {
        // A tile of the last one's level replaces it when it also fits after the tile
        // before; otherwise the last one goes back and the new tile is turned away below.
        BoardTile* const replaced = board.mChain.back();
        replaced->SetSelected(false);
        board.mChain.pop_back();
        if (board.IsAdjacentToLast(tile))
            return AcceptIntoChain(board, tile);
        board.mChain.push_back(replaced);
        replaced->SetSelected(true);
    }
    // The second pick sets the direction; only a chain running downward is kept, so a
    // second pick higher than the first empties the chain.
    if (board.mChain.size() == 1)
        board.mChainReversed = levelDrop < 0;
    if (board.mChainReversed) {
        board.mChain.back()->SetSelected(false);
        board.mChain.pop_back();
        return RefuseFromChain(tile);
    }
    return levelDrop > 0 ? AcceptIntoChain(board, tile) : RefuseFromChain(tile);
}

} // namespace

bool GameBoard::TryAddToSelection(BoardTile* const tile, const int32_t mode)
{
    ZEST_ASSERT(tile != nullptr);
    const GameSession* const session = mHost.GetGameSession();
    ZEST_ASSERT(session != nullptr);

    // A tile that is still unlocking may join only a chain tested under another mode than
    // the stage's (the target frame's test), never the player's chain.
    const bool unlockingAllowed = tile->mState == TILE_UNLOCKING && mode != session->mMode;
    if (tile->mState != TILE_IDLE && !unlockingAllowed)
        return false;
    if (IsInSelection(tile))
        return false;
    if (mChain.empty()) {
        mChainReversed = false;
        return AcceptIntoChain(*this, tile);
    }
    // The survivor game takes one tile at a time.
    if (mChain.size() == 1 && session->mSurvivorOn)
        return false;

    const BoardTile* const last = mChain.back();
    const int32_t levelDrop = last->mLevel - tile->mLevel;
    switch (mode) {
    case MODE_MATCH_SAME:
        return tile->mCreature == last->mCreature ? AcceptIntoChain(*this, tile) : RefuseFromChain(tile);
    case MODE_MATCH_PAIRS:
        if (tile->mCreature != last->mCreature || tile->mVariant == last->mVariant || mChain.size() >= kPairLength)
            return RefuseFromChain(tile);
        return AcceptIntoChain(*this, tile);
    case MODE_FOOD_CHAIN:
        // An unlinked tile is turned away without being unselected.
        if (!mHabitat->IsFoodLink(last->mCreature, tile->mCreature))
            return false;
        return ApplyLevelRule(*this, tile, levelDrop);
    default:
        return ApplyLevelRule(*this, tile, levelDrop);
    }
}

bool GameBoard::IsAdjacentToLast(const BoardTile* const tile) const
{
    if (mChain.empty())
        return true;
    const auto [column, row] = GetCell(tile);
    const auto [lastColumn, lastRow] = GetCell(mChain.back());
    if (column == lastColumn && row == lastRow)
        return false;
    return std::abs(row - lastRow) <= 1 && std::abs(column - lastColumn) <= 1;
}

void GameBoard::ClearSelection()
{
    for (BoardTile* const tile : mChain)
        tile->SetSelected(false);
    mChain.clear();
    mSelectionPath.clear();
}

void GameBoard::PopSelection()
{
    ZEST_ASSERT(!mChain.empty());
    mChain.pop_back();
}

bool GameBoard::IsInSelection(const BoardTile* const tile) const
{
    return tile != nullptr && std::find(mChain.begin(), mChain.end(), tile) != mChain.end();
}

bool GameBoard::IsLastOfChain(const BoardTile* const tile) const
{
    return mChain.size() >= 2 && mChain.back() == tile;
}
