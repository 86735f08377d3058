#pragma once
// One creature of a habitat, or one of its power items. The habitat builders create them and
// the habitat owns them for the whole run. A creature is known by its display name: the
// text of its NAME_ key, or the literal item name.

#include <cstdint>
#include <string>
#include <vector>

namespace Zest {
class Image;
}

class Creature {
public:
    // Trophic levels: 1 for plants, insects and small prey up to 5 for the top predators;
    // the power items and the hunter have their own negative levels.
    static constexpr int32_t LEVEL_ITEM = -1;
    static constexpr int32_t LEVEL_HUNTER = -2;

    Creature(const std::string& name, int32_t level, Zest::Image* labelImage, Zest::Image* tileImage);

    std::string GetName() const { return mName; }
    // A power item or the hunter rather than an animal or a plant.
    bool IsItem() const { return mLevel < 0; }

    // Position in the habitat's list; -1 until the habitat adds it.
    int32_t mIndex = -1;
    int32_t mLevel;
    // Items only: percent chance that a draw of the item for a new tile is accepted.
    int32_t mSpawnChance = 0;
    // May be dealt onto the board in the current stage.
    bool mActive = false;
    // Both pictures belong to the resource manager; items have no label.
    Zest::Image* mTileImage;
    Zest::Image* mLabelImage;
    std::string mName;
    // Empty for items.
    std::string mDescription;
    // The predators' names joined by ", ", and the predators in food-link order.
    std::string mEatenByText;
    std::vector<Creature*> mPredators;
};
