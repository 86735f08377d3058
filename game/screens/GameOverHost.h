#pragma once
// What the game-over screen asks of the game it ends.

#include <cstdint>

class PlayerProfile;

class GameOverHost {
public:
    virtual ~GameOverHost() = default;

    // The player whose game ended; null when no profile is current.
    virtual PlayerProfile* GetCurrentProfile() const = 0;
    // Writes profiles.dat; a failure is reported to the player.
    virtual bool SaveProfiles() = 0;
    // Takes the screen down; it is deleted after the current update.
    virtual void CloseGameOver() = 0;
    // Takes the ended game out of the widget tree; it is deleted after the current update.
    virtual void RemoveGameSession() = 0;
    // The main menu comes back, with its buttons and the title music.
    virtual void ReturnToMainMenu() = 0;
    // Opens the main menu's high-score table with that row highlighted.
    virtual void ShowHighScores(int32_t highlightRow) = 0;
};
