#include "game/HabitatBuilder.h"
#include "game/HabitatRegistry.h"

#include "tests/game/FakeResources.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The four habitats built with each string key as its own text.
class HabitatRegistryTest : public ::testing::Test {
protected:
    HabitatRegistryTest() { BuildAllHabitats(mRegistry, [](const std::string& key) { return key; }, mResources); }

    Tests::FakeResources mResources;
    HabitatRegistry mRegistry{mResources};
};

TEST_F(HabitatRegistryTest, NamesAndIndexesFollowTheBuildOrder)
{
    const std::vector<std::string> names = {"Amazon", "Grand Canyon", "Alaska", "Arctic"};
    ASSERT_EQ(mRegistry.GetHabitatCount(), 4);
    EXPECT_EQ(mRegistry.mBuildIndex, 4);
    for (int32_t index = 0; index < 4; ++index) {
        EXPECT_EQ(mRegistry.GetHabitatNameByIndex(index), names[index]);
        EXPECT_EQ(mRegistry.GetHabitatIndexByName(names[index]), index);
        const Habitat* const habitat = mRegistry.GetHabitat(names[index]);
        ASSERT_NE(habitat, nullptr) << names[index];
        EXPECT_EQ(habitat->mIndex, index);
    }
    EXPECT_EQ(mRegistry.GetFirstHabitatIndex(), 0);
}

TEST_F(HabitatRegistryTest, UnknownNamesAndIndexesFindNothing)
{
    for (const int32_t index : {4, -1, 10})
        EXPECT_EQ(mRegistry.GetHabitatNameByIndex(index), "empty") << index;
    for (const char* const name : {"Europe", "alaska", "Grand canyon", "", "empty"}) {
        EXPECT_EQ(mRegistry.GetHabitatIndexByName(name), -1) << name;
        EXPECT_EQ(mRegistry.GetHabitat(name), nullptr) << name;
    }
}

TEST_F(HabitatRegistryTest, CreaturesAreFoundThroughTheirHabitat)
{
    const Creature* const jaguar = mRegistry.FindCreature("Amazon", "NAME_JAGUAR");
    ASSERT_NE(jaguar, nullptr);
    EXPECT_EQ(jaguar->mIndex, 1);
    EXPECT_NE(mRegistry.FindCreature("Arctic", "hunter"), nullptr);
    EXPECT_EQ(mRegistry.FindCreature("Amazon", "NAME_MOOSE"), nullptr) << "a creature of another habitat";
    EXPECT_EQ(mRegistry.FindCreature("Atlantis", "NAME_JAGUAR"), nullptr) << "a habitat that does not exist";
    EXPECT_EQ(mRegistry.FindCreature("Amazon", "unknown"), nullptr);
}

TEST_F(HabitatRegistryTest, ASecondRegistrationUnderANameReplacesAndFinalizesIt)
{
    auto replacement = std::make_unique<Habitat>("Amazon");
    auto creature = std::make_unique<Creature>("Sloth", 2, nullptr, nullptr);
    Creature* const sloth = creature.get();
    replacement->AddCreature(std::move(creature));
    Stage stage;
    stage.AddGoal(sloth, 9);
    replacement->AddStage(stage);
    Habitat* const added = replacement.get();

    mRegistry.RegisterHabitat("Amazon", std::move(replacement));
    EXPECT_EQ(mRegistry.GetHabitat("Amazon"), added);
    EXPECT_EQ(added->mTotalGoals, 9);
    EXPECT_EQ(mRegistry.FindCreature("Amazon", "NAME_JAGUAR"), nullptr);
}

TEST_F(HabitatRegistryTest, HabitatResourcesAreLoadedAndReleasedByName)
{
    mRegistry.LoadHabitatResources("Grand Canyon");
    EXPECT_EQ(mResources.mLoadedGroups, (std::vector<std::string>{"Habitat_GrandCanyon"}));
    EXPECT_EQ(Tests::IdOf(mRegistry.GetHabitat("Grand Canyon")->mBackImage), "IMAGE_HABITAT_GRANDCANYON_BACK");
    mRegistry.UnloadHabitatResources("Grand Canyon");
    EXPECT_EQ(mResources.mDeletedGroups, (std::vector<std::string>{"Habitat_GrandCanyon"}));

    mRegistry.LoadHabitatResources("Atlantis");
    mRegistry.UnloadHabitatResources("Atlantis");
    EXPECT_EQ(mResources.mLoadedGroups.size(), 1u) << "an unknown name loads nothing";
    EXPECT_EQ(mResources.mDeletedGroups.size(), 1u);
    EXPECT_EQ(mResources.mFatalReports, 0);
}

struct FirstIndexCase {
    std::vector<int32_t> mRegistered;
    int32_t mFirst;
};

TEST(HabitatRegistryIndexTest, TheFirstIndexIsTheSmallestRegisteredUpToTen)
{
    const FirstIndexCase cases[] = {
        {{}, -1},
        {{3}, 3},
        {{5, 2}, 2},
        {{10}, 10},
        {{11}, -1},
        {{11, 7}, 7},
    };
    for (const FirstIndexCase& c : cases) {
        Tests::FakeResources resources;
        HabitatRegistry registry(resources);
        for (const int32_t index : c.mRegistered) {
            registry.mBuildIndex = index;
            registry.RegisterHabitatName("Habitat " + std::to_string(index));
        }
        EXPECT_EQ(registry.GetFirstHabitatIndex(), c.mFirst) << ::testing::PrintToString(c.mRegistered);
    }
}

} // namespace
