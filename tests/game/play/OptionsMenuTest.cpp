// The options panel under the application: from the main menu its changes reach options.dat
// and the settings store and come back on the next run; the sound slider's sample; the
// window mode chosen and the mode changed by other means; the pause's mute as the box
// switches it; the tips shown again; and the pause menu stepping aside for the options.

#include "framework/widgets/WidgetManager.h"
#include "game/GameOptions.h"
#include "game/PlayerProfile.h"
#include "game/ProfileStore.h"
#include "game/Res.h"
#include "game/screens/MainMenu.h"
#include "game/screens/MenuItem.h"
#include "game/screens/OptionsControls.h"
#include "game/screens/OptionsMenu.h"
#include "game/screens/PauseMenu.h"
#include "tests/game/play/PlayFixture.h"
#include "tests/game/play/PlayRecorders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace Tests {
namespace {

class OptionsMenuTest : public PlayFixture {
protected:
    void TearDown() override
    {
        SetMenuServices(nullptr);
        PlayFixture::TearDown();
    }

    // A named player on the main menu.
    void StartNamed()
    {
        ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
        ASSERT_NO_FATAL_FAILURE(EnterName("Tester"));
        ASSERT_NE(mApp->GetCurrentProfile(), nullptr);
    }

    // The main menu's Options button, once the buttons have faded in and take clicks.
    OptionsMenu& OpenFromMainMenu()
    {
        constexpr size_t kOptionsButton = 2;
        constexpr int kFadeFrames = 70;
        EXPECT_TRUE(MenuButtonsShown());
        mApp->mVSyncTiming = true;
        RunFrames(kFadeFrames);
        Click(*mApp->mMainMenu->mItems.at(kOptionsButton));
        EXPECT_NE(mApp->mOptionsMenu, nullptr);
        return *mApp->mOptionsMenu;
    }

    void PressDone()
    {
        ASSERT_NE(mApp->mOptionsMenu, nullptr);
        Click(*mApp->mOptionsMenu->mDoneButton);
        EXPECT_EQ(mApp->mOptionsMenu, nullptr);
        mApp->DeleteDeferredWidgets();
    }

    // A press and release at that fraction of the slider's width, beside its thumb.
    void PressTrackAt(const Zest::Widget& slider, const double fraction)
    {
        const int x = slider.mX + static_cast<int>(fraction * slider.mWidth);
        const int y = slider.mY + slider.mHeight / 2;
        mApp->mWidgetManager->MouseMove(x, y);
        mApp->mWidgetManager->MouseDown(x, y, 1);
        mApp->mWidgetManager->MouseUp(x, y, 1);
    }

    // Records the sounds from now on; deletions still go to the application.
    SoundLog& RecordSounds()
    {
        SetMenuServices(nullptr);
        mSounds = std::make_unique<SoundLog>(GetMenuServices());
        SetMenuServices(mSounds.get());
        return *mSounds;
    }

    int CountSounds(const int soundId) const
    {
        return static_cast<int>(std::count(mSounds->mSounds.begin(), mSounds->mSounds.end(), soundId));
    }

    std::unique_ptr<SoundLog> mSounds;
};

struct BoxesAndVolumes {
    bool mTips;
    bool mNames;
    bool mHint;
    bool mScanLines;
    bool mMute;
    double mMusic;
    double mSfx;
};

BoxesAndVolumes BoxesOf(const OptionsMenu& menu)
{
    return {menu.mTutorialTipsCheckbox->mChecked, menu.mAnimalNamesCheckbox->mChecked, menu.mHintCheckbox->mChecked,
            menu.mScanLinesCheckbox->mChecked,   menu.mMuteOnPauseCheckbox->mChecked,  menu.mMusicSlider->mValue,
            menu.mSfxSlider->mValue};
}

BoxesAndVolumes RecordOf(const GameOptions& options)
{
    return {options.mTutorialTips, options.mAnimalNames, options.mHintFeature, options.mScanLines,
            options.mMuteOnPause,  options.mMusicVolume, options.mSfxVolume};
}

void ExpectSame(const BoxesAndVolumes& actual, const BoxesAndVolumes& expected)
{
    EXPECT_EQ(actual.mTips, expected.mTips);
    EXPECT_EQ(actual.mNames, expected.mNames);
    EXPECT_EQ(actual.mHint, expected.mHint);
    EXPECT_EQ(actual.mScanLines, expected.mScanLines);
    EXPECT_EQ(actual.mMute, expected.mMute);
    EXPECT_NEAR(actual.mMusic, expected.mMusic, 1.0 / GameOptions::kVolumeSteps);
    EXPECT_NEAR(actual.mSfx, expected.mSfx, 1.0 / GameOptions::kVolumeSteps);
}

// Every box turned over and both volumes moved on the main menu's options; Done brings the
// menu's buttons back. The record, options.dat and the settings store hold the choices, and
// the next run's options show them. Opening and closing without a change changes nothing,
// even with the boxes that write their value back as they are made.
TEST_F(OptionsMenuTest, ChangesReachTheFilesAndTheNextRunWhileOpeningAndClosingChangesNothing)
{
    ASSERT_NO_FATAL_FAILURE(StartNamed());
    GameOptions& options = GameOptionsHolder::Instance();
    const GameOptions defaults = options;

    OptionsMenu* menu = &OpenFromMainMenu();
    EXPECT_FALSE(MenuButtonsShown()) << "hidden under the options";
    const int32_t width = IMAGE_GAME_SUBMENU->GetWidth();
    const int32_t height = IMAGE_GAME_SUBMENU->GetHeight();
    EXPECT_EQ(menu->GetRect(), Zest::Rect((800 - width) / 2, (600 - height) / 2, width, height));
    ExpectSame(BoxesOf(*menu), RecordOf(defaults));
    EXPECT_FALSE(menu->mFullScreenCheckbox->mChecked) << "the test runs in a window";
    for (CustomOptionsCheckbox* const box :
         {menu->mTutorialTipsCheckbox, menu->mAnimalNamesCheckbox, menu->mHintCheckbox, menu->mScanLinesCheckbox,
          menu->mMuteOnPauseCheckbox})
        Click(*box);
    // Beside the thumbs, which lie at the defaults 0.5 and 0.8.
    PressTrackAt(*menu->mMusicSlider, 0.1);
    PressTrackAt(*menu->mSfxSlider, 0.3);
    const BoxesAndVolumes chosen = {!defaults.mTutorialTips, !defaults.mAnimalNames, !defaults.mHintFeature,
                                    !defaults.mScanLines,    !defaults.mMuteOnPause, 0.1,
                                    0.3};
    ExpectSame(RecordOf(options), chosen);
    EXPECT_NEAR(mApp->mMusicVolume, 0.1, 0.01);
    EXPECT_NEAR(mApp->mSfxVolume, 0.3, 0.01);
    ASSERT_NO_FATAL_FAILURE(PressDone());
    EXPECT_TRUE(MenuButtonsShown()) << "back, fading in";
    EXPECT_TRUE(mApp->mWindowed);

    mApp->Shutdown();
    GameOptions stored;
    std::string message;
    ASSERT_EQ(stored.Load(mApp->mDataFolder, &message), GameOptions::LoadResult::Loaded) << message;
    ExpectSame(RecordOf(stored), chosen);
    int32_t music = -1;
    int32_t sfx = -1;
    ASSERT_TRUE(mApp->ReadRegInteger("MusicVolume", &music));
    ASSERT_TRUE(mApp->ReadRegInteger("SfxVolume", &sfx));
    EXPECT_NEAR(music, 10, 1);
    EXPECT_NEAR(sfx, 30, 1);

    // The next run.
    mApp.reset();
    options = GameOptions();
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    ASSERT_TRUE(MenuButtonsShown());
    menu = &OpenFromMainMenu();
    ExpectSame(BoxesOf(*menu), chosen);
    ASSERT_NO_FATAL_FAILURE(PressDone());
    ExpectSame(RecordOf(options), chosen);
}

// Dragging the sound's thumb changes the volume at every step without a sample; letting go
// plays one. A press on the rail plays one at its release. The music never plays one.
TEST_F(OptionsMenuTest, TheSoundSliderPlaysOneSampleAtTheReleaseAndTheMusicSliderNone)
{
    ASSERT_NO_FATAL_FAILURE(StartNamed());
    GameOptionsHolder::Instance().mSfxVolume = 0.0;
    OptionsMenu& menu = OpenFromMainMenu();
    RecordSounds();
    CustomOptionsSlider& sfx = *menu.mSfxSlider;
    const int travel = sfx.mWidth - IMAGE_GAME_SLIDER_THUMB->GetWidth();
    const int y = sfx.mY + sfx.mHeight / 2;
    Zest::WidgetManager& manager = *mApp->mWidgetManager;
    manager.MouseMove(sfx.mX + 2, y);
    manager.MouseDown(sfx.mX + 2, y, 1);
    ASSERT_TRUE(sfx.mDragging) << "grabbed the thumb";
    for (const int step : {travel / 4, travel / 2}) {
        manager.MouseDrag(sfx.mX + 2 + step, y);
        EXPECT_NEAR(mApp->mSfxVolume, static_cast<double>(step) / travel, 1e-9);
        EXPECT_NEAR(GameOptionsHolder::Instance().mSfxVolume, static_cast<double>(step) / travel, 1e-9);
    }
    EXPECT_EQ(CountSounds(SOUND_BUTTON_ACTION), 0) << "no sample while dragging";
    manager.MouseUp(sfx.mX + 2 + travel / 2, y, 1);
    EXPECT_EQ(CountSounds(SOUND_BUTTON_ACTION), 1);

    PressTrackAt(sfx, 0.9);
    EXPECT_EQ(CountSounds(SOUND_BUTTON_ACTION), 2);

    CustomOptionsSlider& music = *menu.mMusicSlider;
    PressTrackAt(music, 0.9);
    const int musicY = music.mY + music.mHeight / 2;
    const int thumbX = music.mX + static_cast<int>(music.mValue * (music.mWidth - IMAGE_GAME_SLIDER_THUMB->GetWidth()));
    manager.MouseMove(thumbX + 1, musicY);
    manager.MouseDown(thumbX + 1, musicY, 1);
    manager.MouseDrag(thumbX - 30, musicY);
    manager.MouseUp(thumbX - 30, musicY, 1);
    EXPECT_EQ(CountSounds(SOUND_BUTTON_ACTION), 2);
    EXPECT_LT(mApp->mMusicVolume, 0.9);
}

// Full screen waits for Done, and only a change is applied; a mode changed by other means
// while the menu is open shows in the box without acting on it.
TEST_F(OptionsMenuTest, FullScreenIsAppliedByDoneOnlyWhenChangedAndFollowsOtherModeChanges)
{
    ASSERT_NO_FATAL_FAILURE(StartNamed());
    ASSERT_TRUE(mApp->mWindowed);

    const Win32::HWND window = mApp->mMainWindow;
    OptionsMenu* menu = &OpenFromMainMenu();
    Click(*menu->mFullScreenCheckbox);
    Click(*menu->mFullScreenCheckbox);
    EXPECT_TRUE(mApp->mWindowed) << "nothing before Done";
    ASSERT_NO_FATAL_FAILURE(PressDone());
    EXPECT_TRUE(mApp->mWindowed);
    EXPECT_EQ(mApp->mMainWindow, window) << "the window was not made again";

    menu = &OpenFromMainMenu();
    Click(*menu->mFullScreenCheckbox);
    EXPECT_TRUE(mApp->mWindowed) << "nothing before Done";
    ASSERT_NO_FATAL_FAILURE(PressDone());
    EXPECT_FALSE(mApp->mWindowed);

    // Back to a window by other means while the menu is open: the box follows, and its
    // listener (which would take the keyboard focus for the menu) is not told.
    menu = &OpenFromMainMenu();
    EXPECT_TRUE(menu->mFullScreenCheckbox->mChecked);
    mApp->mWidgetManager->SetFocus(mApp->mMainMenu);
    mApp->ChangeScreenMode(true, true, false);
    ASSERT_TRUE(mApp->mWindowed);
    EXPECT_FALSE(menu->mFullScreenCheckbox->mChecked);
    EXPECT_NE(mApp->mWidgetManager->mFocusWidget, menu);
    ASSERT_NO_FATAL_FAILURE(PressDone());
    EXPECT_TRUE(mApp->mWindowed);
}

struct MuteCase {
    const char* mName;
    bool mMuteOnPause;
    // One count of the mute the player chose.
    bool mPlayerMuted;
    // The options opened from the pause menu; otherwise over the game in play.
    bool mFromPause;
};

// The box mutes only while this pause holds no mute, and gives back only the pause's own:
// whatever the box went through, the mute counts are the player's plus the pause's, the
// session knows whether the pause holds one, and after the pause the player's alone is left.
TEST_F(OptionsMenuTest, TheMuteBoxTakesAndGivesBackOnlyThePausesOwnMute)
{
    const MuteCase cases[] = {
        {"paused, box on, player not muted", true, false, true},
        {"paused, box on, player muted", true, true, true},
        {"paused, box off, player not muted", false, false, true},
        {"paused, box off, player muted", false, true, true},
        {"in play, box on, player muted", true, true, false},
        {"in play, box off, player muted", false, true, false},
        {"in play, box off, player not muted", false, false, false},
    };
    for (const MuteCase& c : cases) {
        SCOPED_TRACE(c.mName);
        ASSERT_NO_FATAL_FAILURE(StartIdleFirstLevel());
        GameOptionsHolder::Instance().mMuteOnPause = c.mMuteOnPause;
        mApp->mMuteCount = c.mPlayerMuted ? 1 : 0;
        mApp->mAutoMuteCount = 0;
        const int32_t playerCount = mApp->mMuteCount;
        if (c.mFromPause) {
            Session().ShowPauseMenu();
            ASSERT_NE(Session().mPauseMenu, nullptr);
            Session().ShowOptionsMenu();
        } else {
            mApp->ShowOptionsMenu();
        }
        ASSERT_NE(mApp->mOptionsMenu, nullptr);
        const auto expectCounts = [&](const bool boxOn) {
            const bool pauseMute = c.mFromPause && boxOn;
            EXPECT_EQ(Session().mPauseMuted, pauseMute);
            EXPECT_EQ(mApp->mMuteCount, playerCount + (pauseMute ? 1 : 0));
        };
        expectCounts(c.mMuteOnPause);
        for (int toggle = 0; toggle < 4; ++toggle) {
            Click(*mApp->mOptionsMenu->mMuteOnPauseCheckbox);
            const bool boxOn = mApp->mOptionsMenu->mMuteOnPauseCheckbox->mChecked;
            EXPECT_EQ(GameOptionsHolder::Instance().mMuteOnPause, boxOn);
            expectCounts(boxOn);
        }
        Click(*mApp->mOptionsMenu->mMuteOnPauseCheckbox);
        const bool boxOn = !c.mMuteOnPause;
        expectCounts(boxOn);
        ASSERT_NO_FATAL_FAILURE(PressDone());
        expectCounts(boxOn);
        if (c.mFromPause) {
            Session().ClosePauseMenu(false);
            RunFrames(1);
        }
        EXPECT_FALSE(Session().mPauseMuted);
        EXPECT_EQ(mApp->mMuteCount, playerCount);
        EXPECT_EQ(mApp->mAutoMuteCount, 0);
        mApp->ReturnToMainMenu();
        EndSession();
    }
}

// Tips on: every tip the player has seen shows again, and profiles.dat says so at once.
// Tips off forgets nothing.
TEST_F(OptionsMenuTest, TurningTheTipsOnClearsTheSeenTipsAndSavesThemAtOnce)
{
    ASSERT_NO_FATAL_FAILURE(StartNamed());
    PlayerProfile& profile = *mApp->GetCurrentProfile();
    for (const bool tipsBefore : {true, false}) {
        SCOPED_TRACE(tipsBefore ? "turned off" : "turned on");
        profile.SetTutorialSeen(0);
        profile.SetTutorialSeen(3);
        ASSERT_TRUE(mApp->SaveProfiles());
        GameOptionsHolder::Instance().mTutorialTips = tipsBefore;
        OptionsMenu& menu = OpenFromMainMenu();
        ASSERT_EQ(menu.mTutorialTipsCheckbox->mChecked, tipsBefore);
        Click(*menu.mTutorialTipsCheckbox);
        EXPECT_EQ(GameOptionsHolder::Instance().mTutorialTips, !tipsBefore);
        const bool cleared = !tipsBefore;
        EXPECT_EQ(profile.mTutorialSeen[0], !cleared);
        EXPECT_EQ(profile.mTutorialSeen[3], !cleared);
        // What a crash now would leave.
        const PlayerProfile stored = ReadStoredProfile();
        EXPECT_EQ(stored.mTutorialSeen[0], !cleared);
        EXPECT_EQ(stored.mTutorialSeen[3], !cleared);
        ASSERT_NO_FATAL_FAILURE(PressDone());
    }
}

// The pause menu's Options: the pause menu leaves the screen (its buttons with it) while the
// options are open, and Done brings the same menu back with fresh buttons over the game,
// which stays paused.
TEST_F(OptionsMenuTest, OptionsFromThePauseMenuStepItAsideAndDoneBringsItBack)
{
    constexpr size_t kOptionsButton = 1;
    ASSERT_NO_FATAL_FAILURE(StartIdleFirstLevel());
    Session().ShowPauseMenu();
    PauseMenu* const pause = Session().mPauseMenu;
    ASSERT_NE(pause, nullptr);
    ASSERT_EQ(pause->mItems.size(), 4u);
    const MenuItem* const oldButton = pause->mItems[0];
    Click(*pause->mItems[kOptionsButton]);
    mApp->DeleteDeferredWidgets();
    ASSERT_NE(mApp->mOptionsMenu, nullptr);
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(mApp->mOptionsMenu));
    EXPECT_FALSE(mApp->mWidgetManager->HasWidget(pause));
    EXPECT_TRUE(pause->mItems.empty()) << "its buttons left with it";
    EXPECT_EQ(Session().mPauseMenu, pause) << "kept by the game";

    RunFrames(3);
    EXPECT_TRUE(Session().mPaused);
    ASSERT_NO_FATAL_FAILURE(PressDone());
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(pause));
    ASSERT_EQ(pause->mItems.size(), 4u);
    for (const MenuItem* const button : pause->mItems)
        EXPECT_TRUE(mApp->mWidgetManager->HasWidget(button));
    EXPECT_NE(pause->mItems[0], oldButton);
    EXPECT_TRUE(Session().mPaused);
    EXPECT_TRUE(Board().mDisabled);

    Click(*pause->mItems[0]);
    EXPECT_EQ(Session().mPauseMenu, nullptr);
    EXPECT_FALSE(Board().mDisabled);
}

} // namespace
} // namespace Tests
