#include "game/FoodWebChains.h"

#include "game/Creature.h"
#include "game/Habitat.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Tests {
namespace {

using NamedChain = std::array<std::string, 3>;

struct ChainCase {
    const char* mTitle;
    std::vector<std::pair<std::string, int32_t>> mCreatures;
    // (predator, prey) in link order.
    std::vector<std::pair<std::string, std::string>> mLinks;
    std::string mCreature;
    std::vector<NamedChain> mChains;
};

// The chains found for the case's creature in a habitat built as the game builds its own: the
// creatures, the links in order, then the predator lists.
std::vector<NamedChain> FindNamedChains(const ChainCase& c)
{
    Habitat habitat("Test");
    for (const auto& [name, level] : c.mCreatures)
        habitat.AddCreature(std::make_unique<Creature>(name, level, nullptr, nullptr));
    for (const auto& [predator, prey] : c.mLinks) {
        Creature* const eater = habitat.FindCreature(predator);
        Creature* const eaten = habitat.FindCreature(prey);
        EXPECT_TRUE(eater != nullptr && eaten != nullptr) << predator << " > " << prey;
        habitat.AddFoodLink(eater, eaten);
    }
    habitat.BuildPredatorLists();
    const Creature* const creature = habitat.FindCreature(c.mCreature);
    EXPECT_NE(creature, nullptr);
    std::vector<NamedChain> named;
    for (const FoodChain& chain : FindFoodChains(habitat, *creature))
        named.push_back({chain[0]->mName, chain[1]->mName, chain[2]->mName});
    return named;
}

TEST(FoodWebChainsTest, FindsTheChainsThroughACreature)
{
    const ChainCase cases[] = {
        {"a hunter's chains run down through each prey that eats something, to its first prey",
         {{"Wolf", 4}, {"Deer", 2}, {"Berry", 1}, {"Hare", 2}, {"Clover", 1}, {"Grass", 1}},
         {{"Wolf", "Deer"}, {"Wolf", "Berry"}, {"Wolf", "Hare"}, {"Hare", "Clover"}, {"Hare", "Grass"},
          {"Deer", "Grass"}},
         "Wolf",
         {{"Wolf", "Deer", "Grass"}, {"Wolf", "Hare", "Clover"}}},
        {"a hunter's duplicated link gives its chain twice",
         {{"Wolf", 4}, {"Deer", 2}, {"Grass", 1}},
         {{"Wolf", "Deer"}, {"Deer", "Grass"}, {"Wolf", "Deer"}},
         "Wolf",
         {{"Wolf", "Deer", "Grass"}, {"Wolf", "Deer", "Grass"}}},
        {"a level-3 hunter whose preys eat nothing: its first predator, itself, its first prey",
         {{"Eagle", 5}, {"Snake", 3}, {"Egg", 1}, {"Berry", 1}, {"Hawk", 5}},
         {{"Hawk", "Snake"}, {"Snake", "Egg"}, {"Eagle", "Snake"}, {"Snake", "Berry"}},
         "Snake",
         {{"Hawk", "Snake", "Egg"}}},
        {"a hunter whose preys eat nothing and which nobody eats has none",
         {{"Snake", 3}, {"Egg", 1}},
         {{"Snake", "Egg"}},
         "Snake",
         {}},
        {"a hunter without prey has none, even when it is eaten",
         {{"Eagle", 5}, {"Snake", 3}},
         {{"Eagle", "Snake"}},
         "Snake",
         {}},
        {"a level-2 creature that nobody eats has none, even when it eats",
         {{"Hare", 2}, {"Grass", 1}},
         {{"Hare", "Grass"}},
         "Hare",
         {}},
        {"a plant's chains run up through each predator to that predator's first predator",
         {{"Grass", 1}, {"Hare", 2}, {"Fox", 3}, {"Owl", 4}, {"Deer", 2}, {"Wolf", 4}},
         {{"Hare", "Grass"}, {"Fox", "Hare"}, {"Owl", "Hare"}, {"Deer", "Grass"}, {"Wolf", "Deer"}},
         "Grass",
         {{"Grass", "Hare", "Fox"}, {"Grass", "Deer", "Wolf"}}},
        {"a herbivore whose predator nobody eats: its first prey, itself, the predator",
         {{"Hare", 2}, {"Clover", 1}, {"Grass", 1}, {"Fox", 3}},
         {{"Hare", "Clover"}, {"Fox", "Hare"}, {"Hare", "Grass"}},
         "Hare",
         {{"Clover", "Hare", "Fox"}}},
        {"a plant whose second predator nobody eats repeats the first chain, then takes the next "
         "eaten predator's, three in all",
         {{"Grass", 1}, {"Hare", 2}, {"Deer", 2}, {"Mouse", 2}, {"Vole", 2}, {"Fox", 3}, {"Owl", 3}, {"Snake", 3}},
         {{"Hare", "Grass"}, {"Deer", "Grass"}, {"Mouse", "Grass"}, {"Vole", "Grass"}, {"Fox", "Hare"},
          {"Owl", "Mouse"}, {"Snake", "Vole"}},
         "Grass",
         {{"Grass", "Hare", "Fox"}, {"Grass", "Hare", "Fox"}, {"Grass", "Mouse", "Owl"}}},
        {"a plant whose first predator nobody eats: only the eaten predators' chains",
         {{"Grass", 1}, {"Deer", 2}, {"Hare", 2}, {"Fox", 3}},
         {{"Deer", "Grass"}, {"Hare", "Grass"}, {"Fox", "Hare"}},
         "Grass",
         {{"Grass", "Hare", "Fox"}}},
    };
    for (const ChainCase& c : cases) {
        SCOPED_TRACE(c.mTitle);
        EXPECT_EQ(FindNamedChains(c), c.mChains);
    }
}

} // namespace
} // namespace Tests
