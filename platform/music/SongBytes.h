#pragma once
// Songs are played from copies held in memory: the whole file is read once, through the
// platform's content-file reader, so that a song stored in the program's archive plays like
// one on disk.

#include <cstdint>
#include <memory>
#include <vector>

namespace Music {

// The bytes of a song file, shared by the decoder that reads them and nothing else.
using SongBytes = std::shared_ptr<const std::vector<uint8_t>>;

} // namespace Music
