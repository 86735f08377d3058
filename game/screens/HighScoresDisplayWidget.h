#pragma once
// The high-score table: a dialog over the main menu listing the ten rows of the high-score
// store (rank, name, score), optionally with one row highlighted, and a back button. The
// main menu opens it (fading in) and closes it; the store is read on every frame, so the
// table always shows the current rows.

#include "game/screens/BasicMenu.h"

#include <cstdint>

namespace Zest {
class Graphics;
class WidgetManager;
} // namespace Zest

class MainMenu;
class MenuItem;

class HighScoresDisplayWidget : public BasicMenu {
public:
    // The rows' baselines start here and are one label-font height plus this apart.
    static constexpr int32_t kFirstRowBaseline = 100;
    static constexpr int32_t kRowGap = 2;
    // The back button is drawn in the overlay pass at this priority, with the buttons of the
    // game's other dialogs (under the main menu's scan lines).
    static constexpr int32_t kBackButtonPriority = 51;

    // The main menu, which must outlive the table, opens and closes it and is its owner.
    explicit HighScoresDisplayWidget(MainMenu* menu);

    // Adds the back button to the widget manager.
    void AddedToManager(Zest::WidgetManager* manager) override;
    // The darkened screen, the panel and the title at full strength; the rows at the
    // table's opacity.
    void Draw(Zest::Graphics* g) override;

    // The back button: the main menu closes the table.
    void OnBack();

    // Also in mItems, which owns it; null until added.
    MenuItem* mBackButton = nullptr;
    // Drawn in dark red; -1 or an index past the last row highlights nothing.
    int32_t mHighlightRow = -1;

private:
    MainMenu* mMenu;
};
