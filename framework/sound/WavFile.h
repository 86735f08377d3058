#pragma once
// WAV files: plain PCM WAV files, and the cached copies of decoded sounds, which add a
// "dep " chunk (the source file's name and last-write time) and an "xor " chunk (a key
// XORed into every data byte). Chunks follow each other without padding.

#include "framework/sound/PcmSound.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Zest {

// The key the cache XORs into its data, the same as the pak archive's.
constexpr uint8_t kCachedWavXorKey = 0x6B;

// Says whether the cached data are still those of the named source file, given the file
// time the cache stored for it.
using SourceIsCurrent = std::function<bool(const std::string& sourceName, uint64_t fileTime)>;

// Reads the PCM data of a WAV file through the file calls. A "dep " chunk must pass
// `isCurrent`; a source name longer than 255 bytes never does. False, with a message, for
// a missing file, a file that is not PCM WAV, a stale dependency or data cut short.
bool ReadWavFile(const std::string& fileName, const SourceIsCurrent& isCurrent, DecodedSound* sound);

// The bytes of a cached WAV file holding `data` decoded from `sourceName`.
std::vector<uint8_t> MakeCachedWav(const PcmFormat& format, const std::string& sourceName, uint64_t sourceFileTime,
                                   const std::vector<uint8_t>& data);

} // namespace Zest
