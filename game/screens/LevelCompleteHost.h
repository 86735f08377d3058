#pragma once
// What the level report asks of the game whose level it closes.

#include <cstdint>

namespace Zest {
class Image;
}

class AnimatedWidget;
class PlayerProfile;
class TextStyleHost;

class LevelCompleteHost {
public:
    virtual ~LevelCompleteHost() = default;

    // Takes the report down; it is deleted after the current update.
    virtual void CloseLevelComplete() = 0;
    // Points may be negative.
    virtual void AddScore(int32_t points) = 0;
    // The finished level's number: the habitat's index.
    virtual int32_t GetLevelNumber() const = 0;
    // The player of the game; null when no profile is current.
    virtual PlayerProfile* GetCurrentProfile() const = 0;
    // Writes profiles.dat; a failure is reported to the player.
    virtual bool SaveProfiles() = 0;
    // Takes the finished game out of the widget tree; it is deleted after the current update
    // and hands its score on to the next game as it goes.
    virtual void RemoveGameSession() = 0;
    // The partner's call, the memo and the habitat's award, before the level `nextLevel`.
    virtual void ShowReceivingAwardsScreen(int32_t nextLevel) = 0;
    // Prepares a sprite to play the image's strip, ready and on its first cell.
    virtual void SetupAnimatedWidget(AnimatedWidget& widget, Zest::Image* image) const = 0;
    virtual const TextStyleHost& GetTextStyle() const = 0;
};
