#include "game/Creature.h"
#include "game/Stage.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int32_t NC = StageGoal::NOT_COUNTED;

// Three creatures and a stage that counts foxes and hares and deals grass.
class StageTest : public ::testing::Test {
protected:
    StageTest()
    {
        mStage.AddGoal(&mFox, 3);
        mStage.AddGoal(&mHare, 2);
        mStage.AddGoal(&mGrass, NC);
        mStage.ResetTargets();
    }

    std::vector<int32_t> Counts() const
    {
        std::vector<int32_t> counts;
        for (const StageGoal& goal : mStage.mGoals)
            counts.push_back(goal.mCount);
        return counts;
    }

    Creature mFox{"Red Fox", 4, nullptr, nullptr};
    Creature mHare{"Arctic Hare", 2, nullptr, nullptr};
    Creature mGrass{"Grass", 1, nullptr, nullptr};
    Creature mOwl{"Snowy Owl", 3, nullptr, nullptr};
    Stage mStage;
};

TEST_F(StageTest, CountingTakesCollectedCreaturesOffTheirGoalUntilItIsMet)
{
    EXPECT_TRUE(mStage.CountCreature(&mFox));
    EXPECT_TRUE(mStage.CountCreature(&mFox));
    EXPECT_TRUE(mStage.CountCreature(&mFox));
    EXPECT_FALSE(mStage.CountCreature(&mFox)) << "a met goal does not count";
    EXPECT_FALSE(mStage.CountCreature(&mGrass)) << "an uncounted goal is skipped";
    EXPECT_FALSE(mStage.CountCreature(&mOwl)) << "no goal of that creature";
    EXPECT_EQ(Counts(), (std::vector<int32_t>{0, 2, NC}));
    EXPECT_FALSE(mStage.AllGoalsDone());

    EXPECT_TRUE(mStage.CountCreature(&mHare));
    EXPECT_TRUE(mStage.CountCreature(&mHare));
    EXPECT_TRUE(mStage.AllGoalsDone()) << "the uncounted grass does not hold the stage open";
}

// Only the first goal of a creature is ever counted, even once it is met.
TEST_F(StageTest, ASecondGoalOfTheSameCreatureIsNeverReached)
{
    mStage.AddGoal(&mFox, 2);
    mStage.ResetTargets();
    for (int i = 0; i < 5; ++i)
        mStage.CountCreature(&mFox);
    EXPECT_EQ(Counts(), (std::vector<int32_t>{0, 2, NC, 2}));
}

TEST_F(StageTest, ClearedCountsCompleteTheStageWhileTargetsKeepUncountedGoalsOut)
{
    mStage.ClearGoalCounts();
    EXPECT_EQ(Counts(), (std::vector<int32_t>{0, 0, 0}));
    EXPECT_TRUE(mStage.AllGoalsDone());
    EXPECT_EQ(mStage.GetCompletionPercent(), 100);
    EXPECT_EQ(mStage.GetCollectedTotal(), 5) << "the grass's target is -1 and stays out";
}

struct CompletionCase {
    int32_t mFoxesCollected;
    int32_t mHaresCollected;
    int32_t mPercent;
    int32_t mTotal;
};

TEST_F(StageTest, CompletionIsTheTruncatedMeanOfEachCountedGoalsShare)
{
    const CompletionCase cases[] = {
        {0, 0, 0, 0},
        {1, 0, 16, 1},  // 33.33 / 2
        {1, 1, 41, 2},  // (33.33 + 50) / 2
        {2, 1, 58, 3},  // (66.67 + 50) / 2
        {3, 1, 75, 4},
        {3, 2, 100, 5},
    };
    for (const CompletionCase& c : cases) {
        Stage stage = mStage;
        for (int i = 0; i < c.mFoxesCollected; ++i)
            stage.CountCreature(&mFox);
        for (int i = 0; i < c.mHaresCollected; ++i)
            stage.CountCreature(&mHare);
        EXPECT_EQ(stage.GetCompletionPercent(), c.mPercent)
            << c.mFoxesCollected << " foxes, " << c.mHaresCollected << " hares";
        EXPECT_EQ(stage.GetCollectedTotal(), c.mTotal);
    }
}

TEST_F(StageTest, ActivatingLetsEveryGoalCreatureBeDealt)
{
    mStage.ActivateCreatures();
    EXPECT_TRUE(mFox.mActive);
    EXPECT_TRUE(mHare.mActive);
    EXPECT_TRUE(mGrass.mActive) << "uncounted goals are dealt too";
    EXPECT_FALSE(mOwl.mActive);
}

// A saved game may name a creature that the habitat no longer has: its goal holds null.
TEST_F(StageTest, AGoalWithoutItsCreatureIsPassedOver)
{
    Stage stage;
    stage.AddGoal(nullptr, 4);
    stage.AddGoal(&mFox, 1);
    stage.ResetTargets();

    stage.ActivateCreatures();
    EXPECT_TRUE(mFox.mActive);
    EXPECT_FALSE(stage.CountCreature(nullptr));
    EXPECT_EQ(stage.mGoals[0].mCount, 4);
    EXPECT_EQ(stage.GetCompletionPercent(), 0);

    EXPECT_TRUE(stage.CountCreature(&mFox));
    EXPECT_TRUE(stage.AllGoalsDone()) << "a goal nobody can collect must not hold the stage open";
    EXPECT_EQ(stage.GetCompletionPercent(), 100);
    EXPECT_EQ(stage.GetCollectedTotal(), 1);
}

// Targets come back from saved games as they were written.
TEST_F(StageTest, DamagedTargetsNeitherDivideByZeroNorReadPastTheGoals)
{
    Stage stage;
    stage.AddGoal(&mFox, 0);
    stage.AddGoal(&mHare, 2);
    stage.mGoalTargets = {0};
    EXPECT_EQ(stage.GetGoalTarget(1), NC);
    EXPECT_EQ(stage.GetCompletionPercent(), 100);
    EXPECT_EQ(stage.GetCollectedTotal(), 0);
}

} // namespace
