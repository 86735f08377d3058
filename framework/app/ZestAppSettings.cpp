// The application's settings in the settings store, under "SOFTWARE\" + mRegistryKeyName,
// and the typed registry and file operations the program keeps its saves with. A value
// name may hold backslashes: "P\Q\R" is the value R of the subkey P\Q.

#include "framework/app/ZestAppBase.h"

#include "framework/app/common/Buffer.h"
#include "framework/app/common/FileHelpers.h"
#include "framework/app/common/PathHelpers.h"
#include "framework/resources/PakFile.h"
#include "platform/win32/Registry.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace Zest {
namespace {

struct RegistryLocation {
    std::string mKeyPath;
    std::string mValueName;
};

RegistryLocation LocateValue(const std::string& keyName, const std::string& name)
{
    RegistryLocation location{"SOFTWARE\\" + keyName, name};
    const size_t slash = name.rfind('\\');
    if (slash != std::string::npos) {
        location.mKeyPath += "\\" + name.substr(0, slash);
        location.mValueName = name.substr(slash + 1);
    }
    return location;
}

// Closes a key handle when it goes out of scope.
class OpenKey {
public:
    OpenKey() = default;
    ~OpenKey()
    {
        if (mKey != nullptr)
            Win32::RegCloseKey(mKey);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    Win32::HKEY mKey = nullptr;
};

} // namespace

bool ZestAppBase::WriteRegValue(const std::string& name, const uint32_t type, const uint8_t* data,
                                const uint32_t length)
{
    if (mRegistryKeyName.empty())
        return false;
    const RegistryLocation location = LocateValue(mRegistryKeyName, name);
    OpenKey key;
    if (Win32::RegOpenKeyExA(Win32::HKEY_CURRENT_USER, location.mKeyPath.c_str(), 0, Win32::KEY_WRITE, &key.mKey) !=
            Win32::ERROR_SUCCESS &&
        Win32::RegCreateKeyExA(Win32::HKEY_CURRENT_USER, location.mKeyPath.c_str(), 0, nullptr,
                               Win32::REG_OPTION_NON_VOLATILE, Win32::KEY_ALL_ACCESS, nullptr, &key.mKey,
                               nullptr) != Win32::ERROR_SUCCESS)
        return false;
    // A value that could not be stored is a failed write: the caller must not believe the
    // setting was kept.
    return Win32::RegSetValueExA(key.mKey, location.mValueName.c_str(), 0, type, data, length) == Win32::ERROR_SUCCESS;
}

bool ZestAppBase::WriteRegString(const std::string& name, const std::string& text)
{
    return WriteRegValue(name, Win32::REG_SZ, reinterpret_cast<const uint8_t*>(text.c_str()),
                         static_cast<uint32_t>(text.size() + 1));
}

bool ZestAppBase::WriteRegInteger(const std::string& name, const int32_t value)
{
    return WriteRegValue(name, Win32::REG_DWORD, reinterpret_cast<const uint8_t*>(&value), sizeof(value));
}

bool ZestAppBase::WriteRegBoolean(const std::string& name, const bool value) { return WriteRegInteger(name, value ? 1 : 0); }

bool ZestAppBase::ReadRegValue(const std::string& name, uint32_t* type, uint8_t* data, uint32_t* length)
{
    if (mRegistryKeyName.empty())
        return false;
    const RegistryLocation location = LocateValue(mRegistryKeyName, name);
    OpenKey key;
    if (Win32::RegOpenKeyExA(Win32::HKEY_CURRENT_USER, location.mKeyPath.c_str(), 0, Win32::KEY_READ, &key.mKey) !=
        Win32::ERROR_SUCCESS)
        return false;
    Win32::DWORD valueType = 0;
    Win32::DWORD size = *length;
    if (Win32::RegQueryValueExA(key.mKey, location.mValueName.c_str(), nullptr, &valueType, data, &size) !=
        Win32::ERROR_SUCCESS)
        return false;
    *type = valueType;
    *length = size;
    return true;
}

bool ZestAppBase::ReadRegInteger(const std::string& name, int32_t* value)
{
    uint32_t type = 0;
    int32_t read = 0;
    uint32_t length = sizeof(read);
    if (!ReadRegValue(name, &type, reinterpret_cast<uint8_t*>(&read), &length) || type != Win32::REG_DWORD ||
        length != sizeof(read))
        return false;
    *value = read;
    return true;
}

bool ZestAppBase::ReadRegBoolean(const std::string& name, bool* value)
{
    int32_t read = 0;
    if (!ReadRegInteger(name, &read))
        return false;
    *value = read != 0;
    return true;
}

void ZestAppBase::EraseRegValue(const std::string& name)
{
    if (mRegistryKeyName.empty())
        return;
    const RegistryLocation location = LocateValue(mRegistryKeyName, name);
    OpenKey key;
    if (Win32::RegOpenKeyExA(Win32::HKEY_CURRENT_USER, location.mKeyPath.c_str(), 0, Win32::KEY_WRITE, &key.mKey) ==
        Win32::ERROR_SUCCESS)
        Win32::RegDeleteValueA(key.mKey, location.mValueName.c_str());
}

bool ZestAppBase::WriteFileBytes(const std::string& path, const uint8_t* data, const int32_t length)
{
    if (length < 0)
        return false;
    CreateDirectories(GetFileDir(path));
    return WriteFileAtomically(path, data, static_cast<size_t>(length));
}

bool ZestAppBase::WriteFileFromBuffer(const std::string& path, const Buffer& buffer)
{
    // A buffer that could not hold what was written to it would not read back.
    if (buffer.HasFailed())
        return false;
    return WriteFileBytes(path, buffer.GetDataPtr(), buffer.GetDataLen());
}

bool ZestAppBase::ReadFileToBuffer(const std::string& path, Buffer* buffer, bool direct)
{
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path.c_str(), &bytes))
        return false;
    buffer->Clear();
    return buffer->SetData(bytes.data(), static_cast<int32_t>(bytes.size()));
}

bool ZestAppBase::CheckFileExists(const std::string& path)
{
    PakFileHandle* file = PakFOpen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    PakFClose(file);
    return true;
}

void ZestAppBase::LoadSettings()
{
    mSettingsLoaded = true;
    mRegistryKeyName = GetString("RegistryKey", mRegistryKeyName);
    if (mRegistryKeyName.empty())
        return;

    int32_t value = 0;
    if (ReadRegInteger("MusicVolume", &value))
        mMusicVolume = value / 100.0;
    if (ReadRegInteger("SfxVolume", &value))
        mSfxVolume = value / 100.0;
    // Stored as a flag: one mute the player chose, or none.
    if (ReadRegInteger("Muted", &value))
        mMuteCount = std::clamp(value, 0, 1);
    if (ReadRegInteger("ScreenMode", &value))
        mWindowed = value == 0;
    if (ReadRegInteger("PreferredX", &value))
        mPreferredX = value;
    if (ReadRegInteger("PreferredY", &value))
        mPreferredY = value;
    if (ReadRegInteger("CustomCursors", &value))
        SetCustomCursorsEnabled(value != 0);
    if (ReadRegInteger("WaitForVSync", &value))
        mWaitForVSync = value != 0;
    if (ReadRegInteger("InProgress", &value))
        mLastRunEndedCleanly = value == 0;
    if (!mScreenSaverMode)
        WriteRegInteger("InProgress", 1);
}

void ZestAppBase::SaveSettings()
{
    WriteRegInteger("MusicVolume", static_cast<int32_t>(mMusicVolume * 100));
    WriteRegInteger("SfxVolume", static_cast<int32_t>(mSfxVolume * 100));
    WriteRegInteger("Muted", mMuteCount - mAutoMuteCount >= 1 ? 1 : 0);
    WriteRegInteger("ScreenMode", mWindowed ? 0 : 1);
    WriteRegInteger("PreferredX", mPreferredX);
    WriteRegInteger("PreferredY", mPreferredY);
    WriteRegInteger("CustomCursors", mCustomCursors ? 1 : 0);
    WriteRegInteger("InProgress", 0);
    WriteRegInteger("WaitForVSync", mWaitForVSync ? 1 : 0);
}

} // namespace Zest
