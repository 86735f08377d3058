#pragma once
// The building blocks of the game's synthesised sounds and songs: oscillators, envelopes,
// noise, filters, reverb and echo, and mixing. Samples are floats at kSampleRate, with a
// full-scale signal within -1 to 1.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Content {

constexpr int kSampleRate = 44100;

using Samples = std::vector<float>;

// Frames (samples per channel) in a length of time.
size_t FramesOf(double seconds);

// One channel (mono) or two (left, right) of equal length.
struct Audio {
    static Audio Stereo(size_t frames);

    size_t Frames() const { return mChannels.empty() ? 0 : mChannels[0].size(); }

    std::vector<Samples> mChannels;
};

// --- oscillators; a phase is in cycles, its whole part ignored ---

double SineWave(double phase);
double TriangleWave(double phase);
// Saw and pulse waves with their steps smoothed over one sample, so that high notes do not
// fold back into the audible range; `increment` is the phase step per sample (hz / rate).
double SawWave(double phase, double increment);
double PulseWave(double phase, double increment, double width = 0.5);

// The phase of an oscillator whose frequency may change from sample to sample.
class Oscillator {
public:
    explicit Oscillator(double phase = 0) : mPhase(phase) { }
    // The phase of this sample; then moves on by one sample at the frequency.
    double Next(double hz);
    double Increment() const { return mIncrement; }

private:
    double mPhase;
    double mIncrement = 0;
};

// A semitone offset as a frequency ratio (cents / 100 for detuning).
double Semitones(double semitones);

// --- envelopes ---

// Attack, decay to a sustain level, and release after the note is let go.
struct Envelope {
    double mAttack = 0.005; // seconds to full level
    double mDecay = 0.3;    // time constant (seconds) of the fall towards the sustain level
    double mSustain = 1;    // level while the note is held
    double mRelease = 0.05; // seconds from letting go to silence

    // The level t seconds after the start of a note held for `held` seconds.
    double At(double t, double held) const;
    double Length(double held) const { return held + mRelease; }
};

// exp(-t / tau): the level of a free decay.
double Decay(double t, double tau);
// 0 at t = 0 rising to 1 at t = seconds, along a half cosine; 1 after.
double FadeIn(double t, double seconds);

// --- noise ---

// White noise from a fixed seed, so that every build makes the same content.
class Noise {
public:
    explicit Noise(uint32_t seed) : mState(seed == 0 ? 0x9E3779B9u : seed) { }
    // Uniform within -1 to 1.
    double Next();
    // Uniform within 0 to 1.
    double Unit();

private:
    uint32_t mState;
};

// --- filters ---

// A state-variable filter (trapezoidal, stable under fast cutoff changes) that gives the
// low-, band- and high-passed signal at once.
class Filter {
public:
    Filter(double hz = 1000, double resonance = 0.707) { Tune(hz, resonance); }
    // resonance is the filter's Q: 0.5 is soft, 0.707 flat, above 2 it rings.
    void Tune(double hz, double resonance = 0.707);
    void Process(double input);
    double Low() const { return mLow; }
    double Band() const { return mBand; }
    double High() const { return mHigh; }

private:
    double mG = 0, mK = 0, mA1 = 0, mA2 = 0, mA3 = 0;
    double mIc1 = 0, mIc2 = 0;
    double mLow = 0, mBand = 0, mHigh = 0;
};

enum class FilterKind { LOW_PASS, BAND_PASS, HIGH_PASS };

// Filters a whole buffer at a fixed cutoff.
void FilterSamples(Samples& samples, FilterKind kind, double hz, double resonance = 0.707);

// --- effects; `periodic` treats the input as one turn of a loop, so that the tails of its
// end sound over its start and the result loops without a seam ---

// A room: parallel damped comb filters and serial all-passes, spread across the two sides.
struct ReverbSettings {
    double mRoomSize = 0.7; // 0 to 1: how long the tail rings
    double mDamping = 0.4;  // 0 to 1: how fast its highs die away
};
Audio Reverb(const Audio& send, const ReverbSettings& settings, bool periodic);

// Echoes that bounce between the two sides, each quieter and duller than the last.
struct EchoSettings {
    double mDelay = 0.3;     // seconds between echoes
    double mFeedback = 0.35; // level of each echo against the one before
    double mTone = 3500;     // hz above which the echoes lose their highs
};
Audio Echo(const Audio& send, const EchoSettings& settings, bool periodic);

// Removes any steady offset (and rumble below 20 hz).
void RemoveDc(Audio& audio, bool periodic);

// --- mixing ---

// Adds a mono voice into `out` from frame `start` (which may be negative), its level
// shared between the sides by pan (-1 left, 0 centre, 1 right) at equal power. With
// `wraps`, what falls outside the buffer comes round to the other end (a loop); without,
// it is dropped.
void MixVoice(Audio& out, const Samples& voice, long start, double gain, double pan, bool wraps);
// Adds `from` (of the same channel count, or mono into stereo) into `to` at a level.
void MixAudio(Audio& to, const Audio& from, double gain);

// Scales the audio so that its loudest sample is at `peakDb` decibels of full scale.
void Normalize(Audio& audio, double peakDb = -3);
// A fade over the last `seconds` of a voice, so that one cut short (a drum's noise still
// ringing quietly) does not end with a step.
void EaseOut(Samples& samples, double seconds = 0.005);
// Short fades at the start and end, so that a sound neither begins nor ends with a click.
void FadeEdges(Audio& audio, double fadeInSeconds, double fadeOutSeconds);
// The loudest sample, as a fraction of full scale.
double Peak(const Audio& audio);

// A mono sound `seconds` long, each sample from `sample(t)`, t in seconds, called once for
// every sample in order (so that it may keep oscillators and filters running); it eases out
// at its end, so that it may be cut off before it has died away.
template <typename Sample>
Samples Render(const double seconds, Sample sample)
{
    Samples out(FramesOf(seconds));
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<float>(sample(static_cast<double>(i) / kSampleRate));
    EaseOut(out);
    return out;
}

} // namespace Content
