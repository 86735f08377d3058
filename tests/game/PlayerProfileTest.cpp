#include "game/PlayerProfile.h"
#include "game/SaveFileReader.h"
#include "game/SavedStage.h"
#include "game/StorableBoard.h"

#include "framework/app/common/Buffer.h"
#include "tests/game/ProfileTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Tests::Bool;
using Tests::Long;
using Tests::Repeat;
using Tests::Str;

std::string BytesOf(const Zest::Buffer& buffer)
{
    return std::string(reinterpret_cast<const char*>(buffer.GetDataPtr()), static_cast<size_t>(buffer.GetDataLen()));
}

Zest::Buffer BufferOf(const std::string& bytes)
{
    Zest::Buffer buffer;
    buffer.SetData(reinterpret_cast<const uint8_t*>(bytes.data()), static_cast<int32_t>(bytes.size()));
    return buffer;
}

std::vector<int32_t> Counters(const GameStats& stats)
{
    return {stats.mMiniGameScore,   stats.mTilesTaken,  stats.mReserved2,   stats.mChainsMade,
            stats.mLongestChain,    stats.mPairsMatched, stats.mStageChains, stats.mStageMoves,
            stats.mCollectorCombos, stats.mFullColumns, stats.mFullRows,    stats.mWebsBurnt,
            stats.mBananasCleared,  stats.mFaultlessMiniGames};
}

template <size_t N>
std::string CountTrue(const std::array<bool, N>& flags)
{
    return std::to_string(std::count(flags.begin(), flags.end(), true));
}

std::string Join(const std::vector<int32_t>& numbers)
{
    std::string joined;
    for (const int32_t number : numbers)
        joined += (joined.empty() ? "" : " ") + std::to_string(number);
    return joined;
}

// What a reset does to each field of a profile whose every field was set.
TEST(PlayerProfileTest, ResettingStartsTheAdventureOverAndAFullResetAlsoTheLifetimeRecord)
{
    using Field = std::function<std::string(const PlayerProfile&)>;
    const struct {
        const char* field;
        Field value;
        std::string afterReset;
        std::string afterFullReset;
    } rows[] = {
        {"counters 0 to 13", [](const PlayerProfile& p) { return Join(Counters(p.mStats)); },
         "0 0 0 0 0 0 0 0 208 209 210 211 212 213", "0 0 0 0 0 0 0 0 0 0 0 0 0 0"},
        {"habitat", [](const PlayerProfile& p) { return p.mHabitatName; }, "Amazon", "Amazon"},
        {"score", [](const PlayerProfile& p) { return std::to_string(p.mScore); }, "0", "0"},
        {"stage index", [](const PlayerProfile& p) { return std::to_string(p.mStageIndex); }, "-1", "-1"},
        {"next level", [](const PlayerProfile& p) { return std::to_string(p.mNextLevel); }, "-1", "-1"},
        {"habitats started", [](const PlayerProfile& p) { return std::to_string(p.mHabitatsStarted); }, "0", "0"},
        {"habitat progress", [](const PlayerProfile& p) { return std::to_string(p.mHabitatProgress); }, "0", "0"},
        {"torches, water, shuffles", [](const PlayerProfile& p) { return Join({p.mTorches, p.mWater, p.mShuffles}); },
         "0 0 0", "0 0 0"},
        {"tutorial tips seen", [](const PlayerProfile& p) { return CountTrue(p.mTutorialSeen); }, "0", "0"},
        {"awards owned", [](const PlayerProfile& p) { return CountTrue(p.mAwards); }, "10", "0"},
        {"plate-bonus flags set", [](const PlayerProfile& p) { return CountTrue(p.mPlateBonusFlags); }, "0", "0"},
        {"plates", [](const PlayerProfile& p) { return Join({p.mPlates.begin(), p.mPlates.end()}); },
         Join(std::vector<int32_t>(36, -1)), Join(std::vector<int32_t>(36, -1))},
        {"frame shape, anchor and cells",
         [](const PlayerProfile& p) { return Join({p.mFrameShape, p.mFrameAnchor}) + ": " + Join(p.mFrameCells); },
         "7 9: 3 9 15", "7 9: 3 9 15"},
        {"saved stage's goals and index",
         [](const PlayerProfile& p) { return Join({p.mStage.GetGoalCount(), p.mStage.mIndex}); }, "3 4", "3 4"},
    };

    const Tests::ProfileHabitats habitats;
    for (const bool full : {false, true}) {
        const std::unique_ptr<PlayerProfile> profile = Tests::MakeFullProfile(habitats);
        profile->mHabitatName = "Alaska";
        profile->ResetProgress(full);
        const char* const reset = full ? " after a full reset" : " after a reset";
        for (const auto& row : rows)
            EXPECT_EQ(row.value(*profile), full ? row.afterFullReset : row.afterReset) << row.field << reset;
        for (int32_t k = 0; k < PlayerProfile::kBoardCells; ++k)
            EXPECT_EQ(profile->mTiles[k], Tests::FullProfileTile(k)) << "saved cell " << k << reset;
    }
}

// A continued game gets every stored counter back; a habitat started anew only the
// lifetime ones; the profile stores all but 0, 6 and 7.
TEST(PlayerProfileTest, CountersPassBetweenSessionAndProfileByKind)
{
    const Tests::ProfileHabitats habitats;
    const std::unique_ptr<PlayerProfile> source = Tests::MakeFullProfile(habitats);

    GameStats continued;
    continued.CopyFromProfile(*source, false);
    EXPECT_EQ(Counters(continued),
              (std::vector<int32_t>{0, 201, 202, 203, 204, 205, 0, 0, 208, 209, 210, 211, 212, 213}));

    GameStats newHabitat;
    newHabitat.CopyFromProfile(*source, true);
    EXPECT_EQ(Counters(newHabitat), (std::vector<int32_t>{0, 0, 0, 203, 0, 0, 0, 0, 208, 209, 210, 211, 212, 213}));

    PlayerProfile stored("Ann");
    stored.StoreStats(source->mStats);
    EXPECT_EQ(Counters(stored.mStats),
              (std::vector<int32_t>{0, 201, 202, 203, 204, 205, 0, 0, 208, 209, 210, 211, 212, 213}));
}

TEST(PlayerProfileTest, TutorialTipsOutsideTheListAreIgnored)
{
    PlayerProfile profile("Ann");
    for (const int32_t tip : {-1, 0, 17, 18, 1000})
        profile.SetTutorialSeen(tip);
    std::array<bool, PlayerProfile::kTutorialTipCount> expected{};
    expected[0] = expected[17] = true;
    EXPECT_EQ(profile.mTutorialSeen, expected);
    profile.ClearTutorialSeen();
    EXPECT_EQ(CountTrue(profile.mTutorialSeen), "0");
}

// The file holds exactly (shape - 4) frame cells for the shapes 6 to 8 and none otherwise,
// with no count: a list of another length is cut or padded so the fields after it stay put.
TEST(PlayerProfileTest, TheBodyHoldsAsManyFrameCellsAsTheShapeKeeps)
{
    const std::string newCells = Repeat(Str("none") + Repeat(Long(-1), 4) + Repeat(Bool(false), 3), 36);
    const std::string newBodyAfterFrame =
        Repeat(Long(-1), 36) + Repeat(Bool(false), 3) + Long(-1) + Repeat(Bool(false), 18 + 20);
    const struct {
        int32_t shape;
        std::vector<int32_t> cells;
        std::string writtenCells;
    } cases[] = {
        {-1, {11, 12, 13, 14, 15}, ""},
        {5, {11, 12, 13, 14, 15}, ""},
        {6, {11, 12, 13, 14, 15}, Long(11) + Long(12)},
        {7, {11, 12, 13, 14, 15}, Long(11) + Long(12) + Long(13)},
        {8, {11, 12, 13, 14, 15}, Long(11) + Long(12) + Long(13) + Long(14)},
        {8, {11}, Long(11) + Long(-1) + Long(-1) + Long(-1)},
        {9, {11, 12, 13, 14, 15}, ""},
    };
    for (const auto& [shape, cells, writtenCells] : cases) {
        const std::string what = "shape " + std::to_string(shape) + ", " + std::to_string(cells.size()) + " cells";
        PlayerProfile written("Ann");
        written.mFrameShape = shape;
        written.mFrameCells = cells;
        Zest::Buffer buffer;
        written.Write(buffer);
        const std::string expected = newCells + Long(shape) + writtenCells + newBodyAfterFrame;
        EXPECT_EQ(BytesOf(buffer), expected) << what;

        // Reading replaces the frame cells only when the shape keeps some.
        PlayerProfile read("Bob");
        read.mFrameCells = {99};
        SaveFileReader reader(buffer);
        read.Read(reader);
        EXPECT_FALSE(reader.IsDamaged()) << what;
        EXPECT_TRUE(reader.IsAtEnd()) << what;
        EXPECT_EQ(read.mFrameShape, shape) << what;
        const int32_t kept = PlayerProfile::GetFrameCellCount(shape);
        std::vector<int32_t> expectedCells = {99};
        if (kept > 0) {
            expectedCells.assign(kept, -1);
            std::copy_n(cells.begin(), std::min<size_t>(kept, cells.size()), expectedCells.begin());
        }
        EXPECT_EQ(read.mFrameCells, expectedCells) << what;
    }
}

// A running board: the tiles it holds by (column, row), its marked cells and its frame.
class FakeStorableBoard : public StorableBoard {
public:
    bool GetSavedTile(const int32_t column, const int32_t row, SavedTile& tile) const override
    {
        const auto found = mTiles.find({column, row});
        if (found == mTiles.end())
            return false;
        const bool cellMarked = tile.mCellMarked;
        tile = found->second;
        tile.mCellMarked = cellMarked;
        return true;
    }
    bool IsCellMarked(const int32_t index) const override { return mMarkedCells.count(index) > 0; }
    int32_t GetFrameShape() const override { return mFrameShape; }
    int32_t GetFrameAnchor() const override { return 14; }
    std::vector<int32_t> GetFrameCells() const override { return {20, 21, 26, 27}; }
    std::vector<int32_t> GetPlates() const override
    {
        std::vector<int32_t> plates(36, -1);
        plates[35] = 3;
        return plates;
    }
    std::vector<bool> GetPlateBonusFlags() const override { return {false, true, false}; }

    std::map<std::pair<int32_t, int32_t>, SavedTile> mTiles;
    std::set<int32_t> mMarkedCells;
    int32_t mFrameShape = -1;
};

TEST(PlayerProfileTest, StoringTheBoardKeepsItsTilesRowByRowAndOnlyNamesEmptyCells)
{
    // Level 3, overlay 7, variant 1, caged, infected and a search target.
    const SavedTile jaguar{"Jaguar", 3, 7, 1, 2, false, true, true};
    const SavedTile oldRecord{"Tapir", 2, 4, 0, -1, false, false, true};
    FakeStorableBoard board;
    board.mTiles[{4, 1}] = jaguar;
    board.mMarkedCells = {1 * 6 + 4, 2 * 6 + 3};

    PlayerProfile profile("Ann");
    profile.mTiles.fill(oldRecord);
    profile.StoreBoard(board);

    SavedTile stored = jaguar;
    stored.mCellMarked = true;
    EXPECT_EQ(profile.mTiles[1 * 6 + 4], stored) << "the tile at column 4, row 1";
    SavedTile emptyMarked = oldRecord;
    emptyMarked.mCreatureName = "null";
    emptyMarked.mCellMarked = true;
    EXPECT_EQ(profile.mTiles[2 * 6 + 3], emptyMarked) << "an empty cell keeps its old record but for its name and mark";
    SavedTile empty = emptyMarked;
    empty.mCellMarked = false;
    EXPECT_EQ(profile.mTiles[4 * 6 + 1], empty);
    EXPECT_EQ(profile.mFrameAnchor, 14);
    EXPECT_EQ(profile.mPlates[35], 3);
    EXPECT_EQ(profile.mPlates[0], -1);
    EXPECT_EQ(profile.mPlateBonusFlags, (std::array<bool, 3>{false, true, false}));
}

TEST(PlayerProfileTest, StoringTheBoardTakesFrameCellsOnlyForTheShapesThatKeepThem)
{
    const std::vector<int32_t> oldCells = {99};
    const std::vector<int32_t> boardCells = {20, 21, 26, 27};
    const struct {
        int32_t shape;
        std::vector<int32_t> cells;
    } cases[] = {{-1, oldCells}, {5, oldCells}, {6, boardCells}, {7, boardCells}, {8, boardCells}, {9, oldCells}};
    for (const auto& [shape, cells] : cases) {
        FakeStorableBoard board;
        board.mFrameShape = shape;
        PlayerProfile profile("Ann");
        profile.mFrameCells = oldCells;
        profile.StoreBoard(board);
        EXPECT_EQ(profile.mFrameShape, shape);
        EXPECT_EQ(profile.mFrameCells, cells) << "shape " << shape;
    }
}

class SavedStageTest : public ::testing::Test {
protected:
    Stage MakeStage(const int32_t powerItems) const
    {
        Stage stage;
        stage.AddGoal(mHabitats.Find("Amazon", "Toucan"), 2);
        stage.mGoalTargets = {6};
        stage.mIndex = 1;
        stage.mPowerItems = powerItems;
        stage.AddEvent(EVENT_BANANAS, 30);
        return stage;
    }

    Tests::ProfileHabitats mHabitats;
};

TEST_F(SavedStageTest, EventsAreSavedOnlyWhilePowerItemsAreOn)
{
    const std::string goalsAndFields = Long(1) + Str("Toucan") + Long(2) + Long(6) + Long(1) + Long(0) + Long(-1) +
                                       Bool(false) + Long(0) + Long(-1) + Long(0) + Long(1);
    const struct {
        int32_t powerItems;
        std::string expected;
    } cases[] = {
        {Stage::POWER_ITEMS_OFF, goalsAndFields + Long(-1)},
        {Stage::POWER_ITEMS_ON, goalsAndFields + Long(400) + Long(1) + Long(EVENT_BANANAS) + Long(30)},
        {0, goalsAndFields + Long(0) + Long(1) + Long(EVENT_BANANAS) + Long(30)},
    };
    for (const auto& [powerItems, expected] : cases) {
        Zest::Buffer buffer;
        WriteStage(buffer, MakeStage(powerItems));
        EXPECT_EQ(BytesOf(buffer), expected) << "power items " << powerItems;

        SaveFileReader reader(buffer);
        const Stage read = ReadStage(reader, "Amazon", mHabitats.mRegistry);
        EXPECT_FALSE(reader.IsDamaged());
        EXPECT_TRUE(reader.IsAtEnd());
        Stage stored = MakeStage(powerItems);
        if (powerItems == Stage::POWER_ITEMS_OFF) {
            stored.mEventKinds.clear();
            stored.mEventChances.clear();
        }
        Tests::ExpectSameStage(read, stored);
    }
}

TEST_F(SavedStageTest, GoalCreaturesAreFoundInTheNamedHabitatOrAreNull)
{
    const std::string bytes = Long(4) + Str("Jaguar") + Long(1) + Long(1) + Str("unknown") + Long(2) + Long(2) +
                              Str("Moose") + Long(3) + Long(3) + Str("jaguar") + Long(4) + Long(4) +
                              Repeat(Long(0), 3) + Bool(true) + Repeat(Long(0), 4) + Long(-1);
    for (const char* const habitat : {"Amazon", "Atlantis"}) {
        Zest::Buffer buffer = BufferOf(bytes);
        SaveFileReader reader(buffer);
        const Stage stage = ReadStage(reader, habitat, mHabitats.mRegistry);
        ASSERT_FALSE(reader.IsDamaged());
        ASSERT_EQ(stage.GetGoalCount(), 4);
        const bool amazon = std::string(habitat) == "Amazon";
        EXPECT_EQ(stage.GetGoal(0).mCreature, amazon ? mHabitats.Find("Amazon", "Jaguar") : nullptr) << habitat;
        for (int32_t i = 1; i < 4; ++i)
            EXPECT_EQ(stage.GetGoal(i).mCreature, nullptr) << habitat << ", goal " << i;
        EXPECT_EQ(stage.mGoalTargets, (std::vector<int32_t>{1, 2, 3, 4}));
    }
}

TEST_F(SavedStageTest, AnEventCountBelowOneHasNoEntries)
{
    const std::string fields = Long(0) + Repeat(Long(0), 3) + Bool(false) + Repeat(Long(0), 4) + Long(400);
    for (const int32_t count : {0, -3, INT32_MIN}) {
        Zest::Buffer buffer = BufferOf(fields + Long(count));
        SaveFileReader reader(buffer);
        const Stage stage = ReadStage(reader, "Amazon", mHabitats.mRegistry);
        EXPECT_FALSE(reader.IsDamaged()) << count;
        EXPECT_TRUE(reader.IsAtEnd()) << count;
        EXPECT_TRUE(stage.mEventKinds.empty()) << count;
    }
}

} // namespace
