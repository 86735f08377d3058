#pragma once
// The pictures, sounds and fonts that the game's resource manifest names, read with the
// manifest's own rules for path and id prefixes. The content tools only need the names,
// paths and cell counts, so this reads the plain form that the manifest is written in.

#include <string>
#include <vector>

namespace Content {

struct ManifestEntry {
    std::string mKind; // "Image", "Sound" or "Font"
    std::string mGroup;
    std::string mId;   // with its prefix, e.g. IMAGE_GAME_FLAG
    std::string mPath; // with its folder, e.g. images/game/flag.png
    int mRows = 1;
    int mCols = 1;
};

// False, with a message, when the file cannot be read or an entry lacks its path.
bool ReadManifest(const std::string& file, std::vector<ManifestEntry>* entries);

} // namespace Content
