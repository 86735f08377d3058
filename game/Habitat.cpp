#include "game/Habitat.h"

#include "framework/app/common/Assert.h"
#include "framework/app/common/RuntimeRandom.h"
#include "game/GameRandom.h"
#include "game/HabitatGroups.h"
#include "game/ResourceGroupSource.h"
#include "game/TileCounts.h"

namespace {

// The board's bottom row, where a new board gets no item.
constexpr int32_t kBottomRow = 5;
// Item tiles of one level the board may hold at once (the three level -1 items together).
constexpr int32_t kItemCap = 3;
// Percent of the picks that give the rarest dealt creature outright (a draw 0..99 of 30 or
// less).
constexpr uint32_t kRarestPickMaxDraw = 30;
// Draws a random pick makes for a dealt creature before it gives up.
constexpr int32_t kCreatureDraws = 51;

} // namespace

Habitat::Habitat(const std::string& name) : mName(name) {}

void Habitat::AddCreature(std::unique_ptr<Creature> creature)
{
    creature->mIndex = static_cast<int32_t>(mCreatures.size());
    mCreatures.push_back(std::move(creature));
}

void Habitat::AddFoodLink(Creature* const predator, Creature* const prey)
{
    mFoodLinks.push_back({predator, prey});
}

bool Habitat::IsFoodLink(const Creature* const a, const Creature* const b) const
{
    for (const FoodLink& link : mFoodLinks) {
        if ((link.mPredator == a && link.mPrey == b) || (link.mPredator == b && link.mPrey == a))
            return true;
    }
    return false;
}

Creature* Habitat::FindCreature(const std::string& name) const
{
    for (const std::unique_ptr<Creature>& creature : mCreatures) {
        if (creature->mName == name)
            return creature.get();
    }
    return nullptr;
}

void Habitat::AddStage(const Stage& stage)
{
    Stage& added = mStages.emplace_back(stage);
    added.mIndex = static_cast<int32_t>(mStages.size()) - 1;
    added.mPending = true;
    added.ResetTargets();
}

void Habitat::Finalize()
{
    BuildPredatorLists();
    ComputeTotalGoals();
}

void Habitat::BuildPredatorLists()
{
    for (const std::unique_ptr<Creature>& creature : mCreatures) {
        creature->mPredators.clear();
        creature->mEatenByText.clear();
        for (const FoodLink& link : mFoodLinks) {
            if (link.mPrey != creature.get())
                continue;
            if (!creature->mPredators.empty())
                creature->mEatenByText += ", ";
            creature->mEatenByText += link.mPredator->mName;
            creature->mPredators.push_back(link.mPredator);
        }
    }
}

void Habitat::ComputeTotalGoals()
{
    mTotalGoals = 0;
    for (const Stage& stage : mStages) {
        for (const StageGoal& goal : stage.mGoals) {
            if (goal.mCount >= 0)
                mTotalGoals += goal.mCount;
        }
    }
}

bool Habitat::StartNextStage(Stage& target)
{
    for (const Stage& stage : mStages) {
        if (!stage.mPending)
            continue;
        target = stage;
        ClearActiveCreatures();
        target.ActivateCreatures();
        return true;
    }
    return false;
}

void Habitat::MarkStageDone(const int32_t stageIndex)
{
    for (Stage& stage : mStages) {
        if (stage.mIndex == stageIndex) {
            stage.mPending = false;
            return;
        }
    }
}

void Habitat::ResetStages()
{
    for (Stage& stage : mStages)
        stage.mPending = true;
    ComputeTotalGoals();
    mCollectedGoals = 0;
}

void Habitat::ResumeAtStage(const int32_t stageIndex)
{
    mCollectedGoals = 0;
    for (Stage& stage : mStages) {
        stage.mPending = stage.mIndex >= stageIndex;
        if (stage.mIndex <= stageIndex)
            stage.ActivateCreatures();
    }
    ComputeTotalGoals();
}

void Habitat::ClearActiveCreatures()
{
    for (const std::unique_ptr<Creature>& creature : mCreatures)
        creature->mActive = false;
}

void Habitat::AddStageProgress(const Stage& stage)
{
    // A goal whose creature is gone counts too: the habitat's total holds it.
    for (const StageGoal& goal : stage.mGoals) {
        if (goal.mCount >= 0)
            mCollectedGoals += goal.mCount;
    }
}

Creature* Habitat::PickCreatureForCell(GameRandom& random, const int32_t row, const TileCounts* const board,
                                       const bool initialFill) const
{
    if (board == nullptr)
        return nullptr;
    // The first of equally rare creatures in list order wins.
    Creature* rarest = nullptr;
    int32_t fewest = 1000;
    for (const std::unique_ptr<Creature>& creature : mCreatures) {
        if (!creature->mActive || creature->mLevel < 0)
            continue;
        const int32_t count = board->CountTilesOf(*creature);
        if (count < fewest) {
            fewest = count;
            rarest = creature.get();
        }
    }
    // A stage that deals no creature still gets a tile: the random pick always gives one.
    if (random.Next(99) <= kRarestPickMaxDraw && rarest != nullptr)
        return rarest;
    return PickRandomCreature(random, row, board, initialFill);
}

Creature* Habitat::PickRandomCreature(GameRandom& random, const int32_t row, const TileCounts* const board,
                                      const bool initialFill) const
{
    ZEST_ASSERT(board != nullptr);
    ZEST_ASSERT(!mCreatures.empty());
    const uint32_t last = static_cast<uint32_t>(mCreatures.size()) - 1;

    // Only an item is taken from the first draw; the conditions are tested in this order so
    // that the standard generator is drawn only for an item that passed the others.
    Creature* const drawn = mCreatures[random.Next(last)].get();
    if (drawn->IsItem() && board->CountTilesOfLevel(drawn->mLevel) < kItemCap &&
        !(row == kBottomRow && initialFill) && drawn->mActive && !board->HasHunterTile() &&
        Zest::Rand() % 100 <= drawn->mSpawnChance)
        return drawn;

    for (int32_t draw = 0; draw < kCreatureDraws; ++draw) {
        Creature* const creature = mCreatures[random.Next(last)].get();
        if (creature->mActive && creature->mLevel > 0)
            return creature;
    }
    return mCreatures.front().get();
}

float Habitat::GetProgress() const
{
    if (mTotalGoals == 0)
        return 0.0f;
    return static_cast<float>(mCollectedGoals) / static_cast<float>(mTotalGoals);
}

bool Habitat::LoadResources(ResourceGroupSource& resources)
{
    if (!resources.LoadGroup(mResourceGroup)) {
        resources.ReportFatalError();
        return false;
    }
    const HabitatGroupIds* const ids = FindHabitatGroupIds(mResourceGroup);
    if (ids == nullptr)
        return true;
    // The whole group fills its variables, the mini-game's picture too, although only the
    // play screen's two pictures are kept here.
    if (!resources.ExtractGroup(mResourceGroup)) {
        resources.ReportFatalError();
        return false;
    }
    mBackImage = *ids->mBackImage;
    mTopImage = *ids->mTopImage;
    return true;
}

void Habitat::UnloadResources(ResourceGroupSource& resources)
{
    resources.DeleteGroup(mResourceGroup);
}
