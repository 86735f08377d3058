// The entry points of bass.so, on the music engine. Every call leaves its outcome for
// BASS_ErrorGetCode: none after a success, the reason after a failure.

#include "platform/audio/AudioOutput.h"
#include "platform/music/BassApi.h"
#include "platform/music/Exports.h"
#include "platform/music/MusicEngine.h"
#include "platform/win32/Files.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <optional>

namespace {

using namespace Music;
using namespace Music::Bass;

constexpr int kMinFrequency = 100;
constexpr int kMaxFrequency = 100000;

std::atomic<DWORD> gBufferMilliseconds{500};

template <typename Result>
Result Fail(const Failure failure, const Result result)
{
    SetLastFailure(failure);
    return result;
}

template <typename Result>
Result Succeed(const Result result)
{
    SetLastFailure(Failure::None);
    return result;
}

// Ends a call on a channel: the outcome the action left, or a bad handle.
BOOL Outcome(const bool found, const Failure failure)
{
    if (!found)
        return Fail(Failure::Handle, BOOL{0});
    if (failure != Failure::None)
        return Fail(failure, BOOL{0});
    return Succeed(BOOL{1});
}

// Runs `action` (returning the failure it met, or None) on a channel of one of the kinds.
template <typename Action>
BOOL OnChannel(const DWORD handle, Action action, const std::initializer_list<ChannelKind> kinds)
{
    Failure failure = Failure::None;
    bool known = false;
    TheEngine().WithChannel(handle, [&](Channel& channel) {
        known = std::find(kinds.begin(), kinds.end(), channel.kind) != kinds.end();
        if (known)
            failure = action(channel);
    });
    return Outcome(known, failure);
}

template <typename Action>
BOOL OnAnyChannel(const DWORD handle, Action action)
{
    return OnChannel(handle, action, {ChannelKind::Stream, ChannelKind::Module, ChannelKind::SampleChannel});
}

template <typename Action>
BOOL OnModule(const DWORD handle, Action action)
{
    return OnChannel(handle, action, {ChannelKind::Module});
}

// A song's bytes: a content file (which may lie in the program's archive), or `length`
// bytes of memory; `offset` and `length` (0: to the end) select a part of a file.
std::optional<std::vector<uint8_t>> SongData(const BOOL memory, const void* file, const QWORD offset, const QWORD length)
{
    if (file == nullptr)
        return Fail(Failure::Parameter, std::nullopt);
    if (memory) {
        if (length == 0)
            return Fail(Failure::Parameter, std::nullopt);
        const auto* begin = static_cast<const uint8_t*>(file) + offset;
        return std::vector<uint8_t>(begin, begin + length);
    }
    std::vector<uint8_t> bytes;
    if (!Win32::ReadContentFile(static_cast<const char*>(file), &bytes))
        return Fail(Failure::FileOpen, std::nullopt);
    if (offset > bytes.size())
        return Fail(Failure::Parameter, std::nullopt);
    const QWORD available = bytes.size() - offset;
    const QWORD kept = length == 0 ? available : std::min(length, available);
    bytes.erase(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(offset));
    bytes.resize(static_cast<size_t>(kept));
    return bytes;
}

// Applies the flags of a load call to the new channel.
void ApplyLoadFlags(const DWORD handle, const DWORD flags)
{
    TheEngine().WithChannel(handle, [flags](Channel& channel) {
        channel.flags = flags;
        channel.voice.SetLooping((flags & kFlagLoop) != 0);
    });
}

float Percent(const int value) { return static_cast<float>(std::clamp(value, 0, 100)) / 100.0f; }
DWORD ToPercent(const float value) { return static_cast<DWORD>(std::lround(value * 100.0f)); }

float FrequencyValue(const int frequency) { return frequency == 0 ? 0.0f : static_cast<float>(std::clamp(frequency, kMinFrequency, kMaxFrequency)); }

DWORD ModulePosition(const ModulePlayer& module)
{
    return static_cast<DWORD>(module.Order()) | (static_cast<DWORD>(module.Row()) << 16);
}

int ErrorCodeOf(const Failure failure)
{
    switch (failure) {
    case Failure::None: return kErrorNone;
    case Failure::NotInitialised: return kErrorNotInitialised;
    case Failure::Already: return kErrorAlready;
    case Failure::FileOpen: return kErrorFileOpen;
    case Failure::Format: return kErrorFormat;
    case Failure::Handle: return kErrorHandle;
    case Failure::Position: return kErrorPosition;
    case Failure::Parameter: return kErrorParameter;
    case Failure::NotPlaying: return kErrorNotPlaying;
    case Failure::NotAvailable: return kErrorNotAvailable;
    }
    return kErrorNotAvailable;
}

BOOL SetKindVolume(const ChannelKind kind, const DWORD volume)
{
    if (volume > 100)
        return Fail(Failure::Parameter, BOOL{0});
    TheEngine().SetKindVolume(kind, Percent(static_cast<int>(volume)));
    return Succeed(BOOL{1});
}

} // namespace

// --- The output ---

MUSIC_EXPORT BOOL BASS_Init(const int device, const DWORD frequency, DWORD, void*, const void*)
{
    if (device < kDefaultDevice || device > kFirstDevice || frequency == 0)
        return Fail(Failure::Parameter, BOOL{0});
    if (!TheEngine().Open())
        return Fail(Failure::Already, BOOL{0});
    return Succeed(BOOL{1});
}

MUSIC_EXPORT BOOL BASS_Free()
{
    if (!TheEngine().Close())
        return Fail(Failure::NotInitialised, BOOL{0});
    return Succeed(BOOL{1});
}

MUSIC_EXPORT BOOL BASS_Stop()
{
    if (!TheEngine().IsOpen())
        return Fail(Failure::NotInitialised, BOOL{0});
    TheEngine().SetRunning(false);
    return Succeed(BOOL{1});
}

MUSIC_EXPORT BOOL BASS_Start()
{
    if (!TheEngine().IsOpen())
        return Fail(Failure::NotInitialised, BOOL{0});
    TheEngine().SetRunning(true);
    return Succeed(BOOL{1});
}

MUSIC_EXPORT DWORD BASS_GetVolume() { return Succeed(ToPercent(TheEngine().MasterVolume())); }

MUSIC_EXPORT BOOL BASS_SetVolume(const DWORD volume)
{
    if (volume > 100)
        return Fail(Failure::Parameter, BOOL{0});
    TheEngine().SetMasterVolume(Percent(static_cast<int>(volume)));
    return Succeed(BOOL{1});
}

// Negative values leave a volume unchanged.
MUSIC_EXPORT void BASS_SetGlobalVolumes(const int music, const int sample, const int stream)
{
    if (music >= 0)
        TheEngine().SetKindVolume(ChannelKind::Module, Percent(music));
    if (sample >= 0)
        TheEngine().SetKindVolume(ChannelKind::SampleChannel, Percent(sample));
    if (stream >= 0)
        TheEngine().SetKindVolume(ChannelKind::Stream, Percent(stream));
    SetLastFailure(Failure::None);
}

MUSIC_EXPORT BOOL BASS_SetConfig(const DWORD option, const DWORD value)
{
    switch (option) {
    case kConfigBufferMilliseconds:
        // Kept for BASS_GetConfig; the shared output keeps its own buffer.
        gBufferMilliseconds = value;
        return Succeed(BOOL{1});
    case kConfigSampleVolume: return SetKindVolume(ChannelKind::SampleChannel, value);
    case kConfigStreamVolume: return SetKindVolume(ChannelKind::Stream, value);
    case kConfigModuleVolume: return SetKindVolume(ChannelKind::Module, value);
    default: return Fail(Failure::Parameter, BOOL{0});
    }
}

MUSIC_EXPORT DWORD BASS_GetConfig(const DWORD option)
{
    switch (option) {
    case kConfigBufferMilliseconds: return Succeed(gBufferMilliseconds.load());
    case kConfigSampleVolume: return Succeed(ToPercent(TheEngine().KindVolume(ChannelKind::SampleChannel)));
    case kConfigStreamVolume: return Succeed(ToPercent(TheEngine().KindVolume(ChannelKind::Stream)));
    case kConfigModuleVolume: return Succeed(ToPercent(TheEngine().KindVolume(ChannelKind::Module)));
    default: return Fail(Failure::Parameter, static_cast<DWORD>(-1));
    }
}

// The output has no description to give beyond its fixed format.
MUSIC_EXPORT BOOL BASS_GetInfo(void*) { return Fail(Failure::NotAvailable, BOOL{0}); }

MUSIC_EXPORT DWORD BASS_GetVersion() { return kVersion; }

MUSIC_EXPORT int BASS_ErrorGetCode() { return ErrorCodeOf(LastFailure()); }

// --- Channels ---

MUSIC_EXPORT BOOL BASS_ChannelPlay(const DWORD handle, const BOOL restart)
{
    return OnAnyChannel(handle, [restart](Channel& channel) {
        channel.voice.Play(restart != 0);
        return Failure::None;
    });
}

MUSIC_EXPORT BOOL BASS_ChannelStop(const DWORD handle)
{
    return OnAnyChannel(handle, [](Channel& channel) {
        channel.voice.Stop();
        return Failure::None;
    });
}

MUSIC_EXPORT BOOL BASS_ChannelPause(const DWORD handle)
{
    return OnAnyChannel(handle, [](Channel& channel) {
        if (channel.voice.State() != ChannelState::Playing)
            return Failure::NotPlaying;
        channel.voice.Pause();
        return Failure::None;
    });
}

MUSIC_EXPORT DWORD BASS_ChannelIsActive(const DWORD handle)
{
    DWORD active = kActiveStopped;
    const BOOL known = OnAnyChannel(handle, [&active](Channel& channel) {
        const ChannelState state = channel.voice.State();
        active = state == ChannelState::Playing ? kActivePlaying
            : state == ChannelState::Paused     ? kActivePaused
                                                : kActiveStopped;
        return Failure::None;
    });
    return known ? active : kActiveStopped;
}

MUSIC_EXPORT BOOL BASS_ChannelSetFlags(const DWORD handle, const DWORD flags)
{
    return OnAnyChannel(handle, [flags](Channel& channel) {
        channel.flags = flags;
        channel.voice.SetLooping((flags & kFlagLoop) != 0);
        return Failure::None;
    });
}

MUSIC_EXPORT BOOL BASS_ChannelSetAttributes(const DWORD handle, const int frequency, const int volume, const int pan)
{
    return OnAnyChannel(handle, [=](Channel& channel) {
        if (frequency != kFrequencyUnchanged && frequency >= 0)
            channel.voice.SetFrequency(FrequencyValue(frequency));
        if (volume != kVolumeUnchanged && volume >= 0)
            channel.voice.SetVolume(Percent(volume));
        if (pan != kPanUnchanged)
            channel.voice.SetPan(static_cast<float>(std::clamp(pan, -100, 100)) / 100.0f);
        return Failure::None;
    });
}

MUSIC_EXPORT BOOL BASS_ChannelGetAttributes(const DWORD handle, DWORD* frequency, DWORD* volume, int* pan)
{
    return OnAnyChannel(handle, [=](Channel& channel) {
        if (frequency != nullptr) {
            const float set = channel.voice.Frequency();
            *frequency = set > 0.0f ? static_cast<DWORD>(set) : static_cast<DWORD>(channel.voice.Source().Rate());
        }
        if (volume != nullptr)
            *volume = ToPercent(channel.voice.Volume());
        if (pan != nullptr)
            *pan = static_cast<int>(std::lround(channel.voice.Pan() * 100.0f));
        return Failure::None;
    });
}

MUSIC_EXPORT BOOL BASS_ChannelSlideAttributes(const DWORD handle, const int frequency, const int volume, const int pan,
    const DWORD milliseconds)
{
    return OnAnyChannel(handle, [=](Channel& channel) {
        Voice::SlideTargets targets;
        targets.frequency = frequency != kFrequencyUnchanged && frequency >= 0;
        targets.frequencyTarget = FrequencyValue(frequency);
        targets.volume = volume != kVolumeUnchanged && volume >= 0;
        targets.volumeTarget = Percent(volume);
        targets.pan = pan != kPanUnchanged;
        targets.panTarget = static_cast<float>(std::clamp(pan, -100, 100)) / 100.0f;
        channel.voice.Slide(targets, static_cast<int64_t>(milliseconds) * Audio::kSampleRate / 1000);
        return Failure::None;
    });
}

MUSIC_EXPORT DWORD BASS_ChannelIsSliding(const DWORD handle)
{
    bool sliding = false;
    OnAnyChannel(handle, [&sliding](Channel& channel) {
        sliding = channel.voice.IsSliding();
        return Failure::None;
    });
    return sliding ? 1 : 0;
}

MUSIC_EXPORT BOOL BASS_ChannelSetPosition(const DWORD handle, const QWORD position)
{
    return OnAnyChannel(handle, [position](Channel& channel) {
        if (channel.module != nullptr) {
            const bool moved = (position & kPositionIsOrder) != 0
                ? channel.module->SetOrder(static_cast<int>(position & 0xFFFF), static_cast<int>((position >> 16) & 0x7FFF))
                : channel.module->SeekMilliseconds(static_cast<int>(
                    std::min<QWORD>(position / static_cast<QWORD>(channel.bytesPerFrame) * 1000 / Audio::kSampleRate, INT32_MAX)));
            if (!moved)
                return Failure::Position;
            channel.voice.DropBuffered();
            return Failure::None;
        }
        const auto frame = static_cast<int64_t>(std::min<QWORD>(position / static_cast<QWORD>(channel.bytesPerFrame), INT64_MAX));
        return channel.voice.Seek(frame) ? Failure::None : Failure::Position;
    });
}

MUSIC_EXPORT QWORD BASS_ChannelGetPosition(const DWORD handle)
{
    QWORD position = 0;
    const BOOL known = OnAnyChannel(handle, [&position](Channel& channel) {
        position = channel.module != nullptr
            ? ModulePosition(*channel.module)
            : static_cast<QWORD>(channel.voice.Position()) * static_cast<QWORD>(channel.bytesPerFrame);
        return Failure::None;
    });
    return known ? position : static_cast<QWORD>(-1);
}

MUSIC_EXPORT QWORD BASS_ChannelGetLength(const DWORD handle)
{
    QWORD length = 0;
    const BOOL known = OnAnyChannel(handle, [&length](Channel& channel) {
        // A module's length depends on its jumps; it has none in bytes.
        if (channel.module != nullptr)
            return Failure::NotAvailable;
        length = static_cast<QWORD>(channel.voice.Source().Length()) * static_cast<QWORD>(channel.bytesPerFrame);
        return Failure::None;
    });
    return known ? length : static_cast<QWORD>(-1);
}

// The peak levels of the last mix: left in the low word, right in the high word, 0 to 32768.
MUSIC_EXPORT DWORD BASS_ChannelGetLevel(const DWORD handle)
{
    DWORD level = 0;
    const BOOL known = OnAnyChannel(handle, [&level](Channel& channel) {
        if (channel.voice.State() != ChannelState::Playing)
            return Failure::NotPlaying;
        const auto scale = [](const float peak) { return static_cast<DWORD>(std::lround(std::min(peak, 1.0f) * 32768.0f)); };
        level = scale(channel.voice.PeakLeft()) | (scale(channel.voice.PeakRight()) << 16);
        return Failure::None;
    });
    return known ? level : static_cast<DWORD>(-1);
}

// Callbacks at positions, reading back the mix and effects are not offered: the calls fail.
MUSIC_EXPORT DWORD BASS_ChannelSetSync(DWORD, DWORD, QWORD, void*, DWORD) { return Fail(Failure::NotAvailable, DWORD{0}); }
MUSIC_EXPORT BOOL BASS_ChannelRemoveSync(DWORD, DWORD) { return Fail(Failure::Handle, BOOL{0}); }
MUSIC_EXPORT DWORD BASS_ChannelGetData(DWORD, void*, DWORD) { return Fail(Failure::NotAvailable, static_cast<DWORD>(-1)); }
MUSIC_EXPORT DWORD BASS_ChannelSetFX(DWORD, DWORD, int) { return Fail(Failure::NotAvailable, DWORD{0}); }
MUSIC_EXPORT BOOL BASS_ChannelRemoveFX(DWORD, DWORD) { return Fail(Failure::Handle, BOOL{0}); }
MUSIC_EXPORT BOOL BASS_FXSetParameters(DWORD, const void*) { return Fail(Failure::Handle, BOOL{0}); }
MUSIC_EXPORT BOOL BASS_FXGetParameters(DWORD, void*) { return Fail(Failure::Handle, BOOL{0}); }

// --- Modules ---

// The frequency of the newer argument list is not used: modules render at the output's rate.
MUSIC_EXPORT DWORD BASS_MusicLoad(const BOOL memory, const void* file, const QWORD offset, const DWORD length,
    const DWORD flags, DWORD)
{
    const std::optional<std::vector<uint8_t>> bytes = SongData(memory, file, offset, length);
    if (!bytes)
        return 0;
    const Handle module = TheEngine().LoadModule(*bytes);
    if (module == 0)
        return 0;
    ApplyLoadFlags(module, flags);
    return Succeed(module);
}

MUSIC_EXPORT BOOL BASS_MusicFree(const DWORD module)
{
    if (!TheEngine().FreeChannel(module, ChannelKind::Module))
        return Fail(Failure::Handle, BOOL{0});
    return Succeed(BOOL{1});
}

MUSIC_EXPORT BOOL BASS_MusicSetAttribute(const DWORD module, const DWORD attribute, const DWORD value)
{
    return OnModule(module, [=](Channel& channel) {
        if (attribute != kMusicAmplify)
            return Failure::Parameter;
        channel.amplify = static_cast<float>(std::min(value, kMaxAmplify)) / 100.0f;
        return Failure::None;
    });
}

MUSIC_EXPORT DWORD BASS_MusicGetAttribute(const DWORD module, const DWORD attribute)
{
    DWORD value = 0;
    const BOOL known = OnModule(module, [&](Channel& channel) {
        if (attribute != kMusicAmplify)
            return Failure::Parameter;
        value = ToPercent(channel.amplify);
        return Failure::None;
    });
    return known ? value : static_cast<DWORD>(-1);
}

MUSIC_EXPORT DWORD BASS_MusicGetOrders(const DWORD module)
{
    DWORD orders = 0;
    const BOOL known = OnModule(module, [&orders](Channel& channel) {
        orders = static_cast<DWORD>(channel.module->OrderCount());
        return Failure::None;
    });
    return known ? orders : static_cast<DWORD>(-1);
}

// The order in the low word and the row in the high word.
MUSIC_EXPORT DWORD BASS_MusicGetOrderPosition(const DWORD module)
{
    DWORD position = 0;
    const BOOL known = OnModule(module, [&position](Channel& channel) {
        position = ModulePosition(*channel.module);
        return Failure::None;
    });
    return known ? position : static_cast<DWORD>(-1);
}

// --- Streams ---

MUSIC_EXPORT DWORD BASS_StreamCreateFile(const BOOL memory, const void* file, const QWORD offset, const QWORD length,
    const DWORD flags)
{
    std::optional<std::vector<uint8_t>> bytes = SongData(memory, file, offset, length);
    if (!bytes)
        return 0;
    const Handle stream = TheEngine().LoadStream(std::make_shared<const std::vector<uint8_t>>(std::move(*bytes)));
    if (stream == 0)
        return 0;
    ApplyLoadFlags(stream, flags);
    return Succeed(stream);
}

MUSIC_EXPORT BOOL BASS_StreamFree(const DWORD stream)
{
    if (!TheEngine().FreeChannel(stream, ChannelKind::Stream))
        return Fail(Failure::Handle, BOOL{0});
    return Succeed(BOOL{1});
}

// --- Samples: decoded whole, played on channels made for them ---

// The most channels at once is not limited; every channel is freed with its sample.
MUSIC_EXPORT DWORD BASS_SampleLoad(const BOOL memory, const void* file, const QWORD offset, const DWORD length, DWORD,
    const DWORD flags)
{
    std::optional<std::vector<uint8_t>> bytes = SongData(memory, file, offset, length);
    if (!bytes)
        return 0;
    const Handle sample = TheEngine().LoadSample(std::make_shared<const std::vector<uint8_t>>(std::move(*bytes)));
    if (sample == 0)
        return 0;
    TheEngine().WithSample(sample, [flags](SampleData& data) { data.loops = (flags & kFlagLoop) != 0; });
    return Succeed(sample);
}

MUSIC_EXPORT BOOL BASS_SampleFree(const DWORD sample)
{
    if (!TheEngine().FreeSample(sample))
        return Fail(Failure::Handle, BOOL{0});
    return Succeed(BOOL{1});
}

// A sample's description has no layout here: the calls fail.
MUSIC_EXPORT BOOL BASS_SampleSetInfo(DWORD, const void*) { return Fail(Failure::NotAvailable, BOOL{0}); }
MUSIC_EXPORT BOOL BASS_SampleGetInfo(DWORD, void*) { return Fail(Failure::NotAvailable, BOOL{0}); }

MUSIC_EXPORT DWORD BASS_SampleGetChannel(const DWORD sample, BOOL)
{
    const Handle channel = TheEngine().NewSampleChannel(sample);
    return channel == 0 ? 0 : Succeed(channel);
}

MUSIC_EXPORT BOOL BASS_SampleStop(const DWORD sample)
{
    if (!TheEngine().WithSample(sample, [](SampleData&) {}))
        return Fail(Failure::Handle, BOOL{0});
    TheEngine().ForEachChannel([sample](Handle, Channel& channel) {
        if (channel.kind == ChannelKind::SampleChannel && channel.sample == sample)
            channel.voice.Stop();
    });
    return Succeed(BOOL{1});
}
