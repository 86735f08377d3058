#include "game/screens/MainMenu.h"

#include "game/screens/MenuItem.h"
#include "game/screens/SelectGameMenu.h"
#include "tests/game/screens/ProfileScreenTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace Tests {
namespace {

using Zest::Color;

const Color kFootColor(216, 205, 144);
const Color kWelcomeColor(108, 102, 72);

class MainMenuTest : public ProfileScreenTest {
protected:
    // A player already chosen, so that the buttons are shown from the start.
    void MakeAnnCurrent() { mProfileHost.mProfiles.AddProfile(std::make_unique<PlayerProfile>("Ann")); }

    std::vector<RunRecordingFont::Run> DrawMenu(MainMenu& menu)
    {
        mLabelFont.mRuns.clear();
        mLegalsFont.mRuns.clear();
        ClearScreen();
        Zest::Graphics g(&mScreen);
        menu.Draw(&g);
        std::vector<RunRecordingFont::Run> runs = mLegalsFont.mRuns;
        runs.insert(runs.end(), mLabelFont.mRuns.begin(), mLabelFont.mRuns.end());
        return runs;
    }
};

// ---------------------------------------------------------------------------------------
// The buttons

TEST_F(MainMenuTest, SixLargeButtonsInAColumnAndTheChangeProfileButtonOnTheWelcomePanel)
{
    MakeAnnCurrent();
    MainMenu* const menu = ShowMainMenu();
    ASSERT_EQ(menu->mItems.size(), 7u);

    const char* const labels[] = {"Play", "Awards", "Options", "How to play", "Scores", "Quit"};
    for (int row = 0; row < 6; ++row) {
        SCOPED_TRACE(labels[row]);
        const MenuItem& button = *menu->mItems[static_cast<size_t>(row)];
        ExpectLargeButton(button, labels[row], Zest::Rect(300, 215 + row * kLargeButtonHeight, 200, 50), 23);
        EXPECT_EQ(button.mScaleX, row == 5 ? -1.0f : 1.0f) << "only the last one is mirrored";
        EXPECT_EQ(button.mFadeState, FADE_IN);
        EXPECT_EQ(button.mAlpha, 0.0f);
        EXPECT_EQ(button.mClickSound, -1) << "no sounds before the first EnableItems";
        EXPECT_EQ(button.mHoverSound, -1);
        EXPECT_TRUE(button.mVisible);
    }

    const MenuItem& change = *menu->mItems[6];
    EXPECT_EQ(change.GetRect(), Zest::Rect(28, 309, kNewPlayerWidth - 20, kNewPlayerHeight));
    EXPECT_EQ(change.mLabel, "Change");
    EXPECT_EQ(change.mFont, &mLegalsFont);
    EXPECT_EQ(change.mLabelY, 15);
    EXPECT_EQ(change.mLabelLineSpacing, 12);
    EXPECT_EQ(change.mImage, nullptr);
    EXPECT_EQ(change.mOverImage, nullptr);
    EXPECT_EQ(change.mFadeState, FADE_IN);
}

struct EmptyLabelCase {
    int mEmptyIndex;
    std::vector<std::string> mLabels;
    bool mLastMirrored;
};

TEST_F(MainMenuTest, ALabelWithoutTextGetsNoButtonAndTheRowsBelowCloseUp)
{
    const EmptyLabelCase cases[] = {
        {2, {"Play", "Awards", "How to play", "Scores", "Quit"}, true},
        // The mirrored picture belongs to the last label, so nothing is mirrored.
        {5, {"Play", "Awards", "Options", "How to play", "Scores"}, false},
    };
    const char* const keys[] = {"BTN_START_ADVENTURE", "BTN_VIEWMYAWARDS", "BTN_OPTIONS",
                                "BTN_HOWTOPLAY",       "BTN_SCORELIST",    "BTN_QUITGAME"};
    for (const EmptyLabelCase& test : cases) {
        SCOPED_TRACE(keys[test.mEmptyIndex]);
        const std::string kept = GetGameString(keys[test.mEmptyIndex]);
        StringTableHolder::Instance().SetString(keys[test.mEmptyIndex], "");
        MainMenu menu(&mProfileHost, &mNavigation, &mTextStyle, &mHabitats);
        mManager.AddWidget(&menu);
        StringTableHolder::Instance().SetString(keys[test.mEmptyIndex], kept);

        ASSERT_EQ(menu.mItems.size(), 6u) << "five large buttons and the change-profile button";
        for (size_t row = 0; row < test.mLabels.size(); ++row) {
            EXPECT_EQ(menu.mItems[row]->mLabel, test.mLabels[row]);
            EXPECT_EQ(menu.mItems[row]->mY, 215 + static_cast<int>(row) * kLargeButtonHeight);
            const bool mirrored = row + 1 == test.mLabels.size() && test.mLastMirrored;
            EXPECT_EQ(menu.mItems[row]->mScaleX, mirrored ? -1.0f : 1.0f) << test.mLabels[row];
        }
        mManager.RemoveWidget(&menu);
    }
}

// The awards open over the menu with no award to grant, its buttons as they are; the
// options and the how-to-play pages hide them first (they bring them back).
TEST_F(MainMenuTest, AwardsOpenOverTheMenuButtonsOptionsAndHelpHideThemAndQuitAsksToQuit)
{
    MainMenu* menu = nullptr;
    ASSERT_NO_FATAL_FAILURE(menu = ShowClickableMainMenu());

    const struct {
        size_t mIndex;
        Log mLog;
        bool mHides;
    } buttons[] = {
        {1, {kClickLogged, "show awards -1"}, false},
        {2, {kClickLogged, "show options"}, true},
        {3, {kClickLogged, "show how to play"}, true},
    };
    for (const auto& [index, log, hides] : buttons) {
        SCOPED_TRACE(menu->mItems[index]->mLabel);
        Click(*menu->mItems[index]);
        EXPECT_EQ(mServices.TakeLog(), log);
        EXPECT_EQ(ItemsShown(*menu), !hides);
        EXPECT_EQ(menu->mItems[index]->mImage, hides ? nullptr : mButton.get());
        // Back as the closing screen brings them; they take clicks once faded in, and the
        // one under the pointer plays its hover sound meanwhile.
        menu->EnableItems();
        FadeIn(*menu);
        mServices.TakeLog();
    }

    Click(*menu->mItems[5]);
    EXPECT_EQ(mServices.TakeLog(), (Log{kClickLogged, "quit"}));
}

// Play leads to the game selection; nothing of the player's adventure changes yet.
TEST_F(MainMenuTest, PlayHidesTheButtonsAndOpensTheGameSelectionCentredOnce)
{
    MainMenu* menu = nullptr;
    ASSERT_NO_FATAL_FAILURE(menu = ShowClickableMainMenu());
    PlayerProfile& ann = *mProfileHost.GetCurrentProfile();
    ann.mHabitatName = "Arctic";
    ann.mScore = 4200;

    Click(*menu->mItems[0]);
    EXPECT_EQ(mServices.TakeLog(), Log{kClickLogged}) << "no game starts";
    SelectGameMenu* const selection = menu->mSelectGameMenu;
    ASSERT_NE(selection, nullptr);
    EXPECT_TRUE(mManager.HasWidget(selection));
    EXPECT_EQ(selection->GetRect(), Zest::Rect(kPanelX, kPanelY, kSubmenuWidth, kSubmenuHeight));
    for (const MenuItem* const item : menu->mItems) {
        SCOPED_TRACE(item->mLabel);
        EXPECT_FALSE(item->mVisible);
        EXPECT_EQ(item->mClickSound, -1);
    }
    EXPECT_EQ(ann.mHabitatName, "Arctic");
    EXPECT_EQ(ann.mScore, 4200);

    menu->OnStartAdventure();
    EXPECT_EQ(menu->mSelectGameMenu, selection) << "one selection at most";
    EXPECT_EQ(std::count(mServices.mDeferred.begin(), mServices.mDeferred.end(), selection), 0);

    // Leaving the menu takes the selection with it.
    mManager.RemoveWidget(menu);
    EXPECT_EQ(menu->mSelectGameMenu, nullptr);
    EXPECT_FALSE(mManager.HasWidget(selection));
    EXPECT_EQ(std::count(mServices.mDeferred.begin(), mServices.mDeferred.end(), selection), 1);
}

TEST_F(MainMenuTest, ChangeProfileHidesTheButtonsAndAsksForTheProfileSelection)
{
    MainMenu* menu = nullptr;
    ASSERT_NO_FATAL_FAILURE(menu = ShowClickableMainMenu());

    Click(*menu->mItems[6]);
    EXPECT_EQ(mServices.TakeLog(), (Log{kClickLogged, "show profile selection"}));
    for (const MenuItem* const item : menu->mItems) {
        SCOPED_TRACE(item->mLabel);
        EXPECT_FALSE(item->mVisible);
        EXPECT_EQ(item->mClickSound, -1);
    }
    EXPECT_EQ(menu->mHighScores, nullptr) << "the selection is the application's, not the menu's";
}

TEST_F(MainMenuTest, HidingDropsPicturesAndSoundsAndShowingFadesInWithThemAgain)
{
    MakeAnnCurrent();
    MainMenu* const menu = ShowMainMenu();
    ASSERT_NO_FATAL_FAILURE(FadeIn(*menu));

    menu->DisableItems();
    for (const MenuItem* const item : menu->mItems) {
        EXPECT_FALSE(item->mVisible);
        EXPECT_EQ(item->mImage, nullptr);
        EXPECT_EQ(item->mOverImage, nullptr);
        EXPECT_EQ(item->mClickSound, -1);
        EXPECT_EQ(item->mHoverSound, -1);
    }
    ASSERT_EQ(menu->mItems.size(), 7u) << "the buttons stay in the menu";
    EXPECT_TRUE(mManager.HasWidget(menu->mItems[0]));

    menu->EnableItems();
    for (size_t i = 0; i < menu->mItems.size(); ++i) {
        const MenuItem& item = *menu->mItems[i];
        SCOPED_TRACE(item.mLabel);
        EXPECT_TRUE(item.mVisible);
        EXPECT_EQ(item.mAlpha, 0.0f);
        EXPECT_EQ(item.mFadeState, FADE_IN);
        EXPECT_EQ(item.mClickSound, kActionSound);
        EXPECT_EQ(item.mHoverSound, kRolloverSound);
        // The change-profile button is narrower and keeps having no pictures.
        EXPECT_EQ(item.mImage, i < 6 ? mButton.get() : nullptr);
        EXPECT_EQ(item.mOverImage, i < 6 ? mButtonOver.get() : nullptr);
    }

    // A click while a button fades in does nothing.
    mServices.TakeLog();
    Click(*menu->mItems[5]);
    EXPECT_EQ(mServices.TakeLog(), Log{});
}

// ---------------------------------------------------------------------------------------
// The profile check

struct ProfileCheckCase {
    const char* mName;
    bool mFileFound;
    std::vector<std::string> mFileNames;
    Log mLog;
    bool mItemsShown;
};

TEST_F(MainMenuTest, TheFirstUpdateLoadsTheProfilesOnceAndAsksForANameWhenNobodyIsCurrent)
{
    const ProfileCheckCase cases[] = {
        {"no file", false, {}, {"load profiles", "show name entry"}, false},
        {"a file without profiles", true, {}, {"load profiles", "show name entry"}, false},
        {"a file with profiles", true, {"Ann", "Bob"}, {"load profiles"}, true},
    };
    for (const ProfileCheckCase& test : cases) {
        SCOPED_TRACE(test.mName);
        mProfileHost.mProfiles = ProfileStore();
        mProfileHost.mFileFound = test.mFileFound;
        mProfileHost.mFileRead = false;
        mProfileHost.mFileNames = test.mFileNames;
        mNavigation.mNameEntryOpen = false;
        MainMenu menu(&mProfileHost, &mNavigation, &mTextStyle, &mHabitats);
        mManager.AddWidget(&menu);
        EXPECT_FALSE(ItemsShown(menu)) << "hidden at once while nobody is current";
        mServices.TakeLog();

        for (int update = 0; update < 5; ++update)
            mManager.UpdateFrame();
        EXPECT_EQ(mServices.TakeLog(), test.mLog) << "checked in the first update only";
        EXPECT_EQ(ItemsShown(menu), test.mItemsShown);
        if (test.mItemsShown) {
            EXPECT_EQ(menu.mItems[0]->mFadeState, FADE_IN);
            EXPECT_EQ(menu.mItems[0]->mImage, mButton.get());
        }
        mManager.RemoveWidget(&menu);
    }
}

struct CheckWaitCase {
    const char* mName;
    float mAlpha;
    int32_t mMenuState;
    bool mNameEntryOpen;
};

TEST_F(MainMenuTest, TheCheckWaitsForTheFadeTheNameEntryAndTheMenuOnScreen)
{
    const CheckWaitCase cases[] = {
        {"fading in", 254.9f, MainMenu::MENU_SHOWN, false},
        {"taken off for a game", 255.0f, MainMenu::MENU_HIDDEN_FOR_GAME, false},
        {"name entry open", 255.0f, MainMenu::MENU_SHOWN, true},
    };
    MainMenu* const menu = ShowMainMenu();
    for (const CheckWaitCase& test : cases) {
        SCOPED_TRACE(test.mName);
        menu->mAlpha = test.mAlpha;
        menu->mMenuState = test.mMenuState;
        mNavigation.mNameEntryOpen = test.mNameEntryOpen;
        mServices.TakeLog();
        menu->Update();
        EXPECT_EQ(mServices.TakeLog(), Log{});
    }
}

// ---------------------------------------------------------------------------------------
// Drawing

TEST_F(MainMenuTest, TheFootShowsNoticeAndVersionAndTheWelcomeLineOnlyAPlayerThatIsCurrent)
{
    MainMenu* const menu = ShowMainMenu();
    menu->mAlpha = 100.9f;
    const std::string notice = "Copyright 2026 Brightfold LLC. All rights reserved.";
    const int noticeX = 1 + (800 - 10 * static_cast<int>(notice.size())) / 2;
    const Color foot(kFootColor.mRed, kFootColor.mGreen, kFootColor.mBlue, 100);
    const auto Same = [](const RunRecordingFont::Run& a, const RunRecordingFont::Run& b) {
        return a.mText == b.mText && a.mX == b.mX && a.mY == b.mY && a.mColor == b.mColor;
    };

    std::vector<RunRecordingFont::Run> runs = DrawMenu(*menu);
    ASSERT_EQ(runs.size(), 2u) << "no welcome line while nobody is current";
    EXPECT_TRUE(Same(runs[0], {notice, noticeX, 591, foot}));
    EXPECT_TRUE(Same(runs[1], {kTestVersion, 800 - 80, 595, foot})) << "right-aligned";
    EXPECT_TRUE(ShowsColor(Color(0, 35, 0), Pixel(400, 100))) << "the background at the menu's alpha";

    MakeAnnCurrent();
    runs = DrawMenu(*menu);
    ASSERT_EQ(runs.size(), 4u);
    const Color welcome(kWelcomeColor.mRed, kWelcomeColor.mGreen, kWelcomeColor.mBlue, 100);
    // Centred in the 140 pixels from x 20.
    EXPECT_TRUE(Same(runs[2], {"Welcome,", 20 + (140 - 80) / 2, 280, welcome}));
    EXPECT_TRUE(Same(runs[3], {"Ann", 20 + (140 - 30) / 2, 300, welcome}));
}

struct ScanLineCase {
    bool mScanLines;
    bool mNameEntryOpen;
    bool mSelectionOpen;
    bool mDrawn;
};

TEST_F(MainMenuTest, ScanLinesCoverTheScreenUnlessSwitchedOffOrADialogDrawsItsOwn)
{
    MainMenu* menu = nullptr;
    ASSERT_NO_FATAL_FAILURE(menu = ShowClickableMainMenu());
    const ScanLineCase cases[] = {
        {true, false, false, true},
        {false, false, false, false},
        {true, true, false, false},
        {true, false, true, false},
    };
    for (const ScanLineCase& test : cases) {
        SCOPED_TRACE(testing::Message() << "scan lines " << test.mScanLines << ", name entry " << test.mNameEntryOpen
                                        << ", game selection " << test.mSelectionOpen);
        GameOptionsHolder::Instance().mScanLines = test.mScanLines;
        mNavigation.mNameEntryOpen = test.mNameEntryOpen;
        if (test.mSelectionOpen)
            menu->OpenSelectGameMenu();
        else
            menu->CloseSelectGameMenu();
        ClearScreen();
        Zest::Graphics g(&mScreen);
        menu->DrawOverlay(&g);
        // White lines at (200, 200, 200) and alpha 64 over black.
        EXPECT_TRUE(ShowsColor(test.mDrawn ? Color(50, 50, 50) : Color::Black, Pixel(10, 590)));
    }
}

} // namespace
} // namespace Tests
