// What the mix makes of a buffer: gains from volumes and pans in hundredths of a decibel,
// the four sample formats, and playback at another rate by interpolation.

#include "tests/platform/dsound/DSoundFixture.h"

#include <cmath>

namespace {

using namespace DSound;
using Tests::DSoundTest;
using Tests::PcmFormat;

using MixerTest = DSoundTest;

constexpr int kHalfScale = 16384;
// What the output makes of a float sample.
int Output(const double sample) { return static_cast<int>(std::lrint(sample * 32767.0)); }

TEST_F(MixerTest, VolumeAndPanAttenuateInHundredthsOfADecibel)
{
    struct Case {
        LONG volume;
        LONG pan;
        double left;
        double right;
    };
    const Case cases[] = {
        {0, 0, 1.0, 1.0},
        {-600, 0, 0.501187, 0.501187}, // about half the amplitude
        {-2000, 0, 0.1, 0.1},
        {-6000, 0, 0.001, 0.001},
        {DSBVOLUME_MIN, 0, 0.0, 0.0}, // silence, not -100 dB
        {0, -600, 1.0, 0.501187},     // towards the left: the right side is attenuated
        {0, 600, 0.501187, 1.0},
        {0, DSBPAN_LEFT, 1.0, 0.0},
        {0, DSBPAN_RIGHT, 0.0, 1.0},
        {-600, 2000, 0.0501187, 0.501187},
    };
    Tests::Ref<IDirectSoundBuffer> buffer = MakeMono16(std::vector<int16_t>(64, kHalfScale));
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    for (const Case& test : cases) {
        ASSERT_EQ(buffer->SetVolume(test.volume), DS_OK);
        ASSERT_EQ(buffer->SetPan(test.pan), DS_OK);
        const std::vector<int16_t> out = Mix(4);
        EXPECT_NEAR(out[2], Output(0.5 * test.left), 1) << "volume " << test.volume << " pan " << test.pan;
        EXPECT_NEAR(out[3], Output(0.5 * test.right), 1) << "volume " << test.volume << " pan " << test.pan;
    }
}

TEST_F(MixerTest, ThePrimaryBuffersVolumeAppliesToEverything)
{
    DSBUFFERDESC description{};
    description.dwSize = sizeof(description);
    description.dwFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME;
    IDirectSoundBuffer* made = nullptr;
    ASSERT_EQ(mDirectSound->CreateSoundBuffer(&description, &made, nullptr), DS_OK);
    Tests::Ref<IDirectSoundBuffer> primary(made);
    ASSERT_EQ(primary->SetVolume(-2000), DS_OK);

    Tests::Ref<IDirectSoundBuffer> buffer = MakeMono16(std::vector<int16_t>(64, kHalfScale));
    ASSERT_EQ(buffer->SetVolume(-600), DS_OK);
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_NEAR(Mix(1)[0], Output(0.5 * 0.1 * 0.501187), 1);
}

TEST_F(MixerTest, EverySampleFormatReachesTheRightSides)
{
    struct Case {
        const char* name;
        int channels;
        int bits;
        std::vector<uint8_t> frame;
        double left;
        double right;
    };
    const auto bytes16 = [](const std::vector<int16_t>& samples) { return Tests::Bytes16(samples); };
    const Case cases[] = {
        {"8-bit mono", 1, 8, {192}, 0.5, 0.5},
        {"8-bit mono silence", 1, 8, {128}, 0.0, 0.0},
        {"8-bit stereo", 2, 8, {64, 224}, -0.5, 0.75},
        {"16-bit mono", 1, 16, bytes16({-16384}), -0.5, -0.5},
        {"16-bit stereo", 2, 16, bytes16({16384, -8192}), 0.5, -0.25},
    };
    for (const Case& test : cases) {
        std::vector<uint8_t> bytes;
        for (int i = 0; i < 8; ++i)
            bytes.insert(bytes.end(), test.frame.begin(), test.frame.end());
        Tests::Ref<IDirectSoundBuffer> buffer = MakeBuffer(PcmFormat(test.channels, test.bits, 44100), bytes);
        ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
        const std::vector<int16_t> out = Mix(2);
        EXPECT_NEAR(out[2], Output(test.left), 1) << test.name;
        EXPECT_NEAR(out[3], Output(test.right), 1) << test.name;
    }
}

// A ramp of 100 frames, 100 apart, at half the output rate.
std::vector<int16_t> Ramp()
{
    std::vector<int16_t> samples(100);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(i * 100);
    return samples;
}

int16_t Sample(const double value) { return static_cast<int16_t>(std::lrint(value / 32768.0 * 32767.0)); }

TEST_F(MixerTest, ABufferAtHalfTheOutputRateIsInterpolatedAndLastsTwiceAsLong)
{
    Tests::Ref<IDirectSoundBuffer> buffer = MakeMono16(Ramp(), 22050);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    const std::vector<int16_t> out = Mix(199);
    for (int frame = 0; frame < 199; ++frame)
        ASSERT_NEAR(out[2 * frame], Sample(frame * 50.0), 1) << "frame " << frame;
    EXPECT_EQ(Status(buffer.get()), DSBSTATUS_PLAYING) << "half a frame is left";

    EXPECT_NEAR(Mix(1)[0], Sample(9900), 1) << "past the last frame it holds rather than falling to zero";
    EXPECT_EQ(Status(buffer.get()), 0u);
}

TEST_F(MixerTest, AHigherFrequencyPlaysTheDataFaster)
{
    Tests::Ref<IDirectSoundBuffer> buffer = MakeMono16(Ramp(), 22050);
    ASSERT_EQ(buffer->SetFrequency(88200), DS_OK);
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    const std::vector<int16_t> out = Mix(50);
    EXPECT_NEAR(out[2 * 10], Sample(2000), 1);
    EXPECT_NEAR(out[2 * 49], Sample(9800), 1);
    EXPECT_EQ(Status(buffer.get()), 0u) << "100 frames at twice the output rate take 50 output frames";
}

TEST_F(MixerTest, FrequenciesOutsideThePlayableRangeAreRefused)
{
    struct Case {
        DWORD frequency;
        HRESULT result;
        DWORD reported;
    };
    const Case cases[] = {
        {DSBFREQUENCY_MIN - 1, DSERR_INVALIDPARAM, 30000},
        {DSBFREQUENCY_MIN, DS_OK, DSBFREQUENCY_MIN},
        {DSBFREQUENCY_MAX, DS_OK, DSBFREQUENCY_MAX},
        {DSBFREQUENCY_MAX + 1, DSERR_INVALIDPARAM, 30000},
        {DSBFREQUENCY_ORIGINAL, DS_OK, 22050}, // the rate of the buffer's format
    };
    Tests::Ref<IDirectSoundBuffer> buffer = MakeMono16(Ramp(), 22050);
    for (const Case& test : cases) {
        ASSERT_EQ(buffer->SetFrequency(30000), DS_OK);
        EXPECT_EQ(buffer->SetFrequency(test.frequency), test.result) << test.frequency;
        DWORD frequency = 0;
        ASSERT_EQ(buffer->GetFrequency(&frequency), DS_OK);
        EXPECT_EQ(frequency, test.reported) << test.frequency;
    }
}

TEST_F(MixerTest, AOneFrameLoopAtTheHighestFrequencyStaysWithinTheBuffer)
{
    Tests::Ref<IDirectSoundBuffer> buffer = MakeMono16({kHalfScale, kHalfScale});
    ASSERT_EQ(buffer->SetFrequency(DSBFREQUENCY_MAX), DS_OK);
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    const std::vector<int16_t> out = Mix(1000);
    EXPECT_EQ(out[1998], Output(0.5));
    EXPECT_EQ(Status(buffer.get()), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
}

} // namespace
