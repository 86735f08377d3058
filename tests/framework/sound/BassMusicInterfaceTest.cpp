// The first library's music interface on bass.so: fades step by step on Update, songs load
// once per id (also from the archive), play, pause, loop and start at offsets, at their
// volumes.

#include "framework/resources/PakInterface.h"
#include "framework/sound/BassInstance.h"
#include "framework/sound/BassMusicInterface.h"
#include "platform/win32/MessageBox.h"
#include "tests/framework/sound/MusicInterfaceTestSupport.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using namespace Music::Bass;
using namespace Tests;

class BassMusicInterfaceTest : public MusicFolderTest {
protected:
    void SetUp() override
    {
        MusicFolderTest::SetUp();
        if (HasFatalFailure())
            return;
        mMusic = std::make_unique<Zest::BassMusicInterface>(nullptr);
        ASSERT_NE(Zest::gBassInstance, nullptr);
        mLiveObjects = LiveObjectsOf(Zest::gBassInstance->mModule);
        ASSERT_NE(mLiveObjects, nullptr);
    }

    void TearDown() override
    {
        mMusic.reset();
        Win32::SetMessageBoxSink(nullptr);
        MusicFolderTest::TearDown();
    }

    DWORD Handle(const int songId) const
    {
        const Zest::BassMusicInfo* song = mMusic->FindSong(songId);
        return song == nullptr ? 0 : song->Handle();
    }

    // The channel volume the library was given, 0 to 100.
    DWORD LibraryVolume(const int songId) const
    {
        DWORD volume = 999;
        Zest::gBassInstance->BASS_ChannelGetAttributes(Handle(songId), nullptr, &volume, nullptr);
        return volume;
    }

    DWORD Active(const int songId) const { return Zest::gBassInstance->BASS_ChannelIsActive(Handle(songId)); }
    QWORD Position(const int songId) const { return Zest::gBassInstance->BASS_ChannelGetPosition(Handle(songId)); }

    std::unique_ptr<Zest::BassMusicInterface> mMusic;
    Music::LiveObjectsFunc mLiveObjects = nullptr;
};

TEST_F(BassMusicInterfaceTest, FadesMoveOneStepPerUpdateAndClampOneUpdateLate)
{
    Tone("song.ogg");
    ASSERT_TRUE(mMusic->LoadMusic(1, "song.ogg"));
    mMusic->FadeIn(1, 0, 0.25, false);
    EXPECT_TRUE(mMusic->IsPlaying(1));
    EXPECT_EQ(LibraryVolume(1), 0u);

    const std::vector<double> rising = {0.25, 0.5, 0.75, 1.0, 1.0};
    for (size_t step = 0; step < rising.size(); ++step) {
        mMusic->Update();
        SCOPED_TRACE(step);
        EXPECT_DOUBLE_EQ(mMusic->FindSong(1)->mVolume, rising[step]);
        EXPECT_EQ(LibraryVolume(1), static_cast<DWORD>(rising[step] * 100));
        // Landing exactly on the cap fades once more; the fifth update ends the fade.
        EXPECT_EQ(mMusic->FindSong(1)->mVolumeAdd == 0.0, step == 4);
    }

    mMusic->FadeOut(1, true, 0.25);
    for (const double expected : {0.75, 0.5, 0.25, 0.0}) {
        mMusic->Update();
        EXPECT_DOUBLE_EQ(mMusic->FindSong(1)->mVolume, expected);
        EXPECT_TRUE(mMusic->IsPlaying(1)) << expected;
    }
    mMusic->Update();
    EXPECT_DOUBLE_EQ(mMusic->FindSong(1)->mVolume, 0.0);
    EXPECT_EQ(mMusic->FindSong(1)->mVolumeAdd, 0.0);
    EXPECT_FALSE(mMusic->IsPlaying(1));
    EXPECT_EQ(Active(1), kActiveStopped);
}

TEST_F(BassMusicInterfaceTest, MaxVolumeCapsAtOnceAndStopsLaterFadesAndSilentSongsDoNotFadeOut)
{
    Tone("song.ogg");
    ASSERT_TRUE(mMusic->LoadMusic(1, "song.ogg"));
    mMusic->FadeOut(1, true, 0.25);
    EXPECT_EQ(mMusic->FindSong(1)->mVolumeAdd, 0.0);
    EXPECT_TRUE(mMusic->FindSong(1)->mStopOnFade);

    mMusic->PlayMusic(1, 0, false);
    mMusic->SetSongVolume(1, 0.8);
    EXPECT_EQ(LibraryVolume(1), 80u);
    mMusic->SetSongMaxVolume(1, 0.5);
    EXPECT_DOUBLE_EQ(mMusic->FindSong(1)->mVolume, 0.5);
    EXPECT_EQ(LibraryVolume(1), 50u);

    mMusic->StopMusic(1);
    mMusic->FadeIn(1, 0, 0.2, false);
    for (int i = 0; i < 10; ++i)
        mMusic->Update();
    EXPECT_DOUBLE_EQ(mMusic->FindSong(1)->mVolume, 0.5);
    EXPECT_EQ(LibraryVolume(1), 50u);
}

TEST_F(BassMusicInterfaceTest, LoadingAnIdAgainKeepsTheFirstSongAndMakesNoSecond)
{
    Tone("first.ogg");
    Tone("second.ogg");
    WriteBytes(File("tune.mod"), MakeModule());
    const int before = mLiveObjects();
    ASSERT_TRUE(mMusic->LoadMusic(1, "first.ogg"));
    const DWORD first = Handle(1);
    EXPECT_EQ(mLiveObjects(), before + 1);

    EXPECT_TRUE(mMusic->LoadMusic(1, "second.ogg"));
    EXPECT_TRUE(mMusic->LoadMusic(1, "tune.mod"));
    EXPECT_EQ(mLiveObjects(), before + 1);
    EXPECT_EQ(Handle(1), first);

    mMusic->UnloadMusic(1);
    EXPECT_EQ(mMusic->FindSong(1), nullptr);
    EXPECT_EQ(mLiveObjects(), before);
}

TEST_F(BassMusicInterfaceTest, TheExtensionChoosesStreamOrModule)
{
    const std::string tone = [] {
        MakeOgg(fs::current_path() / "tone.ogg", 2, 44100, 4410, 441.0, 0.5);
        return ReadBytes(fs::current_path() / "tone.ogg");
    }();
    struct Case {
        const char* name;
        std::string bytes;
        bool stream;
    };
    const std::vector<Case> cases = {
        {"a.ogg", tone, true},
        {"b.OGG", tone, true},
        {"c.wav", MakeWav(2, 44100, 16, std::string(4000, '\0')), true},
        {"d.mp3", MakeSilentMp3(4), true},
        {"e.it", MakeModule(), false},
        {"music\\noextension", MakeModule(), false},
    };
    fs::create_directories(File("music"));
    int songId = 0;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        std::string onDisk = test.name;
        std::replace(onDisk.begin(), onDisk.end(), '\\', '/');
        WriteBytes(File(onDisk), test.bytes);
        ASSERT_TRUE(mMusic->LoadMusic(++songId, test.name));
        const Zest::BassMusicInfo* song = mMusic->FindSong(songId);
        EXPECT_EQ(song->mHStream != 0, test.stream);
        EXPECT_EQ(song->mHMusic != 0, !test.stream);
    }
}

TEST_F(BassMusicInterfaceTest, MissingEmptyAndDamagedSongsAreRefusedAndOnlyDamagedModulesShowTheErrorCode)
{
    std::vector<std::string> boxes;
    Win32::SetMessageBoxSink([&boxes](const Win32::MessageBoxRequest& request) {
        boxes.push_back(request.caption + "|" + request.text);
        return Win32::IDOK;
    });
    WriteBytes(File("bad.ogg"), "not a song at all");
    WriteBytes(File("bad.mod"), "not a song at all");
    WriteBytes(File("empty.mod"), "");
    EXPECT_FALSE(mMusic->LoadMusic(1, "missing.ogg"));
    EXPECT_FALSE(mMusic->LoadMusic(2, "missing.mod"));
    EXPECT_FALSE(mMusic->LoadMusic(3, "bad.ogg"));
    EXPECT_FALSE(mMusic->LoadMusic(5, "empty.mod"));
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(mMusic->LoadMusic(4, "bad.mod"));
    EXPECT_EQ(boxes, std::vector<std::string>{"Error|BASS ERROR CODE : 4 "});
    for (const int songId : {1, 2, 3, 4, 5})
        EXPECT_EQ(mMusic->FindSong(songId), nullptr);
}

TEST_F(BassMusicInterfaceTest, PlayPauseResumeAndStop)
{
    Tone("one.ogg");
    Tone("two.ogg");
    ASSERT_TRUE(mMusic->LoadMusic(1, "one.ogg"));
    ASSERT_TRUE(mMusic->LoadMusic(2, "two.ogg"));
    mMusic->PlayMusic(1, 0, false);
    EXPECT_TRUE(mMusic->IsPlaying(1));
    EXPECT_FALSE(mMusic->IsPlaying(2));
    EXPECT_DOUBLE_EQ(mMusic->FindSong(1)->mVolume, 1.0);
    EXPECT_EQ(LibraryVolume(1), 100u);
    EXPECT_GT(Rms(Mix(4410), 0), 0.2);

    mMusic->PauseMusic(1);
    EXPECT_FALSE(mMusic->IsPlaying(1));
    EXPECT_EQ(Active(1), kActivePaused);
    const QWORD pausedAt = Position(1);
    Mix(4410);
    EXPECT_EQ(Position(1), pausedAt);
    mMusic->ResumeMusic(1);
    EXPECT_TRUE(mMusic->IsPlaying(1));

    // Only songs that were playing are paused, and only paused songs resume.
    mMusic->PauseAllMusic();
    EXPECT_EQ(Active(1), kActivePaused);
    EXPECT_EQ(Active(2), kActiveStopped);
    mMusic->ResumeAllMusic();
    EXPECT_EQ(Active(1), kActivePlaying);
    EXPECT_EQ(Active(2), kActiveStopped);

    mMusic->StopMusic(1);
    EXPECT_FALSE(mMusic->IsPlaying(1));
    EXPECT_DOUBLE_EQ(mMusic->FindSong(1)->mVolume, 0.0);

    mMusic->PlayMusic(1, 0, false);
    mMusic->PlayMusic(2, 0, false);
    mMusic->StopAllMusic();
    EXPECT_FALSE(mMusic->IsPlaying(1));
    EXPECT_FALSE(mMusic->IsPlaying(2));
    const int loaded = mLiveObjects();
    mMusic->UnloadAllMusic();
    EXPECT_EQ(mLiveObjects(), loaded - 2);
    EXPECT_EQ(mMusic->FindSong(1), nullptr);
}

TEST_F(BassMusicInterfaceTest, StreamOffsetsContinueRestartOrJump)
{
    Tone("song.ogg");
    ASSERT_TRUE(mMusic->LoadMusic(1, "song.ogg"));
    mMusic->PlayMusic(1, 0, false);
    Mix(4410);
    const QWORD played = Position(1);
    EXPECT_GT(played, 0u);

    mMusic->PlayMusic(1, -1, false);
    EXPECT_EQ(Position(1), played);
    EXPECT_TRUE(mMusic->IsPlaying(1));
    mMusic->PlayMusic(1, 0, false);
    EXPECT_EQ(Position(1), 0u);
    mMusic->PlayMusic(1, 5000, false);
    EXPECT_EQ(Position(1), 5000u);
    mMusic->FadeIn(1, 8000, 0.1, false);
    EXPECT_EQ(Position(1), 8000u);
}

TEST_F(BassMusicInterfaceTest, SongsLoopUnlessToldNotTo)
{
    Tone("song.ogg", 22050);
    ASSERT_TRUE(mMusic->LoadMusic(1, "song.ogg"));
    mMusic->PlayMusic(1, 0, false);
    Mix(44100);
    EXPECT_TRUE(mMusic->IsPlaying(1));
    mMusic->PlayMusic(1, 0, true);
    Mix(44100);
    EXPECT_FALSE(mMusic->IsPlaying(1));
    mMusic->FadeIn(1, 0, 0.5, true);
    Mix(44100);
    EXPECT_FALSE(mMusic->IsPlaying(1));
}

TEST_F(BassMusicInterfaceTest, ModulesStartAtTheOrderGiven)
{
    WriteBytes(File("tune.mod"), MakeModule());
    ASSERT_TRUE(mMusic->LoadMusic(1, "tune.mod"));
    ASSERT_TRUE(mMusic->LoadMusic(2, "tune.mod"));
    mMusic->PlayMusic(1, 1, false);
    mMusic->FadeIn(2, 1, 0.1, false);
    for (const int songId : {1, 2}) {
        EXPECT_TRUE(mMusic->IsPlaying(songId)) << songId;
        EXPECT_EQ(Zest::gBassInstance->BASS_MusicGetOrderPosition(Handle(songId)) & 0xFFFF, 1u) << songId;
    }
    EXPECT_GT(Rms(Mix(4410), 0), 0.0);
}

TEST_F(BassMusicInterfaceTest, GlobalVolumeAndAmplify)
{
    WriteBytes(File("tune.mod"), MakeModule());
    ASSERT_TRUE(mMusic->LoadMusic(1, "tune.mod"));
    mMusic->SetVolume(0.5);
    EXPECT_EQ(Zest::gBassInstance->BASS_GetConfig(kConfigModuleVolume), 50u);
    EXPECT_EQ(Zest::gBassInstance->BASS_GetConfig(kConfigStreamVolume), 50u);
    mMusic->SetMusicAmplify(1, 2.0);
    EXPECT_EQ(Zest::gBassInstance->BASS_MusicGetAttribute(Handle(1), kMusicAmplify), 200u);
}

TEST_F(BassMusicInterfaceTest, SongIdsNeverLoadedAreIgnored)
{
    mMusic->PlayMusic(7, 0, false);
    mMusic->FadeIn(7, 0, 0.5, false);
    mMusic->FadeOut(7, true, 0.5);
    mMusic->SetSongVolume(7, 0.5);
    mMusic->SetSongMaxVolume(7, 0.5);
    mMusic->PauseMusic(7);
    mMusic->ResumeMusic(7);
    mMusic->StopMusic(7);
    mMusic->UnloadMusic(7);
    mMusic->Update();
    EXPECT_FALSE(mMusic->IsPlaying(7));
    EXPECT_EQ(mMusic->FindSong(7), nullptr);
}

TEST_F(BassMusicInterfaceTest, SongsInsideTheArchiveLoadByTheirArchiveNames)
{
    Tone("pack/music/song.ogg");
    WriteBytes(File("pack/music/tune.mod"), MakeModule());
    const std::string command = std::string(PAK_TOOL) + " pack '" + File("pack").string() + "' '"
        + File("main.pak").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    fs::remove_all(File("pack"));
    ASSERT_TRUE(Zest::gPakInterface->AddPakFile(File("main.pak").string()));

    ASSERT_TRUE(mMusic->LoadMusic(1, "music\\song.ogg"));
    ASSERT_TRUE(mMusic->LoadMusic(2, "music/tune.mod"));
    mMusic->PlayMusic(1, 0, false);
    Mix(1024);
    EXPECT_NEAR(Rms(Mix(4410), 0), SineRms(0.5), 0.03);
    mMusic->StopMusic(1);
    mMusic->PlayMusic(2, 0, false);
    EXPECT_GT(Rms(Mix(4410), 0), 0.01);
}

// The tests name a library that is not there, or one without the first library's entry
// points; the program names ".\bass.dll".
class BassMusicInterfaceDeathTest : public ::testing::Test {
protected:
    void SetUp() override { testing::FLAGS_gtest_death_test_style = "threadsafe"; }

    static void CaptureBoxes()
    {
        Win32::SetMessageBoxSink([](const Win32::MessageBoxRequest& request) {
            std::fprintf(stderr, "box caption=[%s] text=[%s] error icon=%d\n", request.caption.c_str(),
                request.text.c_str(), (request.type & Win32::MB_ICONERROR) == Win32::MB_ICONERROR);
            return Win32::IDOK;
        });
    }
};

TEST_F(BassMusicInterfaceDeathTest, AMissingLibraryEndsTheProgramWithAFailure)
{
    EXPECT_EXIT(
        {
            CaptureBoxes();
            Zest::BASS_INSTANCE binding("nosuchlibrary.dll");
            std::fprintf(stderr, "went on\n");
        },
        testing::ExitedWithCode(1), "box caption=\\[Error\\] text=\\[Can't find bass\\.dll\\.\\] error icon=1\n$");
}

TEST_F(BassMusicInterfaceDeathTest, AMissingEntryPointEndsTheProgramWithAFailure)
{
    EXPECT_EXIT(
        {
            CaptureBoxes();
            Zest::BASS_INSTANCE binding("fmod.dll");
            std::fprintf(stderr, "went on\n");
        },
        testing::ExitedWithCode(1),
        "box caption=\\[Error\\] text=\\[BASS_Init function not found in bass\\.dll\\] error icon=1\n$");
}

} // namespace
