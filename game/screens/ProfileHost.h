#pragma once
// The player profiles, which the application keeps and writes to profiles.dat: the current
// one, adding and deleting, the names for a list, and reading and writing the file.

#include <cstdint>
#include <memory>

namespace Zest {
class ListWidget;
}

class PlayerProfile;

class ProfileHost {
public:
    virtual ~ProfileHost() = default;

    // Null while no profile is current.
    virtual PlayerProfile* GetCurrentProfile() const = 0;
    // An index that names no profile changes nothing.
    virtual void SetCurrentProfileIndex(int32_t index) = 0;
    // Appends the profile and makes it current.
    virtual void AddProfile(std::unique_ptr<PlayerProfile> profile) = 0;
    // Deletes at once, without saving; when no profile is left the name entry opens (over
    // the profile selection when that is open). An index that names no profile changes
    // nothing.
    virtual void DeleteProfile(int32_t index) = 0;
    // Appends every profile's name, in profile order.
    virtual void FillProfileList(Zest::ListWidget* list) = 0;
    // Reads profiles.dat, the first time only; false when no file was read by this call.
    virtual bool LoadProfiles() = 0;
    // Writes profiles.dat; a failure is reported to the player by the host.
    virtual bool SaveProfiles() = 0;
};
