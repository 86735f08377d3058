#include "game/screens/LevelCompleteMenu.h"

#include "framework/graphics/Graphics.h"
#include "game/GameStats.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "game/StringTable.h"
#include "game/screens/LevelCompleteHost.h"
#include "game/screens/MenuItem.h"
#include "tests/game/play/PlayRecorders.h"
#include "tests/game/screens/ProfileScreenTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Tests {
namespace {

using Zest::Color;

constexpr int kCountingSound = 21;
constexpr int kStampDrySound = 22;
const std::string kCountingLogged = "sound " + std::to_string(kCountingSound);
const std::string kStampDryLogged = "sound " + std::to_string(kStampDrySound);

// The card, centred on the screen as the game opens it; the values' column ends 60 pixels
// inside its right edge.
constexpr int kCardWidth = 500;
constexpr int kCardHeight = 430;
constexpr int kCardX = (800 - kCardWidth) / 2;
constexpr int kCardY = (600 - kCardHeight) / 2;
constexpr int kRight = kCardWidth - 60;
// The stamp's cells; a matrix draw records the point the cell's centre lands on.
constexpr int kStampCellWidth = 40;
constexpr int kStampCellHeight = 30;
// The recording font's characters are 10 pixels wide.
constexpr int kCharWidth = 10;

// The statistics the report counts: the species (tiles taken), the chains, the longest chain
// and the mini-game's score.
GameStats MakeStats(const int32_t species, const int32_t chains, const int32_t longest, const int32_t miniGame)
{
    GameStats stats;
    stats.mTilesTaken = species;
    stats.mChainsMade = chains;
    stats.mLongestChain = longest;
    stats.mMiniGameScore = miniGame;
    return stats;
}

// The game whose level the report closes: every call is logged, the session's end and the
// save with what the profile holds at that moment. Closing deletes the report at once, so
// that a report touching itself after it asked to be closed shows under the address
// sanitizer.
class RecordingLevelCompleteHost : public LevelCompleteHost {
public:
    RecordingLevelCompleteHost(Log& log, Zest::WidgetManager& manager) : mLog(log), mManager(manager) {}

    void CloseLevelComplete() override
    {
        mLog.push_back("close");
        ASSERT_NE(mScreen, nullptr);
        mManager.RemoveWidget(mScreen);
        delete mScreen;
        mScreen = nullptr;
    }
    void AddScore(const int32_t points) override
    {
        mLog.push_back("add " + std::to_string(points));
        mScore += points;
    }
    int32_t GetLevelNumber() const override { return mLevel; }
    PlayerProfile* GetCurrentProfile() const override { return &mProfile; }
    bool SaveProfiles() override
    {
        mLog.push_back("save, " + ProfileNow());
        return true;
    }
    void RemoveGameSession() override { mLog.push_back("remove session, " + ProfileNow()); }
    void ShowReceivingAwardsScreen(const int32_t nextLevel) override
    {
        mLog.push_back("receiving awards " + std::to_string(nextLevel));
    }
    void SetupAnimatedWidget(AnimatedWidget& widget, Zest::Image* const image) const override
    {
        ::SetupAnimatedWidget(widget, image);
    }
    const TextStyleHost& GetTextStyle() const override { return mTextStyle; }

    mutable PlayerProfile mProfile{"Ann"};
    int32_t mLevel = 2;
    int32_t mScore = 0;
    // In the manager until closed.
    LevelCompleteMenu* mScreen = nullptr;

private:
    std::string ProfileNow() const
    {
        return "next level " + std::to_string(mProfile.mNextLevel) + ", chains " +
               std::to_string(mProfile.mStats.mChainsMade);
    }

    Log& mLog;
    Zest::WidgetManager& mManager;
    FakeTextStyleHost mTextStyle;
};

// The report on the dialogs' stand-ins with its card, signature and two-cell stamp, its
// texts and sounds.
class LevelCompleteMenuTest : public ProfileScreenTest {
protected:
    void SetUp() override
    {
        ProfileScreenTest::SetUp();
        IMAGE_GAME_SCORE_CARD = mCard.get();
        IMAGE_GAME_JANE_SIGNITURE = mSignature.get();
        IMAGE_GAME_EFFECTANIM_001 = mStamp.get();
        SOUND_NUMBER_COUNTING = kCountingSound;
        SOUND_STAMP_DRY = kStampDrySound;
        const char* const texts[][2] = {
            {"LABEL_SCIREPORT", "Report"},      {"LABEL_SPECIESCOLLECTED", "Species"},
            {"LABEL_COMBOSCREATES", "Chains"},  {"LABEL_BIGGESTCOMBO", "Longest"},
            {"LABEL_MINIGAMESCORE", "Bonus"},   {"LABEL_TOTALBONUS", "Total"},
            {"LBL_SIGNATURE", "Signed"},
        };
        for (const auto& text : texts)
            StringTableHolder::Instance().SetString(text[0], text[1]);
    }

    void TearDown() override
    {
        Dismiss();
        IMAGE_GAME_SCORE_CARD = IMAGE_GAME_JANE_SIGNITURE = IMAGE_GAME_EFFECTANIM_001 = nullptr;
        SOUND_NUMBER_COUNTING = SOUND_STAMP_DRY = 0;
        ProfileScreenTest::TearDown();
    }

    // A report the game did not close is still the test's.
    void Dismiss()
    {
        if (mGame.mScreen == nullptr)
            return;
        mManager.RemoveWidget(mGame.mScreen);
        delete mGame.mScreen;
        mGame.mScreen = nullptr;
    }

    LevelCompleteMenu& Open(const GameStats& stats)
    {
        mStats = stats;
        auto* const screen = new LevelCompleteMenu(&mGame, &mStats);
        screen->Resize(kCardX, kCardY, kCardWidth, kCardHeight);
        mManager.AddWidget(screen);
        mGame.mScreen = screen;
        return *screen;
    }

    // Fixed updates until the report is in that phase; false when it never got there.
    bool RunToPhase(const LevelCompleteMenu& screen, const int32_t phase)
    {
        for (int update = 0; update < 2000 && screen.mPhase != phase; ++update)
            mManager.UpdateFrame();
        return screen.mPhase == phase;
    }

    void RunUpdates(const int count)
    {
        for (int update = 0; update < count; ++update)
            mManager.UpdateFrame();
    }

    // The report's overlay on a recording screen, its texts in the label font's runs.
    const RecordingScreen& DrawOverlay(LevelCompleteMenu& screen)
    {
        mLabelFont.mRuns.clear();
        mDrawn = std::make_unique<RecordingScreen>(800, 600);
        Zest::Graphics g(mDrawn.get());
        screen.DrawOverlay(&g);
        return *mDrawn;
    }

    // The texts drawn on that baseline, in order.
    std::vector<RunRecordingFont::Run> RunsAt(const int y) const
    {
        std::vector<RunRecordingFont::Run> runs;
        for (const RunRecordingFont::Run& run : mLabelFont.mRuns) {
            if (run.mY == y)
                runs.push_back(run);
        }
        return runs;
    }

    // A row: its label from x 80, the count and factor ending at the card's middle plus 50,
    // the value ending one pixel left of the values' column.
    void ExpectRow(const int y, const std::string& label, const std::string& units, const std::string& value) const
    {
        SCOPED_TRACE("row at " + std::to_string(y));
        const std::vector<RunRecordingFont::Run> runs = RunsAt(y);
        ASSERT_EQ(runs.size(), 3u);
        EXPECT_EQ(runs[0].mText, label);
        EXPECT_EQ(runs[0].mX, 80);
        EXPECT_EQ(runs[1].mText, units);
        EXPECT_EQ(runs[1].mX, kCardWidth / 2 + 50 - kCharWidth * static_cast<int>(units.size()));
        EXPECT_EQ(runs[2].mText, value);
        EXPECT_EQ(runs[2].mX, kRight - 21 - kCharWidth * static_cast<int>(value.size()));
        for (const RunRecordingFont::Run& run : runs)
            EXPECT_EQ(run.mColor, kTestTextColor);
    }

    RecordingLevelCompleteHost mGame{mServices.mLog, mManager};
    GameStats mStats;
    std::unique_ptr<Zest::MemoryImage> mCard = SolidImage(&mApp, kCardWidth, kCardHeight, Color(240, 230, 200));
    std::unique_ptr<Zest::MemoryImage> mSignature = SolidImage(&mApp, 120, 40, Color(0, 0, 90));
    std::unique_ptr<Zest::MemoryImage> mStamp =
        StripImage(&mApp, kStampCellWidth, kStampCellHeight, {Color(200, 0, 0), Color(150, 0, 0)});
    std::unique_ptr<RecordingScreen> mDrawn;
};

struct TimelineCase {
    const char* mName;
    GameStats mStats;
    // Updates each row's count takes, and the counting sounds it plays, in row order.
    int mUpdates[4];
    int mSounds[4];
};

// Each row counts up by its step until it reaches its bonus, with the counting sound at
// every multiple of ten steps; then the signature slides in for 76 updates and the Done
// button comes with the stamp's sound on the next.
TEST_F(LevelCompleteMenuTest, TheRowsCountUpOneAfterTheOtherThenTheSignatureAndDoneFollow)
{
    const TimelineCase cases[] = {
        {"species 37 count to 40 in silence, chains 12 take one update, zeros one each",
         MakeStats(37, 12, 0, 0), {8, 1, 1, 1}, {0, 0, 0, 0}},
        {"every multiple of the sound step plays it", MakeStats(100, 100, 3, 600), {20, 5, 30, 12}, {2, 1, 3, 2}},
        {"a count past its bonus ends the row", MakeStats(1, 1, 1, 1), {1, 1, 10, 1}, {0, 0, 1, 0}},
    };
    const int32_t rowPhases[] = {LevelCompleteMenu::PHASE_SPECIES, LevelCompleteMenu::PHASE_CHAINS,
                                 LevelCompleteMenu::PHASE_LONGEST_CHAIN, LevelCompleteMenu::PHASE_MINI_GAME};
    for (const TimelineCase& test : cases) {
        SCOPED_TRACE(test.mName);
        LevelCompleteMenu& screen = Open(test.mStats);
        std::vector<int32_t> phases;
        std::map<int32_t, int> updates;
        std::map<int32_t, Log> sounds;
        for (int update = 0; update < 2000 && screen.mPhase != LevelCompleteMenu::PHASE_DONE_SHOWN; ++update) {
            const int32_t phase = screen.mPhase;
            if (phases.empty() || phases.back() != phase)
                phases.push_back(phase);
            ASSERT_EQ(screen.mDoneButton, nullptr) << "Done before the count ended";
            mManager.UpdateFrame();
            ++updates[phase];
            for (const std::string& sound : mServices.TakeLog())
                sounds[phase].push_back(sound);
        }
        EXPECT_EQ(phases, (std::vector<int32_t>{0, 1, 2, 6, 7, 8}));
        for (int row = 0; row < 4; ++row) {
            SCOPED_TRACE("row " + std::to_string(row + 1));
            EXPECT_EQ(updates[rowPhases[row]], test.mUpdates[row]);
            EXPECT_EQ(sounds[rowPhases[row]], Log(test.mSounds[row], kCountingLogged));
        }
        EXPECT_EQ(updates[LevelCompleteMenu::PHASE_SIGNATURE], 76);
        EXPECT_TRUE(sounds[LevelCompleteMenu::PHASE_SIGNATURE].empty());
        EXPECT_EQ(updates[LevelCompleteMenu::PHASE_MAKE_DONE], 1);
        EXPECT_EQ(sounds[LevelCompleteMenu::PHASE_MAKE_DONE], Log{kStampDryLogged});
        ASSERT_EQ(screen.mPhase, LevelCompleteMenu::PHASE_DONE_SHOWN);
        ASSERT_NE(screen.mDoneButton, nullptr);

        // The report waits for Done: one button, no more sounds.
        RunUpdates(200);
        EXPECT_EQ(screen.mPhase, LevelCompleteMenu::PHASE_DONE_SHOWN);
        EXPECT_EQ(screen.mItems.size(), 1u);
        EXPECT_TRUE(mServices.TakeLog().empty());
        Dismiss();
    }
}

TEST_F(LevelCompleteMenuTest, BelowFullOpacityTheCountWaitsAndNoRowIsDrawn)
{
    LevelCompleteMenu& screen = Open(MakeStats(37, 12, 2, 30));
    screen.mAlpha = 254.9f;
    RunUpdates(100);
    EXPECT_EQ(screen.mPhase, LevelCompleteMenu::PHASE_SPECIES);
    EXPECT_EQ(screen.mCounter, 0);
    EXPECT_TRUE(mServices.TakeLog().empty());

    screen.mAlpha = 255.0f;
    RunUpdates(1);
    EXPECT_EQ(screen.mCounter, 5);
    ASSERT_TRUE(RunToPhase(screen, LevelCompleteMenu::PHASE_DONE_SHOWN));

    // Faded down again, the card shows its title but none of the rows or the total.
    screen.mAlpha = 200.0f;
    const RecordingScreen& drawn = DrawOverlay(screen);
    const Blit* const card = drawn.Find(mCard.get());
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->mColor, Color(255, 255, 255, 200));
    for (const int y : {160, 200, 240, 280})
        EXPECT_TRUE(RunsAt(y).empty()) << "row at " << y;
    ASSERT_EQ(RunsAt(110).size(), 1u);
    EXPECT_EQ(RunsAt(110)[0].mText, "Report");
}

struct RowsCase {
    const char* mName;
    // The phase reached and the updates run in it.
    int32_t mPhase;
    int mUpdates;
    // The value each row shows; empty for a hidden row.
    const char* mValues[4];
};

// Species 37, chains 12, no longest chain, mini-game 30: a row appears once its count has
// begun, counts up to its bonus and not past it, and a zero row never shows.
TEST_F(LevelCompleteMenuTest, EachRowShowsItsCountUpToItsBonusAndAZeroRowStaysHidden)
{
    const RowsCase cases[] = {
        {"nothing counted yet", LevelCompleteMenu::PHASE_SPECIES, 0, {"", "", "", ""}},
        {"species counting", LevelCompleteMenu::PHASE_SPECIES, 3, {"15 pts", "", "", ""}},
        {"species counted to their bonus", LevelCompleteMenu::PHASE_CHAINS, 0, {"37 pts", "", "", ""}},
        {"the zero row's turn", LevelCompleteMenu::PHASE_LONGEST_CHAIN, 0, {"37 pts", "60 pts", "", ""}},
        {"the zero row passed", LevelCompleteMenu::PHASE_MINI_GAME, 0, {"37 pts", "60 pts", "", ""}},
        {"all counted", LevelCompleteMenu::PHASE_DONE_SHOWN, 0, {"37 pts", "60 pts", "", "60 pts"}},
    };
    const char* const labels[] = {"Species", "Chains", "Longest", "Bonus"};
    const char* const units[] = {"37 x 1", "12 x 5", "0 x 50", "30 x 2"};
    LevelCompleteMenu& screen = Open(MakeStats(37, 12, 0, 30));
    for (const RowsCase& test : cases) {
        SCOPED_TRACE(test.mName);
        ASSERT_TRUE(RunToPhase(screen, test.mPhase));
        RunUpdates(test.mUpdates);
        DrawOverlay(screen);
        for (int row = 0; row < 4; ++row) {
            const int y = 160 + 40 * row;
            if (std::string(test.mValues[row]).empty())
                EXPECT_TRUE(RunsAt(y).empty()) << "row " << row + 1 << " hidden";
            else
                ExpectRow(y, labels[row], units[row], test.mValues[row]);
        }
        const bool done = test.mPhase == LevelCompleteMenu::PHASE_DONE_SHOWN;
        EXPECT_EQ(RunsAt(340).empty(), !done) << "the total shows with Done";
    }

    // The total is the sum of the rows' values.
    const std::vector<RunRecordingFont::Run> total = RunsAt(340);
    ASSERT_EQ(total.size(), 2u);
    EXPECT_EQ(total[0].mText, "Total");
    EXPECT_EQ(total[0].mX, 80);
    EXPECT_EQ(total[1].mText, "157 pts");
    EXPECT_EQ(total[1].mX, kRight - 21 - 70);
    EXPECT_EQ(screen.GetTotalBonus(), 157);
}

struct StampCase {
    const char* mName;
    int32_t mPhase;
    // Updates run in the phase before the draw.
    int mUpdates;
    // The top-left corner of the stamp's cell on the card, none when it is not drawn.
    std::optional<std::pair<int, int>> mCorner;
};

// Species 5 (1 update), chains 400 (20 updates), longest chain 2 (20 updates), no mini-game:
// each finished row gets the stamp, which plays its two cells of 7 updates once and goes;
// the update that finished the row is the first of them.
TEST_F(LevelCompleteMenuTest, TheStampLandsOnEachFinishedRowAndBesideTheTotal)
{
    const StampCase cases[] = {
        {"nothing finished yet", LevelCompleteMenu::PHASE_SPECIES, 0, std::nullopt},
        {"species finished", LevelCompleteMenu::PHASE_CHAINS, 0, std::pair{kRight - 130, 95}},
        {"chains finished", LevelCompleteMenu::PHASE_LONGEST_CHAIN, 0, std::pair{kRight - 130, 135}},
        {"still stamping", LevelCompleteMenu::PHASE_LONGEST_CHAIN, 12, std::pair{kRight - 130, 135}},
        {"the stamp has played", LevelCompleteMenu::PHASE_LONGEST_CHAIN, 1, std::nullopt},
        {"longest chain finished", LevelCompleteMenu::PHASE_MINI_GAME, 0, std::pair{kRight - 130, 175}},
        {"the signature slides in", LevelCompleteMenu::PHASE_SIGNATURE, 0, std::nullopt},
        {"beside the total", LevelCompleteMenu::PHASE_DONE_SHOWN, 0, std::pair{kRight - 170, 365}},
        {"the last stamp has played", LevelCompleteMenu::PHASE_DONE_SHOWN, 13, std::nullopt},
    };
    LevelCompleteMenu& screen = Open(MakeStats(5, 400, 2, 0));
    for (const StampCase& test : cases) {
        SCOPED_TRACE(test.mName);
        ASSERT_TRUE(RunToPhase(screen, test.mPhase));
        RunUpdates(test.mUpdates);
        const std::vector<Blit> stamps = DrawOverlay(screen).Of(mStamp.get());
        if (!test.mCorner) {
            EXPECT_TRUE(stamps.empty());
            continue;
        }
        ASSERT_EQ(stamps.size(), 1u);
        EXPECT_EQ(stamps[0].mX, static_cast<float>(test.mCorner->first + kStampCellWidth / 2));
        EXPECT_EQ(stamps[0].mY, static_cast<float>(test.mCorner->second + kStampCellHeight / 2));
        EXPECT_EQ(stamps[0].mColor, Color::White);
    }
}

// The signature comes in along the diagonal, 225 - (count / 5) squared pixels from where it
// rests, and stays there.
TEST_F(LevelCompleteMenuTest, TheSignatureSlidesInToItsPlaceUnderItsCaption)
{
    const struct {
        int mUpdates;
        float mOffset;
    } slide[] = {{0, 225.0f}, {25, 200.0f}, {75, 0.0f}};
    LevelCompleteMenu& screen = Open(MakeStats(0, 0, 0, 0));
    ASSERT_TRUE(RunToPhase(screen, LevelCompleteMenu::PHASE_SIGNATURE));
    int updates = 0;
    for (const auto& step : slide) {
        SCOPED_TRACE("after " + std::to_string(step.mUpdates) + " updates");
        RunUpdates(step.mUpdates - updates);
        updates = step.mUpdates;
        const std::vector<Blit> drawn = DrawOverlay(screen).Of(mSignature.get());
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_FLOAT_EQ(drawn[0].mX, static_cast<float>(kRight - 180) + step.mOffset);
        EXPECT_FLOAT_EQ(drawn[0].mY, static_cast<float>(kCardHeight - 130) + step.mOffset);
    }

    ASSERT_TRUE(RunToPhase(screen, LevelCompleteMenu::PHASE_DONE_SHOWN));
    const std::vector<Blit> rest = DrawOverlay(screen).Of(mSignature.get());
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_EQ(rest[0].mX, static_cast<float>(kRight - 180));
    EXPECT_EQ(rest[0].mY, static_cast<float>(kCardHeight - 130));
    const std::vector<RunRecordingFont::Run> caption = RunsAt(kCardHeight - 140);
    ASSERT_EQ(caption.size(), 1u);
    EXPECT_EQ(caption[0].mText, "Signed");
    EXPECT_EQ(caption[0].mX, kRight - 150);
}

TEST_F(LevelCompleteMenuTest, DoneIsALargeButtonLeftOfTheCardsMiddleAboveItsBottom)
{
    LevelCompleteMenu& screen = Open(MakeStats(1, 1, 1, 1));
    ASSERT_TRUE(RunToPhase(screen, LevelCompleteMenu::PHASE_DONE_SHOWN));
    ASSERT_EQ(screen.mItems.size(), 1u);
    ASSERT_EQ(screen.mDoneButton, screen.mItems[0]);
    const int x = kCardX + (kCardWidth - kLargeButtonWidth) / 2 - 120;
    const int y = kCardY + kCardHeight - 80;
    ExpectDialogButton(*screen.mDoneButton, "Done", Zest::Rect(x, y, kLargeButtonWidth, kLargeButtonHeight), 1.0f);
    EXPECT_EQ(screen.mDoneButton->mOverlayPriority, LevelCompleteMenu::kButtonPriority);
}

TEST_F(LevelCompleteMenuTest, TheButtonLeavesWithTheReport)
{
    LevelCompleteMenu& screen = Open(MakeStats(1, 1, 1, 1));
    ASSERT_TRUE(RunToPhase(screen, LevelCompleteMenu::PHASE_DONE_SHOWN));
    MenuItem* const button = screen.mDoneButton;
    mManager.RemoveWidget(&screen);
    EXPECT_EQ(screen.mDoneButton, nullptr);
    EXPECT_TRUE(screen.mItems.empty());
    EXPECT_FALSE(mManager.HasWidget(button));
    ASSERT_EQ(mServices.mDeferred, std::vector<Zest::Widget*>{button}) << "deleted after the update";
    delete mGame.mScreen;
    mGame.mScreen = nullptr;
}

// Species 37, chains 12, longest chain 2, mini-game 30 at level 2: Done adds the four
// values, the total shown, and hands on to level 3 with the statistics written first.
TEST_F(LevelCompleteMenuTest, DoneAddsTheTotalShownStoresTheNextLevelAndSavesBeforeMovingOn)
{
    PlayerProfile& profile = mGame.mProfile;
    profile.mNextLevel = 2;
    profile.mStats.mChainsMade = 4;
    LevelCompleteMenu& screen = Open(MakeStats(37, 12, 2, 30));
    ASSERT_TRUE(RunToPhase(screen, LevelCompleteMenu::PHASE_DONE_SHOWN));
    DrawOverlay(screen);
    ASSERT_EQ(RunsAt(340).size(), 2u);
    EXPECT_EQ(RunsAt(340)[1].mText, "257 pts");
    mServices.TakeLog();

    Click(*screen.mDoneButton);

    const Log expected{kClickLogged,
                       "close",
                       "add 37",
                       "add 60",
                       "add 100",
                       "add 60",
                       "remove session, next level 2, chains 12",
                       "save, next level 3, chains 12",
                       "receiving awards 3"};
    EXPECT_EQ(mServices.TakeLog(), expected);
    EXPECT_EQ(mGame.mScore, 257);
    EXPECT_EQ(mGame.mScreen, nullptr);
    EXPECT_EQ(profile.mNextLevel, 3);
    EXPECT_EQ(profile.mStats.mTilesTaken, 37);
    EXPECT_EQ(profile.mStats.mLongestChain, 2);
}

} // namespace
} // namespace Tests
