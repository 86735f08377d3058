// Ogg Vorbis through Tremor, the integer decoder, reading the song's bytes in memory.
#include "platform/music/StreamDecoder.h"

#include <tremor/ivorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace Music {
namespace {

struct MemoryReader {
    SongBytes bytes;
    size_t position = 0;
};

size_t ReadCallback(void* buffer, const size_t size, const size_t count, void* source)
{
    auto* reader = static_cast<MemoryReader*>(source);
    if (size == 0)
        return 0;
    const size_t left = reader->bytes->size() - reader->position;
    const size_t elements = std::min(count, left / size);
    std::memcpy(buffer, reader->bytes->data() + reader->position, elements * size);
    reader->position += elements * size;
    return elements;
}

int SeekCallback(void* source, const ogg_int64_t offset, const int origin)
{
    auto* reader = static_cast<MemoryReader*>(source);
    const auto size = static_cast<ogg_int64_t>(reader->bytes->size());
    ogg_int64_t base = 0;
    if (origin == SEEK_CUR)
        base = static_cast<ogg_int64_t>(reader->position);
    else if (origin == SEEK_END)
        base = size;
    else if (origin != SEEK_SET)
        return -1;
    const ogg_int64_t target = base + offset;
    if (target < 0 || target > size)
        return -1;
    reader->position = static_cast<size_t>(target);
    return 0;
}

long TellCallback(void* source) { return static_cast<long>(static_cast<MemoryReader*>(source)->position); }

class OggDecoder final : public StreamDecoder {
public:
    explicit OggDecoder(SongBytes bytes) : mReader{std::move(bytes)} {}
    ~OggDecoder() override
    {
        if (mOpen)
            ov_clear(&mFile);
    }

    bool Open()
    {
        const ov_callbacks callbacks{&ReadCallback, &SeekCallback, nullptr, &TellCallback};
        if (ov_open_callbacks(&mReader, &mFile, nullptr, 0, callbacks) != 0)
            return false;
        mOpen = true;
        const vorbis_info* info = ov_info(&mFile, -1);
        if (info == nullptr || info->channels < 1 || info->rate <= 0)
            return false;
        mRate = static_cast<int>(info->rate);
        mChannels = info->channels;
        mLength = std::max<ogg_int64_t>(ov_pcm_total(&mFile, -1), 0);
        return true;
    }

    int Read(int16_t* out, const int frames) override
    {
        const int frameBytes = mChannels * static_cast<int>(sizeof(int16_t));
        int done = 0;
        while (done < frames) {
            int section = 0;
            const long bytes = ov_read(&mFile, reinterpret_cast<char*>(out + static_cast<ptrdiff_t>(done) * mChannels),
                (frames - done) * frameBytes, &section);
            if (bytes == OV_HOLE)
                continue;
            // A chained stream whose layout changes ends where the change comes.
            const vorbis_info* info = ov_info(&mFile, section);
            if (bytes <= 0 || info == nullptr || info->channels != mChannels)
                break;
            done += static_cast<int>(bytes / frameBytes);
        }
        return done;
    }

    bool Seek(const int64_t frame) override { return frame >= 0 && frame <= mLength && ov_pcm_seek(&mFile, frame) == 0; }
    int64_t Tell() override { return ov_pcm_tell(&mFile); }
    int64_t Length() override { return mLength; }

private:
    MemoryReader mReader;
    OggVorbis_File mFile{};
    bool mOpen = false;
    int64_t mLength = 0;
};

} // namespace

std::unique_ptr<StreamDecoder> OpenOggDecoder(SongBytes bytes)
{
    auto decoder = std::make_unique<OggDecoder>(std::move(bytes));
    if (!decoder->Open())
        return nullptr;
    return decoder;
}

} // namespace Music
