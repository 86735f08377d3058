// A feat earned in play under the application and its real physics: the game pauses and lays
// the new-award transition over the board, whose ball is lifted back and falls; once the ball
// rests the awards screen opens for the feat, which the player then holds in profiles.dat;
// the screen's Back takes the screen and the transition away and play goes on.

#include "framework/widgets/WidgetManager.h"
#include "game/PlayerProfile.h"
#include "game/physics/PhysicsPrimitiveEntity.h"
#include "game/play/GameSession.h"
#include "game/screens/AwardsScreen.h"
#include "game/screens/NewAwardTransition.h"
#include "platform/physics/Body.h"
#include "tests/game/play/PlayFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace Tests {
namespace {

// The feat of 500 chains.
constexpr int32_t kChainsAward = 10;
constexpr int32_t kChainsGoal = 500;
// The Amazon's creatures by their place in its list.
constexpr size_t kJaguar = 1;
constexpr size_t kCapybara = 2;
constexpr size_t kGrass = 8;
// The ball is lifted back to this height, and the screen waits for it below the line.
constexpr float kLiftedBallY = 150.0f;
constexpr float kRestLineY = 500.0f;
constexpr int kFrameLimit = 600;

class SessionNewAwardTest : public PlayFixture {
protected:
    // The first habitat's level at rest in play, for a player who does not hold the feat;
    // the player is named on the first call.
    void StartWithoutTheFeat()
    {
        ASSERT_NO_FATAL_FAILURE(StartIdleFirstLevel());
        mApp->GetCurrentProfile()->mAwards[kChainsAward] = false;
        ASSERT_TRUE(mApp->SaveProfiles());
    }

    // The tile of the cell shows the creature, plain and idle.
    void Put(const int32_t cell, Creature* const creature)
    {
        BoardTile* const tile = Board().TileAtIndex(cell);
        ASSERT_NE(tile, nullptr) << "cell " << cell;
        tile->mCreature = creature;
        tile->mLevel = creature->mLevel;
        tile->mLock = LOCK_NONE;
        tile->mSelected = false;
        tile->SetState(TILE_IDLE);
    }

    // Jaguar, capybara and grass in the first three cells, each eating the next, drawn as a
    // chain with the mouse through the widget manager.
    void DrawFoodChain()
    {
        SetMode(MODE_FOOD_CHAIN);
        ASSERT_NO_FATAL_FAILURE(Put(0, Nth(kJaguar)));
        ASSERT_NO_FATAL_FAILURE(Put(1, Nth(kCapybara)));
        ASSERT_NO_FATAL_FAILURE(Put(2, Nth(kGrass)));
        Zest::WidgetManager& manager = *mApp->mWidgetManager;
        const auto centreOf = [this](const int32_t cell) {
            const auto [x, y] = Board().TileAtIndex(cell)->GetCenter();
            return std::pair<int, int>(static_cast<int>(x), static_cast<int>(y));
        };
        const auto [x0, y0] = centreOf(0);
        manager.MouseMove(x0, y0);
        manager.MouseDown(x0, y0, 1);
        for (const int32_t cell : {1, 2}) {
            const auto [x, y] = centreOf(cell);
            manager.MouseMove(x, y);
        }
        const auto [x2, y2] = centreOf(2);
        manager.MouseUp(x2, y2, 1);
    }
};

// The transition counts smooth updates, not time: at either frame fraction the screen opens
// only after its 221st update, and the ball falls as fast as the world steps.
TEST_F(SessionNewAwardTest, TheFeatOpensTheAwardsScreenOnceTheBallRestsAndBackReturnsToPlay)
{
    for (const float fraction : {1.0f, 1.667f}) {
        SCOPED_TRACE("frame fraction " + std::to_string(fraction));
        ASSERT_NO_FATAL_FAILURE(StartWithoutTheFeat());
        ASSERT_FALSE(ReadStoredProfile().mAwards[kChainsAward]);
        // A ball still moving when it is lifted back must not carry its speed along.
        Board().mTitleBall->GetBody()->setLinearVelocity(XtremaPHX2D::Vec2(0.0f, -30.0f));

        // The chain that reaches the goal; the settled board reports the feat at once.
        Session().mStats->mChainsMade = kChainsGoal;
        RunFrames(1, fraction);
        ASSERT_EQ(Session().mState, STATE_NEW_AWARD);
        NewAwardTransition* const transition = Session().mAwardTransition;
        ASSERT_NE(transition, nullptr);
        EXPECT_TRUE(mApp->mWidgetManager->HasWidget(transition));
        EXPECT_EQ(transition->GetRect(), Zest::Rect(0, 0, 800, 600));
        EXPECT_EQ(transition->mAward, kChainsAward);
        EXPECT_TRUE(Session().mPaused);
        EXPECT_TRUE(Board().mDisabled);
        EXPECT_NEAR(Session().GetWallY(), kLiftedBallY, 0.01f);
        EXPECT_EQ(Session().GetWallVelocityY(), 0.0f);
        EXPECT_EQ(mApp->mAwardsScreen, nullptr);

        int openedAt = -1;
        int openings = 0;
        for (int frame = 1; frame <= kFrameLimit; ++frame) {
            const AwardsScreen* const before = mApp->mAwardsScreen;
            RunFrames(1, fraction);
            if (mApp->mAwardsScreen == nullptr || mApp->mAwardsScreen == before)
                continue;
            ++openings;
            if (openedAt != -1)
                continue;
            openedAt = frame;
            EXPECT_GT(transition->mUpdateCount, NewAwardTransition::kMinimumUpdates);
            EXPECT_GT(Session().GetWallY(), kRestLineY);
            EXPECT_EQ(mApp->mAwardsScreen->mNewAward, kChainsAward);
            EXPECT_TRUE(mApp->GetCurrentProfile()->mAwards[kChainsAward]);
            EXPECT_TRUE(ReadStoredProfile().mAwards[kChainsAward]) << "written when the screen opened";
        }
        ASSERT_NE(openedAt, -1) << "the ball still moves at y " << Session().GetWallY();
        EXPECT_EQ(openings, 1);
        EXPECT_EQ(transition->mScreenOpened, 1);
        EXPECT_EQ(Session().mState, STATE_NEW_AWARD) << "the game waits under the screen";
        EXPECT_TRUE(mApp->mWidgetManager->HasWidget(transition));

        mApp->mAwardsScreen->OnBack();
        for (int round = 0; round < 10 && !mApp->mDeferredDeletes.empty(); ++round)
            mApp->DeleteDeferredWidgets();
        EXPECT_EQ(mApp->mAwardsScreen, nullptr);
        EXPECT_EQ(Session().mAwardTransition, nullptr);
        EXPECT_FALSE(mApp->mWidgetManager->HasWidget(transition));
        EXPECT_EQ(Session().mState, STATE_PLAY);
        EXPECT_FALSE(Session().mPaused);
        EXPECT_FALSE(Board().mDisabled);

        // Play goes on: the feat held, the next frames open nothing, and a chain scores.
        RunFrames(2, fraction);
        ASSERT_EQ(Session().mState, STATE_PLAY);
        ASSERT_EQ(Session().mAwardTransition, nullptr);
        ASSERT_GE(RunUntilIdle(), 0);
        const int32_t score = Session().mScore;
        ASSERT_NO_FATAL_FAILURE(DrawFoodChain());
        EXPECT_GT(Session().mScore, score);
        EXPECT_EQ(Session().mStats->mChainsMade, kChainsGoal + 1);
        EndSession();
    }
}

} // namespace
} // namespace Tests
