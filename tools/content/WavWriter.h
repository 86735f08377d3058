#pragma once
// Writing sounds as 16-bit PCM WAV files, the format the game's sound manager reads first.

#include "tools/content/Synth.h"

#include <string>

namespace Content {

// Writes one or two channels at kSampleRate; samples beyond full scale are clipped. False,
// with a message naming the file, when it cannot be written.
bool WriteWav(const std::string& path, const Audio& audio);

} // namespace Content
