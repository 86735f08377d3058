#include "game/screens/HighScoresDisplayWidget.h"

#include "game/HighScores.h"
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

constexpr size_t kScoreListIndex = 4;
// One label-font height (16) and 2 between the rows' baselines.
constexpr int kRowStep = 18;

const Color kHighlightRed(155, 0, 0);

// The main menu with Ann current and its buttons faded in, so that they take clicks.
class HighScoresDisplayTest : public ProfileScreenTest {
protected:
    void SetUp() override
    {
        ProfileScreenTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(mMenu = ShowClickableMainMenu());
    }

    HighScoresDisplayWidget& OpenFromScoreList()
    {
        Click(*mMenu->mItems[kScoreListIndex]);
        EXPECT_NE(mMenu->mHighScores, nullptr);
        return *mMenu->mHighScores;
    }

    // The table drawn as the manager draws it, in its own coordinates, over a grey screen.
    std::vector<RunRecordingFont::Run> DrawTable(HighScoresDisplayWidget& table)
    {
        FillScreen(kBehindGrey);
        mLabelFont.mRuns.clear();
        Zest::Graphics g(&mScreen);
        g.Translate(table.mX, table.mY);
        table.Draw(&g);
        return mLabelFont.mRuns;
    }

    MainMenu* mMenu = nullptr;
};

// ---------------------------------------------------------------------------------------
// Opening and closing

TEST_F(HighScoresDisplayTest, ScoreListHidesTheMenuAndOpensTheTableFadingInWithASteadyBackButton)
{
    HighScoresDisplayWidget& table = OpenFromScoreList();
    EXPECT_EQ(mServices.TakeLog(), Log{kClickLogged});
    for (const MenuItem* const item : mMenu->mItems) {
        SCOPED_TRACE(item->mLabel);
        EXPECT_FALSE(item->mVisible);
        EXPECT_EQ(item->mClickSound, -1);
    }

    EXPECT_TRUE(mManager.HasWidget(&table));
    EXPECT_EQ(table.GetRect(), Zest::Rect(kPanelX, kPanelY, kSubmenuWidth, kSubmenuHeight));
    EXPECT_EQ(table.mOwner, mMenu);
    EXPECT_EQ(table.mAlpha, 0.0f);
    EXPECT_EQ(table.mFadeState, FADE_IN);
    EXPECT_EQ(table.mHighlightRow, -1);

    ASSERT_EQ(table.mItems.size(), 1u);
    const MenuItem& back = *table.mItems[0];
    EXPECT_EQ(table.mBackButton, &back);
    ExpectDialogButton(back, "Back", Zest::Rect(kDialogButtonX, kPanelY + kSubmenuHeight - 80, 200, 50), -1.0f);
    EXPECT_EQ(back.mOverlayPriority, 51) << "above the table, below the scan lines";

    // A second request while the table is open changes nothing.
    const size_t widgets = mManager.mWidgets.size();
    mMenu->ShowHighScores();
    EXPECT_EQ(mMenu->mHighScores, &table);
    EXPECT_EQ(mManager.mWidgets.size(), widgets);
    EXPECT_EQ(table.mItems.size(), 1u);

    for (int i = 0; i < 100; ++i)
        mManager.UpdateFrameSmooth(1.0f);
    EXPECT_EQ(table.mAlpha, 255.0f);
    EXPECT_EQ(table.mFadeState, FADE_NONE);
}

TEST_F(HighScoresDisplayTest, BackClosesTheTableAndTheMenuButtonsFadeInAgain)
{
    HighScoresDisplayWidget* const table = &OpenFromScoreList();
    MenuItem* const back = table->mBackButton;
    mServices.TakeLog();

    // The back button is steady, so it takes a click while the table still fades in.
    Click(*back);
    EXPECT_EQ(mServices.TakeLog(), Log{kClickLogged});
    EXPECT_EQ(mMenu->mHighScores, nullptr);
    EXPECT_FALSE(mManager.HasWidget(table));
    EXPECT_FALSE(mManager.HasWidget(back));
    EXPECT_EQ(mServices.mDeferred, (std::vector<Zest::Widget*>{back, table}));
    EXPECT_TRUE(ItemsShown(*mMenu));
    for (const MenuItem* const item : mMenu->mItems) {
        EXPECT_EQ(item->mFadeState, FADE_IN);
        EXPECT_EQ(item->mClickSound, kActionSound);
    }

    // Closing again does nothing, and the Score list opens a new table.
    mMenu->CloseHighScores();
    EXPECT_EQ(mServices.mDeferred.size(), 2u);
    ASSERT_NO_FATAL_FAILURE(FadeIn(*mMenu));
    OpenFromScoreList();
    EXPECT_TRUE(mManager.HasWidget(mMenu->mHighScores));
}

// ---------------------------------------------------------------------------------------
// Drawing

TEST_F(HighScoresDisplayTest, EachRowShowsRankNameAndScoreOnItsBaselineAtTheTablesOpacity)
{
    HighScoreStoreHolder::Instance().Insert("Zoe", 9, 9000);
    HighScoreStoreHolder::Instance().Insert("", 2, 600);
    const HighScoreList scores = HighScoreStoreHolder::Instance().GetScores();
    HighScoresDisplayWidget& table = OpenFromScoreList();
    table.mAlpha = 100.7f;
    const std::vector<RunRecordingFont::Run> runs = DrawTable(table);

    // The darkened screen, the panel and the title at full strength.
    EXPECT_TRUE(ShowsColor(kShadedGrey, Pixel(5, 5)));
    EXPECT_TRUE(ShowsColor(kShadedGrey, Pixel(795, 595)));
    EXPECT_TRUE(ShowsColor(Color(220, 200, 160), Pixel(kPanelX + 5, kPanelY + 5)));
    ASSERT_EQ(runs.size(), 2u + 3u * 10u);
    const int titleX = (kSubmenuWidth - 40) / 2;
    EXPECT_EQ(runs[0].mText, "Best");
    EXPECT_EQ(runs[0].mX, titleX + 1);
    EXPECT_EQ(runs[0].mY, 36);
    EXPECT_EQ(runs[0].mColor, Color::White);
    EXPECT_EQ(runs[1].mX, titleX);
    EXPECT_EQ(runs[1].mY, 35);
    EXPECT_EQ(runs[1].mColor, Color(0, 130, 49));

    // Rows in store order; an empty name still gets its run, and the level is not shown.
    ASSERT_EQ(scores[0].name, "Zoe");
    ASSERT_EQ(scores[1].name, "");
    const Color rowColor(kTestTextColor.mRed, kTestTextColor.mGreen, kTestTextColor.mBlue, 100);
    for (int row = 0; row < 10; ++row) {
        SCOPED_TRACE(row);
        const std::string rank = std::to_string(row + 1);
        const int baseline = 100 + row * kRowStep;
        const RunRecordingFont::Run* const run = &runs[2 + 3 * static_cast<size_t>(row)];
        EXPECT_EQ(run[0].mText, rank);
        EXPECT_EQ(run[0].mX, 30 + (25 - 10 * static_cast<int>(rank.size())) / 2) << "centred in 25 from x 30";
        EXPECT_EQ(run[1].mText, scores[static_cast<size_t>(row)].name);
        EXPECT_EQ(run[1].mX, 70);
        EXPECT_EQ(run[2].mText, std::to_string(scores[static_cast<size_t>(row)].score));
        EXPECT_EQ(run[2].mX, 255);
        for (int column = 0; column < 3; ++column) {
            EXPECT_EQ(run[column].mY, baseline);
            EXPECT_EQ(run[column].mColor, rowColor);
        }
    }
}

TEST_F(HighScoresDisplayTest, OnlyAHighlightRowWithinTheTableIsDrawnInDarkRed)
{
    HighScoresDisplayWidget& table = OpenFromScoreList();
    table.mAlpha = 200.0f;
    for (const int highlight : {-1, 0, 3, 9, 10}) {
        SCOPED_TRACE(highlight);
        table.mHighlightRow = highlight;
        const std::vector<RunRecordingFont::Run> runs = DrawTable(table);
        ASSERT_EQ(runs.size(), 32u);
        for (int row = 0; row < 10; ++row) {
            const Color& base = row == highlight ? kHighlightRed : kTestTextColor;
            const Color expected(base.mRed, base.mGreen, base.mBlue, 200);
            for (size_t column = 0; column < 3; ++column)
                EXPECT_EQ(runs[2 + 3 * static_cast<size_t>(row) + column].mColor, expected) << "row " << row;
        }
    }
}

// ---------------------------------------------------------------------------------------
// The main menu leaving with the table open

TEST_F(HighScoresDisplayTest, DeletingTheMenuWithTheTableOpenQueuesTheTableForDeletion)
{
    auto menu = MakeMainMenu();
    menu->Resize(0, 0, 800, 600);
    mManager.AddWidget(menu.get());
    menu->ShowHighScores();
    HighScoresDisplayWidget* const table = menu->mHighScores;
    MenuItem* const back = table->mBackButton;

    mManager.RemoveWidget(menu.get());
    menu.reset();
    EXPECT_FALSE(mManager.HasWidget(table));
    EXPECT_FALSE(mManager.HasWidget(back));
    const std::vector<Zest::Widget*>& deferred = mServices.mDeferred;
    EXPECT_EQ(std::count(deferred.begin(), deferred.end(), table), 1);
    EXPECT_EQ(std::count(deferred.begin(), deferred.end(), back), 1);
}

TEST_F(HighScoresDisplayTest, TakingTheMenuOffTheScreenTakesTheTableWithIt)
{
    HighScoresDisplayWidget* const table = &OpenFromScoreList();
    MenuItem* const back = table->mBackButton;

    mManager.RemoveWidget(mMenu);
    EXPECT_EQ(mMenu->mHighScores, nullptr);
    EXPECT_FALSE(mManager.HasWidget(table));
    EXPECT_FALSE(mManager.HasWidget(back));
    const std::vector<Zest::Widget*>& deferred = mServices.mDeferred;
    EXPECT_EQ(std::count(deferred.begin(), deferred.end(), table), 1);
}

} // namespace
} // namespace Tests
