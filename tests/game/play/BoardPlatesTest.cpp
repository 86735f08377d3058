// The plates under the cells, the target frame over them and the line tests on the chain,
// on an idle board of the first habitat whose tiles the tests rewrite.

#include "framework/app/common/RuntimeRandom.h"
#include "game/Creature.h"
#include "game/GameRandom.h"
#include "game/Habitat.h"
#include "tests/game/play/PlayFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

// The Amazon's creatures by their place in its list.
constexpr size_t kJaguar = 1;
constexpr size_t kCapybara = 2;

constexpr uint32_t kSeeds = 1000;
constexpr int32_t kColumns = GameBoard::kColumns;
constexpr int32_t kNoPlateKind = -1;
constexpr int32_t kSilver = 1;

class BoardPlatesTest : public Tests::PlayFixture {
protected:
    void StartIdle(const int32_t mode, const int32_t plateKind = kNoPlateKind)
    {
        ASSERT_NO_FATAL_FAILURE(StartPlay(0, [mode, plateKind](GameSession& session) {
            session.mStage.mMode = mode;
            session.mMode = mode;
            session.mStage.mPlateKind = plateKind;
        }));
        ASSERT_GE(RunUntilIdle(), 0);
    }


    // The tile of the cell shows the creature, plain, idle and unselected.
    BoardTile* Put(const int32_t index, Creature* const creature)
    {
        BoardTile* const tile = Board().TileAtIndex(index);
        EXPECT_NE(tile, nullptr) << "cell " << index;
        tile->mCreature = creature;
        tile->mLevel = creature->mLevel;
        tile->mLock = LOCK_NONE;
        tile->mSelected = false;
        tile->mState = TILE_IDLE;
        return tile;
    }

    void FillWith(Creature* const creature)
    {
        for (int32_t index = 0; index < GameBoard::kCells; ++index)
            Put(index, creature);
    }

    // The tiles of the cells, in that order.
    std::vector<BoardTile*> Tiles(const std::vector<int32_t>& cells)
    {
        std::vector<BoardTile*> tiles;
        for (const int32_t cell : cells)
            tiles.push_back(Board().TileAtIndex(cell));
        return tiles;
    }

    // Takes the cells' tiles off the grid until RestoreCells, as webs keep cells empty.
    void EmptyCells(const std::vector<int32_t>& cells)
    {
        for (const int32_t cell : cells) {
            mTakenTiles.emplace_back(cell, Board().mCells[cell]);
            Board().mCells[cell] = nullptr;
        }
    }
    void RestoreCells()
    {
        for (const auto& [cell, tile] : mTakenTiles)
            Board().mCells[cell] = tile;
        mTakenTiles.clear();
    }
    // A test that stopped early still gives the board its tiles back to release.
    void TearDown() override
    {
        if (!mTakenTiles.empty())
            RestoreCells();
        PlayFixture::TearDown();
    }

    // The chain's tiles leave as after an accepted chain and the board settles again.
    void RemoveChain(const std::vector<int32_t>& cells)
    {
        Board().mChain = Tiles(cells);
        Board().ComputeFallDistances();
        Board().RemoveSelectedTiles();
        Board().ApplyGravity();
        Board().SetPhase(PHASE_SETTLE);
        ASSERT_GE(RunUntilIdle(), 0);
    }

    void SeedBoth(const uint32_t seed)
    {
        Zest::SRand(seed);
        mApp->GetGameRandom().Seed(seed);
    }

    std::vector<std::pair<int32_t, BoardTile*>> mTakenTiles;
};

std::vector<int32_t> Range(const int32_t first, const int32_t last)
{
    std::vector<int32_t> cells;
    for (int32_t cell = first; cell <= last; ++cell)
        cells.push_back(cell);
    return cells;
}

// The cells of an anchored frame shape, from the anchor.
std::vector<int32_t> AnchoredCells(const int32_t shape, const int32_t anchor)
{
    switch (shape) {
    case 0: return {anchor, anchor + 1};
    case 1: return {anchor, anchor + 6};
    case 2: return {anchor, anchor + 1, anchor + 2};
    case 3: return {anchor, anchor + 6, anchor + 12};
    case 4: return {anchor, anchor + 1, anchor + 6, anchor + 7};
    default: return {anchor, anchor + 6, anchor + 7};
    }
}

// Every cell of the figure on the board and in one connected piece: no cell may wrap round
// the end of a row or fall off the bottom.
void ExpectFigureOnBoard(const int32_t shape, const int32_t anchor)
{
    const int32_t column = anchor % kColumns;
    const int32_t row = anchor / kColumns;
    for (const int32_t cell : AnchoredCells(shape, anchor)) {
        EXPECT_LT(cell, GameBoard::kCells) << "shape " << shape << " anchor " << anchor;
        EXPECT_LE(std::abs(cell % kColumns - column), 2) << "shape " << shape << " anchor " << anchor;
        EXPECT_GE(cell % kColumns, column) << "shape " << shape << " anchor " << anchor;
        EXPECT_GE(cell / kColumns, row) << "shape " << shape << " anchor " << anchor;
    }
}

TEST_F(BoardPlatesTest, PickedFramesKeepToTheStagesShapesAndLieOnTiles)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_FOOD_CHAIN));
    // Columns 0 and 1 empty below row 0, as under webs: anchors must find the tiles.
    std::vector<int32_t> emptied;
    for (int32_t row = 1; row < GameBoard::kRows; ++row)
        emptied.insert(emptied.end(), {row * kColumns, row * kColumns + 1});
    EmptyCells(emptied);

    const struct {
        int32_t maxShape;
        std::set<int32_t> shapes;
    } cases[] = {
        {0, {0}}, {1, {0, 1}}, {5, {0, 1, 2, 3, 4, 5}}, {6, {6}}, {8, {6, 7, 8}},
        // Limits no shape exists for, as a damaged saved stage may hold.
        {-3, {0}}, {12, {6, 7, 8}},
    };
    GameBoard& board = Board();
    for (const auto& [maxShape, shapes] : cases) {
        Session().mStage.mMaxFrameShape = maxShape;
        std::set<int32_t> seen;
        bool diagonalNeighbours = false;
        for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
            SeedBoth(seed);
            board.PickFrame(false);
            const int32_t shape = board.mFrameShape;
            seen.insert(shape);
            ASSERT_TRUE(shapes.count(shape)) << "max " << maxShape << " seed " << seed << " shape " << shape;
            if (shape < 6) {
                const int32_t anchor = board.mFrameAnchor;
                ASSERT_GE(anchor, kColumns) << "the anchor is never in row 0; seed " << seed;
                EXPECT_NE(board.TileAtIndex(anchor), nullptr) << "seed " << seed << " anchor " << anchor;
                ExpectFigureOnBoard(shape, anchor);
                continue;
            }
            EXPECT_EQ(board.mFrameAnchor, GameBoard::kNoFrame);
            const std::vector<int32_t>& cells = board.mFrameCells;
            ASSERT_EQ(cells.size(), static_cast<size_t>(shape - 4)) << "seed " << seed;
            for (size_t a = 0; a < cells.size(); ++a) {
                EXPECT_TRUE(cells[a] >= 0 && cells[a] < GameBoard::kCells) << cells[a];
                for (size_t b = a + 1; b < cells.size(); ++b) {
                    const int32_t apart = std::abs(cells[a] - cells[b]);
                    EXPECT_TRUE(apart != 0 && apart != 1 && apart != kColumns)
                        << "seed " << seed << ": cells " << cells[a] << " and " << cells[b];
                    diagonalNeighbours |= apart == kColumns - 1 || apart == kColumns + 1;
                }
            }
        }
        EXPECT_EQ(seen, shapes) << "max " << maxShape;
        if (maxShape >= 6) {
            EXPECT_TRUE(diagonalNeighbours) << "scattered cells may touch diagonally";
        }
    }
}

TEST_F(BoardPlatesTest, NoFrameIsPickedWhenNoCellCanAnchorTheFigure)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_MATCH_SAME));
    // Every anchor lies in rows 1 to 4; only row 0 keeps its tiles.
    EmptyCells(Range(kColumns, GameBoard::kCells - 1));
    GameBoard& board = Board();
    for (int32_t maxShape = 0; maxShape < 6; ++maxShape) {
        Session().mStage.mMaxFrameShape = maxShape;
        for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
            SeedBoth(seed);
            board.mFrameShape = 4;
            board.mFrameAnchor = 14;
            board.PickFrame(true);
            ASSERT_EQ(board.mFrameShape, GameBoard::kNoFrame) << "max " << maxShape << " seed " << seed;
            ASSERT_EQ(board.mFrameAnchor, GameBoard::kNoFrame) << "max " << maxShape << " seed " << seed;
        }
    }
    // Scattered cells need no tiles.
    Session().mStage.mMaxFrameShape = 8;
    board.PickFrame(false);
    EXPECT_GE(board.mFrameShape, 6);
}

TEST_F(BoardPlatesTest, MatchPairsAndMatchSearchKeepTheFrameTheyHave)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_MATCH_SAME));
    GameBoard& board = Board();
    for (const int32_t mode : {MODE_MATCH_PAIRS, MODE_MATCH_SEARCH}) {
        Session().mStage.mMode = mode;
        board.mFrameShape = 2;
        board.mFrameAnchor = 20;
        board.PickFrame(true);
        EXPECT_EQ(board.mFrameShape, 2) << "mode " << mode;
        EXPECT_EQ(board.mFrameAnchor, 20) << "mode " << mode;
    }
}

TEST_F(BoardPlatesTest, AFrameCountsOnlyWhenEveryCellShowsOneUnlockedCreature)
{
    // In food chain two tiles of one creature never form a chain: the frame is tested as
    // match same whatever the stage's mode.
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_FOOD_CHAIN));
    GameBoard& board = Board();
    constexpr int32_t kSquare = 4;
    constexpr int32_t kScatteredThree = 7;
    const std::vector<int32_t> scattered = {0, 14, 35};
    const struct {
        const char* what;
        int32_t shape;
        int32_t odd;
        int32_t oddLock;
        bool oddCreature;
        bool emptyOdd;
        bool counts;
    } cases[] = {
        {"a square of one creature", kSquare, -1, LOCK_NONE, false, false, true},
        {"scattered cells of one creature", kScatteredThree, -1, LOCK_NONE, false, false, true},
        {"a caged cell", kSquare, 21, LOCK_CAGE, false, false, false},
        {"a webbed first cell", kSquare, 14, LOCK_SPIDER_WEB, false, false, false},
        {"another creature", kScatteredThree, 35, LOCK_NONE, true, false, false},
        {"an empty cell", kScatteredThree, 14, LOCK_NONE, false, true, false},
    };
    for (const auto& [what, shape, odd, oddLock, oddCreature, emptyOdd, counts] : cases) {
        FillWith(Nth(kCapybara));
        board.ClearSelection();
        board.mFrameShape = shape;
        board.mFrameAnchor = shape == kSquare ? 14 : GameBoard::kNoFrame;
        board.mFrameCells = shape == kSquare ? std::vector<int32_t>{} : scattered;
        if (odd >= 0) {
            board.TileAtIndex(odd)->mLock = oddLock;
            if (oddCreature)
                Put(odd, Nth(kJaguar));
            if (emptyOdd)
                EmptyCells({odd});
        }

        EXPECT_EQ(board.CheckFrame(false), counts) << what;
        EXPECT_TRUE(board.mChain.empty()) << what;
        for (const BoardTile* const tile : board.mCells)
            EXPECT_TRUE(tile == nullptr || !tile->mSelected) << what;
        RestoreCells();
    }
    FillWith(Nth(kCapybara));
    board.mFrameShape = kSquare;
    board.mFrameAnchor = 14;
    EXPECT_TRUE(board.CheckFrame(true)) << "handed to the session as a chain";
}

TEST_F(BoardPlatesTest, AFrameIsNotTestedWhileThePlayerBuildsAChainOrWithoutAKnownShape)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_MATCH_SAME));
    GameBoard& board = Board();
    FillWith(Nth(kCapybara));
    board.mFrameShape = 0;
    board.mFrameAnchor = 30;
    BoardTile* const pressed = board.TileAtIndex(3);
    ASSERT_TRUE(board.TryAddToSelection(pressed, MODE_MATCH_SAME));

    EXPECT_FALSE(board.CheckFrame(true));
    EXPECT_EQ(board.mChain, std::vector<BoardTile*>{pressed});
    EXPECT_TRUE(pressed->mSelected);

    board.ClearSelection();
    for (const int32_t shape : {GameBoard::kNoFrame, 42}) {
        board.mFrameShape = shape;
        EXPECT_FALSE(board.CheckFrame(true)) << "shape " << shape;
    }
}

TEST_F(BoardPlatesTest, ChainsClearThePlatesUnderThemAndTheLastOneSetsTheKindsFlagOnce)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_MATCH_SAME, kSilver));
    GameBoard& board = Board();
    EXPECT_EQ(board.mPlates, std::vector<int32_t>(GameBoard::kCells, kSilver));
    EXPECT_EQ(board.CountPlatesLeft(), GameBoard::kCells);
    const std::vector<bool> noFlags = {false, false, false};
    EXPECT_EQ(board.mPlateBonusFlags, noFlags);

    ASSERT_NO_FATAL_FAILURE(RemoveChain(Range(0, 29)));
    EXPECT_EQ(board.CountPlatesLeft(), kColumns);
    for (int32_t cell = 0; cell < 30; ++cell)
        EXPECT_EQ(board.mPlates[cell], -2) << "new tiles bring no plate back: cell " << cell;
    EXPECT_EQ(board.mPlateBonusFlags, noFlags);

    ASSERT_NO_FATAL_FAILURE(RemoveChain(Range(30, 35)));
    EXPECT_EQ(board.CountPlatesLeft(), 0);
    const std::vector<bool> silverGiven = {false, true, false};
    EXPECT_EQ(board.mPlateBonusFlags, silverGiven);

    // A restarted stage keeps its plates and what was given; a new stage lays them again.
    const std::vector<int32_t> cleared = board.mPlates;
    board.mKeepPlates = true;
    board.Rebuild();
    board.SetPhase(PHASE_DEAL_IN);
    ASSERT_GE(RunUntilIdle(), 0);
    EXPECT_EQ(board.mPlates, cleared);
    EXPECT_EQ(board.mPlateBonusFlags, silverGiven);
    ASSERT_NO_FATAL_FAILURE(RemoveChain({7}));
    EXPECT_EQ(board.mPlateBonusFlags, silverGiven);

    board.mKeepPlates = false;
    board.Rebuild();
    board.SetPhase(PHASE_DEAL_IN);
    ASSERT_GE(RunUntilIdle(), 0);
    EXPECT_EQ(board.mPlates, std::vector<int32_t>(GameBoard::kCells, kSilver));
    EXPECT_EQ(board.mPlateBonusFlags, noFlags);
}

TEST_F(BoardPlatesTest, AStageWithoutPlatesKeepsThemAllLeftAndSetsNoFlag)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_MATCH_SAME, kNoPlateKind));
    GameBoard& board = Board();
    EXPECT_EQ(board.mPlates, std::vector<int32_t>(GameBoard::kCells, kNoPlateKind));
    ASSERT_NO_FATAL_FAILURE(RemoveChain(Range(0, GameBoard::kCells - 1)));
    EXPECT_EQ(board.CountPlatesLeft(), GameBoard::kCells);
    EXPECT_EQ(board.mPlateBonusFlags, std::vector<bool>(3, false));
}

TEST_F(BoardPlatesTest, LineTestsFindTheColumnRowOrDiagonalAChainFills)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_FOOD_CHAIN));
    const struct {
        const char* what;
        std::vector<int32_t> cells;
        bool column;
        bool row;
        bool diagonal;
    } cases[] = {
        {"column 2", {2, 8, 14, 20, 26, 32}, true, false, false},
        {"row 4 and one above", {23, 24, 25, 26, 27, 28, 29}, false, true, false},
        {"from top left to bottom right", {0, 7, 14, 21, 28, 35}, false, false, true},
        {"from bottom left to top right", {30, 25, 20, 15, 10, 5}, false, false, true},
        {"five of column 2 and one beside", {2, 8, 14, 20, 26, 33}, false, false, false},
        {"five of row 4 over two rows", {24, 25, 26, 27, 28, 35}, false, false, false},
        {"half of each diagonal", {0, 7, 14, 15, 10, 5}, false, false, false},
    };
    for (const auto& [what, cells, column, row, diagonal] : cases) {
        Board().mChain = Tiles(cells);
        EXPECT_EQ(Board().IsFullColumn(), column) << what;
        EXPECT_EQ(Board().IsFullRow(), row) << what;
        EXPECT_EQ(Board().IsFullDiagonal(), diagonal) << what;
    }
    Board().mChain.clear();
}

} // namespace
