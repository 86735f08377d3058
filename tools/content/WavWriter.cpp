#include "tools/content/WavWriter.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace Content {

namespace {

void AppendLittleEndian(std::vector<unsigned char>& out, uint32_t value, const int bytes)
{
    for (int i = 0; i < bytes; ++i, value >>= 8)
        out.push_back(static_cast<unsigned char>(value & 0xFF));
}

void AppendTag(std::vector<unsigned char>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

} // namespace

bool WriteWav(const std::string& path, const Audio& audio)
{
    constexpr int kBytesPerSample = 2;
    const uint32_t channels = static_cast<uint32_t>(audio.mChannels.size());
    const uint32_t dataBytes = static_cast<uint32_t>(audio.Frames() * channels * kBytesPerSample);
    std::vector<unsigned char> bytes;
    bytes.reserve(44 + dataBytes);
    AppendTag(bytes, "RIFF");
    AppendLittleEndian(bytes, 36 + dataBytes, 4);
    AppendTag(bytes, "WAVE");
    AppendTag(bytes, "fmt ");
    AppendLittleEndian(bytes, 16, 4);
    AppendLittleEndian(bytes, 1, 2); // PCM
    AppendLittleEndian(bytes, channels, 2);
    AppendLittleEndian(bytes, kSampleRate, 4);
    AppendLittleEndian(bytes, kSampleRate * channels * kBytesPerSample, 4);
    AppendLittleEndian(bytes, channels * kBytesPerSample, 2);
    AppendLittleEndian(bytes, 8 * kBytesPerSample, 2);
    AppendTag(bytes, "data");
    AppendLittleEndian(bytes, dataBytes, 4);
    for (size_t i = 0; i < audio.Frames(); ++i) {
        for (const Samples& channel : audio.mChannels) {
            const long value = std::lround(std::clamp(static_cast<double>(channel[i]), -1.0, 1.0) * 32767);
            AppendLittleEndian(bytes, static_cast<uint32_t>(value) & 0xFFFF, 2);
        }
    }

    FILE* const out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        std::fprintf(stderr, "cannot write '%s': %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    const int writeError = errno;
    if (std::fclose(out) != 0 || !written) {
        std::fprintf(stderr, "cannot write '%s': %s\n", path.c_str(), std::strerror(written ? errno : writeError));
        return false;
    }
    return true;
}

} // namespace Content
