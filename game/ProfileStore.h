#pragma once
// Every player profile of the installation, the current one among them, and their file
// profiles.dat in the data folder. The application owns one store for the run: the main
// menu loads it while no profile is current, the name entry adds to it, the profile
// selection switches and deletes, and the game's saves and the shutdown write it.
//
// profiles.dat is a Zest::Buffer written whole, little-endian, with no header, version or
// checksum: the number of profiles N (Long), the current index (Long; -1 when N is 0), then
// N records of: name (String), habitats started, score (Longs), habitat name (String),
// stage index, habitat progress, next level, torches, water, shuffles (Longs), the saved
// stage (SavedStage.h), the stored statistics (GameStats::Write) and the profile body
// (PlayerProfile::Write). A String is a 16-bit length and that many bytes.

#include "game/PlayerProfile.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class HabitatRegistry;

class ProfileStore {
public:
    static constexpr const char* kFileName = "profiles.dat";
    // A refused file is moved beside itself to this name, or to this name followed by .1,
    // .2 and so on when it is taken, so that no earlier refused file is ever replaced.
    static constexpr const char* kSetAsideFileName = "profiles.dat.damaged";

    enum class LoadResult {
        // The profiles of the file follow those already in the list (a file may hold none).
        Loaded,
        // There is no file: a first start.
        Missing,
        // The file could not be read or is damaged: nothing was taken from it, the message
        // says why, and the file was moved aside (see kSetAsideFileName). The run goes on
        // as after a missing file.
        Refused,
        // The file was read (or tried) before in this run; nothing changed. Reading it again
        // would add its profiles a second time.
        AlreadyRead,
    };

    // Reads profiles.dat from the data folder (a path ending in a separator), the first time
    // only. Saved stages find their goal creatures in the habitats, so those must be built.
    // The whole file is checked before anything is taken; a file cut short, with bytes left
    // over or with an impossible count is refused. A current index outside the list becomes
    // 0 (-1 while the list is empty).
    LoadResult Load(const std::string& dataFolder, const HabitatRegistry& habitats, std::string* message);

    // Writes every profile to profiles.dat in the data folder as one step (a temporary file
    // beside it, flushed and renamed over the old one). Writes nothing, successfully, unless
    // the list was loaded from the file or got a profile in this run: a file that was never
    // read is not replaced by an empty list. False when the file could not be written (the
    // old one then left whole), or when a refused file could not be moved aside yet.
    bool Save(const std::string& dataFolder);

    // Appends the profile and makes it current.
    void AddProfile(std::unique_ptr<PlayerProfile> profile);
    // Deletes the profile at the index, keeping the others' order. The index becomes
    // current when a profile is still there, else the first; the list left empty has no
    // current profile, and the application then asks for a new name. An index outside the
    // list changes nothing.
    void DeleteProfile(int32_t index);

    // Null when the list is empty.
    PlayerProfile* GetCurrentProfile() const;
    // -1 exactly when the list is empty.
    int32_t GetCurrentIndex() const { return mCurrentProfile; }
    // An index outside the list changes nothing.
    void SetCurrentIndex(int32_t index);
    int32_t GetProfileCount() const { return static_cast<int32_t>(mProfiles.size()); }
    // Null for an index outside the list.
    PlayerProfile* GetProfile(int32_t index) const;

private:
    bool IsValidIndex(int32_t index) const { return index >= 0 && index < GetProfileCount(); }
    // Moves the refused file aside and says so in the message.
    LoadResult Refuse(const std::string& dataFolder, const std::string& reason, std::string* message);

    std::vector<std::unique_ptr<PlayerProfile>> mProfiles;
    int32_t mCurrentProfile = -1;
    // Load ran in this run.
    bool mFileRead = false;
    // The list came from the file or got a profile in this run, so the file has it to keep.
    bool mHasList = false;
    // A refused file could not be moved aside; the next save tries again before writing.
    bool mRefusedFileInPlace = false;
};
