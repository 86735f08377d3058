// The game's songs: the title's cheerful tune, the habitats' songs (HabitatSongs.cpp), the
// adventurous flight, the plane's engine, the proud medal music, the success fanfare and
// the bouncy mini-game tune. Every song that loops is one seamless turn of its loop.

#include "tools/content/Songs.h"
#include "tools/content/AudioRecipe.h"
#include "tools/content/Instruments.h"
#include "tools/content/Music.h"

#include <cmath>
#include <numbers>

namespace Content {

namespace {

constexpr double kBar = 4; // beats

// D major, 112 beats a minute: a flute tune over electric piano chords in a 3-3-2 rhythm,
// bass, claps and shaker; in the second half a picked arpeggio and bells join in.
Audio TitleSong()
{
    constexpr double kTempo = 112;
    constexpr double kBars = 16;
    Arrangement song(kTempo, kBars * kBar, true);
    const std::vector<Chord> chords = Chords("D A Bm G  D A G A  G A F#m Bm  G A Em7 A7");

    const std::vector<Note> tune =
        Melody("A4:.5 D5:.5 F#5:1 E5:.5 D5:.5 E5:1 | C#5:.5 E5:.5 A5:1.5 G5:.5 F#5:.5 E5:.5 |"
               "D5:.5 F#5:.5 B5:1 A5:.5 F#5:.5 D5:1 | E5:1.5 D5:.5 B4:1 R:1 |"
               "A4:.5 D5:.5 F#5:1 A5:1 F#5:1 | E5:.5 F#5:.5 G5:1 F#5:.5 E5:.5 C#5:1 |"
               "D5:.5 E5:.5 B5:1.5 A5:.5 G5:1 | F#5:.5 E5:.5 E5:2 R:1 |"
               "B4:1 D5:1 G5:1.5 F#5:.5 | E5:1 C#5:1 A4:2 | C#5:1 F#5:1 A5:1.5 F#5:.5 | F#5:1 D5:1 B4:2 |"
               "B4:.5 C#5:.5 D5:1 G5:1 F#5:1 | E5:.5 F#5:.5 E5:1 C#5:1 A4:1 | G5:1 F#5:1 E5:1 D5:1 |"
               "C#5:1 E5:1 A5:1 G5:1",
               0, 0.8);
    song.Play(Flute, tune, {0.45, 0.1, 0.3, 0.15});
    song.Play(Bell, Shifted(Between(tune, 8 * kBar, 16 * kBar), 0, 12), {0.16, -0.3, 0.3, 0.2});

    song.Play(ElectricPiano, Strum(chords, kBar, Pitch("A3"), 4, "x . . x . . x .", 0.5, 0.45, 0.7),
              {0.2, -0.2, 0.25, 0});
    const auto harp = [](const double hz, const double held, const double velocity) {
        return Pluck(hz, held, velocity, 0.7, static_cast<unsigned>(hz));
    };
    song.Play(harp, Between(Arpeggio(chords, kBar, Pitch("D5"), "0 1 2 1 3 1 2 1", 0.5, 0.8, 0.6), 8 * kBar, 16 * kBar),
              {0.25, 0.4, 0.3, 0.1});
    song.Play(RoundBass, BassLine(chords, kBar, Pitch("B1"), "r . . r . . f o", 0.5, 0.45, 0.85), {0.55, 0, 0.05, 0});

    const double end = kBars * kBar;
    song.Strike(Kick(0.6), Rhythm("x...x...", 0.5, 0, end), {0.45, 0, 0, 0});
    song.Strike(Clap(4), Rhythm("..x...x.", 0.5, 0, end), {0.28, 0.05, 0.25, 0});
    song.Strike(Shaker(6), Rhythm("oxoxoxox", 0.5, 0, end), {0.14, 0.35, 0.1, 0});
    song.Strike(Crash(8), {{0, 0.6}, {8 * kBar, 0.8}}, {0.18, -0.1, 0.3, 0});
    song.Add(CymbalSwell(song.SecondsAt(2), 9), 8 * kBar - 2, {0.1, 0.2, 0.3, 0});

    MixSettings mix;
    mix.mRoom = {0.6, 0.45};
    mix.mEcho = {song.SecondsAt(0.75), 0.3, 3500};
    return song.Mix(mix);
}

// D minor, 120 beats a minute: driving staccato strings, held string chords, a heroic
// brass tune, timpani and a snare.
Audio FlyOrchestraSong()
{
    constexpr double kTempo = 120;
    constexpr double kBars = 16;
    Arrangement song(kTempo, kBars * kBar, true);
    const std::vector<Chord> chords = Chords("Dm Bb F C  Dm Bb C A  Bb C Dm Dm  Gm Bb C A7");

    const std::vector<Note> tune =
        Melody("A4:1 D5:1.5 E5:.5 F5:1 | G5:1 F5:.5 D5:.5 F5:2 | C5:1 F5:1.5 G5:.5 A5:1 | G5:3 E5:1 |"
               "A4:1 D5:1.5 E5:.5 F5:1 | Bb5:1.5 A5:.5 G5:1 F5:1 | E5:1 G5:1 C6:1 Bb5:1 | A5:3 R:1 |"
               "D5:1.5 F5:.5 Bb5:2 | C6:1.5 Bb5:.5 G5:2 | A5:1 F5:1 D5:1 F5:1 | A5:4 |"
               "G5:1.5 A5:.5 Bb5:1 D6:1 | D6:1 C6:.5 Bb5:.5 F5:2 | E5:1 G5:1 C6:1 E6:1 | C#6:2 A5:1 E5:1",
               0, 0.85);
    song.Play(Brass, tune, {0.4, 0.15, 0.3, 0.08});
    // Horns a sixth below in the second half.
    song.Play(Brass, Shifted(Between(tune, 8 * kBar, 16 * kBar), 0, -12), {0.2, -0.25, 0.3, 0});

    const auto staccato = [](const double hz, const double held, const double velocity) {
        return Strings(hz, held, velocity, 0.01);
    };
    const auto legato = [](const double hz, const double held, const double velocity) {
        return Strings(hz, held, velocity, 0.35);
    };
    song.Play(staccato, Arpeggio(chords, kBar, Pitch("D4"), "0 0 2 0 1 0 2 1", 0.5, 0.35, 0.8), {0.3, -0.35, 0.2, 0});
    song.Play(staccato, BassLine(chords, kBar, Pitch("A1"), "r . . r . . r .", 0.5, 0.45, 0.9), {0.35, 0.1, 0.15, 0});
    song.Play(RoundBass, BassLine(chords, kBar, Pitch("A1"), "r . . r . . r .", 0.5, 0.45, 0.8), {0.35, 0, 0, 0});
    song.Play(legato, Strum(chords, kBar, Pitch("A3"), 4, "x", kBar, kBar, 0.55), {0.16, 0.3, 0.4, 0});

    const double end = kBars * kBar;
    song.Play(Timpani, BassLine(chords, kBar, Pitch("G1"), "r . . . r . l .", 0.5, 0.5, 0.8), {0.35, 0, 0.2, 0});
    song.Strike(Snare(12), Rhythm("..x...xo", 0.5, 0, end), {0.16, 0.2, 0.3, 0});
    song.Strike(Crash(13), {{0, 0.7}, {8 * kBar, 0.8}}, {0.2, 0.3, 0.35, 0});
    song.Add(CymbalSwell(song.SecondsAt(2), 14), 8 * kBar - 2, {0.1, -0.2, 0.3, 0});

    MixSettings mix;
    mix.mRoom = {0.8, 0.4};
    mix.mRoomLevel = 1.1;
    mix.mEcho = {song.SecondsAt(0.5), 0.2, 2500};
    return song.Mix(mix);
}

// A small propeller plane: the engine spins up, drones with a slow wobble as the plane
// crosses from left to right, and fades away.
Audio PlaneEngineSong()
{
    constexpr double kSeconds = 9;
    Audio engine = Audio::Stereo(FramesOf(kSeconds));
    Oscillator firing, blades;
    Noise noise(41);
    Filter body(650, 0.9), rumble(180, 0.7);
    for (size_t i = 0; i < engine.Frames(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double spin = 1 - 0.45 * Decay(t, 0.9);
        const double hz = 36 * spin * (1 + 0.012 * SineWave(0.31 * t) + 0.006 * SineWave(1.7 * t));
        const double firingPhase = firing.Next(hz);
        body.Process(SawWave(firingPhase, firing.Increment()) +
                     0.5 * PulseWave(firingPhase * 2, 2 * firing.Increment(), 0.3));
        rumble.Process(noise.Next());
        // The propeller's blades chop the sound twice per turn of the engine.
        const double chop = 0.65 + 0.35 * SineWave(blades.Next(hz * 0.5));
        const double sound = (body.Low() + 2.5 * rumble.Low()) * chop;
        const double passing = 0.7 + 0.3 * std::sin(std::numbers::pi * t / kSeconds);
        const double level = sound * passing * FadeIn(t, 1.0) * FadeIn(kSeconds - t, 2.0);
        const double angle = (0.5 + 0.4 * (t / kSeconds - 0.5)) * std::numbers::pi / 2;
        engine.mChannels[0][i] = static_cast<float>(level * std::cos(angle));
        engine.mChannels[1][i] = static_cast<float>(level * std::sin(angle));
    }
    MixAudio(engine, Reverb(engine, {0.4, 0.6}, false), 0.4);
    RemoveDc(engine, false);
    Normalize(engine, -4);
    FadeEdges(engine, 0.01, 0.3);
    return engine;
}

// B flat major, 80 beats a minute: a horn tune over held strings, a harp and a soft
// timpani: proud and calm.
Audio MedalSong()
{
    constexpr double kTempo = 80;
    constexpr double kBars = 16;
    Arrangement song(kTempo, kBars * kBar, true);
    const std::vector<Chord> chords = Chords("Bb F Gm Eb  Bb F Eb F  Eb F Dm Gm  Cm F Bb F");

    const std::vector<Note> tune =
        Melody("F4:1 Bb4:1.5 C5:.5 D5:1 | C5:2 A4:1 F4:1 | G4:1 Bb4:1 D5:1.5 C5:.5 | Bb4:3 R:1 |"
               "F4:1 Bb4:1.5 C5:.5 D5:1 | Eb5:1.5 D5:.5 C5:2 | Bb4:1 G4:1 Eb5:1.5 D5:.5 | C5:4 |"
               "G5:2 F5:1 Eb5:1 | F5:1.5 Eb5:.5 C5:2 | D5:1 F5:1 A5:1.5 F5:.5 | G5:3 R:1 |"
               "Eb5:1 G5:1 C5:1.5 D5:.5 | Eb5:1 D5:1 C5:1 A4:1 | Bb4:2 D5:2 | C5:3 R:1",
               0, 0.7);
    song.Play(Brass, tune, {0.45, 0.1, 0.35, 0.1});
    song.Play(Flute, Shifted(Between(tune, 8 * kBar, 16 * kBar), 0, 12), {0.15, -0.2, 0.35, 0.1});

    const auto strings = [](const double hz, const double held, const double velocity) {
        return Strings(hz, held, velocity, 0.4);
    };
    song.Play(strings, Strum(chords, kBar, Pitch("F3"), 4, "x", kBar, kBar, 0.6), {0.2, -0.1, 0.4, 0});
    const auto harp = [](const double hz, const double held, const double velocity) {
        return Pluck(hz, held, velocity, 0.6, static_cast<unsigned>(hz * 11));
    };
    song.Play(harp, Arpeggio(chords, kBar, Pitch("Bb3"), "0 1 2 3 4 3 2 1", 0.5, 1.5, 0.6), {0.3, 0.35, 0.35, 0});
    song.Play(RoundBass, BassLine(chords, kBar, Pitch("A1"), "r . f .", 1, 1.9, 0.75), {0.45, 0, 0.1, 0});
    song.Play(Timpani, BassLine(chords, kBar, Pitch("F1"), "r . . .", 1, 1, 0.5), {0.3, 0, 0.25, 0});

    MixSettings mix;
    mix.mRoom = {0.8, 0.4};
    mix.mRoomLevel = 1.1;
    mix.mEcho = {song.SecondsAt(1), 0.25, 2500};
    return song.Mix(mix);
}

// A short fanfare in C: a brass call in triplets, a timpani roll into a held chord with a
// crash and a sweep of bells.
Audio SuccessSong()
{
    constexpr double kTempo = 120;
    Arrangement song(kTempo, 12, false);
    song.Play(Brass, Melody("G4:.333 G4:.333 G4:.334 C5:1 E5:.5 G5:.5 C6:3", 0, 0.95), {0.5, 0.1, 0.35, 0});
    song.Play(Brass, Melody("E4:.333 E4:.333 E4:.334 G4:1 C5:.5 E5:.5 G5:3", 0, 0.8), {0.35, -0.2, 0.35, 0});
    song.Play(Brass, Melody("C4+E4:1 R:1 C4+G4+C5:3", 1, 0.7), {0.25, 0, 0.35, 0});
    const auto strings = [](const double hz, const double held, const double velocity) {
        return Strings(hz, held, velocity, 0.5);
    };
    song.Play(strings, Melody("C3+G3+C4+E4+G4:4", 2, 0.7), {0.25, 0, 0.4, 0});
    song.Play(RoundBass, Melody("C2:1 R:1 C2:3", 1, 0.9), {0.5, 0, 0.1, 0});

    std::vector<Hit> roll;
    for (double beat = 2; beat < 3; beat += 0.125)
        roll.push_back(Hit{beat, 0.3 + 0.5 * (beat - 2)});
    roll.push_back(Hit{3, 1});
    song.Strike(Timpani(Hertz(Pitch("C2")), 0.5, 0.9), roll, {0.5, 0, 0.3, 0});
    song.Strike(Crash(21), {{3, 1}}, {0.3, 0.2, 0.4, 0});
    song.Play(Bell, Melody("C6:.125 E6:.125 G6:.125 C7:.125 E7:1", 3, 0.6), {0.25, 0.4, 0.4, 0});

    MixSettings mix;
    mix.mRoom = {0.75, 0.4};
    mix.mRoomLevel = 1.1;
    return song.Mix(mix);
}

// F major, 144 beats a minute: a square-wave lead, a bouncy bass, off-beat piano chords
// and a light drum kit. The tune comes back an octave up, doubled by bells.
Audio MiniGameSong()
{
    constexpr double kTempo = 144;
    constexpr double kBars = 24;
    Arrangement song(kTempo, kBars * kBar, true);
    const std::vector<Chord> chords = Chords("F Dm Bb C  F Dm Bb C  Bb C Am Dm  Bb C F C  F Dm Bb C  F Dm Bb C");

    const char* const verse = "C5:.5 F5:.5 A5:.5 F5:.5 C6:1 A5:1 | D5:.5 F5:.5 A5:.5 F5:.5 D6:1 A5:1 |"
                              "Bb4:.5 D5:.5 F5:.5 Bb5:.5 D6:.5 C6:.5 Bb5:1 | C6:1.5 G5:.5 E5:1 G5:1 |"
                              "A5:.5 A5:.5 C6:.5 A5:.5 F5:1 C5:1 | D5:.5 E5:.5 F5:.5 A5:.5 D6:1 F5:1 |"
                              "Bb5:.5 A5:.5 G5:.5 F5:.5 D5:1 G5:1 ";
    const std::string first = std::string(verse) + "| E5:.5 F5:.5 G5:.5 C6:.5 E6:1 R:1";
    const char* const bridge =
        "D6:1 C6:.5 Bb5:.5 F5:2 | E6:1 D6:.5 C6:.5 G5:2 | C6:.5 B5:.5 A5:.5 E5:.5 A5:1 C6:1 | D6:1.5 C6:.5 A5:2 |"
        "F5:.5 G5:.5 Bb5:.5 D6:.5 F6:1 D6:1 | E6:.5 D6:.5 C6:.5 G5:.5 E5:1 G5:1 |"
        "A5:.5 C6:.5 F6:1 C6:.5 A5:.5 F5:1 | G5:.5 A5:.5 Bb5:.5 G5:.5 E5:1 C5:1";
    const std::string last = std::string(verse) + "| G5:.5 A5:.5 Bb5:.5 G5:.5 E5:1 C5:1";
    const std::vector<Note> tune =
        Joined(Joined(Melody(first, 0, 0.8), Melody(bridge, 8 * kBar, 0.8)), Melody(last, 16 * kBar, 0.8));
    song.Play(ChipLead, Between(tune, 0, 16 * kBar), {0.4, 0.1, 0.2, 0.12});
    song.Play(ChipLead, Shifted(Between(tune, 16 * kBar, 24 * kBar), 0, 12), {0.3, 0.1, 0.2, 0.12});
    song.Play(Bell, Between(tune, 16 * kBar, 24 * kBar), {0.25, -0.3, 0.25, 0.1});

    song.Play(ElectricPiano, Strum(chords, kBar, Pitch("A3"), 3, ". x . x . x . x", 0.5, 0.3, 0.7),
              {0.22, -0.25, 0.2, 0});
    song.Play(BouncyBass, BassLine(chords, kBar, Pitch("A1"), "r o r o f o r o", 0.5, 0.4, 0.85), {0.4, 0, 0.05, 0});

    const double end = kBars * kBar;
    song.Strike(Kick(0.8), Rhythm("x...x..x", 0.5, 0, end), {0.45, 0, 0, 0});
    song.Strike(Snare(31), Rhythm("..x...x.", 0.5, 0, end), {0.3, 0.05, 0.2, 0});
    song.Strike(HiHat(false, 32), Rhythm("xoxoxo.o", 0.5, 0, end), {0.12, 0.3, 0.05, 0});
    song.Strike(HiHat(true, 33), Rhythm("......x.", 0.5, 0, end), {0.08, 0.3, 0.1, 0});
    song.Strike(Crash(34), {{0, 0.7}, {8 * kBar, 0.7}, {16 * kBar, 0.7}}, {0.16, -0.2, 0.25, 0});

    MixSettings mix;
    mix.mRoom = {0.5, 0.5};
    mix.mRoomLevel = 0.8;
    mix.mEcho = {song.SecondsAt(0.75), 0.25, 3000};
    return song.Mix(mix);
}

AudioRecipe Song(const char* name, Audio (*make)())
{
    return AudioRecipe{std::string("music/") + name, AudioFormat::OGG_VORBIS, make};
}

} // namespace

void AddSongs(std::vector<AudioRecipe>& recipes)
{
    // The longest first, so that no worker is left with a long song at the end.
    recipes.push_back(Song("arctic", ArcticSong));
    recipes.push_back(Song("alaska", AlaskaSong));
    recipes.push_back(Song("medal_loop", MedalSong));
    recipes.push_back(Song("grandcanyon", GrandCanyonSong));
    recipes.push_back(Song("minigame", MiniGameSong));
    recipes.push_back(Song("amazon", AmazonSong));
    recipes.push_back(Song("title", TitleSong));
    recipes.push_back(Song("fly_orchestra", FlyOrchestraSong));
    recipes.push_back(Song("plane_engine", PlaneEngineSong));
    recipes.push_back(Song("success", SuccessSong));
}

} // namespace Content
