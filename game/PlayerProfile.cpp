#include "game/PlayerProfile.h"

#include "framework/app/common/Assert.h"
#include "framework/app/common/Buffer.h"
#include "game/SaveFileReader.h"
#include "game/StorableBoard.h"

#include <algorithm>

namespace {

// The saved board's cells are stored row by row.
constexpr int32_t kBoardColumns = 6;
constexpr int32_t kBoardRows = 6;
static_assert(kBoardColumns * kBoardRows == PlayerProfile::kBoardCells);

} // namespace

PlayerProfile::PlayerProfile(const std::string& name) : mName(name)
{
    ResetProgress(true);
}

void PlayerProfile::ResetProgress(const bool full)
{
    if (full)
        mStats = GameStats();
    else
        mStats.ClearGameCounters();

    mHabitatName = kFirstHabitat;
    mScore = 0;
    mStageIndex = -1;
    mNextLevel = -1;
    mHabitatsStarted = 0;
    mHabitatProgress = 0;
    mTorches = 0;
    mWater = 0;
    mShuffles = 0;

    mTutorialSeen.fill(false);
    if (full)
        mAwards.fill(false);
    mPlateBonusFlags.fill(false);
    mPlates.fill(NO_PLATE);
}

void PlayerProfile::StoreStats(const GameStats& stats) { mStats.CopyStoredCounters(stats); }

void PlayerProfile::StoreBoard(const StorableBoard& board)
{
    for (int32_t row = 0; row < kBoardRows; ++row) {
        for (int32_t column = 0; column < kBoardColumns; ++column) {
            const int32_t cell = row * kBoardColumns + column;
            SavedTile& saved = mTiles[cell];
            // An empty cell keeps the rest of the record it had: only its name says it is empty.
            if (!board.GetSavedTile(column, row, saved))
                saved.mCreatureName = SavedTile::kEmptyCell;
            saved.mCellMarked = board.IsCellMarked(cell);
        }
    }

    mFrameShape = board.GetFrameShape();
    // Other shapes keep no cells, so the old list is neither written nor read.
    if (GetFrameCellCount(mFrameShape) > 0)
        mFrameCells = board.GetFrameCells();

    const std::vector<int32_t> plates = board.GetPlates();
    ZEST_ASSERT(plates.size() == mPlates.size());
    std::copy_n(plates.begin(), std::min(plates.size(), mPlates.size()), mPlates.begin());
    const std::vector<bool> bonusFlags = board.GetPlateBonusFlags();
    ZEST_ASSERT(bonusFlags.size() == mPlateBonusFlags.size());
    std::copy_n(bonusFlags.begin(), std::min(bonusFlags.size(), mPlateBonusFlags.size()), mPlateBonusFlags.begin());
    mFrameAnchor = board.GetFrameAnchor();
}

void PlayerProfile::SetTutorialSeen(const int32_t tip)
{
    if (tip >= 0 && tip < kTutorialTipCount)
        mTutorialSeen[tip] = true;
}

void PlayerProfile::ClearTutorialSeen() { mTutorialSeen.fill(false); }

int32_t PlayerProfile::GetFrameCellCount(const int32_t frameShape)
{
    return frameShape >= 6 && frameShape <= 8 ? frameShape - 4 : 0;
}

void PlayerProfile::Write(Zest::Buffer& buffer) const
{
    for (const SavedTile& tile : mTiles) {
        buffer.WriteString(tile.mCreatureName);
        buffer.WriteLong(tile.mOverlay);
        buffer.WriteLong(tile.mVariant);
        buffer.WriteLong(tile.mLevel);
        buffer.WriteLong(tile.mLock);
        buffer.WriteBoolean(tile.mCellMarked);
        buffer.WriteBoolean(tile.mInfected);
        buffer.WriteBoolean(tile.mSearchMark);
    }
    buffer.WriteLong(mFrameShape);
    // The reader takes exactly as many cells as the shape keeps, with no count in the file:
    // a list of any other length is padded or cut so that every later field stays in place.
    const int32_t frameCells = GetFrameCellCount(mFrameShape);
    for (int32_t i = 0; i < frameCells; ++i)
        buffer.WriteLong(i < static_cast<int32_t>(mFrameCells.size()) ? mFrameCells[i] : NO_FRAME);
    for (const int32_t plate : mPlates)
        buffer.WriteLong(plate);
    for (const bool flag : mPlateBonusFlags)
        buffer.WriteBoolean(flag);
    buffer.WriteLong(mFrameAnchor);
    for (const bool seen : mTutorialSeen)
        buffer.WriteBoolean(seen);
    for (const bool owned : mAwards)
        buffer.WriteBoolean(owned);
}

void PlayerProfile::Read(SaveFileReader& reader)
{
    for (SavedTile& tile : mTiles) {
        tile.mCreatureName = reader.ReadString();
        tile.mOverlay = reader.ReadLong();
        tile.mVariant = reader.ReadLong();
        tile.mLevel = reader.ReadLong();
        tile.mLock = reader.ReadLong();
        tile.mCellMarked = reader.ReadBoolean();
        tile.mInfected = reader.ReadBoolean();
        tile.mSearchMark = reader.ReadBoolean();
    }
    mFrameShape = reader.ReadLong();
    const int32_t frameCells = GetFrameCellCount(mFrameShape);
    if (frameCells > 0) {
        mFrameCells.clear();
        for (int32_t i = 0; i < frameCells; ++i)
            mFrameCells.push_back(reader.ReadLong());
    }
    for (int32_t& plate : mPlates)
        plate = reader.ReadLong();
    for (bool& flag : mPlateBonusFlags)
        flag = reader.ReadBoolean();
    mFrameAnchor = reader.ReadLong();
    for (bool& seen : mTutorialSeen)
        seen = reader.ReadBoolean();
    for (bool& owned : mAwards)
        owned = reader.ReadBoolean();
}
