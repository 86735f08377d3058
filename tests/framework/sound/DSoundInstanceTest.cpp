// Sound instances as the mix hears them: volume, pan and pitch, playing, looping and
// releasing, the 32 channels and their recycling, a failed duplication, and the silent
// instances of a program without a sound device.

#include "framework/sound/DSoundInstance.h"
#include "tests/framework/sound/SoundManagerFixture.h"

#include <cmath>

namespace {

using namespace Zest;
using Tests::MakeWav;
using Tests::Samples16;

using SoundManagerTest = Tests::SoundManagerTest;

// The mix's gain for an attenuation in hundredths of a decibel.
double Gain(const int attenuation) { return std::pow(10.0, attenuation / 2000.0); }

TEST_F(SoundManagerTest, VolumeToDBFollowsItsCurve)
{
    struct Case {
        double volume;
        int attenuation;
    };
    const Case cases[] = {{1.0, 0},        {0.5, -605},     {0.25, -1138},  {0.1, -1682}, {0.05, -1956},
                          {0.02, -10000},  {0.0, -10000},   {-1.0, -10000}, {2.0, 0},     {NAN, -10000}};
    for (const Case& test : cases)
        EXPECT_EQ(DSoundManager::VolumeToDB(test.volume), test.attenuation) << test.volume;
}

TEST_F(SoundManagerTest, InstanceVolumeIsTheProductOfItsOwnTheBaseAndTheManagers)
{
    WriteConstantWav("tone.wav", 16384);
    ASSERT_TRUE(mManager->LoadSound(1, "tone"));
    ASSERT_TRUE(mManager->SetBaseVolume(1, 0.5));
    SoundInstance* const instance = Instance(1);
    ASSERT_NE(instance, nullptr);
    instance->SetVolume(0.5);
    EXPECT_EQ(instance->GetVolume(), 0.5);
    ASSERT_TRUE(instance->Play(true, false));
    EXPECT_NEAR(MixedLevel(16), 0.5 * Gain(-1138), 0.0005);

    // The manager's volume reaches the instances that exist.
    mManager->SetVolume(0.5);
    EXPECT_NEAR(MixedLevel(16), 0.5 * Gain(DSoundManager::VolumeToDB(0.125)), 0.0005);
    // A base volume changed later is for new instances only.
    ASSERT_TRUE(mManager->SetBaseVolume(1, 1.0));
    EXPECT_NEAR(MixedLevel(16), 0.5 * Gain(DSoundManager::VolumeToDB(0.125)), 0.0005);
}

TEST_F(SoundManagerTest, InstancePanIsItsOwnPlusTheBasePan)
{
    WriteConstantWav("tone.wav", 16384);
    ASSERT_TRUE(mManager->LoadSound(1, "tone"));
    ASSERT_TRUE(mManager->SetBasePan(1, -600));
    SoundInstance* const instance = Instance(1);
    ASSERT_TRUE(instance->Play(true, false));
    EXPECT_NEAR(MixedLevel(16, 0), 0.5, 0.0005);
    EXPECT_NEAR(MixedLevel(16, 1), 0.5 * Gain(-600), 0.0005);
    instance->SetPan(2600);
    EXPECT_NEAR(MixedLevel(16, 0), 0.5 * Gain(-2000), 0.0005);
    EXPECT_NEAR(MixedLevel(16, 1), 0.5, 0.0005);
}

TEST_F(SoundManagerTest, TwoInstancesOfOneSoundPlayWithTheirOwnSettings)
{
    WriteConstantWav("tone.wav", 8192);
    ASSERT_TRUE(mManager->LoadSound(1, "tone"));
    SoundInstance* const left = Instance(1);
    SoundInstance* const right = Instance(1);
    left->SetPan(-10000);
    right->SetPan(10000);
    right->SetVolume(0.5);
    ASSERT_TRUE(left->Play(true, false));
    ASSERT_TRUE(right->Play(true, false));
    const std::vector<int16_t> out = Mix(2);
    EXPECT_NEAR(out[2] / 32767.0, 0.25, 0.0005);
    EXPECT_NEAR(out[3] / 32767.0, 0.25 * Gain(-605), 0.0005);
}

// A rising ramp played at a frequency f: output frame k holds the sample at k x f / 44100.
class PitchTest : public SoundManagerTest {
protected:
    void SetUp() override
    {
        SoundManagerTest::SetUp();
        std::vector<int16_t> ramp(16000);
        for (size_t i = 0; i < ramp.size(); ++i)
            ramp[i] = static_cast<int16_t>(2 * i);
        Write("ramp.wav", MakeWav(1, 44100, 16, Samples16(ramp)));
        ASSERT_TRUE(mManager->LoadSound(1, "ramp"));
        mInstance = Instance(1);
    }

    // The playback frequency heard over the first 7000 output frames, which stay within
    // the ramp up to the highest frequency.
    double PlayedFrequency()
    {
        constexpr int kFrames = 7000;
        mInstance->Play(false, false);
        const std::vector<int16_t> out = Mix(kFrames + 1);
        return out[2 * kFrames] / 2.0 / kFrames * 44100.0 * 32768.0 / 32767.0;
    }

    SoundInstance* mInstance = nullptr;
};

TEST_F(PitchTest, StepsAreSemitonesFromTheSoundsOwnFrequencyClampedTo100To100000)
{
    struct Case {
        double steps;
        double frequency;
    };
    const Case cases[] = {
        {7, std::trunc(44100 * std::pow(1.0594630943592953, 7))},
        // From the sound's frequency, not from the one set before.
        {-5, std::trunc(44100 * std::pow(1.0594630943592953, -5))},
        {0.5, std::trunc(44100 * std::pow(1.0594630943592953, 0.5))},
        {40, 100000},
        {-120, 100},
        {0, 44100},
    };
    for (const Case& test : cases) {
        mInstance->AdjustPitch(test.steps);
        EXPECT_NEAR(PlayedFrequency(), test.frequency, test.frequency * 0.001 + 2) << test.steps << " steps";
    }
}

TEST_F(SoundManagerTest, SoundPlayedOnceStopsAndReleasesItselfWhenAutoReleased)
{
    WriteConstantWav("short.wav", 16384, 100);
    ASSERT_TRUE(mManager->LoadSound(1, "short"));
    SoundInstance* const instance = Instance(1);
    EXPECT_FALSE(instance->IsPlaying());
    ASSERT_TRUE(instance->Play(false, true));
    EXPECT_TRUE(instance->IsPlaying());
    EXPECT_FALSE(instance->IsReleased());
    Mix(200);
    EXPECT_FALSE(instance->IsPlaying());
    EXPECT_TRUE(instance->IsReleased());
}

TEST_F(SoundManagerTest, LoopingSoundKeepsPlayingAndStopClearsAutoRelease)
{
    WriteConstantWav("short.wav", 16384, 100);
    ASSERT_TRUE(mManager->LoadSound(1, "short"));
    SoundInstance* const instance = Instance(1);
    ASSERT_TRUE(instance->Play(true, true));
    EXPECT_NEAR(MixedLevel(1000), 0.5, 0.001);
    EXPECT_TRUE(instance->IsPlaying());
    EXPECT_FALSE(instance->IsReleased());
    instance->Stop();
    EXPECT_EQ(MixedLevel(100), 0.0);
    EXPECT_FALSE(instance->IsReleased());
    instance->Release();
    EXPECT_TRUE(instance->IsReleased());
}

// 32 channels: a request beyond them fails until one is released or its sound finished.
class ChannelTest : public SoundManagerTest {
protected:
    void SetUp() override
    {
        SoundManagerTest::SetUp();
        WriteConstantWav("short.wav", 100, 100);
        ASSERT_TRUE(mManager->LoadSound(1, "short"));
    }

    // Fills every channel with an instance playing in a loop.
    std::vector<SoundInstance*> FillChannels(const bool autoRelease)
    {
        std::vector<SoundInstance*> instances;
        for (int i = 0; i < DSoundManager::kMaxChannels; ++i) {
            SoundInstance* const instance = Instance(1);
            if (instance == nullptr)
                break;
            instance->Play(true, autoRelease);
            instances.push_back(instance);
        }
        return instances;
    }
};

TEST_F(ChannelTest, AllChannelsBusyGivesNoInstanceUntilOneIsReleased)
{
    const std::vector<SoundInstance*> instances = FillChannels(false);
    ASSERT_EQ(instances.size(), 32u);
    EXPECT_EQ(mManager->GetSoundInstance(1), nullptr);
    instances[17]->Release();
    EXPECT_NE(mManager->GetSoundInstance(1), nullptr);
    EXPECT_EQ(mManager->GetSoundInstance(1), nullptr);
}

TEST_F(ChannelTest, ChannelOfAFinishedAutoReleasedSoundIsReusedAtOnce)
{
    std::vector<SoundInstance*> instances = FillChannels(false);
    instances.back()->Play(false, true);
    EXPECT_EQ(mManager->GetSoundInstance(1), nullptr);
    Mix(200);
    EXPECT_NE(mManager->GetSoundInstance(1), nullptr);
}

TEST_F(ChannelTest, StopAllSoundsLetsTheSweepReclaimAutoReleasedChannels)
{
    FillChannels(false);
    mManager->ReleaseChannels();
    const int before = mControls->liveObjects;
    for (int i = 0; i < 3; ++i)
        Instance(1)->Play(true, true);
    Instance(1)->Play(true, false);
    ASSERT_EQ(mControls->liveObjects, before + 4);

    mManager->StopAllSounds();
    EXPECT_EQ(MixedLevel(100), 0.0);
    // Within the second since the last sweep only the first released channel is reused.
    mClock.Advance(1000);
    Instance(1);
    EXPECT_EQ(mControls->liveObjects, before + 4);
    // After it the sweep deletes every released instance first.
    mClock.Advance(1);
    Instance(1);
    EXPECT_EQ(mControls->liveObjects, before + 3);
}

TEST_F(ChannelTest, FailedDuplicationGivesNoInstanceAndKeepsTheChannelFree)
{
    mControls->failures.push_back({"IDirectSound::DuplicateSoundBuffer", 0, DSound::DSERR_OUTOFMEMORY});
    EXPECT_EQ(mManager->GetSoundInstance(1), nullptr);
    EXPECT_EQ(FillChannels(false).size(), 32u);
}

TEST(SilentSoundManagerTest, WithoutAWindowNothingLoadsAndInstancesStaySilent)
{
    DSoundManager manager(nullptr, false);
    EXPECT_FALSE(manager.Initialized());
    EXPECT_TRUE(manager.LoadSound(4, "no such sound"));
    EXPECT_EQ(manager.GetNumSounds(), 0);
    EXPECT_FALSE(manager.LoadSound(256, "no such sound"));

    SoundInstance* const instance = manager.GetSoundInstance(4);
    ASSERT_NE(instance, nullptr);
    instance->SetVolume(0.3);
    instance->SetPan(100);
    instance->AdjustPitch(3);
    EXPECT_EQ(instance->GetVolume(), 0.3);
    EXPECT_FALSE(instance->Play(false, true));
    EXPECT_FALSE(instance->IsPlaying());
    EXPECT_TRUE(instance->IsReleased());
    manager.StopAllSounds();
    manager.SetVolume(0.5);
    manager.SetCooperativeWindow(nullptr, true);
}

TEST_F(SoundManagerTest, WithoutASoundDeviceTheManagerRunsSilently)
{
    mManager.reset();
    mControls->createWithoutDevice = false;
    DSoundManager manager(Window(), false);
    EXPECT_FALSE(manager.Initialized());
    WriteConstantWav("tone.wav", 16384);
    EXPECT_TRUE(manager.LoadSound(1, "tone"));
    EXPECT_EQ(manager.GetNumSounds(), 0);
    SoundInstance* const instance = manager.GetSoundInstance(1);
    ASSERT_NE(instance, nullptr);
    EXPECT_FALSE(instance->Play(true, false));
}

TEST_F(SoundManagerTest, MasterVolumeIsTheProcesssWaveOutputVolume)
{
    mManager->SetMasterVolume(0.5);
    EXPECT_NEAR(mManager->GetMasterVolume(), 0.5, 1.0 / 65535);
    mManager->SetVolume(0.25);
    EXPECT_NEAR(mManager->GetMasterVolume(), 0.5, 1.0 / 65535);
    DSoundManager other(nullptr, false);
    EXPECT_NEAR(other.GetMasterVolume(), 0.5, 1.0 / 65535);
    mManager->SetMasterVolume(3.0);
    EXPECT_EQ(mManager->GetMasterVolume(), 1.0);
    mManager->SetMasterVolume(-1.0);
    EXPECT_EQ(mManager->GetMasterVolume(), 0.0);
}

} // namespace
