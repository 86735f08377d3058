// The end of a habitat under the application: the level report's Done ends the game and
// opens the receiving-awards screen, whose story leads to the awards screen; leaving that
// starts the next habitat's game with the score the finished one ended with, or, after the
// last registered habitat, brings the main menu back with the adventure's end written to
// profiles.dat at once.

#include "framework/widgets/WidgetManager.h"
#include "game/PlayerProfile.h"
#include "game/play/GameSession.h"
#include "game/screens/AwardsScreen.h"
#include "game/screens/LevelCompleteMenu.h"
#include "game/screens/MainMenu.h"
#include "game/screens/ReceivingAwardsScreen.h"
#include "tests/game/play/PlayFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace Tests {
namespace {

class SessionLevelEndTest : public PlayFixture {
protected:
    // A new player's game of the last registered habitat, its board at rest in play.
    void PlayIdleLastLevel()
    {
        ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
        ASSERT_NO_FATAL_FAILURE(EnterName("Tester"));
        mApp->mVSyncTiming = true;
        const int32_t lastHabitat = mApp->GetFirstHabitatIndex() + mApp->GetHabitatCount() - 1;
        ASSERT_NO_FATAL_FAILURE(StartLevelOf(lastHabitat));
        ASSERT_GE(RunUntilIdle(), 0) << "the board never settled";
        ASSERT_EQ(Session().mState, STATE_PLAY);
    }

    // The level ends with that score; the report's Done closes the game, which is gone
    // after the update, and opens the receiving-awards screen. Returns the score the next
    // game is to start from: the final score with the report's bonus.
    int32_t FinishLevel(const int32_t score)
    {
        Session().mScore = score;
        // Chains made, so that the report has a bonus to add.
        Session().mStats->mChainsMade = 3;
        Session().OnLevelFinished();
        LevelCompleteMenu* const report = Session().mLevelComplete;
        EXPECT_NE(report, nullptr);
        if (report == nullptr)
            return -1;
        EXPECT_GT(report->GetTotalBonus(), 0);
        const int32_t carried = score + report->GetTotalBonus();
        report->OnDone();
        DeleteAllDeferred();
        EXPECT_EQ(mApp->mGameSession, nullptr);
        return carried;
    }

    // The partner's call, the memo and the award handed over on the awards screen.
    void ContinueToAwardsScreen()
    {
        ReceivingAwardsScreen* const screen = mApp->mReceivingAwards;
        ASSERT_NE(screen, nullptr);
        ASSERT_TRUE(mApp->mWidgetManager->HasWidget(screen));
        for (int press = 0; press < 3; ++press)
            screen->AdvanceStory();
        ASSERT_NE(mApp->mAwardsScreen, nullptr);
        EXPECT_EQ(screen->mStep, ReceivingAwardsScreen::STEP_AWARDS_SCREEN);
    }

    // The awards screen's Back, then the update's deletions.
    void LeaveAwardsScreen()
    {
        ASSERT_NE(mApp->mAwardsScreen, nullptr);
        mApp->mAwardsScreen->OnBack();
        DeleteAllDeferred();
        EXPECT_EQ(mApp->mAwardsScreen, nullptr);
        EXPECT_EQ(mApp->mReceivingAwards, nullptr);
    }

    void DeleteAllDeferred()
    {
        for (int round = 0; round < 10 && !mApp->mDeferredDeletes.empty(); ++round)
            mApp->DeleteDeferredWidgets();
        EXPECT_TRUE(mApp->mDeferredDeletes.empty());
    }
};

TEST_F(SessionLevelEndTest, TheNextHabitatStartsWithTheScoreTheFinishedOneEndedWith)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleFirstLevel());
    const int32_t habitat = Session().GetLevelNumber();
    ASSERT_LT(habitat + 1, mApp->GetFirstHabitatIndex() + mApp->GetHabitatCount()) << "a habitat follows";

    const int32_t carried = FinishLevel(1234);
    ASSERT_NE(mApp->mReceivingAwards, nullptr);
    EXPECT_EQ(mApp->mReceivingAwards->mNextLevel, habitat + 1);
    ASSERT_NO_FATAL_FAILURE(ContinueToAwardsScreen());
    EXPECT_TRUE(mApp->GetCurrentProfile()->mAwards[static_cast<size_t>(habitat)]) << "the habitat's award";

    ASSERT_NO_FATAL_FAILURE(LeaveAwardsScreen());
    ASSERT_NE(mApp->mGameSession, nullptr);
    EXPECT_EQ(Session().GetLevelNumber(), habitat + 1);
    EXPECT_EQ(Session().mScore, carried);
    EXPECT_NE(mApp->mMainMenu->mMenuState, MainMenu::MENU_SHOWN);
    RunFrames(1);
    EXPECT_EQ(Session().mState, STATE_MAP_OPEN);
    EXPECT_NE(Session().mGameMap, nullptr);
}

TEST_F(SessionLevelEndTest, AfterTheLastHabitatTheMainMenuReturnsWithTheAdventureEndedOnDisk)
{
    ASSERT_NO_FATAL_FAILURE(PlayIdleLastLevel());
    const int32_t lastHabitat = Session().GetLevelNumber();

    FinishLevel(500);
    ASSERT_NO_FATAL_FAILURE(ContinueToAwardsScreen());
    ASSERT_NO_FATAL_FAILURE(LeaveAwardsScreen());

    EXPECT_EQ(mApp->mGameSession, nullptr);
    ASSERT_NE(mApp->mMainMenu, nullptr);
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(mApp->mMainMenu));
    EXPECT_EQ(mApp->mMainMenu->mMenuState, MainMenu::MENU_SHOWN);
    EXPECT_EQ(mApp->GetCurrentProfile()->mHabitatName, ReceivingAwardsScreen::kNoHabitatName);
    const PlayerProfile stored = ReadStoredProfile();
    EXPECT_EQ(stored.mHabitatName, ReceivingAwardsScreen::kNoHabitatName);
    EXPECT_EQ(stored.mNextLevel, lastHabitat + 1);
    EXPECT_TRUE(stored.mAwards[static_cast<size_t>(lastHabitat)]);
}

} // namespace
} // namespace Tests
