#include "platform/music/Voice.h"

#include "platform/audio/AudioOutput.h"

#include <algorithm>
#include <cmath>

namespace Music {
namespace {

constexpr int kChunkFrames = 1024;
constexpr float kFullScale = 32768.0f;

} // namespace

void Voice::Attribute::Set(const float newValue)
{
    value = newValue;
    total = 0;
    elapsed = 0;
}

void Voice::Attribute::Advance(const int64_t frames)
{
    if (!Sliding())
        return;
    elapsed = std::min(total, elapsed + frames);
    value = from + (to - from) * static_cast<float>(static_cast<double>(elapsed) / static_cast<double>(total));
}

Voice::Voice(std::unique_ptr<FrameSource> source) : mSource(std::move(source))
{
    mVolume.value = 1.0f;
    mChunk.resize(static_cast<size_t>(kChunkFrames) * static_cast<size_t>(std::max(mSource->Channels(), 1)));
}

void Voice::Play(const bool restart)
{
    if (restart || mEnded) {
        mSource->Restart();
        DropBuffered();
    }
    mState = ChannelState::Playing;
    mGainsSet = false;
}

void Voice::Pause()
{
    if (mState == ChannelState::Playing)
        mState = ChannelState::Paused;
}

void Voice::Stop() { mState = ChannelState::Stopped; }

void Voice::SetVolume(const float volume) { mVolume.Set(std::clamp(volume, 0.0f, 1.0f)); }
void Voice::SetPan(const float pan) { mPan.Set(std::clamp(pan, -1.0f, 1.0f)); }
void Voice::SetFrequency(const float frequency) { mFrequency.Set(std::max(frequency, 0.0f)); }

void Voice::Slide(const SlideTargets& targets, const int64_t frames)
{
    const auto start = [frames](Attribute& attribute, const float target) {
        attribute.from = attribute.value;
        attribute.to = target;
        attribute.total = std::max<int64_t>(frames, 1);
        attribute.elapsed = 0;
        if (frames <= 0)
            attribute.Advance(1);
    };
    if (targets.volume)
        start(mVolume, std::clamp(targets.volumeTarget, 0.0f, 1.0f));
    if (targets.pan)
        start(mPan, std::clamp(targets.panTarget, -1.0f, 1.0f));
    if (targets.frequency)
        start(mFrequency, std::max(targets.frequencyTarget, 0.0f));
}

int64_t Voice::Position()
{
    if (mPrimed)
        return mA.position;
    return mChunkRead < mChunkFrames ? mChunkStart + mChunkRead : mSource->Tell();
}

bool Voice::Seek(const int64_t frame)
{
    if (!mSource->Seek(frame))
        return false;
    DropBuffered();
    return true;
}

void Voice::DropBuffered()
{
    mEnded = false;
    mChunkFrames = 0;
    mChunkRead = 0;
    mPrimed = false;
    mHaveB = false;
    mFraction = 0.0;
}

bool Voice::Refill()
{
    int64_t start = mSource->Tell();
    int frames = mSource->Read(mChunk.data(), kChunkFrames, mLooping);
    if (frames == 0 && mLooping) {
        mSource->BeginNextPass();
        start = mSource->Tell();
        frames = mSource->Read(mChunk.data(), kChunkFrames, mLooping);
    }
    mChunkStart = start;
    mChunkFrames = frames;
    mChunkRead = 0;
    return frames > 0;
}

bool Voice::Fetch(Frame& frame)
{
    if (mChunkRead == mChunkFrames && !Refill())
        return false;
    const int channels = mSource->Channels();
    const int16_t* samples = mChunk.data() + static_cast<ptrdiff_t>(mChunkRead) * channels;
    frame.left = static_cast<float>(samples[0]) / kFullScale;
    frame.right = channels > 1 ? static_cast<float>(samples[1]) / kFullScale : frame.left;
    frame.position = mChunkStart + mChunkRead;
    ++mChunkRead;
    return true;
}

void Voice::End()
{
    mState = ChannelState::Stopped;
    DropBuffered();
    mEnded = true;
}

void Voice::Mix(float* mix, const int frames, const float gain)
{
    mPeakLeft = 0.0f;
    mPeakRight = 0.0f;
    if (mState != ChannelState::Playing || frames <= 0)
        return;

    mVolume.Advance(frames);
    mPan.Advance(frames);
    mFrequency.Advance(frames);
    const float pan = mPan.value;
    const float targetLeft = gain * mVolume.value * (pan > 0.0f ? 1.0f - pan : 1.0f);
    const float targetRight = gain * mVolume.value * (pan < 0.0f ? 1.0f + pan : 1.0f);
    if (!mGainsSet) {
        mGainLeft = targetLeft;
        mGainRight = targetRight;
        mGainsSet = true;
    }
    const float stepLeft = (targetLeft - mGainLeft) / static_cast<float>(frames);
    const float stepRight = (targetRight - mGainRight) / static_cast<float>(frames);
    const double rate = mFrequency.value > 0.0f ? mFrequency.value : static_cast<double>(mSource->Rate());
    const double step = rate / Audio::kSampleRate;

    if (!mPrimed) {
        if (!Fetch(mA)) {
            End();
            return;
        }
        mHaveB = Fetch(mB);
        mFraction = 0.0;
        mPrimed = true;
    }
    for (int i = 0; i < frames; ++i) {
        const float fraction = static_cast<float>(mFraction);
        // The last frame of a sound is held, not faded towards silence.
        const Frame& b = mHaveB ? mB : mA;
        const float left = (mA.left + (b.left - mA.left) * fraction) * (mGainLeft + stepLeft * static_cast<float>(i));
        const float right = (mA.right + (b.right - mA.right) * fraction) * (mGainRight + stepRight * static_cast<float>(i));
        mix[2 * i] += left;
        mix[2 * i + 1] += right;
        mPeakLeft = std::max(mPeakLeft, std::fabs(left));
        mPeakRight = std::max(mPeakRight, std::fabs(right));

        mFraction += step;
        while (mFraction >= 1.0) {
            mFraction -= 1.0;
            if (!mHaveB) {
                End();
                return;
            }
            mA = mB;
            mHaveB = Fetch(mB);
        }
    }
    mGainLeft = targetLeft;
    mGainRight = targetRight;
}

} // namespace Music
