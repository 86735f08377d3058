#include "game/HabitatBuilder.h"

#include "game/HabitatContent.h"
#include "game/HabitatRegistry.h"
#include "game/ResourceGroupSource.h"

#include "framework/app/common/Assert.h"

#include <map>
#include <memory>

namespace {

// Creatures by name key and items by name, as the links and goals of the tables name them.
using CreatureKeys = std::map<std::string, Creature*>;

Creature* Resolve(const CreatureKeys& creatures, const char* const key)
{
    const auto found = creatures.find(key);
    ZEST_ASSERT(found != creatures.end());
    return found != creatures.end() ? found->second : nullptr;
}

void AddCreatures(Habitat& habitat, const HabitatContent& content, const TextLookup& getString,
                  ResourceGroupSource& resources, CreatureKeys& keys)
{
    for (const CreatureRow& row : content.mCreatures) {
        auto creature = std::make_unique<Creature>(getString(row.mNameKey), row.mLevel,
                                                   resources.GetImage(row.mLabelImage),
                                                   resources.GetImage(row.mTileImage));
        creature->mDescription = getString(row.mDescriptionKey);
        keys[row.mNameKey] = creature.get();
        habitat.AddCreature(std::move(creature));
    }
    for (const ItemRow& row : content.mItems) {
        auto item = std::make_unique<Creature>(row.mKind->mName, row.mKind->mLevel, nullptr,
                                               resources.GetImage(row.mKind->mTileImage));
        item->mSpawnChance = row.mSpawnChance;
        keys[row.mKind->mName] = item.get();
        habitat.AddCreature(std::move(item));
    }
}

void AddStages(Habitat& habitat, const HabitatContent& content, const CreatureKeys& keys)
{
    for (const StageRow& row : content.mStages) {
        Stage stage;
        for (const GoalRow& goal : row.mGoals)
            stage.AddGoal(Resolve(keys, goal.mCreature), goal.mCount);
        stage.mMode = row.mMode;
        stage.mPowerItems = row.mPowerItems;
        stage.mMaxFrameShape = row.mMaxFrameShape;
        stage.mPanicChance = row.mPanicChance;
        for (const EventRow& event : row.mEvents)
            stage.AddEvent(event.mKind, event.mChance);
        habitat.AddStage(stage);
    }
}

} // namespace

void BuildHabitat(const HabitatContent& content, HabitatRegistry& registry, const TextLookup& getString,
                  ResourceGroupSource& resources)
{
    auto habitat = std::make_unique<Habitat>(content.mName);
    habitat->mIndex = registry.mBuildIndex;
    habitat->mMusicFile = content.mMusicFile;
    habitat->mNumber = content.mNumber;
    habitat->mResourceGroup = content.mResourceGroup;
    habitat->mLabelImage = resources.GetImage(content.mLabelImage);

    CreatureKeys keys;
    AddCreatures(*habitat, content, getString, resources, keys);
    for (const FoodLinkRow& link : content.mFoodLinks)
        habitat->AddFoodLink(Resolve(keys, link.mPredator), Resolve(keys, link.mPrey));
    AddStages(*habitat, content, keys);

    registry.RegisterHabitat(content.mName, std::move(habitat));
    registry.RegisterHabitatName(content.mName);
}

void BuildAllHabitats(HabitatRegistry& registry, const TextLookup& getString, ResourceGroupSource& resources)
{
    registry.mBuildIndex = 0;
    for (const HabitatContent* const content :
         {&AmazonContent(), &GrandCanyonContent(), &AlaskaContent(), &ArcticContent()}) {
        BuildHabitat(*content, registry, getString, resources);
        ++registry.mBuildIndex;
    }
}
