#include "game/ProfileStore.h"

#include "framework/app/common/Buffer.h"
#include "game/SaveFileReader.h"
#include "game/SavedStage.h"
#include "game/SaveFiles.h"


#include <memory>
#include <utility>

namespace {

using ProfileList = std::vector<std::unique_ptr<PlayerProfile>>;

const char* const kUnreadableMessage = "Could not read contents of profiles.dat";
// Far above the records of any number of players; it bounds what a foreign file can make
// the reader allocate.
constexpr size_t kMaxFileBytes = size_t{64} << 20;

void WriteProfileRecord(Zest::Buffer& buffer, const PlayerProfile& profile)
{
    buffer.WriteString(profile.mName);
    buffer.WriteLong(profile.mHabitatsStarted);
    buffer.WriteLong(profile.mScore);
    buffer.WriteString(profile.mHabitatName);
    buffer.WriteLong(profile.mStageIndex);
    buffer.WriteLong(profile.mHabitatProgress);
    buffer.WriteLong(profile.mNextLevel);
    buffer.WriteLong(profile.mTorches);
    buffer.WriteLong(profile.mWater);
    buffer.WriteLong(profile.mShuffles);
    WriteStage(buffer, profile.mStage);
    profile.mStats.Write(buffer);
    profile.Write(buffer);
}

// A profile starts from the values of a new one under the name read, then takes the rest.
std::unique_ptr<PlayerProfile> ReadProfileRecord(SaveFileReader& reader, const HabitatRegistry& habitats)
{
    auto profile = std::make_unique<PlayerProfile>(reader.ReadString());
    profile->mHabitatsStarted = reader.ReadLong();
    profile->mScore = reader.ReadLong();
    profile->mHabitatName = reader.ReadString();
    profile->mStageIndex = reader.ReadLong();
    profile->mHabitatProgress = reader.ReadLong();
    profile->mNextLevel = reader.ReadLong();
    profile->mTorches = reader.ReadLong();
    profile->mWater = reader.ReadLong();
    profile->mShuffles = reader.ReadLong();
    profile->mStage = ReadStage(reader, profile->mHabitatName, habitats);
    profile->mStats.Read(reader);
    profile->Read(reader);
    return profile;
}

// The profiles and current index of the whole file, or false when it is damaged: cut
// short, a negative count or string length, or bytes after the last record.
bool ReadProfileList(const std::vector<uint8_t>& bytes, const HabitatRegistry& habitats, ProfileList* profiles,
                     int32_t* currentIndex)
{
    Zest::Buffer buffer;
    if (!buffer.SetData(bytes.data(), static_cast<int32_t>(bytes.size())))
        return false;
    SaveFileReader reader(buffer);
    const int32_t count = reader.ReadCount();
    *currentIndex = reader.ReadLong();
    // Each record takes a thousand bytes or more, so a count the file cannot hold ends the
    // loop at the first record that runs out of bytes.
    for (int32_t i = 0; i < count && !reader.IsDamaged(); ++i)
        profiles->push_back(ReadProfileRecord(reader, habitats));
    return !reader.IsDamaged() && reader.IsAtEnd();
}

} // namespace

ProfileStore::LoadResult ProfileStore::Load(const std::string& dataFolder, const HabitatRegistry& habitats,
                                            std::string* message)
{
    if (mFileRead)
        return LoadResult::AlreadyRead;
    mFileRead = true;

    std::vector<uint8_t> bytes;
    bool complete = false;
    switch (ReadSaveFile(dataFolder + kFileName, kMaxFileBytes, &bytes, &complete)) {
    case SaveFileRead::Missing:
        return LoadResult::Missing;
    case SaveFileRead::Unreadable:
        return Refuse(dataFolder, ".", message);
    case SaveFileRead::Read:
        break;
    }
    if (!complete)
        return Refuse(dataFolder, ": the file is too large to hold player profiles.", message);

    ProfileList loaded;
    int32_t currentIndex = -1;
    if (!ReadProfileList(bytes, habitats, &loaded, &currentIndex))
        return Refuse(dataFolder, ": the file is damaged.", message);

    for (std::unique_ptr<PlayerProfile>& profile : loaded)
        mProfiles.push_back(std::move(profile));
    mCurrentProfile = IsValidIndex(currentIndex) ? currentIndex : (mProfiles.empty() ? -1 : 0);
    mHasList = true;
    return LoadResult::Loaded;
}

ProfileStore::LoadResult ProfileStore::Refuse(const std::string& dataFolder, const std::string& reason,
                                              std::string* message)
{
    *message = kUnreadableMessage + reason + "\n\n";
    std::string asideName;
    if (MoveFileAside(dataFolder, kFileName, &asideName)) {
        if (!asideName.empty())
            *message += "It was moved to " + asideName + ", and the game goes on without the profiles it holds.";
        else
            *message += "The game goes on without the profiles it holds.";
    } else {
        mRefusedFileInPlace = true;
        *message += "It could not be moved aside, so it is left as it is and no profile is saved over it.";
    }
    return LoadResult::Refused;
}

bool ProfileStore::Save(const std::string& dataFolder)
{
    if (!mHasList)
        return true;
    if (!MoveRefusedFileAside(dataFolder, kFileName, &mRefusedFileInPlace))
        return false;

    Zest::Buffer buffer;
    buffer.WriteLong(GetProfileCount());
    buffer.WriteLong(mProfiles.empty() ? -1 : mCurrentProfile);
    for (const std::unique_ptr<PlayerProfile>& profile : mProfiles)
        WriteProfileRecord(buffer, *profile);

    return WriteSaveFile(dataFolder + kFileName, buffer);
}

void ProfileStore::AddProfile(std::unique_ptr<PlayerProfile> profile)
{
    mProfiles.push_back(std::move(profile));
    mCurrentProfile = GetProfileCount() - 1;
    mHasList = true;
}

void ProfileStore::DeleteProfile(const int32_t index)
{
    if (!IsValidIndex(index))
        return;
    mProfiles.erase(mProfiles.begin() + index);
    if (mProfiles.empty())
        mCurrentProfile = -1;
    else
        mCurrentProfile = IsValidIndex(index) ? index : 0;
}

PlayerProfile* ProfileStore::GetCurrentProfile() const
{
    return IsValidIndex(mCurrentProfile) ? mProfiles[mCurrentProfile].get() : nullptr;
}

void ProfileStore::SetCurrentIndex(const int32_t index)
{
    if (IsValidIndex(index))
        mCurrentProfile = index;
}

PlayerProfile* ProfileStore::GetProfile(const int32_t index) const
{
    return IsValidIndex(index) ? mProfiles[index].get() : nullptr;
}
