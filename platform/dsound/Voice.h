#pragma once
// What a buffer plays and how: the PCM data that a buffer shares with its duplicates, and
// each one's own playback state, mixed into the output at its rate by linear interpolation.

#include "platform/dsound/DSound.h"
#include "platform/dsound/Gain.h"

#include <cstdint>
#include <vector>

namespace DSound {

// The PCM frames of a buffer and its duplicates, in the format they were made with.
struct Samples {
    WAVEFORMATEX format{};
    std::vector<uint8_t> bytes;

    // Whole frames only: a trailing partial frame never plays.
    uint64_t Frames() const { return bytes.size() / format.nBlockAlign; }
};

// One buffer's playback.
struct Voice {
    // Frames from the start, 32.32 fixed point: the fraction is the position between two
    // frames that the interpolation weighs.
    uint64_t position = 0;
    bool playing = false;
    bool looping = false;
    LONG volume = DSBVOLUME_MAX;
    LONG pan = DSBPAN_CENTER;
    DWORD frequency = 0;

    uint64_t Frame() const { return position >> 32; }
    void SetFrame(const uint64_t frame) { position = frame << 32; }
};

// Adds `frames` output frames of the voice, times the gain, into `mix` (interleaved stereo
// floats at the output rate) and moves it on. A voice that is not looping stops at the end
// of its samples and rewinds to the start; a looping one wraps around.
void MixVoice(Voice& voice, const Samples& samples, StereoGain gain, float* mix, int frames);

} // namespace DSound
