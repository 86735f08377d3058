#include "framework/sound/SoundFileReader.h"

#include <limits>

namespace Zest {
namespace {

uint64_t LittleEndian(const uint8_t* bytes, const int count)
{
    uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

} // namespace

SoundFileReader::SoundFileReader(const std::string& fileName) : mFileName(fileName)
{
    mFile = PakFOpen(fileName.c_str(), "rb");
    if (mFile == nullptr)
        return;
    if (PakFSeek(mFile, 0, SEEK_END) != 0 || (mLength = PakFTell(mFile)) < 0 || PakFSeek(mFile, 0, SEEK_SET) != 0) {
        PakFClose(mFile);
        mFile = nullptr;
        mLength = 0;
    }
}

SoundFileReader::~SoundFileReader()
{
    if (mFile != nullptr)
        PakFClose(mFile);
}

int64_t SoundFileReader::Position() const { return PakFTell(mFile); }

bool SoundFileReader::SeekTo(const int64_t position)
{
    if (position < 0 || position > mLength || position > std::numeric_limits<int32_t>::max())
        return false;
    return PakFSeek(mFile, static_cast<int32_t>(position), SEEK_SET) == 0;
}

bool SoundFileReader::ReadBytes(void* buffer, const size_t count)
{
    if (count == 0)
        return true;
    if (count > static_cast<size_t>(std::numeric_limits<int>::max()))
        return false;
    return PakFRead(buffer, 1, static_cast<int>(count), mFile) == count;
}

bool SoundFileReader::ReadLittleEndian16(uint16_t* value)
{
    uint8_t bytes[2];
    if (!ReadBytes(bytes, sizeof(bytes)))
        return false;
    *value = static_cast<uint16_t>(LittleEndian(bytes, 2));
    return true;
}

bool SoundFileReader::ReadLittleEndian32(uint32_t* value)
{
    uint8_t bytes[4];
    if (!ReadBytes(bytes, sizeof(bytes)))
        return false;
    *value = static_cast<uint32_t>(LittleEndian(bytes, 4));
    return true;
}

bool SoundFileReader::ReadLittleEndian64(uint64_t* value)
{
    uint8_t bytes[8];
    if (!ReadBytes(bytes, sizeof(bytes)))
        return false;
    *value = LittleEndian(bytes, 8);
    return true;
}

bool SoundFileReader::ReadBigEndian32(uint32_t* value)
{
    uint8_t bytes[4];
    if (!ReadBytes(bytes, sizeof(bytes)))
        return false;
    *value = (static_cast<uint32_t>(bytes[0]) << 24) | (static_cast<uint32_t>(bytes[1]) << 16) |
             (static_cast<uint32_t>(bytes[2]) << 8) | bytes[3];
    return true;
}

} // namespace Zest
