#pragma once
// The options panel, over the main menu or over a paused game: the music and sound volumes,
// six check boxes (full screen, animal names, hints, scan lines, tutorial tips, mute on
// pause), Credits and Done. Every change goes into the options record at once, except the
// window mode, which Done applies. The controls are made from the record each time the menu
// joins the widget tree (as top-level widgets, above the panel) and go when it leaves, so
// the menu can step aside for the credits and come back with fresh controls.

#include "framework/widgets/Listeners.h"
#include "game/screens/BasicMenu.h"

#include <cstdint>

namespace Zest {
class Graphics;
class WidgetManager;
} // namespace Zest

class CustomOptionsCheckbox;
class CustomOptionsSlider;
class MenuItem;
class OptionsMenuHost;
class TextStyleHost;

class OptionsMenu : public BasicMenu, public Zest::SliderListener, public Zest::CheckboxListener {
public:
    // The controls' ids, as their listener tells them apart.
    enum ControlId : int32_t {
        MUSIC_SLIDER = 0,
        SFX_SLIDER = 1,
        FULL_SCREEN_BOX = 2,
        TUTORIAL_TIPS_BOX = 3,
        MUTE_ON_PAUSE_BOX = 4,
        ANIMAL_NAMES_BOX = 5,
        HINT_BOX = 6,
        SCAN_LINES_BOX = 7,
    };

    // The panel is drawn in the overlay pass at kOverlayPriority, its controls just above
    // (their own default) and the buttons above everything else of it.
    static constexpr int32_t kOverlayPriority = 51;
    static constexpr int32_t kButtonPriority = 110;
    static constexpr int32_t kSliderHeight = 40;

    // The hosts must outlive the menu; the application sizes and places it.
    OptionsMenu(OptionsMenuHost* app, const TextStyleHost* textStyle);

    // Makes the controls from the options record, in window coordinates.
    void AddedToManager(Zest::WidgetManager* manager) override;
    // The controls leave with the menu and are deleted after the current update.
    void RemovedFromManager(Zest::WidgetManager* manager) override;
    void Draw(Zest::Graphics* g) override;
    // The shade over the whole screen, the panel, its title, the controls' labels and the
    // scan lines.
    void DrawOverlay(Zest::Graphics* g) override;
    // A press on the panel itself does nothing.
    void MouseDown(int x, int y, int clickCount) override {}

    void SliderValueChanged(int id, double value) override;
    void CheckboxChecked(int id, bool checked) override;

    // The Credits button: the credits open and this menu steps out of the widget tree,
    // staying the application's options menu.
    void OnCredits();
    // The credits are closing: they go, and this menu comes back with fresh controls.
    void OnCreditsClosed();
    // The Done button: the main menu's buttons come back, the window mode chosen is applied
    // and the menu closes.
    void OnDone();

    // Not owned.
    OptionsMenuHost* mApp;
    const TextStyleHost* mTextStyle;
    // The manager the menu was last added to, kept while it steps aside for the credits.
    Zest::WidgetManager* mManager = nullptr;
    // Owned while the menu is in the widget tree, null otherwise.
    CustomOptionsSlider* mMusicSlider = nullptr;
    CustomOptionsSlider* mSfxSlider = nullptr;
    CustomOptionsCheckbox* mFullScreenCheckbox = nullptr;
    CustomOptionsCheckbox* mTutorialTipsCheckbox = nullptr;
    CustomOptionsCheckbox* mAnimalNamesCheckbox = nullptr;
    CustomOptionsCheckbox* mHintCheckbox = nullptr;
    CustomOptionsCheckbox* mScanLinesCheckbox = nullptr;
    CustomOptionsCheckbox* mMuteOnPauseCheckbox = nullptr;
    MenuItem* mDoneButton = nullptr;
    MenuItem* mCreditsButton = nullptr;

private:
    CustomOptionsSlider* AddSlider(int32_t id, int32_t y, double value);
    CustomOptionsCheckbox* AddCheckbox(int32_t id, int32_t x, int32_t y, bool checked, bool tellListener);
    MenuItem* AddButton(const char* labelKey, int32_t y, void (OptionsMenu::*action)());
    // Takes the control out of the widget tree, queues its deletion and clears the pointer.
    template <typename Control>
    static void ReleaseControl(Control*& control);
};
