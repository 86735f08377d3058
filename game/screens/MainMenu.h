#pragma once
// The hub between games: a column of six large buttons, a small change-profile button on the
// left panel under a welcome line with the current player's name, the rights notice and the
// version at the foot, and the scan-line overlay when the options ask for it. The buttons are
// made each time the menu joins the widget tree (as top-level widgets above it) and go when
// it leaves. Until a profile is current they stay hidden: the menu has the profiles loaded
// and, when that leaves nobody to play as, sends the player to the name entry first. The
// menu opens and closes its own high-score table and game selection; the profile selection
// belongs to the application. While any of them is up the buttons are hidden.

#include "game/screens/BasicMenu.h"
#include "game/screens/MenuItem.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Zest {
class Graphics;
class WidgetManager;
} // namespace Zest

class HabitatIndexHost;
class HighScoresDisplayWidget;
class ProfileHost;
class ScreenNavigationHost;
class SelectGameMenu;
class TextStyleHost;

class MainMenu : public BasicMenu {
public:
    // mMenuState: on the screen, where the profile check runs; or taken off for a game.
    enum MenuState : int32_t {
        MENU_SHOWN = 1,
        MENU_HIDDEN_FOR_GAME = 2,
    };

    // The column of large buttons starts here and takes one button height per row.
    static constexpr int32_t kFirstRowY = 215;
    // The change-profile button lies on the welcome panel, narrower than its picture.
    static constexpr int32_t kChangeProfileX = 28;
    static constexpr int32_t kChangeProfileY = 309;
    static constexpr int32_t kChangeProfileNarrowing = 20;
    // The overlay priority of the scan lines: above every screen of the menu.
    static constexpr int32_t kScanLinePriority = 100;

    // The hosts must outlive the menu. The labels are looked up in the string table here.
    MainMenu(ProfileHost* profiles, ScreenNavigationHost* navigation, const TextStyleHost* textStyle,
             const HabitatIndexHost* habitats);
    // The high-score table and the game selection, when still open, leave the widget manager
    // and are deleted after the current update.
    ~MainMenu() override;

    // Makes the buttons; while no profile is current they are hidden at once.
    void AddedToManager(Zest::WidgetManager* manager) override;
    // The buttons, an open high-score table and an open game selection leave with the menu
    // and are deleted after the current update.
    void RemovedFromManager(Zest::WidgetManager* manager) override;
    // The profile check.
    void Update() override;
    void Draw(Zest::Graphics* g) override;
    // The scan lines over everything, unless the name entry or the game selection draws its
    // own.
    void DrawOverlay(Zest::Graphics* g) override;

    // Hides every button (no pictures, not visible, no sounds); they stay in the menu.
    void DisableItems();
    // Shows every button again, fading in from transparent, with its pictures and sounds.
    void EnableItems();
    // Back from a game: the buttons come back as EnableItems brings them.
    void Reactivate();

    // The Score list button, and the game-over screen: hides the buttons and opens the
    // high-score table, fading in, centred on the screen. Nothing when it is open already.
    void ShowHighScores();
    // The table's back button: the buttons come back and the table goes.
    void CloseHighScores();

    // Hides the buttons and opens the game selection, centred on the screen. Nothing when it
    // is open already.
    void OpenSelectGameMenu();
    // The game selection's way out: the buttons come back and the selection goes, deleted
    // after the current update. Nothing when it is closed.
    void CloseSelectGameMenu();

    // The Start adventure button: the game selection.
    void OnStartAdventure();
    // The View awards button: the current player's awards over the menu.
    void OnViewAwards();
    // The Options button: hides the buttons and opens the options, which bring them back.
    void OnOptions();
    // The How to play button: hides the buttons and opens the help pages, which bring them
    // back.
    void OnHowToPlay();
    // The change-profile button: hides the buttons and opens the profile selection.
    void OnChangeProfile();
    // The Quit button.
    void OnQuitGame();

    // Not owned.
    ProfileHost* mProfiles;
    ScreenNavigationHost* mNavigation;
    const TextStyleHost* mTextStyle;
    const HabitatIndexHost* mHabitats;
    // The large buttons' actions and texts, index for index. An empty action leaves the
    // button with the item's own, which does nothing: its screen is not there yet.
    std::vector<MenuItem::Action> mActions;
    std::vector<std::string> mLabels;
    int32_t mMenuState = MENU_SHOWN;
    // Owned; null while the table is closed.
    HighScoresDisplayWidget* mHighScores = nullptr;
    // Owned; null while the game selection is closed.
    SelectGameMenu* mSelectGameMenu = nullptr;

private:
    void CreateLargeButtons();
    void CreateChangeProfileButton();
    // Sets what every button of the menu shares: font, centred label, colours, fade-in.
    void SetUpButton(MenuItem& button, const std::string& label, int32_t labelY) const;
    void AddButton(MenuItem* button);
    // Take an open high-score table or game selection out of the widget tree and queue its
    // deletion.
    void ReleaseHighScores();
    void ReleaseSelectGameMenu();
    // Large buttons get their pictures back on EnableItems; the change-profile button has
    // none. They are told apart by width, as the change-profile button is narrower.
    static bool IsLargeButton(const MenuItem& item);
};
