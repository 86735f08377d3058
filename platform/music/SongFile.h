#pragma once
// Songs are played from copies held in memory: the whole file is read once, through the
// archive-aware file calls, so that a song stored in an archive plays like one on disk.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace Music {

// The bytes of a song file, shared by the decoder that reads them and nothing else.
using SongBytes = std::shared_ptr<const std::vector<uint8_t>>;

// The whole file, or nothing when it cannot be opened or read.
std::optional<std::vector<uint8_t>> ReadSongFile(const char* fileName);

} // namespace Music
