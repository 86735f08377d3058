#pragma once
// The instruments of the game's songs and jingles. A melodic voice plays one note: `hz` its
// pitch, `held` how long the key is held (seconds) and `velocity` how hard (0 to 1); the
// samples it returns include the ring after the key is let go. A drum returns one hit.
// Voices are mono; the arrangement places them across the stereo field.

#include "tools/content/Synth.h"

namespace Content {

// --- struck and plucked ---

// Wooden bars over tubes: a round fundamental, the bar's fourth and tenth partials fading
// fast, and the knock of the mallet.
Samples Marimba(double hz, double held, double velocity);
// A small bright bell (celesta, music box): two-operator frequency modulation whose
// overtones die away faster than the tone.
Samples Bell(double hz, double held, double velocity);
// A clear glass tone with slow shimmer: inharmonic partials with long, different decays.
Samples GlassBell(double hz, double held, double velocity);
// A soft electric piano: frequency modulation at the note's own pitch, bright on the attack.
Samples ElectricPiano(double hz, double held, double velocity);
// A plucked string (a delay line fed back through an averaging filter); brightness 0 to 1
// is how hard and near the bridge it is plucked, `seed` varies the pluck.
Samples Pluck(double hz, double held, double velocity, double brightness, unsigned seed);
// Kettle drum: a tuned membrane with a mallet thump.
Samples Timpani(double hz, double held, double velocity);

// --- bowed, blown and held ---

// An ensemble of bowed strings; attack in seconds (short for a bouncing ostinato).
Samples Strings(double hz, double held, double velocity, double attack);
// A brass section: a buzzing tone that brightens the harder it is blown.
Samples Brass(double hz, double held, double velocity);
// A breathy flute.
Samples Flute(double hz, double held, double velocity);
// A whistled tune that slides into each note, with a wide vibrato.
Samples Whistle(double hz, double held, double velocity);
// A warm held chord tone of detuned saws behind a soft filter.
Samples WarmPad(double hz, double held, double velocity);
// A cool, airy pad of detuned triangles that swells in slowly.
Samples AirPad(double hz, double held, double velocity);
// A square-wave lead with a little vibrato, as in an old handheld game.
Samples ChipLead(double hz, double held, double velocity);

// --- bass ---

// A round bass: a sine with a little filtered buzz for definition.
Samples RoundBass(double hz, double held, double velocity);
// A bouncy synth bass whose filter snaps shut after each attack.
Samples BouncyBass(double hz, double held, double velocity);

// --- drums and percussion, one hit each ---

Samples Kick(double punch);
Samples Snare(unsigned seed);
Samples Clap(unsigned seed);
// A hi-hat; open rings longer.
Samples HiHat(bool open, unsigned seed);
Samples Shaker(unsigned seed);
// A hollow wooden knock at a pitch.
Samples WoodBlock(double hz);
// A hand drum at a pitch.
Samples Conga(double hz, unsigned seed);
// A crash cymbal.
Samples Crash(unsigned seed);
// A cymbal rising to a peak over `seconds` (heard before a new section).
Samples CymbalSwell(double seconds, unsigned seed);
// A shake of small jingle bells.
Samples SleighBells(unsigned seed);

} // namespace Content
