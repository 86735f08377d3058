// The shared audio output: sources are summed into 16-bit stereo and clipped at full
// scale, a removed source is never called again, and without a device the mix still works.

#include "platform/audio/AudioOutput.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

// Adds a constant to every sample and counts its calls.
struct ConstantSource {
    float mLevel;
    int mCalls = 0;

    static void Mix(void* context, float* mix, const int frames)
    {
        auto* source = static_cast<ConstantSource*>(context);
        ++source->mCalls;
        for (int i = 0; i < frames * Audio::kChannels; ++i)
            mix[i] += source->mLevel;
    }
};

class AudioOutputTest : public ::testing::Test {
protected:
    // No device: the mix is driven by the test alone.
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "none-such", 1);
        mMasterVolume = Audio::GetMasterVolume();
    }

    // The master volume belongs to the process: a later test must not mix at this one's.
    void TearDown() override { Audio::SetMasterVolume(mMasterVolume); }

    float mMasterVolume = 1.0f;
};

TEST_F(AudioOutputTest, SourcesAreSummedClippedAndDroppedWhenRemoved)
{
    ConstantSource quiet{0.25f};
    ConstantSource loud{0.9f};
    EXPECT_FALSE(Audio::AddSource(&ConstantSource::Mix, &quiet));
    EXPECT_FALSE(Audio::HasDevice());

    std::vector<int16_t> out(8 * Audio::kChannels);
    Audio::Mix(out.data(), 8);
    EXPECT_EQ(out.front(), 8192);
    EXPECT_EQ(out.back(), 8192);

    Audio::AddSource(&ConstantSource::Mix, &loud);
    Audio::Mix(out.data(), 8);
    EXPECT_EQ(out[3], 32767) << "the sum of 1.15 is clipped at full scale";

    Audio::RemoveSource(&ConstantSource::Mix, &loud);
    Audio::Mix(out.data(), 8);
    EXPECT_EQ(out[5], 8192);
    EXPECT_EQ(loud.mCalls, 1);

    Audio::RemoveSource(&ConstantSource::Mix, &quiet);
    Audio::Mix(out.data(), 8);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(quiet.mCalls, 3);
}

TEST_F(AudioOutputTest, NegativeSumsClipAtNegativeFullScale)
{
    ConstantSource below{-1.5f};
    Audio::AddSource(&ConstantSource::Mix, &below);
    std::vector<int16_t> out(2 * Audio::kChannels);
    Audio::Mix(out.data(), 2);
    EXPECT_EQ(out[0], -32767);
    Audio::RemoveSource(&ConstantSource::Mix, &below);
}

TEST_F(AudioOutputTest, MasterVolumeScalesTheWholeMixAndIsBounded)
{
    ConstantSource half{0.5f};
    Audio::AddSource(&ConstantSource::Mix, &half);
    std::vector<int16_t> out(2 * Audio::kChannels);
    Audio::SetMasterVolume(0.5f);
    Audio::Mix(out.data(), 2);
    EXPECT_EQ(out[1], 8192);
    Audio::SetMasterVolume(0.0f);
    Audio::Mix(out.data(), 2);
    EXPECT_EQ(out[1], 0);
    Audio::SetMasterVolume(3.0f);
    EXPECT_EQ(Audio::GetMasterVolume(), 1.0f);
    Audio::SetMasterVolume(-1.0f);
    EXPECT_EQ(Audio::GetMasterVolume(), 0.0f);
    Audio::RemoveSource(&ConstantSource::Mix, &half);
}

} // namespace
