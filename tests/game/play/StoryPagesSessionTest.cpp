// The story and tip pages as the game opens them under the application: the introduction of
// a new adventure and none for a continued one, and the tips of the first play frames.

#include "game/GameOptions.h"
#include "game/GameStats.h"
#include "game/PlayerProfile.h"
#include "game/screens/StoryScreens.h"
#include "tests/game/play/PlayFixture.h"

#include <gtest/gtest.h>

#include <optional>

namespace Tests {
namespace {

class StoryPagesSessionTest : public PlayFixture {
protected:
    PlayerProfile& Profile() const { return *mApp->GetCurrentProfile(); }

    // The page kind open over the game, or nothing.
    std::optional<int32_t> OpenKind() const
    {
        if (mApp->mStoryScreens == nullptr)
            return std::nullopt;
        return mApp->mStoryScreens->mPageKind;
    }

    // A new adventure's first level with its introduction closed, its board at rest in play,
    // tips off until the test turns them on. The player is named on the first call.
    void StartIdleAmazon()
    {
        ASSERT_NO_FATAL_FAILURE(StartIdleFirstLevel());
        ASSERT_FALSE(OpenKind().has_value());
    }
};

TEST_F(StoryPagesSessionTest, ANewAdventureOpensTheIntroductionAndAContinuedOneDoesNot)
{
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    ASSERT_NO_FATAL_FAILURE(EnterName("Tester"));
    mApp->mVSyncTiming = true;
    GameOptionsHolder::Instance().mTutorialTips = false;

    mApp->StartGameSession(0, 0);
    ASSERT_NO_FATAL_FAILURE(LeaveMap());
    ASSERT_EQ(Profile().mStageIndex, 0);
    RunFrames(1);
    ASSERT_EQ(OpenKind(), StoryScreens::KIND_INTRODUCTION);
    EXPECT_EQ(Session().mState, STATE_STORY_SHOWN);
    EXPECT_EQ(Board().mPhase, PHASE_FROZEN);
    EXPECT_EQ(Session().mPanelAlpha, 0);
    EXPECT_EQ(Session().mItemsAlpha, 0);
    EXPECT_EQ(Session().mProgressAlpha, 0);
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(mApp->mStoryScreens));

    // The collected items fade their parts of the display in while the page is up.
    StoryScreens& page = *mApp->mStoryScreens;
    for (int frame = 0; frame < 100 && page.mIntroContinueButton == nullptr; ++frame)
        RunFrames(1);
    ASSERT_NE(page.mIntroContinueButton, nullptr) << "the introduction never came to rest";
    Click(*page.mIntroContinueButton);
    ASSERT_NE(page.mTubesButton, nullptr);
    Click(*page.mTubesButton);
    RunFrames(10);
    EXPECT_TRUE(Session().mFadeInProgress);
    EXPECT_EQ(Session().mProgressAlpha, 20);
    EXPECT_EQ(Session().mPanelAlpha, 0);
    ASSERT_NO_FATAL_FAILURE(CloseIntroduction());
    ASSERT_GE(RunUntilIdle(), 0);
    Session().SaveGameToProfile();
    mApp->RemoveGameSession();
    mApp->DeleteDeferredWidgets();

    mApp->StartGameSession(1, 0);
    ASSERT_EQ(Session().mContinued, 1);
    ASSERT_NO_FATAL_FAILURE(LeaveMap());
    RunFrames(1);
    EXPECT_FALSE(OpenKind().has_value()) << "a continued game opened a page";
    EXPECT_EQ(Session().mState, STATE_STAGE_START);
    EXPECT_EQ(Session().mPanelAlpha, 255);
}

TEST_F(StoryPagesSessionTest, WithTipsOnTheFirstPlayFrameOpensTheBasicTipOverAFrozenBoard)
{
    ASSERT_NO_FATAL_FAILURE(StartIdleAmazon());
    GameOptionsHolder::Instance().mTutorialTips = true;
    RunFrames(1);
    ASSERT_EQ(OpenKind(), 5);
    EXPECT_EQ(Session().mState, STATE_STORY_SHOWN);
    EXPECT_EQ(Board().mPhase, PHASE_FROZEN);
    EXPECT_TRUE(Board().mDisabled);

    // Continue: the tip is seen, play goes on with the elements holder blinking.
    for (int frame = 0; frame < 40 && mApp->mStoryScreens->mIntroContinueButton == nullptr; ++frame)
        RunFrames(1);
    ASSERT_NE(mApp->mStoryScreens->mIntroContinueButton, nullptr);
    Click(*mApp->mStoryScreens->mIntroContinueButton);
    EXPECT_TRUE(Profile().mTutorialSeen[0]);
    for (int frame = 0; frame < 40 && mApp->mStoryScreens != nullptr; ++frame)
        RunFrames(1);
    EXPECT_FALSE(OpenKind().has_value());
    EXPECT_EQ(Session().mState, STATE_PLAY);
    EXPECT_TRUE(Session().mElementsBlink);
    EXPECT_FALSE(Board().mDisabled);
    RunFrames(5);
    EXPECT_FALSE(OpenKind().has_value()) << "a seen tip opened again";
}

// Both the basic tip (profile stage 0, no move yet) and the food-chain tip (stage 2) hold:
// the first row decides the frame, even when its tip was seen.
TEST_F(StoryPagesSessionTest, ASeenTipKeepsTheLaterTipsFromThatFrame)
{
    const struct {
        const char* mName;
        bool mBasicSeen;
        int32_t mProfileStage;
        std::optional<int32_t> mOpened;
    } cases[] = {
        {"basic tip unseen", false, 0, 5},
        {"basic tip seen", true, 0, std::nullopt},
        {"basic tip out of play", true, 7, 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mName);
        ASSERT_NO_FATAL_FAILURE(StartIdleAmazon());
        Profile().ClearTutorialSeen();
        if (c.mBasicSeen)
            Profile().SetTutorialSeen(0);
        Profile().mStageIndex = c.mProfileStage;
        Session().mStage.mIndex = 2;
        ASSERT_EQ(Session().mStats->mStageMoves, 0);
        GameOptionsHolder::Instance().mTutorialTips = true;
        RunFrames(1);
        EXPECT_EQ(OpenKind(), c.mOpened);
        EXPECT_EQ(Session().mState, c.mOpened ? STATE_STORY_SHOWN : STATE_PLAY);
        mApp->RemoveGameSession();
        for (int round = 0; round < 10 && !mApp->mDeferredDeletes.empty(); ++round)
            mApp->DeleteDeferredWidgets();
    }
}

} // namespace
} // namespace Tests
