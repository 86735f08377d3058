// The entry points of fmod.so, on the music engine. Samples, streams and modules are the
// engine's handles carried in pointers; the numbered channels are a table of this library
// that says which engine channel each one plays.

#include "platform/music/Exports.h"
#include "platform/music/FModApi.h"
#include "platform/music/MusicEngine.h"
#include "platform/win32/Files.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace {

using namespace Music;
using namespace Music::FMod;

constexpr int kMaxChannels = 4096;

struct Slot {
    Handle channel = 0;
    // A sample's channel, made for this slot and freed with it; a stream's own channel is
    // only borrowed.
    bool owned = false;
};

// A locked range of a sample: a copy handed out to the caller, written back at Unlock, so
// that the caller never writes into sound the audio thread is reading.
struct LockedRange {
    Handle sample = 0;
    size_t offset = 0;
    std::vector<uint8_t> bytes;
};

struct Library {
    // Guards the tables; taken before the engine's lock, never inside it.
    std::mutex lock;
    std::vector<Slot> slots;
    std::map<const void*, LockedRange> lockedRanges;
};

Library& TheLibrary()
{
    static Library library;
    return library;
}

template <typename Pointer>
Pointer* ToPointer(const Handle handle)
{
    return reinterpret_cast<Pointer*>(static_cast<uintptr_t>(handle));
}

template <typename Pointer>
Handle ToHandle(Pointer* pointer)
{
    const auto value = reinterpret_cast<uintptr_t>(pointer);
    return value <= UINT32_MAX ? static_cast<Handle>(value) : 0;
}

float Volume(const int volume) { return static_cast<float>(std::clamp(volume, 0, kMaxVolume)) / kMaxVolume; }

float Pan(const int pan)
{
    const int clamped = std::clamp(pan, 0, 255);
    return clamped < kPanCentre ? static_cast<float>(clamped - kPanCentre) / kPanCentre
                                : static_cast<float>(clamped - kPanCentre) / (255 - kPanCentre);
}

int PanValue(const float pan)
{
    return kPanCentre + static_cast<int>(std::lround(pan * static_cast<float>(pan < 0.0f ? kPanCentre : 255 - kPanCentre)));
}

// Runs `action` on a channel of the kind; false when the handle is no such channel.
template <typename Action>
bool OnChannel(const Handle handle, const ChannelKind kind, Action action)
{
    bool matched = false;
    TheEngine().WithChannel(handle, [&](Channel& channel) {
        matched = channel.kind == kind;
        if (matched)
            matched = action(channel);
    });
    return matched;
}

template <typename Action>
BOOL OnModule(Module* module, Action action)
{
    return OnChannel(ToHandle(module), ChannelKind::Module, action) ? 1 : 0;
}

// The engine channel of a numbered channel, or 0. Requires the library's lock.
Handle SlotChannel(const Library& library, const int channel)
{
    if (channel < 0 || channel >= static_cast<int>(library.slots.size()))
        return 0;
    return library.slots[static_cast<size_t>(channel)].channel;
}

// Runs `action` on the channel a number plays. Requires the library's lock.
template <typename Action>
BOOL OnSlot(const Library& library, const int channel, Action action)
{
    const Handle handle = SlotChannel(library, channel);
    if (handle == 0)
        return 0;
    bool done = false;
    TheEngine().WithChannel(handle, [&](Channel& playing) { done = action(playing); });
    return done ? 1 : 0;
}

bool IsSounding(const Handle channel)
{
    bool sounding = false;
    TheEngine().WithChannel(channel, [&sounding](Channel& playing) {
        sounding = playing.voice.State() != ChannelState::Stopped;
    });
    return sounding;
}

// Empties a slot. Requires the library's lock.
void Release(Slot& slot)
{
    if (slot.owned)
        TheEngine().FreeChannel(slot.channel, ChannelKind::SampleChannel);
    else if (slot.channel != 0)
        TheEngine().WithChannel(slot.channel, [](Channel& channel) { channel.voice.Stop(); });
    slot = Slot{};
}

// Puts an engine channel on a numbered channel (any free one for kFree) and plays it from
// the start; the number, or -1. Requires the library's lock.
int PlayOnSlot(Library& library, const int channel, const Handle played, const bool owned)
{
    int number = channel;
    if (channel == kFree) {
        const auto free = std::find_if(library.slots.begin(), library.slots.end(),
            [](const Slot& slot) { return slot.channel == 0 || !IsSounding(slot.channel); });
        number = free == library.slots.end() ? -1 : static_cast<int>(free - library.slots.begin());
    }
    if (number < 0 || number >= static_cast<int>(library.slots.size())) {
        if (owned)
            TheEngine().FreeChannel(played, ChannelKind::SampleChannel);
        return -1;
    }
    Slot& slot = library.slots[static_cast<size_t>(number)];
    if (slot.channel != played)
        Release(slot);
    slot = Slot{played, owned};
    TheEngine().WithChannel(played, [](Channel& playing) { playing.voice.Play(true); });
    return number;
}

void Resume(Voice& voice, const bool paused)
{
    if (paused)
        voice.Pause();
    else if (voice.State() == ChannelState::Paused)
        voice.Play(false);
}

} // namespace

// --- The output ---

// The shared output keeps its own buffer and needs no window.
MUSIC_EXPORT BOOL FSOUND_SetBufferSize(const int milliseconds) { return milliseconds > 0 ? 1 : 0; }
MUSIC_EXPORT BOOL FSOUND_SetHWND(void*) { return 1; }

// The output always mixes at its own rate; the flags are not used.
MUSIC_EXPORT BOOL FSOUND_Init(const int mixRate, const int channels, unsigned)
{
    if (mixRate <= 0 || channels <= 0 || channels > kMaxChannels)
        return 0;
    Library& library = TheLibrary();
    const std::lock_guard lock(library.lock);
    if (!TheEngine().Open())
        return 0;
    library.slots.assign(static_cast<size_t>(channels), Slot{});
    return 1;
}

// Frees every sample, stream and module.
MUSIC_EXPORT void FSOUND_Close()
{
    Library& library = TheLibrary();
    const std::lock_guard lock(library.lock);
    TheEngine().Close();
    library.slots.clear();
    library.lockedRanges.clear();
}

// --- Samples ---

MUSIC_EXPORT Sample* FSOUND_Sample_Load(int, const char* fileName, const unsigned mode, int)
{
    std::vector<uint8_t> bytes;
    if (!Win32::ReadContentFile(fileName, &bytes))
        return nullptr;
    const Handle sample = TheEngine().LoadSample(std::make_shared<const std::vector<uint8_t>>(std::move(bytes)));
    if (sample == 0)
        return nullptr;
    TheEngine().WithSample(sample, [mode](SampleData& data) { data.loops = (mode & kModeLoopNormal) != 0; });
    return ToPointer<Sample>(sample);
}

MUSIC_EXPORT Sample* FSOUND_Sample_Alloc(int, const int frames, const unsigned mode, const int rate, const int volume,
    const int pan, const int priority)
{
    const PcmFormat format{rate, (mode & kModeMono) != 0 ? 1 : 2, (mode & kMode8Bits) != 0 ? 8 : 16};
    const Handle sample = TheEngine().AllocateSample(format, frames);
    if (sample == 0)
        return nullptr;
    TheEngine().WithSample(sample, [=](SampleData& data) {
        data.loops = (mode & kModeLoopNormal) != 0;
        data.volume = Volume(volume);
        data.pan = Pan(pan);
        data.priority = priority;
    });
    return ToPointer<Sample>(sample);
}

MUSIC_EXPORT void FSOUND_Sample_Free(Sample* sample)
{
    Library& library = TheLibrary();
    const std::lock_guard lock(library.lock);
    const Handle handle = ToHandle(sample);
    if (!TheEngine().FreeSample(handle))
        return;
    std::erase_if(library.lockedRanges, [handle](const auto& range) { return range.second.sample == handle; });
    // The sample's channels went with it.
    for (Slot& slot : library.slots) {
        if (slot.owned && !TheEngine().WithChannel(slot.channel, [](Channel&) {}))
            slot = Slot{};
    }
}

MUSIC_EXPORT BOOL FSOUND_Sample_Lock(Sample* sample, const int offset, const int length, void** first, void** second,
    unsigned* firstLength, unsigned* secondLength)
{
    if (first == nullptr || firstLength == nullptr || offset < 0 || length <= 0)
        return 0;
    LockedRange range{ToHandle(sample), static_cast<size_t>(offset), {}};
    bool inside = false;
    const bool found = TheEngine().WithSample(range.sample, [&](SampleData& data) {
        const std::vector<uint8_t>& bytes = data.pcm.data;
        inside = range.offset < bytes.size();
        if (!inside)
            return;
        const size_t count = std::min(static_cast<size_t>(length), bytes.size() - range.offset);
        range.bytes.assign(bytes.begin() + static_cast<ptrdiff_t>(range.offset),
            bytes.begin() + static_cast<ptrdiff_t>(range.offset + count));
    });
    if (!found || !inside)
        return 0;
    Library& library = TheLibrary();
    const std::lock_guard lock(library.lock);
    const void* data = range.bytes.data();
    *first = range.bytes.data();
    *firstLength = static_cast<unsigned>(range.bytes.size());
    if (second != nullptr)
        *second = nullptr;
    if (secondLength != nullptr)
        *secondLength = 0;
    library.lockedRanges.emplace(data, std::move(range));
    return 1;
}

MUSIC_EXPORT BOOL FSOUND_Sample_Unlock(Sample* sample, void* first, void*, unsigned, unsigned)
{
    Library& library = TheLibrary();
    LockedRange range;
    {
        const std::lock_guard lock(library.lock);
        const auto found = library.lockedRanges.find(first);
        if (found == library.lockedRanges.end() || found->second.sample != ToHandle(sample))
            return 0;
        range = std::move(found->second);
        library.lockedRanges.erase(found);
    }
    return TheEngine().WithSample(range.sample, [&range](SampleData& data) {
        std::memcpy(data.pcm.data.data() + range.offset, range.bytes.data(), range.bytes.size());
    }) ? 1 : 0;
}

MUSIC_EXPORT BOOL FSOUND_Sample_SetLoopPoints(Sample* sample, const int start, const int end)
{
    bool valid = false;
    TheEngine().WithSample(ToHandle(sample), [&](SampleData& data) {
        valid = start >= 0 && start <= end && end < data.pcm.Frames();
        if (valid) {
            data.loopStart = start;
            data.loopEnd = static_cast<int64_t>(end) + 1;
        }
    });
    return valid ? 1 : 0;
}

MUSIC_EXPORT unsigned FSOUND_Sample_GetLength(Sample* sample)
{
    unsigned frames = 0;
    TheEngine().WithSample(ToHandle(sample), [&frames](SampleData& data) { frames = static_cast<unsigned>(data.pcm.Frames()); });
    return frames;
}

MUSIC_EXPORT BOOL FSOUND_Sample_GetDefaults(Sample* sample, int* rate, int* volume, int* pan, int* priority)
{
    return TheEngine().WithSample(ToHandle(sample), [=](SampleData& data) {
        if (rate != nullptr)
            *rate = data.pcm.format.rate;
        if (volume != nullptr)
            *volume = static_cast<int>(std::lround(data.volume * kMaxVolume));
        if (pan != nullptr)
            *pan = PanValue(data.pan);
        if (priority != nullptr)
            *priority = data.priority;
    }) ? 1 : 0;
}

MUSIC_EXPORT unsigned FSOUND_Sample_GetMode(Sample* sample)
{
    unsigned mode = 0;
    TheEngine().WithSample(ToHandle(sample), [&mode](SampleData& data) {
        mode = data.loops ? kModeLoopNormal : kModeLoopOff;
        if (data.pcm.format.bits == 8)
            mode |= kMode8Bits;
        if (data.pcm.format.channels == 1)
            mode |= kModeMono;
    });
    return mode;
}

// --- Numbered channels ---

MUSIC_EXPORT int FSOUND_PlaySound(const int channel, Sample* sample)
{
    Library& library = TheLibrary();
    const std::lock_guard lock(library.lock);
    if (library.slots.empty())
        return -1;
    const Handle played = TheEngine().NewSampleChannel(ToHandle(sample));
    if (played == 0)
        return -1;
    return PlayOnSlot(library, channel, played, true);
}

MUSIC_EXPORT BOOL FSOUND_StopSound(const int channel)
{
    Library& library = TheLibrary();
    const std::lock_guard lock(library.lock);
    if (SlotChannel(library, channel) == 0)
        return 0;
    Release(library.slots[static_cast<size_t>(channel)]);
    return 1;
}

MUSIC_EXPORT BOOL FSOUND_SetVolume(const int channel, const int volume)
{
    Library& library = TheLibrary();
    const std::lock_guard lock(library.lock);
    return OnSlot(library, channel, [volume](Channel& playing) {
        playing.voice.SetVolume(Volume(volume));
        return true;
    });
}

MUSIC_EXPORT BOOL FSOUND_SetPaused(const int channel, const BOOL paused)
{
    Library& library = TheLibrary();
    const std::lock_guard lock(library.lock);
    return OnSlot(library, channel, [paused](Channel& playing) {
        Resume(playing.voice, paused != 0);
        return true;
    });
}

MUSIC_EXPORT BOOL FSOUND_SetLoopMode(const int channel, const unsigned loopMode)
{
    if (loopMode != kModeLoopOff && loopMode != kModeLoopNormal)
        return 0;
    Library& library = TheLibrary();
    const std::lock_guard lock(library.lock);
    return OnSlot(library, channel, [loopMode](Channel& playing) {
        playing.voice.SetLooping(loopMode == kModeLoopNormal);
        return true;
    });
}

MUSIC_EXPORT BOOL FSOUND_IsPlaying(const int channel)
{
    Library& library = TheLibrary();
    const std::lock_guard lock(library.lock);
    const Handle handle = SlotChannel(library, channel);
    return handle != 0 && IsSounding(handle) ? 1 : 0;
}

// --- Streams ---

MUSIC_EXPORT Stream* FSOUND_Stream_OpenFile(const char* fileName, const unsigned mode, int)
{
    std::vector<uint8_t> bytes;
    if (!Win32::ReadContentFile(fileName, &bytes))
        return nullptr;
    const Handle stream = TheEngine().LoadStream(std::make_shared<const std::vector<uint8_t>>(std::move(bytes)));
    if (stream == 0)
        return nullptr;
    TheEngine().WithChannel(stream, [mode](Channel& channel) { channel.voice.SetLooping((mode & kModeLoopNormal) != 0); });
    return ToPointer<Stream>(stream);
}

MUSIC_EXPORT BOOL FSOUND_Stream_Close(Stream* stream)
{
    Library& library = TheLibrary();
    const std::lock_guard lock(library.lock);
    const Handle handle = ToHandle(stream);
    if (!TheEngine().FreeChannel(handle, ChannelKind::Stream))
        return 0;
    for (Slot& slot : library.slots) {
        if (slot.channel == handle)
            slot = Slot{};
    }
    return 1;
}

MUSIC_EXPORT int FSOUND_Stream_Play(const int channel, Stream* stream)
{
    Library& library = TheLibrary();
    const std::lock_guard lock(library.lock);
    const Handle handle = ToHandle(stream);
    if (library.slots.empty() || !OnChannel(handle, ChannelKind::Stream, [](Channel&) { return true; }))
        return -1;
    return PlayOnSlot(library, channel, handle, false);
}

// --- Modules ---

// A module loops until told otherwise.
MUSIC_EXPORT Module* FMUSIC_LoadSong(const char* fileName)
{
    std::vector<uint8_t> bytes;
    if (!Win32::ReadContentFile(fileName, &bytes))
        return nullptr;
    const Handle module = TheEngine().LoadModule(bytes);
    if (module == 0)
        return nullptr;
    TheEngine().WithChannel(module, [](Channel& channel) { channel.voice.SetLooping(true); });
    return ToPointer<Module>(module);
}

MUSIC_EXPORT BOOL FMUSIC_PlaySong(Module* module)
{
    return OnModule(module, [](Channel& channel) {
        channel.voice.Play(true);
        return true;
    });
}

MUSIC_EXPORT BOOL FMUSIC_StopSong(Module* module)
{
    return OnModule(module, [](Channel& channel) {
        channel.voice.Stop();
        return true;
    });
}

MUSIC_EXPORT BOOL FMUSIC_SetLooping(Module* module, const int looping)
{
    return OnModule(module, [looping](Channel& channel) {
        channel.voice.SetLooping(looping == kModuleLoop);
        return true;
    });
}

MUSIC_EXPORT BOOL FMUSIC_SetOrder(Module* module, const int order)
{
    return OnModule(module, [order](Channel& channel) {
        if (!channel.module->SetOrder(order, 0))
            return false;
        channel.voice.DropBuffered();
        return true;
    });
}

MUSIC_EXPORT BOOL FMUSIC_SetPaused(Module* module, const BOOL paused)
{
    return OnModule(module, [paused](Channel& channel) {
        Resume(channel.voice, paused != 0);
        return true;
    });
}

MUSIC_EXPORT BOOL FMUSIC_SetMasterVolume(Module* module, const int volume)
{
    return OnModule(module, [volume](Channel& channel) {
        channel.voice.SetVolume(Volume(volume));
        return true;
    });
}

MUSIC_EXPORT BOOL FMUSIC_IsPlaying(Module* module)
{
    return OnModule(module, [](Channel& channel) { return channel.voice.State() != ChannelState::Stopped; });
}
