#pragma once
// The saved form of a Stage inside a saved game: the goals with their creatures' display
// names, counts and targets, the stage's switches, and its events when power items are on.
//
// G (Long), G goals of name (String; "unknown" for a goal without a creature), count and
// target (Longs); mIndex, mExtraB, mExtraA (Longs), mPending (Boolean), mMode, mPlateKind,
// mPanicChance, mMaxFrameShape, mPowerItems (Longs); only when mPowerItems is not
// POWER_ITEMS_OFF: K (Long), K event kinds, then K event chances (Longs).

#include <string>

namespace Zest {
class Buffer;
}

class HabitatRegistry;
class SaveFileReader;
class Stage;

void WriteStage(Zest::Buffer& buffer, const Stage& stage);

// A new stage from the saved form. Goal creatures are looked up by name in the habitat;
// one it no longer has (or "unknown") gives a goal with a null creature, which play passes
// over. A damaged record marks the reader damaged; the stage is then of no use.
Stage ReadStage(SaveFileReader& reader, const std::string& habitatName, const HabitatRegistry& habitats);
