#pragma once
// Reads a sound file through the pak-aware file calls, so that a file held by the archive
// and a loose file read alike. Every read reports whether it got all its bytes; the file is
// closed when the reader goes.

#include "framework/resources/PakFile.h"

#include <cstdint>
#include <string>

namespace Zest {

class SoundFileReader {
public:
    explicit SoundFileReader(const std::string& fileName);
    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;
    ~SoundFileReader();

    bool IsOpen() const { return mFile != nullptr; }
    const std::string& FileName() const { return mFileName; }
    // Bytes in the whole file.
    int64_t Length() const { return mLength; }
    int64_t Position() const;
    int64_t Remaining() const { return Length() - Position(); }
    // False for a position outside the file.
    bool SeekTo(int64_t position);

    bool ReadBytes(void* buffer, size_t count);
    bool ReadUInt8(uint8_t* value) { return ReadBytes(value, 1); }
    bool ReadLittleEndian16(uint16_t* value);
    bool ReadLittleEndian32(uint32_t* value);
    bool ReadLittleEndian64(uint64_t* value);
    bool ReadBigEndian32(uint32_t* value);

private:
    std::string mFileName;
    PakFileHandle* mFile = nullptr;
    int64_t mLength = 0;
};

} // namespace Zest
