#pragma once
// The food chains of three creatures that the food-web screen lists for one creature of a
// habitat, found in the habitat's food links.

#include <array>
#include <vector>

class Creature;
class Habitat;

// Three creatures in the order the search stores them: for a creature of level 3 or more the
// chain runs down from the top, otherwise up from the bottom (the screen draws those
// reversed, so that every row reads from the highest level to the lowest).
using FoodChain = std::array<const Creature*, 3>;

// Every chain the screen offers for `creature`, in the order it finds them; the screen
// shows the first three. A creature of level 3 or more gets one chain through each of its
// preys that eats something, or else one through its first predator and first prey; a lower
// creature gets one through each of its predators. A lower creature whose predator is eaten
// by nobody and which eats nothing falls back to the chains of its predators that are eaten,
// up to three in all.
std::vector<FoodChain> FindFoodChains(const Habitat& habitat, const Creature& creature);
