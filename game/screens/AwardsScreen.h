#pragma once
// The twenty awards of the current player on one page: the ten habitat awards and the ten
// feats, earned ones in full colour, the others darkened. Resting the pointer on an award
// pops up a note with its name, description and status (a feat's progress against its
// goal). Opened with an award, the screen grants it to the player (and writes profiles.dat)
// and blinks its tile three times. Back hands over to whichever screen opened it: the
// receiving-awards screen, the running game's new-award transition, or the main menu.

#include "framework/widgets/Widget.h"
#include "game/screens/BasicMenu.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace Zest {
class Graphics;
class WidgetManager;
} // namespace Zest

class AwardsScreenHost;

// The hover area of one award and its popup note, drawn while the pointer is over it.
class AwardTile : public Zest::Widget {
public:
    static constexpr int32_t kWidth = 90;
    static constexpr int32_t kHeight = 80;
    static constexpr int32_t kOverlayPriority = 301;

    // The host must outlive the tile.
    explicit AwardTile(const AwardsScreenHost* app);

    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;

    std::string mName;
    std::string mDescription;
    // The popup's top-left corner on the screen.
    float mPopupX = 0.0f;
    float mPopupY = 0.0f;
    // The feat's progress; -1 when the award has none.
    int32_t mCounter = -1;
    // The counter's goal; -1 for a habitat award.
    int32_t mGoal = -1;
    int32_t mAwardIndex = 0;
    // Not owned.
    const AwardsScreenHost* mApp;
};

class AwardsScreen : public BasicMenu {
public:
    static constexpr int32_t kOverlayPriority = 300;
    // The blink's step of alpha per smooth update, and the fade-outs it shows.
    static constexpr int32_t kBlinkStep = 8;
    static constexpr int32_t kBlinkFadeOuts = 3;

    // `newAward` 0 to 19 grants that award to the current player; -1 only shows the awards.
    // The host must outlive the screen; the application sizes it to the whole screen.
    AwardsScreen(AwardsScreenHost* app, int32_t newAward);
    // Tiles never added to the manager are deleted here.
    ~AwardsScreen() override;

    // Makes the Back button and adds the tiles above the screen.
    void AddedToManager(Zest::WidgetManager* manager) override;
    // The Back button and the tiles leave with the screen.
    void RemovedFromManager(Zest::WidgetManager* manager) override;
    // The new award's blink.
    void UpdateSmooth(float fraction) override;
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;

    // The Back button.
    void OnBack();

    // Each award's picture corner, by award.
    std::vector<std::pair<float, float>> mTilePositions;
    // By award; owned until they leave the manager with the screen.
    std::vector<AwardTile*> mTiles;
    int32_t mNewAward;
    int32_t mBlinkAlpha = 255;
    bool mBlinkRising = false;
    // Fade-outs completed.
    int32_t mBlinkCount = 0;
    // Not owned.
    AwardsScreenHost* mApp;
};
