#include "tools/content/SoundKit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Content {

Audio Finished(Samples sound, const double peakDb, const double fadeOut)
{
    return Finished(Audio{{std::move(sound)}}, peakDb, fadeOut);
}

Audio Finished(Audio sound, const double peakDb, const double fadeOut)
{
    // Tails that have died away below -60 dB are cut off, so that a sound is no longer
    // than it is heard.
    const double floor = Peak(sound) * 0.001;
    size_t heard = 0;
    for (const Samples& channel : sound.mChannels) {
        for (size_t i = channel.size(); i > heard; --i) {
            if (std::abs(channel[i - 1]) > floor) {
                heard = i;
                break;
            }
        }
    }
    for (Samples& channel : sound.mChannels)
        channel.resize(heard);
    RemoveDc(sound, false);
    FadeEdges(sound, 0.002, fadeOut);
    Normalize(sound, peakDb);
    return sound;
}

Audio InRoom(const Samples& sound, const ReverbSettings& room, const double roomLevel, const double tail)
{
    Audio out = Audio::Stereo(sound.size() + FramesOf(tail));
    MixVoice(out, sound, 0, 1, 0, false);
    MixAudio(out, Reverb(out, room, false), roomLevel);
    return out;
}

Samples Glide(const double seconds, const double fromHz, const double toHz, const double glide, const double decay)
{
    Oscillator oscillator;
    return Render(seconds, [&](const double t) {
        const double hz = toHz + (fromHz - toHz) * Decay(t, glide);
        return SineWave(oscillator.Next(hz)) * Decay(t, decay);
    });
}

Curve Steady(const double value)
{
    return [value](double) { return value; };
}

Curve DyingAway(const double tau)
{
    return [tau](const double t) { return Decay(t, tau); };
}

Curve Swell(const double seconds, const double power)
{
    return [seconds, power](const double t) {
        return std::pow(std::max(0.0, std::sin(std::numbers::pi * t / seconds)), power);
    };
}

Curve Sweep(const double from, const double to, const double seconds)
{
    return [from, to, seconds](const double t) { return from * std::pow(to / from, std::min(1.0, t / seconds)); };
}

Audio Panned(const Samples& sound, const Curve& pan)
{
    Audio out = Audio::Stereo(sound.size());
    for (size_t i = 0; i < sound.size(); ++i) {
        const double angle =
            (std::clamp(pan(static_cast<double>(i) / kSampleRate), -1.0, 1.0) + 1) * std::numbers::pi / 4;
        out.mChannels[0][i] = static_cast<float>(sound[i] * std::cos(angle));
        out.mChannels[1][i] = static_cast<float>(sound[i] * std::sin(angle));
    }
    return out;
}

Samples SweptNoise(const double seconds, const Curve& centre, const double resonance, const Curve& level,
                   const unsigned seed)
{
    Noise noise(seed);
    Filter filter;
    size_t frame = 0;
    return Render(seconds, [&](const double t) {
        if (frame++ % 16 == 0)
            filter.Tune(centre(t), resonance);
        filter.Process(noise.Next());
        return filter.Band() * level(t);
    });
}

Samples Crackle(const double seconds, const double perSecond, const double tau, const unsigned seed)
{
    Noise chance(seed);
    Samples out(FramesOf(seconds));
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        if (chance.Unit() >= perSecond * Decay(t, tau) / kSampleRate)
            continue;
        // A pop: a tiny ringing burst at its own pitch and strength.
        const double hz = 1200 + 4000 * chance.Unit();
        const double strength = 0.3 + 0.7 * chance.Unit();
        Filter ring(hz, 3);
        Noise grain(static_cast<unsigned>(i) + seed);
        const size_t length = std::min(out.size() - i, FramesOf(0.006));
        for (size_t j = 0; j < length; ++j) {
            ring.Process(grain.Next() * Decay(static_cast<double>(j) / kSampleRate, 0.0007));
            out[i + j] += static_cast<float>(strength * ring.Band());
        }
    }
    return out;
}

Samples Clank(const double hz, const double tau, const unsigned seed)
{
    // The modes of a bar or plate are not harmonics of one another: that is what makes
    // metal sound like metal.
    static constexpr double kRatios[] = {1, 2.41, 3.93, 5.37, 7.08, 9.12};
    Samples out = Render(tau * 5, [&](const double t) {
        double sum = 0;
        for (size_t k = 0; k < std::size(kRatios); ++k) {
            const double partialHz = hz * kRatios[k];
            if (partialHz < 16000)
                sum += SineWave(partialHz * t) * Decay(t, tau / (1 + 0.6 * k)) / (1 + 0.4 * k);
        }
        return sum * 0.35;
    });
    const Samples bang = SweptNoise(
        0.05, [](double) { return 3000.0; }, 0.8, [](const double t) { return Decay(t, 0.006); }, seed);
    Overlay(out, bang, 0, 0.8);
    return out;
}

void Overlay(Samples& to, const Samples& sound, const double at, const double gain)
{
    const size_t start = FramesOf(at);
    if (to.size() < start + sound.size())
        to.resize(start + sound.size());
    for (size_t i = 0; i < sound.size(); ++i)
        to[start + i] += static_cast<float>(sound[i] * gain);
}

} // namespace Content
