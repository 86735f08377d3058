#pragma once
// What the audio generator makes: every sound and song of the game, each with its path in
// the content (without an extension), the format it is stored in and how it is
// synthesised.

#include "tools/content/Synth.h"

#include <functional>
#include <string>
#include <vector>

namespace Content {

// The sound manager looks for a sound's path with ".wav" first and then ".ogg"; songs are
// loaded by their full file names, which end in ".ogg".
enum class AudioFormat { WAV, OGG_VORBIS };

struct AudioRecipe {
    std::string mPath;
    AudioFormat mFormat = AudioFormat::WAV;
    std::function<Audio()> mMake;
};

// The game's sound effects (sounds/...): those of the interface and of play; and its songs
// (music/...).
void AddInterfaceSounds(std::vector<AudioRecipe>& recipes);
void AddPlaySounds(std::vector<AudioRecipe>& recipes);
void AddSongs(std::vector<AudioRecipe>& recipes);

} // namespace Content
