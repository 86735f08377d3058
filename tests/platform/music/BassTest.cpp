// bass.so as the music interface uses it: streams and modules loaded by name (through the
// archive too), played, paused, stopped, moved and looped, at their volumes, several at
// once; damaged and missing files refused.

#include "framework/resources/PakFile.h"
#include "framework/resources/PakInterface.h"
#include "platform/music/BassApi.h"
#include "platform/win32/Files.h"
#include "tests/platform/music/MusicTestSupport.h"

namespace {

using namespace Music::Bass;
using namespace Tests;

constexpr int kBlock = 1024;

class BassTest : public MusicLibraryTest {
protected:
    BassTest() : MusicLibraryTest("bass.dll") {}

    void SetUp() override
    {
        MusicLibraryTest::SetUp();
        if (HasFatalFailure())
            return;
        Init = Bind<InitFunc>("BASS_Init");
        Free = Bind<FreeFunc>("BASS_Free");
        Stop = Bind<StopFunc>("BASS_Stop");
        Start = Bind<StartFunc>("BASS_Start");
        SetConfig = Bind<SetConfigFunc>("BASS_SetConfig");
        ErrorGetCode = Bind<ErrorGetCodeFunc>("BASS_ErrorGetCode");
        StreamCreateFile = Bind<StreamCreateFileFunc>("BASS_StreamCreateFile");
        StreamFree = Bind<StreamFreeFunc>("BASS_StreamFree");
        MusicLoad = Bind<MusicLoadFunc>("BASS_MusicLoad");
        MusicFree = Bind<MusicFreeFunc>("BASS_MusicFree");
        MusicSetAttribute = Bind<MusicSetAttributeFunc>("BASS_MusicSetAttribute");
        MusicGetOrders = Bind<MusicGetOrdersFunc>("BASS_MusicGetOrders");
        MusicGetOrderPosition = Bind<MusicGetOrderPositionFunc>("BASS_MusicGetOrderPosition");
        Play = Bind<ChannelPlayFunc>("BASS_ChannelPlay");
        StopChannel = Bind<ChannelStopFunc>("BASS_ChannelStop");
        Pause = Bind<ChannelPauseFunc>("BASS_ChannelPause");
        SetAttributes = Bind<ChannelSetAttributesFunc>("BASS_ChannelSetAttributes");
        SetPosition = Bind<ChannelSetPositionFunc>("BASS_ChannelSetPosition");
        GetPosition = Bind<ChannelGetPositionFunc>("BASS_ChannelGetPosition");
        GetLength = Bind<ChannelGetLengthFunc>("BASS_ChannelGetLength");
        SetFlags = Bind<ChannelSetFlagsFunc>("BASS_ChannelSetFlags");
        IsActive = Bind<ChannelIsActiveFunc>("BASS_ChannelIsActive");
        ASSERT_FALSE(HasFailure());
        ASSERT_TRUE(Init(kFirstDevice, 44100, 0, nullptr, nullptr));
        ASSERT_TRUE(SetConfig(kConfigBufferMilliseconds, 2000));
        ASSERT_TRUE(Start());
    }

    // An archive a test maps stays in the process's archive file system until removed.
    void TearDown() override
    {
        if (Free != nullptr)
            Free();
        Zest::gPakInterface->RemovePakFiles();
        MusicLibraryTest::TearDown();
    }

    DWORD Stream(const std::string& path) { return StreamCreateFile(0, path.c_str(), 0, 0, 0); }

    // Plays a stream from its start and skips the first block, over which a start is ramped.
    void PlayFromStart(const DWORD channel)
    {
        ASSERT_TRUE(Play(channel, 1));
        Mix(kBlock);
    }

    InitFunc Init = nullptr;
    FreeFunc Free = nullptr;
    StopFunc Stop = nullptr;
    StartFunc Start = nullptr;
    SetConfigFunc SetConfig = nullptr;
    ErrorGetCodeFunc ErrorGetCode = nullptr;
    StreamCreateFileFunc StreamCreateFile = nullptr;
    StreamFreeFunc StreamFree = nullptr;
    MusicLoadFunc MusicLoad = nullptr;
    MusicFreeFunc MusicFree = nullptr;
    MusicSetAttributeFunc MusicSetAttribute = nullptr;
    MusicGetOrdersFunc MusicGetOrders = nullptr;
    MusicGetOrderPositionFunc MusicGetOrderPosition = nullptr;
    ChannelPlayFunc Play = nullptr;
    ChannelStopFunc StopChannel = nullptr;
    ChannelPauseFunc Pause = nullptr;
    ChannelSetAttributesFunc SetAttributes = nullptr;
    ChannelSetPositionFunc SetPosition = nullptr;
    ChannelGetPositionFunc GetPosition = nullptr;
    ChannelGetLengthFunc GetLength = nullptr;
    ChannelSetFlagsFunc SetFlags = nullptr;
    ChannelIsActiveFunc IsActive = nullptr;
};

TEST_F(BassTest, ExportsEveryEntryPointTheInterfaceBinds)
{
    for (const char* name : {"BASS_Init", "BASS_Free", "BASS_Stop", "BASS_Start", "BASS_GetVolume", "BASS_GetInfo",
             "BASS_GetVersion", "BASS_ChannelStop", "BASS_ChannelPlay", "BASS_ChannelPause",
             "BASS_ChannelSetAttributes", "BASS_ChannelGetAttributes", "BASS_ChannelSetPosition",
             "BASS_ChannelGetPosition", "BASS_ChannelIsActive", "BASS_ChannelSetFlags", "BASS_ChannelSlideAttributes",
             "BASS_ChannelIsSliding", "BASS_ChannelGetLevel", "BASS_ChannelSetSync", "BASS_ChannelRemoveSync",
             "BASS_ChannelGetData", "BASS_FXSetParameters", "BASS_FXGetParameters", "BASS_ChannelSetFX",
             "BASS_ChannelRemoveFX", "BASS_MusicLoad", "BASS_MusicFree", "BASS_MusicGetAttribute",
             "BASS_MusicSetAttribute", "BASS_StreamCreateFile", "BASS_StreamFree", "BASS_MusicGetOrders",
             "BASS_MusicGetOrderPosition", "BASS_SampleLoad", "BASS_SampleFree", "BASS_SampleSetInfo",
             "BASS_SampleGetInfo", "BASS_SampleGetChannel", "BASS_SampleStop", "BASS_ErrorGetCode",
             "BASS_SetGlobalVolumes", "BASS_SetVolume", "BASS_SetConfig", "BASS_GetConfig", "BASS_ChannelGetLength"})
        EXPECT_NE(Win32::GetProcAddress(mModule, name), nullptr) << name;
}

TEST_F(BassTest, StreamReachesTheOutputAtItsVolumeAndTheStreamVolume)
{
    const std::string tone = Tone("tone.ogg", 0.5);
    struct Case {
        int volume;
        DWORD streamVolume;
        double scale;
    };
    for (const Case& test : {Case{100, 100, 1.0}, Case{50, 100, 0.5}, Case{100, 25, 0.25}, Case{0, 100, 0.0}}) {
        ASSERT_TRUE(SetConfig(kConfigStreamVolume, test.streamVolume));
        const DWORD stream = Stream(tone);
        ASSERT_NE(stream, 0u);
        ASSERT_TRUE(SetAttributes(stream, kFrequencyUnchanged, test.volume, kPanUnchanged));
        PlayFromStart(stream);
        const std::vector<int16_t> out = Mix(8192);
        const double expected = SineRms(0.5) * test.scale;
        EXPECT_NEAR(Rms(out, 0), expected, 0.03 * expected + 0.002) << test.volume << " " << test.streamVolume;
        EXPECT_NEAR(Rms(out, 1), expected / 2, 0.03 * expected + 0.002) << test.volume << " " << test.streamVolume;
        EXPECT_TRUE(StreamFree(stream));
    }
}

// A quarter second of mono at 22050 Hz, resampled to the output: looping, a second of
// output holds four loop points and no quiet window; played once, it ends and falls silent.
TEST_F(BassTest, LoopingStreamWrapsWithoutAGapAndAnUnloopedOneEnds)
{
    const std::string tone = Tone("loop.ogg", 0.5, 1, 22050, 5512);
    for (const bool looping : {true, false}) {
        const DWORD stream = Stream(tone);
        ASSERT_NE(stream, 0u);
        ASSERT_TRUE(SetFlags(stream, looping ? kFlagLoop : 0));
        PlayFromStart(stream);
        const std::vector<int16_t> out = Mix(44100);
        if (looping) {
            EXPECT_GT(QuietestWindow(out, 0, 220), 0.6 * SineRms(0.5));
            EXPECT_EQ(IsActive(stream), kActivePlaying);
            EXPECT_LT(GetPosition(stream), GetLength(stream));
        } else {
            EXPECT_EQ(IsActive(stream), kActiveStopped);
            EXPECT_EQ(Rms(out, 0, 11025, 44100), 0.0);
        }
        EXPECT_TRUE(StreamFree(stream));
    }
}

TEST_F(BassTest, PauseResumeStopAndPositionsMoveTheStreamAsTold)
{
    const DWORD stream = Stream(Tone("tone.ogg"));
    ASSERT_NE(stream, 0u);
    constexpr QWORD kFrameBytes = 4;
    ASSERT_TRUE(Play(stream, 1));
    Mix(4410);
    EXPECT_EQ(GetPosition(stream), 4410 * kFrameBytes);

    ASSERT_TRUE(Pause(stream));
    EXPECT_EQ(IsActive(stream), kActivePaused);
    EXPECT_EQ(Rms(Mix(2048), 0), 0.0);
    EXPECT_EQ(GetPosition(stream), 4410 * kFrameBytes);
    EXPECT_FALSE(Pause(stream));
    EXPECT_EQ(ErrorGetCode(), kErrorNotPlaying);

    // Playing without restart resumes where it was.
    ASSERT_TRUE(Play(stream, 0));
    EXPECT_EQ(IsActive(stream), kActivePlaying);
    EXPECT_GT(Rms(Mix(441), 0), 0.0);
    EXPECT_EQ(GetPosition(stream), 4851 * kFrameBytes);

    // A stopped stream keeps its place too.
    ASSERT_TRUE(StopChannel(stream));
    EXPECT_EQ(IsActive(stream), kActiveStopped);
    EXPECT_EQ(Rms(Mix(2048), 0), 0.0);
    ASSERT_TRUE(Play(stream, 0));
    Mix(100);
    EXPECT_EQ(GetPosition(stream), 4951 * kFrameBytes);

    ASSERT_TRUE(SetPosition(stream, 22050 * kFrameBytes));
    EXPECT_EQ(GetPosition(stream), 22050 * kFrameBytes);
    Mix(10);
    EXPECT_EQ(GetPosition(stream), 22060 * kFrameBytes);
    ASSERT_TRUE(Play(stream, 1));
    Mix(10);
    EXPECT_EQ(GetPosition(stream), 10 * kFrameBytes);

    EXPECT_FALSE(SetPosition(stream, 44101 * kFrameBytes));
    EXPECT_EQ(ErrorGetCode(), kErrorPosition);

    // Stopping the output holds every channel where it is.
    ASSERT_TRUE(Stop());
    EXPECT_EQ(Rms(Mix(2048), 0), 0.0);
    EXPECT_EQ(GetPosition(stream), 10 * kFrameBytes);
    ASSERT_TRUE(Start());
    EXPECT_GT(Rms(Mix(2048), 0), 0.0);
}

TEST_F(BassTest, Mp3StreamsKnowTheirLengthSeekAndEnd)
{
    WriteBytes(File("quiet.mp3"), MakeSilentMp3(20));
    const DWORD stream = Stream(Path("quiet.mp3"));
    ASSERT_NE(stream, 0u);
    constexpr QWORD kFrames = 20 * 1152;
    EXPECT_EQ(GetLength(stream), kFrames * 4);
    ASSERT_TRUE(SetPosition(stream, kFrames * 2));
    EXPECT_EQ(GetPosition(stream), kFrames * 2);
    ASSERT_TRUE(Play(stream, 0));
    EXPECT_EQ(Rms(Mix(8192), 0), 0.0);
    Mix(static_cast<int>(kFrames / 2));
    EXPECT_EQ(IsActive(stream), kActiveStopped);
}

TEST_F(BassTest, TwoStreamsPlayAtOnce)
{
    const DWORD left = Stream(Tone("left.ogg", 0.4, 1));
    const DWORD right = Stream(Tone("right.ogg", 0.2, 1));
    ASSERT_NE(left, 0u);
    ASSERT_NE(right, 0u);
    ASSERT_TRUE(SetAttributes(left, kFrequencyUnchanged, 100, -100));
    ASSERT_TRUE(SetAttributes(right, kFrequencyUnchanged, 100, 100));
    ASSERT_TRUE(Play(left, 1));
    ASSERT_TRUE(Play(right, 1));
    Mix(kBlock);
    const std::vector<int16_t> out = Mix(8192);
    EXPECT_NEAR(Rms(out, 0), SineRms(0.4), 0.03 * SineRms(0.4));
    EXPECT_NEAR(Rms(out, 1), SineRms(0.2), 0.03 * SineRms(0.2));
}

TEST_F(BassTest, TheSameFileLoadedTwiceMakesTwoSongsThatAreBothFreed)
{
    const std::string tone = Tone("tone.ogg");
    const DWORD first = Stream(tone);
    const DWORD second = Stream(tone);
    ASSERT_NE(first, 0u);
    ASSERT_NE(second, 0u);
    EXPECT_NE(first, second);
    EXPECT_EQ(mLiveObjects(), 2);

    ASSERT_TRUE(Play(first, 1));
    Mix(4410);
    EXPECT_EQ(IsActive(second), kActiveStopped);
    EXPECT_EQ(GetPosition(second), 0u);

    ASSERT_TRUE(StreamFree(first));
    EXPECT_EQ(mLiveObjects(), 1);
    PlayFromStart(second);
    EXPECT_GT(Rms(Mix(4410), 0), 0.5 * SineRms(0.5));
    ASSERT_TRUE(StreamFree(second));
    EXPECT_EQ(mLiveObjects(), 0);

    EXPECT_FALSE(StreamFree(first));
    EXPECT_EQ(ErrorGetCode(), kErrorHandle);
    EXPECT_FALSE(Play(second, 1));
    EXPECT_EQ(IsActive(second), kActiveStopped);
}

TEST_F(BassTest, MissingAndDamagedFilesAreRefused)
{
    Tone("whole.ogg");
    const std::string whole = ReadBytes(File("whole.ogg"));
    struct Case {
        const char* name;
        const char* bytes;
        std::string content;
        int error;
    };
    const Case cases[] = {
        {"missing", nullptr, "", kErrorFileOpen},
        {"empty", "", "", kErrorFormat},
        {"text", "text", "this is no music at all", kErrorFormat},
        {"cut in its headers", "cut", whole.substr(0, 60), kErrorFormat},
    };
    for (const Case& test : cases) {
        const std::string path = Path(std::string(test.name) + ".ogg");
        const std::string module = Path(std::string(test.name) + ".mod");
        if (test.bytes != nullptr) {
            WriteBytes(path, test.content);
            WriteBytes(module, test.content);
        }
        EXPECT_EQ(Stream(path), 0u) << test.name;
        EXPECT_EQ(ErrorGetCode(), test.error) << test.name;
        EXPECT_EQ(MusicLoad(0, module.c_str(), 0, 0, 0x204, 0), 0u) << test.name;
        EXPECT_EQ(ErrorGetCode(), test.error) << test.name;
    }
    EXPECT_EQ(mLiveObjects(), 0);

    // Sound cut short or overwritten in the middle is refused, or plays what decodes and ends.
    WriteBytes(File("cut.ogg"), whole.substr(0, whole.size() * 3 / 4));
    std::string scrambled = whole;
    for (size_t i = scrambled.size() / 3; i < scrambled.size(); i += 7)
        scrambled[i] = static_cast<char>(scrambled[i] ^ 0x5A);
    WriteBytes(File("scrambled.ogg"), scrambled);
    for (const char* name : {"cut.ogg", "scrambled.ogg"}) {
        const DWORD stream = Stream(Path(name));
        if (stream == 0) {
            EXPECT_EQ(ErrorGetCode(), kErrorFormat) << name;
            continue;
        }
        ASSERT_TRUE(Play(stream, 1));
        Mix(2 * 44100);
        EXPECT_EQ(IsActive(stream), kActiveStopped) << name;
        EXPECT_TRUE(StreamFree(stream));
    }
}

TEST_F(BassTest, SongsInsideTheArchivePlayThroughTheReaderItsPublicationInstalled)
{
    Tone("pack/music/song.ogg");
    WriteBytes(File("pack/music/tune.mod"), MakeModule());
    const std::string command = std::string(PAK_TOOL) + " pack '" + Path("pack") + "' '" + Path("main.pak") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    // Only the archive holds them now.
    fs::remove_all(File("pack"));
    ASSERT_TRUE(Zest::gPakInterface->AddPakFile(Path("main.pak")));

    const DWORD stream = Stream("music\\song.ogg");
    ASSERT_NE(stream, 0u);
    const DWORD module = MusicLoad(0, "music\\tune.mod", 0, 0, 0x204, 0);
    ASSERT_NE(module, 0u);
    PlayFromStart(stream);
    EXPECT_NEAR(Rms(Mix(4410), 0), SineRms(0.5), 0.03 * SineRms(0.5));
    ASSERT_TRUE(StreamFree(stream));
    PlayFromStart(module);
    EXPECT_GT(Rms(Mix(4410), 0), 0.01);

    // Without that reader the library looks on disk alone, where they are not.
    Win32::SetContentFileReader(nullptr);
    EXPECT_EQ(Stream("music\\song.ogg"), 0u);
    EXPECT_EQ(ErrorGetCode(), kErrorFileOpen);
    EXPECT_EQ(MusicLoad(0, "music\\tune.mod", 0, 0, 0x204, 0), 0u);
    EXPECT_EQ(ErrorGetCode(), kErrorFileOpen);
    Win32::SetContentFileReader(Zest::ReadWholeFile);
}

// The module has two orders of 1.28 seconds each.
TEST_F(BassTest, ModulesStartAtAnOrderLoopAndEnd)
{
    const std::string bytes = MakeModule();
    WriteBytes(File("tune.mod"), bytes);
    const DWORD fromMemory = MusicLoad(1, bytes.data(), 0, static_cast<DWORD>(bytes.size()), 4, 0);
    ASSERT_NE(fromMemory, 0u);
    EXPECT_TRUE(MusicFree(fromMemory));
    const DWORD module = MusicLoad(0, Path("tune.mod").c_str(), 0, 0, 0x204, 0);
    ASSERT_NE(module, 0u);
    EXPECT_EQ(MusicGetOrders(module), 2u);

    // As the interface starts a module at an order: the position sign-extended from 32 bits.
    const QWORD orderOne = static_cast<QWORD>(static_cast<int64_t>(static_cast<int32_t>(1u | 0x80000000u)));
    ASSERT_TRUE(StopChannel(module));
    ASSERT_TRUE(SetPosition(module, orderOne));
    ASSERT_TRUE(SetFlags(module, 0x8200));
    ASSERT_TRUE(Play(module, 0));
    EXPECT_GT(Rms(Mix(4410), 0), 0.01);
    EXPECT_EQ(MusicGetOrderPosition(module) & 0xFFFF, 1u);
    // Back to the first order, as playing a module again from its start does.
    const QWORD orderZero = static_cast<QWORD>(static_cast<int64_t>(static_cast<int32_t>(0x80000000u)));
    ASSERT_TRUE(SetPosition(module, orderZero));
    EXPECT_EQ(MusicGetOrderPosition(module) & 0xFFFF, 0u);
    Mix(44100 * 3);
    EXPECT_EQ(IsActive(module), kActiveStopped);

    ASSERT_TRUE(SetFlags(module, kFlagLoop | 0x8200));
    PlayFromStart(module);
    const double level = Rms(Mix(4410), 0);
    Mix(44100 * 3);
    EXPECT_EQ(IsActive(module), kActivePlaying);
    EXPECT_GT(Rms(Mix(4410), 0), 0.01);

    ASSERT_TRUE(MusicSetAttribute(module, kMusicAmplify, 50));
    PlayFromStart(module);
    EXPECT_NEAR(Rms(Mix(4410), 0), level / 2, level * 0.05);
    EXPECT_TRUE(MusicFree(module));
    EXPECT_FALSE(MusicFree(module));
}

} // namespace
