// The sound manager's loading: the formats it plays, the ids it accepts, names, and the
// cache of decoded sounds with its staleness rules, for loose files and archived ones.

#include "framework/resources/PakInterface.h"
#include "framework/sound/SoundCache.h"
#include "framework/sound/WavFile.h"
#include "platform/win32/Files.h"
#include "tests/framework/sound/SoundManagerFixture.h"

namespace {

using namespace Zest;
using namespace std::string_literals;
using Tests::MakeAu;
using Tests::MakeWav;
using Tests::Samples16;

using SoundManagerTest = Tests::SoundManagerTest;

constexpr double kHalfScale = 16384 / 32768.0;

TEST_F(SoundManagerTest, LoadedSoundsPlayEachFormatOnTheRightSides)
{
    struct Case {
        const char* name;
        const char* file;
        std::string bytes;
        double left;
        double right;
    };
    const Case cases[] = {
        {"16-bit mono WAV", "a.wav", MakeWav(1, 44100, 16, Samples16(std::vector<int16_t>(64, 16384))), 0.5, 0.5},
        {"16-bit stereo WAV", "a.wav", MakeWav(2, 44100, 16, Samples16({16384, -8192, 16384, -8192})), 0.5, -0.25},
        {"8-bit mono WAV", "a.wav", MakeWav(1, 44100, 8, "\xC0\xC0\xC0\xC0"s), 0.5, 0.5},
        {"8-bit stereo WAV", "a.wav", MakeWav(2, 44100, 8, "\xC0\x80\xC0\x80"s), 0.5, 0.0},
        {"8-bit signed AU", "a.au", MakeAu(Tests::kAuLinear8, 44100, 2, "\x40\xE0\x40\xE0"s), 0.5, -0.25},
    };
    for (const Case& test : cases) {
        std::filesystem::remove_all(File("snd"));
        Write("snd/"s + test.file, test.bytes);
        ASSERT_TRUE(mManager->LoadSound(7, "snd\\a")) << test.name;
        SoundInstance* const instance = Instance(7);
        ASSERT_NE(instance, nullptr);
        ASSERT_TRUE(instance->Play(true, false));
        const std::vector<int16_t> out = Mix(2);
        EXPECT_NEAR(out[2] / 32767.0, test.left, 0.001) << test.name;
        EXPECT_NEAR(out[3] / 32767.0, test.right, 0.001) << test.name;
        instance->Release();
    }
}

TEST_F(SoundManagerTest, IdsOutsideZeroTo255AreRefused)
{
    WriteConstantWav("tone.wav", 1000);
    for (const int id : {-1, -256, 256, 1000}) {
        EXPECT_FALSE(mManager->LoadSound(id, "tone")) << id;
        EXPECT_FALSE(mManager->SetBaseVolume(id, 0.5)) << id;
        EXPECT_FALSE(mManager->SetBasePan(id, 100)) << id;
        EXPECT_EQ(mManager->GetSoundInstance(id), nullptr) << id;
        mManager->ReleaseSound(id);
    }
    EXPECT_EQ(mManager->GetNumSounds(), 0);
    EXPECT_TRUE(mManager->LoadSound(0, "tone"));
    EXPECT_TRUE(mManager->LoadSound(255, "tone"));
    EXPECT_EQ(mManager->GetNumSounds(), 2);
    EXPECT_EQ(mManager->GetFreeSoundId(), 1);
}

TEST_F(SoundManagerTest, LoadingByNameTakesTheHighestFreeIdAndFindsLoadedNames)
{
    WriteConstantWav("one.wav", 1000);
    WriteConstantWav("two.wav", 2000);
    EXPECT_EQ(mManager->LoadSoundByName("one"), 255);
    EXPECT_EQ(mManager->LoadSoundByName("two"), 254);
    // A loaded name is found without loading again: its file is gone by now.
    std::filesystem::remove(File("one.wav"));
    EXPECT_EQ(mManager->LoadSoundByName("one"), 255);
    // A name that failed to load is not taken for a loaded one.
    EXPECT_EQ(mManager->LoadSoundByName("missing"), -1);
    EXPECT_EQ(mManager->LoadSoundByName("missing"), -1);
    EXPECT_EQ(mManager->LoadSoundByName(""), -1);
    EXPECT_EQ(mManager->GetNumSounds(), 2);
}

TEST_F(SoundManagerTest, ReleasingASoundLeavesItsPlayingCopiesAlone)
{
    WriteConstantWav("tone.wav", 16384);
    ASSERT_TRUE(mManager->LoadSound(3, "tone"));
    SoundInstance* const instance = Instance(3);
    ASSERT_TRUE(instance->Play(true, false));
    mManager->ReleaseSound(3);
    EXPECT_EQ(mManager->GetNumSounds(), 0);
    EXPECT_EQ(mManager->GetSoundInstance(3), nullptr);
    EXPECT_NEAR(MixedLevel(64), kHalfScale, 0.001);
}

// MP3 effects are decoded by the second music library when the application uses it.
TEST_F(SoundManagerTest, Mp3IsDecodedThroughTheSecondMusicLibraryAndCached)
{
    Write("sounds/quiet.mp3", Tests::MakeSilentMp3(20, 1));
    EXPECT_FALSE(mManager->LoadSound(1, "sounds\\quiet"));

    DSoundManager withFMod(Window(), true);
    ASSERT_TRUE(withFMod.LoadSound(1, "sounds\\quiet"));
    DecodedSound cached;
    std::string sourceName;
    const SourceIsCurrent record = [&](const std::string& name, uint64_t) {
        sourceName = name;
        return true;
    };
    ASSERT_TRUE(ReadWavFile(CacheFile("sounds/quiet.wav").string(), record, &cached));
    EXPECT_EQ(sourceName, "sounds\\quiet.mp3");
    // The library may decode mono as stereo; every frame of the file is there, silent.
    EXPECT_EQ(cached.mFormat.mSamplesPerSec, 44100u);
    EXPECT_EQ(cached.mFormat.mBitsPerSample, 16);
    EXPECT_EQ(cached.mData, std::vector<uint8_t>(20 * 1152 * cached.mFormat.BlockAlign(), 0));

    Write("sounds/bad.mp3", "\xFF\xFB and nothing more"s);
    EXPECT_FALSE(withFMod.LoadSound(2, "sounds\\bad"));
}

TEST_F(SoundManagerTest, SamplesFromTheSecondMusicLibraryKeepTheirForm)
{
    // The library tells a file's format by its bytes: WAV data under an MP3 name show that
    // every sample form of a decoded sample reaches the buffer.
    Write("sounds/form.mp3", MakeWav(2, 44100, 8, "\xC0\x80\xC0\x80"s));
    DSoundManager withFMod(Window(), true);
    ASSERT_TRUE(withFMod.LoadSound(1, "sounds\\form"));
    SoundInstance* const instance = withFMod.GetSoundInstance(1);
    ASSERT_NE(instance, nullptr);
    ASSERT_TRUE(instance->Play(true, false));
    const std::vector<int16_t> out = Mix(2);
    EXPECT_NEAR(out[2] / 32767.0, 0.5, 0.001);
    EXPECT_NEAR(out[3] / 32767.0, 0.0, 0.001);
}

TEST_F(SoundManagerTest, MissingAndDamagedSoundsFailToLoad)
{
    Write("bad.wav", "RIFF\x04\x00\x00\x00WAVE"s);
    Write("bad.ogg", "OggS but nothing after it");
    EXPECT_FALSE(mManager->LoadSound(1, "missing"));
    EXPECT_FALSE(mManager->LoadSound(1, "bad"));
    EXPECT_EQ(mManager->GetNumSounds(), 0);
}

// The cache of decoded sounds: an Ogg source decoded once, then read from its WAV copy
// under "cached\" until the source's file time changes.
class SoundCacheTest : public Tests::SoundManagerTest {
protected:
    // The level of the sound in id 1, playing alone.
    double PlayedLevel()
    {
        SoundInstance* const instance = Instance(1);
        if (instance == nullptr || !instance->Play(true, false))
            return -1;
        const double level = MixedLevel(4410);
        instance->Release();
        return level;
    }

    static uint64_t FileTimeOf(const int64_t unixSeconds)
    {
        const Win32::FILETIME time = Win32::FileTimeFromUnix(unixSeconds, 0);
        return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    }

    // The source name and file time that the cached copy depends on.
    bool CachedDependency(const std::string& relative, std::string* sourceName, uint64_t* fileTime)
    {
        DecodedSound sound;
        const SourceIsCurrent record = [&](const std::string& name, const uint64_t time) {
            *sourceName = name;
            *fileTime = time;
            return true;
        };
        return ReadWavFile(CacheFile(relative).string(), record, &sound);
    }

    static constexpr double kToneLevel = 0.5 / 1.4142135623730951;
};

TEST_F(SoundCacheTest, DecodedSoundIsCachedAndReadBackWhileItsSourceKeepsItsTime)
{
    ASSERT_TRUE(Tests::MakeOgg(File("sounds/click.ogg"), 1, 44100, 8820, 441.0, 0.5));
    Tests::SetFileTime(File("sounds/click.ogg"), 1000000000);
    ASSERT_TRUE(mManager->LoadSound(1, "sounds\\click"));
    EXPECT_NEAR(PlayedLevel(), kToneLevel, kToneLevel * 0.05);

    std::string sourceName;
    uint64_t fileTime = 0;
    ASSERT_TRUE(CachedDependency("sounds/click.wav", &sourceName, &fileTime));
    EXPECT_EQ(sourceName, "sounds\\click.ogg");
    EXPECT_EQ(fileTime, FileTimeOf(1000000000));

    // The source is no Ogg file any more, but its time is the same: the copy is used.
    Write("sounds/click.ogg", "not decoded again");
    Tests::SetFileTime(File("sounds/click.ogg"), 1000000000);
    ASSERT_TRUE(mManager->LoadSound(1, "sounds\\click"));
    EXPECT_NEAR(PlayedLevel(), kToneLevel, kToneLevel * 0.05);

    // A new time makes the copy stale: the source is decoded again, and fails.
    Tests::SetFileTime(File("sounds/click.ogg"), 1000000001);
    EXPECT_FALSE(mManager->LoadSound(1, "sounds\\click"));
}

TEST_F(SoundCacheTest, ChangedSourceIsDecodedAgainAndItsCopyRewritten)
{
    ASSERT_TRUE(Tests::MakeOgg(File("sounds/click.ogg"), 1, 44100, 8820, 441.0, 0.5));
    Tests::SetFileTime(File("sounds/click.ogg"), 1000000000);
    ASSERT_TRUE(mManager->LoadSound(1, "sounds\\click"));

    ASSERT_TRUE(Tests::MakeOgg(File("sounds/click.ogg"), 1, 44100, 8820, 441.0, 0.25));
    Tests::SetFileTime(File("sounds/click.ogg"), 1200000000);
    ASSERT_TRUE(mManager->LoadSound(1, "sounds\\click"));
    EXPECT_NEAR(PlayedLevel(), kToneLevel / 2, kToneLevel * 0.05);
    std::string sourceName;
    uint64_t fileTime = 0;
    ASSERT_TRUE(CachedDependency("sounds/click.wav", &sourceName, &fileTime));
    EXPECT_EQ(fileTime, FileTimeOf(1200000000));
}

TEST_F(SoundCacheTest, AuSourcesAreCachedAndPlainWavFilesAreNot)
{
    Write("sounds/au.au", MakeAu(Tests::kAuMuLaw, 8000, 1, "\x80\x00\x80\x00"s));
    WriteConstantWav("sounds/plain.wav", 100);
    ASSERT_TRUE(mManager->LoadSound(1, "sounds\\au"));
    ASSERT_TRUE(mManager->LoadSound(2, "sounds\\plain"));
    EXPECT_TRUE(std::filesystem::exists(CacheFile("sounds/au.wav")));
    EXPECT_FALSE(std::filesystem::exists(CacheFile("sounds/plain.wav")));
}

TEST_F(SoundCacheTest, AbsoluteAndShortNamesAreNeverCached)
{
    ASSERT_TRUE(Tests::MakeOgg(File("ab.ogg"), 1, 22050, 2205));
    ASSERT_TRUE(Tests::MakeOgg(File("abs/click.ogg"), 1, 22050, 2205));
    ASSERT_TRUE(mManager->LoadSound(1, "ab"));
    ASSERT_TRUE(mManager->LoadSound(2, File("abs/click").string()));
    EXPECT_FALSE(std::filesystem::exists(File("appdata/cached")));
}

TEST_F(SoundCacheTest, UnwritableCacheStillLoadsTheSound)
{
    // A file where the cache folder should be: no copy can be written.
    Write("appdata/cached", "in the way");
    ASSERT_TRUE(Tests::MakeOgg(File("sounds/click.ogg"), 1, 44100, 8820, 441.0, 0.5));
    ASSERT_TRUE(mManager->LoadSound(1, "sounds\\click"));
    EXPECT_NEAR(PlayedLevel(), kToneLevel, kToneLevel * 0.05);
}

TEST_F(SoundCacheTest, DamagedCopyIsDecodedAgainFromItsSource)
{
    ASSERT_TRUE(Tests::MakeOgg(File("sounds/click.ogg"), 1, 44100, 8820, 441.0, 0.5));
    ASSERT_TRUE(mManager->LoadSound(1, "sounds\\click"));
    const std::string copy = Tests::ReadBytes(CacheFile("sounds/click.wav"));
    Tests::WriteBytes(CacheFile("sounds/click.wav"), copy.substr(0, copy.size() / 2));
    ASSERT_TRUE(mManager->LoadSound(1, "sounds\\click"));
    EXPECT_EQ(Tests::ReadBytes(CacheFile("sounds/click.wav")), copy);
}

// A sound archived in main.pak: its copy stores the archive's record of the file time, so
// a rebuilt archive with a changed sound makes the copy stale.
TEST_F(SoundCacheTest, ArchivedSourceStoresItsRecordsTimeSoARebuiltArchiveRefreshesTheCopy)
{
    const auto pack = [&](const std::string& folder, const std::string& archive, const double amplitude,
                          const int64_t time) {
        ASSERT_TRUE(Tests::MakeOgg(File(folder + "/sounds/click.ogg"), 1, 44100, 8820, 441.0, amplitude));
        Tests::SetFileTime(File(folder + "/sounds/click.ogg"), time);
        const std::string command =
            std::string(PAK_TOOL) + " pack '" + File(folder).string() + "' '" + File(archive).string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
        ASSERT_TRUE(gPakInterface->AddPakFile(archive));
    };
    pack("first", "main.pak", 0.5, 1000000000);
    ASSERT_TRUE(mManager->LoadSound(1, "sounds\\click"));
    EXPECT_NEAR(PlayedLevel(), kToneLevel, kToneLevel * 0.05);
    std::string sourceName;
    uint64_t fileTime = 0;
    ASSERT_TRUE(CachedDependency("sounds/click.wav", &sourceName, &fileTime));
    EXPECT_EQ(fileTime, FileTimeOf(1000000000));

    // The rebuilt archive's records replace the first one's.
    pack("second", "rebuilt.pak", 0.25, 1100000000);
    ASSERT_TRUE(mManager->LoadSound(1, "sounds\\click"));
    EXPECT_NEAR(PlayedLevel(), kToneLevel / 2, kToneLevel * 0.05);
    ASSERT_TRUE(CachedDependency("sounds/click.wav", &sourceName, &fileTime));
    EXPECT_EQ(fileTime, FileTimeOf(1100000000));
}

TEST_F(SoundCacheTest, SourceTimeIsZeroWhenTheSourceExistsNowhere)
{
    uint64_t fileTime = 1;
    EXPECT_FALSE(GetSourceFileTime("sounds\\gone.ogg", &fileTime));
    EXPECT_EQ(fileTime, 0u);
}

} // namespace
