#include "game/ProfileStore.h"

#include "tests/game/ProfileTestSupport.h"
#include "tests/game/SaveFileSamples.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Tests::FullProfileRecord;
using Tests::kTwoProfilesFile;
using Tests::Long;
using Tests::NewProfileRecord;
using Tests::Repeat;
using Tests::Str;
using LoadResult = ProfileStore::LoadResult;

class ProfileStoreTest : public ::testing::Test {
protected:
    std::string Folder() const { return mFolder.Path().string() + "/"; }
    fs::path FilePath() const { return mFolder.Path() / ProfileStore::kFileName; }
    fs::path AsidePath(const std::string& suffix = "") const
    {
        return mFolder.Path() / (std::string(ProfileStore::kSetAsideFileName) + suffix);
    }

    void WriteFile(const std::string& bytes) const { Tests::WriteBytes(FilePath(), bytes); }
    std::string ReadFile() const { return Tests::ReadBytes(FilePath()); }

    LoadResult Load(ProfileStore* store)
    {
        mMessage.clear();
        return store->Load(Folder(), mHabitats.mRegistry, &mMessage);
    }

    // A fresh store refuses the file in place, holds no profile, and the file lies
    // byte-identical under the set-aside name, with nothing left under its own.
    void ExpectRefusedAndSetAside(const std::string& bytes, const std::string& what)
    {
        fs::remove(AsidePath());
        WriteFile(bytes);
        ProfileStore store;
        ASSERT_EQ(Load(&store), LoadResult::Refused) << what;
        EXPECT_EQ(mMessage.rfind("Could not read contents of profiles.dat", 0), 0u) << what << ": " << mMessage;
        EXPECT_EQ(store.GetProfileCount(), 0) << what;
        EXPECT_EQ(store.GetCurrentIndex(), -1) << what;
        EXPECT_EQ(store.GetCurrentProfile(), nullptr) << what;
        EXPECT_FALSE(fs::exists(FilePath())) << what;
        EXPECT_EQ(Tests::ReadBytes(AsidePath()), bytes) << what;
    }

    Tests::TemporaryFolder mFolder;
    Tests::ProfileHabitats mHabitats;
    std::string mMessage;
};

TEST_F(ProfileStoreTest, ANewProfileWritesTheFieldsOfANewProfileByteForByte)
{
    ProfileStore store;
    ASSERT_EQ(Load(&store), LoadResult::Missing);
    EXPECT_TRUE(mMessage.empty());
    store.AddProfile(std::make_unique<PlayerProfile>("Ann"));
    ASSERT_TRUE(store.Save(Folder()));

    const std::string bytes = ReadFile();
    EXPECT_EQ(bytes.size(), 1227u);
    EXPECT_EQ(bytes, Long(1) + Long(0) + NewProfileRecord("Ann"));
}

TEST_F(ProfileStoreTest, EveryFieldIsWrittenInFileOrderAndReadBack)
{
    ProfileStore written;
    written.AddProfile(Tests::MakeFullProfile(mHabitats));
    written.AddProfile(std::make_unique<PlayerProfile>("Ann"));
    written.SetCurrentIndex(0);
    ASSERT_TRUE(written.Save(Folder()));
    ASSERT_EQ(ReadFile(), kTwoProfilesFile);

    ProfileStore read;
    ASSERT_EQ(Load(&read), LoadResult::Loaded) << mMessage;
    ASSERT_EQ(read.GetProfileCount(), 2);
    EXPECT_EQ(read.GetCurrentIndex(), 0);
    Tests::ExpectSameStoredProfile(*read.GetProfile(0), *Tests::MakeFullProfile(mHabitats));
    Tests::ExpectSameStoredProfile(*read.GetProfile(1), PlayerProfile("Ann"));
    EXPECT_EQ(read.GetProfile(0)->mStage.GetGoal(0).mCreature, mHabitats.Find("Amazon", "Jaguar"));

    fs::remove(FilePath());
    ASSERT_TRUE(read.Save(Folder()));
    EXPECT_EQ(ReadFile(), kTwoProfilesFile);
}

TEST_F(ProfileStoreTest, ASavedCreatureTheHabitatNoLongerHasComesBackAsAGoalWithoutCreature)
{
    // The full profile's stage, saved under a habitat that has only a moose.
    std::string record = FullProfileRecord();
    const std::string amazon = Str("Amazon");
    record.replace(record.find(amazon), amazon.size(), Str("Alaska"));
    WriteFile(Long(1) + Long(0) + record);

    ProfileStore store;
    ASSERT_EQ(Load(&store), LoadResult::Loaded) << mMessage;
    const Stage& stage = store.GetCurrentProfile()->mStage;
    ASSERT_EQ(stage.GetGoalCount(), 3);
    for (int32_t i = 0; i < 3; ++i)
        EXPECT_EQ(stage.GetGoal(i).mCreature, nullptr) << "goal " << i;
    EXPECT_EQ(stage.GetGoal(0).mCount, 3);
    EXPECT_EQ(stage.mGoalTargets, (std::vector<int32_t>{5, -1, 4}));
}

TEST_F(ProfileStoreTest, DamageTheFormatCannotHoldIsRefused)
{
    const std::string ann = NewProfileRecord("Ann");
    const struct {
        std::string bytes;
        const char* what;
    } cases[] = {
        {kTwoProfilesFile + "x", "a byte after the last record"},
        {Long(3) + Long(0) + FullProfileRecord() + ann, "a count above the records"},
        {Long(1) + Long(0) + FullProfileRecord() + ann, "a count below the records"},
        {Long(-1) + Long(-1), "a negative count"},
        {Long(INT32_MAX) + Long(0) + ann, "the largest count"},
        {Long(1) + Long(0) + "\xFF\xFF" + ann.substr(5), "a negative name length"},
        {Long(1) + Long(0) + "\xFF\x7F" + ann.substr(5), "a name longer than the file"},
        {Long(1) + Long(0) + ann.substr(0, 45) + Long(-5) + ann.substr(49), "a negative goal count"},
        {Long(1) + Long(0) + ann.substr(0, 45) + Long(INT32_MAX) + ann.substr(49), "the largest goal count"},
    };
    for (const auto& [bytes, what] : cases)
        ExpectRefusedAndSetAside(bytes, what);
}

// The valid file with a few bytes changed never crashes the reader: each is either loaded
// whole and left in place, or refused and set aside unchanged.
TEST_F(ProfileStoreTest, AlteredFilesAreLoadedWholeOrSetAsideUnchanged)
{
    constexpr int kTrials = 1000;
    std::mt19937 random(16105);
    int loaded = 0;
    for (int trial = 0; trial < kTrials; ++trial) {
        std::string bytes = kTwoProfilesFile;
        for (int change = 1 + random() % 4; change > 0; --change)
            bytes[random() % bytes.size()] = static_cast<char>(random());
        fs::remove(AsidePath());
        WriteFile(bytes);

        ProfileStore store;
        const LoadResult result = Load(&store);
        const std::string what = "trial " + std::to_string(trial);
        if (result == LoadResult::Loaded) {
            ++loaded;
            EXPECT_EQ(ReadFile(), bytes) << what;
            EXPECT_FALSE(fs::exists(AsidePath())) << what;
            EXPECT_NE(store.GetCurrentProfile(), nullptr) << what;
        } else {
            ASSERT_EQ(result, LoadResult::Refused) << what;
            EXPECT_FALSE(fs::exists(FilePath())) << what;
            EXPECT_EQ(Tests::ReadBytes(AsidePath()), bytes) << what;
            EXPECT_EQ(store.GetProfileCount(), 0) << what;
        }
    }
    // Changed numbers and flags still make a sound file; the test needs both outcomes.
    EXPECT_GT(loaded, 0);
    EXPECT_LT(loaded, kTrials);
}

// After a refused file the run goes on as after a missing one: a quit writes nothing, a new
// profile is written beside the set-aside file.
TEST_F(ProfileStoreTest, AfterARefusedFileOnlyANewProfileIsWritten)
{
    const std::string damaged = kTwoProfilesFile.substr(0, 2000);
    for (const bool created : {false, true}) {
        SCOPED_TRACE(created ? "a profile created" : "nothing created");
        fs::remove(AsidePath());
        WriteFile(damaged);
        ProfileStore store;
        ASSERT_EQ(Load(&store), LoadResult::Refused);
        if (created)
            store.AddProfile(std::make_unique<PlayerProfile>("Ann"));
        ASSERT_TRUE(store.Save(Folder()));

        EXPECT_EQ(fs::exists(FilePath()), created);
        if (created) {
            EXPECT_EQ(ReadFile(), Long(1) + Long(0) + NewProfileRecord("Ann"));
        }
        EXPECT_EQ(Tests::ReadBytes(AsidePath()), damaged);
    }
}

TEST_F(ProfileStoreTest, TheFileIsReadOnlyOncePerRun)
{
    WriteFile(kTwoProfilesFile);
    ProfileStore store;
    ASSERT_EQ(Load(&store), LoadResult::Loaded);
    EXPECT_EQ(Load(&store), LoadResult::AlreadyRead);
    EXPECT_EQ(store.GetProfileCount(), 2);
}

// Quitting before the list was read (during the title) or with no profile ever made must
// not replace or create the file.
TEST_F(ProfileStoreTest, NothingIsWrittenUnlessTheListWasLoadedOrCreated)
{
    ProfileStore unread;
    EXPECT_TRUE(unread.Save(Folder()));
    EXPECT_FALSE(fs::exists(FilePath()));

    WriteFile(kTwoProfilesFile);
    EXPECT_TRUE(unread.Save(Folder()));
    EXPECT_EQ(ReadFile(), kTwoProfilesFile);

    fs::remove(FilePath());
    ProfileStore missing;
    ASSERT_EQ(Load(&missing), LoadResult::Missing);
    EXPECT_TRUE(missing.Save(Folder()));
    EXPECT_FALSE(fs::exists(FilePath()));
}

TEST_F(ProfileStoreTest, TheCurrentIndexReadIsKeptInsideTheList)
{
    const struct {
        int32_t count;
        int32_t stored;
        int32_t expected;
    } cases[] = {
        {2, 1, 1}, {2, 0, 0}, {2, 2, 0}, {2, -1, 0}, {2, INT32_MIN, 0}, {0, 5, -1}, {0, -1, -1}, {0, 0, -1},
    };
    for (const auto& [count, stored, expected] : cases) {
        WriteFile(Long(count) + Long(stored) + Repeat(NewProfileRecord("Ann"), count));
        ProfileStore store;
        const std::string what = std::to_string(count) + " profiles, index " + std::to_string(stored);
        ASSERT_EQ(Load(&store), LoadResult::Loaded) << what << ": " << mMessage;
        EXPECT_EQ(store.GetCurrentIndex(), expected) << what;
        EXPECT_EQ(store.GetCurrentProfile() != nullptr, count > 0) << what;
    }
}

TEST_F(ProfileStoreTest, AnEmptyListIsSavedWithIndexMinusOne)
{
    WriteFile(Long(1) + Long(0) + NewProfileRecord("Ann"));
    ProfileStore store;
    ASSERT_EQ(Load(&store), LoadResult::Loaded);
    store.DeleteProfile(0);
    ASSERT_TRUE(store.Save(Folder()));
    EXPECT_EQ(ReadFile(), Long(0) + Long(-1));
}

TEST_F(ProfileStoreTest, ANameTooLongForTheFileLeavesTheOldFileWhole)
{
    WriteFile(kTwoProfilesFile);
    ProfileStore store;
    ASSERT_EQ(Load(&store), LoadResult::Loaded);
    store.AddProfile(std::make_unique<PlayerProfile>(std::string(40000, 'x')));
    EXPECT_FALSE(store.Save(Folder()));
    EXPECT_EQ(ReadFile(), kTwoProfilesFile);
}

TEST(ProfileListTest, DeletingKeepsTheOrderAndACurrentProfileWhileAnyIsLeft)
{
    const struct {
        std::vector<std::string> names;
        int32_t current;
        int32_t deleted;
        std::vector<std::string> expectedNames;
        int32_t expectedCurrent;
    } cases[] = {
        {{"A"}, 0, 0, {}, -1},
        {{"A", "B", "C"}, 2, 2, {"A", "B"}, 0},
        {{"A", "B", "C"}, 0, 1, {"A", "C"}, 1},
        {{"A", "B", "C"}, 2, 0, {"B", "C"}, 0},
        {{"A", "B", "C"}, 1, 3, {"A", "B", "C"}, 1},
        {{"A", "B", "C"}, 1, -1, {"A", "B", "C"}, 1},
    };
    for (const auto& [names, current, deleted, expectedNames, expectedCurrent] : cases) {
        ProfileStore store;
        for (const std::string& name : names)
            store.AddProfile(std::make_unique<PlayerProfile>(name));
        store.SetCurrentIndex(current);
        store.DeleteProfile(deleted);

        const std::string what = std::to_string(names.size()) + " profiles, current " + std::to_string(current) +
                                 ", deleting " + std::to_string(deleted);
        std::vector<std::string> left;
        for (int32_t i = 0; i < store.GetProfileCount(); ++i)
            left.push_back(store.GetProfile(i)->mName);
        EXPECT_EQ(left, expectedNames) << what;
        EXPECT_EQ(store.GetCurrentIndex(), expectedCurrent) << what;
    }
}

TEST(ProfileListTest, AnAddedProfileBecomesCurrentAndIndexesOutsideTheListChangeNothing)
{
    ProfileStore store;
    EXPECT_EQ(store.GetCurrentProfile(), nullptr);
    store.SetCurrentIndex(0);
    EXPECT_EQ(store.GetCurrentIndex(), -1);

    store.AddProfile(std::make_unique<PlayerProfile>("A"));
    store.AddProfile(std::make_unique<PlayerProfile>("B"));
    EXPECT_EQ(store.GetCurrentIndex(), 1);
    EXPECT_EQ(store.GetCurrentProfile()->mName, "B");
    for (const int32_t outside : {-1, 2})
        store.SetCurrentIndex(outside);
    EXPECT_EQ(store.GetCurrentIndex(), 1);
    EXPECT_EQ(store.GetProfile(2), nullptr);
}

} // namespace
