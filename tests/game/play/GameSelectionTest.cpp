#include "game/Habitat.h"
#include "game/PlayerProfile.h"
#include "game/screens/MainMenu.h"
#include "game/screens/MenuItem.h"
#include "game/screens/SelectGameMenu.h"
#include "tests/game/play/PlayFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The game selection on the application's own habitats: what Play offers a player whose
// profile names a saved habitat, and the session that New adventure or Continue starts.
class GameSelectionTest : public Tests::PlayFixture {
protected:
    // A new player with two habitats started, the last one saved under `habitatName`.
    void StartWithSavedHabitat(const std::string& habitatName)
    {
        ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
        ASSERT_NO_FATAL_FAILURE(EnterName("Tester"));
        mApp->mVSyncTiming = true;
        PlayerProfile& profile = *mApp->GetCurrentProfile();
        profile.mHabitatsStarted = 2;
        profile.mHabitatName = habitatName;
        profile.mScore = 900;
    }

    // Play, once the main menu's buttons take clicks.
    SelectGameMenu* OpenSelection()
    {
        MainMenu* const menu = mApp->mMainMenu;
        const MenuItem& play = *menu->mItems[0];
        for (int frame = 0; frame < 500 && play.mFadeState == FADE_IN; ++frame)
            RunFrames(1);
        EXPECT_NE(play.mFadeState, FADE_IN) << "the button never finished fading in";
        Click(play);
        EXPECT_EQ(mApp->mGameSession, nullptr) << "Play alone starts no game";
        return menu->mSelectGameMenu;
    }

    // The session runs in that habitat over the whole window, with the main menu and the
    // selection gone, and opens its world map in its first frame.
    void ExpectSessionIn(const std::string& habitatName)
    {
        ASSERT_NE(mApp->mGameSession, nullptr) << "no game started";
        EXPECT_EQ(Session().mHabitat, mApp->GetHabitat(habitatName));
        EXPECT_TRUE(mApp->mWidgetManager->HasWidget(mApp->mGameSession));
        EXPECT_FALSE(mApp->mWidgetManager->HasWidget(mApp->mMainMenu));
        EXPECT_EQ(mApp->mMainMenu->mSelectGameMenu, nullptr);
        RunFrames(1);
        EXPECT_EQ(Session().mState, STATE_MAP_OPEN);
    }
};

// A damaged profiles.dat may name a habitat the game does not have: there is nothing to
// continue, and New adventure starts over in the first habitat without asking.
TEST_F(GameSelectionTest, AnUnknownSavedHabitatOffersNoContinueAndNewAdventureStartsTheFirstHabitat)
{
    ASSERT_NO_FATAL_FAILURE(StartWithSavedHabitat("Atlantis"));
    SelectGameMenu* const selection = OpenSelection();
    ASSERT_NE(selection, nullptr) << "Play opened no game selection";
    EXPECT_FALSE(selection->mHasProgress);
    EXPECT_EQ(selection->mContinueButton, nullptr);
    ASSERT_NE(selection->mNewGameButton, nullptr);

    Click(*selection->mNewGameButton);
    EXPECT_EQ(selection->mAreYouSure, nullptr) << "nothing to lose, so no question";
    ASSERT_NO_FATAL_FAILURE(ExpectSessionIn(mApp->GetHabitatNameByIndex(0)));
    EXPECT_EQ(mApp->GetCurrentProfile()->mHabitatName, mApp->GetHabitatNameByIndex(0));
    EXPECT_EQ(mApp->GetCurrentProfile()->mScore, 0);
}

TEST_F(GameSelectionTest, ContinueStartsTheSessionInTheSavedHabitat)
{
    ASSERT_NO_FATAL_FAILURE(StartWithSavedHabitat("Arctic"));
    SelectGameMenu* const selection = OpenSelection();
    ASSERT_NE(selection, nullptr) << "Play opened no game selection";
    ASSERT_NE(selection->mContinueButton, nullptr);

    Click(*selection->mContinueButton);
    ASSERT_NO_FATAL_FAILURE(ExpectSessionIn("Arctic"));
    EXPECT_EQ(mApp->GetCurrentProfile()->mHabitatName, "Arctic");
}

} // namespace
