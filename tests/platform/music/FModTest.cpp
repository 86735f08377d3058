// fmod.so as the music interface and the sound manager use it: samples loaded from files
// or made and filled by the caller, played on numbered channels, joined samples that loop
// their second part; modules played, paused and stopped; every entry point found by its
// decorated name.

#include "platform/music/FModApi.h"
#include "tests/platform/music/MusicTestSupport.h"

namespace {

using namespace Music::FMod;
using namespace Tests;

class FModTest : public MusicLibraryTest {
protected:
    FModTest() : MusicLibraryTest("fmod.dll") {}

    void SetUp() override
    {
        MusicLibraryTest::SetUp();
        if (HasFatalFailure())
            return;
        Init = Bind<InitFunc>("_FSOUND_Init@12");
        Close = Bind<CloseFunc>("_FSOUND_Close@0");
        SampleLoad = Bind<SampleLoadFunc>("_FSOUND_Sample_Load@16");
        SampleAlloc = Bind<SampleAllocFunc>("_FSOUND_Sample_Alloc@28");
        SampleFree = Bind<SampleFreeFunc>("_FSOUND_Sample_Free@4");
        SampleLock = Bind<SampleLockFunc>("_FSOUND_Sample_Lock@28");
        SampleUnlock = Bind<SampleUnlockFunc>("_FSOUND_Sample_Unlock@20");
        SetLoopPoints = Bind<SampleSetLoopPointsFunc>("_FSOUND_Sample_SetLoopPoints@12");
        GetLength = Bind<SampleGetLengthFunc>("_FSOUND_Sample_GetLength@4");
        GetDefaults = Bind<SampleGetDefaultsFunc>("_FSOUND_Sample_GetDefaults@20");
        GetMode = Bind<SampleGetModeFunc>("_FSOUND_Sample_GetMode@4");
        PlaySound = Bind<PlaySoundFunc>("_FSOUND_PlaySound@8");
        StopSound = Bind<StopSoundFunc>("_FSOUND_StopSound@4");
        SetVolume = Bind<SetVolumeFunc>("_FSOUND_SetVolume@8");
        SetLoopMode = Bind<SetLoopModeFunc>("_FSOUND_SetLoopMode@8");
        IsPlaying = Bind<IsPlayingFunc>("_FSOUND_IsPlaying@4");
        LoadSong = Bind<MusicLoadSongFunc>("_FMUSIC_LoadSong@4");
        PlaySong = Bind<MusicPlaySongFunc>("_FMUSIC_PlaySong@4");
        StopSong = Bind<MusicStopSongFunc>("_FMUSIC_StopSong@4");
        SetLooping = Bind<MusicSetLoopingFunc>("_FMUSIC_SetLooping@8");
        SetOrder = Bind<MusicSetOrderFunc>("_FMUSIC_SetOrder@8");
        SetSongPaused = Bind<MusicSetPausedFunc>("_FMUSIC_SetPaused@8");
        SongIsPlaying = Bind<MusicIsPlayingFunc>("_FMUSIC_IsPlaying@4");
        ASSERT_FALSE(HasFailure());
        // As the sound manager starts the library.
        ASSERT_TRUE(Init(44100, 64, 2));
    }

    void TearDown() override
    {
        // Closing frees every sample and module, which the music interface never frees.
        if (Close != nullptr) {
            Close();
            EXPECT_EQ(mLiveObjects(), 0);
        }
        MusicLibraryTest::TearDown();
    }

    // The bytes of a whole sample, through a lock.
    std::string Bytes(Sample* sample, const int length)
    {
        void* first = nullptr;
        void* second = nullptr;
        unsigned firstLength = 0;
        unsigned secondLength = 0;
        if (!SampleLock(sample, 0, length, &first, &second, &firstLength, &secondLength))
            return "";
        std::string bytes(static_cast<const char*>(first), firstLength);
        EXPECT_TRUE(SampleUnlock(sample, first, second, firstLength, secondLength));
        return bytes;
    }

    InitFunc Init = nullptr;
    CloseFunc Close = nullptr;
    SampleLoadFunc SampleLoad = nullptr;
    SampleAllocFunc SampleAlloc = nullptr;
    SampleFreeFunc SampleFree = nullptr;
    SampleLockFunc SampleLock = nullptr;
    SampleUnlockFunc SampleUnlock = nullptr;
    SampleSetLoopPointsFunc SetLoopPoints = nullptr;
    SampleGetLengthFunc GetLength = nullptr;
    SampleGetDefaultsFunc GetDefaults = nullptr;
    SampleGetModeFunc GetMode = nullptr;
    PlaySoundFunc PlaySound = nullptr;
    StopSoundFunc StopSound = nullptr;
    SetVolumeFunc SetVolume = nullptr;
    SetLoopModeFunc SetLoopMode = nullptr;
    IsPlayingFunc IsPlaying = nullptr;
    MusicLoadSongFunc LoadSong = nullptr;
    MusicPlaySongFunc PlaySong = nullptr;
    MusicStopSongFunc StopSong = nullptr;
    MusicSetLoopingFunc SetLooping = nullptr;
    MusicSetOrderFunc SetOrder = nullptr;
    MusicSetPausedFunc SetSongPaused = nullptr;
    MusicIsPlayingFunc SongIsPlaying = nullptr;
};

TEST_F(FModTest, ExportsEveryEntryPointUnderItsDecoratedName)
{
    for (const char* name : {"_FSOUND_SetBufferSize@4", "_FSOUND_SetHWND@4", "_FSOUND_Init@12", "_FSOUND_Close@0",
             "_FSOUND_Sample_Load@16", "_FSOUND_Sample_Alloc@28", "_FSOUND_Sample_Free@4", "_FSOUND_Sample_Lock@28",
             "_FSOUND_Sample_Unlock@20", "_FSOUND_Sample_SetLoopPoints@12", "_FSOUND_Sample_GetLength@4",
             "_FSOUND_Sample_GetDefaults@20", "_FSOUND_Sample_GetMode@4", "_FSOUND_PlaySound@8",
             "_FSOUND_StopSound@4", "_FSOUND_SetVolume@8", "_FSOUND_SetPaused@8", "_FSOUND_SetLoopMode@8",
             "_FSOUND_IsPlaying@4", "_FSOUND_Stream_OpenFile@12", "_FSOUND_Stream_Close@4", "_FSOUND_Stream_Play@8",
             "_FMUSIC_LoadSong@4", "_FMUSIC_PlaySong@4", "_FMUSIC_StopSong@4", "_FMUSIC_SetLooping@8",
             "_FMUSIC_SetOrder@8", "_FMUSIC_SetPaused@8", "_FMUSIC_SetMasterVolume@8", "_FMUSIC_IsPlaying@4"})
        EXPECT_NE(Win32::GetProcAddress(mModule, name), nullptr) << name;
}

TEST_F(FModTest, SampleSongsPlayOnTheChannelsOfTheirIds)
{
    Sample* const tone = SampleLoad(kFree, Tone("tone.ogg", 0.5, 1).c_str(), 0, 0);
    Sample* const other = SampleLoad(kFree, Tone("other.ogg", 0.5, 1).c_str(), 0, 0);
    ASSERT_NE(tone, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(GetMode(tone), kModeMono | kModeLoopOff);
    EXPECT_EQ(GetLength(tone), 44100u);
    int rate = 0;
    ASSERT_TRUE(GetDefaults(tone, &rate, nullptr, nullptr, nullptr));
    EXPECT_EQ(rate, 44100);

    ASSERT_EQ(PlaySound(3, tone), 3);
    ASSERT_EQ(PlaySound(4, other), 4);
    ASSERT_TRUE(SetVolume(3, 50));
    ASSERT_TRUE(SetVolume(4, 50));
    EXPECT_NEAR(Rms(Mix(8192), 0), SineRms(0.5), 0.03 * SineRms(0.5));

    ASSERT_TRUE(StopSound(3));
    EXPECT_FALSE(IsPlaying(3));
    EXPECT_TRUE(IsPlaying(4));
    EXPECT_NEAR(Rms(Mix(8192), 0), SineRms(0.25), 0.03 * SineRms(0.25));

    // Played out without looping, the channel is free again.
    Mix(44100);
    EXPECT_FALSE(IsPlaying(4));
    EXPECT_EQ(PlaySound(64, tone), -1);
}

// An introduction and a loop joined into one sample, as the music interface joins them:
// the introduction plays once, then the loop part repeats without a gap.
TEST_F(FModTest, JoinedSampleRepeatsItsSecondPart)
{
    constexpr int kIntro = 4000;
    constexpr int kLoop = 500;
    Sample* const joined = SampleAlloc(kFree, kIntro + kLoop, kModeMono | kModeLoopNormal, 44100, 255, 128, 0);
    ASSERT_NE(joined, nullptr);
    void* first = nullptr;
    void* second = nullptr;
    unsigned firstLength = 0;
    unsigned secondLength = 0;
    ASSERT_TRUE(SampleLock(joined, 0, (kIntro + kLoop) * 2, &first, &second, &firstLength, &secondLength));
    ASSERT_EQ(firstLength, static_cast<unsigned>((kIntro + kLoop) * 2));
    auto* const samples = static_cast<int16_t*>(first);
    std::fill(samples, samples + kIntro, int16_t{16384});
    std::fill(samples + kIntro, samples + kIntro + kLoop, int16_t{-8192});
    ASSERT_TRUE(SampleUnlock(joined, first, second, firstLength, secondLength));
    ASSERT_TRUE(SetLoopPoints(joined, kIntro, kIntro + kLoop - 1));

    ASSERT_EQ(PlaySound(0, joined), 0);
    ASSERT_TRUE(SetLoopMode(0, kModeLoopNormal));
    const std::vector<int16_t> out = Mix(kIntro + 10 * kLoop);
    for (int frame = 0; frame < kIntro + 10 * kLoop; ++frame)
        ASSERT_NEAR(out[2 * static_cast<size_t>(frame)], frame < kIntro ? 16384 : -8192, 1) << frame;
    EXPECT_TRUE(IsPlaying(0));

    // No longer looping, it ends at the end of the sample.
    ASSERT_TRUE(SetLoopMode(0, kModeLoopOff));
    Mix(kLoop + 1);
    EXPECT_FALSE(IsPlaying(0));
    SampleFree(joined);
    EXPECT_EQ(mLiveObjects(), 0);
}

TEST_F(FModTest, SamplesKeepTheirStoredFormAndBadFilesAreRefused)
{
    const std::string data = "\x10\x80\xF0\x7F";
    WriteBytes(File("eight.wav"), MakeWav(1, 22050, 8, data));
    Sample* const eight = SampleLoad(kFree, Path("eight.wav").c_str(), 0, 0);
    ASSERT_NE(eight, nullptr);
    EXPECT_EQ(GetMode(eight), kMode8Bits | kModeMono | kModeLoopOff);
    EXPECT_EQ(Bytes(eight, 4), data);

    WriteBytes(File("text.ogg"), "no sound here");
    WriteBytes(File("empty.wav"), MakeWav(2, 44100, 16, ""));
    for (const char* name : {"missing.ogg", "text.ogg", "empty.wav"})
        EXPECT_EQ(SampleLoad(kFree, Path(name).c_str(), 0, 0), nullptr) << name;
    EXPECT_EQ(SampleAlloc(kFree, 0, 0, 44100, 255, 128, 0), nullptr);
    EXPECT_EQ(mLiveObjects(), 1);
}

TEST_F(FModTest, ModulesPlayPauseAndStop)
{
    WriteBytes(File("tune.mod"), MakeModule());
    Module* const module = LoadSong(Path("tune.mod").c_str());
    ASSERT_NE(module, nullptr);
    ASSERT_TRUE(SetLooping(module, kModuleLoop));
    ASSERT_TRUE(PlaySong(module));
    ASSERT_TRUE(SetOrder(module, 1));
    EXPECT_FALSE(SetOrder(module, 2));
    EXPECT_TRUE(SongIsPlaying(module));
    EXPECT_GT(Rms(Mix(4410), 0), 0.01);

    ASSERT_TRUE(SetSongPaused(module, 1));
    EXPECT_EQ(Rms(Mix(4410), 0), 0.0);
    EXPECT_TRUE(SongIsPlaying(module));
    ASSERT_TRUE(SetSongPaused(module, 0));
    EXPECT_GT(Rms(Mix(4410), 0), 0.01);

    ASSERT_TRUE(StopSong(module));
    EXPECT_FALSE(SongIsPlaying(module));
    EXPECT_EQ(Rms(Mix(4410), 0), 0.0);

    // As the interface asks whether a sample song plays: with no module.
    EXPECT_FALSE(SongIsPlaying(nullptr));
    EXPECT_EQ(LoadSong(Path("missing.mod").c_str()), nullptr);
    EXPECT_EQ(LoadSong(Tone("tone.ogg").c_str()), nullptr);
}

} // namespace
