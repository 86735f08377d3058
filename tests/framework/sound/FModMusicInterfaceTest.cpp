// The second library's music interface on fmod.so: sample songs on the channels their ids
// name, whose playing state is reported truly; fades; one song per id; the WAV cache of
// decoded Ogg music; an introduction joined to its loop.

#include "framework/sound/FModInstance.h"
#include "framework/sound/FModMusicInterface.h"
#include "tests/framework/sound/MusicInterfaceTestSupport.h"

#include <memory>
#include <vector>

namespace {

using namespace Tests;

class FModMusicInterfaceTest : public MusicFolderTest {
protected:
    void SetUp() override
    {
        MusicFolderTest::SetUp();
        if (HasFatalFailure())
            return;
        mMusic = std::make_unique<Zest::FModMusicInterface>();
        ASSERT_NE(Zest::gFModInstance, nullptr);
        // The sound manager opens the library's output in the program.
        ASSERT_TRUE(Zest::gFModInstance->FSOUND_Init(44100, 32, 0));
        mLiveObjects = LiveObjectsOf(Zest::gFModInstance->mModule);
        ASSERT_NE(mLiveObjects, nullptr);
    }

    void TearDown() override
    {
        if (Zest::gFModInstance != nullptr)
            Zest::gFModInstance->FSOUND_Close();
        mMusic.reset();
        MusicFolderTest::TearDown();
    }

    unsigned SampleFrames(const int songId) const
    {
        return Zest::gFModInstance->FSOUND_Sample_GetLength(mMusic->FindSong(songId)->mHSample);
    }

    std::unique_ptr<Zest::FModMusicInterface> mMusic;
    Music::LiveObjectsFunc mLiveObjects = nullptr;
};

TEST_F(FModMusicInterfaceTest, SampleSongsPlayOnTheirOwnChannelsAndReportWhetherTheyPlay)
{
    Tone("music/three.ogg");
    Tone("music/four.ogg", 22050);
    ASSERT_TRUE(mMusic->LoadSample(3, "music\\three", true));
    ASSERT_TRUE(mMusic->LoadSample(4, "music/four", false));
    EXPECT_FALSE(mMusic->IsPlaying(3));
    mMusic->PlayMusic(3, 0, false);
    mMusic->PlayMusic(4, 0, false);
    EXPECT_TRUE(mMusic->IsPlaying(3));
    EXPECT_TRUE(mMusic->IsPlaying(4));
    EXPECT_TRUE(Zest::gFModInstance->FSOUND_IsPlaying(3));
    EXPECT_TRUE(Zest::gFModInstance->FSOUND_IsPlaying(4));

    mMusic->PauseMusic(4);
    Mix(44100);
    EXPECT_TRUE(mMusic->IsPlaying(4)) << "a paused song is still under way";
    mMusic->ResumeMusic(4);
    // The song that does not repeat plays out; the other loops on.
    Mix(44100);
    EXPECT_FALSE(mMusic->IsPlaying(4));
    EXPECT_TRUE(mMusic->IsPlaying(3));

    mMusic->PlayMusic(4, 0, false);
    mMusic->StopMusic(3);
    EXPECT_FALSE(mMusic->IsPlaying(3));
    EXPECT_TRUE(mMusic->IsPlaying(4));
    EXPECT_FALSE(mMusic->IsPlaying(5));
}

TEST_F(FModMusicInterfaceTest, FadesMoveOneStepPerUpdateAndAFadeOutStopsTheSong)
{
    Tone("song.ogg");
    WriteBytes(File("tune.mod"), MakeModule());
    ASSERT_TRUE(mMusic->LoadSample(1, "song", true));
    ASSERT_TRUE(mMusic->LoadMusic(2, "tune.mod"));
    for (const int songId : {1, 2}) {
        SCOPED_TRACE(songId);
        mMusic->FadeIn(songId, -1, 0.25, false);
        EXPECT_TRUE(mMusic->IsPlaying(songId));
        for (const double expected : {0.25, 0.5, 0.75, 1.0, 1.0}) {
            mMusic->Update();
            EXPECT_DOUBLE_EQ(mMusic->FindSong(songId)->mVolume, expected);
        }
        EXPECT_EQ(mMusic->FindSong(songId)->mVolumeAdd, 0.0);
        mMusic->FadeOut(songId, true, 0.25);
        for (const double expected : {0.75, 0.5, 0.25, 0.0}) {
            mMusic->Update();
            EXPECT_DOUBLE_EQ(mMusic->FindSong(songId)->mVolume, expected);
            EXPECT_TRUE(mMusic->IsPlaying(songId));
        }
        mMusic->Update();
        EXPECT_FALSE(mMusic->IsPlaying(songId));
    }
}

TEST_F(FModMusicInterfaceTest, FadingInASongAlreadyPlayingDoesNotRestartIt)
{
    Tone("song.ogg");
    ASSERT_TRUE(mMusic->LoadSample(1, "song", false));
    mMusic->PlayMusic(1, 0, false);
    Mix(33075);
    mMusic->FadeIn(1, 0, 0.1, false);
    Mix(22050);
    EXPECT_FALSE(mMusic->IsPlaying(1)) << "the song was started again";
}

TEST_F(FModMusicInterfaceTest, VolumesScaleByTheMusicVolume)
{
    Tone("song.ogg", 88200);
    ASSERT_TRUE(mMusic->LoadSample(1, "song", true));
    mMusic->PlayMusic(1, 0, false);
    Mix(2048);
    const double full = Rms(Mix(4410), 0);
    EXPECT_NEAR(full, SineRms(0.5), 0.03);
    mMusic->SetVolume(0.5);
    Mix(2048);
    EXPECT_NEAR(Rms(Mix(4410), 0), full / 2, 0.03);
    mMusic->SetSongVolume(1, 0.5);
    Mix(2048);
    EXPECT_NEAR(Rms(Mix(4410), 0), full / 4, 0.03);
}

TEST_F(FModMusicInterfaceTest, LoadingAnIdAgainKeepsTheFirstSongAndMakesNoSecond)
{
    Tone("one.ogg");
    Tone("two.ogg");
    WriteBytes(File("tune.mod"), MakeModule());
    ASSERT_TRUE(mMusic->LoadSample(1, "one", true));
    ASSERT_TRUE(mMusic->LoadMusic(2, "tune.mod"));
    const int loaded = mLiveObjects();
    const Zest::FModMusicInfo first = *mMusic->FindSong(1);

    EXPECT_TRUE(mMusic->LoadSample(1, "two", true));
    EXPECT_TRUE(mMusic->LoadSamplePair(1, "one", "two", true));
    EXPECT_TRUE(mMusic->LoadMusic(1, "tune.mod"));
    EXPECT_TRUE(mMusic->LoadMusic(2, "tune.mod"));
    EXPECT_EQ(mLiveObjects(), loaded);
    EXPECT_EQ(mMusic->FindSong(1)->mHSample, first.mHSample);
    EXPECT_EQ(mMusic->FindSong(1)->mHMusic, nullptr);
}

TEST_F(FModMusicInterfaceTest, DecodedOggMusicIsCachedAsAPlainWav)
{
    Tone("music/song.ogg", 4410, 22050, 1);
    ASSERT_TRUE(mMusic->LoadSample(1, "music\\song", true));
    const fs::path cache = mFolder.Path() / "appdata" / "cached" / "song.wav";
    ASSERT_TRUE(fs::exists(cache));
    const std::string wav = ReadBytes(cache);
    const std::string header = MakeWav(1, 22050, 16, std::string(4410 * 2, '\0')).substr(0, 44);
    EXPECT_EQ(wav.substr(0, 44), header);
    EXPECT_EQ(wav.size(), 44u + 4410 * 2);

    // The cached file is used without the Ogg file.
    fs::remove(File("music/song.ogg"));
    ASSERT_TRUE(mMusic->LoadSample(2, "music\\song", true));
    EXPECT_EQ(SampleFrames(2), 4410u);
    EXPECT_FALSE(mMusic->LoadSample(3, "music\\other", true));
}

TEST_F(FModMusicInterfaceTest, APairPlaysItsIntroductionOnceThenRepeatsItsLoop)
{
    Tone("intro.ogg", 22050);
    Tone("loop.ogg", 11025);
    Tone("slow.ogg", 11025, 22050);
    const int before = mLiveObjects();
    EXPECT_FALSE(mMusic->LoadSamplePair(1, "intro", "slow", true));
    EXPECT_FALSE(mMusic->LoadSamplePair(1, "intro", "missing", true));
    EXPECT_EQ(mMusic->FindSong(1), nullptr);
    EXPECT_EQ(mLiveObjects(), before) << "a refused pair leaves no sample behind";

    ASSERT_TRUE(mMusic->LoadSamplePair(1, "intro", "loop", true));
    EXPECT_EQ(SampleFrames(1), 22050u + 11025u);
    EXPECT_EQ(mLiveObjects(), before + 1);
    mMusic->PlayMusic(1, 0, false);
    // Past the introduction and several times round the loop, without a gap.
    Mix(2048);
    const std::vector<int16_t> mix = Mix(3 * 44100);
    EXPECT_TRUE(mMusic->IsPlaying(1));
    EXPECT_GT(QuietestWindow(mix, 0, 2205), 0.2);

    ASSERT_TRUE(mMusic->LoadSamplePair(2, "intro", "loop", false));
    mMusic->PlayMusic(2, 0, false);
    Mix(44100);
    EXPECT_FALSE(mMusic->IsPlaying(2));
}

} // namespace
