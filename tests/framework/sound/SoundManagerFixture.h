#pragma once
// A sound manager on the DirectSound stand-in without an audio device: the stand-in makes
// its DirectSound object all the same, and the test drives the mix through Audio::Mix. The
// clock is a fake one, so that the manager's once-a-second sweep runs when the test says.
// When a test ends every DirectSound object must be gone.

#include "framework/sound/DSoundManager.h"
#include "framework/sound/SoundInstance.h"
#include "platform/audio/AudioOutput.h"
#include "platform/dsound/StandInControls.h"
#include "platform/win32/Library.h"
#include "tests/framework/sound/SoundTestSupport.h"
#include "tests/platform/win32/FakeClock.h"

#include <cmath>
#include <memory>

namespace Tests {

class SoundManagerTest : public SoundFolderTest {
protected:
    void SetUp() override
    {
        SoundFolderTest::SetUp();
        mMasterVolume = Audio::GetMasterVolume();
        Win32::SetClock(&mClock);
        setenv("SDL_AUDIODRIVER", "none-such", 1);
        mModule = Win32::LoadLibraryA("dsound.dll");
        ASSERT_NE(mModule, nullptr) << "dsound.so is not built";
        const auto controls =
            reinterpret_cast<DSound::StandInControlsFunc>(Win32::GetProcAddress(mModule, "DSoundStandInControls"));
        ASSERT_NE(controls, nullptr);
        mControls = controls();
        mControls->Reset();
        mControls->createWithoutDevice = true;
        mManager = std::make_unique<Zest::DSoundManager>(Window(), false);
        ASSERT_TRUE(mManager->Initialized());
    }

    void TearDown() override
    {
        mManager.reset();
        if (mControls != nullptr) {
            EXPECT_EQ(mControls->liveObjects, 0) << "DirectSound objects outlived the manager";
            mControls->Reset();
        }
        if (mModule != nullptr)
            Win32::FreeLibrary(mModule);
        Win32::SetClock(nullptr);
        // The master volume is the process's wave output volume, which outlives the manager.
        Audio::SetMasterVolume(mMasterVolume);
        SoundFolderTest::TearDown();
    }

    // The manager keeps the window only to hand it to DirectSound: any handle will do.
    static Win32::HWND Window()
    {
        static char window;
        return reinterpret_cast<Win32::HWND>(&window);
    }

    // The next frames of the output, as interleaved 16-bit stereo.
    static std::vector<int16_t> Mix(const int frames)
    {
        std::vector<int16_t> out(static_cast<size_t>(frames) * Audio::kChannels);
        Audio::Mix(out.data(), frames);
        return out;
    }

    // RMS of one side of the next frames, as a fraction of full scale.
    static double MixedLevel(const int frames, const int side = 0)
    {
        const std::vector<int16_t> out = Mix(frames);
        double sum = 0;
        for (size_t i = side; i < out.size(); i += 2)
            sum += static_cast<double>(out[i]) * out[i];
        return std::sqrt(sum / frames) / 32767.0;
    }

    // A mono 16-bit WAV file of one constant sample at the output's rate.
    static void WriteConstantWav(const std::string& relative, const int16_t sample, const int frames = 4410)
    {
        Write(relative, MakeWav(1, Audio::kSampleRate, 16, Samples16(std::vector<int16_t>(frames, sample))));
    }

    // An instance of the sound, or a test failure.
    Zest::SoundInstance* Instance(const int id)
    {
        Zest::SoundInstance* const instance = mManager->GetSoundInstance(id);
        EXPECT_NE(instance, nullptr) << "no instance of sound " << id;
        return instance;
    }

    FakeClock mClock;
    float mMasterVolume = 1.0f;
    Win32::HMODULE mModule = nullptr;
    DSound::StandInControls* mControls = nullptr;
    std::unique_ptr<Zest::DSoundManager> mManager;
};

} // namespace Tests
