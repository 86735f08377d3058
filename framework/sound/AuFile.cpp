#include "framework/sound/AuFile.h"

#include "framework/app/common/Debug.h"
#include "framework/sound/SoundFileReader.h"

#include <algorithm>
#include <cstring>

namespace Zest {
namespace {

constexpr uint32_t kMuLawEncoding = 1;
constexpr uint32_t kLinear8Encoding = 2;
// Writers that stream their output put this in the size field: the data run to the end.
constexpr uint32_t kUnknownDataSize = 0xFFFFFFFF;

bool Refuse(const std::string& fileName, const char* reason)
{
    OutputDebug("Sound file %s: %s\n", fileName.c_str(), reason);
    return false;
}

// Magnitude of a mu-law byte with its sign bit set (128 to 255), in 14-bit units. Each
// segment halves the step of the one below it; 128, which no segment names, continues
// the lowest segment so that the curve stays monotonic.
int MuLawMagnitude(const int u)
{
    if (u >= 240)
        return 510 - 2 * u;
    if (u >= 224)
        return 988 - 4 * u;
    if (u >= 208)
        return 1880 - 8 * u;
    if (u >= 192)
        return 3536 - 16 * u;
    if (u >= 176)
        return 6592 - 32 * u;
    if (u >= 160)
        return 12192 - 64 * u;
    if (u >= 144)
        return 22368 - 128 * u;
    return 40672 - 256 * u;
}

} // namespace

int16_t MuLawToLinear(const uint8_t byte)
{
    const int magnitude = 4 * MuLawMagnitude(byte | 0x80);
    return static_cast<int16_t>(byte >= 128 ? magnitude : -magnitude);
}

bool ReadAuFile(const std::string& fileName, DecodedSound* sound)
{
    SoundFileReader reader(fileName);
    if (!reader.IsOpen())
        return false;
    char magic[4];
    uint32_t dataOffset = 0;
    uint32_t dataSize = 0;
    uint32_t encoding = 0;
    uint32_t sampleRate = 0;
    uint32_t channels = 0;
    if (!reader.ReadBytes(magic, 4) || std::memcmp(magic, ".snd", 4) != 0)
        return Refuse(fileName, "not an AU file");
    if (!reader.ReadBigEndian32(&dataOffset) || !reader.ReadBigEndian32(&dataSize) ||
        !reader.ReadBigEndian32(&encoding) || !reader.ReadBigEndian32(&sampleRate) ||
        !reader.ReadBigEndian32(&channels))
        return Refuse(fileName, "header cut short");
    if (encoding != kMuLawEncoding && encoding != kLinear8Encoding)
        return Refuse(fileName, "unsupported encoding");

    PcmFormat format;
    format.mChannels = static_cast<uint16_t>(channels);
    format.mSamplesPerSec = sampleRate;
    format.mBitsPerSample = encoding == kMuLawEncoding ? 16 : 8;
    if (channels > 2 || !IsPlayableFormat(format))
        return Refuse(fileName, "unsupported channels or rate");
    if (!reader.SeekTo(dataOffset))
        return Refuse(fileName, "data cut short");
    if (dataSize == kUnknownDataSize)
        dataSize = static_cast<uint32_t>(std::min<int64_t>(reader.Remaining(), kUnknownDataSize - 1));
    if (dataSize > kMaxSoundDataBytes / 2)
        return Refuse(fileName, "data too long");
    if (dataSize > reader.Remaining())
        return Refuse(fileName, "data cut short");

    std::vector<uint8_t> input(dataSize);
    if (!reader.ReadBytes(input.data(), input.size()))
        return Refuse(fileName, "data cut short");
    sound->mFormat = format;
    if (encoding == kLinear8Encoding) {
        // AU stores 8-bit samples signed; buffers hold them unsigned, centred on 128.
        sound->mData.resize(input.size());
        for (size_t i = 0; i < input.size(); ++i)
            sound->mData[i] = input[i] ^ 0x80;
    } else {
        sound->mData.resize(input.size() * 2);
        for (size_t i = 0; i < input.size(); ++i) {
            const uint16_t sample = static_cast<uint16_t>(MuLawToLinear(input[i]));
            sound->mData[2 * i] = static_cast<uint8_t>(sample & 0xFF);
            sound->mData[2 * i + 1] = static_cast<uint8_t>(sample >> 8);
        }
    }
    return true;
}

} // namespace Zest
