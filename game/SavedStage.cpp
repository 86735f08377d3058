#include "game/SavedStage.h"

#include "framework/app/common/Buffer.h"
#include "game/Creature.h"
#include "game/HabitatRegistry.h"
#include "game/SaveFileReader.h"
#include "game/Stage.h"

#include <algorithm>

namespace {

const char* const kNoCreatureName = "unknown";

} // namespace

void WriteStage(Zest::Buffer& buffer, const Stage& stage)
{
    buffer.WriteLong(stage.GetGoalCount());
    for (int32_t i = 0; i < stage.GetGoalCount(); ++i) {
        const StageGoal goal = stage.GetGoal(i);
        buffer.WriteString(goal.mCreature != nullptr ? goal.mCreature->GetName() : kNoCreatureName);
        buffer.WriteLong(goal.mCount);
        buffer.WriteLong(stage.GetGoalTarget(i));
    }
    buffer.WriteLong(stage.mIndex);
    buffer.WriteLong(stage.mExtraB);
    buffer.WriteLong(stage.mExtraA);
    buffer.WriteBoolean(stage.mPending);
    buffer.WriteLong(stage.mMode);
    buffer.WriteLong(stage.mPlateKind);
    buffer.WriteLong(stage.mPanicChance);
    buffer.WriteLong(stage.mMaxFrameShape);
    buffer.WriteLong(stage.mPowerItems);
    if (stage.mPowerItems == Stage::POWER_ITEMS_OFF)
        return;
    // The two lists grow together; the count covers what both hold, so the file always
    // carries as many chances as kinds.
    const size_t eventCount = std::min(stage.mEventKinds.size(), stage.mEventChances.size());
    buffer.WriteLong(static_cast<int32_t>(eventCount));
    for (size_t i = 0; i < eventCount; ++i)
        buffer.WriteLong(stage.mEventKinds[i]);
    for (size_t i = 0; i < eventCount; ++i)
        buffer.WriteLong(stage.mEventChances[i]);
}

Stage ReadStage(SaveFileReader& reader, const std::string& habitatName, const HabitatRegistry& habitats)
{
    Stage stage;
    const int32_t goalCount = reader.ReadCount();
    for (int32_t i = 0; i < goalCount && !reader.IsDamaged(); ++i) {
        const std::string name = reader.ReadString();
        const int32_t count = reader.ReadLong();
        const int32_t target = reader.ReadLong();
        Creature* const creature = name == kNoCreatureName ? nullptr : habitats.FindCreature(habitatName, name);
        stage.AddGoal(creature, count);
        stage.mGoalTargets.push_back(target);
    }
    stage.mIndex = reader.ReadLong();
    stage.mExtraB = reader.ReadLong();
    stage.mExtraA = reader.ReadLong();
    stage.mPending = reader.ReadBoolean();
    stage.mMode = reader.ReadLong();
    stage.mPlateKind = reader.ReadLong();
    stage.mPanicChance = reader.ReadLong();
    stage.mMaxFrameShape = reader.ReadLong();
    stage.mPowerItems = reader.ReadLong();
    if (stage.mPowerItems == Stage::POWER_ITEMS_OFF)
        return stage;
    // A count of 0 or less has no entries after it.
    const int32_t eventCount = reader.ReadLong();
    for (int32_t i = 0; i < eventCount && !reader.IsDamaged(); ++i)
        stage.mEventKinds.push_back(reader.ReadLong());
    for (int32_t i = 0; i < eventCount && !reader.IsDamaged(); ++i)
        stage.mEventChances.push_back(reader.ReadLong());
    return stage;
}
