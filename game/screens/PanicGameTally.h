#pragma once
// The survivor game's result: a panel that counts up, one by one, the creatures lost to the
// infection and then those saved, gives its verdict beside the letter-writer's portrait and
// offers one button: Continue, which ends the survivor game with its points, when no more
// were lost than saved, else Done, which ends it without.

#include "game/screens/BasicMenu.h"

#include <cstdint>

namespace Zest {
class Color;
class Graphics;
class WidgetManager;
} // namespace Zest

class MenuItem;
class PanicGameTallyHost;

class PanicGameTally : public BasicMenu {
public:
    enum Phase : int32_t {
        PHASE_COUNT_LOST = 0,
        PHASE_COUNT_SAVED = 1,
        PHASE_PAUSE = 2,
        PHASE_RESULT = 3,
    };
    // Fixed updates per counted unit, and of the pause before the verdict (it ends on the
    // update after this many).
    static constexpr int32_t kUpdatesPerUnit = 20;
    static constexpr int32_t kPauseUpdates = 150;
    static constexpr int32_t kOverlayPriority = 50;
    static constexpr int32_t kButtonPriority = 51;

    // `survivors`: the board's saved (flagged) cells, `trapped`: its trapped creatures, both
    // counted when the survivor game ended. The host must outlive the panel; the game sizes
    // it to the panel picture and centres it.
    PanicGameTally(PanicGameTallyHost* game, int32_t survivors, int32_t trapped);

    void AddedToManager(Zest::WidgetManager* manager) override;
    // The button leaves with the panel.
    void RemovedFromManager(Zest::WidgetManager* manager) override;
    // One step of the count per fixed update.
    void Update() override;
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;

    // More were saved than lost: the success text and sound. The button's test differs: a
    // tie still offers Continue.
    bool IsSuccess() const { return mSurvivors > mTrapped; }
    bool EarnsPoints() const { return mTrapped <= mSurvivors; }
    // The button's actions.
    void OnContinue();
    void OnDone();

    Zest::WidgetManager* mManager = nullptr;
    int32_t mCounter = 0;
    int32_t mPhase = PHASE_COUNT_LOST;
    int32_t mSurvivors;
    int32_t mTrapped;
    int32_t mTrappedIconAlpha = 255;
    int32_t mSurvivorIconAlpha = 255;
    int32_t mSurvivorsShown = 0;
    int32_t mTrappedShown = 0;
    // Also in mItems, which owns it; null until the verdict.
    MenuItem* mButton = nullptr;
    // Not owned.
    PanicGameTallyHost* mGame;

private:
    // One update of a count; true when it has reached its total.
    bool StepCount(int32_t& shown, int32_t& iconAlpha, int32_t total);
    void MakeButton();
    // A shown count in the large digits, left from `base` (see the drawing for the layout).
    void DrawCount(Zest::Graphics* g, int32_t count, float base, const Zest::Color& color) const;
};
