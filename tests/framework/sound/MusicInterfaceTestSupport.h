#pragma once
// A music interface under test runs in a fresh working folder (songs are named relative to
// it, with '\' or '/'), with "appdata" below it as the application-data folder, and with no
// audio device, so that only Audio::Mix moves the music.

#include "framework/app/common/FileHelpers.h"
#include "platform/music/StandInControls.h"
#include "platform/win32/Library.h"
#include "tests/framework/sound/SoundTestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace Tests {

class MusicFolderTest : public SoundFolderTest {
protected:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "none-such", 1);
        SoundFolderTest::SetUp();
    }

    // A 441 Hz tone of `frames` frames, stereo at 44100 Hz unless told otherwise.
    static void Tone(const std::string& relative, const int frames = 44100, const int rate = 44100,
                     const int channels = 2, const double amplitude = 0.5)
    {
        ASSERT_TRUE(MakeOgg(File(relative), channels, rate, frames, 441.0, amplitude)) << relative;
    }

    static Music::LiveObjectsFunc LiveObjectsOf(const Win32::HMODULE library)
    {
        return reinterpret_cast<Music::LiveObjectsFunc>(Win32::GetProcAddress(library, "MusicStandInLiveObjects"));
    }
};

} // namespace Tests
