#pragma once
// The question before a new adventure replaces the one in progress: a panel over the whole
// darkened screen, so that only its Yes and No take clicks. Yes closes it and starts the new
// adventure through the game selection that opened it; No only closes it, leaving the game
// selection as it was.

#include "game/screens/BasicMenu.h"

#include <cstdint>

namespace Zest {
class Graphics;
class WidgetManager;
} // namespace Zest

class SelectGameMenu;
class TextStyleHost;

class AreYouSureMenu : public BasicMenu {
public:
    // Above the game selection's buttons; the question's own buttons share it.
    static constexpr int32_t kOverlayPriority = 70;
    // Relative to the panel's corner.
    static constexpr int32_t kYesX = 210;
    static constexpr int32_t kNoX = 20;
    static constexpr int32_t kButtonTop = 300;
    static constexpr int32_t kQuestionMargin = 20;
    static constexpr int32_t kQuestionTop = 100;
    static constexpr int32_t kQuestionHeight = 100;

    // The game selection and the host must outlive it; the selection sizes it to the screen.
    AreYouSureMenu(SelectGameMenu* selectGame, const TextStyleHost* textStyle);

    // Adds Yes and No to the widget manager.
    void AddedToManager(Zest::WidgetManager* manager) override;
    // Everything is drawn in the overlay pass, above the game selection.
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;

    // The buttons.
    void OnYes();
    void OnNo();

    // Not owned; also the BasicMenu owner.
    SelectGameMenu* mSelectGame;
    const TextStyleHost* mTextStyle;

private:
    // The panel picture's corner, centred on the screen; buttons and texts take it truncated.
    float PanelX() const;
    float PanelY() const;
};
