#pragma once
// The panel over a paused game: Resume, Restart stage, Options and Save and exit, centred
// over the darkened screen. The game opens it (GameSession::ShowPauseMenu) and takes it down
// through the menu's own buttons. The buttons are made each time the menu joins the widget
// tree and go when it leaves.

#include "game/screens/BasicMenu.h"

#include <cstdint>

namespace Zest {
class Graphics;
class WidgetManager;
} // namespace Zest

class PauseMenuHost;
class TextStyleHost;

class PauseMenu : public BasicMenu {
public:
    // The menu is drawn in the overlay pass at kOverlayPriority, its buttons just above.
    static constexpr int32_t kOverlayPriority = 50;
    static constexpr int32_t kButtonPriority = 51;
    // The buttons' tops below the menu's top, centred across it.
    static constexpr int32_t kResumeTop = 95;
    static constexpr int32_t kRestartTop = 150;
    static constexpr int32_t kOptionsTop = 205;
    static constexpr int32_t kSaveExitTop = 260;

    // The hosts must outlive the menu; the game sizes and places it.
    PauseMenu(PauseMenuHost* game, const TextStyleHost* textStyle);

    // Makes the four buttons in window coordinates.
    void AddedToManager(Zest::WidgetManager* manager) override;
    void Draw(Zest::Graphics* g) override;
    // The shade over the whole screen, the panel, its title and the scan lines.
    void DrawOverlay(Zest::Graphics* g) override;

    // The buttons.
    void OnResume();
    void OnRestartLevel();
    void OnOptions();
    void OnSaveAndExit();

    // Not owned.
    PauseMenuHost* mGame;
    const TextStyleHost* mTextStyle;
};
