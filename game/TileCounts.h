#pragma once
// What the creature picks ask of the board a new tile is made for: how many of its tiles
// show a creature, or stand at a level.

#include <cstdint>

class Creature;

class TileCounts {
public:
    virtual ~TileCounts() = default;

    // Tiles showing exactly this creature.
    virtual int32_t CountTilesOf(const Creature& creature) const = 0;
    // Tiles whose creature stands at the level (Creature::LEVEL_ITEM for the three items
    // together, Creature::LEVEL_HUNTER for the hunter).
    virtual int32_t CountTilesOfLevel(int32_t level) const = 0;
    virtual bool HasHunterTile() const = 0;
};
