#pragma once
// Sound decoded into memory: interleaved frames of unsigned 8-bit or signed 16-bit samples
// (the two forms a WAV file holds and a sample is locked in), mono or stereo.

#include <cstdint>
#include <vector>

namespace Music {

struct PcmFormat {
    int rate = 44100;
    int channels = 2;
    int bits = 16;

    int BlockAlign() const { return channels * bits / 8; }
    bool IsValid() const { return rate > 0 && (channels == 1 || channels == 2) && (bits == 8 || bits == 16); }
};

struct Pcm {
    PcmFormat format;
    std::vector<uint8_t> data;

    int64_t Frames() const { return static_cast<int64_t>(data.size()) / format.BlockAlign(); }
    // Frames [first, first + count) as signed 16-bit samples, `channels` per frame.
    void Read(int64_t first, int count, int16_t* out) const;
};

} // namespace Music
