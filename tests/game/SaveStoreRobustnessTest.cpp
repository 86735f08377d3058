// What every save store of the data folder must survive, checked for each of them: the
// options, the high scores and the profiles. A file cut short, random bytes or a folder in
// the file's place is refused with its message and nothing taken from it; the refused file
// is moved aside (at the load, or before the first save that writes) and never over an
// earlier one, and never saved over while it cannot be moved; a failed save leaves the old
// file whole.

#include "game/GameOptions.h"
#include "game/HighScores.h"
#include "game/ProfileStore.h"

#include "tests/game/ProfileTestSupport.h"
#include "tests/game/SaveFileSamples.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <tuple>

namespace {

namespace fs = std::filesystem;

// Other: a result only one store has (the profiles' AlreadyRead).
enum class LoadOutcome { Loaded, Missing, Refused, Other };

void PrintTo(const LoadOutcome outcome, std::ostream* out)
{
    const char* const names[] = {"Loaded", "Missing", "Refused", "Other"};
    *out << names[static_cast<int>(outcome)];
}

template <typename Result>
LoadOutcome OutcomeOf(const Result result)
{
    switch (result) {
    case Result::Loaded:
        return LoadOutcome::Loaded;
    case Result::Missing:
        return LoadOutcome::Missing;
    case Result::Refused:
        return LoadOutcome::Refused;
    default:
        return LoadOutcome::Other;
    }
}

// One store as the table drives it: a fresh store for every load, which the test may then
// change and save.
class StoreUnderTest {
public:
    virtual ~StoreUnderTest() = default;

    virtual const char* FileName() const = 0;
    virtual const char* SetAsideFileName() const = 0;
    // Where a refused file goes: aside at once when loading, or kept in place until the
    // first save that has something to write.
    virtual bool SetsAsideWhenLoading() const = 0;
    // A file the store loads whole.
    virtual std::string SoundFile() const = 0;

    // Loads the data folder's file (the folder ends in a separator) into a fresh store.
    virtual LoadOutcome Load(const std::string& folder, std::string* message) = 0;
    // The store took nothing from the refused file: it holds what it holds without one.
    virtual void ExpectNothingTaken(bool unreadable) const = 0;
    // Gives the store something of the player's that a save must write.
    virtual void AddSomethingToKeep() = 0;
    virtual bool Save(const std::string& folder) = 0;
};

// The file names every store declares alike.
template <typename Store>
class NamedStore : public StoreUnderTest {
public:
    const char* FileName() const override { return Store::kFileName; }
    const char* SetAsideFileName() const override { return Store::kSetAsideFileName; }
};

class OptionsStore : public NamedStore<GameOptions> {
public:
    bool SetsAsideWhenLoading() const override { return false; }
    std::string SoundFile() const override { return Tests::kKnownOptionsFile; }

    LoadOutcome Load(const std::string& folder, std::string* message) override
    {
        mOptions = GameOptions();
        return OutcomeOf(mOptions.Load(folder, message));
    }

    void ExpectNothingTaken(bool) const override
    {
        const GameOptions fresh;
        const auto fields = [](const GameOptions& o) {
            return std::tie(o.mReservedValue, o.mMusicVolume, o.mSfxVolume, o.mTutorialTips, o.mReservedFlag,
                            o.mAnimalNames, o.mHintFeature, o.mScanLines, o.mMuteOnPause);
        };
        EXPECT_TRUE(fields(mOptions) == fields(fresh)) << "a field was taken from the file";
    }

    // Every save writes the options.
    void AddSomethingToKeep() override {}
    bool Save(const std::string& folder) override { return mOptions.Save(folder); }

private:
    GameOptions mOptions;
};

class HighScoresStore : public NamedStore<HighScoreStore> {
public:
    bool SetsAsideWhenLoading() const override { return false; }
    std::string SoundFile() const override { return Tests::kVariedScoresFile; }

    LoadOutcome Load(const std::string& folder, std::string* message) override
    {
        mStore = HighScoreStore();
        return OutcomeOf(mStore.Load(folder, message));
    }

    // A damaged file leaves the default rows, an unreadable one ten empty rows.
    void ExpectNothingTaken(const bool unreadable) const override
    {
        const HighScoreList expected =
            unreadable ? HighScoreList(HighScoreStore::kRowCount, HighScoreEntry("", 0, 0)) : HighScoreStore().GetScores();
        EXPECT_EQ(mStore.GetScores(), expected);
    }

    void AddSomethingToKeep() override { ASSERT_EQ(mStore.Insert("Ann", 4, 1 << 30), 0); }
    bool Save(const std::string& folder) override { return mStore.Save(folder); }

private:
    HighScoreStore mStore;
};

class ProfilesStore : public NamedStore<ProfileStore> {
public:
    bool SetsAsideWhenLoading() const override { return true; }
    std::string SoundFile() const override { return Tests::kTwoProfilesFile; }

    LoadOutcome Load(const std::string& folder, std::string* message) override
    {
        mStore = std::make_unique<ProfileStore>();
        return OutcomeOf(mStore->Load(folder, mHabitats.mRegistry, message));
    }

    void ExpectNothingTaken(bool) const override
    {
        EXPECT_EQ(mStore->GetProfileCount(), 0);
        EXPECT_EQ(mStore->GetCurrentIndex(), -1);
        EXPECT_EQ(mStore->GetCurrentProfile(), nullptr);
    }

    void AddSomethingToKeep() override { mStore->AddProfile(std::make_unique<PlayerProfile>("Ann")); }
    bool Save(const std::string& folder) override { return mStore->Save(folder); }

private:
    Tests::ProfileHabitats mHabitats;
    std::unique_ptr<ProfileStore> mStore;
};

struct StoreKind {
    const char* name;
    std::unique_ptr<StoreUnderTest> (*make)();
};

void PrintTo(const StoreKind& kind, std::ostream* out) { *out << kind.name; }

template <typename Store>
std::unique_ptr<StoreUnderTest> Make()
{
    return std::make_unique<Store>();
}

class SaveStoreRobustnessTest : public testing::TestWithParam<StoreKind> {
protected:
    // The data folder as the application names it: with a trailing separator.
    std::string Folder() const { return mFolder.Path().string() + "/"; }
    fs::path FilePath() const { return mFolder.File(mStore->FileName()); }
    fs::path AsidePath(const std::string& suffix = "") const
    {
        return mFolder.File(mStore->SetAsideFileName() + suffix);
    }

    // The file, and nothing under the set-aside name.
    void Place(const std::string& bytes) const
    {
        fs::remove_all(AsidePath());
        fs::remove_all(FilePath());
        Tests::WriteBytes(FilePath(), bytes);
    }

    LoadOutcome Load()
    {
        mMessage.clear();
        return mStore->Load(Folder(), &mMessage);
    }

    // A fresh store refuses the file (or the folder, when unreadable) with the message and
    // takes nothing from it; the refused bytes lie where the store keeps a refused file.
    void ExpectRefused(const std::string& bytes, const bool unreadable)
    {
        ASSERT_EQ(Load(), LoadOutcome::Refused);
        EXPECT_EQ(mMessage.rfind(std::string("Could not read contents of ") + mStore->FileName(), 0), 0u) << mMessage;
        mStore->ExpectNothingTaken(unreadable);
        const fs::path kept = mStore->SetsAsideWhenLoading() ? AsidePath() : FilePath();
        const fs::path gone = mStore->SetsAsideWhenLoading() ? FilePath() : AsidePath();
        EXPECT_FALSE(fs::exists(gone)) << gone;
        if (unreadable) {
            EXPECT_TRUE(fs::is_directory(kept)) << kept;
        } else {
            EXPECT_EQ(Tests::ReadBytes(kept), bytes) << kept;
        }
    }

    const Tests::TemporaryFolder mFolder;
    const std::unique_ptr<StoreUnderTest> mStore = GetParam().make();
    std::string mMessage;
};

TEST_P(SaveStoreRobustnessTest, EveryTruncationIsRefusedAndNothingTaken)
{
    const std::string file = mStore->SoundFile();
    for (size_t length = 0; length < file.size(); ++length) {
        SCOPED_TRACE("length " + std::to_string(length));
        Place(file.substr(0, length));
        ExpectRefused(file.substr(0, length), false);
    }
}

TEST_P(SaveStoreRobustnessTest, RandomBytesAreRefusedAndNothingTaken)
{
    std::mt19937 random(20240611);
    const size_t lengths = 2 * mStore->SoundFile().size();
    for (int trial = 0; trial < 1000; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        std::string bytes(random() % lengths, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(random());
        Place(bytes);
        ExpectRefused(bytes, false);
    }
}

// A folder in the file's place opens but cannot be read.
TEST_P(SaveStoreRobustnessTest, AFolderInTheFilesPlaceIsRefused)
{
    fs::create_directory(FilePath());
    ExpectRefused("", true);
}

TEST_P(SaveStoreRobustnessTest, ARefusedFileIsMovedAsideOnceBeforeTheFirstSaveThatWrites)
{
    const std::string damaged = mStore->SoundFile().substr(0, 7);
    for (const bool unreadable : {false, true}) {
        SCOPED_TRACE(unreadable ? "a folder in the file's place" : "a damaged file");
        Place(damaged);
        if (unreadable) {
            fs::remove(FilePath());
            fs::create_directory(FilePath());
        }
        ASSERT_EQ(Load(), LoadOutcome::Refused);
        mStore->AddSomethingToKeep();
        ASSERT_TRUE(mStore->Save(Folder()));
        EXPECT_EQ(fs::is_directory(AsidePath()), unreadable);
        if (!unreadable) {
            EXPECT_EQ(Tests::ReadBytes(AsidePath()), damaged);
        }

        ASSERT_EQ(Load(), LoadOutcome::Loaded) << mMessage;
        ASSERT_TRUE(mStore->Save(Folder()));
        EXPECT_EQ(fs::is_directory(AsidePath()), unreadable) << "moved once";
        if (!unreadable) {
            EXPECT_EQ(Tests::ReadBytes(AsidePath()), damaged) << "moved once";
        }
        EXPECT_FALSE(fs::exists(AsidePath(".1")));
    }
}

TEST_P(SaveStoreRobustnessTest, ARefusedFileGoesBesideEarlierOnesWithoutReplacingThem)
{
    const std::string damaged = mStore->SoundFile().substr(0, 7);
    Place(damaged);
    Tests::WriteBytes(AsidePath(), "first");
    Tests::WriteBytes(AsidePath(".1"), "second");

    ASSERT_EQ(Load(), LoadOutcome::Refused);
    if (mStore->SetsAsideWhenLoading()) {
        EXPECT_NE(mMessage.find(mStore->SetAsideFileName() + std::string(".2")), std::string::npos) << mMessage;
    }
    mStore->AddSomethingToKeep();
    ASSERT_TRUE(mStore->Save(Folder()));
    EXPECT_EQ(Tests::ReadBytes(AsidePath()), "first");
    EXPECT_EQ(Tests::ReadBytes(AsidePath(".1")), "second");
    EXPECT_EQ(Tests::ReadBytes(AsidePath(".2")), damaged);
    EXPECT_EQ(Load(), LoadOutcome::Loaded) << mMessage;
}

// When every set-aside name is taken the file stays where it is, and no save replaces it
// until it can be moved.
TEST_P(SaveStoreRobustnessTest, ARefusedFileThatCannotBeMovedIsNeverSavedOver)
{
    const std::string damaged = mStore->SoundFile().substr(0, 7);
    Place(damaged);
    Tests::WriteBytes(AsidePath(), "taken");
    for (int number = 1; number <= 999; ++number)
        Tests::WriteBytes(AsidePath("." + std::to_string(number)), "taken");

    ASSERT_EQ(Load(), LoadOutcome::Refused);
    if (mStore->SetsAsideWhenLoading()) {
        EXPECT_NE(mMessage.find("could not be moved aside"), std::string::npos) << mMessage;
    }
    EXPECT_EQ(Tests::ReadBytes(FilePath()), damaged);
    mStore->AddSomethingToKeep();
    EXPECT_FALSE(mStore->Save(Folder()));
    EXPECT_EQ(Tests::ReadBytes(FilePath()), damaged);

    fs::remove(AsidePath(".500"));
    ASSERT_TRUE(mStore->Save(Folder()));
    EXPECT_EQ(Tests::ReadBytes(AsidePath(".500")), damaged);
    EXPECT_EQ(Load(), LoadOutcome::Loaded) << mMessage;
}

TEST_P(SaveStoreRobustnessTest, AFailedSaveReportsItAndLeavesTheOldFileWhole)
{
    const std::string file = mStore->SoundFile();
    Place(file);
    ASSERT_EQ(Load(), LoadOutcome::Loaded) << mMessage;
    mStore->AddSomethingToKeep();
    // The temporary file that the save writes beside the old one cannot be made.
    fs::create_directory(FilePath().string() + ".new");
    EXPECT_FALSE(mStore->Save(Folder()));
    EXPECT_EQ(Tests::ReadBytes(FilePath()), file);

    EXPECT_FALSE(mStore->Save(mFolder.File("missing").string() + "/"));
    EXPECT_FALSE(fs::exists(mFolder.File("missing")));
}

INSTANTIATE_TEST_SUITE_P(Stores, SaveStoreRobustnessTest,
                         testing::Values(StoreKind{"Options", &Make<OptionsStore>},
                                         StoreKind{"HighScores", &Make<HighScoresStore>},
                                         StoreKind{"Profiles", &Make<ProfilesStore>}),
                         [](const testing::TestParamInfo<StoreKind>& info) { return std::string(info.param.name); });

} // namespace
