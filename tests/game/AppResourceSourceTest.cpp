#include "game/AppResourceSource.h"

#include "framework/graphics/Image.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/manager/ResourceManager.h"
#include "game/HabitatRegistry.h"
#include "tests/framework/app/AppFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

void WritePicture(const fs::path& path, const int width, const int height)
{
    fs::create_directories(fs::absolute(path).parent_path());
    const std::unique_ptr<ImageLib::Image> picture = ImageLib::CreateImage(width, height);
    ASSERT_NE(picture, nullptr);
    std::fill(picture->mBits, picture->mBits + width * height, 0xFF336699u);
    ASSERT_TRUE(ImageLib::WritePNGImage(path.string(), picture.get())) << path;
}

// An application with a display and a manifest of two habitat groups, the second without
// its top picture; the registry holds the two habitats of those groups.
class AppResourceSourceTest : public Tests::DisplayAppTest {
protected:
    void SetUp() override
    {
        DisplayAppTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(WritePicture("images/back.png", 40, 30));
        ASSERT_NO_FATAL_FAILURE(WritePicture("images/top.png", 40, 12));
        ASSERT_NO_FATAL_FAILURE(WritePicture("images/minigame.png", 20, 20));
        Tests::WriteBytes(fs::absolute("resources.xml"),
                          "<ResourceManifest>\n"
                          "<Resources id=\"Habitat_Alaska\">\n"
                          "<Image id=\"IMAGE_HABITAT_ALASKA_BACK\" path=\"images/back.png\"/>\n"
                          "<Image id=\"IMAGE_HABITAT_ALASKA_TOP\" path=\"images/top.png\"/>\n"
                          "<Image id=\"IMAGE_MINI_GAME_ALASKA\" path=\"images/minigame.png\"/>\n"
                          "</Resources>\n"
                          "<Resources id=\"Habitat_Arctic\">\n"
                          "<Image id=\"IMAGE_HABITAT_ARCTIC_BACK\" path=\"images/back.png\"/>\n"
                          "<Image id=\"IMAGE_MINI_GAME_ARCTIC\" path=\"images/minigame.png\"/>\n"
                          "</Resources>\n"
                          "</ResourceManifest>\n");
    }

    void TearDown() override
    {
        mRegistry.reset();
        mSource.reset();
        mApp.reset();
        DisplayAppTest::TearDown();
    }

    void Start()
    {
        mApp = std::make_unique<Tests::TestApp>();
        mApp->Init();
        ASSERT_NE(mApp->mDisplay, nullptr);
        ASSERT_TRUE(mApp->mResourceManager->ParseResourcesFile("resources.xml"))
            << mApp->mResourceManager->GetErrorText();
        mSource = std::make_unique<AppResourceSource>(*mApp);
        mRegistry = std::make_unique<HabitatRegistry>(*mSource);
        for (const auto& [name, group] :
             {std::pair{"Alaska", "Habitat_Alaska"}, std::pair{"Arctic", "Habitat_Arctic"}}) {
            auto habitat = std::make_unique<Habitat>(name);
            habitat->mResourceGroup = group;
            mRegistry->RegisterHabitat(name, std::move(habitat));
        }
    }

    Zest::Image* Loaded(const std::string& id)
    {
        const auto& record = mApp->mResourceManager->mImages.at(id);
        return static_cast<Zest::ResourceManager::ImageRes*>(record.get())->mImage.GetImage();
    }

    std::unique_ptr<Tests::TestApp> mApp;
    std::unique_ptr<AppResourceSource> mSource;
    std::unique_ptr<HabitatRegistry> mRegistry;
};

TEST_F(AppResourceSourceTest, AHabitatGroupIsLoadedAndReleasedThroughTheApplication)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    mRegistry->LoadHabitatResources("Alaska");
    const Habitat* const alaska = mRegistry->GetHabitat("Alaska");
    ASSERT_NE(alaska->mBackImage, nullptr);
    EXPECT_EQ(alaska->mBackImage, Loaded("IMAGE_HABITAT_ALASKA_BACK"));
    EXPECT_EQ(alaska->mTopImage, Loaded("IMAGE_HABITAT_ALASKA_TOP"));
    EXPECT_EQ(alaska->mTopImage->GetHeight(), 12);
    EXPECT_FALSE(mApp->mLoadingFailed);
    EXPECT_TRUE(mBoxes.empty());

    mRegistry->UnloadHabitatResources("Alaska");
    EXPECT_EQ(Loaded("IMAGE_HABITAT_ALASKA_BACK"), nullptr);
    EXPECT_EQ(Loaded("IMAGE_MINI_GAME_ALASKA"), nullptr);
    EXPECT_EQ(mSource->GetImage("IMAGE_HABITAT_ALASKA_TOP"), nullptr) << "a released picture is not handed out";
    EXPECT_EQ(mApp->mResourceManager->GetErrorText(), "Image resource not found: IMAGE_HABITAT_ALASKA_TOP");
}

using AppResourceSourceDeathTest = Tests::AppDeathTest<AppResourceSourceTest>;

TEST_F(AppResourceSourceDeathTest, AHabitatGroupWithoutItsTopPictureEndsTheGameWithTheManagersError)
{
    EXPECT_EXIT(
        {
            PrintBoxes();
            Start();
            mRegistry->LoadHabitatResources("Arctic");
            std::fprintf(stderr, "the game went on\n");
        },
        testing::ExitedWithCode(1),
        "box caption=\\[FATAL ERROR\\] text=\\[Image resource not found: IMAGE_HABITAT_ARCTIC_TOP\\]");
}

} // namespace
