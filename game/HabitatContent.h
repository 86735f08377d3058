#pragma once
// The content of the game's habitats, written out table by table: the habitat itself, its
// creatures, its power items, its food web and its stages. The builders turn one of these
// into a Habitat. Links and goals name a creature by its name key and an item by its name;
// texts and pictures are named by their string keys and resource ids.

#include "game/Creature.h"

#include <cstdint>
#include <vector>

struct CreatureRow {
    const char* mNameKey;
    const char* mDescriptionKey;
    int32_t mLevel;
    const char* mTileImage;
    const char* mLabelImage;
};

// The four items are alike in every habitat; only their order and spawn chances differ.
struct ItemKind {
    const char* mName;
    int32_t mLevel;
    const char* mTileImage;
};

inline constexpr ItemKind ITEM_TORCH{"torch", Creature::LEVEL_ITEM, "IMAGE_GAME_TORCH_ITEM"};
inline constexpr ItemKind ITEM_WATER{"water", Creature::LEVEL_ITEM, "IMAGE_GAME_BUCKET_ITEM"};
inline constexpr ItemKind ITEM_SHUFFLE{"shuffle", Creature::LEVEL_ITEM, "IMAGE_GAME_SHUFFLECOIN_ITEM"};
inline constexpr ItemKind ITEM_HUNTER{"hunter", Creature::LEVEL_HUNTER, "IMAGE_GAME_HUNTER"};

struct ItemRow {
    const ItemKind* mKind;
    // Percent.
    int32_t mSpawnChance;
};

struct FoodLinkRow {
    const char* mPredator;
    const char* mPrey;
};

struct GoalRow {
    const char* mCreature;
    // StageGoal::NOT_COUNTED lists the creature only to deal it.
    int32_t mCount;
};

struct EventRow {
    int32_t mKind;
    // Percent.
    int32_t mChance;
};

struct StageRow {
    int32_t mMode;
    std::vector<GoalRow> mGoals;
    std::vector<EventRow> mEvents;
    int32_t mPowerItems;
    int32_t mMaxFrameShape;
    int32_t mPanicChance;
};

struct HabitatContent {
    const char* mName;
    int32_t mNumber;
    const char* mMusicFile;
    const char* mResourceGroup;
    const char* mLabelImage;
    // Creatures first, then the items: together they give each its index.
    std::vector<CreatureRow> mCreatures;
    std::vector<ItemRow> mItems;
    std::vector<FoodLinkRow> mFoodLinks;
    // In play order.
    std::vector<StageRow> mStages;
};

const HabitatContent& AmazonContent();
const HabitatContent& GrandCanyonContent();
const HabitatContent& AlaskaContent();
const HabitatContent& ArcticContent();
