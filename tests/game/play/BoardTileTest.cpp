#include "framework/app/common/RuntimeRandom.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/Creature.h"
#include "game/GameRandom.h"
#include "game/GameStats.h"
#include "game/Habitat.h"
#include "game/Res.h"
#include "game/play/PlayHost.h"
#include "game/screens/MenuServices.h"
#include "tests/game/play/PlayFixture.h"
#include "tests/game/play/PlayRecorders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using Tests::Blit;
using Tests::RecordingScreen;
using Tests::SoundLog;

std::unique_ptr<RecordingScreen> DrawnBy(BoardTile& tile)
{
    auto destination = std::make_unique<RecordingScreen>(1000, 1000);
    Zest::Graphics g(destination.get());
    tile.Draw(&g);
    return destination;
}

// A dealt Amazon board at rest, its sounds recorded. Tiles are placed where a rule needs them and
// stepped by hand; the board's own update does not run unless a test runs frames.
class BoardTileTest : public Tests::PlayFixture {
protected:
    void SetUp() override
    {
        PlayFixture::SetUp();
        // Both generators seeded before the board is dealt, so every run deals the same board.
        ASSERT_NO_FATAL_FAILURE(StartPlay(0, [](GameSession& session) {
            Zest::SRand(7);
            session.mHost.GetGameRandom().Seed(7);
        }));
        ASSERT_NE(RunUntilIdle(), -1) << "the board never came to rest";
        mSounds = std::make_unique<SoundLog>(GetMenuServices());
        SetMenuServices(mSounds.get());
    }

    void TearDown() override
    {
        SetMenuServices(nullptr);
        PlayFixture::TearDown();
    }

    Creature& Animal()
    {
        for (const std::unique_ptr<Creature>& creature : Board().mHabitat->mCreatures) {
            if (creature->mLevel > 0)
                return *creature;
        }
        ADD_FAILURE() << "the habitat has no animal";
        return *Board().mHabitat->mCreatures.front();
    }

    Creature& Item(const std::string& name)
    {
        Creature* const item = Board().mHabitat->FindCreature(name);
        EXPECT_NE(item, nullptr) << name;
        return item != nullptr ? *item : Animal();
    }

    // A new idle tile of the creature in the cell, in place of the one there.
    BoardTile& Place(Creature& creature, const int32_t column, const int32_t row)
    {
        Empty(column, row);
        BoardTile* const tile = Board().CreateTile(&creature, column, row, 0);
        Board().SetTileAt(column, row, tile);
        tile->SetState(TILE_IDLE);
        return *tile;
    }

    void Empty(const int32_t column, const int32_t row)
    {
        BoardTile* const old = Board().GetTile(column, row);
        if (old == nullptr)
            return;
        Board().ClearCell(old);
        GetMenuServices().DeferDeleteWidget(old);
    }

    // A tile off the grid, in its own hands.
    std::unique_ptr<BoardTile> Loose(Creature& creature)
    {
        return std::unique_ptr<BoardTile>(Board().CreateTile(&creature, 0, 0, 0));
    }

    bool Played(const int soundId) const
    {
        return std::find(mSounds->mSounds.begin(), mSounds->mSounds.end(), soundId) != mSounds->mSounds.end();
    }

    std::unique_ptr<SoundLog> mSounds;
};

TEST_F(BoardTileTest, FallingTileMovesEightPixelsAnUpdateForTwoCellsAndLandsOnTheNextUpdate)
{
    BoardTile& tile = Place(Animal(), 2, 3);
    const int32_t cellY = tile.mY;
    tile.mTargetY = cellY;
    tile.mDropCells = 2;
    tile.mDropRemaining = 178;
    tile.Move(tile.mX, cellY - 178);
    tile.SetState(TILE_FALLING);

    for (int update = 1; update <= 23; ++update) {
        tile.UpdateSmooth(1.0f);
        ASSERT_EQ(tile.mY, std::min(cellY - 178 + 8 * update, cellY)) << "update " << update;
        ASSERT_EQ(tile.mState, TILE_FALLING) << "update " << update;
    }
    tile.UpdateSmooth(1.0f);
    EXPECT_EQ(tile.mState, TILE_IDLE);
    EXPECT_EQ(tile.mY, cellY);
    EXPECT_EQ(tile.mDropCells, 0);
    EXPECT_EQ(tile.mDropRemaining, 0);
}

TEST_F(BoardTileTest, HunterJumpsOnlyWhenItLandsAboveTheBottomRow)
{
    struct Case {
        int32_t mRow;
        int32_t mPhaseAfter;
    };
    for (const Case& c : {Case{2, PHASE_HUNTER_JUMP}, Case{5, PHASE_IDLE}}) {
        SCOPED_TRACE(c.mRow);
        Board().mPhase = PHASE_IDLE;
        BoardTile& hunter = Place(Item("hunter"), 0, c.mRow);
        hunter.mTargetY = hunter.mY;
        hunter.mDropCells = 1;
        hunter.SetState(TILE_FALLING);
        hunter.UpdateSmooth(1.0f);
        EXPECT_EQ(hunter.mState, TILE_IDLE);
        EXPECT_EQ(Board().mPhase, c.mPhaseAfter);
    }
}

TEST_F(BoardTileTest, OnlyAnUnlockedTileAtRestJoinsTheChainByPressOrDrag)
{
    struct Case {
        const char* mName;
        int32_t mLock;
        int32_t mState;
        int32_t mDropCells;
        bool mByDrag;
        bool mOverBefore;
        bool mJoins;
        bool mOverAfter;
    };
    const Case cases[] = {
        {"pressed at rest", LOCK_NONE, TILE_IDLE, 0, false, false, true, true},
        {"dragged onto at rest", LOCK_NONE, TILE_IDLE, 0, true, false, true, true},
        {"pressed in a web", LOCK_SPIDER_WEB, TILE_IDLE, 0, false, false, false, false},
        {"dragged onto in a cage", LOCK_CAGE, TILE_IDLE, 0, true, true, false, true},
        {"dragged onto under bananas", LOCK_BANANAS, TILE_IDLE, 0, true, false, false, false},
        {"pressed while falling", LOCK_NONE, TILE_FALLING, 0, false, false, false, true},
        {"dragged onto with cells to fall", LOCK_NONE, TILE_IDLE, 1, true, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        Board().ClearSelection();
        mSounds->mSounds.clear();
        BoardTile& tile = Place(Animal(), 3, 2);
        if (c.mLock != LOCK_NONE)
            tile.SetLock(c.mLock);
        tile.SetState(c.mState);
        tile.mDropCells = c.mDropCells;
        tile.mIsOver = c.mOverBefore;

        if (c.mByDrag)
            tile.MouseEnter();
        else
            tile.MouseButtonDown(0, 0, 0, 1);

        EXPECT_EQ(Board().IsInSelection(&tile), c.mJoins);
        EXPECT_EQ(tile.mSelected, c.mJoins);
        EXPECT_EQ(Played(SOUND_NUMBER_COUNTING), c.mJoins);
        EXPECT_EQ(tile.mIsOver, c.mOverAfter);
    }
}

TEST_F(BoardTileTest, InfectionTrapsTheTileOnItsHundredFiftiethUpdateAndSpreadsToItsSides)
{
    BoardTile& infected = Place(Animal(), 2, 2);
    const std::vector<BoardTile*> sides = {&Place(Animal(), 1, 2), &Place(Animal(), 3, 2), &Place(Animal(), 2, 1),
                                           &Place(Animal(), 2, 3)};
    const BoardTile& diagonal = Place(Animal(), 1, 1);
    infected.SetInfected(true);
    ASSERT_EQ(infected.mState, TILE_INFECTED);

    for (int update = 1; update < BoardTile::kInfectionUpdates; ++update)
        infected.UpdateSmooth(1.0f);
    EXPECT_EQ(infected.mState, TILE_INFECTED);
    EXPECT_FALSE(infected.mTrapped);
    EXPECT_FALSE(sides.front()->mInfected);

    infected.UpdateSmooth(1.0f);
    EXPECT_EQ(infected.mState, TILE_IDLE);
    EXPECT_TRUE(infected.mTrapped);
    EXPECT_FALSE(infected.mInfected);
    EXPECT_EQ(infected.mLockAnim.mStatus, ANIM_RUNNING);
    for (const BoardTile* const side : sides) {
        EXPECT_TRUE(side->mInfected);
        EXPECT_EQ(side->mState, TILE_INFECTED);
    }
    EXPECT_FALSE(diagonal.mInfected);
}

TEST_F(BoardTileTest, HitsWithinFortyThreePixelsOfTheCentre)
{
    std::unique_ptr<BoardTile> tile = Loose(Animal());
    tile->Resize(100, 200, 86, 86);
    const auto [centreX, centreY] = tile->GetCenter();
    EXPECT_EQ(centreX, 143.0f);
    EXPECT_EQ(centreY, 243.0f);

    struct Case {
        int32_t mDx;
        int32_t mDy;
        bool mHits;
    };
    // (43, 1) lies 43.01 pixels away; (31, 31) 43.8.
    const Case cases[] = {{0, 0, true},   {43, 0, true},  {0, -43, true},  {-43, 0, true},
                          {30, 30, true}, {43, 1, false}, {31, 31, false}, {0, 44, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.mDx << ", " << c.mDy << ")");
        EXPECT_EQ(tile->HitTest(143 + c.mDx, 243 + c.mDy), c.mHits);
    }

    // Odd sizes put the centre on the lower half pixel.
    tile->Resize(100, 200, 85, 87);
    const auto [oddX, oddY] = tile->GetCenter();
    EXPECT_EQ(oddX, 142.0f);
    EXPECT_EQ(oddY, 243.0f);
}

TEST_F(BoardTileTest, AppearingBodyIsHiddenUpToCellSeventeenAndOpaqueWithinSevenDrawsFromCellEighteen)
{
    std::unique_ptr<BoardTile> tile = Loose(Animal());
    tile->SetState(TILE_APPEARING);
    std::vector<int32_t> alphas;
    for (int frame = 0; frame < 200; ++frame) {
        tile->UpdateSmooth(1.0f);
        if (tile->mState != TILE_APPEARING)
            break;
        const int32_t cell = tile->mAppearAnim.mFrame;
        const std::unique_ptr<RecordingScreen> drawn = DrawnBy(*tile);
        ASSERT_NE(drawn->Find(IMAGE_GAME_EFFECTANIM_TILE_SHOWING_UP), nullptr) << "frame " << frame;
        const Blit* const body = drawn->Find(tile->mTileImage);
        if (cell < 18) {
            ASSERT_EQ(body, nullptr) << "cell " << cell;
            continue;
        }
        ASSERT_NE(body, nullptr) << "cell " << cell;
        alphas.push_back(body->mColor.mAlpha);
    }
    ASSERT_GE(alphas.size(), 7u);
    EXPECT_EQ(std::vector<int32_t>(alphas.begin(), alphas.begin() + 7),
              (std::vector<int32_t>{42, 84, 126, 168, 210, 252, 255}));
    EXPECT_EQ(tile->mState, TILE_IDLE);
    EXPECT_EQ(tile->mAlpha, 255);
    EXPECT_EQ(tile->mAppearAnim.mStatus, ANIM_READY);
    EXPECT_FALSE(tile->IsAppearing());
}

TEST_F(BoardTileTest, GenderSymbolShowsOnlyOnAnimalsInMatchPairsOutsideTheClearOut)
{
    struct Case {
        const char* mName;
        int32_t mMode;
        bool mItem;
        int32_t mVariant;
        int32_t mPhase;
        bool mSelected;
        Zest::Image* mSymbol;
    };
    const Case cases[] = {
        {"male in match pairs", MODE_MATCH_PAIRS, false, 0, PHASE_IDLE, false, IMAGE_GAME_GENDER_MALE},
        {"female in match pairs", MODE_MATCH_PAIRS, false, 1, PHASE_IDLE, false, IMAGE_GAME_GENDER_FEMALE},
        {"item in match pairs", MODE_MATCH_PAIRS, true, 0, PHASE_IDLE, false, nullptr},
        {"selected item in match pairs", MODE_MATCH_PAIRS, true, 1, PHASE_IDLE, true, nullptr},
        {"animal in food chain", MODE_FOOD_CHAIN, false, 0, PHASE_IDLE, false, nullptr},
        {"animal in the clear-out", MODE_MATCH_PAIRS, false, 0, PHASE_CLEAR_OUT, false, nullptr},
        {"animal in the twirl", MODE_MATCH_PAIRS, false, 1, PHASE_TWIRL, false, nullptr},
        // A chain tile draws the symbol whatever the board's phase.
        {"selected animal in the twirl", MODE_MATCH_PAIRS, false, 1, PHASE_TWIRL, true, IMAGE_GAME_GENDER_FEMALE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        Session().mMode = c.mMode;
        Board().mPhase = c.mPhase;
        std::unique_ptr<BoardTile> tile = Loose(c.mItem ? Item("torch") : Animal());
        tile->SetState(TILE_IDLE);
        tile->mVariant = c.mVariant;
        tile->mSelected = c.mSelected;

        const std::unique_ptr<RecordingScreen> drawn = DrawnBy(*tile);
        ASSERT_NE(drawn->Find(tile->mTileImage), nullptr);
        const Blit* const male = drawn->Find(IMAGE_GAME_GENDER_MALE);
        const Blit* const female = drawn->Find(IMAGE_GAME_GENDER_FEMALE);
        EXPECT_EQ(male != nullptr, c.mSymbol == IMAGE_GAME_GENDER_MALE);
        EXPECT_EQ(female != nullptr, c.mSymbol == IMAGE_GAME_GENDER_FEMALE);
        const Blit* const symbol = male != nullptr ? male : female;
        if (symbol != nullptr) {
            EXPECT_EQ(symbol->mX, 64.0f);
            EXPECT_EQ(symbol->mY, 0.0f);
        }
    }
}

TEST_F(BoardTileTest, WashedBananasPlayTheWaterOutThenTheTileReturnsAndCounts)
{
    BoardTile& tile = Place(Animal(), 2, 2);
    tile.SetLock(LOCK_BANANAS);
    const int32_t clearedBefore = Session().mStats->mBananasCleared;
    // What the board does when the water is used on the bananas.
    tile.ResetEffectLayers(1);
    tile.SetLock(LOCK_NONE);
    tile.SetState(TILE_UNLOCKING);
    ASSERT_TRUE(Board().mDisabled);

    int updates = 0;
    while (tile.mWaterAnim.mStatus == ANIM_RUNNING && updates < 200) {
        tile.UpdateSmooth(1.0f);
        ++updates;
    }
    ASSERT_LT(updates, 200) << "the water never ended";
    EXPECT_GT(updates, 16);
    EXPECT_EQ(tile.mState, TILE_UNLOCKING);
    EXPECT_EQ(tile.mPrevLock, LOCK_BANANAS);
    EXPECT_NE(DrawnBy(tile)->Find(IMAGE_GAME_BANANAS), nullptr) << "the bananas show until they are washed away";
    EXPECT_TRUE(Board().mDisabled);
    EXPECT_FALSE(Played(SOUND_SURPRISE_3));

    tile.UpdateSmooth(1.0f);
    EXPECT_EQ(tile.mState, TILE_IDLE);
    EXPECT_EQ(tile.mPrevLock, LOCK_NONE);
    EXPECT_EQ(tile.mLockImage, nullptr);
    EXPECT_FALSE(Board().mDisabled);
    EXPECT_EQ(Session().mStats->mBananasCleared, clearedBefore + 1);
    EXPECT_TRUE(Played(SOUND_SURPRISE_3));
}

TEST_F(BoardTileTest, BurntWebWithoutAFireballFallsIntoTheEmptyCellsBelowAndItsColumnRefills)
{
    BoardTile& tile = Place(Animal(), 4, 3);
    tile.SetLock(LOCK_SPIDER_WEB);
    // The cells under a web stay empty.
    Empty(4, 4);
    Empty(4, 5);
    const int32_t bottomY = tile.mY + 2 * GameBoard::kCellPitch;
    const int32_t burntBefore = Session().mStats->mWebsBurnt;
    tile.SetLock(LOCK_NONE);
    tile.SetState(TILE_UNLOCKING);
    ASSERT_TRUE(Board().mDisabled);
    // The burst the burnt web started is over at once.
    Session().mFireballs.front().mStatus = ANIM_FINISHED;

    // No fireball runs, so nothing is waited for and no layer plays.
    tile.UpdateSmooth(1.0f);
    EXPECT_EQ(Board().GetTile(4, 5), &tile);
    EXPECT_EQ(tile.mState, TILE_FALLING);
    EXPECT_EQ(tile.mTargetY, bottomY);
    EXPECT_EQ(tile.mDropRemaining, 2 * GameBoard::kCellPitch);
    for (int32_t row = 0; row < GameBoard::kRows; ++row)
        EXPECT_NE(Board().GetTile(4, row), nullptr) << "row " << row;
    EXPECT_FALSE(Board().mDisabled);
    EXPECT_EQ(tile.mPrevLock, LOCK_NONE);
    EXPECT_EQ(tile.mLockImage, nullptr);
    EXPECT_EQ(Session().mStats->mWebsBurnt, burntBefore);
    EXPECT_TRUE(Played(SOUND_SURPRISE_3));
}

TEST_F(BoardTileTest, ItemInTheBottomRowIsPlayedAsAChainOnlyWhileTheBoardIsIdleAndSettled)
{
    struct Case {
        const char* mName;
        int32_t mRow;
        int32_t mPhase;
        bool mSettled;
        bool mCollected;
    };
    const Case cases[] = {
        {"bottom row, idle and settled", 5, PHASE_IDLE, true, true},
        {"row above", 4, PHASE_IDLE, true, false},
        {"bottom row while settling", 5, PHASE_SETTLE, true, false},
        {"bottom row, another tile falling", 5, PHASE_IDLE, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        Board().mPhase = c.mPhase;
        BoardTile& other = Place(Animal(), 0, 0);
        BoardTile& falling = Place(Animal(), 5, 0);
        if (!c.mSettled)
            falling.SetState(TILE_FALLING);
        BoardTile& item = Place(Item("torch"), 1, c.mRow);
        Board().ClearSelection();
        ASSERT_TRUE(Board().TryAddToSelection(&other, Session().mMode));

        item.UpdateSmooth(1.0f);

        // The item is taken into a chain of its own, which the session processes.
        EXPECT_EQ(Board().IsInSelection(&other), !c.mCollected);
        EXPECT_EQ(other.mSelected, !c.mCollected);
        EXPECT_EQ(item.mTimer, c.mCollected ? 0.0f : 1.0f) << "a selection restarts the tile's timer";
        Board().ClearSelection();
        Empty(1, c.mRow);
    }
}

TEST_F(BoardTileTest, CageInTheBottomRowIsFreedWhileTheBoardIsIdle)
{
    struct Case {
        const char* mName;
        int32_t mRow;
        int32_t mPhase;
        bool mSettled;
        bool mFreed;
    };
    const Case cases[] = {
        {"bottom row, idle", 5, PHASE_IDLE, true, true},
        {"bottom row, idle, another tile falling", 5, PHASE_IDLE, false, true},
        {"row above", 4, PHASE_IDLE, true, false},
        {"bottom row while settling", 5, PHASE_SETTLE, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mName);
        mSounds->mSounds.clear();
        Board().mPhase = c.mPhase;
        BoardTile& falling = Place(Animal(), 5, 0);
        if (!c.mSettled)
            falling.SetState(TILE_FALLING);
        BoardTile& caged = Place(Animal(), 2, c.mRow);
        caged.SetLockByImage(IMAGE_GAME_CAGE);
        caged.mLockAnim.mStatus = ANIM_FINISHED;

        caged.UpdateSmooth(1.0f);

        EXPECT_EQ(caged.mState, TILE_IDLE);
        if (c.mFreed) {
            EXPECT_EQ(caged.mLock, LOCK_NONE);
            EXPECT_EQ(caged.mPrevLock, LOCK_NONE);
            EXPECT_EQ(caged.mLockImage, nullptr);
            EXPECT_EQ(caged.mLockAnim.mStatus, ANIM_RUNNING);
            EXPECT_EQ(mSounds->mSounds, (std::vector<int>{SOUND_CAGE_RELEASE_REAL, SOUND_SURPRISE_3}));
        } else {
            EXPECT_EQ(caged.mLock, LOCK_CAGE);
            EXPECT_EQ(caged.mLockImage, IMAGE_GAME_CAGE);
            EXPECT_TRUE(mSounds->mSounds.empty());
        }
        Empty(2, c.mRow);
    }
}

} // namespace
