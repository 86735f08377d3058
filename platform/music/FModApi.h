#pragma once
// The entry points of "fmod.dll" (fmod.so here) as the music interface and the sound
// manager bind them ("_FSOUND_Init@12" and so on, found by their plain names), with the
// values they pass and rely on. Numbers not fixed by the program are this library's own.
// Samples, streams and modules are named by non-null pointers; channels by numbers from 0
// to the channel count given to FSOUND_Init, and a sample plays on the channel asked for.

#include <cstdint>

namespace Music::FMod {

using BOOL = int;

struct Sample;
struct Stream;
struct Module;

// A sample index or channel number meaning "any free one" (samples are always new).
constexpr int kFree = -1;

// Sample modes (FSOUND_Sample_GetMode, FSOUND_Sample_Alloc, the load calls): a sample is
// 16-bit stereo unless the bits say otherwise; 8-bit samples are unsigned, as in WAV files.
constexpr unsigned kModeLoopOff = 0x01;
constexpr unsigned kModeLoopNormal = 0x02;
constexpr unsigned kMode8Bits = 0x08;
constexpr unsigned kModeMono = 0x20;

// FSOUND_SetLoopMode takes kModeLoopOff or kModeLoopNormal; FMUSIC_SetLooping takes the
// same two values: 2 loops the module, 1 plays it once.
constexpr int kModuleLoopOff = 1;
constexpr int kModuleLoop = 2;

// Volumes (FSOUND_SetVolume, FMUSIC_SetMasterVolume, a sample's default volume) run from
// 0 to 100; larger values are full volume. Pans run from 0 (left) through 128 (centre)
// to 255 (right).
constexpr int kMaxVolume = 100;
constexpr int kPanCentre = 128;

// The entry points' types, for binding them.
using SetBufferSizeFunc = BOOL (*)(int milliseconds);
using SetHWNDFunc = BOOL (*)(void* window);
using InitFunc = BOOL (*)(int mixRate, int channels, unsigned flags);
using CloseFunc = void (*)();
// The index and the length are not used: every load makes a new sample from the file.
using SampleLoadFunc = Sample* (*)(int index, const char* fileName, unsigned mode, int length);
using SampleAllocFunc = Sample* (*)(int index, int frames, unsigned mode, int rate, int volume, int pan, int priority);
using SampleFreeFunc = void (*)(Sample* sample);
// Offsets and lengths in bytes. The first part is the whole range asked for (up to the end
// of the sample); the second part is always empty. Writes reach the sample at Unlock.
using SampleLockFunc = BOOL (*)(Sample* sample, int offset, int length, void** first, void** second,
    unsigned* firstLength, unsigned* secondLength);
using SampleUnlockFunc = BOOL (*)(Sample* sample, void* first, void* second, unsigned firstLength,
    unsigned secondLength);
// Frames from `start` to `end` inclusive repeat when the sample loops.
using SampleSetLoopPointsFunc = BOOL (*)(Sample* sample, int start, int end);
// In frames.
using SampleGetLengthFunc = unsigned (*)(Sample* sample);
using SampleGetDefaultsFunc = BOOL (*)(Sample* sample, int* rate, int* volume, int* pan, int* priority);
using SampleGetModeFunc = unsigned (*)(Sample* sample);
// The channel the sample plays on, or -1.
using PlaySoundFunc = int (*)(int channel, Sample* sample);
using StopSoundFunc = BOOL (*)(int channel);
using SetVolumeFunc = BOOL (*)(int channel, int volume);
using SetPausedFunc = BOOL (*)(int channel, BOOL paused);
using SetLoopModeFunc = BOOL (*)(int channel, unsigned loopMode);
// True while the channel's sound is playing or paused, until it is stopped or played out.
using IsPlayingFunc = BOOL (*)(int channel);
using StreamOpenFileFunc = Stream* (*)(const char* fileName, unsigned mode, int length);
using StreamCloseFunc = BOOL (*)(Stream* stream);
using StreamPlayFunc = int (*)(int channel, Stream* stream);

using MusicLoadSongFunc = Module* (*)(const char* fileName);
// From the first order.
using MusicPlaySongFunc = BOOL (*)(Module* module);
using MusicStopSongFunc = BOOL (*)(Module* module);
using MusicSetLoopingFunc = BOOL (*)(Module* module, int looping);
using MusicSetOrderFunc = BOOL (*)(Module* module, int order);
using MusicSetPausedFunc = BOOL (*)(Module* module, BOOL paused);
using MusicSetMasterVolumeFunc = BOOL (*)(Module* module, int volume);
// True while the module is playing or paused; false for null.
using MusicIsPlayingFunc = BOOL (*)(Module* module);

} // namespace Music::FMod
