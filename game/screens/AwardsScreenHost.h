#pragma once
// What the awards screen asks of the application: the player and the running game's
// statistics, the awards' texts and pictures, and the screens it hands back to.

#include "framework/graphics/Color.h"

#include <cstdint>
#include <string>

namespace Zest {
class Graphics;
}

class GameStats;
class PlayerProfile;
class ReceivingAwardsScreen;
class TextStyleHost;

class AwardsScreenHost {
public:
    virtual ~AwardsScreenHost() = default;

    // Null when no profile is current.
    virtual PlayerProfile* GetCurrentProfile() const = 0;
    // Writes profiles.dat; a failure is reported to the player.
    virtual bool SaveProfiles() = 0;
    // The running game's statistics; null when no game runs.
    virtual const GameStats* GetSessionStats() const = 0;
    // Takes the awards screen out of the widget tree; it is deleted after the current update.
    virtual void RemoveAwardsScreen() = 0;
    // The open receiving-awards screen, or null.
    virtual ReceivingAwardsScreen* GetReceivingAwardsScreen() const = 0;
    virtual bool IsGameRunning() const = 0;
    // The running game takes its new-award transition down and plays on.
    virtual void CloseNewAward() = 0;
    virtual std::string GetAwardName(int32_t index) const = 0;
    virtual std::string GetAwardDescription(int32_t index) const = 0;
    // See the free DrawAward (Awards.h).
    virtual void DrawAward(int32_t index, Zest::Graphics* g, float x, float y, bool halfSize,
                           const Zest::Color& textColor, bool withName) const = 0;
    virtual const TextStyleHost& GetTextStyle() const = 0;
};
