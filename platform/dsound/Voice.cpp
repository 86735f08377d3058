#include "platform/dsound/Voice.h"

#include "platform/audio/AudioOutput.h"

#include <cstring>

namespace DSound {
namespace {

constexpr float kFractionScale = 1.0f / 4294967296.0f;

// One frame as floats at full scale 1.0; a mono frame is heard on both sides.
struct FrameValue {
    float left;
    float right;
};

float SampleValue(const uint8_t* at, const uint8_t) { return (static_cast<float>(*at) - 128.0f) * (1.0f / 128.0f); }

float SampleValue(const uint8_t* at, const int16_t)
{
    int16_t value = 0;
    std::memcpy(&value, at, sizeof(value));
    return static_cast<float>(value) * (1.0f / 32768.0f);
}

template <typename Sample, int Channels>
FrameValue ReadFrame(const uint8_t* data, const uint64_t frame)
{
    const uint8_t* at = data + frame * Channels * sizeof(Sample);
    const float left = SampleValue(at, Sample{});
    if constexpr (Channels == 1)
        return {left, left};
    else
        return {left, SampleValue(at + sizeof(Sample), Sample{})};
}

template <typename Sample, int Channels>
void MixFrames(Voice& voice, const Samples& samples, const StereoGain gain, float* mix, const int frames)
{
    const uint8_t* data = samples.bytes.data();
    const uint64_t frameCount = samples.Frames();
    const uint64_t end = frameCount << 32;
    const uint64_t step = (static_cast<uint64_t>(voice.frequency) << 32) / Audio::kSampleRate;
    uint64_t position = voice.position;
    for (int i = 0; i < frames && position < end; ++i) {
        const uint64_t frame = position >> 32;
        // The frame after the last one is the first when looping; otherwise the last holds.
        const uint64_t following = frame + 1 < frameCount ? frame + 1 : (voice.looping ? 0 : frame);
        const FrameValue from = ReadFrame<Sample, Channels>(data, frame);
        const FrameValue to = ReadFrame<Sample, Channels>(data, following);
        const float fraction = static_cast<float>(position & 0xFFFFFFFFu) * kFractionScale;
        mix[2 * i] += (from.left + (to.left - from.left) * fraction) * gain.left;
        mix[2 * i + 1] += (from.right + (to.right - from.right) * fraction) * gain.right;
        position += step;
        if (position >= end && voice.looping)
            position %= end;
    }
    voice.position = position;
    if (position >= end) {
        voice.playing = false;
        voice.position = 0;
    }
}

} // namespace

void MixVoice(Voice& voice, const Samples& samples, const StereoGain gain, float* mix, const int frames)
{
    if (samples.Frames() == 0) {
        voice.playing = false;
        return;
    }
    const bool stereo = samples.format.nChannels == 2;
    if (samples.format.wBitsPerSample == 8)
        stereo ? MixFrames<uint8_t, 2>(voice, samples, gain, mix, frames)
               : MixFrames<uint8_t, 1>(voice, samples, gain, mix, frames);
    else
        stereo ? MixFrames<int16_t, 2>(voice, samples, gain, mix, frames)
               : MixFrames<int16_t, 1>(voice, samples, gain, mix, frames);
}

} // namespace DSound
