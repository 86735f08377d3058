#pragma once
// Writing the game's songs: notes and chords by name, melodies and accompaniment patterns
// from short texts, and the arrangement that plays them on instruments into a stereo mix.
// Times are in beats from the start of the song.

#include "tools/content/Synth.h"

#include <functional>
#include <string_view>
#include <vector>

namespace Content {

// The key number of a note name: "C4" is middle C (60), "F#3" 54, "Bb5" 82.
int Pitch(std::string_view name);
// The frequency of a key number (A4, 69, is 440 hz).
double Hertz(double pitch);

struct Note {
    double mBeat = 0;
    double mBeats = 1;
    int mPitch = 60;
    double mVelocity = 0.8;
};

// A tune from tokens "PITCH:BEATS" played one after another from `startBeat`, e.g.
// "E5:1 G5:.5 R:.5 C5+E5:2": R is a rest and pitches joined by + sound together. Notes on
// the beat are played a little harder than those between.
std::vector<Note> Melody(std::string_view text, double startBeat, double velocity = 0.8);

struct Chord {
    int mRoot = 0;               // pitch class, C = 0
    std::vector<int> mIntervals; // semitones above the root; the root (0) first
};

// Chords from their symbols: "C Am F G7 Dm7 Cmaj7 Gsus4 Gsus2 E5 Cadd9 Bb6 Bdim".
std::vector<Chord> Chords(std::string_view text);

// The chord's tones from the lowest at or above `lowest` upwards, `count` of them: a close
// voicing that stays in one range as the chords change.
std::vector<int> Voicing(const Chord& chord, int lowest, int count);

// Patterns over a progression, each chord lasting `beatsPerChord` from beat 0. A figure's
// tokens each last `step` beats and "." is a rest; its notes last `noteBeats`.
//
// Broken chords: each token is a tone of the close voicing from `lowest` (0 the lowest).
std::vector<Note> Arpeggio(const std::vector<Chord>& chords, double beatsPerChord, int lowest, std::string_view figure,
                           double step, double noteBeats, double velocity);
// Whole chords of `count` tones: "x" struck, "o" struck softly.
std::vector<Note> Strum(const std::vector<Chord>& chords, double beatsPerChord, int lowest, int count,
                        std::string_view figure, double step, double noteBeats, double velocity);
// A bass line from the root at or above `lowest`: "r" root, "t" third, "f" fifth, "o" the
// root an octave up, "l" the fifth below the root.
std::vector<Note> BassLine(const std::vector<Chord>& chords, double beatsPerChord, int lowest, std::string_view figure,
                           double step, double noteBeats, double velocity);

// A drum part: "x" a full hit, "o" a soft one, "." none; each step `step` beats, the figure
// repeated from beat `from` up to beat `to`.
struct Hit {
    double mBeat = 0;
    double mVelocity = 1;
};
std::vector<Hit> Rhythm(std::string_view figure, double step, double from, double to);

// Moves notes by a number of beats and semitones.
std::vector<Note> Shifted(std::vector<Note> notes, double beats, int semitones = 0);
// Both lists in one.
std::vector<Note> Joined(std::vector<Note> first, const std::vector<Note>& second);
// The notes that start at or after beat `from` and before beat `to`: one section's part.
std::vector<Note> Between(const std::vector<Note>& notes, double from, double to);

using Instrument = std::function<Samples(double hz, double held, double velocity)>;

// Where a part sits in the mix.
struct Placement {
    double mGain = 1;
    double mPan = 0;      // -1 left to 1 right
    double mReverb = 0.2; // level sent to the room
    double mEcho = 0;     // level sent to the echoes
};

struct MixSettings {
    ReverbSettings mRoom;
    double mRoomLevel = 1;
    EchoSettings mEcho;
    double mEchoLevel = 1;
    double mPeakDb = -3;
    double mFadeOut = 0.25; // seconds; only for a song that plays once
};

class Arrangement {
public:
    // A song `beats` long. A looping song's notes that ring past its end sound at its
    // start, and its room and echoes carry over the loop point, so that it loops without
    // a seam; a song that plays once fades its very end.
    Arrangement(double beatsPerMinute, double beats, bool loops);

    double SecondsAt(double beat) const { return beat * 60 / mBeatsPerMinute; }

    void Play(const Instrument& instrument, const std::vector<Note>& notes, const Placement& placement);
    void Strike(const Samples& sound, const std::vector<Hit>& hits, const Placement& placement);
    // A sound that is not a note (an engine, a wind), from a beat.
    void Add(const Samples& sound, double beat, const Placement& placement);

    Audio Mix(const MixSettings& settings) const;

private:
    void Place(const Samples& voice, double beat, double gain, const Placement& placement);

    double mBeatsPerMinute;
    bool mLoops;
    Audio mDry;
    Audio mRoomSend;
    Audio mEchoSend;
};

} // namespace Content
