#pragma once
// A feat earned in play: the title rig's ball is lifted back and falls while the screen
// darkens, "NEW" riding above it and "AWARD" rising from below; once the ball rests low on
// the screen the transition opens the awards screen for the feat, once, and stays under it
// until the game takes it down.

#include "framework/widgets/Widget.h"

#include <cstdint>

namespace Zest {
class Graphics;
}

class NewAwardHost;

class NewAwardTransition : public Zest::Widget {
public:
    // Below the awards screen's overlay.
    static constexpr int32_t kOverlayPriority = 299;
    // The awards screen opens after this many smooth updates at the earliest, once the ball
    // lies below kRestLineY and moves slower than kRestSpeed.
    static constexpr int32_t kMinimumUpdates = 220;
    static constexpr float kRestLineY = 500.0f;
    static constexpr float kRestSpeed = 0.0001f;

    // The host must outlive the transition; the game sizes it to the whole screen.
    NewAwardTransition(NewAwardHost* game, int32_t award);

    void UpdateSmooth(float fraction) override;
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;

    // The darkening's alpha with the ball at `wallY`, within 0 to 255.
    static int32_t GetShadeAlpha(float wallY);

    int32_t mUpdateCount = 0;
    int32_t mAward;
    // 1 once the awards screen has been opened.
    int32_t mScreenOpened = 0;
    // Not owned.
    NewAwardHost* mGame;
};
