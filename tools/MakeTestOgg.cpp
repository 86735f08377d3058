// Writes an Ogg Vorbis file of a sine tone for the sound tests:
//   make_test_ogg FILE CHANNELS RATE FRAMES FREQUENCY_HZ AMPLITUDE
// A program of its own because the encoder library and the integer decoder that the code
// under test uses export functions of the same names: one process cannot hold both.

#include "tools/content/OggVorbisWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <vector>

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
    if (channels < 1)
        return 1;
    Content::OggVorbisWriter writer(argv[1], channels, rate, 0.6f);
    if (!writer.IsOpen())
        return 1;

    constexpr long kChunk = 1024;
    std::vector<std::vector<float>> buffers(channels, std::vector<float>(kChunk));
    std::vector<const float*> starts;
    for (const std::vector<float>& buffer : buffers)
        starts.push_back(buffer.data());
    for (long done = 0; done < frames;) {
        const long count = std::min(kChunk, frames - done);
        for (long i = 0; i < count; ++i) {
            const double t = static_cast<double>(done + i) / rate;
            // The second channel is at half the level, so that the sides can be told apart.
            for (int c = 0; c < channels; ++c)
                buffers[c][i] =
                    static_cast<float>(amplitude / (c + 1) * std::sin(2 * std::numbers::pi * frequency * t));
        }
        writer.Write(starts.data(), count);
        done += count;
    }
    return writer.Finish() ? 0 : 1;
}
