#pragma once
// Decoded sound data as the sound buffers hold it: interleaved PCM, 8-bit samples unsigned,
// 16-bit samples signed little-endian.

#include <cstdint>
#include <vector>

namespace Zest {

struct PcmFormat {
    uint16_t mChannels = 1;
    uint32_t mSamplesPerSec = 22050;
    uint16_t mBitsPerSample = 16;

    uint16_t BlockAlign() const { return static_cast<uint16_t>(mChannels * mBitsPerSample / 8); }
    uint32_t BytesPerSec() const { return BlockAlign() * mSamplesPerSec; }
};

struct DecodedSound {
    PcmFormat mFormat;
    std::vector<uint8_t> mData;
};

// The largest decoded sound accepted, in bytes: about twelve minutes of 16-bit stereo at
// 44100 Hz. Effects are far shorter; the bound keeps a damaged header from asking for
// gigabytes.
constexpr uint32_t kMaxSoundDataBytes = 128u << 20;

// Whether the buffers can play the format: mono or stereo, 8 or 16 bits, a rate the
// pitch control can reach.
bool IsPlayableFormat(const PcmFormat& format);

} // namespace Zest
