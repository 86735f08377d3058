#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/Creature.h"
#include "game/GameRandom.h"
#include "game/GameStats.h"
#include "game/Habitat.h"
#include "game/PlayerProfile.h"
#include "game/Res.h"
#include "tests/game/play/PlayFixture.h"
#include "tests/game/play/PlayRecorders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using Tests::SoundLog;

// The Amazon's creatures by their place in its list.
constexpr size_t kJaguar = 1;
constexpr size_t kCapybara = 2;
constexpr size_t kTapir = 3;
constexpr size_t kGrass = 8;

constexpr int32_t kColumns = GameBoard::kColumns;
constexpr int kLeftClick = 1;

std::vector<int32_t> Column(const int32_t column)
{
    std::vector<int32_t> cells;
    for (int32_t row = 0; row < GameBoard::kRows; ++row)
        cells.push_back(row * kColumns + column);
    return cells;
}

std::vector<int32_t> Diagonal()
{
    std::vector<int32_t> cells;
    for (int32_t i = 0; i < GameBoard::kRows; ++i)
        cells.push_back(i * kColumns + i);
    return cells;
}

// Column 0 and then the rest of row 5: eleven tiles that fill a column and a row.
std::vector<int32_t> ColumnAndRow()
{
    std::vector<int32_t> cells = Column(0);
    for (int32_t column = 1; column < kColumns; ++column)
        cells.push_back(5 * kColumns + column);
    return cells;
}

// An idle Amazon board in play whose tiles a test rewrites, with the sounds recorded. The
// first chain's praise is kept out of the way: its tip counts as unseen.
class SessionScoringTest : public Tests::PlayFixture {
protected:
    void StartIdle(const int32_t mode, const int32_t plateKind = -1)
    {
        ASSERT_NO_FATAL_FAILURE(StartPlay(0, [mode, plateKind](GameSession& session) {
            session.mStage.mMode = mode;
            session.mMode = mode;
            session.mStage.mPlateKind = plateKind;
        }));
        ASSERT_GE(RunUntilIdle(), 0);
        Board().mFrameShape = GameBoard::kNoFrame;
        Session().mState = STATE_PLAY;
        mApp->GetCurrentProfile()->mTutorialSeen[0] = false;
        Session().mFloatingImages.clear();
        mSounds = std::make_unique<SoundLog>(GetMenuServices());
        SetMenuServices(mSounds.get());
    }

    void TearDown() override
    {
        SetMenuServices(nullptr);
        PlayFixture::TearDown();
    }

    // The next case of a table on the same board: back in play, settled, without a target
    // frame (a board of one creature would fill every frame it picks), the cells refilled
    // (FillBoard), and no popup or sound left from the case before.
    void NextCase(const int32_t mode)
    {
        Session().mState = STATE_PLAY;
        Session().mSurvivorOn = false;
        Board().ClearSelection();
        Board().mFrameShape = GameBoard::kNoFrame;
        ASSERT_GE(RunUntilIdle(), 0) << "state " << Session().mState << ", phase " << Board().mPhase;
        SetMode(mode);
        FillBoard();
        Session().mFloatingImages.clear();
        mSounds->mSounds.clear();
    }

    // Plain capybaras, male and female by column, and a food chain of jaguar, capybara and
    // grass in cells 33 to 35: a move is left in every mode after the chains the tests take,
    // so that the session never ends the game under them.
    void FillBoard()
    {
        FillWith(Nth(kCapybara));
        for (int32_t cell = 0; cell < GameBoard::kCells; ++cell)
            Board().TileAtIndex(cell)->mVariant = cell % 2;
        Put(33, Nth(kJaguar));
        Put(35, Nth(kGrass));
    }


    // The tile of the cell shows the creature, plain, idle and unselected.
    BoardTile* Put(const int32_t cell, Creature* const creature)
    {
        BoardTile* const tile = Board().TileAtIndex(cell);
        EXPECT_NE(tile, nullptr) << "cell " << cell;
        tile->mCreature = creature;
        tile->mLevel = creature->mLevel;
        tile->mLock = LOCK_NONE;
        tile->mSelected = false;
        tile->mSearchMark = false;
        tile->SetState(TILE_IDLE);
        return tile;
    }

    void FillWith(Creature* const creature)
    {
        for (int32_t cell = 0; cell < GameBoard::kCells; ++cell)
            Put(cell, creature);
    }

    // The cells' tiles become the board's chain, in that order, as the board selects them.
    void Select(const std::vector<int32_t>& cells)
    {
        Board().ClearSelection();
        for (const int32_t cell : cells) {
            BoardTile* const tile = Board().TileAtIndex(cell);
            tile->SetSelected(true);
            Board().mChain.push_back(tile);
        }
    }

    // The points the chain of those cells earned.
    int32_t Process(const std::vector<int32_t>& cells, const bool countGoals, const bool byPlayer, const bool force)
    {
        Select(cells);
        const int32_t before = Session().mScore;
        Session().ProcessSelection(countGoals, byPlayer, force);
        return Session().mScore - before;
    }

    bool Played(const int soundId) const
    {
        return std::count(mSounds->mSounds.begin(), mSounds->mSounds.end(), soundId) == 1;
    }

    // The live popups of that picture.
    std::vector<const FloatingImage*> Popups(const Zest::Image* const image) const
    {
        std::vector<const FloatingImage*> found;
        for (const auto& popup : mApp->mGameSession->mFloatingImages) {
            if (popup != nullptr && popup->mImage == image)
                found.push_back(popup.get());
        }
        return found;
    }

    std::unique_ptr<SoundLog> mSounds;
};

// ---------------------------------------------------------------------------------------
// Points of a chain

TEST_F(SessionScoringTest, ChainsScoreByModeLengthAndLineWithTheirFeatCounters)
{
    const struct {
        const char* what;
        int32_t mode;
        std::vector<int32_t> cells;
        bool byPlayer;
        int32_t points;
        int32_t fullColumns;
        int32_t fullRows;
        int sound;
    } cases[] = {
        {"food chain of 3", MODE_FOOD_CHAIN, {0, 1, 2}, true, 150, 0, 0, SOUND_SURPRISE_COLLECT},
        {"food chain of 20", MODE_FOOD_CHAIN, {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,
                                               10, 11, 12, 13, 14, 15, 16, 17, 18, 19}, true, 1000, 0, 0,
         SOUND_SURPRISE_COLLECT},
        {"match same of 3", MODE_MATCH_SAME, {0, 1, 2}, true, 150, 0, 0, SOUND_SURPRISE_COLLECT},
        {"match same of 6 on no line", MODE_MATCH_SAME, {0, 1, 2, 8, 9, 10}, true, 300, 0, 0,
         SOUND_SURPRISE_COLLECT},
        {"match same filling a column", MODE_MATCH_SAME, Column(3), true, 2000, 1, 0, SOUND_COMBO_COLLECTOR},
        {"match same filling a column and a row", MODE_MATCH_SAME, ColumnAndRow(), true, 4000, 1, 1,
         SOUND_COMBO_COLLECTOR},
        {"match same filling a diagonal", MODE_MATCH_SAME, Diagonal(), true, 4000, 0, 0, SOUND_COMBO_COLLECTOR},
        {"match pairs", MODE_MATCH_PAIRS, {0, 1}, true, 550, 0, 0, SOUND_COMBO_X3},
        {"match search", MODE_MATCH_SEARCH, {14}, true, 300, 0, 0, SOUND_COMBO_X3},
        // Frames the board filled by itself: the frame bonus, on top of 50 a tile in match same.
        {"frame of 2 in food chain", MODE_FOOD_CHAIN, {0, 1}, false, 2500, 0, 0, 0},
        {"frame of 3 in food chain", MODE_FOOD_CHAIN, {0, 1, 2}, false, 5000, 0, 0, 0},
        {"frame of 3 in match same", MODE_MATCH_SAME, {0, 1, 2}, false, 150 + 5000, 0, 0, SOUND_SURPRISE_COLLECT},
        {"frame of 4 in match same", MODE_MATCH_SAME, {0, 1, 6, 7}, false, 200 + 7500, 0, 0,
         SOUND_SURPRISE_COLLECT},
    };
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_FOOD_CHAIN));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(NextCase(c.mode));
        const GameStats before = *Session().mStats;

        EXPECT_EQ(Process(c.cells, false, c.byPlayer, true), c.points);
        EXPECT_EQ(Session().mStats->mFullColumns - before.mFullColumns, c.fullColumns);
        EXPECT_EQ(Session().mStats->mFullRows - before.mFullRows, c.fullRows);
        EXPECT_EQ(Session().mStats->mCollectorCombos, before.mCollectorCombos);
        EXPECT_EQ(Session().mStats->mTilesTaken - before.mTilesTaken, static_cast<int32_t>(c.cells.size()));
        if (c.sound != 0) {
            EXPECT_TRUE(Played(c.sound));
        }
        EXPECT_TRUE(Board().mChain.empty());
        EXPECT_EQ(Board().mPhase, PHASE_SETTLE);
    }
}

TEST_F(SessionScoringTest, ChainPointsShowAsASignAndDigitsCentredOnTheChain)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_FOOD_CHAIN));
    FillBoard();
    Select({0, 1, 2});
    const auto [centreX, centreY] = Board().GetSelectionCenter();
    Session().ProcessSelection(false, true, false);

    // "+150": the sign half the number's width left of the centre, then 1, 5, 0.
    const std::vector<const FloatingImage*> plus = Popups(IMAGE_GAME_BIG_PLUS);
    ASSERT_EQ(plus.size(), 1u);
    EXPECT_EQ(plus[0]->mKind, FLOAT_RISE);
    EXPECT_FLOAT_EQ(plus[0]->mX, centreX - static_cast<float>(3 * IMAGE_GAME_BIG_PLUS->GetWidth() / 2));
    EXPECT_FLOAT_EQ(plus[0]->mY, centreY);
    const struct {
        Zest::Image* digit;
        int32_t place;
    } digits[] = {{IMAGE_GAME_BIG_1, 1}, {IMAGE_GAME_BIG_5, 2}, {IMAGE_GAME_BIG_0, 3}};
    for (const auto& d : digits) {
        const std::vector<const FloatingImage*> found = Popups(d.digit);
        ASSERT_EQ(found.size(), 1u) << "place " << d.place;
        const int32_t width = d.digit->GetWidth();
        EXPECT_FLOAT_EQ(found[0]->mX, centreX + static_cast<float>(d.place * width - 3 * width / 2));
    }
    EXPECT_EQ(Session().mFloatingImages.size(), 4u);
}

TEST_F(SessionScoringTest, NumberPopupsShowFourDigitsOnlyFromAThousandAndSixOfAHugeValue)
{
    const struct {
        int32_t chainLength;
        size_t popups;
    } chains[] = {{19, 4}, {20, 5}};
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_FOOD_CHAIN));
    for (const auto& c : chains) {
        SCOPED_TRACE(c.chainLength);
        ASSERT_NO_FATAL_FAILURE(NextCase(MODE_FOOD_CHAIN));
        std::vector<int32_t> cells;
        for (int32_t cell = 0; cell < c.chainLength; ++cell)
            cells.push_back(cell);
        Process(cells, false, true, false);
        EXPECT_EQ(Session().mFloatingImages.size(), c.popups);
    }

    const struct {
        int32_t points;
        Zest::Image* sign;
        size_t digits;
    } values[] = {{9, IMAGE_GAME_BIG_PLUS, 1}, {99, IMAGE_GAME_BIG_PLUS, 2}, {-200000, IMAGE_GAME_BIG_MINUS, 6},
                  {12345678, IMAGE_GAME_BIG_PLUS, 6}};
    for (const auto& v : values) {
        SCOPED_TRACE(v.points);
        Session().mFloatingImages.clear();
        const int32_t before = Session().mScore;
        Session().AddScoreWithPopup(400.0f, 300.0f, v.points);
        EXPECT_EQ(Session().mScore - before, v.points);
        EXPECT_EQ(Popups(v.sign).size(), 1u);
        EXPECT_EQ(Session().mFloatingImages.size(), v.digits + 1);
    }
    // The six lowest digits of 12345678.
    for (Zest::Image* const digit : {IMAGE_GAME_BIG_3, IMAGE_GAME_BIG_4, IMAGE_GAME_BIG_8})
        EXPECT_EQ(Popups(digit).size(), 1u);
    EXPECT_TRUE(Popups(IMAGE_GAME_BIG_1).empty());
}

TEST_F(SessionScoringTest, AMasterComboPaysTenThousandInsteadOfEveryOtherBonusAndStartsTheFlourish)
{
    const struct {
        const char* what;
        std::vector<int32_t> cells;
    } cases[] = {
        {"three tapirs", {0, 1, 2}},
        {"a column of tapirs", Column(2)},
    };
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_FOOD_CHAIN));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(NextCase(MODE_MATCH_SAME));
        for (const int32_t cell : c.cells)
            Put(cell, Nth(kTapir));
        const GameStats before = *Session().mStats;

        EXPECT_EQ(Process(c.cells, false, true, false), 10000);
        EXPECT_EQ(Session().mStats->mCollectorCombos, before.mCollectorCombos + 1);
        EXPECT_EQ(Session().mStats->mFullColumns, before.mFullColumns);
        EXPECT_TRUE(Played(SOUND_COMBO_MASTER));
        EXPECT_EQ(Popups(IMAGE_GAME_MASTERCOMBO).size(), 1u);
        EXPECT_EQ(Popups(IMAGE_GAME_MASTERCOMBO)[0]->mKind, FLOAT_ZOOM);
        EXPECT_EQ(Session().mState, STATE_FLOURISH);
        EXPECT_FALSE(Session().mFlourishDone);
    }
}

TEST_F(SessionScoringTest, AFoodChainDrawnWithTheMouseAddsFiftyATileAndShowsPlusOneHundredFifty)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_FOOD_CHAIN));
    FillBoard();
    // Jaguar, capybara, grass: each eats the next.
    Put(0, Nth(kJaguar));
    Put(1, Nth(kCapybara));
    Put(2, Nth(kGrass));
    const int32_t before = Session().mScore;
    const GameStats stats = *Session().mStats;
    const auto centreOf = [this](const int32_t cell) {
        const auto [x, y] = Board().TileAtIndex(cell)->GetCenter();
        return std::pair<int, int>(static_cast<int>(x) - Board().mX, static_cast<int>(y) - Board().mY);
    };
    const auto [x0, y0] = centreOf(0);
    Board().MouseDown(x0, y0, kLeftClick);
    for (const int32_t cell : {1, 2}) {
        const auto [x, y] = centreOf(cell);
        mApp->mWidgetManager->mLastMouseX = Board().mX + x;
        mApp->mWidgetManager->mLastMouseY = Board().mY + y;
        Board().MouseDrag(x, y);
    }
    ASSERT_EQ(Board().mChain.size(), 3u);
    const auto [x2, y2] = centreOf(2);
    Board().MouseUp(x2, y2, kLeftClick);

    EXPECT_EQ(Session().mScore - before, 150);
    EXPECT_EQ(Popups(IMAGE_GAME_BIG_PLUS).size(), 1u);
    EXPECT_EQ(Session().mStats->mChainsMade, stats.mChainsMade + 1);
    EXPECT_EQ(Session().mStats->mStageChains, stats.mStageChains + 1);
    EXPECT_EQ(Session().mStats->mStageMoves, stats.mStageMoves + 1);
    EXPECT_EQ(Session().mStats->mLongestChain, std::max(stats.mLongestChain, 3));
}

// ---------------------------------------------------------------------------------------
// What counts as a move

TEST_F(SessionScoringTest, ShortChainsAndSingleCreaturesAreNoMoveUnlessTheModeOrForceTakesThem)
{
    const struct {
        const char* what;
        int32_t mode;
        std::vector<int32_t> cells;
        bool force;
        bool taken;
    } cases[] = {
        {"one creature in food chain", MODE_FOOD_CHAIN, {0}, true, false},
        {"one creature in match same", MODE_MATCH_SAME, {0}, true, false},
        {"one creature in match pairs", MODE_MATCH_PAIRS, {0}, true, false},
        {"one creature in match search", MODE_MATCH_SEARCH, {0}, false, true},
        {"two in food chain", MODE_FOOD_CHAIN, {0, 1}, false, false},
        {"two in food chain, forced", MODE_FOOD_CHAIN, {0, 1}, true, true},
        {"two in match same", MODE_MATCH_SAME, {0, 1}, false, false},
        {"two in match pairs", MODE_MATCH_PAIRS, {0, 1}, false, true},
        {"three in match same", MODE_MATCH_SAME, {0, 1, 2}, false, true},
    };
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_FOOD_CHAIN));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(NextCase(c.mode));
        const std::vector<BoardTile*> cells = Board().mCells;
        const GameStats before = *Session().mStats;
        Process(c.cells, false, true, c.force);

        EXPECT_TRUE(Board().mChain.empty());
        EXPECT_EQ(Session().mStats->mTilesTaken - before.mTilesTaken,
                  c.taken ? static_cast<int32_t>(c.cells.size()) : 0);
        EXPECT_EQ(Board().mCells == cells, !c.taken);
        EXPECT_EQ(Board().mPhase, c.taken ? PHASE_SETTLE : PHASE_IDLE);
    }
}

TEST_F(SessionScoringTest, ASingleItemTileLeavesTheBoardForItsItemPointsAndCountsAsAChain)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_FOOD_CHAIN));
    FillBoard();
    Creature* const torch = Session().mHabitat->FindCreature("torch");
    ASSERT_NE(torch, nullptr);
    BoardTile* const item = Put(33, torch);
    const GameStats before = *Session().mStats;

    // The chain itself scores nothing; the torch pays its 500.
    EXPECT_EQ(Process({33}, false, false, false), 500);
    EXPECT_TRUE(Played(SOUND_SURPRISE_2));
    EXPECT_EQ(Board().IndexOf(item), -1);
    EXPECT_EQ(Session().mStats->mChainsMade, before.mChainsMade + 1);
    EXPECT_EQ(Board().mPhase, PHASE_SETTLE);
}

TEST_F(SessionScoringTest, InMatchSearchOnlyAChainThatHitsAGoalCounts)
{
    const struct {
        const char* what;
        bool searchMark;
        int32_t counted;
    } cases[] = {
        {"a tile that is no target", false, 0},
        {"the target, a goal creature", true, 1},
    };
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_MATCH_SEARCH));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(NextCase(MODE_MATCH_SEARCH));
        FillWith(Nth(kJaguar));
        // The Amazon's first stage wants capybaras.
        Put(20, Nth(kCapybara))->mSearchMark = c.searchMark;
        const GameStats before = *Session().mStats;

        EXPECT_EQ(Process({20}, true, true, true), 300);
        EXPECT_EQ(Session().mStats->mChainsMade - before.mChainsMade, c.counted);
        EXPECT_EQ(Session().mStats->mStageChains - before.mStageChains, c.counted);
        EXPECT_EQ(Session().mStats->mTilesTaken - before.mTilesTaken, 1);
    }
}

// ---------------------------------------------------------------------------------------
// Stage end and the survivor game's threat

TEST_F(SessionScoringTest, TheLastGoalOfAStageStartsTheNextAndOfTheLastStageCompletesTheHabitat)
{
    const struct {
        const char* what;
        bool lastStage;
        int32_t state;
        int32_t phase;
    } cases[] = {
        // The habitat's end leaves the board refilling as after any chain, so it goes first.
        {"last stage", true, STATE_GOAL_COMPLETE, PHASE_SETTLE},
        {"first stage", false, STATE_STAGE_CLEARED, PHASE_CLEAR_OUT},
    };
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_MATCH_SAME));
    Habitat& habitat = *Session().mHabitat;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // The first stage again, alone or with every later stage pending.
        habitat.ResetStages();
        ASSERT_TRUE(habitat.StartNextStage(Session().mStage));
        ASSERT_EQ(Session().mStage.mIndex, 0);
        if (c.lastStage) {
            for (int32_t stage = 1; stage < static_cast<int32_t>(habitat.mStages.size()); ++stage)
                habitat.MarkStageDone(stage);
        }
        Session().mRebuildBoard = false;
        ASSERT_NO_FATAL_FAILURE(NextCase(MODE_MATCH_SAME));
        // Only one capybara is still wanted.
        Stage& stage = Session().mStage;
        for (StageGoal& goal : stage.mGoals)
            goal.mCount = goal.mCreature == Nth(kCapybara) ? 1 : 0;

        Process({0, 1}, true, false, true);
        EXPECT_EQ(Session().mState, c.state);
        EXPECT_EQ(Board().mPhase, c.phase);
        EXPECT_EQ(Session().mStats->mStageChains, 0);
        EXPECT_TRUE(Played(SOUND_AWARD_SURVIVOR));
        // The cheer is shown once either way.
        EXPECT_EQ(Popups(IMAGE_GAME_CHEER_GOALCOMPLETE).size(), 1u);
        if (!c.lastStage) {
            EXPECT_EQ(Session().mStage.mIndex, 1);
            EXPECT_EQ(Session().mMode, habitat.mStages[1].mMode);
            EXPECT_TRUE(Session().mRebuildBoard);
        } else {
            EXPECT_FALSE(Session().mRebuildBoard);
        }
    }
}

TEST_F(SessionScoringTest, AStagePastSixtyPercentMayBreakIntoTheSurvivorGameByItsChance)
{
    const struct {
        const char* what;
        int32_t panicChance;
        int32_t percentLeft;
        bool survivorOn;
        int32_t state;
    } cases[] = {
        {"certain chance past 60 percent", 100, 25, false, STATE_SURVIVOR_INTRO},
        {"no chance", 0, 25, false, STATE_PLAY},
        {"certain chance at 50 percent", 100, 50, false, STATE_PLAY},
        {"certain chance while the survivor game runs", 100, 25, true, STATE_PLAY},
    };
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_MATCH_SAME));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(NextCase(MODE_MATCH_SAME));
        Stage& stage = Session().mStage;
        stage.mPanicChance = c.panicChance;
        // Every counted goal as far along as the case wants.
        for (size_t goal = 0; goal < stage.mGoals.size(); ++goal) {
            if (stage.mGoalTargets[goal] > 0)
                stage.mGoals[goal].mCount = stage.mGoalTargets[goal] * c.percentLeft / 100;
        }
        Session().mSurvivorOn = c.survivorOn;
        // A roll of 0 fails even a certain chance: a seed whose next roll is above it.
        GameRandom& random = Session().mHost.GetGameRandom();
        for (uint32_t seed = 1;; ++seed) {
            random.Seed(seed);
            GameRandom probe = random;
            if (probe.Next(99) > 0)
                break;
        }

        Process({0, 1, 2}, false, true, false);
        EXPECT_EQ(Session().mState, c.state);
        EXPECT_EQ(Played(SOUND_SPOOKY), c.state == STATE_SURVIVOR_INTRO);
        Session().mSurvivorOn = false;
    }
}

// ---------------------------------------------------------------------------------------
// Frames, plates, locks and cages

TEST_F(SessionScoringTest, AFilledFrameIsScoredAndReplacedButNotInPairsSearchOrTheGoalCompleteState)
{
    const struct {
        const char* what;
        int32_t mode;
        int32_t state;
        int32_t points;
    } cases[] = {
        {"food chain", MODE_FOOD_CHAIN, STATE_PLAY, 2500},
        {"match same", MODE_MATCH_SAME, STATE_PLAY, 2500},
        {"match pairs", MODE_MATCH_PAIRS, STATE_PLAY, 0},
        {"match search", MODE_MATCH_SEARCH, STATE_PLAY, 0},
        {"goal complete", MODE_FOOD_CHAIN, STATE_GOAL_COMPLETE, 0},
    };
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_FOOD_CHAIN));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(NextCase(c.mode));
        // A horizontal pair of capybaras at cells 7 and 8, among capybaras.
        Board().mFrameShape = 0;
        Board().mFrameAnchor = 7;
        const BoardTile* const framed = Board().TileAtIndex(7);
        Session().mState = c.state;
        const int32_t before = Session().mScore;

        Session().CheckFrame();
        EXPECT_EQ(Session().mScore - before, c.points);
        EXPECT_EQ(Board().TileAtIndex(7) == framed, c.points == 0);
        EXPECT_EQ(Popups(IMAGE_GAME_CHEER_FANTASTIC).size(), c.points != 0 ? 1u : 0u);
    }
}

TEST_F(SessionScoringTest, ThePlateBonusOfAKindIsPaidOncePerBoard)
{
    const struct {
        int32_t kind;
        Zest::Image** picture;
        int32_t points;
    } kinds[] = {
        {0, &IMAGE_GAME_PLATE_COPPER_BONUS, 15000},
        {1, &IMAGE_GAME_PLATE_SILVER_BONUS, 25000},
        {2, &IMAGE_GAME_PLATE_GOLDEN_BONUS, 50000},
    };
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_FOOD_CHAIN));
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.kind);
        ASSERT_NO_FATAL_FAILURE(NextCase(MODE_FOOD_CHAIN));
        Session().mStage.mPlateKind = k.kind;
        // Every plate cleared but the three under the chain.
        Board().mPlates.assign(GameBoard::kCells, -2);
        for (const int32_t cell : {0, 1, 2})
            Board().mPlates[cell] = k.kind;
        EXPECT_EQ(Process({0, 1, 2}, false, true, false), 150 + k.points);
        const std::vector<const FloatingImage*> popups = Popups(*k.picture);
        ASSERT_EQ(popups.size(), 1u);
        EXPECT_EQ(popups[0]->mKind, FLOAT_ZOOM);
        EXPECT_FLOAT_EQ(popups[0]->mX, 400.0f);
        EXPECT_FLOAT_EQ(popups[0]->mY, 300.0f);
        EXPECT_TRUE(Played(SOUND_COMBO_MASTER));
        EXPECT_TRUE(Board().mPlateBonusFlags[k.kind]);

        // However often the plates are cleared again on this board.
        ASSERT_NO_FATAL_FAILURE(NextCase(MODE_FOOD_CHAIN));
        EXPECT_EQ(Process({3, 4, 5}, false, true, false), 150);
        Session().CheckPlatesCleared();
        EXPECT_TRUE(Popups(*k.picture).empty());
    }

    // Without plates, or with a kind a damaged file made up, nothing is paid.
    for (const int32_t kind : {-1, 3}) {
        SCOPED_TRACE(kind);
        ASSERT_NO_FATAL_FAILURE(NextCase(MODE_FOOD_CHAIN));
        Session().mStage.mPlateKind = kind;
        Board().mPlateBonusFlags.assign(3, false);
        Board().mPlates.assign(GameBoard::kCells, -2);
        const int32_t before = Session().mScore;
        Session().CheckPlatesCleared();
        EXPECT_EQ(Session().mScore, before);
        EXPECT_TRUE(Session().mFloatingImages.empty());
    }
}

TEST_F(SessionScoringTest, AFreedCageAndARemovedLockPayAtTheTilesCorner)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_MATCH_SAME));
    BoardTile* const tile = Board().TileAtIndex(14);
    const struct {
        void (GameSession::*show)(BoardTile*);
        Zest::Image* picture;
        int32_t points;
    } bonuses[] = {
        {&GameSession::ShowDiamondBonus, IMAGE_GAME_PNT_DIAMOND, 100},
        {&GameSession::ShowBonus750, IMAGE_GAME_PNT_750, 750},
    };
    for (const auto& b : bonuses) {
        const int32_t before = Session().mScore;
        (Session().*b.show)(tile);
        EXPECT_EQ(Session().mScore - before, b.points);
        const std::vector<const FloatingImage*> popups = Popups(b.picture);
        ASSERT_EQ(popups.size(), 1u);
        EXPECT_EQ(popups[0]->mKind, FLOAT_RISE);
        EXPECT_FLOAT_EQ(popups[0]->mX, static_cast<float>(tile->mX));
        EXPECT_FLOAT_EQ(popups[0]->mY, static_cast<float>(tile->mY));
    }
}

// ---------------------------------------------------------------------------------------
// Popups

TEST_F(SessionScoringTest, PopupsRiseAndFadeOneStepPerFrameWhateverTheFrameFraction)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_FOOD_CHAIN));
    for (const float fraction : {1.0f, 1.667f}) {
        SCOPED_TRACE(fraction);
        ASSERT_NO_FATAL_FAILURE(NextCase(MODE_FOOD_CHAIN));
        Session().AddFloatingImage(IMAGE_GAME_PNT_300, FLOAT_RISE, 500.0f, 200.0f);
        Session().AddFloatingImage(IMAGE_GAME_CHEER_SHOOT, FLOAT_ZOOM, 400.0f, 300.0f);
        ASSERT_EQ(Session().mFloatingImages.size(), 2u);
        const FloatingImage& rising = *Session().mFloatingImages[0];
        const FloatingImage& zooming = *Session().mFloatingImages[1];

        // Full alpha for 51 frames, then 5 less a frame.
        RunFrames(51, fraction);
        EXPECT_EQ(rising.mAlpha, 255);
        EXPECT_FLOAT_EQ(rising.mY, 149.0f);
        RunFrames(1, fraction);
        EXPECT_EQ(rising.mAlpha, 250);
        RunFrames(48, fraction);
        EXPECT_EQ(rising.mAlpha, 10);
        EXPECT_FLOAT_EQ(rising.mLife, 0.0f);
        EXPECT_FLOAT_EQ(rising.mY, 100.0f);
        EXPECT_FLOAT_EQ(rising.mX, 500.0f);
        EXPECT_FLOAT_EQ(zooming.mY, 300.0f);
        EXPECT_EQ(zooming.mAlpha, 10);

        // Gone by the 101st frame: no popup of these two is left.
        RunFrames(1, fraction);
        EXPECT_TRUE(Popups(IMAGE_GAME_PNT_300).empty());
        EXPECT_TRUE(Popups(IMAGE_GAME_CHEER_SHOOT).empty());
    }
}

TEST(FloatingImageListTest, AnExpiredPopupLeavesANullSlotUntilEveryPopupHasExpired)
{
    FloatingImageList popups;
    for (const float life : {3.0f, 1.0f}) {
        auto popup = std::make_unique<FloatingImage>();
        popup->mLife = life;
        popups.push_back(std::move(popup));
    }
    StepFloatingImages(popups);
    StepFloatingImages(popups);
    ASSERT_EQ(popups.size(), 2u);
    EXPECT_NE(popups[0], nullptr);
    EXPECT_EQ(popups[1], nullptr);
    StepFloatingImages(popups);
    EXPECT_EQ(popups.size(), 2u);
    StepFloatingImages(popups);
    EXPECT_TRUE(popups.empty());
}

TEST_F(SessionScoringTest, PopupsAreDrawnTintedAndCentredOnTheirPointAtEverySize)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_FOOD_CHAIN));
    Zest::Image* const picture = IMAGE_GAME_PNT_300;
    const int32_t w = picture->GetWidth();
    const int32_t h = picture->GetHeight();
    const struct {
        const char* what;
        int32_t kind;
        float life;
        bool halfSize;
        // The expected top-left corner and the scale it is drawn at.
        float scale;
    } cases[] = {
        {"rising", FLOAT_RISE, 100.0f, false, 1.0f},
        {"rising at half size", FLOAT_RISE, 100.0f, true, 0.5f},
        {"zooming at creation", FLOAT_ZOOM, 100.0f, true, 1.0f},
        {"zooming at the end of its life", FLOAT_ZOOM, 0.0f, false, 2.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Session().mFloatingImages.clear();
        Session().AddFloatingImage(picture, c.kind, 300.0f, 200.0f);
        Session().mFloatingImages[0]->mLife = c.life;
        Session().mFloatingImages[0]->mAlpha = 90;

        Tests::RecordingScreen screen(800, 600);
        Zest::Graphics g(&screen);
        Session().DrawFloatingImages(&g, c.halfSize);
        const Tests::Blit* const blit = screen.Find(picture);
        ASSERT_NE(blit, nullptr);
        EXPECT_NEAR(blit->mX, 300.0f - static_cast<float>(w) * c.scale / 2.0f, 1.0f);
        EXPECT_NEAR(blit->mY, 200.0f - static_cast<float>(h) * c.scale / 2.0f, 1.0f);
        EXPECT_EQ(blit->mColor.mRed, 255);
        EXPECT_EQ(blit->mColor.mBlue, 200);
        EXPECT_EQ(blit->mColor.mAlpha, 90);
    }
}

} // namespace
