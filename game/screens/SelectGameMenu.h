#pragma once
// The dialog that the main menu's Start adventure opens: continue the current player's
// adventure (offered only when there is one to continue), start a new one, or go back. A new
// adventure over progress asks first, in an AreYouSureMenu over the whole screen. Leaving
// closes the dialog through the main menu, which brings its buttons back, and then, unless
// the player went back, asks the application for the game session, which takes the main menu
// off the screen. The dialog object lives on until the deferred deletion, so the steps after
// its close may still read it.
//
// The dialog lies above the main menu as an overlay, its buttons just above it.

#include "game/screens/BasicMenu.h"

#include <cstdint>

namespace Zest {
class Graphics;
class WidgetManager;
} // namespace Zest

class AreYouSureMenu;
class HabitatIndexHost;
class MenuItem;
class PlayerProfile;
class ProfileHost;
class ScreenNavigationHost;
class TextStyleHost;

class SelectGameMenu : public BasicMenu {
public:
    // mStartMode, as the application's StartGameSession takes it.
    enum StartMode : int32_t {
        START_NEW = 0,
        START_CONTINUE = 1,
    };

    static constexpr int32_t kOverlayPriority = 50;
    static constexpr int32_t kButtonPriority = 51;
    // The buttons' tops below the panel's top: the first row, the second row, and Back up
    // from the panel's bottom.
    static constexpr int32_t kFirstRowTop = 95;
    static constexpr int32_t kSecondRowTop = 160;
    static constexpr int32_t kBackFromBottom = 80;
    // The habitat name the profile holds once the player has finished the last habitat.
    static constexpr const char* kAdventureDoneHabitat = "Invalid_uninitialized";

    // The hosts must outlive the dialog. The main menu sizes it to the panel picture and
    // centres it on the screen.
    SelectGameMenu(ProfileHost* profiles, ScreenNavigationHost* navigation, const TextStyleHost* textStyle,
                   const HabitatIndexHost* habitats);
    // An open confirmation leaves the widget manager and is deleted after the current update.
    ~SelectGameMenu() override;

    // Decides whether there is an adventure to continue and adds the buttons to the widget
    // manager, at screen positions worked out from the dialog's own. A profile is current.
    void AddedToManager(Zest::WidgetManager* manager) override;
    // The buttons and an open confirmation leave and are deleted after the current update.
    void RemovedFromManager(Zest::WidgetManager* manager) override;
    // Everything is drawn in the overlay pass, above the main menu's buttons.
    void Draw(Zest::Graphics* g) override;
    void DrawOverlay(Zest::Graphics* g) override;

    // Whether the profile has an adventure that can be continued: a habitat started, not
    // finished with the last habitat, and a habitat the game knows (a damaged profiles.dat
    // may name another).
    bool CanContinue(const PlayerProfile& profile) const;

    // The buttons.
    void OnContinue();
    void OnStartNewGame();
    void OnBack();
    // Closes the dialog through the main menu; then, unless the player went back, starts the
    // chosen game, a new adventure from reset progress.
    void Begin();
    // The confirmation of a new adventure over progress.
    void OpenAreYouSure();
    void CloseAreYouSure();

    // Not owned.
    ProfileHost* mProfiles;
    ScreenNavigationHost* mNavigation;
    const TextStyleHost* mTextStyle;
    const HabitatIndexHost* mHabitats;
    int32_t mStartMode = START_NEW;
    // The habitat the game starts in.
    int32_t mHabitatIndex = 0;
    // Cleared by Back: leaving then starts nothing.
    bool mStartGame = true;
    bool mHasProgress = false;
    // In the widget manager and mItems from AddedToManager to RemovedFromManager, else null;
    // no Continue button without progress.
    MenuItem* mContinueButton = nullptr;
    MenuItem* mNewGameButton = nullptr;
    MenuItem* mBackButton = nullptr;
    // Owned; in the widget manager while open, else null.
    AreYouSureMenu* mAreYouSure = nullptr;

private:
    void CreateButtons();
    MenuItem* AddButton(int32_t top, const char* labelKey, void (SelectGameMenu::*action)());
};
