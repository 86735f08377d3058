#pragma once
// The level report: a science-report card over the finished game that counts up the bonus
// points of four of the level's statistics one row after the other, stamps each finished
// row, slides the signature in and shows the total. Its Done button, made when the count is
// over, adds the bonuses to the score, stores the statistics and the next level in the
// player's profile (and writes profiles.dat), ends the game and opens the receiving-awards
// screen.

#include "game/AnimatedWidget.h"
#include "game/screens/BasicMenu.h"

#include <cstdint>

namespace Zest {
class Graphics;
class WidgetManager;
} // namespace Zest

class GameStats;
class LevelCompleteHost;
class MenuItem;

class LevelCompleteMenu : public BasicMenu {
public:
    // Count-up phases, in their order: the four rows (species, chains, longest chain,
    // mini-game), the signature's slide, the Done button's making, and waiting for Done.
    enum Phase : int32_t {
        PHASE_SPECIES = 0,
        PHASE_CHAINS = 1,
        PHASE_LONGEST_CHAIN = 2,
        PHASE_MINI_GAME = 6,
        PHASE_SIGNATURE = 7,
        PHASE_MAKE_DONE = 8,
        PHASE_DONE_SHOWN = 9,
    };
    static constexpr int32_t kOverlayPriority = 100;
    static constexpr int32_t kButtonPriority = 110;

    // The host and the statistics must outlive the report; the session sizes it to the
    // score card and centres it on the screen.
    LevelCompleteMenu(LevelCompleteHost* game, GameStats* stats);

    void AddedToManager(Zest::WidgetManager* manager) override;
    // The Done button leaves with the report.
    void RemovedFromManager(Zest::WidgetManager* manager) override;
    // One step of the count-up per fixed update, once the report is fully shown.
    void Update() override;
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;

    // The bonus of the four rows together, as the report shows it.
    int32_t GetTotalBonus() const;
    // The Done button.
    void OnDone();

    // The running count of the current phase.
    int32_t mCounter = 0;
    Zest::WidgetManager* mManager = nullptr;
    // Also in mItems, which owns it; null until the count-up ends.
    MenuItem* mDoneButton = nullptr;
    // Not owned.
    LevelCompleteHost* mGame;
    GameStats* mStats;
    int32_t mPhase = PHASE_SPECIES;
    // Stamps each finished row once.
    AnimatedWidget mStampAnim;

private:
    // One update of the count of the row at that index.
    void CountRow(int32_t row);
    // The stamp plays its cells once more from the first.
    void RestartStamp();
    void MakeDoneButton();
    // The rows the count has reached, with their values so far.
    void DrawRows(Zest::Graphics* g, int32_t right) const;
    // The stamp's cell centred on its own size from that point, while it has not finished.
    void DrawStamp(Zest::Graphics* g, int32_t x, int32_t y);
    // The value the row shows now: counting up while its phase runs, its bonus afterwards.
    int32_t GetShownValue(int32_t row) const;
};
