#pragma once
// Sound files made by the tests: WAV, AU and (through a helper program) Ogg Vorbis, in a
// fresh working folder whose "appdata" subfolder is the application-data folder.

#include "framework/app/common/FileHelpers.h"
#include "framework/resources/PakInterface.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/platform/music/MusicTestSupport.h"

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

// Sets a file's last-write time to a fixed second since 1970.
inline void SetFileTime(const fs::path& path, const int64_t unixSeconds)
{
    const timespec times[2] = {{unixSeconds, 0}, {unixSeconds, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

// Runs the test in a fresh working folder, with "appdata" below it as the application-data
// folder. Archives the test maps into the process's archive file system are gone after it.
class SoundFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(mFolder.Path().empty());
        mOldFolder = fs::current_path();
        fs::current_path(mFolder.Path());
        Zest::SetAppDataFolder((mFolder.Path() / "appdata").string());
    }

    void TearDown() override
    {
        Zest::gPakInterface->RemovePakFiles();
        fs::current_path(mOldFolder);
    }

    // A file below the working folder.
    static fs::path File(const std::string& relative) { return fs::current_path() / relative; }
    static void Write(const std::string& relative, const std::string& bytes) { WriteBytes(File(relative), bytes); }

    fs::path CacheFile(const std::string& relative) const { return mFolder.Path() / "appdata" / "cached" / relative; }

    TemporaryFolder mFolder;
    fs::path mOldFolder;
};

} // namespace Tests
