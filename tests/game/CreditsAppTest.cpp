// The credits under a test's own GameApp: the end of the adventure opens them over the main
// menu, and Back closes them, bringing back the options menu that opened them when there
// is one.

#include "framework/widgets/WidgetManager.h"
#include "game/screens/AwardsScreen.h"
#include "game/screens/CreditsMenu.h"
#include "game/screens/OptionsControls.h"
#include "game/screens/OptionsMenu.h"
#include "game/screens/ReceivingAwardsScreen.h"
#include "tests/game/GameAppFixture.h"

#include <gtest/gtest.h>

namespace Tests {
namespace {

class CreditsAppTest : public GameAppFixture {
protected:
    // A player at the main menu.
    void StartWithPlayer()
    {
        ASSERT_NO_FATAL_FAILURE(StartToMainMenu());
        ASSERT_NO_FATAL_FAILURE(EnterName("Tester"));
    }

    void DeleteAllDeferred()
    {
        for (int round = 0; round < 10 && !mApp->mDeferredDeletes.empty(); ++round)
            mApp->DeleteDeferredWidgets();
        EXPECT_TRUE(mApp->mDeferredDeletes.empty());
    }
};

// After the tenth habitat's award the receiving-awards screen's last Continue brings the
// main menu back with the credits over it; their Back, with no options menu kept, only
// closes them.
TEST_F(CreditsAppTest, TheAdventuresEndOpensTheCreditsWhoseBackOnlyClosesThem)
{
    ASSERT_NO_FATAL_FAILURE(StartWithPlayer());
    // The main menu is hidden while a game runs; the game has handed over to the screen.
    mApp->HideMainMenu();
    mApp->ShowReceivingAwardsScreen(10);
    ReceivingAwardsScreen* const receiving = mApp->mReceivingAwards;
    ASSERT_NE(receiving, nullptr);
    while (receiving->mStep != ReceivingAwardsScreen::STEP_AWARDS_SCREEN)
        receiving->AdvanceStory();
    ASSERT_NE(mApp->mAwardsScreen, nullptr);
    mApp->mAwardsScreen->OnBack();
    ASSERT_EQ(receiving->mStep, ReceivingAwardsScreen::STEP_FINAL);
    EXPECT_EQ(mApp->mCreditsMenu, nullptr);

    receiving->AdvanceStory();
    DeleteAllDeferred();
    EXPECT_EQ(mApp->mReceivingAwards, nullptr);
    ASSERT_NE(mApp->mCreditsMenu, nullptr);
    CreditsMenu* const credits = mApp->mCreditsMenu;
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(credits));
    EXPECT_EQ(credits->GetRect(), Zest::Rect(0, 0, 800, 600));
    ASSERT_NE(credits->mBackButton, nullptr);
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(credits->mBackButton));
    ASSERT_NE(mApp->mMainMenu, nullptr);
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(mApp->mMainMenu));
    EXPECT_EQ(credits->mLines.front().mText, "Developed by") << "headings from the game's string table";

    // Frames scroll the list.
    mApp->mWidgetManager->UpdateFrameSmooth(3.0f);
    EXPECT_FLOAT_EQ(credits->mScrollY, 299.0f);

    credits->OnBack();
    DeleteAllDeferred();
    EXPECT_EQ(mApp->mCreditsMenu, nullptr);
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(mApp->mMainMenu)) << "the main menu stays";
    EXPECT_EQ(mApp->mMainMenu->mMenuState, MainMenu::MENU_SHOWN);
}

// Back on credits opened from the options returns to the options: the credits go, the kept
// menu joins the widget tree again with fresh controls that hold the values set before.
TEST_F(CreditsAppTest, BackReturnsToTheOptionsWithFreshControlsHoldingTheEarlierValues)
{
    ASSERT_NO_FATAL_FAILURE(StartWithPlayer());
    mApp->mMainMenu->OnOptions();
    OptionsMenu* const options = mApp->mOptionsMenu;
    ASSERT_NE(options, nullptr);
    ASSERT_NE(options->mHintCheckbox, nullptr);
    ASSERT_NE(options->mMusicSlider, nullptr);
    const bool hint = !options->mHintCheckbox->mChecked;
    options->mHintCheckbox->SetChecked(hint, true);
    options->mMusicSlider->SetValue(0.25);
    options->SliderValueChanged(OptionsMenu::MUSIC_SLIDER, 0.25);
    const CustomOptionsCheckbox* const oldHintBox = options->mHintCheckbox;

    options->OnCredits();
    ASSERT_NE(mApp->mCreditsMenu, nullptr);
    CreditsMenu* const credits = mApp->mCreditsMenu;
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(credits));
    EXPECT_FALSE(mApp->mWidgetManager->HasWidget(options)) << "the options step aside";
    EXPECT_EQ(options->mHintCheckbox, nullptr);
    DeleteAllDeferred();

    credits->OnBack();
    DeleteAllDeferred();
    EXPECT_EQ(mApp->mCreditsMenu, nullptr);
    ASSERT_EQ(mApp->mOptionsMenu, options);
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(options));
    ASSERT_NE(options->mHintCheckbox, nullptr);
    EXPECT_NE(options->mHintCheckbox, oldHintBox) << "built afresh";
    EXPECT_TRUE(mApp->mWidgetManager->HasWidget(options->mHintCheckbox));
    EXPECT_EQ(options->mHintCheckbox->mChecked, hint);
    ASSERT_NE(options->mMusicSlider, nullptr);
    EXPECT_DOUBLE_EQ(options->mMusicSlider->mValue, 0.25);

    options->OnDone();
    DeleteAllDeferred();
    EXPECT_EQ(mApp->mOptionsMenu, nullptr);
}

} // namespace
} // namespace Tests
