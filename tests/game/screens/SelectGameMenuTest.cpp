#include "game/screens/SelectGameMenu.h"

#include "game/screens/AreYouSureMenu.h"
#include "game/screens/MenuItem.h"
#include "tests/game/screens/ProfileScreenTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace Tests {
namespace {

using Zest::Color;

// The confirmation's panel, centred on the screen: (800 - 391) / 2 and (600 - 451) / 2 are
// 204.5 and 74.5, taken as 204 and 74 by its buttons and texts.
constexpr int kQuestionX = 204;
constexpr int kQuestionY = 74;

// Ann, current, on the main menu with its buttons faded in.
class SelectGameMenuTest : public ProfileScreenTest {
protected:
    void SetUp() override
    {
        ProfileScreenTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(mMenu = ShowClickableMainMenu());
    }

    PlayerProfile& Ann() { return *mProfileHost.GetCurrentProfile(); }

    // Two habitats started, playing the Arctic with a score, a counter of this adventure,
    // a lifetime counter and an award.
    void GiveAnnProgress()
    {
        Ann().mHabitatsStarted = 2;
        Ann().mHabitatName = "Arctic";
        Ann().mScore = 4200;
        Ann().mStageIndex = 3;
        Ann().mStats.mChainsMade = 7;
        Ann().mStats.mWebsBurnt = 2;
        Ann().mAwards[5] = true;
    }

    // Play on the main menu, once its buttons take clicks.
    SelectGameMenu& OpenSelection()
    {
        FadeIn(*mMenu);
        mServices.TakeLog();
        Click(*mMenu->mItems[0]);
        EXPECT_EQ(mServices.TakeLog(), Log{kClickLogged});
        EXPECT_NE(mMenu->mSelectGameMenu, nullptr);
        return *mMenu->mSelectGameMenu;
    }

    // The selection has gone through the main menu, which shows its buttons again.
    void ExpectSelectionClosed(const SelectGameMenu& selection)
    {
        EXPECT_EQ(mMenu->mSelectGameMenu, nullptr);
        EXPECT_FALSE(mManager.HasWidget(&selection));
        EXPECT_EQ(std::count(mServices.mDeferred.begin(), mServices.mDeferred.end(), &selection), 1);
        EXPECT_TRUE(ItemsShown(*mMenu));
        EXPECT_EQ(mMenu->mItems[0]->mFadeState, FADE_IN);
    }

    void ExpectProgressKept()
    {
        EXPECT_EQ(Ann().mHabitatName, "Arctic");
        EXPECT_EQ(Ann().mScore, 4200);
        EXPECT_EQ(Ann().mStageIndex, 3);
        EXPECT_EQ(Ann().mStats.mChainsMade, 7);
    }

    // The adventure's counters start over; awards and lifetime counters stay.
    void ExpectProgressReset()
    {
        EXPECT_EQ(Ann().mHabitatName, PlayerProfile::kFirstHabitat);
        EXPECT_EQ(Ann().mScore, 0);
        EXPECT_EQ(Ann().mStageIndex, -1);
        EXPECT_EQ(Ann().mHabitatsStarted, 0);
        EXPECT_EQ(Ann().mStats.mChainsMade, 0);
        EXPECT_EQ(Ann().mStats.mWebsBurnt, 2);
        EXPECT_TRUE(Ann().mAwards[5]);
    }

    MainMenu* mMenu = nullptr;
};

// ---------------------------------------------------------------------------------------
// The buttons

struct ProgressCase {
    const char* mName;
    int32_t mHabitatsStarted;
    const char* mHabitatName;
    bool mCanContinue;
};

TEST_F(SelectGameMenuTest, ContinueIsOfferedOnlyForAStartedAdventureInAKnownHabitat)
{
    const ProgressCase cases[] = {
        {"in progress", 1, "Arctic", true},
        {"nothing started", 0, "Arctic", false},
        {"the last habitat finished", 3, SelectGameMenu::kAdventureDoneHabitat, false},
        {"a habitat the game does not know", 2, "Atlantis", false},
    };
    const Zest::Rect back(kDialogButtonX, kPanelY + kSubmenuHeight - 80, kLargeButtonWidth, kLargeButtonHeight);
    const Zest::Rect firstRow(kDialogButtonX, kPanelY + 95, kLargeButtonWidth, kLargeButtonHeight);
    const Zest::Rect secondRow(kDialogButtonX, kPanelY + 160, kLargeButtonWidth, kLargeButtonHeight);
    for (const ProgressCase& test : cases) {
        SCOPED_TRACE(test.mName);
        Ann().mHabitatsStarted = test.mHabitatsStarted;
        Ann().mHabitatName = test.mHabitatName;
        const SelectGameMenu& selection = OpenSelection();
        EXPECT_EQ(selection.mHasProgress, test.mCanContinue);

        std::vector<const MenuItem*> buttons;
        if (test.mCanContinue) {
            ASSERT_NE(selection.mContinueButton, nullptr);
            ExpectDialogButton(*selection.mContinueButton, "Continue", firstRow, 1.0f);
            buttons.push_back(selection.mContinueButton);
        } else {
            EXPECT_EQ(selection.mContinueButton, nullptr);
        }
        ASSERT_NE(selection.mNewGameButton, nullptr);
        ASSERT_NE(selection.mBackButton, nullptr);
        // New adventure takes the first row when there is nothing to continue.
        ExpectDialogButton(*selection.mNewGameButton, "New", test.mCanContinue ? secondRow : firstRow, 1.0f);
        ExpectDialogButton(*selection.mBackButton, "Back", back, -1.0f);
        buttons.push_back(selection.mNewGameButton);
        buttons.push_back(selection.mBackButton);
        for (const MenuItem* const button : buttons)
            EXPECT_EQ(button->mOverlayPriority, 51) << button->mLabel << " lies just above the dialog";

        mMenu->CloseSelectGameMenu();
        for (const MenuItem* const button : buttons)
            EXPECT_FALSE(mManager.HasWidget(button)) << "the buttons leave with the dialog";
    }
}

// ---------------------------------------------------------------------------------------
// Leaving the selection

TEST_F(SelectGameMenuTest, ContinueStartsTheSavedAdventureInItsHabitatAsItIs)
{
    GiveAnnProgress();
    SelectGameMenu& selection = OpenSelection();
    Click(*selection.mContinueButton);

    EXPECT_EQ(mServices.TakeLog(), (Log{kClickLogged, "start game 1 1"})) << "continued in the Arctic, index 1";
    ExpectSelectionClosed(selection);
    ExpectProgressKept();
    EXPECT_EQ(Ann().mAwards[5], true);
}

struct NewAdventureCase {
    const char* mName;
    int32_t mFirstIndex;
    Log mLog;
};

// With nothing to lose there is no question: the adventure starts over at once, in the
// first habitat the game has.
TEST_F(SelectGameMenuTest, NewAdventureWithoutProgressStartsAtTheFirstHabitatAtOnce)
{
    const NewAdventureCase cases[] = {
        {"the first habitat at index 0", 0, {kClickLogged, "start game 0 0"}},
        {"the first habitat at index 2", 2, {kClickLogged, "start game 0 2"}},
    };
    for (const NewAdventureCase& test : cases) {
        SCOPED_TRACE(test.mName);
        GiveAnnProgress();
        Ann().mHabitatsStarted = 0;
        mHabitats.mFirstIndex = test.mFirstIndex;
        SelectGameMenu& selection = OpenSelection();
        Click(*selection.mNewGameButton);

        EXPECT_EQ(mServices.TakeLog(), test.mLog);
        EXPECT_EQ(selection.mAreYouSure, nullptr);
        ExpectSelectionClosed(selection);
        ExpectProgressReset();
    }
}

TEST_F(SelectGameMenuTest, BackClosesTheSelectionAndStartsNothing)
{
    GiveAnnProgress();
    SelectGameMenu& selection = OpenSelection();
    Click(*selection.mBackButton);

    EXPECT_EQ(mServices.TakeLog(), Log{kClickLogged});
    EXPECT_FALSE(selection.mStartGame);
    ExpectSelectionClosed(selection);
    ExpectProgressKept();
}

// ---------------------------------------------------------------------------------------
// The question before a new adventure over progress

TEST_F(SelectGameMenuTest, NewAdventureOverProgressAsksFirstOverTheWholeScreen)
{
    GiveAnnProgress();
    SelectGameMenu& selection = OpenSelection();
    const MenuItem& continueButton = *selection.mContinueButton;
    Click(*selection.mNewGameButton);

    EXPECT_EQ(mServices.TakeLog(), Log{kClickLogged}) << "nothing starts yet";
    ExpectProgressKept();
    ASSERT_NE(selection.mAreYouSure, nullptr);
    const AreYouSureMenu& question = *selection.mAreYouSure;
    EXPECT_TRUE(mManager.HasWidget(&question));
    EXPECT_EQ(question.GetRect(), Zest::Rect(0, 0, 800, 600));
    EXPECT_EQ(question.mOwner, &selection);

    ASSERT_EQ(question.mItems.size(), 2u);
    const MenuItem& yes = *question.mItems[0];
    const MenuItem& no = *question.mItems[1];
    const int buttonY = kQuestionY + 300;
    ExpectDialogButton(yes, "Yes", Zest::Rect(kQuestionX + 210, buttonY, kLargeButtonWidth, kLargeButtonHeight), 1.0f);
    ExpectDialogButton(no, "No", Zest::Rect(kQuestionX + 20, buttonY, kLargeButtonWidth, kLargeButtonHeight), -1.0f);
    EXPECT_EQ(yes.mOverlayPriority, 70);
    EXPECT_EQ(no.mOverlayPriority, 70);

    // The question lies over the selection's buttons: a click on Continue reaches nothing.
    Click(continueButton);
    EXPECT_EQ(mServices.TakeLog(), Log{});
    EXPECT_TRUE(mManager.HasWidget(&selection));
}

TEST_F(SelectGameMenuTest, YesClosesTheQuestionAndStartsANewAdventureFromResetProgress)
{
    GiveAnnProgress();
    SelectGameMenu& selection = OpenSelection();
    Click(*selection.mNewGameButton);
    ASSERT_NE(selection.mAreYouSure, nullptr);
    const AreYouSureMenu& question = *selection.mAreYouSure;
    mServices.TakeLog();

    Click(*question.mItems[0]);
    EXPECT_EQ(mServices.TakeLog(), (Log{kClickLogged, "start game 0 0"}));
    EXPECT_EQ(selection.mAreYouSure, nullptr);
    EXPECT_FALSE(mManager.HasWidget(&question));
    EXPECT_EQ(std::count(mServices.mDeferred.begin(), mServices.mDeferred.end(), &question), 1);
    ExpectSelectionClosed(selection);
    ExpectProgressReset();
}

TEST_F(SelectGameMenuTest, NoClosesOnlyTheQuestionAndTheSelectionTakesClicksAsBefore)
{
    GiveAnnProgress();
    SelectGameMenu& selection = OpenSelection();
    Click(*selection.mNewGameButton);
    ASSERT_NE(selection.mAreYouSure, nullptr);
    const AreYouSureMenu& question = *selection.mAreYouSure;
    mServices.TakeLog();

    Click(*question.mItems[1]);
    EXPECT_EQ(mServices.TakeLog(), Log{kClickLogged});
    EXPECT_EQ(selection.mAreYouSure, nullptr);
    EXPECT_FALSE(mManager.HasWidget(&question));
    EXPECT_EQ(std::count(mServices.mDeferred.begin(), mServices.mDeferred.end(), &question), 1);
    EXPECT_EQ(mMenu->mSelectGameMenu, &selection);
    EXPECT_TRUE(mManager.HasWidget(selection.mContinueButton));
    EXPECT_FALSE(ItemsShown(*mMenu));
    EXPECT_TRUE(selection.mStartGame) << "the choice stays, yet nothing starts";
    ExpectProgressKept();

    Click(*selection.mContinueButton);
    EXPECT_EQ(mServices.TakeLog(), (Log{kClickLogged, "start game 1 1"}));
    ExpectProgressKept();
}

TEST_F(SelectGameMenuTest, AnOpenQuestionLeavesWithTheSelection)
{
    GiveAnnProgress();
    SelectGameMenu& selection = OpenSelection();
    Click(*selection.mNewGameButton);
    ASSERT_NE(selection.mAreYouSure, nullptr);
    const AreYouSureMenu* const question = selection.mAreYouSure;
    const MenuItem* const yes = question->mItems[0];

    mMenu->CloseSelectGameMenu();
    EXPECT_FALSE(mManager.HasWidget(question));
    EXPECT_FALSE(mManager.HasWidget(yes));
    EXPECT_EQ(std::count(mServices.mDeferred.begin(), mServices.mDeferred.end(), question), 1);
    EXPECT_EQ(selection.mAreYouSure, nullptr);
}

// ---------------------------------------------------------------------------------------
// Drawing

struct SelectionScanLineCase {
    const char* mName;
    bool mScanLines;
    bool mQuestionOpen;
    Color mOutside;
};

TEST_F(SelectGameMenuTest, TheSelectionDarkensTheScreenUnderItsPanelAndTitleAndLeavesScanLinesToAnOpenQuestion)
{
    GiveAnnProgress();
    SelectGameMenu& selection = OpenSelection();
    // Grey 71 under white scan lines at alpha 64: 71 + (200 - 71) x 64 / 255.
    const SelectionScanLineCase cases[] = {
        {"scan lines off", false, false, kShadedGrey},
        {"scan lines on", true, false, Color(103, 103, 103)},
        {"scan lines on under the question", true, true, kShadedGrey},
    };
    for (const SelectionScanLineCase& test : cases) {
        SCOPED_TRACE(test.mName);
        GameOptionsHolder::Instance().mScanLines = test.mScanLines;
        if (test.mQuestionOpen)
            selection.OpenAreYouSure();
        FillScreen(kBehindGrey);
        mLabelFont.mRuns.clear();
        Zest::Graphics g(&mScreen);
        g.Translate(selection.mX, selection.mY);
        selection.DrawOverlay(&g);
        if (test.mQuestionOpen)
            selection.CloseAreYouSure();

        EXPECT_TRUE(ShowsColor(test.mOutside, Pixel(10, 10)));
        EXPECT_TRUE(ShowsColor(test.mScanLines && !test.mQuestionOpen ? Color(215, 200, 170) : Color(220, 200, 160),
                               Pixel(kPanelX + 200, kPanelY + 300)))
            << "the panel picture";
        ExpectPanelTitle(mLabelFont, "Adventure", kSubmenuWidth);
    }
}

TEST_F(SelectGameMenuTest, TheQuestionDrawsItsPanelTitleAndQuestionOverADarkerScreen)
{
    GiveAnnProgress();
    SelectGameMenu& selection = OpenSelection();
    selection.OpenAreYouSure();
    AreYouSureMenu& question = *selection.mAreYouSure;
    FillScreen(kBehindGrey);
    mLabelFont.mRuns.clear();
    Zest::Graphics g(&mScreen);
    question.DrawOverlay(&g);

    EXPECT_TRUE(ShowsColor(Color(50, 50, 50), Pixel(10, 10))) << "grey 100 darkened at alpha 128";
    EXPECT_TRUE(ShowsColor(Color(180, 220, 180), Pixel(kQuestionX + 100, kQuestionY + 250))) << "the panel picture";

    // The title centred in the panel's width, then the question word-wrapped and centred in
    // the text colour below it.
    ASSERT_EQ(mLabelFont.mRuns.size(), 3u);
    const int titleX = kQuestionX + (kTutorialWidth - 50) / 2;
    EXPECT_EQ(mLabelFont.mRuns[0].mText, "Sure?");
    EXPECT_EQ(mLabelFont.mRuns[0].mX, titleX + 1);
    EXPECT_EQ(mLabelFont.mRuns[0].mY, kQuestionY + 36);
    EXPECT_EQ(mLabelFont.mRuns[1].mX, titleX);
    EXPECT_EQ(mLabelFont.mRuns[1].mY, kQuestionY + 35);
    EXPECT_EQ(mLabelFont.mRuns[1].mColor, Color(0, 130, 49));
    const RunRecordingFont::Run& text = mLabelFont.mRuns[2];
    EXPECT_EQ(text.mText, "Your progress will be lost.");
    EXPECT_EQ(text.mColor, kTestTextColor);
    EXPECT_EQ(text.mX, kQuestionX + 20 + (kTutorialWidth - 40 - 270) / 2);
    EXPECT_GT(text.mY, kQuestionY + 100);
    EXPECT_LT(text.mY, kQuestionY + 200);
}

} // namespace
} // namespace Tests
