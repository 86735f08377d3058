#pragma once
// The end of a game without moves: the game behind darkens step by step while the eight
// letters of the title come together from above and below. Its Done button, which works at
// once, offers the score to the high-score list, starts the player's adventure over, ends
// the game and returns to the main menu, with the high-score table open on the new row when
// the score entered the list.

#include "game/screens/BasicMenu.h"

#include <cstdint>

namespace Zest {
class Graphics;
class WidgetManager;
} // namespace Zest

class GameOverHost;
class MenuItem;
class TextStyleHost;

class GameOverMenu : public BasicMenu {
public:
    // The screen is drawn in the overlay pass at kOverlayPriority, its button just above.
    static constexpr int32_t kOverlayPriority = 100;
    static constexpr int32_t kButtonPriority = 110;
    // The Done button's top on the screen, centred across it.
    static constexpr int32_t kDoneTop = 540;
    // Smooth updates counted; the letters arrive at kArrivalCount and the count stops one
    // later.
    static constexpr int32_t kArrivalCount = 200;
    static constexpr int32_t kLastCount = kArrivalCount + 1;
    static constexpr int32_t kLetterCount = 8;

    // The hosts must outlive the screen; the game sizes it to the whole screen.
    GameOverMenu(GameOverHost* game, const TextStyleHost* textStyle);

    // Makes the Done button in window coordinates.
    void AddedToManager(Zest::WidgetManager* manager) override;
    // The button leaves with the screen.
    void RemovedFromManager(Zest::WidgetManager* manager) override;
    // Counts the updates that bring the letters in.
    void UpdateSmooth(float fraction) override;
    void Draw(Zest::Graphics* g) override;
    // The darkening, the letters and the scan lines.
    void DrawOverlay(Zest::Graphics* g) override;

    // The Done button.
    void OnDone();

    // Smooth updates since the screen opened, 0 to kLastCount.
    int32_t mUpdateCount = 0;
    // Also in mItems, which owns it; null until the screen joins the manager and after it
    // leaves.
    MenuItem* mDoneButton = nullptr;
    // Not owned.
    GameOverHost* mGame;
    const TextStyleHost* mTextStyle;
};
