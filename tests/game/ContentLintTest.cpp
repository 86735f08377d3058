#include "framework/resources/ResourceManager.h"
#include "framework/resources/XMLParser.h"
#include "game/HabitatBuilder.h"
#include "game/HabitatGroups.h"
#include "game/HabitatRegistry.h"

#include "tests/game/FakeResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// The texts of the game's string file: the direct children of its Strings element, each
// named by its key with the text in "value".
std::map<std::string, std::string> ReadStrings(const std::string& path)
{
    std::map<std::string, std::string> strings;
    Zest::XMLParser parser;
    if (!parser.OpenFile(path))
        return strings;
    Zest::XMLElement element;
    while (parser.NextElement(&element)) {
        if (element.mType == Zest::XMLElement::TYPE_START && element.mSection == "Strings")
            strings[element.mValue] = element.mAttributes["value"];
    }
    EXPECT_FALSE(parser.HasFailed()) << path;
    return strings;
}

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
        mStrings = ReadStrings(GAME_STRINGS_FILE);
        ASSERT_FALSE(mStrings.empty()) << GAME_STRINGS_FILE;
        ASSERT_TRUE(mManifest.ParseResourcesFile(GAME_MANIFEST_FILE)) << mManifest.GetErrorText();
        BuildAllHabitats(
            mRegistry,
            [this](const std::string& key) {
                mRequestedKeys.push_back(key);
                const auto found = mStrings.find(key);
                return found != mStrings.end() ? found->second : "error::not found " + key;
            },
            mResources);
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

    std::map<std::string, std::string> mStrings;
    Zest::ResourceManager mManifest{nullptr};
    std::vector<std::string> mRequestedKeys;
    Tests::FakeResources mResources;
    HabitatRegistry mRegistry{mResources};
};

TEST_F(ContentLintTest, EveryNameAndDescriptionKeyHasAText)
{
    ASSERT_FALSE(mRequestedKeys.empty());
    for (const std::string& key : mRequestedKeys) {
        EXPECT_TRUE(key.rfind("NAME_", 0) == 0 || key.rfind("DESC_", 0) == 0) << key;
        const auto found = mStrings.find(key);
        ASSERT_NE(found, mStrings.end()) << key << " is not in the string file";
        EXPECT_FALSE(found->second.empty()) << key;
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
        for (const char* const id : {ids->mBackImage, ids->mTopImage, ids->mMiniGameImage})
            EXPECT_EQ(pictures.count(id), 1u) << id << " is not a picture of " << habitat->mResourceGroup;
    }
}

} // namespace
