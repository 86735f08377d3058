#pragma once
// The twenty awards: their text keys, pictures and the goals of the feats. Awards 0 to 9
// belong to the habitats (award h for finishing the habitat of index h); awards 10 to 19 are
// feats, earned when a lifetime counter of the running game reaches its goal. A player owns
// award i when entry i of the profile's award flags is set; these functions only read the
// flags, the awards screen sets them.

#include "game/GameStats.h"
#include "game/HabitatBuilder.h"
#include "game/Res.h"

#include "framework/graphics/Color.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace Zest {
class Graphics;
}

constexpr int32_t AWARD_COUNT = 20;
// The first feat; the awards before it are the habitats'.
constexpr int32_t FIRST_FEAT_AWARD = 10;

struct AwardInfo {
    const char* mNameKey;
    const char* mDescriptionKey;
    ResourceId mPicture;
};

// Entry i is award i.
extern const std::array<AwardInfo, AWARD_COUNT> gAwards;

// A feat: the award earned once the counter reaches the goal.
struct FeatGoal {
    int32_t mAward;
    int32_t GameStats::*mCounter;
    int32_t mGoal;
};

constexpr int32_t FEAT_COUNT = AWARD_COUNT - FIRST_FEAT_AWARD;

// Every feat once, in the order CheckForNewAward tests them (not the award order).
extern const std::array<FeatGoal, FEAT_COUNT> gFeatTestOrder;

// The string-table text of the award's name, or "not found" for an index outside 0 to 19.
std::string GetAwardName(int32_t index, const TextLookup& getString);
// The shared habitat text for awards 0 to 9, the feat's own for 10 to 19, "not found"
// outside.
std::string GetAwardDescription(int32_t index, const TextLookup& getString);

// The first feat that the counters have earned and the flags do not own yet, or -1. Feats
// are tested in a fixed order that is not the index order (the column feat before the row
// feat, the web feat before the banana feat), so several earned at once come one by one in
// that order as each is granted.
int32_t CheckForNewAward(const GameStats& stats, std::span<const bool, AWARD_COUNT> owned);

// Draws the award's picture: full size with its top-left corner at (x, y), or half size
// centred on (x, y) with linear blending switched on (it stays on). With the name, writes
// it in FONT_IN_GAME_LABELS and textColor, centred under where the full-size picture would
// lie, 15 pixels below it; the font and colour stay set on g. An index outside 0 to 19, or a
// picture not loaded yet, draws nothing.
void DrawAward(int32_t index, Zest::Graphics* g, float x, float y, bool halfSize, const Zest::Color& textColor,
               bool withName, const TextLookup& getString);
