// The sound file readers on files made here: the sample formats of WAV and AU files as the
// buffers receive them, Ogg Vorbis decoding, the layout of the cached copies, and damaged
// files, which are refused.

#include "framework/sound/AuFile.h"
#include "framework/sound/OggFile.h"
#include "framework/sound/WavFile.h"
#include "tests/framework/sound/SoundTestSupport.h"

#include <cmath>

namespace {

using namespace Zest;
using namespace std::string_literals;
using Tests::AsBytes;
using Tests::MakeAu;
using Tests::MakeWav;
using Tests::PutLittleEndian;
using Tests::Samples16;

using SoundFileTest = Tests::SoundFolderTest;

bool AlwaysCurrent(const std::string&, uint64_t) { return true; }

struct FormatCase {
    const char* name;
    std::string file;
    int channels;
    int rate;
    int bits;
    std::string samples; // as the buffer holds them
};

void ExpectDecoded(const DecodedSound& sound, const FormatCase& test)
{
    EXPECT_EQ(sound.mFormat.mChannels, test.channels) << test.name;
    EXPECT_EQ(sound.mFormat.mSamplesPerSec, static_cast<uint32_t>(test.rate)) << test.name;
    EXPECT_EQ(sound.mFormat.mBitsPerSample, test.bits) << test.name;
    EXPECT_EQ(AsBytes(sound.mData), test.samples) << test.name;
}

TEST_F(SoundFileTest, WavSamplesReachTheBufferAsStored)
{
    const std::string unsigned8 = "\x00\x40\x80\xC0\xFF\x7F"s;
    const std::string signed16 = Samples16({-32768, -1, 0, 1, 32767, 1234});
    const FormatCase cases[] = {
        {"8-bit mono", MakeWav(1, 11025, 8, unsigned8), 1, 11025, 8, unsigned8},
        {"8-bit stereo", MakeWav(2, 22050, 8, unsigned8), 2, 22050, 8, unsigned8},
        {"16-bit mono", MakeWav(1, 44100, 16, signed16), 1, 44100, 16, signed16},
        {"16-bit stereo", MakeWav(2, 48000, 16, signed16), 2, 48000, 16, signed16},
    };
    for (const FormatCase& test : cases) {
        Write("sound.wav", test.file);
        DecodedSound sound;
        ASSERT_TRUE(ReadWavFile("sound.wav", &AlwaysCurrent, &sound)) << test.name;
        ExpectDecoded(sound, test);
    }
}

TEST_F(SoundFileTest, AuSamplesAreConvertedToTheBuffersForms)
{
    // 8-bit linear AU samples are signed; the buffer's 8-bit samples are unsigned.
    const std::string signed8 = "\x80\xFF\x00\x01\x7F\xC0"s;
    const std::string unsigned8 = "\x00\x7F\x80\x81\xFF\x40"s;
    // mu-law: 0xFF and 0x7F are zero, 0x80 and 0x00 the loudest, each segment coarser.
    const std::string muLaw = "\xFF\x7F\xF0\x70\x80\x00\x81\xC5"s;
    const std::string decodedMuLaw = Samples16({0, 0, 120, -120, 31616, -31616, 30592, 1536});
    const FormatCase cases[] = {
        {"8-bit signed mono", MakeAu(Tests::kAuLinear8, 8000, 1, signed8), 1, 8000, 8, unsigned8},
        {"8-bit signed stereo", MakeAu(Tests::kAuLinear8, 22050, 2, signed8), 2, 22050, 8, unsigned8},
        {"mu-law mono", MakeAu(Tests::kAuMuLaw, 8000, 1, muLaw), 1, 8000, 16, decodedMuLaw},
        {"mu-law stereo", MakeAu(Tests::kAuMuLaw, 44100, 2, muLaw), 2, 44100, 16, decodedMuLaw},
        {"data after an annotation", MakeAu(Tests::kAuLinear8, 8000, 1, signed8, "note\0\0\0\0"s), 1, 8000, 8,
         unsigned8},
    };
    for (const FormatCase& test : cases) {
        Write("sound.au", test.file);
        DecodedSound sound;
        ASSERT_TRUE(ReadAuFile("sound.au", &sound)) << test.name;
        ExpectDecoded(sound, test);
    }
}

TEST_F(SoundFileTest, AuDataOfUnknownSizeRunToTheEndOfTheFile)
{
    std::string file = MakeAu(Tests::kAuLinear8, 8000, 1, "\x00\x10\x20"s);
    file.replace(8, 4, "\xFF\xFF\xFF\xFF"s);
    Write("sound.au", file);
    DecodedSound sound;
    ASSERT_TRUE(ReadAuFile("sound.au", &sound));
    EXPECT_EQ(AsBytes(sound.mData), "\x80\x90\xA0"s);
}

TEST_F(SoundFileTest, MuLawDecodingRisesSteadilyFromSilenceToFullScale)
{
    // Bytes 0xFF down to 0x80 are the positive half, from zero up.
    int previous = -1;
    for (int byte = 0xFF; byte >= 0x80; --byte) {
        const int sample = MuLawToLinear(static_cast<uint8_t>(byte));
        EXPECT_GT(sample, previous) << "byte " << byte;
        EXPECT_EQ(MuLawToLinear(static_cast<uint8_t>(byte & 0x7F)), -sample) << "byte " << byte;
        previous = sample;
    }
}

double Rms(const std::vector<int16_t>& samples, const size_t first, const size_t step)
{
    double sum = 0;
    size_t count = 0;
    for (size_t i = first; i < samples.size(); i += step, ++count)
        sum += static_cast<double>(samples[i]) * samples[i];
    return std::sqrt(sum / count);
}

TEST_F(SoundFileTest, OggVorbisDecodesToSixteenBitsWithItsLengthAndLevels)
{
    struct Case {
        int channels;
        int rate;
        int frames;
    };
    for (const Case test : {Case{1, 44100, 4410}, Case{2, 22050, 3000}}) {
        ASSERT_TRUE(Tests::MakeOgg(File("tone.ogg"), test.channels, test.rate, test.frames, 441.0, 0.5));
        DecodedSound sound;
        ASSERT_TRUE(ReadOggFile("tone.ogg", &sound)) << test.channels << " channels";
        EXPECT_EQ(sound.mFormat.mChannels, test.channels);
        EXPECT_EQ(sound.mFormat.mSamplesPerSec, static_cast<uint32_t>(test.rate));
        EXPECT_EQ(sound.mFormat.mBitsPerSample, 16);
        ASSERT_EQ(sound.mData.size(), static_cast<size_t>(test.frames) * test.channels * 2);
        // A sine of amplitude 0.5 has an RMS of 0.5 / sqrt(2) of full scale; the lossy
        // coding keeps it within a few percent.
        const std::vector<int16_t> samples = Tests::ToSamples16(sound.mData);
        const double expected = 0.5 / std::sqrt(2.0) * 32768;
        EXPECT_NEAR(Rms(samples, 0, test.channels), expected, expected * 0.05);
        if (test.channels == 2) {
            EXPECT_NEAR(Rms(samples, 1, 2), expected / 2, expected * 0.05);
        }
    }
}

TEST_F(SoundFileTest, CachedCopyHasTheDependencyAndKeyChunksBeforeItsData)
{
    PcmFormat format;
    format.mChannels = 2;
    format.mSamplesPerSec = 22050;
    format.mBitsPerSample = 16;
    const std::vector<uint8_t> data = {0x00, 0x6B, 0xFF, 0x10};
    const std::string source = "sounds\\click.ogg";
    const std::string bytes = AsBytes(MakeCachedWav(format, source, 0x0123456789ABCDEFull, data));

    std::string expected = "RIFF";
    PutLittleEndian(expected, 63 + source.size() + data.size(), 4);
    expected += "WAVEfmt ";
    PutLittleEndian(expected, 16, 4);
    PutLittleEndian(expected, 1, 2);
    PutLittleEndian(expected, 2, 2);
    PutLittleEndian(expected, 22050, 4);
    PutLittleEndian(expected, 88200, 4);
    PutLittleEndian(expected, 4, 2);
    PutLittleEndian(expected, 16, 2);
    expected += "dep ";
    PutLittleEndian(expected, source.size() + 10, 4);
    PutLittleEndian(expected, source.size(), 2);
    expected += source;
    PutLittleEndian(expected, 0x0123456789ABCDEFull, 8);
    expected += "xor ";
    PutLittleEndian(expected, 1, 4);
    expected += "\x6B"s;
    expected += "data";
    PutLittleEndian(expected, data.size(), 4);
    expected += "\x6B\x00\x94\x7B"s;
    EXPECT_EQ(bytes, expected);

    // Read back: the key is undone, and the dependency is asked about.
    Write("copy.wav", bytes);
    std::string askedName;
    uint64_t askedTime = 0;
    const SourceIsCurrent record = [&](const std::string& name, const uint64_t time) {
        askedName = name;
        askedTime = time;
        return true;
    };
    DecodedSound sound;
    ASSERT_TRUE(ReadWavFile("copy.wav", record, &sound));
    EXPECT_EQ(sound.mData, data);
    EXPECT_EQ(askedName, source);
    EXPECT_EQ(askedTime, 0x0123456789ABCDEFull);

    const SourceIsCurrent stale = [](const std::string&, uint64_t) { return false; };
    EXPECT_FALSE(ReadWavFile("copy.wav", stale, &sound));
}

TEST_F(SoundFileTest, CachedCopyOfASourceWithAnOverlongNameNeverCounts)
{
    PcmFormat format;
    const std::string source(300, 'a');
    Write("copy.wav", AsBytes(MakeCachedWav(format, source, 0, {1, 2, 3, 4})));
    DecodedSound sound;
    EXPECT_FALSE(ReadWavFile("copy.wav", &AlwaysCurrent, &sound));
}

// A well-formed file of each kind, then damaged in the ways that reach the readers.
struct DamagedCase {
    const char* name;
    std::string bytes;
};

std::string Truncated(const std::string& bytes, const size_t keep) { return bytes.substr(0, keep); }

TEST_F(SoundFileTest, DamagedWavFilesAreRefused)
{
    const std::string good = MakeWav(1, 22050, 16, Samples16({1, 2, 3, 4}));
    std::string hugeChunk = good;
    hugeChunk.replace(12, 4, "junk");
    hugeChunk.replace(16, 4, "\xF0\xFF\xFF\x7F"s);
    const DamagedCase cases[] = {
        {"empty", ""},
        {"header only", Truncated(good, 4)},
        {"not WAVE", std::string(good).replace(8, 4, "AVI ")},
        {"float samples", MakeWav(1, 22050, 32, Samples16({1, 2, 3, 4}), 3)},
        {"format cut short", Truncated(good, 30)},
        {"data cut short", Truncated(good, good.size() - 1)},
        {"no data chunk", Truncated(good, 36)},
        {"chunk beyond the end", hugeChunk},
        {"no channels", MakeWav(0, 22050, 16, Samples16({1, 2}))},
        {"three channels", MakeWav(3, 22050, 16, Samples16({1, 2, 3}))},
        {"24-bit samples", MakeWav(1, 22050, 24, "\x01\x02\x03"s)},
        {"no rate", MakeWav(1, 0, 16, Samples16({1, 2}))},
    };
    DecodedSound sound;
    Write("good.wav", good);
    ASSERT_TRUE(ReadWavFile("good.wav", &AlwaysCurrent, &sound));
    for (const DamagedCase& test : cases) {
        Write("damaged.wav", test.bytes);
        EXPECT_FALSE(ReadWavFile("damaged.wav", &AlwaysCurrent, &sound)) << test.name;
    }
}

TEST_F(SoundFileTest, DamagedAuFilesAreRefused)
{
    const std::string good = MakeAu(Tests::kAuLinear8, 8000, 1, "\x01\x02\x03\x04"s);
    const DamagedCase cases[] = {
        {"empty", ""},
        {"not AU", std::string(good).replace(0, 4, "RIFF")},
        {"header cut short", Truncated(good, 20)},
        {"data cut short", Truncated(good, good.size() - 1)},
        {"data offset beyond the end", std::string(good).replace(4, 4, "\x00\x01\x00\x00"s)},
        {"16-bit linear", MakeAu(Tests::kAuLinear16, 8000, 1, "\x01\x02"s)},
        {"floating point", MakeAu(6, 8000, 1, "\x01\x02\x03\x04"s)},
        {"no channels", MakeAu(Tests::kAuLinear8, 8000, 0, "\x01\x02"s)},
        {"65537 channels", MakeAu(Tests::kAuLinear8, 8000, 65537, "\x01\x02"s)},
        {"no rate", MakeAu(Tests::kAuMuLaw, 0, 1, "\x01\x02"s)},
    };
    Write("good.au", good);
    DecodedSound sound;
    ASSERT_TRUE(ReadAuFile("good.au", &sound));
    for (const DamagedCase& test : cases) {
        Write("damaged.au", test.bytes);
        EXPECT_FALSE(ReadAuFile("damaged.au", &sound)) << test.name;
    }
}

TEST_F(SoundFileTest, DamagedOggFilesAreRefused)
{
    ASSERT_TRUE(Tests::MakeOgg(File("good.ogg"), 1, 22050, 22050));
    const std::string good = Tests::ReadBytes(File("good.ogg"));
    std::string garbled = good;
    for (size_t i = 200; i < garbled.size(); i += 7)
        garbled[i] = static_cast<char>(garbled[i] ^ 0x5A);
    const DamagedCase cases[] = {
        {"empty", ""},
        {"not Ogg", "RIFF and more that is no Ogg stream at all"},
        {"cut in its headers", Truncated(good, 100)},
        {"cut in its audio", Truncated(good, good.size() * 2 / 3)},
        {"last page cut short", Truncated(good, good.size() - 3)},
        {"garbled audio", garbled},
    };
    DecodedSound sound;
    ASSERT_TRUE(ReadOggFile("good.ogg", &sound));
    for (const DamagedCase& test : cases) {
        Write("damaged.ogg", test.bytes);
        EXPECT_FALSE(ReadOggFile("damaged.ogg", &sound)) << test.name;
    }
}

TEST_F(SoundFileTest, MissingFilesAreNotFound)
{
    DecodedSound sound;
    EXPECT_FALSE(ReadWavFile("none.wav", &AlwaysCurrent, &sound));
    EXPECT_FALSE(ReadAuFile("none.au", &sound));
    EXPECT_FALSE(ReadOggFile("none.ogg", &sound));
}

} // namespace
