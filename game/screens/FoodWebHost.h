#pragma once
// What the food-web screen asks of the game it is shown over.

class FoodWebHost {
public:
    virtual ~FoodWebHost() = default;

    virtual bool IsPauseMenuOpen() const = 0;
    // Takes the screen down and lets the game go on; the screen is deleted after the current
    // update.
    virtual void CloseFoodWebInfo() = 0;
};
