#include "framework/resources/PakFile.h"

#include "platform/win32/Files.h"
#include "platform/win32/Path.h"

#include <atomic>
#include <cstring>

namespace Zest {
namespace {

// Published once, before or while other threads start reading content files.
std::atomic<PakInterface*> gPublishedPak{nullptr};

// The published object is reached through its interface: the calls must not tie this unit
// to PakInterface's code (a program without an archive file system makes none).
PakInterfaceBase* Published() { return static_cast<PakInterfaceBase*>(GetPakInterface()); }

bool IsReadMode(const char* mode) { return mode != nullptr && mode[0] == 'r' && std::strchr(mode, '+') == nullptr; }

} // namespace

PakInterface* GetPakInterface() { return gPublishedPak.load(); }

bool PublishPakInterface(PakInterface* pak)
{
    PakInterface* expected = nullptr;
    if (!gPublishedPak.compare_exchange_strong(expected, pak))
        return false;
    Win32::SetContentFileReader(ReadWholeFile);
    return true;
}

FILE* OpenSystemFile(const char* fileName, const char* mode)
{
    if (fileName == nullptr || mode == nullptr)
        return nullptr;
    const std::string path = Win32::ToNativePath(fileName);
    if (!IsReadMode(mode))
        return std::fopen(path.c_str(), mode);
    // A file that exists in no spelling is not opened: the lookup has already found the
    // miss, and has left errno as an open of the path would.
    std::string found;
    if (!Win32::FindPathNoCase(path, &found))
        return nullptr;
    return std::fopen(found.c_str(), mode);
}

PakFileHandle* PakFOpen(const char* fileName, const char* mode)
{
    if (PakInterfaceBase* pak = Published())
        return pak->FOpen(fileName, mode);
    FILE* file = OpenSystemFile(fileName, mode);
    if (file == nullptr)
        return nullptr;
    return new PakFileHandle{nullptr, 0, file};
}

int PakFClose(PakFileHandle* file)
{
    if (PakInterfaceBase* pak = Published())
        return pak->FClose(file);
    if (file == nullptr)
        return EOF;
    const int result = std::fclose(file->mFP);
    delete file;
    return result;
}

int PakFSeek(PakFileHandle* file, const int32_t offset, const int origin)
{
    if (PakInterfaceBase* pak = Published())
        return pak->FSeek(file, offset, origin);
    return std::fseek(file->mFP, offset, origin);
}

int32_t PakFTell(PakFileHandle* file)
{
    if (PakInterfaceBase* pak = Published())
        return pak->FTell(file);
    return static_cast<int32_t>(std::ftell(file->mFP));
}

size_t PakFRead(void* buffer, const int elementSize, const int count, PakFileHandle* file)
{
    if (PakInterfaceBase* pak = Published())
        return pak->FRead(buffer, elementSize, count, file);
    if (elementSize <= 0 || count <= 0)
        return 0;
    return std::fread(buffer, static_cast<size_t>(elementSize), static_cast<size_t>(count), file->mFP);
}

int PakFGetC(PakFileHandle* file)
{
    if (PakInterfaceBase* pak = Published())
        return pak->FGetC(file);
    return std::fgetc(file->mFP);
}

int PakUnGetC(const int character, PakFileHandle* file)
{
    if (PakInterfaceBase* pak = Published())
        return pak->UnGetC(character, file);
    return std::ungetc(character, file->mFP);
}

int PakFEof(PakFileHandle* file)
{
    if (PakInterfaceBase* pak = Published())
        return pak->FEof(file);
    return std::feof(file->mFP);
}

bool ReadWholeFile(const char* fileName, std::vector<uint8_t>* bytes)
{
    PakFileHandle* file = PakFOpen(fileName, "rb");
    if (file == nullptr)
        return false;
    bool read = false;
    if (PakFSeek(file, 0, SEEK_END) == 0) {
        const int32_t size = PakFTell(file);
        if (size >= 0 && PakFSeek(file, 0, SEEK_SET) == 0) {
            std::vector<uint8_t> whole(static_cast<size_t>(size));
            read = size == 0 || PakFRead(whole.data(), size, 1, file) == 1;
            if (read)
                *bytes = std::move(whole);
        }
    }
    PakFClose(file);
    return read;
}

} // namespace Zest
