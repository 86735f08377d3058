#include "game/Stage.h"

#include "game/Creature.h"

#include "framework/app/common/Assert.h"
#include "framework/app/common/RuntimeRandom.h"

#include <algorithm>

void Stage::AddGoal(Creature* const creature, const int32_t count)
{
    mGoals.push_back({creature, count});
}

void Stage::AddEvent(const int32_t kind, const int32_t chance)
{
    mEventKinds.push_back(kind);
    mEventChances.push_back(chance);
}

StageGoal Stage::GetGoal(const int32_t index) const
{
    ZEST_ASSERT(index >= 0 && index < GetGoalCount());
    return mGoals[index];
}

int32_t Stage::GetGoalTarget(const int32_t index) const
{
    // A stage whose targets were set by hand may have fewer than goals: a goal without one
    // is not counted.
    if (index < 0 || index >= static_cast<int32_t>(mGoalTargets.size()))
        return StageGoal::NOT_COUNTED;
    return mGoalTargets[index];
}

bool Stage::CountCreature(const Creature* const creature)
{
    for (StageGoal& goal : mGoals) {
        if (goal.mCreature == nullptr || goal.mCreature != creature || goal.mCount < 0)
            continue;
        --goal.mCount;
        if (goal.mCount >= 0)
            return true;
        goal.mCount = 0;
        return false;
    }
    return false;
}

bool Stage::AllGoalsDone() const
{
    int32_t open = 0;
    for (const StageGoal& goal : mGoals) {
        if (goal.mCreature != nullptr && goal.mCount >= 0)
            open += goal.mCount;
    }
    return open == 0;
}

void Stage::ClearGoalCounts()
{
    for (StageGoal& goal : mGoals)
        goal.mCount = 0;
}

void Stage::ResetTargets()
{
    mGoalTargets.clear();
    for (const StageGoal& goal : mGoals)
        mGoalTargets.push_back(goal.mCount);
}

void Stage::ActivateCreatures() const
{
    for (const StageGoal& goal : mGoals) {
        if (goal.mCreature != nullptr)
            goal.mCreature->mActive = true;
    }
}

template <typename Visit>
void Stage::ForEachTarget(Visit visit) const
{
    // A stage whose targets were set by hand may have fewer than goals; only the pairs that
    // exist count.
    const size_t pairs = std::min(mGoals.size(), mGoalTargets.size());
    for (size_t i = 0; i < pairs; ++i) {
        if (mGoalTargets[i] != StageGoal::NOT_COUNTED)
            visit(mGoals[i], mGoalTargets[i]);
    }
}

int32_t Stage::GetCompletionPercent() const
{
    float sum = 0.0f;
    int32_t targeted = 0;
    ForEachTarget([&](const StageGoal& goal, const int32_t target) {
        if (goal.mCreature == nullptr)
            return;
        // A target of 0 (only a damaged save has one) has nothing left to collect.
        sum += target == 0 ? 100.0f : static_cast<float>(target - goal.mCount) / static_cast<float>(target) * 100.0f;
        ++targeted;
    });
    if (targeted == 0)
        return 100;
    return static_cast<int32_t>(sum / static_cast<float>(targeted));
}

int32_t Stage::GetCollectedTotal() const
{
    // Goals whose creature is gone count too: what was collected of them before the game
    // was saved is in the habitat's progress.
    int32_t collected = 0;
    ForEachTarget([&](const StageGoal& goal, const int32_t target) { collected += target - goal.mCount; });
    return collected;
}

void Stage::RollEvent(int32_t& state, int32_t& event) const
{
    if (state != ROLL_STATE_PLAY)
        return;
    event = -1;
    // The lists are kept in pairs; a kind without its chance never fires.
    const size_t events = std::min(mEventKinds.size(), mEventChances.size());
    if (events == 0)
        return;
    const size_t pick = static_cast<size_t>(Zest::Rand()) % events;
    const int32_t percent = Zest::Rand() % 100;
    if (percent < 100 - mEventChances[pick])
        return;
    state = ROLL_STATE_EVENT;
    event = mEventKinds[pick];
}
