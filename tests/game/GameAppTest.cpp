#include "game/GameApp.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/resources/PakInterface.h"
#include "framework/resources/manager/ResourceManager.h"
#include "framework/widgets/WidgetManager.h"
#include "game/screens/MenuItem.h"
#include "game/GameOptions.h"
#include "game/PlayerProfile.h"
#include "game/ProfileStore.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/CustomEditWidget.h"
#include "game/screens/MainMenu.h"
#include "framework/widgets/ListWidget.h"
#include "game/screens/HighScoresDisplayWidget.h"
#include "game/screens/PlayerNameEntry.h"
#include "game/screens/SelectProfile.h"
#include "game/screens/TitleScreen.h"
#include "platform/physics/World.h"
#include "platform/win32/Path.h"
#include "tests/framework/app/AppFixture.h"
#include "tests/game/GameAppFixture.h"

#include <box2d/b2_body.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Tests::AppendInt32;
using Tests::ReadFile;
using Tests::TestGameApp;

class GameAppTest : public Tests::GameAppFixture {};

// ---------------------------------------------------------------------------------------
// Start-up and the road to the main menu

TEST_F(GameAppTest, StartsHeadlessFromMainPakWithInitAndTitleScreenLoaded)
{
    ASSERT_NO_FATAL_FAILURE(Start(GREENATLAS_BUILD_DIR));
    ASSERT_FALSE(mApp->mShutDown);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
    EXPECT_EQ(mApp->mWindowTitle, "Green Atlas - v1.42demo");
    EXPECT_EQ(mApp->mWidgetManager->mDefaultFlags, 55);
    EXPECT_NE(XtremaPHX2D::g_ptrSDK, nullptr);

    EXPECT_EQ(Win32::ToNativePath(mApp->mDataFolder), DataFolder().string() + "/");
    EXPECT_TRUE(fs::is_directory(DataFolder()));
    EXPECT_TRUE(fs::is_empty(DataFolder())) << "the write check leaves nothing behind";

    // Sound ids start at 0, so only the pictures and fonts show whether they were set.
    for (int32_t id = FONT_LEGALS_ID; id <= SOUND_LOGO_ID; ++id) {
        if (gResourceTable[id].mKind != ResourceKind::Sound)
            EXPECT_NE(GetResourceById(id), nullptr) << gResourceTable[id].mId;
    }
    EXPECT_TRUE(ExtractInitResources(*mApp->mResourceManager));
    EXPECT_TRUE(ExtractTitleScreenResources(*mApp->mResourceManager));
    EXPECT_EQ(GetGameString("BTN_CLICK_HERE"), "Click to start");
    EXPECT_TRUE(mApp->mCustomCursors);
    EXPECT_EQ(mApp->mCursorImages[0], IMAGE_CUSTOM_POINTER);
    EXPECT_EQ(mApp->mCursorImages[3], IMAGE_CUSTOM_TEXT);

    TitleScreen* const title = mApp->mTitleScreen;
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(title));
    EXPECT_EQ(title->GetRect(), Zest::Rect(0, 0, 800, 600));
    EXPECT_EQ(mApp->mLoadingTotal, mApp->mResourceManager->GetNumResources("Game"));
    EXPECT_GT(mApp->mLoadingTotal, 300);
    EXPECT_EQ(mApp->GetLoadingProgress(), 0.0) << "nothing loaded before the loading thread starts";
}

TEST_F(GameAppTest, LoadingFillsEveryVariableAndTheTitleHandsOverToHabitatsAndTitleMusic)
{
    ASSERT_NO_FATAL_FAILURE(Start(GREENATLAS_BUILD_DIR));
    ASSERT_NE(mApp->mTitleScreen, nullptr);
    LoadGame();
    EXPECT_FALSE(mApp->mLoadingFailed);
    EXPECT_EQ(mApp->mLoadingDone, mApp->mLoadingTotal);
    EXPECT_EQ(mApp->GetLoadingProgress(), 1.0);
    EXPECT_TRUE(ExtractGameResources(*mApp->mResourceManager));

    ASSERT_NO_FATAL_FAILURE(PassTitle());
    ASSERT_NE(mApp->mMainMenu, nullptr);
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(mApp->mMainMenu));
    EXPECT_EQ(mApp->mMainMenu->GetRect(), Zest::Rect(0, 0, 800, 600));

    EXPECT_EQ(mApp->mHabitats.GetHabitatCount(), 4);
    EXPECT_EQ(mApp->mHabitats.GetHabitatNameByIndex(3), "Arctic");
    EXPECT_TRUE(ExtractMainMenuResources(*mApp->mResourceManager));
    EXPECT_EQ(mApp->mCurrentMusic, GameApp::kTitleSong);
    EXPECT_EQ(mApp->mCursorImages[1], IMAGE_CUSTOM_HAND);

    // Loading a habitat fills its group's variables, as a game session will.
    for (int32_t index = 0; index < 4; ++index) {
        const std::string name = mApp->mHabitats.GetHabitatNameByIndex(index);
        mApp->mHabitats.LoadHabitatResources(name);
        EXPECT_NE(mApp->mHabitats.GetHabitat(name)->mBackImage, nullptr) << name;
    }
    for (int32_t id = 0; id < RESOURCE_ID_COUNT; ++id) {
        if (gResourceTable[id].mKind != ResourceKind::Sound)
            EXPECT_NE(GetResourceById(id), nullptr) << gResourceTable[id].mId;
    }
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
}

// ---------------------------------------------------------------------------------------
// The players' files

TEST_F(GameAppTest, ShutdownWritesOptionsAndHighScoresInTheirFormats)
{
    ASSERT_NO_FATAL_FAILURE(Start(GREENATLAS_BUILD_DIR));
    mApp->Shutdown();

    // The defaults of a first start: volumes 0.5 and 0.8 in 1024ths, tips on, the reserved
    // flag off, names and hints on, scan lines off, mute on pause on.
    std::string options;
    AppendInt32(options, 0);
    AppendInt32(options, 512);
    AppendInt32(options, 819);
    options += std::string("\x01\x00\x01\x01\x00\x01", 6);
    EXPECT_EQ(ReadFile(DataFolder() / "options.dat"), options);

    std::string scores;
    for (int row = 0; row < 10; ++row) {
        scores += std::string("\x08\x00", 2) + "Player 1";
        AppendInt32(scores, 13 - row);
        AppendInt32(scores, 550 - 50 * row);
    }
    EXPECT_EQ(ReadFile(DataFolder() / "scoreslists.dat"), scores);
}

TEST_F(GameAppTest, StoredOptionsSetTheVolumesAtStartUp)
{
    std::string options;
    AppendInt32(options, 7);
    AppendInt32(options, 256);
    AppendInt32(options, 1024);
    options += std::string("\x00\x01\x00\x00\x01\x00", 6);
    fs::create_directories(DataFolder());
    Tests::WriteBytes(DataFolder() / "options.dat", options);

    ASSERT_NO_FATAL_FAILURE(Start(GREENATLAS_BUILD_DIR));
    EXPECT_DOUBLE_EQ(mApp->mMusicVolume, 0.25);
    EXPECT_DOUBLE_EQ(mApp->mSfxVolume, 1.0);
    mApp->Shutdown();
    EXPECT_EQ(ReadFile(DataFolder() / "options.dat"), options) << "written back unchanged";
}

TEST_F(GameAppTest, ADataFolderThatTakesNoFileIsReportedOnceAndTheGameStillStarts)
{
    // A file where the folder should be: the player may not even write it as root.
    fs::create_directories(DataFolder().parent_path());
    Tests::WriteBytes(DataFolder(), "in the way");

    ASSERT_NO_FATAL_FAILURE(Start(GREENATLAS_BUILD_DIR));
    const std::vector<std::string> texts = BoxTexts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), GameApp::kNoDataAccessMessage), 1);
    ASSERT_FALSE(mBoxes.empty());
    EXPECT_EQ(mBoxes.front().text, GameApp::kNoDataAccessMessage);
    EXPECT_EQ(mBoxes.front().caption, "FATAL ERROR");
    EXPECT_FALSE(mApp->mShutDown);
    EXPECT_NE(mApp->mTitleScreen, nullptr);
    EXPECT_EQ(ReadFile(DataFolder()), "in the way");
}

// ---------------------------------------------------------------------------------------
// Profiles and the main menu

TEST_F(GameAppTest, TheFirstStartAsksForANameAndTheNextStartGreetsThatPlayer)
{
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    ASSERT_NE(mApp->mPlayerNameEntry, nullptr) << "nobody to play as yet";
    EXPECT_FALSE(MenuButtonsShown());
    EXPECT_FALSE(fs::exists(ProfilesFile()));

    ASSERT_NO_FATAL_FAILURE(EnterName("Ann"));
    EXPECT_EQ(mApp->mPlayerNameEntry, nullptr);
    EXPECT_EQ(CurrentName(), "Ann");
    EXPECT_TRUE(MenuButtonsShown());
    const std::string saved = ReadFile(ProfilesFile());
    EXPECT_EQ(saved.substr(0, 13), std::string("\x01\0\0\0\0\0\0\0\x03\0Ann", 13)) << "saved at once";

    mApp.reset();
    EXPECT_EQ(ReadFile(ProfilesFile()), saved) << "written again at shutdown, unchanged";
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    EXPECT_EQ(mApp->mPlayerNameEntry, nullptr);
    EXPECT_EQ(CurrentName(), "Ann");
    EXPECT_TRUE(MenuButtonsShown());
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
}

TEST_F(GameAppTest, AQuitDuringTheTitleWritesNoProfiles)
{
    ASSERT_NO_FATAL_FAILURE(Start(GREENATLAS_BUILD_DIR));
    mApp->Shutdown();
    EXPECT_FALSE(fs::exists(ProfilesFile()));
    mApp.reset();

    // A file that was never read is left exactly as it is.
    ASSERT_NO_FATAL_FAILURE(WriteProfilesFile({"Ann"}, 5));
    const std::string bytes = ReadFile(ProfilesFile());
    ASSERT_NO_FATAL_FAILURE(Start(GREENATLAS_BUILD_DIR));
    mApp->Shutdown();
    EXPECT_EQ(ReadFile(ProfilesFile()), bytes);
}

TEST_F(GameAppTest, AStoredIndexOutsideTheListMakesTheFirstProfileCurrentAndIsSavedSo)
{
    ASSERT_NO_FATAL_FAILURE(WriteProfilesFile({"Ann", "Bob"}, 7));
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    EXPECT_EQ(mApp->mPlayerNameEntry, nullptr);
    EXPECT_EQ(CurrentName(), "Ann");
    EXPECT_TRUE(MenuButtonsShown());

    // The profiles were loaded, so shutdown keeps them, with the index as it now is.
    mApp->Shutdown();
    EXPECT_EQ(ReadFile(ProfilesFile()).substr(0, 8), std::string("\x02\0\0\0\0\0\0\0", 8));
}

TEST_F(GameAppTest, AFileWithoutProfilesAsksForANameOnce)
{
    ASSERT_NO_FATAL_FAILURE(WriteProfilesFile({}, -1));
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    ASSERT_NE(mApp->mPlayerNameEntry, nullptr);
    EXPECT_FALSE(MenuButtonsShown());
    PlayerNameEntry* const entry = mApp->mPlayerNameEntry;
    for (int update = 0; update < 3; ++update)
        mApp->mWidgetManager->UpdateFrame();
    EXPECT_EQ(mApp->mPlayerNameEntry, entry);
    EXPECT_EQ(mApp->mProfiles.GetProfileCount(), 0);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
}

TEST_F(GameAppTest, ADamagedFileIsReportedSetAsideAndTheNewPlayerSavedBesideIt)
{
    ASSERT_NO_FATAL_FAILURE(WriteProfilesFile({"Ann"}, 0));
    const std::string damaged = ReadFile(ProfilesFile()).substr(0, 40);
    Tests::WriteBytes(ProfilesFile(), damaged);

    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    const std::vector<std::string> texts = BoxTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].rfind("Could not read contents of profiles.dat", 0), 0u) << texts[0];
    EXPECT_EQ(ReadFile(DataFolder() / ProfileStore::kSetAsideFileName), damaged);
    ASSERT_NE(mApp->mPlayerNameEntry, nullptr);

    ASSERT_NO_FATAL_FAILURE(EnterName("Bob"));
    EXPECT_EQ(CurrentName(), "Bob");
    EXPECT_EQ(ReadFile(ProfilesFile()).substr(8, 5), std::string("\x03\0Bob", 5));
    EXPECT_EQ(ReadFile(DataFolder() / ProfileStore::kSetAsideFileName), damaged);
}

TEST_F(GameAppTest, QuitTakesTheMenuAwayAndShutsDownWithTheProfilesSaved)
{
    ASSERT_NO_FATAL_FAILURE(WriteProfilesFile({"Ann", "Bob"}, 1));
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    ASSERT_EQ(CurrentName(), "Bob");
    fs::remove(ProfilesFile());

    mApp->mMainMenu->OnQuitGame();
    EXPECT_EQ(mApp->mMainMenu, nullptr);
    EXPECT_TRUE(mApp->mShutDown);
    EXPECT_EQ(ReadFile(ProfilesFile()).substr(0, 8), std::string("\x02\0\0\0\x01\0\0\0", 8));
}

TEST_F(GameAppTest, DeletingTheLastProfileAsksForANewName)
{
    ASSERT_NO_FATAL_FAILURE(WriteProfilesFile({"Ann"}, 0));
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    ASSERT_EQ(mApp->mPlayerNameEntry, nullptr);
    mApp->DeleteProfile(0);
    EXPECT_EQ(mApp->GetCurrentProfile(), nullptr);
    EXPECT_NE(mApp->mPlayerNameEntry, nullptr);
}

// The player's way through the profile selection: a second player is created over it, then
// chosen, and the file follows every Done.
TEST_F(GameAppTest, TheProfileSelectionCreatesChoosesAndDeletesPlayers)
{
    ASSERT_NO_FATAL_FAILURE(WriteProfilesFile({"Ann"}, 0));
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    ASSERT_TRUE(MenuButtonsShown());
    const auto rows = [this] { return mApp->mSelectProfile->mProfileList->mLines; };

    mApp->mMainMenu->OnChangeProfile();
    SelectProfile* const selection = mApp->mSelectProfile;
    ASSERT_NE(selection, nullptr);
    EXPECT_FALSE(MenuButtonsShown());
    EXPECT_EQ(selection->mX, (800 - IMAGE_GAME_SUBMENU->GetWidth()) / 2);
    EXPECT_EQ(selection->mY, (600 - IMAGE_GAME_SUBMENU->GetHeight()) / 2);
    EXPECT_EQ(rows(), std::vector<std::string>{"Ann"});

    selection->OnCreateNewProfile();
    ASSERT_NE(mApp->mPlayerNameEntry, nullptr);
    EXPECT_TRUE(selection->mDisabled) << "the name entry has the screen";
    ASSERT_NO_FATAL_FAILURE(EnterName("Bob"));
    EXPECT_FALSE(selection->mDisabled);
    EXPECT_FALSE(MenuButtonsShown()) << "the selection is still open";
    EXPECT_EQ(rows(), (std::vector<std::string>{"Ann", "Bob"}));
    EXPECT_EQ(selection->mProfileList->mSelectIndex, 0);
    EXPECT_EQ(CurrentName(), "Bob") << "a new player is made current at once";
    EXPECT_EQ(ReadFile(ProfilesFile()).substr(0, 8), std::string("\x02\0\0\0\x01\0\0\0", 8)) << "saved at once";

    // Ann chosen again, then Bob deleted from a second opening.
    selection->OnDone();
    mApp->DeleteDeferredWidgets();
    EXPECT_EQ(mApp->mSelectProfile, nullptr);
    EXPECT_EQ(CurrentName(), "Ann");
    EXPECT_TRUE(MenuButtonsShown());
    EXPECT_EQ(ReadFile(ProfilesFile()).substr(0, 8), std::string("\x02\0\0\0\0\0\0\0", 8));

    mApp->mMainMenu->OnChangeProfile();
    ASSERT_NE(mApp->mSelectProfile, nullptr);
    mApp->mSelectProfile->ListClicked(SelectProfile::kListId, 1, 1);
    mApp->mSelectProfile->OnDelete();
    EXPECT_EQ(rows(), std::vector<std::string>{"Ann"});
    mApp->mSelectProfile->OnDone();
    mApp->DeleteDeferredWidgets();
    EXPECT_EQ(CurrentName(), "Ann");
    EXPECT_EQ(ReadFile(ProfilesFile()).substr(0, 13), std::string("\x01\0\0\0\0\0\0\0\x03\0Ann", 13));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{});
}

TEST_F(GameAppTest, DeletingTheLastPlayerInTheSelectionAsksForANameOverIt)
{
    ASSERT_NO_FATAL_FAILURE(WriteProfilesFile({"Ann"}, 0));
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    mApp->mMainMenu->OnChangeProfile();
    SelectProfile* const selection = mApp->mSelectProfile;
    ASSERT_NE(selection, nullptr);

    selection->OnDelete();
    EXPECT_EQ(mApp->GetCurrentProfile(), nullptr);
    ASSERT_NE(mApp->mPlayerNameEntry, nullptr);
    EXPECT_TRUE(selection->mDisabled);
    // The main menu's own check must not open a second name entry meanwhile.
    PlayerNameEntry* const entry = mApp->mPlayerNameEntry;
    mApp->mWidgetManager->UpdateFrame();
    EXPECT_EQ(mApp->mPlayerNameEntry, entry);

    ASSERT_NO_FATAL_FAILURE(EnterName("Cy"));
    EXPECT_EQ(selection->mProfileList->mLines, std::vector<std::string>{"Cy"});
    selection->OnDone();
    mApp->DeleteDeferredWidgets();
    EXPECT_EQ(CurrentName(), "Cy");
    EXPECT_TRUE(MenuButtonsShown());
}

TEST_F(GameAppTest, QuittingWithTheSelectionOpenLeavesNothingBehind)
{
    ASSERT_NO_FATAL_FAILURE(WriteProfilesFile({"Ann"}, 0));
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    mApp->mMainMenu->OnChangeProfile();
    mApp->mMainMenu->ShowHighScores();
    ASSERT_NE(mApp->mSelectProfile, nullptr);
    ASSERT_NE(mApp->mMainMenu->mHighScores, nullptr);
    // Destroyed with both dialogs up; the sanitizer reports what would leak.
    mApp.reset();
    EXPECT_EQ(ReadFile(ProfilesFile()).substr(0, 13), std::string("\x01\0\0\0\0\0\0\0\x03\0Ann", 13));
}

TEST_F(GameAppTest, TheScoreListOpensOverTheMenuAndItsBackButtonClosesIt)
{
    ASSERT_NO_FATAL_FAILURE(WriteProfilesFile({"Ann"}, 0));
    ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
    MainMenu* const menu = mApp->mMainMenu;
    menu->mItems[4]->mAction();
    HighScoresDisplayWidget* const table = menu->mHighScores;
    ASSERT_NE(table, nullptr);
    EXPECT_FALSE(MenuButtonsShown());
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(table));
    ASSERT_NE(table->mBackButton, nullptr);

    table->mBackButton->mAction();
    mApp->DeleteDeferredWidgets();
    EXPECT_EQ(menu->mHighScores, nullptr);
    EXPECT_TRUE(MenuButtonsShown());
}

TEST_F(GameAppTest, AProfileSaveThatFailsIsReportedAndLeavesTheOldFileWhole)
{
    ASSERT_NO_FATAL_FAILURE(WriteProfilesFile({"Ann"}, 0));
    const std::string bytes = ReadFile(ProfilesFile());
    ASSERT_NO_FATAL_FAILURE(Start(GREENATLAS_BUILD_DIR));
    ASSERT_TRUE(mApp->LoadProfiles());
    // A name longer than a stored string can be.
    mApp->AddProfile(std::make_unique<PlayerProfile>(std::string(70000, 'n')));

    EXPECT_FALSE(mApp->SaveProfiles());
    const std::vector<std::string> texts = BoxTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].rfind("Could not save the player profiles", 0), 0u) << texts[0];
    EXPECT_EQ(ReadFile(ProfilesFile()), bytes);
    // Gone again, so that the shutdown saves and writes no error log beside the game.
    mApp->DeleteProfile(1);
    mApp->Shutdown();
    EXPECT_EQ(ReadFile(ProfilesFile()), bytes);
}

// ---------------------------------------------------------------------------------------
// Content that fails

TEST_F(GameAppTest, AMissingStringTableIsExplainedAndEndsTheRunWithAFailedStatus)
{
    ASSERT_NO_FATAL_FAILURE(Start(MakeContent(false)));
    ASSERT_EQ(mBoxes.size(), 1u);
    EXPECT_NE(mBoxes[0].text.find("properties/strings.xml"), std::string::npos) << mBoxes[0].text;
    EXPECT_TRUE(mApp->mShutDown);
    EXPECT_EQ(mApp->mExitStatus, 1);
    EXPECT_EQ(mApp->mTitleScreen, nullptr) << "no screen of untranslated keys";
    EXPECT_TRUE(fs::exists(DataFolder() / "options.dat")) << "the orderly shutdown still saves";
}

TEST_F(GameAppTest, AFailedGameLoadIsReportedEndsTheRunAndNeverOffersTheButton)
{
    ASSERT_NO_FATAL_FAILURE(
        Start(MakeContent(true, "images/tiles/anaconda.png", "images/tiles/no_such_picture.png")));
    ASSERT_FALSE(mApp->mShutDown);
    TitleScreen* const title = mApp->mTitleScreen;
    ASSERT_NE(title, nullptr);

    LoadGame();
    EXPECT_TRUE(mApp->mLoadingFailed);
    ASSERT_EQ(mBoxes.size(), 1u);
    EXPECT_NE(mBoxes[0].text.find("no_such_picture"), std::string::npos) << mBoxes[0].text;
    EXPECT_EQ(mBoxes[0].caption, "FATAL ERROR");
    EXPECT_TRUE(mApp->mShutDown);
    EXPECT_EQ(mApp->mExitStatus, 1);

    title->UpdateSmooth(1.0f);
    EXPECT_EQ(title->mClickHereButton, nullptr);
}

// ---------------------------------------------------------------------------------------
// Frame work and services

struct SmoothUpdateCase {
    bool mVSyncTiming;
    bool mUpdatesPaused;
    float mMovedPixels;
};

// A body at 1 metre per second moves half a pixel in a step of one update.
TEST_F(GameAppTest, TheSmoothUpdateStepsThePhysicsWorldOnlyWhileUpdatesRun)
{
    mApp = std::make_unique<TestGameApp>();
    mApp->mPhysicsStep = 1.0f;
    b2BodyDef definition;
    definition.type = b2_dynamicBody;
    definition.linearVelocity.Set(1.0f, 0.0f);
    b2Body* const body = XtremaPHX2D::g_ptrSDK->world().mWorld.CreateBody(&definition);

    const SmoothUpdateCase cases[] = {{true, false, 0.5f}, {true, true, 0.0f}, {false, false, 0.0f}};
    for (const SmoothUpdateCase& test : cases) {
        mApp->mVSyncTiming = test.mVSyncTiming;
        mApp->mUpdatesPaused = test.mUpdatesPaused;
        const float before = body->GetPosition().x;
        mApp->RunSmoothUpdate(1.0f);
        EXPECT_NEAR((body->GetPosition().x - before) * XtremaPHX2D::kPixelsPerMetre, test.mMovedPixels, 1e-4f)
            << "vsync " << test.mVSyncTiming << ", paused " << test.mUpdatesPaused;
    }

    mApp.reset();
    EXPECT_EQ(XtremaPHX2D::g_ptrSDK, nullptr) << "the world goes with the application";
}

TEST_F(GameAppTest, AwardTextsComeFromTheStringTableAndPicturesFromTheLoadedContent)
{
    ASSERT_NO_FATAL_FAILURE(Start(GREENATLAS_BUILD_DIR));
    LoadGame();
    EXPECT_EQ(mApp->GetAwardName(0), GetGameString("LBL_AWARD_AMAZON"));
    EXPECT_EQ(mApp->GetAwardDescription(19), GetGameString("DESC_AWARD_MINIGAMEMASTER"));
    EXPECT_EQ(mApp->GetAwardDescription(3), mApp->GetAwardDescription(9));
    EXPECT_EQ(mApp->GetAwardName(20), "not found");
    EXPECT_EQ(mApp->GetAwardName(-1), "not found");

    Zest::MemoryImage canvas(mApp.get());
    canvas.Create(200, 200);
    Zest::Graphics g(&canvas);
    mApp->DrawAward(19, &g, 0.0f, 0.0f, false, Zest::Color::White, false);
    const uint32_t* const bits = canvas.GetBits();
    EXPECT_TRUE(std::any_of(bits, bits + 200 * 200, [](const uint32_t pixel) { return (pixel >> 24) != 0; }))
        << "the award's picture was not drawn";
}

TEST_F(GameAppTest, TextColoursAndMapPoints)
{
    mApp = std::make_unique<TestGameApp>();
    EXPECT_EQ(mApp->GetTextColor(), Zest::Color(66, 36, 0, 255));
    EXPECT_EQ(mApp->GetHighlightTextColor(), Zest::Color(116, 0, 0, 255));
    EXPECT_EQ(mApp->GetMapPoint(0), std::make_pair(248.0f, 360.0f));
    EXPECT_EQ(mApp->GetMapPoint(9), std::make_pair(750.0f, 270.0f));
    EXPECT_EQ(mApp->GetMapPoint(10), std::make_pair(0.0f, 0.0f)) << "never read past the list";
    EXPECT_EQ(mApp->GetMapPoint(-1), std::make_pair(0.0f, 0.0f));
}

} // namespace
