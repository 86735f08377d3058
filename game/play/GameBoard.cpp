// The board's object and its grid: construction, building the cells (anew or from the
// current profile's saved board), the cell queries and edits, and the release of the tiles
// and the title rig when the board goes. The phase machine and the tile flow are in
// BoardFlow.cpp.

#include "game/play/GameBoard.h"

#include "framework/app/common/Assert.h"
#include "framework/widgets/WidgetManager.h"
#include "game/Creature.h"
#include "game/Habitat.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/Stage.h"
#include "game/physics/PhysicsPrimitiveEntity.h"
#include "game/play/BoardTile.h"
#include "game/play/GameSession.h"
#include "game/play/PlayHost.h"
#include "game/screens/MenuServices.h"
#include "platform/physics/XtremaPhysics.h"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr float kTwirlScale = 5.0f;
// A tile's left edge lies this far left of its cell's.
constexpr int32_t kTileOffsetX = 6;

// Hands every tile still playing its leaving animation to the deferred deletion.
void ReleaseRemovedTiles(std::vector<BoardTile*>& removedTiles)
{
    for (BoardTile* const tile : removedTiles) {
        if (tile != nullptr)
            GetMenuServices().DeferDeleteWidget(tile);
    }
    removedTiles.clear();
}

// An entity of the title rig out of the widget tree and the physics world.
void ReleaseRigEntity(Zest::WidgetManager* const manager, xPhysicsPrimitiveEntity*& entity)
{
    if (entity == nullptr)
        return;
    // The rig lives only while the world does: the session goes before the world.
    ZEST_ASSERT(manager != nullptr && XtremaPHX2D::g_ptrSDK != nullptr);
    manager->RemoveWidget(entity);
    XtremaPHX2D::g_ptrSDK->destroyEntity(entity);
    entity = nullptr;
}

// A cell a save has written. One never written keeps the record's default name and
// carries nothing worth restoring.
bool IsStoredCell(const SavedTile& saved)
{
    return saved.mCreatureName != SavedTile().mCreatureName;
}

// What a profile holds may come from an older or damaged file: values the tile cannot show
// fall back to the plain tile's.
void ApplySavedTile(BoardTile& tile, const SavedTile& saved)
{
    if (saved.mVariant == 0 || saved.mVariant == 1)
        tile.mVariant = saved.mVariant;
    const bool knownOverlay = saved.mOverlay >= 0 && saved.mOverlay <= BoardTile::kLastOverlay;
    tile.mOverlay = knownOverlay ? saved.mOverlay : 0;
    const bool knownLock = saved.mLock >= LOCK_NONE && saved.mLock <= LOCK_CAGE;
    tile.SetLock(knownLock ? saved.mLock : LOCK_NONE);
    tile.mSearchMark = saved.mSearchMark;
    tile.SetInfected(saved.mInfected);
}

} // namespace

GameBoard::GameBoard(PlayHost& host, Habitat* habitat, const int32_t restoreFromProfile)
    : mHost(host), mRestoreFromProfile(restoreFromProfile), mHabitat(habitat)
{
    ZEST_ASSERT(habitat != nullptr);
    mHost.SetupAnimatedWidget(mTwirlEffect, IMAGE_GAME_EFFECTANIM_TWIRL);
    mHost.SetupAnimatedWidget(mStreakEffect, IMAGE_GAME_EFFECTSTREAK);
    mStreakEffect.ResetFrame();
    mTwirlEffect.mScale = kTwirlScale;
    mStreakEffect.mStatus = ANIM_RUNNING;
    mRescuedCells.assign(kCells, false);
    if (mHabitat->GetName() == "Arctic")
        mMaskImage = IMAGE_GAME_MASK_ARCTIC;
    mPlateBonusFlags.assign(PlayerProfile::kPlateBonusFlagCount, false);
}

GameBoard::~GameBoard()
{
    RemoveAllTiles();
    ReleaseRemovedTiles(mRemovedTiles);
}

void GameBoard::AddedToManager(Zest::WidgetManager* const manager)
{
    mWidgetManager = manager;
    BuildBoard();
    CreateWalls();
    Widget::AddedToManager(manager);
}

// May be called more than once for one removal: a second call finds nothing left. The
// board keeps no pointer to a tile it has handed to the deletion.
void GameBoard::RemovedFromManager(Zest::WidgetManager* const manager)
{
    ClearSelection();
    mPressedTile = nullptr;
    mHunterTargets.clear();
    mHunterSteps.clear();
    mHunterShots.clear();
    mHunterTile = nullptr;
    for (BoardTile*& cell : mCells) {
        if (cell != nullptr)
            GetMenuServices().DeferDeleteWidget(cell);
        cell = nullptr;
    }
    ReleaseRemovedTiles(mRemovedTiles);
    for (xPhysicsPrimitiveEntity** const entity : {&mWallTop, &mWallFloor, &mWallLeft, &mWallRight, &mTitleBall})
        ReleaseRigEntity(manager, *entity);
    Widget::RemovedFromManager(manager);
}

void GameBoard::Rebuild()
{
    RemoveAllTiles();
    BuildBoard();
}

void GameBoard::BuildBoard()
{
    ZEST_ASSERT(mCells.empty());
    mFrameCounter = 0;
    mDealt = false;
    const PlayerProfile* const profile = mHost.GetCurrentProfile();
    const bool restoring = mRestoreFromProfile == 1;
    // Only a continued game restores, and only a current profile has a game to continue.
    ZEST_ASSERT(!restoring || profile != nullptr);
    mRescuedCells.assign(kCells, false);
    if (!mKeepPlates)
        InitPlates();
    mPressedTile = nullptr;

    GameRandom& random = mHost.GetGameRandom();
    for (int32_t row = 0; row < kRows; ++row) {
        for (int32_t column = 0; column < kColumns; ++column) {
            const int32_t index = row * kColumns + column;
            // Drawn for every cell, restored or not, so that the draws of the game
            // generator do not depend on what the profile held.
            Creature* creature = mHabitat->PickCreatureForCell(random, row, this, true);
            ZEST_ASSERT(creature != nullptr);
            if (!restoring) {
                mCells.push_back(CreateTile(creature, column, row, 0));
                continue;
            }
            const SavedTile& saved = profile->mTiles[index];
            if (saved.mCreatureName == SavedTile::kEmptyCell) {
                mCells.push_back(nullptr);
                mRescuedCells[index] = saved.mCellMarked;
                continue;
            }
            // A creature renamed since the game was saved, or a cell never stored, gets
            // the fresh pick instead of leaving a hole in the board.
            Creature* const savedCreature = mHabitat->FindCreature(saved.mCreatureName);
            if (savedCreature != nullptr)
                creature = savedCreature;
            BoardTile* const tile = CreateTile(creature, column, row, 0);
            if (IsStoredCell(saved)) {
                ApplySavedTile(*tile, saved);
                mRescuedCells[index] = saved.mCellMarked;
            }
            tile->SetState(TILE_HIDDEN);
            mCells.push_back(tile);
        }
    }

    if (restoring) {
        mFrameShape = profile->mFrameShape;
        mFrameAnchor = profile->mFrameAnchor;
        mFrameCells = profile->mFrameCells;
        mPlates.assign(profile->mPlates.begin(), profile->mPlates.end());
        mPlateBonusFlags.assign(profile->mPlateBonusFlags.begin(), profile->mPlateBonusFlags.end());
    }
    ZEST_ASSERT(static_cast<int32_t>(mPlates.size()) == kCells);

    const GameSession* const session = mHost.GetGameSession();
    if (session != nullptr && session->mMode == MODE_MATCH_SEARCH)
        mHost.SetCursor(kNoCursor);
}

BoardTile* GameBoard::CreateTile(Creature* const creature, const int32_t column, const int32_t row,
                                 const int32_t yOffset)
{
    ZEST_ASSERT(creature != nullptr);
    auto* const tile = new BoardTile(creature, this);
    tile->Resize(0, 0, BoardTile::kSize, BoardTile::kSize);
    tile->Move(mX + column * kCellPitch - kTileOffsetX, mY + row * kCellPitch - yOffset);
    return tile;
}

void GameBoard::RemoveAllTiles()
{
    for (BoardTile* const tile : mCells) {
        if (tile != nullptr)
            GetMenuServices().DeferDeleteWidget(tile);
    }
    mCells.clear();
    ClearSelection();
    mPressedTile = nullptr;
}

std::pair<int32_t, int32_t> GameBoard::GetCell(const BoardTile* const tile) const
{
    const int32_t index = IndexOf(tile);
    return {index % kColumns, index / kColumns};
}

BoardTile* GameBoard::GetTile(const int32_t column, const int32_t row) const
{
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows)
        return nullptr;
    return TileAtIndex(row * kColumns + column);
}

BoardTile* GameBoard::TileAtIndex(const int32_t index) const
{
    if (index < 0 || index >= static_cast<int32_t>(mCells.size()))
        return nullptr;
    return mCells[index];
}

int32_t GameBoard::IndexOf(const BoardTile* const tile) const
{
    if (tile == nullptr)
        return -1;
    const auto found = std::find(mCells.begin(), mCells.end(), tile);
    return found == mCells.end() ? -1 : static_cast<int32_t>(found - mCells.begin());
}

BoardTile* GameBoard::TileAt(const int32_t x, const int32_t y) const
{
    for (BoardTile* const tile : mCells) {
        if (tile != nullptr && tile->HitTest(mX + x, mY + y))
            return tile;
    }
    return nullptr;
}

void GameBoard::SetTileAt(const int32_t column, const int32_t row, BoardTile* const tile)
{
    ZEST_ASSERT(column >= 0 && column < kColumns && row >= 0 && row < kRows);
    const int32_t index = row * kColumns + column;
    ZEST_ASSERT(index < static_cast<int32_t>(mCells.size()));
    mCells[index] = tile;
}

void GameBoard::ClearCell(const BoardTile* const tile)
{
    for (BoardTile*& cell : mCells) {
        if (cell == tile)
            cell = nullptr;
    }
}

bool GameBoard::GetSavedTile(const int32_t column, const int32_t row, SavedTile& saved) const
{
    const BoardTile* const tile = GetTile(column, row);
    if (tile == nullptr)
        return false;
    ZEST_ASSERT(tile->mCreature != nullptr);
    saved.mCreatureName = tile->mCreature->GetName();
    saved.mOverlay = tile->mOverlay;
    saved.mVariant = tile->mVariant;
    saved.mLevel = tile->mLevel;
    saved.mLock = tile->mLock;
    saved.mInfected = tile->mInfected;
    saved.mSearchMark = tile->mSearchMark;
    return true;
}
