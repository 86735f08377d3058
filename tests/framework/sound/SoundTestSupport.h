#pragma once
// Sound files made by the tests: WAV, AU and (through a helper program) Ogg Vorbis, in a
// fresh working folder whose "appdata" subfolder is the application-data folder.

#include "framework/app/FileHelpers.h"
#include "tests/framework/resources/PakTestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace Tests {

namespace fs = std::filesystem;

inline void PutLittleEndian(std::string& out, uint64_t value, const int bytes)
{
    for (int i = 0; i < bytes; ++i, value >>= 8)
        out.push_back(static_cast<char>(value & 0xFF));
}

inline void PutBigEndian(std::string& out, const uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

inline std::string AsBytes(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

inline std::string Samples16(const std::vector<int16_t>& samples)
{
    std::string out;
    for (const int16_t sample : samples)
        PutLittleEndian(out, static_cast<uint16_t>(sample), 2);
    return out;
}

inline std::vector<int16_t> ToSamples16(const std::vector<uint8_t>& bytes)
{
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return samples;
}

// A PCM WAV file: "fmt " chunk, then "data".
inline std::string MakeWav(const int channels, const int rate, const int bits, const std::string& data,
                           const int formatTag = 1)
{
    std::string out = "RIFF";
    PutLittleEndian(out, 36 + data.size(), 4);
    out += "WAVEfmt ";
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, static_cast<uint16_t>(formatTag), 2);
    PutLittleEndian(out, static_cast<uint16_t>(channels), 2);
    PutLittleEndian(out, static_cast<uint32_t>(rate), 4);
    PutLittleEndian(out, static_cast<uint32_t>(rate * channels * bits / 8), 4);
    PutLittleEndian(out, static_cast<uint16_t>(channels * bits / 8), 2);
    PutLittleEndian(out, static_cast<uint16_t>(bits), 2);
    out += "data";
    PutLittleEndian(out, data.size(), 4);
    return out + data;
}

constexpr uint32_t kAuMuLaw = 1;
constexpr uint32_t kAuLinear8 = 2;
constexpr uint32_t kAuLinear16 = 3;

// An AU file with a 24-byte header and `annotation` bytes before the data.
inline std::string MakeAu(const uint32_t encoding, const uint32_t rate, const uint32_t channels, const std::string& data,
                          const std::string& annotation = "")
{
    std::string out = ".snd";
    PutBigEndian(out, static_cast<uint32_t>(24 + annotation.size()));
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    PutBigEndian(out, encoding);
    PutBigEndian(out, rate);
    PutBigEndian(out, channels);
    return out + annotation + data;
}

// An Ogg Vorbis sine tone; the second channel at half the first's amplitude.
inline bool MakeOgg(const fs::path& path, const int channels, const int rate, const int frames,
                    const double frequency = 441.0, const double amplitude = 0.5)
{
    fs::create_directories(path.parent_path());
    const std::string command = std::string(MAKE_TEST_OGG) + " '" + path.string() + "' " + std::to_string(channels) +
                                " " + std::to_string(rate) + " " + std::to_string(frames) + " " +
                                std::to_string(frequency) + " " + std::to_string(amplitude);
    return std::system(command.c_str()) == 0;
}

// MPEG-1 layer III frames of silence at 44100 Hz, mono, 128 kbit/s, made by hand: a
// frame header and 413 zero bytes, whose side information asks for no coded samples.
// Each frame decodes to 1152 samples.
inline std::string MakeSilentMp3(const int frames)
{
    std::string frame = "\xFF\xFB\x90\xC0";
    frame.resize(417, '\0');
    std::string out;
    for (int i = 0; i < frames; ++i)
        out += frame;
    return out;
}

// Sets a file's last-write time to a fixed second since 1970.
inline void SetFileTime(const fs::path& path, const int64_t unixSeconds)
{
    const timespec times[2] = {{unixSeconds, 0}, {unixSeconds, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

// Runs the test in a fresh working folder, with "appdata" below it as the application-data
// folder.
class SoundFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(mFolder.Path().empty());
        mOldFolder = fs::current_path();
        fs::current_path(mFolder.Path());
        Zest::SetAppDataFolder((mFolder.Path() / "appdata").string());
    }

    void TearDown() override { fs::current_path(mOldFolder); }

    // A file below the working folder.
    static fs::path File(const std::string& relative) { return fs::current_path() / relative; }
    static void Write(const std::string& relative, const std::string& bytes) { WriteBytes(File(relative), bytes); }

    fs::path CacheFile(const std::string& relative) const { return mFolder.Path() / "appdata" / "cached" / relative; }

    TemporaryFolder mFolder;
    fs::path mOldFolder;
};

} // namespace Tests
