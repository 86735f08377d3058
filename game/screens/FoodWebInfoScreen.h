#pragma once
// The food web of the running habitat, over the hidden board: every creature (not the power
// items nor the hunter) as a tile, in one row per food-chain level with the highest level on
// top. Resting the pointer on a tile shows the creature's picture, name and description on
// the left; a click on it lists up to three food chains through it. Back returns to the
// board, unless the pause menu is open over the screen.

#include "game/FoodWebChains.h"
#include "game/screens/BasicMenu.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace Zest {
class Graphics;
class WidgetManager;
} // namespace Zest

class Creature;
class FoodWebHost;
class Habitat;
class InfoRegion;
class MenuItem;
class TextStyleHost;

class FoodWebInfoScreen : public BasicMenu {
public:
    // A tile's size and the pitch of the tiles and rows.
    static constexpr int32_t kTileSize = 90;
    static constexpr int32_t kTilePitch = 95;
    static constexpr int32_t kRowPitch = 92;
    // The regions' overlay (their detail panel) comes before the screen's (help text and
    // scan lines).
    static constexpr int32_t kRegionOverlayPriority = 5;
    static constexpr int32_t kOverlayPriority = 10;

    // The hosts and the habitat must outlive the screen; the game sizes it to the screen.
    FoodWebInfoScreen(Habitat* habitat, FoodWebHost* game, const TextStyleHost* textStyle);
    // Regions still held leave their parent and are queued for deletion.
    ~FoodWebInfoScreen() override;

    // The top-left corner of a tile: `indexInRow` of `rowCount` tiles on the row of `level`,
    // where `maxLevel` is the highest level of the habitat (its row is the top one).
    static std::pair<int32_t, int32_t> GetRegionPosition(int32_t level, int32_t maxLevel, int32_t rowCount,
                                                         int32_t indexInRow);

    // Makes a region for every creature of level 0 or more, in the habitat's order, and the
    // Back button, which fades in.
    void AddedToManager(Zest::WidgetManager* manager) override;
    // The regions and the Back button leave with the screen and are deleted after the
    // current update.
    void RemovedFromManager(Zest::WidgetManager* manager) override;
    void Draw(Zest::Graphics* g) override;
    // The help text while no tile is under the pointer, and the scan lines.
    void DrawOverlay(Zest::Graphics* g) override;

    // The Back button.
    void OnBack();

    // The widget manager the regions were added to, known once the screen has left it.
    Zest::WidgetManager* mManager = nullptr;
    // Owned through the widget tree; one per creature of level 0 or more.
    std::vector<InfoRegion*> mRegions;
    // Also in mItems.
    MenuItem* mBackButton = nullptr;
    // Not owned.
    Habitat* mHabitat;
    FoodWebHost* mGame;
    const TextStyleHost* mTextStyle;
    // The pointer is over one of the regions.
    bool mRegionHovered = false;

private:
    void AddBackButton(Zest::WidgetManager* manager);
    // Takes every region still held out of the manager and queues it for deletion.
    void ReleaseRegions();
};

// One creature's tile on the food-web screen, and its detail panel while the pointer is
// over it.
class InfoRegion : public Zest::Widget {
public:
    // The chains are found here, once.
    InfoRegion(const Creature* creature, FoodWebInfoScreen* screen, const Habitat* habitat);

    // The tile at the screen's opacity; the panel in the overlay pass.
    void Draw(Zest::Graphics* g) override;
    // While the pointer is over the tile: the creature's picture, name and description, and
    // once it was clicked its chains (three at most) with their example text.
    void DrawOverlay(Zest::Graphics* g) override;
    void MouseEnter() override;
    // Also forgets the click.
    void MouseLeave() override;
    // Any button.
    void MouseButtonDown(int x, int y, int button, int clickCount) override;

    // Not owned.
    const Creature* mCreature;
    FoodWebInfoScreen* mScreen;
    const Habitat* mHabitat;
    std::vector<FoodChain> mChains;
    // Clicked since the pointer arrived.
    bool mSelected = false;

private:
    // The chains' panel: the first three chains and the example text.
    void DrawChains(Zest::Graphics* g) const;
};
