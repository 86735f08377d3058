// MP3 through libmpg123, reading the song's bytes in memory through replaced reader
// callbacks, so that it can seek and knows the exact length. Every file is decoded to
// 16-bit stereo (mono is doubled), so the frame layout never changes mid-stream.
#include "platform/music/StreamDecoder.h"

#include <mpg123.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace Music {
namespace {

struct MemoryReader {
    SongBytes bytes;
    size_t position = 0;
};

mpg123_ssize_t ReadCallback(void* source, void* buffer, const size_t count)
{
    auto* reader = static_cast<MemoryReader*>(source);
    const size_t bytes = std::min(count, reader->bytes->size() - reader->position);
    std::memcpy(buffer, reader->bytes->data() + reader->position, bytes);
    reader->position += bytes;
    return static_cast<mpg123_ssize_t>(bytes);
}

off_t SeekCallback(void* source, const off_t offset, const int origin)
{
    auto* reader = static_cast<MemoryReader*>(source);
    const auto size = static_cast<off_t>(reader->bytes->size());
    off_t base = 0;
    if (origin == SEEK_CUR)
        base = static_cast<off_t>(reader->position);
    else if (origin == SEEK_END)
        base = size;
    else if (origin != SEEK_SET)
        return -1;
    const off_t target = base + offset;
    if (target < 0 || target > size)
        return -1;
    reader->position = static_cast<size_t>(target);
    return target;
}

class Mp3Decoder final : public StreamDecoder {
public:
    explicit Mp3Decoder(SongBytes bytes) : mReader{std::move(bytes)} {}
    ~Mp3Decoder() override
    {
        if (mHandle != nullptr) {
            mpg123_close(mHandle);
            mpg123_delete(mHandle);
        }
    }

    bool Open()
    {
        static std::once_flag initialised;
        std::call_once(initialised, [] { mpg123_init(); });
        mHandle = mpg123_new(nullptr, nullptr);
        if (mHandle == nullptr)
            return false;
        mpg123_param(mHandle, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
        mpg123_format_none(mHandle);
        const long* rates = nullptr;
        size_t rateCount = 0;
        mpg123_rates(&rates, &rateCount);
        for (size_t i = 0; i < rateCount; ++i)
            mpg123_format(mHandle, rates[i], MPG123_STEREO, MPG123_ENC_SIGNED_16);
        if (mpg123_replace_reader_handle(mHandle, &ReadCallback, &SeekCallback, nullptr) != MPG123_OK
            || mpg123_open_handle(mHandle, &mReader) != MPG123_OK)
            return false;
        long rate = 0;
        int channels = 0;
        int encoding = 0;
        if (mpg123_getformat(mHandle, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 || channels != 2)
            return false;
        mRate = static_cast<int>(rate);
        mChannels = channels;
        // The length counts every frame once the whole file has been scanned.
        mpg123_scan(mHandle);
        mLength = std::max<off_t>(mpg123_length(mHandle), 0);
        return true;
    }

    int Read(int16_t* out, const int frames) override
    {
        const size_t frameBytes = static_cast<size_t>(mChannels) * sizeof(int16_t);
        size_t done = 0;
        const size_t wanted = static_cast<size_t>(frames) * frameBytes;
        while (done < wanted) {
            size_t got = 0;
            const int result = mpg123_read(mHandle, reinterpret_cast<unsigned char*>(out) + done, wanted - done, &got);
            done += got;
            if (result == MPG123_NEW_FORMAT && FormatChanged())
                break;
            if (result != MPG123_OK && result != MPG123_NEW_FORMAT)
                break;
            if (got == 0 && result == MPG123_OK)
                break;
        }
        return static_cast<int>(done / frameBytes);
    }

    bool Seek(const int64_t frame) override
    {
        return frame >= 0 && frame <= mLength && mpg123_seek(mHandle, static_cast<off_t>(frame), SEEK_SET) >= 0;
    }

    int64_t Tell() override { return std::max<off_t>(mpg123_tell(mHandle), 0); }
    int64_t Length() override { return mLength; }

private:
    // A later part at another rate ends the stream there.
    bool FormatChanged()
    {
        long rate = 0;
        int channels = 0;
        int encoding = 0;
        return mpg123_getformat(mHandle, &rate, &channels, &encoding) != MPG123_OK || rate != mRate
            || channels != mChannels;
    }

    MemoryReader mReader;
    mpg123_handle* mHandle = nullptr;
    int64_t mLength = 0;
};

} // namespace

std::unique_ptr<StreamDecoder> OpenMp3Decoder(SongBytes bytes)
{
    auto decoder = std::make_unique<Mp3Decoder>(std::move(bytes));
    if (!decoder->Open())
        return nullptr;
    return decoder;
}

} // namespace Music
