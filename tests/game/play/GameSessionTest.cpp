#include "framework/graphics/AppInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/resources/ImageLib.h"
#include "game/Creature.h"
#include "game/Habitat.h"
#include "game/StringTable.h"
#include "game/physics/PhysicsPrimitiveEntityDesc.h"
#include "game/physics/SharkEntity.h"
#include "game/screens/GameMap.h"
#include "game/screens/MainMenu.h"
#include "game/screens/SelectGameMenu.h"
#include "platform/physics/XtremaPhysics.h"
#include "tests/game/play/PlayFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using XtremaPHX2D::g_ptrSDK;

class GameSessionTest : public Tests::PlayFixture {
protected:
    Habitat& HabitatAt(const int32_t index) const
    {
        Habitat* const habitat = mApp->GetHabitat(mApp->GetHabitatNameByIndex(index));
        EXPECT_NE(habitat, nullptr) << index;
        return *habitat;
    }

    // Widgets of that class at the top of the widget tree.
    template <typename T>
    int CountTopWidgets() const
    {
        const auto& widgets = mApp->mWidgetManager->mWidgets;
        return static_cast<int>(std::count_if(widgets.begin(), widgets.end(), [](Zest::Widget* const widget) {
            return dynamic_cast<T*>(widget) != nullptr;
        }));
    }

    // The widget tree drawn as the main loop draws it, onto a picture of its own.
    std::unique_ptr<Zest::MemoryImage> DrawScreen()
    {
        auto screen = std::make_unique<Zest::MemoryImage>(Zest::GetAppInterface());
        screen->Create(GameSession::kWidth, GameSession::kHeight);
        Zest::Image* const display = mApp->mWidgetManager->mScreenImage;
        mApp->mWidgetManager->mScreenImage = screen.get();
        mApp->mWidgetManager->MarkAllDirty();
        mApp->mWidgetManager->DrawScreen();
        mApp->mWidgetManager->mScreenImage = display;
        return screen;
    }
};

uint32_t Pixel(Zest::MemoryImage& image, const int x, const int y) { return image.GetBits()[y * image.mWidth + x]; }

// Some colour channel of the two pixels is more than 40 apart.
bool ChannelsApart(const uint32_t a, const uint32_t b)
{
    for (int shift = 0; shift < 24; shift += 8) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 40)
            return true;
    }
    return false;
}

// What the session asks of the physics world, read back from the world.
struct WorldSettings {
    bool operator==(const WorldSettings& other) const = default;

    float mGravityX;
    float mGravityY;
    std::vector<bool> mFlags;
    std::vector<float> mParams;
    std::map<std::pair<std::string, std::string>, int> mPairs;
    std::vector<float> mRubber;
};

WorldSettings ReadWorldSettings()
{
    // The library's own categories and the game's.
    const char* const categories[] = {
        "default", "solid_geometry", "ammo", "spider", "potato_cannon", "entity_killer", "collectable_bouncer",
        "feature_carrier", "hidden_solid_geometry",
    };
    const XtremaPHX2D::xConfigurator& configurator = XtremaPHX2D::xConfigurator::Instance();
    WorldSettings settings{configurator.mGravity.x,
                           configurator.mGravity.y,
                           {configurator.mFlagA, configurator.mFlagB, configurator.mShowSleeping, configurator.mFlagC},
                           {configurator.mParamA, configurator.mParamB, configurator.mParamC},
                           {},
                           {}};
    XtremaPHX2D::xCategoryDispatcher& dispatcher = XtremaPHX2D::xCategoryDispatcher::Instance();
    for (const char* const first : categories) {
        for (const char* const second : categories)
            settings.mPairs[{first, second}] =
                dispatcher.pairValue(*dispatcher.obtainCategory(first), *dispatcher.obtainCategory(second));
    }
    if (const XtremaPHX2D::xMaterial* const rubber =
            XtremaPHX2D::xMaterialDispatcher::Instance().obtainMaterialByName("rubber"))
        settings.mRubber = {rubber->mDensity, rubber->mRestitution, rubber->mFriction, rubber->mRestitutionWeight,
                            rubber->mFrictionWeight};
    return settings;
}

struct StartCase {
    const char* mName;
    int32_t mContinueFlag;
    int32_t mHabitatIndex;
    // The profile's habitats started and, when it has a saved game, its habitat's index.
    int32_t mHabitatsStarted;
    int32_t mSavedHabitatIndex;
    bool mExpectContinued;
};

// A new game starts the habitat of the index at its first stage with the head-up display
// hidden (it fades in later) and counts the habitat as started; a continued game takes the
// profile's habitat, stage, score and progress and shows its display at once. A profile that
// never started a habitat has nothing to continue.
TEST_F(GameSessionTest, ANewGameStartsTheIndexedHabitatAndAContinuedOneThePlayersSavedGame)
{
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    ASSERT_NO_FATAL_FAILURE(EnterName("Tester"));
    const StartCase cases[] = {
        {"new", 0, 1, 3, -1, false},
        {"continue without a started habitat", 1, 2, 0, -1, false},
        {"continue", 1, 0, 1, 3, true},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.mName);
        PlayerProfile& profile = *mApp->GetCurrentProfile();
        profile.ResetProgress(false);
        profile.mHabitatsStarted = c.mHabitatsStarted;
        constexpr int32_t kSavedStage = 1;
        constexpr int32_t kSavedScore = 1234;
        constexpr int32_t kSavedProgress = 5;
        if (c.mSavedHabitatIndex >= 0) {
            const Habitat& saved = HabitatAt(c.mSavedHabitatIndex);
            profile.mHabitatName = saved.mName;
            profile.mStage = saved.mStages[kSavedStage];
            profile.mStageIndex = kSavedStage;
            profile.mScore = kSavedScore;
            profile.mHabitatProgress = kSavedProgress;
        }

        mApp->StartGameSession(c.mContinueFlag, c.mHabitatIndex);
        ASSERT_NE(mApp->mGameSession, nullptr);
        const GameSession& session = Session();
        const Habitat& expected = HabitatAt(c.mExpectContinued ? c.mSavedHabitatIndex : c.mHabitatIndex);
        EXPECT_EQ(session.mHabitat, &expected);
        EXPECT_EQ(session.mContinued, c.mExpectContinued ? 1 : 0);
        EXPECT_EQ(session.mState, STATE_SHOW_MAP);
        const int32_t alpha = c.mExpectContinued ? 255 : 0;
        EXPECT_EQ(session.mPanelAlpha, alpha);
        EXPECT_EQ(session.mItemsAlpha, alpha);
        EXPECT_EQ(session.mProgressAlpha, alpha);
        EXPECT_EQ(session.mMode, session.mStage.mMode);
        if (c.mExpectContinued) {
            EXPECT_EQ(profile.mHabitatsStarted, c.mHabitatsStarted);
            EXPECT_EQ(session.mStage.mIndex, kSavedStage);
            EXPECT_EQ(session.mScore, kSavedScore);
            EXPECT_EQ(expected.mCollectedGoals, kSavedProgress);
        } else {
            EXPECT_EQ(profile.mHabitatsStarted, c.mHabitatsStarted + 1);
            EXPECT_EQ(session.mStage.mIndex, expected.mStages.front().mIndex);
            EXPECT_EQ(profile.mStageIndex, session.mStage.mIndex);
            EXPECT_EQ(session.mScore, 0);
            EXPECT_EQ(expected.mCollectedGoals, 0);
        }
        EXPECT_EQ(session.mWavePoints.size(), 200u);
        EXPECT_EQ(session.mCirclePoints.size(), 360u);
        EXPECT_EQ(session.mFireballs.size(), 5u);
        ASSERT_NE(session.mStats, nullptr);
        EndSession();
    }
}

// Every session sets the world up again: what changed in between is put back, and nothing
// else differs from the first set-up.
TEST_F(GameSessionTest, ASecondSessionSetsUpThePhysicsWorldAsTheFirstDid)
{
    ASSERT_NO_FATAL_FAILURE(StartPlay(0));
    const WorldSettings first = ReadWorldSettings();
    EXPECT_EQ(first.mGravityX, 0.0f);
    EXPECT_EQ(first.mGravityY, 0.05f);
    EXPECT_EQ(first.mRubber, (std::vector<float>{1500.0f, 0.688f, 0.9f, 0.5f, 0.5f}));
    EXPECT_EQ((first.mPairs.at({"potato_cannon", "spider"})), XtremaPHX2D::PAIR_CALLBACKS_ONLY);
    EXPECT_EQ((first.mPairs.at({"feature_carrier", "solid_geometry"})), XtremaPHX2D::PAIR_NO_CONTACT);
    EndSession();

    XtremaPHX2D::xConfigurator::Instance().mGravity = XtremaPHX2D::Vec2(1.0f, 2.0f);
    XtremaPHX2D::xConfigurator::Instance().mFlagC = true;
    XtremaPHX2D::xCategoryDispatcher::Instance().registerCategoryPair("ammo", "spider", XtremaPHX2D::PAIR_NO_CONTACT);
    ASSERT_NE(ReadWorldSettings(), first);

    mApp->StartGameSession(0, 1);
    EXPECT_EQ(ReadWorldSettings(), first);
}

// The player's road into the game: Play on the main menu opens the game selection, whose
// New adventure hides the menu and starts the first habitat; its world map offers Done, and
// Done deals the first stage's creatures onto a board that settles in play.
TEST_F(GameSessionTest, TheRoadFromPlayThroughTheWorldMapDealsTheFirstStageOfTheFirstHabitat)
{
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    ASSERT_NO_FATAL_FAILURE(EnterName("Tester"));
    mApp->mVSyncTiming = true;
    GameOptionsHolder::Instance().mTutorialTips = false;
    MainMenu* const menu = mApp->mMainMenu;
    ASSERT_NE(menu, nullptr);
    ASSERT_FALSE(menu->mItems.empty());
    const MenuItem& play = *menu->mItems[0];
    ASSERT_EQ(play.mLabel, GetGameString("BTN_START_ADVENTURE"));
    for (int frame = 0; frame < 500 && play.mFadeState == FADE_IN; ++frame)
        RunFrames(1);
    ASSERT_NE(play.mFadeState, FADE_IN) << "the button never finished fading in";
    Click(play);
    ASSERT_NE(menu->mSelectGameMenu, nullptr) << "Play opened no game selection";
    ASSERT_NE(menu->mSelectGameMenu->mNewGameButton, nullptr);
    Click(*menu->mSelectGameMenu->mNewGameButton);

    ASSERT_NE(mApp->mGameSession, nullptr) << "New adventure started no game";
    EXPECT_EQ(mApp->mMainMenu, menu) << "the menu is kept for the way back";
    EXPECT_FALSE(mApp->mWidgetManager->HasWidget(menu));
    EXPECT_EQ(menu->mMenuState, MainMenu::MENU_HIDDEN_FOR_GAME);
    EXPECT_EQ(Session().mHabitat, &HabitatAt(0));
    EXPECT_EQ(mApp->GetCurrentProfile()->mHabitatsStarted, 1);

    RunFrames(1);
    GameMap* const map = Session().mGameMap;
    ASSERT_NE(map, nullptr) << "the world map did not open";
    EXPECT_EQ(Session().mState, STATE_MAP_OPEN);
    EXPECT_EQ(Session().mBoard, nullptr);
    for (int frame = 0; frame < 100 && !map->mArrived; ++frame)
        RunFrames(1);
    ASSERT_TRUE(map->mArrived) << "the map never offered Done";
    ASSERT_FALSE(map->mItems.empty());
    Click(*map->mItems.back());
    EXPECT_EQ(Session().mState, STATE_MAP_CLOSED);

    RunFrames(2);
    EXPECT_EQ(Session().mGameMap, nullptr);
    EXPECT_FALSE(mApp->mWidgetManager->HasWidget(map));
    ASSERT_NE(Session().mBoard, nullptr) << "the level never started";
    ASSERT_NE(mApp->mStoryScreens, nullptr) << "a new adventure opened no introduction";
    ASSERT_NO_FATAL_FAILURE(CloseIntroduction());
    EXPECT_TRUE(Session().mHudVisible);
    EXPECT_EQ(mApp->mCurrentMusic, HabitatAt(0).mNumber);
    ASSERT_GE(RunUntilIdle(), 0) << "the board never settled";
    EXPECT_EQ(Session().mState, STATE_PLAY);

    std::set<const Creature*> stageCreatures;
    for (const StageGoal& goal : HabitatAt(0).mStages.front().mGoals)
        stageCreatures.insert(goal.mCreature);
    for (int32_t cell = 0; cell < GameBoard::kCells; ++cell) {
        const BoardTile* const tile = Board().TileAtIndex(cell);
        ASSERT_NE(tile, nullptr) << "cell " << cell;
        ASSERT_NE(tile->mCreature, nullptr) << "cell " << cell;
        EXPECT_TRUE(tile->mCreature->IsItem() || stageCreatures.count(tile->mCreature) == 1)
            << tile->mCreature->mName << " in cell " << cell << " is not of the first stage";
    }
    EXPECT_TRUE(Board().NoItemInBottomRow());
}

// Leaving a game takes the session, its board and every tile away (the leak check of the
// sanitizer build finds what stays) and hands the score on.
TEST_F(GameSessionTest, RemovingTheSessionLeavesNothingBehindAndCarriesItsScore)
{
    ASSERT_NO_FATAL_FAILURE(StartPlay(0));
    ASSERT_GE(RunUntilIdle(), 0);
    Session().mScore = 4321;

    EndSession();
    EXPECT_EQ(mApp->mGameSession, nullptr);
    EXPECT_EQ(mApp->mCarriedScore, 4321);
    EXPECT_EQ(CountTopWidgets<GameSession>(), 0);
    EXPECT_EQ(CountTopWidgets<GameBoard>(), 0);
    EXPECT_EQ(CountTopWidgets<BoardTile>(), 0);
    RunFrames(3);
    mApp->RemoveGameSession();
    EXPECT_TRUE(mApp->mDeferredDeletes.empty()) << "a second removal queued something";
}

// A window closed in the middle of a game: the session and its physics entities go while
// the world still exists.
TEST_F(GameSessionTest, DestroyingTheApplicationDuringPlayEndsCleanly)
{
    ASSERT_NO_FATAL_FAILURE(StartPlay(1));
    RunFrames(20);
    xPhysicsPrimitiveEntityDesc desc;
    desc.mPlacement = XtremaPHX2D::Vec3(400.0f, 100.0f, 0.0f);
    desc.mSize = XtremaPHX2D::Vec2(10.0f, 10.0f);
    xSharkEntity* const entity = ToGameEntity(g_ptrSDK->createEntity(desc));
    ASSERT_NE(entity, nullptr);
    entity->Move(0, 0);
    mApp->mWidgetManager->AddWidget(entity);
    Session().mEntities.push_back(entity);
    RunFrames(5);

    mApp.reset();
    EXPECT_EQ(g_ptrSDK, nullptr);
    EXPECT_TRUE(mBoxes.empty());
}

// A dealt board of each habitat, left in the build tree for a person to look at: every cell
// shows a tile over the habitat's background.
TEST_F(GameSessionTest, EachHabitatDealsATileIntoEveryCellOverItsBackground)
{
    const fs::path folder = fs::path(GREENATLAS_BUILD_DIR) / "tests" / "game" / "screenshots";
    fs::create_directories(folder);
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    ASSERT_NO_FATAL_FAILURE(EnterName("Tester"));
    mApp->mVSyncTiming = true;
    GameOptionsHolder::Instance().mTutorialTips = false;
    for (int32_t index = 0; index < mApp->mHabitats.GetHabitatCount(); ++index) {
        const std::string name = mApp->GetHabitatNameByIndex(index);
        SCOPED_TRACE(name);
        mApp->StartGameSession(0, index);
        ASSERT_NO_FATAL_FAILURE(LeaveMap());
        RunFrames(1);
        ASSERT_NE(Session().mBoard, nullptr);
        ASSERT_NO_FATAL_FAILURE(CloseIntroduction());
        ASSERT_GE(RunUntilIdle(), 0);

        const std::unique_ptr<Zest::MemoryImage> screen = DrawScreen();
        const std::unique_ptr<ImageLib::Image> picture = ImageLib::CreateImage(screen->mWidth, screen->mHeight);
        std::copy(screen->GetBits(), screen->GetBits() + screen->mWidth * screen->mHeight, picture->mBits);
        const fs::path path = folder / ("board_" + name + ".png");
        ASSERT_TRUE(ImageLib::WritePNGImage(path.string(), picture.get())) << path;

        Zest::MemoryImage background(Zest::GetAppInterface());
        background.Create(screen->mWidth, screen->mHeight);
        Zest::Graphics(&background).DrawImage(Session().mHabitat->mBackImage, 0, 0);
        const auto differs = [&](const int x, const int y) {
            return ChannelsApart(Pixel(*screen, x, y), Pixel(background, x, y));
        };
        // Between the inventory and the board nothing of the head-up display covers it.
        EXPECT_FALSE(differs(230, 480)) << "the background is not drawn";
        for (int32_t cell = 0; cell < GameBoard::kCells; ++cell) {
            const BoardTile& tile = *Board().TileAtIndex(cell);
            int changed = 0;
            for (int y = tile.mY; y < tile.mY + BoardTile::kSize; ++y) {
                for (int x = tile.mX; x < tile.mX + BoardTile::kSize; ++x)
                    changed += differs(x, y) ? 1 : 0;
            }
            EXPECT_GT(changed, BoardTile::kSize * BoardTile::kSize / 5) << "no tile shows in cell " << cell;
        }
        EndSession();
    }
}

} // namespace
