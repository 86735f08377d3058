#pragma once
// Reading the game's save files from the data folder, and moving one the game refused out
// of the way, so that the next save cannot destroy what the player may still want back.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class SaveFileRead { Read, Missing, Unreadable };

// Reads at most `limit` bytes of the file at the start; `*complete` says whether that was
// the whole file (a caller that takes only a head ignores it).
SaveFileRead ReadSaveFile(const std::string& path, size_t limit, std::vector<uint8_t>* bytes, bool* complete);

// An earlier set-aside file is never replaced: the names "<name>.damaged",
// "<name>.damaged.1", "<name>.damaged.2" … are tried in turn.

// Moves folder + fileName to the first free set-aside name and gives that name (without the
// folder), or the empty name when the file was already gone. False when it is still in place.
bool MoveFileAside(const std::string& folder, const std::string& fileName, std::string* asideName);
