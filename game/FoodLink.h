#pragma once
// One link of a habitat's food web: the predator eats the prey. Links are stored directed;
// whether two tiles may stand next to each other in a food chain ignores the direction.

class Creature;

struct FoodLink {
    Creature* mPredator;
    Creature* mPrey;
};
