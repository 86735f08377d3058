#include "platform/music/MusicEngine.h"

#include "platform/audio/AudioOutput.h"
#include "platform/music/StreamDecoder.h"

#include <algorithm>

namespace Music {
namespace {

thread_local Failure tLastFailure = Failure::None;

template <typename Result>
Result Fail(const Failure failure, const Result result)
{
    tLastFailure = failure;
    return result;
}

} // namespace

Failure LastFailure() { return tLastFailure; }
void SetLastFailure(const Failure failure) { tLastFailure = failure; }

MusicEngine::~MusicEngine() { Close(); }

bool MusicEngine::Open()
{
    const std::lock_guard output(mOutputLock);
    if (mOpen)
        return Fail(Failure::Already, false);
    Audio::AddSource(&MusicEngine::MixSource, this);
    mOpen = true;
    const std::lock_guard lock(mLock);
    mRunning = true;
    return true;
}

bool MusicEngine::Close()
{
    const std::lock_guard output(mOutputLock);
    if (!mOpen)
        return false;
    Audio::RemoveSource(&MusicEngine::MixSource, this);
    mOpen = false;
    // Freed outside the lock: a decoder's or module's release can take a while.
    std::map<Handle, std::unique_ptr<Channel>> channels;
    std::map<Handle, std::shared_ptr<SampleData>> samples;
    const std::lock_guard lock(mLock);
    std::swap(channels, mChannels);
    std::swap(samples, mSamples);
    return true;
}

bool MusicEngine::IsOpen() const
{
    const std::lock_guard output(mOutputLock);
    return mOpen;
}

void MusicEngine::SetRunning(const bool running)
{
    const std::lock_guard lock(mLock);
    mRunning = running;
}

bool MusicEngine::Running() const
{
    const std::lock_guard lock(mLock);
    return mRunning;
}

void MusicEngine::SetKindVolume(const ChannelKind kind, const float volume)
{
    const std::lock_guard lock(mLock);
    mKindVolumes[static_cast<int>(kind)] = std::clamp(volume, 0.0f, 1.0f);
}

float MusicEngine::KindVolume(const ChannelKind kind) const
{
    const std::lock_guard lock(mLock);
    return mKindVolumes[static_cast<int>(kind)];
}

void MusicEngine::SetMasterVolume(const float volume)
{
    const std::lock_guard lock(mLock);
    mMasterVolume = std::clamp(volume, 0.0f, 1.0f);
}

float MusicEngine::MasterVolume() const
{
    const std::lock_guard lock(mLock);
    return mMasterVolume;
}

Handle MusicEngine::NextHandle()
{
    do
        ++mLastHandle;
    while (mLastHandle == 0 || mChannels.contains(mLastHandle) || mSamples.contains(mLastHandle));
    return mLastHandle;
}

Handle MusicEngine::AddChannel(std::unique_ptr<Channel> channel)
{
    const std::lock_guard lock(mLock);
    const Handle handle = NextHandle();
    mChannels.emplace(handle, std::move(channel));
    return handle;
}

Handle MusicEngine::LoadStream(SongBytes bytes)
{
    std::unique_ptr<StreamDecoder> decoder = OpenStreamDecoder(std::move(bytes));
    if (decoder == nullptr)
        return Fail(Failure::Format, Handle{0});
    const int bytesPerFrame = decoder->Channels() * static_cast<int>(sizeof(int16_t));
    auto channel = std::make_unique<Channel>(ChannelKind::Stream, MakeStreamSource(std::move(decoder)));
    channel->bytesPerFrame = bytesPerFrame;
    return AddChannel(std::move(channel));
}

Handle MusicEngine::LoadModule(const std::vector<uint8_t>& bytes)
{
    std::unique_ptr<ModulePlayer> player = ModulePlayer::Load(bytes, Audio::kSampleRate);
    if (player == nullptr)
        return Fail(Failure::Format, Handle{0});
    ModulePlayer* const module = player.get();
    auto channel = std::make_unique<Channel>(ChannelKind::Module, MakeModuleSource(std::move(player)));
    channel->module = module;
    return AddChannel(std::move(channel));
}

Handle MusicEngine::LoadSample(SongBytes bytes)
{
    std::optional<Pcm> pcm = DecodeWholeStream(std::move(bytes));
    if (!pcm)
        return Fail(Failure::Format, Handle{0});
    auto sample = std::make_shared<SampleData>();
    sample->loopEnd = pcm->Frames();
    sample->pcm = std::move(*pcm);
    const std::lock_guard lock(mLock);
    const Handle handle = NextHandle();
    mSamples.emplace(handle, std::move(sample));
    return handle;
}

Handle MusicEngine::AllocateSample(const PcmFormat& format, const int64_t frames)
{
    if (!format.IsValid() || frames <= 0 || frames > INT32_MAX / format.BlockAlign())
        return Fail(Failure::Parameter, Handle{0});
    auto sample = std::make_shared<SampleData>();
    sample->pcm.format = format;
    // Silence: the middle value for unsigned 8-bit samples, zero for signed 16-bit ones.
    sample->pcm.data.assign(static_cast<size_t>(frames * format.BlockAlign()), format.bits == 8 ? 0x80 : 0);
    sample->loopEnd = frames;
    const std::lock_guard lock(mLock);
    const Handle handle = NextHandle();
    mSamples.emplace(handle, std::move(sample));
    return handle;
}

bool MusicEngine::FreeChannel(const Handle handle, const ChannelKind kind)
{
    std::unique_ptr<Channel> freed;
    const std::lock_guard lock(mLock);
    const auto found = mChannels.find(handle);
    if (found == mChannels.end() || found->second->kind != kind)
        return Fail(Failure::Handle, false);
    freed = std::move(found->second);
    mChannels.erase(found);
    return true;
}

bool MusicEngine::FreeSample(const Handle sample)
{
    std::vector<std::unique_ptr<Channel>> freed;
    const std::lock_guard lock(mLock);
    if (mSamples.erase(sample) == 0)
        return Fail(Failure::Handle, false);
    for (auto channel = mChannels.begin(); channel != mChannels.end();) {
        if (channel->second->kind == ChannelKind::SampleChannel && channel->second->sample == sample) {
            freed.push_back(std::move(channel->second));
            channel = mChannels.erase(channel);
        } else {
            ++channel;
        }
    }
    return true;
}

Handle MusicEngine::NewSampleChannel(const Handle sample)
{
    const std::lock_guard lock(mLock);
    const auto found = mSamples.find(sample);
    if (found == mSamples.end())
        return Fail(Failure::Handle, Handle{0});
    const SampleData& data = *found->second;
    auto channel = std::make_unique<Channel>(ChannelKind::SampleChannel, MakeSampleSource(found->second));
    channel->sample = sample;
    channel->bytesPerFrame = data.pcm.format.BlockAlign();
    channel->voice.SetVolume(data.volume);
    channel->voice.SetPan(data.pan);
    channel->voice.SetLooping(data.loops);
    const Handle handle = NextHandle();
    mChannels.emplace(handle, std::move(channel));
    return handle;
}

bool MusicEngine::WithChannel(const Handle handle, const std::function<void(Channel&)>& action)
{
    const std::lock_guard lock(mLock);
    const auto found = mChannels.find(handle);
    if (found == mChannels.end())
        return Fail(Failure::Handle, false);
    action(*found->second);
    return true;
}

bool MusicEngine::WithSample(const Handle sample, const std::function<void(SampleData&)>& action)
{
    const std::lock_guard lock(mLock);
    const auto found = mSamples.find(sample);
    if (found == mSamples.end())
        return Fail(Failure::Handle, false);
    action(*found->second);
    return true;
}

void MusicEngine::ForEachChannel(const std::function<void(Handle, Channel&)>& action)
{
    const std::lock_guard lock(mLock);
    for (const auto& [handle, channel] : mChannels)
        action(handle, *channel);
}

int MusicEngine::LiveObjects() const
{
    const std::lock_guard lock(mLock);
    return static_cast<int>(mChannels.size() + mSamples.size());
}

void MusicEngine::Mix(float* mix, const int frames)
{
    const std::lock_guard lock(mLock);
    if (!mRunning)
        return;
    for (const auto& [handle, channel] : mChannels) {
        const float gain = mMasterVolume * mKindVolumes[static_cast<int>(channel->kind)] * channel->amplify;
        channel->voice.Mix(mix, frames, gain);
    }
}

void MusicEngine::MixSource(void* engine, float* mix, const int frames)
{
    static_cast<MusicEngine*>(engine)->Mix(mix, frames);
}

MusicEngine& TheEngine()
{
    static MusicEngine engine;
    return engine;
}

} // namespace Music
