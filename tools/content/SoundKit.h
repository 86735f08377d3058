#pragma once
// Shapes shared by the game's sound effects: tones that glide, noise swept through a
// filter, crackles and clanks, a small room, and the finishing that every effect gets.

#include "tools/content/Music.h"
#include "tools/content/Synth.h"

#include <functional>

namespace Content {

// A sound ready to be stored: no steady offset, a 2 ms fade in and a short fade out so that
// it neither starts nor stops with a click, and its loudest sample at `peakDb`.
Audio Finished(Samples sound, double peakDb = -3, double fadeOut = 0.01);
Audio Finished(Audio sound, double peakDb = -3, double fadeOut = 0.01);

// The sound in a room, in stereo: the dry sound in the middle with the room around it,
// `tail` seconds longer than the sound.
Audio InRoom(const Samples& sound, const ReverbSettings& room, double roomLevel, double tail);

// A sine gliding from one pitch to another (approaching it with time constant `glide`
// seconds), its level dying away with time constant `decay`.
Samples Glide(double seconds, double fromHz, double toHz, double glide, double decay);

// Curves over time for shaping: a constant; a free decay; a rise and fall peaking in the
// middle of `seconds` (sharper for higher powers); an exponential slide from one value to
// another over `seconds`, then staying.
using Curve = std::function<double(double)>;
Curve Steady(double value);
Curve DyingAway(double tau);
Curve Swell(double seconds, double power);
Curve Sweep(double from, double to, double seconds);

// Spreads a mono sound across the stereo field along `pan(t)` (-1 left to 1 right).
Audio Panned(const Samples& sound, const Curve& pan);

// White noise through a band-pass filter whose centre follows `centre(t)` (hz), shaped by
// `level(t)`.
Samples SweptNoise(double seconds, const Curve& centre, double resonance, const Curve& level, unsigned seed);

// Short pops at random times, `perSecond` of them at the start, thinning out with time
// constant `tau`: fire crackle or droplets.
Samples Crackle(double seconds, double perSecond, double tau, unsigned seed);

// A struck piece of metal: inharmonic partials over `hz`, ringing for about `tau` seconds,
// with the bang of the blow.
Samples Clank(double hz, double tau, unsigned seed);

// A jingle of instruments in a room: `parts` plays into a short arrangement that plays once
// and fades over its last `fadeOut` seconds.
template <typename Parts>
Audio Jingle(const double tempo, const double beats, const ReverbSettings& room, const double roomLevel,
             const double fadeOut, Parts parts)
{
    Arrangement jingle(tempo, beats, false);
    parts(jingle);
    MixSettings mix;
    mix.mRoom = room;
    mix.mRoomLevel = roomLevel;
    mix.mEcho = {jingle.SecondsAt(0.5), 0.3, 3000};
    mix.mFadeOut = fadeOut;
    return jingle.Mix(mix);
}

// Adds `sound` into `to` from `at` seconds, scaled; `to` grows when it is too short.
void Overlay(Samples& to, const Samples& sound, double at, double gain);

} // namespace Content
