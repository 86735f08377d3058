#pragma once
// What a profile keeps of a running board when the game is saved: the cells, the rescued
// marks, the target frame and the plates.

#include <cstdint>
#include <vector>

struct SavedTile;

class StorableBoard {
public:
    virtual ~StorableBoard() = default;

    // Fills the creature's display name, overlay, variant, level, lock, infected flag and
    // search mark of the tile at (column, row) into `tile`, leaving its cell mark alone;
    // false, touching nothing, for an empty cell.
    virtual bool GetSavedTile(int32_t column, int32_t row, SavedTile& tile) const = 0;
    // The rescued mark of the survivor game, by cell index.
    virtual bool IsCellMarked(int32_t index) const = 0;
    virtual int32_t GetFrameShape() const = 0;
    virtual int32_t GetFrameAnchor() const = 0;
    virtual std::vector<int32_t> GetFrameCells() const = 0;
    // The 36 plates by cell index.
    virtual std::vector<int32_t> GetPlates() const = 0;
    virtual std::vector<bool> GetPlateBonusFlags() const = 0;
};
