#include "tools/content/Instruments.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Content {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// Above this a partial would only add hiss (or fold back), so it is left out.
constexpr double kHighestPartial = 16000;

// Filters are retuned every few samples while they sweep: often enough to be smooth.
constexpr int kTuneEvery = 16;

// Vibrato that comes in gently after the note has started, as a player's would.
double Vibrato(const double t, const double rate, const double depth, const double delay)
{
    return 1 + depth * FadeIn(t - delay, 0.3) * SineWave(rate * t);
}

struct Partial {
    double mRatio;
    double mLevel;
    double mTau; // seconds
};

// Sums free-ringing sine partials, each from its own phase.
void AddPartials(Samples& out, const double hz, const Partial* partials, const size_t count)
{
    for (size_t p = 0; p < count; ++p) {
        const Partial& partial = partials[p];
        const double frequency = hz * partial.mRatio;
        if (frequency > kHighestPartial)
            continue;
        const double increment = frequency / kSampleRate;
        const double fall = std::exp(-1.0 / (partial.mTau * kSampleRate));
        double level = partial.mLevel;
        for (size_t i = 0; i < out.size(); ++i, level *= fall)
            out[i] += static_cast<float>(level * SineWave(increment * static_cast<double>(i)));
    }
}

// Detuned copies of a wave, for an ensemble. Their starting phases lie close together: spread
// evenly round the cycle they would cancel each other's fundamental until they drift apart.
template <typename Wave>
double Chorus(Oscillator* oscillators, const double* detunes, const int count, const double hz, Wave wave)
{
    double sum = 0;
    for (int v = 0; v < count; ++v) {
        const double phase = oscillators[v].Next(hz * detunes[v]);
        sum += wave(phase, oscillators[v].Increment());
    }
    return sum / count;
}

// How long a struck note rings: lower notes ring longer.
double RingTime(const double hz, const double atMiddle, const double shortest, const double longest)
{
    return std::clamp(atMiddle * std::sqrt(262.0 / hz), shortest, longest);
}

// A short burst of filtered noise, the knock of a mallet or stick.
void AddKnock(Samples& out, const double hz, const double level, const double tau, const unsigned seed)
{
    Noise noise(seed);
    Filter filter(hz, 0.9);
    const size_t frames = std::min(out.size(), FramesOf(tau * 8));
    for (size_t i = 0; i < frames; ++i) {
        filter.Process(noise.Next());
        out[i] += static_cast<float>(level * filter.Band() * Decay(static_cast<double>(i) / kSampleRate, tau));
    }
}

} // namespace

Samples Marimba(const double hz, const double held, const double velocity)
{
    const double tau = RingTime(hz, 0.32, 0.08, 0.9);
    Samples out(FramesOf(tau * 6));
    const Partial partials[] = {{1, 1, tau}, {3.93, 0.3 * velocity, tau * 0.22}, {9.2, 0.08 * velocity, tau * 0.07}};
    AddPartials(out, hz, partials, std::size(partials));
    AddKnock(out, std::min(hz * 6, 4000.0), 0.25 * velocity, 0.003, static_cast<unsigned>(hz * 7));
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<float>(out[i] * velocity * FadeIn(static_cast<double>(i) / kSampleRate, 0.001));
    EaseOut(out);
    return out;
}

Samples Bell(const double hz, const double held, const double velocity)
{
    const double tau = RingTime(hz, 0.9, 0.25, 2.0);
    // High bells are kept mellow: their overtones would be shrill.
    const double index = (0.8 + 1.4 * velocity) * std::clamp(800 / hz, 0.3, 1.0);
    return Render(tau * 5, [&](const double t) {
        const double modulator = index * Decay(t, tau * 0.3) * SineWave(hz * 3.5 * t);
        const double tone = SineWave(hz * t + modulator / kTwoPi) + 0.2 * SineWave(hz * 2 * t) * Decay(t, tau * 0.4);
        return velocity * tone * Decay(t, tau) * FadeIn(t, 0.0015);
    });
}

Samples GlassBell(const double hz, const double held, const double velocity)
{
    const double tau = RingTime(hz, 1.6, 0.6, 3.0);
    Samples out(FramesOf(tau * 5));
    // Two nearly equal partials beat slowly against each other: the shimmer of glass.
    const Partial partials[] = {
        {1, 0.6, tau}, {1.0021, 0.4, tau}, {2.32, 0.3, tau * 0.5}, {4.25, 0.15, tau * 0.25}, {6.63, 0.07, tau * 0.12}};
    AddPartials(out, hz, partials, std::size(partials));
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<float>(out[i] * velocity * FadeIn(static_cast<double>(i) / kSampleRate, 0.004));
    EaseOut(out);
    return out;
}

Samples ElectricPiano(const double hz, const double held, const double velocity)
{
    const Envelope envelope{0.002, RingTime(hz, 1.4, 0.4, 2.5), 0, 0.15};
    Oscillator carrier, modulator, detuned(0.3);
    return Render(envelope.Length(held), [&](const double t) {
        const double index = (0.4 + 1.1 * velocity) * Decay(t, 0.2) + 0.12;
        const double modulation = index * SineWave(modulator.Next(hz)) / kTwoPi;
        const double tone = SineWave(carrier.Next(hz) + modulation) + 0.5 * SineWave(detuned.Next(hz * 1.0015));
        return 0.7 * velocity * tone * envelope.At(t, held);
    });
}

Samples Pluck(const double hz, const double held, const double velocity, const double brightness, const unsigned seed)
{
    const double ring = std::min(held, 4.0);
    const double release = 0.08;
    Samples out(FramesOf(ring + release));
    // The averaging filter delays by half a sample, which the loop's length makes up for.
    const double period = kSampleRate / hz - 0.5;
    const double t60 = RingTime(hz, 2.5, 0.8, 5.0);
    const double feedback = std::pow(0.001, 1.0 / (hz * t60));
    const size_t pluckFrames = static_cast<size_t>(std::ceil(period)) + 1;
    // The string starts bent into a triangle, as a finger leaves it, with a little noise
    // for the grain of the pluck; the brighter, the more noise and the higher it reaches.
    Noise noise(seed);
    Filter tone(300 + 6000 * brightness * (0.5 + 0.5 * velocity), 0.6);
    // The output `at` frames (a fraction) into the note, between its two nearest samples.
    const auto past = [&out](const double at) {
        if (at < 0)
            return 0.0;
        const size_t whole = static_cast<size_t>(at);
        const double within = at - static_cast<double>(whole);
        return out[whole] * (1 - within) + out[whole + 1] * within;
    };
    for (size_t i = 0; i < out.size(); ++i) {
        double excite = 0;
        if (i < pluckFrames) {
            tone.Process(noise.Next());
            excite = TriangleWave(static_cast<double>(i) / period) + brightness * tone.Low();
        }
        const double back = static_cast<double>(i) - period;
        out[i] = static_cast<float>(excite + feedback * 0.5 * (past(back) + past(back - 1)));
    }
    const size_t releaseStart = FramesOf(ring);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double let = i < releaseStart ? 1 : std::max(0.0, 1 - (t - ring) / release);
        out[i] = static_cast<float>(out[i] * velocity * let * let * FadeIn(t, 0.001));
    }
    EaseOut(out);
    return out;
}

Samples Timpani(const double hz, const double held, const double velocity)
{
    const double tau = RingTime(hz, 0.9, 0.4, 1.5);
    Oscillator fundamental, second, third;
    Samples out = Render(tau * 5, [&](const double t) {
        const double bend = 1 + 0.04 * Decay(t, 0.05);
        const double tone = SineWave(fundamental.Next(hz * bend)) +
            0.4 * SineWave(second.Next(hz * 1.5 * bend)) * Decay(t, tau * 0.5) +
            0.25 * SineWave(third.Next(hz * 1.98 * bend)) * Decay(t, tau * 0.3);
        return velocity * tone * Decay(t, tau) * FadeIn(t, 0.002);
    });
    AddKnock(out, 600, 0.6 * velocity, 0.01, static_cast<unsigned>(hz));
    return out;
}

Samples Strings(const double hz, const double held, const double velocity, const double attack)
{
    const Envelope envelope{attack, 0.6, 0.85, std::max(0.12, attack * 1.5)};
    Oscillator voices[5] = {Oscillator(0.0), Oscillator(0.13), Oscillator(0.29), Oscillator(0.05), Oscillator(0.21)};
    const double detunes[5] = {Semitones(-0.1), Semitones(-0.04), 1.0, Semitones(0.05), Semitones(0.11)};
    Filter filter;
    const double cutoff = std::min(hz * 5, 5000.0) * (0.5 + 0.5 * velocity) + 400;
    filter.Tune(cutoff, 0.6);
    return Render(envelope.Length(held), [&](const double t) {
        const double pitch = hz * Vibrato(t, 5.2, 0.003, 0.25);
        filter.Process(Chorus(voices, detunes, 5, pitch, SawWave));
        return velocity * filter.Low() * envelope.At(t, held);
    });
}

Samples Brass(const double hz, const double held, const double velocity)
{
    const Envelope envelope{0.035, 0.4, 0.75, 0.12};
    // A second player a little sharp and quieter: two equal ones would cancel each other's
    // fundamental every time they drift half a cycle apart.
    Oscillator lead, second(0.11);
    Filter filter;
    size_t frame = 0;
    return Render(envelope.Length(held), [&](const double t) {
        const double level = envelope.At(t, held);
        // The lips find the note from a little below it.
        const double pitch = hz * Semitones(-0.3 * Decay(t, 0.02)) * Vibrato(t, 5, 0.002, 0.3);
        if (frame++ % kTuneEvery == 0)
            filter.Tune(hz * (1.2 + 6 * level * velocity), 0.8);
        const double tone = SawWave(lead.Next(pitch), lead.Increment()) +
            0.4 * SawWave(second.Next(pitch * Semitones(0.06)), second.Increment());
        filter.Process(tone / 1.4);
        return velocity * filter.Low() * level;
    });
}

namespace {

struct WindTone {
    double mVibratoDepth;
    double mSlideSemitones; // how far below the note it starts
    double mBreath;         // level of the breath noise
    double mOvertones;      // level of the second and third harmonics
};

Samples WindVoice(const double hz, const double held, const double velocity, const WindTone& wind)
{
    const Envelope envelope{0.05, 0.5, 0.85, 0.1};
    Oscillator oscillator;
    Noise noise(static_cast<unsigned>(hz * 13));
    Filter breath(std::min(hz * 2, 8000.0), 2.0);
    return Render(envelope.Length(held), [&](const double t) {
        const double pitch =
            hz * Semitones(-wind.mSlideSemitones * Decay(t, 0.03)) * Vibrato(t, 5.3, wind.mVibratoDepth, 0.15);
        const double phase = oscillator.Next(pitch);
        breath.Process(noise.Next());
        const double tone = SineWave(phase) + wind.mOvertones * (0.5 * SineWave(2 * phase) + 0.2 * SineWave(3 * phase));
        return velocity * (tone + wind.mBreath * breath.Band()) * envelope.At(t, held);
    });
}

} // namespace

Samples Flute(const double hz, const double held, const double velocity)
{
    return WindVoice(hz, held, velocity, WindTone{0.004, 0.0, 0.12, 0.35});
}

Samples Whistle(const double hz, const double held, const double velocity)
{
    return WindVoice(hz, held, velocity, WindTone{0.008, 0.6, 0.15, 0.05});
}

Samples WarmPad(const double hz, const double held, const double velocity)
{
    const Envelope envelope{0.45, 1.5, 0.8, 0.9};
    Oscillator voices[4] = {Oscillator(0.0), Oscillator(0.07), Oscillator(0.19), Oscillator(0.31)};
    const double detunes[4] = {Semitones(-0.09), Semitones(-0.03), Semitones(0.04), Semitones(0.1)};
    Filter filter;
    size_t frame = 0;
    return Render(envelope.Length(held), [&](const double t) {
        if (frame++ % kTuneEvery == 0)
            filter.Tune(std::min(hz * 3, 3000.0) * (1 + 0.25 * SineWave(0.2 * t)) + 200, 0.6);
        filter.Process(Chorus(voices, detunes, 4, hz, SawWave));
        return velocity * filter.Low() * envelope.At(t, held);
    });
}

Samples AirPad(const double hz, const double held, const double velocity)
{
    const Envelope envelope{0.9, 2.0, 0.85, 1.5};
    Oscillator voices[3] = {Oscillator(0.0), Oscillator(0.13), Oscillator(0.29)};
    const double detunes[3] = {Semitones(-0.06), 1.0, Semitones(0.06)};
    Oscillator octave;
    return Render(envelope.Length(held), [&](const double t) {
        const double body = Chorus(voices, detunes, 3, hz, [](double phase, double) { return TriangleWave(phase); });
        const double air = 0.25 * SineWave(octave.Next(hz * 2.003)) * (0.6 + 0.4 * SineWave(0.13 * t));
        return velocity * (body + air) * envelope.At(t, held);
    });
}

Samples ChipLead(const double hz, const double held, const double velocity)
{
    const Envelope envelope{0.004, 0.15, 0.6, 0.05};
    Oscillator oscillator;
    Filter filter(5000, 0.6);
    return Render(envelope.Length(held), [&](const double t) {
        const double phase = oscillator.Next(hz * Vibrato(t, 6, 0.004, 0.12));
        filter.Process(PulseWave(phase, oscillator.Increment(), 0.25));
        return 0.6 * velocity * filter.Low() * envelope.At(t, held);
    });
}

Samples RoundBass(const double hz, const double held, const double velocity)
{
    const Envelope envelope{0.004, 0.4, 0.7, 0.06};
    Oscillator oscillator;
    Filter filter(hz * 3, 0.6);
    return Render(envelope.Length(held), [&](const double t) {
        const double phase = oscillator.Next(hz);
        filter.Process(SawWave(phase, oscillator.Increment()));
        return velocity * (SineWave(phase) + 0.4 * filter.Low()) * envelope.At(t, held);
    });
}

Samples BouncyBass(const double hz, const double held, const double velocity)
{
    const Envelope envelope{0.003, 0.25, 0.35, 0.05};
    Oscillator oscillator;
    Filter filter;
    size_t frame = 0;
    return Render(envelope.Length(held), [&](const double t) {
        if (frame++ % kTuneEvery == 0)
            filter.Tune(hz * (1.5 + 10 * velocity * Decay(t, 0.06)), 1.4);
        const double phase = oscillator.Next(hz);
        filter.Process(SawWave(phase, oscillator.Increment()));
        return velocity * (filter.Low() + 0.5 * SineWave(phase)) * envelope.At(t, held);
    });
}

Samples Kick(const double punch)
{
    Oscillator oscillator;
    Samples out = Render(0.4, [&](const double t) {
        const double hz = 48 + 110 * Decay(t, 0.035);
        return SineWave(oscillator.Next(hz)) * Decay(t, 0.13) * FadeIn(t, 0.0015);
    });
    AddKnock(out, 2500, 0.35 * punch, 0.003, 11);
    return out;
}

Samples Snare(const unsigned seed)
{
    Noise noise(seed);
    Filter filter(1800, 0.7);
    Oscillator body;
    return Render(0.3, [&](const double t) {
        filter.Process(noise.Next());
        const double tone = SineWave(body.Next(190 * (1 + 0.2 * Decay(t, 0.01)))) * Decay(t, 0.05);
        return (0.55 * tone + 0.7 * filter.High() * Decay(t, 0.085)) * FadeIn(t, 0.001);
    });
}

Samples Clap(const unsigned seed)
{
    Noise noise(seed);
    Filter filter(1300, 1.2);
    // Several hands a few milliseconds apart, then the room.
    const double bursts[] = {0.0, 0.009, 0.017, 0.026};
    return Render(0.3, [&](const double t) {
        double level = 0;
        for (const double at : bursts)
            level += t >= at ? Decay(t - at, 0.006) : 0;
        level += t >= bursts[3] ? 0.5 * Decay(t - bursts[3], 0.07) : 0;
        filter.Process(noise.Next());
        return 1.4 * filter.Band() * level * FadeIn(t, 0.0008);
    });
}

Samples HiHat(const bool open, const unsigned seed)
{
    const double tau = open ? 0.16 : 0.028;
    Noise noise(seed);
    Filter filter(7500, 0.8);
    return Render(tau * 6, [&](const double t) {
        filter.Process(noise.Next());
        return filter.High() * Decay(t, tau) * FadeIn(t, 0.0008);
    });
}

Samples Shaker(const unsigned seed)
{
    Noise noise(seed);
    Filter filter(6000, 1.0);
    return Render(0.12, [&](const double t) {
        filter.Process(noise.Next());
        return filter.Band() * FadeIn(t, 0.012) * Decay(t, 0.03);
    });
}

Samples WoodBlock(const double hz)
{
    Samples out(FramesOf(0.12));
    const Partial partials[] = {{1, 1, 0.028}, {2.7, 0.25, 0.012}};
    AddPartials(out, hz, partials, std::size(partials));
    AddKnock(out, hz * 2, 0.4, 0.002, static_cast<unsigned>(hz));
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<float>(out[i] * FadeIn(static_cast<double>(i) / kSampleRate, 0.0008));
    EaseOut(out);
    return out;
}

Samples Conga(const double hz, const unsigned seed)
{
    Oscillator oscillator;
    Samples out = Render(0.45, [&](const double t) {
        const double pitch = hz * (1 + 0.15 * Decay(t, 0.012));
        return SineWave(oscillator.Next(pitch)) * Decay(t, 0.12) * FadeIn(t, 0.001);
    });
    AddKnock(out, 2200, 0.5, 0.004, seed);
    return out;
}

Samples Crash(const unsigned seed)
{
    Noise noise(seed);
    Filter low(4500, 0.7), high(9000, 1.5);
    return Render(2.2, [&](const double t) {
        const double white = noise.Next();
        low.Process(white);
        high.Process(white);
        const double body = low.High() * Decay(t, 0.5) + 0.6 * high.Band() * Decay(t, 0.25);
        return body * FadeIn(t, 0.002);
    });
}

Samples CymbalSwell(const double seconds, const unsigned seed)
{
    Noise noise(seed);
    Filter filter(5000, 0.7);
    return Render(seconds + 0.3, [&](const double t) {
        filter.Process(noise.Next());
        const double rise = t < seconds ? std::pow(t / seconds, 3) : Decay(t - seconds, 0.06);
        return filter.High() * rise;
    });
}

Samples SleighBells(const unsigned seed)
{
    Noise noise(seed);
    // Little bells ringing at their own pitches, struck a few milliseconds apart.
    Filter bells[3] = {Filter(6800, 12), Filter(8300, 12), Filter(10100, 12)};
    return Render(0.3, [&](const double t) {
        const double strike = noise.Next() * (Decay(t, 0.004) + (t > 0.012 ? 0.6 * Decay(t - 0.012, 0.004) : 0));
        double sum = 0;
        for (Filter& bell : bells) {
            bell.Process(strike);
            sum += bell.Band();
        }
        return sum * Decay(t, 0.09);
    });
}

} // namespace Content
