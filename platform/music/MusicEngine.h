#pragma once
// The engine under both music libraries: songs held in memory (streams decoded as they
// play, modules rendered by libxmp, samples decoded whole), each playing on channels with
// volume, pan, frequency, looping and position, all mixed together as one source of the
// shared audio output. One lock guards every song and channel: the audio thread mixes
// while the program's threads load, play and free songs.

#include "platform/music/FrameSource.h"
#include "platform/music/ModulePlayer.h"
#include "platform/music/Voice.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

namespace Music {

// Songs and channels are named by non-zero handles, never reused while the engine runs.
using Handle = uint32_t;

// A stream or a module is a channel itself; a sample plays on channels made for it.
enum class ChannelKind { Stream, Module, SampleChannel };

// Why the last failing call of the calling thread failed.
enum class Failure {
    None,
    NotInitialised,
    Already,
    FileOpen,
    Format,
    Handle,
    Position,
    Parameter,
    NotPlaying,
    NotAvailable,
};
Failure LastFailure();
void SetLastFailure(Failure failure);

struct Channel {
    Channel(ChannelKind channelKind, std::unique_ptr<FrameSource> source) : kind(channelKind), voice(std::move(source)) {}

    ChannelKind kind;
    Voice voice;
    // The module a module channel plays (owned by its voice's source).
    ModulePlayer* module = nullptr;
    // The sample a sample channel plays.
    Handle sample = 0;
    // Bytes of one frame of the sound as the library counts positions.
    int bytesPerFrame = 4;
    // A gain on top of the volume, for modules (1 = as rendered).
    float amplify = 1.0f;
    // The library's own flags, kept as last set.
    uint32_t flags = 0;
};

class MusicEngine {
public:
    MusicEngine() = default;
    ~MusicEngine();
    MusicEngine(const MusicEngine&) = delete;
    MusicEngine& operator=(const MusicEngine&) = delete;

    // Adds the engine to the audio output's sources; false (failure Already) when it is there.
    bool Open();
    // Leaves the output and frees every song; false when it was not open.
    bool Close();
    bool IsOpen() const;
    // Whether mixing goes on; while it does not, nothing plays and no channel moves.
    void SetRunning(bool running);
    bool Running() const;
    // Gains of all channels of a kind and of everything, linear 0 to 1.
    void SetKindVolume(ChannelKind kind, float volume);
    float KindVolume(ChannelKind kind) const;
    void SetMasterVolume(float volume);
    float MasterVolume() const;

    // New songs from a file's bytes; 0 with the failure set (Format) when the bytes are no
    // song of that kind. Every call makes a song of its own, also for the same bytes.
    Handle LoadStream(SongBytes bytes);
    Handle LoadModule(const std::vector<uint8_t>& bytes);
    Handle LoadSample(SongBytes bytes);
    // A silent sample of `frames` frames.
    Handle AllocateSample(const PcmFormat& format, int64_t frames);
    // Frees a channel of the kind given; false (failure Handle) for any other handle.
    bool FreeChannel(Handle handle, ChannelKind kind);
    // Frees a sample and every channel playing it.
    bool FreeSample(Handle sample);
    // A stopped channel for the sample, with its default volume, pan and looping.
    Handle NewSampleChannel(Handle sample);

    // Runs `action` on the channel or sample under the engine's lock; false (failure Handle)
    // when there is none. The action must not call the engine.
    bool WithChannel(Handle handle, const std::function<void(Channel&)>& action);
    bool WithSample(Handle sample, const std::function<void(SampleData&)>& action);
    void ForEachChannel(const std::function<void(Handle, Channel&)>& action);

    // Songs, samples and channels alive.
    int LiveObjects() const;

    // Adds every playing channel into `mix`, `frames` stereo float frames at the output's rate.
    void Mix(float* mix, int frames);

private:
    static void MixSource(void* engine, float* mix, int frames);
    Handle NextHandle();
    Handle AddChannel(std::unique_ptr<Channel> channel);

    // Guards Open and Close, which must not hold mLock: the output's lock comes first.
    mutable std::mutex mOutputLock;
    bool mOpen = false;

    mutable std::mutex mLock;
    std::map<Handle, std::unique_ptr<Channel>> mChannels;
    std::map<Handle, std::shared_ptr<SampleData>> mSamples;
    Handle mLastHandle = 0;
    bool mRunning = true;
    float mKindVolumes[3] = {1.0f, 1.0f, 1.0f};
    float mMasterVolume = 1.0f;
};

// The engine of the library this code is built into.
MusicEngine& TheEngine();

} // namespace Music
