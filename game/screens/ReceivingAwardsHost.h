#pragma once
// What the receiving-awards screen asks of the application between two games.

#include "framework/graphics/Color.h"

#include <cstdint>
#include <string>

namespace Zest {
class Graphics;
}

class PlayerProfile;
class TextStyleHost;

class ReceivingAwardsHost {
public:
    virtual ~ReceivingAwardsHost() = default;

    virtual void StopAllMusic() = 0;
    // Loads the song under its id and, when it loads, makes it the current track and fades
    // it in from the start.
    virtual void FadeInSong(int32_t songId, const std::string& fileName, bool loop) = 0;
    // Opens the awards screen over everything, granting that award.
    virtual void ShowAwardsScreen(int32_t newAward) = 0;
    // Takes the screen out of the widget tree; it is deleted after the current update.
    virtual void RemoveReceivingAwardsScreen() = 0;
    // The smallest registered habitat index, and how many are registered.
    virtual int32_t GetFirstHabitatIndex() const = 0;
    virtual int32_t GetHabitatCount() const = 0;
    // A new game of the habitat `level`, starting from the score the finished game ended
    // with.
    virtual void StartNextHabitat(int32_t level) = 0;
    // The main menu comes back, with its buttons and the title music.
    virtual void ReturnToMainMenu() = 0;
    // Opens the credits over the main menu.
    virtual void ShowCredits() = 0;
    // Null when no profile is current.
    virtual PlayerProfile* GetCurrentProfile() const = 0;
    // Writes profiles.dat; a failure is reported to the player.
    virtual bool SaveProfiles() = 0;
    virtual const TextStyleHost& GetTextStyle() const = 0;
    // The award's picture with its top-left corner at (x, y) and its name under it.
    virtual void DrawAward(int32_t index, Zest::Graphics* g, float x, float y, bool halfSize,
                           const Zest::Color& textColor, bool withName) const = 0;
};
