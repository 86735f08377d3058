// The songs of the four habitats, each with its own character: the rain forest's lively
// marimbas and hand drums, the canyon's picked guitar and whistle over open fifths, the calm
// pads and bells of the north woods, and the slow, sparse glass of the ice.

#include "tools/content/Instruments.h"
#include "tools/content/Music.h"
#include "tools/content/Songs.h"

namespace Content {

namespace {

constexpr double kBar = 4; // beats

} // namespace

// E minor, 108 beats a minute: a marimba ostinato over a son clave, congas and shaker; a
// pan-flute tune, then the high marimba answers it.
Audio AmazonSong()
{
    constexpr double kTempo = 108;
    constexpr double kBars = 16;
    Arrangement song(kTempo, kBars * kBar, true);
    const std::vector<Chord> chords = Chords("Em C G D  Em C G D  C D Em Em  C D B7 B7");

    const std::vector<Note> tune = Melody("B4:.5 E5:.5 G5:.5 B5:1 A5:.5 G5:1 | E5:.5 G5:.5 A5:1 G5:.5 E5:.5 C5:1 |"
                                          "D5:.5 G5:.5 B5:.5 D6:1 B5:.5 A5:1 | F#5:1.5 E5:.5 D5:2 |"
                                          "B4:.5 E5:.5 G5:.5 B5:1 A5:.5 G5:1 | E5:.5 G5:.5 C6:1 B5:.5 A5:.5 G5:1 |"
                                          "B5:.5 A5:.5 G5:.5 D5:1 E5:.5 G5:1 | F#5:1 A5:1 F#5:.5 E5:.5 D5:1",
                                          0, 0.8);
    const std::vector<Note> answer =
        Melody("E6:.5 D6:.5 C6:.5 G5:1.5 R:1 | F#6:.5 E6:.5 D6:.5 A5:1.5 R:1 | G5:.5 A5:.5 B5:1 E6:1 D6:1 | B5:3 R:1 |"
               "E6:.5 D6:.5 C6:.5 G5:1.5 E5:1 | F#5:.5 G5:.5 A5:.5 D6:1.5 C6:1 | B5:1 A5:.5 F#5:.5 D#5:2 |"
               "A5:1 F#5:1 D#5:1 B4:1",
               8 * kBar, 0.85);
    song.Play(Flute, tune, {0.42, 0.15, 0.3, 0.12});
    // The answer on high marimba, doubled softly an octave down.
    song.Play(Marimba, answer, {0.55, -0.2, 0.3, 0.15});
    song.Play(Marimba, Shifted(answer, 0, -12), {0.3, 0.2, 0.25, 0});

    song.Play(Marimba, Arpeggio(chords, kBar, Pitch("E4"), "0 2 4 2 1 3 4 3", 0.5, 0.5, 0.7), {0.3, -0.35, 0.25, 0});
    song.Play(Marimba, BassLine(chords, kBar, Pitch("C2"), "r . f r . f o .", 0.5, 0.5, 0.9), {0.6, 0, 0.1, 0});

    song.Strike(WoodBlock(1450), Rhythm("x..x..x...x.x...", 0.5, 0, kBars * kBar), {0.22, 0.35, 0.2, 0});
    song.Strike(Conga(330, 1), Rhythm("..x..x.x", 0.5, 0, kBars * kBar), {0.3, 0.25, 0.15, 0});
    song.Strike(Conga(220, 2), Rhythm("x..x.o..", 0.5, 0, kBars * kBar), {0.35, -0.2, 0.15, 0});
    song.Strike(Shaker(3), Rhythm("oxox", 0.25, 0, kBars * kBar), {0.12, 0.5, 0.1, 0});
    song.Strike(Kick(0.3), Rhythm("x.......x.....x.", 0.25, 0, kBars * kBar), {0.35, 0, 0, 0});

    MixSettings mix;
    mix.mRoom = {0.55, 0.5};
    mix.mRoomLevel = 0.9;
    mix.mEcho = {song.SecondsAt(0.75), 0.3, 3000};
    return song.Mix(mix);
}

// A minor in a rolling triplet feel, 84 beats a minute: a picked guitar over a drone of
// open fifths, a whistled tune, and the clip-clop of hooves.
Audio GrandCanyonSong()
{
    constexpr double kTempo = 84;
    constexpr double kBars = 16;
    constexpr double kTriplet = 1.0 / 3;
    Arrangement song(kTempo, kBars * kBar, true);
    const std::vector<Chord> chords = Chords("Am Am G Am  F G Em Am  C G Am Am  F G E E");

    const std::vector<Note> tune =
        Melody("A4:1 E5:2 D5:.5 C5:.5 | B4:.5 C5:.5 A4:3 | G4:1 D5:2 C5:.5 B4:.5 | C5:.5 B4:.5 A4:3 |"
               "A4:1 C5:1 F5:1.5 E5:.5 | D5:1 B4:1 G5:2 | E5:1 G5:1 B4:1.5 D5:.5 | C5:.5 B4:.5 A4:3 |"
               "E5:1 G5:1 C6:2 | B5:1 A5:.5 G5:.5 D5:2 | C5:1 E5:1 A5:1.5 G5:.5 | E5:4 |"
               "F5:1 E5:1 C5:1 A4:1 | B4:1 D5:1 G5:1 F5:1 | E5:1 G#5:1 B5:2 | D5:.5 C5:.5 B4:1 G#4:2",
               0, 0.75);
    song.Play(Whistle, tune, {0.4, 0.1, 0.35, 0.2});

    const auto guitar = [](const double hz, const double held, const double velocity) {
        return Pluck(hz, held, velocity, 0.55, static_cast<unsigned>(hz * 3));
    };
    song.Play(guitar, Arpeggio(chords, kBar, Pitch("A2"), "0 3 2 1 3 2 0 3 2 1 4 2", kTriplet, 1.2, 0.75),
              {0.55, -0.3, 0.25, 0});
    // The drone: root and the fifth below, plucked low.
    const auto lowString = [](const double hz, const double held, const double velocity) {
        return Pluck(hz, held, velocity, 0.3, static_cast<unsigned>(hz * 5));
    };
    song.Play(lowString, BassLine(chords, kBar, Pitch("E2"), "r . . . . . l . . . . .", kTriplet, 1.9, 0.9),
              {0.55, 0.1, 0.15, 0});
    song.Play(RoundBass, BassLine(chords, kBar, Pitch("E1"), "r . . . . . l . . . . .", kTriplet, 1.9, 0.7),
              {0.35, 0, 0, 0});

    song.Strike(WoodBlock(1050), Rhythm("x..x..", kTriplet, 0, kBars * kBar), {0.2, 0.3, 0.15, 0});
    song.Strike(WoodBlock(780), Rhythm("..o..o", kTriplet, 0, kBars * kBar), {0.2, 0.35, 0.15, 0});
    song.Strike(Kick(0.2), Rhythm("x.x.", 1, 0, kBars * kBar), {0.3, 0, 0, 0});
    song.Strike(Shaker(5), Rhythm("..x", kTriplet, 0, kBars * kBar), {0.08, -0.4, 0.1, 0});

    MixSettings mix;
    mix.mRoom = {0.8, 0.3};
    mix.mRoomLevel = 1.1;
    mix.mEcho = {song.SecondsAt(1), 0.3, 2500};
    return song.Mix(mix);
}

// F major, 72 beats a minute: warm pads, a celesta tune with music-box chimes around it,
// sleigh bells on the off beats and a slow bass.
Audio AlaskaSong()
{
    constexpr double kTempo = 72;
    constexpr double kBars = 16;
    Arrangement song(kTempo, kBars * kBar, true);
    const std::vector<Chord> chords = Chords("F C Dm Bb  F C Bb C  Dm Bb F C  Dm Bb Gsus4 C");

    const std::vector<Note> tune =
        Melody("C5:1.5 F5:.5 A5:2 | G5:1.5 E5:.5 C5:2 | D5:1 F5:1 A5:1 C6:1 | Bb5:3 A5:.5 G5:.5 |"
               "A5:1.5 G5:.5 F5:2 | E5:1 G5:1 C6:2 | D6:1 C6:1 Bb5:1 A5:.5 G5:.5 | G5:4 |"
               "F5:2 E5:1 D5:1 | D5:1.5 F5:.5 Bb5:2 | A5:1.5 C6:.5 A5:1 F5:1 | G5:3 R:1 |"
               "A5:2 F5:1 D5:1 | F5:1.5 G5:.5 Bb5:2 | C6:2 D6:1 C6:1 | G5:2 E5:2",
               0, 0.7);
    song.Play(Bell, tune, {0.5, 0.1, 0.35, 0.2});
    // In the second half a soft flute sings the tune an octave down.
    song.Play(Flute, Shifted(Between(tune, 8 * kBar, 16 * kBar), 0, -12), {0.25, -0.15, 0.35, 0});

    song.Play(WarmPad, Strum(chords, kBar, Pitch("F3"), 4, "x", kBar, kBar, 0.6), {0.22, 0, 0.4, 0});
    song.Play(AirPad, Strum(chords, kBar, Pitch("C5"), 2, "x", kBar, kBar, 0.5), {0.1, 0, 0.5, 0});
    song.Play(GlassBell, Arpeggio(chords, kBar, Pitch("F5"), "0 2 1 3", 1, 1, 0.45), {0.2, -0.45, 0.4, 0.35});
    song.Play(RoundBass, BassLine(chords, kBar, Pitch("C2"), "r . f .", 1, 1.9, 0.7), {0.45, 0, 0.1, 0});

    song.Strike(SleighBells(7), Rhythm(".x.x", 1, 0, kBars * kBar), {0.12, 0.4, 0.3, 0});

    MixSettings mix;
    mix.mRoom = {0.85, 0.45};
    mix.mRoomLevel = 1.2;
    mix.mEcho = {song.SecondsAt(1.5), 0.35, 2500};
    return song.Mix(mix);
}

// E major with the lydian shine, 60 beats a minute: slow airy chords, glass notes falling
// like ice crystals, and a few high twinkles scattered at random (from a fixed seed).
Audio ArcticSong()
{
    constexpr double kTempo = 60;
    constexpr double kBars = 12;
    Arrangement song(kTempo, kBars * kBar, true);
    const std::vector<Chord> chords = Chords("Emaj9 C#m7 Aadd9 Bsus4  Emaj9 G#m7 Amaj7 Bsus4  C#m7 Aadd9 Emaj9 Bsus2");

    const std::vector<Note> tune =
        Melody("R:.5 B5:.5 F#6:1 D#6:2 | R:1 E6:1 G#5:2 | R:.5 C#6:.5 B5:1 E6:2 | F#5:2 E6:1 R:1 |"
               "R:.5 G#5:.5 B5:1 D#6:2 | R:1 F#6:1 D#6:2 | R:.5 E6:.5 C#6:1 G#5:2 | F#5:2 B5:2 |"
               "R:.5 G#6:.5 E6:1 C#6:2 | R:1 B5:1 E6:1 C#6:1 | R:.5 D#6:.5 B5:1 G#5:2 | R:1 F#5:1 C#6:2",
               0, 0.7);
    song.Play(GlassBell, tune, {0.55, 0.15, 0.5, 0.3});
    song.Play(AirPad, Strum(chords, kBar, Pitch("E3"), 4, "x", kBar, kBar, 0.6), {0.3, 0, 0.5, 0});
    song.Play(RoundBass, BassLine(chords, kBar, Pitch("C2"), "r", kBar, kBar, 0.5), {0.3, 0, 0.2, 0});

    // Twinkles: on some half beats, a quiet high note of the E major pentatonic scale.
    static constexpr const char* kTwinkles[] = {"E6", "F#6", "G#6", "B6", "C#7", "E7"};
    Noise chance(2024);
    std::vector<Note> twinkles;
    for (double beat = 0; beat < kBars * kBar; beat += 0.5) {
        if (chance.Unit() < 0.22) {
            const int pick = static_cast<int>(chance.Unit() * std::size(kTwinkles));
            twinkles.push_back(Note{beat, 0.5, Pitch(kTwinkles[pick]), 0.2 + 0.25 * chance.Unit()});
        }
    }
    song.Play(Bell, twinkles, {0.3, 0, 0.6, 0.5});

    MixSettings mix;
    mix.mRoom = {0.92, 0.3};
    mix.mRoomLevel = 1.4;
    mix.mEcho = {song.SecondsAt(0.75), 0.45, 4000};
    return song.Mix(mix);
}

} // namespace Content
