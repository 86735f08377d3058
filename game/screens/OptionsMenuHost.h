#pragma once
// What the options menu asks of the application: the volumes, the window mode, the effects
// of two of its boxes beyond the options record, the credits, the main menu whose buttons
// come back, and its own closing.

class MainMenu;

class OptionsMenuHost {
public:
    virtual ~OptionsMenuHost() = default;

    // 0 to 1, heard at once.
    virtual void SetMusicVolume(double volume) = 0;
    virtual void SetSfxVolume(double volume) = 0;

    virtual bool IsWindowed() const = 0;
    // Switches between a window and full screen (the display made again, 3D asked for);
    // nothing when it is in that mode already.
    virtual void SetFullScreen(bool fullScreen) = 0;

    // Mute on pause was switched: a running game's open pause menu takes or gives back its
    // mute at once.
    virtual void MuteOnPauseChanged(bool muteOnPause) = 0;
    // Tips were switched on again: the current player sees every tip again, which is saved
    // at once.
    virtual void ShowAllTipsAgain() = 0;

    // The credits over everything; they come back through OptionsMenu::OnCreditsClosed.
    virtual void ShowCredits() = 0;
    // Takes the credits out of the widget tree; they are deleted after the current update.
    virtual void RemoveCredits() = 0;

    // Null when there is none.
    virtual MainMenu* GetMainMenu() const = 0;
    // Takes the options menu out of the widget tree; it is deleted after the current update.
    virtual void RemoveOptionsMenu() = 0;
};
