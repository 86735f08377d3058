#include "game/screens/SelectProfile.h"

#include "framework/widgets/ListWidget.h"
#include "framework/widgets/ScrollbarWidget.h"
#include "game/screens/MenuItem.h"
#include "tests/game/screens/ProfileScreenTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Tests {
namespace {

using Zest::Color;
using Lines = std::vector<std::string>;

// The list is centred in the panel, 160 below its top.
constexpr int kListX = kPanelX + (kSubmenuWidth - 200) / 2;
constexpr int kListY = kPanelY + 160;
// Rows start 4 pixels inside the list, one label-font height (16) each.
constexpr int kRowHeight = 16;

// Ann, Bob and Cy, Cy current, with the main menu's buttons hidden behind the dialog as the
// change-profile button leaves them.
class SelectProfileTest : public ProfileScreenTest {
protected:
    void SetUp() override
    {
        ProfileScreenTest::SetUp();
        AddProfiles();
        mMenu = ShowMainMenu();
        mMenu->DisableItems();
        mSelection = OpenSelectProfile();
    }

    void AddProfiles()
    {
        mProfileHost.mProfiles = ProfileStore();
        for (const char* const name : {"Ann", "Bob", "Cy"})
            mProfileHost.mProfiles.AddProfile(std::make_unique<PlayerProfile>(name));
    }

    Zest::ListWidget& List() { return *mSelection->mProfileList; }
    MenuItem& Done() { return *mSelection->mItems[0]; }
    MenuItem& Delete() { return *mSelection->mItems[1]; }
    MenuItem& CreateNew() { return *mSelection->mItems[2]; }

    void ClickRow(const int row, const int clickCount = 1)
    {
        const int x = kListX + 100;
        const int y = kListY + 4 + row * kRowHeight + kRowHeight / 2;
        mManager.MouseMove(x, y);
        mManager.MouseDown(x, y, clickCount);
        mManager.MouseUp(x, y, clickCount);
    }

    MainMenu* mMenu = nullptr;
    SelectProfile* mSelection = nullptr;
};

// ---------------------------------------------------------------------------------------
// The dialog

TEST_F(SelectProfileTest, TheListWithItsScrollBarSitsMidPanelBetweenThreeCentredButtons)
{
    EXPECT_EQ(mSelection->GetRect(), Zest::Rect(kPanelX, kPanelY, kSubmenuWidth, kSubmenuHeight));

    Zest::ListWidget& list = List();
    EXPECT_TRUE(mManager.HasWidget(&list)) << "beside the dialog, not inside it";
    EXPECT_EQ(list.GetRect(), Zest::Rect(kListX, kListY, 200, 140));
    EXPECT_EQ(list.mId, SelectProfile::kListId);
    EXPECT_EQ(list.mFont, &mLabelFont);
    EXPECT_EQ(list.mListListener, mSelection);
    EXPECT_EQ(list.mLineAlign, 1) << "centred rows";
    EXPECT_TRUE(list.mDrawOutline);
    EXPECT_TRUE(list.mSelectBarOnHilite);
    const Color colors[] = {Color(105, 80, 10), Color(255, 155, 0), Color(0, 0, 0),
                            Color(255, 155, 0), Color(60, 18, 0),   Color(255, 155, 0)};
    for (int role = 0; role < 6; ++role)
        EXPECT_EQ(list.GetColor(role), colors[role]) << "colour " << role;

    Zest::ScrollbarWidget& scrollbar = *mSelection->mProfileScrollbar;
    EXPECT_TRUE(mManager.HasWidget(&scrollbar));
    EXPECT_EQ(list.mScrollbar, &scrollbar);
    EXPECT_EQ(scrollbar.mScrollListener, &list);
    EXPECT_EQ(scrollbar.GetRect(), Zest::Rect(kListX + 200, kListY, 15, 140));
    EXPECT_TRUE(scrollbar.mVisible) << "shown with nothing to scroll";
    EXPECT_FALSE(scrollbar.mInvisIfNoScroll);

    ASSERT_EQ(mSelection->mItems.size(), 3u);
    ExpectDialogButton(Done(), "Done", Zest::Rect(kDialogButtonX, kPanelY + kSubmenuHeight - 80, 200, 50), 1.0f);
    ExpectDialogButton(Delete(), "Delete", Zest::Rect(kDialogButtonX, kPanelY + kSubmenuHeight - 130, 200, 50), -1.0f);
    ExpectDialogButton(CreateNew(), "New player", Zest::Rect(kDialogButtonX, kPanelY + 95, 200, 50), 1.0f);
}

TEST_F(SelectProfileTest, TheScreenIsDarkenedAroundThePanelAndItsTitle)
{
    FillScreen(kBehindGrey);
    Zest::Graphics g(&mScreen);
    g.Translate(mSelection->mX, mSelection->mY);
    mLabelFont.mRuns.clear();
    mSelection->Draw(&g);

    // (0, 0, 0, 75) over grey in every corner of the screen, and the panel picture.
    for (const auto& [x, y] : {std::pair{5, 5}, std::pair{795, 5}, std::pair{5, 595}, std::pair{795, 595}})
        EXPECT_TRUE(ShowsColor(kShadedGrey, Pixel(x, y))) << x << ", " << y;
    EXPECT_TRUE(ShowsColor(Color(220, 200, 160), Pixel(kPanelX + 5, kPanelY + 5)));
    EXPECT_TRUE(ShowsColor(Color(220, 200, 160), Pixel(kPanelX + 395, kPanelY + 475)));

    ExpectPanelTitle(mLabelFont, "Who plays?", kSubmenuWidth);
}

// ---------------------------------------------------------------------------------------
// Choosing

TEST_F(SelectProfileTest, OnOpeningRowZeroIsSelectedAndDoneWithoutAClickMakesItCurrent)
{
    EXPECT_EQ(List().mLines, (Lines{"Ann", "Bob", "Cy"})) << "in profile order";
    EXPECT_EQ(List().mSelectIndex, 0) << "though Cy is current";
    ASSERT_EQ(mProfileHost.mProfiles.GetCurrentIndex(), 2);
    EXPECT_EQ(mServices.TakeLog(), Log{"fill profile list"});

    Zest::ListWidget* const list = &List();
    Zest::ScrollbarWidget* const scrollbar = mSelection->mProfileScrollbar;
    const std::vector<MenuItem*> buttons = mSelection->mItems;
    Click(Done());
    EXPECT_EQ(mServices.TakeLog(), (Log{kClickLogged, "current profile 0", "close profile selection"}));
    EXPECT_EQ(mProfileHost.GetCurrentProfile()->mName, "Ann");
    EXPECT_TRUE(ItemsShown(*mMenu));
    EXPECT_EQ(mMenu->mItems[0]->mFadeState, FADE_IN) << "the main menu's buttons fade in again";
    EXPECT_EQ(mMenu->mItems[0]->mClickSound, kActionSound);

    // The dialog and everything it added wait for the deferred deletion.
    EXPECT_EQ(mNavigation.mSelectProfile, nullptr);
    const std::vector<Zest::Widget*> gone = {buttons[0], buttons[1], buttons[2], list, scrollbar, mSelection};
    EXPECT_EQ(mServices.mDeferred, gone);
    for (const Zest::Widget* const widget : gone)
        EXPECT_FALSE(mManager.HasWidget(widget));
}

TEST_F(SelectProfileTest, AClickOnARowOnlySelectsItAndDoneMakesThatProfileCurrent)
{
    mServices.TakeLog();
    ClickRow(1);
    ClickRow(1, 2);
    EXPECT_EQ(List().mSelectIndex, 1);
    EXPECT_EQ(mServices.TakeLog(), Log{}) << "nothing is applied before Done";
    EXPECT_EQ(mProfileHost.mProfiles.GetCurrentIndex(), 2);
    EXPECT_FALSE(ItemsShown(*mMenu));
    EXPECT_TRUE(mManager.HasWidget(mSelection));

    // Below the last row nothing is hit and the selection stays.
    ClickRow(5);
    EXPECT_EQ(List().mSelectIndex, 1);

    Click(Done());
    EXPECT_EQ(mServices.TakeLog(), (Log{kClickLogged, "current profile 1", "close profile selection"}));
    EXPECT_EQ(mProfileHost.GetCurrentProfile()->mName, "Bob");
}

TEST_F(SelectProfileTest, MoreProfilesThanFitScrollAndAClickSelectsTheRowUnderThePointer)
{
    mProfileHost.mProfiles = ProfileStore();
    for (int i = 0; i < 12; ++i)
        mProfileHost.mProfiles.AddProfile(std::make_unique<PlayerProfile>("P" + std::to_string(i)));
    mSelection->RefreshList();
    Zest::ScrollbarWidget& scrollbar = *mSelection->mProfileScrollbar;
    EXPECT_FALSE(scrollbar.mDisabled) << "132 pixels show 8.25 of the 12 rows";
    EXPECT_DOUBLE_EQ(scrollbar.mPageSize, 132.0 / kRowHeight);

    // Three steps down with the lower arrow, at the bar's foot.
    const int arrowX = kListX + 200 + 7;
    const int arrowY = kListY + 140 - 7;
    for (int step = 0; step < 3; ++step) {
        mManager.MouseMove(arrowX, arrowY);
        mManager.MouseDown(arrowX, arrowY, 1);
        mManager.MouseUp(arrowX, arrowY, 1);
    }
    ASSERT_DOUBLE_EQ(List().mScrollPosition, 3.0);
    ClickRow(0);
    EXPECT_EQ(List().mSelectIndex, 3);

    mServices.TakeLog();
    Click(Done());
    EXPECT_EQ(mServices.TakeLog(), (Log{kClickLogged, "current profile 3", "close profile selection"}));
}

struct DeleteCase {
    int mRow;
    Lines mLinesLeft;
    // What the application makes current: the deleted row's index while it still names a
    // profile, else the first.
    int mCurrent;
};

TEST_F(SelectProfileTest, DeleteRemovesTheSelectedProfileAtOnceAndSelectsRowZeroAgain)
{
    const DeleteCase cases[] = {
        {0, {"Bob", "Cy"}, 0},
        {1, {"Ann", "Cy"}, 1},
        {2, {"Ann", "Bob"}, 0},
    };
    for (const DeleteCase& test : cases) {
        SCOPED_TRACE(test.mRow);
        AddProfiles();
        mSelection->RefreshList();
        ClickRow(test.mRow);
        ASSERT_EQ(List().mSelectIndex, test.mRow);
        mServices.TakeLog();

        Click(Delete());
        EXPECT_EQ(mServices.TakeLog(),
                  (Log{kClickLogged, "delete profile " + std::to_string(test.mRow), "fill profile list"}));
        EXPECT_EQ(List().mLines, test.mLinesLeft);
        EXPECT_EQ(List().mSelectIndex, 0);
        EXPECT_EQ(mProfileHost.mProfiles.GetCurrentIndex(), test.mCurrent);
        EXPECT_TRUE(mManager.HasWidget(mSelection)) << "the dialog stays open";
        EXPECT_FALSE(ItemsShown(*mMenu));
    }
}

TEST_F(SelectProfileTest, ADoubleClickOnDeleteRemovesOnlyTheSelectedProfile)
{
    ClickRow(2);
    const MenuItem& remove = Delete();
    const int x = remove.mX + remove.mWidth / 2;
    const int y = remove.mY + remove.mHeight / 2;
    mManager.MouseMove(x, y);
    mManager.MouseDown(x, y, 1);
    mManager.MouseUp(x, y, 1);
    mManager.MouseDown(x, y, 2);
    mManager.MouseUp(x, y, 2);
    EXPECT_EQ(List().mLines, (Lines{"Ann", "Bob"})) << "the row selected after the first press stays";
    EXPECT_EQ(mProfileHost.mProfiles.GetProfileCount(), 2);
}

TEST_F(SelectProfileTest, DeleteWithNothingSelectedOrNoProfileLeftChangesNothing)
{
    List().SetSelect(-1);
    Click(Delete());
    EXPECT_EQ(List().mLines, (Lines{"Ann", "Bob", "Cy"}));
    EXPECT_EQ(mProfileHost.mProfiles.GetCurrentIndex(), 2);

    mProfileHost.mProfiles = ProfileStore();
    mSelection->RefreshList();
    ASSERT_TRUE(List().mLines.empty());
    Click(Delete());
    EXPECT_TRUE(List().mLines.empty());
    EXPECT_EQ(mProfileHost.mProfiles.GetProfileCount(), 0);
    EXPECT_EQ(mProfileHost.mProfiles.GetCurrentIndex(), -1);
    EXPECT_TRUE(mManager.HasWidget(mSelection));
}

TEST_F(SelectProfileTest, CreateNewAsksForTheNameEntryAndKeepsTheDialogOpen)
{
    mServices.TakeLog();
    Click(CreateNew());
    EXPECT_EQ(mServices.TakeLog(), (Log{kClickLogged, "show name entry"}));
    EXPECT_TRUE(mManager.HasWidget(mSelection));
    EXPECT_EQ(List().mLines.size(), 3u);
}

// ---------------------------------------------------------------------------------------
// Leaving the widget tree

TEST_F(SelectProfileTest, LeavingTheManagerTakesTheListScrollBarAndButtonsAlongForDeletion)
{
    Zest::ListWidget* const list = &List();
    Zest::ScrollbarWidget* const scrollbar = mSelection->mProfileScrollbar;
    const std::vector<MenuItem*> buttons = mSelection->mItems;

    mManager.RemoveWidget(mSelection);
    const std::vector<Zest::Widget*> gone = {buttons[0], buttons[1], buttons[2], list, scrollbar};
    EXPECT_EQ(mServices.mDeferred, gone);
    for (const Zest::Widget* const widget : gone)
        EXPECT_FALSE(mManager.HasWidget(widget));
    EXPECT_EQ(mSelection->mProfileList, nullptr);
    EXPECT_EQ(mSelection->mProfileScrollbar, nullptr);
    EXPECT_TRUE(mSelection->mItems.empty());

    // Nothing is queued twice when the dialog itself goes.
    delete mSelection;
    mNavigation.mSelectProfile = nullptr;
    EXPECT_EQ(mServices.mDeferred.size(), gone.size());
}

} // namespace
} // namespace Tests
