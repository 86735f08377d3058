#include "platform/win32/Files.h"

#include "platform/win32/Path.h"
#include "platform/win32/UniqueFd.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <utility>

namespace Win32 {
namespace {

// 1970-01-01 in 100 ns units since 1601-01-01.
constexpr int64_t kUnixEpochInFileTime = 116444736000000000;
constexpr int64_t kFileTimeUnitsPerSecond = 10000000;

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using UniqueDir = std::unique_ptr<DIR, DirCloser>;

BOOL Fail(const DWORD error)
{
    SetLastError(error);
    return 0;
}

HANDLE FailHandle(const DWORD error)
{
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

bool Exists(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

bool IsFolder(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// "a/b/c" -> {"a/b", "c"}; a path without '/' lies in the working folder.
std::pair<std::string, std::string> SplitFolder(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// A missing entry is a missing file when its folder exists, otherwise a missing path.
DWORD ErrorFromErrno(const int error, const std::string& path)
{
    switch (error) {
    case ENOENT:
        return IsFolder(SplitFolder(path).first) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return ERROR_PATH_NOT_FOUND;
    case EEXIST:
        return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY:
        return ERROR_DIR_NOT_EMPTY;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    default:
        return ERROR_ACCESS_DENIED;
    }
}

// For calls that need a folder: an existing entry that is not one is told apart from a
// missing path.
DWORD FolderError(const int error, const std::string& path)
{
    return error == ENOTDIR && Exists(path) ? ERROR_DIRECTORY : ErrorFromErrno(error, path);
}

// The entry of folder whose name equals name ignoring case, or "" when there is none. A
// lookup that misses reads the whole folder, so the entries are read in large batches
// straight from the descriptor: a DIR stream would cost a stat and an allocation more.
std::string FindNameNoCase(const std::string& folder, const std::string& name)
{
    const UniqueFd dir(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.Valid())
        return {};
    alignas(dirent64) char buffer[8192];
    ssize_t size = 0;
    while ((size = getdents64(dir.Get(), buffer, sizeof(buffer))) > 0) {
        for (ssize_t offset = 0; offset < size;) {
            const auto* const entry = reinterpret_cast<const dirent64*>(buffer + offset);
            if (strcasecmp(entry->d_name, name.c_str()) == 0)
                return entry->d_name;
            offset += entry->d_reclen;
        }
    }
    return {};
}

// The path of an entry that should exist.
std::string ExistingPath(const char* path) { return ResolvePathNoCase(ToNativePath(path)); }

// The path at which to create an entry: its folder found ignoring case, and an existing
// entry whose name differs only in case taken as the same entry, as the program's own
// file system would.
std::string CreationPath(const char* path)
{
    const std::string native = ToNativePath(path);
    const size_t slash = native.rfind('/');
    if (slash == std::string::npos)
        return ResolvePathNoCase(native);
    return ResolvePathNoCase(ResolvePathNoCase(native.substr(0, slash + 1)) + native.substr(slash + 1));
}

DWORD AttributesOf(const struct stat& info)
{
    DWORD attributes = 0;
    if (S_ISDIR(info.st_mode))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if ((info.st_mode & S_IWUSR) == 0)
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
}

// Reads the facts of what a symbolic link points to; a dangling link reads as an empty
// plain file (a link's own mode is writable and not a folder). False, with errno set, when
// the entry does not exist.
bool StatEntry(const std::string& path, struct stat* info)
{
    if (stat(path.c_str(), info) == 0)
        return true;
    if (lstat(path.c_str(), info) != 0)
        return false;
    info->st_size = 0;
    return true;
}

FILETIME FileTimeOf(const timespec& time) { return FileTimeFromUnix(time.tv_sec, time.tv_nsec); }

// The caller has checked that name fits cFileName.
void FillFindData(const std::string& name, const struct stat& info, WIN32_FIND_DATAA* data)
{
    *data = {};
    data->dwFileAttributes = AttributesOf(info);
    data->ftCreationTime = FileTimeOf(info.st_ctim);
    data->ftLastAccessTime = FileTimeOf(info.st_atim);
    data->ftLastWriteTime = FileTimeOf(info.st_mtim);
    const uint64_t size = S_ISDIR(info.st_mode) ? 0 : static_cast<uint64_t>(info.st_size);
    data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFF);
    std::memcpy(data->cFileName, name.c_str(), name.size() + 1);
}

bool FitsFindData(const std::string& name) { return name.size() < sizeof(WIN32_FIND_DATAA::cFileName); }

// Find patterns know only '*' and '?'; fnmatch would read '[' as the start of a set.
std::string ToFnmatchPattern(const std::string& findPattern)
{
    std::string pattern;
    for (const char c : findPattern) {
        if (c == '[')
            pattern += '\\';
        pattern += c;
    }
    return pattern;
}

class FindSearch final : public KernelObject {
public:
    // A search that has already returned its only entry.
    FindSearch() = default;

    // A wildcard search of the entries of folder.
    FindSearch(std::string folder, UniqueDir dir, const std::string& namePattern)
        : mFolder(std::move(folder)), mDir(std::move(dir)), mPattern(ToFnmatchPattern(namePattern))
    {
        // A trailing ".*" also matches where no dot is left: "*.*" matches every name and
        // "readme.*" matches "README".
        if (mPattern.size() > 2 && mPattern.ends_with(".*"))
            mPatternWithoutDotStar = mPattern.substr(0, mPattern.size() - 2);
    }

    // Fills data with the next matching entry; false at the end.
    bool Next(WIN32_FIND_DATAA* data)
    {
        const std::lock_guard lock(mMutex);
        if (!mDir)
            return false;
        while (const dirent* entry = readdir(mDir.get())) {
            const std::string name = entry->d_name;
            struct stat info;
            if (FitsFindData(name) && Matches(name) && StatEntry(mFolder + '/' + name, &info)) {
                FillFindData(name, info, data);
                return true;
            }
        }
        mDir.reset();
        return false;
    }

private:
    bool Matches(const std::string& name) const
    {
        if (fnmatch(mPattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0)
            return true;
        return !mPatternWithoutDotStar.empty() &&
               fnmatch(mPatternWithoutDotStar.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
    }

    std::mutex mMutex;
    std::string mFolder;
    UniqueDir mDir;
    std::string mPattern;
    std::string mPatternWithoutDotStar;
};

HANDLE FindEntry(const std::string& folder, const std::string& name, WIN32_FIND_DATAA* findData)
{
    if (name.empty())
        return FailHandle(ERROR_FILE_NOT_FOUND);
    const std::string path = ResolvePathNoCase(folder + '/' + name);
    const std::string foundName = SplitFolder(path).second;
    struct stat info;
    if (!FitsFindData(foundName) || !StatEntry(path, &info))
        return FailHandle(ERROR_FILE_NOT_FOUND);
    FillFindData(foundName, info, findData);
    return ToHandle(new FindSearch());
}

class File final : public KernelObject {
public:
    File(const int fd, const DWORD access) : mFd(fd), mAccess(access) {}

    int Descriptor() const { return mFd.Get(); }
    bool CanRead() const { return (mAccess & GENERIC_READ) != 0; }
    bool CanWrite() const { return (mAccess & GENERIC_WRITE) != 0; }

private:
    const UniqueFd mFd;
    const DWORD mAccess;
};

File* AsFile(HANDLE handle) { return dynamic_cast<File*>(FromHandle(handle)); }

// Installed at start-up and read from the audio and loading threads.
std::atomic<ContentFileReader> gContentFileReader{nullptr};

// A ContentFileReader for files on disk. Only regular files are content: a folder or a
// device has no bytes to read whole. A file that shrinks while it is read cannot be read.
bool ReadContentFileFromDisk(const char* fileName, std::vector<uint8_t>* bytes)
{
    const UniqueFd file(open(ExistingPath(fileName).c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info;
    if (!file.Valid() || fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    std::vector<uint8_t> whole(static_cast<size_t>(info.st_size));
    size_t total = 0;
    while (total < whole.size()) {
        const ssize_t count = read(file.Get(), whole.data() + total, whole.size() - total);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        total += static_cast<size_t>(count);
    }
    *bytes = std::move(whole);
    return true;
}

} // namespace

FILETIME FileTimeFromUnix(const int64_t seconds, const int64_t nanoseconds)
{
    // 128 bits so that no input overflows; times outside FILETIME's range are clamped.
    const __int128 units =
        static_cast<__int128>(seconds) * kFileTimeUnitsPerSecond + nanoseconds / 100 + kUnixEpochInFileTime;
    const uint64_t clamped = units < 0 ? 0 : units > UINT64_MAX ? UINT64_MAX : static_cast<uint64_t>(units);
    return {static_cast<DWORD>(clamped & 0xFFFFFFFF), static_cast<DWORD>(clamped >> 32)};
}

bool FindPathNoCase(const std::string& nativePath, std::string* found)
{
    *found = nativePath;
    if (nativePath.empty()) {
        errno = ENOENT;
        return false;
    }
    if (Exists(nativePath))
        return true;
    // Why the path as spelled cannot be reached, for a caller that reports the miss.
    const int spelledError = errno;
    std::string resolved = nativePath.front() == '/' ? "/" : "";
    size_t start = 0;
    while (start < nativePath.size()) {
        const size_t slash = nativePath.find('/', start);
        const size_t end = slash == std::string::npos ? nativePath.size() : slash;
        const std::string component = nativePath.substr(start, end - start);
        start = end + 1;
        if (component.empty())
            continue;
        // The path as spelled is already known to be missing.
        const std::string spelled = resolved + component;
        if (spelled != nativePath && Exists(spelled)) {
            resolved = spelled;
        } else {
            const std::string name = FindNameNoCase(resolved.empty() ? "." : resolved, component);
            if (name.empty()) {
                errno = spelledError;
                return false;
            }
            resolved += name;
        }
        resolved += '/';
    }
    if (nativePath.back() != '/' && resolved.size() > 1)
        resolved.pop_back();
    *found = std::move(resolved);
    return true;
}

std::string ResolvePathNoCase(const std::string& nativePath)
{
    std::string found;
    FindPathNoCase(nativePath, &found);
    return found;
}

HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* findData)
{
    if (pattern == nullptr || findData == nullptr)
        return FailHandle(ERROR_INVALID_PARAMETER);
    const auto [spelledFolder, name] = SplitFolder(ToNativePath(pattern));
    const std::string folder = ResolvePathNoCase(spelledFolder);
    if (!IsFolder(folder))
        return FailHandle(ERROR_PATH_NOT_FOUND);
    if (name.find_first_of("*?") == std::string::npos)
        return FindEntry(folder, name, findData);
    UniqueDir dir(opendir(folder.c_str()));
    if (!dir)
        return FailHandle(ErrorFromErrno(errno, folder));
    auto search = std::make_unique<FindSearch>(folder, std::move(dir), name);
    if (!search->Next(findData))
        return FailHandle(ERROR_FILE_NOT_FOUND);
    return ToHandle(search.release());
}

BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* findData)
{
    auto* const object = dynamic_cast<FindSearch*>(FromHandle(search));
    if (object == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    if (findData == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    if (!object->Next(findData))
        return Fail(ERROR_NO_MORE_FILES);
    return 1;
}

BOOL FindClose(HANDLE search)
{
    const auto* const object = dynamic_cast<FindSearch*>(FromHandle(search));
    if (object == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    delete object;
    return 1;
}

BOOL CreateDirectoryA(const char* path, void* securityAttributes)
{
    if (path == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    const std::string native = CreationPath(path);
    if (mkdir(native.c_str(), 0777) != 0)
        return Fail(errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno, native));
    return 1;
}

BOOL RemoveDirectoryA(const char* path)
{
    if (path == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    const std::string native = ExistingPath(path);
    if (rmdir(native.c_str()) != 0)
        return Fail(FolderError(errno, native));
    return 1;
}

BOOL DeleteFileA(const char* path)
{
    if (path == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    const std::string native = ExistingPath(path);
    // unlink refuses a folder (EISDIR), which reads as access denied.
    if (unlink(native.c_str()) != 0)
        return Fail(ErrorFromErrno(errno, native));
    return 1;
}

BOOL MoveFileA(const char* existingPath, const char* newPath)
{
    if (existingPath == nullptr || newPath == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    // Both found ignoring case; a missing source's folder too, so that its error tells a
    // missing file from a missing folder.
    const std::string from = CreationPath(existingPath);
    const std::string to = CreationPath(newPath);
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 1;
    if (errno != EINVAL && errno != ENOSYS)
        return Fail(ErrorFromErrno(errno, errno == EEXIST ? to : from));
    // A file system without the exclusive rename: look before renaming.
    if (Exists(to))
        return Fail(ERROR_ALREADY_EXISTS);
    if (std::rename(from.c_str(), to.c_str()) != 0)
        return Fail(ErrorFromErrno(errno, from));
    return 1;
}

DWORD GetFileAttributesA(const char* path)
{
    if (path == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_FILE_ATTRIBUTES;
    }
    const std::string native = ExistingPath(path);
    struct stat info;
    if (!StatEntry(native, &info)) {
        SetLastError(ErrorFromErrno(errno, native));
        return INVALID_FILE_ATTRIBUTES;
    }
    return AttributesOf(info);
}

BOOL SetCurrentDirectoryA(const char* path)
{
    if (path == nullptr)
        return Fail(ERROR_INVALID_PARAMETER);
    const std::string native = ExistingPath(path);
    if (chdir(native.c_str()) != 0)
        return Fail(FolderError(errno, native));
    return 1;
}

DWORD GetCurrentDirectoryA(const DWORD size, char* buffer)
{
    if (buffer == nullptr && size != 0)
        return Fail(ERROR_INVALID_PARAMETER);
    std::error_code error;
    const std::string folder = std::filesystem::current_path(error).string();
    if (error)
        return Fail(error.value() == EACCES ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND);
    const auto length = static_cast<DWORD>(folder.size());
    if (size <= length)
        return length + 1;
    std::memcpy(buffer, folder.c_str(), folder.size() + 1);
    return length;
}

HANDLE CreateFileA(const char* path, const DWORD desiredAccess, DWORD shareMode, void* securityAttributes,
                   const DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile)
{
    if (path == nullptr)
        return FailHandle(ERROR_INVALID_PARAMETER);
    const bool read = (desiredAccess & GENERIC_READ) != 0;
    const bool write = (desiredAccess & GENERIC_WRITE) != 0;
    std::string native;
    int flags = O_CLOEXEC;
    bool existed = false;
    switch (creationDisposition) {
    case OPEN_EXISTING:
        native = ExistingPath(path);
        flags |= write ? (read ? O_RDWR : O_WRONLY) : O_RDONLY;
        break;
    case CREATE_ALWAYS:
        native = CreationPath(path);
        existed = Exists(native);
        // Truncating needs a writable descriptor even when the caller asked only to read;
        // the handle's own access still decides what ReadFile and WriteFile allow.
        flags |= O_CREAT | O_TRUNC | (read ? O_RDWR : O_WRONLY);
        break;
    default:
        return FailHandle(ERROR_INVALID_PARAMETER);
    }
    const int fd = open(native.c_str(), flags, 0666);
    if (fd < 0)
        return FailHandle(ErrorFromErrno(errno, native));
    auto file = std::make_unique<File>(fd, desiredAccess);
    struct stat info;
    // Opening a folder as a file is refused, as a folder has no bytes to read.
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode))
        return FailHandle(ERROR_ACCESS_DENIED);
    SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return ToHandle(file.release());
}

DWORD GetFileSize(HANDLE file, DWORD* fileSizeHigh)
{
    const File* const object = AsFile(file);
    struct stat info;
    if (object == nullptr || fstat(object->Descriptor(), &info) != 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    const auto size = static_cast<uint64_t>(info.st_size);
    if (fileSizeHigh != nullptr)
        *fileSizeHigh = static_cast<DWORD>(size >> 32);
    // Tells a size whose low half equals INVALID_FILE_SIZE apart from a failure.
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size & 0xFFFFFFFF);
}

BOOL GetFileTime(HANDLE file, FILETIME* creationTime, FILETIME* lastAccessTime, FILETIME* lastWriteTime)
{
    const File* const object = AsFile(file);
    struct stat info;
    if (object == nullptr || fstat(object->Descriptor(), &info) != 0)
        return Fail(ERROR_INVALID_HANDLE);
    if (creationTime != nullptr)
        *creationTime = FileTimeOf(info.st_ctim);
    if (lastAccessTime != nullptr)
        *lastAccessTime = FileTimeOf(info.st_atim);
    if (lastWriteTime != nullptr)
        *lastWriteTime = FileTimeOf(info.st_mtim);
    return 1;
}

BOOL ReadFile(HANDLE file, void* buffer, const DWORD bytesToRead, DWORD* bytesRead, void* overlapped)
{
    if (bytesRead != nullptr)
        *bytesRead = 0;
    const File* const object = AsFile(file);
    if (object == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    if (overlapped != nullptr || (buffer == nullptr && bytesToRead != 0))
        return Fail(ERROR_INVALID_PARAMETER);
    if (!object->CanRead())
        return Fail(ERROR_ACCESS_DENIED);
    // A file read returns everything asked for up to the end of the file.
    DWORD total = 0;
    while (total < bytesToRead) {
        const ssize_t count = read(object->Descriptor(), static_cast<char*>(buffer) + total, bytesToRead - total);
        if (count == 0)
            break;
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return Fail(ERROR_READ_FAULT);
        total += static_cast<DWORD>(count);
        if (bytesRead != nullptr)
            *bytesRead = total;
    }
    return 1;
}

BOOL WriteFile(HANDLE file, const void* buffer, const DWORD bytesToWrite, DWORD* bytesWritten, void* overlapped)
{
    if (bytesWritten != nullptr)
        *bytesWritten = 0;
    const File* const object = AsFile(file);
    if (object == nullptr)
        return Fail(ERROR_INVALID_HANDLE);
    if (overlapped != nullptr || (buffer == nullptr && bytesToWrite != 0))
        return Fail(ERROR_INVALID_PARAMETER);
    if (!object->CanWrite())
        return Fail(ERROR_ACCESS_DENIED);
    DWORD total = 0;
    while (total < bytesToWrite) {
        const ssize_t count =
            write(object->Descriptor(), static_cast<const char*>(buffer) + total, bytesToWrite - total);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return Fail(ERROR_WRITE_FAULT);
        total += static_cast<DWORD>(count);
        if (bytesWritten != nullptr)
            *bytesWritten = total;
    }
    return 1;
}

int FileDescriptorOf(HANDLE file)
{
    const File* const object = AsFile(file);
    return object != nullptr ? object->Descriptor() : -1;
}

void SetContentFileReader(const ContentFileReader reader) { gContentFileReader.store(reader); }

bool ReadContentFile(const char* fileName, std::vector<uint8_t>* bytes)
{
    if (fileName == nullptr)
        return false;
    const ContentFileReader reader = gContentFileReader.load();
    return reader != nullptr ? reader(fileName, bytes) : ReadContentFileFromDisk(fileName, bytes);
}

} // namespace Win32
