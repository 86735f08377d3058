#include "game/Habitat.h"

#include "framework/app/common/RuntimeRandom.h"
#include "game/GameRandom.h"
#include "game/TileCounts.h"
#include "tests/game/FakeResources.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int32_t NC = StageGoal::NOT_COUNTED;

// A small tundra: the fox eats the owl and the hare, the owl eats the hare, the hare eats
// grass; three stages.
class HabitatTest : public ::testing::Test {
protected:
    HabitatTest() : mHabitat("Tundra")
    {
        mFox = Add("Red Fox", 4);
        mOwl = Add("Snowy Owl", 3);
        mHare = Add("Arctic Hare", 2);
        mGrass = Add("Grass", 1);
        mWater = Add("water", Creature::LEVEL_ITEM);
        mHabitat.AddFoodLink(mFox, mHare);
        mHabitat.AddFoodLink(mOwl, mHare);
        mHabitat.AddFoodLink(mFox, mOwl);
        mHabitat.AddFoodLink(mHare, mGrass);
        mHabitat.AddStage(MakeStage({{mFox, 2}, {mHare, 3}}));
        mHabitat.AddStage(MakeStage({{mOwl, 1}, {mGrass, NC}}));
        mHabitat.AddStage(MakeStage({{mHare, 4}, {mWater, NC}}));
        mHabitat.Finalize();
    }

    Creature* Add(const std::string& name, const int32_t level)
    {
        auto creature = std::make_unique<Creature>(name, level, nullptr, nullptr);
        Creature* const added = creature.get();
        mHabitat.AddCreature(std::move(creature));
        return added;
    }

    static Stage MakeStage(const std::vector<StageGoal>& goals)
    {
        Stage stage;
        for (const StageGoal& goal : goals)
            stage.AddGoal(goal.mCreature, goal.mCount);
        return stage;
    }

    std::vector<std::string> ActiveNames() const
    {
        std::vector<std::string> names;
        for (const auto& creature : mHabitat.mCreatures) {
            if (creature->mActive)
                names.push_back(creature->mName);
        }
        return names;
    }

    std::vector<bool> Pending() const
    {
        std::vector<bool> pending;
        for (const Stage& stage : mHabitat.mStages)
            pending.push_back(stage.mPending);
        return pending;
    }

    Habitat mHabitat;
    Creature* mFox;
    Creature* mOwl;
    Creature* mHare;
    Creature* mGrass;
    Creature* mWater;
};

TEST_F(HabitatTest, CreaturesAndStagesArePlacedInTheOrderAdded)
{
    for (size_t i = 0; i < mHabitat.mCreatures.size(); ++i)
        EXPECT_EQ(mHabitat.mCreatures[i]->mIndex, static_cast<int32_t>(i));
    for (size_t i = 0; i < mHabitat.mStages.size(); ++i) {
        const Stage& stage = mHabitat.mStages[i];
        EXPECT_EQ(stage.mIndex, static_cast<int32_t>(i));
        EXPECT_TRUE(stage.mPending);
        ASSERT_EQ(stage.mGoalTargets.size(), stage.mGoals.size());
        for (size_t goal = 0; goal < stage.mGoals.size(); ++goal)
            EXPECT_EQ(stage.mGoalTargets[goal], stage.mGoals[goal].mCount);
    }
}

TEST_F(HabitatTest, CreaturesAreFoundByTheirExactName)
{
    EXPECT_EQ(mHabitat.FindCreature("Snowy Owl"), mOwl);
    EXPECT_EQ(mHabitat.FindCreature("water"), mWater);
    EXPECT_EQ(mHabitat.FindCreature("snowy owl"), nullptr);
    EXPECT_EQ(mHabitat.FindCreature("Snowy"), nullptr);
    EXPECT_EQ(mHabitat.FindCreature("unknown"), nullptr);
}

TEST_F(HabitatTest, FoodLinksHoldInEitherDirection)
{
    EXPECT_TRUE(mHabitat.IsFoodLink(mFox, mHare));
    EXPECT_TRUE(mHabitat.IsFoodLink(mHare, mFox));
    EXPECT_TRUE(mHabitat.IsFoodLink(mGrass, mHare));
    EXPECT_FALSE(mHabitat.IsFoodLink(mFox, mGrass));
    EXPECT_FALSE(mHabitat.IsFoodLink(mOwl, mOwl));
}

TEST_F(HabitatTest, PredatorsAreListedInLinkOrder)
{
    ASSERT_EQ(mHare->mPredators, (std::vector<Creature*>{mFox, mOwl}));
    EXPECT_EQ(mHare->mEatenByText, "Red Fox, Snowy Owl");
    EXPECT_EQ(mOwl->mPredators, (std::vector<Creature*>{mFox}));
    EXPECT_EQ(mOwl->mEatenByText, "Red Fox");
    EXPECT_TRUE(mFox->mPredators.empty());
    EXPECT_EQ(mFox->mEatenByText, "");
}

TEST_F(HabitatTest, TheGoalTotalCountsOnlyCountedGoals)
{
    EXPECT_EQ(mHabitat.mTotalGoals, 2 + 3 + 1 + 4);
}

TEST_F(HabitatTest, StagesArePlayedInOrderOnACopyThatDealsOnlyTheirCreatures)
{
    mHabitat.ResetStages();
    Stage played;
    ASSERT_TRUE(mHabitat.StartNextStage(played));
    EXPECT_EQ(played.mIndex, 0);
    EXPECT_EQ(ActiveNames(), (std::vector<std::string>{"Red Fox", "Arctic Hare"}));
    played.CountCreature(mFox);
    EXPECT_EQ(mHabitat.mStages[0].mGoals[0].mCount, 2) << "counting goes against the copy";

    mHabitat.MarkStageDone(played.mIndex);
    ASSERT_TRUE(mHabitat.StartNextStage(played));
    EXPECT_EQ(played.mIndex, 1);
    EXPECT_EQ(ActiveNames(), (std::vector<std::string>{"Snowy Owl", "Grass"}));

    mHabitat.MarkStageDone(1);
    mHabitat.MarkStageDone(2);
    EXPECT_FALSE(mHabitat.StartNextStage(played));
    EXPECT_EQ(played.mIndex, 1) << "the target is left alone when no stage is pending";
}

TEST_F(HabitatTest, ResumingMarksEarlierStagesDoneAndDealsTheCreaturesUpToTheStage)
{
    mHabitat.mCollectedGoals = 7;
    mHabitat.ResumeAtStage(1);
    EXPECT_EQ(Pending(), (std::vector<bool>{false, true, true}));
    EXPECT_EQ(ActiveNames(), (std::vector<std::string>{"Red Fox", "Snowy Owl", "Arctic Hare", "Grass"}));
    EXPECT_EQ(mHabitat.mCollectedGoals, 0);
    EXPECT_EQ(mHabitat.mTotalGoals, 10);

    mHabitat.ResetStages();
    EXPECT_EQ(Pending(), (std::vector<bool>{true, true, true}));
}

TEST_F(HabitatTest, ProgressCountsTheGoalsAStageLeftOpenAsCollected)
{
    mHabitat.ResetStages();
    Stage played;
    mHabitat.StartNextStage(played);
    played.CountCreature(mHare);
    mHabitat.mCollectedGoals += 1;
    mHabitat.AddStageProgress(played);
    EXPECT_EQ(mHabitat.mCollectedGoals, 5);
    EXPECT_FLOAT_EQ(mHabitat.GetProgress(), 0.5f);

    Habitat empty("Empty");
    EXPECT_EQ(empty.GetProgress(), 0.0f) << "no goals: no division by zero";
}

// A board for the picks: how many tiles show each creature.
class FakeTileCounts : public TileCounts {
public:
    int32_t CountTilesOf(const Creature& creature) const override
    {
        const auto found = mTiles.find(&creature);
        return found == mTiles.end() ? 0 : found->second;
    }
    int32_t CountTilesOfLevel(const int32_t level) const override
    {
        int32_t count = 0;
        for (const auto& [creature, tiles] : mTiles) {
            if (creature->mLevel == level)
                count += tiles;
        }
        return count;
    }
    bool HasHunterTile() const override { return CountTilesOfLevel(Creature::LEVEL_HUNTER) > 0; }

    std::map<const Creature*, int32_t> mTiles;
};

// The tundra with all four items, each accepted whenever it is drawn and may be dealt.
class HabitatPickTest : public HabitatTest {
protected:
    static constexpr uint32_t kSeeds = 400;

    HabitatPickTest()
    {
        mTorch = Add("torch", Creature::LEVEL_ITEM);
        mShuffle = Add("shuffle", Creature::LEVEL_ITEM);
        mHunter = Add("hunter", Creature::LEVEL_HUNTER);
        for (const auto& creature : mHabitat.mCreatures) {
            creature->mActive = true;
            creature->mSpawnChance = 100;
        }
    }

    Creature* mTorch;
    Creature* mShuffle;
    Creature* mHunter;
    FakeTileCounts mBoard;
};

TEST_F(HabitatPickTest, TheRarestDealtCreatureComesOnADrawOf30OrLessAndTheEarlierOfEqualsWins)
{
    // Grass and the water are rarer still, but grass is not dealt in the stage and the
    // water is an item.
    mGrass->mActive = false;
    mBoard.mTiles = {{mFox, 2}, {mOwl, 1}, {mHare, 1}};
    int32_t rarestPicks = 0;
    for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
        GameRandom probe(seed);
        const bool takesRarest = probe.Next(99) <= 30;
        Zest::SRand(seed);
        const Creature* const expected = takesRarest ? mOwl : mHabitat.PickRandomCreature(probe, 2, &mBoard, false);
        rarestPicks += takesRarest ? 1 : 0;

        GameRandom random(seed);
        Zest::SRand(seed);
        EXPECT_EQ(mHabitat.PickCreatureForCell(random, 2, &mBoard, false), expected) << "seed " << seed;
    }
    EXPECT_GT(rarestPicks, 0);
    GameRandom random(1);
    EXPECT_EQ(mHabitat.PickCreatureForCell(random, 2, nullptr, false), nullptr);
}

TEST_F(HabitatPickTest, AStageThatDealsNoCreatureStillGetsATile)
{
    // Only an item may be dealt: the pick falls through to the random pick, which gives
    // the item or, as its last resort, the first creature of the list.
    mHabitat.ClearActiveCreatures();
    mWater->mActive = true;
    std::set<const Creature*> picked;
    for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
        GameRandom random(seed);
        Zest::SRand(seed);
        picked.insert(mHabitat.PickCreatureForCell(random, 0, &mBoard, false));
    }
    EXPECT_EQ(picked, (std::set<const Creature*>{mFox, mWater}));

    mWater->mActive = false;
    for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
        GameRandom random(seed);
        ASSERT_EQ(mHabitat.PickCreatureForCell(random, 0, &mBoard, false), mFox) << "seed " << seed;
    }
}

TEST_F(HabitatPickTest, ItemsAreDealtOnlyUnderTheirCapsAndNeverIntoANewBoardsBottomRow)
{
    const std::set<const Creature*> allItems = {mWater, mTorch, mShuffle, mHunter};
    const struct {
        const char* what;
        std::map<const Creature*, int32_t> tiles;
        int32_t row;
        bool initialFill;
        const Creature* inactive;
        std::set<const Creature*> dealtItems;
    } cases[] = {
        {"an empty board", {}, 0, false, nullptr, allItems},
        {"two level -1 items", {{mTorch, 1}, {mWater, 1}}, 0, false, nullptr, allItems},
        {"three level -1 items together", {{mTorch, 1}, {mWater, 1}, {mShuffle, 1}}, 0, false, nullptr, {mHunter}},
        {"three tiles of one item", {{mTorch, 3}}, 0, false, nullptr, {mHunter}},
        {"a hunter on the board", {{mHunter, 1}}, 0, false, nullptr, {}},
        {"a new board's bottom row", {}, 5, true, nullptr, {}},
        {"a new board's other rows", {}, 4, true, nullptr, allItems},
        {"a refill of the bottom row", {}, 5, false, nullptr, allItems},
        {"an item the stage does not deal", {}, 0, false, mWater, {mTorch, mShuffle, mHunter}},
    };
    for (const auto& [what, tiles, row, initialFill, inactive, dealtItems] : cases) {
        mBoard.mTiles = tiles;
        for (const auto& creature : mHabitat.mCreatures)
            creature->mActive = creature.get() != inactive && creature.get() != mGrass;
        std::set<const Creature*> dealt;
        for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
            GameRandom random(seed);
            Zest::SRand(seed);
            const Creature* const picked = mHabitat.PickRandomCreature(random, row, &mBoard, initialFill);
            ASSERT_NE(picked, nullptr) << what;
            if (picked->IsItem())
                dealt.insert(picked);
            else
                EXPECT_TRUE(picked->mActive && picked->mLevel > 0) << what << ": " << picked->mName;
        }
        EXPECT_EQ(dealt, dealtItems) << what;
    }
}

TEST(HabitatResourcesTest, LoadingAHabitatGroupTakesItsBackAndTopPictures)
{
    Tests::FakeResources resources;
    Habitat habitat("Alaska");
    habitat.mResourceGroup = "Habitat_Alaska";

    EXPECT_TRUE(habitat.LoadResources(resources));
    EXPECT_EQ(resources.mLoadedGroups, (std::vector<std::string>{"Habitat_Alaska"}));
    EXPECT_EQ(Tests::IdOf(habitat.mBackImage), "IMAGE_HABITAT_ALASKA_BACK");
    EXPECT_EQ(Tests::IdOf(habitat.mTopImage), "IMAGE_HABITAT_ALASKA_TOP");
    EXPECT_EQ(resources.mFatalReports, 0);

    habitat.UnloadResources(resources);
    EXPECT_EQ(resources.mDeletedGroups, (std::vector<std::string>{"Habitat_Alaska"}));
}

struct LoadFailureCase {
    const char* mWhat;
    const char* mFailingGroup;
    const char* mMissingImage;
};

TEST(HabitatResourcesTest, AGroupThatFailsOrLacksAPictureIsFatal)
{
    const LoadFailureCase cases[] = {
        {"group fails", "Habitat_Arctic", ""},
        {"back missing", "", "IMAGE_HABITAT_ARCTIC_BACK"},
        {"top missing", "", "IMAGE_HABITAT_ARCTIC_TOP"},
        {"mini-game picture missing", "", "IMAGE_MINI_GAME_ARCTIC"},
    };
    for (const LoadFailureCase& c : cases) {
        Tests::FakeResources resources;
        resources.mFailingGroups.insert(c.mFailingGroup);
        resources.mMissingImages.insert(c.mMissingImage);
        Habitat habitat("Arctic");
        habitat.mResourceGroup = "Habitat_Arctic";
        EXPECT_FALSE(habitat.LoadResources(resources)) << c.mWhat;
        EXPECT_EQ(resources.mFatalReports, 1) << c.mWhat;
        EXPECT_EQ(habitat.mBackImage, nullptr) << c.mWhat;
        EXPECT_EQ(habitat.mTopImage, nullptr) << c.mWhat;
    }
}

TEST(HabitatResourcesTest, AnotherGroupIsLoadedWithoutPictures)
{
    Tests::FakeResources resources;
    Habitat habitat("Europe");
    habitat.mResourceGroup = "Habitat_Europe";
    EXPECT_TRUE(habitat.LoadResources(resources));
    EXPECT_EQ(resources.mLoadedGroups, (std::vector<std::string>{"Habitat_Europe"}));
    EXPECT_TRUE(resources.mRequestedImages.empty());
    EXPECT_EQ(habitat.mBackImage, nullptr);
}

} // namespace
