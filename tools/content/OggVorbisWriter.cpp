#include "tools/content/OggVorbisWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace Content {

namespace {

// Samples go to the encoder in blocks of this many frames, which bounds its buffers.
constexpr long kBlockFrames = 1024;

} // namespace

// The encoder's state, kept out of the header so that users do not see the library.
struct OggVorbisWriter::Encoder {
    FILE* mFile = nullptr;
    int mChannels = 0;
    bool mStarted = false;
    vorbis_info mInfo;
    vorbis_comment mComment;
    vorbis_dsp_state mDsp;
    vorbis_block mBlock;
    ogg_stream_state mStream;

    ~Encoder()
    {
        if (mStarted) {
            ogg_stream_clear(&mStream);
            vorbis_block_clear(&mBlock);
            vorbis_dsp_clear(&mDsp);
            vorbis_comment_clear(&mComment);
        }
        vorbis_info_clear(&mInfo);
        if (mFile != nullptr)
            std::fclose(mFile);
    }
};

OggVorbisWriter::OggVorbisWriter(const std::string& path, const int channels, const long rate, const float quality)
    : mPath(path)
{
    FILE* const file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "cannot write '%s': %s\n", path.c_str(), std::strerror(errno));
        return;
    }
    mEncoder = std::make_unique<Encoder>();
    Encoder& encoder = *mEncoder;
    encoder.mFile = file;
    encoder.mChannels = channels;
    vorbis_info_init(&encoder.mInfo);
    if (vorbis_encode_init_vbr(&encoder.mInfo, channels, rate, quality) != 0) {
        std::fprintf(stderr, "cannot write '%s': the encoder refuses %d channels at %ld hz\n", path.c_str(), channels,
                     rate);
        mEncoder.reset();
        return;
    }
    vorbis_comment_init(&encoder.mComment);
    vorbis_analysis_init(&encoder.mDsp, &encoder.mInfo);
    vorbis_block_init(&encoder.mDsp, &encoder.mBlock);
    ogg_stream_init(&encoder.mStream, 1);
    encoder.mStarted = true;

    // The three header packets stand on pages of their own before any audio.
    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&encoder.mDsp, &encoder.mComment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&encoder.mStream, &header);
    ogg_stream_packetin(&encoder.mStream, &commentHeader);
    ogg_stream_packetin(&encoder.mStream, &codeHeader);
    mWritten = WritePages(true);
}

OggVorbisWriter::~OggVorbisWriter() = default;

bool OggVorbisWriter::IsOpen() const { return mEncoder != nullptr; }

void OggVorbisWriter::Write(const float* const* channels, const long frames)
{
    if (mEncoder == nullptr)
        return;
    for (long done = 0; done < frames;) {
        const long count = std::min(kBlockFrames, frames - done);
        float** const buffer = vorbis_analysis_buffer(&mEncoder->mDsp, static_cast<int>(count));
        for (int c = 0; c < mEncoder->mChannels; ++c)
            std::copy(channels[c] + done, channels[c] + done + count, buffer[c]);
        EncodeWritten(count);
        done += count;
    }
}

bool OggVorbisWriter::Finish()
{
    if (mEncoder == nullptr)
        return false;
    // No more samples: the encoder finishes the stream.
    EncodeWritten(0);
    mWritten = WritePages(true) && mWritten;
    FILE* const file = mEncoder->mFile;
    mEncoder->mFile = nullptr;
    mEncoder.reset();
    const bool closed = std::fclose(file) == 0;
    if (!closed || !mWritten) {
        std::fprintf(stderr, "cannot write '%s': %s\n", mPath.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

void OggVorbisWriter::EncodeWritten(const long frames)
{
    Encoder& encoder = *mEncoder;
    vorbis_analysis_wrote(&encoder.mDsp, static_cast<int>(frames));
    while (vorbis_analysis_blockout(&encoder.mDsp, &encoder.mBlock) == 1) {
        vorbis_analysis(&encoder.mBlock, nullptr);
        vorbis_bitrate_addblock(&encoder.mBlock);
        ogg_packet packet;
        while (vorbis_bitrate_flushpacket(&encoder.mDsp, &packet)) {
            ogg_stream_packetin(&encoder.mStream, &packet);
            mWritten = WritePages(false) && mWritten;
        }
    }
}

bool OggVorbisWriter::WritePages(const bool flush)
{
    Encoder& encoder = *mEncoder;
    ogg_page page;
    while (flush ? ogg_stream_flush(&encoder.mStream, &page) : ogg_stream_pageout(&encoder.mStream, &page)) {
        if (std::fwrite(page.header, 1, page.header_len, encoder.mFile) != static_cast<size_t>(page.header_len) ||
            std::fwrite(page.body, 1, page.body_len, encoder.mFile) != static_cast<size_t>(page.body_len))
            return false;
    }
    return true;
}

bool WriteOggVorbis(const std::string& path, const std::vector<std::vector<float>>& channels, const long rate,
                    const float quality)
{
    OggVorbisWriter writer(path, static_cast<int>(channels.size()), rate, quality);
    if (!writer.IsOpen())
        return false;
    std::vector<const float*> starts;
    for (const std::vector<float>& channel : channels)
        starts.push_back(channel.data());
    writer.Write(starts.data(), channels.empty() ? 0 : static_cast<long>(channels[0].size()));
    return writer.Finish();
}

} // namespace Content
