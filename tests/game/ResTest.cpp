#include "game/Res.h"

#include "framework/graphics/Image.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/manager/ResourceManager.h"
#include "tests/framework/app/AppFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct GroupExtraction {
    const char* mGroup;
    bool (*mExtract)(Zest::ResourceManager&);
    int32_t mFirstId;
    int32_t mLastId;
};

// Every group with its extraction function and its number range, in loading order.
const GroupExtraction kGroups[] = {
    {"Init", ExtractInitResources, 0, 9},
    {"TitleScreen", ExtractTitleScreenResources, 10, 15},
    {"Main_Menu", ExtractMainMenuResources, 16, 18},
    {"Habitat_Amazon", ExtractHabitatAmazonResources, 19, 21},
    {"Habitat_GrandCanyon", ExtractHabitatGrandCanyonResources, 22, 24},
    {"Habitat_Alaska", ExtractHabitatAlaskaResources, 25, 27},
    {"Habitat_Arctic", ExtractHabitatArcticResources, 28, 30},
    {"Game", ExtractGameResources, 31, 340},
};

// A value no extraction gives, written into a variable to see whether extraction touched it.
constexpr intptr_t kUntouched = 0x5A5A0;

void SetVariable(const ResourceEntry& entry, const intptr_t value)
{
    switch (entry.mKind) {
    case ResourceKind::Image:
        *static_cast<Zest::Image**>(entry.mVariable) = reinterpret_cast<Zest::Image*>(value);
        break;
    case ResourceKind::Font:
        *static_cast<Zest::Font**>(entry.mVariable) = reinterpret_cast<Zest::Font*>(value);
        break;
    case ResourceKind::Sound:
        *static_cast<int32_t*>(entry.mVariable) = static_cast<int32_t>(value);
        break;
    }
}

// Every variable back to its value before any extraction, so that no test sees another's.
void ClearResourceVariables()
{
    for (int32_t id = 0; id < RESOURCE_ID_COUNT; ++id)
        SetVariable(gResourceTable[id], 0);
}

TEST(ResourceTableTest, EachGroupHoldsItsNumberRangeAndEachKindFollowsItsIdsPrefix)
{
    for (const GroupExtraction& group : kGroups) {
        for (int32_t id = group.mFirstId; id <= group.mLastId; ++id)
            EXPECT_STREQ(gResourceTable[id].mGroup, group.mGroup) << id << " " << gResourceTable[id].mId;
    }
    for (int32_t id = 0; id < RESOURCE_ID_COUNT; ++id) {
        const std::string name = gResourceTable[id].mId;
        const ResourceKind expected = name.starts_with("IMAGE_")  ? ResourceKind::Image
                                      : name.starts_with("FONT_") ? ResourceKind::Font
                                                                  : ResourceKind::Sound;
        EXPECT_TRUE(name.starts_with("IMAGE_") || name.starts_with("FONT_") || name.starts_with("SOUND_")) << name;
        EXPECT_EQ(gResourceTable[id].mKind, expected) << name;
    }
    const ResourceEntry& closing = gResourceTable[RESOURCE_ID_COUNT];
    EXPECT_EQ(closing.mId, nullptr);
    EXPECT_EQ(closing.mGroup, nullptr);
    EXPECT_EQ(closing.mVariable, nullptr);
}

TEST(ResourceTableTest, ANumberOutsideTheTableGivesNull)
{
    SetVariable(gResourceTable[0], kUntouched);
    SetVariable(gResourceTable[RESOURCE_ID_COUNT - 1], kUntouched);
    const int32_t outside[] = {-1, RESOURCE_ID_COUNT, RESOURCE_ID_COUNT + 1, std::numeric_limits<int32_t>::min(),
                               std::numeric_limits<int32_t>::max()};
    for (const int32_t id : outside)
        EXPECT_EQ(GetResourceById(id), nullptr) << id;
    EXPECT_EQ(GetResourceById(0), reinterpret_cast<void*>(kUntouched));
    EXPECT_EQ(GetResourceById(RESOURCE_ID_COUNT - 1), reinterpret_cast<void*>(kUntouched));
    ClearResourceVariables();
}

// An application with a display whose resource manager has read a manifest; every variable
// starts cleared and is cleared again before the application, and what it loaded, goes.
class ResourceExtractionTest : public Tests::DisplayAppTest {
protected:
    void SetUp() override
    {
        DisplayAppTest::SetUp();
        ClearResourceVariables();
    }

    void TearDown() override
    {
        ClearResourceVariables();
        mApp.reset();
        DisplayAppTest::TearDown();
    }

    // Resource paths in the manifest are relative to `folder`. With sound on, every sound
    // gets an id of its own.
    void Start(const fs::path& folder, const std::string& manifest)
    {
        mApp = std::make_unique<Tests::TestApp>();
        mApp->mNoSound = false;
        mApp->Init();
        ASSERT_NE(mApp->mDisplay, nullptr);
        fs::current_path(folder);
        ASSERT_TRUE(Manager().ParseResourcesFile(manifest)) << Manager().GetErrorText();
    }

    Zest::ResourceManager& Manager() { return *mApp->mResourceManager; }

    // The value the manager hands out for the entry's id, as GetResourceById gives it.
    void* LoadedValue(const ResourceEntry& entry)
    {
        switch (entry.mKind) {
        case ResourceKind::Image:
            return static_cast<Zest::Image*>(Manager().GetImageOrThrow(entry.mId));
        case ResourceKind::Font:
            return Manager().GetFontOrThrow(entry.mId);
        case ResourceKind::Sound:
            return reinterpret_cast<void*>(static_cast<intptr_t>(Manager().GetSoundIdOrThrow(entry.mId)));
        }
        return nullptr;
    }

    std::unique_ptr<Tests::TestApp> mApp;
};

TEST_F(ResourceExtractionTest, EveryGroupOfTheGamesContentFillsEveryVariableWithWhatTheManagerLoaded)
{
    ASSERT_NO_FATAL_FAILURE(Start(GREENATLAS_CONTENT_DIR, "properties/resources_demo.xml"));
    for (const GroupExtraction& group : kGroups) {
        ASSERT_TRUE(Manager().LoadResources(group.mGroup)) << Manager().GetErrorText();
        EXPECT_TRUE(group.mExtract(Manager())) << group.mGroup << ": " << Manager().GetErrorText();
    }

    std::vector<void*> extracted;
    std::set<int32_t> soundIds;
    for (int32_t id = 0; id < RESOURCE_ID_COUNT; ++id) {
        const ResourceEntry& entry = gResourceTable[id];
        extracted.push_back(GetResourceById(id));
        EXPECT_EQ(extracted.back(), LoadedValue(entry)) << entry.mId;
        if (entry.mKind == ResourceKind::Sound) {
            const int32_t soundId = *static_cast<const int32_t*>(entry.mVariable);
            EXPECT_GE(soundId, 0) << entry.mId << " was never loaded";
            EXPECT_TRUE(soundIds.insert(soundId).second) << entry.mId << " shares its sound id";
        } else {
            EXPECT_NE(extracted.back(), nullptr) << entry.mId;
        }
    }
    EXPECT_EQ(GetResourceById(262 + 19), IMAGE_AWARD_MINIGAME);
    EXPECT_EQ(GetResourceById(199 + 7), IMAGE_GAME_NUM_7);
    EXPECT_EQ(GetResourceById(242 + 3), IMAGE_GAME_STAGE_AR);
    EXPECT_EQ(GetResourceById(FONT_SCORE_NUMBERS_ID), FONT_SCORE_NUMBERS);
    EXPECT_EQ(GetResourceById(SOUND_LOGO_ID), reinterpret_cast<void*>(static_cast<intptr_t>(SOUND_LOGO)));

    // Extracting again without reloading hands out the same resources.
    for (const GroupExtraction& group : kGroups)
        EXPECT_TRUE(group.mExtract(Manager())) << group.mGroup;
    for (int32_t id = 0; id < RESOURCE_ID_COUNT; ++id)
        EXPECT_EQ(GetResourceById(id), extracted[id]) << gResourceTable[id].mId;
}

void WritePicture(const fs::path& path)
{
    fs::create_directories(fs::absolute(path).parent_path());
    const std::unique_ptr<ImageLib::Image> picture = ImageLib::CreateImage(8, 8);
    ASSERT_NE(picture, nullptr);
    std::fill(picture->mBits, picture->mBits + 8 * 8, 0xFF336699u);
    ASSERT_TRUE(ImageLib::WritePNGImage(path.string(), picture.get())) << path;
}

struct MissingIdCase {
    const char* mName;
    bool (*mExtract)(Zest::ResourceManager&);
    // The group loaded before the extraction; null to load none.
    const char* mLoadedGroup;
    const char* mError;
    // The ids before the missing one in alphabetical order: the only ones extracted.
    std::set<std::string> mExtractedIds;
};

// The fixture manifest has no "Init" group, a "TitleScreen" group without its sound and a
// "Habitat_Alaska" group without its top picture.
const MissingIdCase kMissingIdCases[] = {
    {"group never loaded", ExtractInitResources, nullptr, "Font resource not found: FONT_BIG_NUMBERS", {}},
    {"sound missing",
     ExtractTitleScreenResources,
     "TitleScreen",
     "Sound resource not found: SOUND_LOGO",
     {"IMAGE_LOADING_LABEL", "IMAGE_LOADING_PROGRESS_BAR", "IMAGE_TITLE_BACKGROUND", "IMAGE_TITLE_COMPANY_LOGO",
      "IMAGE_TITLE_PUBLISHER_LOGO"}},
    {"picture missing",
     ExtractHabitatAlaskaResources,
     "Habitat_Alaska",
     "Image resource not found: IMAGE_HABITAT_ALASKA_TOP",
     {"IMAGE_HABITAT_ALASKA_BACK"}},
};

TEST_F(ResourceExtractionTest, AMissingIdEndsTheExtractionWithFalseAndTheManagersErrorLeavingLaterIdsAlone)
{
    for (const char* const name : {"background", "progress_bar", "label", "company_logo", "publisher_logo"})
        ASSERT_NO_FATAL_FAILURE(WritePicture(fs::path("images/title") / (std::string(name) + ".png")));
    for (const char* const name : {"back", "minigame"})
        ASSERT_NO_FATAL_FAILURE(WritePicture(fs::path("images/alaska") / (std::string(name) + ".png")));
    Tests::WriteBytes(fs::absolute("resources.xml"),
                      "<ResourceManifest>\n"
                      "<Resources id=\"TitleScreen\">\n"
                      "<Image id=\"IMAGE_TITLE_BACKGROUND\" path=\"images/title/background.png\"/>\n"
                      "<Image id=\"IMAGE_LOADING_PROGRESS_BAR\" path=\"images/title/progress_bar.png\"/>\n"
                      "<Image id=\"IMAGE_LOADING_LABEL\" path=\"images/title/label.png\"/>\n"
                      "<Image id=\"IMAGE_TITLE_COMPANY_LOGO\" path=\"images/title/company_logo.png\"/>\n"
                      "<Image id=\"IMAGE_TITLE_PUBLISHER_LOGO\" path=\"images/title/publisher_logo.png\"/>\n"
                      "</Resources>\n"
                      "<Resources id=\"Habitat_Alaska\">\n"
                      "<Image id=\"IMAGE_HABITAT_ALASKA_BACK\" path=\"images/alaska/back.png\"/>\n"
                      "<Image id=\"IMAGE_MINI_GAME_ALASKA\" path=\"images/alaska/minigame.png\"/>\n"
                      "</Resources>\n"
                      "</ResourceManifest>\n");
    ASSERT_NO_FATAL_FAILURE(Start(mFolder.Path(), "resources.xml"));

    for (const MissingIdCase& test : kMissingIdCases) {
        SCOPED_TRACE(test.mName);
        if (test.mLoadedGroup != nullptr) {
            ASSERT_TRUE(Manager().LoadResources(test.mLoadedGroup)) << Manager().GetErrorText();
        }
        for (int32_t id = 0; id < RESOURCE_ID_COUNT; ++id)
            SetVariable(gResourceTable[id], kUntouched);

        EXPECT_FALSE(test.mExtract(Manager()));
        EXPECT_EQ(Manager().GetErrorText(), test.mError);
        for (int32_t id = 0; id < RESOURCE_ID_COUNT; ++id) {
            const ResourceEntry& entry = gResourceTable[id];
            const void* const expected =
                test.mExtractedIds.count(entry.mId) != 0 ? LoadedValue(entry) : reinterpret_cast<void*>(kUntouched);
            EXPECT_EQ(GetResourceById(id), expected) << entry.mId;
        }
    }
}

} // namespace
