#include "game/HighScores.h"

#include "tests/game/SaveFileSamples.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// The default rows with "Zoe", level 20, score 70000 (0x11170) entered at rank 1.
const std::string kDefaultsWithZoe = "\x03\x00" "Zoe" "\x14\x00\x00\x00" "\x70\x11\x01\x00"
                                     "\x08\x00" "Player 1" "\x0D\x00\x00\x00" "\x26\x02\x00\x00"
                                     "\x08\x00" "Player 1" "\x0C\x00\x00\x00" "\xF4\x01\x00\x00"
                                     "\x08\x00" "Player 1" "\x0B\x00\x00\x00" "\xC2\x01\x00\x00"
                                     "\x08\x00" "Player 1" "\x0A\x00\x00\x00" "\x90\x01\x00\x00"
                                     "\x08\x00" "Player 1" "\x09\x00\x00\x00" "\x5E\x01\x00\x00"
                                     "\x08\x00" "Player 1" "\x08\x00\x00\x00" "\x2C\x01\x00\x00"
                                     "\x08\x00" "Player 1" "\x07\x00\x00\x00" "\xFA\x00\x00\x00"
                                     "\x08\x00" "Player 1" "\x06\x00\x00\x00" "\xC8\x00\x00\x00"
                                     "\x08\x00" "Player 1" "\x05\x00\x00\x00" "\x96\x00\x00\x00"s;

using Tests::kVariedScoresFile;

// The rows of kVariedScoresFile.
const HighScoreList kVariedRows = {
    {"Ann", 7, 0x01020304}, {"", -1, 2}, {"B\xE9", 0, 5}, {"C", 1, INT32_MIN}, {"D", 2, 0},
    {"E", 3, 0},            {"F", 4, 0}, {"G", 5, 0},     {"H", 6, 0},         {"Twelve chars", 8, INT32_MAX},
};

HighScoreList DefaultRows()
{
    HighScoreList rows;
    for (int32_t i = 0; i < 10; ++i)
        rows.push_back({"Player 1", 13 - i, 550 - 50 * i});
    return rows;
}

class HighScoresTest : public ::testing::Test {
protected:
    // The data folder as the application names it: with a trailing separator.
    std::string Folder() const { return mFolder.Path().string() + "/"; }
    fs::path FilePath() const { return mFolder.Path() / HighScoreStore::kFileName; }
    fs::path AsidePath() const { return mFolder.Path() / HighScoreStore::kSetAsideFileName; }

    void WriteFile(const std::string& bytes) const { Tests::WriteBytes(FilePath(), bytes); }

    HighScoreStore::LoadResult Load(HighScoreStore* store) const
    {
        mMessage.clear();
        return store->Load(Folder(), &mMessage);
    }

    // A fresh store refuses the file with a message and keeps the default rows.
    void ExpectRefusedWithDefaults(const std::string& what) const
    {
        HighScoreStore store;
        EXPECT_EQ(Load(&store), HighScoreStore::LoadResult::Refused) << what;
        EXPECT_EQ(mMessage.rfind("Could not read contents of scoreslists.dat", 0), 0u) << what << ": " << mMessage;
        EXPECT_EQ(store.GetScores(), DefaultRows()) << what;
    }

    Tests::TemporaryFolder mFolder;
    mutable std::string mMessage;
};

TEST_F(HighScoresTest, FirstStartWithoutAFileGivesTheDefaultRowsAndWritesNothing)
{
    HighScoreStore store;
    EXPECT_EQ(Load(&store), HighScoreStore::LoadResult::Missing);
    EXPECT_TRUE(mMessage.empty());
    EXPECT_EQ(store.GetScores(), DefaultRows());
    EXPECT_TRUE(fs::is_empty(mFolder.Path()));
}

TEST_F(HighScoresTest, SavesTheRowsByteForByte)
{
    HighScoreStore store;
    ASSERT_EQ(store.Insert("Zoe", 20, 70000), 0);
    ASSERT_TRUE(store.Save(Folder()));
    EXPECT_EQ(Tests::ReadBytes(FilePath()), kDefaultsWithZoe);
}

TEST_F(HighScoresTest, ReadsTheRowsInFileOrderAndWritesThemBackUnchanged)
{
    WriteFile(kVariedScoresFile);
    HighScoreStore store;
    ASSERT_EQ(Load(&store), HighScoreStore::LoadResult::Loaded) << mMessage;
    EXPECT_EQ(store.GetScores(), kVariedRows);

    fs::remove(FilePath());
    ASSERT_TRUE(store.Save(Folder()));
    EXPECT_EQ(Tests::ReadBytes(FilePath()), kVariedScoresFile);
}

TEST_F(HighScoresTest, ASavedListLoadsBackTheSame)
{
    HighScoreStore written;
    written.Insert("Ann", 3, 999);
    written.Insert(std::string(300, 'x'), 9, 600);
    ASSERT_TRUE(written.Save(Folder()));

    HighScoreStore read;
    ASSERT_EQ(Load(&read), HighScoreStore::LoadResult::Loaded) << mMessage;
    EXPECT_EQ(read.GetScores(), written.GetScores());
}

TEST_F(HighScoresTest, BytesAfterTheTenthRecordAreIgnored)
{
    WriteFile(kVariedScoresFile + "\x05\x00more"s);
    HighScoreStore store;
    ASSERT_EQ(Load(&store), HighScoreStore::LoadResult::Loaded) << mMessage;
    EXPECT_EQ(store.GetScores(), kVariedRows);
}

TEST_F(HighScoresTest, NameLengthsThatDoNotFitAreRefused)
{
    const struct {
        std::string lengthBytes;
        const char* what;
    } cases[] = {
        {"\xFF\xFF"s, "length -1"},
        {"\x00\x80"s, "length -32768"},
        {"\xFF\x7F"s, "length 32767 in a short file"},
        {"\x0A\x00"s, "length 10 in place of 3"},
    };
    for (const auto& [lengthBytes, what] : cases) {
        WriteFile(lengthBytes + kVariedScoresFile.substr(2));
        ExpectRefusedWithDefaults(what);
    }
}

// A refused file is not replaced by rows that hold nothing of the player's: until a score
// is entered, a save keeps it where it is.
TEST_F(HighScoresTest, ARefusedFileIsKeptWhileNoScoreIsEntered)
{
    const std::string damaged = kVariedScoresFile.substr(0, 40);
    for (const bool unreadable : {false, true}) {
        SCOPED_TRACE(unreadable ? "unreadable" : "damaged");
        fs::remove_all(FilePath());
        if (unreadable)
            fs::create_directory(FilePath());
        else
            WriteFile(damaged);

        HighScoreStore store;
        ASSERT_EQ(Load(&store), HighScoreStore::LoadResult::Refused);
        EXPECT_EQ(store.Insert("Nobody", 1, 0), -1) << "a score that does not rank changes nothing";
        EXPECT_TRUE(store.Save(Folder()));
        EXPECT_EQ(fs::is_directory(FilePath()), unreadable);
        if (!unreadable) {
            EXPECT_EQ(Tests::ReadBytes(FilePath()), damaged);
        }
        EXPECT_FALSE(fs::exists(AsidePath()));
    }
}

TEST_F(HighScoresTest, AScoreEntersAboveTheFirstStrictlyLowerRow)
{
    const struct {
        int32_t score;
        int32_t rank;
        const char* what;
    } cases[] = {
        {551, 0, "above the best"},
        {550, 1, "equal to the best: below it"},
        {549, 1, "between the first two"},
        {101, 9, "just above the last"},
        {100, -1, "equal to the last"},
        {0, -1, "lower than all"},
        {INT32_MIN, -1, "the lowest possible"},
    };
    for (const auto& [score, rank, what] : cases) {
        HighScoreStore store;
        const HighScoreList before = store.GetScores();
        EXPECT_EQ(store.FindRank(score), rank) << what;
        ASSERT_EQ(store.Insert("New", 2, score), rank) << what;

        const HighScoreList after = store.GetScores();
        ASSERT_EQ(after.size(), 10u) << what;
        if (rank < 0) {
            EXPECT_EQ(after, before) << what;
            continue;
        }
        for (int32_t i = 0; i < 10; ++i) {
            const HighScoreEntry expected =
                i < rank ? before[i] : (i == rank ? HighScoreEntry("New", 2, score) : before[i - 1]);
            EXPECT_EQ(after[i], expected) << what << ", row " << i;
        }
    }
}

TEST_F(HighScoresTest, EqualScoresKeepTheOrderTheyWereEnteredIn)
{
    HighScoreStore store;
    EXPECT_EQ(store.Insert("First", 1, 300), 6);
    EXPECT_EQ(store.Insert("Second", 1, 300), 7);
    const HighScoreList rows = store.GetScores();
    EXPECT_EQ(rows[5], HighScoreEntry("Player 1", 8, 300));
    EXPECT_EQ(rows[6].name, "First");
    EXPECT_EQ(rows[7].name, "Second");
    EXPECT_EQ(rows[9], HighScoreEntry("Player 1", 6, 200));
}

TEST_F(HighScoresTest, ANameTooLongForTheFileIsCutAndTheListStillSaves)
{
    HighScoreStore store;
    ASSERT_EQ(store.Insert(std::string(40000, 'n'), 1, 5000), 0);
    EXPECT_EQ(store.GetScores()[0].name.size(), 32767u);
    ASSERT_TRUE(store.Save(Folder()));

    HighScoreStore read;
    ASSERT_EQ(Load(&read), HighScoreStore::LoadResult::Loaded) << mMessage;
    EXPECT_EQ(read.GetScores(), store.GetScores());
}

} // namespace
