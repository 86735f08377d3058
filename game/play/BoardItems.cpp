// What the board itself does with its hunter, the survivor game's infection and rescued
// cells, the search targets of match search, and the counts of items and levels that the
// session, the creature picks and the carrier delivery ask for.
//
// The random searches (hunter target, infection seed, search target) each make at most
// kRandomDraws draws and then give up, so a board without a fitting cell never hangs.

#include "game/play/GameBoard.h"

#include "framework/app/common/Assert.h"
#include "framework/app/common/RuntimeRandom.h"
#include "game/Creature.h"
#include "game/GameRandom.h"
#include "game/HabitatContent.h"
#include "game/Stage.h"
#include "game/play/BoardTile.h"
#include "game/play/GameSession.h"
#include "game/play/PlayHost.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int32_t kRandomDraws = 51;
// Smooth updates the hunter's cage takes to fly to its target.
constexpr float kHunterJumpFrames = 40.0f;
constexpr int32_t kBottomRow = GameBoard::kRows - 1;

int32_t CountTiles(const std::vector<BoardTile*>& cells, const std::function<bool(const BoardTile&)>& counts)
{
    return static_cast<int32_t>(std::count_if(cells.begin(), cells.end(), [&counts](const BoardTile* const tile) {
        return tile != nullptr && counts(*tile);
    }));
}

int32_t CountTilesNamed(const std::vector<BoardTile*>& cells, const std::string& name)
{
    return CountTiles(cells, [&name](const BoardTile& tile) { return tile.mCreature->GetName() == name; });
}

} // namespace

void GameBoard::StartHunterJump(BoardTile* const hunter)
{
    ZEST_ASSERT(hunter != nullptr);
    mHunterTargets.clear();
    mHunterSteps.clear();
    mHunterShots.clear();

    for (int32_t draw = 0; draw < kRandomDraws; ++draw) {
        const int32_t index = Zest::Rand() % kCells;
        BoardTile* const target = mCells[index];
        // The bottom row is spared: a caged tile there would be freed at once.
        if (target == nullptr || !target->IsPlain() || index / kColumns == kBottomRow)
            continue;
        mHunterTargets.push_back(target);
        mHunterOriginX = static_cast<float>(hunter->mX - mX);
        mHunterOriginY = static_cast<float>(hunter->mY - mY);
        mHunterShots.emplace_back(mHunterOriginX, mHunterOriginY);
        mHunterSteps.emplace_back((static_cast<float>(target->mX - mX) - mHunterOriginX) / kHunterJumpFrames,
                                  (static_cast<float>(target->mY - mY) - mHunterOriginY) / kHunterJumpFrames);
        break;
    }
    if (mHunterTargets.empty())
        return;

    mPhaseBeforeHunter = mPhase;
    mHunterTile = hunter;
    mPhase = PHASE_HUNTER_JUMP;
    mHunterFrame = 0;
}

void GameBoard::InfectRandomTile()
{
    // The survivor game runs one seed of the infection at a time.
    if (CountInfected() == 1)
        return;
    for (int32_t draw = 0; draw < kRandomDraws; ++draw) {
        BoardTile* const tile = mCells[Zest::Rand() % kCells];
        if (tile == nullptr || !tile->IsPlain() || tile->mTrapped || tile->mInfected)
            continue;
        tile->SetInfected(true);
        return;
    }
}

void GameBoard::SpreadInfection(const BoardTile* const tile)
{
    ZEST_ASSERT(mRescuedCells.size() == static_cast<size_t>(kCells));
    const auto [column, row] = GetCell(tile);
    ZEST_ASSERT(column >= 0);
    // Side neighbours only, left, right, up, down: the infection never goes diagonally.
    const std::array<std::pair<int32_t, int32_t>, 4> sides = {{{-1, 0}, {1, 0}, {0, -1}, {0, 1}}};
    for (const auto& [dColumn, dRow] : sides) {
        BoardTile* const neighbour = GetTile(column + dColumn, row + dRow);
        if (neighbour == nullptr || mRescuedCells[IndexOf(neighbour)])
            continue;
        // Items and tiles of level 0 are never infected.
        if (neighbour->mInfected || neighbour->mTrapped || neighbour->mLock != LOCK_NONE || neighbour->mLevel <= 0)
            continue;
        neighbour->SetInfected(true);
    }
}

int32_t GameBoard::CountInfected() const
{
    return CountTiles(mCells, [](const BoardTile& tile) { return tile.mInfected; });
}

int32_t GameBoard::CountTrapped() const
{
    return CountTiles(mCells, [](const BoardTile& tile) { return tile.mTrapped; });
}

void GameBoard::MarkCellUsed(const BoardTile* const tile)
{
    ZEST_ASSERT(mRescuedCells.size() == static_cast<size_t>(kCells));
    const int32_t index = IndexOf(tile);
    ZEST_ASSERT(index >= 0);
    mRescuedCells[index] = true;
}

bool GameBoard::IsCellMarked(const int32_t index) const
{
    return index >= 0 && index < static_cast<int32_t>(mRescuedCells.size()) && mRescuedCells[index];
}

int32_t GameBoard::CountMarkedCells() const
{
    return static_cast<int32_t>(std::count(mRescuedCells.begin(), mRescuedCells.end(), true));
}

void GameBoard::ResetCellLists() { mRescuedCells.assign(kCells, false); }

int32_t GameBoard::CountSearchTargets() const
{
    return CountTiles(mCells, [](const BoardTile& tile) { return tile.mSearchMark; });
}

void GameBoard::PlaceSearchTargets()
{
    const GameSession* const session = mHost.GetGameSession();
    ZEST_ASSERT(session != nullptr);
    if (session->mStage.mMode != MODE_MATCH_SEARCH || CountSearchTargets() > 0)
        return;
    // Replays deal the same targets: the draws come from the game's own generator.
    GameRandom& random = mHost.GetGameRandom();
    for (int32_t draw = 0; draw < kRandomDraws; ++draw) {
        BoardTile* const tile = mCells[random.Next(kCells - 1)];
        if (tile != nullptr && !tile->mSearchMark) {
            tile->mSearchMark = true;
            return;
        }
    }
    if (mCells[0] != nullptr)
        mCells[0]->mSearchMark = true;
}

int32_t GameBoard::CountTorchTiles() const { return CountTilesNamed(mCells, ITEM_TORCH.mName); }

int32_t GameBoard::CountWaterTiles() const { return CountTilesNamed(mCells, ITEM_WATER.mName); }

int32_t GameBoard::CountShuffleTiles() const { return CountTilesNamed(mCells, ITEM_SHUFFLE.mName); }

int32_t GameBoard::CountTilesOf(const Creature& creature) const
{
    return CountTiles(mCells, [&creature](const BoardTile& tile) { return tile.mCreature == &creature; });
}

int32_t GameBoard::CountTilesOfLevel(const int32_t level) const
{
    return CountTiles(mCells, [level](const BoardTile& tile) { return tile.mLevel == level; });
}

bool GameBoard::HasHunterTile() const { return CountTilesOfLevel(Creature::LEVEL_HUNTER) > 0; }

bool GameBoard::NoItemInBottomRow() const
{
    const auto bottomRow = mCells.begin() + kBottomRow * kColumns;
    return std::none_of(bottomRow, bottomRow + kColumns,
                        [](const BoardTile* const tile) { return tile != nullptr && tile->mLevel < 0; });
}
