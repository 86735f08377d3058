#pragma once
// The help pages over the main menu: eighteen pages that explain the game, each with a
// title, its texts and pictures, several with a small animation of a chain being dragged
// across tiles. Next and Previous leaf through them and wrap around; Done closes the pages
// and brings the main menu's buttons back. The application sizes the screen to the
// parchment and centres it; the buttons are made when it joins the widget tree.

#include "game/screens/BasicMenu.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace Zest {
class Graphics;
class WidgetManager;
} // namespace Zest

class HowToPlayHost;
class TextStyleHost;

class HowToPlay : public BasicMenu {
public:
    static constexpr int32_t kPageCount = 18;
    // The page with the pulsing infected tile.
    static constexpr int32_t kPulsePage = 6;
    // The pages and their buttons lie above the menu and its dialogs.
    static constexpr int32_t kOverlayPriority = 55;
    // The sample animation advances once every this many smooth updates.
    static constexpr int32_t kSampleStepUpdates = 40;
    // The step the sample starts with; it counts on to the number of sample points and
    // wraps to 0.
    static constexpr int32_t kFirstSampleStep = 1;

    // The hosts must outlive the screen.
    HowToPlay(HowToPlayHost* host, const TextStyleHost* textStyle);
    ~HowToPlay() override = default;

    // Done, Next and Previous, above the screen.
    void AddedToManager(Zest::WidgetManager* manager) override;
    // Counts the update and steps the sample; the screen does not fade.
    void UpdateSmooth(float fraction) override;
    // Only asks for the overlay: the pages lie above the main menu's buttons.
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;

    // The buttons' actions.
    void OnDone();
    void NextPage();
    void PreviousPage();

    // The dotted link of a sample chain from a towards b, in the screen's coordinates.
    void DrawSampleLink(Zest::Graphics* g, std::pair<float, float> a, std::pair<float, float> b) const;

    // Not owned.
    HowToPlayHost* mHost;
    const TextStyleHost* mTextStyle;
    // 0 to kPageCount - 1.
    int32_t mPage = 0;
    // The tiles of the first page's sample chain, in the order it is dragged.
    std::vector<std::pair<float, float>> mSamplePoints;
    // 0 to the number of sample points; turning the page keeps it.
    int32_t mSampleStep = kFirstSampleStep;
    // Smooth updates since the page was last turned.
    int32_t mUpdateCount = 0;

private:
    // The page's title, texts and pictures, in the screen's coordinates.
    void DrawPage(Zest::Graphics* g) const;
    void DrawBasicsSample(Zest::Graphics* g) const;
    void DrawFoodChainSample(Zest::Graphics* g, int32_t bottom) const;
    void DrawPulsingTile(Zest::Graphics* g, int32_t bottom) const;
    void DrawAwardRing(Zest::Graphics* g) const;
};
