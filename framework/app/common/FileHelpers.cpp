#include "framework/app/common/FileHelpers.h"

#include "framework/app/common/PathHelpers.h"
#include "platform/win32/Path.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace Zest {
namespace {

std::string& AppDataFolder()
{
    static std::string folder;
    return folder;
}

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

// Deletes a folder that lstat reported as a real folder, not a link to one.
bool DeleteTree(const std::string& nativeFolder)
{
    const std::unique_ptr<DIR, DirCloser> dir(opendir(nativeFolder.c_str()));
    if (!dir)
        return false;

    bool result = true;
    while (const dirent* entry = readdir(dir.get())) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        const std::string child = nativeFolder + "/" + entry->d_name;
        struct stat childInfo {};
        if (lstat(child.c_str(), &childInfo) != 0) {
            result = false;
        } else if (S_ISDIR(childInfo.st_mode)) {
            result = DeleteTree(child) && result;
        } else if (unlink(child.c_str()) != 0) {
            result = false;
        }
    }
    return rmdir(nativeFolder.c_str()) == 0 && result;
}

} // namespace

std::string GetCurrentDir()
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? std::string() : folder.string();
}

int64_t GetFileDate(const std::string& path)
{
    struct stat info {};
    if (stat(Win32::ToNativePath(path).c_str(), &info) != 0)
        return 0;
    return static_cast<int64_t>(info.st_mtime);
}

void CreateDirectories(const std::string& path)
{
    const std::string native = Win32::ToNativePath(path);
    for (size_t i = 0; i < native.size(); ++i) {
        if (native[i] == '/' && i > 0)
            mkdir(native.substr(0, i).c_str(), 0777);
    }
    mkdir(native.c_str(), 0777);
}

bool WriteFileAtomically(const std::string& path, const uint8_t* data, const size_t length)
{
    const std::string native = Win32::ToNativePath(path);
    const std::string temporary = native + ".new";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        return false;
    bool written = length == 0 || std::fwrite(data, 1, length, file) == length;
    written = std::fflush(file) == 0 && written;
    written = fsync(fileno(file)) == 0 && written;
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), native.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool DeleteFilesRecursive(const std::string& folder)
{
    if (folder.size() < 2)
        return false;
    std::string native = Win32::ToNativePath(folder);
    while (native.size() > 1 && native.back() == '/')
        native.pop_back();

    struct stat info {};
    if (lstat(native.c_str(), &info) != 0)
        return false;
    if (S_ISLNK(info.st_mode))
        return unlink(native.c_str()) == 0;
    if (!S_ISDIR(info.st_mode))
        return false;
    return DeleteTree(native);
}

bool AllowAllAccess(const std::string& path) { return true; }

std::string GetAppDataFolder() { return AppDataFolder(); }

void SetAppDataFolder(const std::string& path)
{
    if (!IsVistaOrLater())
        return;
    AppDataFolder() = AddTrailingSlash(path);
}

bool IsWin9x() { return false; }

bool IsVistaOrLater() { return true; }

} // namespace Zest
