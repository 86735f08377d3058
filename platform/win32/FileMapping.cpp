#include "platform/win32/FileMapping.h"

#include "platform/win32/Files.h"
#include "platform/win32/UniqueFd.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <map>
#include <mutex>

namespace Win32 {
namespace {

class FileMapping final : public KernelObject {
public:
    FileMapping(const int fd, const uint64_t size) : mFd(fd), mSize(size) {}

    int Descriptor() const { return mFd.Get(); }
    uint64_t Size() const { return mSize; }

private:
    const UniqueFd mFd;
    const uint64_t mSize;
};

// munmap needs a view's length, UnmapViewOfFile is given only its address.
std::mutex gViewsMutex;
std::map<const void*, size_t> gViewLengths;

std::nullptr_t FailNull(const DWORD error)
{
    SetLastError(error);
    return nullptr;
}

uint64_t Combine(const DWORD high, const DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }

} // namespace

HANDLE CreateFileMappingA(HANDLE file, void* securityAttributes, const DWORD protect, const DWORD maxSizeHigh,
                          const DWORD maxSizeLow, const char* name)
{
    if (file == INVALID_HANDLE_VALUE || protect != PAGE_READONLY)
        return FailNull(ERROR_INVALID_PARAMETER);
    const int fileFd = FileDescriptorOf(file);
    if (fileFd < 0)
        return FailNull(ERROR_INVALID_HANDLE);
    if ((fcntl(fileFd, F_GETFL) & O_ACCMODE) == O_WRONLY)
        return FailNull(ERROR_ACCESS_DENIED);
    struct stat info;
    if (fstat(fileFd, &info) != 0)
        return FailNull(ERROR_INVALID_HANDLE);
    const auto fileSize = static_cast<uint64_t>(info.st_size);
    const uint64_t maxSize = Combine(maxSizeHigh, maxSizeLow);
    // A read-only mapping cannot make the file longer.
    if (maxSize > fileSize)
        return FailNull(ERROR_INVALID_PARAMETER);
    const uint64_t size = maxSize != 0 ? maxSize : fileSize;
    if (size == 0)
        return FailNull(ERROR_FILE_INVALID);
    // A descriptor of its own keeps the mapping usable after the file handle is closed.
    const int fd = fcntl(fileFd, F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        return FailNull(ERROR_NOT_ENOUGH_MEMORY);
    return ToHandle(new FileMapping(fd, size));
}

void* MapViewOfFile(HANDLE mapping, const DWORD desiredAccess, const DWORD offsetHigh, const DWORD offsetLow,
                    const size_t bytes)
{
    const auto* const object = dynamic_cast<FileMapping*>(FromHandle(mapping));
    if (object == nullptr)
        return FailNull(ERROR_INVALID_HANDLE);
    if (desiredAccess != FILE_MAP_READ)
        return FailNull(ERROR_ACCESS_DENIED);
    const uint64_t offset = Combine(offsetHigh, offsetLow);
    if (offset % kAllocationGranularity != 0)
        return FailNull(ERROR_MAPPED_ALIGNMENT);
    if (offset >= object->Size() || bytes > object->Size() - offset)
        return FailNull(ERROR_ACCESS_DENIED);
    const size_t length = bytes != 0 ? bytes : object->Size() - offset;
    void* const view = mmap(nullptr, length, PROT_READ, MAP_SHARED, object->Descriptor(), static_cast<off_t>(offset));
    if (view == MAP_FAILED)
        return FailNull(errno == ENOMEM ? ERROR_NOT_ENOUGH_MEMORY : ERROR_ACCESS_DENIED);
    const std::lock_guard lock(gViewsMutex);
    gViewLengths.emplace(view, length);
    return view;
}

BOOL UnmapViewOfFile(const void* view)
{
    const std::lock_guard lock(gViewsMutex);
    const auto found = gViewLengths.find(view);
    if (found == gViewLengths.end()) {
        SetLastError(ERROR_INVALID_ADDRESS);
        return 0;
    }
    munmap(const_cast<void*>(view), found->second);
    gViewLengths.erase(found);
    return 1;
}

} // namespace Win32
