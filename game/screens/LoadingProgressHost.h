#pragma once
// How far the application has come with loading the resource group "Game" on its loading
// thread, for a screen that shows the progress meanwhile.

class LoadingProgressHost {
public:
    virtual ~LoadingProgressHost() = default;

    // 0 to 1: the loaded share of "Game", exactly 1 once loading has been handed over.
    virtual double GetLoadingProgress() = 0;
    // "Game" did not load: the game cannot go on, so the player is never asked to.
    virtual bool HasLoadingFailed() const = 0;
};
