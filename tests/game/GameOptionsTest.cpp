#include "game/GameOptions.h"

#include "tests/game/SaveFileSamples.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

using Tests::kKnownOptionsFile;

void ExpectDefaults(const GameOptions& options)
{
    EXPECT_EQ(options.mReservedValue, 0);
    EXPECT_EQ(options.mMusicVolume, 0.5);
    EXPECT_EQ(options.mSfxVolume, 0.800000011920929);
    EXPECT_TRUE(options.mTutorialTips);
    EXPECT_FALSE(options.mReservedFlag);
    EXPECT_TRUE(options.mAnimalNames);
    EXPECT_TRUE(options.mHintFeature);
    EXPECT_FALSE(options.mScanLines);
    EXPECT_TRUE(options.mMuteOnPause);
}

class GameOptionsTest : public ::testing::Test {
protected:
    // The data folder as the application names it: with a trailing separator.
    std::string Folder() const { return mFolder.Path().string() + "/"; }
    fs::path FilePath() const { return mFolder.Path() / GameOptions::kFileName; }

    void WriteFile(const std::string& bytes) const { Tests::WriteBytes(FilePath(), bytes); }

    // Loads into a fresh record and expects the file refused with a message, the record
    // keeping every default.
    void ExpectRefused(const std::string& what) const
    {
        GameOptions options;
        std::string message;
        EXPECT_EQ(options.Load(Folder(), &message), GameOptions::LoadResult::Refused) << what;
        EXPECT_EQ(message.rfind("Could not read contents of options.dat", 0), 0u) << what << ": " << message;
        ExpectDefaults(options);
    }

    Tests::TemporaryFolder mFolder;
};

TEST_F(GameOptionsTest, FirstStartWithoutAFileKeepsTheDefaults)
{
    GameOptions options;
    std::string message;
    EXPECT_EQ(options.Load(Folder(), &message), GameOptions::LoadResult::Missing);
    EXPECT_TRUE(message.empty());
    ExpectDefaults(options);
    EXPECT_FALSE(fs::exists(FilePath()));
}

TEST_F(GameOptionsTest, SavesEveryFieldAtItsOffset)
{
    GameOptions options;
    options.mReservedValue = -2;
    options.mReservedFlag = true;
    options.mAnimalNames = false;
    options.mScanLines = true;
    options.mMuteOnPause = false;
    ASSERT_TRUE(options.Save(Folder()));
    EXPECT_EQ(Tests::ReadBytes(FilePath()), kKnownOptionsFile);
}

TEST_F(GameOptionsTest, ReadsEveryFieldFromItsOffset)
{
    WriteFile(kKnownOptionsFile);
    GameOptions options;
    std::string message;
    ASSERT_EQ(options.Load(Folder(), &message), GameOptions::LoadResult::Loaded) << message;
    EXPECT_EQ(options.mReservedValue, -2);
    EXPECT_EQ(options.mMusicVolume, 0.5);
    EXPECT_EQ(options.mSfxVolume, 0.7998046875);
    EXPECT_TRUE(options.mTutorialTips);
    EXPECT_TRUE(options.mReservedFlag);
    EXPECT_FALSE(options.mAnimalNames);
    EXPECT_TRUE(options.mHintFeature);
    EXPECT_TRUE(options.mScanLines);
    EXPECT_FALSE(options.mMuteOnPause);
}

TEST_F(GameOptionsTest, VolumesAreStoredIn1024thsTruncatedTowardZero)
{
    const struct {
        double volume;
        uint32_t stored;
    } cases[] = {
        {0.0, 0}, {0.5, 512}, {static_cast<double>(0.8f), 819}, {0.9999, 1023}, {1.0, 1024},
        // Out of range and NaN are kept within 0 to 1 rather than overflowing.
        {1.5, 1024}, {-0.25, 0}, {std::nan(""), 0},
    };
    for (const auto& [volume, stored] : cases) {
        GameOptions options;
        options.mMusicVolume = volume;
        options.mSfxVolume = volume;
        ASSERT_TRUE(options.Save(Folder()));
        const std::string bytes = Tests::ReadBytes(FilePath());
        ASSERT_EQ(bytes.size(), 18u);
        for (const size_t offset : {4u, 8u}) {
            const uint32_t value = static_cast<uint8_t>(bytes[offset]) | static_cast<uint8_t>(bytes[offset + 1]) << 8 |
                                   static_cast<uint8_t>(bytes[offset + 2]) << 16 |
                                   static_cast<uint32_t>(static_cast<uint8_t>(bytes[offset + 3])) << 24;
            EXPECT_EQ(value, stored) << "volume " << volume << " at offset " << offset;
        }
    }
}

TEST_F(GameOptionsTest, ARoundTripKeepsEveryFieldAndTheReservedOnes)
{
    GameOptions written;
    written.mReservedValue = 0x7F00AA01;
    written.mMusicVolume = 0.25;
    written.mSfxVolume = 1.0;
    written.mTutorialTips = false;
    written.mReservedFlag = true;
    written.mHintFeature = false;
    ASSERT_TRUE(written.Save(Folder()));
    const std::string firstBytes = Tests::ReadBytes(FilePath());

    GameOptions read;
    std::string message;
    ASSERT_EQ(read.Load(Folder(), &message), GameOptions::LoadResult::Loaded) << message;
    EXPECT_EQ(read.mReservedValue, 0x7F00AA01);
    EXPECT_EQ(read.mMusicVolume, 0.25);
    EXPECT_EQ(read.mSfxVolume, 1.0);
    EXPECT_FALSE(read.mTutorialTips);
    EXPECT_TRUE(read.mReservedFlag);
    EXPECT_TRUE(read.mAnimalNames);
    EXPECT_FALSE(read.mHintFeature);
    EXPECT_FALSE(read.mScanLines);
    EXPECT_TRUE(read.mMuteOnPause);

    ASSERT_TRUE(read.Save(Folder()));
    EXPECT_EQ(Tests::ReadBytes(FilePath()), firstBytes);
}

TEST_F(GameOptionsTest, BytesAfterTheRecordAreIgnored)
{
    WriteFile(kKnownOptionsFile + "trailing");
    GameOptions options;
    std::string message;
    ASSERT_EQ(options.Load(Folder(), &message), GameOptions::LoadResult::Loaded) << message;
    EXPECT_EQ(options.mReservedValue, -2);
    EXPECT_FALSE(options.mMuteOnPause);
}

TEST_F(GameOptionsTest, ValuesTheWriterNeverStoresAreRefused)
{
    const struct {
        size_t offset;
        std::string bytes;
        const char* what;
    } damages[] = {
        {4, std::string("\x01\x04\x00\x00", 4), "music volume 1025"},
        {8, std::string("\xFF\xFF\xFF\xFF", 4), "sound volume -1"},
        {12, "\x02", "tips flag 2"},
        {17, "\xFF", "mute flag 255"},
    };
    for (const auto& [offset, bytes, what] : damages) {
        std::string file = kKnownOptionsFile;
        file.replace(offset, bytes.size(), bytes);
        WriteFile(file);
        ExpectRefused(what);
    }
}

TEST_F(GameOptionsTest, VolumesAtTheEndsOfTheirRangeLoad)
{
    std::string file = kKnownOptionsFile;
    file.replace(4, 8, std::string("\x00\x04\x00\x00\x00\x00\x00\x00", 8));
    WriteFile(file);
    GameOptions options;
    std::string message;
    ASSERT_EQ(options.Load(Folder(), &message), GameOptions::LoadResult::Loaded) << message;
    EXPECT_EQ(options.mMusicVolume, 1.0);
    EXPECT_EQ(options.mSfxVolume, 0.0);
}

TEST_F(GameOptionsTest, SavingSwitchedOffWritesNothing)
{
    WriteFile(kKnownOptionsFile);
    GameOptions options;
    options.mSaveEnabled = false;
    EXPECT_TRUE(options.Save(Folder()));
    EXPECT_EQ(Tests::ReadBytes(FilePath()), kKnownOptionsFile);
}

} // namespace
