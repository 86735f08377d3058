#pragma once
// Read-only mappings of files opened with CreateFileA. A view stays readable after the
// file and mapping handles are closed, until UnmapViewOfFile.

#include "platform/win32/Kernel.h"
#include "platform/win32/Types.h"

#include <cstddef>

namespace Win32 {

constexpr DWORD PAGE_READONLY = 0x02;
constexpr DWORD PAGE_READWRITE = 0x04;
constexpr DWORD FILE_MAP_WRITE = 0x0002;
constexpr DWORD FILE_MAP_READ = 0x0004;

// View offsets are multiples of this.
constexpr DWORD kAllocationGranularity = 0x10000;

// Maps the first maxSize bytes of file, the whole file when maxSize is 0, with
// PAGE_READONLY only. The name is ignored; mappings of the page file
// (file = INVALID_HANDLE_VALUE) are not supported. Null on failure; CloseHandle closes it.
HANDLE CreateFileMappingA(HANDLE file, void* securityAttributes, DWORD protect, DWORD maxSizeHigh,
                          DWORD maxSizeLow, const char* name);
// FILE_MAP_READ only; bytes 0 maps from the offset to the end. Null on failure.
void* MapViewOfFile(HANDLE mapping, DWORD desiredAccess, DWORD offsetHigh, DWORD offsetLow, size_t bytes);
BOOL UnmapViewOfFile(const void* view);

} // namespace Win32
