// The game-over screen under the application: a board without a move opens it over the
// frozen game, and its Done button offers the score to the high-score list, writes the
// reset profile, ends the game and brings the main menu back, with the table open on the
// new row when the score entered the list.

#include "framework/widgets/WidgetManager.h"
#include "game/HighScores.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/screens/GameOverMenu.h"
#include "game/screens/HighScoresDisplayWidget.h"
#include "game/screens/MainMenu.h"
#include "game/screens/MenuItem.h"
#include "tests/game/play/PlayFixture.h"
#include "tests/game/play/PlayRecorders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace Tests {
namespace {

class SessionGameOverTest : public PlayFixture {
protected:
    // The high-score list of the process is left as the test found it.
    void SetUp() override
    {
        PlayFixture::SetUp();
        mSavedScores = HighScoreStoreHolder::Instance();
    }

    void TearDown() override
    {
        if (mSounds != nullptr)
            SetMenuServices(nullptr);
        PlayFixture::TearDown();
        HighScoreStoreHolder::Instance() = mSavedScores;
    }

    // A level of the first habitat played until its board has no move left, with that final
    // score; the player is named on the first call.
    void PlayToGameOver(const int32_t score)
    {
        ASSERT_NO_FATAL_FAILURE(StartIdleFirstLevel());
        ASSERT_NO_FATAL_FAILURE(LeaveNoMove(score));
    }

    // The board in play is left without a move: the session stores the game with that final
    // score and opens the screen in the next frame.
    void LeaveNoMove(const int32_t score)
    {
        Session().mScore = score;
        // In food chain mode no tile has a higher and a lower neighbour once every tile is
        // of one level.
        SetMode(MODE_FOOD_CHAIN);
        for (BoardTile* const tile : Board().mCells)
            tile->mLevel = 1;
        RunFrames(1);
        ASSERT_EQ(Session().mState, STATE_GAME_OVER);
        ASSERT_NE(Session().mGameOver, nullptr);
    }

    // Done, then the deferred deletions of the update.
    void PressDone()
    {
        GameOverMenu* const screen = Session().mGameOver;
        ASSERT_NE(screen->mDoneButton, nullptr);
        Click(*screen->mDoneButton);
        for (int round = 0; round < 10 && !mApp->mDeferredDeletes.empty(); ++round)
            mApp->DeleteDeferredWidgets();
    }

    HighScoreStore mSavedScores;
    std::unique_ptr<SoundLog> mSounds;
};

TEST_F(SessionGameOverTest, ABoardWithoutAMoveOpensTheScreenOverTheFrozenGame)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleFirstLevel());
    mSounds = std::make_unique<SoundLog>(GetMenuServices());
    SetMenuServices(mSounds.get());
    ASSERT_NO_FATAL_FAILURE(LeaveNoMove(0));

    GameOverMenu* const screen = Session().mGameOver;
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(screen));
    EXPECT_EQ(screen->GetRect(), Zest::Rect(0, 0, 800, 600));
    EXPECT_TRUE(Session().mPaused);
    EXPECT_TRUE(Board().mDisabled);
    EXPECT_EQ(std::count(mSounds->mSounds.begin(), mSounds->mSounds.end(), SOUND_DECOLLECTED_TILE), 1);

    // The game stays frozen under the screen while the letters come in.
    RunFrames(250);
    EXPECT_EQ(Session().mState, STATE_GAME_OVER);
    EXPECT_EQ(screen->mUpdateCount, GameOverMenu::kLastCount);
    mApp->OnGotFocus();
    EXPECT_TRUE(Session().mPaused);

    // A game ended otherwise takes its screen along.
    EndSession();
    EXPECT_FALSE(mApp->mWidgetManager->HasWidget(screen));
}

struct DoneCase {
    const char* mName;
    int32_t mScore;
    // -1: the score does not enter the list and no table opens.
    int32_t mEnteredRow;
};

// The default list runs from 550 down to 100 in steps of 50. One player plays both games.
TEST_F(SessionGameOverTest, DoneEntersARankingScoreWritesTheResetAndReturnsToTheMainMenu)
{
    const DoneCase cases[] = {
        {"a ranking score opens the table on its row", 520, 1},
        {"a score equal to the last row changes nothing", 100, -1},
    };
    for (const DoneCase& test : cases) {
        SCOPED_TRACE(test.mName);
        ASSERT_NO_FATAL_FAILURE(PlayToGameOver(test.mScore));
        HighScoreStoreHolder::Instance() = HighScoreStore();
        const HighScoreList before = HighScoreStoreHolder::Instance().GetScores();
        ASSERT_EQ(ReadStoredProfile().mScore, test.mScore) << "the game over stored the game";

        ASSERT_NO_FATAL_FAILURE(PressDone());

        EXPECT_EQ(mApp->mGameSession, nullptr);
        EXPECT_TRUE(mApp->mDeferredDeletes.empty());
        ASSERT_NE(mApp->mMainMenu, nullptr);
        EXPECT_TRUE(mApp->mWidgetManager->HasWidget(mApp->mMainMenu));
        EXPECT_EQ(mApp->mMainMenu->mMenuState, MainMenu::MENU_SHOWN);

        HighScoreList expectedRows = before;
        HighScoresDisplayWidget* const table = mApp->mMainMenu->mHighScores;
        if (test.mEnteredRow == -1) {
            EXPECT_EQ(table, nullptr);
        } else {
            expectedRows.insert(expectedRows.begin() + test.mEnteredRow, HighScoreEntry("Tester", -1, test.mScore));
            expectedRows.pop_back();
            ASSERT_NE(table, nullptr);
            EXPECT_TRUE(mApp->mWidgetManager->HasWidget(table));
            EXPECT_EQ(table->mHighlightRow, test.mEnteredRow);
        }
        EXPECT_EQ(HighScoreStoreHolder::Instance().GetScores(), expectedRows);

        // profiles.dat has the adventure started over before any shutdown.
        const PlayerProfile stored = ReadStoredProfile();
        EXPECT_EQ(stored.mScore, 0);
        EXPECT_EQ(stored.mHabitatsStarted, 0) << "nothing to continue";
        EXPECT_EQ(stored.mNextLevel, -1);
    }
}

} // namespace
} // namespace Tests
