#pragma once
// Songs made by the music tests (Ogg Vorbis tones through a helper program, a small
// tracker module built byte by byte), a music library loaded by name as the program loads
// it, and measurements of the shared output, mixed without any audio device.

#include "platform/audio/AudioOutput.h"
#include "platform/music/StandInControls.h"
#include "platform/win32/Library.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace Tests {

namespace fs = std::filesystem;

// An Ogg Vorbis sine tone; a second channel is at half the first's amplitude. Made by a
// separate program: the encoder library and the integer decoder under test export
// functions of the same names, so one process cannot hold both.
inline bool MakeOgg(const fs::path& path, const int channels, const int rate, const int frames,
                    const double frequency = 441.0, const double amplitude = 0.5)
{
    fs::create_directories(path.parent_path());
    const std::string command = std::string(MAKE_TEST_OGG) + " '" + path.string() + "' " + std::to_string(channels) + " "
        + std::to_string(rate) + " " + std::to_string(frames) + " " + std::to_string(frequency) + " "
        + std::to_string(amplitude);
    return std::system(command.c_str()) == 0;
}

// A four-channel module of two orders, both playing one pattern of 64 rows at one tick a
// row (1.28 seconds each): a looped square wave starts on the first row of channel 1.
inline std::string MakeModule()
{
    std::string module(20, '\0');
    module.replace(0, 4, "test");
    constexpr int kSampleBytes = 64;
    for (int sample = 0; sample < 31; ++sample) {
        std::string header(30, '\0');
        // Big-endian lengths in words: the first sample's whole length loops.
        if (sample == 0) {
            header[23] = kSampleBytes / 2;
            header[25] = 64; // volume
            header[29] = kSampleBytes / 2;
        } else {
            header[29] = 1;
        }
        module += header;
    }
    module.push_back(2);                 // orders
    module.push_back(static_cast<char>(127));
    std::string orders(128, '\0');
    orders[1] = 1;
    module += orders;
    module += "M.K.";
    for (int pattern = 0; pattern < 2; ++pattern) {
        std::string cells(64 * 4 * 4, '\0');
        constexpr int kPeriod = 428;
        cells[0] = static_cast<char>(kPeriod >> 8); // sample 1 (high nibble 0)
        cells[1] = static_cast<char>(kPeriod & 0xFF);
        cells[2] = static_cast<char>(0x10 | 0x0F); // sample 1 (low nibble), speed effect
        cells[3] = 1;                               // one tick a row
        module += cells;
    }
    for (int i = 0; i < kSampleBytes; ++i)
        module.push_back(static_cast<char>(i < kSampleBytes / 2 ? 100 : -100));
    return module;
}

// An MP3 file of silent frames: MPEG-1 layer III, 128 kbit/s, 44100 Hz, stereo or mono,
// 1152 frames of sound in each 417-byte frame, whose side information is all zero.
inline std::string MakeSilentMp3(const int frames, const int channels = 2)
{
    std::string frame(417, '\0');
    frame[0] = static_cast<char>(0xFF);
    frame[1] = static_cast<char>(0xFB);
    frame[2] = static_cast<char>(0x90);
    frame[3] = static_cast<char>(channels == 1 ? 0xC0 : 0x00);
    std::string file;
    for (int i = 0; i < frames; ++i)
        file += frame;
    return file;
}

// A WAV file: "fmt " chunk (PCM unless told otherwise), then "data".
inline std::string MakeWav(const int channels, const int rate, const int bits, const std::string& data,
                           const int formatTag = 1)
{
    const auto put = [](std::string& out, uint32_t value, const int bytes) {
        for (int i = 0; i < bytes; ++i, value >>= 8)
            out.push_back(static_cast<char>(value & 0xFF));
    };
    std::string out = "RIFF";
    put(out, static_cast<uint32_t>(36 + data.size()), 4);
    out += "WAVEfmt ";
    put(out, 16, 4);
    put(out, static_cast<uint32_t>(formatTag), 2);
    put(out, static_cast<uint32_t>(channels), 2);
    put(out, static_cast<uint32_t>(rate), 4);
    put(out, static_cast<uint32_t>(rate * channels * bits / 8), 4);
    put(out, static_cast<uint32_t>(channels * bits / 8), 2);
    put(out, static_cast<uint32_t>(bits), 2);
    out += "data";
    put(out, static_cast<uint32_t>(data.size()), 4);
    return out + data;
}

// The next frames of the shared output, interleaved 16-bit stereo.
inline std::vector<int16_t> Mix(const int frames)
{
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
    Audio::Mix(out.data(), frames);
    return out;
}

// Root mean square of one side (0 left, 1 right) over frames [first, last), full scale 1.
inline double Rms(const std::vector<int16_t>& mix, const int side, const size_t first, size_t last)
{
    last = std::min(last, mix.size() / 2);
    double sum = 0.0;
    for (size_t frame = first; frame < last; ++frame) {
        const double sample = mix[2 * frame + static_cast<size_t>(side)] / 32767.0;
        sum += sample * sample;
    }
    return last > first ? std::sqrt(sum / static_cast<double>(last - first)) : 0.0;
}

inline double Rms(const std::vector<int16_t>& mix, const int side) { return Rms(mix, side, 0, mix.size() / 2); }

// The quietest window of `window` frames of one side.
inline double QuietestWindow(const std::vector<int16_t>& mix, const int side, const size_t window)
{
    double quietest = 1.0;
    for (size_t first = 0; first + window <= mix.size() / 2; first += window / 4)
        quietest = std::min(quietest, Rms(mix, side, first, first + window));
    return quietest;
}

// A music library loaded by its Windows name, in a fresh folder, with no audio device, so
// that only Audio::Mix moves the music.
class MusicLibraryTest : public ::testing::Test {
protected:
    explicit MusicLibraryTest(const char* library) : mLibraryName(library) {}

    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "none-such", 1);
        mModule = Win32::LoadLibraryA(mLibraryName);
        ASSERT_NE(mModule, nullptr) << mLibraryName << " is not built";
        mLiveObjects = Bind<Music::LiveObjectsFunc>("MusicStandInLiveObjects");
    }

    void TearDown() override
    {
        if (mModule != nullptr)
            Win32::FreeLibrary(mModule);
    }

    template <typename Function>
    Function Bind(const char* name)
    {
        const Win32::FARPROC address = Win32::GetProcAddress(mModule, name);
        EXPECT_NE(address, nullptr) << name;
        return reinterpret_cast<Function>(address);
    }

    fs::path File(const std::string& name) const { return mFolder.Path() / name; }
    std::string Path(const std::string& name) const { return File(name).string(); }

    // A one-second 441 Hz tone; stereo at 44100 Hz unless told otherwise.
    std::string Tone(const std::string& name, const double amplitude = 0.5, const int channels = 2,
                     const int rate = 44100, const int frames = 44100)
    {
        EXPECT_TRUE(MakeOgg(File(name), channels, rate, frames, 441.0, amplitude));
        return Path(name);
    }

    const char* mLibraryName;
    Win32::HMODULE mModule = nullptr;
    Music::LiveObjectsFunc mLiveObjects = nullptr;
    TemporaryFolder mFolder;
};

// The level of a full-scale-relative sine of `amplitude`.
inline double SineRms(const double amplitude) { return amplitude / std::sqrt(2.0); }

} // namespace Tests
