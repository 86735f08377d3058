#pragma once
// The first screen: the title picture with the rights notice and a loading bar that follows
// the loading of the resource group "Game". Once loading is complete a "click here" button
// fades in; a click fades the title out (the logo sound plays on the way), fades the company
// logo in, holds it, fades it out, and then the screen takes itself out of the widget tree
// and hands over to the application. Every step is one smooth update (one drawn frame).

#include "framework/widgets/Widget.h"

#include <cstdint>

namespace Zest {
class Graphics;
class Image;
class WidgetManager;
} // namespace Zest

class LoadingProgressHost;
class MenuItem;
class ScreenNavigationHost;

class TitleScreen : public Zest::Widget {
public:
    enum State : int32_t {
        // The title with its loading bar; the button appears once loading is complete.
        TITLE_WAIT,
        // The picture fades out by kFadeOutStep per update.
        FADE_OUT,
        // One update that starts the logo at alpha 0.
        LOGO_START,
        // The logo fades in by 1 per update and is held.
        LOGO_SHOW,
        FINISHED,
    };

    static constexpr int32_t kFadeOutStep = 2;
    // The logo sound plays in the title's fade-out once the alpha drops below this.
    static constexpr int32_t kLogoSoundAlpha = 64;
    // The logo starts fading out in the update after this many of LOGO_SHOW.
    static constexpr int32_t kLogoShowUpdates = 550;

    // The hosts must outlive the screen. It follows the loading and, once done, hands over
    // through the navigation.
    TitleScreen(LoadingProgressHost* loading, ScreenNavigationHost* navigation);
    ~TitleScreen() override;

    // The button leaves with the screen.
    void RemovedFromManager(Zest::WidgetManager* manager) override;
    // One step of the sequence; the fraction is not used: every count is in frames.
    void UpdateSmooth(float fraction) override;
    void Draw(Zest::Graphics* g) override;

    // Adds the button to the widget manager at the top level, above the screen.
    void CreateClickHereButton();
    // The button's action: starts the fade-out and takes the button away at once.
    void OnClickHere();

    // Not owned.
    LoadingProgressHost* mLoading;
    ScreenNavigationHost* mNavigation;
    // Smooth updates since the current phase began (reset when the logo starts).
    int32_t mUpdateCount = 0;
    int32_t mState = TITLE_WAIT;
    // Not owned: the title picture, then the company logo, then none.
    Zest::Image* mImage;
    // 0 to 255: the fade of the picture and of everything drawn with it.
    int32_t mAlpha = 255;
    // Owned while it is in the widget manager; null when there is none.
    MenuItem* mClickHereButton = nullptr;
    bool mLogoSoundPlayed = false;

private:
    void StepFadeOut();
    void ReleaseClickHereButton();
    // The notice, the loading label and the bar, which only the title picture has.
    void DrawTitleExtras(Zest::Graphics* g, double progress) const;
};
