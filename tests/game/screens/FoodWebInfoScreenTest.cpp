#include "game/screens/FoodWebInfoScreen.h"

#include "framework/graphics/Graphics.h"
#include "game/Creature.h"
#include "game/Habitat.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/FoodWebHost.h"
#include "game/screens/MenuItem.h"
#include "tests/game/play/PlayRecorders.h"
#include "tests/game/screens/ProfileScreenTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Tests {
namespace {

// Square, so that the scaled draws land on whole pixels.
constexpr int kTileImageSize = 80;

// The running game under the screen: closing takes the screen out of the manager and queues
// its deletion, as the game does.
class RecordingFoodWebHost : public FoodWebHost {
public:
    RecordingFoodWebHost(Log& log, Zest::WidgetManager& manager) : mLog(log), mManager(manager) {}

    bool IsPauseMenuOpen() const override { return mPauseMenuOpen; }
    void CloseFoodWebInfo() override
    {
        mLog.push_back("close food web");
        ASSERT_NE(mScreen, nullptr);
        mManager.RemoveWidget(mScreen);
        GetMenuServices().DeferDeleteWidget(mScreen);
        mScreen = nullptr;
    }

    bool mPauseMenuOpen = false;
    // In the manager until closed.
    FoodWebInfoScreen* mScreen = nullptr;

private:
    Log& mLog;
    Zest::WidgetManager& mManager;
};

// A habitat of four levels with a power item and the hunter among its creatures, each
// creature with a picture of its own, and the screen as the game opens it over it.
class FoodWebInfoScreenTest : public ProfileScreenTest {
protected:
    void SetUp() override
    {
        ProfileScreenTest::SetUp();
        IMAGE_GAME_FOODWEB_BACKGROUND = mBackground.get();
        IMAGE_GAME_MG_LIGHT = mLight.get();
        IMAGE_GAME_WAVEARROW = mArrow.get();
        const char* const texts[][2] = {
            {"HELP_FOODWEB", "Help"},
            {"LABEL_VALIDFOODCHAINS", "Chains"},
            {"HELP_FOODCHAINSEXAMPLE", "Example"},
            {"HELP_FOODCHAINSEXAMPLE_NONE", "None"},
        };
        for (const auto& text : texts)
            StringTableHolder::Instance().SetString(text[0], text[1]);
        const std::pair<const char*, int32_t> creatures[] = {
            {"Eagle", 4}, {"Torch", Creature::LEVEL_ITEM}, {"Fox", 3},   {"Owl", 3},   {"Hare", 2},
            {"Hunter", Creature::LEVEL_HUNTER},            {"Mouse", 2}, {"Deer", 2}, {"Grass", 1},
        };
        for (const auto& [name, level] : creatures)
            AddCreature(mHabitat, name, level);
        const std::pair<const char*, const char*> links[] = {
            {"Eagle", "Fox"}, {"Eagle", "Owl"},   {"Eagle", "Hare"}, {"Eagle", "Mouse"}, {"Fox", "Hare"},
            {"Owl", "Mouse"}, {"Hare", "Grass"}, {"Mouse", "Grass"}, {"Deer", "Grass"},
        };
        for (const auto& [predator, prey] : links)
            mHabitat.AddFoodLink(mHabitat.FindCreature(predator), mHabitat.FindCreature(prey));
        mHabitat.BuildPredatorLists();
    }

    void TearDown() override
    {
        if (mGame.mScreen != nullptr) {
            mManager.RemoveWidget(mGame.mScreen);
            delete mGame.mScreen;
            mGame.mScreen = nullptr;
        }
        IMAGE_GAME_FOODWEB_BACKGROUND = IMAGE_GAME_MG_LIGHT = IMAGE_GAME_WAVEARROW = nullptr;
        ProfileScreenTest::TearDown();
    }

    void AddCreature(Habitat& habitat, const std::string& name, const int32_t level)
    {
        mTiles.push_back(SolidImage(&mApp, kTileImageSize, kTileImageSize, Zest::Color::White));
        auto creature = std::make_unique<Creature>(name, level, nullptr, mTiles.back().get());
        creature->mDescription = name + "Text";
        habitat.AddCreature(std::move(creature));
    }

    FoodWebInfoScreen& Open(Habitat& habitat)
    {
        auto* const screen = new FoodWebInfoScreen(&habitat, &mGame, &mTextStyle);
        screen->Resize(0, 0, 800, 600);
        mGame.mScreen = screen;
        mManager.AddWidget(screen);
        return *screen;
    }

    InfoRegion& RegionOf(const FoodWebInfoScreen& screen, const std::string& name)
    {
        const auto found = std::find_if(screen.mRegions.begin(), screen.mRegions.end(),
                                        [&name](const InfoRegion* region) { return region->mCreature->mName == name; });
        EXPECT_NE(found, screen.mRegions.end()) << name;
        return **found;
    }

    void MoveOver(const InfoRegion& region) { mManager.MouseMove(region.mX + 45, region.mY + 45); }
    // Over the screen's own background, away from every tile and the Back button.
    void MoveAway() { mManager.MouseMove(700, 20); }

    // What the overlay of the widget draws on a recording screen, drawn where the manager
    // draws it, and the texts of the story font.
    RecordingScreen DrawOverlayOf(Zest::Widget& widget)
    {
        RecordingScreen screen(800, 600);
        mStoryFont.mRuns.clear();
        Zest::Graphics g(&screen);
        g.Translate(widget.mX, widget.mY);
        widget.DrawOverlay(&g);
        return screen;
    }
    std::vector<std::string> StoryTexts() const
    {
        std::vector<std::string> texts;
        for (const RunRecordingFont::Run& run : mStoryFont.mRuns)
            texts.push_back(run.mText);
        return texts;
    }

    std::unique_ptr<Zest::MemoryImage> mBackground = SolidImage(&mApp, 800, 600, Zest::Color(0, 60, 0));
    std::unique_ptr<Zest::MemoryImage> mLight = SolidImage(&mApp, 200, 200, Zest::Color::White);
    std::unique_ptr<Zest::MemoryImage> mArrow = SolidImage(&mApp, 40, 20, Zest::Color::White);
    std::vector<std::unique_ptr<Zest::MemoryImage>> mTiles;
    Habitat mHabitat{"Test"};
    RecordingFoodWebHost mGame{mServices.mLog, mManager};
};

// ---------------------------------------------------------------------------------------
// Layout

TEST_F(FoodWebInfoScreenTest, TilesLieInOneCentredRowPerLevelWithTheHighestOnTop)
{
    const FoodWebInfoScreen& screen = Open(mHabitat);
    const struct {
        const char* mName;
        int mX;
        int mY;
    } expected[] = {
        {"Eagle", 486, 75}, {"Fox", 388, 167},   {"Owl", 483, 167},  {"Hare", 391, 259},
        {"Mouse", 486, 259}, {"Deer", 581, 259}, {"Grass", 486, 351},
    };
    ASSERT_EQ(screen.mRegions.size(), std::size(expected)) << "the item and the hunter get no tile";
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].mName);
        const InfoRegion& region = *screen.mRegions[i];
        EXPECT_EQ(region.mCreature->mName, expected[i].mName) << "in the habitat's order";
        EXPECT_EQ(region.GetRect(), Zest::Rect(expected[i].mX, expected[i].mY, 90, 90));
        EXPECT_TRUE(mManager.HasWidget(&region)) << "a top-level widget, not the screen's child";
        EXPECT_EQ(region.mScreen, &screen);
        EXPECT_FALSE(region.mSelected);
    }
    EXPECT_EQ(screen.mManager, nullptr) << "known once the screen leaves";
    EXPECT_FALSE(screen.mRegionHovered);
}

TEST_F(FoodWebInfoScreenTest, TheHighestLevelOfTheHabitatTakesTheTopRow)
{
    Habitat low("Low");
    AddCreature(low, "Hare", 2);
    AddCreature(low, "Torch", Creature::LEVEL_ITEM);
    AddCreature(low, "Grass", 1);
    AddCreature(low, "Clover", 1);
    const FoodWebInfoScreen& screen = Open(low);
    ASSERT_EQ(screen.mRegions.size(), 3u);
    EXPECT_EQ(screen.mRegions[0]->GetRect(), Zest::Rect(486, 75, 90, 90));
    EXPECT_EQ(screen.mRegions[1]->GetRect(), Zest::Rect(388, 167, 90, 90));
    EXPECT_EQ(screen.mRegions[2]->GetRect(), Zest::Rect(483, 167, 90, 90));
}

TEST_F(FoodWebInfoScreenTest, TheBackButtonFadesInAtTheFootOnTheLeft)
{
    const FoodWebInfoScreen& screen = Open(mHabitat);
    ASSERT_NE(screen.mBackButton, nullptr);
    const MenuItem& back = *screen.mBackButton;
    ExpectLargeButton(back, "Back", Zest::Rect(10, 540, kLargeButtonWidth, kLargeButtonHeight), 25);
    EXPECT_EQ(screen.mItems, std::vector<MenuItem*>{screen.mBackButton});
    EXPECT_EQ(back.mAlpha, 0.0f);
    EXPECT_EQ(back.mFadeState, FADE_IN);
    EXPECT_EQ(back.mOverlayPriority, -1);
    EXPECT_EQ(back.mClickSound, kActionSound);
    EXPECT_EQ(back.mHoverSound, kRolloverSound);
}

// ---------------------------------------------------------------------------------------
// Back and leaving

TEST_F(FoodWebInfoScreenTest, BackDoesNothingWhileThePauseMenuIsOpenAndClosesTheScreenAfter)
{
    FoodWebInfoScreen& screen = Open(mHabitat);
    FadeIn(screen);
    MenuItem* const back = screen.mBackButton;
    mGame.mPauseMenuOpen = true;
    mServices.TakeLog();
    Click(*back);
    EXPECT_EQ(mServices.TakeLog(), Log{kClickLogged});
    EXPECT_EQ(mGame.mScreen, &screen);
    EXPECT_EQ(back->mFadeState, FADE_NONE);

    mGame.mPauseMenuOpen = false;
    Click(*back);
    EXPECT_EQ(mServices.TakeLog(), (Log{kClickLogged, "close food web"}));
    EXPECT_EQ(mGame.mScreen, nullptr);
    // Still alive in the deferred deletions.
    EXPECT_EQ(back->mAlpha, 255.0f);
    EXPECT_EQ(back->mFadeState, FADE_OUT);
}

TEST_F(FoodWebInfoScreenTest, TheRegionsAndTheBackButtonLeaveWithTheScreenForDeferredDeletion)
{
    FoodWebInfoScreen& screen = Open(mHabitat);
    std::vector<Zest::Widget*> leaving(screen.mRegions.begin(), screen.mRegions.end());
    leaving.push_back(screen.mBackButton);
    MoveOver(RegionOf(screen, "Fox"));

    mManager.RemoveWidget(&screen);
    EXPECT_EQ(screen.mManager, &mManager);
    EXPECT_EQ(screen.mBackButton, nullptr);
    EXPECT_TRUE(screen.mItems.empty());
    ASSERT_EQ(screen.mRegions.size(), 7u);
    for (const InfoRegion* const region : screen.mRegions)
        EXPECT_EQ(region, nullptr);
    for (Zest::Widget* const widget : leaving) {
        EXPECT_FALSE(mManager.HasWidget(widget));
        EXPECT_EQ(widget->mParent, nullptr);
        EXPECT_EQ(std::count(mServices.mDeferred.begin(), mServices.mDeferred.end(), widget), 1);
    }
    EXPECT_FALSE(screen.mRegionHovered) << "the tile under the pointer was left";
}

// ---------------------------------------------------------------------------------------
// Pointer

TEST_F(FoodWebInfoScreenTest, HoverShowsTheTileAnyPressSelectsItAndLeavingClearsBoth)
{
    FoodWebInfoScreen& screen = Open(mHabitat);
    InfoRegion& fox = RegionOf(screen, "Fox");
    InfoRegion& owl = RegionOf(screen, "Owl");
    for (const int clickCount : {1, -1, 3}) {
        SCOPED_TRACE(clickCount);
        MoveOver(fox);
        EXPECT_TRUE(screen.mRegionHovered);
        EXPECT_FALSE(fox.mSelected);
        mManager.MouseDown(fox.mX + 45, fox.mY + 45, clickCount);
        mManager.MouseUp(fox.mX + 45, fox.mY + 45, clickCount);
        EXPECT_TRUE(fox.mSelected);

        // Straight onto the neighbour: the first tile forgets its click, the screen stays
        // hovered.
        MoveOver(owl);
        EXPECT_FALSE(fox.mSelected);
        EXPECT_TRUE(screen.mRegionHovered);
        EXPECT_FALSE(owl.mSelected);

        MoveAway();
        EXPECT_FALSE(screen.mRegionHovered);
        EXPECT_FALSE(owl.mSelected);
    }
}

TEST_F(FoodWebInfoScreenTest, TheHelpTextShowsOnlyWhileNoTileIsUnderThePointer)
{
    FoodWebInfoScreen& screen = Open(mHabitat);
    DrawOverlayOf(screen);
    EXPECT_EQ(StoryTexts(), std::vector<std::string>{"Help"});
    MoveOver(RegionOf(screen, "Eagle"));
    DrawOverlayOf(screen);
    EXPECT_TRUE(StoryTexts().empty());
}

// ---------------------------------------------------------------------------------------
// The detail panel

TEST_F(FoodWebInfoScreenTest, ThePanelShowsOnlyWhileThePointerIsOverTheTile)
{
    FoodWebInfoScreen& screen = Open(mHabitat);
    InfoRegion& eagle = RegionOf(screen, "Eagle");
    eagle.mSelected = true;
    EXPECT_TRUE(DrawOverlayOf(eagle).mBlits.empty());

    MoveOver(eagle);
    const RecordingScreen drawn = DrawOverlayOf(eagle);
    ASSERT_NE(drawn.Find(IMAGE_GAME_MG_LIGHT), nullptr);
    EXPECT_EQ(drawn.Find(IMAGE_GAME_MG_LIGHT)->mX, 115.0f) << "at its place on the screen, wherever the tile is";
    // 1.5 times the 80-pixel tile about (155 + 40, 50 + 40).
    const std::vector<Blit> pictures = drawn.Of(eagle.mCreature->mTileImage);
    ASSERT_FALSE(pictures.empty());
    EXPECT_EQ(pictures.front().mX, 135.0f);
    EXPECT_EQ(pictures.front().mY, 30.0f);
    EXPECT_EQ(drawn.mLines, 1);
    EXPECT_EQ(StoryTexts().front(), "EagleText");
}

TEST_F(FoodWebInfoScreenTest, ASelectedTileListsItsFirstThreeChainsFromTheHighestLevelDown)
{
    FoodWebInfoScreen& screen = Open(mHabitat);
    const auto tileOf = [this](const char* const name) { return mHabitat.FindCreature(name)->mTileImage; };
    const struct {
        const char* mCreature;
        size_t mChainCount;
        std::vector<std::vector<const char*>> mRows;
    } cases[] = {
        // Four chains, stored downwards; the fourth is not drawn.
        {"Eagle", 4, {{"Eagle", "Fox", "Hare"}, {"Eagle", "Owl", "Mouse"}, {"Eagle", "Hare", "Grass"}}},
        // Stored upwards and drawn reversed; the fallback repeats the first chain.
        {"Grass", 3, {{"Eagle", "Hare", "Grass"}, {"Eagle", "Mouse", "Grass"}, {"Eagle", "Hare", "Grass"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mCreature);
        InfoRegion& region = RegionOf(screen, c.mCreature);
        EXPECT_EQ(region.mChains.size(), c.mChainCount);
        MoveOver(region);
        mManager.MouseDown(region.mX + 45, region.mY + 45, 1);
        mManager.MouseUp(region.mX + 45, region.mY + 45, 1);
        const RecordingScreen drawn = DrawOverlayOf(region);
        const auto panel = std::find_if(drawn.mBlits.begin(), drawn.mBlits.end(),
                                        [](const Blit& blit) { return blit.mSource == IMAGE_GAME_TUTORIAL; });
        ASSERT_NE(panel, drawn.mBlits.end());
        EXPECT_EQ(panel->mX, 310.0f);
        EXPECT_EQ(panel->mY, 135.0f);
        std::vector<Blit> tiles;
        std::copy_if(panel + 1, drawn.mBlits.end(), std::back_inserter(tiles),
                     [](const Blit& blit) { return blit.mSource != IMAGE_GAME_WAVEARROW; });
        ASSERT_EQ(tiles.size(), 9u);
        // 60-pixel tiles centred at (390 + 100 e, 335 + 60 k).
        for (size_t k = 0; k < 3; ++k) {
            for (size_t e = 0; e < 3; ++e) {
                SCOPED_TRACE(testing::Message() << "row " << k << ", place " << e);
                const Blit& tile = tiles[3 * k + e];
                EXPECT_EQ(tile.mSource, tileOf(c.mRows[k][e]));
                EXPECT_EQ(tile.mX, 360.0f + 100.0f * static_cast<float>(e));
                EXPECT_EQ(tile.mY, 305.0f + 60.0f * static_cast<float>(k));
            }
        }
        EXPECT_EQ(drawn.Of(IMAGE_GAME_WAVEARROW).size(), 6u) << "two arrows a row";
        EXPECT_EQ(StoryTexts().back(), "Example");
        MoveAway();
    }
}

TEST_F(FoodWebInfoScreenTest, ASelectedTileWithoutChainsShowsOnlyTheNoChainExample)
{
    FoodWebInfoScreen& screen = Open(mHabitat);
    InfoRegion& deer = RegionOf(screen, "Deer");
    EXPECT_TRUE(deer.mChains.empty()) << "nothing eats it";
    MoveOver(deer);
    mManager.MouseDown(deer.mX + 45, deer.mY + 45, 1);
    const RecordingScreen drawn = DrawOverlayOf(deer);
    EXPECT_NE(drawn.Find(IMAGE_GAME_TUTORIAL), nullptr);
    EXPECT_TRUE(drawn.Of(IMAGE_GAME_WAVEARROW).empty());
    EXPECT_EQ(StoryTexts().back(), "None");
    mManager.MouseUp(deer.mX + 45, deer.mY + 45, 1);
}

} // namespace
} // namespace Tests
