// The level report under the application: the finished level freezes the game under the
// report once, the report counts up in the fixed updates, and its Done adds the bonuses to
// the score, ends the game, writes the next level and the statistics to profiles.dat at
// once and opens the receiving-awards screen.

#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/GameStats.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/play/GameSession.h"
#include "game/screens/LevelCompleteMenu.h"
#include "game/screens/MenuItem.h"
#include "game/screens/ReceivingAwardsScreen.h"
#include "tests/game/play/PlayFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace Tests {
namespace {

class SessionReportTest : public PlayFixture {
protected:
    // One fixed update and one drawn frame, as the main loop runs them.
    void RunUpdate()
    {
        mApp->mWidgetManager->UpdateFrame();
        RunFrames(1);
    }

    // The level finished with these statistics and score.
    LevelCompleteMenu* FinishLevel(const int32_t score)
    {
        GameStats& stats = *Session().mStats;
        stats.mTilesTaken = 37;
        stats.mChainsMade = 12;
        stats.mLongestChain = 2;
        stats.mMiniGameScore = 30;
        Session().mScore = score;
        Session().OnLevelFinished();
        return Session().mLevelComplete;
    }

    int CountReports() const
    {
        const auto& widgets = mApp->mWidgetManager->mWidgets;
        return static_cast<int>(std::count_if(widgets.begin(), widgets.end(), [](const Zest::Widget* const widget) {
            return dynamic_cast<const LevelCompleteMenu*>(widget) != nullptr;
        }));
    }
};

TEST_F(SessionReportTest, TheFinishedLevelFreezesTheGameUnderOneReportCentredOnTheScreen)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleFirstLevel());
    LevelCompleteMenu* const report = FinishLevel(500);
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(Session().mState, STATE_LEVEL_REPORT);
    EXPECT_TRUE(Session().mPaused);
    EXPECT_TRUE(Board().mDisabled);
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(report));
    EXPECT_EQ(report->mStats, Session().mStats.get());
    const int width = IMAGE_GAME_SCORE_CARD->GetWidth();
    const int height = IMAGE_GAME_SCORE_CARD->GetHeight();
    EXPECT_EQ(report->GetRect(), Zest::Rect((800 - width) / 2, (600 - height) / 2, width, height));

    // A second finish, and the game's frames, leave the one report as it is.
    Session().OnLevelFinished();
    RunFrames(5);
    EXPECT_EQ(Session().mLevelComplete, report);
    EXPECT_EQ(CountReports(), 1);
    EXPECT_EQ(Session().mState, STATE_LEVEL_REPORT);
    EXPECT_TRUE(Session().mPaused);
}

TEST_F(SessionReportTest, DoneAddsTheBonusesEndsTheGameAndWritesTheNextLevelAtOnce)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleFirstLevel());
    const int32_t habitat = Session().mHabitatIndex;
    LevelCompleteMenu* const report = FinishLevel(500);
    ASSERT_NE(report, nullptr);
    // The count runs in the fixed updates, up to the Done button.
    for (int update = 0; update < 1000 && report->mDoneButton == nullptr; ++update)
        RunUpdate();
    ASSERT_NE(report->mDoneButton, nullptr);
    ASSERT_EQ(report->GetTotalBonus(), 37 + 60 + 100 + 60);

    Click(*report->mDoneButton);
    for (int round = 0; round < 10 && !mApp->mDeferredDeletes.empty(); ++round)
        mApp->DeleteDeferredWidgets();

    EXPECT_EQ(mApp->mGameSession, nullptr);
    EXPECT_EQ(CountReports(), 0);
    EXPECT_EQ(mApp->mCarriedScore, 500 + 257) << "the score the next game starts from";
    ASSERT_NE(mApp->mReceivingAwards, nullptr);
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(mApp->mReceivingAwards));
    EXPECT_EQ(mApp->mReceivingAwards->mNextLevel, habitat + 1);

    // profiles.dat has the next level and the level's statistics before any shutdown.
    const PlayerProfile stored = ReadStoredProfile();
    EXPECT_EQ(stored.mNextLevel, habitat + 1);
    EXPECT_EQ(stored.mStats.mTilesTaken, 37);
    EXPECT_EQ(stored.mStats.mChainsMade, 12);
    EXPECT_EQ(stored.mStats.mLongestChain, 2);
}

} // namespace
} // namespace Tests
