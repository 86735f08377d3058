#include "game/FoodWebChains.h"

#include "game/Creature.h"
#include "game/FoodLink.h"
#include "game/Habitat.h"

namespace {

// Chains of creatures from level 3 up are stored from the creature downwards.
constexpr int32_t kTopLevel = 3;

// The prey of the first link in which the creature eats; null when it eats nothing.
const Creature* FirstPrey(const Habitat& habitat, const Creature& predator)
{
    for (const FoodLink& link : habitat.mFoodLinks) {
        if (link.mPredator == &predator)
            return link.mPrey;
    }
    return nullptr;
}

// The predator of the first link in which the creature is eaten; null when nothing eats it.
const Creature* FirstPredator(const Habitat& habitat, const Creature& prey)
{
    for (const FoodLink& link : habitat.mFoodLinks) {
        if (link.mPrey == &prey)
            return link.mPredator;
    }
    return nullptr;
}

// Down from the creature through each of its preys (duplicate links too) that eats something;
// failing every one, through its first predator and first prey.
std::vector<FoodChain> FindChainsDown(const Habitat& habitat, const Creature& top)
{
    std::vector<FoodChain> chains;
    for (const FoodLink& link : habitat.mFoodLinks) {
        if (link.mPredator != &top)
            continue;
        if (const Creature* const below = FirstPrey(habitat, *link.mPrey))
            chains.push_back({&top, link.mPrey, below});
    }
    const Creature* const prey = FirstPrey(habitat, top);
    if (chains.empty() && prey != nullptr && !top.mPredators.empty())
        chains.push_back({top.mPredators.front(), &top, prey});
    return chains;
}

// Up from the creature through each of its predators: to the predator's own first predator,
// else down to the creature's first prey. A predator eaten by nobody over a creature that
// eats nothing ends that and starts over with the predators that are eaten, which repeats the
// chains found so far while there is room, up to three in all.
std::vector<FoodChain> FindChainsUp(const Habitat& habitat, const Creature& bottom)
{
    static constexpr size_t kFallbackChains = 3;
    std::vector<FoodChain> chains;
    for (const Creature* const predator : bottom.mPredators) {
        if (const Creature* const above = FirstPredator(habitat, *predator)) {
            chains.push_back({&bottom, predator, above});
        } else if (const Creature* const prey = FirstPrey(habitat, bottom)) {
            chains.push_back({prey, &bottom, predator});
        } else {
            for (const Creature* const eaten : bottom.mPredators) {
                if (!eaten->mPredators.empty() && chains.size() < kFallbackChains)
                    chains.push_back({&bottom, eaten, eaten->mPredators.front()});
            }
            break;
        }
    }
    return chains;
}

} // namespace

std::vector<FoodChain> FindFoodChains(const Habitat& habitat, const Creature& creature)
{
    if (creature.mLevel >= kTopLevel)
        return FindChainsDown(habitat, creature);
    return FindChainsUp(habitat, creature);
}
