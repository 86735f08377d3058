#include "tools/content/Music.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <string>
#include <tuple>

namespace Content {

namespace {

// A note, chord or figure that cannot be read is a slip in a song's text: the program ends,
// naming it, rather than play a wrong note.
[[noreturn]] void Unreadable(const char* what, const std::string_view text)
{
    std::fprintf(stderr, "make_content_audio: cannot read the %s '%.*s'\n", what, static_cast<int>(text.size()),
                 text.data());
    std::exit(1);
}

std::vector<std::string_view> Tokens(const std::string_view text)
{
    std::vector<std::string_view> tokens;
    size_t at = 0;
    while (at < text.size()) {
        const size_t start = text.find_first_not_of(" \n\t|", at);
        if (start == std::string_view::npos)
            break;
        const size_t end = std::min(text.find_first_of(" \n\t|", start), text.size());
        tokens.push_back(text.substr(start, end - start));
        at = end;
    }
    return tokens;
}

// The pitch class of a letter with an optional sharp or flat; `used` is how many characters
// it took.
int PitchClass(const std::string_view text, size_t* used)
{
    static constexpr int kLetters[] = {9, 11, 0, 2, 4, 5, 7}; // A to G
    if (text.empty() || text[0] < 'A' || text[0] > 'G')
        Unreadable("note", text);
    int pitchClass = kLetters[text[0] - 'A'];
    *used = 1;
    if (text.size() > 1 && (text[1] == '#' || text[1] == 'b')) {
        pitchClass += text[1] == '#' ? 1 : -1;
        *used = 2;
    }
    return (pitchClass + 12) % 12;
}

double Number(const std::string_view text)
{
    const std::string copy(text);
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (copy.empty() || *end != '\0')
        Unreadable("number", text);
    return value;
}

// Notes on the bar's first beat a little harder, other beats a little softer, and notes
// between beats softer still: the pulse of the music.
double Accent(const double beat)
{
    const double within = beat - std::floor(beat);
    if (within > 0.01 && within < 0.99)
        return 0.82;
    return std::fmod(std::floor(beat + 0.01), 4.0) == 0 ? 1.0 : 0.92;
}

const Chord& ChordAt(const std::vector<Chord>& chords, const double beatsPerChord, const double beat)
{
    const size_t index = static_cast<size_t>(std::max(0.0, std::floor(beat / beatsPerChord + 1e-9)));
    return chords[index % chords.size()];
}

// Walks a figure over the whole progression: `step` gets each token and the beat it falls on.
template <typename Step>
void OverProgression(const std::vector<Chord>& chords, const double beatsPerChord, const std::string_view figure,
                     const double stepBeats, Step step)
{
    const std::vector<std::string_view> tokens = Tokens(figure);
    const double total = beatsPerChord * static_cast<double>(chords.size());
    size_t index = 0;
    for (double beat = 0; beat < total - 1e-9; beat += stepBeats, ++index) {
        const std::string_view token = tokens[index % tokens.size()];
        if (token != ".")
            step(token, beat, ChordAt(chords, beatsPerChord, beat));
    }
}

} // namespace

int Pitch(const std::string_view name)
{
    size_t used = 0;
    const int pitchClass = PitchClass(name, &used);
    const double octave = Number(name.substr(used));
    return pitchClass + 12 * (static_cast<int>(octave) + 1);
}

double Hertz(const double pitch) { return 440 * std::pow(2.0, (pitch - 69) / 12); }

std::vector<Note> Melody(const std::string_view text, const double startBeat, const double velocity)
{
    std::vector<Note> notes;
    double beat = startBeat;
    for (const std::string_view token : Tokens(text)) {
        const size_t colon = token.find(':');
        if (colon == std::string_view::npos)
            Unreadable("melody note", token);
        const double beats = Number(token.substr(colon + 1));
        std::string_view pitches = token.substr(0, colon);
        while (pitches != "R" && !pitches.empty()) {
            const size_t plus = std::min(pitches.find('+'), pitches.size());
            notes.push_back(Note{beat, beats, Pitch(pitches.substr(0, plus)), velocity * Accent(beat)});
            pitches.remove_prefix(std::min(plus + 1, pitches.size()));
        }
        beat += beats;
    }
    return notes;
}

std::vector<Chord> Chords(const std::string_view text)
{
    static const std::map<std::string_view, std::vector<int>> kQualities = {
        {"", {0, 4, 7}},         {"m", {0, 3, 7}},         {"7", {0, 4, 7, 10}},       {"maj7", {0, 4, 7, 11}},
        {"m7", {0, 3, 7, 10}},   {"sus4", {0, 5, 7}},      {"sus2", {0, 2, 7}},        {"5", {0, 7}},
        {"add9", {0, 4, 7, 14}}, {"madd9", {0, 3, 7, 14}}, {"6", {0, 4, 7, 9}},        {"m6", {0, 3, 7, 9}},
        {"dim", {0, 3, 6}},      {"9", {0, 4, 7, 10, 14}}, {"maj9", {0, 4, 7, 11, 14}}};
    std::vector<Chord> chords;
    for (const std::string_view token : Tokens(text)) {
        size_t used = 0;
        const int root = PitchClass(token, &used);
        const auto quality = kQualities.find(token.substr(used));
        if (quality == kQualities.end())
            Unreadable("chord", token);
        chords.push_back(Chord{root, quality->second});
    }
    return chords;
}

std::vector<int> Voicing(const Chord& chord, const int lowest, const int count)
{
    std::vector<int> tones;
    for (int octave = lowest / 12 - 1; static_cast<int>(tones.size()) < count + 8; ++octave) {
        for (const int interval : chord.mIntervals) {
            const int pitch = 12 * octave + chord.mRoot + interval % 12;
            if (pitch >= lowest && std::find(tones.begin(), tones.end(), pitch) == tones.end())
                tones.push_back(pitch);
        }
    }
    std::sort(tones.begin(), tones.end());
    tones.resize(count);
    return tones;
}

std::vector<Note> Arpeggio(const std::vector<Chord>& chords, const double beatsPerChord, const int lowest,
                           const std::string_view figure, const double step, const double noteBeats,
                           const double velocity)
{
    std::vector<Note> notes;
    OverProgression(chords, beatsPerChord, figure, step,
                    [&](const std::string_view token, const double beat, const Chord& chord) {
                        const int index = static_cast<int>(Number(token));
                        const std::vector<int> tones = Voicing(chord, lowest, index + 1);
                        notes.push_back(Note{beat, noteBeats, tones[index], velocity * Accent(beat)});
                    });
    return notes;
}

std::vector<Note> Strum(const std::vector<Chord>& chords, const double beatsPerChord, const int lowest, const int count,
                        const std::string_view figure, const double step, const double noteBeats, const double velocity)
{
    std::vector<Note> notes;
    OverProgression(chords, beatsPerChord, figure, step,
                    [&](const std::string_view token, const double beat, const Chord& chord) {
                        if (token != "x" && token != "o")
                            Unreadable("strum", token);
                        const double level = velocity * Accent(beat) * (token == "x" ? 1.0 : 0.6);
                        for (const int pitch : Voicing(chord, lowest, count))
                            notes.push_back(Note{beat, noteBeats, pitch, level});
                    });
    return notes;
}

std::vector<Note> BassLine(const std::vector<Chord>& chords, const double beatsPerChord, const int lowest,
                           const std::string_view figure, const double step, const double noteBeats,
                           const double velocity)
{
    std::vector<Note> notes;
    OverProgression(chords, beatsPerChord, figure, step,
                    [&](const std::string_view token, const double beat, const Chord& chord) {
                        const int root = lowest + (chord.mRoot - lowest % 12 + 12) % 12;
                        const auto interval = [&chord](const size_t index, const int otherwise) {
                            return index < chord.mIntervals.size() ? chord.mIntervals[index] : otherwise;
                        };
                        int pitch = root;
                        if (token == "t")
                            pitch = root + interval(1, 4);
                        else if (token == "f")
                            pitch = root + (chord.mIntervals.size() > 2 ? chord.mIntervals[2] : 7);
                        else if (token == "o")
                            pitch = root + 12;
                        else if (token == "l")
                            pitch = root - 5;
                        else if (token != "r")
                            Unreadable("bass step", token);
                        notes.push_back(Note{beat, noteBeats, pitch, velocity * Accent(beat)});
                    });
    return notes;
}

std::vector<Hit> Rhythm(const std::string_view figure, const double step, const double from, const double to)
{
    std::vector<Hit> hits;
    size_t index = 0;
    for (double beat = from; beat < to - 1e-9; beat += step, ++index) {
        const char mark = figure[index % figure.size()];
        if (mark == 'x' || mark == 'o')
            hits.push_back(Hit{beat, mark == 'x' ? 1.0 : 0.55});
        else if (mark != '.')
            Unreadable("rhythm", figure);
    }
    return hits;
}

std::vector<Note> Shifted(std::vector<Note> notes, const double beats, const int semitones)
{
    for (Note& note : notes) {
        note.mBeat += beats;
        note.mPitch += semitones;
    }
    return notes;
}

std::vector<Note> Joined(std::vector<Note> first, const std::vector<Note>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::vector<Note> Between(const std::vector<Note>& notes, const double from, const double to)
{
    std::vector<Note> section;
    std::copy_if(notes.begin(), notes.end(), std::back_inserter(section),
                 [from, to](const Note& note) { return note.mBeat >= from - 1e-9 && note.mBeat < to - 1e-9; });
    return section;
}

Arrangement::Arrangement(const double beatsPerMinute, const double beats, const bool loops)
    : mBeatsPerMinute(beatsPerMinute), mLoops(loops)
{
    const size_t frames = FramesOf(SecondsAt(beats));
    mDry = Audio::Stereo(frames);
    mRoomSend = Audio::Stereo(frames);
    mEchoSend = Audio::Stereo(frames);
}

void Arrangement::Play(const Instrument& instrument, const std::vector<Note>& notes, const Placement& placement)
{
    // Songs repeat notes often; a note already rendered is reused. Velocities are kept to
    // 64 steps, finer than anyone hears.
    std::map<std::tuple<int, long, int>, Samples> rendered;
    for (const Note& note : notes) {
        const double held = SecondsAt(note.mBeats);
        const int level = static_cast<int>(std::lround(std::clamp(note.mVelocity, 0.0, 1.0) * 64));
        const auto key = std::make_tuple(note.mPitch, std::lround(held * 1000), level);
        auto found = rendered.find(key);
        if (found == rendered.end())
            found = rendered.emplace(key, instrument(Hertz(note.mPitch), held, level / 64.0)).first;
        Place(found->second, note.mBeat, 1, placement);
    }
}

void Arrangement::Strike(const Samples& sound, const std::vector<Hit>& hits, const Placement& placement)
{
    for (const Hit& hit : hits)
        Place(sound, hit.mBeat, hit.mVelocity, placement);
}

void Arrangement::Add(const Samples& sound, const double beat, const Placement& placement)
{
    Place(sound, beat, 1, placement);
}

void Arrangement::Place(const Samples& voice, const double beat, const double gain, const Placement& placement)
{
    const long start = std::lround(SecondsAt(beat) * kSampleRate);
    MixVoice(mDry, voice, start, gain * placement.mGain, placement.mPan, mLoops);
    if (placement.mReverb > 0)
        MixVoice(mRoomSend, voice, start, gain * placement.mGain * placement.mReverb, placement.mPan, mLoops);
    if (placement.mEcho > 0)
        MixVoice(mEchoSend, voice, start, gain * placement.mGain * placement.mEcho, placement.mPan, mLoops);
}

Audio Arrangement::Mix(const MixSettings& settings) const
{
    Audio out = mDry;
    Audio roomSend = mRoomSend;
    const Audio echoes = Echo(mEchoSend, settings.mEcho, mLoops);
    MixAudio(out, echoes, settings.mEchoLevel);
    // The echoes sound in the same room as the rest.
    MixAudio(roomSend, echoes, 0.3 * settings.mEchoLevel);
    MixAudio(out, Reverb(roomSend, settings.mRoom, mLoops), settings.mRoomLevel);
    RemoveDc(out, mLoops);
    Normalize(out, settings.mPeakDb);
    if (!mLoops)
        FadeEdges(out, 0.002, settings.mFadeOut);
    return out;
}

} // namespace Content
