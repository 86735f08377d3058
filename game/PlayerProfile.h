#pragma once
// One player's profile: the name, the adventure in progress (habitat, stage, score, power
// items and the saved board, so that a game can be continued after the program was
// closed), the lifetime statistics, the twenty awards and the tutorial tips already seen.
// The application keeps every profile in its ProfileStore, which writes them to
// profiles.dat; Write and Read here are the profile's body in that file.

#include "game/GameStats.h"
#include "game/Stage.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Zest {
class Buffer;
}

class SaveFileReader;
class StorableBoard;

// One cell of the saved board.
struct SavedTile {
    static constexpr const char* kEmptyCell = "null";

    bool operator==(const SavedTile& other) const = default;

    // The display name of the tile's creature; kEmptyCell for a cell without a tile.
    std::string mCreatureName = "none";
    // The tile's trophic level, picture overlay and variant (0 or 1).
    int32_t mLevel = -1;
    int32_t mOverlay = -1;
    int32_t mVariant = -1;
    // -1 none, 0 spider web, 1 bananas, 2 cage.
    int32_t mLock = -1;
    // The board's mark on the cell.
    bool mCellMarked = false;
    // The survivor game's infection.
    bool mInfected = false;
    // A target of match-search mode.
    bool mSearchMark = false;
};

class PlayerProfile {
public:
    static constexpr int32_t kBoardCells = 36;
    static constexpr int32_t kAwardCount = 20;
    static constexpr int32_t kTutorialTipCount = 18;
    static constexpr int32_t kPlateBonusFlagCount = 3;
    static constexpr int32_t NO_FRAME = -1;
    static constexpr int32_t NO_PLATE = -1;
    static constexpr const char* kFirstHabitat = "Amazon";

    // A new profile under the name as entered: the first habitat, nothing played yet.
    explicit PlayerProfile(const std::string& name);

    // Starts the adventure over: the game's counters 0 to 7, habitat, score, stage index,
    // next level, items, tutorial tips, plates and plate-bonus flags. A full reset (a new
    // profile) also clears the lifetime counters 8 to 13 and the awards. The saved cells,
    // the frame and the saved stage stay as they are.
    void ResetProgress(bool full);
    // Keeps the counters a profile stores (1 to 5 and 8 to 13).
    void StoreStats(const GameStats& stats);
    // Keeps the running board: its cells (an empty cell keeps its record but for its name
    // and mark), the frame, the plates and the plate-bonus flags.
    void StoreBoard(const StorableBoard& board);
    // Tips outside 0 to kTutorialTipCount - 1 are ignored.
    void SetTutorialSeen(int32_t tip);
    void ClearTutorialSeen();

    // The frame cells a board of that frame shape keeps: shape - 4 for the shapes 6 to 8,
    // none for every other shape.
    static int32_t GetFrameCellCount(int32_t frameShape);

    // The body of the profile's record in profiles.dat: the 36 saved cells, the frame shape
    // and its cells, the plates and plate-bonus flags, the frame anchor, the tutorial tips
    // and the awards.
    void Write(Zest::Buffer& buffer) const;
    // Replaces the body's fields with those read; the frame cells only when the shape read
    // keeps any.
    void Read(SaveFileReader& reader);

    // Frame shape and anchor cell of the saved board; NO_FRAME for none.
    int32_t mFrameShape = NO_FRAME;
    int32_t mFrameAnchor = NO_FRAME;
    // Habitats started anew; a saved game can be continued only while it is above 0.
    int32_t mHabitatsStarted = 0;
    std::string mName;
    // The habitat's registry name; "Invalid_uninitialized" once the last one is done.
    std::string mHabitatName = kFirstHabitat;
    // A copy of the stage being played in the saved game, and its mIndex.
    Stage mStage;
    int32_t mStageIndex = -1;
    int32_t mScore = 0;
    // Goal creatures collected in the habitat being played.
    int32_t mHabitatProgress = 0;
    // Habitats completed: the last completed habitat's index + 1; -1 before the first.
    int32_t mNextLevel = -1;
    // Power items in hand.
    int32_t mTorches = 0;
    int32_t mWater = 0;
    int32_t mShuffles = 0;
    GameStats mStats;
    // The saved board; cell index = row * 6 + column.
    std::array<SavedTile, kBoardCells> mTiles{};
    std::array<bool, kAwardCount> mAwards{};
    // Only meaningful while mFrameShape keeps frame cells (GetFrameCellCount).
    std::vector<int32_t> mFrameCells;
    std::array<int32_t, kBoardCells> mPlates{};
    std::array<bool, kPlateBonusFlagCount> mPlateBonusFlags{};
    std::array<bool, kTutorialTipCount> mTutorialSeen{};
};
