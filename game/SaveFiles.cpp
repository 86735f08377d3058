#include "game/SaveFiles.h"

#include "framework/app/common/Buffer.h"
#include "framework/app/common/FileHelpers.h"
#include "framework/resources/PakFile.h"
#include "platform/win32/Path.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace {

// Set-aside names tried after the plain one.
constexpr int32_t kMaxSetAsideNumber = 999;

// Renames without ever replacing what is at the destination; errno EEXIST when something is.
bool MoveWithoutReplacing(const std::string& from, const std::string& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without the exclusive rename: look before renaming.
    struct stat info {};
    if (lstat(to.c_str(), &info) == 0) {
        errno = EEXIST;
        return false;
    }
    return std::rename(from.c_str(), to.c_str()) == 0;
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

} // namespace

SaveFileRead ReadSaveFile(const std::string& path, const size_t limit, std::vector<uint8_t>* bytes, bool* complete)
{
    errno = 0;
    const std::unique_ptr<FILE, FileCloser> file(Zest::OpenSystemFile(path.c_str(), "rb"));
    if (!file)
        return errno == ENOENT ? SaveFileRead::Missing : SaveFileRead::Unreadable;
    // Read in chunks, so that a large limit costs nothing for a small file; one byte more
    // than the limit tells whether the file goes on.
    bytes->clear();
    uint8_t chunk[65536];
    while (bytes->size() <= limit) {
        const size_t count = std::fread(chunk, 1, std::min(sizeof(chunk), limit + 1 - bytes->size()), file.get());
        if (count == 0)
            break;
        bytes->insert(bytes->end(), chunk, chunk + count);
    }
    if (std::ferror(file.get()) != 0)
        return SaveFileRead::Unreadable;
    *complete = bytes->size() <= limit;
    if (!*complete)
        bytes->resize(limit);
    return SaveFileRead::Read;
}

bool MoveFileAside(const std::string& folder, const std::string& fileName, std::string* asideName)
{
    const std::string from = Win32::ToNativePath(folder + fileName);
    for (int32_t number = 0; number <= kMaxSetAsideNumber; ++number) {
        std::string name = fileName + ".damaged";
        if (number > 0)
            name += "." + std::to_string(number);
        if (MoveWithoutReplacing(from, Win32::ToNativePath(folder + name))) {
            *asideName = name;
            return true;
        }
        if (errno == ENOENT) {
            asideName->clear();
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

bool WriteSaveFile(const std::string& path, const Zest::Buffer& buffer)
{
    if (buffer.HasFailed() ||
        !Zest::WriteFileAtomically(path, buffer.GetDataPtr(), static_cast<size_t>(buffer.GetDataLen())))
        return false;
    // A refusal changes nothing written.
    Zest::AllowAllAccess(path);
    return true;
}

bool MoveRefusedFileAside(const std::string& folder, const std::string& fileName, bool* const refusedInPlace)
{
    if (!*refusedInPlace)
        return true;
    std::string asideName;
    if (!MoveFileAside(folder, fileName, &asideName))
        return false;
    *refusedInPlace = false;
    return true;
}
