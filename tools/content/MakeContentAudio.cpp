// Synthesises the game's sounds and songs into the content folder.
// Usage: make_content_audio OUTPUT_FOLDER
//
// Sounds are written as 16-bit PCM WAV files, or as Ogg Vorbis so that both of the sound
// manager's loaders are in use; songs as Ogg Vorbis. Each file is made by one job; the
// jobs run on all cores, the songs (the longest) first, so that the build waits little.

#include "tools/content/AudioRecipe.h"
#include "tools/content/MakeFolder.h"
#include "tools/content/OggVorbisWriter.h"
#include "tools/content/ParallelFor.h"
#include "tools/content/WavWriter.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

using Content::AudioFormat;
using Content::AudioRecipe;

// Small enough to keep the build quick, and still clean for music of this kind.
constexpr float kVorbisQuality = 0.4f;

bool MakeFile(const AudioRecipe& recipe, const std::filesystem::path& output)
{
    const bool wav = recipe.mFormat == AudioFormat::WAV;
    const std::filesystem::path file = output / (recipe.mPath + (wav ? ".wav" : ".ogg"));
    if (!Content::MakeFolder(file.parent_path(), "make_content_audio"))
        return false;
    const Content::Audio audio = recipe.mMake();
    const bool written = wav
        ? Content::WriteWav(file.string(), audio)
        : Content::WriteOggVorbis(file.string(), audio.mChannels, Content::kSampleRate, kVorbisQuality);
    if (!written)
        std::fprintf(stderr, "make_content_audio: '%s' was not made\n", file.string().c_str());
    return written;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_content_audio OUTPUT_FOLDER\n");
        return 2;
    }
    std::vector<AudioRecipe> recipes;
    Content::AddSongs(recipes);
    Content::AddInterfaceSounds(recipes);
    Content::AddPlaySounds(recipes);

    const std::filesystem::path output = argv[1];
    const bool made = Content::RunInParallel(recipes.size(), [&](const size_t i) { return MakeFile(recipes[i], output); });
    return made ? 0 : 1;
}
