#include "framework/sound/WavFile.h"

#include "framework/app/common/Debug.h"
#include "framework/sound/SoundFileReader.h"

#include <cstring>

namespace Zest {
namespace {

constexpr uint16_t kPcmFormatTag = 1;
constexpr uint16_t kLongestSourceName = 255;

bool Refuse(const std::string& fileName, const char* reason)
{
    OutputDebug("Sound file %s: %s\n", fileName.c_str(), reason);
    return false;
}

bool ReadChunkId(SoundFileReader& reader, char id[4]) { return reader.ReadBytes(id, 4); }

bool ReadFormatChunk(SoundFileReader& reader, const uint32_t chunkSize, PcmFormat* format)
{
    uint16_t formatTag = 0;
    uint32_t bytesPerSec = 0;
    uint16_t blockAlign = 0;
    if (chunkSize < 16)
        return Refuse(reader.FileName(), "format chunk too short");
    if (!reader.ReadLittleEndian16(&formatTag) || !reader.ReadLittleEndian16(&format->mChannels) ||
        !reader.ReadLittleEndian32(&format->mSamplesPerSec) || !reader.ReadLittleEndian32(&bytesPerSec) ||
        !reader.ReadLittleEndian16(&blockAlign) || !reader.ReadLittleEndian16(&format->mBitsPerSample))
        return Refuse(reader.FileName(), "format chunk cut short");
    if (formatTag != kPcmFormatTag)
        return Refuse(reader.FileName(), "not PCM data");
    return true;
}

bool ReadDependencyChunk(SoundFileReader& reader, const SourceIsCurrent& isCurrent)
{
    uint16_t nameLength = 0;
    if (!reader.ReadLittleEndian16(&nameLength))
        return Refuse(reader.FileName(), "dependency chunk cut short");
    if (nameLength > kLongestSourceName)
        return Refuse(reader.FileName(), "dependency name too long");
    std::string sourceName(nameLength, '\0');
    uint64_t fileTime = 0;
    if (!reader.ReadBytes(sourceName.data(), nameLength) || !reader.ReadLittleEndian64(&fileTime))
        return Refuse(reader.FileName(), "dependency chunk cut short");
    if (!isCurrent(sourceName, fileTime))
        return Refuse(reader.FileName(), "older than its source");
    return true;
}

bool ReadDataChunk(SoundFileReader& reader, const uint32_t chunkSize, const PcmFormat& format, const uint8_t xorKey,
                   DecodedSound* sound)
{
    if (!IsPlayableFormat(format))
        return Refuse(reader.FileName(), "unsupported channels, rate or sample size");
    if (chunkSize > kMaxSoundDataBytes)
        return Refuse(reader.FileName(), "data too long");
    if (chunkSize > reader.Remaining())
        return Refuse(reader.FileName(), "data cut short");
    sound->mFormat = format;
    sound->mData.resize(chunkSize);
    if (!reader.ReadBytes(sound->mData.data(), chunkSize))
        return Refuse(reader.FileName(), "data cut short");
    if (xorKey != 0) {
        for (uint8_t& byte : sound->mData)
            byte ^= xorKey;
    }
    return true;
}

void Append(std::vector<uint8_t>& out, const void* bytes, const size_t count)
{
    const auto* first = static_cast<const uint8_t*>(bytes);
    out.insert(out.end(), first, first + count);
}

void AppendLittleEndian(std::vector<uint8_t>& out, uint64_t value, const int bytes)
{
    for (int i = 0; i < bytes; ++i, value >>= 8)
        out.push_back(static_cast<uint8_t>(value & 0xFF));
}

} // namespace

bool ReadWavFile(const std::string& fileName, const SourceIsCurrent& isCurrent, DecodedSound* sound)
{
    SoundFileReader reader(fileName);
    if (!reader.IsOpen())
        return false;
    char id[4];
    uint32_t riffSize = 0;
    if (!ReadChunkId(reader, id) || std::memcmp(id, "RIFF", 4) != 0 || !reader.ReadLittleEndian32(&riffSize) ||
        !ReadChunkId(reader, id) || std::memcmp(id, "WAVE", 4) != 0)
        return Refuse(fileName, "not a WAV file");

    PcmFormat format;
    uint8_t xorKey = 0;
    uint32_t chunkSize = 0;
    while (ReadChunkId(reader, id) && reader.ReadLittleEndian32(&chunkSize)) {
        const int64_t chunkStart = reader.Position();
        if (std::memcmp(id, "fmt ", 4) == 0) {
            if (!ReadFormatChunk(reader, chunkSize, &format))
                return false;
        } else if (std::memcmp(id, "dep ", 4) == 0) {
            if (!ReadDependencyChunk(reader, isCurrent))
                return false;
        } else if (std::memcmp(id, "xor ", 4) == 0) {
            if (!reader.ReadUInt8(&xorKey))
                return Refuse(fileName, "key chunk cut short");
        } else if (std::memcmp(id, "data", 4) == 0) {
            return ReadDataChunk(reader, chunkSize, format, xorKey, sound);
        }
        if (!reader.SeekTo(chunkStart + chunkSize))
            return Refuse(fileName, "chunk runs past the end of the file");
    }
    return Refuse(fileName, "no data chunk");
}

std::vector<uint8_t> MakeCachedWav(const PcmFormat& format, const std::string& sourceName,
                                   const uint64_t sourceFileTime, const std::vector<uint8_t>& data)
{
    const uint32_t nameLength = static_cast<uint32_t>(sourceName.size());
    std::vector<uint8_t> out;
    out.reserve(71 + nameLength + data.size());
    Append(out, "RIFF", 4);
    AppendLittleEndian(out, 63 + nameLength + data.size(), 4);
    Append(out, "WAVE", 4);

    Append(out, "fmt ", 4);
    AppendLittleEndian(out, 16, 4);
    AppendLittleEndian(out, kPcmFormatTag, 2);
    AppendLittleEndian(out, format.mChannels, 2);
    AppendLittleEndian(out, format.mSamplesPerSec, 4);
    AppendLittleEndian(out, format.BytesPerSec(), 4);
    AppendLittleEndian(out, format.BlockAlign(), 2);
    AppendLittleEndian(out, format.mBitsPerSample, 2);

    Append(out, "dep ", 4);
    AppendLittleEndian(out, nameLength + 10, 4);
    AppendLittleEndian(out, nameLength, 2);
    Append(out, sourceName.data(), nameLength);
    AppendLittleEndian(out, sourceFileTime, 8);

    Append(out, "xor ", 4);
    AppendLittleEndian(out, 1, 4);
    out.push_back(kCachedWavXorKey);

    Append(out, "data", 4);
    AppendLittleEndian(out, data.size(), 4);
    for (const uint8_t byte : data)
        out.push_back(byte ^ kCachedWavXorKey);
    return out;
}

} // namespace Zest
