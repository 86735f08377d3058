#include "platform/audio/AudioOutput.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <utility>
#include <vector>

namespace Audio {
namespace {

struct Output {
    // Held while the sources mix, so that a removed source is never called afterwards.
    std::mutex mLock;
    std::vector<std::pair<MixSource, void*>> mSources;
    SDL_AudioDeviceID mDevice = 0;
    std::vector<float> mScratch;
    std::atomic<float> mMasterVolume = 1.0f;
};

Output& TheOutput()
{
    static Output output;
    return output;
}

void MixLocked(Output& output, int16_t* out, const int frames)
{
    output.mScratch.assign(static_cast<size_t>(frames) * kChannels, 0.0f);
    for (const auto& [source, context] : output.mSources)
        source(context, output.mScratch.data(), frames);
    const float master = output.mMasterVolume.load();
    for (size_t i = 0; i < output.mScratch.size(); ++i) {
        const float sample = std::clamp(output.mScratch[i] * master, -1.0f, 1.0f);
        out[i] = static_cast<int16_t>(std::lrint(sample * 32767.0f));
    }
}

void DeviceCallback(void*, Uint8* stream, const int bytes)
{
    Output& output = TheOutput();
    const std::lock_guard<std::mutex> lock(output.mLock);
    MixLocked(output, reinterpret_cast<int16_t*>(stream), bytes / static_cast<int>(sizeof(int16_t) * kChannels));
}

SDL_AudioDeviceID OpenDevice()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return 0;
    SDL_AudioSpec wanted{};
    wanted.freq = kSampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kChannels;
    wanted.samples = 1024;
    wanted.callback = &DeviceCallback;
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    SDL_PauseAudioDevice(device, 0);
    return device;
}

} // namespace

bool AddSource(const MixSource source, void* context)
{
    Output& output = TheOutput();
    bool first = false;
    {
        const std::lock_guard<std::mutex> lock(output.mLock);
        first = output.mSources.empty() && output.mDevice == 0;
        output.mSources.emplace_back(source, context);
    }
    if (first) {
        // Opened outside the lock: the device's first callback takes it.
        const SDL_AudioDeviceID device = OpenDevice();
        const std::lock_guard<std::mutex> lock(output.mLock);
        output.mDevice = device;
    }
    return HasDevice();
}

void RemoveSource(const MixSource source, void* context)
{
    Output& output = TheOutput();
    SDL_AudioDeviceID closing = 0;
    {
        const std::lock_guard<std::mutex> lock(output.mLock);
        const auto found = std::find(output.mSources.begin(), output.mSources.end(), std::make_pair(source, context));
        if (found != output.mSources.end())
            output.mSources.erase(found);
        if (output.mSources.empty())
            std::swap(closing, output.mDevice);
    }
    if (closing != 0) {
        // Closing waits for a callback under way, which takes the lock: so not under it.
        SDL_CloseAudioDevice(closing);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool HasDevice()
{
    Output& output = TheOutput();
    const std::lock_guard<std::mutex> lock(output.mLock);
    return output.mDevice != 0;
}

void Mix(int16_t* out, const int frames)
{
    Output& output = TheOutput();
    const std::lock_guard<std::mutex> lock(output.mLock);
    MixLocked(output, out, frames);
}

float GetMasterVolume() { return TheOutput().mMasterVolume.load(); }

void SetMasterVolume(const float volume) { TheOutput().mMasterVolume.store(std::clamp(volume, 0.0f, 1.0f)); }

} // namespace Audio
