#include "tools/content/Synth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace Content {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// One cycle of a sine, read with linear interpolation: far cheaper than std::sin and its
// error (below -100 dB) is inaudible.
constexpr int kSineTableSize = 4096;

const std::array<float, kSineTableSize + 1>& SineTable()
{
    static const std::array<float, kSineTableSize + 1> table = [] {
        std::array<float, kSineTableSize + 1> values{};
        for (int i = 0; i <= kSineTableSize; ++i)
            values[i] = static_cast<float>(std::sin(kTwoPi * i / kSineTableSize));
        return values;
    }();
    return table;
}

double Fraction(const double phase) { return phase - std::floor(phase); }

// The correction that rounds off a step of a naive wave at phase 0.
double PolyBlep(double t, const double dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1;
    }
    if (t > 1 - dt) {
        t = (t - 1) / dt;
        return t * t + t + t + 1;
    }
    return 0;
}

// Runs `step` over every frame once, or for a periodic input twice, keeping the second
// pass: by then the state holds the tail of the loop's end as it sounds over its start.
template <typename Step>
void RunOver(const size_t frames, const bool periodic, Step step)
{
    if (periodic) {
        for (size_t i = 0; i < frames; ++i)
            step(i, false);
    }
    for (size_t i = 0; i < frames; ++i)
        step(i, true);
}

// The comb and all-pass stages of the room.
class Comb {
public:
    Comb(const size_t length, const double feedback, const double damping)
        : mBuffer(length), mFeedback(feedback), mDamping(damping)
    {
    }
    double Process(const double input)
    {
        const double output = mBuffer[mIndex];
        mStore = output * (1 - mDamping) + mStore * mDamping;
        mBuffer[mIndex] = static_cast<float>(input + mStore * mFeedback);
        mIndex = (mIndex + 1) % mBuffer.size();
        return output;
    }

private:
    Samples mBuffer;
    double mFeedback;
    double mDamping;
    double mStore = 0;
    size_t mIndex = 0;
};

class AllPass {
public:
    explicit AllPass(const size_t length) : mBuffer(length) { }
    double Process(const double input)
    {
        const double delayed = mBuffer[mIndex];
        mBuffer[mIndex] = static_cast<float>(input + delayed * 0.5);
        mIndex = (mIndex + 1) % mBuffer.size();
        return delayed - input;
    }

private:
    Samples mBuffer;
    size_t mIndex = 0;
};

// One side of the room; the right side's delays are a little longer, so that the two
// sides differ and the room sounds wide.
class RoomSide {
public:
    RoomSide(const ReverbSettings& settings, const size_t spread)
    {
        static constexpr size_t kCombLengths[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
        static constexpr size_t kAllPassLengths[] = {556, 441, 341, 225};
        const double feedback = 0.7 + 0.28 * settings.mRoomSize;
        for (const size_t length : kCombLengths)
            mCombs.emplace_back(length + spread, feedback, 0.4 * settings.mDamping);
        for (const size_t length : kAllPassLengths)
            mAllPasses.emplace_back(length + spread);
    }
    double Process(const double input)
    {
        double sum = 0;
        for (Comb& comb : mCombs)
            sum += comb.Process(input);
        for (AllPass& pass : mAllPasses)
            sum = pass.Process(sum);
        return sum;
    }

private:
    std::vector<Comb> mCombs;
    std::vector<AllPass> mAllPasses;
};

double ChannelSample(const Audio& audio, const int channel, const size_t frame)
{
    return audio.mChannels[std::min<size_t>(channel, audio.mChannels.size() - 1)][frame];
}

} // namespace

size_t FramesOf(const double seconds) { return static_cast<size_t>(std::max(0.0, std::round(seconds * kSampleRate))); }

Audio Audio::Stereo(const size_t frames) { return Audio{{Samples(frames), Samples(frames)}}; }

double SineWave(const double phase)
{
    const auto& table = SineTable();
    const double position = Fraction(phase) * kSineTableSize;
    const int index = static_cast<int>(position);
    const double within = position - index;
    return table[index] + (table[index + 1] - table[index]) * within;
}

double TriangleWave(const double phase)
{
    const double t = Fraction(phase + 0.25);
    return t < 0.5 ? 4 * t - 1 : 3 - 4 * t;
}

double SawWave(const double phase, const double increment)
{
    const double t = Fraction(phase);
    return 2 * t - 1 - PolyBlep(t, increment);
}

double PulseWave(const double phase, const double increment, const double width)
{
    const double t = Fraction(phase);
    return (t < width ? 1.0 : -1.0) + PolyBlep(t, increment) - PolyBlep(Fraction(t - width), increment) -
        (2 * width - 1);
}

double Oscillator::Next(const double hz)
{
    const double phase = mPhase;
    mIncrement = hz / kSampleRate;
    mPhase = Fraction(mPhase + mIncrement);
    return phase;
}

double Semitones(const double semitones) { return std::pow(2.0, semitones / 12); }

double Envelope::At(const double t, const double held) const
{
    const auto level = [this](const double u) {
        if (u < mAttack)
            return u / mAttack;
        return mSustain + (1 - mSustain) * std::exp(-(u - mAttack) / mDecay);
    };
    if (t < held)
        return level(t);
    if (t >= held + mRelease)
        return 0;
    const double left = 1 - (t - held) / mRelease;
    return level(held) * left * left;
}

double Decay(const double t, const double tau) { return std::exp(-t / tau); }

double FadeIn(const double t, const double seconds)
{
    if (t >= seconds)
        return 1;
    if (t <= 0)
        return 0;
    return 0.5 - 0.5 * std::cos(std::numbers::pi * t / seconds);
}

double Noise::Next() { return Unit() * 2 - 1; }

double Noise::Unit()
{
    mState ^= mState << 13;
    mState ^= mState >> 17;
    mState ^= mState << 5;
    return mState / 4294967296.0;
}

void Filter::Tune(const double hz, const double resonance)
{
    const double limited = std::clamp(hz, 10.0, 0.45 * kSampleRate);
    mG = std::tan(std::numbers::pi * limited / kSampleRate);
    mK = 1 / std::max(resonance, 0.05);
    mA1 = 1 / (1 + mG * (mG + mK));
    mA2 = mG * mA1;
    mA3 = mG * mA2;
}

void Filter::Process(const double input)
{
    const double v3 = input - mIc2;
    const double v1 = mA1 * mIc1 + mA2 * v3;
    const double v2 = mIc2 + mA2 * mIc1 + mA3 * v3;
    mIc1 = 2 * v1 - mIc1;
    mIc2 = 2 * v2 - mIc2;
    mLow = v2;
    mBand = v1;
    mHigh = input - mK * v1 - v2;
}

void FilterSamples(Samples& samples, const FilterKind kind, const double hz, const double resonance)
{
    Filter filter(hz, resonance);
    for (float& sample : samples) {
        filter.Process(sample);
        switch (kind) {
        case FilterKind::LOW_PASS: sample = static_cast<float>(filter.Low()); break;
        case FilterKind::BAND_PASS: sample = static_cast<float>(filter.Band()); break;
        case FilterKind::HIGH_PASS: sample = static_cast<float>(filter.High()); break;
        }
    }
}

Audio Reverb(const Audio& send, const ReverbSettings& settings, const bool periodic)
{
    // The input level of the classic design: the eight combs sum loudly.
    constexpr double kInputGain = 0.015;
    RoomSide left(settings, 0);
    RoomSide right(settings, 23);
    Audio out = Audio::Stereo(send.Frames());
    RunOver(send.Frames(), periodic, [&](const size_t i, const bool keep) {
        const double input = (ChannelSample(send, 0, i) + ChannelSample(send, 1, i)) * 0.5 * kInputGain;
        const double l = left.Process(input);
        const double r = right.Process(input);
        if (keep) {
            out.mChannels[0][i] = static_cast<float>(l);
            out.mChannels[1][i] = static_cast<float>(r);
        }
    });
    return out;
}

Audio Echo(const Audio& send, const EchoSettings& settings, const bool periodic)
{
    const size_t delay = std::max<size_t>(1, FramesOf(settings.mDelay));
    Samples leftLine(delay), rightLine(delay);
    const double tone = 1 - std::exp(-kTwoPi * settings.mTone / kSampleRate);
    double leftTone = 0, rightTone = 0;
    size_t at = 0;
    Audio out = Audio::Stereo(send.Frames());
    // The sound first echoes on the left, then bounces to the right and back.
    RunOver(send.Frames(), periodic, [&](const size_t i, const bool keep) {
        const double input = (ChannelSample(send, 0, i) + ChannelSample(send, 1, i)) * 0.5;
        const double l = leftLine[at];
        const double r = rightLine[at];
        leftTone += (l - leftTone) * tone;
        rightTone += (r - rightTone) * tone;
        leftLine[at] = static_cast<float>(input + rightTone * settings.mFeedback);
        rightLine[at] = static_cast<float>(leftTone * settings.mFeedback);
        at = (at + 1) % delay;
        if (keep) {
            out.mChannels[0][i] = static_cast<float>(l);
            out.mChannels[1][i] = static_cast<float>(r);
        }
    });
    return out;
}

void RemoveDc(Audio& audio, const bool periodic)
{
    const double pole = std::exp(-kTwoPi * 20 / kSampleRate);
    for (Samples& channel : audio.mChannels) {
        double previousIn = 0, previousOut = 0;
        const Samples input = channel;
        RunOver(channel.size(), periodic, [&](const size_t i, const bool keep) {
            const double out = input[i] - previousIn + pole * previousOut;
            previousIn = input[i];
            previousOut = out;
            if (keep)
                channel[i] = static_cast<float>(out);
        });
    }
}

void MixVoice(Audio& out, const Samples& voice, const long start, const double gain, const double pan, const bool wraps)
{
    const long frames = static_cast<long>(out.Frames());
    if (frames == 0)
        return;
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1) * std::numbers::pi / 4;
    const bool stereo = out.mChannels.size() == 2;
    const double leftGain = stereo ? gain * std::cos(angle) : gain;
    const double rightGain = gain * std::sin(angle);
    for (long i = 0; i < static_cast<long>(voice.size()); ++i) {
        long at = start + i;
        if (wraps)
            at = ((at % frames) + frames) % frames;
        else if (at < 0 || at >= frames)
            continue;
        out.mChannels[0][at] += static_cast<float>(voice[i] * leftGain);
        if (stereo)
            out.mChannels[1][at] += static_cast<float>(voice[i] * rightGain);
    }
}

void MixAudio(Audio& to, const Audio& from, const double gain)
{
    const size_t frames = std::min(to.Frames(), from.Frames());
    for (size_t c = 0; c < to.mChannels.size(); ++c) {
        const Samples& source = from.mChannels[std::min(c, from.mChannels.size() - 1)];
        for (size_t i = 0; i < frames; ++i)
            to.mChannels[c][i] += static_cast<float>(source[i] * gain);
    }
}

double Peak(const Audio& audio)
{
    double peak = 0;
    for (const Samples& channel : audio.mChannels) {
        for (const float sample : channel)
            peak = std::max(peak, static_cast<double>(std::abs(sample)));
    }
    return peak;
}

void Normalize(Audio& audio, const double peakDb)
{
    const double peak = Peak(audio);
    if (peak <= 0)
        return;
    const double scale = std::pow(10.0, peakDb / 20) / peak;
    for (Samples& channel : audio.mChannels) {
        for (float& sample : channel)
            sample = static_cast<float>(sample * scale);
    }
}

void EaseOut(Samples& samples, const double seconds)
{
    const size_t frames = std::min(samples.size(), FramesOf(seconds));
    for (size_t i = 0; i < frames; ++i) {
        const double left = static_cast<double>(i) / kSampleRate;
        samples[samples.size() - 1 - i] = static_cast<float>(samples[samples.size() - 1 - i] * FadeIn(left, seconds));
    }
}

void FadeEdges(Audio& audio, const double fadeInSeconds, const double fadeOutSeconds)
{
    const size_t frames = audio.Frames();
    for (Samples& channel : audio.mChannels) {
        for (size_t i = 0; i < frames; ++i) {
            const double fromStart = static_cast<double>(i) / kSampleRate;
            const double toEnd = static_cast<double>(frames - 1 - i) / kSampleRate;
            channel[i] =
                static_cast<float>(channel[i] * FadeIn(fromStart, fadeInSeconds) * FadeIn(toEnd, fadeOutSeconds));
        }
    }
}

} // namespace Content
