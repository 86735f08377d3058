#pragma once
// The DirectSound stand-in as the sound manager meets it: loaded by name, its entry point
// and controls bound with GetProcAddress, one DirectSound object at the priority level.
// Unless a test asks for SDL's device, there is no audio device: the test drives the mix
// itself through Audio::Mix. Objects are
// held in Ref, which releases them; when a test ends every object must be gone.

#include "platform/audio/AudioOutput.h"
#include "platform/dsound/DSound.h"
#include "platform/dsound/StandInControls.h"
#include "platform/win32/Library.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace Tests {

struct Releaser {
    void operator()(Win32::IUnknown* object) const { object->Release(); }
};
template <typename Interface>
using Ref = std::unique_ptr<Interface, Releaser>;

// The flags of the sound manager's static buffers: every control, software mixing.
constexpr Win32::DWORD kStaticBufferFlags = DSound::DSBCAPS_STATIC | DSound::DSBCAPS_LOCSOFTWARE |
                                            DSound::DSBCAPS_CTRLFREQUENCY | DSound::DSBCAPS_CTRLPAN |
                                            DSound::DSBCAPS_CTRLVOLUME | DSound::DSBCAPS_GLOBALFOCUS;

inline DSound::WAVEFORMATEX PcmFormat(const int channels, const int bits, const int rate)
{
    DSound::WAVEFORMATEX format{};
    format.wFormatTag = DSound::WAVE_FORMAT_PCM;
    format.nChannels = static_cast<Win32::WORD>(channels);
    format.nSamplesPerSec = static_cast<Win32::DWORD>(rate);
    format.wBitsPerSample = static_cast<Win32::WORD>(bits);
    format.nBlockAlign = static_cast<Win32::WORD>(channels * bits / 8);
    format.nAvgBytesPerSec = format.nBlockAlign * format.nSamplesPerSec;
    return format;
}

// 16-bit samples as the bytes of a buffer.
inline std::vector<uint8_t> Bytes16(const std::vector<int16_t>& samples)
{
    std::vector<uint8_t> bytes(samples.size() * sizeof(int16_t));
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    return bytes;
}

class DSoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Without a device the mix runs only when the test calls it.
        setenv("SDL_AUDIODRIVER", UsesDevice() ? "dummy" : "none-such", 1);
        mModule = Win32::LoadLibraryA("dsound.dll");
        ASSERT_NE(mModule, nullptr) << "dsound.so is not built";
        mCreate = reinterpret_cast<DSound::DirectSoundCreateFunc>(Win32::GetProcAddress(mModule, "DirectSoundCreate"));
        const auto controls =
            reinterpret_cast<DSound::StandInControlsFunc>(Win32::GetProcAddress(mModule, "DSoundStandInControls"));
        ASSERT_NE(mCreate, nullptr);
        ASSERT_NE(controls, nullptr);
        mControls = controls();
        mControls->Reset();
        mControls->createWithoutDevice = !UsesDevice();
        mDirectSound = MakeDirectSound();
        ASSERT_NE(mDirectSound, nullptr);
    }

    void TearDown() override
    {
        mDirectSound.reset();
        if (mControls != nullptr) {
            EXPECT_EQ(mControls->liveObjects.load(), 0) << "objects outlived the test";
            mControls->Reset();
        }
        if (mModule != nullptr)
            Win32::FreeLibrary(mModule);
    }

    // Whether the test mixes on SDL's (dummy) audio device, in its audio thread.
    virtual bool UsesDevice() const { return false; }

    Ref<DSound::IDirectSound> MakeDirectSound()
    {
        DSound::IDirectSound* made = nullptr;
        EXPECT_EQ(mCreate(nullptr, &made, nullptr), DSound::DS_OK);
        if (made != nullptr) {
            EXPECT_EQ(made->SetCooperativeLevel(Window(), DSound::DSSCL_PRIORITY), DSound::DS_OK);
        }
        return Ref<DSound::IDirectSound>(made);
    }

    // The stand-in keeps the window only to know that a level was set: any handle will do.
    static Win32::HWND Window()
    {
        static char window;
        return reinterpret_cast<Win32::HWND>(&window);
    }

    // A static buffer with every control, holding the bytes given.
    Ref<DSound::IDirectSoundBuffer> MakeBuffer(const DSound::WAVEFORMATEX& format, const std::vector<uint8_t>& bytes,
                                               const Win32::DWORD flags = kStaticBufferFlags)
    {
        DSound::WAVEFORMATEX described = format;
        DSound::DSBUFFERDESC description{};
        description.dwSize = sizeof(description);
        description.dwFlags = flags;
        description.dwBufferBytes = static_cast<Win32::DWORD>(bytes.size());
        description.lpwfxFormat = &described;
        DSound::IDirectSoundBuffer* buffer = nullptr;
        EXPECT_EQ(mDirectSound->CreateSoundBuffer(&description, &buffer, nullptr), DSound::DS_OK);
        Ref<DSound::IDirectSoundBuffer> made(buffer);
        if (made != nullptr)
            Write(made.get(), bytes);
        return made;
    }

    // 16-bit mono samples at the output's rate.
    Ref<DSound::IDirectSoundBuffer> MakeMono16(const std::vector<int16_t>& samples, const int rate = Audio::kSampleRate)
    {
        return MakeBuffer(PcmFormat(1, 16, rate), Bytes16(samples));
    }

    Ref<DSound::IDirectSoundBuffer> Duplicate(DSound::IDirectSoundBuffer* original)
    {
        DSound::IDirectSoundBuffer* duplicate = nullptr;
        EXPECT_EQ(mDirectSound->DuplicateSoundBuffer(original, &duplicate), DSound::DS_OK);
        return Ref<DSound::IDirectSoundBuffer>(duplicate);
    }

    // Fills the whole buffer through one lock.
    static void Write(DSound::IDirectSoundBuffer* buffer, const std::vector<uint8_t>& bytes)
    {
        void* region = nullptr;
        Win32::DWORD size = 0;
        ASSERT_EQ(buffer->Lock(0, 0, &region, &size, nullptr, nullptr, DSound::DSBLOCK_ENTIREBUFFER), DSound::DS_OK);
        ASSERT_EQ(size, bytes.size());
        std::memcpy(region, bytes.data(), size);
        ASSERT_EQ(buffer->Unlock(region, size, nullptr, 0), DSound::DS_OK);
    }

    // The next frames of the output, as interleaved 16-bit stereo.
    static std::vector<int16_t> Mix(const int frames)
    {
        std::vector<int16_t> out(static_cast<size_t>(frames) * Audio::kChannels);
        Audio::Mix(out.data(), frames);
        return out;
    }

    static Win32::DWORD Status(DSound::IDirectSoundBuffer* buffer)
    {
        Win32::DWORD status = 0xFFFF;
        EXPECT_EQ(buffer->GetStatus(&status), DSound::DS_OK);
        return status;
    }

    static Win32::DWORD PlayCursor(DSound::IDirectSoundBuffer* buffer)
    {
        Win32::DWORD play = 0;
        EXPECT_EQ(buffer->GetCurrentPosition(&play, nullptr), DSound::DS_OK);
        return play;
    }

    Win32::HMODULE mModule = nullptr;
    DSound::DirectSoundCreateFunc mCreate = nullptr;
    DSound::StandInControls* mControls = nullptr;
    Ref<DSound::IDirectSound> mDirectSound;
};

} // namespace Tests
