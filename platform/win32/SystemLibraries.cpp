#include "platform/win32/SystemLibraries.h"

#include "platform/win32/Input.h"
#include "platform/win32/Kernel.h"
#include "platform/win32/Path.h"
#include "platform/win32/Process.h"

#include <strings.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>

namespace Win32 {
namespace {

// The version block: this header, then the product version and its NUL.
struct VersionBlockHeader {
    uint32_t magic;
    uint32_t size;
};

constexpr uint32_t kVersionBlockMagic = 0x31565347; // "GSV1"
constexpr std::string_view kProductVersion = GREENATLAS_PRODUCT_VERSION;
constexpr DWORD kVersionBlockSize = sizeof(VersionBlockHeader) + kProductVersion.size() + 1;

// ERROR_SUCCESS when path names the running executable, else why it has no version block.
DWORD CheckVersionedFile(const char* path)
{
    if (path == nullptr)
        return ERROR_INVALID_PARAMETER;
    std::error_code error;
    const std::filesystem::path file = std::filesystem::canonical(ToNativePath(path), error);
    if (error)
        return ERROR_FILE_NOT_FOUND;
    const std::filesystem::path program = std::filesystem::canonical("/proc/self/exe", error);
    if (error || file != program)
        return ERROR_RESOURCE_DATA_NOT_FOUND;
    return ERROR_SUCCESS;
}

bool IsProductVersionQuery(const char* subBlock)
{
    return strcasecmp(subBlock, "\\StringFileInfo\\040904B0\\ProductVersion") == 0
        || strcasecmp(subBlock, "\\StringFileInfo\\040904E4\\ProductVersion") == 0;
}

// $XDG_DATA_HOME when it is absolute, else $HOME/.local/share; empty when neither is known.
std::string ApplicationDataFolder()
{
    const char* const dataHome = std::getenv("XDG_DATA_HOME");
    const char* const home = std::getenv("HOME");
    std::string folder;
    if (dataHome != nullptr && dataHome[0] == '/')
        folder = dataHome;
    else if (home != nullptr && home[0] == '/')
        folder = std::string(home) + "/.local/share";
    // The program appends "\\name" to the folder, which is named without a trailing separator.
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

struct EntryPoint {
    std::string_view name;
    FARPROC address;
};

const EntryPoint kVersionEntryPoints[] = {
    {"GetFileVersionInfoSizeA", reinterpret_cast<FARPROC>(&GetFileVersionInfoSizeA)},
    {"GetFileVersionInfoA", reinterpret_cast<FARPROC>(&GetFileVersionInfoA)},
    {"VerQueryValueA", reinterpret_cast<FARPROC>(&VerQueryValueA)},
};
const EntryPoint kUser32EntryPoints[] = {
    {"GetLastInputInfo", reinterpret_cast<FARPROC>(&GetLastInputInfo)},
};
const EntryPoint kShellFolderEntryPoints[] = {
    {"SHGetFolderPathA", reinterpret_cast<FARPROC>(&SHGetFolderPathA)},
};

} // namespace

struct SystemLibrary {
    std::string_view baseName;
    std::span<const EntryPoint> entryPoints;
};

namespace {

const SystemLibrary kSystemLibraries[] = {
    {"version", kVersionEntryPoints},
    {"user32", kUser32EntryPoints},
    {"shell32", kShellFolderEntryPoints},
    {"shfolder", kShellFolderEntryPoints},
};

} // namespace

const SystemLibrary* FindSystemLibrary(const std::string_view baseName)
{
    for (const SystemLibrary& library : kSystemLibraries) {
        if (library.baseName == baseName)
            return &library;
    }
    return nullptr;
}

FARPROC FindSystemEntryPoint(const SystemLibrary& library, const std::string_view name)
{
    for (const EntryPoint& entryPoint : library.entryPoints) {
        if (entryPoint.name == name)
            return entryPoint.address;
    }
    return nullptr;
}

DWORD GetFileVersionInfoSizeA(const char* path, DWORD* handle)
{
    if (handle != nullptr)
        *handle = 0;
    const DWORD error = CheckVersionedFile(path);
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return 0;
    }
    return kVersionBlockSize;
}

BOOL GetFileVersionInfoA(const char* path, DWORD handle, const DWORD size, void* data)
{
    const DWORD error = data == nullptr ? ERROR_INVALID_PARAMETER : CheckVersionedFile(path);
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return 0;
    }
    if (size < kVersionBlockSize) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const VersionBlockHeader header{kVersionBlockMagic, kVersionBlockSize};
    char* const bytes = static_cast<char*>(data);
    std::memcpy(bytes, &header, sizeof(header));
    std::memcpy(bytes + sizeof(header), kProductVersion.data(), kProductVersion.size());
    bytes[kVersionBlockSize - 1] = '\0';
    return 1;
}

BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* length)
{
    if (block == nullptr || subBlock == nullptr || buffer == nullptr || length == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const char* const bytes = static_cast<const char*>(block);
    VersionBlockHeader header;
    std::memcpy(&header, bytes, sizeof(header));
    // Only this program makes version blocks, so a genuine one has exactly this size.
    if (header.magic != kVersionBlockMagic || header.size != kVersionBlockSize) {
        SetLastError(ERROR_INVALID_DATA);
        return 0;
    }
    const char* const text = bytes + sizeof(header);
    const void* const end = std::memchr(text, '\0', kVersionBlockSize - sizeof(header));
    if (end == nullptr) {
        SetLastError(ERROR_INVALID_DATA);
        return 0;
    }
    if (!IsProductVersionQuery(subBlock)) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return 0;
    }
    *buffer = const_cast<char*>(text);
    *length = static_cast<UINT>(static_cast<const char*>(end) - text + 1);
    return 1;
}

BOOL GetLastInputInfo(LASTINPUTINFO* info)
{
    if (info == nullptr || info->cbSize != sizeof(LASTINPUTINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    info->dwTime = LastInputTick();
    return 1;
}

HRESULT SHGetFolderPathA(HWND owner, const int folder, HANDLE token, DWORD flags, char* path)
{
    const int kind = folder & ~CSIDL_FLAG_CREATE;
    if (path == nullptr || (kind != CSIDL_APPDATA && kind != CSIDL_COMMON_APPDATA))
        return E_FAIL;
    const std::string dataFolder = ApplicationDataFolder();
    if (dataFolder.empty() || dataFolder.size() >= MAX_PATH)
        return E_FAIL;
    if ((folder & CSIDL_FLAG_CREATE) != 0) {
        std::error_code error;
        std::filesystem::create_directories(dataFolder, error);
        if (error)
            return E_FAIL;
    }
    std::memcpy(path, dataFolder.c_str(), dataFolder.size() + 1);
    return S_OK;
}

} // namespace Win32
