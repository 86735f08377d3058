// The sound's share of one core: 32 playing buffers, duplicates of four sounds in
// different formats with varied volume, pan and frequency, mixed through the audio output
// for one second of audio in the device's blocks; then the same with two Ogg songs
// streaming through the first music library's interface, as the world map plays them.
// "core_share" is the time one second of audio takes to mix, in seconds.

#include "framework/sound/BassMusicInterface.h"
#include "platform/audio/AudioOutput.h"
#include "platform/dsound/DSound.h"
#include "platform/dsound/StandInControls.h"
#include "platform/win32/Library.h"
#include "tests/support/TemporaryFolder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace DSound;

// Aborts the benchmark when a call fails: the numbers would mean nothing.
void Check(const HRESULT result)
{
    if (result != DS_OK)
        std::abort();
}

// A DirectSound object mixed only when the benchmark calls the mix, with 32 buffers playing.
class BenchSounds {
public:
    static constexpr int kInstances = 32;

    BenchSounds()
    {
        setenv("SDL_AUDIODRIVER", "none-such", 1);
        mModule = Win32::LoadLibraryA("dsound.dll");
        if (mModule == nullptr)
            std::abort();
        const auto create =
            reinterpret_cast<DirectSoundCreateFunc>(Win32::GetProcAddress(mModule, "DirectSoundCreate"));
        const auto controls =
            reinterpret_cast<StandInControlsFunc>(Win32::GetProcAddress(mModule, "DSoundStandInControls"));
        if (create == nullptr || controls == nullptr)
            std::abort();
        controls()->createWithoutDevice = true;
        Check(create(nullptr, &mDirectSound, nullptr));
        static char window;
        Check(mDirectSound->SetCooperativeLevel(reinterpret_cast<Win32::HWND>(&window), DSSCL_PRIORITY));

        const struct {
            int channels;
            int bits;
            int rate;
        } sounds[] = {{1, 16, 44100}, {2, 16, 44100}, {1, 16, 22050}, {1, 8, 11025}};
        for (const auto& sound : sounds)
            mSources.push_back(MakeSound(sound.channels, sound.bits, sound.rate));
        for (int i = 0; i < kInstances; ++i) {
            IDirectSoundBuffer* instance = nullptr;
            Check(mDirectSound->DuplicateSoundBuffer(mSources[static_cast<size_t>(i) % mSources.size()], &instance));
            Check(instance->SetVolume(-(i % 8) * 300));
            Check(instance->SetPan((i % 9 - 4) * 1500));
            Check(instance->SetFrequency(static_cast<DWORD>(8000 + i * 3000)));
            Check(instance->Play(0, 0, DSBPLAY_LOOPING));
            mInstances.push_back(instance);
        }
    }

    ~BenchSounds()
    {
        for (IDirectSoundBuffer* buffer : mInstances)
            buffer->Release();
        for (IDirectSoundBuffer* buffer : mSources)
            buffer->Release();
        mDirectSound->Release();
        Win32::FreeLibrary(mModule);
    }

    BenchSounds(const BenchSounds&) = delete;
    BenchSounds& operator=(const BenchSounds&) = delete;

private:
    // Half a second of a tone in the format.
    IDirectSoundBuffer* MakeSound(const int channels, const int bits, const int rate)
    {
        WAVEFORMATEX format{};
        format.wFormatTag = WAVE_FORMAT_PCM;
        format.nChannels = static_cast<WORD>(channels);
        format.nSamplesPerSec = static_cast<DWORD>(rate);
        format.wBitsPerSample = static_cast<WORD>(bits);
        format.nBlockAlign = static_cast<WORD>(channels * bits / 8);
        format.nAvgBytesPerSec = format.nBlockAlign * format.nSamplesPerSec;
        const DWORD frames = format.nSamplesPerSec / 2;
        const DWORD flags = DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
        DSBUFFERDESC description{sizeof(DSBUFFERDESC), flags, frames * format.nBlockAlign, 0, &format};
        IDirectSoundBuffer* buffer = nullptr;
        Check(mDirectSound->CreateSoundBuffer(&description, &buffer, nullptr));

        void* region = nullptr;
        DWORD bytes = 0;
        Check(buffer->Lock(0, 0, &region, &bytes, nullptr, nullptr, DSBLOCK_ENTIREBUFFER));
        auto* data = static_cast<uint8_t*>(region);
        for (DWORD i = 0; i < bytes / (bits / 8u); ++i) {
            const double value = 0.3 * std::sin(i * 0.05);
            if (bits == 8) {
                data[i] = static_cast<uint8_t>(128 + std::lrint(value * 127));
            } else {
                const auto sample = static_cast<int16_t>(std::lrint(value * 32767));
                std::memcpy(data + i * 2, &sample, sizeof(sample));
            }
        }
        Check(buffer->Unlock(region, bytes, nullptr, 0));
        return buffer;
    }

    Win32::HMODULE mModule = nullptr;
    IDirectSound* mDirectSound = nullptr;
    std::vector<IDirectSoundBuffer*> mSources;
    std::vector<IDirectSoundBuffer*> mInstances;
};

// Two looping songs of different lengths and formats, streaming from Ogg files made in a
// folder of their own, started at full volume.
class BenchSongs {
public:
    BenchSongs()
    {
        static char window;
        mMusic = std::make_unique<Zest::BassMusicInterface>(reinterpret_cast<Win32::HWND>(&window));
        const struct {
            int channels;
            int rate;
            double seconds;
        } songs[] = {{2, 44100, 3.0}, {1, 22050, 2.5}};
        int songId = 0;
        for (const auto& song : songs) {
            const std::string path = mFolder.File("song" + std::to_string(songId) + ".ogg").string();
            const std::string command = std::string(MAKE_TEST_OGG) + " '" + path + "' " + std::to_string(song.channels)
                + " " + std::to_string(song.rate) + " " + std::to_string(std::lrint(song.rate * song.seconds))
                + " 441 0.3";
            if (std::system(command.c_str()) != 0 || !mMusic->LoadMusic(songId, path))
                std::abort();
            mMusic->PlayMusic(songId, 0, false);
            if (!mMusic->IsPlaying(songId))
                std::abort();
            ++songId;
        }
    }

    BenchSongs(const BenchSongs&) = delete;
    BenchSongs& operator=(const BenchSongs&) = delete;

private:
    const Tests::TemporaryFolder mFolder;
    std::unique_ptr<Zest::BassMusicInterface> mMusic;
};

// Mixes one second of audio per iteration, in the device's blocks.
void MixSecondsOfAudio(benchmark::State& state)
{
    constexpr int kBlock = 1024;
    std::vector<int16_t> out(kBlock * Audio::kChannels);
    for (auto _ : state) {
        for (int done = 0; done < Audio::kSampleRate; done += kBlock) {
            Audio::Mix(out.data(), std::min(kBlock, Audio::kSampleRate - done));
            benchmark::DoNotOptimize(out.data());
        }
    }
    // Seconds of mixing per second of audio.
    state.counters["core_share"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Mix32SoundInstancesForOneSecond(benchmark::State& state)
{
    BenchSounds sounds;
    MixSecondsOfAudio(state);
}
BENCHMARK(BM_Mix32SoundInstancesForOneSecond)->Unit(benchmark::kMillisecond);

void BM_Mix32SoundInstancesAndTwoSongsForOneSecond(benchmark::State& state)
{
    BenchSounds sounds;
    BenchSongs songs;
    MixSecondsOfAudio(state);
}
BENCHMARK(BM_Mix32SoundInstancesAndTwoSongsForOneSecond)->Unit(benchmark::kMillisecond);

} // namespace
