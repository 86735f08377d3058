#include "framework/sound/SoundCache.h"

#include "framework/app/common/FileHelpers.h"

#include "framework/resources/PakFile.h"
#include "framework/sound/WavFile.h"
#include "platform/win32/Files.h"


namespace Zest {
namespace {

uint64_t ToInteger(const Win32::FILETIME& time)
{
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

bool DiskFileTime(const std::string& name, uint64_t* fileTime)
{
    const Win32::HANDLE file =
        Win32::CreateFileA(name.c_str(), Win32::GENERIC_READ, 0, nullptr, Win32::OPEN_EXISTING, 0, nullptr);
    if (file == Win32::INVALID_HANDLE_VALUE)
        return false;
    Win32::FILETIME lastWrite{};
    const bool known = Win32::GetFileTime(file, nullptr, nullptr, &lastWrite) != 0;
    Win32::CloseHandle(file);
    if (known)
        *fileTime = ToInteger(lastWrite);
    return known;
}

} // namespace

std::string CachedSoundFileName(const std::string& appDataFolder, const std::string& soundName)
{
    const bool relative = soundName.size() > 2 && soundName[0] != '\\' && soundName[0] != '/' && soundName[1] != ':';
    return relative ? appDataFolder + "cached\\" + soundName + ".wav" : std::string();
}

bool GetSourceFileTime(const std::string& sourceName, uint64_t* fileTime)
{
    *fileTime = 0;
    // The record's time, not the archive's: a rebuilt archive with a changed sound must
    // make the copy stale, while an unchanged sound keeps its time.
    if (PakFileHandle* const file = PakFOpen(sourceName.c_str(), "rb")) {
        const PakRecord* const record = file->mRecord;
        if (record != nullptr)
            *fileTime = ToInteger(record->mFileTime);
        PakFClose(file);
        if (record != nullptr)
            return true;
    }
    return DiskFileTime(sourceName, fileTime);
}

bool IsSourceCurrent(const std::string& sourceName, const uint64_t fileTime)
{
    uint64_t currentTime = 0;
    GetSourceFileTime(sourceName, &currentTime);
    return currentTime == fileTime;
}

bool WriteCachedSoundFile(const std::string& cacheFileName, const std::string& sourceName, const DecodedSound& sound)
{
    uint64_t sourceTime = 0;
    GetSourceFileTime(sourceName, &sourceTime);
    const std::vector<uint8_t> bytes = MakeCachedWav(sound.mFormat, sourceName, sourceTime, sound.mData);
    // Replaced whole, so that two loads of one sound or a crash never leave half a file.
    return WriteFileAtomically(cacheFileName, bytes.data(), bytes.size());
}

} // namespace Zest
