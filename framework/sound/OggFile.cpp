#include "framework/sound/OggFile.h"

#include "framework/app/common/Debug.h"
#include "framework/resources/PakFile.h"
#include "framework/sound/SoundFileReader.h"

#include <tremor/ivorbisfile.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace Zest {
namespace {

bool Refuse(const std::string& fileName, const char* reason)
{
    OutputDebug("Sound file %s: %s\n", fileName.c_str(), reason);
    return false;
}

PakFileHandle* AsFile(void* dataSource) { return static_cast<PakFileHandle*>(dataSource); }

size_t OggReadCallback(void* buffer, const size_t size, const size_t count, void* dataSource)
{
    if (size == 0 || size > static_cast<size_t>(std::numeric_limits<int>::max()) ||
        count > static_cast<size_t>(std::numeric_limits<int>::max()))
        return 0;
    return PakFRead(buffer, static_cast<int>(size), static_cast<int>(count), AsFile(dataSource));
}

// The file calls take 32-bit offsets; sound files stay far below that.
int OggSeekCallback(void* dataSource, const ogg_int64_t offset, const int origin)
{
    if (dataSource == nullptr)
        return -1;
    return PakFSeek(AsFile(dataSource), static_cast<int32_t>(offset), origin);
}

int OggCloseCallback(void* dataSource) { return PakFClose(AsFile(dataSource)); }

long OggTellCallback(void* dataSource) { return PakFTell(AsFile(dataSource)); }

constexpr ov_callbacks OggOpenCallbacks = {&OggReadCallback, &OggSeekCallback, &OggCloseCallback, &OggTellCallback};

// Owns the decoder state once the decoder accepted the file; clearing it closes the file.
class OggDecoder {
public:
    ~OggDecoder()
    {
        if (mOpen)
            ov_clear(&mFile);
    }
    bool Open(PakFileHandle* file)
    {
        mOpen = ov_open_callbacks(file, &mFile, nullptr, 0, OggOpenCallbacks) >= 0;
        return mOpen;
    }
    OggVorbis_File* File() { return &mFile; }

private:
    OggVorbis_File mFile{};
    bool mOpen = false;
};

// Whether the file ends with the complete last page of its stream. The decoder silently
// drops a page cut short and takes the length from the pages before it, so a truncated
// file would otherwise load as a shorter sound.
bool EndsWithLastPage(const std::string& fileName)
{
    constexpr int64_t kLongestPage = 27 + 255 + 255 * 255;
    constexpr uint8_t kLastPageFlag = 0x04;
    SoundFileReader reader(fileName);
    const int64_t tailStart = std::max<int64_t>(0, reader.Length() - kLongestPage);
    std::vector<uint8_t> tail(static_cast<size_t>(reader.Length() - tailStart));
    if (!reader.IsOpen() || !reader.SeekTo(tailStart) || !reader.ReadBytes(tail.data(), tail.size()))
        return false;
    // From the end backwards, so that page data that happen to look like a page header are
    // passed over.
    for (int64_t start = static_cast<int64_t>(tail.size()) - 27; start >= 0; --start) {
        const uint8_t* const page = tail.data() + start;
        const size_t headerLength = 27 + page[26];
        if (std::memcmp(page, "OggS", 4) != 0 || start + headerLength > tail.size())
            continue;
        size_t length = headerLength;
        for (int segment = 0; segment < page[26]; ++segment)
            length += page[27 + segment];
        if (start + length == tail.size() && (page[5] & kLastPageFlag) != 0)
            return true;
    }
    return false;
}

} // namespace

bool ReadOggFile(const std::string& fileName, DecodedSound* sound)
{
    PakFileHandle* const file = PakFOpen(fileName.c_str(), "rb");
    if (file == nullptr)
        return false;
    OggDecoder decoder;
    if (!decoder.Open(file)) {
        PakFClose(file);
        return Refuse(fileName, "not an Ogg Vorbis file");
    }
    if (!EndsWithLastPage(fileName))
        return Refuse(fileName, "stream cut short");
    const vorbis_info* const info = ov_info(decoder.File(), -1);
    const ogg_int64_t frames = ov_pcm_total(decoder.File(), -1);
    if (info == nullptr || frames < 0)
        return Refuse(fileName, "stream without a length");
    PcmFormat format;
    format.mChannels = static_cast<uint16_t>(info->channels);
    format.mSamplesPerSec = static_cast<uint32_t>(info->rate);
    format.mBitsPerSample = 16;
    if (info->channels > 2 || info->rate <= 0 || !IsPlayableFormat(format))
        return Refuse(fileName, "unsupported channels or rate");
    if (frames > static_cast<ogg_int64_t>(kMaxSoundDataBytes / format.BlockAlign()))
        return Refuse(fileName, "data too long");

    sound->mFormat = format;
    sound->mData.resize(static_cast<size_t>(frames) * format.BlockAlign());
    size_t filled = 0;
    while (filled < sound->mData.size()) {
        const size_t wanted = std::min<size_t>(sound->mData.size() - filled, 1 << 16);
        int bitstream = 0;
        const long got = ov_read(decoder.File(), reinterpret_cast<char*>(sound->mData.data() + filled),
                                 static_cast<int>(wanted), &bitstream);
        if (got <= 0)
            break;
        filled += static_cast<size_t>(got);
    }
    if (filled != sound->mData.size())
        return Refuse(fileName, "stream ends before its announced length");
    return true;
}

} // namespace Zest
