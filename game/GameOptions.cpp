#include "game/GameOptions.h"

#include "framework/app/common/Buffer.h"
#include "game/SaveFiles.h"

#include <array>
#include <vector>

namespace {

const char* const kUnreadableMessage = "Could not read contents of options.dat";
const char* const kDefaultsUsed =
    "\n\nThe default options are used. The file is moved to options.dat.damaged when the options are next saved.";

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
    const LoadResult result = Read(dataFolder, message);
    mRefusedFileInPlace = result == LoadResult::Refused;
    return result;
}

GameOptions::LoadResult GameOptions::Read(const std::string& dataFolder, std::string* message)
{
    // Bytes after the fields are ignored.
    std::vector<uint8_t> bytes;
    bool complete = false;
    switch (ReadSaveFile(dataFolder + kFileName, kFileSize, &bytes, &complete)) {
    case SaveFileRead::Missing:
        return LoadResult::Missing;
    case SaveFileRead::Unreadable:
        *message = std::string(kUnreadableMessage) + kDefaultsUsed;
        return LoadResult::Refused;
    case SaveFileRead::Read:
        break;
    }
    const size_t count = bytes.size();
    if (count < kFileSize) {
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

bool GameOptions::Save(const std::string& dataFolder)
{
    if (!mSaveEnabled)
        return true;
    if (!MoveRefusedFileAside(dataFolder, kFileName, &mRefusedFileInPlace))
        return false;
    Zest::Buffer buffer;
    buffer.WriteLong(mReservedValue);
    buffer.WriteLong(ToStoredVolume(mMusicVolume));
    buffer.WriteLong(ToStoredVolume(mSfxVolume));
    for (const bool flag : {mTutorialTips, mReservedFlag, mAnimalNames, mHintFeature, mScanLines, mMuteOnPause})
        buffer.WriteBoolean(flag);

    return WriteSaveFile(dataFolder + kFileName, buffer);
}
