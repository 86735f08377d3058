#pragma once
// The way from one screen to the next: the application opens and closes its screens and
// dialogs (the main menu, the name entry, the profile selection), takes over from the title,
// starts a game and ends the program. A screen that must reach another one asks for it here.

#include <cstdint>

class MainMenu;
class SelectProfile;

class ScreenNavigationHost {
public:
    virtual ~ScreenNavigationHost() = default;

    // The title screen has left the widget tree and queued its own deletion; nothing of it
    // may be touched afterwards.
    virtual void TitleScreenIsFinished() = 0;

    // Null when there is none.
    virtual MainMenu* GetMainMenu() const = 0;
    // Takes the main menu out of the widget tree and ends the program in order: the
    // players' files are saved.
    virtual void QuitGame() = 0;

    // Opens the name entry; nothing when it is open already. An open profile selection
    // behind it is disabled until it closes.
    virtual void ShowPlayerNameEntry() = 0;
    // Takes the name entry out of the widget tree; it is deleted after the current update.
    virtual void RemovePlayerNameEntry() = 0;
    virtual bool IsPlayerNameEntryOpen() const = 0;

    // Opens the profile selection over the main menu; nothing when it is open already.
    virtual void ShowSelectProfile() = 0;
    // Takes the profile selection out of the widget tree (it is deleted after the current
    // update) and saves the profiles.
    virtual void CloseSelectProfile() = 0;
    // The open profile selection, or null.
    virtual SelectProfile* GetSelectProfile() const = 0;

    // Starts a game of the current profile over the whole window and hides the main menu
    // until it ends: `continueFlag` 1 continues the profile's saved game, 0 starts the
    // habitat of `habitatIndex` anew.
    virtual void StartGameSession(int32_t continueFlag, int32_t habitatIndex) = 0;

    // Opens the options panel over the main menu; the menu's buttons come back when it
    // closes.
    virtual void ShowOptionsMenu() = 0;

    // Opens the how-to-play pages over the main menu; nothing when they are open already.
    // The menu hides its buttons first, and the pages bring them back when they close.
    virtual void ShowHowToPlay() = 0;

    // Opens the awards screen over everything: -1 only shows the current player's awards,
    // an award index grants that award first.
    virtual void ShowAwardsScreen(int32_t newAward) = 0;
};
