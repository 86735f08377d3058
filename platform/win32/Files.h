#pragma once
// Files and folders: find-file searches, folder calls, file handles for readers, and whole
// content files read through the program's reader.
//
// The program's content was written on a case-insensitive file system, so a path that does
// not exist as spelled is looked up again ignoring case, one component at a time.

#include "platform/win32/Kernel.h"
#include "platform/win32/Types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Win32 {

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFF;

// CreateFileA access rights and creation dispositions.
constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD FILE_SHARE_READ = 0x01;
constexpr DWORD FILE_SHARE_WRITE = 0x02;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;

struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    char cFileName[260];
};

// Unix time to FILETIME: 100 ns units since 1601-01-01 00:00 UTC.
FILETIME FileTimeFromUnix(int64_t seconds, int64_t nanoseconds);

// The existing path that matches nativePath ('/'-separated) when every component is
// compared without regard to case; the path as spelled wins when it exists. Returns
// nativePath unchanged when no such path exists.
std::string ResolvePathNoCase(const std::string& nativePath);
// The same lookup, telling whether an entry exists: true with *found set to its path, or
// false with *found set to nativePath and errno to why nativePath could not be reached.
bool FindPathNoCase(const std::string& nativePath, std::string* found);

// The last component of the pattern may hold '*' and '?'; matching ignores case, and a
// trailing ".*" also matches names without a dot. Without wildcards it finds exactly the
// named entry, a folder included. A wildcard search of a folder also returns "." and "..".
HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* findData);
BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* findData);
BOOL FindClose(HANDLE search);

BOOL CreateDirectoryA(const char* path, void* securityAttributes);
BOOL RemoveDirectoryA(const char* path);
BOOL DeleteFileA(const char* path);
// Renames a file or folder, never replacing what is at the new path: that fails with
// ERROR_ALREADY_EXISTS, and a missing source with ERROR_FILE_NOT_FOUND or
// ERROR_PATH_NOT_FOUND.
BOOL MoveFileA(const char* existingPath, const char* newPath);
DWORD GetFileAttributesA(const char* path);
BOOL SetCurrentDirectoryA(const char* path);
// The working folder in native form. Returns its length without the NUL, or, when size is
// too small, the size it needs including the NUL and writes nothing.
DWORD GetCurrentDirectoryA(DWORD size, char* buffer);

// Opens with OPEN_EXISTING or creates with CREATE_ALWAYS; the share mode, security,
// flags and template are ignored. CloseHandle closes the file.
HANDLE CreateFileA(const char* path, DWORD desiredAccess, DWORD shareMode, void* securityAttributes,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile);
DWORD GetFileSize(HANDLE file, DWORD* fileSizeHigh);
// The creation time is the Linux change time.
BOOL GetFileTime(HANDLE file, FILETIME* creationTime, FILETIME* lastAccessTime, FILETIME* lastWriteTime);
BOOL ReadFile(HANDLE file, void* buffer, DWORD bytesToRead, DWORD* bytesRead, void* overlapped);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD bytesToWrite, DWORD* bytesWritten, void* overlapped);

// For the layer's own use: the Linux descriptor behind a handle from CreateFileA, or -1
// for any other handle. The handle keeps ownership.
int FileDescriptorOf(HANDLE file);

// Reads a whole content file: true with exactly its bytes (none for an empty file); false,
// with *bytes untouched, when it cannot be opened or read.
using ContentFileReader = bool (*)(const char* fileName, std::vector<uint8_t>* bytes);
// Installs the reader behind ReadContentFile; null restores reading from disk. The program
// installs one that also finds the files its archive holds, so that the stand-ins it loads
// by name (the music libraries) read those too. Threads may read while it is installed.
void SetContentFileReader(ContentFileReader reader);
// Reads through the installed reader, or from disk (the path translated, then looked up
// ignoring case) when none is installed. A null name cannot be read.
bool ReadContentFile(const char* fileName, std::vector<uint8_t>* bytes);

} // namespace Win32
