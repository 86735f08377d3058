// The sounds of play: creatures appearing and eating, locks of bananas and webs, cages,
// fireballs, the cannon of the mini-games, cards shuffled, a swing, wind and a spooky sting.

#include "tools/content/AudioRecipe.h"
#include "tools/content/Instruments.h"
#include "tools/content/SoundKit.h"

#include <cmath>
#include <numbers>

namespace Content {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr ReverbSettings kSmallRoom{0.45, 0.5};
constexpr ReverbSettings kOutdoors{0.7, 0.6};

// Air swirling round: a band of noise whose pitch circles faster and faster, with a faint
// whistle above it, turning around the listener.
Audio WindTwirl()
{
    constexpr double kSeconds = 1.8;
    // The swirl's phase: its rate rises from 1.5 to 4 turns a second.
    const auto turns = [](const double t) { return 1.5 * t + 1.25 * t * t / kSeconds; };
    const Curve centre = [&turns](const double t) { return 650 * std::pow(2.0, 1.1 * SineWave(turns(t))); };
    Samples wind = SweptNoise(kSeconds, centre, 1.2, Swell(kSeconds, 1.2), 401);
    const Samples whistle = SweptNoise(
        kSeconds, [&centre](const double t) { return 2 * centre(t); }, 9, Swell(kSeconds, 2), 402);
    Overlay(wind, whistle, 0, 0.5);
    Audio out = Panned(wind, [&turns](const double t) { return 0.8 * SineWave(turns(t) + 0.25); });
    MixAudio(out, Reverb(out, kSmallRoom, false), 0.4);
    return Finished(out, -3, 0.05);
}

// A soft pop, as of a bubble, as a creature appears.
Audio AnimalAppear()
{
    Samples pop = Glide(0.2, 250, 900, 0.02, 0.05);
    Overlay(pop, Glide(0.12, 500, 1200, 0.015, 0.03), 0.06, 0.3);
    FilterSamples(pop, FilterKind::LOW_PASS, 3000);
    return Finished(pop, -4, 0.02);
}

// A splash with droplets, then a gulp and a smaller swallow.
Audio FishEaten()
{
    Samples sound = SweptNoise(
        0.3, Sweep(2500, 1000, 0.2), 0.8, [](const double t) { return FadeIn(t, 0.003) * Decay(t, 0.07); }, 403);
    Overlay(sound, Crackle(0.4, 80, 0.1, 404), 0.01, 0.35);
    Overlay(sound, Glide(0.2, 500, 180, 0.05, 0.06), 0.12, 0.9);
    Overlay(sound, Glide(0.12, 380, 160, 0.03, 0.035), 0.27, 0.5);
    return Finished(sound, -3, 0.03);
}

// A stick's thwack: a sharp crack on a body that thumps.
Audio SpiderHit()
{
    Samples sound = Glide(0.25, 180, 70, 0.03, 0.06);
    Overlay(sound, SweptNoise(0.06, Steady(3000), 0.7, DyingAway(0.004), 405), 0, 0.6);
    Overlay(sound, SweptNoise(0.15, Steady(900), 0.7, DyingAway(0.03), 406), 0, 0.5);
    return Finished(sound, -3, 0.03);
}

// The cannon: a crack, a deep boom that falls in pitch, the thump of the recoil and a
// rumble that rolls away outdoors.
Audio CannonFire()
{
    Samples boom = Glide(1.0, 120, 38, 0.08, 0.3);
    Overlay(boom, SweptNoise(1.0, Sweep(250, 80, 0.6), 0.7, DyingAway(0.3), 407), 0, 1.4);
    Overlay(boom, SweptNoise(0.08, Steady(2500), 0.6, DyingAway(0.01), 408), 0, 0.5);
    Overlay(boom, Kick(1), 0, 0.6);
    return Finished(InRoom(boom, kOutdoors, 0.45, 0.4), -3, 0.2);
}

// Something soft and wet pressed down: noise under a ringing filter that slides down, and
// a wobbling low tone.
Samples Squelch(const double high, const double low, const double seconds, const unsigned seed)
{
    Noise noise(seed);
    Filter filter;
    const Curve cutoff = Sweep(high, low, seconds * 0.7);
    size_t frame = 0;
    Samples sound = Render(seconds, [&](const double t) {
        if (frame++ % 16 == 0)
            filter.Tune(cutoff(t), 6);
        filter.Process(noise.Next());
        return 0.3 * filter.Low() * FadeIn(t, 0.01) * Decay(t, 0.08);
    });
    Oscillator wobble;
    Overlay(sound,
            Render(seconds,
                   [&](const double t) {
                       return SineWave(wobble.Next(160 * (1 + 0.15 * SineWave(28 * t)))) * FadeIn(t, 0.01) *
                           Decay(t, 0.07);
                   }),
            0, 0.6);
    return sound;
}

Audio LockBanana()
{
    Samples sound = Squelch(1400, 350, 0.3, 409);
    Overlay(sound, Squelch(900, 300, 0.15, 410), 0.1, 0.5);
    return Finished(sound, -3, 0.03);
}

// A web thrown over: a rising "thwip", then a sticky squelch.
Audio LockSpider()
{
    Samples sound = SweptNoise(0.1, Sweep(500, 2500, 0.08), 4, Swell(0.1, 1), 411);
    Overlay(sound, Squelch(1000, 250, 0.25, 412), 0.08, 0.8);
    return Finished(sound, -3, 0.03);
}

// Let go: a plucked string and a little pop upward.
Audio UnlockBanana()
{
    Samples sound = Pluck(330, 0.25, 0.9, 0.8, 413);
    Overlay(sound, Glide(0.12, 400, 900, 0.02, 0.04), 0, 0.5);
    return Finished(sound, -3, 0.03);
}

// A web snapping: a crack and a twang of two threads.
Audio UnlockSpider()
{
    Samples sound = Pluck(660, 0.25, 0.9, 0.9, 414);
    Overlay(sound, Pluck(990, 0.2, 0.8, 0.9, 415), 0.02, 0.5);
    Overlay(sound, SweptNoise(0.03, Steady(3500), 0.7, DyingAway(0.003), 416), 0, 0.6);
    return Finished(sound, -3, 0.03);
}

// Cards riffled: a run of paper flicks, slow, fast and slow again, over a soft whoosh,
// moving across, and the pack tapped square at the end.
Audio Shuffle()
{
    constexpr double kSeconds = 0.75;
    constexpr int kFlicks = 38;
    Audio out = Audio::Stereo(FramesOf(kSeconds));
    Noise chance(417);
    for (int k = 0; k < kFlicks; ++k) {
        // Flicks far apart at the start and end, close together in the middle.
        const double turn = static_cast<double>(k) / kFlicks;
        const double at = 0.04 + 0.58 * (turn + 0.6 * std::sin(2 * kPi * turn) / (2 * kPi));
        const Samples flick = SweptNoise(0.012, Steady(3000 + 2500 * chance.Unit()), 1.5, DyingAway(0.0015), 418 + k);
        MixVoice(out, flick, static_cast<long>(FramesOf(at)), 0.5 + 0.5 * chance.Unit(), -0.5 + at / kSeconds, false);
    }
    MixVoice(out, SweptNoise(kSeconds, Steady(900), 0.7, Swell(0.68, 2), 460), 0, 0.15, 0, false);
    MixVoice(out, Glide(0.06, 300, 150, 0.02, 0.015), static_cast<long>(FramesOf(0.68)), 0.4, 0.3, false);
    return Finished(out, -3, 0.02);
}

// A swing through the air: a whoosh that rises and falls in pitch, moving across.
Audio Swing()
{
    constexpr double kSeconds = 0.45;
    const Curve centre = [](const double t) { return 400 * std::pow(2.0, 2 * std::sin(kPi * t / kSeconds)); };
    Samples whoosh = SweptNoise(kSeconds, centre, 1.3, Swell(kSeconds, 2), 461);
    Overlay(whoosh,
            SweptNoise(
                kSeconds, [&centre](const double t) { return 1.5 * centre(t); }, 6, Swell(kSeconds, 3), 462),
            0, 0.2);
    return Finished(Panned(whoosh, [](const double t) { return -0.6 + 1.2 * t / kSeconds; }), -3, 0.03);
}

// Iron bars: a heavy clank, the latch catching, and the thud of the door in its frame.
Audio CageLockReal()
{
    Samples sound = Clank(196, 0.25, 463);
    Overlay(sound, Clank(311, 0.18, 464), 0.09, 0.6);
    Overlay(sound, Glide(0.3, 120, 60, 0.03, 0.06), 0, 0.8);
    return Finished(InRoom(sound, kSmallRoom, 0.35, 0.3), -3, 0.1);
}

// The latch lifted, the hinge creaking, and the door swinging against the bars.
Audio CageReleaseReal()
{
    Samples sound = Clank(587, 0.05, 465);
    Oscillator creak;
    Noise jitter(466);
    Samples hinge = Render(0.4, [&](const double t) {
        const double hz = (70 + 40 * t / 0.4) * (1 + 0.08 * jitter.Next());
        return SawWave(creak.Next(hz), creak.Increment()) * Swell(0.4, 1)(t);
    });
    FilterSamples(hinge, FilterKind::BAND_PASS, 1800, 3);
    Overlay(sound, hinge, 0.04, 1.2);
    Overlay(sound, Clank(247, 0.2, 467), 0.4, 0.7);
    return Finished(InRoom(sound, kSmallRoom, 0.35, 0.3), -3, 0.1);
}

// The same, lighter.
Audio CageLock()
{
    Samples sound = Clank(392, 0.12, 468);
    Overlay(sound, Clank(523, 0.08, 469), 0.06, 0.5);
    return Finished(sound, -3, 0.05);
}

Audio CageRelease()
{
    Samples sound = Clank(659, 0.05, 470);
    Overlay(sound, Glide(0.3, 880, 1320, 0.05, 0.08), 0.05, 0.4);
    return Finished(sound, -3, 0.05);
}

// A fireball flying past: a roaring whoosh that climbs, with crackling flames.
Audio FireballQuickWhoosh()
{
    constexpr double kSeconds = 0.4;
    Samples whoosh = SweptNoise(kSeconds, Sweep(300, 3000, 0.3), 1, Swell(kSeconds, 1.5), 471);
    Overlay(whoosh, SweptNoise(kSeconds, Steady(200), 0.7, Swell(kSeconds, 1.5), 472), 0, 0.5);
    Overlay(whoosh, Crackle(kSeconds, 150, 0.3, 473), 0, 0.3);
    return Finished(Panned(whoosh, [](const double t) { return -0.5 + t / kSeconds; }), -3, 0.03);
}

// The fireball bursting: a boom, a blast of noise, and flames crackling away.
Audio FireballBurst()
{
    Samples burst = Glide(1.0, 90, 40, 0.1, 0.25);
    Overlay(burst, SweptNoise(1.0, Sweep(1500, 300, 0.5), 0.6, DyingAway(0.2), 474), 0, 1.2);
    Overlay(burst, Crackle(1.0, 400, 0.25, 475), 0, 0.5);
    return Finished(InRoom(burst, kOutdoors, 0.4, 0.3), -3, 0.15);
}

// An eerie sting: a wavering, gliding tone falling a tritone over a dissonant cluster,
// with a breath of wind, in a large space.
Audio Spooky()
{
    Oscillator theremin;
    const Samples glide = Render(2.2, [&](const double t) {
        const double hz = 466 + 193 * Decay(t, 0.5);
        const double vibrato = 1 + 0.02 * FadeIn(t, 0.4) * SineWave(6 * t);
        return SineWave(theremin.Next(hz * vibrato)) * FadeIn(t, 0.15) * Decay(t, 1.0);
    });
    const Samples breath = SweptNoise(2.2, Sweep(400, 1200, 2.2), 3, Swell(2.2, 2), 476);
    return Jingle(60, 3, {0.9, 0.4}, 1.4, 0.6, [&](Arrangement& jingle) {
        jingle.Add(glide, 0, {0.5, 0.2, 0.5, 0.3});
        jingle.Add(breath, 0, {0.15, -0.4, 0.5, 0});
        jingle.Play(AirPad, Melody("C3+F#3+B3:1.6", 0, 0.7), {0.35, 0, 0.5, 0});
        jingle.Play(GlassBell, Melody("F#6:1", 0.9, 0.35), {0.2, -0.3, 0.6, 0.4});
    });
}

AudioRecipe Sound(const char* name, const AudioFormat format, Audio (*make)())
{
    return AudioRecipe{std::string("sounds/") + name, format, make};
}

} // namespace

void AddPlaySounds(std::vector<AudioRecipe>& recipes)
{
    constexpr AudioFormat kWav = AudioFormat::WAV;
    constexpr AudioFormat kOgg = AudioFormat::OGG_VORBIS;
    recipes.push_back(Sound("spooky", kOgg, Spooky));
    recipes.push_back(Sound("wind_twirl", kOgg, WindTwirl));
    recipes.push_back(Sound("animal_appear", kWav, AnimalAppear));
    recipes.push_back(Sound("fish_eaten", kWav, FishEaten));
    recipes.push_back(Sound("spider_hit", kWav, SpiderHit));
    recipes.push_back(Sound("cannon_fire", kWav, CannonFire));
    recipes.push_back(Sound("lock_banana", kWav, LockBanana));
    recipes.push_back(Sound("lock_spider", kWav, LockSpider));
    recipes.push_back(Sound("unlock_banana", kWav, UnlockBanana));
    recipes.push_back(Sound("unlock_spider", kWav, UnlockSpider));
    recipes.push_back(Sound("shuffle", kWav, Shuffle));
    recipes.push_back(Sound("swing", kWav, Swing));
    recipes.push_back(Sound("cage_lock_real", kWav, CageLockReal));
    recipes.push_back(Sound("cage_release_real", kWav, CageReleaseReal));
    recipes.push_back(Sound("cage_lock", kWav, CageLock));
    recipes.push_back(Sound("cage_release", kWav, CageRelease));
    recipes.push_back(Sound("fireball_quickwhoosh", kWav, FireballQuickWhoosh));
    recipes.push_back(Sound("fireball_burst", kWav, FireballBurst));
}

} // namespace Content
