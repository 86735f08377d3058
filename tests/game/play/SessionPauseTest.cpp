// The pause menu over a game in play under the application: the freeze and its two-frame
// release, the mute of the pause against the player's and the lost focus's, the focus loss
// that opens it, save and exit, and the stage restart.

#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/Habitat.h"
#include "game/PlayerProfile.h"
#include "game/ProfileStore.h"
#include "game/Res.h"
#include "game/screens/FoodWebInfoScreen.h"
#include "game/screens/MenuItem.h"
#include "game/screens/PauseMenu.h"
#include "tests/game/play/PlayFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace Tests {
namespace {

// The menu's buttons, in the order it makes them.
enum PauseButton : size_t { RESUME = 0, RESTART = 2, SAVE_EXIT = 3 };

constexpr int32_t kSilverPlates = 1;
constexpr int32_t kPlateCleared = -2;

class SessionPauseTest : public PlayFixture {
protected:
    // A level of the first habitat at rest in play; the player is named on the first call.
    void StartIdleLevel(const int32_t plateKind = -1)
    {
        const auto setPlates = [plateKind](GameSession& session) { session.mStage.mPlateKind = plateKind; };
        if (mApp == nullptr) {
            ASSERT_NO_FATAL_FAILURE(StartPlay(0, setPlates));
            // The test's window never had the activation, which left it muted.
            ASSERT_NO_FATAL_FAILURE(SetWindowActive(true));
            ASSERT_EQ(mApp->mMuteCount, 0);
        } else {
            ASSERT_NO_FATAL_FAILURE(StartLevelOf(0, setPlates));
        }
        ASSERT_GE(RunUntilIdle(), 0) << "the board never settled";
        ASSERT_EQ(Session().mState, STATE_PLAY);
    }

    // The running session goes as after a game, and the main menu comes back.
    void EndSessionToMainMenu()
    {
        mApp->ReturnToMainMenu();
        EndSession();
    }

    PauseMenu& OpenPauseMenu()
    {
        Session().ShowPauseMenu();
        EXPECT_NE(Session().mPauseMenu, nullptr);
        return *Session().mPauseMenu;
    }

    // The menu's button, pressed through the widget manager.
    void Press(const PauseButton button)
    {
        ASSERT_NE(Session().mPauseMenu, nullptr);
        ASSERT_GT(Session().mPauseMenu->mItems.size(), size_t{button});
        Click(*Session().mPauseMenu->mItems[button]);
    }

    // The window loses and regains the activation, as the window procedure passes it on.
    void SetWindowActive(const bool active)
    {
        mApp->mHasActivation = active;
        mApp->UpdateActiveState();
        ASSERT_EQ(mApp->mActive, active);
    }

    // Frames until the session is back in play with its board at rest.
    void RunUntilPlay()
    {
        for (int frame = 0; frame < 1000 && Session().mState != STATE_PLAY; ++frame)
            RunFrames(1);
        ASSERT_EQ(Session().mState, STATE_PLAY);
        ASSERT_GE(RunUntilIdle(), 0);
    }
};

TEST_F(SessionPauseTest, ThePauseMenuFreezesTheGameAndResumeReleasesItTwoFramesLater)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleLevel());
    MenuItem* const pauseButton = Session().mPauseButton;
    ASSERT_NE(pauseButton, nullptr);
    const PauseMenu& menu = OpenPauseMenu();
    const int32_t width = IMAGE_GAME_SUBMENU->GetWidth();
    const int32_t height = IMAGE_GAME_SUBMENU->GetHeight();
    EXPECT_EQ(menu.GetRect(), Zest::Rect((800 - width) / 2, (600 - height) / 2, width, height));
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(&menu));
    EXPECT_TRUE(Session().mPaused);
    EXPECT_TRUE(Board().mDisabled);
    EXPECT_EQ(pauseButton->mClickSound, -1);
    EXPECT_EQ(pauseButton->mHoverSound, -1);

    const int32_t frames = Session().mStateFrames;
    RunFrames(5);
    EXPECT_EQ(Session().mStateFrames, frames) << "frozen while the menu is open";

    ASSERT_NO_FATAL_FAILURE(Press(RESUME));
    EXPECT_EQ(Session().mPauseMenu, nullptr);
    EXPECT_FALSE(mApp->mWidgetManager->HasWidget(&menu));
    EXPECT_FALSE(Board().mDisabled) << "input at once";
    EXPECT_EQ(pauseButton->mClickSound, SOUND_BUTTON_ACTION);
    EXPECT_EQ(pauseButton->mHoverSound, SOUND_BUTTON_ROLLOVER);
    EXPECT_EQ(pauseButton->mImage, IMAGE_GAME_BUTTON_LARGE);
    EXPECT_EQ(pauseButton->mOverImage, IMAGE_GAME_BUTTON_LARGE_OVER);
    RunFrames(1);
    EXPECT_TRUE(Session().mPaused);
    RunFrames(1);
    EXPECT_FALSE(Session().mPaused);
    EXPECT_EQ(Session().mStateFrames, frames);
    RunFrames(1);
    EXPECT_EQ(Session().mStateFrames, frames + 1) << "play runs on the third frame";
}

struct MuteCase {
    bool mMuteOnPause;
    // "Muted" was stored, so the settings left one mute the player chose.
    bool mPlayerMuted;
    // The window loses the focus over the open menu and gets it back.
    bool mFocusLost;
    // Save and exit instead of Resume.
    bool mLeave;
};

// A pause gives back the mute it took and no other: the player's stays, and the lost
// focus's is given back by the focus itself.
TEST_F(SessionPauseTest, ClosingThePauseMenuLeavesTheMuteCountsAsTheyWereBeforeIt)
{
    const MuteCase cases[] = {
        {false, false, false, false}, {false, true, false, false}, {false, false, true, false},
        {false, true, true, false},   {true, false, false, false}, {true, true, false, false},
        {true, false, true, false},   {true, true, true, false},   {true, true, false, true},
        {true, false, true, true},    {false, true, false, true},
    };
    for (const MuteCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "mute on pause " << c.mMuteOnPause << ", player muted "
                                          << c.mPlayerMuted << ", focus lost " << c.mFocusLost << ", leave "
                                          << c.mLeave);
        ASSERT_NO_FATAL_FAILURE(StartIdleLevel());
        GameOptionsHolder::Instance().mMuteOnPause = c.mMuteOnPause;
        mApp->mMuteCount = c.mPlayerMuted ? 1 : 0;
        mApp->mAutoMuteCount = 0;
        OpenPauseMenu();
        EXPECT_EQ(mApp->IsMuted(), c.mMuteOnPause || c.mPlayerMuted);
        if (c.mFocusLost) {
            const PauseMenu* const menu = Session().mPauseMenu;
            ASSERT_NO_FATAL_FAILURE(SetWindowActive(false));
            EXPECT_TRUE(mApp->IsMuted());
            EXPECT_EQ(Session().mPauseMenu, menu) << "no second menu";
            ASSERT_NO_FATAL_FAILURE(SetWindowActive(true));
            EXPECT_TRUE(Session().mPaused) << "the menu still holds the game";
        }
        ASSERT_NO_FATAL_FAILURE(Press(c.mLeave ? SAVE_EXIT : RESUME));
        RunFrames(1);
        EXPECT_EQ(mApp->mMuteCount, c.mPlayerMuted ? 1 : 0);
        EXPECT_EQ(mApp->mAutoMuteCount, 0);
        EXPECT_EQ(mApp->mGameSession == nullptr, c.mLeave);
        if (!c.mLeave)
            EndSessionToMainMenu();
    }
}

TEST_F(SessionPauseTest, QuittingWhilePausedStoresNoMuteForTheNextRun)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleLevel());
    ASSERT_TRUE(GameOptionsHolder::Instance().mMuteOnPause);
    ASSERT_EQ(mApp->mMuteCount, 0);
    OpenPauseMenu();
    ASSERT_TRUE(mApp->IsMuted());
    mApp->Shutdown();
    int32_t muted = -1;
    ASSERT_TRUE(mApp->ReadRegInteger("Muted", &muted));
    EXPECT_EQ(muted, 0);
}

struct FocusCase {
    const char* mName;
    void (*mSetUp)(GameSession& session);
    bool mOpens;
};

TEST_F(SessionPauseTest, LosingTheFocusInPlayOpensThePauseMenuButNotOverAPageOrTheMap)
{
    const FocusCase cases[] = {
        {"in play", [](GameSession&) {}, true},
        {"over the food web", [](GameSession& session) { session.ShowFoodWebInfo(); }, true},
        {"over a tip", [](GameSession& session) { session.OpenStoryPage(StoryScreens::KIND_TIP_FOOD_CHAIN); }, false},
    };
    for (const FocusCase& c : cases) {
        SCOPED_TRACE(c.mName);
        ASSERT_NO_FATAL_FAILURE(StartIdleLevel());
        c.mSetUp(Session());
        ASSERT_NO_FATAL_FAILURE(SetWindowActive(false));
        EXPECT_EQ(Session().mPauseMenu != nullptr, c.mOpens);
        ASSERT_NO_FATAL_FAILURE(SetWindowActive(true));
        const Zest::Widget* const screens[] = {Session().mPauseMenu, Session().mFoodWebInfo};
        mApp->RemoveGameSession();
        for (const Zest::Widget* const screen : screens)
            EXPECT_TRUE(screen == nullptr || !mApp->mWidgetManager->HasWidget(screen)) << "left with the session";
        EndSessionToMainMenu();
    }

    // The world map of a new session.
    mApp->StartGameSession(0, 0);
    RunFrames(1);
    ASSERT_EQ(Session().mState, STATE_MAP_OPEN);
    ASSERT_NO_FATAL_FAILURE(SetWindowActive(false));
    EXPECT_EQ(Session().mPauseMenu, nullptr);
    ASSERT_NO_FATAL_FAILURE(SetWindowActive(true));
}

// The game left through the menu is in profiles.dat; the next game of the same run is
// stored over it when the window closes.
TEST_F(SessionPauseTest, SaveAndExitStoresTheGameAndAGameStartedAfterItIsStoredAtTheEnd)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleLevel());
    Session().mScore = 1234;
    const PauseMenu* const menu = &OpenPauseMenu();
    ASSERT_NO_FATAL_FAILURE(Press(SAVE_EXIT));
    EXPECT_EQ(mApp->mGameSession, nullptr);
    EXPECT_FALSE(mApp->mWidgetManager->HasWidget(menu)) << "the menu left with the session";
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(mApp->mMainMenu));
    RunFrames(1);
    EXPECT_EQ(ReadStoredProfile().mScore, 1234);

    ASSERT_NO_FATAL_FAILURE(StartIdleLevel());
    Session().mScore = 5678;
    const int32_t stage = Session().mStage.mIndex;
    mApp->Shutdown();
    const PlayerProfile stored = ReadStoredProfile();
    EXPECT_EQ(stored.mScore, 5678);
    EXPECT_EQ(stored.mStageIndex, stage);
    EXPECT_EQ(stored.mHabitatName, Session().mHabitat->mName);
}

struct RestartCase {
    int32_t mScore;
    int32_t mExpectedScore;
};

// The stage starts again from its starting goals at a cost floored at 0; what it had
// collected leaves the habitat's progress, and the plates stay as play left them.
TEST_F(SessionPauseTest, RestartChargesTheScoreTakesBackTheStagesGoalsAndKeepsThePlates)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleLevel(kSilverPlates));
    for (const RestartCase& c : {RestartCase{150000, 0}, RestartCase{450000, 250000}}) {
        SCOPED_TRACE(c.mScore);
        GameSession& session = Session();
        Habitat& habitat = *session.mHabitat;
        const int32_t stage = session.mStage.mIndex;
        // Earlier stages' progress, then two creatures of this stage's first open goal.
        constexpr int32_t kEarlierProgress = 5;
        habitat.mCollectedGoals = kEarlierProgress;
        const auto goal = std::find_if(session.mStage.mGoals.begin(), session.mStage.mGoals.end(),
                                       [](const StageGoal& g) { return g.mCreature != nullptr && g.mCount >= 2; });
        ASSERT_NE(goal, session.mStage.mGoals.end());
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(session.mStage.CountCreature(goal->mCreature));
            ++habitat.mCollectedGoals;
        }
        ASSERT_EQ(session.mStage.GetCollectedTotal(), 2);
        // Play has cleared some plates.
        Board().mPlates[0] = kPlateCleared;
        Board().mPlates[7] = kPlateCleared;
        const std::vector<int32_t> plates = Board().mPlates;
        session.mScore = c.mScore;

        OpenPauseMenu();
        ASSERT_NO_FATAL_FAILURE(Press(RESTART));
        EXPECT_EQ(session.mPauseMenu, nullptr);
        EXPECT_EQ(session.mScore, c.mExpectedScore);
        EXPECT_EQ(session.mStage.mIndex, stage);
        EXPECT_EQ(session.mStage.GetCollectedTotal(), 0);
        EXPECT_EQ(habitat.mCollectedGoals, kEarlierProgress);
        EXPECT_EQ(session.mState, STATE_STAGE_CLEARED);
        EXPECT_EQ(Board().mPhase, PHASE_CLEAR_OUT);

        ASSERT_NO_FATAL_FAILURE(RunUntilPlay());
        EXPECT_EQ(Board().mPlates, plates) << "the fresh board lies on the same plates";
        EXPECT_EQ(session.mStage.mIndex, stage);
    }
}

} // namespace
} // namespace Tests
