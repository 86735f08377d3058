#pragma once
// Reading and writing the game's save files in the data folder, and moving one the game
// refused out of the way, so that the next save cannot destroy what the player may still
// want back.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Zest {
class Buffer;
}

enum class SaveFileRead { Read, Missing, Unreadable };

// Reads at most `limit` bytes of the file at the start; `*complete` says whether that was
// the whole file (a caller that takes only a head ignores it).
SaveFileRead ReadSaveFile(const std::string& path, size_t limit, std::vector<uint8_t>* bytes, bool* complete);

// Writes the buffer's bytes as the file in one step (a temporary file beside it, flushed and
// renamed over the old one) and lets every player of the machine share it. False, the old
// file left whole, when the buffer failed (a string too long for the file) or the write did.
bool WriteSaveFile(const std::string& path, const Zest::Buffer& buffer);

// An earlier set-aside file is never replaced: the names "<name>.damaged",
// "<name>.damaged.1", "<name>.damaged.2" … are tried in turn.

// Before the first save over a file that a load refused: when *refusedInPlace, moves the
// file aside (see MoveFileAside) and clears the flag. False while it is still in place;
// nothing may be saved over it then.
bool MoveRefusedFileAside(const std::string& folder, const std::string& fileName, bool* refusedInPlace);

// Moves folder + fileName to the first free set-aside name and gives that name (without the
// folder), or the empty name when the file was already gone. False when it is still in place.
bool MoveFileAside(const std::string& folder, const std::string& fileName, std::string* asideName);
