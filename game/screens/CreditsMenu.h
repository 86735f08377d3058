#pragma once
// The credits: a background picture over the whole window and a fixed list of lines that
// scrolls upwards through a band in the middle of the screen, each line fading in at the
// band's lower edge and out at its upper edge; after the last line the list starts again
// from the bottom. Back returns to the options menu that opened the credits, or only closes
// them when none is kept.

#include "framework/graphics/Color.h"
#include "game/screens/BasicMenu.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Zest {
class Graphics;
class WidgetManager;
} // namespace Zest

class CreditsHost;
class MenuItem;

// One line of the list, as it is drawn.
struct CreditLine {
    std::string mText;
    Zest::Color mColor;
};

class CreditsMenu : public BasicMenu {
public:
    static constexpr int32_t kOverlayPriority = 55;
    static constexpr int32_t kLineCount = 39;
    // The first line's position when the list starts: the band's lower edge.
    static constexpr float kStartY = 300.0f;
    static constexpr int32_t kLineSpacing = 20;
    // A line is drawn while its position lies in this band; it fades over this many pixels
    // at the lower edge and over the first band rows at the upper edge.
    static constexpr int32_t kBandTop = 26;
    static constexpr int32_t kBandBottom = 300;
    static constexpr int32_t kFadeInBelow = 237;
    static constexpr int32_t kFadeOutAbove = 90;
    // A line's baseline lies this far below its position.
    static constexpr int32_t kBaselineOffset = 160;

    // The headings are read from the string table now. The host must outlive the screen;
    // the application sizes it to the whole screen.
    explicit CreditsMenu(CreditsHost* app);

    // Makes the Back button in the bottom left corner.
    void AddedToManager(Zest::WidgetManager* manager) override;
    // Scrolls a third of a pixel per update; once the last line is far above the band the
    // list starts again.
    void UpdateSmooth(float fraction) override;
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;

    // The Back button.
    void OnBack();

    // Whether a line at that position is drawn.
    static bool IsInBand(int32_t position);
    // The opacity of a line at that position: 0 outside the band, rising and falling at
    // its edges, never above the menu's.
    int32_t LineAlpha(int32_t position) const;

    // Owned through mItems.
    MenuItem* mBackButton = nullptr;
    // The first line's position; the others follow kLineSpacing apart.
    float mScrollY = kStartY;
    std::vector<CreditLine> mLines;
    // Not owned.
    CreditsHost* mApp;
};
