#pragma once
// A playing channel: plays a source at its own rate (or a set frequency), resampled
// to the output's rate by linear interpolation, with volume, pan, looping and timed slides
// of those attributes. The source is read in chunks ahead of what is heard; a loop goes on
// from the end of one pass to the next frame by frame, so it has no gap.

#include "platform/music/FrameSource.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Music {

enum class ChannelState { Stopped, Playing, Paused };

class Voice {
public:
    explicit Voice(std::unique_ptr<FrameSource> source);

    ChannelState State() const { return mState; }
    // Starts from the first frame when `restart` is set or the sound had played to its
    // end; otherwise goes on from where it stopped.
    void Play(bool restart);
    void Pause();
    // Keeps the position, so that a later Play without restart goes on from it.
    void Stop();

    bool Looping() const { return mLooping; }
    void SetLooping(bool looping) { mLooping = looping; }

    // Linear, 0 to 1.
    float Volume() const { return mVolume.value; }
    void SetVolume(float volume);
    // -1 full left to 1 full right.
    float Pan() const { return mPan.value; }
    void SetPan(float pan);
    // Frames per second to play the source at; 0 for its own rate.
    float Frequency() const { return mFrequency.value; }
    void SetFrequency(float frequency);
    // Moves the attributes given (negative `frames` are not slid) to their targets over
    // `frames` output frames.
    struct SlideTargets {
        bool volume = false;
        float volumeTarget = 0.0f;
        bool pan = false;
        float panTarget = 0.0f;
        bool frequency = false;
        float frequencyTarget = 0.0f;
    };
    void Slide(const SlideTargets& targets, int64_t frames);
    bool IsSliding() const { return mVolume.Sliding() || mPan.Sliding() || mFrequency.Sliding(); }

    // The source frame being heard.
    int64_t Position();
    bool Seek(int64_t frame);
    // Forgets what was read ahead, after the source was moved by its owner (a module's
    // order); the next Play goes on from the new place.
    void DropBuffered();
    FrameSource& Source() { return *mSource; }

    // Adds the channel's output to `mix` (stereo float), scaled by `gain`.
    void Mix(float* mix, int frames, float gain);
    // Peak levels of the last mix, 0 to 1.
    float PeakLeft() const { return mPeakLeft; }
    float PeakRight() const { return mPeakRight; }

private:
    struct Attribute {
        float value = 0.0f;
        float from = 0.0f;
        float to = 0.0f;
        int64_t total = 0;
        int64_t elapsed = 0;

        bool Sliding() const { return elapsed < total; }
        void Set(float newValue);
        void Advance(int64_t frames);
    };

    struct Frame {
        float left = 0.0f;
        float right = 0.0f;
        int64_t position = 0;
    };

    // The next frame of the source, going from pass to pass when looping; false at the end.
    bool Fetch(Frame& frame);
    bool Refill();
    void End();

    std::unique_ptr<FrameSource> mSource;
    ChannelState mState = ChannelState::Stopped;
    bool mEnded = false;
    bool mLooping = false;
    Attribute mVolume;
    Attribute mPan;
    Attribute mFrequency;

    // Source frames read ahead: mChunk holds mChunkFrames frames from mChunkStart on.
    std::vector<int16_t> mChunk;
    int mChunkFrames = 0;
    int mChunkRead = 0;
    int64_t mChunkStart = 0;

    // Interpolation runs between frames A and B, at mFraction of the way.
    bool mPrimed = false;
    Frame mA;
    Frame mB;
    bool mHaveB = false;
    double mFraction = 0.0;

    // The gains reached by the last mix; a change is ramped over the next one.
    bool mGainsSet = false;
    float mGainLeft = 0.0f;
    float mGainRight = 0.0f;
    float mPeakLeft = 0.0f;
    float mPeakRight = 0.0f;
};

} // namespace Music
