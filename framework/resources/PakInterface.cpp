#include "framework/resources/PakInterface.h"

#include "framework/app/common/Debug.h"
#include "framework/app/common/FileHelpers.h"
#include "framework/app/common/StringHelpers.h"
#include "framework/resources/PakFile.h"
#include "platform/win32/FileMapping.h"
#include "platform/win32/Kernel.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <strings.h>
#include <vector>

namespace Zest {

PakInterface* gPakInterface = new PakInterface;

namespace {

bool IsSeparator(const char c) { return c == '\\' || c == '/'; }

char UpperAscii(const char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsArchiveReadMode(const char* mode)
{
    return mode != nullptr && (strcasecmp(mode, "r") == 0 || strcasecmp(mode, "rb") == 0 || strcasecmp(mode, "rt") == 0);
}

// True when `name` begins with `prefix`, letters compared without case and '/' and '\'
// counted as the same separator.
bool StartsWithPath(const std::string& name, const std::string& prefix)
{
    if (name.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        const bool bothSeparators = IsSeparator(name[i]) && IsSeparator(prefix[i]);
        if (!bothSeparators && UpperAscii(name[i]) != UpperAscii(prefix[i]))
            return false;
    }
    return true;
}

uint8_t ArchiveByte(const PakRecord& record, const int32_t position)
{
    return record.mCollection->mDataPtr[record.mStartPos + position] ^ kPakXorKey;
}

// One directory entry as read, before its data position is known.
struct DirectoryEntry {
    std::string name;
    int32_t size;
    Win32::FILETIME fileTime;
    int64_t offset;
};

template <typename T>
bool ReadValue(PakInterface& pak, PakFileHandle* file, T* value)
{
    return pak.FRead(value, sizeof(T), 1, file) == 1;
}

} // namespace

std::string NormalizePakPath(const std::string& requested)
{
    std::string name = requested;
    const bool absolute = (!name.empty() && IsSeparator(name[0])) || (name.size() >= 2 && name[1] == ':');
    if (absolute) {
        const std::string workingFolder = GetCurrentDir() + "/";
        if (StartsWithPath(name, workingFolder))
            name.erase(0, workingFolder.size());
    }

    std::string key;
    key.reserve(name.size());
    for (size_t i = 0; i < name.size();) {
        if (IsSeparator(name[i])) {
            while (i < name.size() && IsSeparator(name[i]))
                ++i;
            key.push_back('\\');
            continue;
        }
        const bool parentComponent = name.compare(i, 2, "..") == 0 &&
                                     (i + 2 == name.size() || IsSeparator(name[i + 2])) && !key.empty() &&
                                     key.back() == '\\';
        if (parentComponent) {
            // "X\.." folds away; a leading separator stays.
            if (key.size() > 1) {
                const size_t previous = key.find_last_of('\\', key.size() - 2);
                key.erase(previous == std::string::npos ? 0 : previous + 1);
            }
            i += 2;
            while (i < name.size() && IsSeparator(name[i]))
                ++i;
            continue;
        }
        key.push_back(UpperAscii(name[i]));
        ++i;
    }
    return key;
}

PakInterface::PakInterface()
{
    if (GetPakInterface() == nullptr)
        PublishPakInterface(this);
}

PakInterface::~PakInterface() { RemovePakFiles(); }

void PakInterface::RemovePakFiles()
{
    for (const PakCollection& collection : mPakCollectionList) {
        Win32::UnmapViewOfFile(collection.mDataPtr);
        Win32::CloseHandle(collection.mMappingHandle);
        Win32::CloseHandle(collection.mFileHandle);
    }
    mPakRecordMap.clear();
    mPakCollectionList.clear();
}

bool PakInterface::AddPakFile(const std::string& fileName)
{
    Win32::HANDLE file = Win32::CreateFileA(fileName.c_str(), Win32::GENERIC_READ, Win32::FILE_SHARE_READ, nullptr,
                                            Win32::OPEN_EXISTING, 0, nullptr);
    if (file == Win32::INVALID_HANDLE_VALUE)
        return false;
    Win32::DWORD sizeHigh = 0;
    const Win32::DWORD size = Win32::GetFileSize(file, &sizeHigh);
    // Positions inside an archive are signed 32-bit.
    if (sizeHigh != 0 || size > static_cast<Win32::DWORD>(INT32_MAX)) {
        OutputDebug("Pak archive %s is 2 GiB or larger; not added\n", fileName.c_str());
        Win32::CloseHandle(file);
        return false;
    }
    Win32::HANDLE mapping = Win32::CreateFileMappingA(file, nullptr, Win32::PAGE_READONLY, 0, size, nullptr);
    if (mapping == nullptr) {
        Win32::CloseHandle(file);
        return false;
    }
    const void* view = Win32::MapViewOfFile(mapping, Win32::FILE_MAP_READ, 0, 0, size);
    if (view == nullptr) {
        Win32::CloseHandle(mapping);
        Win32::CloseHandle(file);
        return false;
    }
    PakCollection& collection =
        mPakCollectionList.emplace_back(PakCollection{file, mapping, static_cast<const uint8_t*>(view), size});

    // The archive itself is a record, so that its header and directory are read, un-XORed,
    // through the same calls as any archived file. Its key is made like every lookup's, so
    // that an archive named by a full path is found too.
    PakRecord& self = mPakRecordMap[NormalizePakPath(fileName)];
    self = PakRecord{&collection, fileName, {}, 0, static_cast<int32_t>(size)};

    PakFileHandle* handle = FOpen(fileName.c_str(), "rb");
    if (handle == nullptr)
        return false;
    uint32_t magic = 0;
    uint32_t version = 0;
    if (!ReadValue(*this, handle, &magic) || magic != kPakMagic || !ReadValue(*this, handle, &version) ||
        version != kPakVersion) {
        FClose(handle);
        return false;
    }

    // An entry cut short by the end of the file ends the directory.
    std::vector<DirectoryEntry> entries;
    int64_t offset = 0;
    uint8_t flags = 0;
    while (ReadValue(*this, handle, &flags) && (flags & kPakEndOfDirectory) == 0) {
        uint8_t nameLength = 0;
        char name[256];
        DirectoryEntry entry{};
        if (!ReadValue(*this, handle, &nameLength) || FRead(name, 1, nameLength, handle) != nameLength ||
            !ReadValue(*this, handle, &entry.size) || !ReadValue(*this, handle, &entry.fileTime))
            break;
        entry.name.assign(name, nameLength);
        entry.offset = offset;
        entries.push_back(entry);
        if (entry.size > 0)
            offset += entry.size;
    }
    const int64_t dataStart = FTell(handle);
    FClose(handle);

    for (const DirectoryEntry& entry : entries) {
        const int64_t start = dataStart + entry.offset;
        if (entry.size < 0 || start + entry.size > static_cast<int64_t>(size)) {
            OutputDebug("Pak archive %s: %s has a size of %d that does not fit in the archive; dropped\n",
                        fileName.c_str(), entry.name.c_str(), entry.size);
            continue;
        }
        mPakRecordMap[StringToUpper(entry.name)] =
            PakRecord{&collection, entry.name, entry.fileTime, static_cast<int32_t>(start), entry.size};
    }
    return true;
}

PakFileHandle* PakInterface::FOpenW(const wchar_t* fileName, const wchar_t* access) { return nullptr; }

PakFileHandle* PakInterface::FOpen(const char* fileName, const char* access)
{
    if (fileName == nullptr)
        return nullptr;
    if (IsArchiveReadMode(access)) {
        const auto found = mPakRecordMap.find(NormalizePakPath(fileName));
        if (found != mPakRecordMap.end())
            return new PakFileHandle{&found->second, 0, nullptr};
    }
    FILE* system = OpenSystemFile(fileName, access);
    if (system == nullptr)
        return nullptr;
    return new PakFileHandle{nullptr, 0, system};
}

int PakInterface::FClose(PakFileHandle* file)
{
    if (file == nullptr)
        return EOF;
    if (file->mRecord == nullptr)
        std::fclose(file->mFP);
    delete file;
    return 0;
}

int PakInterface::FSeek(PakFileHandle* file, const int32_t offset, const int origin)
{
    if (file->mRecord == nullptr)
        return std::fseek(file->mFP, offset, origin);
    int64_t position = file->mPos;
    if (origin == SEEK_SET)
        position = offset;
    else if (origin == SEEK_CUR)
        position = file->mPos + static_cast<int64_t>(offset);
    else if (origin == SEEK_END)
        position = file->mRecord->mSize + static_cast<int64_t>(offset);
    file->mPos = static_cast<int32_t>(std::clamp<int64_t>(position, 0, file->mRecord->mSize));
    return 0;
}

int32_t PakInterface::FTell(PakFileHandle* file)
{
    if (file->mRecord == nullptr)
        return static_cast<int32_t>(std::ftell(file->mFP));
    return file->mPos;
}

size_t PakInterface::FRead(void* buffer, const int elementSize, const int count, PakFileHandle* file)
{
    if (elementSize <= 0 || count <= 0)
        return 0;
    if (file->mRecord == nullptr)
        return std::fread(buffer, static_cast<size_t>(elementSize), static_cast<size_t>(count), file->mFP);
    const PakRecord& record = *file->mRecord;
    const int64_t wanted = static_cast<int64_t>(elementSize) * count;
    const auto bytes = static_cast<int32_t>(std::min<int64_t>(wanted, record.mSize - file->mPos));
    const uint8_t* source = record.mCollection->mDataPtr + record.mStartPos + file->mPos;
    auto* destination = static_cast<uint8_t*>(buffer);
    for (int32_t i = 0; i < bytes; ++i)
        destination[i] = source[i] ^ kPakXorKey;
    file->mPos += bytes;
    return static_cast<size_t>(bytes / elementSize);
}

int PakInterface::FGetC(PakFileHandle* file)
{
    if (file->mRecord == nullptr)
        return std::fgetc(file->mFP);
    while (file->mPos < file->mRecord->mSize) {
        const uint8_t byte = ArchiveByte(*file->mRecord, file->mPos++);
        if (byte != '\r')
            return byte;
    }
    return EOF;
}

int PakInterface::UnGetC(const int character, PakFileHandle* file)
{
    if (file->mRecord == nullptr)
        return std::ungetc(character, file->mFP);
    file->mPos = std::max(file->mPos - 1, 0);
    return character;
}

wchar_t* PakInterface::FGetSW(wchar_t* buffer, int size, PakFileHandle* file) { return buffer; }

char* PakInterface::FGetS(char* buffer, const int size, PakFileHandle* file)
{
    if (file->mRecord == nullptr)
        return std::fgets(buffer, size, file->mFP);
    if (size <= 0)
        return nullptr;
    const PakRecord& record = *file->mRecord;
    if (file->mPos >= record.mSize) {
        buffer[0] = '\0';
        return nullptr;
    }
    int stored = 0;
    while (stored < size - 1 && file->mPos < record.mSize) {
        const uint8_t byte = ArchiveByte(record, file->mPos++);
        if (byte == '\r')
            continue;
        buffer[stored++] = static_cast<char>(byte);
        if (byte == '\n')
            break;
    }
    buffer[stored] = '\0';
    return buffer;
}

int PakInterface::FEof(PakFileHandle* file)
{
    if (file->mRecord == nullptr)
        return std::feof(file->mFP);
    return file->mPos >= file->mRecord->mSize ? 1 : 0;
}

bool PakInterface::PFindNext(PakFindData* find, Win32::WIN32_FIND_DATAA* findData)
{
    auto record = mPakRecordMap.begin();
    if (!find->mLastFind.empty()) {
        record = mPakRecordMap.find(find->mLastFind);
        if (record == mPakRecordMap.end())
            return false;
        ++record;
    }
    const std::string& criteria = find->mFindCriteria;
    const size_t star = criteria.find('*');
    if (star == std::string::npos)
        return false;
    const std::string head = criteria.substr(0, star);
    const std::string tail = criteria.substr(star + 1);
    for (; record != mPakRecordMap.end(); ++record) {
        const std::string& key = record->first;
        if (key.size() < head.size() + tail.size() || key.compare(0, head.size(), head) != 0)
            continue;
        if (!tail.empty() && tail != ".*" && key.compare(key.size() - tail.size(), tail.size(), tail) != 0)
            continue;
        const PakRecord& found = record->second;
        // A backslash among the key's last characters (as many as the tail has) means the
        // match lies in a subfolder.
        const bool inFolder =
            !tail.empty() && key.find('\\', key.size() - std::min(tail.size(), key.size())) != std::string::npos;
        findData->dwFileAttributes = inFolder ? Win32::FILE_ATTRIBUTE_DIRECTORY : 0;
        const size_t slash = found.mFileName.find_last_of('\\');
        const std::string shortName = slash == std::string::npos ? found.mFileName : found.mFileName.substr(slash + 1);
        const size_t length = std::min(shortName.size(), sizeof(findData->cFileName) - 1);
        std::memcpy(findData->cFileName, shortName.data(), length);
        findData->cFileName[length] = '\0';
        findData->nFileSizeLow = static_cast<Win32::DWORD>(found.mSize);
        findData->ftCreationTime = found.mFileTime;
        findData->ftLastAccessTime = found.mFileTime;
        findData->ftLastWriteTime = found.mFileTime;
        find->mLastFind = key;
        return true;
    }
    return false;
}

Win32::HANDLE PakInterface::FindFirstFile(const char* pattern, Win32::WIN32_FIND_DATAA* findData)
{
    auto* find = new PakFindData{Win32::INVALID_HANDLE_VALUE, "", NormalizePakPath(pattern != nullptr ? pattern : "")};
    if (PFindNext(find, findData))
        return find;
    find->mWHandle = Win32::FindFirstFileA(find->mFindCriteria.c_str(), findData);
    if (find->mWHandle == Win32::INVALID_HANDLE_VALUE) {
        delete find;
        return Win32::INVALID_HANDLE_VALUE;
    }
    return find;
}

Win32::BOOL PakInterface::FindNextFile(Win32::HANDLE search, Win32::WIN32_FIND_DATAA* findData)
{
    auto* find = static_cast<PakFindData*>(search);
    if (find->mWHandle != Win32::INVALID_HANDLE_VALUE)
        return Win32::FindNextFileA(find->mWHandle, findData);
    if (PFindNext(find, findData))
        return 1;
    find->mWHandle = Win32::FindFirstFileA(find->mFindCriteria.c_str(), findData);
    return find->mWHandle != Win32::INVALID_HANDLE_VALUE ? 1 : 0;
}

Win32::BOOL PakInterface::FindClose(Win32::HANDLE search)
{
    auto* find = static_cast<PakFindData*>(search);
    if (find->mWHandle != Win32::INVALID_HANDLE_VALUE)
        Win32::FindClose(find->mWHandle);
    delete find;
    return 1;
}

} // namespace Zest
