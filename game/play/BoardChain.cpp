// The chain the player builds on the board and the rules by which a tile may join it.
//
// A food chain runs from a predator down to its prey: each tile is linked to the last one in
// the habitat's food web and stands strictly lower. A tile of the same level as the last one
// takes the last one's place when it is next to the tile before it. Match same takes tiles of
// one creature, match pairs two tiles of one species and different variants. Adjacency is
// the callers' test (the tile's press and drag), except where a tile replaces the last one.
//
// Also here: the test that no plain tile has a move left, and what the session asks of the
// chain when it scores it.

#include "game/play/GameBoard.h"

#include "framework/app/common/Assert.h"
#include "game/Habitat.h"
#include "game/Stage.h"
#include "game/play/BoardTile.h"
#include "game/play/GameSession.h"
#include "game/play/PlayHost.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

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

// The 8 cells around a cell, as (column, row) offsets.
constexpr std::array<std::pair<int32_t, int32_t>, 8> kNeighbourOffsets = {
    {{-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}}};

// A cell that holds a plain tile.
bool IsPlain(const BoardTile* const tile)
{
    return tile != nullptr && tile->IsPlain();
}

// The plain tiles around the tile's cell.
std::vector<const BoardTile*> PlainNeighbours(const GameBoard& board, const BoardTile* const tile)
{
    const auto [column, row] = board.GetCell(tile);
    ZEST_ASSERT(column >= 0);
    std::vector<const BoardTile*> neighbours;
    for (const auto& [dColumn, dRow] : kNeighbourOffsets) {
        const BoardTile* const neighbour = board.GetTile(column + dColumn, row + dRow);
        if (IsPlain(neighbour))
            neighbours.push_back(neighbour);
    }
    return neighbours;
}

int32_t CountNeighboursWhere(const GameBoard& board, const BoardTile* const tile,
                             const std::function<bool(const BoardTile&)>& counts)
{
    const std::vector<const BoardTile*> neighbours = PlainNeighbours(board, tile);
    const auto counted = [&counts](const BoardTile* const neighbour) { return counts(*neighbour); };
    return static_cast<int32_t>(std::count_if(neighbours.begin(), neighbours.end(), counted));
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

bool GameBoard::NoMovesLeft() const
{
    const GameSession* const session = mHost.GetGameSession();
    ZEST_ASSERT(session != nullptr);
    // A click always plays in the survivor game and in match search.
    if (session->mSurvivorOn || session->mMode == MODE_MATCH_SEARCH)
        return false;
    return std::none_of(mCells.begin(), mCells.end(), [this, session](const BoardTile* const tile) {
        if (!IsPlain(tile))
            return false;
        switch (session->mMode) {
        case MODE_MATCH_SAME:
            return CountSameNeighbours(tile) >= 2;
        case MODE_MATCH_PAIRS:
            return CountPairPartners(tile) >= 1;
        default:
            return HasChainNeighbours(tile);
        }
    });
}

int32_t GameBoard::CountSameNeighbours(const BoardTile* const tile) const
{
    return CountNeighboursWhere(*this, tile,
                                [tile](const BoardTile& neighbour) { return neighbour.mCreature == tile->mCreature; });
}

// Only the levels count: a tile between a higher and a lower neighbour may be the middle of
// a chain, whatever the food web says.
bool GameBoard::HasChainNeighbours(const BoardTile* const tile) const
{
    const std::vector<const BoardTile*> neighbours = PlainNeighbours(*this, tile);
    const auto higher = [tile](const BoardTile* const neighbour) { return neighbour->mLevel > tile->mLevel; };
    const auto lower = [tile](const BoardTile* const neighbour) { return neighbour->mLevel < tile->mLevel; };
    return std::any_of(neighbours.begin(), neighbours.end(), higher) &&
           std::any_of(neighbours.begin(), neighbours.end(), lower);
}

int32_t GameBoard::CountPairPartners(const BoardTile* const tile) const
{
    return CountNeighboursWhere(*this, tile, [tile](const BoardTile& neighbour) {
        return neighbour.mCreature == tile->mCreature && neighbour.mVariant != tile->mVariant;
    });
}

bool GameBoard::CountChainForGoals(Stage& stage)
{
    const GameSession* const session = mHost.GetGameSession();
    ZEST_ASSERT(session != nullptr);
    const int32_t mode = session->mMode;
    ZEST_ASSERT(mode != MODE_MATCH_PAIRS || !mChain.empty());
    // A pair counts once; in match search only the target counts.
    const size_t counted = mode == MODE_MATCH_PAIRS ? 1 : mChain.size();
    bool anyCounted = false;
    for (size_t index = 0; index < counted; ++index) {
        const BoardTile* const tile = mChain[index];
        if (mode == MODE_MATCH_SEARCH && !tile->mSearchMark)
            continue;
        if (stage.CountCreature(tile->mCreature)) {
            ++mHabitat->mCollectedGoals;
            anyCounted = true;
        }
    }
    return anyCounted;
}

void GameBoard::CollectChainCreatures(std::vector<bool>& flags, const Stage& stage) const
{
    for (int32_t index = 0; index < stage.GetGoalCount(); ++index) {
        const StageGoal goal = stage.GetGoal(index);
        const bool shown = std::any_of(mChain.begin(), mChain.end(), [&goal](const BoardTile* const tile) {
            return tile->mCreature == goal.mCreature;
        });
        flags.push_back(goal.mCount >= 0 && shown);
    }
}

std::pair<float, float> GameBoard::GetSelectionCenter() const
{
    ZEST_ASSERT(!mChain.empty());
    float sumX = 0.0f;
    float sumY = 0.0f;
    for (const BoardTile* const tile : mChain) {
        const auto [x, y] = tile->GetCenter();
        sumX += x;
        sumY += y;
    }
    const float count = static_cast<float>(mChain.size());
    return {sumX / count, sumY / count};
}

int32_t GameBoard::CountSameCreature(const BoardTile* const tile) const
{
    ZEST_ASSERT(tile != nullptr);
    return static_cast<int32_t>(std::count_if(mCells.begin(), mCells.end(), [tile](const BoardTile* const cell) {
        return cell != nullptr && !cell->mSelected && cell->mCreature == tile->mCreature;
    }));
}
