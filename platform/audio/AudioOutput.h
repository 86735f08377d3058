#pragma once
// The one audio device of the process, which every sound stand-in mixes into: the
// effects' buffers and the music's streams all play through it at once. It runs on SDL's
// audio device, opened when the first source is added and closed when the last one goes;
// without a device (no sound card, or none wanted) the sources stay registered and Mix,
// which tests call directly, still produces their sum.

#include <cstdint>

namespace Audio {

constexpr int kSampleRate = 44100;
constexpr int kChannels = 2;

// Adds a source's frames into `mix`: `frames` interleaved stereo frames of float samples,
// full scale 1.0. Called on the audio thread (or the caller of Mix) with the output's lock
// held, so it must not add or remove sources itself.
using MixSource = void (*)(void* context, float* mix, int frames);

// Registers a source. True when a device plays the mix; false when there is none.
bool AddSource(MixSource source, void* context);
// Once this returns, the source is never called again.
void RemoveSource(MixSource source, void* context);
// Whether a device is open and playing the mix.
bool HasDevice();
// Sums every source into `out` as 16-bit stereo, scaled by the master volume and clipped at
// full scale.
void Mix(int16_t* out, int frames);

// The volume of the whole output, as a system mixer's control sets it: 0 (silent) to 1
// (full, the start value); safe from any thread.
float GetMasterVolume();
void SetMasterVolume(float volume);

} // namespace Audio
