// The sounds of the game's interface and rewards: buttons, check boxes and counters; the
// chimes of combos, surprises and awards; the company jingle; the pages that appear.
// Clicks and ticks are short and soft, as they are heard often; rewards grow grander the
// bigger the reward.

#include "tools/content/AudioRecipe.h"
#include "tools/content/Instruments.h"
#include "tools/content/SoundKit.h"

#include <cmath>

namespace Content {

namespace {

constexpr ReverbSettings kSmallRoom{0.45, 0.5};
constexpr ReverbSettings kHall{0.8, 0.4};

// A soft wooden pop: a knock falling in pitch, with a touch of click on top.
Audio ButtonAction()
{
    Samples pop = Glide(0.09, 900, 420, 0.012, 0.018);
    Overlay(pop, SweptNoise(0.02, Steady(2500), 1.2, DyingAway(0.002), 301), 0, 0.25);
    return Finished(pop, -3, 0.01);
}

// The lightest touch: a short, quiet, rounded blip.
Audio ButtonRollover() { return Finished(Glide(0.05, 1500, 1750, 0.01, 0.012), -8, 0.01); }

// A crisp tick with a little body, and the smaller tick of the box settling.
Audio CheckboxCheck()
{
    const auto tick = [](const double hz, const double tau) {
        return Render(0.04, [hz, tau](const double t) {
            return (SineWave(hz * t) + 0.5 * SineWave(hz * 0.5 * t)) * Decay(t, tau) * FadeIn(t, 0.0015);
        });
    };
    Samples sound = tick(2600, 0.006);
    Overlay(sound, SweptNoise(0.01, Steady(4000), 1, DyingAway(0.001), 303), 0, 0.3);
    Overlay(sound, tick(1900, 0.004), 0.02, 0.35);
    return Finished(sound, -4, 0.008);
}

// A short bright tick, played many times a second as numbers count up.
Audio NumberCounting()
{
    return Finished(
        Render(0.04, [](const double t) { return (SineWave(1900 * t) + 0.3 * SineWave(3800 * t)) * Decay(t, 0.006); }),
        -5, 0.005);
}

// A rubber stamp pressed onto paper: a dull thud and the slap of the paper.
Audio StampDry()
{
    Samples thud = Glide(0.28, 140, 60, 0.03, 0.05);
    Overlay(thud, SweptNoise(0.15, Steady(400), 0.7, DyingAway(0.02), 305), 0, 0.8);
    Overlay(thud, SweptNoise(0.03, Steady(2500), 0.7, DyingAway(0.004), 306), 0.002, 0.25);
    return Finished(thud, -3, 0.02);
}

// A cheerful blip upward.
Audio CollectedTile()
{
    Oscillator oscillator;
    return Finished(Render(0.14,
                           [&](const double t) {
                               const double phase = oscillator.Next(1040 - 520 * Decay(t, 0.03));
                               return (SineWave(phase) + 0.25 * SineWave(2 * phase)) * Decay(t, 0.05);
                           }),
                    -4, 0.015);
}

// A soft blip downward, a little sad.
Audio DecollectedTile()
{
    Oscillator oscillator;
    Samples sound = Render(0.32, [&](const double t) {
        const double hz = 260 + 440 * Decay(t, 0.08);
        return TriangleWave(oscillator.Next(hz)) * Decay(t, 0.12);
    });
    FilterSamples(sound, FilterKind::LOW_PASS, 2500);
    return Finished(sound, -4, 0.03);
}

// Rising chimes; each bigger combo climbs higher over a fuller chord.
Audio ComboX3()
{
    return Jingle(240, 3.2, kSmallRoom, 0.8, 0.12, [](Arrangement& jingle) {
        const std::vector<Note> chime = Melody("G5:.3 C6:.3 E6:1.5", 0, 0.9);
        jingle.Play(Bell, chime, {0.6, 0.15, 0.3, 0.1});
        jingle.Play(Marimba, Shifted(chime, 0, -12), {0.35, -0.15, 0.2, 0});
    });
}

Audio ComboX4()
{
    return Jingle(240, 4, kSmallRoom, 0.9, 0.15, [](Arrangement& jingle) {
        const std::vector<Note> chime = Melody("G5:.3 C6:.3 E6:.3 G6:2", 0, 0.9);
        jingle.Play(Bell, chime, {0.6, 0.15, 0.3, 0.15});
        jingle.Play(Marimba, Shifted(chime, 0, -12), {0.35, -0.15, 0.2, 0});
        jingle.Play(ElectricPiano, Melody("C5+E5+G5:1.5", 0.9, 0.6), {0.25, 0, 0.3, 0});
    });
}

Audio ComboX5()
{
    return Jingle(240, 5.5, kHall, 1.0, 0.2, [](Arrangement& jingle) {
        const std::vector<Note> chime = Melody("G5:.25 C6:.25 E6:.25 G6:.25 C7:2.5", 0, 0.95);
        jingle.Play(Bell, chime, {0.6, 0.15, 0.3, 0.15});
        jingle.Play(Marimba, Shifted(chime, 0, -12), {0.35, -0.15, 0.2, 0});
        jingle.Play(ElectricPiano, Melody("C4+G4+C5+E5:2", 1, 0.8), {0.25, 0, 0.35, 0});
        const auto strings = [](const double hz, const double held, const double velocity) {
            return Strings(hz, held, velocity, 0.08);
        };
        jingle.Play(strings, Melody("C4+E4+G4+C5:2", 1, 0.7), {0.18, 0, 0.4, 0});
        jingle.Play(Bell, Melody("E7:.25 G7:1", 1.5, 0.4), {0.2, 0.5, 0.4, 0.3});
        jingle.Add(HiHat(true, 310), 1, {0.12, -0.3, 0.4, 0});
    });
}

// A fast sparkle up two octaves of the pentatonic scale.
Audio ComboCollector()
{
    return Jingle(240, 4.5, kSmallRoom, 0.9, 0.2, [](Arrangement& jingle) {
        const std::vector<Note> sparkle =
            Melody("C6:.14 D6:.14 E6:.14 G6:.14 A6:.14 C7:.14 D7:.14 E7:.14 G7:1.5", 0, 0.8);
        jingle.Play(Bell, sparkle, {0.5, 0.2, 0.3, 0.3});
        jingle.Play(GlassBell, Shifted(sparkle, 0, -12), {0.35, -0.2, 0.3, 0.2});
        jingle.Play(Bell, Melody("C7:.25 G7:1", 1.8, 0.35), {0.2, -0.4, 0.4, 0.3});
    });
}

// The grandest sparkle: a run up three octaves, a full chord swelling under it and bright
// notes falling from the top.
Audio ComboMaster()
{
    return Jingle(240, 6.5, kHall, 1.1, 0.3, [](Arrangement& jingle) {
        const std::vector<Note> run = Melody("C5:.2 E5:.2 G5:.2 C6:.2 E6:.2 G6:.2 C7:1.5", 0, 0.9);
        jingle.Play(Marimba, run, {0.45, -0.2, 0.25, 0});
        jingle.Play(Bell, run, {0.45, 0.2, 0.3, 0.2});
        jingle.Play(ElectricPiano, Melody("C4+G4+D5+E5+B5:3", 1.2, 0.8), {0.25, 0, 0.35, 0});
        const auto strings = [](const double hz, const double held, const double velocity) {
            return Strings(hz, held, velocity, 0.15);
        };
        jingle.Play(strings, Melody("C3+G3+E4+G4+C5:3", 1.2, 0.8), {0.2, 0, 0.4, 0});
        jingle.Play(Bell, Melody("G7:.15 E7:.15 C7:.15 G6:1", 2, 0.5), {0.3, 0.45, 0.4, 0.35});
        jingle.Add(CymbalSwell(jingle.SecondsAt(1.2), 311), 0, {0.12, 0, 0.4, 0});
    });
}

// Three playful jingles, each its own: a bouncing xylophone, a spring that goes boing
// under two bells, and a sparkling run into a "ta-da".
Audio Surprise1()
{
    return Jingle(300, 4, kSmallRoom, 0.7, 0.12, [](Arrangement& jingle) {
        const std::vector<Note> bounce = Melody("C6:.5 G5:.5 E6:.5 C6:.5 G6:1.5", 0, 0.9);
        jingle.Play(Marimba, bounce, {0.6, -0.1, 0.25, 0.1});
        jingle.Play(Bell, Melody("G6:1.5", 2, 0.6), {0.3, 0.3, 0.3, 0.2});
    });
}

Audio Surprise2()
{
    Oscillator spring;
    const Samples boing = Render(0.45, [&](const double t) {
        const double hz = 260 * (1 + 0.25 * Decay(t, 0.12) * SineWave(17 * t)) * (1 + 0.3 * Decay(t, 0.02));
        return SineWave(spring.Next(hz)) * Decay(t, 0.15);
    });
    return Jingle(240, 3.2, kSmallRoom, 0.7, 0.12, [&boing](Arrangement& jingle) {
        jingle.Add(boing, 0, {0.6, -0.2, 0.2, 0});
        jingle.Play(Bell, Melody("E6:.5 A6:1.5", 0.8, 0.85), {0.5, 0.2, 0.3, 0.15});
    });
}

Audio Surprise3()
{
    return Jingle(240, 3.6, kSmallRoom, 0.8, 0.15, [](Arrangement& jingle) {
        jingle.Play(Bell, Melody("C6:.1 D6:.1 E6:.1 F#6:.1 G#6:.1 A#6:.1 C7:.5", 0, 0.55), {0.4, 0.3, 0.3, 0.2});
        jingle.Play(ElectricPiano, Melody("G4+B4+D5:.4 C5+E5+G5:1.8", 1, 0.85), {0.45, 0, 0.3, 0});
        jingle.Play(Bell, Melody("G5:.4 C6:1.8", 1, 0.7), {0.3, -0.2, 0.3, 0.1});
    });
}

// A coin: a short square-wave note leaping up a fourth, with a glint.
Audio SurpriseCollect()
{
    Oscillator oscillator;
    Samples coin = Render(0.4, [&](const double t) {
        const double hz = t < 0.07 ? 988 : 1319;
        const double level = t < 0.07 ? 0.8 : Decay(t - 0.07, 0.09);
        return PulseWave(oscillator.Next(hz), oscillator.Increment(), 0.5) * level;
    });
    FilterSamples(coin, FilterKind::LOW_PASS, 5000);
    Overlay(coin,
            Render(0.3,
                   [](const double t) {
                       return (SineWave(2637 * t) + 0.4 * SineWave(3951 * t)) * FadeIn(t, 0.002) * Decay(t, 0.06);
                   }),
            0.07, 0.25);
    return Finished(InRoom(coin, kSmallRoom, 0.25, 0.2), -3, 0.05);
}

// A short fanfare of brass with a cymbal and bells.
Audio AwardCongrats()
{
    return Jingle(150, 5, kHall, 1.0, 0.3, [](Arrangement& jingle) {
        jingle.Play(Brass, Melody("C5:.333 E5:.333 G5:.334 C6:2", 0, 0.9), {0.5, 0.1, 0.3, 0});
        jingle.Play(Brass, Melody("G4:.333 C5:.333 E5:.334 G5:2", 0, 0.75), {0.35, -0.2, 0.3, 0});
        const auto strings = [](const double hz, const double held, const double velocity) {
            return Strings(hz, held, velocity, 0.05);
        };
        jingle.Play(strings, Melody("C4+E4+G4+C5:2", 1, 0.7), {0.2, 0, 0.35, 0});
        jingle.Play(RoundBass, Melody("C2:2", 1, 0.8), {0.4, 0, 0.1, 0});
        jingle.Strike(Timpani(Hertz(Pitch("C2")), 0.5, 0.9), {{1, 1}}, {0.4, 0, 0.3, 0});
        jingle.Strike(Crash(312), {{1, 0.8}}, {0.12, 0.3, 0.3, 0});
        jingle.Play(Bell, Melody("C7:.15 E7:.15 G7:1", 1.1, 0.45), {0.2, 0.4, 0.35, 0.2});
    });
}

// A bigger, triumphant fanfare with a snare roll into the last chord.
Audio AwardSurvivor()
{
    return Jingle(132, 6.5, kHall, 1.1, 0.4, [](Arrangement& jingle) {
        const std::vector<Note> call = Melody("G4:.333 G4:.333 C5:.334 E5:.5 G5:.5 E5:.5 G5:.5 C6:2.5", 0, 0.95);
        jingle.Play(Brass, call, {0.5, 0.1, 0.3, 0});
        jingle.Play(Brass, Shifted(call, 0, -5), {0.3, -0.25, 0.3, 0});
        jingle.Play(Brass, Melody("C4+G4:1 R:1 C4+E4+G4+C5:2.5", 1, 0.7), {0.25, 0, 0.35, 0});
        const auto strings = [](const double hz, const double held, const double velocity) {
            return Strings(hz, held, velocity, 0.2);
        };
        jingle.Play(strings, Melody("C3+G3+C4+E4+G4:3.5", 1, 0.7), {0.22, 0, 0.4, 0});
        jingle.Play(RoundBass, Melody("C2:1 G1:1 C2:2.5", 1, 0.9), {0.45, 0, 0.1, 0});
        std::vector<Hit> roll;
        for (double beat = 2; beat < 3; beat += 0.0833)
            roll.push_back(Hit{beat, 0.3 + 0.6 * (beat - 2)});
        jingle.Strike(Snare(313), roll, {0.2, 0.2, 0.3, 0});
        jingle.Strike(Timpani(Hertz(Pitch("C2")), 0.5, 0.9), {{1, 0.8}, {3, 1}}, {0.45, 0, 0.3, 0});
        jingle.Strike(Crash(314), {{3, 1}}, {0.15, -0.3, 0.3, 0});
        jingle.Play(Bell, Melody("G6:.15 C7:.15 E7:.15 G7:1.5", 3, 0.5), {0.22, 0.4, 0.35, 0.2});
    });
}

// The company's jingle: a warm chord blooming under a gentle three-note motif, a glint at
// the end.
Audio Logo()
{
    return Jingle(100, 4.4, kHall, 1.2, 0.6, [](Arrangement& jingle) {
        jingle.Play(WarmPad, Melody("C3+G3+D4+E4+B4:3.4", 0, 0.7), {0.3, 0, 0.4, 0});
        jingle.Play(ElectricPiano, Melody("E5:.5 G5:.5 C6:2.4", 0.25, 0.75), {0.4, -0.1, 0.35, 0.15});
        jingle.Play(Bell, Melody("E5:.5 G5:.5 C6:2.4", 0.25, 0.5), {0.25, 0.2, 0.35, 0.15});
        jingle.Play(RoundBass, Melody("C2:3", 0.25, 0.7), {0.35, 0, 0.1, 0});
        jingle.Play(GlassBell, Melody("G6:1", 1.6, 0.4), {0.2, 0.45, 0.45, 0.3});
    });
}

// A page of paper sliding in, and a soft chime.
Audio TutorialAppear()
{
    const Samples swish = SweptNoise(
        0.3, [](const double t) { return 1500 * std::pow(2.0, 1.4 * t / 0.3); }, 0.8, Swell(0.3, 2), 315);
    return Jingle(240, 3.2, kSmallRoom, 0.8, 0.15, [&swish](Arrangement& jingle) {
        jingle.Add(swish, 0, {0.35, -0.3, 0.2, 0});
        jingle.Play(Bell, Melody("G5:.4 D6:1.5", 0.35, 0.6), {0.45, 0.15, 0.3, 0.15});
    });
}

// A longer slide of paper, and three glassy notes.
Audio StoryAppear()
{
    const Samples slide = SweptNoise(
        0.5, [](const double t) { return 800 * std::pow(2.0, 1.6 * t / 0.5); }, 0.7, Swell(0.5, 2), 316);
    return Jingle(240, 4.4, kSmallRoom, 0.9, 0.2, [&slide](Arrangement& jingle) {
        jingle.Add(slide, 0, {0.35, 0.3, 0.2, 0});
        jingle.Play(GlassBell, Melody("C6:.6 E6:.6 G6:1.5", 0.5, 0.6), {0.5, -0.15, 0.35, 0.15});
    });
}

AudioRecipe Sound(const char* name, const AudioFormat format, Audio (*make)())
{
    return AudioRecipe{std::string("sounds/") + name, format, make};
}

} // namespace

void AddInterfaceSounds(std::vector<AudioRecipe>& recipes)
{
    constexpr AudioFormat kWav = AudioFormat::WAV;
    constexpr AudioFormat kOgg = AudioFormat::OGG_VORBIS;
    recipes.push_back(Sound("logo", kOgg, Logo));
    recipes.push_back(Sound("award_congrats", kOgg, AwardCongrats));
    recipes.push_back(Sound("award_survivor", kOgg, AwardSurvivor));
    recipes.push_back(Sound("tutorial_appear", kOgg, TutorialAppear));
    recipes.push_back(Sound("story_appear", kOgg, StoryAppear));
    recipes.push_back(Sound("button_action", kWav, ButtonAction));
    recipes.push_back(Sound("button_rollover", kWav, ButtonRollover));
    recipes.push_back(Sound("checkbox_check", kWav, CheckboxCheck));
    recipes.push_back(Sound("number_counting", kWav, NumberCounting));
    recipes.push_back(Sound("stamp_dry", kWav, StampDry));
    recipes.push_back(Sound("collected_tile", kWav, CollectedTile));
    recipes.push_back(Sound("decollected_tile", kWav, DecollectedTile));
    recipes.push_back(Sound("combo_x3", kWav, ComboX3));
    recipes.push_back(Sound("combo_x4", kWav, ComboX4));
    recipes.push_back(Sound("combo_x5", kWav, ComboX5));
    recipes.push_back(Sound("combo_collector", kWav, ComboCollector));
    recipes.push_back(Sound("combo_master", kWav, ComboMaster));
    recipes.push_back(Sound("surprise_1", kWav, Surprise1));
    recipes.push_back(Sound("surprise_2", kWav, Surprise2));
    recipes.push_back(Sound("surprise_3", kWav, Surprise3));
    recipes.push_back(Sound("surprise_collect", kWav, SurpriseCollect));
}

} // namespace Content
