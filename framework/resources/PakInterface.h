#pragma once
// The read-only archive file system of the process. Archives are mapped into memory; a
// directory of every archived file, keyed by its upper-case path with single backslashes,
// serves reads straight from the mapping (every archived byte is stored XORed with 0x6B),
// and every name no archive holds goes to the operating system's files.
//
// Archive layout (plain bytes, little-endian): magic 0xBAC04AC0, version 0, then directory
// entries {flags, name length, name, data size (32-bit), FILETIME (64-bit)} up to an entry
// whose flags have bit 0x80 set, then the files' data back to back in directory order.

#include "platform/win32/Files.h"
#include "platform/win32/Types.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <list>
#include <map>
#include <string>

namespace Zest {

constexpr uint32_t kPakMagic = 0xBAC04AC0;
constexpr uint32_t kPakVersion = 0;
constexpr uint8_t kPakXorKey = 0x6B;
constexpr uint8_t kPakEndOfDirectory = 0x80;

struct PakCollection {
    Win32::HANDLE mFileHandle = nullptr;
    Win32::HANDLE mMappingHandle = nullptr;
    const uint8_t* mDataPtr = nullptr;
    // Bytes of the mapped view.
    int64_t mDataSize = 0;
};

struct PakRecord {
    PakCollection* mCollection = nullptr;
    // The name as stored in the archive.
    std::string mFileName;
    Win32::FILETIME mFileTime{};
    int32_t mStartPos = 0;
    int32_t mSize = 0;
};

// An open file: an archived record, or an operating-system file.
struct PakFileHandle {
    PakRecord* mRecord = nullptr;
    int32_t mPos = 0;
    FILE* mFP = nullptr;
};

struct PakFindData {
    Win32::HANDLE mWHandle = Win32::INVALID_HANDLE_VALUE;
    // Key of the last archive record found; empty before the first.
    std::string mLastFind;
    std::string mFindCriteria;
};

// The operations every unit reaches through the published object (see PakFile.h).
class PakInterfaceBase {
public:
    virtual PakFileHandle* FOpenW(const wchar_t* fileName, const wchar_t* access) = 0;
    virtual PakFileHandle* FOpen(const char* fileName, const char* access) = 0;
    virtual int FClose(PakFileHandle* file) = 0;
    virtual int FSeek(PakFileHandle* file, int32_t offset, int origin) = 0;
    virtual int32_t FTell(PakFileHandle* file) = 0;
    virtual size_t FRead(void* buffer, int elementSize, int count, PakFileHandle* file) = 0;
    virtual int FGetC(PakFileHandle* file) = 0;
    virtual int UnGetC(int character, PakFileHandle* file) = 0;
    virtual wchar_t* FGetSW(wchar_t* buffer, int size, PakFileHandle* file) = 0;
    virtual char* FGetS(char* buffer, int size, PakFileHandle* file) = 0;
    virtual int FEof(PakFileHandle* file) = 0;
    virtual Win32::HANDLE FindFirstFile(const char* pattern, Win32::WIN32_FIND_DATAA* findData) = 0;
    virtual Win32::BOOL FindNextFile(Win32::HANDLE search, Win32::WIN32_FIND_DATAA* findData) = 0;
    virtual Win32::BOOL FindClose(Win32::HANDLE search) = 0;

protected:
    // The one object lives for the whole process and is never deleted through this base.
    ~PakInterfaceBase() = default;
};

class PakInterface final : public PakInterfaceBase {
public:
    // Publishes itself unless the process already has a published object.
    PakInterface();
    PakInterface(const PakInterface&) = delete;
    PakInterface& operator=(const PakInterface&) = delete;
    ~PakInterface();

    // Maps an archive and enters its files; false when it cannot be opened or is not an
    // archive. Records whose data lie outside the file are dropped with a message.
    bool AddPakFile(const std::string& fileName);
    // Unmaps every archive and forgets its records, so that every name goes to the
    // operating system's files again; none of the archived files may be open.
    void RemovePakFiles();

    PakFileHandle* FOpenW(const wchar_t* fileName, const wchar_t* access) override;
    PakFileHandle* FOpen(const char* fileName, const char* access) override;
    int FClose(PakFileHandle* file) override;
    int FSeek(PakFileHandle* file, int32_t offset, int origin) override;
    int32_t FTell(PakFileHandle* file) override;
    size_t FRead(void* buffer, int elementSize, int count, PakFileHandle* file) override;
    int FGetC(PakFileHandle* file) override;
    int UnGetC(int character, PakFileHandle* file) override;
    wchar_t* FGetSW(wchar_t* buffer, int size, PakFileHandle* file) override;
    char* FGetS(char* buffer, int size, PakFileHandle* file) override;
    int FEof(PakFileHandle* file) override;
    Win32::HANDLE FindFirstFile(const char* pattern, Win32::WIN32_FIND_DATAA* findData) override;
    Win32::BOOL FindNextFile(Win32::HANDLE search, Win32::WIN32_FIND_DATAA* findData) override;
    Win32::BOOL FindClose(Win32::HANDLE search) override;

    // Every record by key, the archives' own records included; for listing tools.
    const std::map<std::string, PakRecord>& Records() const { return mPakRecordMap; }

private:
    bool PFindNext(PakFindData* find, Win32::WIN32_FIND_DATAA* findData);

    std::list<PakCollection> mPakCollectionList;
    std::map<std::string, PakRecord> mPakRecordMap;
};

// The lookup key of a requested name: a path under the working folder loses that folder;
// runs of '/' and '\' become one '\'; "X\.." components fold away; letters are upper-cased.
std::string NormalizePakPath(const std::string& name);

// The process's archive file system, made before main runs.
extern PakInterface* gPakInterface;

} // namespace Zest
