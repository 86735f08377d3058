#pragma once
// What the new-award transition asks of the running game: where the title rig's ball is
// and how fast it falls, and the awards screen it opens.

#include <cstdint>

class NewAwardHost {
public:
    virtual ~NewAwardHost() = default;

    // The y of the ball's placement in screen pixels, and its velocity's y component.
    virtual float GetWallY() const = 0;
    virtual float GetWallVelocityY() const = 0;
    // The application's awards screen is open.
    virtual bool IsAwardsScreenOpen() const = 0;
    // Opens the awards screen over everything, granting that award.
    virtual void ShowAwardsScreen(int32_t newAward) = 0;
};
