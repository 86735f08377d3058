#include "platform/music/StreamDecoder.h"

#include <algorithm>
#include <cstring>

namespace Music {
namespace {

bool StartsWith(const std::vector<uint8_t>& bytes, const size_t at, const char* text)
{
    const size_t length = std::strlen(text);
    return bytes.size() >= at + length && std::memcmp(bytes.data() + at, text, length) == 0;
}

bool IsWav(const std::vector<uint8_t>& bytes) { return StartsWith(bytes, 0, "RIFF") && StartsWith(bytes, 8, "WAVE"); }

// A WAV file's samples, already in memory.
class PcmDecoder final : public StreamDecoder {
public:
    explicit PcmDecoder(Pcm pcm) : mPcm(std::move(pcm))
    {
        mRate = mPcm.format.rate;
        mChannels = mPcm.format.channels;
    }

    int Read(int16_t* out, const int frames) override
    {
        const int count = static_cast<int>(std::min<int64_t>(frames, mPcm.Frames() - mPosition));
        if (count <= 0)
            return 0;
        mPcm.Read(mPosition, count, out);
        mPosition += count;
        return count;
    }

    bool Seek(const int64_t frame) override
    {
        if (frame < 0 || frame > mPcm.Frames())
            return false;
        mPosition = frame;
        return true;
    }

    int64_t Tell() override { return mPosition; }
    int64_t Length() override { return mPcm.Frames(); }

private:
    Pcm mPcm;
    int64_t mPosition = 0;
};

} // namespace

std::unique_ptr<StreamDecoder> OpenPcmDecoder(Pcm pcm) { return std::make_unique<PcmDecoder>(std::move(pcm)); }

std::unique_ptr<StreamDecoder> OpenStreamDecoder(SongBytes bytes)
{
    if (bytes == nullptr || bytes->empty())
        return nullptr;
    if (IsWav(*bytes)) {
        std::optional<Pcm> pcm = DecodeWav(*bytes);
        return pcm ? OpenPcmDecoder(std::move(*pcm)) : nullptr;
    }
    if (StartsWith(*bytes, 0, "OggS"))
        return OpenOggDecoder(std::move(bytes));
    return OpenMp3Decoder(std::move(bytes));
}

std::optional<Pcm> DecodeWholeStream(SongBytes bytes)
{
    if (bytes != nullptr && IsWav(*bytes))
        return DecodeWav(*bytes);
    const std::unique_ptr<StreamDecoder> decoder = OpenStreamDecoder(std::move(bytes));
    if (decoder == nullptr || decoder->Channels() < 1 || decoder->Channels() > 2)
        return std::nullopt;
    Pcm pcm{{decoder->Rate(), decoder->Channels(), 16}, {}};
    constexpr int kChunkFrames = 4096;
    std::vector<int16_t> chunk(static_cast<size_t>(kChunkFrames) * static_cast<size_t>(pcm.format.channels));
    while (const int frames = decoder->Read(chunk.data(), kChunkFrames)) {
        const auto* begin = reinterpret_cast<const uint8_t*>(chunk.data());
        pcm.data.insert(pcm.data.end(), begin, begin + static_cast<size_t>(frames) * pcm.format.BlockAlign());
    }
    if (pcm.data.empty())
        return std::nullopt;
    return pcm;
}

} // namespace Music
