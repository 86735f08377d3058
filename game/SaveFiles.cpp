#include "game/SaveFiles.h"

#include "framework/app/common/Buffer.h"
#include "framework/app/common/FileHelpers.h"
#include "framework/resources/PakFile.h"
#include "platform/win32/Files.h"
#include "platform/win32/Kernel.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace {

// Set-aside names tried after the plain one.
constexpr int32_t kMaxSetAsideNumber = 999;

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
    for (int32_t number = 0; number <= kMaxSetAsideNumber; ++number) {
        std::string name = fileName + ".damaged";
        if (number > 0)
            name += "." + std::to_string(number);
        if (Win32::MoveFileA((folder + fileName).c_str(), (folder + name).c_str())) {
            *asideName = name;
            return true;
        }
        const Win32::DWORD error = Win32::GetLastError();
        if (error == Win32::ERROR_FILE_NOT_FOUND || error == Win32::ERROR_PATH_NOT_FOUND) {
            asideName->clear();
            return true;
        }
        if (error != Win32::ERROR_ALREADY_EXISTS)
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
