#pragma once
// What the how-to-play pages ask of the application: their own removal, and the main menu
// they lie over, whose buttons come back when the pages close.

class MainMenu;

class HowToPlayHost {
public:
    virtual ~HowToPlayHost() = default;

    // Takes the pages out of the widget tree; they are deleted after the current update.
    virtual void RemoveHowToPlay() = 0;
    // Null when there is none.
    virtual MainMenu* GetMainMenu() const = 0;
};
