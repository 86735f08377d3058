#include "framework/app/common/RuntimeRandom.h"
#include "framework/widgets/WidgetManager.h"
#include "game/Creature.h"
#include "game/GameRandom.h"
#include "game/Habitat.h"
#include "game/Res.h"
#include "game/play/PlayHost.h"
#include "game/screens/MenuServices.h"
#include "tests/game/play/PlayFixture.h"
#include "tests/game/play/PlayRecorders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

// The Amazon's creatures by their place in its list, with their levels and links.
constexpr size_t kAnaconda = 0; // 4
constexpr size_t kJaguar = 1;   // 3, eats tapir, capybara, spider monkey, macaw
constexpr size_t kCapybara = 2; // 2, eats leaves, fruits, grass
constexpr size_t kTapir = 3;    // 2, eats leaves, fruits, grass
constexpr size_t kMacaw = 5;    // 2, eats fruits only
constexpr size_t kLeaves = 6;   // 1
constexpr size_t kGrass = 8;    // 1

constexpr int kLeftClick = 1;

using Tests::SoundLog;

struct Cell {
    int32_t column;
    int32_t row;
};

// An idle Amazon board driven through its mouse handlers as the widget manager drives it:
// board-relative coordinates, the application's mouse position set where a handler reads
// it. Tests rewrite tiles in place to build the situation a rule needs.
class BoardInputTest : public Tests::PlayFixture {
protected:
    void SetUp() override
    {
        PlayFixture::SetUp();
        // Both generators seeded before the deal, so every run deals and refills alike.
        ASSERT_NO_FATAL_FAILURE(StartPlay(0, [](GameSession& session) {
            Zest::SRand(11);
            session.mHost.GetGameRandom().Seed(11);
        }));
        ASSERT_GE(RunUntilIdle(), 0);
        // The tests fill the board with one creature: a target frame there would be filled
        // and scored away under them.
        Board().mFrameShape = GameBoard::kNoFrame;
        mSounds = std::make_unique<SoundLog>(GetMenuServices());
        SetMenuServices(mSounds.get());
    }

    void TearDown() override
    {
        SetMenuServices(nullptr);
        PlayFixture::TearDown();
    }

    Creature* Item(const std::string& name)
    {
        Creature* const item = Session().mHabitat->FindCreature(name);
        EXPECT_NE(item, nullptr) << name;
        return item;
    }

    // The tile of the cell shows the creature, plain and idle, without marks; an emptied
    // cell gets a new tile.
    BoardTile* Put(const Cell cell, Creature* const creature, const int32_t variant = 0)
    {
        BoardTile* tile = Board().GetTile(cell.column, cell.row);
        if (tile == nullptr) {
            tile = Board().CreateTile(creature, cell.column, cell.row, 0);
            Board().SetTileAt(cell.column, cell.row, tile);
        }
        tile->mCreature = creature;
        tile->mLevel = creature->mLevel;
        tile->mVariant = variant;
        tile->mLock = LOCK_NONE;
        tile->mPrevLock = LOCK_NONE;
        tile->mSelected = false;
        tile->mHint = false;
        tile->mSearchMark = false;
        tile->SetState(TILE_IDLE);
        return tile;
    }

    // Every cell the creature, with the lock.
    void Fill(Creature* const creature, const int32_t lock = LOCK_NONE, const int32_t variant = 0)
    {
        for (int32_t row = 0; row < GameBoard::kRows; ++row) {
            for (int32_t column = 0; column < GameBoard::kColumns; ++column)
                Put({column, row}, creature, variant)->mLock = lock;
        }
    }

    // The centre of the cell's tile, relative to the board.
    Cell Centre(const Cell cell)
    {
        const auto [x, y] = Board().GetTile(cell.column, cell.row)->GetCenter();
        return {static_cast<int32_t>(x) - Board().mX, static_cast<int32_t>(y) - Board().mY};
    }

    void Press(const Cell cell)
    {
        const Cell at = Centre(cell);
        Board().MouseDown(at.column, at.row, kLeftClick);
    }

    void DragTo(const Cell cell)
    {
        const Cell at = Centre(cell);
        mApp->mWidgetManager->mLastMouseX = Board().mX + at.column;
        mApp->mWidgetManager->mLastMouseY = Board().mY + at.row;
        Board().MouseDrag(at.column, at.row);
    }

    void Release(const Cell cell)
    {
        const Cell at = Centre(cell);
        Board().MouseUp(at.column, at.row, kLeftClick);
    }

    void RightClick(const Cell cell)
    {
        const Cell at = Centre(cell);
        Board().MouseDown(at.column, at.row, GameBoard::kRightClick);
        Board().MouseUp(at.column, at.row, GameBoard::kRightClick);
    }

    std::vector<BoardTile*> HintedTiles()
    {
        std::vector<BoardTile*> hinted;
        for (BoardTile* const tile : Board().mCells) {
            if (tile != nullptr && tile->mHint)
                hinted.push_back(tile);
        }
        return hinted;
    }

    std::vector<BoardTile*> SelectedTiles()
    {
        std::vector<BoardTile*> selected;
        for (BoardTile* const tile : Board().mCells) {
            if (tile != nullptr && tile->mSelected)
                selected.push_back(tile);
        }
        return selected;
    }

    bool Played(const int soundId) const
    {
        return std::find(mSounds->mSounds.begin(), mSounds->mSounds.end(), soundId) != mSounds->mSounds.end();
    }

    std::unique_ptr<SoundLog> mSounds;
};

TEST_F(BoardInputTest, APressAndDragsBuildTheChainByTheRulesOfTheMode)
{
    struct Step {
        Cell cell;
        size_t creature;
        int32_t variant;
    };
    const struct {
        const char* what;
        int32_t mode;
        // The first step is pressed, the others dragged onto in order.
        std::vector<Step> steps;
        // The steps whose tiles end in the chain, in chain order.
        std::vector<size_t> chain;
    } cases[] = {
        {"a food chain runs down its links",
         MODE_FOOD_CHAIN,
         {{{1, 2}, kJaguar, 0}, {{2, 2}, kTapir, 0}, {{3, 3}, kLeaves, 0}},
         {0, 1, 2}},
        {"a lower tile without a link is refused", MODE_FOOD_CHAIN, {{{1, 2}, kJaguar, 0}, {{2, 2}, kLeaves, 0}}, {0}},
        {"a higher second pick empties the chain", MODE_FOOD_CHAIN, {{{1, 2}, kTapir, 0}, {{2, 2}, kJaguar, 0}}, {}},
        {"a food chain never climbs again",
         MODE_FOOD_CHAIN,
         {{{1, 2}, kJaguar, 0}, {{2, 2}, kTapir, 0}, {{3, 2}, kAnaconda, 0}},
         {0, 1}},
        {"a tile not next to the last is refused", MODE_FOOD_CHAIN, {{{1, 2}, kJaguar, 0}, {{3, 2}, kTapir, 0}}, {0}},
        {"match same takes one creature in any direction",
         MODE_MATCH_SAME,
         {{{2, 2}, kTapir, 0}, {{1, 1}, kTapir, 0}, {{1, 2}, kTapir, 1}, {{2, 3}, kTapir, 0}},
         {0, 1, 2, 3}},
        {"match same refuses another creature", MODE_MATCH_SAME, {{{1, 2}, kTapir, 0}, {{2, 2}, kCapybara, 0}}, {0}},
        {"match pairs never takes a third tile",
         MODE_MATCH_PAIRS,
         {{{1, 2}, kTapir, 0}, {{2, 2}, kTapir, 1}, {{3, 2}, kTapir, 0}},
         {0, 1}},
        {"match pairs refuses the same variant", MODE_MATCH_PAIRS, {{{1, 2}, kTapir, 1}, {{2, 2}, kTapir, 1}}, {0}},
        {"match pairs refuses another species", MODE_MATCH_PAIRS, {{{1, 2}, kTapir, 0}, {{2, 2}, kCapybara, 1}}, {0}},
    };
    for (const auto& [what, mode, steps, chain] : cases) {
        SetMode(mode);
        Fill(Nth(kGrass));
        std::vector<BoardTile*> tiles;
        for (const Step& step : steps)
            tiles.push_back(Put(step.cell, Nth(step.creature), step.variant));

        Press(steps.front().cell);
        for (size_t next = 1; next < steps.size(); ++next)
            DragTo(steps[next].cell);

        std::vector<BoardTile*> expected;
        for (const size_t index : chain)
            expected.push_back(tiles[index]);
        EXPECT_EQ(Board().mChain, expected) << what;
        EXPECT_EQ(SelectedTiles().size(), expected.size()) << what << ": only chain tiles are selected";
        EXPECT_EQ(Board().mPressedTile, tiles.back()) << what;

        RightClick(steps.back().cell);
        EXPECT_TRUE(Board().mChain.empty()) << what;
        EXPECT_TRUE(SelectedTiles().empty()) << what;
        EXPECT_TRUE(HintedTiles().empty()) << what;
        EXPECT_EQ(Board().mPressedTile, nullptr) << what;
    }
}

TEST_F(BoardInputTest, ItemsAndTheHunterAreNotPressedOutsideTheSurvivorGame)
{
    SetMode(MODE_MATCH_SAME);
    Fill(Nth(kGrass));
    for (const char* const name : {"torch", "hunter"}) {
        Put({2, 2}, Item(name));
        Session().mItemArmed = false;
        Press({2, 2});
        DragTo({3, 2});
        EXPECT_TRUE(Board().mChain.empty()) << name;
        EXPECT_EQ(Board().mPressedTile, nullptr) << name;
    }
}

TEST_F(BoardInputTest, ASurvivorClickRescuesOneTileAtOnce)
{
    SetMode(MODE_MATCH_SAME);
    Session().mSurvivorOn = true;
    const struct {
        const char* what;
        std::function<void(BoardTile&)> make;
        bool rescued;
    } cases[] = {
        {"an infected animal", [](BoardTile& tile) { tile.SetInfected(true); }, true},
        {"an item", [this](BoardTile& tile) { tile.mLevel = Item("torch")->mLevel; }, true},
        {"the hunter", [this](BoardTile& tile) { tile.mLevel = Item("hunter")->mLevel; }, false},
        {"a trapped animal", [](BoardTile& tile) { tile.mTrapped = true; }, false},
    };
    for (const auto& [what, make, rescued] : cases) {
        Fill(Nth(kTapir));
        Board().ResetCellLists();
        BoardTile* const tile = Put({2, 2}, Nth(kTapir));
        tile->mTrapped = false;
        make(*tile);

        const int32_t cell = Board().IndexOf(tile);
        Press({2, 2});
        // A rescued tile leaves the board; its cell keeps the mark and stays empty.
        EXPECT_EQ(Board().IsCellMarked(cell), rescued) << what;
        EXPECT_EQ(Board().TileAtIndex(cell) == nullptr || Board().TileAtIndex(cell)->mState == TILE_REMOVED, rescued)
            << what;
        EXPECT_EQ(Board().CountMarkedCells(), rescued ? 1 : 0) << what;
        EXPECT_FALSE(tile->mInfected) << what;
        EXPECT_TRUE(Board().mChain.empty()) << what;
        EXPECT_EQ(Board().mPressedTile, nullptr) << what;
    }
    Session().mSurvivorOn = false;
}

TEST_F(BoardInputTest, NoInputIsTakenWhileTheBoardSettlesIsDisabledOrTheSessionIsNotPlaying)
{
    SetMode(MODE_MATCH_SAME);
    Fill(Nth(kTapir));
    const struct {
        const char* what;
        std::function<void(bool)> set;
    } gates[] = {
        {"settling", [this](const bool on) { Board().mPhase = on ? PHASE_SETTLE : PHASE_IDLE; }},
        {"disabled", [this](const bool on) { Board().SetDisabled(on); }},
        {"paused", [this](const bool on) { Session().mState = on ? STATE_WEB_BURST : STATE_PLAY; }},
    };
    for (const auto& [what, set] : gates) {
        set(true);
        Press({2, 2});
        EXPECT_EQ(Board().mPressedTile, nullptr) << what;
        EXPECT_TRUE(Board().mChain.empty()) << what;
        set(false);

        // A press made before the gate closed cannot be dragged on while it is closed.
        Press({2, 2});
        set(true);
        DragTo({3, 2});
        EXPECT_EQ(Board().mChain, std::vector<BoardTile*>{Board().GetTile(2, 2)}) << what;
        set(false);
        RightClick({2, 2});
    }
}

TEST_F(BoardInputTest, DraggingBackOntoTheChainTakesOffOnlyTheLastTile)
{
    SetMode(MODE_MATCH_SAME);
    Fill(Nth(kGrass));
    const std::vector<Cell> path = {{1, 1}, {2, 1}, {3, 1}, {3, 2}, {2, 2}};
    std::vector<BoardTile*> tiles;
    for (const Cell cell : path)
        tiles.push_back(Put(cell, Nth(kTapir)));
    Press(path.front());
    for (size_t next = 1; next < path.size(); ++next)
        DragTo(path[next]);
    ASSERT_EQ(Board().mChain, tiles);
    EXPECT_EQ(Board().mMouseX, Board().mX + Centre(path.back()).column) << "the drag keeps the pointer";
    EXPECT_EQ(Board().mMouseY, Board().mY + Centre(path.back()).row);

    mSounds->mSounds.clear();
    DragTo(path.front());
    const std::vector<BoardTile*> shorter(tiles.begin(), tiles.end() - 1);
    EXPECT_EQ(Board().mChain, shorter);
    EXPECT_FALSE(tiles.back()->mSelected);
    EXPECT_TRUE(Played(SOUND_BUTTON_ROLLOVER));
    // The hints follow the new last tile, (3, 2): its tapir neighbours.
    EXPECT_TRUE(tiles[1]->mHint);
    EXPECT_TRUE(tiles.back()->mHint);
    EXPECT_FALSE(tiles[0]->mHint) << "not next to the last tile";

    // From a tile that is not the last one, moving onto the chain takes nothing off.
    DragTo(path[1]);
    EXPECT_EQ(Board().mChain, shorter);
}

TEST_F(BoardInputTest, ARightClickCancelsTheChainAnywhere)
{
    SetMode(MODE_MATCH_SAME);
    Fill(Nth(kTapir));
    Press({1, 1});
    DragTo({2, 1});
    DragTo({3, 1});
    ASSERT_EQ(Board().mChain.size(), 3u);
    Session().mItemArmed = true;
    Session().mArmedItem = LOCK_SPIDER_WEB;
    // Even while the board is disabled: the right button is not gated.
    Board().SetDisabled(true);

    const Cell at = Centre({5, 5});
    Board().MouseDown(at.column, at.row, GameBoard::kRightClick);
    EXPECT_TRUE(Board().mChain.empty());
    EXPECT_TRUE(SelectedTiles().empty());
    EXPECT_TRUE(HintedTiles().empty());
    EXPECT_EQ(Board().mPressedTile, nullptr);
    EXPECT_TRUE(Board().mSelectionPath.empty());
    Board().SetDisabled(false);
}

TEST_F(BoardInputTest, AHeldPressNeverOutlivesItsTile)
{
    SetMode(MODE_MATCH_SAME);
    const struct {
        const char* what;
        std::function<void()> remove;
    } removals[] = {
        {"the chain taken off",
         [this] {
             Board().ComputeFallDistances();
             Board().RemoveSelectedTiles();
             Board().ApplyGravity();
             Board().mPhase = PHASE_SETTLE;
         }},
        {"every tile released", [this] { Board().RemoveAllTiles(); }},
    };
    for (const auto& [what, remove] : removals) {
        Fill(Nth(kTapir));
        Press({1, 1});
        DragTo({2, 1});
        ASSERT_EQ(Board().mPressedTile, Board().GetTile(2, 1)) << what;
        remove();
        EXPECT_EQ(Board().mPressedTile, nullptr) << what;

        // The tiles are deleted; the release must not reach them.
        if (Board().mCells.empty()) {
            Board().BuildBoard();
            Board().SetPhase(PHASE_DEAL_IN);
        }
        ASSERT_GE(RunUntilIdle(), 0) << what;
        Board().MouseUp(0, 0, kLeftClick);
    }
}

TEST_F(BoardInputTest, OnlyTheMatchingArmedItemFreesALock)
{
    SetMode(MODE_FOOD_CHAIN);
    const int32_t torch = LOCK_SPIDER_WEB;
    const int32_t water = LOCK_BANANAS;
    const struct {
        const char* what;
        int32_t lock;
        int32_t armed;
        int sound;
    } cases[] = {
        {"the torch on a web", LOCK_SPIDER_WEB, torch, SOUND_FIREBALL_QUICKWHOOSH},
        {"the water on bananas", LOCK_BANANAS, water, SOUND_UNLOCK_BANANA},
        {"the torch on bananas", LOCK_BANANAS, torch, -1},
        {"the water on a web", LOCK_SPIDER_WEB, water, -1},
        {"the torch on a cage", LOCK_CAGE, torch, -1},
        {"the water on a cage", LOCK_CAGE, water, -1},
    };
    for (const auto& [what, lock, armed, sound] : cases) {
        Fill(Nth(kGrass));
        BoardTile* const tile = Put({2, 2}, Nth(kJaguar));
        tile->mLock = lock;
        Session().mItemArmed = true;
        Session().mArmedItem = armed;
        // A burnt web of an earlier case set the fireballs flying (state 7).
        Session().mState = STATE_PLAY;
        mSounds->mSounds.clear();

        Press({2, 2});
        if (sound >= 0) {
            EXPECT_EQ(tile->mLock, LOCK_NONE) << what;
            EXPECT_EQ(tile->mPrevLock, lock) << what;
            EXPECT_EQ(tile->mState, TILE_UNLOCKING) << what;
            EXPECT_TRUE(Board().mDisabled) << what << ": the board waits for the unlocking";
            EXPECT_EQ(Board().mPressedTile, nullptr) << what;
            EXPECT_TRUE(Played(sound)) << what;
        } else {
            EXPECT_EQ(tile->mLock, lock) << what;
            EXPECT_EQ(tile->mState, TILE_IDLE) << what;
            EXPECT_FALSE(Board().mDisabled) << what;
            EXPECT_TRUE(mSounds->mSounds.empty()) << what;
        }
        EXPECT_EQ(tile->mWaterAnim.mStatus == ANIM_RUNNING, lock == LOCK_BANANAS && sound >= 0)
            << what << ": only washed bananas play the water";
        EXPECT_TRUE(Board().mChain.empty()) << what << ": a locked tile never joins";

        Board().SetDisabled(false);
        RightClick({2, 2});
        tile->mWaterAnim.mStatus = ANIM_READY;
    }
}

TEST_F(BoardInputTest, NoMoveIsLeftOnceTheOnlyMoveIsBroken)
{
    const struct {
        const char* what;
        int32_t mode;
        // Every cell caged with this creature: locked tiles are never neighbours.
        size_t cagedCreature;
        int32_t cagedVariant;
        std::function<void()> placeOneMove;
        std::function<void()> breakIt;
    } cases[] = {
        {"match same: three in a row", MODE_MATCH_SAME, kCapybara, 0,
         [this] {
             for (const Cell cell : {Cell{1, 2}, Cell{2, 2}, Cell{3, 2}})
                 Put(cell, Nth(kCapybara));
         },
         [this] { Board().GetTile(3, 2)->mLock = LOCK_CAGE; }},
        {"match pairs: two variants", MODE_MATCH_PAIRS, kTapir, 1,
         [this] {
             Put({2, 2}, Nth(kTapir), 0);
             Put({3, 3}, Nth(kTapir), 1);
         },
         [this] { Board().GetTile(3, 3)->mVariant = 0; }},
        // The levels alone count: a macaw does not eat leaves.
        {"food chain: a tile between a higher and a lower", MODE_FOOD_CHAIN, kLeaves, 0,
         [this] {
             Put({1, 2}, Nth(kJaguar));
             Put({2, 2}, Nth(kMacaw));
             Put({3, 3}, Nth(kLeaves));
         },
         [this] { Put({3, 3}, Item("torch")); }},
    };
    for (const auto& [what, mode, cagedCreature, cagedVariant, placeOneMove, breakIt] : cases) {
        SetMode(mode);
        Fill(Nth(cagedCreature), LOCK_CAGE, cagedVariant);
        EXPECT_TRUE(Board().NoMovesLeft()) << what << ": no plain tile";
        placeOneMove();
        EXPECT_FALSE(Board().NoMovesLeft()) << what;
        breakIt();
        EXPECT_TRUE(Board().NoMovesLeft()) << what << ": broken";
    }

    // A click always plays in match search and in the survivor game.
    Fill(Nth(kCapybara), LOCK_CAGE);
    SetMode(MODE_MATCH_SEARCH);
    EXPECT_FALSE(Board().NoMovesLeft());
    SetMode(MODE_MATCH_SAME);
    Session().mSurvivorOn = true;
    EXPECT_FALSE(Board().NoMovesLeft());
    Session().mSurvivorOn = false;
}

TEST_F(BoardInputTest, APressHintsTheCandidatesAroundTheTile)
{
    const Cell pressed = {2, 2};
    struct Placed {
        Cell cell;
        size_t creature;
        int32_t variant;
        int32_t lock;
        bool hinted;
    };
    const struct {
        const char* what;
        int32_t mode;
        size_t pressedCreature;
        bool pressedHinted;
        std::vector<Placed> around;
    } cases[] = {
        {"food chain: linked and lower",
         MODE_FOOD_CHAIN,
         kJaguar,
         false,
         {{{1, 1}, kTapir, 0, LOCK_NONE, true},
          {{3, 2}, kLeaves, 0, LOCK_NONE, false},
          {{2, 3}, kAnaconda, 0, LOCK_NONE, false},
          {{3, 3}, kCapybara, 0, LOCK_BANANAS, false},
          {{4, 2}, kCapybara, 0, LOCK_NONE, false}}},
        {"match same: the pressed tile too",
         MODE_MATCH_SAME,
         kTapir,
         true,
         {{{1, 1}, kTapir, 0, LOCK_NONE, true},
          {{3, 3}, kTapir, 0, LOCK_SPIDER_WEB, false},
          {{2, 1}, kCapybara, 0, LOCK_NONE, false},
          {{2, 4}, kTapir, 0, LOCK_NONE, false}}},
        {"match pairs: the other variant",
         MODE_MATCH_PAIRS,
         kTapir,
         false,
         {{{1, 1}, kTapir, 1, LOCK_NONE, true},
          {{3, 2}, kTapir, 0, LOCK_NONE, false},
          {{1, 3}, kCapybara, 1, LOCK_NONE, false}}},
    };
    for (const auto& [what, mode, pressedCreature, pressedHinted, around] : cases) {
        SetMode(mode);
        Fill(Nth(kGrass));
        BoardTile* const tile = Put(pressed, Nth(pressedCreature));
        std::vector<BoardTile*> expected;
        if (pressedHinted)
            expected.push_back(tile);
        for (const Placed& placed : around) {
            BoardTile* const other = Put(placed.cell, Nth(placed.creature), placed.variant);
            other->mLock = placed.lock;
            if (placed.hinted)
                expected.push_back(other);
        }
        std::sort(expected.begin(), expected.end(),
                  [this](const BoardTile* a, const BoardTile* b) { return Board().IndexOf(a) < Board().IndexOf(b); });

        Press(pressed);
        EXPECT_EQ(HintedTiles(), expected) << what;
        Release(pressed);
        EXPECT_TRUE(HintedTiles().empty()) << what << ": the release clears the hints";
        EXPECT_EQ(Board().mPressedTile, nullptr) << what;
        EXPECT_FALSE(tile->mSelected) << what;
    }
}

TEST_F(BoardInputTest, TheSelectionLineHasAPointEveryEightPixelsFromCentreToCentre)
{
    SetMode(MODE_MATCH_SAME);
    const float quarter = std::numbers::pi_v<float> / 2.0f;
    const struct {
        const char* what;
        Cell to;
        size_t points;
        // Pixels per point along x and y, and the line's angle.
        float stepX;
        float stepY;
        float angle;
    } cases[] = {
        // 89 pixels: 12 points, the last one 1 pixel short of the second centre.
        {"to the right", {2, 1}, 12, 8.0f, 0.0f, 0.0f},
        {"downward", {1, 2}, 12, 0.0f, 8.0f, -quarter},
        {"to the left", {0, 1}, 12, -8.0f, 0.0f, -2.0f * quarter},
        // 125.9 pixels: 16 points.
        {"diagonally", {2, 2}, 16, 8.0f / std::numbers::sqrt2_v<float>, 8.0f / std::numbers::sqrt2_v<float>,
         -quarter / 2.0f},
    };
    for (const auto& [what, to, points, stepX, stepY, angle] : cases) {
        Fill(Nth(kTapir));
        const Cell from = {1, 1};
        Press(from);
        EXPECT_TRUE(Board().mSelectionPath.empty()) << what << ": one tile draws no line";
        DragTo(to);
        ASSERT_EQ(Board().mChain.size(), 2u) << what;

        const std::vector<PathPoint>& path = Board().mSelectionPath;
        ASSERT_EQ(path.size(), points) << what;
        const Cell start = Centre(from);
        for (size_t index = 0; index < path.size(); ++index) {
            const float along = static_cast<float>(index);
            EXPECT_NEAR(path[index].x, static_cast<float>(start.column) + stepX * along, 1e-3f) << what << index;
            EXPECT_NEAR(path[index].y, static_cast<float>(start.row) + stepY * along, 1e-3f) << what << index;
            EXPECT_NEAR(path[index].angle, angle, 1e-5f) << what << index;
        }
        RightClick(to);
    }

    // The last point of a horizontal link lies 1 pixel short of the second centre.
    Fill(Nth(kTapir));
    Press({1, 1});
    DragTo({2, 1});
    ASSERT_FALSE(Board().mSelectionPath.empty());
    EXPECT_FLOAT_EQ(Board().mSelectionPath.back().x, static_cast<float>(Centre({2, 1}).column - 1));
    // A longer chain lines up its links.
    DragTo({3, 1});
    EXPECT_EQ(Board().mSelectionPath.size(), 24u);
    RightClick({3, 1});
}

TEST_F(BoardInputTest, AMatchSearchClickPlaysAtOnceOnlyOnTheTarget)
{
    SetMode(MODE_MATCH_SEARCH);
    Fill(Nth(kTapir));
    BoardTile* const target = Put({4, 4}, Nth(kCapybara));
    target->mSearchMark = true;
    // A chain left on the board shows whether the session was handed one.
    BoardTile* const leftOver = Board().GetTile(0, 0);
    ASSERT_TRUE(Board().TryAddToSelection(leftOver, MODE_MATCH_SEARCH));

    Press({1, 1});
    EXPECT_EQ(Board().mChain, std::vector<BoardTile*>{leftOver}) << "a tile without the flag does nothing";
    EXPECT_EQ(Board().mPressedTile, nullptr);

    Press({4, 4});
    EXPECT_TRUE(Board().mChain.empty()) << "the target is played at the click";
    EXPECT_FALSE(target->mSelected);
    EXPECT_FALSE(leftOver->mSelected);
    EXPECT_EQ(Board().mPressedTile, nullptr) << "nothing is left to drag or release";
    EXPECT_TRUE(HintedTiles().empty());
}

TEST_F(BoardInputTest, MatchSearchHidesThePointerOverTheBoardOnly)
{
    for (const int32_t mode : {MODE_MATCH_SAME, MODE_MATCH_SEARCH}) {
        SetMode(mode);
        mApp->SetCursor(5);
        Board().MouseEnter();
        EXPECT_EQ(mApp->mCursorKind, mode == MODE_MATCH_SEARCH ? GameBoard::kNoCursor : 5) << mode;
        Board().MouseLeave();
        EXPECT_EQ(mApp->mCursorKind, mode == MODE_MATCH_SEARCH ? GameBoard::kArrowCursor : 5) << mode;
    }
}

} // namespace
