#pragma once
// What the pause menu asks of the game it pauses.

class PauseMenuHost {
public:
    virtual ~PauseMenuHost() = default;

    // Takes the menu down: false plays on, true ends the game and returns to the main menu.
    virtual void ClosePauseMenu(bool leave) = 0;
    virtual bool IsFoodWebOpen() const = 0;
    virtual void CloseFoodWebInfo() = 0;
    // The stage again from its start, at a cost in points.
    virtual void RestartStage() = 0;
    // Stores the running game in the player's profile and writes the profiles; the game is
    // not stored again when the program ends.
    virtual void StoreGameForLater() = 0;
    // The options panel over the game; this menu steps aside until it closes.
    virtual void ShowOptionsMenu() = 0;
};
