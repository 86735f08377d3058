#include "framework/resources/manager/ResourceManager.h"
#include "game/HabitatBuilder.h"
#include "game/HabitatGroups.h"
#include "game/HabitatRegistry.h"

#include "tests/game/FakeResources.h"
#include "tests/game/GameStringsFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](const unsigned char c) { return std::tolower(c); });
    return text;
}

// The habitats built from the game's own string file, against its resource manifest.
class ContentLintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(mStrings.Load(GAME_STRINGS_FILE));
        ASSERT_TRUE(mManifest.ParseResourcesFile(GAME_MANIFEST_FILE)) << mManifest.GetErrorText();
        BuildAllHabitats(mRegistry, mStrings.Lookup(), mResources);
        ASSERT_EQ(mRegistry.GetHabitatCount(), 4);
    }

    // The ids of the group's picture records.
    std::set<std::string> PicturesOf(const std::string& group)
    {
        std::set<std::string> ids;
        for (const Zest::ResourceManager::BaseRes* const record : mManifest.mGroups[group]) {
            if (record->mType == Zest::ResourceManager::RES_IMAGE)
                ids.insert(record->mId);
        }
        return ids;
    }

    std::vector<const Habitat*> Habitats() const
    {
        std::vector<const Habitat*> habitats;
        for (int32_t index = 0; index < mRegistry.GetHabitatCount(); ++index)
            habitats.push_back(mRegistry.GetHabitat(mRegistry.GetHabitatNameByIndex(index)));
        return habitats;
    }

    Tests::GameStringsFile mStrings;
    Zest::ResourceManager mManifest{nullptr};
    Tests::FakeResources mResources;
    HabitatRegistry mRegistry{mResources};
};

TEST_F(ContentLintTest, EveryNameAndDescriptionKeyHasAText)
{
    ASSERT_FALSE(mStrings.mRequestedKeys.empty());
    for (const std::string& key : mStrings.mRequestedKeys) {
        EXPECT_TRUE(key.rfind("NAME_", 0) == 0 || key.rfind("DESC_", 0) == 0) << key;
        ASSERT_TRUE(mStrings.Has(key)) << key << " is not in the string file";
        EXPECT_FALSE(mStrings.Text(key).empty()) << key;
    }
}

// Creatures are known by their display names: in saved games, in lookups and in telling
// an item tile from an animal.
TEST_F(ContentLintTest, DisplayNamesAreUniqueAndNeverAnItemOrSaveMarker)
{
    const std::set<std::string> reserved = {"torch", "water", "shuffle", "hunter", "null", "none", "unknown"};
    for (const Habitat* const habitat : Habitats()) {
        std::set<std::string> names;
        for (const auto& creature : habitat->mCreatures) {
            EXPECT_TRUE(names.insert(creature->mName).second) << habitat->mName << ": " << creature->mName << " twice";
            if (creature->IsItem())
                continue;
            EXPECT_FALSE(creature->mName.empty()) << habitat->mName << " creature " << creature->mIndex;
            EXPECT_EQ(reserved.count(Lower(creature->mName)), 0u) << habitat->mName << ": " << creature->mName;
        }
    }
}

TEST_F(ContentLintTest, EveryPictureIsDefinedInItsGroup)
{
    const std::set<std::string> game = PicturesOf("Game");
    ASSERT_FALSE(mResources.mRequestedImages.empty());
    for (const std::string& id : mResources.mRequestedImages)
        EXPECT_EQ(game.count(id), 1u) << id << " is not a picture of the group Game";

    for (const Habitat* const habitat : Habitats()) {
        const HabitatGroupIds* const ids = FindHabitatGroupIds(habitat->mResourceGroup);
        ASSERT_NE(ids, nullptr) << habitat->mName << " has no play-screen pictures";
        const std::set<std::string> pictures = PicturesOf(habitat->mResourceGroup);
        int32_t kept = 0;
        for (int32_t id = 0; id < RESOURCE_ID_COUNT; ++id) {
            const ResourceEntry& entry = gResourceTable[id];
            if (entry.mGroup != habitat->mResourceGroup)
                continue;
            EXPECT_EQ(pictures.count(entry.mId), 1u) << entry.mId << " is not a picture of " << entry.mGroup;
            kept += entry.mVariable == ids->mBackImage || entry.mVariable == ids->mTopImage ? 1 : 0;
        }
        EXPECT_EQ(kept, 2) << "the play screen's pictures are not variables of " << habitat->mResourceGroup;
    }
}

} // namespace
