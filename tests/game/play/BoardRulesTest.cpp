#include "framework/app/common/RuntimeRandom.h"
#include "game/Creature.h"
#include "game/GameRandom.h"
#include "game/Habitat.h"
#include "tests/game/play/PlayFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

// The Amazon's creatures by their place in its list.
constexpr size_t kJaguar = 1;
constexpr size_t kCapybara = 2;
constexpr size_t kTapir = 3;
constexpr size_t kLeaves = 6;

constexpr uint32_t kSeeds = 200;

// An idle Amazon board whose tiles a test rewrites to build the situation a rule needs.
class BoardRulesTest : public Tests::PlayFixture {
protected:
    void StartIdle(const int32_t mode = MODE_MATCH_SAME)
    {
        ASSERT_NO_FATAL_FAILURE(StartPlay(0, [mode](GameSession& session) {
            session.mStage.mMode = mode;
            session.mMode = mode;
        }));
        ASSERT_GE(RunUntilIdle(), 0);
    }

    Creature* Item(const std::string& name)
    {
        Creature* const item = Session().mHabitat->FindCreature(name);
        EXPECT_NE(item, nullptr) << name;
        return item;
    }

    // The tile of the cell shows the creature, plain and idle, without marks.
    BoardTile* Put(const int32_t column, const int32_t row, Creature* const creature, const int32_t variant = 0)
    {
        BoardTile* const tile = Board().GetTile(column, row);
        EXPECT_NE(tile, nullptr) << column << ", " << row;
        tile->mCreature = creature;
        tile->mLevel = creature->mLevel;
        tile->mVariant = variant;
        tile->mLock = LOCK_NONE;
        tile->mSelected = false;
        tile->mTrapped = false;
        tile->mSearchMark = false;
        tile->SetInfected(false);
        Board().mRescuedCells[row * GameBoard::kColumns + column] = false;
        return tile;
    }

    // Every cell a plain capybara.
    void FillPlain()
    {
        for (int32_t row = 0; row < GameBoard::kRows; ++row) {
            for (int32_t column = 0; column < GameBoard::kColumns; ++column)
                Put(column, row, Nth(kCapybara));
        }
    }

    // Row 0 caged, row 1 items: only rows 2 to 5 are plain.
    void BlockTopRows()
    {
        for (int32_t column = 0; column < GameBoard::kColumns; ++column) {
            Put(column, 0, Nth(kCapybara))->mLock = LOCK_CAGE;
            Put(column, 1, Item("torch"));
        }
    }

    // Rows 0..4 hold only caged creatures and items.
    void LockAllButTheBottomRow()
    {
        for (int32_t index = 0; index < GameBoard::kCells - GameBoard::kColumns; ++index) {
            BoardTile* const tile = Board().TileAtIndex(index);
            if (index % 2 == 0)
                tile->mLock = LOCK_CAGE;
            else
                Put(index % GameBoard::kColumns, index / GameBoard::kColumns, Item("water"));
        }
    }

    std::vector<BoardTile*> Infected()
    {
        std::vector<BoardTile*> infected;
        for (BoardTile* const tile : Board().mCells) {
            if (tile != nullptr && tile->mInfected)
                infected.push_back(tile);
        }
        return infected;
    }

    bool IsPlain(const BoardTile* const tile) const { return tile->mLock == LOCK_NONE && tile->mLevel >= 0; }
};

TEST_F(BoardRulesTest, ASameLevelTileReplacesTheLastOnlyWhenItIsNextToTheTileBefore)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle());
    Habitat& habitat = *Session().mHabitat;
    // A food chain goes on only through a link with its last tile, and the Amazon links no
    // two creatures of one level: this game's habitat gets such a link.
    ASSERT_FALSE(habitat.IsFoodLink(Nth(kTapir), Nth(kCapybara)));
    habitat.AddFoodLink(Nth(kTapir), Nth(kCapybara));
    ASSERT_TRUE(habitat.IsFoodLink(Nth(kJaguar), Nth(kTapir)));
    ASSERT_EQ(Nth(kTapir)->mLevel, Nth(kCapybara)->mLevel);
    const struct {
        const char* what;
        int32_t column;
        int32_t row;
        bool replaces;
    } cases[] = {
        {"next to the first tile", 0, 1, true},
        {"next to the last tile only", 3, 3, false},
    };
    for (const auto& [what, column, row, replaces] : cases) {
        Board().ClearSelection();
        BoardTile* const first = Put(1, 1, Nth(kJaguar));
        BoardTile* const last = Put(2, 2, Nth(kTapir));
        BoardTile* const same = Put(column, row, Nth(kCapybara));
        ASSERT_TRUE(Board().TryAddToSelection(first, MODE_FOOD_CHAIN));
        ASSERT_TRUE(Board().TryAddToSelection(last, MODE_FOOD_CHAIN));

        EXPECT_EQ(Board().TryAddToSelection(same, MODE_FOOD_CHAIN), replaces) << what;
        const std::vector<BoardTile*> chain = replaces ? std::vector{first, same} : std::vector{first, last};
        EXPECT_EQ(Board().mChain, chain) << what;
        EXPECT_EQ(last->mSelected, !replaces) << what;
        EXPECT_EQ(same->mSelected, replaces) << what;
        EXPECT_TRUE(first->mSelected) << what;
    }
}

TEST_F(BoardRulesTest, ASecondPickAboveTheFirstEmptiesTheChain)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle());
    BoardTile* const prey = Put(2, 2, Nth(kTapir));
    BoardTile* const predator = Put(2, 3, Nth(kJaguar));
    ASSERT_TRUE(Board().TryAddToSelection(prey, MODE_FOOD_CHAIN));

    EXPECT_FALSE(Board().TryAddToSelection(predator, MODE_FOOD_CHAIN));
    EXPECT_TRUE(Board().mChain.empty());
    EXPECT_FALSE(prey->mSelected);
    EXPECT_FALSE(predator->mSelected);
}

TEST_F(BoardRulesTest, AnUnlinkedLowerTileIsRefusedWithoutBeingUnselected)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle());
    ASSERT_FALSE(Session().mHabitat->IsFoodLink(Nth(kJaguar), Nth(kLeaves)));
    BoardTile* const predator = Put(1, 1, Nth(kJaguar));
    BoardTile* const unlinked = Put(1, 2, Nth(kLeaves));
    ASSERT_TRUE(Board().TryAddToSelection(predator, MODE_FOOD_CHAIN));
    unlinked->mSelected = true;

    EXPECT_FALSE(Board().TryAddToSelection(unlinked, MODE_FOOD_CHAIN));
    EXPECT_EQ(Board().mChain, std::vector<BoardTile*>{predator});
    EXPECT_TRUE(unlinked->mSelected);
}

TEST_F(BoardRulesTest, MatchPairsTakesTwoOfOneSpeciesWithOtherVariants)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_MATCH_PAIRS));
    BoardTile* const first = Put(0, 0, Nth(kTapir), 0);
    BoardTile* const sameVariant = Put(1, 0, Nth(kTapir), 0);
    BoardTile* const otherSpecies = Put(0, 1, Nth(kCapybara), 1);
    BoardTile* const partner = Put(1, 1, Nth(kTapir), 1);
    BoardTile* const third = Put(2, 1, Nth(kTapir), 0);
    ASSERT_TRUE(Board().TryAddToSelection(first, MODE_MATCH_PAIRS));

    EXPECT_FALSE(Board().TryAddToSelection(sameVariant, MODE_MATCH_PAIRS));
    EXPECT_FALSE(Board().TryAddToSelection(otherSpecies, MODE_MATCH_PAIRS));
    EXPECT_TRUE(Board().TryAddToSelection(partner, MODE_MATCH_PAIRS));
    EXPECT_FALSE(Board().TryAddToSelection(third, MODE_MATCH_PAIRS)) << "a pair is complete";
    EXPECT_EQ(Board().mChain, (std::vector<BoardTile*>{first, partner}));
    EXPECT_FALSE(sameVariant->mSelected);
    EXPECT_FALSE(third->mSelected);
}

TEST_F(BoardRulesTest, TheHunterCagesOnlyAPlainTileAboveTheBottomRow)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle());
    BlockTopRows();
    BoardTile* const hunter = Put(3, 5, Item("hunter"));
    std::set<int32_t> targetRows;
    for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
        Board().mPhase = PHASE_IDLE;
        Zest::SRand(seed);
        Board().StartHunterJump(hunter);
        ASSERT_EQ(Board().mHunterTargets.size(), 1u) << "seed " << seed;
        const BoardTile* const target = Board().mHunterTargets[0];
        EXPECT_TRUE(IsPlain(target)) << "seed " << seed;
        targetRows.insert(Board().GetCell(target).second);

        EXPECT_EQ(Board().mPhase, PHASE_HUNTER_JUMP);
        EXPECT_EQ(Board().mPhaseBeforeHunter, PHASE_IDLE);
        EXPECT_EQ(Board().mHunterTile, hunter);
        EXPECT_EQ(Board().mHunterFrame, 0);
        // The cage flies from the hunter to the target in 40 steps.
        ASSERT_EQ(Board().mHunterSteps.size(), 1u);
        EXPECT_FLOAT_EQ(Board().mHunterOriginX + 40.0f * Board().mHunterSteps[0].first,
                        static_cast<float>(target->mX - Board().mX));
        EXPECT_FLOAT_EQ(Board().mHunterOriginY + 40.0f * Board().mHunterSteps[0].second,
                        static_cast<float>(target->mY - Board().mY));
    }
    EXPECT_EQ(targetRows, (std::set<int32_t>{2, 3, 4}));
    Board().mPhase = PHASE_IDLE;
}

TEST_F(BoardRulesTest, AHunterWithNoPlainTileAboveTheBottomRowNeverJumps)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle());
    LockAllButTheBottomRow();
    BoardTile* const hunter = Put(3, 5, Item("hunter"));
    Board().mHunterTile = nullptr;
    for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
        Zest::SRand(seed);
        Board().StartHunterJump(hunter);
        ASSERT_TRUE(Board().mHunterTargets.empty()) << "seed " << seed;
        EXPECT_EQ(Board().mPhase, PHASE_IDLE);
        EXPECT_EQ(Board().mHunterTile, nullptr);
    }
}

TEST_F(BoardRulesTest, TheInfectionSpreadsOnlySidewaysIntoPlainUnrescuedTiles)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle());
    const struct {
        const char* what;
        std::function<void(BoardTile&)> block;
    } blockers[] = {
        {"a rescued cell", [this](BoardTile& tile) { Board().mRescuedCells[Board().IndexOf(&tile)] = true; }},
        {"an item", [this](BoardTile& tile) { tile.mLevel = Item("shuffle")->mLevel; }},
        {"a locked tile", [](BoardTile& tile) { tile.mLock = LOCK_BANANAS; }},
        {"a trapped tile", [](BoardTile& tile) { tile.mTrapped = true; }},
    };
    for (const auto& [what, block] : blockers) {
        for (int32_t row = 1; row <= 3; ++row) {
            for (int32_t column = 1; column <= 3; ++column)
                Put(column, row, Nth(kCapybara));
        }
        BoardTile* const blocked = Board().GetTile(1, 2);
        block(*blocked);

        Board().SpreadInfection(Board().GetTile(2, 2));
        // Up, right and down, in cell order; never the diagonals.
        const std::vector<BoardTile*> infected = {Board().GetTile(2, 1), Board().GetTile(3, 2), Board().GetTile(2, 3)};
        EXPECT_EQ(Infected(), infected) << "around " << what;
        EXPECT_FALSE(blocked->mInfected) << what;
    }
}

TEST_F(BoardRulesTest, ASeedOfTheInfectionIsPlantedUnlessExactlyOneTileIsInfected)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle());
    for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
        FillPlain();
        BlockTopRows();
        Board().GetTile(0, 5)->mTrapped = true;
        Zest::SRand(seed);
        Board().InfectRandomTile();
        const std::vector<BoardTile*> seeded = Infected();
        ASSERT_EQ(seeded.size(), 1u) << "seed " << seed;
        EXPECT_TRUE(IsPlain(seeded[0])) << "seed " << seed;
        EXPECT_FALSE(seeded[0]->mTrapped) << "seed " << seed;

        Board().InfectRandomTile();
        EXPECT_EQ(Infected(), seeded) << "one infected tile is left to spread";
    }

    FillPlain();
    Board().GetTile(0, 0)->SetInfected(true);
    Board().GetTile(5, 5)->SetInfected(true);
    Zest::SRand(1);
    Board().InfectRandomTile();
    EXPECT_EQ(Board().CountInfected(), 3) << "two infected tiles get another seed";
}

TEST_F(BoardRulesTest, MatchSearchGetsExactlyOneTarget)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle(MODE_MATCH_SEARCH));
    for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
        FillPlain();
        mApp->GetGameRandom().Seed(seed);
        Board().PlaceSearchTargets();
        ASSERT_EQ(Board().CountSearchTargets(), 1) << "seed " << seed;
        Board().PlaceSearchTargets();
        EXPECT_EQ(Board().CountSearchTargets(), 1) << "a target on the board stays the only one";
    }

    FillPlain();
    Session().mStage.mMode = MODE_MATCH_SAME;
    Board().PlaceSearchTargets();
    EXPECT_EQ(Board().CountSearchTargets(), 0) << "only match search has targets";
}

TEST_F(BoardRulesTest, ItemsAreCountedByNameAndByLevel)
{
    ASSERT_NO_FATAL_FAILURE(StartIdle());
    FillPlain();
    EXPECT_TRUE(Board().NoItemInBottomRow());
    EXPECT_FALSE(Board().HasHunterTile());
    Put(0, 0, Item("torch"));
    Put(1, 0, Item("torch"));
    Put(2, 0, Item("water"));
    Put(3, 4, Item("hunter"));
    EXPECT_EQ(Board().CountTorchTiles(), 2);
    EXPECT_EQ(Board().CountWaterTiles(), 1);
    EXPECT_EQ(Board().CountShuffleTiles(), 0);
    EXPECT_EQ(Board().CountTilesOfLevel(Creature::LEVEL_ITEM), 3);
    EXPECT_EQ(Board().CountTilesOf(*Nth(kCapybara)), GameBoard::kCells - 4);
    EXPECT_TRUE(Board().HasHunterTile());
    EXPECT_TRUE(Board().NoItemInBottomRow()) << "row 4 is not the bottom row";
    Put(5, 5, Item("shuffle"));
    EXPECT_FALSE(Board().NoItemInBottomRow());
}

} // namespace
