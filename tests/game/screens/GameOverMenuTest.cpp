#include "game/screens/GameOverMenu.h"

#include "framework/graphics/Graphics.h"
#include "game/GameOptions.h"
#include "game/HighScores.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/screens/GameOverHost.h"
#include "game/screens/MenuItem.h"
#include "tests/game/play/PlayRecorders.h"
#include "tests/game/screens/ProfileScreenTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace Tests {
namespace {

using Zest::Color;

// The game the screen ends: every call is logged, the save with the score the profile holds
// at that moment. Closing deletes the screen at once, so that a screen touching itself after
// it asked to be closed shows under the address sanitizer.
class RecordingGameOverHost : public GameOverHost {
public:
    RecordingGameOverHost(Log& log, Zest::WidgetManager& manager) : mLog(log), mManager(manager) {}

    PlayerProfile* GetCurrentProfile() const override { return &mProfile; }
    bool SaveProfiles() override
    {
        mLog.push_back("save profiles, score " + std::to_string(mProfile.mScore));
        return true;
    }
    void CloseGameOver() override
    {
        mLog.push_back("close");
        ASSERT_NE(mScreen, nullptr);
        mManager.RemoveWidget(mScreen);
        delete mScreen;
        mScreen = nullptr;
    }
    void RemoveGameSession() override { mLog.push_back("remove session"); }
    void ReturnToMainMenu() override { mLog.push_back("main menu"); }
    void ShowHighScores(const int32_t highlightRow) override
    {
        mLog.push_back("high scores, row " + std::to_string(highlightRow));
    }

    mutable PlayerProfile mProfile{"Ann"};
    // In the manager until closed.
    GameOverMenu* mScreen = nullptr;

private:
    Log& mLog;
    Zest::WidgetManager& mManager;
};

// A screen that also records its fills, in their colour.
class FillRecordingScreen : public RecordingScreen {
public:
    FillRecordingScreen() : RecordingScreen(800, 600) {}

    void FillRect(const Zest::Rect& rect, const Color& color, int) override { mFills.push_back({rect, color}); }

    struct Fill {
        Zest::Rect mRect;
        Color mColor;
    };
    std::vector<Fill> mFills;
};

// The eight letters' sizes, G A M E O V E R: their widths differ, so that each letter must
// be laid out by its own, and some heights are odd, so that their halving shows.
constexpr std::array<std::array<int, 2>, GameOverMenu::kLetterCount> kLetterSizes = {{
    {50, 60}, {46, 61}, {60, 62}, {40, 63}, {52, 60}, {48, 65}, {40, 58}, {44, 61},
}};
// Where those letters stand across the screen, whatever the update count.
constexpr std::array<float, GameOverMenu::kLetterCount> kLetterX = {160, 222, 240, 320, 400, 448, 480, 532};

// The screen on the dialogs' stand-ins with the letters and a default high-score list,
// opened as the game opens it: over the whole screen. The high-score list of the process is
// left as the test found it.
class GameOverMenuTest : public ProfileScreenTest {
protected:
    void SetUp() override
    {
        mSavedScores = HighScoreStoreHolder::Instance();
        ProfileScreenTest::SetUp();
        for (int i = 0; i < GameOverMenu::kLetterCount; ++i) {
            mLetters.push_back(SolidImage(&mApp, kLetterSizes[i][0], kLetterSizes[i][1], Color::White));
            LetterVariable(i) = mLetters.back().get();
        }
    }

    void TearDown() override
    {
        Dismiss();
        for (int i = 0; i < GameOverMenu::kLetterCount; ++i)
            LetterVariable(i) = nullptr;
        ProfileScreenTest::TearDown();
        HighScoreStoreHolder::Instance() = mSavedScores;
    }

    static Zest::Image*& LetterVariable(const int i)
    {
        Zest::Image** const variables[] = {&IMAGE_GAME_LETTER_G, &IMAGE_GAME_LETTER_A,  &IMAGE_GAME_LETTER_M,
                                           &IMAGE_GAME_LETTER_E1, &IMAGE_GAME_LETTER_O, &IMAGE_GAME_LETTER_V,
                                           &IMAGE_GAME_LETTER_E2, &IMAGE_GAME_LETTER_R};
        return *variables[i];
    }

    // A screen the game did not close is still the test's.
    void Dismiss()
    {
        if (mGame.mScreen == nullptr)
            return;
        mManager.RemoveWidget(mGame.mScreen);
        delete mGame.mScreen;
        mGame.mScreen = nullptr;
    }

    GameOverMenu& Open()
    {
        auto* const screen = new GameOverMenu(&mGame, &mTextStyle);
        screen->Resize(0, 0, 800, 600);
        mManager.AddWidget(screen);
        mGame.mScreen = screen;
        return *screen;
    }

    const FillRecordingScreen& DrawOverlay(GameOverMenu& screen)
    {
        mRecording = std::make_unique<FillRecordingScreen>();
        Zest::Graphics g(mRecording.get());
        screen.DrawOverlay(&g);
        return *mRecording;
    }

    RecordingGameOverHost mGame{mServices.mLog, mManager};
    std::vector<std::unique_ptr<Zest::MemoryImage>> mLetters;
    std::unique_ptr<FillRecordingScreen> mRecording;
    HighScoreStore mSavedScores;
};

TEST_F(GameOverMenuTest, DoneIsAMirroredButtonAtTheBottomThatTakesAClickAtOnce)
{
    GameOverMenu& screen = Open();
    ASSERT_EQ(screen.mItems.size(), 1u);
    ASSERT_EQ(screen.mDoneButton, screen.mItems[0]);
    ExpectDialogButton(*screen.mDoneButton, "Done", Zest::Rect(300, 540, 200, 50), -1.0f);
    EXPECT_EQ(screen.mDoneButton->mOverlayPriority, GameOverMenu::kButtonPriority);

    Click(*screen.mDoneButton);
    EXPECT_EQ(mGame.mScreen, nullptr) << "Done acted before any update";
}

TEST_F(GameOverMenuTest, TheButtonLeavesWithTheScreen)
{
    GameOverMenu& screen = Open();
    MenuItem* const button = screen.mDoneButton;
    mManager.RemoveWidget(&screen);
    EXPECT_EQ(screen.mDoneButton, nullptr);
    EXPECT_TRUE(screen.mItems.empty());
    EXPECT_FALSE(mManager.HasWidget(button));
    ASSERT_EQ(mServices.mDeferred, std::vector<Zest::Widget*>{button}) << "deleted after the update";
    delete mGame.mScreen;
    mGame.mScreen = nullptr;
}

struct LetterCase {
    int mUpdates;
    int mCount;
    int mLetterAlpha;
    // The darkening's alpha; none is drawn at 0.
    int mShadeAlpha;
    std::array<float, GameOverMenu::kLetterCount> mY;
};

// The even letters come down from y 100 and the odd ones up from y 500, their centres
// meeting on y 300 after 200 updates; the count stops one update later.
TEST_F(GameOverMenuTest, TheLettersComeTogetherAsTheGameBehindDarkens)
{
    const LetterCase cases[] = {
        {0, 0, 0, 0, {70, 470, 69, 469, 70, 468, 71, 470}},
        {100, 100, 127, 100, {170, 370, 169, 369, 170, 368, 171, 370}},
        {200, 200, 255, 200, {270, 270, 269, 269, 270, 268, 271, 270}},
        {201, 201, 255, 201, {271, 269, 270, 268, 271, 267, 272, 269}},
        {300, 201, 255, 201, {271, 269, 270, 268, 271, 267, 272, 269}},
    };
    GameOverMenu& screen = Open();
    int updates = 0;
    for (const LetterCase& test : cases) {
        SCOPED_TRACE("after " + std::to_string(test.mUpdates) + " updates");
        for (; updates < test.mUpdates; ++updates)
            mManager.UpdateFrameSmooth(1.0f);
        EXPECT_EQ(screen.mUpdateCount, test.mCount);

        const FillRecordingScreen& drawn = DrawOverlay(screen);
        if (test.mShadeAlpha == 0) {
            EXPECT_TRUE(drawn.mFills.empty());
        } else {
            ASSERT_EQ(drawn.mFills.size(), 1u);
            EXPECT_EQ(drawn.mFills[0].mRect, Zest::Rect(0, 0, 800, 600));
            EXPECT_EQ(drawn.mFills[0].mColor, Color(0, 0, 0, test.mShadeAlpha));
        }
        ASSERT_EQ(drawn.mBlits.size(), 8u) << "the letters and no scan lines";
        for (int i = 0; i < GameOverMenu::kLetterCount; ++i) {
            SCOPED_TRACE("letter " + std::to_string(i));
            const Blit& letter = drawn.mBlits[i];
            EXPECT_EQ(letter.mSource, mLetters[i].get());
            EXPECT_EQ(letter.mX, kLetterX[i]);
            EXPECT_EQ(letter.mY, test.mY[i]);
            EXPECT_EQ(letter.mColor, Color(255, 255, 255, test.mLetterAlpha));
        }
    }
}

TEST_F(GameOverMenuTest, TheScanLinesLieOverTheLettersWhenTheOptionsAskForThem)
{
    GameOptionsHolder::Instance().mScanLines = true;
    const FillRecordingScreen& drawn = DrawOverlay(Open());
    ASSERT_EQ(drawn.mBlits.size(), 9u);
    const Blit& lines = drawn.mBlits.back();
    EXPECT_EQ(lines.mSource, mScanLines.get());
    EXPECT_EQ(lines.mX, 0.0f);
    EXPECT_EQ(lines.mY, 0.0f);
    EXPECT_EQ(lines.mColor, Color(200, 200, 200, 64));
}

struct DoneCase {
    const char* mName;
    int32_t mScore;
    // -1: the score does not enter the list.
    int32_t mEnteredRow;
};

// The default list runs from 550 down to 100 in steps of 50.
TEST_F(GameOverMenuTest, DoneOffersTheScoreResetsTheAdventureAndEndsTheGame)
{
    const DoneCase cases[] = {
        {"a score between two rows enters between them", 520, 1},
        {"a score equal to a row enters below it", 500, 2},
        {"the best score enters on top", 9000, 0},
        {"a score equal to the last row stays out", 100, -1},
        {"a lower score stays out", 20, -1},
    };
    for (const DoneCase& test : cases) {
        SCOPED_TRACE(test.mName);
        HighScoreStoreHolder::Instance() = HighScoreStore();
        const HighScoreList before = HighScoreStoreHolder::Instance().GetScores();
        PlayerProfile& profile = mGame.mProfile;
        profile = PlayerProfile("Ann");
        profile.mScore = test.mScore;
        profile.mNextLevel = 2;
        profile.mHabitatsStarted = 3;
        profile.mAwards[4] = true;
        profile.mStats.mTilesTaken = 7;
        profile.mStats.mCollectorCombos = 5;

        const MenuItem& done = *Open().mDoneButton;
        mServices.TakeLog();
        Click(done);

        Log expected{kClickLogged, "save profiles, score 0", "close", "remove session", "main menu"};
        if (test.mEnteredRow != -1)
            expected.push_back("high scores, row " + std::to_string(test.mEnteredRow));
        EXPECT_EQ(mServices.TakeLog(), expected);

        const HighScoreList& after = HighScoreStoreHolder::Instance().GetScores();
        HighScoreList expectedRows = before;
        if (test.mEnteredRow != -1) {
            expectedRows.insert(expectedRows.begin() + test.mEnteredRow, HighScoreEntry("Ann", 2, test.mScore));
            expectedRows.pop_back();
        }
        EXPECT_EQ(after, expectedRows);

        // The adventure starts over; the awards and the feat counters stay.
        EXPECT_EQ(profile.mScore, 0);
        EXPECT_EQ(profile.mNextLevel, -1);
        EXPECT_EQ(profile.mHabitatsStarted, 0);
        EXPECT_EQ(profile.mStats.mTilesTaken, 0);
        EXPECT_EQ(profile.mStats.mCollectorCombos, 5);
        EXPECT_TRUE(profile.mAwards[4]);
        Dismiss();
    }
}

} // namespace
} // namespace Tests
