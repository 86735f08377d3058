#include "game/HabitatBuilder.h"
#include "game/HabitatContent.h"
#include "game/HabitatRegistry.h"
#include "game/MiniGameEntry.h"

#include "tests/game/FakeResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

// The four habitats built with each string key as its own text, so that a creature's name
// and description are its keys, and every picture is named by its id. Each rule below is
// checked for every habitat, against the table the habitat was built from.
class HabitatContentTest : public ::testing::Test {
protected:
    HabitatContentTest() { BuildAllHabitats(mRegistry, [](const std::string& key) { return key; }, mResources); }

    // Calls check(table, habitat) for each habitat with the table it was built from.
    template <typename Check>
    void ForEachHabitat(const Check& check) const
    {
        for (const HabitatContent* const table :
             {&AmazonContent(), &GrandCanyonContent(), &AlaskaContent(), &ArcticContent()}) {
            SCOPED_TRACE(table->mName);
            const Habitat* const habitat = mRegistry.GetHabitat(table->mName);
            ASSERT_NE(habitat, nullptr);
            check(*table, *habitat);
        }
    }

    Tests::FakeResources mResources;
    HabitatRegistry mRegistry{mResources};
};

bool IsCreatureOf(const Habitat& habitat, const Creature* const creature)
{
    return std::any_of(habitat.mCreatures.begin(), habitat.mCreatures.end(),
                       [creature](const std::unique_ptr<Creature>& own) { return own.get() == creature; });
}

// Every field a builder sets comes from its row of the table, in the table's order.
TEST_F(HabitatContentTest, EachHabitatIsBuiltFromItsTable)
{
    int32_t buildIndex = 0;
    ForEachHabitat([&buildIndex](const HabitatContent& table, const Habitat& habitat) {
        EXPECT_EQ(habitat.mIndex, buildIndex++);
        EXPECT_EQ(habitat.mNumber, table.mNumber);
        EXPECT_EQ(habitat.mMusicFile, table.mMusicFile);
        EXPECT_EQ(habitat.mResourceGroup, table.mResourceGroup);
        EXPECT_EQ(Tests::IdOf(habitat.mLabelImage), table.mLabelImage);
        EXPECT_EQ(habitat.mCollectedGoals, 0);

        ASSERT_EQ(habitat.mCreatures.size(), table.mCreatures.size() + table.mItems.size());
        for (size_t i = 0; i < table.mCreatures.size(); ++i) {
            const CreatureRow& row = table.mCreatures[i];
            const Creature& creature = *habitat.mCreatures[i];
            SCOPED_TRACE(row.mNameKey);
            EXPECT_EQ(creature.mIndex, static_cast<int32_t>(i));
            EXPECT_EQ(creature.mName, row.mNameKey);
            EXPECT_EQ(creature.mDescription, row.mDescriptionKey);
            EXPECT_EQ(creature.mLevel, row.mLevel);
            EXPECT_FALSE(creature.IsItem());
            EXPECT_EQ(Tests::IdOf(creature.mTileImage), row.mTileImage);
            EXPECT_EQ(Tests::IdOf(creature.mLabelImage), row.mLabelImage);
            EXPECT_EQ(creature.mSpawnChance, 0);
        }
        for (size_t i = 0; i < table.mItems.size(); ++i) {
            const ItemRow& row = table.mItems[i];
            const Creature& item = *habitat.mCreatures[table.mCreatures.size() + i];
            SCOPED_TRACE(row.mKind->mName);
            EXPECT_EQ(item.mIndex, static_cast<int32_t>(table.mCreatures.size() + i));
            EXPECT_EQ(item.mName, row.mKind->mName);
            EXPECT_EQ(item.mDescription, "");
            EXPECT_EQ(item.mLevel, row.mKind->mLevel);
            EXPECT_TRUE(item.IsItem());
            EXPECT_EQ(Tests::IdOf(item.mTileImage), row.mKind->mTileImage);
            EXPECT_EQ(item.mLabelImage, nullptr);
            EXPECT_EQ(item.mSpawnChance, row.mSpawnChance);
        }

        ASSERT_EQ(habitat.mFoodLinks.size(), table.mFoodLinks.size());
        for (size_t i = 0; i < table.mFoodLinks.size(); ++i) {
            EXPECT_EQ(habitat.mFoodLinks[i].mPredator->mName, table.mFoodLinks[i].mPredator) << "link " << i;
            EXPECT_EQ(habitat.mFoodLinks[i].mPrey->mName, table.mFoodLinks[i].mPrey) << "link " << i;
        }

        ASSERT_EQ(habitat.mStages.size(), table.mStages.size());
        for (size_t i = 0; i < table.mStages.size(); ++i) {
            const StageRow& row = table.mStages[i];
            const Stage& stage = habitat.mStages[i];
            SCOPED_TRACE("stage " + std::to_string(i));
            EXPECT_EQ(stage.mIndex, static_cast<int32_t>(i));
            EXPECT_EQ(stage.mMode, row.mMode);
            EXPECT_EQ(stage.mPowerItems, row.mPowerItems);
            EXPECT_EQ(stage.mMaxFrameShape, row.mMaxFrameShape);
            EXPECT_EQ(stage.mPanicChance, row.mPanicChance);
            EXPECT_TRUE(stage.mPending);
            EXPECT_EQ(stage.mPlateKind, -1);
            ASSERT_EQ(stage.mGoals.size(), row.mGoals.size());
            ASSERT_EQ(stage.mGoalTargets.size(), row.mGoals.size());
            for (size_t g = 0; g < row.mGoals.size(); ++g) {
                ASSERT_NE(stage.mGoals[g].mCreature, nullptr) << "goal " << g;
                EXPECT_EQ(stage.mGoals[g].mCreature->mName, row.mGoals[g].mCreature) << "goal " << g;
                EXPECT_EQ(stage.mGoals[g].mCount, row.mGoals[g].mCount) << "goal " << g;
                EXPECT_EQ(stage.mGoalTargets[g], row.mGoals[g].mCount) << "goal " << g;
            }
            ASSERT_EQ(stage.mEventKinds.size(), row.mEvents.size());
            ASSERT_EQ(stage.mEventChances.size(), row.mEvents.size());
            for (size_t e = 0; e < row.mEvents.size(); ++e) {
                EXPECT_EQ(stage.mEventKinds[e], row.mEvents[e].mKind) << "event " << e;
                EXPECT_EQ(stage.mEventChances[e], row.mEvents[e].mChance) << "event " << e;
            }
        }
    });
}

TEST_F(HabitatContentTest, EveryGoalNamesACreatureOfItsHabitat)
{
    ForEachHabitat([](const HabitatContent&, const Habitat& habitat) {
        for (const Stage& stage : habitat.mStages) {
            for (const StageGoal& goal : stage.mGoals)
                EXPECT_TRUE(IsCreatureOf(habitat, goal.mCreature)) << "stage " << stage.mIndex;
        }
    });
}

// A link joins two animals of the habitat, never an item, and no two creatures are linked
// twice, in either direction.
TEST_F(HabitatContentTest, EveryLinkJoinsTwoAnimalsOfItsHabitat)
{
    ForEachHabitat([](const HabitatContent&, const Habitat& habitat) {
        for (size_t i = 0; i < habitat.mFoodLinks.size(); ++i) {
            const FoodLink& link = habitat.mFoodLinks[i];
            SCOPED_TRACE("link " + std::to_string(i));
            ASSERT_TRUE(IsCreatureOf(habitat, link.mPredator));
            ASSERT_TRUE(IsCreatureOf(habitat, link.mPrey));
            EXPECT_FALSE(link.mPredator->IsItem()) << link.mPredator->mName;
            EXPECT_FALSE(link.mPrey->IsItem()) << link.mPrey->mName;
            EXPECT_NE(link.mPredator, link.mPrey) << link.mPrey->mName;
            for (size_t j = 0; j < i; ++j) {
                const FoodLink& earlier = habitat.mFoodLinks[j];
                EXPECT_FALSE((earlier.mPredator == link.mPredator && earlier.mPrey == link.mPrey) ||
                             (earlier.mPredator == link.mPrey && earlier.mPrey == link.mPredator))
                    << link.mPredator->mName << " and " << link.mPrey->mName << " are linked already";
            }
        }
    });
}

// Levels rise along the food web: a predator's level is strictly above its prey's.
TEST_F(HabitatContentTest, EveryPredatorStandsAboveItsPrey)
{
    ForEachHabitat([](const HabitatContent&, const Habitat& habitat) {
        for (const FoodLink& link : habitat.mFoodLinks) {
            EXPECT_GT(link.mPredator->mLevel, link.mPrey->mLevel)
                << link.mPredator->mName << " eats " << link.mPrey->mName;
        }
    });
}

// A creature's predators are exactly those linked as eating it, in link order, and its
// "eaten by" text names them so; items and top predators have none.
TEST_F(HabitatContentTest, PredatorListsFollowTheLinks)
{
    ForEachHabitat([](const HabitatContent&, const Habitat& habitat) {
        for (const std::unique_ptr<Creature>& creature : habitat.mCreatures) {
            std::vector<const Creature*> predators;
            std::string eatenBy;
            for (const FoodLink& link : habitat.mFoodLinks) {
                if (link.mPrey != creature.get())
                    continue;
                eatenBy += (predators.empty() ? "" : ", ") + link.mPredator->mName;
                predators.push_back(link.mPredator);
            }
            EXPECT_EQ(std::vector<const Creature*>(creature->mPredators.begin(), creature->mPredators.end()),
                      predators)
                << creature->mName;
            EXPECT_EQ(creature->mEatenByText, eatenBy) << creature->mName;
        }
    });
}

// One look at each table's size, so that a habitat cut short or built twice shows.
TEST_F(HabitatContentTest, CountsAndGoalTotalsAreThoseOfTheContent)
{
    const struct {
        const char* mName;
        size_t mCreatures;
        size_t mFoodLinks;
        size_t mStages;
        int32_t mTotalGoals;
    } totals[] = {
        {"Amazon", 13, 18, 7, 75},
        {"Grand Canyon", 13, 16, 5, 68},
        {"Alaska", 12, 14, 6, 71},
        {"Arctic", 10, 4, 9, 149},
    };
    for (const auto& expected : totals) {
        SCOPED_TRACE(expected.mName);
        const Habitat* const habitat = mRegistry.GetHabitat(expected.mName);
        ASSERT_NE(habitat, nullptr);
        EXPECT_EQ(habitat->mCreatures.size(), expected.mCreatures);
        EXPECT_EQ(habitat->mFoodLinks.size(), expected.mFoodLinks);
        EXPECT_EQ(habitat->mStages.size(), expected.mStages);
        EXPECT_EQ(habitat->mTotalGoals, expected.mTotalGoals);
    }
}

TEST_F(HabitatContentTest, EachHabitatHasItsMiniGame)
{
    const std::vector<MiniGameEntry> table = BuildMiniGameTable();
    ASSERT_EQ(static_cast<int32_t>(table.size()), mRegistry.GetHabitatCount());
    const int32_t kinds[] = {MiniGameEntry::KIND_SPIDERS, MiniGameEntry::KIND_SPIDERS, MiniGameEntry::KIND_BEARS,
                             MiniGameEntry::KIND_BEARS};
    const int32_t waves[] = {3, 4, 3, 3};
    for (size_t index = 0; index < table.size(); ++index) {
        EXPECT_EQ(table[index].mKind, kinds[index]) << index;
        EXPECT_EQ(table[index].mWaves, waves[index]) << index;
        EXPECT_EQ(table[index].mPerWave, table[index].mKind == MiniGameEntry::KIND_SPIDERS ? 8 : 0) << index;
    }
}

} // namespace
