#pragma once
// The cache of decoded sounds: a WAV copy of every sound decoded from a compressed source,
// kept under "cached\" in the application-data folder, which remembers the source's name
// and file time so that a changed source is decoded again.

#include "framework/sound/PcmSound.h"

#include <cstdint>
#include <string>

namespace Zest {

// Where the decoded copy of the sound `soundName` (a name without extension) is kept; empty
// for names that are not relative (absolute, with a drive, or of two characters or less),
// which are never cached.
std::string CachedSoundFileName(const std::string& appDataFolder, const std::string& soundName);

// The last-write time, as a FILETIME value, of the file the file calls read under that name:
// an archived file's time as the archive records it, else the time of the file on disk.
// False, with the time 0, when neither exists.
bool GetSourceFileTime(const std::string& sourceName, uint64_t* fileTime);

// Whether a cached copy that stored `fileTime` for the source is still current.
bool IsSourceCurrent(const std::string& sourceName, uint64_t fileTime);

// Writes the decoded copy of `sound`, made from `sourceName`. Its folders must exist.
// False when it could not be written; nothing is then left behind.
bool WriteCachedSoundFile(const std::string& cacheFileName, const std::string& sourceName, const DecodedSound& sound);

} // namespace Zest
