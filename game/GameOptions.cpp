#include "game/GameOptions.h"

#include "framework/app/Buffer.h"
#include "framework/app/FileHelpers.h"
#include "framework/resources/PakFile.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <memory>

namespace {

const char* const kUnreadableMessage = "Could not read contents of options.dat";
const char* const kDefaultsUsed = "\n\nThe default options are used.";

enum class FileRead { Read, Missing, Unreadable };

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

// Reads the file's first kFileSize bytes, or fewer when it is shorter.
FileRead ReadOptionsFile(const std::string& path, std::array<uint8_t, GameOptions::kFileSize>* bytes,
                         size_t* count)
{
    errno = 0;
    const std::unique_ptr<FILE, FileCloser> file(Zest::OpenSystemFile(path.c_str(), "rb"));
    if (!file)
        return errno == ENOENT ? FileRead::Missing : FileRead::Unreadable;
    *count = std::fread(bytes->data(), 1, bytes->size(), file.get());
    return std::ferror(file.get()) != 0 ? FileRead::Unreadable : FileRead::Read;
}

// The installation's own writer only stores 0 to kVolumeSteps; anything else is damage.
bool IsStoredVolume(const int32_t stored) { return stored >= 0 && stored <= GameOptions::kVolumeSteps; }

// Out-of-range and NaN volumes would not convert to an integer safely.
int32_t ToStoredVolume(const double volume)
{
    const double clamped = !(volume >= 0.0) ? 0.0 : (volume > 1.0 ? 1.0 : volume);
    return static_cast<int32_t>(clamped * GameOptions::kVolumeSteps);
}

double FromStoredVolume(const int32_t stored) { return stored / static_cast<double>(GameOptions::kVolumeSteps); }

} // namespace

GameOptions::LoadResult GameOptions::Load(const std::string& dataFolder, std::string* message)
{
    std::array<uint8_t, kFileSize> bytes{};
    size_t count = 0;
    switch (ReadOptionsFile(dataFolder + kFileName, &bytes, &count)) {
    case FileRead::Missing:
        return LoadResult::Missing;
    case FileRead::Unreadable:
        *message = std::string(kUnreadableMessage) + kDefaultsUsed;
        return LoadResult::Refused;
    case FileRead::Read:
        break;
    }
    if (count < bytes.size()) {
        *message = std::string(kUnreadableMessage) + ": the file is cut short (" + std::to_string(count) + " of " +
                   std::to_string(kFileSize) + " bytes)." + kDefaultsUsed;
        return LoadResult::Refused;
    }

    Zest::Buffer buffer;
    buffer.SetData(bytes.data(), kFileSize);
    const int32_t reservedValue = buffer.ReadLong();
    const int32_t musicVolume = buffer.ReadLong();
    const int32_t sfxVolume = buffer.ReadLong();
    std::array<uint8_t, 6> flags{};
    bool flagsSound = true;
    for (uint8_t& flag : flags) {
        flag = buffer.ReadByte();
        flagsSound = flagsSound && flag <= 1;
    }
    if (!IsStoredVolume(musicVolume) || !IsStoredVolume(sfxVolume) || !flagsSound) {
        *message = std::string(kUnreadableMessage) + ": the file is damaged." + kDefaultsUsed;
        return LoadResult::Refused;
    }

    mReservedValue = reservedValue;
    mMusicVolume = FromStoredVolume(musicVolume);
    mSfxVolume = FromStoredVolume(sfxVolume);
    mTutorialTips = flags[0] != 0;
    mReservedFlag = flags[1] != 0;
    mAnimalNames = flags[2] != 0;
    mHintFeature = flags[3] != 0;
    mScanLines = flags[4] != 0;
    mMuteOnPause = flags[5] != 0;
    return LoadResult::Loaded;
}

bool GameOptions::Save(const std::string& dataFolder) const
{
    if (!mSaveEnabled)
        return true;
    Zest::Buffer buffer;
    buffer.WriteLong(mReservedValue);
    buffer.WriteLong(ToStoredVolume(mMusicVolume));
    buffer.WriteLong(ToStoredVolume(mSfxVolume));
    for (const bool flag : {mTutorialTips, mReservedFlag, mAnimalNames, mHintFeature, mScanLines, mMuteOnPause})
        buffer.WriteBoolean(flag);

    const std::string path = dataFolder + kFileName;
    if (!Zest::WriteFileAtomically(path, buffer.GetDataPtr(), static_cast<size_t>(buffer.GetDataLen())))
        return false;
    // Every player of the machine shares the options; a refusal changes nothing written.
    Zest::AllowAllAccess(path);
    return true;
}
