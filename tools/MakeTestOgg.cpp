// Writes an Ogg Vorbis file of a sine tone for the sound tests:
//   make_test_ogg FILE CHANNELS RATE FRAMES FREQUENCY_HZ AMPLITUDE
// A program of its own because the encoder library and the integer decoder that the code
// under test uses export functions of the same names: one process cannot hold both.

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace {

bool WritePages(ogg_stream_state& stream, FILE* out, const bool flush)
{
    ogg_page page;
    while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
        if (std::fwrite(page.header, 1, page.header_len, out) != static_cast<size_t>(page.header_len) ||
            std::fwrite(page.body, 1, page.body_len, out) != static_cast<size_t>(page.body_len))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 7) {
        std::fprintf(stderr, "usage: make_test_ogg FILE CHANNELS RATE FRAMES FREQUENCY_HZ AMPLITUDE\n");
        return 2;
    }
    const int channels = std::atoi(argv[2]);
    const long rate = std::atol(argv[3]);
    const long frames = std::atol(argv[4]);
    const double frequency = std::atof(argv[5]);
    const double amplitude = std::atof(argv[6]);
    FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr)
        return 1;

    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, 0.6f) != 0)
        return 1;
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);

    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    bool written = WritePages(stream, out, true);

    const auto encodeWritten = [&](const long count) {
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                written = written && WritePages(stream, out, false);
            }
        }
    };
    constexpr long kChunk = 1024;
    for (long done = 0; done < frames;) {
        const long count = std::min(kChunk, frames - done);
        float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
        for (long i = 0; i < count; ++i) {
            const double t = static_cast<double>(done + i) / rate;
            // The second channel is at half the level, so that the sides can be told apart.
            for (int c = 0; c < channels; ++c)
                buffer[c][i] = static_cast<float>(amplitude / (c + 1) * std::sin(2 * std::numbers::pi * frequency * t));
        }
        encodeWritten(count);
        done += count;
    }
    // No more samples: the encoder finishes the stream.
    encodeWritten(0);
    written = written && WritePages(stream, out, true);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return std::fclose(out) == 0 && written ? 0 : 1;
}
